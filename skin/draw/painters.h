// The control painters: each draws one control kind in one state, from the
// skin images and the window's properties.
#pragma once
#include <windows.h>
#include <string>

#include "skin/draw/properties.h"  // kSurfaceCount

namespace skin {

// The force flag of the state-taking painters: draw even when "OLDSTATE"
// already holds the state.
inline constexpr bool kForce = true;
inline constexpr bool kIfChanged = false;  // draw only a change of state

// Renders the four state looks of a push button into its surfaces HDC0..HDC3;
// a caller that holds the four surfaces passes them instead of having them read.
void RenderButtonSurfaces(HWND hwnd);
void RenderButtonSurfaces(HWND hwnd, const HDC (&surfaces)[kSurfaceCount]);

// Blends the surface of the button's current state ("OLDSTATE") onto dc, or the
// window's own device context when dc is 0, at constant alpha "ALPHALEVEL".
int BlendButtonFade(HWND hwnd, HDC dc);
// The same at an alpha the caller already holds, which spares reading
// "ALPHALEVEL" again.
int BlendButtonFadeAt(HWND hwnd, HDC dc, BYTE alpha);
// The same for a caller that has just found "OLDSTYLE" to be a type the skin
// draws, which spares reading it again.
int BlendSkinDrawnButton(HWND hwnd, HDC dc, BYTE alpha);

// The check square and the option circle in state 0, 1 or 2. Skip (result 0)
// when "OLDSTATE" already holds the state and force is false.
int PaintCheckBox(HWND hwnd, int state, bool force);
int PaintOptionButton(HWND hwnd, int state, bool force);

// The drop-down button of a combo box or drive list; state becomes 2 while the
// list is dropped down.
void PaintComboButton(HWND hwnd, HDC dc, int& state, bool force);

// One header item; a negative index draws nothing.
int PaintHeaderItem(HWND hwnd, HDC dc, int index, int state);

// Header item text and rectangle, as both header painters read them.
std::wstring GetHeaderItemText(HWND header, int index);
RECT GetHeaderItemRect(HWND header, int index);

}  // namespace skin
