#include "skin/window_proc.h"

#include "skin/attach.h"
#include "skin/draw/properties.h"
#include "skin/handlers.h"
#include "skin/high_contrast.h"
#include "skin/subclass.h"

namespace skin {
namespace {

// The previous procedure first, then the window named in lParam (an idle
// dialog, a drop-down list) is attached; the previous result stands.
LRESULT PassThenAttach(WNDPROC prev, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CallPrevious(prev, hwnd, msg, wParam, lParam);
  if (lParam) AttachSkin(reinterpret_cast<HWND>(lParam));
  return result;
}

// Check boxes and option buttons next to the released one show their state
// again: among the parent's (or owner's) descendants, or the window's own.
void RefreshSiblings(HWND hwnd) {
  HWND parent = GetParent(hwnd);
  EnumChildWindows(parent ? parent : hwnd, RefreshSiblingProc, 0);
}

}  // namespace

LRESULT CALLBACK SkinWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!hwnd) return 0;
  WNDPROC prev = reinterpret_cast<WNDPROC>(ReadProp(hwnd, kPropProcAddr));
  if (!prev) return PassThrough(hwnd, msg, wParam, lParam);

  switch (msg) {
    case WM_DESTROY: {
      // The window's own procedure sees its destruction unskinned.
      const bool wide = InstalledWide(hwnd);  // the detach forgets it
      DetachSkin(hwnd);
      ForgetRoot(hwnd);
      return CallPreviousAs(wide, prev, hwnd, msg, wParam, lParam);
    }
    case WM_SIZE:             return OnSize(prev, hwnd, msg, wParam, lParam);
    case kWmDpiChanged:       return OnDpiChanged(prev, hwnd, msg, wParam, lParam);
    case WM_ACTIVATE:         return OnActivate(prev, hwnd, msg, wParam, lParam);
    case WM_SETFOCUS:         return OnSetFocus(prev, hwnd, msg, wParam, lParam);
    case WM_KILLFOCUS:        return OnKillFocus(prev, hwnd, msg, wParam, lParam);
    case WM_ENABLE:           return OnEnable(prev, hwnd, msg, wParam, lParam);
    case WM_PAINT:            return OnPaint(prev, hwnd, msg, wParam, lParam);
    case WM_WINDOWPOSCHANGING: return OnWindowPosChanging(prev, hwnd, msg, wParam, lParam);
    case WM_NCPAINT:          return OnNcPaint(prev, hwnd, msg, wParam, lParam);
    case WM_KEYDOWN:          return OnKeyDown(prev, hwnd, msg, wParam, lParam);
    case WM_KEYUP:            return OnKeyUp(prev, hwnd, msg, wParam, lParam);
    case WM_TIMER:            return OnTimer(prev, hwnd, msg, wParam, lParam);
    case WM_ENTERIDLE:
    case WM_CTLCOLORLISTBOX:  return PassThenAttach(prev, hwnd, msg, wParam, lParam);
    case WM_MOUSEMOVE:        return OnMouseMove(prev, hwnd, msg, wParam, lParam);
    case WM_LBUTTONDOWN:      return OnLButtonDown(prev, hwnd, msg, wParam, lParam);
    case WM_LBUTTONUP: {
      const LRESULT result = OnLButtonUp(prev, hwnd, msg, wParam, lParam);
      RefreshSiblings(hwnd);
      return result;
    }
    case WM_LBUTTONDBLCLK:    return OnLButtonDblClk(prev, hwnd, msg, wParam, lParam);
    case WM_MOUSELEAVE:       return OnMouseLeave(prev, hwnd, msg, wParam, lParam);
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE:   return OnSchemeChange(prev, hwnd, msg, wParam, lParam);
    default:                  return CallPrevious(prev, hwnd, msg, wParam, lParam);
  }
}

}  // namespace skin
