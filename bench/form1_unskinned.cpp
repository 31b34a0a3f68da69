// The start-up benchmark's floor for the skin: the tool's own program and
// Form1 with every event binding except the load and unload handlers, which
// begin and end the skin. Built like GodMode.exe, with its resources.
#include <windows.h>

#include <cwchar>
#include <vector>

#include "app/form1.h"
#include "app/form_runtime.h"

namespace {

bool BeginsOrEndsTheSkin(const form::EventBinding& binding) {
  return std::wcscmp(binding.name, L"Form_Load") == 0 || std::wcscmp(binding.name, L"Form_Unload") == 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  static form::FormDef def = godmode::Form1();
  static std::vector<form::EventBinding> kept;
  for (size_t i = 0; i < def.eventCount; ++i)
    if (!BeginsOrEndsTheSkin(def.events[i])) kept.push_back(def.events[i]);
  def.events = kept.data();
  def.eventCount = kept.size();
  form::Form* form1 = form::Form::Load(def, true);
  return form::RunMessageLoop(form1->hwnd());
}
