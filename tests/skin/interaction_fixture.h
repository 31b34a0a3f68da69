// Helpers for the interaction tests: skinned controls on a host window,
// property reads, and comparing what a window shows with a reference.
#pragma once
#include <windows.h>

#include <cstdlib>
#include <vector>

#include "skin/attach.h"
#include "skin/draw/properties.h"
#include "skin/skin.h"
#include "tests/support/win32_test.h"

namespace itest {

inline constexpr COLORREF kMagenta = 0xFF00FF;
// What every stand-in window procedure returns for the interaction messages.
inline constexpr LRESULT kPreviousResult = 0x5EED;

inline LONG_PTR Prop(HWND hwnd, const char* name) { return skin::ReadProp(hwnd, name); }

inline LRESULT Send(HWND hwnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
  return SendMessageA(hwnd, msg, wParam, lParam);
}

inline LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

// A visible child of the host, skinned at once.
inline HWND SkinnedChild(HWND host, const char* className, DWORD style, int x, int y, int w, int h,
                         const char* text = "OK") {
  HWND hwnd = CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, host,
                              nullptr, GetModuleHandleA(nullptr), nullptr);
  skin::BeginSkin(hwnd);
  return hwnd;
}

// Paints the whole window (frame included) one colour, so that a later draw
// shows as a change and a skipped draw as none.
inline void Fill(HWND hwnd, COLORREF colour) {
  HDC dc = GetWindowDC(hwnd);
  HBRUSH brush = CreateSolidBrush(colour);
  RECT r{};
  GetWindowRect(hwnd, &r);
  OffsetRect(&r, -r.left, -r.top);
  FillRect(dc, &r, brush);
  DeleteObject(brush);
  ReleaseDC(hwnd, dc);
  GdiFlush();
}

inline SIZE OuterSize(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return {r.right - r.left, r.bottom - r.top};
}

// True when the window shows exactly what the reference DC holds over the
// rectangle; a margin keeps clear of the rounded corners.
inline bool ShowsSame(HWND hwnd, HDC reference, RECT area) {
  const SIZE size = OuterSize(hwnd);
  test::Canvas shown(size.cx, size.cy);
  test::CaptureWindow(hwnd, shown);
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x)
      if (shown.Pixel(x, y) != GetPixel(reference, x, y)) return false;
  return true;
}

// True when a push button shows its surface of that state, at full alpha.
inline bool ShowsSurface(HWND button, int state) {
  const SIZE size = OuterSize(button);
  return ShowsSame(button, skin::GetSurfaceDc(button, state), {2, 2, size.cx - 2, size.cy - 2});
}

inline COLORREF WindowPixel(HWND hwnd, int x, int y) {
  HDC dc = GetWindowDC(hwnd);
  const COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(hwnd, dc);
  return c;
}

inline bool Near(COLORREF a, COLORREF b, int tolerance) {
  for (int shift = 0; shift < 24; shift += 8)
    if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > tolerance)
      return false;
  return true;
}

// src laid over dst at constant alpha, channel by channel.
inline COLORREF Blend(COLORREF src, COLORREF dst, int alpha) {
  COLORREF out = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const int s = (src >> shift) & 0xFF, d = (dst >> shift) & 0xFF;
    out |= static_cast<COLORREF>((s * alpha + d * (255 - alpha)) / 255) << shift;
  }
  return out;
}

// Moves the real pointer to a point of the window's client area, or away
// from every test window.
inline void PointAt(HWND hwnd, int x, int y) {
  POINT p{x, y};
  ClientToScreen(hwnd, &p);
  SetCursorPos(p.x, p.y);
}
inline void PointAway() { SetCursorPos(0, 0); }

// Registers a window class of that name whose procedure is the given one.
inline void RegisterStandIn(const char* className, WNDPROC proc) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof(wc);
  if (GetClassInfoExA(GetModuleHandleA(nullptr), className, &wc)) return;
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = className;
  RegisterClassExA(&wc);
}

}  // namespace itest
