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

}  // namespace skin
