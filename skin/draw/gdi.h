// Owning wrappers for the GDI and USER handles the skin draws with. Each type
// owns exactly one platform resource and frees it in its destructor, so no
// return path can leak a device context, bitmap, brush, palette, region, font
// or icon.
#pragma once
#include <windows.h>
#include <utility>

namespace skin {

// A GDI object made by the program (brush, bitmap, palette, region, font).
template <class Handle>
class GdiObject {
 public:
  GdiObject() = default;
  explicit GdiObject(Handle h) : h_(h) {}
  GdiObject(GdiObject&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
  GdiObject& operator=(GdiObject&& o) noexcept {
    if (this != &o) reset(std::exchange(o.h_, nullptr));
    return *this;
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  ~GdiObject() { reset(); }

  Handle get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }
  Handle release() { return std::exchange(h_, nullptr); }
  void reset(Handle h = nullptr) {
    if (h_) DeleteObject(h_);
    h_ = h;
  }

 private:
  Handle h_ = nullptr;
};

using Brush = GdiObject<HBRUSH>;
using Bitmap = GdiObject<HBITMAP>;
using Palette = GdiObject<HPALETTE>;
using Region = GdiObject<HRGN>;
using Font = GdiObject<HFONT>;

// An icon the program loaded or created: freed with DestroyIcon, not
// DeleteObject. (Shared icons from LoadIcon must not be held here.)
class Icon {
 public:
  Icon() = default;
  explicit Icon(HICON h) : h_(h) {}
  Icon(Icon&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
  Icon& operator=(Icon&& o) noexcept {
    if (this != &o) reset(std::exchange(o.h_, nullptr));
    return *this;
  }
  Icon(const Icon&) = delete;
  Icon& operator=(const Icon&) = delete;
  ~Icon() { reset(); }

  HICON get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }
  HICON release() { return std::exchange(h_, nullptr); }
  void reset(HICON h = nullptr) {
    if (h_) DestroyIcon(h_);
    h_ = h;
  }

 private:
  HICON h_ = nullptr;
};

// A device context the program created (CreateDCA, CreateCompatibleDC).
class OwnedDC {
 public:
  OwnedDC() = default;
  explicit OwnedDC(HDC dc) : dc_(dc) {}
  OwnedDC(OwnedDC&& o) noexcept : dc_(std::exchange(o.dc_, nullptr)) {}
  OwnedDC& operator=(OwnedDC&& o) noexcept {
    if (this != &o) reset(std::exchange(o.dc_, nullptr));
    return *this;
  }
  OwnedDC(const OwnedDC&) = delete;
  OwnedDC& operator=(const OwnedDC&) = delete;
  ~OwnedDC() { reset(); }

  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }
  HDC release() { return std::exchange(dc_, nullptr); }
  void reset(HDC dc = nullptr) {
    if (dc_) DeleteDC(dc_);
    dc_ = dc;
  }

 private:
  HDC dc_ = nullptr;
};

// A device context on the display ("DISPLAY" driver), for compatible objects.
inline OwnedDC CreateDisplayDC() { return OwnedDC(CreateDCA("DISPLAY", nullptr, nullptr, nullptr)); }

// A window's device context from GetWindowDC (whole window) or GetDC (client).
class WindowDC {
 public:
  static WindowDC Whole(HWND hwnd) { return WindowDC(hwnd, GetWindowDC(hwnd)); }
  static WindowDC Client(HWND hwnd) { return WindowDC(hwnd, GetDC(hwnd)); }
  WindowDC(WindowDC&& o) noexcept : hwnd_(o.hwnd_), dc_(std::exchange(o.dc_, nullptr)) {}
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  WindowDC& operator=(WindowDC&&) = delete;
  ~WindowDC() {
    if (dc_) ReleaseDC(hwnd_, dc_);
  }
  HDC get() const { return dc_; }

 private:
  WindowDC(HWND hwnd, HDC dc) : hwnd_(hwnd), dc_(dc) {}
  HWND hwnd_;
  HDC dc_;
};

// Either the device context a caller passed, or the window's own one, obtained
// here and released on scope exit (the painters' "0 for the window's own").
class TargetDC {
 public:
  TargetDC(HWND hwnd, HDC given) : hwnd_(given ? nullptr : hwnd), dc_(given ? given : GetWindowDC(hwnd)) {}
  TargetDC(const TargetDC&) = delete;
  TargetDC& operator=(const TargetDC&) = delete;
  ~TargetDC() {
    if (hwnd_ && dc_) ReleaseDC(hwnd_, dc_);
  }
  HDC get() const { return dc_; }

 private:
  HWND hwnd_;
  HDC dc_;
};

// BeginPaint/EndPaint for one WM_PAINT.
class PaintScope {
 public:
  explicit PaintScope(HWND hwnd) : hwnd_(hwnd), dc_(BeginPaint(hwnd, &ps_)) {}
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  ~PaintScope() { EndPaint(hwnd_, &ps_); }
  HDC get() const { return dc_; }

 private:
  HWND hwnd_;
  PAINTSTRUCT ps_{};
  HDC dc_;
};

// Selects an object into a device context and puts the previous one back.
class SelectObjectScope {
 public:
  SelectObjectScope(HDC dc, HGDIOBJ obj) : dc_(dc), old_(SelectObject(dc, obj)) {}
  SelectObjectScope(const SelectObjectScope&) = delete;
  SelectObjectScope& operator=(const SelectObjectScope&) = delete;
  ~SelectObjectScope() {
    if (old_ && old_ != HGDI_ERROR) SelectObject(dc_, old_);
  }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

}  // namespace skin
