// The engine's module-level state, one instance for the process.
#pragma once
#include "skin/draw/images.h"

namespace skin {

struct EngineState {
  bool initialised = false;    // the images exist and the mouse-leave test has run
  bool userTrackMouse = false; // user32 exports TrackMouseEvent (else comctl32's is used)
  SkinImages images;           // shared by all painters
  int skinnedCount = 0;        // windows attached and not yet detached
};

EngineState& Engine();

}  // namespace skin
