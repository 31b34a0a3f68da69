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

// Registers the class names under which the skin draws check boxes, option
// buttons and progress bars, for the module the skin is linked into (the
// program, or the DLL that links it), as superclasses of the platform's
// controls: ThunderCheckBox, ThunderRT6CheckBox, ThunderOptionButton and
// ThunderRT6OptionButton of "Button" (give them BS_AUTOCHECKBOX or
// BS_AUTORADIOBUTTON), ProgressBar20WndClass and ProgressBarWndClass of the
// common controls' progress bar (initialised here). Call it before creating
// such windows with that module's instance handle; a second call changes
// nothing. The classes stay registered until the module is unloaded.
// Result: 1 when all six classes are registered for the module (now or
// before); 0 when one could not be (the others are registered all the same).
LONG RegisterSkinClasses();

}  // namespace skin
