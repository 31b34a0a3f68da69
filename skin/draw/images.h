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

// A cell of an image: left, top, width, height in image pixels.
struct ImageCell {
  int X;
  int Y;
  int Width;
  int Height;
};

// Unscaled borders of a cell for the nine-grid draw.
struct CellMargins {
  int Left;
  int Top;
  int Right;
  int Bottom;
};

// Push-button faces, one per state (0 normal, 1 hover, 2 pressed, 3 disabled).
constexpr ImageCell kButtonCell(int state) { return {0, 21 * state, 7, 21}; }
inline constexpr CellMargins kButtonMargins{3, 3, 3, 3};

// Combo drop-down button: faces for hover and pressed, arrows for enabled and
// disabled controls (keyed).
inline constexpr ImageCell kComboHoverFace{0, 0, 4, 18};
inline constexpr ImageCell kComboPressedFace{4, 0, 4, 18};
inline constexpr ImageCell kComboArrowEnabled{8, 0, 7, 4};
inline constexpr ImageCell kComboArrowDisabled{8, 4, 7, 4};
inline constexpr CellMargins kComboFaceMargins{2, 1, 1, 1};

// Marks drawn keyed into check boxes and option buttons; the disabled shape is
// the enabled one 9 columns to the right.
inline constexpr ImageCell kMarkTickEnabled{0, 0, 9, 8};
inline constexpr ImageCell kMarkTickDisabled{9, 0, 9, 8};
inline constexpr ImageCell kMarkSquareEnabled{1, 9, 7, 7};
inline constexpr ImageCell kMarkSquareDisabled{10, 9, 7, 7};
inline constexpr ImageCell kMarkDotEnabled{2, 18, 5, 5};
inline constexpr ImageCell kMarkDotDisabled{11, 18, 5, 5};

// Option-button circles, one per cell: 0 normal, 1 hover, 2 pressed,
// 3 disabled (keyed corners).
constexpr ImageCell kOptionCell(int index) { return {0, 13 * index, 13, 13}; }
inline constexpr CellMargins kOptionMargins{5, 5, 5, 5};
inline constexpr int kOptionDisabledCell = 3;

// Check-box shading, stretched opaque over the box interior; cut from the
// hover and pressed circles, where they hold no key pixels.
inline constexpr ImageCell kCheckHoverStrip{1, 17, 11, 5};
inline constexpr ImageCell kCheckPressedStrip{1, 30, 11, 5};

// Header items, one per state (0 normal, 1 hover, 2 pressed), and the column
// stretched over the header background.
constexpr ImageCell kHeaderCell(int state) { return {3 * state, 0, 3, 20}; }
inline constexpr CellMargins kHeaderMargins{1, 1, 1, 1};
inline constexpr ImageCell kHeaderBackground{1, 0, 1, 20};

// Creates the five surfaces and sets every pixel once with SetPixel, image by
// image, row by row. A surface that cannot be made stays empty.
void BuildSkinBitmaps(SkinImages& images);

// The painters draw from the image set that the engine has made current; the
// engine owns it. With none set, the painters see empty images and draw nothing
// from them.
void UseSkinImages(const SkinImages* images);
const SkinImages& CurrentSkinImages();

}  // namespace skin
