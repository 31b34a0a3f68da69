// Leave notifications and the push-button fade timer.
#pragma once
#include <windows.h>

namespace skin {

inline constexpr UINT_PTR kFadeTimerId = 1;
inline constexpr UINT kFadeIntervalMs = 15;
inline constexpr int kFadeStep = 3;

// Requests one WM_MOUSELEAVE for the window.
void TrackMouseLeave(HWND hwnd);
// Starts the fade timer unless one runs; SetTimer's result, or 0 when running.
UINT_PTR StartStateTimer(HWND hwnd);
// Stops the fade timer if one runs; KillTimer's result, or 0 when none ran.
BOOL StopStateTimer(HWND hwnd);

}  // namespace skin
