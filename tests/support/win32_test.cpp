#include "tests/support/win32_test.h"

#include <vector>

namespace test {

void PumpMessages(DWORD ms) {
  const DWORD start = GetTickCount();
  do {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (ms) Sleep(1);
  } while (GetTickCount() - start < ms);
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > timeoutMs) return false;
    PumpMessages();
    Sleep(1);
  }
  return true;
}

Canvas::Canvas(int width, int height, COLORREF fill) : width_(width), height_(height) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;  // top-down
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  bitmap_ = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  dc_ = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  bits_ = static_cast<DWORD*>(bits);
  old_ = SelectObject(dc_, bitmap_);
  Fill(fill);
}

Canvas::~Canvas() {
  SelectObject(dc_, old_);
  DeleteDC(dc_);
  DeleteObject(bitmap_);
}

COLORREF Canvas::Pixel(int x, int y) const {
  GdiFlush();
  const DWORD v = bits_[y * width_ + x];  // 0x00RRGGBB in memory order B, G, R
  return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

void Canvas::Fill(COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  RECT r{0, 0, width_, height_};
  FillRect(dc_, &r, brush);
  DeleteObject(brush);
  GdiFlush();
}

void CaptureWindow(HWND hwnd, Canvas& canvas) {
  HDC dc = GetWindowDC(hwnd);
  BitBlt(canvas.dc(), 0, 0, canvas.width(), canvas.height(), dc, 0, 0, SRCCOPY);
  ReleaseDC(hwnd, dc);
  GdiFlush();
}

ATOM RegisterSuperclass(const char* newName, const char* baseClass) {
  WNDCLASSEXA existing{sizeof(existing)};
  if (ATOM atom = static_cast<ATOM>(GetClassInfoExA(GetModuleHandleA(nullptr), newName, &existing)))
    return atom;
  WNDCLASSEXA wc{sizeof(wc)};
  if (!GetClassInfoExA(nullptr, baseClass, &wc)) return 0;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = newName;
  wc.style &= ~CS_GLOBALCLASS;
  return RegisterClassExA(&wc);
}

namespace {
LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}
}  // namespace

HWND CreateHostWindow(int width, int height, const char* title) {
  static const char* kClass = "SkinTestHost";
  static bool registered = false;
  if (!registered) {
    WNDCLASSEXA wc{sizeof(wc)};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClass;
    RegisterClassExA(&wc);
    registered = true;
  }
  HWND hwnd = CreateWindowExA(0, kClass, title, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 100, 100, width,
                              height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ShowWindow(hwnd, SW_SHOWNORMAL);
  UpdateWindow(hwnd);
  return hwnd;
}

namespace {
struct ClassSearch {
  const char* name;
  HWND found;
};

BOOL CALLBACK MatchVisibleClass(HWND hwnd, LPARAM lp) {
  auto* s = reinterpret_cast<ClassSearch*>(lp);
  char name[256] = {};
  GetClassNameA(hwnd, name, sizeof(name));
  if (lstrcmpiA(name, s->name) == 0 && IsWindowVisible(hwnd)) {
    s->found = hwnd;
    return FALSE;
  }
  return TRUE;
}
}  // namespace

HWND FindThreadWindow(const char* className) {
  ClassSearch search{className, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), MatchVisibleClass, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void SendToThreadWindows(UINT msg, WPARAM wParam) {
  static MSG m;
  m = MSG{nullptr, msg, wParam, 0, 0, {}};
  EnumThreadWindows(GetCurrentThreadId(), [](HWND hwnd, LPARAM) {
    SendMessageW(hwnd, m.message, m.wParam, 0);
    return TRUE;
  }, 0);
}

std::wstring WindowTextW(HWND hwnd) {
  const int n = static_cast<int>(SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0));
  std::vector<wchar_t> buf(n + 1);
  SendMessageW(hwnd, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()));
  return std::wstring(buf.data());
}

std::string Narrow(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string out(size > 0 ? size - 1 : 0, '\0');
  if (size > 1) WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), size, nullptr, nullptr);
  return out;
}

}  // namespace test

namespace test {

int FreeGdiSlots() {
  std::vector<HBITMAP> made;
  made.reserve(70000);
  for (;;) {
    HBITMAP b = CreateBitmap(1, 1, 1, 1, nullptr);
    if (!b) break;
    made.push_back(b);
  }
  for (HBITMAP b : made) DeleteObject(b);
  return static_cast<int>(made.size());
}

}  // namespace test
