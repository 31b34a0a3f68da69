// Start-up time of a program and the GDI objects a skinned push button holds.
#pragma once
#include <windows.h>

#include <string>

namespace bench {

// Seconds from CreateProcess to the program's first window shown with
// nothing left to paint; negative when it did not start or show a window.
double StartToFirstPaint(const std::wstring& exe);

// A file beside this executable, or in a folder relative to it.
std::wstring BesideThisProgram(const wchar_t* relative);

// GDI objects that attaching one push button adds, averaged over `buttons`
// buttons; the skin's shared images must exist already.
double GdiObjectsPerSkinnedButton(int buttons);

}  // namespace bench
