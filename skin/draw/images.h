// The five skin images, painted pixel by pixel from constant tables, and the
// cell rectangles the painters cut from them.
#pragma once
#include <windows.h>
#include "skin/draw/primitives.h"

namespace skin {

struct SkinImages {
  Surface Button;       // 7 x 84: four 7 x 21 push-button faces stacked downwards
  Surface ComboButton;  // 15 x 18: two 4 x 18 faces, two 7 x 4 arrows
  Surface Mark;         // 18 x 24: tick, square, dot; enabled left, disabled right
  Surface Option;       // 13 x 52: four 13 x 13 option circles stacked downwards
  Surface Header;       // 9 x 20: three 3 x 20 header item faces side by side
};

// Image sizes.
inline constexpr SIZE kButtonImageSize{7, 84};
inline constexpr SIZE kComboButtonImageSize{15, 18};
inline constexpr SIZE kMarkImageSize{18, 24};
inline constexpr SIZE kOptionImageSize{13, 52};
inline constexpr SIZE kHeaderImageSize{9, 20};

// Creates the five surfaces and sets every pixel once with SetPixel, image by
// image, row by row. A surface that cannot be made stays empty.
void BuildSkinBitmaps(SkinImages& images);

// The painters draw from the image set that the engine has made current; the
// engine owns it. With none set, the painters see empty images and draw nothing
// from them.
void UseSkinImages(const SkinImages* images);
const SkinImages& CurrentSkinImages();

}  // namespace skin
