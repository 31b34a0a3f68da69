#include "skin/draw/images.h"
#include <gtest/gtest.h>
#include <set>
#include <tuple>
#include <vector>
#include "skin/draw/image_data.h"
#include "skin/draw/primitives.h"
#include "tests/support/win32_test.h"

namespace {

using skin::SkinImageId;
using skin::SkinImages;
using skin::Surface;

constexpr COLORREF KEY = 0xFF00FF;

COLORREF At(const Surface& image, int x, int y) { return GetPixel(image.dc(), x, y); }

// Compares a row segment of an image with the expected colours, naming the
// first differing pixel.
void ExpectRow(const Surface& image, int y, int x0, const std::vector<COLORREF>& expected) {
  for (size_t i = 0; i < expected.size(); ++i) {
    const int x = x0 + static_cast<int>(i);
    EXPECT_EQ(At(image, x, y), expected[i]) << std::hex << "pixel (" << std::dec << x << ", "
                                            << y << ")";
  }
}

class SkinImagesTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    images_ = new SkinImages;
    skin::BuildSkinBitmaps(*images_);
  }
  static void TearDownTestSuite() {
    delete images_;
    images_ = nullptr;
  }
  static const SkinImages& images() { return *images_; }

 private:
  static SkinImages* images_;
};
SkinImages* SkinImagesTest::images_ = nullptr;

TEST_F(SkinImagesTest, MakesEverySurfaceAtItsSize) {
  const std::tuple<const Surface*, SIZE> all[] = {
      {&images().Button, skin::kButtonImageSize}, {&images().ComboButton, skin::kComboButtonImageSize},
      {&images().Mark, skin::kMarkImageSize},     {&images().Option, skin::kOptionImageSize},
      {&images().Header, skin::kHeaderImageSize}};
  for (const auto& [surface, size] : all) {
    ASSERT_TRUE(*surface);
    BITMAP info{};
    ASSERT_NE(GetObject(surface->bitmap(), sizeof(info), &info), 0);
    EXPECT_EQ(info.bmWidth, size.cx);
    EXPECT_EQ(info.bmHeight, size.cy);
    EXPECT_GE(info.bmBitsPixel, 24) << "display-compatible true colour";
    EXPECT_EQ(GetCurrentObject(surface->dc(), OBJ_BITMAP), surface->bitmap());
  }
}

TEST_F(SkinImagesTest, ButtonFacesShowTheirTellingRows) {
  const Surface& b = images().Button;
  ExpectRow(b, 0, 0, {0xF9E1BF, 0xE3B36B, 0xD8972C, 0xD58F1B, 0xD8972C, 0xE3B36B, 0xF9E1BF});
  ExpectRow(b, 1, 0, {0xE2B269, 0xE7C07E, 0xFBF3E7, 0xFFFFFF, 0xFBF3E7, 0xE7C07E, 0xE2B269});
  ExpectRow(b, 3, 0, {0xD58F1B, 0xFDFAF5, 0xFCF8F1, 0xFCF8F1, 0xFCF8F1, 0xFDFAF5, 0xD58F1B});
  ExpectRow(b, 20, 0, {0xFBE7CA, 0xE1AE60, 0xD8962A, 0xD58F1B, 0xD8962A, 0xE1AE60, 0xFBE7CA});
  ExpectRow(b, 22, 0, {0xE2B269, 0xE6A328, 0xF8BB3C, 0xFBC34C, 0xF8BB3C, 0xE6A328, 0xE2B269});
  ExpectRow(b, 63, 0, {0xFBF7F2, 0xEFD5AF, 0xEAC78F, 0xE8C387, 0xEAC78F, 0xEFD5AF, 0xFBF7F2});
}

TEST_F(SkinImagesTest, ButtonFacesKeepTheirFrameDownTheStretchedRows) {
  // Rows 3 to 17 of a cell are stretched; their outer columns are the frame.
  const COLORREF frames[4] = {0xD58F1B, 0xD58F1B, 0xD58F1B, 0xE8C387};
  for (int cell = 0; cell < 4; ++cell) {
    for (int row = 3; row <= 17; ++row) {
      const int y = 21 * cell + row;
      EXPECT_EQ(At(images().Button, 0, y), frames[cell]) << "row " << y;
      EXPECT_EQ(At(images().Button, 6, y), frames[cell]) << "row " << y;
    }
    // A face is symmetric left to right, so the nine-grid corners match.
    for (int row = 0; row < 21; ++row) {
      const int y = 21 * cell + row;
      for (int x = 0; x < 3; ++x) {
        EXPECT_EQ(At(images().Button, x, y), At(images().Button, 6 - x, y)) << x << "," << y;
      }
    }
  }
}

TEST_F(SkinImagesTest, ComboButtonRowZeroAndArrowShapes) {
  const Surface& c = images().ComboButton;
  ExpectRow(c, 0, 0,
            {0xD1A04E, 0xFFF9E8, 0xFFF9E8, 0xFFF9E8, 0xD1A04E, 0xF3E1BE, 0xF3E1BE, 0xF3E1BE,
             0x5F5519, 0x5F5519, 0x5F5519, 0x5F5519, 0x5F5519, 0x5F5519, 0x5F5519});
  EXPECT_EQ(At(c, 14, 1), KEY);

  const int arrowFirst[4] = {0, 1, 2, 3};
  const int arrowLast[4] = {6, 5, 4, 3};
  for (int y = 0; y < 18; ++y) {
    EXPECT_EQ(At(c, 0, y), 0xD1A04Eu) << "hover face line, row " << y;
    EXPECT_EQ(At(c, 4, y), 0xD1A04Eu) << "pressed face line, row " << y;
    for (int x = 0; x < 7; ++x) {
      COLORREF expected = KEY;
      if (y < 8 && x >= arrowFirst[y % 4] && x <= arrowLast[y % 4]) {
        expected = y < 4 ? 0x5F5519 : 0xACA584;
      }
      EXPECT_EQ(At(c, 8 + x, y), expected) << "arrow cell pixel (" << 8 + x << ", " << y << ")";
    }
  }
}

TEST_F(SkinImagesTest, ComboFacesRunTheirGradientsOppositeWays) {
  const Surface& c = images().ComboButton;
  // Hover: light at the top, darker at the bottom; pressed the other way.
  EXPECT_EQ(At(c, 1, 0), 0xFFF9E8u);
  EXPECT_EQ(At(c, 5, 0), 0xF3E1BEu);
  EXPECT_GT(GetGValue(At(c, 1, 0)), GetGValue(At(c, 1, 17)));
  EXPECT_LT(GetGValue(At(c, 5, 0)), GetGValue(At(c, 5, 17)));
  // The stretched middle column is the darker one.
  for (int y = 1; y < 17; ++y) {
    EXPECT_LT(GetGValue(At(c, 2, y)), GetGValue(At(c, 1, y))) << y;
    EXPECT_LT(GetGValue(At(c, 6, y)), GetGValue(At(c, 7, y))) << y;
  }
}

// Columns of each mark row, relative to the mark's rectangle.
struct MarkShape {
  int left, top, width, height;
  std::vector<std::vector<int>> rows;
};

const MarkShape kTick{0, 0, 9, 8,
                      {{8}, {7, 8}, {6, 7, 8}, {0, 1, 5, 6, 7}, {0, 1, 2, 4, 5, 6}, {1, 2, 3, 4, 5},
                       {2, 3, 4}, {3}}};
const MarkShape kSquare{1, 9, 7, 7,
                        std::vector<std::vector<int>>(7, std::vector<int>{0, 1, 2, 3, 4, 5, 6})};
const MarkShape kDot{2, 18, 5, 5, {{1, 2, 3}, {0, 1, 2, 3, 4}, {0, 1, 2, 3, 4}, {0, 1, 2, 3, 4}, {1, 2, 3}}};

std::set<std::pair<int, int>> MarkPixels(const MarkShape& mark, int shift) {
  std::set<std::pair<int, int>> pixels;
  for (int r = 0; r < static_cast<int>(mark.rows.size()); ++r) {
    for (int c : mark.rows[r]) pixels.insert({mark.left + shift + c, mark.top + r});
  }
  return pixels;
}

TEST_F(SkinImagesTest, MarkShapesAreExactlyTheSetPixels) {
  std::set<std::pair<int, int>> marks;
  for (const MarkShape* mark : {&kTick, &kSquare, &kDot}) {
    for (int shift : {0, 9}) {
      const auto pixels = MarkPixels(*mark, shift);
      marks.insert(pixels.begin(), pixels.end());
    }
  }
  for (int y = 0; y < 24; ++y) {
    for (int x = 0; x < 18; ++x) {
      const bool inMark = marks.count({x, y}) > 0;
      EXPECT_EQ(At(images().Mark, x, y) != KEY, inMark) << "pixel (" << x << ", " << y << ")";
    }
  }
  EXPECT_EQ(At(images().Mark, 8, 0), 0x1DB754u);
  EXPECT_EQ(At(images().Mark, 0, 0), KEY);
}

TEST_F(SkinImagesTest, EnabledMarksHaveTheirRowColours) {
  const COLORREF tick[8] = {0x1DB754, 0x1BB451, 0x17AF4D, 0x13A948,
                            0x0FA243, 0x0A9C3E, 0x069639, 0x029135};
  for (const auto& [x, y] : MarkPixels(kTick, 0)) {
    EXPECT_EQ(At(images().Mark, x, y), tick[y]) << "tick (" << x << ", " << y << ")";
  }
  const COLORREF square[7] = {0x1BB451, 0x18B04E, 0x14AB49, 0x10A445, 0x0C9E40, 0x07983B, 0x069639};
  for (const auto& [x, y] : MarkPixels(kSquare, 0)) {
    EXPECT_EQ(At(images().Mark, x, y), square[y - 9]) << "square (" << x << ", " << y << ")";
  }
  ExpectRow(images().Mark, 18, 3, {0x60CC87, 0x28BA5C, 0x60CC87});
  ExpectRow(images().Mark, 20, 2, {0x1DAC50, 0x12A847, 0x12A847, 0x12A847, 0x1DAC50});
}

TEST_F(SkinImagesTest, DisabledMarksArePaleGreenAndLighterThanTheEnabledOnes) {
  for (const MarkShape* mark : {&kTick, &kSquare, &kDot}) {
    for (const auto& [x, y] : MarkPixels(*mark, 0)) {
      const COLORREF enabled = At(images().Mark, x, y);
      const COLORREF disabled = At(images().Mark, x + 9, y);
      EXPECT_GT(GetRValue(disabled), GetRValue(enabled)) << x << "," << y;
      EXPECT_GT(GetGValue(disabled), GetRValue(disabled)) << "green stays dominant";
      EXPECT_GT(GetGValue(disabled), GetBValue(disabled)) << "green stays dominant";
    }
  }
  EXPECT_EQ(At(images().Mark, 17, 0), 0x8CDAA8u);
  EXPECT_EQ(At(images().Mark, 12, 7), 0x7EC798u);
}

bool IsOptionKeyPixel(int x, int row) {
  switch (row) {
    case 0:
    case 12:
      return x <= 2 || x >= 10;
    case 1:
    case 11:
      return x <= 1 || x >= 11;
    case 2:
    case 10:
      return x == 0 || x == 12;
    default:
      return false;
  }
}

TEST_F(SkinImagesTest, OptionCircleRowsAndKeyPatternOfEveryCell) {
  const Surface& o = images().Option;
  ExpectRow(o, 0, 0,
            {KEY, KEY, KEY, 0xE7CFBC, 0xD9B395, 0xD3A886, 0xD2A683, 0xD3A886, 0xD9B395, 0xE7CFBC,
             KEY, KEY, KEY});
  ExpectRow(o, 6, 0,
            {0xD2A683, 0xFAF7F3, 0xFEFEFD, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
             0xFFFFFF, 0xFFFFFF, 0xFEFEFD, 0xFAF7F3, 0xD2A683});
  for (int cell = 0; cell < 4; ++cell) {
    int keys = 0;
    for (int row = 0; row < 13; ++row) {
      for (int x = 0; x < 13; ++x) {
        const bool key = At(o, x, 13 * cell + row) == KEY;
        keys += key;
        EXPECT_EQ(key, IsOptionKeyPixel(x, row)) << "cell " << cell << " (" << x << ", " << row << ")";
      }
    }
    EXPECT_EQ(keys, 24) << "cell " << cell;
  }
}

TEST_F(SkinImagesTest, OptionRingsAndInteriorsFollowTheirStates) {
  const Surface& o = images().Option;
  const COLORREF rings[4] = {0xD2A683, 0xD2A683, 0xC18964, 0xE8D2C1};
  for (int cell = 0; cell < 4; ++cell) {
    const int top = 13 * cell;
    // The darkest ring pixels sit mid-way along each side.
    EXPECT_EQ(At(o, 6, top), rings[cell]) << cell;
    EXPECT_EQ(At(o, 0, top + 6), rings[cell]) << cell;
    EXPECT_EQ(At(o, 12, top + 6), rings[cell]) << cell;
    EXPECT_EQ(At(o, 6, top + 12), rings[cell]) << cell;
  }
  EXPECT_EQ(At(o, 6, 6), 0xFFFFFFu);
  EXPECT_EQ(At(o, 6, 39 + 6), 0xFFFFFFu);
  // Hover darkens towards the upper left, pressed towards the lower left.
  EXPECT_LT(GetRValue(At(o, 3, 13 + 3)), GetRValue(At(o, 9, 13 + 9)));
  EXPECT_LT(GetRValue(At(o, 3, 26 + 9)), GetRValue(At(o, 9, 26 + 3)));
}

// The interiors' quoted ends: the pressed face down its stretched column, the
// hover circle along its falling diagonal, the pressed one along its rising one.
TEST_F(SkinImagesTest, GradientsReachTheirQuotedEnds) {
  const Surface& b = images().Button;
  EXPECT_EQ(At(b, 3, 42 + 2), 0xF3CC86u);   // interior's top row
  EXPECT_EQ(At(b, 3, 42 + 18), 0xFCEFD6u);  // and its bottom row
  const Surface& o = images().Option;
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(At(o, 4 - i, 13 + 2 + i), 0xF8EAC3u);   // hover, upper left
    EXPECT_EQ(At(o, 10 - i, 13 + 8 + i), 0xFDF5E0u);  // hover, lower right
    EXPECT_EQ(At(o, 2 + i, 26 + 8 + i), 0xF5E1ADu);   // pressed, lower left
    EXPECT_EQ(At(o, 8 + i, 26 + 2 + i), 0xFDF1D5u);   // pressed, upper right
  }
}

TEST_F(SkinImagesTest, HeaderRowsZeroNineAndBottomLine) {
  const Surface& h = images().Header;
  ExpectRow(h, 0, 0,
            {0xFEF5EA, 0xFEF5EA, 0xFEF5EA, 0xFDE6BD, 0xFEEED3, 0xFDE6BD, 0xFBD797, 0xFBD797,
             0xFBD797});
  ExpectRow(h, 9, 0,
            {0xFBF5ED, 0xF6E5D3, 0xD9B07A, 0xFAC25E, 0xFDE1AF, 0xDBA24B, 0xFAC25E, 0xFFE7B0,
             0xDBA24B});
  ExpectRow(h, 19, 0, std::vector<COLORREF>(9, 0xF2DAC0));
  EXPECT_EQ(At(h, 8, 19), 0xF2DAC0u);
  // The pressed item's light column grows lighter downwards.
  for (int y = 2; y < 19; ++y) {
    EXPECT_GE(GetBValue(At(h, 7, y)), GetBValue(At(h, 7, y - 1))) << y;
  }
}

TEST_F(SkinImagesTest, OpaqueImagesAndCheckStripsHoldNoKey) {
  const std::tuple<const Surface*, RECT> opaque[] = {
      {&images().Button, {0, 0, 7, 84}},
      {&images().Header, {0, 0, 9, 20}},
      {&images().Option, {1, 17, 12, 22}},  // hover strip 11 x 5
      {&images().Option, {1, 30, 12, 35}},  // pressed strip 11 x 5
  };
  for (const auto& [surface, r] : opaque) {
    for (int y = r.top; y < r.bottom; ++y) {
      for (int x = r.left; x < r.right; ++x) {
        EXPECT_NE(At(*surface, x, y), KEY) << "(" << x << ", " << y << ")";
      }
    }
  }
}

TEST_F(SkinImagesTest, EveryPixelMatchesItsTable) {
  const Surface* surfaces[skin::kSkinImageCount] = {&images().Button, &images().ComboButton,
                                                    &images().Mark, &images().Option,
                                                    &images().Header};
  int mismatches = 0;
  skin::ForEachSkinPixel([&](SkinImageId image, int x, int y, COLORREF colour) {
    if (At(*surfaces[static_cast<int>(image)], x, y) != colour) ++mismatches;
  });
  EXPECT_EQ(mismatches, 0);
}

TEST(SkinPixelTables, VisitsEveryPixelOnceInBuildOrder) {
  std::vector<std::tuple<int, int, int>> visits;
  bool unset = false;
  skin::ForEachSkinPixel([&](SkinImageId image, int x, int y, COLORREF colour) {
    visits.emplace_back(static_cast<int>(image), y, x);
    // A short table row would leave zeros; no image uses black or values above 24 bits.
    if (colour == 0 || colour > 0xFFFFFF) unset = true;
  });
  EXPECT_FALSE(unset);
  ASSERT_EQ(visits.size(), 588u + 270u + 432u + 676u + 180u);

  const SIZE sizes[skin::kSkinImageCount] = {skin::kButtonImageSize, skin::kComboButtonImageSize,
                                             skin::kMarkImageSize, skin::kOptionImageSize,
                                             skin::kHeaderImageSize};
  size_t i = 0;
  for (int image = 0; image < skin::kSkinImageCount; ++image) {
    for (int y = 0; y < sizes[image].cy; ++y) {
      for (int x = 0; x < sizes[image].cx; ++x, ++i) {
        ASSERT_EQ(visits[i], std::make_tuple(image, y, x)) << "visit " << i;
      }
    }
  }
}

TEST(SkinImagesLifecycle, RebuildAfterReleaseGivesTheSameImages) {
  auto snapshot = [](const SkinImages& images) {
    std::vector<COLORREF> pixels;
    for (const Surface* s : {&images.Button, &images.ComboButton, &images.Mark, &images.Option,
                             &images.Header}) {
      BITMAP info{};
      GetObject(s->bitmap(), sizeof(info), &info);
      for (int y = 0; y < info.bmHeight; ++y) {
        for (int x = 0; x < info.bmWidth; ++x) pixels.push_back(GetPixel(s->dc(), x, y));
      }
    }
    return pixels;
  };
  SkinImages images;
  skin::BuildSkinBitmaps(images);
  const std::vector<COLORREF> first = snapshot(images);
  ASSERT_EQ(first.size(), 2146u);

  for (Surface* s : {&images.Button, &images.ComboButton, &images.Mark, &images.Option,
                     &images.Header}) {
    s->reset();
    EXPECT_FALSE(*s);
  }
  skin::BuildSkinBitmaps(images);
  EXPECT_EQ(snapshot(images), first);
}

TEST(SkinImagesLifecycle, CurrentImagesFollowTheEngine) {
  EXPECT_FALSE(skin::CurrentSkinImages().Button);
  EXPECT_FALSE(skin::CurrentSkinImages().Header);

  SkinImages images;
  skin::BuildSkinBitmaps(images);
  skin::UseSkinImages(&images);
  EXPECT_EQ(&skin::CurrentSkinImages(), &images);
  EXPECT_EQ(skin::CurrentSkinImages().Option.dc(), images.Option.dc());

  skin::UseSkinImages(nullptr);
  EXPECT_NE(&skin::CurrentSkinImages(), &images);
  EXPECT_FALSE(skin::CurrentSkinImages().Option);
}

TEST_F(SkinImagesTest, KeyedHoverCircleShowsTheBackgroundInItsCorners) {
  constexpr COLORREF kBackground = 0x406080;
  const int cellTop = skin::kOptionCell(1).Y;
  test::Canvas blit(13, 13, kBackground);
  skin::TransparentBlit(blit.dc(), 0, 0, 13, 13, images().Option.dc(), 0, cellTop, KEY);
  test::Canvas grid(13, 13, kBackground);
  skin::DrawSkinImage(grid.dc(), 0, 0, 13, 13, images().Option.dc(), 0, cellTop, 13, 13, 5, 5, 5,
                      5, KEY);
  for (const test::Canvas* canvas : {&blit, &grid}) {
    int background = 0;
    for (int y = 0; y < 13; ++y) {
      for (int x = 0; x < 13; ++x) {
        const COLORREF expected =
            IsOptionKeyPixel(x, y) ? kBackground : At(images().Option, x, cellTop + y);
        background += canvas->Pixel(x, y) == kBackground;
        EXPECT_EQ(canvas->Pixel(x, y), expected) << "(" << x << ", " << y << ")";
      }
    }
    EXPECT_EQ(background, 24);
  }
}

}  // namespace
