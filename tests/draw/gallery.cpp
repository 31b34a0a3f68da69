// Shows every painter's looks side by side on one window, from the real skin
// images, so that a person (or a screenshot) can judge them. Each control is
// subclassed: its own procedure paints first, then the painter draws the
// chosen state on top. The window closes itself after a while.
#include <windows.h>
#include <commctrl.h>

#include <map>
#include <string>
#include <vector>

#include "skin/draw/images.h"
#include "skin/draw/painters.h"
#include "skin/draw/primitives.h"
#include "skin/draw/properties.h"

namespace {

constexpr int kWindowW = 620, kWindowH = 420;
constexpr UINT_PTR kCloseTimer = 1;
constexpr UINT kCloseAfterMs = 20000;

enum class Kind { PushButton, CheckBox, OptionButton, Combo, Header };

struct Entry {
  Kind kind;
  int state;
  WNDPROC previous;
};

std::map<HWND, Entry> g_entries;
std::vector<skin::Surface> g_surfaces;
HFONT g_font = nullptr;

void Paint(HWND hwnd, const Entry& e) {
  int state = e.state;
  switch (e.kind) {
    case Kind::PushButton:
      skin::BlendButtonFade(hwnd, nullptr);
      break;
    case Kind::CheckBox:
      skin::PaintCheckBox(hwnd, state, true);
      break;
    case Kind::OptionButton:
      skin::PaintOptionButton(hwnd, state, true);
      break;
    case Kind::Combo:
      skin::PaintComboButton(hwnd, nullptr, state, true);
      break;
    case Kind::Header:
      for (int i = 0; i < 3; ++i) skin::PaintHeaderItem(hwnd, nullptr, i, i);
      break;
  }
}

LRESULT CALLBACK ControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  const auto it = g_entries.find(hwnd);
  if (it == g_entries.end()) return DefWindowProcA(hwnd, msg, wParam, lParam);
  const Entry e = it->second;
  const LRESULT result = CallWindowProcA(e.previous, hwnd, msg, wParam, lParam);
  if (msg == WM_PAINT || msg == WM_NCPAINT || msg == WM_ENABLE || msg == BM_SETCHECK ||
      msg == BM_SETSTATE)
    Paint(hwnd, e);
  return result;
}

HWND AddControl(HWND parent, Kind kind, int state, const char* cls, const char* text, DWORD style,
                int x, int y, int w, int h) {
  HWND c = CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                           nullptr, GetModuleHandleA(nullptr), nullptr);
  SendMessageA(c, WM_SETFONT, reinterpret_cast<WPARAM>(g_font), FALSE);
  const auto previous =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrA(c, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ControlProc)));
  g_entries[c] = Entry{kind, state, previous};
  return c;
}

void Label(HWND parent, const char* text, int x, int y, int w = 110) {
  HWND l = CreateWindowExA(0, "STATIC", text, WS_CHILD | WS_VISIBLE, x, y, w, 18, parent, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
  SendMessageA(l, WM_SETFONT, reinterpret_cast<WPARAM>(g_font), FALSE);
}

// A push button as the engine sets it up: owner-drawn, four state surfaces.
void AddPushButton(HWND parent, const char* caption, int state, bool enabled, bool focus, int x,
                   int y) {
  constexpr int w = 100, h = 28;
  HWND b = AddControl(parent, Kind::PushButton, state, "BUTTON", caption, BS_PUSHBUTTON, x, y, w, h);
  skin::WriteProp(b, skin::kPropOldStyle, GetWindowLongA(b, GWL_STYLE));
  SetWindowLongA(b, GWL_STYLE, (GetWindowLongA(b, GWL_STYLE) & ~0xF) | BS_OWNERDRAW);
  for (int i = 0; i < skin::kSurfaceCount; ++i) {
    g_surfaces.push_back(skin::CreateSurface(w, h));
    skin::WriteProp(b, skin::kPropSurfaceDc[i], reinterpret_cast<LONG_PTR>(g_surfaces.back().dc()));
    skin::WriteProp(b, skin::kPropSurfaceBitmap[i],
                    reinterpret_cast<LONG_PTR>(g_surfaces.back().bitmap()));
  }
  skin::WriteProp(b, skin::kPropOldState, state);
  skin::WriteProp(b, skin::kPropAlphaLevel, 255);
  if (!enabled) EnableWindow(b, FALSE);
  if (focus) SetFocus(b);
  skin::RenderButtonSurfaces(b);
}

void Build(HWND w) {
  int y = 12;
  Label(w, "Push button", 12, y + 5);
  const char* buttonNames[] = {"Normal", "Hover", "Pressed", "Disabled"};
  for (int s = 0; s < 4; ++s)
    AddPushButton(w, buttonNames[s], s, s != skin::kStateDisabled, false, 130 + 120 * s, y);
  y += 40;
  AddPushButton(w, "&Focused", 0, true, true, 130, y);
  AddPushButton(w, "A caption far too long to fit", 0, true, false, 250, y);
  y += 46;

  Label(w, "Check box", 12, y);
  const char* checkNames[] = {"Unchecked", "Checked", "Indeterminate"};
  for (int check = 0; check < 3; ++check) Label(w, checkNames[check], 130 + 120 * check, y);
  Label(w, "Disabled", 490, y);
  y += 20;
  for (int s = 0; s < 3; ++s) {
    const std::string row = "State " + std::to_string(s);
    Label(w, row.c_str(), 30, y + 2);
    for (int check = 0; check < 4; ++check) {
      HWND c = AddControl(w, Kind::CheckBox, s, "BUTTON", "Option", BS_AUTO3STATE,
                          130 + 120 * check, y, 110, 20);
      SendMessageA(c, BM_SETCHECK, check == 3 ? s : check, 0);
      if (check == 3) EnableWindow(c, FALSE);
    }
    y += 24;
  }
  y += 12;

  Label(w, "Option button", 12, y);
  const char* optionNames[] = {"State 0", "State 1", "State 2", "Disabled"};
  for (int s = 0; s < 4; ++s) Label(w, optionNames[s], 130 + 120 * s, y);
  y += 20;
  for (int s = 0; s < 3; ++s) {
    for (int checked = 0; checked < 2; ++checked) {
      HWND o = AddControl(w, Kind::OptionButton, s, "BUTTON", checked ? "Chosen" : "Choice",
                          BS_RADIOBUTTON, 130 + 120 * s, y + 24 * checked, 110, 20);
      SendMessageA(o, BM_SETCHECK, checked, 0);
    }
  }
  for (int checked = 0; checked < 2; ++checked) {
    HWND o = AddControl(w, Kind::OptionButton, 0, "BUTTON", checked ? "Chosen" : "Choice",
                        BS_RADIOBUTTON, 490, y + 24 * checked, 110, 20);
    SendMessageA(o, BM_SETCHECK, checked, 0);
    EnableWindow(o, FALSE);
  }
  y += 60;

  Label(w, "Combo button", 12, y + 3);
  for (int s = 0; s < 4; ++s) {
    HWND c = AddControl(w, Kind::Combo, s == 3 ? 0 : s, "COMBOBOX", "",
                        CBS_DROPDOWNLIST | WS_VSCROLL, 130 + 120 * s, y, 110, 150);
    const char* items[] = {"Normal", "Hover", "Pressed", "Disabled"};
    SendMessageA(c, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(items[s]));
    SendMessageA(c, CB_SETCURSEL, 0, 0);
    if (s == 3) EnableWindow(c, FALSE);
  }
  y += 44;

  Label(w, "Header items", 12, y + 4);
  HWND h = AddControl(w, Kind::Header, 0, WC_HEADERA, "", HDS_BUTTONS, 130, y, 360, 24);
  const char* headers[] = {"Normal", "Hover", "Pressed"};
  for (int i = 0; i < 3; ++i) {
    HDITEMA item{};
    item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
    item.cxy = 120;
    item.fmt = HDF_LEFT | HDF_STRING;
    item.pszText = const_cast<char*>(headers[i]);
    SendMessageA(h, HDM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
  }
}

LRESULT CALLBACK GalleryProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_TIMER:
      if (wParam == kCloseTimer) DestroyWindow(hwnd);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&icc);
  g_font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));

  skin::SkinImages images;
  skin::BuildSkinBitmaps(images);
  skin::UseSkinImages(&images);

  WNDCLASSEXA wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = GalleryProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = "PainterGallery";
  RegisterClassExA(&wc);
  HWND w = CreateWindowExA(0, wc.lpszClassName, "Painter gallery",
                           WS_POPUP | WS_BORDER | WS_CLIPCHILDREN, 0, 0,
                           kWindowW, kWindowH, nullptr, nullptr, instance, nullptr);
  ShowWindow(w, SW_SHOWNORMAL);
  Build(w);
  UpdateWindow(w);
  SetTimer(w, kCloseTimer, kCloseAfterMs, nullptr);

  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  for (auto& [hwnd, entry] : g_entries) {
    for (int i = 0; i < skin::kSurfaceCount; ++i) {
      skin::ClearProp(hwnd, skin::kPropSurfaceDc[i]);
      skin::ClearProp(hwnd, skin::kPropSurfaceBitmap[i]);
    }
  }
  skin::UseSkinImages(nullptr);
  return 0;
}
