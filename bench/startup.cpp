#include "bench/startup.h"

#include <vector>

#include "bench/harness.h"
#include "skin/skin.h"

namespace bench {
namespace {

constexpr DWORD kStartTimeoutMs = 20000;
constexpr DWORD kExitTimeoutMs = 10000;

struct WindowSearch {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK FindShownWindowProc(HWND hwnd, LPARAM lParam) {
  auto* search = reinterpret_cast<WindowSearch*>(lParam);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid != search->processId || !IsWindowVisible(hwnd) || GetWindow(hwnd, GW_OWNER)) return TRUE;
  search->found = hwnd;
  return FALSE;
}

BOOL CALLBACK FindUnpaintedProc(HWND hwnd, LPARAM lParam) {
  if (!GetUpdateRect(hwnd, nullptr, FALSE)) return TRUE;
  *reinterpret_cast<bool*>(lParam) = true;
  return FALSE;
}

// Painted: neither the window nor any control in it has an update region left.
bool IsPainted(HWND hwnd) {
  bool unpainted = GetUpdateRect(hwnd, nullptr, FALSE) != FALSE;
  if (!unpainted) EnumChildWindows(hwnd, FindUnpaintedProc, reinterpret_cast<LPARAM>(&unpainted));
  return !unpainted;
}

}  // namespace

double StartToFirstPaint(const std::wstring& exe) {
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  std::wstring commandLine = L"\"" + exe + L"\"";
  const double start = NowSeconds();
  if (!CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process))
    return -1;
  // Idle after its first messages: by then the first paint has normally run.
  WaitForInputIdle(process.hProcess, kStartTimeoutMs);
  WindowSearch search{process.dwProcessId, nullptr};
  double elapsed = -1;
  while (NowSeconds() - start < kStartTimeoutMs / 1000.0) {
    search.found = nullptr;
    EnumWindows(FindShownWindowProc, reinterpret_cast<LPARAM>(&search));
    if (search.found && IsPainted(search.found)) {
      elapsed = NowSeconds() - start;
      break;
    }
    Sleep(1);
  }
  // Ended rather than closed: under Wine a program that destroys its shown
  // window waits seconds for the X server, which is no part of starting it.
  TerminateProcess(process.hProcess, 0);
  WaitForSingleObject(process.hProcess, kExitTimeoutMs);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return elapsed;
}

std::wstring BesideThisProgram(const wchar_t* relative) {
  wchar_t path[MAX_PATH] = {};
  const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, n);
  folder.resize(folder.find_last_of(L"\\/") + 1);
  return folder + relative;
}

namespace {

// Windows counts a process's GDI objects; Wine answers 0, so there the free
// slots of the handle table are counted by filling it with 1x1 bitmaps.
int GdiObjectsInUse() {
  if (const DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return static_cast<int>(n);
  std::vector<HBITMAP> made;
  while (HBITMAP b = CreateBitmap(1, 1, 1, 1, nullptr)) made.push_back(b);
  for (HBITMAP b : made) DeleteObject(b);
  return -static_cast<int>(made.size());  // one more object in use is one free slot fewer
}

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

double GdiObjectsPerSkinnedButton(int buttons) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = HostProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"GdiCountHost";
  RegisterClassExW(&wc);
  HWND host = CreateWindowExW(0, wc.lpszClassName, L"gdi", WS_POPUP | WS_VISIBLE, 0, 0, 1280, 1024, nullptr,
                              nullptr, wc.hInstance, nullptr);
  std::vector<HWND> made;
  for (int i = 0; i < buttons; ++i)  // Command1's size
    made.push_back(CreateWindowExW(0, L"Button", L"在桌面创建“上帝模式”图标", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                                   (i % 6) * 190, (i / 6) * 45, 185, 41, host, nullptr, wc.hInstance, nullptr));
  // A first round makes what Wine and the system create once, on first use.
  for (HWND b : made) skin::AttachSkin(b);
  for (HWND b : made) skin::DetachSkin(b);
  const int before = GdiObjectsInUse();
  for (HWND b : made) skin::AttachSkin(b);
  const int after = GdiObjectsInUse();
  for (HWND b : made) skin::DetachSkin(b);
  DestroyWindow(host);
  return static_cast<double>(after - before) / buttons;
}

}  // namespace bench
