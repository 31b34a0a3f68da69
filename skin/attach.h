// Attaching the skin to a window tree and taking it away again.
#pragma once
#include <windows.h>

#include "skin/skin.h"  // AttachSkin, DetachSkin

namespace skin {

// BeginSkin's first step: unless done, builds the shared images and tests for
// user32's TrackMouseEvent.
void PrepareEngine();

BOOL CALLBACK AttachChildProc(HWND hwnd, LPARAM lParam);
BOOL CALLBACK DetachChildProc(HWND hwnd, LPARAM lParam);

// A skinned push button's surfaces made again at its window size, its looks
// rendered and its rounded region given anew, all for its current DPI.
void ResurfacePushButton(HWND hwnd);

}  // namespace skin
