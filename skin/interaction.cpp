#include "skin/handlers.h"

namespace skin {

// Placeholder: passes the message on until the real handler lands.
LRESULT OnMouseMove(WNDPROC& prev, HWND& hwnd, UINT& msg, WPARAM& wParam, LPARAM& lParam) { return CallPrevious(prev, hwnd, msg, wParam, lParam); }
LRESULT OnLButtonDown(WNDPROC& prev, HWND& hwnd, UINT& msg, WPARAM& wParam, LPARAM& lParam) { return CallPrevious(prev, hwnd, msg, wParam, lParam); }
LRESULT OnLButtonUp(WNDPROC& prev, HWND& hwnd, UINT& msg, WPARAM& wParam, LPARAM& lParam) { return CallPrevious(prev, hwnd, msg, wParam, lParam); }
LRESULT OnLButtonDblClk(WNDPROC& prev, HWND& hwnd, UINT& msg, WPARAM& wParam, LPARAM& lParam) { return CallPrevious(prev, hwnd, msg, wParam, lParam); }
LRESULT OnMouseLeave(WNDPROC& prev, HWND& hwnd, UINT& msg, WPARAM& wParam, LPARAM& lParam) { return CallPrevious(prev, hwnd, msg, wParam, lParam); }
LRESULT OnKeyDown(WNDPROC& prev, HWND& hwnd, UINT& msg, WPARAM& wParam, LPARAM& lParam) { return CallPrevious(prev, hwnd, msg, wParam, lParam); }
LRESULT OnKeyUp(WNDPROC& prev, HWND& hwnd, UINT& msg, WPARAM& wParam, LPARAM& lParam) { return CallPrevious(prev, hwnd, msg, wParam, lParam); }
LRESULT OnSetFocus(WNDPROC& prev, HWND& hwnd, UINT& msg, WPARAM& wParam, LPARAM& lParam) { return CallPrevious(prev, hwnd, msg, wParam, lParam); }
LRESULT OnKillFocus(WNDPROC& prev, HWND& hwnd, UINT& msg, WPARAM& wParam, LPARAM& lParam) { return CallPrevious(prev, hwnd, msg, wParam, lParam); }
LRESULT OnEnable(WNDPROC& prev, HWND& hwnd, UINT& msg, WPARAM& wParam, LPARAM& lParam) { return CallPrevious(prev, hwnd, msg, wParam, lParam); }

}  // namespace skin
BOOL CALLBACK skin::RefreshSiblingProc(HWND, LPARAM) { return TRUE; }
