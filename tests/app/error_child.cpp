// Fails one runtime step on purpose, named by the first argument, so that a
// test can watch the standard error report end the process.
#include <windows.h>

#include <string>

#include "app/shell_services.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
  const std::wstring step = commandLine;
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  if (step == L"folder") form::CreateFolder(std::wstring(temp) + L"no-such-parent\\child");
  if (step == L"start") form::StartCommandLine(L"no-such-program-here.exe \"x\"");
  return 0;
}
