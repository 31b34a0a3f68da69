// WM_DPICHANGED (Windows 8.1 and later, per-monitor aware programs): the
// window moved to a display of another DPI.
#include "skin/attach.h"
#include "skin/draw/properties.h"
#include "skin/handlers.h"
#include "skin/window_kind.h"

namespace skin {
namespace {

constexpr UINT kRedrawAll = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN;

// Buttons that kept their size got no WM_SIZE, yet their corners, face and
// focus frame are measured in pixels of the old DPI.
void ResurfaceIfPushButton(HWND hwnd) {
  if (ReadProp(hwnd, kPropProcAddr) && KindOfWindow(hwnd) == ControlKind::PushButton)
    ResurfacePushButton(hwnd);
}

BOOL CALLBACK ResurfaceChildProc(HWND hwnd, LPARAM) {
  ResurfaceIfPushButton(hwnd);
  return TRUE;
}

}  // namespace

// The window's own procedure lays its controls out for the new DPI first;
// then every skinned push button is rendered again and the whole tree
// repainted, so that the other painters draw their parts at the new size.
LRESULT OnDpiChanged(WNDPROC& prev, HWND& hwnd, UINT& msg, WPARAM& wParam, LPARAM& lParam) {
  const LRESULT result = CallPrevious(prev, hwnd, msg, wParam, lParam);
  ResurfaceIfPushButton(hwnd);
  EnumChildWindows(hwnd, ResurfaceChildProc, 0);
  RedrawWindow(hwnd, nullptr, nullptr, kRedrawAll);
  return result;
}

}  // namespace skin
