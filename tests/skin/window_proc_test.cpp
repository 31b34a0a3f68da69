#include <gtest/gtest.h>

#include "tests/skin/skin_fixture.h"
#include "tests/support/win32_test.h"

using namespace skintest;

namespace {

constexpr char kProbeClass[] = "SkinProbe";
constexpr LRESULT kProbeResult = 0x7A00;

// What the probe's own procedure saw of the skin at the moments that matter.
struct ProbeLog {
  bool destroyedWhileSkinned = true;
  bool destroyedWithOwnProc = false;
  int idleTargetSkinnedBefore = -1;
};
ProbeLog probeLog;

LRESULT CALLBACK ProbeProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

HWND CreateProbe(HWND parent, DWORD style, int x = 10, int y = 10) {
  static bool registered = false;
  if (!registered) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = ProbeProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kProbeClass;
    RegisterClassExA(&wc);
    registered = true;
  }
  return CreateWindowExA(0, kProbeClass, "probe", style, x, y, 80, 40, parent, nullptr, GetModuleHandleA(nullptr),
                         nullptr);
}

LRESULT CALLBACK ProbeProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Seen().push_back({hwnd, msg, wParam, lParam});
  switch (msg) {
    case WM_DESTROY:
      probeLog.destroyedWhileSkinned = IsSkinned(hwnd);
      probeLog.destroyedWithOwnProc = WindowProcOf(hwnd) == reinterpret_cast<LONG_PTR>(&ProbeProc);
      return 0;
    case WM_ENTERIDLE:
      probeLog.idleTargetSkinnedBefore = IsSkinned(reinterpret_cast<HWND>(lParam));
      return kProbeResult + msg;
    case WM_CTLCOLORLISTBOX:
      return reinterpret_cast<LRESULT>(GetStockObject(GRAY_BRUSH));
    case 0x0009:
    case WM_RBUTTONDOWN:
    case WM_USER + 7:
      return kProbeResult + msg;
    default:
      return DefWindowProcA(hwnd, msg, wParam, lParam);
  }
}

const SeenMessage* LastSeen(HWND hwnd, UINT msg) {
  for (auto it = Seen().rbegin(); it != Seen().rend(); ++it)
    if (it->hwnd == hwnd && it->msg == msg) return &*it;
  return nullptr;
}

class WindowProcTest : public SkinTest {
 protected:
  void SetUp() override {
    SkinTest::SetUp();
    probeLog = ProbeLog{};
  }
};

}  // namespace

TEST_F(WindowProcTest, MessagesOutsideTheTableReachThePreviousProcedureUnchanged) {
  test::Window form(CreateForm());
  HWND probe = CreateProbe(form, WS_CHILD | WS_VISIBLE);
  ASSERT_EQ(skin::BeginSkin(form), 1);
  ASSERT_TRUE(IsSkinned(probe));

  for (UINT msg : {0x0009u, 0x0204u, WM_USER + 7u}) {
    Seen().clear();
    EXPECT_EQ(SendMessageA(probe, msg, 0x1234, 0x56789A), kProbeResult + msg);
    const SeenMessage* seen = LastSeen(probe, msg);
    ASSERT_NE(seen, nullptr) << msg;
    EXPECT_EQ(seen->wParam, 0x1234u);
    EXPECT_EQ(seen->lParam, 0x56789A);
    EXPECT_EQ(Seen().size(), 1u) << "exactly the one message reaches the previous procedure";
  }
  skin::EndSkin(form);
}

TEST_F(WindowProcTest, WindowZeroAndUnskinnedWindowsGetNoSkin) {
  EXPECT_EQ(skin::SkinWindowProc(nullptr, WM_USER + 7, 1, 2), 0);

  test::Window probe(CreateProbe(Stage(), WS_CHILD));
  SetWindowTextA(probe, "abcde");
  Seen().clear();
  // Without "PROCADDR" the default procedure answers, not the window's own.
  EXPECT_EQ(skin::SkinWindowProc(probe, WM_GETTEXTLENGTH, 0, 0), 5);
  EXPECT_EQ(skin::SkinWindowProc(probe, WM_USER + 7, 0, 0), 0);
  EXPECT_TRUE(Seen().empty());
  EXPECT_EQ(SkinnedCount(), 0);
}

TEST_F(WindowProcTest, DestroyDetachesBeforeTheWindowsOwnProcedureSeesIt) {
  test::Window form(CreateForm());
  HWND probe = CreateProbe(form, WS_CHILD | WS_VISIBLE);
  CreateChild(form, "Button", BS_PUSHBUTTON, 10, 60, 80, 24, "b");
  ASSERT_EQ(skin::BeginSkin(form), 1);
  ASSERT_EQ(SkinnedCount(), 3);

  DestroyWindow(probe);
  EXPECT_FALSE(probeLog.destroyedWhileSkinned);
  EXPECT_TRUE(probeLog.destroyedWithOwnProc);
  EXPECT_EQ(CountSeen(probe, WM_DESTROY), 1);
  EXPECT_EQ(SkinnedCount(), 2);

  form.reset();
  EXPECT_EQ(SkinnedCount(), 0);
  EXPECT_FALSE(skin::Engine().initialised);
}

TEST_F(WindowProcTest, ListBoxColourAndIdleMessagesAttachTheirWindowAfterThePreviousProcedure) {
  test::Window form(CreateForm());
  HWND probe = CreateProbe(form, WS_CHILD | WS_VISIBLE);
  HWND list = CreateChild(Stage(), "ListBox", 0, 400, 10, 100, 80);
  test::Window listOwner(list);
  test::Window idle(CreateTopLevelForm(false, nullptr, "idle dialog"));
  HWND idleButton = CreateChild(idle, "Button", BS_PUSHBUTTON, 5, 5, 60, 20, "b");
  ASSERT_EQ(skin::BeginSkin(form), 1);
  const HBRUSH gray = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));

  HDC dc = GetDC(list);
  EXPECT_EQ(SendMessageA(probe, WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(list)),
            reinterpret_cast<LRESULT>(gray));
  EXPECT_TRUE(IsSkinned(list));
  EXPECT_EQ(SendMessageA(probe, WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(list)),
            reinterpret_cast<LRESULT>(gray));
  EXPECT_EQ(SendMessageA(probe, WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(dc), 0),
            reinterpret_cast<LRESULT>(gray));
  ReleaseDC(list, dc);

  EXPECT_EQ(SendMessageA(probe, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(idle.get())),
            kProbeResult + WM_ENTERIDLE);
  EXPECT_EQ(probeLog.idleTargetSkinnedBefore, 0);
  EXPECT_TRUE(IsSkinned(idle));
  EXPECT_TRUE(IsSkinned(idleButton));
  EXPECT_EQ(SkinnedCount(), 2 + 1 + 2);

  idle.reset();
  listOwner.reset();
  form.reset();
}

TEST_F(WindowProcTest, ButtonReleaseRefreshesCheckBoxesUnderParentOwnerOrItself) {
  // A child: the check boxes among its parent's descendants.
  test::Window form(CreateForm());
  HWND probe = CreateProbe(form, WS_CHILD | WS_VISIBLE);
  HWND check = CreateChild(form, "ThunderRT6CheckBox", BS_AUTOCHECKBOX, 10, 60, 120, 20, "c");
  HWND option = CreateChild(form, "ThunderRT6OptionButton", BS_AUTORADIOBUTTON, 10, 90, 120, 20, "o");
  // A top-level window without owner: its own descendants; an owned one: its owner's.
  test::Window top(CreateProbe(nullptr, WS_POPUP));
  HWND topCheck = CreateChild(top, "ThunderRT6CheckBox", BS_AUTOCHECKBOX, 0, 0, 60, 20, "t");
  test::Window owner(CreateTopLevelForm(false));
  HWND ownerCheck = CreateChild(owner, "ThunderRT6CheckBox", BS_AUTOCHECKBOX, 0, 0, 60, 20, "w");
  test::Window owned(CreateProbe(owner, WS_POPUP));
  for (HWND w : {form.get(), top.get(), topCheck, owner.get(), owned.get()}) ASSERT_EQ(skin::BeginSkin(w), 1);

  auto hover = [](std::initializer_list<HWND> windows) {
    for (HWND w : windows) skin::WriteProp(w, skin::kPropOldState, skin::kStateHover);
  };
  hover({check, option, topCheck, ownerCheck});
  SendMessageA(probe, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(Prop(check, skin::kPropOldState), skin::kStateNormal);
  EXPECT_EQ(Prop(option, skin::kPropOldState), skin::kStateNormal);
  EXPECT_EQ(Prop(topCheck, skin::kPropOldState), skin::kStateHover);
  EXPECT_EQ(Prop(ownerCheck, skin::kPropOldState), skin::kStateHover);

  hover({check, option});
  SendMessageA(top, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(Prop(topCheck, skin::kPropOldState), skin::kStateNormal);
  EXPECT_EQ(Prop(check, skin::kPropOldState), skin::kStateHover);

  SendMessageA(owned, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(Prop(ownerCheck, skin::kPropOldState), skin::kStateNormal);
  EXPECT_EQ(Prop(check, skin::kPropOldState), skin::kStateHover);
  EXPECT_EQ(CountSeen(owned, WM_LBUTTONUP), 1);

  owned.reset();
  owner.reset();
  top.reset();
  form.reset();
}
