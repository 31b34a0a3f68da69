// The runtime's standard error report for a step that failed.
#pragma once
#include <windows.h>

#include <string>

namespace form {

// The system's own text for an error code, without the trailing line break.
std::wstring SystemErrorText(DWORD error);

// Shows a message box naming the failed step and the system's text for the
// error, then ends the process with a non-zero exit code. Callers read
// GetLastError() into a variable right after the failing call: building the
// step's text allocates, and a call's arguments run in no fixed order.
[[noreturn]] void ReportErrorAndExit(const std::wstring& step, DWORD error);

}  // namespace form
