// The link label: hover look driven by the real pointer, painting of its
// underline and colour, and the command line that its click starts.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "app/form1.h"
#include "tests/app/app_test_util.h"
#include "tests/support/win32_test.h"

namespace {

constexpr COLORREF kDarkGreen = 0x004000;
constexpr COLORREF kBlue = 0xFF0000;
const std::wstring kOpenForum = L"1|rundll32.exe url.dll,FileProtocolHandler \"http://bbs.tarvel.cn/gm/\"";

POINT Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

void MovePointer(HWND hwnd, POINT client) {
  ClientToScreen(hwnd, &client);
  SetCursorPos(client.x, client.y);
}

bool Near(COLORREF a, COLORREF b, int tolerance) {
  return abs(GetRValue(a) - GetRValue(b)) <= tolerance && abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
         abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

// What the label looks like on screen: pixels of a colour, and the longest
// horizontal run of them (an underline spans the whole text).
struct LabelPixels {
  int count = 0;
  int longestRun = 0;
};

LabelPixels ReadLabel(HWND hwnd, const RECT& label, COLORREF colour) {
  RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  RECT window{};
  GetWindowRect(hwnd, &window);
  POINT origin{0, 0};
  ClientToScreen(hwnd, &origin);
  test::Canvas canvas(window.right - window.left, window.bottom - window.top);
  test::CaptureWindow(hwnd, canvas);
  LabelPixels seen;
  for (int y = label.top; y < label.bottom; ++y) {
    int run = 0;
    for (int x = label.left; x < label.right; ++x) {
      const bool hit = Near(canvas.Pixel(x + origin.x - window.left, y + origin.y - window.top), colour, 40);
      seen.count += hit;
      run = hit ? run + 1 : 0;
      if (run > seen.longestRun) seen.longestRun = run;
    }
  }
  return seen;
}

// Parks the pointer in the screen corner, away from the window to come.
struct ParkedPointer {
  ParkedPointer() {
    SetCursorPos(0, 0);
    test::PumpMessages(50);
  }
};

class LinkLabel : public ::testing::Test {
 protected:
  void SetUp() override {
    SetForegroundWindow(app.hwnd());
    label = app.form().ControlRect(L"Label2");
    width = label.right - label.left;
    test::PumpMessages(50);
  }
  bool Underlined() const { return app.form().FontUnderline(L"Label2"); }
  COLORREF Colour() const { return app.form().ForeColour(L"Label2"); }

  ParkedPointer parked;  // before the window is made
  apptest::LoadedForm1 app;
  RECT label{};
  int width = 0;
  // Bare window: left of Label1, below the buttons.
  const POINT bare{8, 250};
};

TEST_F(LinkLabel, HoverTurnsItBlueWithoutUnderlineAndTheBareWindowUnderlinesItAgain) {
  LabelPixels look = ReadLabel(app.hwnd(), label, kDarkGreen);
  EXPECT_GT(look.count, 40);
  EXPECT_LT(look.longestRun, width * 3 / 4);

  MovePointer(app.hwnd(), bare);
  ASSERT_TRUE(test::PumpUntil([&] { return Underlined(); }));
  EXPECT_EQ(Colour(), kDarkGreen);
  look = ReadLabel(app.hwnd(), label, kDarkGreen);
  EXPECT_GE(look.longestRun, width * 3 / 4);

  MovePointer(app.hwnd(), Centre(label));
  ASSERT_TRUE(test::PumpUntil([&] { return !Underlined() && Colour() == kBlue; }));
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_HAND)));
  look = ReadLabel(app.hwnd(), label, kBlue);
  EXPECT_GT(look.count, 40);
  EXPECT_LT(look.longestRun, width * 3 / 4);
  EXPECT_EQ(ReadLabel(app.hwnd(), label, kDarkGreen).count, 0);

  // Leaving for the bare window underlines it but keeps it blue.
  MovePointer(app.hwnd(), bare);
  ASSERT_TRUE(test::PumpUntil([&] { return Underlined(); }));
  EXPECT_EQ(Colour(), kBlue);
  EXPECT_GE(ReadLabel(app.hwnd(), label, kBlue).longestRun, width * 3 / 4);
  EXPECT_NE(GetCursor(), LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_HAND)));

  MovePointer(app.hwnd(), Centre(label));
  ASSERT_TRUE(test::PumpUntil([&] { return !Underlined(); }));
  EXPECT_EQ(Colour(), kBlue);
}

TEST_F(LinkLabel, MovingOverOtherControlsChangesNothing) {
  MovePointer(app.hwnd(), bare);
  ASSERT_TRUE(test::PumpUntil([&] { return Underlined(); }));
  // Label1 is a label of its own; the link keeps its look.
  MovePointer(app.hwnd(), Centre(app.form().ControlRect(L"Label1")));
  test::PumpMessages(300);
  EXPECT_TRUE(Underlined());
  EXPECT_EQ(Colour(), kDarkGreen);
}

TEST_F(LinkLabel, HandCursorDoesNotStayOverLabel1AfterAFastMoveFromLabel2) {
  const HCURSOR hand = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_HAND));
  MovePointer(app.hwnd(), Centre(label));
  ASSERT_TRUE(test::PumpUntil([&] { return GetCursor() == hand; }));
  // One jump, with no move over the bare window in between.
  MovePointer(app.hwnd(), Centre(app.form().ControlRect(L"Label1")));
  test::PumpMessages(300);
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW)));
}

TEST_F(LinkLabel, ClickStartsTheUrlHandlerWithTheQuotedForumAddress) {
  EXPECT_EQ(wcslen(godmode::kForumAddress), 24u);
  EXPECT_EQ(godmode::kForumAddress[23], L'/');

  apptest::CommandRecord record;
  const POINT on = Centre(label);
  const LPARAM onLabel = MAKELPARAM(on.x, on.y);
  const LPARAM offLabel = MAKELPARAM(bare.x, bare.y);
  // A press that starts or ends off the label is no click.
  SendMessageW(app.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, onLabel);
  SendMessageW(app.hwnd(), WM_LBUTTONUP, 0, offLabel);
  SendMessageW(app.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, offLabel);
  SendMessageW(app.hwnd(), WM_LBUTTONUP, 0, onLabel);
  // Each real click starts one more handler.
  for (int i = 0; i < 2; ++i) {
    SendMessageW(app.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, onLabel);
    SendMessageW(app.hwnd(), WM_LBUTTONUP, 0, onLabel);
  }
  auto lines = record.WaitForLines(2);
  test::PumpMessages(1000);
  lines = record.Lines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], kOpenForum);
  EXPECT_EQ(lines[1], kOpenForum);
  EXPECT_EQ(record.ProgramsElsewhere(), std::vector<std::wstring>{});
}

}  // namespace
