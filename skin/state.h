// The engine's module-level state, one instance for the process.
#pragma once
#include <windows.h>

#include <vector>

#include "skin/draw/images.h"

namespace skin {

struct EngineState {
  bool initialised = false;    // the images exist and the mouse-leave test has run
  bool userTrackMouse = false; // user32 exports TrackMouseEvent (else comctl32's is used)
  SkinImages images;           // shared by all painters
  int skinnedCount = 0;        // windows attached and not yet detached

  // High contrast: the skin lets go of every window while it is on.
  std::vector<HWND> roots;     // BeginSkin's windows, skinned again when it goes off
  bool steppedAside = false;   // it is on, and every window was let go
  HWND schemeWatch = nullptr;  // hidden top-level window that hears the scheme change
};

EngineState& Engine();

}  // namespace skin
