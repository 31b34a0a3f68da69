#include "tests/stress/skinned_tree.h"

#include <commctrl.h>

#include <cstring>

#include "tests/support/win32_test.h"

namespace stress {
namespace {

LRESULT CALLBACK FormProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

struct ControlSpec {
  const char* className;
  DWORD style;
  DWORD exStyle;
  const char* text;
};

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_TABSTOP;

const ControlSpec kControls[] = {
    {"Button", kChild | BS_PUSHBUTTON, 0, "Push"},
    {"Button", kChild | BS_DEFPUSHBUTTON, 0, "Default"},
    {"Button", kChild | BS_AUTOCHECKBOX, 0, "Check"},
    {"Button", kChild | BS_AUTORADIOBUTTON, 0, "Radio"},
    {"Button", kChild | BS_GROUPBOX, 0, "Group"},
    {"ThunderRT6CommandButton", kChild | BS_PUSHBUTTON, 0, "Command"},
    {"ThunderRT6CheckBox", kChild | BS_AUTOCHECKBOX, 0, "VB check"},
    {"ThunderRT6OptionButton", kChild | BS_AUTORADIOBUTTON, 0, "VB option"},
    {"Edit", kChild | ES_MULTILINE | WS_VSCROLL, WS_EX_CLIENTEDGE, "text"},
    {"ComboBox", kChild | CBS_DROPDOWN, 0, ""},
    {"ComboBox", kChild | CBS_DROPDOWNLIST, 0, ""},
    {"ComboBox", kChild | CBS_SIMPLE, 0, ""},
    {"ThunderRT6DriveListBox", kChild | CBS_DROPDOWNLIST, 0, ""},
    {"ListBox", kChild | WS_BORDER, WS_EX_CLIENTEDGE, ""},
    {"DataListWndClass", kChild | WS_BORDER, 0, ""},
    {"msctls_progress32", kChild, 0, ""},
    {"ProgressBar20WndClass", kChild | PBS_VERTICAL | PBS_SMOOTH, 0, ""},
    {WC_HEADERA, kChild | HDS_BUTTONS, 0, ""},
    {"ApexGridOleDB32", kChild | WS_BORDER, 0, "grid"},
    {"Static", kChild, 0, "label"},
};

BOOL CALLBACK CollectPropertyName(HWND, LPSTR name, HANDLE, ULONG_PTR names) {
  if (HIWORD(reinterpret_cast<ULONG_PTR>(name)) != 0)  // atoms have no text to compare
    reinterpret_cast<std::vector<std::string>*>(names)->push_back(name);
  return TRUE;
}

}  // namespace

void RegisterKindClasses() {
  const INITCOMMONCONTROLSEX icc{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof(wc);
  if (!GetClassInfoExA(GetModuleHandleA(nullptr), "Form", &wc)) {
    wc.lpfnWndProc = FormProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "Form";
    RegisterClassExA(&wc);
  }
  test::RegisterSuperclass("ThunderRT6CommandButton", "Button");
  test::RegisterSuperclass("ThunderRT6CheckBox", "Button");
  test::RegisterSuperclass("ThunderRT6OptionButton", "Button");
  test::RegisterSuperclass("ThunderRT6DriveListBox", "ComboBox");
  test::RegisterSuperclass("DataListWndClass", "ListBox");
  test::RegisterSuperclass("ProgressBar20WndClass", "msctls_progress32");
  test::RegisterSuperclass("ApexGridOleDB32", "Static");
}

HWND CreateSkinnableTree(std::vector<HWND>& controls) {
  RegisterKindClasses();
  HWND form = CreateWindowExA(0, "Form", "stress", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 50, 50, 640, 480,
                              nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  int x = 8, y = 8;
  for (const ControlSpec& control : kControls) {
    const bool tall = std::strcmp(control.className, "ComboBox") == 0 ||
                      std::strcmp(control.className, "ThunderRT6DriveListBox") == 0;
    HWND child = CreateWindowExA(control.exStyle, control.className, control.text, control.style, x, y, 140, tall ? 120 : 28,
                                 form, nullptr, GetModuleHandleA(nullptr), nullptr);
    controls.push_back(child);
    y += 36;
    if (y > 400) {
      y = 8;
      x += 150;
    }
  }
  for (HWND c : controls) {
    char name[64] = {};
    GetClassNameA(c, name, sizeof(name));
    if (lstrcmpiA(name, WC_HEADERA) == 0) {
      for (int i = 0; i < 3; ++i) {
        char text[] = "column";
        HDITEMA item{};
        item.mask = HDI_TEXT | HDI_WIDTH;
        item.cxy = 40;
        item.pszText = text;
        SendMessageA(c, HDM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
      }
    } else if (lstrcmpiA(name, "ComboBox") == 0 || lstrcmpiA(name, "ListBox") == 0) {
      const UINT add = lstrcmpiA(name, "ComboBox") == 0 ? CB_ADDSTRING : LB_ADDSTRING;
      SendMessageA(c, add, 0, reinterpret_cast<LPARAM>("first"));
      SendMessageA(c, add, 0, reinterpret_cast<LPARAM>("second"));
    } else if (std::strstr(name, "rogress")) {
      SendMessageA(c, PBM_SETRANGE32, 0, 30000);
      SendMessageA(c, PBM_SETPOS, 12000, 0);
    }
  }
  ShowWindow(form, SW_SHOWNORMAL);
  UpdateWindow(form);
  return form;
}

std::vector<std::string> SkinPropertiesLeft(HWND hwnd) {
  // Every property of the window, zero-valued ones included (GetPropA could
  // not tell those from missing ones).
  std::vector<std::string> names;
  EnumPropsExA(hwnd, CollectPropertyName, reinterpret_cast<LPARAM>(&names));
  static const char* const kSkinNames[] = {"PROCADDR", "OLDSTYLE", "MOUSEFLAG", "TIMERID", "OLDSTATE",
                                           "ALPHALEVEL", "HDINDEX", "HMINDEX", "HDC0", "HDC1",
                                           "HDC2", "HDC3", "BMP0", "BMP1", "BMP2", "BMP3"};
  std::vector<std::string> left;
  for (const std::string& n : names)
    for (const char* skinName : kSkinNames)
      if (lstrcmpiA(n.c_str(), skinName) == 0) left.push_back(n);
  return left;
}

bool Answers(HWND hwnd) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(hwnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &result) != 0;
}

}  // namespace stress
