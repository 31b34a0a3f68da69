// Runs one folder command in a process of its own, so that a test can point
// the desktop elsewhere (the shell keeps the first desktop it resolves) and
// watch the standard error report end the process.
//   command1           loads Form1 and clicks Command1
//   systemfolder PATH  Command2's steps with PATH in place of the fixed folder
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

int RunSystemFolderSteps(const std::wstring& folder) {
  if (!form::PathExists(folder)) form::CreateFolder(folder);
  form::StartCommandLine(godmode::UrlHandlerCommandLine(folder));
  return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
  const std::wstring args = commandLine;
  if (args == L"command1") return ClickCommand1();
  const std::wstring systemFolder = L"systemfolder ";
  if (args.compare(0, systemFolder.size(), systemFolder) == 0)
    return RunSystemFolderSteps(args.substr(systemFolder.size()));
  return 2;
}
