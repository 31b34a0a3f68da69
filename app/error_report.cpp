#include "app/error_report.h"

namespace form {

namespace {
constexpr wchar_t kErrorTitle[] = L"运行时错误";
}

std::wstring SystemErrorText(DWORD error) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text;
  if (length && buffer) {
    text.assign(buffer, length);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' '))
      text.pop_back();
  }
  if (buffer) LocalFree(buffer);
  if (text.empty()) text = L"错误 " + std::to_wstring(error);
  return text;
}

void ReportErrorAndExit(const std::wstring& step, DWORD error) {
  const std::wstring message = step + L"失败。\r\n\r\n" + SystemErrorText(error);
  // The box belongs to whatever window is active, so it stays in front of it.
  MessageBoxW(GetActiveWindow(), message.c_str(), kErrorTitle, MB_OK | MB_ICONERROR);
  ExitProcess(error ? error : 1);
}

}  // namespace form
