// The drop-down button of combo boxes and drive lists, and the items of header
// controls, following the pointer and the left button.
#include "skin/draw/dpi.h"
#include "skin/draw/painters.h"
#include "skin/draw/primitives.h"
#include "skin/draw/properties.h"
#include "skin/interaction.h"

#include <commctrl.h>

namespace skin {
namespace {

constexpr LONG_PTR kWholeControlDrops = 0x1;  // style bit of CBS_SIMPLE and CBS_DROPDOWNLIST
constexpr int kZoneInset = 2;                 // the zone keeps clear of the 2-pixel frame

// --- Combo box and drive list --------------------------------------------

void PaintDropDown(HWND hwnd, int state) { PaintComboButton(hwnd, nullptr, state, kIfChanged); }

// The drop-down button's zone at the right end, bounds included; x and y are
// client coordinates, measured against the window rectangle.
bool InDropDownZone(HWND hwnd, LPARAM lParam) {
  const int x = LoWordOf(lParam);
  const int y = HiWordOf(lParam);
  WindowSize size;
  GetWindowSize(hwnd, size);
  const int buttonWidth = MetricForDpi(SM_CXVSCROLL, WindowDpi(hwnd));
  return x >= size.Width - buttonWidth - kZoneInset && x <= size.Width - kZoneInset &&
         y >= kZoneInset && y <= size.Height - kZoneInset;
}

bool ComboPointOnButton(HWND hwnd, LPARAM lParam) {
  const bool wholeControlDrops = (GetWindowLongPtrA(hwnd, GWL_STYLE) & kWholeControlDrops) != 0;
  return wholeControlDrops || InDropDownZone(hwnd, lParam);
}

// A drive list drops its list from anywhere on the control.
bool DriveListPointOnButton(HWND, LPARAM) { return true; }

using PointTest = bool (*)(HWND hwnd, LPARAM lParam);

void DropDownReacts(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, PointTest onButton) {
  switch (msg) {
    case WM_MOUSEMOVE:
      RequestMouseLeave(hwnd);
      if (!onButton(hwnd, lParam)) {
        PaintDropDown(hwnd, kStateNormal);
      } else {
        PaintDropDown(hwnd, LeftButtonHeld(wParam) ? kStatePressed : kStateHover);
      }
      break;
    case WM_LBUTTONDOWN:
      if (onButton(hwnd, lParam)) PaintDropDown(hwnd, kStatePressed);
      break;
    case WM_LBUTTONUP:
      PaintDropDown(hwnd, PointerIsOver(hwnd) ? kStateHover : kStateNormal);
      break;
    case WM_MOUSELEAVE:
      WriteProp(hwnd, kPropMouseFlag, 0);
      PaintDropDown(hwnd, kStateNormal);
      break;
  }
}

// --- Header ----------------------------------------------------------------

int HeaderItemCount(HWND hwnd) {
  return static_cast<int>(SendMessageA(hwnd, HDM_GETITEMCOUNT, 0, 0));
}

// The first item whose left..right span holds x, ends included, so a shared
// boundary belongs to the lower index; the y coordinate plays no part.
LONG_PTR HitHeaderItem(HWND hwnd, int count, LPARAM lParam) {
  const int x = LoWordOf(lParam);
  for (int i = 0; i < count; ++i) {
    RECT item{};
    SendMessageA(hwnd, HDM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    if (item.left <= x && x <= item.right) return i;
  }
  return kNoItem;
}

void PaintItem(HWND hwnd, LONG_PTR index, int state) {
  PaintHeaderItem(hwnd, nullptr, static_cast<int>(index), state);
}

// A press on an empty header leaves "HDINDEX" as it was.
void HeaderPress(HWND hwnd, LPARAM lParam) {
  const int count = HeaderItemCount(hwnd);
  if (count <= 0) return;
  const LONG_PTR pressed = HitHeaderItem(hwnd, count, lParam);
  WriteProp(hwnd, kPropHdIndex, pressed);
  if (pressed >= 0) PaintItem(hwnd, pressed, kStatePressed);
}

// While the left button is held the hot item stays where it was; only the
// pressed item is redrawn pressed when the pointer is back on it.
void HeaderMouseMove(HWND hwnd, WPARAM wParam, LPARAM lParam) {
  RequestMouseLeave(hwnd);
  const int count = HeaderItemCount(hwnd);
  const LONG_PTR hot = count > 0 ? HitHeaderItem(hwnd, count, lParam) : kNoItem;
  const LONG_PTR old = ReadProp(hwnd, kPropHmIndex);
  const LONG_PTR pressed = ReadProp(hwnd, kPropHdIndex);
  if (hot == old) return;
  if (old >= 0 && old != pressed) PaintItem(hwnd, old, kStateNormal);
  if (LeftButtonHeld(wParam)) {
    if (pressed == hot) PaintItem(hwnd, hot, kStatePressed);
  } else {
    WriteProp(hwnd, kPropHmIndex, hot);
    PaintItem(hwnd, hot, kStateHover);
  }
}

// The released item shows hot while the pointer is still over the header,
// matching the hot item a repaint shows; off the header it goes back to normal.
void HeaderRelease(HWND hwnd) {
  const LONG_PTR released = ReadProp(hwnd, kPropHdIndex);
  WriteProp(hwnd, kPropHdIndex, kNoItem);
  if (released >= 0) PaintItem(hwnd, released, PointerIsOver(hwnd) ? kStateHover : kStateNormal);
}

// Leaving clears both indexes; only the hot item is redrawn, not a pressed one.
void HeaderLeave(HWND hwnd) {
  const LONG_PTR hot = ReadProp(hwnd, kPropHmIndex);
  WriteProp(hwnd, kPropMouseFlag, 0);
  WriteProp(hwnd, kPropHdIndex, kNoItem);
  WriteProp(hwnd, kPropHmIndex, kNoItem);
  if (hot >= 0) PaintItem(hwnd, hot, kStateNormal);
}

}  // namespace

void ComboBoxReacts(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  DropDownReacts(hwnd, msg, wParam, lParam, ComboPointOnButton);
}

void DriveListReacts(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  DropDownReacts(hwnd, msg, wParam, lParam, DriveListPointOnButton);
}

void HeaderReacts(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      HeaderPress(hwnd, lParam);
      break;
    case WM_MOUSEMOVE:
      HeaderMouseMove(hwnd, wParam, lParam);
      break;
    case WM_LBUTTONUP:
      HeaderRelease(hwnd);
      break;
    case WM_MOUSELEAVE:
      HeaderLeave(hwnd);
      break;
  }
}

}  // namespace skin
