// Public entry points of the skin engine, for the main window.
#pragma once
#include <windows.h>

namespace skin {

// Prepares the engine on its first call (images, mouse-leave test), then
// attaches the window and every window below it. Result: AttachSkin's.
LONG BeginSkin(HWND hwnd);

// Detaches the window and every window below it. Result: DetachSkin's.
LONG EndSkin(HWND hwnd);

}  // namespace skin
