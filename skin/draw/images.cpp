// Builds the five skin images from their pixel tables and keeps track of the
// set the painters draw from.
#include "skin/draw/images.h"
#include "skin/draw/image_data.h"

namespace skin {

namespace {

struct PixelTable {
  SkinImageId id;
  const COLORREF* pixels;
  SIZE size;
};

// Build order: the surfaces are made and painted in this order.
const PixelTable kTables[kSkinImageCount] = {
    {SkinImageId::Button, &kButtonPixels[0][0], kButtonImageSize},
    {SkinImageId::ComboButton, &kComboButtonPixels[0][0], kComboButtonImageSize},
    {SkinImageId::Mark, &kMarkPixels[0][0], kMarkImageSize},
    {SkinImageId::Option, &kOptionPixels[0][0], kOptionImageSize},
    {SkinImageId::Header, &kHeaderPixels[0][0], kHeaderImageSize},
};

const SkinImages* g_current = nullptr;

}  // namespace

void ForEachSkinPixel(
    const std::function<void(SkinImageId image, int x, int y, COLORREF colour)>& visit) {
  for (const PixelTable& table : kTables) {
    for (int y = 0; y < table.size.cy; ++y) {
      for (int x = 0; x < table.size.cx; ++x) {
        visit(table.id, x, y, table.pixels[y * table.size.cx + x]);
      }
    }
  }
}

void BuildSkinBitmaps(SkinImages& images) {
  images.Button = CreateSurface(kButtonImageSize.cx, kButtonImageSize.cy);
  images.ComboButton = CreateSurface(kComboButtonImageSize.cx, kComboButtonImageSize.cy);
  images.Mark = CreateSurface(kMarkImageSize.cx, kMarkImageSize.cy);
  images.Option = CreateSurface(kOptionImageSize.cx, kOptionImageSize.cy);
  images.Header = CreateSurface(kHeaderImageSize.cx, kHeaderImageSize.cy);

  // Indexed by SkinImageId. A surface that could not be made has no device
  // context; SetPixel on it fails quietly and the image stays empty.
  const HDC targets[kSkinImageCount] = {images.Button.dc(), images.ComboButton.dc(),
                                        images.Mark.dc(), images.Option.dc(),
                                        images.Header.dc()};
  ForEachSkinPixel([&targets](SkinImageId image, int x, int y, COLORREF colour) {
    SetPixel(targets[static_cast<int>(image)], x, y, colour);
  });
}

void UseSkinImages(const SkinImages* images) { g_current = images; }

const SkinImages& CurrentSkinImages() {
  static const SkinImages kNone;
  return g_current ? *g_current : kNone;
}

}  // namespace skin
