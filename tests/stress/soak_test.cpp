// The real skinned Form1 under sustained use: hover/press/release/leave cycles
// with the fade timers running, message boxes shown and closed, a button
// resized over and over, then shutdown. No GDI object may be left behind, the
// skinned-window count must return to 0 and no window may keep a skin property.
//
// The cycle count is shortened in the suite; run with --full (or set
// SOAK_FULL=1) for 1000 cycles per button and 200 message boxes.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/folder_commands.h"
#include "app/form1.h"
#include "app/form_runtime.h"
#include "skin/draw/properties.h"
#include "skin/state.h"
#include "tests/stress/skinned_tree.h"
#include "tests/support/win32_test.h"

namespace {

bool g_full = false;

struct Lengths {
  int cycles, boxes, resizes;
};
Lengths SoakLengths() { return g_full ? Lengths{1000, 200, 200} : Lengths{120, 25, 200}; }

std::wstring DesktopFolder() {
  wchar_t path[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, 0, path);
  return std::wstring(path) + L"\\" + godmode::kGodModeFolderName;
}

// Closes the message box of this thread as soon as it shows, after noting
// whether the skin had attached it while it was up.
struct BoxCloser {
  static inline int shown = 0;
  static inline int skinnedWhileUp = 0;
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    HWND box = test::FindThreadWindow("#32770");
    if (!box) return;
    ++shown;
    if (GetPropA(box, "PROCADDR")) ++skinnedWhileUp;
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  }
};

void Hover(HWND button) {
  SendMessageW(button, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
}

// Press and release off the button: the full look cycle without a click.
void PressAndReleaseOff(HWND button) {
  SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(-20, -20));
}

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM windows) {
  reinterpret_cast<std::vector<HWND>*>(windows)->push_back(hwnd);
  return TRUE;
}

void Leave(HWND button) { SendMessageW(button, WM_MOUSELEAVE, 0, 0); }

// One full life of Form1 doing a bit of everything, so that the platform's
// one-time caches (fonts, icons, message box resources) exist before counting.
void WarmUp() {
  form::Form* form = form::Form::Load(godmode::Form1(), false);
  HWND command1 = form->ControlWindow(L"Command1");
  Hover(command1);
  PressAndReleaseOff(command1);
  Leave(command1);
  const UINT_PTR timer = SetTimer(nullptr, 0, 20, BoxCloser::Tick);
  SendMessageW(command1, BM_CLICK, 0, 0);  // the created box
  SendMessageW(command1, BM_CLICK, 0, 0);  // the exists box
  KillTimer(nullptr, timer);
  test::PumpMessages(100);
  SendMessageW(form->hwnd(), WM_CLOSE, 0, 0);
  test::PumpMessages(50);
  RemoveDirectoryW(DesktopFolder().c_str());
}

TEST(Form1Soak, SustainedUseLeavesNoGdiObjectPropertyOrCount) {
  const Lengths n = SoakLengths();
  std::printf("%d cycles per button, %d message boxes, %d resizes\n", n.cycles, n.boxes, n.resizes);
  WarmUp();
  const int freeBefore = test::FreeGdiSlots();

  form::Form* form = form::Form::Load(godmode::Form1(), false);
  HWND hwnd = form->hwnd();
  HWND buttons[] = {form->ControlWindow(L"Command1"), form->ControlWindow(L"Command2")};
  const int treeCount = skin::Engine().skinnedCount;
  ASSERT_EQ(treeCount, 4);  // the form, two buttons and the text box

  for (int i = 0; i < n.cycles; ++i) {
    for (HWND b : buttons) {
      Hover(b);
      test::PumpMessages();  // a fade tick may come due
      PressAndReleaseOff(b);
      Leave(b);
    }
    if (i % 20 == 0) test::PumpMessages(16);
  }

  BoxCloser::shown = BoxCloser::skinnedWhileUp = 0;
  const UINT_PTR timer = SetTimer(nullptr, 0, 10, BoxCloser::Tick);
  for (int i = 0; i < n.boxes; ++i) {
    SendMessageW(buttons[0], BM_CLICK, 0, 0);  // shows the created or exists box
    EXPECT_EQ(skin::Engine().skinnedCount, treeCount) << "box " << i;
  }
  KillTimer(nullptr, timer);
  EXPECT_EQ(BoxCloser::shown, n.boxes);
  EXPECT_EQ(BoxCloser::skinnedWhileUp, n.boxes);

  RECT r;
  GetWindowRect(buttons[1], &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  for (int i = 0; i < n.resizes; ++i)
    SetWindowPos(buttons[1], nullptr, 0, 0, w - (i % 7) * 9, h - (i % 5) * 3, SWP_NOMOVE | SWP_NOZORDER);
  SetWindowPos(buttons[1], nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER);
  test::PumpMessages(100);

  // The skinned button still shows exactly its normal surface after all of it.
  {
    test::Canvas canvas(w, h);
    RedrawWindow(buttons[1], nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    test::CaptureWindow(buttons[1], canvas);
    HDC normal = skin::GetSurfaceDc(buttons[1], skin::kStateNormal);
    ASSERT_NE(normal, nullptr);
    int compared = 0;
    for (int y = 3; y < h - 3; y += 4)
      for (int x = 3; x < w - 3; x += 4, ++compared)
        ASSERT_EQ(canvas.Pixel(x, y), GetPixel(normal, x, y)) << x << "," << y;
    EXPECT_GT(compared, 100);
  }

  // Shutdown: the form's unload detaches everything.
  std::vector<HWND> tree{hwnd};
  EnumChildWindows(hwnd, CollectWindow, reinterpret_cast<LPARAM>(&tree));
  SendMessageW(hwnd, WM_CLOSE, 0, 0);
  test::PumpMessages(50);
  EXPECT_EQ(skin::Engine().skinnedCount, 0);
  EXPECT_FALSE(skin::Engine().initialised);
  EXPECT_FALSE(skin::Engine().images.Button);
  for (HWND w2 : tree) {
    if (IsWindow(w2)) {
      EXPECT_TRUE(stress::SkinPropertiesLeft(w2).empty());
    }
  }

  const int freeAfter = test::FreeGdiSlots();
  std::printf("free GDI slots before %d, after %d: %d leaked\n", freeBefore, freeAfter, freeBefore - freeAfter);
  EXPECT_EQ(freeAfter, freeBefore);
  RemoveDirectoryW(DesktopFolder().c_str());
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "--full") == 0) g_full = true;
  if (const char* env = std::getenv("SOAK_FULL")) g_full = g_full || std::strcmp(env, "1") == 0;
  return RUN_ALL_TESTS();
}
