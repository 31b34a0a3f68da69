// A window with every control kind the skin draws, skinned through the public
// header alone. The skin picks a control's look by its class name: "Button"
// push buttons, "ComboBox" combo boxes and "SysHeader32" headers are drawn as
// they are, while check boxes, option buttons and progress bars are drawn only
// under the class names that skin::RegisterSkinClasses registers (a "Button"
// check box keeps the platform's look). The main window's class is a
// form class, so that message boxes it shows are skinned too.
//
//   skin_demo.exe            the window; its first button shows a message box
//   skin_demo.exe /message   the same, with the message box shown at once
//   skin_demo.exe /smoke     shows the window and the message box, closes both,
//                            and exits with 0 when the skin attached and detached
#include <windows.h>
#include <commctrl.h>

#include <cwchar>

#include "skin/skin.h"

namespace {

constexpr wchar_t kFormClass[] = L"ThunderRT6FormDC";
constexpr wchar_t kCheckBoxClass[] = L"ThunderRT6CheckBox";
constexpr wchar_t kOptionClass[] = L"ThunderRT6OptionButton";
constexpr wchar_t kProgressClass[] = L"ProgressBar20WndClass";

// The skin draws a progress bar's fill against a full scale of 30000.
constexpr int kProgressScale = 30000;
constexpr int kShowMessageId = 100;
constexpr UINT kShowMessageOnStart = WM_APP + 1;
constexpr UINT_PTR kCloseMessageTimer = 1;
constexpr UINT kCloseMessageDelayMs = 1500;

bool g_smoke = false;
int g_dpi = 96;  // the display's, read at start
LONG g_attached = 0;
LONG g_detached = 0;

// The layout is given in 96-dpi pixels and laid out at the display's DPI, so
// that the captions keep the room their font, sized for that DPI, needs.
int Px(int pixels) { return MulDiv(pixels, g_dpi, 96); }

HWND Child(HWND parent, const wchar_t* cls, DWORD style, int x, int y, int w, int h, const wchar_t* text,
           int id = 0) {
  HWND hwnd = CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, Px(x), Px(y), Px(w),
                              Px(h), parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                              nullptr);
  SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return hwnd;
}

void CreateControls(HWND form) {
  Child(form, L"Button", BS_PUSHBUTTON, 16, 16, 160, 32, L"Show a message box", kShowMessageId);
  Child(form, L"Button", BS_PUSHBUTTON | WS_DISABLED, 192, 16, 160, 32, L"Disabled button");
  HWND check = Child(form, kCheckBoxClass, BS_AUTOCHECKBOX, 16, 64, 160, 22, L"Check box, checked");
  SendMessageW(check, BM_SETCHECK, BST_CHECKED, 0);
  Child(form, kCheckBoxClass, BS_AUTOCHECKBOX, 192, 64, 160, 22, L"Check box");
  HWND option = Child(form, kOptionClass, BS_AUTORADIOBUTTON | WS_GROUP, 16, 94, 160, 22, L"Option, chosen");
  SendMessageW(option, BM_SETCHECK, BST_CHECKED, 0);
  Child(form, kOptionClass, BS_AUTORADIOBUTTON, 192, 94, 160, 22, L"Option");
  HWND combo = Child(form, L"ComboBox", CBS_DROPDOWNLIST | WS_VSCROLL, 16, 128, 336, 200, L"");
  const wchar_t* items[] = {L"Combo box, first item", L"Second item", L"Third item"};
  for (const wchar_t* item : items)
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
  SendMessageW(combo, CB_SETCURSEL, 0, 0);
  HWND header = Child(form, WC_HEADERW, HDS_BUTTONS, 16, 166, 336, 24, L"");
  const wchar_t* columns[] = {L"Header", L"Column", L"Column"};
  for (int i = 0; i < 3; ++i) {
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_WIDTH;
    item.cxy = Px(112);
    item.pszText = const_cast<wchar_t*>(columns[i]);
    SendMessageW(header, HDM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
  }
  HWND progress = Child(form, kProgressClass, WS_BORDER, 16, 204, 336, 20, L"");
  SendMessageW(progress, PBM_SETRANGE32, 0, kProgressScale);
  SendMessageW(progress, PBM_SETPOS, kProgressScale * 6 / 10, 0);
}

// The message box belongs to this thread; ending it returns from MessageBoxW.
BOOL CALLBACK CloseMessageBoxProc(HWND hwnd, LPARAM) {
  wchar_t cls[16] = {};
  GetClassNameW(hwnd, cls, 16);
  if (std::wcscmp(cls, L"#32770") == 0) PostMessageW(hwnd, WM_COMMAND, IDOK, 0);
  return TRUE;
}

// The skin comes off before the window goes.
void CloseForm(HWND form) {
  g_detached = skin::EndSkin(form);
  DestroyWindow(form);
}

void ShowMessage(HWND form) {
  if (g_smoke) SetTimer(form, kCloseMessageTimer, kCloseMessageDelayMs, nullptr);
  MessageBoxW(form, L"A message box, skinned while it is shown.", L"skin demo", MB_OK | MB_ICONINFORMATION);
  if (g_smoke) CloseForm(form);
}

LRESULT CALLBACK FormProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_COMMAND:
      if (LOWORD(wParam) == kShowMessageId && HIWORD(wParam) == BN_CLICKED) ShowMessage(hwnd);
      return 0;
    case kShowMessageOnStart:
      ShowMessage(hwnd);
      return 0;
    case WM_TIMER:
      if (wParam == kCloseMessageTimer) {
        KillTimer(hwnd, kCloseMessageTimer);
        EnumThreadWindows(GetCurrentThreadId(), CloseMessageBoxProc, 0);
      }
      return 0;
    case WM_CLOSE:
      CloseForm(hwnd);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int show) {
  g_smoke = std::wcsstr(commandLine, L"/smoke") != nullptr;
  const bool messageAtStart = g_smoke || std::wcsstr(commandLine, L"/message") != nullptr;

  const INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);
  if (!skin::RegisterSkinClasses()) return 1;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = FormProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kFormClass;
  RegisterClassExW(&wc);

  const HDC screen = GetDC(nullptr);
  g_dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  RECT frame{0, 0, Px(368), Px(240)};
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  AdjustWindowRectEx(&frame, style, FALSE, 0);
  HWND form = CreateWindowExW(0, kFormClass, L"skin demo", style, 40, 40, frame.right - frame.left,
                              frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
  CreateControls(form);
  g_attached = skin::BeginSkin(form);  // created, not yet shown
  ShowWindow(form, show);
  UpdateWindow(form);
  if (messageAtStart) PostMessageW(form, kShowMessageOnStart, 0, 0);

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (IsDialogMessageW(form, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return g_smoke && !(g_attached == 1 && g_detached == 1) ? 1 : 0;
}
