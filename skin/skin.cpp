#include "skin/skin.h"

#include "skin/attach.h"
#include "skin/state.h"
#include "skin/window_kind.h"

namespace skin {

LONG BeginSkin(HWND hwnd) {
  EngineState& engine = Engine();
  if (!engine.initialised) {
    engine.initialised = true;
    engine.userTrackMouse = IsApiExported("TrackMouseEvent", "User32");
    BuildSkinBitmaps(engine.images);
    UseSkinImages(&engine.images);
  }
  return AttachSkin(hwnd);
}

LONG EndSkin(HWND hwnd) { return DetachSkin(hwnd); }

}  // namespace skin
