// Runs one folder command in a process of its own, so that a test can point
// the desktop elsewhere (the shell keeps the first desktop it resolves) and
// watch the standard error report end the process.
//   command1           loads Form1 and clicks Command1
//   command1loop       Form1 as the program runs it, main form and message
//                      loop, with a click on Command1 waiting in the queue
//   systemfolder PATH  Command2's steps with PATH in place of the fixed folder
//   command2 [unelevated]  Form1 and Command2's steps, the process taken for
//                      one without administrator rights when told so; exit 0
//                      when the form is still there afterwards
//   /system-folder     as the copy Command2 starts with the rights: appends
//                      "copy|<command line>" to the tests' record of starts
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

int RecordStart() {
  wchar_t record[MAX_PATH];
  if (!GetEnvironmentVariableW(L"APP_TEST_RECORD", record, MAX_PATH)) return 2;
  const std::wstring line = std::wstring(L"copy|") + GetCommandLineW() + L"\n";
  std::string utf8(line.size() * 3, '\0');
  utf8.resize(WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, utf8.data(), static_cast<int>(utf8.size()), nullptr, nullptr) - 1);
  HANDLE file = CreateFileW(record, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr);
  CloseHandle(file);
  return 0;
}

int RunCommand2(bool (*isElevated)()) {
  form::Form* form = form::Form::Load(godmode::Form1(), false);
  const HWND hwnd = form->hwnd();
  godmode::MakeAndOpenSystemFolder(isElevated);
  if (!IsWindow(hwnd)) return 4;
  SendMessageW(hwnd, WM_CLOSE, 0, 0);
  return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
  const std::wstring args = commandLine;
  if (args == L"command1") return ClickCommand1();
  if (args == L"command1loop") return ClickCommand1InTheLoop();
  if (args == L"command2") return RunCommand2(form::ProcessIsElevated);
  if (args == L"command2 unelevated") return RunCommand2([] { return false; });
  if (args == godmode::kSystemFolderSwitch) return RecordStart();
  const std::wstring systemFolder = L"systemfolder ";
  if (args.compare(0, systemFolder.size(), systemFolder) == 0)
    return RunSystemFolderSteps(args.substr(systemFolder.size()));
  return 2;
}
