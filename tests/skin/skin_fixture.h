// Windows and helpers shared by the engine's tests: a form-kind top-level
// window, children of any class, and a recorder that can stand in as a
// window's previous procedure.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <set>
#include <string>
#include <vector>

#include "skin/attach.h"
#include "skin/draw/high_contrast.h"
#include "skin/draw/properties.h"
#include "skin/skin.h"
#include "skin/state.h"
#include "skin/window_kind.h"
#include "skin/window_proc.h"
#include "tests/support/win32_test.h"

namespace skintest {

inline constexpr char kFormClass[] = "Form";

// Messages seen by FormProc windows (and by Recorder procedures).
struct SeenMessage {
  HWND hwnd;
  UINT msg;
  WPARAM wParam;
  LPARAM lParam;
};
inline std::vector<SeenMessage>& Seen() {
  static std::vector<SeenMessage> seen;
  return seen;
}
inline int CountSeen(HWND hwnd, UINT msg) {
  int n = 0;
  for (const SeenMessage& m : Seen())
    if (m.hwnd == hwnd && m.msg == msg) ++n;
  return n;
}

inline LRESULT CALLBACK FormProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_DRAWITEM) Seen().push_back({hwnd, msg, wParam, lParam});
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

inline void RegisterFormClass() {
  static bool done = false;
  if (done) return;
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = FormProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kFormClass;
  RegisterClassExA(&wc);
  done = true;
}

// The superclasses through which tests reach the kinds a plain dialog lacks.
inline void RegisterControlClasses() {
  static bool done = false;
  if (done) return;
  INITCOMMONCONTROLSEX icc{};
  icc.dwSize = sizeof(icc);
  icc.dwICC = ICC_PROGRESS_CLASS | ICC_LISTVIEW_CLASSES;
  InitCommonControlsEx(&icc);
  test::RegisterSuperclass("ThunderRT6CheckBox", "Button");
  test::RegisterSuperclass("ThunderRT6OptionButton", "Button");
  test::RegisterSuperclass("ThunderRT6CommandButton", "Button");
  test::RegisterSuperclass("ThunderRT6ComboBox", "ComboBox");
  test::RegisterSuperclass("ThunderRT6DriveListBox", "ComboBox");
  test::RegisterSuperclass("ProgressBar20WndClass", "msctls_progress32");
  test::RegisterSuperclass("DataListWndClass", "ListBox");
  test::RegisterSuperclass("DBListWndClass", "ListBox");
  test::RegisterSuperclass("MSVB_Lib_Header", "SysHeader32");
  test::RegisterSuperclass("ApexGridX", "Static");
  test::RegisterSuperclass("ApexGrid", "Static");
  test::RegisterSuperclass("XApexGrid", "Static");
  test::RegisterSuperclass("ThunderRT6CheckBoxX", "Button");
  test::RegisterSuperclass("THUNDERRT6FORMDC", "Static");
  done = true;
}

// One shown top-level window that lives as long as the test process: under
// Wine without a window manager, hiding or destroying a shown top-level window
// waits about two seconds, so most trees are built as children of this one.
inline HWND Stage() {
  static HWND stage = test::CreateHostWindow(640, 480, "skin stage");
  return stage;
}

// A shown form-kind window inside the stage.
inline HWND CreateForm(int width = 360, int height = 260) {
  RegisterFormClass();
  return CreateWindowExA(0, kFormClass, "form", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 5, 5, width, height,
                         Stage(), nullptr, GetModuleHandleA(nullptr), nullptr);
}

// A top-level form-kind window, shown only when asked (see Stage).
inline HWND CreateTopLevelForm(bool show, HWND owner = nullptr, const char* title = "skin form",
                               int width = 300, int height = 200) {
  RegisterFormClass();
  HWND hwnd = CreateWindowExA(0, kFormClass, title, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 60, 60, width, height,
                              owner, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (show) {
    ShowWindow(hwnd, SW_SHOWNORMAL);
    UpdateWindow(hwnd);
  }
  return hwnd;
}

inline HWND CreateChild(HWND parent, const char* className, DWORD style, int x, int y, int w, int h,
                        const char* text = "", DWORD exStyle = 0) {
  RegisterControlClasses();
  return CreateWindowExA(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

inline BOOL CALLBACK CollectPropName(HWND, LPSTR name, HANDLE, ULONG_PTR out) {
  if (!IS_INTRESOURCE(name)) reinterpret_cast<std::set<std::string>*>(out)->insert(name);
  return TRUE;
}

// The names of the skin's properties that a window holds (the platform may
// keep properties of its own, which are left out).
inline std::set<std::string> PropNames(HWND hwnd) {
  static const std::set<std::string> kSkinNames{"PROCADDR", "OLDSTYLE", "MOUSEFLAG", "TIMERID", "OLDSTATE",
                                                "ALPHALEVEL", "HDINDEX", "HMINDEX", "HDC0", "HDC1", "HDC2",
                                                "HDC3", "BMP0", "BMP1", "BMP2", "BMP3", "UNICODE", "PASSPROC"};
  std::set<std::string> all;
  EnumPropsExA(hwnd, CollectPropName, reinterpret_cast<LPARAM>(&all));
  std::set<std::string> names;
  for (const std::string& name : all)
    if (kSkinNames.count(name)) names.insert(name);
  return names;
}

inline bool IsSkinned(HWND hwnd) { return GetPropA(hwnd, skin::kPropProcAddr) != nullptr; }
inline int SkinnedCount() { return skin::Engine().skinnedCount; }
inline LONG_PTR Prop(HWND hwnd, const char* name) { return skin::ReadProp(hwnd, name); }
// Read in the window's own character set, as the skin installs its procedure.
inline LONG_PTR WindowProcOf(HWND hwnd) {
  return IsWindowUnicode(hwnd) ? GetWindowLongPtrW(hwnd, GWLP_WNDPROC) : GetWindowLongPtrA(hwnd, GWLP_WNDPROC);
}

// Installed as a window's procedure before the skin attaches, so that the skin
// takes it as the previous procedure: records every message, passes it to the
// window's real procedure, and for WM_PAINT/WM_NCPAINT optionally covers the
// whole window in magenta afterwards (to show what the skin draws after it)
// and answers with a marker result.
struct Recorder {
  static constexpr LRESULT kMarker = 0x5150;
  static constexpr COLORREF kCover = 0xFF00FF;
  static inline bool cover = false;
  static inline bool markPaintResults = true;

  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Seen().push_back({hwnd, msg, wParam, lParam});
    auto original = reinterpret_cast<WNDPROC>(GetPropA(hwnd, "TESTORIGINAL"));
    LRESULT result = CallWindowProcA(original, hwnd, msg, wParam, lParam);
    if (msg == WM_PAINT || msg == WM_NCPAINT) {
      if (cover) {
        RECT r{};
        GetWindowRect(hwnd, &r);
        HDC dc = GetWindowDC(hwnd);
        HBRUSH brush = CreateSolidBrush(kCover);
        RECT all{0, 0, r.right - r.left, r.bottom - r.top};
        FillRect(dc, &all, brush);
        DeleteObject(brush);
        ReleaseDC(hwnd, dc);
      }
      if (markPaintResults) result = kMarker;
    }
    return result;
  }

  static void Install(HWND hwnd) {
    SetPropA(hwnd, "TESTORIGINAL", reinterpret_cast<HANDLE>(
                                       SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc))));
  }
};

// Leaves the engine as each test found it: nothing skinned, nothing seen.
class SkinTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Seen().clear();
    Recorder::cover = false;
    Recorder::markPaintResults = true;
    RegisterControlClasses();
  }
  void TearDown() override {
    test::PumpMessages();
    skin::SetHighContrastAnswer(std::nullopt);
    EXPECT_EQ(SkinnedCount(), 0) << "a test left windows skinned";
  }
};

}  // namespace skintest
