// The DPI a window's skin parts are drawn for, and the platform's measures at
// that DPI. Functions newer than Windows 7 are looked up at run time.
#pragma once
#include <windows.h>

namespace skin {

inline constexpr int kBaseDpi = 96;  // the DPI the pixel tables are drawn for

// GetDpiForWindow where the system has it (Windows 10 1607 and later),
// otherwise the display's LOGPIXELSX.
int WindowDpi(HWND hwnd);

// The display's LOGPIXELSX: the DPI GetSystemMetrics answers for.
int SystemDpi();

// A length given in 96-dpi pixels, at dpi (MulDiv: halves away from zero).
inline int ScaleForDpi(int pixels, int dpi) { return MulDiv(pixels, dpi, kBaseDpi); }

// GetSystemMetrics at dpi: the system's own answer at its DPI, otherwise
// GetSystemMetricsForDpi where present, otherwise the system's answer scaled.
int MetricForDpi(int index, int dpi);

// Tests only: every window is taken to be at dpi (0 asks the system again).
// Wine keeps answering the system DPI, so a test cannot get another from it.
void SetWindowDpiForTesting(int dpi);

}  // namespace skin
