// Combo boxes, drive lists and headers following the pointer: the drop-down
// zone, the header hit test, the hot and pressed items, releases and leaving.
#include <gtest/gtest.h>

#include "skin/draw/painters.h"
#include "tests/skin/interaction_fixture.h"

#include <commctrl.h>

using namespace itest;
using skin::kPropHdIndex;
using skin::kPropHmIndex;
using skin::kPropMouseFlag;
using skin::kPropOldState;
using skin::WriteProp;

namespace {

// Stand-ins that never drop a list nor draw, so what changes is the skin's
// doing; they answer the mouse messages with a value of their own and note
// the pressed header item as it was when they ran.
LONG_PTR pressedSeen = -2;
LRESULT CALLBACK StandInProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_MOUSEMOVE: case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK: case WM_MOUSELEAVE:
      pressedSeen = Prop(hwnd, kPropHdIndex);
      return kPreviousResult;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

class ComboHeaderTest : public testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    RegisterStandIn("ThunderComboBox", StandInProc);
    RegisterStandIn("ThunderDriveListBox", StandInProc);
    RegisterStandIn("MSVB_Lib_Header", StandInProc);
    test::RegisterSuperclass("ThunderRT6DriveListBox", "ListBox");
    PointAway();
    host_ = test::Window(test::CreateHostWindow(400, 300));
  }

  // A header with items 0..50 and 50..110.
  HWND Header() {
    HWND header = SkinnedChild(host_, WC_HEADERA, HDS_BUTTONS | HDS_HORZ, 10, 10, 300, 24, "");
    for (int width : {50, 60}) {
      char text[] = "Item";
      HDITEMA item{};
      item.mask = HDI_WIDTH | HDI_TEXT;
      item.cxy = width;
      item.pszText = text;
      Send(header, HDM_INSERTITEMA, 100, reinterpret_cast<LPARAM>(&item));
    }
    return header;
  }

  static void Press(HWND header, int x, int y = 5) { Send(header, WM_LBUTTONDOWN, MK_LBUTTON, At(x, y)); }
  static void Release(HWND header, int x, int y = 5) { Send(header, WM_LBUTTONUP, 0, At(x, y)); }

  test::Window host_;
};

// True when the header shows item i exactly as the item painter draws it in
// that state.
bool ItemLooks(HWND header, int index, int state) {
  const SIZE size = OuterSize(header);
  test::Canvas reference(size.cx, size.cy);
  skin::PaintHeaderItem(header, reference.dc(), index, state);
  const RECT item = skin::GetHeaderItemRect(header, index);
  return ShowsSame(header, reference.dc(), {item.left, 0, item.right, item.bottom - item.top});
}

TEST_F(ComboHeaderTest, DropDownZoneIncludesItsBoundsOnADropDownCombo) {
  HWND combo = SkinnedChild(host_, "ThunderComboBox", CBS_DROPDOWN, 20, 20, 150, 24);
  const SIZE s = OuterSize(combo);
  const int w = s.cx, h = s.cy, b = GetSystemMetrics(SM_CXVSCROLL);
  struct Probe { int x, y; bool in; } probes[] = {
      {w - 2, h / 2, true},      {w - b - 2, h / 2, true}, {w - 2, 2, true},          {w - 2, h - 2, true},
      {w - 2, 1, false},         {w - b - 3, h / 2, false}, {w - 1, h / 2, false},    {w - 2, h - 1, false},
      {10, h / 2, false},
  };
  for (const Probe& p : probes) {
    WriteProp(combo, kPropOldState, skin::kStateNormal);
    Send(combo, WM_LBUTTONDOWN, MK_LBUTTON, At(p.x, p.y));
    EXPECT_EQ(Prop(combo, kPropOldState), p.in ? skin::kStatePressed : skin::kStateNormal) << p.x << "," << p.y;
    Send(combo, WM_MOUSEMOVE, 0, At(p.x, p.y));
    EXPECT_EQ(Prop(combo, kPropOldState), p.in ? skin::kStateHover : skin::kStateNormal) << p.x << "," << p.y;
  }
}

TEST_F(ComboHeaderTest, DropDownListsAndDriveListsCountAnywhere) {
  HWND list = SkinnedChild(host_, "ThunderComboBox", CBS_DROPDOWNLIST, 20, 20, 150, 24);
  HWND drive = SkinnedChild(host_, "ThunderDriveListBox", CBS_DROPDOWN, 20, 60, 150, 24);
  HWND realDrive = SkinnedChild(host_, "ThunderRT6DriveListBox", LBS_SORT, 20, 100, 150, 60);
  for (HWND w : {list, drive, realDrive}) {
    Send(w, WM_LBUTTONDOWN, MK_LBUTTON, At(1, 1));
    EXPECT_EQ(Prop(w, kPropOldState), skin::kStatePressed);
    Send(w, WM_MOUSEMOVE, 0, At(3, 3));
    EXPECT_EQ(Prop(w, kPropOldState), skin::kStateHover);
    EXPECT_EQ(Prop(w, kPropMouseFlag), 1);
    Send(w, WM_MOUSEMOVE, MK_LBUTTON, At(4, 3));
    EXPECT_EQ(Prop(w, kPropOldState), skin::kStatePressed);
    Send(w, WM_MOUSELEAVE);
    EXPECT_EQ(Prop(w, kPropOldState), skin::kStateNormal);
    EXPECT_EQ(Prop(w, kPropMouseFlag), 0);
  }
}

TEST_F(ComboHeaderTest, ARealDropDownComboShowsHoverOnlyOverItsButton) {
  HWND combo = SkinnedChild(host_, WC_COMBOBOXA, CBS_DROPDOWN, 20, 20, 150, 200, "");
  const SIZE s = OuterSize(combo);
  Send(combo, WM_MOUSEMOVE, 0, At(s.cx - 4, s.cy / 2));
  EXPECT_EQ(Prop(combo, kPropOldState), skin::kStateHover);
  Send(combo, WM_MOUSEMOVE, 0, At(10, s.cy / 2));
  EXPECT_EQ(Prop(combo, kPropOldState), skin::kStateNormal);
}

TEST_F(ComboHeaderTest, ComboReleaseShowsHoverOnlyWhileThePointerIsOverIt) {
  HWND combo = SkinnedChild(host_, "ThunderComboBox", CBS_DROPDOWNLIST, 20, 20, 150, 24);
  Send(combo, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  PointAt(combo, 20, 10);
  Send(combo, WM_LBUTTONUP, 0, At(20, 10));
  EXPECT_EQ(Prop(combo, kPropOldState), skin::kStateHover);
  Send(combo, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
  PointAway();
  Send(combo, WM_LBUTTONUP, 0, At(20, 10));
  EXPECT_EQ(Prop(combo, kPropOldState), skin::kStateNormal);
  EXPECT_EQ(Prop(combo, kPropMouseFlag), 0) << "a release does not clear the leave request here";
}

TEST_F(ComboHeaderTest, HeaderHitTestIsInclusiveFirstMatchAndIgnoresY) {
  HWND header = Header();
  const struct { int x, y; LONG_PTR item; } presses[] = {
      {0, 5, 0}, {50, 5, 0}, {51, 5, 1}, {110, 5, 1}, {60, 200, 1}, {200, 5, -1}};
  for (const auto& p : presses) {
    Press(header, p.x, p.y);
    EXPECT_EQ(Prop(header, kPropHdIndex), p.item) << p.x << "," << p.y;
    Release(header, p.x, p.y);
    EXPECT_EQ(Prop(header, kPropHdIndex), -1);
  }
  Press(header, 20);
  EXPECT_TRUE(ItemLooks(header, 0, skin::kStatePressed));
}

TEST_F(ComboHeaderTest, AnEmptyHeaderKeepsThePressedIndexAndHasNoHotItem) {
  HWND header = SkinnedChild(host_, WC_HEADERA, HDS_BUTTONS | HDS_HORZ, 10, 10, 300, 24, "");
  WriteProp(header, kPropHdIndex, 7);
  Press(header, 20);
  EXPECT_EQ(Prop(header, kPropHdIndex), 7);
  WriteProp(header, kPropHmIndex, 0);
  Send(header, WM_MOUSEMOVE, 0, At(20, 5));
  EXPECT_EQ(Prop(header, kPropHmIndex), -1);
}

TEST_F(ComboHeaderTest, HeaderMovesDrawTheHotItemAndHoldThePressedOne) {
  HWND header = Header();
  Send(header, WM_MOUSEMOVE, 0, At(10, 5));
  EXPECT_EQ(Prop(header, kPropHmIndex), 0);
  EXPECT_TRUE(ItemLooks(header, 0, skin::kStateHover));
  EXPECT_FALSE(ItemLooks(header, 0, skin::kStateNormal)) << "the looks must differ to tell anything";

  Fill(header, kMagenta);
  Send(header, WM_MOUSEMOVE, 0, At(20, 5));  // same item: nothing drawn
  EXPECT_EQ(WindowPixel(header, 10, 10), kMagenta);

  Send(header, WM_MOUSEMOVE, 0, At(70, 5));
  EXPECT_EQ(Prop(header, kPropHmIndex), 1);
  EXPECT_TRUE(ItemLooks(header, 0, skin::kStateNormal));
  EXPECT_TRUE(ItemLooks(header, 1, skin::kStateHover));

  // Held: the hot index stays, the old hot item goes normal, the pressed one
  // is drawn pressed under the pointer.
  Press(header, 20);
  Send(header, WM_MOUSEMOVE, MK_LBUTTON, At(25, 5));
  EXPECT_EQ(Prop(header, kPropHmIndex), 1);
  EXPECT_TRUE(ItemLooks(header, 1, skin::kStateNormal));
  EXPECT_TRUE(ItemLooks(header, 0, skin::kStatePressed));
  Release(header, 25);
}

TEST_F(ComboHeaderTest, HeaderReleaseDrawsTheItemHotOverTheHeaderAndNormalOffIt) {
  HWND header = Header();
  PointAt(header, 20, 5);
  Press(header, 20);
  Release(header, 20);
  EXPECT_EQ(Prop(header, kPropHdIndex), -1);
  EXPECT_TRUE(ItemLooks(header, 0, skin::kStateHover));

  Press(header, 20);
  PointAway();
  Release(header, 20);
  EXPECT_TRUE(ItemLooks(header, 0, skin::kStateNormal));
}

TEST_F(ComboHeaderTest, LeavingAHeaderClearsBothIndexesAndRedrawsOnlyTheHotItem) {
  HWND header = Header();
  Send(header, WM_MOUSEMOVE, 0, At(70, 5));
  Press(header, 20);
  ASSERT_EQ(Prop(header, kPropHdIndex), 0);
  Fill(header, kMagenta);
  Send(header, WM_MOUSELEAVE);
  EXPECT_EQ(Prop(header, kPropHdIndex), -1);
  EXPECT_EQ(Prop(header, kPropHmIndex), -1);
  EXPECT_EQ(Prop(header, kPropMouseFlag), 0);
  EXPECT_TRUE(ItemLooks(header, 1, skin::kStateNormal));
  EXPECT_EQ(WindowPixel(header, 10, 10), kMagenta) << "the pressed item is not redrawn";
}

TEST_F(ComboHeaderTest, HandlersReturnThePreviousResultAfterItRan) {
  for (const char* kind : {"ThunderComboBox", "ThunderDriveListBox", "MSVB_Lib_Header"}) {
    HWND w = SkinnedChild(host_, kind, CBS_DROPDOWN, 20, 20, 150, 24);
    for (UINT msg : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_MOUSELEAVE})
      EXPECT_EQ(Send(w, msg, 0, At(140, 10)), kPreviousResult) << kind << " message " << msg;
  }
  HWND header = SkinnedChild(host_, "MSVB_Lib_Header", 0, 20, 60, 150, 24);
  WriteProp(header, kPropHdIndex, 4);
  Send(header, WM_LBUTTONUP);
  EXPECT_EQ(pressedSeen, 4);
  EXPECT_EQ(Prop(header, kPropHdIndex), -1);
}

}  // namespace
