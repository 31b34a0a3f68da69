#include <gtest/gtest.h>
#include "tests/support/win32_test.h"

TEST(Harness, CanvasReadsBackWhatGdiDrew) {
  test::Canvas canvas(8, 8, RGB(1, 2, 3));
  SetPixel(canvas.dc(), 2, 3, RGB(200, 100, 50));
  EXPECT_EQ(canvas.Pixel(0, 0), RGB(1, 2, 3));
  EXPECT_EQ(canvas.Pixel(2, 3), RGB(200, 100, 50));
  EXPECT_EQ(GetACP(), 936u);
}

TEST(Harness, FreeGdiSlotsSeesEveryLeakedObject) {
  const int before = test::FreeGdiSlots();
  HBRUSH brushes[7];
  for (HBRUSH& b : brushes) b = CreateSolidBrush(RGB(1, 2, 3));
  EXPECT_EQ(test::FreeGdiSlots(), before - 7);
  for (HBRUSH b : brushes) DeleteObject(b);
  EXPECT_EQ(test::FreeGdiSlots(), before);
}
