#include "skin/draw/dpi.h"

#include "skin/draw/user32_function.h"

namespace skin {

namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);

int g_testDpi = 0;

// Looked up once per process.
GetDpiForWindowFn GetDpiForWindowPtr() {
  static const GetDpiForWindowFn fn = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
  return fn;
}

GetSystemMetricsForDpiFn GetSystemMetricsForDpiPtr() {
  static const GetSystemMetricsForDpiFn fn =
      User32Function<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi");
  return fn;
}

}  // namespace

int SystemDpi() {
  const HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kBaseDpi;
}

int WindowDpi(HWND hwnd) {
  if (g_testDpi > 0) return g_testDpi;
  if (const GetDpiForWindowFn fn = GetDpiForWindowPtr()) {
    if (const UINT dpi = hwnd ? fn(hwnd) : 0) return static_cast<int>(dpi);
  }
  return SystemDpi();
}

int MetricForDpi(int index, int dpi) {
  const int system = SystemDpi();
  if (dpi == system) return GetSystemMetrics(index);
  if (const GetSystemMetricsForDpiFn fn = GetSystemMetricsForDpiPtr()) {
    return fn(index, static_cast<UINT>(dpi));
  }
  return MulDiv(GetSystemMetrics(index), dpi, system);
}

void SetWindowDpiForTesting(int dpi) { g_testDpi = dpi; }

}  // namespace skin
