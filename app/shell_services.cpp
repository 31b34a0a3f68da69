#include "app/shell_services.h"

#include <shellapi.h>
#include <shlobj.h>

#include <vector>

#include "app/error_report.h"

namespace form {

namespace {

// Frees an item-id list from the shell at scope exit.
class ItemIdList {
 public:
  ItemIdList() = default;
  ItemIdList(const ItemIdList&) = delete;
  ItemIdList& operator=(const ItemIdList&) = delete;
  ~ItemIdList() {
    if (pidl_) ILFree(pidl_);
  }
  LPITEMIDLIST* put() { return &pidl_; }
  LPCITEMIDLIST get() const { return pidl_; }

 private:
  LPITEMIDLIST pidl_ = nullptr;
};

}  // namespace

bool PathExists(const std::wstring& path) {
  // A listing of the exact path finds a file as well as a directory.
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW(path.c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return false;
  FindClose(find);
  return true;
}

std::wstring DesktopPath() {
  ItemIdList desktop;
  const HRESULT hr = SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, desktop.put());
  if (FAILED(hr) || !desktop.get()) ReportErrorAndExit(L"查找桌面文件夹", static_cast<DWORD>(hr));
  // SHGetPathFromIDListW writes at most MAX_PATH characters, NUL included.
  wchar_t path[MAX_PATH] = {};
  if (!SHGetPathFromIDListW(desktop.get(), path) || !path[0])
    ReportErrorAndExit(L"读取桌面路径", ERROR_PATH_NOT_FOUND);
  return path;
}

void CreateFolder(const std::wstring& path) {
  if (const DWORD error = TryCreateFolder(path)) ReportFolderNotCreated(path, error);
}

DWORD TryCreateFolder(const std::wstring& path) {
  return CreateDirectoryW(path.c_str(), nullptr) ? ERROR_SUCCESS : GetLastError();
}

void ReportFolderNotCreated(const std::wstring& path, DWORD error) {
  ReportErrorAndExit(L"创建文件夹“" + path + L"”", error);
}

bool ProcessIsElevated() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
  TOKEN_ELEVATION elevation{};
  DWORD size = 0;
  const BOOL read = GetTokenInformation(token, TokenElevation, &elevation, sizeof(elevation), &size);
  CloseHandle(token);
  return read && elevation.TokenIsElevated;
}

std::wstring OwnExecutable() {
  // The path may exceed MAX_PATH: grow until it fits.
  std::vector<wchar_t> path(MAX_PATH);
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (!length) {
      const DWORD error = GetLastError();
      ReportErrorAndExit(L"查找程序文件", error);
    }
    if (length < path.size()) return std::wstring(path.data(), length);
    path.resize(path.size() * 2);
  }
}

std::vector<std::wstring> CommandLineArguments() {
  int count = 0;
  LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::wstring> arguments;
  for (int i = 1; words && i < count; ++i) arguments.emplace_back(words[i]);
  if (words) LocalFree(words);
  return arguments;
}

bool StartElevated(const std::wstring& program, const std::wstring& parameters) {
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = SEE_MASK_FLAG_NO_UI;  // a failure goes to the standard error report
  info.hwnd = GetActiveWindow();     // the prompt comes up in front of the form
  info.lpVerb = L"runas";
  info.lpFile = program.c_str();
  info.lpParameters = parameters.c_str();
  info.nShow = SW_SHOWNORMAL;
  if (ShellExecuteExW(&info)) return true;
  const DWORD error = GetLastError();
  if (error == ERROR_CANCELLED) return false;
  ReportErrorAndExit(L"以管理员身份运行“" + program + L"”", error);
}

std::wstring SystemDirectory() {
  wchar_t path[MAX_PATH] = {};
  const UINT length = GetSystemDirectoryW(path, ARRAYSIZE(path));
  if (!length || length >= ARRAYSIZE(path)) {
    const DWORD error = length ? ERROR_INSUFFICIENT_BUFFER : GetLastError();
    ReportErrorAndExit(L"查找系统文件夹", error);
  }
  return std::wstring(path, length);
}

bool AnsiCodePageSpells(const std::wstring& text) {
  if (text.empty()) return true;
  // No best-fit mapping: "é" written as "e" would name another path.
  BOOL usedDefault = FALSE;
  const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.c_str(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, &usedDefault);
  return length > 0 && !usedDefault;
}

void OpenFolder(const std::wstring& path) {
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = SEE_MASK_FLAG_NO_UI;  // a failure goes to the standard error report
  info.lpVerb = L"open";
  info.lpFile = path.c_str();
  info.nShow = SW_SHOWNORMAL;
  if (!ShellExecuteExW(&info)) {
    const DWORD error = GetLastError();
    ReportErrorAndExit(L"打开“" + path + L"”", error);
  }
}

void StartCommandLine(const std::wstring& commandLine) {
  // The program is named explicitly: a search by the bare name would look in
  // the tool's own folder and the current directory first, where anyone may
  // have put a program of that name. The command line itself is unchanged.
  const std::wstring program = SystemDirectory() + L"\\" + commandLine.substr(0, commandLine.find(L' '));
  // CreateProcessW may write into the command line, so hand it a copy.
  std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
  buffer.push_back(L'\0');
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(program.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    const DWORD error = GetLastError();
    ReportErrorAndExit(L"运行“" + commandLine + L"”", error);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}

}  // namespace form
