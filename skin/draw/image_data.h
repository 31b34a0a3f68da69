// The colour of every pixel of the five skin images, one table per image in
// build order, one table row per image row.
#pragma once
#include <windows.h>
#include <functional>
#include "skin/draw/images.h"

namespace skin {

extern const COLORREF kButtonPixels[kButtonImageSize.cy][kButtonImageSize.cx];
extern const COLORREF kComboButtonPixels[kComboButtonImageSize.cy][kComboButtonImageSize.cx];
extern const COLORREF kMarkPixels[kMarkImageSize.cy][kMarkImageSize.cx];
extern const COLORREF kOptionPixels[kOptionImageSize.cy][kOptionImageSize.cx];
extern const COLORREF kHeaderPixels[kHeaderImageSize.cy][kHeaderImageSize.cx];

// Position of an image in build order (Button first, Header last).
enum class SkinImageId { Button, ComboButton, Mark, Option, Header };
inline constexpr int kSkinImageCount = 5;

// Calls visit for every pixel of every image: image by image in build order,
// row by row from the top, each row from the left.
void ForEachSkinPixel(const std::function<void(SkinImageId image, int x, int y, COLORREF colour)>& visit);

}  // namespace skin
