// Push buttons, check boxes and option buttons following the mouse, the space
// bar, the focus and enabling; the sibling refresh after a release; and the
// previous procedure's place and result in every handler.
#include <gtest/gtest.h>

#include <cmath>

#include "skin/fade.h"
#include "skin/handlers.h"
#include "tests/skin/interaction_fixture.h"

using namespace itest;
using skin::kPropAlphaLevel;
using skin::kPropMouseFlag;
using skin::kPropOldState;
using skin::kPropTimerId;
using skin::WriteProp;

namespace {

constexpr COLORREF kFrameEnabled = 0xD5A554;
constexpr COLORREF kFramePressed = 0xC48639;

// Stand-ins whose procedure answers every interaction message with a value of
// its own, and notes what the skin had done by the time it ran.
LONG_PTR stateSeen = -1, alphaSeen = -1;
bool detachOnRelease = false;
LRESULT CALLBACK StandInProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_LBUTTONUP:
      if (detachOnRelease) skin::DetachSkin(hwnd);
      [[fallthrough]];
    case WM_MOUSEMOVE: case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: case WM_MOUSELEAVE:
    case WM_KEYDOWN: case WM_KEYUP: case WM_SETFOCUS: case WM_KILLFOCUS: case WM_ENABLE: case WM_TIMER:
      stateSeen = Prop(hwnd, kPropOldState);
      alphaSeen = Prop(hwnd, kPropAlphaLevel);
      return kPreviousResult;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

class InteractionTest : public testing::Test {
 protected:
  void SetUp() override {
    test::RegisterSuperclass("ThunderRT6CheckBox", "Button");
    test::RegisterSuperclass("ThunderRT6OptionButton", "Button");
    PointAway();
    host_ = test::Window(test::CreateHostWindow(400, 300));
  }

  HWND Button(int x = 20, int y = 20) { return SkinnedChild(host_, "Button", BS_PUSHBUTTON, x, y, 120, 40); }
  HWND CheckBox(int y) { return SkinnedChild(host_, "ThunderRT6CheckBox", BS_AUTOCHECKBOX, 200, y, 120, 24); }
  HWND Option(int y, DWORD extra = 0) {
    return SkinnedChild(host_, "ThunderRT6OptionButton", BS_AUTORADIOBUTTON | extra, 200, y, 120, 24);
  }

  // The top-left pixel of a check square: its frame colour tells the state drawn.
  static COLORREF SquareFrame(HWND box) {
    const int top = static_cast<int>(std::lrint((OuterSize(box).cy - GetSystemMetrics(SM_CYMENUCHECK)) / 2.0));
    return WindowPixel(box, 0, top);
  }

  test::Window host_;
};

TEST_F(InteractionTest, PressDragOffDragBackAndRelease) {
  HWND b = Button();
  test::PumpMessages(50);
  PointAt(b, 30, 20);
  Send(b, WM_MOUSEMOVE, 0, At(30, 20));  // entry: hover fades in from 0
  EXPECT_EQ(Prop(b, kPropMouseFlag), 1);
  EXPECT_EQ(Prop(b, kPropOldState), skin::kStateHover);
  EXPECT_NE(Prop(b, kPropTimerId), 0);

  Send(b, WM_LBUTTONDOWN, MK_LBUTTON, At(30, 20));  // shown pressed at once, fade stopped
  EXPECT_TRUE(ShowsSurface(b, skin::kStatePressed));
  EXPECT_EQ(Prop(b, kPropAlphaLevel), 0);
  EXPECT_EQ(Prop(b, kPropTimerId), 0);

  PointAway();  // off the button, which holds the capture: the pressed look is drawn again
  Fill(b, kMagenta);
  Send(b, WM_MOUSEMOVE, MK_LBUTTON, At(-200, -200));
  EXPECT_TRUE(ShowsSurface(b, skin::kStatePressed));
  EXPECT_EQ(Prop(b, kPropAlphaLevel), 255);
  EXPECT_EQ(Prop(b, kPropOldState), skin::kStatePressed);
  EXPECT_EQ(Prop(b, kPropTimerId), 0);

  PointAt(b, 30, 20);  // back on it: nothing changes
  Fill(b, kMagenta);
  Send(b, WM_MOUSEMOVE, MK_LBUTTON, At(30, 20));
  EXPECT_EQ(WindowPixel(b, 60, 20), kMagenta);
  EXPECT_EQ(Prop(b, kPropAlphaLevel), 255);

  Send(b, WM_LBUTTONUP, 0, At(30, 20));  // normal fades in from 60; next move is an entry again
  EXPECT_EQ(Prop(b, kPropMouseFlag), 0);
  EXPECT_EQ(Prop(b, kPropOldState), skin::kStateNormal);
  EXPECT_EQ(Prop(b, kPropAlphaLevel), 60);
  EXPECT_NE(Prop(b, kPropTimerId), 0);
}

TEST_F(InteractionTest, SpaceBarPressesRepeatsAndReleasesFromZeroWhileEnterDoesNothing) {
  HWND b = Button();
  const LONG_PTR state = Prop(b, kPropOldState), alpha = Prop(b, kPropAlphaLevel);
  Fill(b, kMagenta);
  Send(b, WM_KEYDOWN, VK_RETURN);
  Send(b, WM_KEYUP, VK_RETURN);
  EXPECT_EQ(WindowPixel(b, 60, 20), kMagenta);
  EXPECT_EQ(Prop(b, kPropOldState), state);
  EXPECT_EQ(Prop(b, kPropAlphaLevel), alpha);
  EXPECT_EQ(Prop(b, kPropTimerId), 0);

  Send(b, WM_KEYDOWN, VK_SPACE);
  for (int repeat = 0; repeat < 3; ++repeat) {
    Fill(b, kMagenta);
    Send(b, WM_KEYDOWN, VK_SPACE, 0x40000001);  // auto-repeat: the press again
    EXPECT_TRUE(ShowsSurface(b, skin::kStatePressed));
    EXPECT_EQ(Prop(b, kPropAlphaLevel), 0);
    EXPECT_EQ(Prop(b, kPropTimerId), 0);
  }
  WriteProp(b, kPropMouseFlag, 1);
  Send(b, WM_KEYUP, VK_SPACE);
  EXPECT_EQ(Prop(b, kPropOldState), skin::kStateNormal);
  EXPECT_EQ(Prop(b, kPropAlphaLevel), 0);
  EXPECT_EQ(Prop(b, kPropMouseFlag), 0);
  EXPECT_NE(Prop(b, kPropTimerId), 0);
}

TEST_F(InteractionTest, DoubleClickPressesAButtonButLeavesCheckBoxesAndOptionsAlone) {
  HWND b = Button();
  Fill(b, kMagenta);
  Send(b, WM_LBUTTONDBLCLK, MK_LBUTTON, At(10, 10));
  EXPECT_TRUE(ShowsSurface(b, skin::kStatePressed));
  EXPECT_EQ(Prop(b, kPropOldState), skin::kStatePressed);
  Send(b, WM_LBUTTONUP, 0, At(10, 10));

  // Stand-ins that do nothing themselves (a real one takes the focus, and an
  // option button is repainted normal for that), so only the skin could draw.
  for (const char* kind : {"ThunderCheckBox", "ThunderOptionButton"}) {
    RegisterStandIn(kind, StandInProc);
    HWND box = SkinnedChild(host_, kind, 0, 200, 20, 120, 24);
    Send(box, WM_MOUSEMOVE, 0, At(5, 5));
    ASSERT_EQ(Prop(box, kPropOldState), skin::kStateHover);
    Send(box, WM_LBUTTONDBLCLK, MK_LBUTTON, At(5, 5));
    EXPECT_EQ(Prop(box, kPropOldState), skin::kStateHover);
    Send(box, WM_LBUTTONUP, 0, At(5, 5));
  }
}

TEST_F(InteractionTest, LeavingDrawsHoverOnceAt140ThenFadesNormalFromZero) {
  HWND b = Button();
  Send(b, WM_MOUSEMOVE, 0, At(30, 20));
  Fill(b, kMagenta);
  Send(b, WM_MOUSELEAVE);
  const COLORREF hover = GetPixel(skin::GetSurfaceDc(b, skin::kStateHover), 60, 20);
  EXPECT_TRUE(Near(WindowPixel(b, 60, 20), Blend(hover, kMagenta, 140), 2));
  EXPECT_EQ(Prop(b, kPropMouseFlag), 0);
  EXPECT_EQ(Prop(b, kPropOldState), skin::kStateNormal);
  EXPECT_EQ(Prop(b, kPropAlphaLevel), 0);
  ASSERT_NE(Prop(b, kPropTimerId), 0);

  int steps = 0;
  for (; Prop(b, kPropTimerId) != 0 && steps < 200; ++steps) Send(b, WM_TIMER, skin::kFadeTimerId);
  EXPECT_EQ(steps, 86);
  EXPECT_TRUE(ShowsSurface(b, skin::kStateNormal));
}

TEST_F(InteractionTest, EnablingAndDisablingDrawAtOnceWithoutATimer) {
  HWND b = Button();
  WriteProp(b, kPropAlphaLevel, 255);
  Fill(b, kMagenta);
  EnableWindow(b, FALSE);
  EXPECT_EQ(Prop(b, kPropOldState), skin::kStateDisabled);
  EXPECT_TRUE(ShowsSurface(b, skin::kStateDisabled));
  EXPECT_EQ(Prop(b, kPropTimerId), 0);

  Fill(b, kMagenta);
  EnableWindow(b, TRUE);
  EXPECT_EQ(Prop(b, kPropOldState), skin::kStateNormal);
  EXPECT_TRUE(ShowsSurface(b, skin::kStateNormal));
  EXPECT_EQ(Prop(b, kPropTimerId), 0);
}

// The normal surface's pixels along the focus frame's top edge.
std::vector<COLORREF> FocusRow(HWND b) {
  std::vector<COLORREF> row;
  for (int x = 2; x < OuterSize(b).cx - 2; ++x) row.push_back(GetPixel(skin::GetSurfaceDc(b, 0), x, 2));
  return row;
}

TEST_F(InteractionTest, FocusChangesRenderTheSurfacesAgainAndFadeFromZero) {
  HWND b = Button(), other = Button(20, 100);
  HWND check = CheckBox(20), option = Option(60);
  const std::vector<COLORREF> unfocused = FocusRow(b);

  SetFocus(b);
  EXPECT_NE(FocusRow(b), unfocused) << "the focus frame is in the surfaces";
  EXPECT_EQ(Prop(b, kPropAlphaLevel), 0);
  EXPECT_NE(Prop(b, kPropTimerId), 0);

  skin::StopStateTimer(b);
  SetFocus(other);
  EXPECT_EQ(FocusRow(b), unfocused) << "and gone again";
  EXPECT_NE(Prop(b, kPropTimerId), 0);

  // An option button is repainted normal on a focus change, a check box is not.
  WriteProp(check, kPropOldState, skin::kStateHover);
  WriteProp(option, kPropOldState, skin::kStateHover);
  SetFocus(check);
  SetFocus(option);
  EXPECT_EQ(Prop(check, kPropOldState), skin::kStateHover);
  EXPECT_EQ(Prop(option, kPropOldState), skin::kStateNormal);
}

TEST_F(InteractionTest, CheckBoxFollowsMovesPressAndLeave) {
  HWND box = CheckBox(20);
  Send(box, WM_MOUSEMOVE, 0, At(5, 5));
  EXPECT_EQ(Prop(box, kPropMouseFlag), 1);
  EXPECT_EQ(Prop(box, kPropOldState), skin::kStateHover);
  EXPECT_EQ(SquareFrame(box), kFrameEnabled);
  Fill(box, kMagenta);
  Send(box, WM_MOUSEMOVE, 0, At(6, 5));  // every move repaints
  EXPECT_EQ(SquareFrame(box), kFrameEnabled);
  Send(box, WM_MOUSEMOVE, MK_LBUTTON, At(6, 5));
  EXPECT_EQ(SquareFrame(box), kFramePressed);

  Send(box, WM_LBUTTONUP, 0, At(6, 5));
  Send(box, WM_KEYDOWN, VK_SPACE);
  EXPECT_EQ(Prop(box, kPropOldState), skin::kStatePressed);
  EXPECT_EQ(SquareFrame(box), kFramePressed);
  Send(box, WM_KEYUP, VK_SPACE);
  EXPECT_EQ(Prop(box, kPropOldState), skin::kStateNormal);

  Send(box, WM_MOUSEMOVE, 0, At(5, 5));
  Send(box, WM_MOUSELEAVE);
  EXPECT_EQ(Prop(box, kPropMouseFlag), 0);
  EXPECT_EQ(Prop(box, kPropOldState), skin::kStateNormal);
}

TEST_F(InteractionTest, ClickingAnOptionRepaintsEverySkinnedSiblingNormal) {
  HWND first = Option(20, WS_GROUP), second = Option(60), check = CheckBox(100);
  HWND unskinned = CreateWindowExA(0, "ThunderRT6CheckBox", "", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX,
                                   200, 140, 120, 24, host_, nullptr, GetModuleHandleA(nullptr), nullptr);
  Send(first, BM_SETCHECK, BST_CHECKED);
  for (HWND w : {first, check, unskinned}) {
    WriteProp(w, kPropOldState, skin::kStateHover);
    Fill(w, kMagenta);
  }
  Send(second, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  Send(second, WM_LBUTTONUP, 0, At(5, 5));

  EXPECT_EQ(Send(second, BM_GETCHECK), BST_CHECKED);
  for (HWND w : {first, second, check}) EXPECT_EQ(Prop(w, kPropOldState), skin::kStateNormal);
  EXPECT_EQ(SquareFrame(check), kFrameEnabled);
  const int middle = OuterSize(first).cy / 2;
  EXPECT_NE(WindowPixel(first, GetSystemMetrics(SM_CXMENUCHECK) / 2, middle), kMagenta);
  EXPECT_EQ(Prop(unskinned, kPropOldState), skin::kStateHover) << "not skinned: left alone";
  EXPECT_EQ(WindowPixel(unskinned, 0, 0), kMagenta);
}

TEST_F(InteractionTest, ReleaseOnATopLevelWindowRefreshesItsOwnDescendants) {
  HWND check = CheckBox(20);
  skin::AttachSkin(host_);
  WriteProp(check, kPropOldState, skin::kStateHover);
  Send(host_, WM_LBUTTONUP);
  EXPECT_EQ(Prop(check, kPropOldState), skin::kStateNormal);
}

// A release on a message box refreshes the controls of the window that owns it.
HWND ownerCheck = nullptr;
LONG_PTR stateAfterBoxRelease = -1;
void CALLBACK ReleaseOnMessageBox(HWND, UINT, UINT_PTR id, DWORD) {
  HWND box = test::FindThreadWindow("#32770");
  if (!box) return;
  KillTimer(nullptr, id);
  skin::AttachSkin(box);
  WriteProp(ownerCheck, kPropOldState, skin::kStateHover);
  Send(box, WM_LBUTTONUP);
  stateAfterBoxRelease = Prop(ownerCheck, kPropOldState);
  PostMessageA(box, WM_COMMAND, IDOK, 0);
}

TEST_F(InteractionTest, ReleaseOnAnOwnedMessageBoxRefreshesTheOwnersDescendants) {
  ownerCheck = CheckBox(20);
  skin::AttachSkin(host_);
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, ReleaseOnMessageBox);
  MessageBoxA(host_, "text", "title", MB_OK);
  KillTimer(nullptr, timer);
  EXPECT_EQ(stateAfterBoxRelease, skin::kStateNormal);
}

TEST_F(InteractionTest, EveryHandlerReturnsThePreviousResultAndLetsItRunFirst) {
  const char* kinds[] = {"ThunderCommandButton", "ThunderCheckBox", "ThunderOptionButton", "ThunderFormDC",
                         "SomethingPlain"};
  const UINT messages[] = {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_MOUSELEAVE, WM_KEYDOWN,
                           WM_KEYUP, WM_SETFOCUS, WM_KILLFOCUS, WM_ENABLE, WM_TIMER};
  for (const char* kind : kinds) {
    RegisterStandIn(kind, StandInProc);
    HWND w = SkinnedChild(host_, kind, 0, 20, 20, 100, 30);
    for (UINT msg : messages)
      EXPECT_EQ(Send(w, msg, msg == WM_KEYDOWN || msg == WM_KEYUP ? VK_SPACE : 1), kPreviousResult)
          << kind << " message " << msg;
    DestroyWindow(w);
  }

  HWND b = SkinnedChild(host_, "ThunderCommandButton", 0, 20, 20, 100, 30);
  Send(b, WM_LBUTTONDOWN);
  EXPECT_EQ(stateSeen, skin::kStateNormal) << "the press is drawn after the previous procedure";
  EXPECT_EQ(Prop(b, kPropOldState), skin::kStatePressed);
  Send(b, WM_TIMER, 1);
  EXPECT_EQ(alphaSeen, 3) << "the fade step comes before the previous procedure";
}

TEST_F(InteractionTest, AButtonDetachedWhileItHandlesTheReleaseGetsNoTimerOrStateBack) {
  RegisterStandIn("ThunderCommandButton", StandInProc);
  HWND b = SkinnedChild(host_, "ThunderCommandButton", 0, 20, 20, 100, 30);
  Send(b, WM_LBUTTONDOWN);
  detachOnRelease = true;
  EXPECT_EQ(Send(b, WM_LBUTTONUP), kPreviousResult);
  detachOnRelease = false;
  EXPECT_EQ(Prop(b, skin::kPropProcAddr), 0);
  EXPECT_EQ(Prop(b, kPropAlphaLevel), 0);
  EXPECT_EQ(GetPropA(b, kPropOldState), nullptr);
  EXPECT_FALSE(KillTimer(b, skin::kFadeTimerId)) << "no fade timer left running on an unskinned window";
}

}  // namespace
