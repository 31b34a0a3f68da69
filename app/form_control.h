// One control of a loaded form, as the runtime and its layout code keep it.
#pragma once
#include <windows.h>

#include "app/form_runtime.h"
#include "skin/draw/gdi.h"

namespace form {

struct Form::Control {
  explicit Control(const ControlDef& s) : def(s), colour(s.textColour) {
    if (s.font) logFont.lfUnderline = s.font->underline ? TRUE : FALSE;
  }
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  bool IsLabel() const { return def.kind == ControlKind::Label; }

  const ControlDef& def;
  HWND hwnd = nullptr;
  UINT id = 0;
  LOGFONTW logFont{};  // the underline survives a new layout
  skin::Font font;     // empty: the form's font
  COLORREF colour;
  RECT rect{};  // client pixels
};

}  // namespace form
