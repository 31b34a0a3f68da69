#include "skin/draw/part_sizes.h"

#include "skin/draw/dpi.h"

namespace skin {

namespace {

constexpr int kCornerDiameter = 3;     // 96 dpi
constexpr int kCaptionInset = 2;       // 96 dpi
constexpr int kClassicBoxInside = 12;  // the classic box: 12 pixels per 96 dpi, plus its edge

}  // namespace

// At 96 dpi the menu check mark's size, as always. Elsewhere the classic box
// as the button control scales it (its inside by DPI / 96, truncated, plus one
// pixel); the menu check metric grows faster and would overhang the box.
SIZE CheckBoxSize(int dpi) {
  if (dpi == kBaseDpi) {
    return SIZE{MetricForDpi(SM_CXMENUCHECK, dpi), MetricForDpi(SM_CYMENUCHECK, dpi)};
  }
  const int side = kClassicBoxInside * dpi / kBaseDpi + 1;
  return SIZE{side, side};
}

int ComboButtonWidth(int dpi) { return MetricForDpi(SM_CXVSCROLL, dpi) + 1; }

int ButtonCornerDiameter(int dpi) { return ScaleForDpi(kCornerDiameter, dpi); }

int ButtonCaptionInset(int dpi) { return ScaleForDpi(kCaptionInset, dpi); }

int FrameRingWidth(int dpi) { return dpi < 2 * kBaseDpi ? 1 : dpi / kBaseDpi; }

}  // namespace skin
