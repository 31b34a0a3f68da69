#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "skin/draw/gdi.h"
#include "skin/draw/primitives.h"
#include "tests/draw/draw_test_util.h"
#include "tests/support/win32_test.h"

namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kNearMagenta = RGB(254, 0, 255);
constexpr COLORREF kBackground = RGB(10, 120, 30);
constexpr int kFreeSlots = 300;      // GDI slots left free during the leak test
constexpr int kCheapRounds = 12000;  // primitives that make at most a brush
constexpr int kSurfaceRounds = 400;  // primitives that make device contexts and bitmaps

// A distinct colour for every pixel of a small source image.
COLORREF CellColour(int x, int y) { return RGB(20 + 30 * x, 5 + 10 * y, 200); }

void PaintCell(test::Canvas& c) {
  for (int y = 0; y < c.height(); ++y)
    for (int x = 0; x < c.width(); ++x) SetPixel(c.dc(), x, y, CellColour(x, y));
}

// The source row a destination pixel came from, or -1 when it is no pixel of
// column `sx` of the cell.
int SourceRowOf(COLORREF c, int sx, int rows) {
  for (int y = 0; y < rows; ++y)
    if (c == CellColour(sx, y)) return y;
  return -1;
}

using drawtest::GdiTableFiller;

// ---------------------------------------------------------------------------

TEST(NineGrid, CornersKeepTheirSizeEdgesAndCentreStretch) {
  test::Canvas cell(7, 21);
  PaintCell(cell);
  test::Canvas dst(80, 30, kBackground);
  const int x0 = 2, y0 = 3, w = 75, h = 25;
  EXPECT_NE(skin::DrawSkinImage(dst.dc(), x0, y0, w, h, cell.dc(), 0, 0, 7, 21, 3, 3, 3, 3), 0);

  // Four 3 x 3 corners, unscaled.
  for (int j = 0; j < 3; ++j) {
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(dst.Pixel(x0 + i, y0 + j), CellColour(i, j));
      EXPECT_EQ(dst.Pixel(x0 + w - 3 + i, y0 + j), CellColour(4 + i, j));
      EXPECT_EQ(dst.Pixel(x0 + i, y0 + h - 3 + j), CellColour(i, 18 + j));
      EXPECT_EQ(dst.Pixel(x0 + w - 3 + i, y0 + h - 3 + j), CellColour(4 + i, 18 + j));
    }
  }
  // Rows 3..21 of the destination map onto cell rows 3..17, in order, each used.
  std::vector<int> rowOf(h, -1);
  for (int y = 3; y < h - 3; ++y) {
    rowOf[y] = SourceRowOf(dst.Pixel(x0 + 3, y0 + y), 3, 21);
    ASSERT_GE(rowOf[y], 3) << "row " << y;
    ASSERT_LE(rowOf[y], 17) << "row " << y;
    if (y > 3) {
      EXPECT_GE(rowOf[y], rowOf[y - 1]);
    }
  }
  EXPECT_EQ(rowOf[3], 3);
  EXPECT_EQ(rowOf[h - 4], 17);
  for (int r = 3; r <= 17; ++r) EXPECT_NE(std::find(rowOf.begin(), rowOf.end(), r), rowOf.end());
  // Centre: the cell's one middle column fills 69 x 19; the left and right
  // edges keep their 3 columns and stretch along the same rows.
  for (int y = 3; y < h - 3; ++y) {
    for (int x = 3; x < w - 3; ++x) ASSERT_EQ(dst.Pixel(x0 + x, y0 + y), CellColour(3, rowOf[y]));
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(dst.Pixel(x0 + i, y0 + y), CellColour(i, rowOf[y]));
      EXPECT_EQ(dst.Pixel(x0 + w - 3 + i, y0 + y), CellColour(4 + i, rowOf[y]));
    }
  }
  // Top and bottom edges: 3 rows each, stretched along the middle column.
  for (int x = 3; x < w - 3; ++x) {
    for (int j = 0; j < 3; ++j) {
      EXPECT_EQ(dst.Pixel(x0 + x, y0 + j), CellColour(3, j));
      EXPECT_EQ(dst.Pixel(x0 + x, y0 + h - 3 + j), CellColour(3, 18 + j));
    }
  }
  // Nothing outside the destination rectangle.
  for (int x = 0; x < dst.width(); ++x) {
    EXPECT_EQ(dst.Pixel(x, y0 - 1), kBackground);
    EXPECT_EQ(dst.Pixel(x, y0 + h), kBackground);
  }
  for (int y = 0; y < dst.height(); ++y) {
    EXPECT_EQ(dst.Pixel(x0 - 1, y), kBackground);
    EXPECT_EQ(dst.Pixel(x0 + w, y), kBackground);
  }
}

TEST(NineGrid, CellOffsetInTheImageAndNoMarginsStretchesTheWholeCell) {
  test::Canvas image(7, 42);
  PaintCell(image);
  test::Canvas dst(20, 20, kBackground);
  // Second cell, 7 x 21 at (0, 21), margins 3: its top-left corner is image row 21.
  skin::DrawSkinImage(dst.dc(), 0, 0, 10, 10, image.dc(), 0, 21, 7, 21, 3, 3, 3, 3);
  EXPECT_EQ(dst.Pixel(0, 0), CellColour(0, 21));
  EXPECT_EQ(dst.Pixel(9, 9), CellColour(6, 41));
  // Without margins: a 2 x 2 cell doubled to 4 x 4.
  test::Canvas small(2, 2);
  PaintCell(small);
  dst.Fill(kBackground);
  skin::DrawSkinImage(dst.dc(), 1, 1, 4, 4, small.dc(), 0, 0, 2, 2, 0, 0, 0, 0);
  EXPECT_EQ(dst.Pixel(1, 1), CellColour(0, 0));
  EXPECT_EQ(dst.Pixel(2, 2), CellColour(0, 0));
  EXPECT_EQ(dst.Pixel(4, 1), CellColour(1, 0));
  EXPECT_EQ(dst.Pixel(4, 4), CellColour(1, 1));
  EXPECT_EQ(dst.Pixel(5, 5), kBackground);
}

TEST(NineGrid, ZeroSizeDrawsNothing) {
  test::Canvas cell(7, 21);
  PaintCell(cell);
  test::Canvas dst(10, 10, kBackground);
  const int slots = test::FreeGdiSlots();
  EXPECT_EQ(skin::DrawSkinImage(dst.dc(), 0, 0, 0, 5, cell.dc(), 0, 0, 7, 21, 3, 3, 3, 3), 0);
  EXPECT_EQ(skin::DrawSkinImage(dst.dc(), 0, 0, 5, 0, cell.dc(), 0, 0, 7, 21, 3, 3, 3, 3), 0);
  EXPECT_EQ(skin::DrawSkinImage(dst.dc(), 0, 0, 5, 5, cell.dc(), 0, 0, 0, 21, 3, 3, 3, 3), 0);
  EXPECT_EQ(skin::DrawSkinImage(dst.dc(), 0, 0, 5, 5, cell.dc(), 0, 0, 7, 0, 3, 3, 3, 3, kMagenta),
            0);
  EXPECT_EQ(test::FreeGdiSlots(), slots);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) ASSERT_EQ(dst.Pixel(x, y), kBackground);
}

// A failed image (source 0) or a surface that cannot be made draws nothing.
TEST(NineGrid, NothingToDrawFromLeavesTheDestinationAlone) {
  test::Canvas cell(7, 21);
  PaintCell(cell);
  test::Canvas dst(10, 10, kBackground);
  auto untouched = [&dst] {
    for (int y = 0; y < 10; ++y)
      for (int x = 0; x < 10; ++x)
        if (dst.Pixel(x, y) != kBackground) return false;
    return true;
  };
  skin::TransparentBlit(dst.dc(), 0, 0, 10, 10, nullptr, 0, 0, kMagenta);
  EXPECT_TRUE(untouched()) << "keyed blit";
  EXPECT_EQ(skin::DrawSkinImage(dst.dc(), 0, 0, 10, 10, nullptr, 0, 0, 7, 21, 3, 3, 3, 3), 0);
  EXPECT_TRUE(untouched()) << "opaque nine-grid";
  EXPECT_EQ(skin::DrawSkinImage(dst.dc(), 0, 0, 10, 10, nullptr, 0, 0, 7, 21, 3, 3, 3, 3, kMagenta), 0);
  EXPECT_TRUE(untouched()) << "keyed nine-grid";
  {
    GdiTableFiller full(0);
    EXPECT_EQ(skin::DrawSkinImage(dst.dc(), 0, 0, 10, 10, cell.dc(), 0, 0, 7, 21, 3, 3, 3, 3, kMagenta), 0);
  }
  EXPECT_TRUE(untouched()) << "no surface";
}

TEST(NineGrid, KeyedDrawLeavesTheDestinationUnderKeyPixels) {
  test::Canvas cell(3, 3, RGB(1, 2, 3));
  SetPixel(cell.dc(), 0, 0, kMagenta);
  test::Canvas dst(5, 5, kBackground);
  EXPECT_EQ(skin::DrawSkinImage(dst.dc(), 1, 1, 3, 3, cell.dc(), 0, 0, 3, 3, 1, 1, 1, 1, kMagenta),
            1);
  EXPECT_EQ(dst.Pixel(1, 1), kBackground);
  EXPECT_EQ(dst.Pixel(2, 1), RGB(1, 2, 3));
  EXPECT_EQ(dst.Pixel(3, 3), RGB(1, 2, 3));
  EXPECT_EQ(dst.Pixel(0, 0), kBackground);
  EXPECT_EQ(dst.Pixel(4, 4), kBackground);
}

// ---------------------------------------------------------------------------

TEST(TransparentBlit, KeepsTheDestinationOnlyUnderKeyPixels) {
  test::Canvas src(8, 6, RGB(40, 50, 60));
  for (int x = 0; x < 8; ++x) {
    SetPixel(src.dc(), x, 2, kMagenta);
    SetPixel(src.dc(), x, 3, kNearMagenta);
    SetPixel(src.dc(), x, 4, x % 2 ? RGB(0, 0, 0) : RGB(255, 255, 255));
  }
  test::Canvas dst(10, 10);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) SetPixel(dst.dc(), x, y, RGB(x * 20, y * 20, 99));

  // Block (1, 1, 6, 4) of src to (3, 2) of dst.
  skin::TransparentBlit(dst.dc(), 3, 2, 6, 4, src.dc(), 1, 1, kMagenta);
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 10; ++x) {
      const bool inside = x >= 3 && x < 9 && y >= 2 && y < 6;
      const COLORREF before = RGB(x * 20, y * 20, 99);
      if (!inside) {
        ASSERT_EQ(dst.Pixel(x, y), before) << x << "," << y;
        continue;
      }
      const int sx = x - 3 + 1, sy = y - 2 + 1;
      const COLORREF source = src.Pixel(sx, sy);
      EXPECT_EQ(dst.Pixel(x, y), source == kMagenta ? before : source) << x << "," << y;
    }
  }
  EXPECT_EQ(dst.Pixel(4, 4), kNearMagenta);  // one step off the key is drawn
  EXPECT_EQ(dst.Pixel(4, 3), RGB(4 * 20, 3 * 20, 99));
  EXPECT_EQ(dst.Pixel(4, 5), RGB(255, 255, 255));
  EXPECT_EQ(dst.Pixel(5, 5), RGB(0, 0, 0));
}

TEST(TransparentBlit, OleSystemColourStandsForThatColour) {
  const COLORREF window = GetSysColor(COLOR_WINDOW);
  test::Canvas src(2, 1);
  SetPixel(src.dc(), 0, 0, window);
  SetPixel(src.dc(), 1, 0, kMagenta);
  test::Canvas dst(2, 1, kBackground);
  skin::TransparentBlit(dst.dc(), 0, 0, 2, 1, src.dc(), 0, 0, 0x80000005);
  EXPECT_EQ(dst.Pixel(0, 0), kBackground);
  EXPECT_EQ(dst.Pixel(1, 0), kMagenta);
}

TEST(TransparentBlit, UsesAGivenPalette) {
  HPALETTE palette;
  {
    skin::OwnedDC display = skin::CreateDisplayDC();
    palette = CreateHalftonePalette(display.get());
  }
  skin::Palette owned(palette);
  test::Canvas src(2, 1, RGB(7, 8, 9));
  SetPixel(src.dc(), 0, 0, kMagenta);
  test::Canvas dst(2, 1, kBackground);
  const int slots = test::FreeGdiSlots();
  skin::TransparentBlit(dst.dc(), 0, 0, 2, 1, src.dc(), 0, 0, kMagenta, palette);
  EXPECT_EQ(test::FreeGdiSlots(), slots);
  EXPECT_EQ(dst.Pixel(0, 0), kBackground);
  EXPECT_EQ(dst.Pixel(1, 0), RGB(7, 8, 9));
  EXPECT_NE(GetObjectType(palette), 0u) << "a caller's palette is not the primitive's to delete";
}

// ---------------------------------------------------------------------------

TEST(Surface, HasTheScreenFormatAndReleasesBothObjects) {
  const int slots = test::FreeGdiSlots();
  {
    skin::Surface s = skin::CreateSurface(31, 17);
    ASSERT_TRUE(s);
    BITMAP bm{};
    ASSERT_NE(GetObjectA(s.bitmap(), sizeof(bm), &bm), 0);
    EXPECT_EQ(bm.bmWidth, 31);
    EXPECT_EQ(bm.bmHeight, 17);
    EXPECT_GT(bm.bmBitsPixel, 1) << "monochrome surface";
    EXPECT_EQ(GetCurrentObject(s.dc(), OBJ_BITMAP), s.bitmap());
    skin::Surface moved = std::move(s);
    EXPECT_FALSE(s);
    EXPECT_TRUE(moved);
    EXPECT_EQ(test::FreeGdiSlots(), slots - 2);

    SetPixel(moved.dc(), 30, 16, RGB(12, 34, 56));
    test::Canvas out(31, 17);
    BitBlt(out.dc(), 0, 0, 31, 17, moved.dc(), 0, 0, SRCCOPY);
    EXPECT_EQ(out.Pixel(30, 16), RGB(12, 34, 56));
  }
  EXPECT_EQ(test::FreeGdiSlots(), slots);
}

TEST(Surface, AFailedStepLeavesNothingBehind) {
  const int slots = test::FreeGdiSlots();
  // Too few free slots for the display DC, the memory DC or the bitmap.
  for (int keep = 0; keep < 3; ++keep) {
    {
      GdiTableFiller filler(keep);
      EXPECT_FALSE(skin::CreateSurface(4, 4)) << keep << " free slots";
    }
    EXPECT_EQ(test::FreeGdiSlots(), slots) << keep << " free slots";
  }
}

// ---------------------------------------------------------------------------

TEST(SolidRects, FillAndFrameCoverExactlyTheirRectangle) {
  test::Canvas c(12, 12, kBackground);
  EXPECT_NE(skin::FillSolidRect(c.dc(), 2, 3, 5, 4, RGB(200, 0, 0)), 0);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 12; ++x) {
      const bool inside = x >= 2 && x < 7 && y >= 3 && y < 7;
      ASSERT_EQ(c.Pixel(x, y), inside ? RGB(200, 0, 0) : kBackground) << x << "," << y;
    }
  c.Fill(kBackground);
  EXPECT_NE(skin::FrameSolidRect(c.dc(), 1, 1, 6, 5, RGB(0, 0, 200)), 0);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 12; ++x) {
      const bool inside = x >= 1 && x < 7 && y >= 1 && y < 6;
      const bool ring = inside && (x == 1 || x == 6 || y == 1 || y == 5);
      ASSERT_EQ(c.Pixel(x, y), ring ? RGB(0, 0, 200) : kBackground) << x << "," << y;
    }
}

TEST(FocusFrame, DrawnTwiceLeavesNoTrace) {
  test::Canvas c(20, 12, RGB(90, 160, 220));
  ASSERT_NE(skin::DrawFocusFrame(c.dc(), 2, 2, 16, 8), 0);
  int changed = 0;
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 20; ++x) changed += c.Pixel(x, y) != RGB(90, 160, 220);
  EXPECT_GT(changed, 10);
  EXPECT_EQ(c.Pixel(0, 0), RGB(90, 160, 220));  // no inset applied outside
  EXPECT_EQ(c.Pixel(10, 6), RGB(90, 160, 220));
  skin::DrawFocusFrame(c.dc(), 2, 2, 16, 8);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 20; ++x) ASSERT_EQ(c.Pixel(x, y), RGB(90, 160, 220)) << x << "," << y;
}

TEST(CaptionText, ALongCaptionIsCutWithAnEllipsis) {
  const std::wstring text = L"A caption far too long for the narrow rectangle it is drawn in";
  test::Canvas drawn(60, 20);
  SetBkMode(drawn.dc(), TRANSPARENT);
  const int height = skin::DrawCaptionText(drawn.dc(), text, 0, 0, 60, 20, skin::kCaptionFormat);
  EXPECT_GT(height, 0);
  // What the platform makes of the text when asked to shorten it, drawn as is.
  std::vector<wchar_t> cut(text.begin(), text.end());
  cut.resize(text.size() + 8, L'\0');
  RECT r{0, 0, 60, 20};
  test::Canvas scratch(60, 20);
  DrawTextW(scratch.dc(), cut.data(), -1, &r,
            DT_SINGLELINE | DT_END_ELLIPSIS | DT_MODIFYSTRING | DT_CALCRECT);
  const std::wstring shortened(cut.data());
  ASSERT_LT(shortened.size(), text.size());
  ASSERT_EQ(shortened.substr(shortened.size() - 3), L"...");
  test::Canvas expected(60, 20);
  SetBkMode(expected.dc(), TRANSPARENT);
  RECT e{0, 0, 60, 20};
  DrawTextW(expected.dc(), shortened.c_str(), -1, &e, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  int differ = 0, ink = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 60; ++x) {
      differ += drawn.Pixel(x, y) != expected.Pixel(x, y);
      ink += drawn.Pixel(x, y) != RGB(255, 255, 255);
    }
  EXPECT_GT(ink, 0);
  EXPECT_EQ(differ, 0);
}

// ---------------------------------------------------------------------------

TEST(WindowMeasures, CaptionAndSize) {
  test::Window empty(CreateWindowExA(0, "STATIC", "", WS_POPUP, 10, 20, 30, 40, nullptr, nullptr,
                                     nullptr, nullptr));
  EXPECT_EQ(skin::GetWindowCaption(empty), L"");
  skin::WindowSize size;
  EXPECT_NE(skin::GetWindowSize(empty, size), 0);
  EXPECT_EQ(size.Left, 10);
  EXPECT_EQ(size.Top, 20);
  EXPECT_EQ(size.Right, 40);
  EXPECT_EQ(size.Bottom, 60);
  EXPECT_EQ(size.Width, 30);
  EXPECT_EQ(size.Height, 40);

  // Code page 936 text of an ANSI window comes back as its characters.
  const char kGodMode[] = "\xC9\xCF\xB5\xDB mode";
  test::Window named(CreateWindowExA(0, "STATIC", kGodMode, WS_POPUP, 0, 0, 10, 10, nullptr,
                                     nullptr, nullptr, nullptr));
  EXPECT_EQ(skin::GetWindowCaption(named), L"\u4E0A\u5E1D mode");
}

TEST(WindowMeasures, ClientOffsetTakesScrollBarsOffBeforeHalving) {
  struct Case {
    DWORD style, exStyle;
  };
  const Case cases[] = {{WS_POPUP, WS_EX_CLIENTEDGE},
                        {WS_POPUP | WS_VSCROLL, WS_EX_CLIENTEDGE},
                        {WS_POPUP | WS_HSCROLL, WS_EX_CLIENTEDGE},
                        {WS_POPUP | WS_VSCROLL | WS_HSCROLL, WS_EX_CLIENTEDGE},
                        {WS_POPUP | WS_BORDER | WS_VSCROLL, 0}};
  const int expected[][2] = {{2, 2}, {2, 2}, {2, 2}, {2, 2}, {1, 1}};
  for (size_t i = 0; i < std::size(cases); ++i) {
    test::Window w(CreateWindowExA(cases[i].exStyle, "STATIC", "", cases[i].style, 0, 0, 120, 90,
                                   nullptr, nullptr, nullptr, nullptr));
    ShowScrollBar(w, SB_VERT, (cases[i].style & WS_VSCROLL) != 0);
    ShowScrollBar(w, SB_HORZ, (cases[i].style & WS_HSCROLL) != 0);
    int bx = -99, by = -99;
    EXPECT_EQ(skin::GetClientOffset(w, bx, by), 1);
    EXPECT_EQ(bx, expected[i][0]) << "case " << i;
    EXPECT_EQ(by, expected[i][1]) << "case " << i;
  }
}

TEST(WindowMeasures, HalvesRoundToEven) {
  EXPECT_EQ(skin::RoundHalfEven(0.5), 0);
  EXPECT_EQ(skin::RoundHalfEven(1.5), 2);
  EXPECT_EQ(skin::RoundHalfEven(2.5), 2);
  EXPECT_EQ(skin::RoundHalfEven(3.5), 4);
  EXPECT_EQ(skin::RoundHalfEven(6.5), 6);
  EXPECT_EQ(skin::RoundHalfEven(7.5), 8);
  EXPECT_EQ(skin::RoundHalfEven(2.4), 2);
  EXPECT_EQ(skin::RoundHalfEven(2.6), 3);
  EXPECT_EQ(skin::RoundHalfEven(-2.5), -2);
  EXPECT_EQ(skin::RoundHalfEven(-3.5), -4);
  EXPECT_EQ(skin::RoundHalfEven(-0.6), -1);
}

TEST(MouseWords, AreSigned) {
  EXPECT_EQ(skin::LoWordOf(static_cast<LPARAM>(0xFFFF0005u)), 5);
  EXPECT_EQ(skin::HiWordOf(static_cast<LPARAM>(0xFFFF0005u)), -1);
  EXPECT_EQ(skin::LoWordOf(static_cast<LPARAM>(0x8000FFFEu)), -2);
  EXPECT_EQ(skin::HiWordOf(static_cast<LPARAM>(0x8000FFFEu)), -32768);
  EXPECT_EQ(skin::LoWordOf(MAKELPARAM(-3, 7)), -3);
  EXPECT_EQ(skin::HiWordOf(MAKELPARAM(-3, 7)), 7);
  EXPECT_EQ(skin::HiWordOf(static_cast<LPARAM>(0x7FFF1234u)), 32767);
}

// ---------------------------------------------------------------------------

// The GDI table is filled until only kFreeSlots remain, so the rounds outnumber
// the objects the process can still hold: a leak of one object per call would
// exhaust it, and the last calls would draw nothing.
TEST(Leaks, EveryPrimitiveFreesWhatItMakes) {
  test::Window win(CreateWindowExA(WS_EX_CLIENTEDGE, "STATIC", "leak test", WS_POPUP | WS_VSCROLL,
                                   0, 0, 50, 30, nullptr, nullptr, nullptr, nullptr));
  test::Canvas cell(7, 21);
  PaintCell(cell);
  SetPixel(cell.dc(), 1, 1, kMagenta);
  test::Canvas dst(80, 30, kBackground);
  GdiTableFiller filler(kFreeSlots);
  const int slots = test::FreeGdiSlots();
  ASSERT_EQ(slots, kFreeSlots);

  for (int i = 0; i < kCheapRounds; ++i) {
    skin::FillSolidRect(dst.dc(), 0, 0, 4, 4, RGB(i & 0xFF, 1, 2));
    skin::FrameSolidRect(dst.dc(), 0, 0, 4, 4, RGB(1, i & 0xFF, 2));
    skin::DrawFocusFrame(dst.dc(), 0, 0, 4, 4);
    skin::DrawCaptionText(dst.dc(), L"x", 0, 0, 4, 4, skin::kCaptionFormat);
    skin::GetWindowCaption(win);
    skin::WindowSize size;
    skin::GetWindowSize(win, size);
    int bx, by;
    skin::GetClientOffset(win, bx, by);
  }
  for (int i = 0; i < kSurfaceRounds; ++i) {
    skin::Surface s = skin::CreateSurface(3, 3);
    skin::DrawSkinImage(dst.dc(), 2, 3, 75, 25, cell.dc(), 0, 0, 7, 21, 3, 3, 3, 3);
    skin::DrawSkinImage(dst.dc(), 2, 3, 75, 25, cell.dc(), 0, 0, 7, 21, 3, 3, 3, 3, kMagenta);
    skin::TransparentBlit(dst.dc(), 0, 0, 7, 21, cell.dc(), 0, 0, kMagenta);
  }
  ASSERT_EQ(test::FreeGdiSlots(), slots);

  // The last calls still draw exactly right, and a new surface can be made.
  dst.Fill(kBackground);
  skin::FillSolidRect(dst.dc(), 0, 0, 4, 4, RGB(1, 2, 3));
  EXPECT_EQ(dst.Pixel(3, 3), RGB(1, 2, 3));
  EXPECT_EQ(dst.Pixel(4, 4), kBackground);
  skin::DrawSkinImage(dst.dc(), 2, 3, 75, 25, cell.dc(), 0, 0, 7, 21, 3, 3, 3, 3, kMagenta);
  EXPECT_EQ(dst.Pixel(2, 3), CellColour(0, 0));
  EXPECT_EQ(dst.Pixel(3, 4), kBackground);
  EXPECT_EQ(dst.Pixel(76, 27), CellColour(6, 20));
  EXPECT_GE(SourceRowOf(dst.Pixel(40, 15), 3, 21), 3);
  skin::Surface s = skin::CreateSurface(75, 25);
  EXPECT_TRUE(s);
}

}  // namespace
