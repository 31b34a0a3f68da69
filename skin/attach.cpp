#include "skin/attach.h"

#include "skin/draw/dpi.h"
#include "skin/draw/gdi.h"
#include "skin/draw/painters.h"
#include "skin/draw/part_sizes.h"
#include "skin/draw/primitives.h"
#include "skin/draw/properties.h"
#include "skin/fade.h"
#include "skin/handlers.h"
#include "skin/state.h"
#include "skin/subclass.h"
#include "skin/window_kind.h"

namespace skin {
namespace {

constexpr LONG_PTR kButtonTypeMask = 0xF;
constexpr UINT kRedrawFlags = RDW_INVALIDATE | RDW_INTERNALPAINT;

void GiveRoundedRegion(HWND hwnd, int width, int height) {
  const int corner = ButtonCornerDiameter(WindowDpi(hwnd));
  Region region(CreateRoundRectRgn(0, 0, width + 1, height + 1, corner, corner));
  if (SetWindowRgn(hwnd, region.get(), TRUE)) region.release();  // the window owns it now
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

ButtonSurfaces SetUpPushButton(HWND hwnd) {
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
    RenderButtonSurfaces(hwnd);
  }

  const LONG_PTR style = GetWindowLongPtrA(hwnd, GWL_STYLE);
  if (SkinDrawsButton(style)) SendMessageA(hwnd, BM_SETSTYLE, BS_OWNERDRAW, TRUE);

  WriteProp(hwnd, kPropOldStyle, style);
  WriteProp(hwnd, kPropMouseFlag, 0);
  WriteProp(hwnd, kPropTimerId, 0);
  WriteProp(hwnd, kPropOldState, IsWindowEnabled(hwnd) ? kStateNormal : kStateDisabled);
  WriteProp(hwnd, kPropAlphaLevel, 0);

  GiveRoundedRegion(hwnd, size.Width, size.Height);
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

void RepaintInOwnLook(HWND hwnd) {
  SendMessageA(hwnd, WM_NCPAINT, 1, 0);
  RedrawWindow(hwnd, nullptr, nullptr, kRedrawFlags);
}

}  // namespace

LONG AttachSkin(HWND hwnd) {
  if (!hwnd) return 0;
  if (ReadProp(hwnd, kPropProcAddr)) return 0;
  // A policy, not a limit of the platform: a window of another thread could be
  // subclassed from here, but its messages would then run the skin on that
  // thread, against state that only this one touches. Other programs' windows
  // cannot be subclassed at all.
  if (GetWindowThreadProcessId(hwnd, nullptr) != GetCurrentThreadId()) return 0;

  const AttachKind kind = AttachKindOf(KindOfWindow(hwnd));
  ButtonSurfaces surfaces;
  switch (kind) {
    case AttachKind::Form:
      EnumChildWindows(hwnd, AttachChildProc, 0);
      break;
    case AttachKind::PushButton:
      surfaces = SetUpPushButton(hwnd);
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
    return 0;
  }
  ++Engine().skinnedCount;

  RepaintInOwnLook(hwnd);
  return 1;
}

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
    for (int i = 0; i < kSurfaceCount; ++i) {
      Bitmap bitmap(CreateCompatibleBitmap(windowDc.get(), size.Width, size.Height));
      HGDIOBJ replaced = SelectObject(GetSurfaceDc(hwnd, i), bitmap.get());
      if (!replaced || replaced == HGDI_ERROR) continue;  // no surface: keep what is there
      DeleteObject(replaced);
      WriteProp(hwnd, kPropSurfaceBitmap[i], reinterpret_cast<LONG_PTR>(bitmap.release()));
    }
    RenderButtonSurfaces(hwnd);
  }
  GiveRoundedRegion(hwnd, size.Width, size.Height);
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
