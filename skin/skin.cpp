#include "skin/skin.h"

#include "skin/attach.h"
#include "skin/draw/high_contrast.h"
#include "skin/high_contrast.h"
#include "skin/state.h"
#include "skin/window_kind.h"

namespace skin {

void PrepareEngine() {
  EngineState& engine = Engine();
  if (engine.initialised) return;
  engine.initialised = true;
  engine.userTrackMouse = IsApiExported("TrackMouseEvent", "User32");
  BuildSkinBitmaps(engine.images);
  UseSkinImages(&engine.images);
}

// The window is listed even while high contrast keeps it unskinned, so that it
// gets the skin once the scheme is off.
LONG BeginSkin(HWND hwnd) {
  RememberRoot(hwnd);
  if (HighContrastOn()) {
    FollowHighContrast();
    return 0;
  }
  PrepareEngine();
  return AttachSkin(hwnd);
}

LONG EndSkin(HWND hwnd) {
  ForgetRoot(hwnd);
  return DetachSkin(hwnd);
}

}  // namespace skin
