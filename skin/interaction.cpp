// Mouse, keyboard, focus and enable handlers. Each lets the previous window
// procedure handle the message first, then moves the control's look along the
// transitions of its kind and returns the previous result unchanged.
#include "skin/interaction.h"

#include "skin/draw/painters.h"
#include "skin/draw/properties.h"
#include "skin/fade.h"
#include "skin/fade_levels.h"
#include "skin/handlers.h"
#include "skin/window_kind.h"

namespace skin {
namespace {


bool IsSpaceBar(WPARAM wParam) { return wParam == VK_SPACE; }

// --- Push button -----------------------------------------------------------

void DrawButton(HWND hwnd) { BlendButtonFade(hwnd, nullptr); }
// Drawn at the alpha just written, which needs no reading back.
void DrawButtonAt(HWND hwnd, int alpha) { BlendButtonFadeAt(hwnd, nullptr, static_cast<BYTE>(alpha)); }

// Sets the look to fade in and the alpha to start from; a running fade simply
// carries on from there.
void StartFade(HWND hwnd, int state, int fromAlpha) {
  WriteProp(hwnd, kPropOldState, state);
  WriteProp(hwnd, kPropAlphaLevel, fromAlpha);
  StartStateTimer(hwnd);
}

// A press shows at once, with no fade left running.
void ShowPressed(HWND hwnd) {
  StopStateTimer(hwnd);
  WriteProp(hwnd, kPropOldState, kStatePressed);
  WriteProp(hwnd, kPropAlphaLevel, kAlphaOpaque);
  DrawButtonAt(hwnd, kAlphaOpaque);
  WriteProp(hwnd, kPropAlphaLevel, kAlphaClear);
}

void PushButtonMouseMove(HWND hwnd) {
  if (ReadProp(hwnd, kPropMouseFlag) == 0) {  // the pointer enters
    WriteProp(hwnd, kPropMouseFlag, 1);
    TrackMouseLeave(hwnd);
    StartFade(hwnd, kStateHover, kAlphaClear);
  } else if (!PointerIsOver(hwnd)) {  // dragged off while the button holds the capture
    StopStateTimer(hwnd);
    WriteProp(hwnd, kPropAlphaLevel, kAlphaOpaque);
    DrawButtonAt(hwnd, kAlphaOpaque);
  }
}

void PushButtonReacts(HWND hwnd, UINT msg, WPARAM wParam) {
  switch (msg) {
    case WM_MOUSEMOVE:
      PushButtonMouseMove(hwnd);
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      ShowPressed(hwnd);
      break;
    case WM_KEYDOWN:
      if (IsSpaceBar(wParam)) ShowPressed(hwnd);
      break;
    case WM_LBUTTONUP:
      WriteProp(hwnd, kPropMouseFlag, 0);
      StartFade(hwnd, kStateNormal, kAlphaAfterClick);
      break;
    case WM_KEYUP:
      if (!IsSpaceBar(wParam)) break;
      WriteProp(hwnd, kPropMouseFlag, 0);
      StartFade(hwnd, kStateNormal, kAlphaClear);
      break;
    case WM_MOUSELEAVE:
      WriteProp(hwnd, kPropMouseFlag, 0);
      WriteProp(hwnd, kPropOldState, kStateHover);
      WriteProp(hwnd, kPropAlphaLevel, kAlphaLeaveHover);
      DrawButtonAt(hwnd, kAlphaLeaveHover);
      StartFade(hwnd, kStateNormal, kAlphaClear);
      break;
    case WM_ENABLE:  // drawn at once, at whatever alpha is current
      WriteProp(hwnd, kPropOldState, wParam != 0 ? kStateNormal : kStateDisabled);
      DrawButton(hwnd);
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:  // the focus frame is part of every surface
      RenderButtonSurfaces(hwnd);
      WriteProp(hwnd, kPropAlphaLevel, kAlphaClear);
      StartStateTimer(hwnd);
      break;
  }
}

// --- Check box and option button -------------------------------------------

using MarkPainter = int (*)(HWND hwnd, int state, bool force);

void MarkReacts(ControlKind kind, HWND hwnd, UINT msg, WPARAM wParam) {
  const MarkPainter paint = kind == ControlKind::CheckBox ? PaintCheckBox : PaintOptionButton;
  switch (msg) {
    case WM_MOUSEMOVE:  // every move repaints
      RequestMouseLeave(hwnd);
      paint(hwnd, LeftButtonHeld(wParam) ? kStatePressed : kStateHover, kForce);
      break;
    case WM_LBUTTONDOWN:
      paint(hwnd, kStatePressed, kIfChanged);
      break;
    case WM_LBUTTONUP:
      paint(hwnd, kStateNormal, kIfChanged);
      break;
    case WM_KEYDOWN:
      if (IsSpaceBar(wParam)) paint(hwnd, kStatePressed, kIfChanged);
      break;
    case WM_KEYUP:
      if (IsSpaceBar(wParam)) paint(hwnd, kStateNormal, kIfChanged);
      break;
    case WM_MOUSELEAVE:
      WriteProp(hwnd, kPropMouseFlag, 0);
      paint(hwnd, kStateNormal, kIfChanged);
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:  // only the option circle shows the focus change
      if (kind == ControlKind::OptionButton) paint(hwnd, kStateNormal, kForce);
      break;
  }
}

// --- Common frame ------------------------------------------------------------

bool IsSkinned(HWND hwnd) { return ReadProp(hwnd, kPropProcAddr) != 0; }

void React(ControlKind kind, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (kind) {
    case ControlKind::PushButton:
      PushButtonReacts(hwnd, msg, wParam);
      break;
    case ControlKind::CheckBox:
    case ControlKind::OptionButton:
      MarkReacts(kind, hwnd, msg, wParam);
      break;
    case ControlKind::ComboBox:
      ComboBoxReacts(hwnd, msg, wParam, lParam);
      break;
    case ControlKind::DriveList:
      DriveListReacts(hwnd, msg, wParam, lParam);
      break;
    case ControlKind::Header:
      HeaderReacts(hwnd, msg, wParam, lParam);
      break;
    default:
      break;
  }
}

// The previous procedure handles the message before any property is touched;
// whatever it re-entered (focus, click notification, a modal box) is over by
// the time the look changes. A window that was detached meanwhile gets no
// properties or timer back.
LRESULT AfterPrevious(WNDPROC prev, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  const ControlKind kind = KindOfWindow(hwnd);
  const LRESULT result = CallPrevious(prev, hwnd, msg, wParam, lParam);
  if (IsSkinned(hwnd)) React(kind, hwnd, msg, wParam, lParam);
  return result;
}

}  // namespace

bool PointerIsOver(HWND hwnd) {
  POINT pointer{};
  GetCursorPos(&pointer);
  return WindowFromPoint(pointer) == hwnd;
}

void RequestMouseLeave(HWND hwnd) {
  if (ReadProp(hwnd, kPropMouseFlag) != 0) return;
  WriteProp(hwnd, kPropMouseFlag, 1);
  TrackMouseLeave(hwnd);
}

LRESULT OnMouseMove(WNDPROC& prev, HWND& hwnd, UINT& msg, WPARAM& wParam, LPARAM& lParam) {
  return AfterPrevious(prev, hwnd, msg, wParam, lParam);
}
LRESULT OnLButtonDown(WNDPROC& prev, HWND& hwnd, UINT& msg, WPARAM& wParam, LPARAM& lParam) {
  return AfterPrevious(prev, hwnd, msg, wParam, lParam);
}
LRESULT OnLButtonUp(WNDPROC& prev, HWND& hwnd, UINT& msg, WPARAM& wParam, LPARAM& lParam) {
  return AfterPrevious(prev, hwnd, msg, wParam, lParam);
}
LRESULT OnLButtonDblClk(WNDPROC& prev, HWND& hwnd, UINT& msg, WPARAM& wParam, LPARAM& lParam) {
  return AfterPrevious(prev, hwnd, msg, wParam, lParam);
}
LRESULT OnMouseLeave(WNDPROC& prev, HWND& hwnd, UINT& msg, WPARAM& wParam, LPARAM& lParam) {
  return AfterPrevious(prev, hwnd, msg, wParam, lParam);
}
LRESULT OnKeyDown(WNDPROC& prev, HWND& hwnd, UINT& msg, WPARAM& wParam, LPARAM& lParam) {
  return AfterPrevious(prev, hwnd, msg, wParam, lParam);
}
LRESULT OnKeyUp(WNDPROC& prev, HWND& hwnd, UINT& msg, WPARAM& wParam, LPARAM& lParam) {
  return AfterPrevious(prev, hwnd, msg, wParam, lParam);
}
LRESULT OnSetFocus(WNDPROC& prev, HWND& hwnd, UINT& msg, WPARAM& wParam, LPARAM& lParam) {
  return AfterPrevious(prev, hwnd, msg, wParam, lParam);
}
LRESULT OnKillFocus(WNDPROC& prev, HWND& hwnd, UINT& msg, WPARAM& wParam, LPARAM& lParam) {
  return AfterPrevious(prev, hwnd, msg, wParam, lParam);
}
LRESULT OnEnable(WNDPROC& prev, HWND& hwnd, UINT& msg, WPARAM& wParam, LPARAM& lParam) {
  return AfterPrevious(prev, hwnd, msg, wParam, lParam);
}

BOOL CALLBACK RefreshSiblingProc(HWND hwnd, LPARAM) {
  if (!IsSkinned(hwnd)) return TRUE;
  switch (KindOfWindow(hwnd)) {
    case ControlKind::CheckBox:
      PaintCheckBox(hwnd, kStateNormal, kForce);
      break;
    case ControlKind::OptionButton:
      PaintOptionButton(hwnd, kStateNormal, kForce);
      break;
    default:
      break;
  }
  return TRUE;
}

}  // namespace skin
