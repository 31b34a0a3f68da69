// Command1's message box runs its own message loop inside the button's
// release. While it is up, the pointer crosses Command2 and Text1 and fade
// timers tick inside that loop; when it closes, every button must be in a
// consistent state and the count of skinned windows back where it was.
#include <gtest/gtest.h>
#include <shlobj.h>
#include <windows.h>

#include <string>

#include "app/folder_commands.h"
#include "app/form1.h"
#include "app/form_runtime.h"
#include "skin/draw/properties.h"
#include "skin/state.h"
#include "tests/support/win32_test.h"

namespace {

constexpr UINT kWatchIntervalMs = 10;
constexpr DWORD kTimersWhileUpMs = 200;
constexpr DWORD kBoxGiveUpMs = 3000;

std::wstring DesktopTarget() {
  wchar_t path[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, 0, path);
  return std::wstring(path) + L"\\" + godmode::kGodModeFolderName;
}

LONG_PTR Prop(HWND hwnd, const char* name) { return skin::ReadProp(hwnd, name); }
bool IsSkinned(HWND hwnd) { return Prop(hwnd, skin::kPropProcAddr) != 0; }

POINT ScreenCentre(HWND hwnd) {
  RECT rc;
  GetWindowRect(hwnd, &rc);
  return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

BOOL CALLBACK FindSkinnedButtonProc(HWND hwnd, LPARAM found) {
  char cls[16] = {};
  GetClassNameA(hwnd, cls, sizeof(cls));
  if (lstrcmpiA(cls, "Button") == 0 && IsSkinned(hwnd) && skin::GetSurfaceDc(hwnd, skin::kStateNormal))
    *reinterpret_cast<bool*>(found) = true;
  return TRUE;
}

// What the timer inside the box's modal loop did and saw.
struct Watch {
  HWND command1 = nullptr;
  HWND command2 = nullptr;
  HWND text1 = nullptr;
  HWND box = nullptr;
  DWORD movedAt = 0;
  DWORD boxSeenAt = 0;
  bool closed = false;
  bool boxSkinned = false;
  bool boxButtonSkinned = false;
  int countWhileUp = -1;
  LONG_PTR command1StateWhileUp = -1;
  int command2TicksWithTimer = 0;  // watch ticks that saw Command2's fade timer running
  LONG_PTR command2AlphaLow = 256, command2AlphaHigh = -1;
};
Watch g_watch;

void CALLBACK WatchBoxProc(HWND, UINT, UINT_PTR, DWORD) {
  Watch& w = g_watch;
  if (w.closed) return;
  HWND box = test::FindThreadWindow("#32770");
  if (!box) return;
  const DWORD now = GetTickCount();
  if (!w.box) {
    w.box = box;
    w.boxSeenAt = now;
  }
  if (!w.movedAt) {
    // The box is attached when it takes the activation from Form1.
    if (!IsSkinned(box) && now - w.boxSeenAt < kBoxGiveUpMs) return;
    w.boxSkinned = IsSkinned(box);
    EnumChildWindows(box, FindSkinnedButtonProc, reinterpret_cast<LPARAM>(&w.boxButtonSkinned));
    w.countWhileUp = skin::Engine().skinnedCount;
    w.command1StateWhileUp = Prop(w.command1, skin::kPropOldState);
    // The real pointer goes over Command2 and then Text1; the form is
    // disabled under the box, so the moves are also handed over directly.
    const POINT overButton = ScreenCentre(w.command2);
    SetCursorPos(overButton.x, overButton.y);
    SendMessageW(w.command2, WM_MOUSEMOVE, 0, MAKELPARAM(8, 8));
    const POINT overText = ScreenCentre(w.text1);
    SetCursorPos(overText.x, overText.y);
    SendMessageW(w.text1, WM_MOUSEMOVE, 0, MAKELPARAM(8, 8));
    w.movedAt = now;
    return;
  }
  if (Prop(w.command2, skin::kPropTimerId)) {
    ++w.command2TicksWithTimer;
    const LONG_PTR alpha = Prop(w.command2, skin::kPropAlphaLevel);
    if (alpha < w.command2AlphaLow) w.command2AlphaLow = alpha;
    if (alpha > w.command2AlphaHigh) w.command2AlphaHigh = alpha;
  }
  if (now - w.movedAt >= kTimersWhileUpMs) {
    w.closed = true;
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  }
}

TEST(Reentrancy, FadesTickingUnderCommand1sMessageBoxLoseNoState) {
  const std::wstring target = DesktopTarget();
  RemoveDirectoryW(target.c_str());

  form::Form* form = form::Form::Load(godmode::Form1(), false);
  const HWND hwnd = form->hwnd();
  g_watch = Watch{};
  g_watch.command1 = form->ControlWindow(L"Command1");
  g_watch.command2 = form->ControlWindow(L"Command2");
  g_watch.text1 = form->ControlWindow(L"Text1");
  ASSERT_TRUE(IsSkinned(g_watch.command1));
  ASSERT_TRUE(IsSkinned(g_watch.command2));
  SetForegroundWindow(hwnd);
  SetActiveWindow(hwnd);
  test::PumpUntil([&] { return GetActiveWindow() == hwnd; }, 2000);
  test::PumpMessages(50);
  const int countBefore = skin::Engine().skinnedCount;

  const UINT_PTR timer = SetTimer(nullptr, 0, kWatchIntervalMs, WatchBoxProc);
  SendMessageW(g_watch.command1, BM_CLICK, 0, 0);
  KillTimer(nullptr, timer);
  const int countAfter = skin::Engine().skinnedCount;
  const LONG_PTR command1State = Prop(g_watch.command1, skin::kPropOldState);
  const LONG_PTR command1Timer = Prop(g_watch.command1, skin::kPropTimerId);
  const LONG_PTR command1Alpha = Prop(g_watch.command1, skin::kPropAlphaLevel);

  // The box came up, was skinned while up, and was closed from inside its loop.
  ASSERT_NE(g_watch.box, nullptr) << "Command1 showed no message box";
  EXPECT_TRUE(g_watch.closed);
  EXPECT_FALSE(IsWindow(g_watch.box));
  EXPECT_TRUE(g_watch.boxSkinned);
  EXPECT_TRUE(g_watch.boxButtonSkinned);
  EXPECT_GE(g_watch.countWhileUp, countBefore + 2);  // the box and its button
  EXPECT_EQ(countAfter, countBefore);
  EXPECT_EQ(g_watch.command1StateWhileUp, skin::kStatePressed);

  // Command2's fade ran inside the box's loop.
  EXPECT_GE(g_watch.command2TicksWithTimer, 3);
  EXPECT_LT(g_watch.command2AlphaLow, g_watch.command2AlphaHigh) << "the fade did not advance";

  // Command1 is back to normal, its release fade running or done.
  EXPECT_EQ(command1State, skin::kStateNormal);
  if (command1Timer == 0) {
    EXPECT_EQ(command1Alpha, 0);
  } else {
    EXPECT_GE(command1Alpha, 60);
    EXPECT_LE(command1Alpha, 255);
  }

  // Both fades finish and leave nothing running.
  const bool settled = test::PumpUntil(
      [&] { return !Prop(g_watch.command1, skin::kPropTimerId) && !Prop(g_watch.command2, skin::kPropTimerId); },
      3000);
  EXPECT_TRUE(settled);
  for (HWND button : {g_watch.command1, g_watch.command2}) {
    SCOPED_TRACE(button == g_watch.command1 ? "Command1" : "Command2");
    EXPECT_EQ(Prop(button, skin::kPropTimerId), 0);
    EXPECT_EQ(Prop(button, skin::kPropAlphaLevel), 0);
    EXPECT_EQ(Prop(button, skin::kPropOldState), skin::kStateNormal);
    for (int state = 0; state < skin::kSurfaceCount; ++state) EXPECT_NE(skin::GetSurfaceDc(button, state), nullptr);
  }
  EXPECT_TRUE(IsSkinned(g_watch.text1));
  EXPECT_EQ(skin::Engine().skinnedCount, countBefore);
  EXPECT_TRUE(IsWindowEnabled(hwnd));
  const DWORD attributes = GetFileAttributesW(target.c_str());
  EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY));

  SendMessageW(hwnd, WM_CLOSE, 0, 0);
  test::PumpMessages(50);
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(skin::Engine().skinnedCount, 0);
  RemoveDirectoryW(target.c_str());
}

}  // namespace
