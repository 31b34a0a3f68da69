// Attaching the skin to a window tree and taking it away again.
#pragma once
#include <windows.h>

namespace skin {

// 1 when the window was attached; 0 for window 0, a skinned window, a window
// of another thread (refused by policy), or one whose procedure could not be
// replaced (nothing of the attach is left on it then).
LONG AttachSkin(HWND hwnd);
// 1 when the window was detached; 0 for window 0 or an unskinned window.
LONG DetachSkin(HWND hwnd);

BOOL CALLBACK AttachChildProc(HWND hwnd, LPARAM lParam);
BOOL CALLBACK DetachChildProc(HWND hwnd, LPARAM lParam);

}  // namespace skin
