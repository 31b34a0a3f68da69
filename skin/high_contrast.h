// The skin steps aside while the user's high-contrast scheme is on: it lets go
// of every window, which then draws as the platform draws it, and skins
// BeginSkin's windows again once the scheme is off.
#pragma once
#include <windows.h>

namespace skin {

// Lists a window BeginSkin was called for (once) and, with the first one,
// starts listening for scheme changes.
void RememberRoot(HWND hwnd);
// Takes a window off the list (EndSkin, its destruction); listening stops
// with the last one.
void ForgetRoot(HWND hwnd);

// Acts on the scheme as it is now: while high contrast is on, detaches every
// skinned window of the thread as EndSkin would; when it has gone off since,
// skins the listed windows again.
void FollowHighContrast();

// WM_SETTINGCHANGE for SPI_SETHIGHCONTRAST and WM_SYSCOLORCHANGE, which
// top-level windows get when the scheme changes: followed before the previous
// procedure sees the message, which may find its window unskinned by then.
LRESULT OnSchemeChange(WNDPROC& prev, HWND& hwnd, UINT& msg, WPARAM& wParam, LPARAM& lParam);

}  // namespace skin
