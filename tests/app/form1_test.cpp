// Form1 as loaded: layout at 96 dpi, texts, fonts, colours, focus and tab
// order, icon, and shutdown.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "app/form1.h"
#include "skin/draw/high_contrast.h"
#include "tests/app/app_test_util.h"
#include "tests/support/win32_test.h"

namespace {

const std::wstring kText1 =
    L"    上帝模式是一个包含几乎所有“Windows 7\r\n"
    L"”的系统设置，用户只需通过这一个窗口就能实\r\n"
    L"现所有的操控，而不必再去为调整一个小小的系\r\n"
    L"统设置细想半天究竟该在什么地方去打开设置窗\r\n"
    L"口。里面包括了方方面面的系统设置选项和工具\r\n"
    L"，整整278个项目，排列清晰，供您随意选择。其实上帝模式只是一组类标识符，只不过上帝模\r\n"
    L"式把控制面板中的设置给细分了，让大家能够很\r\n"
    L"清楚的进行相关设置。 \r\n";

RECT ClientRectOf(HWND parent, HWND child) {
  RECT r{};
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

void ExpectRect(const RECT& r, int left, int top, int width, int height) {
  EXPECT_EQ(r.left, left);
  EXPECT_EQ(r.top, top);
  EXPECT_EQ(r.right - r.left, width);
  EXPECT_EQ(r.bottom - r.top, height);
}

std::wstring ClassOf(HWND hwnd) {
  wchar_t name[64] = {};
  GetClassNameW(hwnd, name, ARRAYSIZE(name));
  return name;
}

LOGFONTW FontOf(HFONT font) {
  LOGFONTW lf{};
  GetObjectW(font, sizeof(lf), &lf);
  return lf;
}

SIZE TextExtent(HFONT font, const std::wstring& text) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return size;
}

// Pixels within tolerance of a colour, in a client rectangle of the window.
int CountNear(HWND hwnd, const RECT& rect, COLORREF colour, int tolerance = 48) {
  RECT window{}, client{};
  GetWindowRect(hwnd, &window);
  GetClientRect(hwnd, &client);
  POINT origin{0, 0};
  ClientToScreen(hwnd, &origin);
  test::Canvas canvas(window.right - window.left, window.bottom - window.top);
  test::CaptureWindow(hwnd, canvas);
  const int dx = origin.x - window.left, dy = origin.y - window.top;
  int count = 0;
  for (int y = rect.top; y < rect.bottom; ++y)
    for (int x = rect.left; x < rect.right; ++x) {
      const COLORREF p = canvas.Pixel(x + dx, y + dy);
      if (abs(GetRValue(p) - GetRValue(colour)) <= tolerance && abs(GetGValue(p) - GetGValue(colour)) <= tolerance &&
          abs(GetBValue(p) - GetBValue(colour)) <= tolerance)
        ++count;
    }
  return count;
}

class Form1Test : public ::testing::Test {
 protected:
  apptest::LoadedForm1 app;
};

TEST_F(Form1Test, WindowIsAFixedCentredFormOf426By263PixelsAt96Dpi) {
  ASSERT_EQ(app.form().dpi(), 96);
  EXPECT_EQ(ClassOf(app.hwnd()), L"Form");
  RECT client{};
  GetClientRect(app.hwnd(), &client);
  EXPECT_EQ(client.right, 426);
  EXPECT_EQ(client.bottom, 263);

  const LONG style = GetWindowLongW(app.hwnd(), GWL_STYLE);
  EXPECT_TRUE(style & WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  EXPECT_TRUE(IsWindowVisible(app.hwnd()));

  RECT window{};
  GetWindowRect(app.hwnd(), &window);
  EXPECT_NEAR((window.left + window.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
  EXPECT_NEAR((window.top + window.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
  EXPECT_FALSE(test::WindowTextW(app.hwnd()).empty());
}

TEST_F(Form1Test, ControlsSitWhereTheLayoutPutsThem) {
  ExpectRect(ClientRectOf(app.hwnd(), app.control(L"Command2")), 200, 192, 217, 41);
  ExpectRect(ClientRectOf(app.hwnd(), app.control(L"Text1")), 0, 0, 425, 185);
  ExpectRect(ClientRectOf(app.hwnd(), app.control(L"Command1")), 8, 192, 185, 41);

  // Labels have no window and take the extent of their text.
  const RECT label2 = app.form().ControlRect(L"Label2");
  const SIZE extent2 = TextExtent(app.form().ControlFont(L"Label2"), L"http://bbs.tarvel.cn/gm/");
  ExpectRect(label2, 152, 240, extent2.cx, extent2.cy);
  const RECT label1 = app.form().ControlRect(L"Label1");
  const SIZE extent1 = TextExtent(app.form().ControlFont(L"Label1"), L"Tarvel家园");
  ExpectRect(label1, 32, 240, extent1.cx, extent1.cy);
  EXPECT_EQ(app.form().ControlWindow(L"Label1"), nullptr);
  EXPECT_EQ(app.form().ControlWindow(L"Label2"), nullptr);
}

TEST_F(Form1Test, ControlsAreRealButtonsAndAMultiLineEdit) {
  EXPECT_EQ(ClassOf(app.control(L"Command1")), L"Button");
  EXPECT_EQ(ClassOf(app.control(L"Command2")), L"Button");
  HWND text1 = app.control(L"Text1");
  EXPECT_EQ(ClassOf(text1), L"Edit");
  const LONG style = GetWindowLongW(text1, GWL_STYLE);
  EXPECT_TRUE(style & ES_MULTILINE);
  EXPECT_TRUE(style & WS_VSCROLL);
  EXPECT_FALSE(style & ES_READONLY);
  EXPECT_TRUE(GetWindowLongW(text1, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
  EXPECT_EQ(GetParent(text1), app.hwnd());
}

TEST_F(Form1Test, TextsAreExact) {
  EXPECT_EQ(test::WindowTextW(app.control(L"Command1")), L"在桌面创建“上帝模式”图标");
  EXPECT_EQ(test::WindowTextW(app.control(L"Command2")), L"不创建“上帝模式”图标直接打开");

  const std::wstring text = test::WindowTextW(app.control(L"Text1"));
  EXPECT_EQ(text, kText1);
  const int gbkBytes = WideCharToMultiByte(936, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                           nullptr, nullptr);
  EXPECT_EQ(gbkBytes, 371);
}

TEST_F(Form1Test, LabelsAndTextBoxUseTheirStoredFontsAndColours) {
  const LOGFONTW text1 = FontOf(reinterpret_cast<HFONT>(SendMessageW(app.control(L"Text1"), WM_GETFONT, 0, 0)));
  EXPECT_STREQ(text1.lfFaceName, L"宋体");
  EXPECT_EQ(text1.lfHeight, -19);  // 14.25 pt at 96 dpi
  EXPECT_EQ(text1.lfWeight, 400);
  EXPECT_EQ(text1.lfCharSet, 134);

  const LOGFONTW label2 = FontOf(app.form().ControlFont(L"Label2"));
  EXPECT_STREQ(label2.lfFaceName, L"宋体");
  EXPECT_EQ(label2.lfHeight, -19);
  EXPECT_EQ(label2.lfWeight, 400);
  EXPECT_EQ(label2.lfCharSet, 134);
  EXPECT_FALSE(label2.lfUnderline);

  const LOGFONTW label1 = FontOf(app.form().ControlFont(L"Label1"));
  EXPECT_STREQ(label1.lfFaceName, L"宋体");
  EXPECT_EQ(label1.lfHeight, -20);  // 15 pt
  EXPECT_EQ(label1.lfWeight, 700);
  EXPECT_EQ(label1.lfCharSet, 134);

  // The buttons share the window's user-interface font, not a stored one.
  const HFONT command1 = reinterpret_cast<HFONT>(SendMessageW(app.control(L"Command1"), WM_GETFONT, 0, 0));
  EXPECT_NE(command1, nullptr);
  EXPECT_EQ(command1, reinterpret_cast<HFONT>(SendMessageW(app.control(L"Command2"), WM_GETFONT, 0, 0)));

  EXPECT_EQ(app.form().ForeColour(L"Label2"), 0x004000u);
  EXPECT_EQ(app.form().ForeColour(L"Label1"), 0xFF0000u);
  EXPECT_EQ(app.form().ForeColour(L"Text1"), 0x004000u);
}

TEST_F(Form1Test, LabelsAndTextArePaintedInTheirColours) {
  SetForegroundWindow(app.hwnd());
  RedrawWindow(app.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  test::PumpMessages(100);
  EXPECT_GT(CountNear(app.hwnd(), app.form().ControlRect(L"Label1"), 0xFF0000), 40);
  EXPECT_EQ(CountNear(app.hwnd(), app.form().ControlRect(L"Label1"), 0x004000, 16), 0);
  EXPECT_GT(CountNear(app.hwnd(), app.form().ControlRect(L"Label2"), 0x004000), 40);
  EXPECT_EQ(CountNear(app.hwnd(), app.form().ControlRect(L"Label2"), 0xFF0000, 16), 0);
  EXPECT_GT(CountNear(app.hwnd(), ClientRectOf(app.hwnd(), app.control(L"Text1")), 0x004000), 400);
}

// With the pointer far away, the text box's scroll bar is on the display from
// the first paint: edges darker than the text area all the way down, no text.
TEST(Form1Screen, TextBoxScrollBarShowsFromTheFirstPaint) {
  SetCursorPos(0, 0);
  apptest::LoadedForm1 app;
  SCROLLBARINFO bar{};
  bar.cbSize = sizeof(bar);
  ASSERT_TRUE(GetScrollBarInfo(app.control(L"Text1"), OBJID_VSCROLL, &bar));
  ASSERT_FALSE(bar.rgstate[0] & STATE_SYSTEM_INVISIBLE);
  const RECT& r = bar.rcScrollBar;
  HDC screen = GetDC(nullptr);
  int dark = 0, text = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) {
      const COLORREF p = GetPixel(screen, x, y);
      dark += (GetRValue(p) + GetGValue(p) + GetBValue(p)) / 3 < 0xD0;
      text += p == 0x004000;
    }
  ReleaseDC(nullptr, screen);
  EXPECT_GE(dark, r.bottom - r.top);
  EXPECT_EQ(text, 0);
}

TEST_F(Form1Test, FocusStartsOnCommand1AndTabFollowsTheTabIndex) {
  EXPECT_EQ(GetFocus(), app.control(L"Command1"));
  HWND next = GetNextDlgTabItem(app.hwnd(), app.control(L"Command1"), FALSE);
  EXPECT_EQ(next, app.control(L"Text1"));
  next = GetNextDlgTabItem(app.hwnd(), next, FALSE);
  EXPECT_EQ(next, app.control(L"Command2"));
  next = GetNextDlgTabItem(app.hwnd(), next, FALSE);
  EXPECT_EQ(next, app.control(L"Command1"));
}

// The Tab key as the app's message loop hands it to the dialog manager.
void PressTab(HWND form, bool shift) {
  if (shift) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
  }
  MSG msg{GetFocus(), WM_KEYDOWN, VK_TAB, 0x000F0001, 0, {}};
  IsDialogMessageW(form, &msg);
  if (shift) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
  }
}

TEST_F(Form1Test, TabKeyWalksTheControlsIncludingOutOfTheTextBox) {
  SetForegroundWindow(app.hwnd());
  SetFocus(app.control(L"Command1"));
  PressTab(app.hwnd(), false);
  EXPECT_EQ(GetFocus(), app.control(L"Text1"));
  PressTab(app.hwnd(), false);
  EXPECT_EQ(GetFocus(), app.control(L"Command2"));
  PressTab(app.hwnd(), true);
  EXPECT_EQ(GetFocus(), app.control(L"Text1"));
  EXPECT_EQ(test::WindowTextW(app.control(L"Text1")), kText1);
}

// Esc in the text box or on a button changes nothing (the form has no Cancel
// button), posted as the loop finds it or typed; Alt+F4 still unloads the form
// and ends the loop at once.
TEST(Form1Keys, EscChangesNothingAndAltF4StillEndsTheProgram) {
  form::Form* form = form::Form::Load(godmode::Form1(), true);
  const HWND hwnd = form->hwnd();
  const HWND text1 = form->ControlWindow(L"Text1");
  std::wstring lost;  // where the form was closed or lost its skin
  auto escIn = [&](HWND target, bool posted) {
    SetForegroundWindow(hwnd);
    SetFocus(target);
    if (!posted) return apptest::TypeKey(VK_ESCAPE);
    PostMessageW(target, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    PostMessageW(target, WM_KEYUP, VK_ESCAPE, 0xC0010001);
  };
  auto check = [&](const wchar_t* where) {
    if (!IsWindowVisible(hwnd) || !GetPropA(hwnd, "PROCADDR")) lost += std::wstring(where) + L"; ";
  };
  const std::vector<std::function<void()>> steps = {
      [&] { escIn(text1, true); },
      [&] { check(L"posted in Text1"), escIn(text1, false); },
      [&] { check(L"typed in Text1"), escIn(form->ControlWindow(L"Command1"), false); },
      [&] { check(L"on Command1"), escIn(form->ControlWindow(L"Command2"), false); },
      [&] {
        check(L"on Command2");
        apptest::SendKey(VK_MENU, false);
        apptest::TypeKey(VK_F4);
        apptest::SendKey(VK_MENU, true);
      },
  };
  const apptest::LoopRun run = apptest::RunMainLoop(hwnd, steps);
  EXPECT_EQ(run.stepsRun, steps.size()) << "the form went before Alt+F4";
  EXPECT_TRUE(lost.empty()) << test::Narrow(lost);
  EXPECT_TRUE(run.endedByItself) << "Alt+F4 did not close the form";
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(Form1Test, TabbingIntoTheTextBoxKeepsItsCaretAndSelectsNothing) {
  SetForegroundWindow(app.hwnd());
  const HWND text1 = app.control(L"Text1");
  SetFocus(text1);
  SendMessageW(text1, EM_SETSEL, 10, 10);
  for (const bool shift : {false, true}) {
    SetFocus(app.control(shift ? L"Command2" : L"Command1"));
    PressTab(app.hwnd(), shift);
    ASSERT_EQ(GetFocus(), text1);
    DWORD start = 0, end = 0;
    SendMessageW(text1, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 10u) << (shift ? "Shift+Tab" : "Tab");
    EXPECT_EQ(end, 10u) << (shift ? "Shift+Tab" : "Tab");
  }
}

TEST_F(Form1Test, WindowCarriesTheProgramIcon) {
  HICON big = reinterpret_cast<HICON>(SendMessageW(app.hwnd(), WM_GETICON, ICON_BIG, 0));
  ASSERT_NE(big, nullptr);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(big, &info));
  BITMAP bm{};
  GetObjectW(info.hbmColor, sizeof(bm), &bm);
  EXPECT_EQ(bm.bmWidth, GetSystemMetrics(SM_CXICON));
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  EXPECT_NE(SendMessageW(app.hwnd(), WM_GETICON, ICON_SMALL, 0), 0);
}

// The system always reports high contrast off here: the test gives the answer.
TEST_F(Form1Test, HighContrastPaintsInTheSystemColoursWithoutTheSkin) {
  auto repaint = [&] {
    SetForegroundWindow(app.hwnd());
    RedrawWindow(app.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    test::PumpMessages(100);
  };
  const RECT label1 = app.form().ControlRect(L"Label1"), label2 = app.form().ControlRect(L"Label2");
  const RECT text1 = ClientRectOf(app.hwnd(), app.control(L"Text1"));
  skin::SetHighContrastAnswer(true);
  SendMessageW(app.hwnd(), WM_SYSCOLORCHANGE, 0, 0);
  EXPECT_EQ(GetPropA(app.control(L"Command1"), "PROCADDR"), nullptr);
  repaint();
  EXPECT_GT(CountNear(app.hwnd(), label1, GetSysColor(COLOR_WINDOWTEXT)), 40);
  EXPECT_EQ(CountNear(app.hwnd(), label1, 0xFF0000, 16), 0);
  EXPECT_GT(CountNear(app.hwnd(), label2, GetSysColor(COLOR_HOTLIGHT), 16), 40);
  EXPECT_GT(CountNear(app.hwnd(), text1, GetSysColor(COLOR_WINDOWTEXT)), 400);
  for (const RECT& r : {label2, text1}) EXPECT_EQ(CountNear(app.hwnd(), r, 0x004000, 16), 0);

  skin::SetHighContrastAnswer(false);
  test::SendToThreadWindows(WM_SYSCOLORCHANGE);
  EXPECT_NE(GetPropA(app.control(L"Command1"), "PROCADDR"), nullptr);
  repaint();
  EXPECT_GT(CountNear(app.hwnd(), label1, 0xFF0000), 40);
  EXPECT_GT(CountNear(app.hwnd(), text1, 0x004000), 400);
}

// Wine sends no WM_DPICHANGED: the test sends it with the DPI and the new
// window rectangle, and checks every size against the layout's own twips.
TEST_F(Form1Test, ANewDpiLaysTheFormOutAgainAndLeaksNothing) {
  const HWND hwnd = app.hwnd();
  const form::FormDef& def = godmode::Form1();
  auto moveTo = [&](int dpi) {
    RECT frame{0, 0, form::TwipsToPixels(def.clientWidth, dpi), form::TwipsToPixels(def.clientHeight, dpi)};
    AdjustWindowRectEx(&frame, GetWindowLongW(hwnd, GWL_STYLE), FALSE, GetWindowLongW(hwnd, GWL_EXSTYLE));
    SendMessageW(hwnd, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&frame));
  };
  auto check = [&](int dpi) {
    SCOPED_TRACE(dpi);
    RECT client{};
    GetClientRect(hwnd, &client);
    ExpectRect(client, 0, 0, form::TwipsToPixels(def.clientWidth, dpi), form::TwipsToPixels(def.clientHeight, dpi));
    for (const form::ControlDef& c : std::vector<form::ControlDef>(def.controls, def.controls + def.controlCount)) {
      const int left = form::TwipsToPixels(c.left, dpi), top = form::TwipsToPixels(c.top, dpi);
      const HFONT font = app.form().ControlFont(c.name);
      if (c.font) {
        EXPECT_EQ(FontOf(font).lfHeight, -MulDiv(c.font->centiPoints, dpi, 7200)) << test::Narrow(c.name);
      }
      if (c.kind == form::ControlKind::Label) {  // the extent of its text
        const SIZE extent = TextExtent(font, c.text);
        ExpectRect(app.form().ControlRect(c.name), left, top, extent.cx, extent.cy);
        continue;
      }
      const int width = form::TwipsToPixels(c.left + c.width, dpi) - left;
      const int height = form::TwipsToPixels(c.top + c.height, dpi) - top;
      ExpectRect(ClientRectOf(hwnd, app.control(c.name)), left, top, width, height);
      for (const char* name : {"BMP0", "BMP1", "BMP2", "BMP3"}) {
        if (c.kind != form::ControlKind::CommandButton) break;
        BITMAP surface{};
        GetObjectW(GetPropA(app.control(c.name), name), sizeof(surface), &surface);
        EXPECT_TRUE(surface.bmWidth == width && surface.bmHeight == height) << test::Narrow(c.name) << name;
      }
    }
  };
  for (const int dpi : {144, 96}) moveTo(dpi);  // the platform's own caches settle
  const int slots = test::FreeGdiSlots();
  for (int i = 0; i < 50 && !HasFailure(); ++i)
    for (const int dpi : {144, 96}) moveTo(dpi), check(dpi);
  EXPECT_EQ(test::FreeGdiSlots(), slots);
}

TEST_F(Form1Test, ClosingTheWindowUnloadsAndDestroysIt) {
  const HWND hwnd = app.hwnd();
  SendMessageW(hwnd, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(form::Form::FromWindow(hwnd), nullptr);
}

}  // namespace
