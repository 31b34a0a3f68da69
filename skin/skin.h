// The skin engine's public entry points. A program calls BeginSkin on its main
// window once it is created (before it is shown) and EndSkin before it is
// destroyed; windows that appear later (message boxes, drop-down lists) are
// skinned and unskinned on the way. Every function runs on the thread that
// owns the window.
#pragma once
#include <windows.h>

namespace skin {

// Prepares the engine on its first call (images, mouse-leave test), then
// attaches the window and every window below it. Result: AttachSkin's.
LONG BeginSkin(HWND hwnd);

// Detaches the window and every window below it. Result: DetachSkin's.
LONG EndSkin(HWND hwnd);

// 1 when the window was attached; 0 for window 0, a skinned window, a window
// of another thread (refused by policy), or one whose procedure could not be
// replaced (nothing of the attach is left on it then).
LONG AttachSkin(HWND hwnd);

// 1 when the window was detached; 0 for window 0 or an unskinned window.
LONG DetachSkin(HWND hwnd);

}  // namespace skin
