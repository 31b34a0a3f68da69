// Helpers for tests that drive real windows and read real pixels under Wine.
#pragma once
#include <windows.h>
#include <functional>
#include <string>
#include <utility>

namespace test {

// Dispatches the thread's pending messages; with ms > 0 keeps doing so for
// that long.
void PumpMessages(DWORD ms = 0);

// Pumps messages until the predicate holds or the time runs out.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);

// A 32-bit top-down DIB section selected into a memory DC, for exact pixels.
class Canvas {
 public:
  Canvas(int width, int height, COLORREF fill = 0xFFFFFF);
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;
  ~Canvas();
  HDC dc() const { return dc_; }
  int width() const { return width_; }
  int height() const { return height_; }
  // COLORREF of a pixel, read from the DIB bits (GdiFlush first).
  COLORREF Pixel(int x, int y) const;
  void Fill(COLORREF colour);

 private:
  int width_, height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  DWORD* bits_ = nullptr;
};

// Copies the whole window (frame included) as it shows on screen into a canvas.
void CaptureWindow(HWND hwnd, Canvas& canvas);

// Owns a window and destroys it at scope exit.
class Window {
 public:
  Window() = default;
  explicit Window(HWND hwnd) : hwnd_(hwnd) {}
  Window(Window&& o) noexcept : hwnd_(std::exchange(o.hwnd_, nullptr)) {}
  Window& operator=(Window&& o) noexcept {
    if (this != &o) { reset(); hwnd_ = std::exchange(o.hwnd_, nullptr); }
    return *this;
  }
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  ~Window() { reset(); }
  HWND get() const { return hwnd_; }
  operator HWND() const { return hwnd_; }
  void reset() {
    if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
    hwnd_ = nullptr;
  }

 private:
  HWND hwnd_ = nullptr;
};

// Registers (once) a superclass of a system class under another name, so that
// tests can reach the skin's kinds by class name ("ThunderRT6CheckBox" over
// "Button", say). Returns the atom.
ATOM RegisterSuperclass(const char* newName, const char* baseClass);

// A plain top-level window of the test's own class (not a skinned kind).
HWND CreateHostWindow(int width = 400, int height = 300, const char* title = "test host");

// The first visible top-level window of this thread with that class name.
HWND FindThreadWindow(const char* className);

// Sends the message to every top-level window of this thread, as the system
// broadcasts a change of its settings.
void SendToThreadWindows(UINT msg, WPARAM wParam = 0);

// Text of a window through WM_GETTEXT, in UTF-16.
std::wstring WindowTextW(HWND hwnd);

// UTF-8 of a UTF-16 text, for failure messages.
std::string Narrow(const std::wstring& text);

}  // namespace test

namespace test {

// Free slots in the process's GDI handle table, found by making 1x1 bitmaps
// until the platform refuses and freeing them again. Wine's GetGuiResources
// always answers 0, so leak tests compare this count before and after: every
// GDI object leaked in between (bitmap, brush, DC, region, palette, font) is
// one slot fewer.
int FreeGdiSlots();

}  // namespace test
