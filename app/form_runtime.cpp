#include "app/form_runtime.h"

#include <algorithm>
#include <cwchar>

#include "app/error_report.h"
#include "app/form_control.h"
#include "app/form_layout.h"
#include "skin/draw/gdi.h"
#include "skin/draw/high_contrast.h"

namespace form {

namespace {

constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kFormExStyle = 0;
constexpr DWORD kButtonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kTextBoxStyle =
    WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_LEFT | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
constexpr DWORD kTextBoxExStyle = WS_EX_CLIENTEDGE;
constexpr UINT kLabelTextFormat = DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP;
// Control ids start above IDOK/IDCANCEL so dialog keys never pose as a click.
constexpr UINT kFirstControlId = 100;
// Bit 30 of a key message: the key was already down (an auto-repeat).
constexpr LPARAM kKeyWasDown = static_cast<LPARAM>(KF_REPEAT) << 16;

void RegisterFormClass(const wchar_t* className, WNDPROC proc) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof(existing);
  if (GetClassInfoExW(instance, className, &existing)) return;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = className;
  if (!RegisterClassExW(&wc)) {
    const DWORD error = GetLastError();
    ReportErrorAndExit(L"注册窗口类", error);
  }
}

// The procedure that TextBoxProc replaced, per text box: whatever sat there
// (the class's, or a hook installed since the creation) keeps its place in the
// chain.
constexpr char kTextBoxPrevProp[] = "FORMTEXTBOXPROC";

// A text box keeps its caret when tabbed into, with nothing selected: it does
// not announce DLGC_HASSETSEL, for which the dialog manager selects all text.
LRESULT CALLBACK TextBoxProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  const auto previous = reinterpret_cast<WNDPROC>(GetPropA(hwnd, kTextBoxPrevProp));
  if (msg == WM_NCDESTROY) RemovePropA(hwnd, kTextBoxPrevProp);
  if (!previous) return DefWindowProcW(hwnd, msg, wp, lp);
  const LRESULT result = CallWindowProcW(previous, hwnd, msg, wp, lp);
  return msg == WM_GETDLGCODE ? result & ~static_cast<LRESULT>(DLGC_HASSETSEL) : result;
}

void SubclassTextBox(HWND hwnd) {
  const LONG_PTR previous = SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TextBoxProc));
  SetPropA(hwnd, kTextBoxPrevProp, reinterpret_cast<HANDLE>(previous));
}

}  // namespace

Form::Form(const FormDef& def, bool endsProcess) : def_(def), endsProcess_(endsProcess), dpi_(ScreenDpi()) {}

Form::~Form() = default;

Form* Form::Load(const FormDef& def, bool endsProcess) {
  RegisterFormClass(def.className, &Form::WindowProc);
  auto* form = new Form(def, endsProcess);

  const RECT frame = CentredFrame(def, kFormStyle, kFormExStyle, form->dpi_);
  // WM_NCCREATE hands the form to the window, which frees it from then on.
  HWND hwnd = CreateWindowExW(kFormExStyle, def.className, def.caption, kFormStyle, frame.left, frame.top,
                              frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                              GetModuleHandleW(nullptr), form);
  if (!hwnd) {
    const DWORD error = GetLastError();
    ReportErrorAndExit(L"创建窗口", error);
  }
  // Per monitor, a display may have another DPI than the system's from the start.
  const int dpi = WindowDpi(hwnd, form->dpi_);
  if (dpi != form->dpi_) {
    form->dpi_ = dpi;
    const RECT scaled = CentredFrame(def, kFormStyle, kFormExStyle, dpi);
    SetWindowPos(hwnd, nullptr, scaled.left, scaled.top, scaled.right - scaled.left, scaled.bottom - scaled.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }

  form->CreateControls();
  form->ScaleTo(form->dpi_);
  form->ApplyTabOrder();

  form->Fire(L"Form", L"Load");
  ShowWindow(hwnd, SW_SHOWNORMAL);
  UpdateWindow(hwnd);
  form->FocusFirstTabStop();
  return form;
}

Form* Form::FromWindow(HWND hwnd) {
  if (!hwnd || !IsWindow(hwnd)) return nullptr;
  wchar_t className[64] = {};
  GetClassNameW(hwnd, className, ARRAYSIZE(className));
  // Only windows of a class whose procedure is ours carry a form pointer.
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  if (!GetClassInfoExW(GetModuleHandleW(nullptr), className, &wc) || wc.lpfnWndProc != &Form::WindowProc)
    return nullptr;
  return reinterpret_cast<Form*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

// The windows only; their fonts and places come from ScaleTo.
void Form::CreateControls() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  UINT id = kFirstControlId;
  for (size_t i = 0; i < def_.controlCount; ++i) {
    const ControlDef& s = def_.controls[i];
    auto c = std::make_unique<Control>(s);
    c->id = id++;
    if (!c->IsLabel()) {
      const bool button = s.kind == ControlKind::CommandButton;
      const RECT r = PixelRect(s, dpi_);
      c->hwnd = CreateWindowExW(button ? 0 : kTextBoxExStyle, button ? L"Button" : L"Edit", s.text,
                                button ? kButtonStyle : kTextBoxStyle, r.left, r.top, r.right - r.left,
                                r.bottom - r.top, hwnd_, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(c->id)),
                                instance, nullptr);
      if (!c->hwnd) {
        const DWORD error = GetLastError();
        ReportErrorAndExit(std::wstring(L"创建控件 ") + s.name, error);
      }
      if (!button) SubclassTextBox(c->hwnd);
    }
    controls_.push_back(std::move(c));
  }
}

// Dialog navigation walks the z-order, so stack the windows by tab index.
void Form::ApplyTabOrder() {
  std::vector<Control*> windowed;
  for (auto& c : controls_)
    if (c->hwnd) windowed.push_back(c.get());
  std::stable_sort(windowed.begin(), windowed.end(),
                   [](const Control* a, const Control* b) { return a->def.tabIndex < b->def.tabIndex; });
  for (Control* c : windowed) SetWindowPos(c->hwnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Form::FocusFirstTabStop() {
  HWND first = GetNextDlgTabItem(hwnd_, nullptr, FALSE);
  if (first) SetFocus(first);
}

EventHandler Form::HandlerFor(const wchar_t* control, const wchar_t* event) const {
  const std::wstring name = std::wstring(control) + L"_" + event;
  for (size_t i = 0; i < def_.eventCount; ++i)
    if (name == def_.events[i].name) return def_.events[i].handler;
  return nullptr;
}

// The handler runs last: it may end with the form freed.
void Form::Fire(const wchar_t* control, const wchar_t* event) {
  if (const EventHandler handler = HandlerFor(control, event)) handler(*this);
}

void Form::Unload() {
  if (unloaded_) return;
  unloaded_ = true;
  Fire(L"Form", L"Unload");
}

Form::Control* Form::Find(const wchar_t* name) {
  for (auto& c : controls_)
    if (wcscmp(c->def.name, name) == 0) return c.get();
  return nullptr;
}

Form::Control* Form::FindWindowed(HWND hwnd) {
  for (auto& c : controls_)
    if (c->hwnd && c->hwnd == hwnd) return c.get();
  return nullptr;
}

const Form::Control* Form::Find(const wchar_t* name) const { return const_cast<Form*>(this)->Find(name); }

Form::Control* Form::LabelAt(POINT pt) {
  // Later controls lie on top.
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it)
    if ((*it)->IsLabel() && PtInRect(&(*it)->rect, pt)) return it->get();
  return nullptr;
}

HWND Form::ControlWindow(const wchar_t* name) const {
  const Control* c = Find(name);
  return c ? c->hwnd : nullptr;
}

RECT Form::ControlRect(const wchar_t* name) const {
  const Control* c = Find(name);
  if (!c) return RECT{};
  if (!c->hwnd) return c->rect;
  RECT r{};
  GetWindowRect(c->hwnd, &r);
  MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

HFONT Form::ControlFont(const wchar_t* name) const {
  const Control* c = Find(name);
  return c ? FontOf(*c) : nullptr;
}

HFONT Form::FontOf(const Control& c) const { return c.font ? c.font.get() : formFont_.get(); }

bool Form::FontUnderline(const wchar_t* name) const {
  const Control* c = Find(name);
  return c && c->logFont.lfUnderline;
}

void Form::SetFontUnderline(const wchar_t* name, bool underline) {
  Control* c = Find(name);
  if (!c || (c->logFont.lfUnderline != 0) == underline) return;
  c->logFont.lfUnderline = underline ? TRUE : FALSE;
  RemakeFont(*c);
}

COLORREF Form::ForeColour(const wchar_t* name) const {
  const Control* c = Find(name);
  return c ? c->colour : kDefaultColour;
}

void Form::SetForeColour(const wchar_t* name, COLORREF colour) {
  Control* c = Find(name);
  if (!c || c->colour == colour) return;
  c->colour = colour;
  InvalidateRect(c->hwnd ? c->hwnd : hwnd_, c->hwnd ? nullptr : &c->rect, TRUE);
}

void Form::RemakeFont(Control& c) {
  skin::Font fresh(CreateFontIndirectW(&c.logFont));
  if (c.hwnd) SendMessageW(c.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(fresh.get()), TRUE);
  else InvalidateRect(hwnd_, &c.rect, TRUE);
  // The old font goes only now, once the control draws with the new one.
  c.font = std::move(fresh);
}

// While high contrast is on, labels take the platform's static-text colours,
// and a label with a Click handler (a link) the system's link colour.
void Form::OnPaint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  const bool systemColours = skin::HighContrastOn();
  SetBkMode(dc, systemColours ? OPAQUE : TRANSPARENT);
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  for (auto& c : controls_) {
    if (!c->IsLabel()) continue;
    skin::SelectObjectScope font(dc, FontOf(*c));
    COLORREF colour = c->colour == kDefaultColour ? GetSysColor(COLOR_BTNTEXT) : c->colour;
    if (systemColours) colour = GetSysColor(HandlerFor(c->def.name, L"Click") ? COLOR_HOTLIGHT : COLOR_WINDOWTEXT);
    SetTextColor(dc, colour);
    RECT r = c->rect;
    DrawTextW(dc, c->def.text, -1, &r, kLabelTextFormat);
  }
  EndPaint(hwnd_, &ps);
}

void Form::OnMouseMove(POINT pt) {
  if (Control* label = LabelAt(pt)) Fire(label->def.name, L"MouseMove");
  else Fire(L"Form", L"MouseMove");
}

void Form::OnLButtonDown(POINT pt) {
  pressedLabel_ = LabelAt(pt);
  if (pressedLabel_) SetCapture(hwnd_);
}

void Form::OnLButtonUp(POINT pt) {
  Control* pressed = pressedLabel_;
  pressedLabel_ = nullptr;
  if (!pressed) return;
  ReleaseCapture();
  if (LabelAt(pt) == pressed) Fire(pressed->def.name, L"Click");
}

// The layout's text colour on the system's window colour; while high contrast
// is on, the platform's own colours.
LRESULT Form::OnCtlColor(HDC dc, HWND child) {
  const Control* c = FindWindowed(child);
  if (c && c->colour != kDefaultColour && !skin::HighContrastOn()) {
    SetTextColor(dc, c->colour);
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
  }
  return DefWindowProcW(hwnd_, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(child));
}

void Form::OnCommand(WORD id, WORD code) {
  if (code != BN_CLICKED) return;
  for (auto& c : controls_) {
    if (c->id != id || c->def.kind != ControlKind::CommandButton) continue;
    // The handler may run a modal loop (a message box) in which the form is
    // closed and freed: nothing of the form is touched once it returns.
    Fire(c->def.name, L"Click");
    return;
  }
}

// The form has no Cancel button, so Esc does nothing; a multi-line edit in
// dialog mode would otherwise post WM_CLOSE to the form. Enter on a command
// button clicks it, once per press: the plain click notification, not the
// dialog manager's default button (which restyles push buttons) nor a
// simulated press (which changes the button's look).
bool Form::TranslateKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || (msg.hwnd != hwnd_ && !IsChild(hwnd_, msg.hwnd))) return false;
  switch (msg.wParam) {
    case VK_ESCAPE: return true;
    case VK_RETURN: {
      const Control* c = FindWindowed(msg.hwnd);
      if (!c || c->def.kind != ControlKind::CommandButton) return false;
      // The click may end with the form freed: nothing of it is touched after.
      if (!(msg.lParam & kKeyWasDown))
        SendMessageW(hwnd_, WM_COMMAND, MAKEWPARAM(c->id, BN_CLICKED), reinterpret_cast<LPARAM>(msg.hwnd));
      return true;
    }
  }
  return false;
}

// A multi-line edit passes Tab on to its parent this way; move the focus as
// the dialog manager would.
void Form::OnNextDlgCtl(WPARAM wp, LPARAM lp) {
  HWND focus = GetFocus();
  HWND next = LOWORD(lp) ? reinterpret_cast<HWND>(wp)
                         : GetNextDlgTabItem(hwnd_, focus == hwnd_ ? nullptr : focus, wp != 0);
  // No select-all: a text box keeps its caret.
  if (next) SetFocus(next);
}

LRESULT CALLBACK Form::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* form = static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    form->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  auto* form = reinterpret_cast<Form*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!form) return DefWindowProcW(hwnd, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    const bool endsProcess = form->endsProcess_;
    delete form;
    if (endsProcess) PostQuitMessage(0);
    return DefWindowProcW(hwnd, msg, wp, lp);
  }
  return form->HandleMessage(msg, wp, lp);
}

LRESULT Form::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  const POINT pt{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
  switch (msg) {
    case WM_PAINT: OnPaint(); return 0;
    case WM_MOUSEMOVE: OnMouseMove(pt); return 0;
    case WM_LBUTTONDOWN: OnLButtonDown(pt); return 0;
    case WM_LBUTTONUP: OnLButtonUp(pt); return 0;
    case WM_CAPTURECHANGED: pressedLabel_ = nullptr; return 0;
    case WM_CTLCOLOREDIT: return OnCtlColor(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp));
    case WM_COMMAND:
      if (lp) OnCommand(LOWORD(wp), HIWORD(wp));
      return 0;
    case WM_SETCURSOR: {
      // Over a label with a MouseMove handler the cursor is whatever that
      // handler chose; everywhere else it is the window's own.
      POINT cursor;
      GetCursorPos(&cursor);
      ScreenToClient(hwnd_, &cursor);
      const Control* label = LabelAt(cursor);
      if (reinterpret_cast<HWND>(wp) == hwnd_ && LOWORD(lp) == HTCLIENT && label &&
          HandlerFor(label->def.name, L"MouseMove"))
        return TRUE;
      break;
    }
    case WM_ACTIVATE:
      if (LOWORD(wp) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd_, focus)) savedFocus_ = focus;
      } else if (!HIWORD(wp)) {
        if (savedFocus_ && IsWindow(savedFocus_)) SetFocus(savedFocus_);
        else FocusFirstTabStop();
      }
      return 0;
    case WM_NEXTDLGCTL: OnNextDlgCtl(wp, lp); return 0;
    case WM_SETTINGCHANGE:
      if (wp != SPI_SETHIGHCONTRAST) break;
      [[fallthrough]];
    case WM_SYSCOLORCHANGE:  // the labels' and text box's colours follow the scheme
      RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
      break;
    case WM_DPICHANGED: OnDpiChanged(LOWORD(wp), *reinterpret_cast<const RECT*>(lp)); return 0;
    case WM_CLOSE:
      // Unloading is never cancelled.
      Unload();
      DestroyWindow(hwnd_);
      return 0;
    case WM_DESTROY: Unload(); return 0;
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

int RunMessageLoop(HWND form) {
  MSG msg;
  BOOL got;
  while ((got = GetMessageW(&msg, nullptr, 0, 0)) != 0) {
    if (got == -1) {
      const DWORD error = GetLastError();
      ReportErrorAndExit(L"读取消息", error);
    }
    if (msg.message == WM_KEYDOWN) {
      Form* owner = Form::FromWindow(form);
      if (owner && owner->TranslateKey(msg)) continue;
    }
    if (IsWindow(form) && IsDialogMessageW(form, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

}  // namespace form
