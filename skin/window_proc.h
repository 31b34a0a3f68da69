// The one window procedure installed on every skinned window.
#pragma once
#include <windows.h>

namespace skin {

LRESULT CALLBACK SkinWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace skin
