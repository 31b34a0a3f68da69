// Runs one folder command in a process of its own, so that a test can point
// the desktop elsewhere (the shell keeps the first desktop it resolves) and
// watch the standard error report end the process.
//   command1           loads Form1 and clicks Command1
//   command1loop       Form1 as the program runs it, main form and message
//                      loop, with a click on Command1 waiting in the queue
//   systemfolder PATH  Command2's steps with PATH in place of the fixed folder
//   command2 [unelevated]  Command2's steps on Form1, taken for a process
//                      without administrator rights if told; 0: form still there
//   /system-folder     the copy it starts: the stand-in rundll32 records its line
#include <windows.h>

#include <string>

#include "app/folder_commands.h"
#include "app/form1.h"
#include "app/form_runtime.h"
#include "app/shell_services.h"

namespace {

int ClickCommand1() {
  form::Form* form = form::Form::Load(godmode::Form1(), false);
  const HWND hwnd = form->hwnd();
  SendMessageW(form->ControlWindow(L"Command1"), BM_CLICK, 0, 0);
  if (IsWindow(hwnd)) SendMessageW(hwnd, WM_CLOSE, 0, 0);
  return 0;
}

int ClickCommand1InTheLoop() {
  form::Form* form = form::Form::Load(godmode::Form1(), true);
  PostMessageW(form->ControlWindow(L"Command1"), BM_CLICK, 0, 0);
  return form::RunMessageLoop(form->hwnd());
}

int RunSystemFolderSteps(const std::wstring& folder) {
  if (!form::PathExists(folder)) form::CreateFolder(folder);
  form::StartCommandLine(godmode::UrlHandlerCommandLine(folder));
  return 0;
}

int RunCommand2(bool (*isElevated)()) {
  const HWND form = form::Form::Load(godmode::Form1(), false)->hwnd();
  godmode::MakeAndOpenSystemFolder(isElevated);
  return IsWindow(form) ? static_cast<int>(SendMessageW(form, WM_CLOSE, 0, 0)) : 4;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
  const std::wstring args = commandLine;
  if (args == L"command1") return ClickCommand1();
  if (args == L"command1loop") return ClickCommand1InTheLoop();
  if (args == L"command2") return RunCommand2(form::ProcessIsElevated);
  if (args == L"command2 unelevated") return RunCommand2([] { return false; });
  if (args == godmode::kSystemFolderSwitch) {
    form::StartCommandLine(std::wstring(L"rundll32.exe ") + GetCommandLineW());
    return 0;
  }
  const std::wstring systemFolder = L"systemfolder ";
  if (args.compare(0, systemFolder.size(), systemFolder) == 0)
    return RunSystemFolderSteps(args.substr(systemFolder.size()));
  return 2;
}
