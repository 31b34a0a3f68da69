#include <gtest/gtest.h>
#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "tests/skin/skin_fixture.h"
#include "tests/support/win32_test.h"
#include "skin/draw/dpi.h"
#include "skin/draw/images.h"
#include "skin/fade.h"
#include "skin/handlers.h"

using namespace skintest;

namespace {

// Run as "--foreign-form <title>", this executable only shows a form-kind
// window until it is closed: a window of another process for the tests below.
constexpr char kForeignSwitch[] = "--foreign-form ";

struct ForeignFormHelper {
  ForeignFormHelper() {
    const char* found = std::strstr(GetCommandLineA(), kForeignSwitch);
    if (!found) return;
    HWND hwnd = CreateTopLevelForm(false, nullptr, found + std::strlen(kForeignSwitch));
    const DWORD start = GetTickCount();
    while (IsWindow(hwnd) && GetTickCount() - start < 30000) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
      test::PumpMessages();
    }
    ExitProcess(0);
  }
} foreignFormHelper;

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP bm{};
  GetObjectA(bitmap, sizeof(bm), &bm);
  return {bm.bmWidth, bm.bmHeight};
}

struct WindowRegion {
  bool present = false;
  RECT box{};
  bool cornerIn = true;
  bool centreIn = false;
};

WindowRegion RegionOf(HWND hwnd) {
  WindowRegion out;
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  if (GetWindowRgn(hwnd, rgn) != ERROR) {
    out.present = true;
    GetRgnBox(rgn, &out.box);
    out.cornerIn = PtInRegion(rgn, 0, 0);
    out.centreIn = PtInRegion(rgn, out.box.right / 2, out.box.bottom / 2);
  }
  DeleteObject(rgn);
  return out;
}

}  // namespace

TEST(WindowKind, ClassNamesMatchWholeInAnyCaseAndOnlyGridsByPrefix) {
  using skin::ControlKind;
  EXPECT_EQ(skin::KindOfClassName("#32770"), ControlKind::Form);
  EXPECT_EQ(skin::KindOfClassName("ThunderRT6FormDC"), ControlKind::Form);
  EXPECT_EQ(skin::KindOfClassName("FORM"), ControlKind::Form);
  EXPECT_EQ(skin::KindOfClassName("Form1"), ControlKind::Other);
  EXPECT_EQ(skin::KindOfClassName("BUTTON"), ControlKind::PushButton);
  EXPECT_EQ(skin::KindOfClassName("ButtonX"), ControlKind::Other);
  EXPECT_EQ(skin::KindOfClassName("Combo"), ControlKind::ComboBox);
  EXPECT_EQ(skin::KindOfClassName("ComboBoxEx32"), ControlKind::Other);
  EXPECT_EQ(skin::KindOfClassName("ComboLBox"), ControlKind::ComboList);
  EXPECT_EQ(skin::KindOfClassName("ThunderDriveListBox"), ControlKind::DriveList);
  EXPECT_EQ(skin::KindOfClassName("thunderrt6checkbox"), ControlKind::CheckBox);
  EXPECT_EQ(skin::KindOfClassName("ThunderRT6OptionButton"), ControlKind::OptionButton);
  EXPECT_EQ(skin::KindOfClassName("DBListWndClass"), ControlKind::DataList);
  EXPECT_EQ(skin::KindOfClassName("ProgressBarWndClass"), ControlKind::ProgressBar);
  EXPECT_EQ(skin::KindOfClassName("msctls_progress32"), ControlKind::Other);
  EXPECT_EQ(skin::KindOfClassName("SysHeader32"), ControlKind::Header);
  EXPECT_EQ(skin::KindOfClassName("ApexGrid"), ControlKind::Grid);
  EXPECT_EQ(skin::KindOfClassName("APEXGRIDctl.8"), ControlKind::Grid);
  EXPECT_EQ(skin::KindOfClassName("XApexGrid"), ControlKind::Other);
  EXPECT_EQ(skin::KindOfClassName("apexgri"), ControlKind::Other);
  EXPECT_EQ(skin::KindOfClassName(""), ControlKind::Other);

  EXPECT_EQ(skin::AttachKindOf(ControlKind::DriveList), skin::AttachKind::Stateful);
  EXPECT_EQ(skin::AttachKindOf(ControlKind::ProgressBar), skin::AttachKind::Plain);
  EXPECT_EQ(skin::AttachKindOf(ControlKind::Header), skin::AttachKind::Header);

  test::Window form(CreateForm());
  EXPECT_EQ(skin::GetWindowClass(form), "Form");
  EXPECT_EQ(skin::GetWindowClass(nullptr), "");
}

TEST(IsApiExported, FindsExportsAndLeavesModuleReferenceCountsAlone) {
  EXPECT_TRUE(skin::IsApiExported("TrackMouseEvent", "User32"));
  EXPECT_FALSE(skin::IsApiExported("NoSuchExport", "User32"));
  EXPECT_FALSE(skin::IsApiExported("TrackMouseEvent", "no_such_library"));

  // A library that was not loaded is loaded for the look-up and released again.
  constexpr char kLibrary[] = "msacm32";
  ASSERT_EQ(GetModuleHandleA(kLibrary), nullptr);
  EXPECT_TRUE(skin::IsApiExported("acmGetVersion", kLibrary));
  EXPECT_EQ(GetModuleHandleA(kLibrary), nullptr);

  // A library loaded once by the program stays at one reference: one release unloads it.
  HMODULE held = LoadLibraryA(kLibrary);
  ASSERT_NE(held, nullptr);
  EXPECT_FALSE(skin::IsApiExported("NoSuchExport", kLibrary));
  EXPECT_EQ(GetModuleHandleA(kLibrary), held);
  FreeLibrary(held);
  EXPECT_EQ(GetModuleHandleA(kLibrary), nullptr);
}

class AttachTest : public SkinTest {};

TEST_F(AttachTest, FormTreeIsAttachedOnceAndDetachedCompletely) {
  test::Window form(CreateForm());
  HWND button = CreateChild(form, "Button", BS_PUSHBUTTON, 10, 10, 90, 26, "OK");
  HWND check = CreateChild(form, "ThunderRT6CheckBox", BS_AUTOCHECKBOX, 10, 50, 120, 20, "check");
  HWND header = CreateChild(form, "SysHeader32", 0, 10, 80, 200, 20);
  HWND edit = CreateChild(form, "Edit", 0, 10, 110, 100, 22);
  // A form inside the form: its child is reached from both enumerations.
  HWND inner = CreateChild(form, kFormClass, 0, 150, 10, 150, 60);
  HWND innerButton = CreateChild(inner, "Button", BS_PUSHBUTTON, 5, 5, 80, 24, "inner");
  const std::vector<HWND> tree{button, check, header, edit, inner, innerButton};
  std::vector<LONG_PTR> ownProcs;
  for (HWND w : tree) ownProcs.push_back(WindowProcOf(w));
  const LONG_PTR formProc = WindowProcOf(form);

  EXPECT_EQ(skin::BeginSkin(form), 1);
  EXPECT_EQ(SkinnedCount(), 7);
  EXPECT_TRUE(skin::Engine().initialised);
  EXPECT_TRUE(skin::Engine().images.Button);
  EXPECT_EQ(skin::AttachSkin(form), 0);
  EXPECT_EQ(skin::AttachSkin(innerButton), 0);
  EXPECT_EQ(skin::AttachSkin(nullptr), 0);
  EXPECT_EQ(SkinnedCount(), 7);

  for (size_t i = 0; i < tree.size(); ++i) {
    EXPECT_EQ(WindowProcOf(tree[i]), reinterpret_cast<LONG_PTR>(&skin::SkinWindowProc));
    EXPECT_EQ(Prop(tree[i], skin::kPropProcAddr), ownProcs[i]);
  }
  EXPECT_EQ(Prop(form, skin::kPropProcAddr), formProc);
  EXPECT_EQ(PropNames(check), (std::set<std::string>{"PROCADDR", "MOUSEFLAG", "OLDSTATE"}));
  // The common controls' windows are Unicode whichever entry point made them.
  ASSERT_TRUE(IsWindowUnicode(header));
  EXPECT_EQ(PropNames(header), (std::set<std::string>{"PROCADDR", "MOUSEFLAG", "HDINDEX", "HMINDEX", "UNICODE"}));
  EXPECT_EQ(Prop(header, skin::kPropHdIndex), -1);
  EXPECT_EQ(Prop(header, skin::kPropHmIndex), -1);
  EXPECT_EQ(PropNames(edit), (std::set<std::string>{"PROCADDR"}));
  EXPECT_EQ(PropNames(button).size(), 14u);  // PROCADDR, five states, eight surface handles

  EXPECT_EQ(skin::EndSkin(form), 1);
  EXPECT_EQ(skin::DetachSkin(form), 0);
  EXPECT_EQ(SkinnedCount(), 0);
  EXPECT_FALSE(skin::Engine().initialised);
  EXPECT_FALSE(skin::Engine().images.Button);
  EXPECT_FALSE(skin::Engine().images.Header);
  EXPECT_EQ(skin::CurrentSkinImages().Button.dc(), nullptr);
  EXPECT_EQ(WindowProcOf(form), formProc);
  for (size_t i = 0; i < tree.size(); ++i) {
    EXPECT_EQ(WindowProcOf(tree[i]), ownProcs[i]);
    EXPECT_TRUE(PropNames(tree[i]).empty());
  }
  EXPECT_FALSE(RegionOf(button).present);

  // The next start builds the images again.
  EXPECT_EQ(skin::BeginSkin(form), 1);
  EXPECT_TRUE(skin::Engine().initialised);
  EXPECT_TRUE(skin::Engine().images.Button);
  EXPECT_EQ(skin::CurrentSkinImages().Button.dc(), skin::Engine().images.Button.dc());
  EXPECT_EQ(SkinnedCount(), 7);
  form.reset();  // every window detaches itself on WM_DESTROY
  EXPECT_EQ(SkinnedCount(), 0);
  EXPECT_FALSE(skin::Engine().initialised);
}

// The public registration: six classes of this module, not global, kept as they are by further calls; a
// window of each is the platform's control underneath, attached as its kind (Unicode, as its class is).
TEST_F(AttachTest, SkinClassesAreThePlatformControlsUnderTheNamesOfTheirKinds) {
  using K = skin::ControlKind;
  const std::pair<const wchar_t*, K> classes[] = {
      {L"ThunderCheckBox", K::CheckBox}, {L"ThunderRT6CheckBox", K::CheckBox},
      {L"ThunderOptionButton", K::OptionButton}, {L"ThunderRT6OptionButton", K::OptionButton},
      {L"ProgressBar20WndClass", K::ProgressBar}, {L"ProgressBarWndClass", K::ProgressBar}};
  const HINSTANCE module = GetModuleHandleW(nullptr);
  const std::set<std::string> plain{"PROCADDR", "UNICODE"}, stateful{"PROCADDR", "MOUSEFLAG", "OLDSTATE", "UNICODE"};
  ASSERT_EQ(skin::RegisterSkinClasses(), 1);
  for (const auto& [name, kind] : classes) {
    SCOPED_TRACE(testing::Message() << name);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    const ATOM atom = static_cast<ATOM>(GetClassInfoExW(module, name, &wc));
    EXPECT_TRUE(atom && !(wc.style & CS_GLOBALCLASS));
    EXPECT_EQ(skin::RegisterSkinClasses(), 1);
    EXPECT_EQ(static_cast<ATOM>(GetClassInfoExW(module, name, &wc)), atom);
    const bool progress = kind == K::ProgressBar;
    const DWORD style = progress ? 0 : kind == K::CheckBox ? BS_AUTOCHECKBOX : BS_AUTORADIOBUTTON;
    test::Window form(CreateForm());
    HWND hwnd = CreateWindowExW(0, name, L"x", WS_CHILD | WS_VISIBLE | style, 10, 10, 150, 20, form, nullptr,
                                module, nullptr);
    ASSERT_EQ(skin::BeginSkin(form), 1);
    EXPECT_EQ(skin::KindOfWindow(hwnd), kind);
    EXPECT_EQ(WindowProcOf(hwnd), reinterpret_cast<LONG_PTR>(&skin::SkinWindowProc));
    SendMessageW(hwnd, progress ? PBM_SETPOS : BM_SETCHECK, 1, 0);  // the platform's control keeps its value
    EXPECT_EQ(SendMessageW(hwnd, progress ? PBM_GETPOS : BM_GETCHECK, 0, 0), 1);
    EXPECT_EQ(PropNames(hwnd), progress ? plain : stateful);
    EXPECT_EQ(skin::EndSkin(form), 1);
  }
}

TEST_F(AttachTest, ButtonsGetSurfacesStatesAndRoundedRegionWhateverTheirType) {
  test::Window form(CreateForm());
  HWND disabled = CreateChild(form, "Button", BS_PUSHBUTTON | WS_DISABLED, 10, 10, 90, 26, "off");
  HWND autoCheck = CreateChild(form, "Button", BS_AUTOCHECKBOX, 10, 50, 120, 20, "check");
  HWND autoRadio = CreateChild(form, "Button", BS_AUTORADIOBUTTON, 10, 80, 120, 20, "radio");
  HWND defPush = CreateChild(form, "ThunderRT6CommandButton", BS_DEFPUSHBUTTON, 150, 10, 80, 30, "def");
  const LONG_PTR checkStyle = GetWindowLongPtrA(autoCheck, GWL_STYLE);
  const LONG_PTR radioStyle = GetWindowLongPtrA(autoRadio, GWL_STYLE);
  ASSERT_EQ(skin::BeginSkin(form), 1);

  EXPECT_EQ(Prop(disabled, skin::kPropOldState), skin::kStateDisabled);
  EXPECT_EQ(Prop(autoCheck, skin::kPropOldState), skin::kStateNormal);
  EXPECT_EQ(GetWindowLongPtrA(autoCheck, GWL_STYLE) & 0xF, BS_AUTOCHECKBOX);
  EXPECT_EQ(Prop(autoCheck, skin::kPropOldStyle), checkStyle);
  EXPECT_EQ(GetWindowLongPtrA(autoRadio, GWL_STYLE) & 0xF, BS_OWNERDRAW);
  EXPECT_EQ(Prop(autoRadio, skin::kPropOldStyle), radioStyle);
  EXPECT_EQ(GetWindowLongPtrA(defPush, GWL_STYLE) & 0xF, BS_OWNERDRAW);

  for (HWND b : {disabled, autoCheck, autoRadio, defPush}) {
    RECT r{};
    GetWindowRect(b, &r);
    for (int i = 0; i < skin::kSurfaceCount; ++i) {
      ASSERT_NE(skin::GetSurfaceDc(b, i), nullptr);
      const SIZE size = BitmapSize(skin::GetSurfaceBitmap(b, i));
      EXPECT_EQ(size.cx, r.right - r.left);
      EXPECT_EQ(size.cy, r.bottom - r.top);
      EXPECT_EQ(GetCurrentObject(skin::GetSurfaceDc(b, i), OBJ_BITMAP), skin::GetSurfaceBitmap(b, i));
    }
    for (const char* name : {"MOUSEFLAG", "TIMERID", "ALPHALEVEL"}) {
      EXPECT_TRUE(PropNames(b).count(name)) << name;
      EXPECT_EQ(Prop(b, name), 0) << name;
    }
    const WindowRegion region = RegionOf(b);
    EXPECT_TRUE(region.present);
    EXPECT_FALSE(region.cornerIn);
    EXPECT_TRUE(region.centreIn);
    EXPECT_EQ(region.box.right, r.right - r.left);
    EXPECT_EQ(region.box.bottom, r.bottom - r.top);
  }

  ASSERT_EQ(skin::EndSkin(form), 1);
  EXPECT_EQ(GetWindowLongPtrA(autoCheck, GWL_STYLE), checkStyle);
  EXPECT_EQ(GetWindowLongPtrA(autoRadio, GWL_STYLE), radioStyle);
  EXPECT_EQ(GetWindowLongPtrA(defPush, GWL_STYLE) & 0xF, BS_DEFPUSHBUTTON);
}

TEST_F(AttachTest, DetachKeepsStyleChangesMadeWhileSkinned) {
  test::Window form(CreateForm());
  HWND button = CreateChild(form, "Button", BS_PUSHBUTTON | WS_TABSTOP, 10, 10, 90, 26, "OK");
  ASSERT_EQ(skin::BeginSkin(form), 1);
  ASSERT_EQ(GetWindowLongPtrA(button, GWL_STYLE) & 0xF, BS_OWNERDRAW);

  EnableWindow(button, FALSE);
  ShowWindow(button, SW_HIDE);
  SetWindowLongPtrA(button, GWL_STYLE, GetWindowLongPtrA(button, GWL_STYLE) & ~WS_TABSTOP);
  ASSERT_EQ(skin::EndSkin(form), 1);

  const LONG_PTR style = GetWindowLongPtrA(button, GWL_STYLE);
  EXPECT_EQ(style & 0xF, BS_PUSHBUTTON);
  EXPECT_TRUE(style & WS_DISABLED);
  EXPECT_FALSE(style & WS_VISIBLE);
  EXPECT_FALSE(style & WS_TABSTOP);
  EXPECT_FALSE(IsWindowEnabled(button));
}

TEST_F(AttachTest, ResizeKeepsSurfacesAndReplacesBitmapsAndRegion) {
  test::Window form(CreateForm());
  HWND button = CreateChild(form, "Button", BS_PUSHBUTTON, 10, 10, 90, 26, "OK");
  ASSERT_EQ(skin::BeginSkin(form), 1);
  HDC dcs[skin::kSurfaceCount];
  HBITMAP bitmaps[skin::kSurfaceCount];
  for (int i = 0; i < skin::kSurfaceCount; ++i) {
    dcs[i] = skin::GetSurfaceDc(button, i);
    bitmaps[i] = skin::GetSurfaceBitmap(button, i);
  }

  SetWindowPos(button, nullptr, 0, 0, 130, 40, SWP_NOMOVE | SWP_NOZORDER);
  for (int i = 0; i < skin::kSurfaceCount; ++i) {
    EXPECT_EQ(skin::GetSurfaceDc(button, i), dcs[i]);
    HBITMAP now = skin::GetSurfaceBitmap(button, i);
    EXPECT_NE(now, bitmaps[i]);
    EXPECT_EQ(GetCurrentObject(dcs[i], OBJ_BITMAP), now);
    EXPECT_EQ(BitmapSize(now).cx, 130);
    EXPECT_EQ(BitmapSize(now).cy, 40);
  }
  const WindowRegion region = RegionOf(button);
  EXPECT_EQ(region.box.right, 130);
  EXPECT_EQ(region.box.bottom, 40);
  EXPECT_FALSE(region.cornerIn);
  skin::EndSkin(form);
}

// Wine sends no WM_DPICHANGED and answers the system DPI: the test makes the
// skin see another DPI through its seam and sends the message itself. The
// form's own procedure ignores it, so the button keeps its pixel size.
TEST_F(AttachTest, DpiChangeRendersButtonsAgainForTheNewDpiAndLeaksNothing) {
  test::Window form(CreateTopLevelForm(true));
  HWND button = CreateChild(form, "Button", BS_PUSHBUTTON, 10, 10, 90, 26, "OK");
  ASSERT_EQ(skin::BeginSkin(form), 1);
  auto look = [button] {  // surface 0 inside the region; CLR_INVALID outside
    std::vector<COLORREF> pixels;
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    GetWindowRgn(button, rgn);
    for (int i = 0; i < 90 * 26; ++i)
      pixels.push_back(PtInRegion(rgn, i % 90, i / 90) ? GetPixel(skin::GetSurfaceDc(button, 0), i % 90, i / 90)
                                                        : CLR_INVALID);
    DeleteObject(rgn);
    return pixels;
  };
  auto moveTo = [&form](int dpi) {
    skin::SetWindowDpiForTesting(dpi);
    RECT suggested{};
    GetWindowRect(form, &suggested);
    SendMessageA(form, skin::kWmDpiChanged, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
  };
  const std::vector<COLORREF> at96 = look();
  moveTo(144);
  const std::vector<COLORREF> at144 = look();
  EXPECT_EQ(at144[90 * 13 + 1], at144[90 * 13]) << "the face's frame grows with the DPI";
  moveTo(192);
  const std::vector<COLORREF> at192 = look();
  EXPECT_GT(std::count(at192.begin(), at192.end(), CLR_INVALID),
            std::count(at96.begin(), at96.end(), CLR_INVALID)) << "so do the rounded corners";
  moveTo(96);
  const int freeBefore = test::FreeGdiSlots();
  for (int i = 0; i < 50; ++i) {
    moveTo(144);
    moveTo(96);
  }
  EXPECT_GE(test::FreeGdiSlots(), freeBefore - 5);
  EXPECT_EQ(look(), at96);
  skin::SetWindowDpiForTesting(0);
  skin::EndSkin(form);
}

// A command button that destroys itself when the skin switches it to
// owner-draw, so that the skin's procedure can no longer be installed.
WNDPROC g_buttonProc = nullptr;
LRESULT CALLBACK VanishingButtonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == BM_SETSTYLE) {
    DestroyWindow(hwnd);
    return 0;
  }
  return CallWindowProcA(g_buttonProc, hwnd, msg, wParam, lParam);
}

TEST_F(AttachTest, ARefusedProcedureLeavesTheWindowUncountedAndNothingBehind) {
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof(wc);
  ASSERT_TRUE(GetClassInfoExA(nullptr, "Button", &wc));
  g_buttonProc = wc.lpfnWndProc;
  wc.lpfnWndProc = VanishingButtonProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "ThunderCommandButton";
  wc.style &= ~CS_GLOBALCLASS;
  RegisterClassExA(&wc);
  test::Window form(CreateForm());
  HWND kept = CreateChild(form, "Button", BS_PUSHBUTTON, 10, 50, 90, 26, "kept");
  HWND vanishing = CreateChild(form, "ThunderCommandButton", BS_PUSHBUTTON, 10, 10, 90, 26, "gone");
  ASSERT_EQ(skin::BeginSkin(kept), 1);  // the images exist before the count of slots
  const int slots = test::FreeGdiSlots();

  EXPECT_EQ(skin::AttachSkin(vanishing), 0);
  EXPECT_FALSE(IsWindow(vanishing));
  EXPECT_EQ(SkinnedCount(), 1);
  EXPECT_EQ(test::FreeGdiSlots(), slots) << "surfaces or region left behind";
  EXPECT_EQ(skin::EndSkin(kept), 1);
}

// A subclass installed over the skin's procedure after attach, as another
// library might, and taken out again later.
WNDPROC g_belowSubclass = nullptr;
int g_subclassSaw = 0;
LRESULT CALLBACK LaterSubclass(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  ++g_subclassSaw;
  return CallWindowProcA(g_belowSubclass, hwnd, msg, wParam, lParam);
}

TEST_F(AttachTest, DetachLeavesALaterSubclassInPlaceAndTheWindowWorking) {
  test::Window form(CreateForm());
  HWND edit = CreateChild(form, "Edit", 0, 10, 10, 100, 22);
  Recorder::Install(edit);  // stands for the window's own procedure
  const LONG_PTR own = WindowProcOf(edit);
  // Each procedure sees a text change exactly once.
  auto passesOnce = [edit] {
    Seen().clear();
    g_subclassSaw = 0;
    SetWindowTextA(edit, "text");
    return CountSeen(edit, WM_SETTEXT) == 1 && g_subclassSaw == 1;
  };

  ASSERT_EQ(skin::BeginSkin(edit), 1);
  g_belowSubclass =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LaterSubclass)));
  EXPECT_EQ(skin::EndSkin(edit), 1);
  EXPECT_EQ(SkinnedCount(), 0);
  EXPECT_EQ(WindowProcOf(edit), reinterpret_cast<LONG_PTR>(&LaterSubclass));
  EXPECT_TRUE(passesOnce());

  // Attached again over the subclass, and detached: no message goes round twice.
  EXPECT_EQ(skin::BeginSkin(edit), 1);
  EXPECT_TRUE(IsSkinned(edit));
  EXPECT_TRUE(passesOnce());
  EXPECT_EQ(skin::EndSkin(edit), 1);

  // The subclass unhooks itself: the window is its own procedure again.
  SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_belowSubclass));
  Seen().clear();
  SetWindowTextA(edit, "again");
  EXPECT_EQ(CountSeen(edit, WM_SETTEXT), 1);
  EXPECT_EQ(WindowProcOf(edit), own);
  EXPECT_TRUE(PropNames(edit).empty());
  EXPECT_EQ(SkinnedCount(), 0);
}

struct OtherThreadForm {
  HWND form = nullptr;
  HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
};

DWORD WINAPI RunOtherThreadForm(void* p) {
  auto* s = static_cast<OtherThreadForm*>(p);
  s->form = CreateTopLevelForm(false, nullptr, "other thread");
  CreateChild(s->form, "Button", BS_PUSHBUTTON, 5, 5, 60, 20, "b");
  SetEvent(s->ready);
  while (MsgWaitForMultipleObjects(1, &s->done, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0)
    test::PumpMessages();
  DestroyWindow(s->form);
  return 0;
}

TEST_F(AttachTest, WindowsOfOtherThreadsAreRefused) {
  OtherThreadForm shared;
  HANDLE thread = CreateThread(nullptr, 0, RunOtherThreadForm, &shared, 0, nullptr);
  ASSERT_EQ(WaitForSingleObject(shared.ready, 5000), WAIT_OBJECT_0);

  EXPECT_EQ(skin::AttachSkin(shared.form), 0);
  EXPECT_EQ(SkinnedCount(), 0);
  EXPECT_FALSE(IsSkinned(shared.form));

  // Activation names the other thread's window: it is left alone.
  test::Window form(CreateForm());
  ASSERT_EQ(skin::BeginSkin(form), 1);
  SendMessageA(form, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(shared.form));
  EXPECT_FALSE(IsSkinned(shared.form));
  EXPECT_EQ(SkinnedCount(), 1);
  skin::EndSkin(form);

  SetEvent(shared.done);
  WaitForSingleObject(thread, 5000);
  CloseHandle(thread);
  CloseHandle(shared.ready);
  CloseHandle(shared.done);
}

TEST_F(AttachTest, WindowsOfOtherProcessesAreRefused) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  const std::string title = "foreign form " + std::to_string(GetCurrentProcessId());
  std::string command = std::string("\"") + path + "\" " + kForeignSwitch + title;
  STARTUPINFOA si{};
  si.cb = sizeof(si);
  PROCESS_INFORMATION pi{};
  ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
  HWND foreign = nullptr;
  EXPECT_TRUE(test::PumpUntil([&] { return (foreign = FindWindowA(kFormClass, title.c_str())) != nullptr; }, 15000));

  if (foreign) {
    EXPECT_EQ(skin::AttachSkin(foreign), 0);
    EXPECT_FALSE(IsSkinned(foreign));
    test::Window form(CreateForm());
    ASSERT_EQ(skin::BeginSkin(form), 1);
    SendMessageA(form, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(foreign));
    EXPECT_FALSE(IsSkinned(foreign));
    EXPECT_EQ(SkinnedCount(), 1);
    skin::EndSkin(form);
    PostMessageA(foreign, WM_CLOSE, 0, 0);
  }
  if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
}

TEST_F(AttachTest, ActivationAttachesOwnedWindowsAndForms) {
  test::Window form(CreateTopLevelForm(false));
  ASSERT_EQ(skin::BeginSkin(form), 1);
  test::Window owned(CreateWindowExA(0, "Static", "owned", WS_POPUP, 0, 0, 50, 50, form, nullptr, nullptr, nullptr));
  test::Window otherForm(CreateTopLevelForm(false, nullptr, "other form"));
  test::Window stranger(CreateWindowExA(0, "Static", "x", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr));

  for (HWND w : {owned.get(), otherForm.get(), stranger.get()})
    SendMessageA(form, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(w));
  EXPECT_TRUE(IsSkinned(owned));
  EXPECT_TRUE(IsSkinned(otherForm));
  EXPECT_FALSE(IsSkinned(stranger));
  EXPECT_EQ(SkinnedCount(), 3);
  owned.reset();
  otherForm.reset();
  form.reset();
}

namespace {

// What the test saw while its message box was up (a thread timer runs inside
// the box's own message loop).
struct BoxWatch {
  int ticks = 0;
  HWND box = nullptr;
  bool boxSkinned = false;
  bool buttonSkinned = false;
  int countWhileUp = -1;
};
BoxWatch boxWatch;

BOOL CALLBACK FindSkinnedButton(HWND hwnd, LPARAM found) {
  if (skin::GetWindowClass(hwnd) == "Button" && IsSkinned(hwnd) && skin::GetSurfaceDc(hwnd, 0))
    *reinterpret_cast<bool*>(found) = true;
  return TRUE;
}

void CALLBACK WatchBox(HWND, UINT, UINT_PTR, DWORD) {
  ++boxWatch.ticks;
  HWND box = test::FindThreadWindow("#32770");
  if (!box) return;
  if (IsSkinned(box) || boxWatch.ticks > 100) {
    boxWatch.box = box;
    boxWatch.boxSkinned = IsSkinned(box);
    EnumChildWindows(box, FindSkinnedButton, reinterpret_cast<LPARAM>(&boxWatch.buttonSkinned));
    boxWatch.countWhileUp = SkinnedCount();
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  }
}

// Shows a message box owned by the window and reports what WatchBox saw.
// The box is attached when it takes the activation from its owner, so the
// owner is made active first.
BoxWatch ShowWatchedBox(HWND owner) {
  SetForegroundWindow(owner);
  SetActiveWindow(owner);
  test::PumpUntil([&] { return GetActiveWindow() == owner; }, 2000);
  boxWatch = BoxWatch{};
  const UINT_PTR timer = SetTimer(nullptr, 0, 30, WatchBox);
  MessageBoxW(owner, L"\u5df2\u521b\u5efa", L"skin", MB_OK | MB_ICONINFORMATION);
  KillTimer(nullptr, timer);
  return boxWatch;
}

}  // namespace

TEST_F(AttachTest, MessageBoxIsSkinnedWhileUpAndDetachedWhenItCloses) {
  test::Window form(CreateTopLevelForm(true));
  CreateChild(form, "Button", BS_PUSHBUTTON, 10, 10, 90, 26, "OK");
  ASSERT_EQ(skin::BeginSkin(form), 1);
  const int before = SkinnedCount();

  const BoxWatch seen = ShowWatchedBox(form);
  ASSERT_NE(seen.box, nullptr);
  EXPECT_TRUE(seen.boxSkinned);
  EXPECT_TRUE(seen.buttonSkinned);
  EXPECT_GT(seen.countWhileUp, before + 1);  // the box and at least its button
  EXPECT_FALSE(IsWindow(seen.box));
  EXPECT_EQ(SkinnedCount(), before);
  EXPECT_TRUE(skin::Engine().initialised);

  skin::EndSkin(form);
}

// Holds all but a few of the process's free GDI handle slots, so that a leak
// of one object per cycle runs the table dry within the cycles below.
class GdiReservation {
 public:
  explicit GdiReservation(int leaveFree) {
    const int take = test::FreeGdiSlots() - leaveFree;
    for (int i = 0; i < take; ++i) held_.push_back(CreateBitmap(1, 1, 1, 1, nullptr));
  }
  ~GdiReservation() {
    for (HBITMAP b : held_) DeleteObject(b);
  }

 private:
  std::vector<HBITMAP> held_;
};

TEST_F(AttachTest, AttachDetachCyclesLeakNoGdiObjects) {
  // A form with a button, detached by EndSkin or by its own destruction.
  auto cycle = [](bool endSkin, test::Canvas* capture) {
    test::Window form(CreateForm(200, 80));
    HWND button = CreateChild(form, "Button", BS_PUSHBUTTON, 10, 10, 90, 26, "&OK");
    skin::BeginSkin(form);
    if (capture) {
      RedrawWindow(button, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
      test::CaptureWindow(button, *capture);
    }
    if (endSkin) skin::EndSkin(form);
  };
  test::Window owner(CreateTopLevelForm(true));
  skin::BeginSkin(owner);  // keeps the images alive through the bulk of the cycles
  test::Canvas first(90, 26), last(90, 26);
  cycle(true, &first);
  EXPECT_TRUE(ShowWatchedBox(owner).boxSkinned);  // the platform's own caches settle here

  constexpr int kHeadroom = 1500;
  constexpr int kCycles = kHeadroom + 100;
  const int freeBefore = test::FreeGdiSlots();
  {
    GdiReservation reservation(kHeadroom);
    ASSERT_LE(test::FreeGdiSlots(), kHeadroom + 10);
    for (int i = 0; i < kCycles; ++i) cycle(i % 2 == 0, nullptr);
    for (int i = 0; i < 2; ++i) EXPECT_TRUE(ShowWatchedBox(owner).boxSkinned);
    // The count reaches 0 in each of these: the images go and come back.
    skin::EndSkin(owner);
    for (int i = 0; i < 50; ++i) cycle(i % 2 == 0, nullptr);
    EXPECT_EQ(SkinnedCount(), 0);
    EXPECT_GE(test::FreeGdiSlots(), kHeadroom - 10);
    cycle(true, &last);
  }
  EXPECT_GE(test::FreeGdiSlots(), freeBefore - 10);
  for (int y = 0; y < 26; ++y)
    for (int x = 0; x < 90; ++x) ASSERT_EQ(last.Pixel(x, y), first.Pixel(x, y)) << x << "," << y;
  EXPECT_NE(first.Pixel(45, 1), first.Pixel(0, 0)) << "the button shows a face inside its rounded corner";
}

// Wine always reports high contrast off: the test gives the answer, and sends
// what the system would broadcast (SkinTest asks the system again at the end).
TEST_F(AttachTest, HighContrastLetsGoOfEveryWindowAndGivesBeginSkinsWindowsBack) {
  test::Window form(CreateTopLevelForm(true));
  HWND button = CreateChild(form, "Button", BS_PUSHBUTTON, 10, 10, 90, 26, "OK");
  HWND check = CreateChild(form, "ThunderRT6CheckBox", BS_AUTOCHECKBOX, 10, 50, 120, 20, "check");
  test::Window loose(CreateChild(Stage(), "Button", BS_PUSHBUTTON, 10, 300, 90, 26, "loose"));
  const LONG_PTR buttonProc = WindowProcOf(button);
  ASSERT_EQ(skin::BeginSkin(form), 1);
  ASSERT_EQ(skin::AttachSkin(loose), 1);

  // On before any window heard of it: nothing more is attached on the way.
  skin::SetHighContrastAnswer(true);
  test::Window list(CreateChild(form, "ListBox", 0, 150, 10, 80, 60));
  SendMessageW(form, WM_CTLCOLORLISTBOX, 0, reinterpret_cast<LPARAM>(list.get()));
  EXPECT_FALSE(IsSkinned(list));
  // The change reaches the skinned form's own procedure while a fade runs.
  SendMessageW(button, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  ASSERT_NE(Prop(button, skin::kPropTimerId), 0);
  SendMessageW(form, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
  EXPECT_EQ(SkinnedCount(), 0);
  for (HWND w : {form.get(), button, check, loose.get()}) EXPECT_TRUE(PropNames(w).empty());
  EXPECT_EQ(WindowProcOf(button), buttonProc);
  EXPECT_EQ(GetWindowLongPtrA(button, GWL_STYLE) & 0xF, BS_PUSHBUTTON);
  EXPECT_FALSE(RegionOf(button).present);
  EXPECT_FALSE(KillTimer(button, skin::kFadeTimerId)) << "the fade timer still runs";
  test::Window late(CreateTopLevelForm(false));  // started while it is on: skinned later
  HWND lateButton = CreateChild(late, "Button", BS_PUSHBUTTON, 10, 10, 90, 26, "late");
  EXPECT_EQ(skin::BeginSkin(late), 0);

  // Off again: nothing is skinned, the engine's own window hears it.
  skin::SetHighContrastAnswer(false);
  test::SendToThreadWindows(WM_SYSCOLORCHANGE);
  for (HWND w : {form.get(), button, check, late.get(), lateButton}) EXPECT_TRUE(IsSkinned(w));
  EXPECT_FALSE(IsSkinned(loose)) << "only BeginSkin's windows come back";
  EXPECT_TRUE(RegionOf(button).present);

  // Round trips by either message, to the form or to all, leave nothing behind.
  auto roundTrip = [&](int i) {
    const UINT msg = i % 2 ? WM_SYSCOLORCHANGE : WM_SETTINGCHANGE;
    skin::SetHighContrastAnswer(true);
    if (i % 3) test::SendToThreadWindows(msg, SPI_SETHIGHCONTRAST);
    else SendMessageW(form, msg, SPI_SETHIGHCONTRAST, 0);
    skin::SetHighContrastAnswer(false);
    test::SendToThreadWindows(msg, SPI_SETHIGHCONTRAST);
  };
  roundTrip(0);
  const int slots = test::FreeGdiSlots();
  for (int i = 0; i < 100; ++i) roundTrip(i);
  EXPECT_EQ(test::FreeGdiSlots(), slots);
  EXPECT_EQ(SkinnedCount(), 6);

  // EndSkin and destruction take windows off the list; listening stops with the last.
  skin::EndSkin(form);
  late.reset();
  roundTrip(1);
  EXPECT_FALSE(IsSkinned(form));
  EXPECT_TRUE(skin::Engine().roots.empty());
  EXPECT_EQ(skin::Engine().schemeWatch, nullptr);
}
