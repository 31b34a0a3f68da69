// Sizes of the skin's parts at a DPI. At 96 dpi they are the sizes the pixel
// tables were drawn for; elsewhere they follow what the platform draws there.
#pragma once
#include <windows.h>

namespace skin {

// The check square and the option circle: the box the platform's own button
// draws beneath them, so that they cover it.
SIZE CheckBoxSize(int dpi);

// The combo drop-down button: the scroll-bar arrow's width, and the pixel of
// the frame beside it.
int ComboButtonWidth(int dpi);

// Push buttons: the diameter of the region's rounded corners, and the inset
// of the caption and focus frame from each side.
int ButtonCornerDiameter(int dpi);
int ButtonCaptionInset(int dpi);

// Width of a frame ring that is 1 pixel at 96 dpi.
int FrameRingWidth(int dpi);

}  // namespace skin
