#include <windows.h>

#include "app/form1.h"
#include "app/form_runtime.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  form::Form* form1 = form::Form::Load(godmode::Form1(), true);
  return form::RunMessageLoop(form1->hwnd());
}
