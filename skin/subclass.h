// Putting SkinWindowProc into a window's procedure chain and taking it out
// again, in the window's own character set: a Unicode window stays Unicode,
// so no text of it passes through the ANSI code page.
#pragma once
#include <windows.h>

namespace skin {

// Installs SkinWindowProc over the window's procedure through the entry point
// of the window's character set, and stores the previous procedure as
// "PROCADDR". A window where an earlier detach left SkinWindowProc in the
// chain takes that one up again rather than getting a second copy. False when
// the platform refused (nothing is stored then).
bool InstallSkinProc(HWND hwnd);

// Removes "PROCADDR" and puts the previous procedure back. When a later
// subclass sits over SkinWindowProc, putting it back would cut that subclass
// out of the chain; SkinWindowProc then stays below it as a pass-through.
void RemoveSkinProc(HWND hwnd, WNDPROC previous);

// True when SkinWindowProc was installed on the window through the wide entry
// point, so that its messages arrive in UTF-16.
bool InstalledWide(HWND hwnd);

// Calls the previous procedure in the character set the message arrived in.
LRESULT CallPreviousAs(bool wide, WNDPROC prev, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// A message to a window that SkinWindowProc serves without skinning it: to the
// procedure a detach left below it, otherwise to the default procedure.
LRESULT PassThrough(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace skin
