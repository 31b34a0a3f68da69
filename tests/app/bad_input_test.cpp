// The folder commands on hostile ground: a desktop that cannot hold the
// folder, a file in the folder's place, a desktop path as long as the shell
// returns, and a system directory whose parent is missing. The commands run in
// a child process: the shell keeps the first desktop it resolves for the rest
// of a process, and the standard error report ends the process it runs in.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "app/error_report.h"
#include "app/folder_commands.h"
#include "app/form1.h"
#include "tests/app/app_test_util.h"
#include "tests/support/win32_test.h"

namespace {

using apptest::IsDirectory;
using apptest::IsPlainFile;

const std::wstring kFolderName = godmode::kGodModeFolderName;
constexpr wchar_t kErrorTitle[] = L"运行时错误";
constexpr wchar_t kCreateStep[] = L"创建文件夹";
constexpr DWORD kChildTimeoutMs = 20000;

std::wstring TempFolder() {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  return temp;
}

std::wstring Unique(const wchar_t* stem) {
  return TempFolder() + stem + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(GetTickCount());
}

// A path beyond MAX_PATH needs the extended-length prefix on the test's side.
std::wstring Extended(const std::wstring& path) { return L"\\\\?\\" + path; }

std::set<std::wstring> ListFolder(const std::wstring& folder) {
  std::set<std::wstring> names;
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW(Extended(folder + L"\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    if (wcscmp(data.cFileName, L".") != 0 && wcscmp(data.cFileName, L"..") != 0) names.insert(data.cFileName);
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return names;
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(Extended(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string ReadWholeFile(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "<unreadable>";
  std::string bytes(GetFileSize(file, nullptr), '\0');
  DWORD read = 0;
  if (!bytes.empty()) ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  CloseHandle(file);
  bytes.resize(read);
  return bytes;
}

bool WriteWholeFile(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

using apptest::DesktopRedirect;

struct ChildRun {
  bool started = false;
  bool ended = false;
  DWORD exitCode = STILL_ACTIVE;
  std::vector<apptest::SeenBox> boxes;
};

void AnswerOk(HWND box) { PostMessageW(box, WM_COMMAND, IDOK, 0); }
// What Task Manager's "End task" does: WM_CLOSE to the box's owner, the form.
void CloseTheOwner(HWND box) { PostMessageW(GetWindow(box, GW_OWNER), WM_CLOSE, 0, 0); }

// Runs the command child, reads every message box it shows (their text comes
// across with WM_GETTEXT), answers each (with OK unless told otherwise), and
// waits for the end. Another program, or windows of another class, if told.
ChildRun RunCommandChild(const std::wstring& args, void (*answer)(HWND box) = AnswerOk,
                         const std::wstring& program = COMMAND_CHILD_EXE, const wchar_t* windowClass = L"#32770") {
  ChildRun run;
  std::wstring commandLine = L"\"" + program + L"\" " + args;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return run;
  run.started = true;
  const DWORD start = GetTickCount();
  HWND answered = nullptr;
  while (GetTickCount() - start < kChildTimeoutMs) {
    if (WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) break;
    const HWND box = apptest::FindProcessMessageBox(process.dwProcessId, windowClass);
    if (box && box != answered) {
      test::PumpMessages(150);  // let the box finish laying itself out
      run.boxes.push_back(apptest::ReadMessageBox(box));
      answer(box);
      answered = box;
    }
    test::PumpMessages(30);
  }
  run.ended = WaitForSingleObject(process.hProcess, 5000) == WAIT_OBJECT_0;
  if (!run.ended) TerminateProcess(process.hProcess, 99);
  GetExitCodeProcess(process.hProcess, &run.exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return run;
}

std::wstring Describe(const ChildRun& run) {
  std::wstring text = L"exit " + std::to_wstring(run.exitCode) + L"; boxes:";
  for (const auto& box : run.boxes) text += L" [" + box.title + L": " + box.text + L"]";
  return text;
}

using test::Narrow;

bool Contains(const std::wstring& text, const std::wstring& part) { return text.find(part) != std::wstring::npos; }

// The one box a failing command shows: the standard error report naming the
// step and the system's reason, after which the child ends with a failure.
void ExpectErrorReport(const ChildRun& run, const std::wstring& step, DWORD reason) {
  ASSERT_TRUE(run.ended) << Narrow(Describe(run));
  ASSERT_EQ(run.boxes.size(), 1u) << Narrow(Describe(run));
  EXPECT_EQ(run.boxes[0].title, kErrorTitle);
  EXPECT_TRUE(Contains(run.boxes[0].text, step)) << Narrow(run.boxes[0].text);
  EXPECT_TRUE(Contains(run.boxes[0].text, form::SystemErrorText(reason))) << Narrow(run.boxes[0].text);
  EXPECT_NE(run.exitCode, 0u);
  EXPECT_NE(run.exitCode, static_cast<DWORD>(STILL_ACTIVE));
}

constexpr wchar_t kReadDesktopStep[] = L"读取桌面路径";

// Runs Command1 in a child whose desktop is pointed at `desktop`.
ChildRun RunCommand1On(const std::wstring& desktop) {
  DesktopRedirect redirect(desktop);
  if (!redirect.set()) return ChildRun{};
  return RunCommandChild(L"command1");
}

// The machines run as root, for whom permission bits stop nothing, so the
// desktop is made unusable in ways that hold for every user: a regular file
// in its place (no directory can be made inside a file), a folder below a
// regular file, and a folder that does not exist. The shell refuses the last
// two as a desktop; the first gets as far as the creation.
TEST(BadInput, UnusableDesktopIsReportedAndTouchesNothing) {
  const std::wstring realDesktop = apptest::DesktopFolder();
  ASSERT_FALSE(realDesktop.empty());
  const std::set<std::wstring> realBefore = ListFolder(realDesktop);
  const std::wstring blocker = Unique(L"desktop-blocker");
  const std::string blockerBytes = "not a folder\r\n";
  ASSERT_TRUE(WriteWholeFile(blocker, blockerBytes));

  {
    SCOPED_TRACE("desktop is a regular file");
    const ChildRun run = RunCommand1On(blocker);
    ASSERT_TRUE(run.started);
    ExpectErrorReport(run, kCreateStep, ERROR_PATH_NOT_FOUND);
    if (!run.boxes.empty()) {
      EXPECT_TRUE(Contains(run.boxes[0].text, blocker + L"\\" + kFolderName)) << Narrow(run.boxes[0].text);
    }
  }
  {
    SCOPED_TRACE("desktop below a regular file");
    const ChildRun run = RunCommand1On(blocker + L"\\Desktop");
    ASSERT_TRUE(run.started);
    ExpectErrorReport(run, kReadDesktopStep, ERROR_PATH_NOT_FOUND);
  }
  EXPECT_TRUE(IsPlainFile(blocker));
  EXPECT_EQ(ReadWholeFile(blocker), blockerBytes);
  DeleteFileW(blocker.c_str());

  {
    SCOPED_TRACE("desktop missing");
    const std::wstring missing = Unique(L"missing-desktop");
    ASSERT_FALSE(Exists(missing));
    const ChildRun run = RunCommand1On(missing);
    ASSERT_TRUE(run.started);
    ExpectErrorReport(run, kReadDesktopStep, ERROR_PATH_NOT_FOUND);
    EXPECT_FALSE(Exists(missing)) << "the missing desktop was created";
  }
  EXPECT_EQ(ListFolder(realDesktop), realBefore);
  EXPECT_EQ(apptest::DesktopFolder(), realDesktop);
}

// Closed from outside while Command1's box is up: the form is unloaded and
// freed inside the box's modal loop, the box goes with it, and the program
// ends with code 0. The child's heap poisons freed memory, so code that
// touches the form after it is gone crashes it.
TEST(BadInput, ClosedFromOutsideWhileCommand1sBoxIsUpTheProgramEndsCleanly) {
  const std::wstring target = apptest::DesktopFolder() + L"\\" + kFolderName;
  const ChildRun run = RunCommandChild(L"command1loop", CloseTheOwner);
  apptest::RemovePath(target);
  ASSERT_TRUE(run.ended) << Narrow(Describe(run));
  EXPECT_EQ(run.boxes.size(), 1u) << Narrow(Describe(run));
  EXPECT_EQ(run.exitCode, 0u) << Narrow(Describe(run));
}

// A file in the folder's place counts as the folder: the "exists" message,
// and the file keeps its size and bytes.
TEST(BadInput, PlainFileInTheFoldersPlaceIsLeftAlone) {
  const std::wstring desktop = apptest::DesktopFolder();
  const std::wstring target = desktop + L"\\" + kFolderName;
  apptest::RemovePath(target);
  std::string bytes = "user data \xC9\xCF\xB5\xDB\r\n";
  bytes.push_back('\0');
  bytes += std::string(5000, '\x7F');
  ASSERT_TRUE(WriteWholeFile(target, bytes));
  const std::set<std::wstring> before = ListFolder(desktop);

  {
    apptest::LoadedForm1 app;
    apptest::MessageBoxCatcher catcher;
    SendMessageW(app.control(L"Command1"), BM_CLICK, 0, 0);
    ASSERT_EQ(catcher.boxes().size(), 1u);
    EXPECT_EQ(catcher.boxes()[0].text, godmode::kExistsMessage);
    EXPECT_EQ(catcher.boxes()[0].title, godmode::kExistsTitle);
  }
  EXPECT_TRUE(IsPlainFile(target));
  const std::string after = ReadWholeFile(target);
  EXPECT_EQ(after.size(), bytes.size());
  EXPECT_TRUE(after == bytes) << "the file's contents changed";
  EXPECT_EQ(ListFolder(desktop), before);
  DeleteFileW(target.c_str());
}

// Makes a chain of folders whose full path is exactly `length` characters.
std::wstring MakeFolderOfLength(const std::wstring& root, size_t length, std::vector<std::wstring>& made) {
  std::wstring path = root;
  CreateDirectoryW(Extended(path).c_str(), nullptr);
  made.push_back(path);
  while (path.size() < length) {
    const size_t room = length - path.size() - 1;  // one for the separator
    // Keep every level at least two characters, so a short last step never
    // leaves a one-character remainder that cannot be made.
    size_t part = std::min<size_t>(60, room);
    if (room - part == 1 || room - part == 2) part -= 3;
    path += L"\\" + std::wstring(part, static_cast<wchar_t>(L'a' + made.size() % 26));
    CreateDirectoryW(Extended(path).c_str(), nullptr);
    made.push_back(path);
  }
  return path;
}

// The desktop at the longest path the shell hands back (MAX_PATH - 1
// characters before the NUL): the target path is then longer than MAX_PATH.
TEST(BadInput, LongestDesktopPathIsUsedWhole) {
  std::vector<std::wstring> made;
  const std::wstring root = Unique(L"long");
  const std::wstring desktop = MakeFolderOfLength(root, MAX_PATH - 1, made);
  ASSERT_EQ(desktop.size(), static_cast<size_t>(MAX_PATH - 1));
  ASSERT_TRUE(IsDirectory(Extended(desktop)));
  const std::wstring parent = made[made.size() - 2];
  const std::set<std::wstring> parentBefore = ListFolder(parent);
  const std::wstring target = desktop + L"\\" + kFolderName;

  ChildRun run;
  {
    DesktopRedirect redirect(desktop);
    ASSERT_TRUE(redirect.set());
    run = RunCommandChild(L"command1");
  }
  ASSERT_TRUE(run.started);
  ASSERT_TRUE(run.ended) << Narrow(Describe(run));
  ASSERT_EQ(run.boxes.size(), 1u) << Narrow(Describe(run));
  // Wine hands back the whole path and the folder is made past MAX_PATH.
  ASSERT_GT(target.size(), static_cast<size_t>(MAX_PATH));
  EXPECT_EQ(run.boxes[0].title, godmode::kCreatedTitle) << Narrow(Describe(run));
  EXPECT_EQ(run.boxes[0].text, godmode::kCreatedMessage);
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_TRUE(IsDirectory(Extended(target))) << "not made at the full path";
  EXPECT_EQ(ListFolder(desktop), std::set<std::wstring>{kFolderName});
  EXPECT_EQ(ListFolder(parent), parentBefore);

  RemoveDirectoryW(Extended(target).c_str());
  for (auto it = made.rbegin(); it != made.rend(); ++it) RemoveDirectoryW(Extended(*it).c_str());
  EXPECT_FALSE(Exists(root));
}

// Every folder below `root`, deepest first.
void CollectTree(const std::wstring& root, std::vector<std::wstring>& found) {
  for (const std::wstring& name : ListFolder(root)) {
    const std::wstring path = root + L"\\" + name;
    if (IsDirectory(Extended(path))) CollectTree(path, found);
    found.push_back(path);
  }
}

// A desktop longer than the shell can hand back must not be used cut off.
// Wine's shell does not truncate such a value: it reports the profile's own
// desktop instead, so the folder is made whole there and nothing appears
// anywhere along the long path.
TEST(BadInput, DesktopPathBeyondMaxPathIsNotCutOff) {
  std::vector<std::wstring> made;
  const std::wstring root = Unique(L"longer");
  const std::wstring desktop = MakeFolderOfLength(root, MAX_PATH + 20, made);
  ASSERT_TRUE(IsDirectory(Extended(desktop)));
  std::vector<std::wstring> before;
  CollectTree(root, before);
  const std::wstring realDesktop = apptest::DesktopFolder();
  const std::wstring realTarget = realDesktop + L"\\" + kFolderName;
  apptest::RemovePath(realTarget);
  const std::set<std::wstring> realBefore = ListFolder(realDesktop);

  ChildRun run;
  {
    DesktopRedirect redirect(desktop);
    ASSERT_TRUE(redirect.set());
    run = RunCommandChild(L"command1");
  }
  ASSERT_TRUE(run.started);
  ASSERT_TRUE(run.ended) << Narrow(Describe(run));
  std::vector<std::wstring> after;
  CollectTree(root, after);
  EXPECT_EQ(after, before) << "something was made along the long path";
  ASSERT_EQ(run.boxes.size(), 1u) << Narrow(Describe(run));
  EXPECT_EQ(run.boxes[0].title, godmode::kCreatedTitle) << Narrow(Describe(run));
  EXPECT_EQ(run.exitCode, 0u);
  std::set<std::wstring> realExpected = realBefore;
  realExpected.insert(kFolderName);
  EXPECT_EQ(ListFolder(realDesktop), realExpected);
  EXPECT_TRUE(IsDirectory(realTarget));

  apptest::RemovePath(realTarget);
  for (const std::wstring& path : after) RemoveDirectoryW(Extended(path).c_str());
  RemoveDirectoryW(Extended(root).c_str());
  EXPECT_FALSE(Exists(root));
}

// The system-folder command's steps on a system directory whose parent is
// missing. The fixed c:\windows\system32 cannot be taken away under Wine, so
// the child runs the same existence test, creation and start through the
// same runtime services on such a path.
TEST(BadInput, SystemFolderUnderAMissingDirectoryIsReportedAndNothingStarts) {
  const std::wstring missing = Unique(L"missing-windows");
  const std::wstring folder = missing + L"\\system32\\" + kFolderName;
  apptest::CommandRecord record;

  const ChildRun run = RunCommandChild(L"systemfolder " + folder);
  ASSERT_TRUE(run.started);
  ExpectErrorReport(run, kCreateStep, ERROR_PATH_NOT_FOUND);
  if (!run.boxes.empty()) {
    EXPECT_TRUE(Contains(run.boxes[0].text, folder));
  }
  EXPECT_EQ(run.exitCode, static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  EXPECT_FALSE(Exists(missing));
  test::PumpMessages(300);
  EXPECT_TRUE(record.Lines().empty()) << "a command was started after the failed creation";
}

// The same steps with the parent in place: the folder is made and opened, so
// the failure above comes from the missing parent and nothing else.
TEST(BadInput, SystemFolderStepsSucceedWhenTheParentExists) {
  const std::wstring system = Unique(L"present-system32");
  ASSERT_TRUE(CreateDirectoryW(system.c_str(), nullptr));
  const std::wstring folder = system + L"\\" + kFolderName;
  apptest::CommandRecord record;

  const ChildRun run = RunCommandChild(L"systemfolder " + folder);
  ASSERT_TRUE(run.ended);
  EXPECT_TRUE(run.boxes.empty()) << Narrow(Describe(run));
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_TRUE(IsDirectory(folder));
  const std::vector<std::wstring> lines = record.WaitForLines(1);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].rfind(L"1|", 0), 0u) << Narrow(lines[0]);
  EXPECT_TRUE(Contains(lines[0], L"\"" + folder + L"\"")) << Narrow(lines[0]);

  RemoveDirectoryW(folder.c_str());
  RemoveDirectoryW(system.c_str());
}

// While alive, system32 refuses new entries, as Windows 7's does without
// administrator rights: Wine ignores a directory's read-only attribute and
// root passes permission bits, so a shell makes it immutable (or unwritable),
// leaving a mark file: Wine gives a Unix program no handles to wait on.
struct RefusingSystemDirectory {
  RefusingSystemDirectory() { Shell(L"chmod a-w system32; chattr +i system32"); }
  ~RefusingSystemDirectory() { Shell(L"chattr -i system32; chmod u+w system32"); }
  static void Shell(std::wstring line) {
    line = L"sh -c \"cd \\\"$WINEPREFIX/drive_c/windows\\\" && " + line + L"; : > temp/unix-step\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (CreateProcessW(L"Z:\\bin\\sh", line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
      test::PumpUntil([] { return DeleteFileW(L"c:\\windows\\temp\\unix-step") != FALSE; }, 10000);
  }
};

// Started with the switch alone, the tool makes and opens the system folder
// without a window; other command lines show the form. Refused by system32,
// Command2 taken for unelevated (the child's answer: Wine runs everything
// elevated) starts its own executable with the switch, shows no box and keeps
// its form; elevated, the refusal is the standard error report.
TEST(BadInput, RefusedCommand2AsksForAdministratorRightsOnlyWithoutThem) {
  const std::wstring folder = godmode::kSystemGodModeFolder;
  apptest::RemovePath(folder);
  apptest::CommandRecord record;
  for (const wchar_t* args : {L"/system-folder extra", L"/unknown", L"system-folder"}) {
    const ChildRun shown =
        RunCommandChild(args, [](HWND form) { PostMessageW(form, WM_CLOSE, 0, 0); }, GODMODE_EXE, L"Form");
    EXPECT_TRUE(shown.ended && shown.boxes.size() == 1 && shown.exitCode == 0 && !Exists(folder)) << Narrow(args);
  }
  const ChildRun request = RunCommandChild(godmode::kSystemFolderSwitch, AnswerOk, GODMODE_EXE);
  EXPECT_TRUE(request.ended && request.boxes.empty() && request.exitCode == 0 && IsDirectory(folder))
      << Narrow(Describe(request));
  apptest::RemovePath(folder);

  RefusingSystemDirectory refusing;
  ASSERT_TRUE(!CreateDirectoryW(folder.c_str(), nullptr) && GetLastError() == ERROR_ACCESS_DENIED);
  const ChildRun asked = RunCommandChild(L"command2 unelevated");
  EXPECT_TRUE(asked.ended && asked.boxes.empty() && asked.exitCode == 0) << Narrow(Describe(asked));
  ExpectErrorReport(RunCommandChild(L"command2"), kCreateStep, ERROR_ACCESS_DENIED);
  const std::vector<std::wstring> lines = record.WaitForLines(2);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], L"1|" + godmode::UrlHandlerCommandLine(folder));
  EXPECT_TRUE(Contains(lines[1], L"app_command_child.exe\" /system-folder")) << Narrow(lines[1]);
}

}  // namespace
