#include <gtest/gtest.h>

#include <algorithm>

#include "skin/draw/colors.h"
#include "skin/draw/dpi.h"
#include "skin/draw/images.h"
#include "skin/fade.h"
#include "tests/skin/interaction_fixture.h"
#include "tests/skin/skin_fixture.h"
#include "tests/support/win32_test.h"

using namespace skintest;

namespace {

constexpr COLORREF kCover = Recorder::kCover;

struct Capture {
  explicit Capture(HWND hwnd) : size(SizeOf(hwnd)), canvas(size.cx, size.cy) { test::CaptureWindow(hwnd, canvas); }
  static SIZE SizeOf(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return {r.right - r.left, r.bottom - r.top};
  }
  COLORREF operator()(int x, int y) const { return canvas.Pixel(x, y); }
  SIZE size;
  test::Canvas canvas;
};

// The client area's offset inside the window rectangle.
POINT ClientOrigin(HWND hwnd) {
  RECT w{};
  GetWindowRect(hwnd, &w);
  POINT p{0, 0};
  ClientToScreen(hwnd, &p);
  return {p.x - w.left, p.y - w.top};
}

SIZE ClientSize(HWND hwnd) {
  RECT r{};
  GetClientRect(hwnd, &r);
  return {r.right, r.bottom};
}

void Repaint(HWND hwnd) { RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW); }

// WM_PAINT sent straight to the window, with a non-empty update region so
// that a handler's own BeginPaint has something to draw into.
LRESULT SendPaint(HWND hwnd) {
  InvalidateRect(hwnd, nullptr, FALSE);
  return SendMessageA(hwnd, WM_PAINT, 0, 0);
}

COLORREF ImagePixel(HDC image, int x, int y) { return GetPixel(image, x, y); }

class PaintTest : public SkinTest {
 protected:
  // A skinned form inside the stage; children are created before Attach.
  void SetUp() override {
    SkinTest::SetUp();
    form_ = test::Window(CreateForm(600, 400));
  }
  void TearDown() override {
    form_.reset();
    SkinTest::TearDown();
  }
  HWND Child(const char* cls, DWORD style, int x, int y, int w, int h, const char* text = "", DWORD ex = 0) {
    return CreateChild(form_, cls, style, x, y, w, h, text, ex);
  }
  void Attach() { ASSERT_EQ(skin::BeginSkin(form_), 1); }
  test::Window form_;
};

struct PaintCase {
  const char* className;
  DWORD style;
  DWORD exStyle;
  bool previousCalled;
  // What shows at the window's top-left after the recorder covered the window
  // in magenta inside the previous procedure (when it is called): still the
  // cover, or the frame the skin drew afterwards.
  enum Corner { Cover, Frame, Any } corner;
};

}  // namespace

TEST_F(PaintTest, EachKindPaintsInItsOrderAndAnswersItsResult) {
  const PaintCase cases[] = {
      {"Button", BS_PUSHBUTTON, 0, false, PaintCase::Any},
      {"Button", BS_AUTOCHECKBOX, 0, true, PaintCase::Cover},
      {"ComboBox", CBS_DROPDOWN, 0, false, PaintCase::Frame},
      {"ThunderRT6ComboBox", CBS_DROPDOWNLIST, 0, true, PaintCase::Frame},
      {"ThunderRT6DriveListBox", CBS_DROPDOWNLIST, 0, true, PaintCase::Frame},
      {"ThunderRT6CheckBox", BS_AUTOCHECKBOX, 0, true, PaintCase::Any},
      {"ThunderRT6OptionButton", BS_AUTORADIOBUTTON, 0, true, PaintCase::Any},
      {"DataListWndClass", 0, 0, true, PaintCase::Frame},
      {"ProgressBar20WndClass", WS_BORDER, 0, false, PaintCase::Frame},
      {"SysHeader32", 0, 0, false, PaintCase::Any},
      {"ApexGridX", WS_BORDER, 0, true, PaintCase::Frame},
      {"ApexGrid", WS_BORDER, 0, true, PaintCase::Frame},
      {"ApexGridX", 0, 0, true, PaintCase::Cover},
      {"XApexGrid", WS_BORDER, 0, true, PaintCase::Cover},
      {"ThunderRT6CheckBoxX", BS_AUTOCHECKBOX, 0, true, PaintCase::Cover},
      {"Edit", 0, WS_EX_CLIENTEDGE, true, PaintCase::Cover},
  };
  std::vector<HWND> windows;
  int y = 5;
  for (const PaintCase& c : cases) {
    windows.push_back(Child(c.className, c.style, 5, y, 120, 22, "", c.exStyle));
    Recorder::Install(windows.back());
    y += 24;
  }
  Attach();

  for (size_t i = 0; i < std::size(cases); ++i) {
    const PaintCase& c = cases[i];
    HWND hwnd = windows[i];
    SCOPED_TRACE(std::string(c.className) + " style " + std::to_string(c.style));
    Seen().clear();
    Recorder::cover = true;
    const LRESULT result = SendPaint(hwnd);
    Recorder::cover = false;
    EXPECT_EQ(CountSeen(hwnd, WM_PAINT), c.previousCalled ? 1 : 0);
    EXPECT_EQ(result, c.previousCalled ? Recorder::kMarker : 0);
    const Capture pixels(hwnd);
    if (c.corner == PaintCase::Cover) {
      EXPECT_EQ(pixels(3, 3), kCover);  // inside any rounded corner
    } else if (c.corner == PaintCase::Frame) {
      EXPECT_EQ(pixels(0, 0), skin::kFrameEnabled);
    }
  }
  EXPECT_EQ(CountSeen(form_, WM_DRAWITEM), 0) << "skinned push buttons are not owner-drawn by the form";
}

TEST_F(PaintTest, PushButtonPaintEndsTheFadeAndShowsItsStateSurface) {
  HWND button = Child("Button", BS_PUSHBUTTON, 10, 10, 100, 30, "Press");
  Attach();
  skin::WriteProp(button, skin::kPropOldState, skin::kStatePressed);
  skin::WriteProp(button, skin::kPropAlphaLevel, 0);
  skin::StartStateTimer(button);

  Repaint(button);
  EXPECT_EQ(Prop(button, skin::kPropAlphaLevel), 255);
  EXPECT_EQ(Prop(button, skin::kPropTimerId), 0);
  const Capture pixels(button);
  HDC pressed = skin::GetSurfaceDc(button, skin::kStatePressed);
  for (POINT p : {POINT{50, 3}, POINT{5, 15}, POINT{95, 26}})
    EXPECT_EQ(pixels(p.x, p.y), GetPixel(pressed, p.x, p.y)) << p.x << "," << p.y;
  EXPECT_NE(GetPixel(pressed, 50, 3), GetPixel(skin::GetSurfaceDc(button, skin::kStateNormal), 50, 3));
}

TEST_F(PaintTest, CheckAndOptionPaintResetTheStateComboPaintKeepsIt) {
  HWND check = Child("ThunderRT6CheckBox", BS_AUTOCHECKBOX, 10, 10, 120, 20, "c");
  HWND option = Child("ThunderRT6OptionButton", BS_AUTORADIOBUTTON, 10, 40, 120, 20, "o");
  HWND combo = Child("ThunderRT6ComboBox", CBS_DROPDOWNLIST, 10, 70, 120, 200);
  HWND edit = Child("ComboBox", CBS_DROPDOWN, 150, 70, 120, 200);
  Attach();
  for (HWND w : {check, option, combo, edit}) skin::WriteProp(w, skin::kPropOldState, skin::kStateHover);
  for (HWND w : {check, option, combo, edit}) Repaint(w);
  EXPECT_EQ(Prop(check, skin::kPropOldState), skin::kStateNormal);
  EXPECT_EQ(Prop(option, skin::kPropOldState), skin::kStateNormal);
  EXPECT_EQ(Prop(combo, skin::kPropOldState), skin::kStateHover);
  EXPECT_EQ(Prop(edit, skin::kPropOldState), skin::kStateHover);

  // The check square's frame at the left edge, centred vertically.
  const Capture square(check);
  const int top = skin::RoundHalfEven((square.size.cy - GetSystemMetrics(SM_CYMENUCHECK)) / 2.0);
  EXPECT_EQ(square(0, top), skin::kFrameEnabled);
  // Drop-down list style: the control frame and a white ring inside it.
  const Capture list(combo);
  EXPECT_EQ(list(0, 0), skin::kFrameEnabled);
  EXPECT_EQ(list(1, 1), skin::kWhite);
  EXPECT_EQ(list(list.size.cx - 1, 10), skin::kFrameEnabled);
}

TEST_F(PaintTest, ListsAndCombosAreFramedInTheDisabledColourWhenDisabled) {
  HWND data = Child("DBListWndClass", WS_DISABLED, 10, 10, 120, 80);
  HWND combo = Child("ThunderRT6DriveListBox", CBS_DROPDOWNLIST | WS_DISABLED, 10, 100, 120, 200);
  HWND progress = Child("ProgressBar20WndClass", WS_BORDER | WS_DISABLED, 10, 140, 120, 20);
  Attach();
  for (HWND w : {data, combo, progress}) Repaint(w);
  EXPECT_EQ(Capture(data)(0, 0), skin::kFrameDisabled);
  EXPECT_EQ(Capture(data)(1, 1), skin::kWhite);
  EXPECT_EQ(Capture(combo)(0, 0), skin::kFrameDisabled);
  EXPECT_EQ(Capture(progress)(0, 0), skin::kFrameEnabled);
}

// 1-pixel frame rings are 2 at 192 dpi (set through the seam), the combo button inside.
TEST_F(PaintTest, FrameRingsAndTheComboButtonScaleAt192Dpi) {
  HWND data = Child("DBListWndClass", 0, 10, 10, 120, 80);
  HWND combo = Child("ThunderRT6DriveListBox", CBS_DROPDOWNLIST, 10, 100, 120, 200);
  skin::SetWindowDpiForTesting(192);
  Attach();
  for (HWND w : {data, combo}) Repaint(w);
  const Capture list(data), drop(combo);
  for (int i : {0, 1}) {
    EXPECT_EQ(list(i, i), skin::kFrameEnabled) << i;
    EXPECT_EQ(list(i + 2, i + 2), skin::kWhite) << i;
    EXPECT_EQ(drop(drop.size.cx - 1 - i, drop.size.cy / 2), skin::kFrameEnabled) << i;
  }
  EXPECT_EQ(drop(drop.size.cx - 3, 2), skin::kWhite) << "the button, inside the rings";
  skin::SetWindowDpiForTesting(0);
}

TEST_F(PaintTest, ProgressBarsFillByPositionHorizontallyAndFromTheBottom) {
  HWND across = Child("ProgressBar20WndClass", WS_BORDER, 10, 10, 104, 20);
  HWND up = Child("ProgressBar20WndClass", WS_BORDER | PBS_VERTICAL | PBS_SMOOTH, 130, 10, 20, 104);
  for (HWND w : {across, up}) SendMessageA(w, PBM_SETRANGE32, 0, 30000);
  Recorder::Install(across);
  Attach();
  Seen().clear();
  const POINT ao = ClientOrigin(across), uo = ClientOrigin(up);
  const SIZE ac = ClientSize(across), uc = ClientSize(up);
  ASSERT_GT(ac.cx, 50);
  ASSERT_GT(uc.cy, 50);

  struct Step {
    int position;
    double fraction;
  };
  for (Step s : {Step{0, 0.0}, Step{15000, 0.5}, Step{30000, 1.0}}) {
    SCOPED_TRACE(s.position);
    for (HWND w : {across, up}) {
      SendMessageA(w, PBM_SETPOS, s.position, 0);
      Repaint(w);
    }
    const Capture a(across), u(up);
    EXPECT_EQ(a(0, 0), skin::kFrameEnabled);
    EXPECT_EQ(a(a.size.cx - 1, a.size.cy - 1), skin::kFrameEnabled);
    const int filled = skin::RoundHalfEven(s.fraction * ac.cx);
    for (int x = 0; x < ac.cx; ++x)
      ASSERT_EQ(a(ao.x + x, ao.y + ac.cy / 2), x < filled ? skin::kProgressFill : skin::kWhite) << "x " << x;
    const int empty = skin::RoundHalfEven(uc.cy - s.fraction * uc.cy);
    for (int y = 0; y < uc.cy; ++y)
      ASSERT_EQ(u(uo.x + uc.cx / 2, uo.y + y), y < empty ? skin::kWhite : skin::kProgressFill) << "y " << y;
  }
  EXPECT_EQ(CountSeen(across, WM_PAINT) + CountSeen(across, WM_NCPAINT), 0);

  // Beyond the full range: everything filled, nothing outside the client.
  SendMessageA(across, PBM_SETRANGE32, 0, 60000);
  SendMessageA(across, PBM_SETPOS, 45000, 0);
  Repaint(across);
  const Capture a(across);
  for (int x = 0; x < ac.cx; ++x) ASSERT_EQ(a(ao.x + x, ao.y + 1), skin::kProgressFill) << "x " << x;
  EXPECT_EQ(a(0, a.size.cy / 2), skin::kFrameEnabled);
  EXPECT_EQ(SendMessageA(across, WM_NCPAINT, 1, 0), 0);
}

TEST_F(PaintTest, ProgressBeyondEitherEndOfTheRangeKeepsItsFrameOnEverySide) {
  struct Bar {
    DWORD style;
    int low, high, position;
    COLORREF inside;  // what the client area shows
  };
  const Bar bars[] = {
      {0, 0, 60000, 45000, skin::kProgressFill},
      {0, -30000, 30000, -15000, skin::kWhite},
      {PBS_VERTICAL | PBS_SMOOTH, -30000, 30000, -15000, skin::kWhite},
      {PBS_VERTICAL | PBS_SMOOTH, 0, 60000, 45000, skin::kProgressFill},
  };
  std::vector<HWND> windows;
  for (const Bar& b : bars) {
    windows.push_back(Child("ProgressBar20WndClass", WS_BORDER | b.style, 10 + 40 * static_cast<int>(windows.size()),
                            10, b.style ? 24 : 30, b.style ? 80 : 24));
    SendMessageA(windows.back(), PBM_SETRANGE32, b.low, b.high);
    SendMessageA(windows.back(), PBM_SETPOS, b.position, 0);
  }
  Attach();
  for (size_t i = 0; i < std::size(bars); ++i) {
    SCOPED_TRACE(i);
    Repaint(windows[i]);
    const Capture c(windows[i]);
    const int w = c.size.cx, h = c.size.cy;
    for (int x = 0; x < w; ++x) {
      ASSERT_EQ(c(x, 0), skin::kFrameEnabled) << "top " << x;
      ASSERT_EQ(c(x, h - 1), skin::kFrameEnabled) << "bottom " << x;
    }
    for (int y = 0; y < h; ++y) {
      ASSERT_EQ(c(0, y), skin::kFrameEnabled) << "left " << y;
      ASSERT_EQ(c(w - 1, y), skin::kFrameEnabled) << "right " << y;
    }
    const POINT o = ClientOrigin(windows[i]);
    const SIZE client = ClientSize(windows[i]);
    for (POINT p : {o, POINT{o.x + client.cx - 1, o.y + client.cy - 1}}) EXPECT_EQ(c(p.x, p.y), bars[i].inside);
  }
}

TEST_F(PaintTest, HeaderItemsShowPressedOverHotAndTheBackgroundFillsTheRest) {
  HWND header = Child("SysHeader32", 0, 10, 10, 300, 20);
  HWND empty = Child("MSVB_Lib_Header", 0, 10, 50, 200, 20);
  for (int i = 0; i < 3; ++i) {
    HDITEMA item{};
    item.mask = HDI_WIDTH | HDI_TEXT;
    item.cxy = 60;
    item.pszText = const_cast<char*>(i == 0 ? "Name" : "");
    SendMessageA(header, HDM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
  }
  Attach();
  const HDC image = skin::CurrentSkinImages().Header.dc();
  ASSERT_NE(image, nullptr);
  auto face = [&](int state, int y) {
    return ImagePixel(image, skin::kHeaderCell(state).X + 1, y);
  };

  skin::WriteProp(header, skin::kPropHdIndex, 1);
  skin::WriteProp(header, skin::kPropHmIndex, 1);
  Repaint(header);
  {
    const Capture h(header);
    EXPECT_EQ(h(90, 10), face(skin::kStatePressed, 10));
    EXPECT_EQ(h(150, 10), face(skin::kStateNormal, 10));
    EXPECT_EQ(h(250, 10), ImagePixel(image, skin::kHeaderBackground.X, 10));
  }
  skin::WriteProp(header, skin::kPropHmIndex, 2);
  Repaint(header);
  {
    const Capture h(header);
    EXPECT_EQ(h(90, 10), face(skin::kStatePressed, 10));
    EXPECT_EQ(h(150, 10), face(skin::kStateHover, 10));
  }
  ASSERT_NE(face(skin::kStatePressed, 10), face(skin::kStateHover, 10));

  Repaint(empty);
  const Capture e(empty);
  for (int x : {0, 100, 199}) EXPECT_EQ(e(x, 5), ImagePixel(image, skin::kHeaderBackground.X, 5)) << x;
}

// Client insets of 3 and 4 pixels across, 2 and 3 down: odd excesses.
LRESULT CALLBACK OddBorderProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCALCSIZE) {
    RECT& r = wParam ? reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : *reinterpret_cast<RECT*>(lParam);
    r = {r.left + 3, r.top + 2, r.right - 4, r.bottom - 3};
    return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

bool IsInk(COLORREF c) { return GetRValue(c) < 0x60 && GetGValue(c) < 0x60 && GetBValue(c) < 0x60; }

// Rows of a w x h area holding ink, and the bounding box of the ink.
struct Ink {
  Ink(HDC dc, int left, int w, int h) {
    for (int y = 0; y < h; ++y) {
      bool row = false;
      for (int x = left; x < left + w; ++x) {
        if (!IsInk(GetPixel(dc, x, y))) continue;
        row = true;
        box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x),
               std::max<LONG>(box.bottom, y)};
      }
      rows += row;
    }
  }
  int rows = 0;
  RECT box{1 << 20, 1 << 20, -1, -1};
};

// Rules that hold today and that a later change could break unnoticed.
TEST_F(PaintTest, CaptionFontsBackgroundPrefixOddBordersResizeAndDetachedFade) {
  HFONT font = CreateFontA(-40, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "");
  HWND big = Child("Button", BS_PUSHBUTTON, 10, 10, 200, 60, "Hg");
  HWND prefixed = Child("Button", BS_PUSHBUTTON, 220, 10, 100, 30, "&W");
  HWND plain = Child("Button", BS_PUSHBUTTON, 220, 50, 100, 30, "W");
  HWND header = Child("SysHeader32", 0, 10, 80, 300, 50);
  HDITEMA item{};
  item.mask = HDI_WIDTH | HDI_TEXT;
  item.cxy = 120;
  item.pszText = const_cast<char*>("Hg");
  SendMessageA(header, HDM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
  for (HWND w : {big, header}) SendMessageA(w, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  itest::RegisterStandIn("OddBorder", OddBorderProc);
  HWND odd = Child("OddBorder", 0, 10, 140, 60, 40);
  Attach();
  TEXTMETRICA system{};
  {
    test::Canvas probe(1, 1);
    SelectObject(probe.dc(), GetStockObject(SYSTEM_FONT));
    GetTextMetricsA(probe.dc(), &system);
  }

  // Captions and header items in the control's own font, on a transparent
  // background: the faces hold no pure white where the text sits.
  const HDC normal = skin::GetSurfaceDc(big, skin::kStateNormal);
  EXPECT_GT(Ink(normal, 0, 200, 60).rows, system.tmHeight);
  Repaint(header);
  const Capture h(header);
  EXPECT_GT(Ink(h.canvas.dc(), 0, 120, 50).rows, system.tmHeight);
  int white = 0;
  for (int y = 3; y < 57; ++y)
    for (int x = 3; x < 197; ++x) white += GetPixel(normal, x, y) == skin::kWhite;
  for (int y = 0; y < 50; ++y)
    for (int x = 0; x < 120; ++x) white += h(x, y) == skin::kWhite;
  EXPECT_EQ(white, 0);

  // "&" is not drawn and underlines the next character: the two looks differ
  // only in a line at the foot of the W.
  const Ink w(skin::GetSurfaceDc(plain, 0), 0, 100, 30);
  int differ = 0, outside = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 100; ++x) {
      if (GetPixel(skin::GetSurfaceDc(prefixed, 0), x, y) == GetPixel(skin::GetSurfaceDc(plain, 0), x, y)) continue;
      ++differ;
      outside += y < w.box.bottom - 1 || x < w.box.left - 1 || x > w.box.right + 1;
    }
  EXPECT_GT(differ, 3);
  EXPECT_EQ(outside, 0);

  // An odd excess is halved to the even neighbour: 7 gives 4, 5 gives 2.
  int bx = 0, by = 0;
  skin::GetClientOffset(odd, bx, by);
  EXPECT_EQ(bx, 4);
  EXPECT_EQ(by, 2);

  // Resizing renders all four looks again at the new size.
  SetWindowPos(plain, nullptr, 0, 0, 150, 44, SWP_NOMOVE | SWP_NOZORDER);
  const HDC image = skin::CurrentSkinImages().Button.dc();
  for (int i = 0; i < skin::kSurfaceCount; ++i) {
    EXPECT_EQ(GetPixel(skin::GetSurfaceDc(plain, i), 149, 22), GetPixel(image, 6, 21 * i + 10)) << i;
    EXPECT_EQ(GetPixel(skin::GetSurfaceDc(plain, i), 75, 43), GetPixel(image, 3, 21 * i + 20)) << i;
  }

  // Detaching a fading button stops its timer.
  ASSERT_NE(skin::StartStateTimer(big), 0u);
  ASSERT_EQ(skin::DetachSkin(big), 1);
  EXPECT_FALSE(KillTimer(big, skin::kFadeTimerId));
  DeleteObject(font);
}

TEST_F(PaintTest, ClientEdgeBecomesAFlatFrameWithTheBackgroundInside) {
  HWND edit = Child("Edit", 0, 10, 10, 100, 24, "", WS_EX_CLIENTEDGE);
  HWND off = Child("Edit", WS_DISABLED, 10, 50, 100, 24, "", WS_EX_CLIENTEDGE);
  Attach();
  ASSERT_EQ(ClientOrigin(edit).x, 2);
  for (HWND w : {edit, off}) SendMessageA(w, WM_NCPAINT, 1, 0);
  const Capture c(edit);
  const int w = c.size.cx, h = c.size.cy;
  EXPECT_EQ(c(0, 0), skin::kFrameEnabled);
  EXPECT_EQ(c(w - 1, h / 2), skin::kFrameEnabled);
  EXPECT_EQ(c(5, h - 1), skin::kFrameEnabled);
  for (POINT p : {POINT{1, 1}, POINT{2, 2}, POINT{1, h / 2}, POINT{w - 2, h / 2}, POINT{5, h - 2}, POINT{5, 1}})
    EXPECT_EQ(c(p.x, p.y), skin::kWhite) << p.x << "," << p.y;
  EXPECT_EQ(Capture(off)(0, 0), skin::kFrameDisabled);
}

TEST_F(PaintTest, MovingAComboReturnsAHoverButtonToNormalOnly) {
  HWND combo = Child("ThunderRT6ComboBox", CBS_DROPDOWNLIST, 10, 10, 120, 200);
  Attach();
  RECT r{};
  GetWindowRect(combo, &r);
  const int buttonX = r.right - r.left - 1 - GetSystemMetrics(SM_CXVSCROLL) / 2 - 1;
  auto coverAndMove = [&](int state) {
    skin::WriteProp(combo, skin::kPropOldState, state);
    HDC dc = GetWindowDC(combo);
    HBRUSH brush = CreateSolidBrush(kCover);
    RECT all{0, 0, r.right - r.left, r.bottom - r.top};
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    ReleaseDC(combo, dc);
    WINDOWPOS pos{combo, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOREDRAW};
    SendMessageA(combo, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
    return Capture(combo)(buttonX, 3);
  };
  EXPECT_NE(coverAndMove(skin::kStateHover), kCover);
  EXPECT_EQ(Prop(combo, skin::kPropOldState), skin::kStateNormal);
  EXPECT_EQ(coverAndMove(skin::kStateNormal), kCover);
}
