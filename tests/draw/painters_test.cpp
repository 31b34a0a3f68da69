#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "skin/draw/colors.h"
#include "skin/draw/dpi.h"
#include "skin/draw/images.h"
#include "skin/draw/painters.h"
#include "skin/draw/primitives.h"
#include "skin/draw/properties.h"
#include "tests/draw/draw_test_util.h"
#include "tests/support/win32_test.h"

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kPaper = RGB(10, 120, 30);  // what a canvas shows before a painter draws
constexpr int kButtonW = 75, kButtonH = 25;

// Probe images: every pixel of image k has its own colour, so a drawn pixel
// tells exactly where in which image it came from. Colours stay clear of
// black, white, the key and the skin's frame and caption colours.
COLORREF Probe(int k, int x, int y) { return RGB(10 + 8 * x, 5 + 2 * y, 40 + 40 * k); }
enum ImageId { kButton, kCombo, kMark, kOption, kHeader };

void PaintProbe(skin::Surface& s, int k, SIZE size) {
  s = skin::CreateSurface(size.cx, size.cy);
  for (int y = 0; y < size.cy; ++y)
    for (int x = 0; x < size.cx; ++x) SetPixel(s.dc(), x, y, Probe(k, x, y));
}

// Key pixels of an option circle cell, as the painter expects them.
bool IsCircleCorner(int x, int y) {
  const int row = y <= 6 ? y : 12 - y;
  const int col = x <= 6 ? x : 12 - x;
  return (row == 0 && col <= 2) || (row == 1 && col <= 1) || (row == 2 && col == 0);
}

class ProbeImages {
 public:
  ProbeImages() {
    PaintProbe(images_.Button, kButton, skin::kButtonImageSize);
    PaintProbe(images_.ComboButton, kCombo, skin::kComboButtonImageSize);
    PaintProbe(images_.Mark, kMark, skin::kMarkImageSize);
    PaintProbe(images_.Option, kOption, skin::kOptionImageSize);
    PaintProbe(images_.Header, kHeader, skin::kHeaderImageSize);
    for (int y = 0; y < skin::kOptionImageSize.cy; ++y)
      for (int x = 0; x < skin::kOptionImageSize.cx; ++x)
        if (IsCircleCorner(x, y % 13)) SetPixel(images_.Option.dc(), x, y, skin::kKeyColor);
    skin::UseSkinImages(&images_);
  }
  ~ProbeImages() { skin::UseSkinImages(nullptr); }

 private:
  skin::SkinImages images_;
};

COLORREF PixelOf(HWND hwnd, int x, int y) {
  skin::WindowSize size;
  skin::GetWindowSize(hwnd, size);
  test::Canvas c(size.Width, size.Height);
  test::CaptureWindow(hwnd, c);
  return c.Pixel(x, y);
}

std::vector<COLORREF> Picture(HWND hwnd) {
  skin::WindowSize size;
  skin::GetWindowSize(hwnd, size);
  test::Canvas c(size.Width, size.Height);
  test::CaptureWindow(hwnd, c);
  std::vector<COLORREF> all;
  for (int y = 0; y < size.Height; ++y)
    for (int x = 0; x < size.Width; ++x) all.push_back(c.Pixel(x, y));
  return all;
}

std::vector<COLORREF> Picture(HDC dc, int w, int h) {
  std::vector<COLORREF> all;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) all.push_back(GetPixel(dc, x, y));
  return all;
}

int Count(const std::vector<COLORREF>& pixels, COLORREF colour) {
  int n = 0;
  for (COLORREF c : pixels) n += c == colour;
  return n;
}

using drawtest::GdiTableFiller;

class Painters : public testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    host_ = SharedHost();
    cw_ = GetSystemMetrics(SM_CXMENUCHECK);
    ch_ = GetSystemMetrics(SM_CYMENUCHECK);
  }

  HWND Child(const char* cls, const char* text, DWORD style, int x, int y, int w, int h) {
    children_.emplace_back(CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h,
                                           host_, nullptr, GetModuleHandleA(nullptr), nullptr));
    test::PumpMessages(50);
    return children_.back();
  }

  // A push button with its four state surfaces, as the engine attaches it.
  HWND PushButton(const char* caption, DWORD style = BS_PUSHBUTTON) {
    HWND b = Child("BUTTON", caption, style, 10, 10, kButtonW, kButtonH);
    for (int i = 0; i < skin::kSurfaceCount; ++i) {
      surfaces_[i] = skin::CreateSurface(kButtonW, kButtonH);
      skin::WriteProp(b, skin::kPropSurfaceDc[i], reinterpret_cast<LONG_PTR>(surfaces_[i].dc()));
      skin::WriteProp(b, skin::kPropSurfaceBitmap[i],
                      reinterpret_cast<LONG_PTR>(surfaces_[i].bitmap()));
    }
    skin::WriteProp(b, skin::kPropOldStyle, GetWindowLongA(b, GWL_STYLE));
    skin::WriteProp(b, skin::kPropOldState, skin::kStateNormal);
    skin::WriteProp(b, skin::kPropAlphaLevel, 255);
    button_ = b;
    return b;
  }

  void TearDown() override {
    if (button_) {
      for (int i = 0; i < skin::kSurfaceCount; ++i) {
        skin::ClearProp(button_, skin::kPropSurfaceDc[i]);
        skin::ClearProp(button_, skin::kPropSurfaceBitmap[i]);
        surfaces_[i].reset();
      }
      skin::ClearProp(button_, skin::kPropOldStyle);
      skin::ClearProp(button_, skin::kPropAlphaLevel);
    }
    for (auto& c : children_) {
      if (IsWindow(c)) skin::ClearProp(c, skin::kPropOldState);
    }
    children_.clear();
  }

  // One shown host for the whole run: destroying a shown top-level window
  // costs seconds under Wine.
  static HWND SharedHost() {
    static HWND host = test::CreateHostWindow(420, 320);
    return host;
  }

  ProbeImages probe_;
  HWND host_ = nullptr;
  std::vector<test::Window> children_;
  skin::Surface surfaces_[skin::kSurfaceCount];
  HWND button_ = nullptr;
  int cw_ = 0, ch_ = 0;
};

// ---------------------------------------------------------------------------
// Push button

TEST_F(Painters, ButtonSurfacesHoldTheFaceOfEachStateAndItsCaptionColour) {
  HWND b = PushButton("Create");
  skin::RenderButtonSurfaces(b);
  for (int i = 0; i < skin::kSurfaceCount; ++i) {
    const HDC s = surfaces_[i].dc();
    SCOPED_TRACE(i);
    // Corners unscaled from the cell of state i; the middle column stretched.
    EXPECT_EQ(GetPixel(s, 0, 0), Probe(kButton, 0, 21 * i));
    EXPECT_EQ(GetPixel(s, kButtonW - 1, kButtonH - 1), Probe(kButton, 6, 21 * i + 20));
    EXPECT_EQ(GetPixel(s, 3, 1), Probe(kButton, 3, 21 * i + 1));
    EXPECT_EQ(GetPixel(s, kButtonW - 4, 1), Probe(kButton, 3, 21 * i + 1));
    const std::vector<COLORREF> pixels = Picture(s, kButtonW, kButtonH);
    const COLORREF ink = i == skin::kStateDisabled ? skin::kCaptionDisabled : kBlack;
    const COLORREF other = i == skin::kStateDisabled ? kBlack : skin::kCaptionDisabled;
    EXPECT_GT(Count(pixels, ink), 10);
    EXPECT_EQ(Count(pixels, other), 0);
  }
}

TEST_F(Painters, FocusFrameIsInEverySurfaceTwoPixelsIn) {
  HWND b = PushButton("Go");
  skin::RenderButtonSurfaces(b);
  std::vector<COLORREF> plain[skin::kSurfaceCount];
  for (int i = 0; i < skin::kSurfaceCount; ++i) plain[i] = Picture(surfaces_[i].dc(), kButtonW, kButtonH);
  SetFocus(b);
  ASSERT_EQ(GetFocus(), b);
  skin::RenderButtonSurfaces(b);
  for (int i = 0; i < skin::kSurfaceCount; ++i) {
    const std::vector<COLORREF> focused = Picture(surfaces_[i].dc(), kButtonW, kButtonH);
    int onRing = 0;
    for (int y = 0; y < kButtonH; ++y)
      for (int x = 0; x < kButtonW; ++x) {
        if (focused[y * kButtonW + x] == plain[i][y * kButtonW + x]) continue;
        const bool ring = x >= 2 && x <= kButtonW - 3 && y >= 2 && y <= kButtonH - 3 &&
                          (x == 2 || x == kButtonW - 3 || y == 2 || y == kButtonH - 3);
        ASSERT_TRUE(ring) << "state " << i << " changed at " << x << "," << y;
        ++onRing;
      }
    EXPECT_GT(onRing, 40) << "state " << i;
  }
}

TEST_F(Painters, ALongCaptionIsCutWithAnEllipsis) {
  const std::string caption = "A caption much longer than any button of this size";
  HWND b = PushButton(caption.c_str());
  skin::RenderButtonSurfaces(b);
  const std::vector<COLORREF> cut = Picture(surfaces_[0].dc(), kButtonW, kButtonH);

  // The same surface drawn from the text the platform shortens it to.
  std::vector<char> text(caption.begin(), caption.end());
  text.resize(caption.size() + 8, '\0');
  RECT r{0, 0, kButtonW - 4, kButtonH - 4};
  SelectObject(surfaces_[1].dc(), reinterpret_cast<HGDIOBJ>(SendMessageA(b, WM_GETFONT, 0, 0)));
  DrawTextA(surfaces_[1].dc(), text.data(), -1, &r,
            DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING | DT_CALCRECT);
  const std::string shortened(text.data());
  ASSERT_EQ(shortened.substr(shortened.size() - 3), "...");
  SetWindowTextA(b, shortened.c_str());
  skin::RenderButtonSurfaces(b);
  EXPECT_EQ(Picture(surfaces_[0].dc(), kButtonW, kButtonH), cut);
}

TEST_F(Painters, FadeAtFullAlphaReplacesAndAtZeroKeeps) {
  HWND b = PushButton("Fade");
  for (int i = 0; i < skin::kSurfaceCount; ++i)
    skin::FillSolidRect(surfaces_[i].dc(), 0, 0, kButtonW, kButtonH, RGB(50 * i + 20, 90, 160));
  test::Canvas c(kButtonW, kButtonH, kPaper);

  skin::WriteProp(b, skin::kPropOldState, skin::kStatePressed);
  skin::WriteProp(b, skin::kPropAlphaLevel, 0);
  EXPECT_EQ(skin::BlendButtonFade(b, c.dc()), 0);
  EXPECT_EQ(c.Pixel(0, 0), kPaper);
  EXPECT_EQ(c.Pixel(kButtonW - 1, kButtonH - 1), kPaper);

  skin::WriteProp(b, skin::kPropAlphaLevel, 255);
  skin::BlendButtonFade(b, c.dc());
  EXPECT_EQ(c.Pixel(0, 0), RGB(120, 90, 160));
  EXPECT_EQ(c.Pixel(kButtonW - 1, kButtonH - 1), RGB(120, 90, 160));

  // Half way: the surface over the picture at about half opacity.
  c.Fill(RGB(0, 0, 0));
  skin::WriteProp(b, skin::kPropAlphaLevel, 128);
  skin::BlendButtonFade(b, c.dc());
  EXPECT_NEAR(GetRValue(c.Pixel(5, 5)), 60, 2);
  EXPECT_NEAR(GetBValue(c.Pixel(5, 5)), 80, 2);

  // Without a device context it draws on the window itself.
  skin::WriteProp(b, skin::kPropOldState, skin::kStateHover);
  skin::WriteProp(b, skin::kPropAlphaLevel, 255);
  skin::BlendButtonFade(b, nullptr);
  EXPECT_EQ(PixelOf(b, 3, 3), RGB(70, 90, 160));
}

TEST_F(Painters, ADisabledButtonShowsItsDisabledSurface) {
  HWND b = PushButton("Off");
  for (int i = 0; i < skin::kSurfaceCount; ++i)
    skin::FillSolidRect(surfaces_[i].dc(), 0, 0, kButtonW, kButtonH, RGB(50 * i + 20, 90, 160));
  EnableWindow(b, FALSE);
  skin::WriteProp(b, skin::kPropOldState, skin::kStateHover);
  test::Canvas c(kButtonW, kButtonH, kPaper);
  skin::BlendButtonFade(b, c.dc());
  EXPECT_EQ(skin::ReadProp(b, skin::kPropOldState), skin::kStateDisabled);
  EXPECT_EQ(c.Pixel(10, 10), RGB(170, 90, 160));
}

TEST_F(Painters, ButtonsThatKeepTheirOwnDrawingAreNeverBlended) {
  HWND b = PushButton("Kind");
  skin::FillSolidRect(surfaces_[0].dc(), 0, 0, kButtonW, kButtonH, RGB(1, 2, 3));
  test::Canvas c(kButtonW, kButtonH, kPaper);
  for (DWORD type = 0; type < 16; ++type) {
    c.Fill(kPaper);
    skin::WriteProp(b, skin::kPropOldStyle, WS_CHILD | WS_VISIBLE | WS_TABSTOP | type);
    EXPECT_EQ(skin::BlendButtonFade(b, c.dc()), 0);
    const bool drawn = type == 0 || type == 1 || type == 8 || type == 9;
    EXPECT_EQ(c.Pixel(7, 7), drawn ? RGB(1, 2, 3) : kPaper) << "button type " << type;
  }
}

// ---------------------------------------------------------------------------
// Check box

TEST_F(Painters, CheckBoxSkipsAnUnchangedStateUnlessForced) {
  HWND box = Child("BUTTON", "Check", BS_AUTOCHECKBOX, 10, 10, 120, ch_ + 8);
  EXPECT_EQ(skin::PaintCheckBox(box, 1, false), 1);
  EXPECT_EQ(skin::ReadProp(box, skin::kPropOldState), 1);
  const std::vector<COLORREF> drawn = Picture(box);
  InvalidateRect(box, nullptr, TRUE);
  test::PumpMessages(50);
  const std::vector<COLORREF> own = Picture(box);
  ASSERT_NE(own, drawn);
  EXPECT_EQ(skin::PaintCheckBox(box, 1, false), 0);
  EXPECT_EQ(Picture(box), own);
  EXPECT_EQ(skin::PaintCheckBox(box, 1, true), 1);
  EXPECT_EQ(Picture(box), drawn);
  EXPECT_EQ(skin::PaintCheckBox(box, 2, false), 1);
  EXPECT_EQ(skin::ReadProp(box, skin::kPropOldState), 2);
}

TEST_F(Painters, CheckBoxFrameShadingAndMarksPerState) {
  HWND box = Child("BUTTON", "Three", BS_AUTO3STATE, 10, 10, 120, ch_ + 7);
  const int y0 = 4;  // h - ch = 7 rounds half to even
  struct Case {
    int state;
    WPARAM check;
    COLORREF frame;
  };
  const Case cases[] = {{0, BST_UNCHECKED, skin::kFrameEnabled},
                        {1, BST_CHECKED, skin::kFrameEnabled},
                        {2, BST_INDETERMINATE, skin::kFramePressed}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.state);
    SendMessageA(box, BM_SETCHECK, k.check, 0);
    skin::PaintCheckBox(box, k.state, true);
    test::Canvas c(120, ch_ + 7);
    test::CaptureWindow(box, c);
    EXPECT_EQ(c.Pixel(0, y0), k.frame);
    EXPECT_EQ(c.Pixel(cw_ - 1, y0 + ch_ - 1), k.frame);
    EXPECT_NE(c.Pixel(0, y0 - 1), k.frame);
    EXPECT_NE(c.Pixel(0, y0 + ch_), k.frame);
    // Interior: white, or the hover / pressed strip stretched over it.
    const COLORREF corner = k.state == 0   ? skin::kWhite
                            : k.state == 1 ? Probe(kOption, 1, 17)
                                           : Probe(kOption, 1, 30);
    EXPECT_EQ(c.Pixel(1, y0 + 1), corner);
    if (k.state == 1) {
      EXPECT_EQ(c.Pixel(cw_ - 2, y0 + ch_ - 2), Probe(kOption, 11, 21));
    }
    // The mark, centred with halves to even.
    if (k.check == BST_CHECKED) {
      const int mx = skin::RoundHalfEven((cw_ - 9) / 2.0), my = skin::RoundHalfEven((ch_ - 8) / 2.0);
      EXPECT_EQ(c.Pixel(mx, y0 + my), Probe(kMark, 0, 0));
      EXPECT_EQ(c.Pixel(mx + 8, y0 + my + 7), Probe(kMark, 8, 7));
    }
    if (k.check == BST_INDETERMINATE) {
      const int mx = skin::RoundHalfEven((cw_ - 7) / 2.0), my = skin::RoundHalfEven((ch_ - 7) / 2.0);
      EXPECT_EQ(c.Pixel(mx, y0 + my), Probe(kMark, 1, 9));
      EXPECT_EQ(c.Pixel(mx + 6, y0 + my + 6), Probe(kMark, 7, 15));
    }
  }
}

TEST_F(Painters, DisabledCheckBoxHasThePlainFrameButRecordsTheState) {
  HWND box = Child("BUTTON", "Off", BS_AUTOCHECKBOX, 10, 10, 120, ch_ + 5);
  const int y0 = 2;  // h - ch = 5 rounds half to even
  EnableWindow(box, FALSE);
  SendMessageA(box, BM_SETCHECK, BST_CHECKED, 0);
  for (int state = 1; state <= 2; ++state) {
    EXPECT_EQ(skin::PaintCheckBox(box, state, false), 1);
    EXPECT_EQ(skin::ReadProp(box, skin::kPropOldState), state);
    test::Canvas c(120, ch_ + 5);
    test::CaptureWindow(box, c);
    EXPECT_EQ(c.Pixel(0, y0), skin::kFrameDisabled);
    EXPECT_EQ(c.Pixel(cw_ - 1, y0 + ch_ - 1), skin::kFrameDisabled);
    EXPECT_EQ(c.Pixel(1, y0 + 1), skin::kWhite) << "no shading when disabled";
    const int mx = skin::RoundHalfEven((cw_ - 9) / 2.0), my = skin::RoundHalfEven((ch_ - 8) / 2.0);
    EXPECT_EQ(c.Pixel(mx, y0 + my), Probe(kMark, 9, 0)) << "disabled tick";
  }
}

// ---------------------------------------------------------------------------
// Option button

TEST_F(Painters, OptionCircleKeepsTheBackgroundInItsCornersAndCentresTheDot) {
  HWND opt = Child("BUTTON", "Option", BS_AUTORADIOBUTTON, 10, 10, 120, ch_ + 7);
  SendMessageA(opt, BM_SETCHECK, BST_CHECKED, 0);
  const int y0 = 4;
  for (int state = 0; state <= 2; ++state) {
    SCOPED_TRACE(state);
    test::Canvas before(120, ch_ + 7);
    test::CaptureWindow(opt, before);
    EXPECT_EQ(skin::PaintOptionButton(opt, state, true), 1);
    test::Canvas c(120, ch_ + 7);
    test::CaptureWindow(opt, c);
    EXPECT_EQ(c.Pixel(0, y0), before.Pixel(0, y0));                      // keyed corner
    EXPECT_EQ(c.Pixel(cw_ - 1, y0 + ch_ - 1), before.Pixel(cw_ - 1, y0 + ch_ - 1));
    EXPECT_EQ(c.Pixel(3, y0), Probe(kOption, 3, 13 * state));           // ring, unscaled
    EXPECT_EQ(c.Pixel(0, y0 + 5), Probe(kOption, 0, 13 * state + 5));
    const int dx = skin::RoundHalfEven((cw_ - 5) / 2.0);
    const int dy = skin::RoundHalfEven((ch_ - 5) / 2.0 + y0);
    EXPECT_EQ(c.Pixel(dx, dy), Probe(kMark, 2, 18));
    EXPECT_EQ(c.Pixel(dx + 4, dy + 4), Probe(kMark, 6, 22));
  }
  EXPECT_EQ(skin::PaintOptionButton(opt, 2, false), 0);

  EnableWindow(opt, FALSE);
  EXPECT_EQ(skin::PaintOptionButton(opt, 1, false), 1);
  test::Canvas c(120, ch_ + 7);
  test::CaptureWindow(opt, c);
  EXPECT_EQ(c.Pixel(3, y0), Probe(kOption, 3, 39));
  const int dx = skin::RoundHalfEven((cw_ - 5) / 2.0);
  const int dy = skin::RoundHalfEven((ch_ - 5) / 2.0 + y0);
  EXPECT_EQ(c.Pixel(dx, dy), Probe(kMark, 11, 18));
}

TEST_F(Painters, UncheckedOptionHasNoDot) {
  HWND opt = Child("BUTTON", "Option", BS_AUTORADIOBUTTON, 10, 10, 120, ch_ + 6);
  skin::PaintOptionButton(opt, 0, true);
  const std::vector<COLORREF> pixels = Picture(opt);
  for (int x = 0; x < 5; ++x) EXPECT_EQ(Count(pixels, Probe(kMark, 2 + x, 20)), 0);
}

// ---------------------------------------------------------------------------
// Combo button

TEST_F(Painters, ComboButtonFacesArrowAndPlace) {
  HWND combo = Child("COMBOBOX", "", CBS_DROPDOWNLIST, 10, 10, 150, 200);
  skin::WindowSize size;
  skin::GetWindowSize(combo, size);
  const int bw = GetSystemMetrics(SM_CXVSCROLL) + 1, bh = size.Height - 2;
  const int left = size.Width - bw - 1;
  const int ax = left + skin::RoundHalfEven((bw - 7) / 2.0);
  const int ay = 1 + skin::RoundHalfEven((bh - 4) / 2.0);

  int state = 0;
  skin::PaintComboButton(combo, nullptr, state, true);
  EXPECT_EQ(PixelOf(combo, left, 1), skin::kWhite);
  EXPECT_EQ(PixelOf(combo, left + bw - 1, bh), skin::kWhite);
  EXPECT_EQ(PixelOf(combo, ax, ay), Probe(kCombo, 8, 0));
  EXPECT_EQ(PixelOf(combo, ax + 6, ay + 3), Probe(kCombo, 14, 3));

  state = 1;
  skin::PaintComboButton(combo, nullptr, state, false);
  EXPECT_EQ(skin::ReadProp(combo, skin::kPropOldState), 1);
  EXPECT_EQ(PixelOf(combo, left, 1), Probe(kCombo, 0, 0));
  EXPECT_EQ(PixelOf(combo, left + 1, 1), Probe(kCombo, 1, 0));
  EXPECT_EQ(PixelOf(combo, left + bw - 1, bh), Probe(kCombo, 3, 17));

  // Into a given device context, pressed.
  test::Canvas c(size.Width, size.Height, kPaper);
  state = 2;
  skin::PaintComboButton(combo, c.dc(), state, false);
  EXPECT_EQ(c.Pixel(left, 1), Probe(kCombo, 4, 0));
  EXPECT_EQ(c.Pixel(left - 1, 1), kPaper);
  EXPECT_EQ(c.Pixel(left, 0), kPaper);
  EXPECT_EQ(c.Pixel(left + bw, 1), kPaper);

  EnableWindow(combo, FALSE);
  state = 0;
  skin::PaintComboButton(combo, c.dc(), state, false);
  EXPECT_EQ(c.Pixel(ax, ay), Probe(kCombo, 8, 4));
}

TEST_F(Painters, DroppedDownComboIsDrawnPressed) {
  HWND combo = Child("COMBOBOX", "", CBS_DROPDOWNLIST, 10, 10, 150, 200);
  SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("one"));
  SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
  ASSERT_TRUE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
  skin::WindowSize size;
  skin::GetWindowSize(combo, size);
  const int left = size.Width - GetSystemMetrics(SM_CXVSCROLL) - 2;
  test::Canvas c(size.Width, size.Height, kPaper);
  int state = 1;
  skin::PaintComboButton(combo, c.dc(), state, false);
  EXPECT_EQ(state, 2);
  EXPECT_EQ(skin::ReadProp(combo, skin::kPropOldState), 2);
  EXPECT_EQ(c.Pixel(left, 1), Probe(kCombo, 4, 0));

  // Already recorded as pressed: skipped unless forced.
  c.Fill(kPaper);
  state = 0;
  skin::PaintComboButton(combo, c.dc(), state, false);
  EXPECT_EQ(state, 2);
  EXPECT_EQ(c.Pixel(left, 1), kPaper);
  skin::PaintComboButton(combo, c.dc(), state, true);
  EXPECT_EQ(c.Pixel(left, 1), Probe(kCombo, 4, 0));
  SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);
}

TEST_F(Painters, SimpleComboIsNeverDrawnAndKeepsItsState) {
  HWND combo = Child("COMBOBOX", "", CBS_SIMPLE, 10, 10, 150, 100);
  skin::WriteProp(combo, skin::kPropOldState, 7);
  test::Canvas c(150, 100, kPaper);
  for (int asked = 0; asked <= 2; ++asked) {
    int state = asked;
    skin::PaintComboButton(combo, c.dc(), state, true);
    EXPECT_EQ(state, asked);
  }
  EXPECT_EQ(skin::ReadProp(combo, skin::kPropOldState), 7);
  const std::vector<COLORREF> pixels = Picture(c.dc(), 150, 100);
  EXPECT_EQ(Count(pixels, kPaper), 150 * 100);
}

// Bounding rectangle of the canvas pixels in columns [0, width) that pass.
template <class Pred>
RECT Bounds(const test::Canvas& c, int width, Pred pass) {
  RECT r{c.width(), c.height(), -1, -1};
  for (int y = 0; y < c.height(); ++y)
    for (int x = 0; x < width; ++x)
      if (pass(c.Pixel(x, y))) {
        r = RECT{std::min<LONG>(r.left, x), std::min<LONG>(r.top, y), std::max<LONG>(r.right, x + 1),
                 std::max<LONG>(r.bottom, y + 1)};
      }
  return r;
}

void ExpectSize(const RECT& r, double width, double height, const char* what) {
  EXPECT_NEAR(r.right - r.left, width, 1.0) << what;
  EXPECT_NEAR(r.bottom - r.top, height, 1.0) << what;
}

// Run in 96-, 144- and 192-dpi prefixes. The platform centres its box by its own
// rounding: no pixel of it may show beside the skinned box, which has its size.
TEST_F(Painters, AtTheDisplayDpiPartsCoverThePlatformsBoxAndFitTheirTargets) {
  skin::SkinImages real;
  skin::BuildSkinBitmaps(real);
  skin::UseSkinImages(&real);
  const double scale = skin::SystemDpi() / 96.0;  // the display's LOGPIXELSX
  constexpr int kWidth = 60, kStrip = 40;
  auto isGreen = [](COLORREF c) { return GetGValue(c) > GetRValue(c) + 40 && GetGValue(c) > GetBValue(c) + 20; };
  for (int h = 13; h <= 40; ++h) {
    RECT box{};
    for (DWORD type : {BS_AUTOCHECKBOX, BS_AUTORADIOBUTTON}) {
      SCOPED_TRACE(testing::Message() << "type " << type << ", height " << h << ", scale " << scale);
      HWND b = Child("BUTTON", "", type, 10, 10, kWidth, h);
      SendMessageA(b, BM_SETCHECK, BST_CHECKED, 0);
      test::Canvas own(kWidth, h), skinned(kWidth, h);
      test::CaptureWindow(b, own);
      type == BS_AUTOCHECKBOX ? skin::PaintCheckBox(b, 0, true) : skin::PaintOptionButton(b, 0, true);
      test::CaptureWindow(b, skinned);
      const COLORREF paper = own.Pixel(kWidth - 1, 0);
      const RECT platform = Bounds(own, kStrip, [&](COLORREF c) { return c != paper; });
      // The skinned box by its outer ring (frame, or the circle's darkest colour);
      // a box taller than the control is cut, its ring with it.
      const COLORREF ring = type == BS_AUTOCHECKBOX ? skin::kFrameEnabled : 0xD2A683;
      RECT drawn = Bounds(skinned, kStrip, [&](COLORREF c) { return c == ring; });
      if (platform.bottom - platform.top == h) drawn.top = 0, drawn.bottom = h;
      int stray = 0;
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < kStrip; ++x) {
          const bool inside = x >= drawn.left && x < drawn.right && y >= drawn.top && y < drawn.bottom;
          stray += !inside && skinned.Pixel(x, y) != paper;
        }
      EXPECT_EQ(stray, 0) << "pixels of the platform's box beside the skinned one";
      EXPECT_EQ(Bounds(skinned, kWidth, [](COLORREF c) { return c == skin::kKeyColor; }).right, -1);
      if (type == BS_AUTOCHECKBOX) box = platform;
      if (h >= 26) {  // the whole box fits
        ExpectSize(drawn, box.right - box.left, box.bottom - box.top, "box or circle");
        const RECT mark = Bounds(skinned, kStrip, isGreen);
        type == BS_AUTOCHECKBOX ? ExpectSize(mark, 9 * scale, 8 * scale, "tick")
                                : ExpectSize(mark, 5 * scale, 5 * scale, "dot");
      }
      children_.pop_back();
    }
  }

  HWND combo = Child("COMBOBOX", "", CBS_DROPDOWNLIST, 10, 110, 200, 200);
  skin::WindowSize size;
  skin::GetWindowSize(combo, size);
  test::Canvas c(size.Width, size.Height, kPaper);
  int state = 1;
  skin::PaintComboButton(combo, c.dc(), state, true);
  const RECT face = Bounds(c, size.Width, [](COLORREF p) { return p != kPaper; });  // combo button
  EXPECT_NEAR(face.right - face.left - 1, GetSystemMetrics(SM_CXVSCROLL), 1.0);
  ExpectSize(Bounds(c, size.Width, [](COLORREF p) { return p == 0x5F5519u; }), 7 * scale, 4 * scale, "arrow");
  EXPECT_EQ(Bounds(c, size.Width, [](COLORREF p) { return p == skin::kKeyColor; }).right, -1);
  skin::UseSkinImages(nullptr);
}

// ---------------------------------------------------------------------------
// Header item

class HeaderPainter : public Painters {
 protected:
  HWND Header(int height) {
    HWND h = Child(WC_HEADERA, "", HDS_BUTTONS | WS_BORDER, 10, 10, 300, height);
    const char* texts[] = {"Name", "", "Size"};
    for (int i = 0; i < 3; ++i) {
      HDITEMA item{};
      item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
      item.cxy = 80;
      item.fmt = HDF_LEFT | HDF_STRING;
      item.pszText = const_cast<char*>(texts[i]);
      SendMessageA(h, HDM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
    return h;
  }
};

TEST_F(HeaderPainter, NegativeIndexDrawsNothing) {
  HWND h = Header(24);
  test::Canvas c(300, 24, kPaper);
  EXPECT_EQ(skin::PaintHeaderItem(h, c.dc(), -1, 1), 0);
  EXPECT_EQ(Count(Picture(c.dc(), 300, 24), kPaper), 300 * 24);
}

TEST_F(HeaderPainter, ItemFaceTextAndOwnHeight) {
  HWND h = Header(30);
  const RECT item = skin::GetHeaderItemRect(h, 2);
  const int iw = item.right - item.left, ih = item.bottom - item.top;
  skin::WindowSize size;
  skin::GetWindowSize(h, size);
  ASSERT_GT(iw, 0);
  ASSERT_LT(ih, size.Height) << "the window's border makes it taller than its items";

  for (int state = 0; state <= 2; ++state) {
    SCOPED_TRACE(state);
    test::Canvas c(400, 40, kPaper);
    EXPECT_EQ(skin::PaintHeaderItem(h, c.dc(), 2, state), 0);
    EXPECT_EQ(c.Pixel(item.left, 0), Probe(kHeader, 3 * state, 0));
    EXPECT_EQ(c.Pixel(item.right - 1, 0), Probe(kHeader, 3 * state + 2, 0));
    EXPECT_EQ(c.Pixel(item.left + 1, 1), Probe(kHeader, 3 * state + 1, 1));
    EXPECT_EQ(c.Pixel(item.left - 1, 0), kPaper);
    EXPECT_EQ(c.Pixel(item.right, 0), kPaper);
    // Only the item's own height is copied.
    EXPECT_NE(c.Pixel(item.left + 1, ih - 1), kPaper);
    EXPECT_EQ(c.Pixel(item.left + 1, ih), kPaper);
    const std::vector<COLORREF> pixels = Picture(c.dc(), 400, 40);
    EXPECT_GT(Count(pixels, kBlack), 5) << "caption";
  }
  // An item without text shows only its face.
  test::Canvas c(400, 40, kPaper);
  skin::PaintHeaderItem(h, c.dc(), 1, 0);
  EXPECT_EQ(Count(Picture(c.dc(), 400, 40), kBlack), 0);
}

TEST_F(HeaderPainter, ReadsTheWholeTextTheBufferAnnounces) {
  HWND h = Header(24);
  const std::string longText(300, 'W');
  HDITEMA item{};
  item.mask = HDI_TEXT;
  item.pszText = const_cast<char*>(longText.c_str());
  ASSERT_TRUE(SendMessageA(h, HDM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item)));
  EXPECT_EQ(skin::GetHeaderItemText(h, 0), std::wstring(255, L'W'));
  EXPECT_EQ(skin::GetHeaderItemText(h, 2), L"Size");
  EXPECT_EQ(skin::GetHeaderItemText(h, 1), L"");
  test::Canvas c(400, 40, kPaper);
  skin::PaintHeaderItem(h, c.dc(), 0, 0);
  EXPECT_GT(Count(Picture(c.dc(), 400, 40), kBlack), 5);
}

// The real skin images, as the engine builds them: a few telling pixels of
// each look, and the key pixels showing what lies beneath.
TEST_F(HeaderPainter, RealImagesGiveTheSkinnedLook) {
  skin::SkinImages real;
  skin::BuildSkinBitmaps(real);
  skin::UseSkinImages(&real);

  HWND b = PushButton("Real");
  skin::RenderButtonSurfaces(b);
  EXPECT_EQ(GetPixel(surfaces_[0].dc(), 3, 0), 0xD58F1Bu);
  EXPECT_EQ(GetPixel(surfaces_[0].dc(), kButtonW - 4, 0), 0xD58F1Bu);
  EXPECT_EQ(GetPixel(surfaces_[3].dc(), 3, 0), 0xE8C387u);

  HWND box = Child("BUTTON", "Check", BS_AUTOCHECKBOX, 10, 50, 120, ch_ + 7);
  SendMessageA(box, BM_SETCHECK, BST_CHECKED, 0);
  skin::PaintCheckBox(box, 0, true);
  const int mx = skin::RoundHalfEven((cw_ - 9) / 2.0), my = 4 + skin::RoundHalfEven((ch_ - 8) / 2.0);
  EXPECT_EQ(PixelOf(box, mx + 8, my), 0x1DB754u);  // tick, top row
  EXPECT_EQ(PixelOf(box, mx, my), skin::kWhite);    // key: the box shows through

  HWND opt = Child("BUTTON", "Option", BS_AUTORADIOBUTTON, 10, 80, 120, ch_ + 7);
  const COLORREF corner = PixelOf(opt, 0, 4);
  skin::PaintOptionButton(opt, 0, true);
  EXPECT_EQ(PixelOf(opt, 0, 4), corner);
  EXPECT_EQ(PixelOf(opt, 3, 4), 0xE7CFBCu);

  HWND combo = Child("COMBOBOX", "", CBS_DROPDOWNLIST, 10, 110, 150, 200);
  int state = 0;
  skin::PaintComboButton(combo, nullptr, state, true);
  skin::WindowSize size;
  skin::GetWindowSize(combo, size);
  const int bw = GetSystemMetrics(SM_CXVSCROLL) + 1;
  const int ax = size.Width - bw - 1 + skin::RoundHalfEven((bw - 7) / 2.0);
  const int ay = 1 + skin::RoundHalfEven((size.Height - 2 - 4) / 2.0);
  EXPECT_EQ(PixelOf(combo, ax, ay), 0x5F5519u);
  EXPECT_EQ(PixelOf(combo, ax, ay + 1), skin::kWhite);

  HWND h = Header(24);
  test::Canvas c(400, 40, kPaper);
  skin::PaintHeaderItem(h, c.dc(), 0, 0);
  EXPECT_EQ(c.Pixel(0, 0), 0xFEF5EAu);
  skin::UseSkinImages(nullptr);
}

// A header that fills the whole buffer the request announces.
LRESULT CALLBACK FullBufferHeaderProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == HDM_GETITEMW) {
    auto* item = reinterpret_cast<HDITEMW*>(lParam);
    for (int i = 0; i < item->cchTextMax; ++i) item->pszText[i] = static_cast<wchar_t>(L'a' + i % 26);
    return TRUE;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

TEST(HeaderText, EveryAnnouncedCharacterFitsTheBuffer) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = FullBufferHeaderProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "FullBufferHeader";
  RegisterClassA(&wc);
  test::Window h(CreateWindowExA(0, "FullBufferHeader", "", WS_POPUP, 0, 0, 10, 10, nullptr,
                                 nullptr, GetModuleHandleA(nullptr), nullptr));
  const std::wstring text = skin::GetHeaderItemText(h, 0);
  ASSERT_EQ(text.size(), 256u);
  EXPECT_EQ(text[255], static_cast<wchar_t>(L'a' + 255 % 26));
}

// ---------------------------------------------------------------------------

// The GDI table is filled until only kFreeSlots remain, so the rounds outnumber
// the objects the process can still hold: a painter leaking one object (or one
// window device context) per call would exhaust it and the last calls would
// draw nothing.
constexpr int kFreeSlots = 100;
constexpr int kRounds = 150;

TEST_F(HeaderPainter, NoPainterLeaks) {
  HWND b = PushButton("Leak");
  HWND box = Child("BUTTON", "Check", BS_AUTOCHECKBOX, 10, 50, 120, ch_ + 7);
  HWND opt = Child("BUTTON", "Option", BS_AUTORADIOBUTTON, 10, 80, 120, ch_ + 7);
  HWND combo = Child("COMBOBOX", "", CBS_DROPDOWNLIST, 10, 110, 150, 200);
  HWND h = Header(24);
  SendMessageA(box, BM_SETCHECK, BST_CHECKED, 0);
  SendMessageA(opt, BM_SETCHECK, BST_CHECKED, 0);
  test::Canvas c(400, 40, kPaper);

  GdiTableFiller filler(kFreeSlots);
  const int slots = test::FreeGdiSlots();
  ASSERT_EQ(slots, kFreeSlots);
  for (int i = 0; i < kRounds; ++i) {
    skin::RenderButtonSurfaces(b);
    skin::BlendButtonFade(b, nullptr);
    skin::PaintCheckBox(box, i % 3, true);
    skin::PaintOptionButton(opt, i % 3, true);
    int state = i % 3;
    skin::PaintComboButton(combo, nullptr, state, true);
    skin::PaintHeaderItem(h, nullptr, i % 3, i % 3);
  }
  // A leak leaves no room to check the pictures with.
  ASSERT_EQ(test::FreeGdiSlots(), slots);

  // The last calls still draw exactly right.
  skin::RenderButtonSurfaces(b);
  EXPECT_EQ(GetPixel(surfaces_[2].dc(), 0, 0), Probe(kButton, 0, 42));
  skin::WriteProp(b, skin::kPropOldState, 2);
  skin::BlendButtonFade(b, nullptr);
  EXPECT_EQ(PixelOf(b, 0, 0), Probe(kButton, 0, 42));
  skin::PaintCheckBox(box, 1, true);
  EXPECT_EQ(PixelOf(box, 1, 5), Probe(kOption, 1, 17));
  skin::PaintOptionButton(opt, 2, true);
  EXPECT_EQ(PixelOf(opt, 3, 4), Probe(kOption, 3, 26));
  int state = 1;
  skin::PaintComboButton(combo, nullptr, state, true);
  skin::WindowSize size;
  skin::GetWindowSize(combo, size);
  EXPECT_EQ(PixelOf(combo, size.Width - GetSystemMetrics(SM_CXVSCROLL) - 2, 1), Probe(kCombo, 0, 0));
  skin::PaintHeaderItem(h, c.dc(), 1, 2);
  EXPECT_EQ(c.Pixel(skin::GetHeaderItemRect(h, 1).left, 0), Probe(kHeader, 6, 0));
  skin::Surface s = skin::CreateSurface(kButtonW, kButtonH);
  EXPECT_TRUE(s);
}

}  // namespace
