#include "app/form_layout.h"

#include <cwchar>
#include <utility>

#include "app/form_control.h"
#include "skin/draw/dpi.h"
#include "skin/draw/user32_function.h"

namespace form {

namespace {

constexpr int kCentiPointsPerInch = 7200;

// Functions newer than Windows 7, looked up rather than imported.
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

}  // namespace

int TwipsToPixels(int twips, int dpi) { return MulDiv(twips, dpi, kTwipsPerInch); }

int ScreenDpi() { return skin::SystemDpi(); }

int WindowDpi(HWND hwnd, int fallback) {
  static const auto getDpi = skin::User32Function<GetDpiForWindowFn>("GetDpiForWindow");
  const UINT dpi = getDpi ? getDpi(hwnd) : 0;
  return dpi ? static_cast<int>(dpi) : fallback;
}

// The frame's metrics at that DPI where the system can give them; before
// Windows 10 the frame is the system DPI's.
RECT CentredFrame(const FormDef& def, DWORD style, DWORD exStyle, int dpi) {
  static const auto adjustForDpi = skin::User32Function<AdjustWindowRectExForDpiFn>("AdjustWindowRectExForDpi");
  RECT frame{0, 0, TwipsToPixels(def.clientWidth, dpi), TwipsToPixels(def.clientHeight, dpi)};
  if (!adjustForDpi || !adjustForDpi(&frame, style, FALSE, exStyle, dpi))
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  return {x, y, x + width, y + height};
}

RECT PixelRect(const ControlDef& s, int dpi) {
  return {TwipsToPixels(s.left, dpi), TwipsToPixels(s.top, dpi), TwipsToPixels(s.left + s.width, dpi),
          TwipsToPixels(s.top + s.height, dpi)};
}

LOGFONTW LogFontOf(const FontDef& font, int dpi) {
  LOGFONTW lf{};
  lf.lfHeight = -MulDiv(font.centiPoints, dpi, kCentiPointsPerInch);
  lf.lfWeight = font.weight;
  lf.lfCharSet = font.charset;
  lf.lfUnderline = font.underline ? TRUE : FALSE;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  wcsncpy(lf.lfFaceName, font.face, LF_FACESIZE - 1);
  return lf;
}

// The system reports its metrics at the system DPI (ScreenDpi); the
// per-DPI query exists only from Windows 10 on, and scaling gives the same.
skin::Font CreateUserInterfaceFont(int dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) return skin::Font();
  metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, dpi, ScreenDpi());
  return skin::Font(CreateFontIndirectW(&metrics.lfMessageFont));
}

skin::Icon LoadFormIcon(WORD id, int sizeMetric, int dpi) {
  if (!id) return skin::Icon();
  const int size = MulDiv(GetSystemMetrics(sizeMetric), dpi, ScreenDpi());
  return skin::Icon(static_cast<HICON>(
      LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0)));
}

// Fonts go to the windows before they move: a control that redraws itself on
// resizing (a skinned button renders its looks then) finds the new one. Each
// old font and icon is freed only once nothing draws with it any more.
void Form::ScaleTo(int dpi) {
  dpi_ = dpi;
  skin::Font formFont = CreateUserInterfaceFont(dpi);
  if (formFont) {  // else the controls keep the font they have
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(formFont.get()), FALSE);
    std::swap(formFont_, formFont);
  }
  for (auto& c : controls_) LayOut(*c);

  SetIcon(ICON_BIG, bigIcon_, LoadFormIcon(def_.iconId, SM_CXICON, dpi));
  SetIcon(ICON_SMALL, smallIcon_, LoadFormIcon(def_.iconId, SM_CXSMICON, dpi));
  InvalidateRect(hwnd_, nullptr, TRUE);
}

// An icon that could not be made leaves the one the window shows.
void Form::SetIcon(WPARAM which, skin::Icon& held, skin::Icon fresh) {
  if (!fresh) return;
  SendMessageW(hwnd_, WM_SETICON, which, reinterpret_cast<LPARAM>(fresh.get()));
  std::swap(held, fresh);
}

void Form::LayOut(Control& c) {
  c.rect = PixelRect(c.def, dpi_);
  const BYTE underline = c.logFont.lfUnderline;
  skin::Font font;
  if (c.def.font) {
    c.logFont = LogFontOf(*c.def.font, dpi_);
  } else if (formFont_) {
    GetObjectW(formFont_.get(), sizeof(c.logFont), &c.logFont);
  }
  c.logFont.lfUnderline = underline;
  // A control of the form's font has one of its own once its underline changed.
  if (c.def.font || c.font) font.reset(CreateFontIndirectW(&c.logFont));
  std::swap(c.font, font);

  if (c.IsLabel()) {
    SizeLabel(c);
    return;
  }
  if (HFONT current = FontOf(c)) SendMessageW(c.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(current), FALSE);
  SetWindowPos(c.hwnd, nullptr, c.rect.left, c.rect.top, c.rect.right - c.rect.left, c.rect.bottom - c.rect.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(c.hwnd, nullptr, TRUE);
}

void Form::SizeLabel(Control& c) {
  HDC screen = GetDC(hwnd_);
  SIZE extent{};
  {
    skin::SelectObjectScope font(screen, FontOf(c));
    GetTextExtentPoint32W(screen, c.def.text, static_cast<int>(wcslen(c.def.text)), &extent);
  }
  ReleaseDC(hwnd_, screen);
  c.rect.right = c.rect.left + extent.cx;
  c.rect.bottom = c.rect.top + extent.cy;
}

// The new DPI comes with the message: the window's own DPI query is newer
// than Windows 7 and is not kept up to date everywhere.
void Form::OnDpiChanged(int dpi, const RECT& suggested) {
  if (dpi <= 0) return;
  ScaleTo(dpi);
  SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace form
