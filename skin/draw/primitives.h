// Small stateless drawing operations: window measurement, solid rectangles,
// caption text, the focus frame, off-screen surfaces, the nine-grid image draw
// and the keyed block transfer. Each releases everything it makes before it
// returns, except the surface that CreateSurface hands to its caller.
#pragma once
#include <windows.h>
#include <olectl.h>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

namespace skin {

// Format of every caption the skin draws: one line, centred both ways,
// cut with an ellipsis at the end (DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS).
inline constexpr UINT kCaptionFormat = 0x8025;

// The window rectangle in screen coordinates, with its width and height.
struct WindowSize {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  int Width = 0;
  int Height = 0;
};

// An off-screen drawing target: a memory device context with a bitmap of its
// own selected into it. Releasing it deletes the device context, then the bitmap.
class Surface {
 public:
  Surface() = default;
  Surface(HDC dc, HBITMAP bitmap) : dc_(dc), bitmap_(bitmap) {}
  Surface(Surface&& o) noexcept
      : dc_(std::exchange(o.dc_, nullptr)), bitmap_(std::exchange(o.bitmap_, nullptr)) {}
  Surface& operator=(Surface&& o) noexcept;
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;
  ~Surface() { reset(); }

  HDC dc() const { return dc_; }
  HBITMAP bitmap() const { return bitmap_; }
  explicit operator bool() const { return dc_ != nullptr; }
  void reset();

 private:
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
};

// Rounds to the nearest integer, a half going to the even neighbour.
int RoundHalfEven(double value);

// Texts are read and drawn wide, so that no code page can lose a character
// on the way from the window to the screen.
std::wstring GetWindowCaption(HWND hwnd);
int DrawCaptionText(HDC dc, const std::wstring& text, int left, int top, int width, int height,
                    UINT format);
int FillSolidRect(HDC dc, int left, int top, int width, int height, COLORREF colour);
int FrameSolidRect(HDC dc, int left, int top, int width, int height, COLORREF colour);
BOOL DrawFocusFrame(HDC dc, int left, int top, int width, int height);
BOOL GetWindowSize(HWND hwnd, WindowSize& size);
int GetClientOffset(HWND hwnd, int& borderX, int& borderY);

// A surface of the screen's colour format; an empty Surface when a step fails.
Surface CreateSurface(int width, int height);

// Draws the cell (sx, sy, sw, sh) of src into (x, y, w, h) of dst by the
// nine-grid rule (corners kept, edges stretched along, centre both ways).
// Opaque pieces that all fit inside the rectangle go straight into dst; any
// other draw is composed off-screen so that dst receives one block transfer.
// With a key colour the transfer leaves dst unchanged where the cell has that
// colour. A source of 0, or a needed surface that cannot be made, leaves dst
// untouched (result 0).
int DrawSkinImage(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh,
                  int marginLeft, int marginTop, int marginRight, int marginBottom,
                  std::optional<OLE_COLOR> key = std::nullopt);

// Copies the w x h block at (sx, sy) of src to (x, y) of dst, leaving dst as it
// was wherever the source pixel equals the key. The key is an OLE colour, so a
// system colour (high bit set) stands for that colour. A source of 0 leaves
// dst untouched.
void TransparentBlit(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, OLE_COLOR key,
                     HPALETTE palette = nullptr);

// Bits 0-15 and 16-31 of a 32-bit value (a mouse message's lParam) as signed.
std::int16_t LoWordOf(LPARAM value);
std::int16_t HiWordOf(LPARAM value);

}  // namespace skin
