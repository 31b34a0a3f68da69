#include "skin/handlers.h"

namespace skin {

// Placeholder: passes the message on until the real handler lands.
LRESULT OnTimer(WNDPROC& prev, HWND& hwnd, UINT& msg, WPARAM& wParam, LPARAM& lParam) { return CallPrevious(prev, hwnd, msg, wParam, lParam); }

}  // namespace skin
#include "skin/fade.h"
void skin::TrackMouseLeave(HWND) {}
UINT_PTR skin::StartStateTimer(HWND) { return 0; }
BOOL skin::StopStateTimer(HWND) { return 0; }
