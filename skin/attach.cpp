#include "skin/attach.h"

#include "skin/draw/dpi.h"
#include "skin/draw/gdi.h"
#include "skin/draw/high_contrast.h"
#include "skin/draw/painters.h"
#include "skin/draw/part_sizes.h"
#include "skin/draw/primitives.h"
#include "skin/draw/properties.h"
#include "skin/fade.h"
#include "skin/handlers.h"
#include "skin/state.h"
#include "skin/subclass.h"
#include "skin/window_kind.h"

#include <algorithm>
#include <vector>

namespace skin {
namespace {

constexpr LONG_PTR kButtonTypeMask = 0xF;
constexpr UINT kRedrawFlags = RDW_INVALIDATE | RDW_INTERNALPAINT;

void GiveRoundedRegion(HWND hwnd, int width, int height, BOOL redraw) {
  const int corner = ButtonCornerDiameter(WindowDpi(hwnd));
  Region region(CreateRoundRectRgn(0, 0, width + 1, height + 1, corner, corner));
  if (SetWindowRgn(hwnd, region.get(), redraw)) region.release();  // the window owns it now
}

// A button's region is set without a redraw: redrawing there costs a pass over
// every sibling that already has a region, which grows with the form. What
// that redraw would have shown is the parent's background in the corners the
// region cut off; the parents listed here are repainted once, at the end of
// the form's attach.
class CornerRepaints {
 public:
  void Add(HWND parent) {
    if (std::find(parents_.begin(), parents_.end(), parent) == parents_.end()) parents_.push_back(parent);
  }
  // True when the form itself is one of the parents (its own repaint then
  // erases); every other parent is erased and repainted here.
  bool RepaintAllBut(HWND form) const {
    bool formListed = false;
    for (HWND parent : parents_) {
      if (parent == form) {
        formListed = true;
      } else {
        RedrawWindow(parent, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
      }
    }
    return formListed;
  }

 private:
  std::vector<HWND> parents_;
};

bool IsChildWindow(HWND hwnd) { return (GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_CHILD) != 0; }

// The rounded region, and the repaint of the parent's pixels it uncovers: at
// the end of a form's attach when one is under way, otherwise at once for
// this button's rectangle. A top-level button's uncovered pixels belong to
// other windows, so it gets the platform's own redraw.
void RoundButton(HWND hwnd, const WindowSize& size, CornerRepaints* pending) {
  if (!IsChildWindow(hwnd)) {
    GiveRoundedRegion(hwnd, size.Width, size.Height, TRUE);
    return;
  }
  GiveRoundedRegion(hwnd, size.Width, size.Height, FALSE);
  const HWND parent = GetParent(hwnd);
  if (pending) {
    pending->Add(parent);
    return;
  }
  RECT inParent{size.Left, size.Top, size.Right, size.Bottom};
  MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&inParent), 2);
  RedrawWindow(parent, &inParent, nullptr, RDW_INVALIDATE | RDW_ERASE);
}

// The surfaces of a push button, held here as well as in its properties: a
// window destroyed during its own set-up takes its properties with it, and
// the surfaces must still be freed.
struct ButtonSurfaces {
  HDC dc[kSurfaceCount] = {};
  HBITMAP bitmap[kSurfaceCount] = {};
};

ButtonSurfaces SurfacesOf(HWND hwnd) {
  ButtonSurfaces surfaces;
  for (int i = 0; i < kSurfaceCount; ++i) {
    surfaces.dc[i] = GetSurfaceDc(hwnd, i);
    surfaces.bitmap[i] = GetSurfaceBitmap(hwnd, i);
  }
  return surfaces;
}

ButtonSurfaces SetUpPushButton(HWND hwnd, CornerRepaints* pending) {
  ButtonSurfaces surfaces;
  WindowSize size;
  {
    WindowDC windowDc = WindowDC::Whole(hwnd);
    GetWindowSize(hwnd, size);
    for (int i = 0; i < kSurfaceCount; ++i) {
      surfaces.dc[i] = CreateCompatibleDC(windowDc.get());
      surfaces.bitmap[i] = CreateCompatibleBitmap(windowDc.get(), size.Width, size.Height);
      SelectObject(surfaces.dc[i], surfaces.bitmap[i]);
      WriteProp(hwnd, kPropSurfaceDc[i], reinterpret_cast<LONG_PTR>(surfaces.dc[i]));
      WriteProp(hwnd, kPropSurfaceBitmap[i], reinterpret_cast<LONG_PTR>(surfaces.bitmap[i]));
    }
    RenderButtonSurfaces(hwnd, surfaces.dc);
  }

  const LONG_PTR style = GetWindowLongPtrA(hwnd, GWL_STYLE);
  // No redraw here: the attach repaints the button once when it is done.
  if (SkinDrawsButton(style)) SendMessageA(hwnd, BM_SETSTYLE, BS_OWNERDRAW, FALSE);

  WriteProp(hwnd, kPropOldStyle, style);
  WriteProp(hwnd, kPropMouseFlag, 0);
  WriteProp(hwnd, kPropTimerId, 0);
  WriteProp(hwnd, kPropOldState, IsWindowEnabled(hwnd) ? kStateNormal : kStateDisabled);
  WriteProp(hwnd, kPropAlphaLevel, 0);

  RoundButton(hwnd, size, pending);
  return surfaces;
}

// Each device context goes before its bitmap, which it holds selected.
void UndoPushButton(HWND hwnd, const ButtonSurfaces& surfaces) {
  for (int i = 0; i < kSurfaceCount; ++i) {
    DeleteDC(surfaces.dc[i]);
    DeleteObject(surfaces.bitmap[i]);
    ClearProp(hwnd, kPropSurfaceDc[i]);
    ClearProp(hwnd, kPropSurfaceBitmap[i]);
  }
  StopStateTimer(hwnd);

  // Only the type bits the owner-draw switch changed go back; a disable, hide
  // or other style change made while skinned stays.
  const LONG_PTR oldStyle = ReadProp(hwnd, kPropOldStyle);
  if (SkinDrawsButton(oldStyle)) {
    const LONG_PTR current = GetWindowLongPtrA(hwnd, GWL_STYLE);
    SetWindowLongPtrA(hwnd, GWL_STYLE, (current & ~kButtonTypeMask) | (oldStyle & kButtonTypeMask));
  }

  ClearProp(hwnd, kPropOldStyle);
  ClearProp(hwnd, kPropMouseFlag);
  ClearProp(hwnd, kPropTimerId);
  ClearProp(hwnd, kPropOldState);
  ClearProp(hwnd, kPropAlphaLevel);
  SetWindowRgn(hwnd, nullptr, TRUE);
}

void ClearStatefulProps(HWND hwnd) {
  ClearProp(hwnd, kPropMouseFlag);
  ClearProp(hwnd, kPropOldState);
}

void ClearHeaderProps(HWND hwnd) {
  ClearProp(hwnd, kPropMouseFlag);
  ClearProp(hwnd, kPropHdIndex);
  ClearProp(hwnd, kPropHmIndex);
}

void ReleaseSharedState() {
  EngineState& engine = Engine();
  engine.skinnedCount = 0;
  engine.images.Button.reset();
  engine.images.ComboButton.reset();
  engine.images.Mark.reset();
  engine.images.Option.reset();
  engine.images.Header.reset();
  UseSkinImages(nullptr);
  engine.initialised = false;
}

void RepaintInOwnLook(HWND hwnd, UINT extraFlags = 0) {
  SendMessageA(hwnd, WM_NCPAINT, 1, 0);
  RedrawWindow(hwnd, nullptr, nullptr, kRedrawFlags | extraFlags);
}

LONG AttachWindow(HWND hwnd, CornerRepaints* pending);

// The enumeration of a form's attach, which collects the parents to repaint.
BOOL CALLBACK AttachDescendantProc(HWND hwnd, LPARAM lParam) {
  AttachWindow(hwnd, reinterpret_cast<CornerRepaints*>(lParam));
  return TRUE;
}

// pending: the repaints of the form whose attach reached this window, or 0
// when it is attached on its own.
LONG AttachWindow(HWND hwnd, CornerRepaints* pending) {
  if (!hwnd) return 0;
  if (ReadProp(hwnd, kPropProcAddr)) return 0;
  // A policy, not a limit of the platform: a window of another thread could be
  // subclassed from here, but its messages would then run the skin on that
  // thread, against state that only this one touches. Other programs' windows
  // cannot be subclassed at all.
  if (GetWindowThreadProcessId(hwnd, nullptr) != GetCurrentThreadId()) return 0;
  // The user's high-contrast colours win: every window keeps the platform's look.
  if (HighContrastOn()) return 0;

  const AttachKind kind = AttachKindOf(KindOfWindow(hwnd));
  ButtonSurfaces surfaces;
  CornerRepaints corners;  // this form's own
  switch (kind) {
    case AttachKind::Form:
      EnumChildWindows(hwnd, AttachDescendantProc, reinterpret_cast<LPARAM>(&corners));
      break;
    case AttachKind::PushButton:
      surfaces = SetUpPushButton(hwnd, pending);
      break;
    case AttachKind::Stateful:
      WriteProp(hwnd, kPropMouseFlag, 0);
      WriteProp(hwnd, kPropOldState, kStateNormal);
      break;
    case AttachKind::Header:
      WriteProp(hwnd, kPropMouseFlag, 0);
      WriteProp(hwnd, kPropHdIndex, kNoItem);
      WriteProp(hwnd, kPropHmIndex, kNoItem);
      break;
    case AttachKind::Plain:
      break;
  }

  // Refused (the window may have gone during its own set-up): not skinned, and
  // what the set-up made is taken back.
  if (!InstallSkinProc(hwnd)) {
    if (kind == AttachKind::PushButton) UndoPushButton(hwnd, surfaces);
    if (kind == AttachKind::Stateful) ClearStatefulProps(hwnd);
    if (kind == AttachKind::Header) ClearHeaderProps(hwnd);
    corners.RepaintAllBut(nullptr);
    return 0;
  }
  ++Engine().skinnedCount;

  RepaintInOwnLook(hwnd, corners.RepaintAllBut(hwnd) ? RDW_ERASE : 0);
  return 1;
}

}  // namespace

LONG AttachSkin(HWND hwnd) { return AttachWindow(hwnd, nullptr); }

LONG DetachSkin(HWND hwnd) {
  if (!hwnd) return 0;
  const LONG_PTR previous = ReadProp(hwnd, kPropProcAddr);
  if (!previous) return 0;

  switch (AttachKindOf(KindOfWindow(hwnd))) {
    case AttachKind::Form:
      EnumChildWindows(hwnd, DetachChildProc, 0);
      break;
    case AttachKind::PushButton:
      UndoPushButton(hwnd, SurfacesOf(hwnd));
      break;
    case AttachKind::Stateful:
      ClearStatefulProps(hwnd);
      break;
    case AttachKind::Header:
      ClearHeaderProps(hwnd);
      break;
    case AttachKind::Plain:
      break;
  }

  RemoveSkinProc(hwnd, reinterpret_cast<WNDPROC>(previous));
  RepaintInOwnLook(hwnd);

  if (--Engine().skinnedCount <= 0) ReleaseSharedState();
  return 1;
}

BOOL CALLBACK AttachChildProc(HWND hwnd, LPARAM) {
  AttachSkin(hwnd);
  return TRUE;
}

BOOL CALLBACK DetachChildProc(HWND hwnd, LPARAM) {
  DetachSkin(hwnd);
  return TRUE;
}

void ResurfacePushButton(HWND hwnd) {
  WindowSize size;
  {
    WindowDC windowDc = WindowDC::Whole(hwnd);
    GetWindowSize(hwnd, size);
    HDC surfaces[kSurfaceCount];
    for (int i = 0; i < kSurfaceCount; ++i) {
      surfaces[i] = GetSurfaceDc(hwnd, i);
      Bitmap bitmap(CreateCompatibleBitmap(windowDc.get(), size.Width, size.Height));
      HGDIOBJ replaced = SelectObject(surfaces[i], bitmap.get());
      if (!replaced || replaced == HGDI_ERROR) continue;  // no surface: keep what is there
      DeleteObject(replaced);
      WriteProp(hwnd, kPropSurfaceBitmap[i], reinterpret_cast<LONG_PTR>(bitmap.release()));
    }
    RenderButtonSurfaces(hwnd, surfaces);
  }
  GiveRoundedRegion(hwnd, size.Width, size.Height, TRUE);
}

LRESULT OnSize(WNDPROC& prev, HWND& hwnd, UINT& msg, WPARAM& wParam, LPARAM& lParam) {
  const LRESULT result = CallPrevious(prev, hwnd, msg, wParam, lParam);
  if (KindOfWindow(hwnd) == ControlKind::PushButton) ResurfacePushButton(hwnd);
  return result;
}

LRESULT OnActivate(WNDPROC& prev, HWND& hwnd, UINT& msg, WPARAM& wParam, LPARAM& lParam) {
  HWND other = reinterpret_cast<HWND>(lParam);
  if (other) {
    if (GetParent(other) == hwnd || KindOfWindow(other) == ControlKind::Form) AttachSkin(other);
  }
  return CallPrevious(prev, hwnd, msg, wParam, lParam);
}

}  // namespace skin
