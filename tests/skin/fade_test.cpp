// The push-button fade: its steps counted on real WM_TIMER messages, the
// single timer, stray ticks, one real 15 ms fade, and the leave request.
#include <gtest/gtest.h>

#include "skin/fade.h"
#include "skin/state.h"
#include "tests/skin/interaction_fixture.h"

using namespace itest;

namespace {

class FadeTest : public testing::Test {
 protected:
  void SetUp() override {
    PointAway();
    host_ = test::Window(test::CreateHostWindow(300, 200));
    button_ = SkinnedChild(host_, "Button", BS_PUSHBUTTON, 20, 20, 120, 40);
    test::PumpMessages(50);  // the repaints of the attach go first
  }

  // Sends WM_TIMER until the fade ends, checking each step's alpha; before the
  // last step the window is painted over, so only a step at 255 restores it.
  int RunFade(int from) {
    int steps = 0;
    while (Prop(button_, skin::kPropTimerId) != 0 && steps < 200) {
      if (Prop(button_, skin::kPropAlphaLevel) == 255) Fill(button_, kMagenta);
      EXPECT_EQ(Send(button_, WM_TIMER, skin::kFadeTimerId), 0);
      ++steps;
      const LONG_PTR expected = from + 3 * steps > 255 ? 0 : from + 3 * steps;
      EXPECT_EQ(Prop(button_, skin::kPropAlphaLevel), expected) << "after step " << steps;
    }
    return steps;
  }

  test::Window host_;
  HWND button_ = nullptr;
};

TEST_F(FadeTest, FadeFromZeroTakes86StepsAndEndsShowingTheTarget) {
  Send(button_, WM_KEYDOWN, VK_SPACE);
  ASSERT_TRUE(ShowsSurface(button_, skin::kStatePressed));
  Send(button_, WM_KEYUP, VK_SPACE);
  ASSERT_EQ(Prop(button_, skin::kPropAlphaLevel), 0);
  ASSERT_NE(Prop(button_, skin::kPropTimerId), 0);

  // A step at alpha 0 leaves the picture as it was.
  Fill(button_, kMagenta);
  Send(button_, WM_TIMER, skin::kFadeTimerId);
  EXPECT_EQ(WindowPixel(button_, 60, 20), kMagenta);

  EXPECT_EQ(RunFade(3) + 1, 86);
  EXPECT_TRUE(ShowsSurface(button_, skin::kStateNormal));
  EXPECT_EQ(Prop(button_, skin::kPropAlphaLevel), 0);
  EXPECT_EQ(Prop(button_, skin::kPropTimerId), 0);
  EXPECT_FALSE(KillTimer(button_, skin::kFadeTimerId)) << "the timer is really gone";
}

TEST_F(FadeTest, FadeAfterAMouseReleaseStartsAt60AndTakes66Steps) {
  Send(button_, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  Send(button_, WM_LBUTTONUP, 0, At(5, 5));
  ASSERT_EQ(Prop(button_, skin::kPropAlphaLevel), 60);
  EXPECT_EQ(RunFade(60), 66);
  EXPECT_TRUE(ShowsSurface(button_, skin::kStateNormal));
  EXPECT_EQ(Prop(button_, skin::kPropTimerId), 0);
}

TEST_F(FadeTest, StartingAgainKeepsTheRunningTimerAndTheFadeGoesOnFromTheNewLevel) {
  Send(button_, WM_KEYDOWN, VK_SPACE);
  Send(button_, WM_KEYUP, VK_SPACE);
  const LONG_PTR timer = Prop(button_, skin::kPropTimerId);
  ASSERT_NE(timer, 0);
  EXPECT_EQ(skin::StartStateTimer(button_), 0u);
  EXPECT_EQ(Prop(button_, skin::kPropTimerId), timer);

  for (int i = 0; i < 30; ++i) Send(button_, WM_TIMER, skin::kFadeTimerId);
  ASSERT_EQ(Prop(button_, skin::kPropAlphaLevel), 90);
  Send(button_, WM_LBUTTONUP, 0, At(5, 5));  // a release mid-fade restarts from 60
  EXPECT_EQ(Prop(button_, skin::kPropTimerId), timer);
  EXPECT_EQ(RunFade(60), 66);
}

TEST_F(FadeTest, AStrayTickWithAnyIdentifierDoesOneStep) {
  Send(button_, WM_KEYDOWN, VK_SPACE);  // a press leaves alpha 0 and no timer
  ASSERT_EQ(Prop(button_, skin::kPropTimerId), 0);
  ASSERT_EQ(Prop(button_, skin::kPropAlphaLevel), 0);
  Send(button_, WM_TIMER, 77);
  EXPECT_EQ(Prop(button_, skin::kPropAlphaLevel), 3);
  EXPECT_EQ(Prop(button_, skin::kPropTimerId), 0);
  EXPECT_FALSE(skin::StopStateTimer(button_));
}

TEST_F(FadeTest, ARealFadeRunsOnItsOwnTimerToTheTargetLook) {
  Send(button_, WM_KEYDOWN, VK_SPACE);
  Send(button_, WM_KEYUP, VK_SPACE);
  Fill(button_, kMagenta);
  const DWORD start = GetTickCount();
  ASSERT_TRUE(test::PumpUntil([&] { return Prop(button_, skin::kPropTimerId) == 0; }, 8000));
  // 86 ticks of at least 15 ms each, with slack for the clock's granularity.
  EXPECT_GE(GetTickCount() - start, 1000u);
  EXPECT_TRUE(ShowsSurface(button_, skin::kStateNormal));
  EXPECT_EQ(Prop(button_, skin::kPropAlphaLevel), 0);
}

// The leave request works through either entry point.
LONG leaves = 0;
LRESULT CALLBACK CountLeaves(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_MOUSELEAVE) ++leaves;
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

TEST(TrackMouseLeave, BothEntryPointsDeliverOneLeave) {
  RegisterStandIn("LeaveCounter", CountLeaves);
  test::Window host(test::CreateHostWindow(200, 100));
  test::Window target(CreateWindowExA(0, "LeaveCounter", "", WS_CHILD | WS_VISIBLE, 10, 10, 80, 40,
                                      host, nullptr, GetModuleHandleA(nullptr), nullptr));
  const bool saved = skin::Engine().userTrackMouse;
  for (bool user32 : {true, false}) {
    skin::Engine().userTrackMouse = user32;
    PointAt(target, 20, 20);
    test::PumpMessages(50);
    leaves = 0;
    skin::TrackMouseLeave(target);
    PointAway();
    EXPECT_TRUE(test::PumpUntil([] { return leaves > 0; }, 2000)) << "user32: " << user32;
    test::PumpMessages(50);
    EXPECT_EQ(leaves, 1) << "user32: " << user32;
  }
  skin::Engine().userTrackMouse = saved;
}

}  // namespace
