// A user32 function newer than the oldest system the program runs on, looked
// up by name rather than imported, so that the program still starts where
// user32 lacks it; nullptr then. user32 stays loaded for the life of the
// process, so callers may keep what this returns.
#pragma once
#include <windows.h>

namespace skin {

// GetProcAddress knows no signatures; going through void (*)() is the cast
// between function types that the compiler accepts without a warning.
template <class Fn>
Fn User32Function(const char* name) {
  const FARPROC found = GetProcAddress(GetModuleHandleA("user32"), name);
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(found));
}

}  // namespace skin
