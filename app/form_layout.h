// The form's sizes at a DPI: twips to pixels, fonts and icons. The form lays
// itself out with these at load and again when it moves to a display of
// another DPI.
#pragma once
#include <windows.h>

#include "app/form_runtime.h"
#include "skin/draw/gdi.h"

namespace form {

// The DPI of the display the window is on (GetDpiForWindow, Windows 10 on),
// or the fallback where the system cannot tell.
int WindowDpi(HWND hwnd, int fallback);
// The form's outer rectangle for its client size at the DPI, centred on the
// primary display.
RECT CentredFrame(const FormDef& def, DWORD style, DWORD exStyle, int dpi);
// A control's rectangle in client pixels.
RECT PixelRect(const ControlDef& control, int dpi);
LOGFONTW LogFontOf(const FontDef& font, int dpi);
// The system's message font, at the given DPI rather than the system's.
skin::Font CreateUserInterfaceFont(int dpi);
// The icon group's image for a system icon size (SM_CXICON, SM_CXSMICON) at
// the given DPI; not shared, so that the form frees it. Empty for id 0.
skin::Icon LoadFormIcon(WORD id, int sizeMetric, int dpi);

}  // namespace form
