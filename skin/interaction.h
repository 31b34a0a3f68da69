// Shared by the interaction handlers: the pointer test, leave tracking and the
// reactions of the drop-down and header kinds.
#pragma once
#include <windows.h>

namespace skin {

// True when a mouse message says the left button is held (MK_LBUTTON).
inline bool LeftButtonHeld(WPARAM wParam) { return (wParam & MK_LBUTTON) != 0; }

// True when the window itself (not a child of it) is under the pointer.
bool PointerIsOver(HWND hwnd);

// Requests one WM_MOUSELEAVE unless a request is pending ("MOUSEFLAG" 1).
void RequestMouseLeave(HWND hwnd);

// What a combo box, a drive list and a header do about a message once their
// previous window procedure has handled it.
void ComboBoxReacts(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
void DriveListReacts(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
void HeaderReacts(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace skin
