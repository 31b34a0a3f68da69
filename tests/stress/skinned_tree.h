// A "Form" window holding one control of every kind the skin knows, for the
// stress tests.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

namespace stress {

// Registers the container class "Form" and the superclasses that stand for
// the kinds the standard controls do not cover.
void RegisterKindClasses();

// Creates the form (shown) and its controls; the controls are returned in
// creation order.
HWND CreateSkinnableTree(std::vector<HWND>& controls);

// Names of the skin's window properties still set on the window.
std::vector<std::string> SkinPropertiesLeft(HWND hwnd);

// True when the window answers a message within a second.
bool Answers(HWND hwnd);

}  // namespace stress
