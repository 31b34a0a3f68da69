// A small form runtime: creates a top-level window and its controls from a
// layout table in twips, paints and hit-tests windowless labels, and hands
// every event to the handler bound to "<Control>_<Event>".
#pragma once
#include <windows.h>

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "skin/draw/gdi.h"

namespace form {

// Text colour that leaves the control's own system colour in place.
inline constexpr COLORREF kDefaultColour = CLR_INVALID;
// Twips per inch: layout positions are in twips.
inline constexpr int kTwipsPerInch = 1440;

enum class ControlKind { CommandButton, TextBox, Label };

struct FontDef {
  const wchar_t* face;
  int centiPoints;  // 1425 = 14.25 pt
  int weight;
  BYTE charset;
  bool underline;
};

struct ControlDef {
  const wchar_t* name;
  ControlKind kind;
  int left, top, width, height;  // twips, client coordinates
  int tabIndex;
  const FontDef* font;  // nullptr: the form's font
  COLORREF textColour;   // kDefaultColour: the system's
  const wchar_t* text;
};

class Form;
using EventHandler = void (*)(Form&);

struct EventBinding {
  const wchar_t* name;  // "Form_Load", "Command1_Click", ...
  EventHandler handler;
};

struct FormDef {
  const wchar_t* className;
  const wchar_t* caption;
  int clientWidth, clientHeight;  // twips
  WORD iconId;                    // icon group in the executable; 0: none
  const ControlDef* controls;
  size_t controlCount;
  const EventBinding* events;
  size_t eventCount;
};

// Pixels for a length in twips at the given dots per inch.
int TwipsToPixels(int twips, int dpi);
// The display's dots per inch.
int ScreenDpi();

// One loaded form. The window owns it: it is freed when the window is gone.
class Form {
 public:
  // Creates the window and its controls, runs Form_Load, shows the window
  // centred on the screen and focuses the first tab stop. With endsProcess the
  // thread's message loop is told to quit once the window is destroyed.
  static Form* Load(const FormDef& def, bool endsProcess);
  // The form of a window made by Load, or nullptr.
  static Form* FromWindow(HWND hwnd);

  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;
  ~Form();

  HWND hwnd() const { return hwnd_; }
  int dpi() const { return dpi_; }

  // The window of a windowed control, nullptr for labels and unknown names.
  HWND ControlWindow(const wchar_t* name) const;
  // Control rectangle in client pixels; for labels the extent of their text.
  RECT ControlRect(const wchar_t* name) const;
  HFONT ControlFont(const wchar_t* name) const;

  // Keys the form answers before the dialog manager sees them; true when the
  // key is used up. RunMessageLoop hands it every WM_KEYDOWN.
  bool TranslateKey(const MSG& msg);

  bool FontUnderline(const wchar_t* name) const;
  void SetFontUnderline(const wchar_t* name, bool underline);
  COLORREF ForeColour(const wchar_t* name) const;
  void SetForeColour(const wchar_t* name, COLORREF colour);

 private:
  struct Control;
  Form(const FormDef& def, bool endsProcess);

  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);

  void CreateControls();
  // Layout (form_layout.cpp): every size of the form at a DPI.
  void ScaleTo(int dpi);
  void LayOut(Control& c);
  void SizeLabel(Control& c);
  void SetIcon(WPARAM which, skin::Icon& held, skin::Icon fresh);
  void OnDpiChanged(int dpi, const RECT& suggested);
  void ApplyTabOrder();
  void FocusFirstTabStop();
  void Unload();
  void Fire(const wchar_t* control, const wchar_t* event);
  // The handler bound to "<control>_<event>", or none.
  EventHandler HandlerFor(const wchar_t* control, const wchar_t* event) const;

  void OnPaint();
  void OnMouseMove(POINT pt);
  void OnLButtonDown(POINT pt);
  void OnLButtonUp(POINT pt);
  LRESULT OnCtlColor(HDC dc, HWND child);
  void OnCommand(WORD id, WORD code);
  void OnNextDlgCtl(WPARAM wp, LPARAM lp);

  Control* Find(const wchar_t* name);
  Control* FindWindowed(HWND hwnd);
  const Control* Find(const wchar_t* name) const;
  Control* LabelAt(POINT pt);
  void RemakeFont(Control& c);
  HFONT FontOf(const Control& c) const;

  const FormDef& def_;
  const bool endsProcess_;
  HWND hwnd_ = nullptr;
  int dpi_ = 96;
  skin::Font formFont_;
  skin::Icon bigIcon_;
  skin::Icon smallIcon_;
  std::vector<std::unique_ptr<Control>> controls_;
  Control* pressedLabel_ = nullptr;
  HWND savedFocus_ = nullptr;
  bool unloaded_ = false;
};

// Runs the thread's message loop with the form's keys and the dialog keys
// (Tab) for the form; returns the exit code from WM_QUIT.
int RunMessageLoop(HWND form);

}  // namespace form
