#include <windows.h>

#include "app/folder_commands.h"
#include "app/form1.h"
#include "app/form_runtime.h"
#include "app/shell_services.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // The copy Command2 started with administrator rights shows no window.
  if (godmode::IsSystemFolderRequest(form::CommandLineArguments())) {
    godmode::RunSystemFolderRequest();
    return 0;
  }
  form::Form* form1 = form::Form::Load(godmode::Form1(), true);
  return form::RunMessageLoop(form1->hwnd());
}
