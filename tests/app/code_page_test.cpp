// The folder commands on a system whose ANSI code page (1252) cannot spell the
// folder's Chinese name: the URL handler would read it as question marks.
#include <gtest/gtest.h>
#include <windows.h>

#include <cwchar>
#include <string>

#include "app/folder_commands.h"
#include "app/form1.h"
#include "app/shell_services.h"
#include "tests/app/app_test_util.h"
#include "tests/support/win32_test.h"

namespace {

const std::wstring kSystemFolder = L"c:\\windows\\system32\\上帝模式.{ED7BA470-8E54-465E-825C-99712043E01C}";
const std::wstring kOpenForum = L"1|rundll32.exe url.dll,FileProtocolHandler \"http://bbs.tarvel.cn/gm/\"";

struct TitleSearch {
  const wchar_t* part;
  HWND found;
};

BOOL CALLBACK FindTitleProc(HWND hwnd, LPARAM lParam) {
  auto* search = reinterpret_cast<TitleSearch*>(lParam);
  // Form1's own caption names the folder too: only other processes count.
  DWORD processId = 0;
  GetWindowThreadProcessId(hwnd, &processId);
  if (processId == GetCurrentProcessId()) return TRUE;
  wchar_t title[512] = {};
  if (IsWindowVisible(hwnd) && GetWindowTextW(hwnd, title, ARRAYSIZE(title)) && wcsstr(title, search->part)) {
    search->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

// Closes a window of another process and makes sure that process ends: a
// shell window left running would hold the test's output open.
void CloseWithItsProcess(HWND hwnd) {
  DWORD processId = 0;
  GetWindowThreadProcessId(hwnd, &processId);
  const HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, processId);
  PostMessageW(hwnd, WM_CLOSE, 0, 0);
  if (!process) return;
  if (WaitForSingleObject(process, 5000) != WAIT_OBJECT_0) TerminateProcess(process, 0);
  CloseHandle(process);
}

// A visible top-level window of another process whose title holds part.
HWND WaitForWindowTitled(const wchar_t* part, DWORD timeoutMs) {
  TitleSearch search{part, nullptr};
  for (DWORD waited = 0; !search.found && waited < timeoutMs; waited += 100) {
    EnumWindows(FindTitleProc, reinterpret_cast<LPARAM>(&search));
    if (!search.found) test::PumpMessages(100);
  }
  return search.found;
}

TEST(CodePage1252, Command2OpensTheFolderThroughTheShellAndTheLinkKeepsItsCommandLine) {
  ASSERT_EQ(GetACP(), 1252u);
  EXPECT_FALSE(form::AnsiCodePageSpells(kSystemFolder));
  EXPECT_TRUE(form::AnsiCodePageSpells(L"http://bbs.tarvel.cn/gm/"));
  apptest::RemovePath(kSystemFolder);
  apptest::LoadedForm1 app;
  apptest::CommandRecord record;

  godmode::Command2_Click(app.form());
  EXPECT_TRUE(apptest::IsDirectory(kSystemFolder));
  // The folder's own window, opened by the shell; no URL handler started.
  const HWND folderWindow = WaitForWindowTitled(L"上帝模式", 20000);
  EXPECT_NE(folderWindow, nullptr);
  if (folderWindow) CloseWithItsProcess(folderWindow);
  EXPECT_TRUE(record.Lines().empty());

  // An address the code page spells keeps the command line as it is.
  godmode::Label2_Click(app.form());
  const auto lines = record.WaitForLines(1);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0], kOpenForum);
  apptest::RemovePath(kSystemFolder);
}

}  // namespace
