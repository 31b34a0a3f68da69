// Random messages against skinned windows of every kind: nothing may crash or
// hang, and afterwards every window still answers and detaches cleanly.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <vector>

#include "skin/attach.h"
#include "skin/skin.h"
#include "skin/state.h"
#include "skin/window_proc.h"
#include "tests/stress/skinned_tree.h"
#include "tests/support/win32_test.h"

namespace {

// The messages the skin handles, drawn far more often than the rest.
const UINT kHandled[] = {WM_SIZE,        WM_ACTIVATE,    WM_SETFOCUS,       WM_KILLFOCUS,
                         WM_ENABLE,      WM_PAINT,       WM_WINDOWPOSCHANGING, WM_NCPAINT,
                         WM_KEYDOWN,     WM_KEYUP,       WM_TIMER,          WM_ENTERIDLE,
                         WM_CTLCOLORLISTBOX, WM_MOUSEMOVE, WM_LBUTTONDOWN,  WM_LBUTTONUP,
                         WM_LBUTTONDBLCLK, WM_MOUSELEAVE};
// Messages outside the skin's table whose parameters carry no pointers, so the
// controls' own procedures can take random values. (Right-button release is
// left out: it opens the edit control's modal context menu.)
const UINT kOthers[] = {WM_NULL, 0x0009, WM_RBUTTONDOWN, WM_MBUTTONDOWN, WM_NCHITTEST, WM_CANCELMODE,
                        WM_CHAR, WM_APP + 1, WM_APP + 77, 0xC123};

class Fuzzer {
 public:
  explicit Fuzzer(unsigned seed) : rng_(seed) {}

  template <class T>
  T Pick(const std::vector<T>& v) { return v[Below(static_cast<unsigned>(v.size()))]; }
  unsigned Below(unsigned n) { return std::uniform_int_distribution<unsigned>(0, n - 1)(rng_); }
  LPARAM Any() { return static_cast<LPARAM>(static_cast<int32_t>(rng_())); }
  LPARAM Point() { return MAKELPARAM(Below(400) - 50, Below(200) - 50); }

  // Sends one random message with parameters that are valid in kind (a
  // pointer where the message carries one) but random in value.
  void Send(HWND target, const std::vector<HWND>& handles, HDC scratchDc, HRGN region) {
    const bool handled = Below(10) < 8;
    const UINT msg = handled ? kHandled[Below(std::size(kHandled))] : kOthers[Below(std::size(kOthers))];
    WPARAM w = static_cast<WPARAM>(Any());
    LPARAM l = Any();
    WINDOWPOS pos{};
    switch (msg) {
      case WM_WINDOWPOSCHANGING:
        pos = {target, nullptr, int(Below(300)), int(Below(300)), int(Below(300)), int(Below(100)),
               static_cast<UINT>(SWP_NOZORDER | (Below(2) ? SWP_NOMOVE : 0) | (Below(2) ? SWP_NOSIZE : 0))};
        w = 0;
        l = reinterpret_cast<LPARAM>(&pos);
        break;
      case WM_NCPAINT:
        w = Below(3) == 0 ? reinterpret_cast<WPARAM>(region) : 1;
        l = 0;
        break;
      case WM_PAINT:
        w = Below(4) == 0 ? reinterpret_cast<WPARAM>(scratchDc) : 0;
        l = 0;
        break;
      case WM_CTLCOLORLISTBOX:
        w = reinterpret_cast<WPARAM>(scratchDc);
        l = reinterpret_cast<LPARAM>(Pick(handles));
        break;
      case WM_ENTERIDLE:
        w = MSGF_DIALOGBOX;
        l = reinterpret_cast<LPARAM>(Pick(handles));
        break;
      case WM_ACTIVATE:
        w = Below(3);
        l = reinterpret_cast<LPARAM>(Pick(handles));
        break;
      case WM_SETFOCUS:
      case WM_KILLFOCUS:
        w = reinterpret_cast<WPARAM>(Pick(handles));
        l = 0;
        break;
      case WM_ENABLE:
        w = Below(2);
        l = 0;
        break;
      case WM_TIMER:
        l = 0;  // no timer procedure to call
        break;
      case WM_KEYDOWN:
      case WM_KEYUP:
        w = Below(3) == 0 ? VK_SPACE : Below(0x100);
        break;
      case WM_MOUSEMOVE:
      case WM_LBUTTONDOWN:
      case WM_LBUTTONUP:
      case WM_LBUTTONDBLCLK:
      case WM_RBUTTONDOWN:
      case WM_MBUTTONDOWN:
        w = Below(4);
        l = Point();
        break;
      case WM_CHAR:
        w = 'a' + Below(26);
        break;
    }
    SendMessageA(target, msg, w, l);
  }

 private:
  std::mt19937 rng_;
};

TEST(SkinWindowProcFuzz, RandomMessagesNeitherCrashNorHangAndDetachCleanly) {
  constexpr unsigned kSeed = 20261208;
  constexpr int kMessages = 100000;
  std::printf("seed %u, %d messages\n", kSeed, kMessages);

  std::vector<HWND> controls;
  HWND form = stress::CreateSkinnableTree(controls);
  ASSERT_EQ(skin::BeginSkin(form), 1);

  // Windows that are never attached, a destroyed one, and handle 0 stay in
  // the pool of handles that messages name.
  std::vector<HWND> unskinned;
  for (int i = 0; i < 3; ++i)
    unskinned.push_back(CreateWindowExA(0, "Button", "plain", WS_POPUP | WS_VISIBLE, 700, 50 + 40 * i, 80, 30,
                                        nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
  HWND gone = CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  DestroyWindow(gone);

  test::Canvas scratch(64, 64);
  HRGN region = CreateRectRgn(0, 0, 30, 30);
  Fuzzer fuzz(kSeed);

  for (int i = 0; i < kMessages; ++i) {
    std::vector<HWND> handles = controls;
    handles.push_back(form);
    handles.insert(handles.end(), unskinned.begin(), unskinned.end());
    handles.push_back(gone);
    handles.push_back(nullptr);

    if (i % 5000 == 4999) {
      // Destroy a control and put a new, attached one in its place.
      const unsigned k = fuzz.Below(static_cast<unsigned>(controls.size()));
      char name[64] = {};
      GetClassNameA(controls[k], name, sizeof(name));
      const DWORD style = static_cast<DWORD>(GetWindowLongPtrA(controls[k], GWL_STYLE));
      DestroyWindow(controls[k]);
      gone = controls[k];
      controls[k] = CreateWindowExA(0, name, "again", style | WS_VISIBLE, 300, 300, 120, 28, form, nullptr,
                                    GetModuleHandleA(nullptr), nullptr);
      skin::AttachSkin(controls[k]);
    }
    const unsigned where = fuzz.Below(100);
    if (where < 2) {
      // Straight into the procedure: handle 0, a stale handle, an unskinned window.
      EXPECT_EQ(skin::SkinWindowProc(nullptr, WM_PAINT, 0, 0), 0);
      skin::SkinWindowProc(gone, WM_MOUSEMOVE, 0, 0);
      skin::SkinWindowProc(unskinned[0], WM_NULL, 0, 0);
    } else if (where < 8) {
      fuzz.Send(unskinned[fuzz.Below(3)], handles, scratch.dc(), region);
    } else {
      fuzz.Send(fuzz.Below(12) == 0 ? form : controls[fuzz.Below(static_cast<unsigned>(controls.size()))],
                handles, scratch.dc(), region);
    }
    if (i % 200 == 0) test::PumpMessages();
  }
  test::PumpMessages(50);

  for (HWND c : controls) EXPECT_TRUE(stress::Answers(c));
  EXPECT_TRUE(stress::Answers(form));

  // Detach everything that is still skinned: the tree, and any plain window a
  // random activation or idle message attached on the way.
  EXPECT_EQ(skin::EndSkin(form), 1);
  for (HWND w : unskinned) skin::EndSkin(w);
  for (HWND c : controls) EXPECT_TRUE(stress::SkinPropertiesLeft(c).empty());
  for (HWND w : unskinned) EXPECT_TRUE(stress::SkinPropertiesLeft(w).empty());
  EXPECT_TRUE(stress::SkinPropertiesLeft(form).empty());

  // Drop-down lists attached on the way are top-level windows of their own;
  // they detach when their combo boxes destroy them.
  DestroyWindow(form);
  for (HWND w : unskinned) DestroyWindow(w);
  DeleteObject(region);
  test::PumpMessages(20);
  EXPECT_EQ(skin::Engine().skinnedCount, 0);
  EXPECT_FALSE(skin::Engine().initialised);
}

}  // namespace
