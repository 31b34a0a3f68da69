// The two folder commands, driven through the real buttons of Form1.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <vector>

#include "app/folder_commands.h"
#include "app/form1.h"
#include "tests/app/app_test_util.h"
#include "tests/support/win32_test.h"

namespace {

using apptest::IsDirectory;
using apptest::IsPlainFile;

const std::wstring kFolderName = L"上帝模式.{ED7BA470-8E54-465E-825C-99712043E01C}";
const std::wstring kSystemFolder = L"c:\\windows\\system32\\" + kFolderName;
const std::wstring kCreatedText = L"创建“上帝模式”成功，请查看桌面图标！";
const std::wstring kExistsText = L"对不起，你要新建的对象已存在，不能重建！";
const std::wstring kOpenSystemFolder =
    L"1|rundll32.exe url.dll,FileProtocolHandler \"" + kSystemFolder + L"\"";

HICON SystemIcon(LPSTR id) { return LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(id)); }

void Click(HWND button) { SendMessageW(button, BM_CLICK, 0, 0); }

class FolderCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    desktop_ = apptest::DesktopFolder();
    ASSERT_FALSE(desktop_.empty());
    target_ = desktop_ + L"\\" + kFolderName;
    apptest::RemovePath(target_);
    apptest::RemovePath(kSystemFolder);
  }
  void TearDown() override {
    apptest::RemovePath(target_);
    apptest::RemovePath(kSystemFolder);
  }
  std::wstring desktop_;
  std::wstring target_;
};

TEST_F(FolderCommands, Command1CreatesTheFolderOnceAndThenReportsThatItExists) {
  apptest::LoadedForm1 app;
  apptest::MessageBoxCatcher catcher;

  Click(app.control(L"Command1"));
  ASSERT_EQ(catcher.boxes().size(), 1u);
  const apptest::SeenBox& created = catcher.boxes()[0];
  EXPECT_EQ(created.text, kCreatedText);
  EXPECT_EQ(created.title, L"成功信息");
  EXPECT_EQ(created.icon, SystemIcon(IDI_INFORMATION));
  EXPECT_EQ(created.owner, app.hwnd());
  EXPECT_TRUE(IsDirectory(target_));

  const size_t entries = apptest::CountEntries(desktop_);
  Click(app.control(L"Command1"));
  ASSERT_EQ(catcher.boxes().size(), 2u);
  const apptest::SeenBox& exists = catcher.boxes()[1];
  EXPECT_EQ(exists.text, kExistsText);
  EXPECT_EQ(exists.title, L"Tarvel提示");
  EXPECT_EQ(exists.icon, SystemIcon(IDI_EXCLAMATION));
  EXPECT_EQ(exists.owner, app.hwnd());
  EXPECT_TRUE(IsDirectory(target_));
  EXPECT_EQ(apptest::CountEntries(desktop_), entries);
}

TEST_F(FolderCommands, Command1CountsAPlainFileOfThatNameAsExisting) {
  HANDLE file = CreateFileW(target_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  CloseHandle(file);

  apptest::LoadedForm1 app;
  apptest::MessageBoxCatcher catcher;
  Click(app.control(L"Command1"));
  ASSERT_EQ(catcher.boxes().size(), 1u);
  EXPECT_EQ(catcher.boxes()[0].text, kExistsText);
  EXPECT_EQ(catcher.boxes()[0].icon, SystemIcon(IDI_EXCLAMATION));
  EXPECT_TRUE(IsPlainFile(target_));
}

TEST_F(FolderCommands, Command2CreatesTheSystemFolderWhenMissingAndOpensItEitherWay) {
  apptest::LoadedForm1 app;
  apptest::CommandRecord record;
  apptest::MessageBoxCatcher catcher;

  Click(app.control(L"Command2"));
  EXPECT_TRUE(IsDirectory(kSystemFolder));
  auto lines = record.WaitForLines(1);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0], kOpenSystemFolder);

  Click(app.control(L"Command2"));
  lines = record.WaitForLines(2);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1], kOpenSystemFolder);
  EXPECT_TRUE(IsDirectory(kSystemFolder));

  // Both from the system directory, not the stand-in beside the tool.
  EXPECT_EQ(record.ProgramsElsewhere(), std::vector<std::wstring>{});

  test::PumpMessages(200);
  EXPECT_TRUE(catcher.boxes().empty());
  // Command2 never touches the desktop.
  EXPECT_FALSE(IsDirectory(target_));
}

// Enter on a focused command button clicks it as Space does: once per press
// however long the key is held (the held key repeats), with the skin's look
// and the button's owner-draw style untouched.
TEST_F(FolderCommands, EnterOnAFocusedButtonClicksItOncePerPress) {
  form::Form* form = form::Form::Load(godmode::Form1(), true);
  const HWND hwnd = form->hwnd();
  const HWND command2 = form->ControlWindow(L"Command2");
  apptest::CommandRecord record;
  std::wstring changed;  // what Enter changed of the button's look
  auto checkLook = [&](const wchar_t* when) {
    if ((GetWindowLongW(command2, GWL_STYLE) & BS_TYPEMASK) != BS_OWNERDRAW) changed += L"style ";
    if (GetPropA(command2, "OLDSTATE") == reinterpret_cast<HANDLE>(2)) changed += L"pressed ";
    if (!changed.empty()) changed += std::wstring(when) + L"; ";
  };
  const std::vector<std::function<void()>> steps = {
      [&] {
        SetForegroundWindow(hwnd);
        SetFocus(command2);
        for (int i = 0; i < 3; ++i) apptest::SendKey(VK_RETURN, false);
      },
      [&] {
        checkLook(L"held");
        apptest::SendKey(VK_RETURN, true);
      },
      [&] { apptest::TypeKey(VK_RETURN); },
      [&] {
        checkLook(L"after");
        PostMessageW(hwnd, WM_CLOSE, 0, 0);
      },
  };
  const apptest::LoopRun run = apptest::RunMainLoop(hwnd, steps);
  EXPECT_EQ(run.stepsRun, steps.size());
  EXPECT_TRUE(changed.empty()) << test::Narrow(changed);
  record.WaitForLines(2);
  test::PumpMessages(500);
  const auto lines = record.Lines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], kOpenSystemFolder);
  EXPECT_EQ(lines[1], kOpenSystemFolder);
}

}  // namespace
