#include "skin/draw/colors.h"
#include "skin/draw/dpi.h"
#include "skin/draw/gdi.h"
#include "skin/draw/images.h"
#include "skin/draw/painters.h"
#include "skin/draw/part_sizes.h"
#include "skin/draw/primitives.h"
#include "skin/draw/properties.h"
#include "skin/fade.h"
#include "skin/fade_levels.h"
#include "skin/handlers.h"
#include "skin/window_kind.h"

#include <commctrl.h>

#include <algorithm>

namespace skin {
namespace {

constexpr LONG_PTR kComboListStyleBit = 1;  // simple and drop-down-list styles
constexpr double kProgressFull = 30000.0;

COLORREF ControlFrameColour(HWND hwnd) {
  return IsWindowEnabled(hwnd) ? kFrameEnabled : kFrameDisabled;
}

WindowSize SizeOf(HWND hwnd) {
  WindowSize size;
  GetWindowSize(hwnd, size);
  return size;
}

SIZE ClientSizeOf(HWND hwnd) {
  RECT r{};
  GetClientRect(hwnd, &r);
  return {r.right - r.left, r.bottom - r.top};
}

LONG_PTR StyleOf(HWND hwnd) { return GetWindowLongPtrA(hwnd, GWL_STYLE); }

// The part of the full range the bar shows, held in single precision. Kept
// within 0 to 1: a position beyond either end fills the bar fully or not at
// all, and the fill never reaches the frame around the client area.
float ProgressFraction(HWND hwnd) {
  const auto position = static_cast<int>(SendMessageA(hwnd, PBM_GETPOS, 0, 0));
  return std::clamp(static_cast<float>(position / kProgressFull), 0.0f, 1.0f);
}

int Scaled(float fraction, int length) { return RoundHalfEven(static_cast<double>(fraction) * length); }

// A frame ring is 1 pixel at 96 dpi; rings [first, first + count) of the
// window's outer edge inwards.
int RingWidth(HWND hwnd) { return FrameRingWidth(WindowDpi(hwnd)); }

void FrameRings(HDC dc, const WindowSize& size, int first, int count, COLORREF colour) {
  for (int i = first; i < first + count; ++i)
    FrameSolidRect(dc, i, i, size.Width - 2 * i, size.Height - 2 * i, colour);
}

void DrawControlFrame(HWND hwnd) {
  const WindowSize size = SizeOf(hwnd);
  WindowDC dc = WindowDC::Whole(hwnd);
  FrameRings(dc.get(), size, 0, RingWidth(hwnd), ControlFrameColour(hwnd));
}

void DrawDoubleFrame(HWND hwnd, HDC windowDc) {
  const WindowSize size = SizeOf(hwnd);
  const int ring = RingWidth(hwnd);
  FrameRings(windowDc, size, 0, ring, ControlFrameColour(hwnd));
  FrameRings(windowDc, size, ring, ring, kWhite);
}

int RecordedState(HWND hwnd) { return static_cast<int>(ReadProp(hwnd, kPropOldState)); }

LRESULT PaintPushButton(WNDPROC prev, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (!SkinDrawsButton(ReadProp(hwnd, kPropOldStyle))) return CallPrevious(prev, hwnd, msg, wParam, lParam);
  StopStateTimer(hwnd);  // a paint ends any fade
  WriteProp(hwnd, kPropAlphaLevel, kAlphaOpaque);
  PaintScope paint(hwnd);
  BlendSkinDrawnButton(hwnd, paint.get(), kAlphaOpaque);
  return 0;
}

// Drop-down style with an edit field: the skin draws the whole control.
LRESULT PaintEditCombo(HWND hwnd) {
  const WindowSize size = SizeOf(hwnd);
  int state = RecordedState(hwnd);
  PaintScope paint(hwnd);
  FillSolidRect(paint.get(), 0, 0, size.Width, size.Height, kWhite);
  FrameRings(paint.get(), size, 0, RingWidth(hwnd), ControlFrameColour(hwnd));
  PaintComboButton(hwnd, paint.get(), state, kForce);
  return 0;
}

// Simple and drop-down-list combo boxes and drive lists: own look, then frame and button.
LRESULT PaintListCombo(WNDPROC prev, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CallPrevious(prev, hwnd, msg, wParam, lParam);
  int state = RecordedState(hwnd);
  WindowDC dc = WindowDC::Whole(hwnd);
  DrawDoubleFrame(hwnd, dc.get());
  PaintComboButton(hwnd, dc.get(), state, kForce);
  return result;
}

LRESULT PaintProgressClient(HWND hwnd) {
  const LONG_PTR style = StyleOf(hwnd);
  const SIZE client = ClientSizeOf(hwnd);
  Surface surface = CreateSurface(client.cx, client.cy);
  const float fraction = ProgressFraction(hwnd);
  FillSolidRect(surface.dc(), 0, 0, client.cx, client.cy, kWhite);
  if (fraction != 0) {
    if (style & PBS_VERTICAL) {
      FillSolidRect(surface.dc(), 0, RoundHalfEven(client.cy - static_cast<double>(fraction) * client.cy),
                    client.cx, Scaled(fraction, client.cy), kProgressFill);
    } else {
      FillSolidRect(surface.dc(), 0, 0, Scaled(fraction, client.cx), client.cy, kProgressFill);
    }
  }
  PaintScope paint(hwnd);
  BitBlt(paint.get(), 0, 0, client.cx, client.cy, surface.dc(), 0, 0, SRCCOPY);
  return 0;
}

LRESULT PaintHeader(HWND hwnd) {
  const WindowSize size = SizeOf(hwnd);
  const HDC image = CurrentSkinImages().Header.dc();
  Surface surface = CreateSurface(size.Width, size.Height);
  StretchBlt(surface.dc(), 0, 0, size.Width, size.Height, image, kHeaderBackground.X, kHeaderBackground.Y,
             kHeaderBackground.Width, kHeaderBackground.Height, SRCCOPY);

  const auto count = static_cast<int>(SendMessageA(hwnd, HDM_GETITEMCOUNT, 0, 0));
  if (count > 0) {
    const LONG_PTR pressed = ReadProp(hwnd, kPropHdIndex);
    const LONG_PTR hot = ReadProp(hwnd, kPropHmIndex);
    for (int i = 0; i < count; ++i) {
      const RECT r = GetHeaderItemRect(hwnd, i);
      const std::wstring text = GetHeaderItemText(hwnd, i);
      const int state = i == pressed ? kStatePressed : i == hot ? kStateHover : kStateNormal;
      const ImageCell cell = kHeaderCell(state);
      DrawSkinImage(surface.dc(), r.left, 0, r.right - r.left, size.Height, image, cell.X, cell.Y, cell.Width,
                    cell.Height, kHeaderMargins.Left, kHeaderMargins.Top, kHeaderMargins.Right,
                    kHeaderMargins.Bottom);
      if (!text.empty()) {
        SelectObjectScope font(surface.dc(), reinterpret_cast<HGDIOBJ>(SendMessageA(hwnd, WM_GETFONT, 0, 0)));
        SetBkMode(surface.dc(), TRANSPARENT);
        DrawCaptionText(surface.dc(), text, r.left, 0, r.right - r.left, r.bottom, kCaptionFormat);
      }
    }
  }
  PaintScope paint(hwnd);
  BitBlt(paint.get(), 0, 0, size.Width, size.Height, surface.dc(), 0, 0, SRCCOPY);
  return 0;
}

// The platform's sunken edge becomes a flat frame with the client background inside it.
void DrawClientEdgeFrame(HWND hwnd) {
  int borderX = 0, borderY = 0;
  GetClientOffset(hwnd, borderX, borderY);
  const WindowSize size = SizeOf(hwnd);
  WindowDC windowDc = WindowDC::Whole(hwnd);
  WindowDC clientDc = WindowDC::Client(hwnd);
  const int ring = RingWidth(hwnd);
  FrameRings(windowDc.get(), size, 0, ring, ControlFrameColour(hwnd));
  for (int i = ring; i <= borderX; ++i)
    FrameSolidRect(windowDc.get(), i, i, size.Width - 1 - i, size.Height - 1 - i, GetBkColor(clientDc.get()));
}

// The whole progress window: frame, white inside, and the bar where the
// client paint alone would leave a gap.
LRESULT PaintProgressFrame(HWND hwnd) {
  int borderX = 0, borderY = 0;
  GetClientOffset(hwnd, borderX, borderY);
  const WindowSize size = SizeOf(hwnd);
  const SIZE client = ClientSizeOf(hwnd);
  const float fraction = ProgressFraction(hwnd);
  const LONG_PTR style = StyleOf(hwnd);

  Surface surface = CreateSurface(size.Width, size.Height);
  FillSolidRect(surface.dc(), 0, 0, size.Width, size.Height, kFrameEnabled);
  FillSolidRect(surface.dc(), 1, 1, size.Width - 2, size.Height - 2, kWhite);
  if (fraction != 0) {
    if ((style & PBS_VERTICAL) && (style & PBS_SMOOTH)) {
      FillSolidRect(surface.dc(), borderX, borderY, client.cx, client.cy, kProgressFill);
      FillSolidRect(surface.dc(), borderX, borderY, client.cx,
                    RoundHalfEven(client.cy - static_cast<double>(fraction) * client.cy), kWhite);
    } else if (!(style & PBS_VERTICAL)) {
      FillSolidRect(surface.dc(), borderX, borderY, Scaled(fraction, client.cx), client.cy, kProgressFill);
    }
  }
  WindowDC dc = WindowDC::Whole(hwnd);
  BitBlt(dc.get(), 0, 0, size.Width, size.Height, surface.dc(), 0, 0, SRCCOPY);
  return 0;
}

}  // namespace

LRESULT OnPaint(WNDPROC& prev, HWND& hwnd, UINT& msg, WPARAM& wParam, LPARAM& lParam) {
  switch (KindOfWindow(hwnd)) {
    case ControlKind::PushButton:
      return PaintPushButton(prev, hwnd, msg, wParam, lParam);
    case ControlKind::ComboBox:
      if (!(StyleOf(hwnd) & kComboListStyleBit)) return PaintEditCombo(hwnd);
      return PaintListCombo(prev, hwnd, msg, wParam, lParam);
    case ControlKind::DriveList:
      return PaintListCombo(prev, hwnd, msg, wParam, lParam);
    case ControlKind::CheckBox: {
      const LRESULT result = CallPrevious(prev, hwnd, msg, wParam, lParam);
      PaintCheckBox(hwnd, kStateNormal, kForce);
      return result;
    }
    case ControlKind::OptionButton: {
      const LRESULT result = CallPrevious(prev, hwnd, msg, wParam, lParam);
      PaintOptionButton(hwnd, kStateNormal, kForce);
      return result;
    }
    case ControlKind::DataList:
    case ControlKind::ComboList: {
      const LRESULT result = CallPrevious(prev, hwnd, msg, wParam, lParam);
      WindowDC dc = WindowDC::Whole(hwnd);
      DrawDoubleFrame(hwnd, dc.get());
      return result;
    }
    case ControlKind::ProgressBar:
      return PaintProgressClient(hwnd);
    case ControlKind::Header:
      return PaintHeader(hwnd);
    case ControlKind::Grid: {
      const LRESULT result = CallPrevious(prev, hwnd, msg, wParam, lParam);
      if (StyleOf(hwnd) & WS_BORDER) DrawControlFrame(hwnd);
      return result;
    }
    default:
      return CallPrevious(prev, hwnd, msg, wParam, lParam);
  }
}

LRESULT OnNcPaint(WNDPROC& prev, HWND& hwnd, UINT& msg, WPARAM& wParam, LPARAM& lParam) {
  switch (KindOfWindow(hwnd)) {
    case ControlKind::ProgressBar:
      return PaintProgressFrame(hwnd);
    case ControlKind::DataList:
      return CallPrevious(prev, hwnd, msg, wParam, lParam);
    default: {
      const LRESULT result = CallPrevious(prev, hwnd, msg, wParam, lParam);
      if (GetWindowLongPtrA(hwnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) DrawClientEdgeFrame(hwnd);
      return result;
    }
  }
}

LRESULT OnWindowPosChanging(WNDPROC& prev, HWND& hwnd, UINT& msg, WPARAM& wParam, LPARAM& lParam) {
  const LRESULT result = CallPrevious(prev, hwnd, msg, wParam, lParam);
  const ControlKind kind = KindOfWindow(hwnd);
  if (kind == ControlKind::ComboBox || kind == ControlKind::DriveList) {
    int state = kStateNormal;  // a hover or pressed look returns to normal on a move
    PaintComboButton(hwnd, nullptr, state, false);
  }
  return result;
}

}  // namespace skin
