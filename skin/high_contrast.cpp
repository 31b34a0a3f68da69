#include "skin/high_contrast.h"

#include <algorithm>

#include "skin/attach.h"
#include "skin/draw/high_contrast.h"
#include "skin/state.h"
#include "skin/subclass.h"

namespace skin {
namespace {

constexpr wchar_t kWatchClass[] = L"SkinSchemeWatch";

bool AnnouncesSchemeChange(UINT msg, WPARAM wParam) {
  return msg == WM_SYSCOLORCHANGE || (msg == WM_SETTINGCHANGE && wParam == SPI_SETHIGHCONTRAST);
}

// The scheme change is broadcast to top-level windows only, and while the skin
// stands aside none of the program's windows runs SkinWindowProc: this hidden
// one hears it whatever is skinned.
LRESULT CALLBACK WatchProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (AnnouncesSchemeChange(msg, wParam)) FollowHighContrast();
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

HWND CreateSchemeWatch() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  if (!GetClassInfoExW(instance, kWatchClass, &wc)) {
    wc = WNDCLASSEXW{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = WatchProc;
    wc.hInstance = instance;
    wc.lpszClassName = kWatchClass;
    RegisterClassExW(&wc);
  }
  // A pop-up without owner: top-level, so that broadcasts reach it (a
  // message-only window gets none), and never shown.
  return CreateWindowExW(WS_EX_TOOLWINDOW, kWatchClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance,
                         nullptr);
}

// Descendants first, then the window, as EndSkin detaches a tree.
BOOL CALLBACK DetachTreeProc(HWND hwnd, LPARAM) {
  EnumChildWindows(hwnd, DetachChildProc, 0);
  DetachSkin(hwnd);
  return TRUE;
}

// A listed window destroyed while unskinned was never seen going.
void ForgetDestroyedRoots() {
  std::vector<HWND>& roots = Engine().roots;
  roots.erase(std::remove_if(roots.begin(), roots.end(), [](HWND root) { return !IsWindow(root); }), roots.end());
}

void SkinRootsAgain() {
  ForgetDestroyedRoots();
  const std::vector<HWND> roots = Engine().roots;  // an attach may re-enter and change the list
  for (HWND root : roots) {
    PrepareEngine();
    AttachSkin(root);
  }
}

}  // namespace

void RememberRoot(HWND hwnd) {
  if (!hwnd || GetWindowThreadProcessId(hwnd, nullptr) != GetCurrentThreadId()) return;
  EngineState& engine = Engine();
  ForgetDestroyedRoots();
  if (std::find(engine.roots.begin(), engine.roots.end(), hwnd) == engine.roots.end()) engine.roots.push_back(hwnd);
  if (!engine.schemeWatch) engine.schemeWatch = CreateSchemeWatch();
}

void ForgetRoot(HWND hwnd) {
  EngineState& engine = Engine();
  engine.roots.erase(std::remove(engine.roots.begin(), engine.roots.end(), hwnd), engine.roots.end());
  ForgetDestroyedRoots();
  if (engine.roots.empty() && engine.schemeWatch) {
    DestroyWindow(engine.schemeWatch);
    engine.schemeWatch = nullptr;
    engine.steppedAside = false;
  }
}

void FollowHighContrast() {
  EngineState& engine = Engine();
  const bool on = HighContrastOn();
  // The state changes first: a change announced again while this one is
  // being followed finds it settled.
  if (on) {
    engine.steppedAside = true;
    EnumThreadWindows(GetCurrentThreadId(), DetachTreeProc, 0);
  } else if (engine.steppedAside) {
    engine.steppedAside = false;
    SkinRootsAgain();
  }
}

LRESULT OnSchemeChange(WNDPROC& prev, HWND& hwnd, UINT& msg, WPARAM& wParam, LPARAM& lParam) {
  const bool wide = InstalledWide(hwnd);  // a detach forgets it
  if (AnnouncesSchemeChange(msg, wParam)) FollowHighContrast();
  return CallPreviousAs(wide, prev, hwnd, msg, wParam, lParam);
}

}  // namespace skin
