// The skin's message handlers. Each takes the previous window procedure and
// the message by reference, as SkinWindowProc passes its own copies, and
// returns the message result that SkinWindowProc returns unchanged.
#pragma once
#include <windows.h>

#include "skin/subclass.h"

namespace skin {

#define SKIN_HANDLER(name) LRESULT name(WNDPROC& prev, HWND& hwnd, UINT& msg, WPARAM& wParam, LPARAM& lParam)

// Calls the previous window procedure with the message as it stands, in the
// window's character set (one more property lookup per call).
inline LRESULT CallPrevious(WNDPROC prev, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return CallPreviousAs(InstalledWide(hwnd), prev, hwnd, msg, wParam, lParam);
}

// Life cycle (attach.cpp).
SKIN_HANDLER(OnActivate);
SKIN_HANDLER(OnSize);
SKIN_HANDLER(OnDpiChanged);  // dpi_change.cpp

// Not in the Windows 7 headers.
inline constexpr UINT kWmDpiChanged = 0x02E0;

// Painting (paint_handlers.cpp).
SKIN_HANDLER(OnPaint);
SKIN_HANDLER(OnNcPaint);
SKIN_HANDLER(OnWindowPosChanging);

// Mouse, keyboard, focus and enabling (interaction.cpp, combo_header.cpp).
SKIN_HANDLER(OnMouseMove);
SKIN_HANDLER(OnLButtonDown);
SKIN_HANDLER(OnLButtonUp);
SKIN_HANDLER(OnLButtonDblClk);
SKIN_HANDLER(OnMouseLeave);
SKIN_HANDLER(OnKeyDown);
SKIN_HANDLER(OnKeyUp);
SKIN_HANDLER(OnSetFocus);
SKIN_HANDLER(OnKillFocus);
SKIN_HANDLER(OnEnable);

// Fade timer (fade.cpp).
SKIN_HANDLER(OnTimer);

#undef SKIN_HANDLER

// Repaints a skinned check box or option button in the normal state; an
// EnumChildWindows callback run after every left-button release.
BOOL CALLBACK RefreshSiblingProc(HWND hwnd, LPARAM lParam);

}  // namespace skin
