#include "skin/handlers.h"

namespace skin {

// Placeholder: passes the message on until the real handler lands.
LRESULT OnPaint(WNDPROC& prev, HWND& hwnd, UINT& msg, WPARAM& wParam, LPARAM& lParam) { return CallPrevious(prev, hwnd, msg, wParam, lParam); }
LRESULT OnNcPaint(WNDPROC& prev, HWND& hwnd, UINT& msg, WPARAM& wParam, LPARAM& lParam) { return CallPrevious(prev, hwnd, msg, wParam, lParam); }
LRESULT OnWindowPosChanging(WNDPROC& prev, HWND& hwnd, UINT& msg, WPARAM& wParam, LPARAM& lParam) { return CallPrevious(prev, hwnd, msg, wParam, lParam); }

}  // namespace skin
