// The form runtime on a small form of the test's own: event binding by name,
// label hit-testing, unloading on every way out, and font ownership.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/form_runtime.h"
#include "tests/support/win32_test.h"

namespace {

std::vector<std::wstring> g_events;
bool g_visibleAtLoad = true;

void Record(const wchar_t* name) { g_events.push_back(name); }
void OnLoad(form::Form& f) {
  g_visibleAtLoad = IsWindowVisible(f.hwnd()) != FALSE;
  Record(L"Form_Load");
}
void OnUnload(form::Form&) { Record(L"Form_Unload"); }
void OnFormMove(form::Form&) { Record(L"Form_MouseMove"); }
void OnLinkMove(form::Form&) { Record(L"Link_MouseMove"); }
void OnLinkClick(form::Form&) { Record(L"Link_Click"); }
void OnGoClick(form::Form&) { Record(L"Go_Click"); }

constexpr form::FontDef kLinkFont{L"宋体", 1200, FW_NORMAL, GB2312_CHARSET, false};
constexpr form::ControlDef kControls[] = {
    {L"Go", form::ControlKind::CommandButton, 150, 150, 1500, 450, 0, nullptr, form::kDefaultColour, L"Go"},
    {L"Mute", form::ControlKind::CommandButton, 1800, 150, 1500, 450, 1, nullptr, form::kDefaultColour, L"Mute"},
    {L"Link", form::ControlKind::Label, 300, 1200, 3000, 300, 2, &kLinkFont, 0x0000FF, L"a link label"},
};
constexpr form::EventBinding kEvents[] = {
    {L"Form_Load", OnLoad},       {L"Form_Unload", OnUnload}, {L"Form_MouseMove", OnFormMove},
    {L"Link_MouseMove", OnLinkMove}, {L"Link_Click", OnLinkClick}, {L"Go_Click", OnGoClick},
};
constexpr form::FormDef kForm{L"RuntimeTestForm", L"runtime", 4500, 2400, 0,
                               kControls, ARRAYSIZE(kControls), kEvents, ARRAYSIZE(kEvents)};

size_t Count(const wchar_t* name) {
  size_t n = 0;
  for (const auto& e : g_events) n += e == name;
  return n;
}

class FormRuntime : public ::testing::Test {
 protected:
  void SetUp() override {
    g_events.clear();
    form_ = form::Form::Load(kForm, false);
    hwnd_ = form_->hwnd();
  }
  void TearDown() override {
    if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
  }
  LPARAM At(POINT p) const { return MAKELPARAM(p.x, p.y); }
  POINT LinkCentre() const {
    const RECT r = form_->ControlRect(L"Link");
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  form::Form* form_ = nullptr;
  HWND hwnd_ = nullptr;
};

TEST(TwipsConversion, FifteenTwipsMakeAPixelAt96DpiAndScaleWithTheDisplay) {
  EXPECT_EQ(form::TwipsToPixels(6390, 96), 426);
  EXPECT_EQ(form::TwipsToPixels(3945, 96), 263);
  EXPECT_EQ(form::TwipsToPixels(6390, 144), 639);
  EXPECT_EQ(form::TwipsToPixels(3945, 120), 329);  // 328.75 rounds up
}

TEST_F(FormRuntime, LoadRunsBeforeTheWindowShowsAndTheClientTakesTheLayoutSize) {
  ASSERT_EQ(g_events.size(), 1u);
  EXPECT_EQ(g_events[0], L"Form_Load");
  EXPECT_FALSE(g_visibleAtLoad);
  EXPECT_TRUE(IsWindowVisible(hwnd_));
  RECT client{};
  GetClientRect(hwnd_, &client);
  EXPECT_EQ(client.right, form::TwipsToPixels(4500, form_->dpi()));
  EXPECT_EQ(client.bottom, form::TwipsToPixels(2400, form_->dpi()));
  EXPECT_EQ(form::Form::FromWindow(hwnd_), form_);
}

TEST_F(FormRuntime, ButtonClicksReachTheHandlerOfTheirNameAndUnboundOnesNothing) {
  SendMessageW(form_->ControlWindow(L"Go"), BM_CLICK, 0, 0);
  SendMessageW(form_->ControlWindow(L"Mute"), BM_CLICK, 0, 0);
  EXPECT_EQ(Count(L"Go_Click"), 1u);
  EXPECT_EQ(g_events.size(), 2u);  // Load and one click
}

TEST_F(FormRuntime, MouseEventsGoToTheLabelUnderThePointerOrTheForm) {
  SendMessageW(hwnd_, WM_MOUSEMOVE, 0, At(LinkCentre()));
  SendMessageW(hwnd_, WM_MOUSEMOVE, 0, At({2, 2}));
  ASSERT_EQ(g_events.size(), 3u);
  EXPECT_EQ(g_events[1], L"Link_MouseMove");
  EXPECT_EQ(g_events[2], L"Form_MouseMove");

  // The label's edge: its rectangle is the text extent, nothing more.
  const RECT r = form_->ControlRect(L"Link");
  SendMessageW(hwnd_, WM_MOUSEMOVE, 0, At({r.right, r.top}));
  SendMessageW(hwnd_, WM_MOUSEMOVE, 0, At({r.right - 1, r.bottom - 1}));
  EXPECT_EQ(g_events[3], L"Form_MouseMove");
  EXPECT_EQ(g_events[4], L"Link_MouseMove");
}

TEST_F(FormRuntime, ALabelClickNeedsPressAndReleaseOnTheLabel) {
  SendMessageW(hwnd_, WM_LBUTTONDOWN, MK_LBUTTON, At(LinkCentre()));
  EXPECT_EQ(GetCapture(), hwnd_);
  SendMessageW(hwnd_, WM_LBUTTONUP, 0, At({2, 2}));
  EXPECT_EQ(GetCapture(), nullptr);
  SendMessageW(hwnd_, WM_LBUTTONDOWN, MK_LBUTTON, At({2, 2}));
  SendMessageW(hwnd_, WM_LBUTTONUP, 0, At(LinkCentre()));
  EXPECT_EQ(Count(L"Link_Click"), 0u);
  SendMessageW(hwnd_, WM_LBUTTONDOWN, MK_LBUTTON, At(LinkCentre()));
  SendMessageW(hwnd_, WM_LBUTTONUP, 0, At(LinkCentre()));
  EXPECT_EQ(Count(L"Link_Click"), 1u);
}

TEST_F(FormRuntime, ClosingUnloadsOnceAndDestroysTheWindow) {
  SendMessageW(hwnd_, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(hwnd_));
  EXPECT_EQ(Count(L"Form_Unload"), 1u);
}

TEST_F(FormRuntime, DestroyingWithoutCloseStillUnloadsOnce) {
  DestroyWindow(hwnd_);
  EXPECT_FALSE(IsWindow(hwnd_));
  EXPECT_EQ(Count(L"Form_Unload"), 1u);
}

TEST_F(FormRuntime, TheMainFormEndsTheMessageLoopWhenClosed) {
  DestroyWindow(hwnd_);
  g_events.clear();
  form::Form* main = form::Form::Load(kForm, true);
  hwnd_ = main->hwnd();
  PostMessageW(hwnd_, WM_CLOSE, 0, 0);
  EXPECT_EQ(form::RunMessageLoop(hwnd_), 0);
  EXPECT_FALSE(IsWindow(hwnd_));
  EXPECT_EQ(Count(L"Form_Unload"), 1u);
}

TEST_F(FormRuntime, TogglingALabelsUnderlineManyTimesLeaksNoFont) {
  // More rounds than a process may hold GDI objects (some 64K under Wine): a
  // font leaked per round would exhaust the table before the end.
  for (int i = 0; i < 70000; ++i) form_->SetFontUnderline(L"Link", i % 2 == 0);
  EXPECT_FALSE(form_->FontUnderline(L"Link"));
  form_->SetFontUnderline(L"Link", true);
  LOGFONTW lf{};
  ASSERT_EQ(GetObjectW(form_->ControlFont(L"Link"), sizeof(lf), &lf), static_cast<int>(sizeof(lf)));
  EXPECT_TRUE(lf.lfUnderline);
  EXPECT_EQ(lf.lfHeight, -MulDiv(1200, form_->dpi(), 7200));
  HFONT fresh = CreateFontIndirectW(&lf);
  EXPECT_NE(fresh, nullptr);
  if (fresh) DeleteObject(fresh);
}

}  // namespace
