// Leave notifications and the push-button fade timer.
#include "skin/fade.h"

#include <commctrl.h>

#include "skin/draw/painters.h"
#include "skin/draw/properties.h"
#include "skin/draw/user32_function.h"
#include "skin/fade_levels.h"
#include "skin/handlers.h"
#include "skin/state.h"
#include "skin/window_kind.h"

namespace skin {
namespace {

// user32's TrackMouseEvent, looked up when it is needed rather than imported:
// an import would keep the program from starting where user32 lacks it, and
// comctl32's fallback would never get its chance.
using TrackMouseEventFn = BOOL(WINAPI*)(LPTRACKMOUSEEVENT);

// Looked up once.
TrackMouseEventFn UserTrackMouseEvent() {
  static const TrackMouseEventFn found = User32Function<TrackMouseEventFn>("TrackMouseEvent");
  return found;
}

// One tick of a fade: blend the current state's surface at the current alpha,
// then raise the alpha, or end the fade once it has passed full opacity.
void FadeStep(HWND hwnd) {
  const LONG_PTR alpha = ReadProp(hwnd, kPropAlphaLevel);
  BlendButtonFadeAt(hwnd, nullptr, static_cast<BYTE>(alpha));
  const LONG_PTR next = alpha + kFadeStep;
  if (next > kAlphaOpaque) {
    StopStateTimer(hwnd);
    WriteProp(hwnd, kPropAlphaLevel, kAlphaClear);
  } else {
    WriteProp(hwnd, kPropAlphaLevel, next);
  }
}

}  // namespace

void TrackMouseLeave(HWND hwnd) {
  TRACKMOUSEEVENT request{};
  request.cbSize = sizeof(request);  // not a literal 16: the structure is 24 bytes on 64-bit
  request.dwFlags = TME_LEAVE;
  request.hwndTrack = hwnd;
  request.dwHoverTime = 0;
  const TrackMouseEventFn userTrack = Engine().userTrackMouse ? UserTrackMouseEvent() : nullptr;
  if (userTrack) {
    userTrack(&request);
  } else {
    _TrackMouseEvent(&request);
  }
}

UINT_PTR StartStateTimer(HWND hwnd) {
  if (ReadProp(hwnd, kPropTimerId) != 0) return 0;  // a running fade keeps its timer
  const UINT_PTR id = SetTimer(hwnd, kFadeTimerId, kFadeIntervalMs, nullptr);
  WriteProp(hwnd, kPropTimerId, static_cast<LONG_PTR>(id));
  return id;
}

BOOL StopStateTimer(HWND hwnd) {
  const LONG_PTR id = ReadProp(hwnd, kPropTimerId);
  if (id == 0) return FALSE;
  const BOOL killed = KillTimer(hwnd, static_cast<UINT_PTR>(id));
  WriteProp(hwnd, kPropTimerId, 0);
  return killed;
}

// The step comes before the previous procedure, and whatever the identifier:
// a tick left in the queue after the timer stopped still draws once.
LRESULT OnTimer(WNDPROC& prev, HWND& hwnd, UINT& msg, WPARAM& wParam, LPARAM& lParam) {
  if (KindOfWindow(hwnd) == ControlKind::PushButton) FadeStep(hwnd);
  return CallPrevious(prev, hwnd, msg, wParam, lParam);
}

}  // namespace skin
