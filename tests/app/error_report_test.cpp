// The standard error report: a failing step shows a box that names it with
// the system's text for the error, and the process then ends with a failure.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/error_report.h"
#include "tests/app/app_test_util.h"
#include "tests/support/win32_test.h"

namespace {

struct Outcome {
  apptest::SeenBox box;
  bool boxShown = false;
  DWORD exitCode = 0;
};

// Runs the child on one failing step, reads its box, closes it with OK and
// waits for the process to end.
Outcome RunFailingStep(const std::wstring& step) {
  Outcome outcome;
  std::wstring commandLine = L"\"" ERROR_CHILD_EXE "\" " + step;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return outcome;
  HWND box = nullptr;
  outcome.boxShown = test::PumpUntil(
      [&] {
        box = apptest::FindProcessMessageBox(process.dwProcessId);
        return box != nullptr;
      },
      15000);
  if (outcome.boxShown) {
    test::PumpMessages(200);
    outcome.box = apptest::ReadMessageBox(box);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  }
  WaitForSingleObject(process.hProcess, 15000);
  GetExitCodeProcess(process.hProcess, &outcome.exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return outcome;
}

TEST(ErrorReport, AFolderTheSystemRefusesIsReportedAndEndsTheProgram) {
  const Outcome outcome = RunFailingStep(L"folder");
  ASSERT_TRUE(outcome.boxShown);
  EXPECT_NE(outcome.box.text.find(L"创建文件夹"), std::wstring::npos);
  EXPECT_NE(outcome.box.text.find(L"no-such-parent"), std::wstring::npos);
  EXPECT_NE(outcome.box.text.find(form::SystemErrorText(ERROR_PATH_NOT_FOUND)), std::wstring::npos);
  // Icon handles are per process, so only its presence can be seen from here.
  EXPECT_NE(outcome.box.icon, nullptr);
  EXPECT_EQ(outcome.box.title, L"运行时错误");
  EXPECT_EQ(outcome.exitCode, static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
}

TEST(ErrorReport, ACommandLineThatCannotStartIsReportedAndEndsTheProgram) {
  const Outcome outcome = RunFailingStep(L"start");
  ASSERT_TRUE(outcome.boxShown);
  EXPECT_NE(outcome.box.text.find(L"no-such-program-here.exe"), std::wstring::npos);
  EXPECT_NE(outcome.box.text.find(form::SystemErrorText(ERROR_FILE_NOT_FOUND)), std::wstring::npos);
  EXPECT_NE(outcome.exitCode, 0u);
  EXPECT_NE(outcome.exitCode, static_cast<DWORD>(STILL_ACTIVE));
}

TEST(ErrorReport, SystemTextHasNoTrailingLineBreak) {
  const std::wstring text = form::SystemErrorText(ERROR_ACCESS_DENIED);
  ASSERT_FALSE(text.empty());
  EXPECT_NE(text.back(), L'\n');
  EXPECT_NE(text.back(), L'\r');
}

}  // namespace
