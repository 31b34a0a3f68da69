// Command1 on a desktop whose path lies outside the ANSI code page. A test
// program of its own: the shell keeps the desktop folder it first resolved for
// the rest of the process.
#include <gtest/gtest.h>
#include <windows.h>

#include "tests/app/app_test_util.h"

namespace {

using apptest::IsDirectory;

const std::wstring kFolderName = L"上帝模式.{ED7BA470-8E54-465E-825C-99712043E01C}";
const std::wstring kCreatedText = L"创建“上帝模式”成功，请查看桌面图标！";

bool FitsCodePage936(const std::wstring& text) {
  BOOL lossy = FALSE;
  WideCharToMultiByte(936, WC_NO_BEST_FIT_CHARS, text.c_str(), -1, nullptr, 0, nullptr, &lossy);
  return !lossy;
}

TEST(FolderCommandsDesktop, Command1WorksOnADesktopPathOutsideTheAnsiCodePage) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring desktop = std::wstring(temp) + L"바탕 화면 été";
  ASSERT_FALSE(FitsCodePage936(desktop));
  const std::wstring target = desktop + L"\\" + kFolderName;
  apptest::RemovePath(target);
  {
    CreateDirectoryW(desktop.c_str(), nullptr);
    apptest::DesktopRedirect moved(desktop, REG_EXPAND_SZ);
    ASSERT_TRUE(moved.set());
    ASSERT_EQ(apptest::DesktopFolder(), desktop);

    apptest::LoadedForm1 app;
    apptest::MessageBoxCatcher catcher;
    SendMessageW(app.control(L"Command1"), BM_CLICK, 0, 0);
    ASSERT_EQ(catcher.boxes().size(), 1u);
    EXPECT_EQ(catcher.boxes()[0].text, kCreatedText);
    EXPECT_TRUE(IsDirectory(target));
  }
  apptest::RemovePath(target);
  RemoveDirectoryW(desktop.c_str());
}

}  // namespace
