#include "skin/state.h"

namespace skin {

EngineState& Engine() {
  static EngineState state;
  return state;
}

}  // namespace skin
