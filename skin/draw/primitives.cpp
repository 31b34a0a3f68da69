#include "skin/draw/primitives.h"

#include <cmath>
#include <vector>

#include "skin/draw/gdi.h"

namespace skin {

namespace {

constexpr COLORREF kBlack = 0x000000;
constexpr COLORREF kWhiteRef = 0xFFFFFF;
constexpr DWORD kDestAndNotSource = 0x220326;  // DSna

RECT MakeRect(int left, int top, int width, int height) {
  return RECT{left, top, left + width, top + height};
}

// A memory device context of TransparentBlit with its own bitmap (and the
// palette, when given) selected in. Closing puts the kept bitmap back and
// deletes the new one, then puts the kept palette back and realizes it, then
// deletes the device context.
class BufferDC {
 public:
  BufferDC() = default;
  BufferDC(const BufferDC&) = delete;
  BufferDC& operator=(const BufferDC&) = delete;
  ~BufferDC() { Close(); }

  void Open(HDC display, Bitmap bitmap, HPALETTE palette) {
    dc_.reset(CreateCompatibleDC(display));
    bitmap_ = std::move(bitmap);
    keptBitmap_ = SelectObject(dc_.get(), bitmap_.get());
    if (palette) {
      keptPalette_ = SelectPalette(dc_.get(), palette, TRUE);
      RealizePalette(dc_.get());
      hasPalette_ = true;
    }
  }
  HDC get() const { return dc_.get(); }

 private:
  void Close() {
    if (dc_) {
      SelectObject(dc_.get(), keptBitmap_);
      bitmap_.reset();
      if (hasPalette_) {
        SelectPalette(dc_.get(), keptPalette_, TRUE);
        RealizePalette(dc_.get());
      }
    }
    dc_.reset();
    bitmap_.reset();
  }

  OwnedDC dc_;
  Bitmap bitmap_;
  HGDIOBJ keptBitmap_ = nullptr;
  HPALETTE keptPalette_ = nullptr;
  bool hasPalette_ = false;
};

}  // namespace

Surface& Surface::operator=(Surface&& o) noexcept {
  if (this != &o) {
    reset();
    dc_ = std::exchange(o.dc_, nullptr);
    bitmap_ = std::exchange(o.bitmap_, nullptr);
  }
  return *this;
}

// The bitmap cannot be deleted while it is selected, so the device context goes first.
void Surface::reset() {
  if (dc_) DeleteDC(std::exchange(dc_, nullptr));
  if (bitmap_) DeleteObject(std::exchange(bitmap_, nullptr));
}

int RoundHalfEven(double value) {
  double whole = std::floor(value);
  const double fraction = value - whole;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0)) whole += 1.0;
  return static_cast<int>(whole);
}

std::wstring GetWindowCaption(HWND hwnd) {
  const int length = GetWindowTextLengthW(hwnd);
  if (length <= 0) return std::wstring();
  std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(hwnd, buffer.data(), length + 1);
  return std::wstring(buffer.data(), copied > 0 ? static_cast<size_t>(copied) : 0);
}

int DrawCaptionText(HDC dc, const std::wstring& text, int left, int top, int width, int height,
                    UINT format) {
  RECT r = MakeRect(left, top, width, height);
  return DrawTextW(dc, text.c_str(), -1, &r, format);
}

int FillSolidRect(HDC dc, int left, int top, int width, int height, COLORREF colour) {
  Brush brush(CreateSolidBrush(colour));
  const RECT r = MakeRect(left, top, width, height);
  return FillRect(dc, &r, brush.get());
}

int FrameSolidRect(HDC dc, int left, int top, int width, int height, COLORREF colour) {
  Brush brush(CreateSolidBrush(colour));
  const RECT r = MakeRect(left, top, width, height);
  return FrameRect(dc, &r, brush.get());
}

BOOL DrawFocusFrame(HDC dc, int left, int top, int width, int height) {
  const RECT r = MakeRect(left, top, width, height);
  return DrawFocusRect(dc, &r);
}

BOOL GetWindowSize(HWND hwnd, WindowSize& size) {
  RECT r{};
  const BOOL result = GetWindowRect(hwnd, &r);
  size.Left = r.left;
  size.Top = r.top;
  size.Right = r.right;
  size.Bottom = r.bottom;
  size.Width = r.right - r.left;
  size.Height = r.bottom - r.top;
  return result;
}

// The border is taken as equal on both sides; scroll bars sit inside the
// window rectangle but outside the client area, so they are not border.
int GetClientOffset(HWND hwnd, int& borderX, int& borderY) {
  RECT window{};
  RECT client{};
  GetWindowRect(hwnd, &window);
  GetClientRect(hwnd, &client);
  const int vScrollWidth = GetSystemMetrics(SM_CXVSCROLL);
  const int hScrollHeight = GetSystemMetrics(SM_CYHSCROLL);
  int dx = (window.right - window.left) - (client.right - client.left);
  int dy = (window.bottom - window.top) - (client.bottom - client.top);
  const LONG style = GetWindowLongA(hwnd, GWL_STYLE);
  if (style & WS_VSCROLL) dx -= vScrollWidth;
  if (style & WS_HSCROLL) dy -= hScrollHeight;
  borderX = RoundHalfEven(dx / 2.0);
  borderY = RoundHalfEven(dy / 2.0);
  return 1;
}

// The bitmap is made compatible with the display, not with the new memory
// device context, which would give a monochrome bitmap.
Surface CreateSurface(int width, int height) {
  OwnedDC display = CreateDisplayDC();
  if (!display) return Surface();
  OwnedDC memory(CreateCompatibleDC(display.get()));
  if (!memory) return Surface();
  Bitmap bitmap(CreateCompatibleBitmap(display.get(), width, height));
  if (!bitmap) return Surface();
  const HGDIOBJ previous = SelectObject(memory.get(), bitmap.get());
  if (!previous || previous == HGDI_ERROR) return Surface();
  return Surface(memory.release(), bitmap.release());
}

namespace {

// The nine pieces of a cell: corners unscaled, edges stretched along, centre
// both ways; all margins 0 or less stretches the whole cell.
void DrawNineGrid(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh,
                  int L, int T, int R, int B) {
  if (L <= 0 && T <= 0 && R <= 0 && B <= 0) {
    StretchBlt(dst, x, y, w, h, src, sx + L, sy + T, sw - R, sh - B, SRCCOPY);
    return;
  }
  if (L > 0 && T > 0) BitBlt(dst, x, y, L, T, src, sx, sy, SRCCOPY);
  if (R > 0 && T > 0) BitBlt(dst, x + w - R, y, R, T, src, sx + sw - R, sy, SRCCOPY);
  if (L > 0 && B > 0) BitBlt(dst, x, y + h - B, L, B, src, sx, sy + sh - B, SRCCOPY);
  if (R > 0 && B > 0) BitBlt(dst, x + w - R, y + h - B, R, B, src, sx + sw - R, sy + sh - B, SRCCOPY);
  if (L > 0) StretchBlt(dst, x, y + T, L, h - T - B, src, sx, sy + T, L, sh - T - B, SRCCOPY);
  if (R > 0)
    StretchBlt(dst, x + w - R, y + T, R, h - T - B, src, sx + sw - R, sy + T, R, sh - T - B, SRCCOPY);
  if (T > 0) StretchBlt(dst, x + L, y, w - L - R, T, src, sx + L, sy, sw - L - R, T, SRCCOPY);
  if (B > 0)
    StretchBlt(dst, x + L, y + h - B, w - L - R, B, src, sx + L, sy + sh - B, sw - L - R, B, SRCCOPY);
  StretchBlt(dst, x + L, y + T, w - L - R, h - T - B, src, sx + L, sy + T, sw - L - R, sh - T - B,
             SRCCOPY);
}

// Every piece lands inside (x, y, w, h) of a device context without scaling,
// so drawing the pieces there gives what composing them off-screen and
// copying the result would: nothing to clip, no piece mirrored outside.
bool PiecesStayInside(HDC dst, int w, int h, int L, int T, int R, int B) {
  return w > 0 && h > 0 && L >= 0 && T >= 0 && R >= 0 && B >= 0 && L + R <= w && T + B <= h &&
         GetMapMode(dst) == MM_TEXT && GetGraphicsMode(dst) == GM_COMPATIBLE;
}

}  // namespace

int DrawSkinImage(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh,
                  int marginLeft, int marginTop, int marginRight, int marginBottom,
                  std::optional<OLE_COLOR> key) {
  if (w == 0 || h == 0 || sw == 0 || sh == 0) return 0;
  if (!src) return 0;  // an image that failed to build draws nothing
  const int L = marginLeft, T = marginTop, R = marginRight, B = marginBottom;

  // Opaque and safely inside: straight into dst, in the stretch mode a new
  // surface starts with, which decides the rows kept when a piece shrinks.
  if (!key && PiecesStayInside(dst, w, h, L, T, R, B)) {
    const int keptMode = SetStretchBltMode(dst, BLACKONWHITE);
    DrawNineGrid(dst, x, y, w, h, src, sx, sy, sw, sh, L, T, R, B);
    if (keptMode) SetStretchBltMode(dst, keptMode);
    return 1;
  }

  // Otherwise composed off-screen so that dst receives a single block
  // transfer; without the surface there is nothing to transfer.
  Surface tmp = CreateSurface(w, h);
  if (!tmp) return 0;
  DrawNineGrid(tmp.dc(), 0, 0, w, h, src, sx, sy, sw, sh, L, T, R, B);
  if (!key) return BitBlt(dst, x, y, w, h, tmp.dc(), 0, 0, SRCCOPY);
  TransparentBlit(dst, x, y, w, h, tmp.dc(), 0, 0, *key, nullptr);
  return 1;
}

// The classic mask method: a monochrome mask of the key pixels cuts the shape
// out of a copy of the destination, the source with its key pixels blacked out
// is ORed in, and the result goes to the destination in one transfer.
void TransparentBlit(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, OLE_COLOR key,
                     HPALETTE palette) {
  // Without a source the mask method would paint a black block.
  if (!src) return;
  // Declared in reverse order of release: source, result, mask, palette, display.
  OwnedDC display = CreateDisplayDC();
  Palette halftone;
  if (!palette) {
    halftone.reset(CreateHalftonePalette(display.get()));
    palette = halftone.get();
  }
  BufferDC mask;
  BufferDC result;
  BufferDC source;

  COLORREF keyRef = 0;
  if (FAILED(OleTranslateColor(key, palette, &keyRef))) keyRef = 0;
  keyRef &= 0xFFFFFF;

  result.Open(display.get(), Bitmap(CreateCompatibleBitmap(display.get(), w, h)), palette);
  BitBlt(result.get(), 0, 0, w, h, dst, x, y, SRCCOPY);

  Bitmap sourceBmp(CreateCompatibleBitmap(display.get(), w, h));
  Bitmap maskBmp(CreateBitmap(w, h, 1, 1, nullptr));
  source.Open(display.get(), std::move(sourceBmp), palette);
  // A monochrome source converts with its own colours.
  SetBkColor(source.get(), GetBkColor(src));
  SetTextColor(source.get(), GetTextColor(src));
  BitBlt(source.get(), 0, 0, w, h, src, sx, sy, SRCCOPY);

  // Colour to monochrome: pixels of the background colour (the key) turn white.
  mask.Open(display.get(), std::move(maskBmp), nullptr);
  SetBkColor(source.get(), keyRef);
  SetTextColor(source.get(), kWhiteRef);
  BitBlt(mask.get(), 0, 0, w, h, source.get(), 0, 0, SRCCOPY);

  // Key pixels of the source copy become black.
  SetTextColor(source.get(), kBlack);
  SetBkColor(source.get(), kWhiteRef);
  BitBlt(source.get(), 0, 0, w, h, mask.get(), 0, 0, kDestAndNotSource);

  // The background survives only under the key pixels; then the shape goes in.
  BitBlt(result.get(), 0, 0, w, h, mask.get(), 0, 0, SRCAND);
  BitBlt(result.get(), 0, 0, w, h, source.get(), 0, 0, SRCPAINT);

  BitBlt(dst, x, y, w, h, result.get(), 0, 0, SRCCOPY);
}

std::int16_t LoWordOf(LPARAM value) {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(value & 0xFFFF));
}

std::int16_t HiWordOf(LPARAM value) {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>((value >> 16) & 0xFFFF));
}

}  // namespace skin
