#include "skin/subclass.h"

#include "skin/draw/properties.h"
#include "skin/window_proc.h"

namespace skin {
namespace {

LONG_PTR SkinProcValue() { return reinterpret_cast<LONG_PTR>(&SkinWindowProc); }

// Read and written through the entry point of the character set SkinWindowProc
// was installed with; through the other one the platform would hand out a
// converting stand-in instead of the procedure itself.
LONG_PTR CurrentProc(HWND hwnd, bool wide) {
  return wide ? GetWindowLongPtrW(hwnd, GWLP_WNDPROC) : GetWindowLongPtrA(hwnd, GWLP_WNDPROC);
}

LONG_PTR SetProc(HWND hwnd, bool wide, LONG_PTR proc) {
  return wide ? SetWindowLongPtrW(hwnd, GWLP_WNDPROC, proc) : SetWindowLongPtrA(hwnd, GWLP_WNDPROC, proc);
}

void ForgetCharSet(HWND hwnd) {
  ClearProp(hwnd, kPropPassProc);
  ClearProp(hwnd, kPropUnicode);
}

}  // namespace

bool InstallSkinProc(HWND hwnd) {
  // Still in the chain below a later subclass: serving the window from there
  // again keeps one copy; a second one on top would pass every message round
  // through the subclass back to itself.
  if (const LONG_PTR waiting = ReadProp(hwnd, kPropPassProc)) {
    ClearProp(hwnd, kPropPassProc);
    WriteProp(hwnd, kPropProcAddr, waiting);
    return true;
  }
  const bool wide = IsWindowUnicode(hwnd) != FALSE;
  const LONG_PTR previous = SetProc(hwnd, wide, SkinProcValue());
  if (!previous) return false;  // a window always has a procedure: the platform refused
  if (wide) WriteProp(hwnd, kPropUnicode, 1);
  WriteProp(hwnd, kPropProcAddr, previous);
  return true;
}

void RemoveSkinProc(HWND hwnd, WNDPROC previous) {
  ClearProp(hwnd, kPropProcAddr);
  const bool wide = InstalledWide(hwnd);
  if (CurrentProc(hwnd, wide) == SkinProcValue()) {
    SetProc(hwnd, wide, reinterpret_cast<LONG_PTR>(previous));
    ForgetCharSet(hwnd);
  } else {
    WriteProp(hwnd, kPropPassProc, reinterpret_cast<LONG_PTR>(previous));
  }
}

bool InstalledWide(HWND hwnd) { return ReadProp(hwnd, kPropUnicode) != 0; }

LRESULT CallPreviousAs(bool wide, WNDPROC prev, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return wide ? CallWindowProcW(prev, hwnd, msg, wParam, lParam) : CallWindowProcA(prev, hwnd, msg, wParam, lParam);
}

LRESULT PassThrough(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  const auto next = reinterpret_cast<WNDPROC>(ReadProp(hwnd, kPropPassProc));
  if (!next) {
    return IsWindowUnicode(hwnd) ? DefWindowProcW(hwnd, msg, wParam, lParam)
                                 : DefWindowProcA(hwnd, msg, wParam, lParam);
  }
  const bool wide = InstalledWide(hwnd);
  // The later subclass has unhooked itself: SkinWindowProc is on top again and
  // steps out, leaving the window its own procedure.
  if (CurrentProc(hwnd, wide) == SkinProcValue()) {
    SetProc(hwnd, wide, reinterpret_cast<LONG_PTR>(next));
    ForgetCharSet(hwnd);
  } else if (msg == WM_NCDESTROY) {
    ForgetCharSet(hwnd);
  }
  return CallPreviousAs(wide, next, hwnd, msg, wParam, lParam);
}

}  // namespace skin
