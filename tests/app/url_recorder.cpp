// Stands in for rundll32.exe: built next to the test programs, where it plays
// a program of that name beside the tool, and copied by the tests as the
// prefix's own system rundll32.exe. Appends
// "<own path>|<wShowWindow or -1>|<command line>" in UTF-8 to the file named
// by APP_TEST_RECORD and exits.
#include <windows.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  wchar_t path[MAX_PATH];
  if (!GetEnvironmentVariableW(L"APP_TEST_RECORD", path, MAX_PATH)) return 2;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  GetStartupInfoW(&startup);
  const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1;
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  const std::wstring line = std::wstring(self) + L"|" + std::to_wstring(show) + L"|" + GetCommandLineW() + L"\n";
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), nullptr, 0, nullptr, nullptr);
  std::string utf8(bytes, '\0');
  WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), utf8.data(), bytes, nullptr, nullptr);
  HANDLE file = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 3;
  DWORD written = 0;
  WriteFile(file, utf8.data(), bytes, &written, nullptr);
  CloseHandle(file);
  return 0;
}
