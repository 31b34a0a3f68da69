#include "tests/app/app_test_util.h"

#include <shlobj.h>

#include "app/form1.h"
#include "skin/draw/high_contrast.h"
#include "tests/support/win32_test.h"

namespace apptest {

LoadedForm1::LoadedForm1() : form_(form::Form::Load(godmode::Form1(), false)), hwnd_(form_->hwnd()) {
  test::PumpMessages(50);
}

LoadedForm1::~LoadedForm1() {
  skin::SetHighContrastAnswer(std::nullopt);  // a test's own answer ends with its form
  if (IsWindow(hwnd_)) SendMessageW(hwnd_, WM_CLOSE, 0, 0);
  test::PumpMessages(20);
}

namespace {

constexpr UINT kCatchIntervalMs = 50;
std::vector<SeenBox> g_boxes;
HWND g_closing = nullptr;
UINT_PTR g_timer = 0;

BOOL CALLBACK FindIconProc(HWND child, LPARAM lp) {
  wchar_t cls[32] = {};
  GetClassNameW(child, cls, ARRAYSIZE(cls));
  if (lstrcmpiW(cls, L"Static") == 0 && (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
    *reinterpret_cast<HICON*>(lp) = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
    return FALSE;
  }
  return TRUE;
}

void CALLBACK CatchBoxProc(HWND, UINT, UINT_PTR, DWORD) {
  HWND box = test::FindThreadWindow("#32770");
  if (!box || box == g_closing) return;
  g_boxes.push_back(ReadMessageBox(box));
  g_closing = box;
  PostMessageW(box, WM_COMMAND, IDOK, 0);
}

}  // namespace

namespace {

constexpr int kGraceTicks = 25;  // after the last step, before the form is destroyed
const std::vector<std::function<void()>>* g_steps = nullptr;
HWND g_loopForm = nullptr;
LoopRun g_loopRun;
int g_idleTicks = 0;

void CALLBACK LoopStepProc(HWND, UINT, UINT_PTR, DWORD) {
  if (g_loopRun.stepsRun < g_steps->size()) {
    (*g_steps)[g_loopRun.stepsRun++]();
  } else if (++g_idleTicks == kGraceTicks && IsWindow(g_loopForm)) {
    DestroyWindow(g_loopForm);
  }
}

}  // namespace

LoopRun RunMainLoop(HWND form, const std::vector<std::function<void()>>& steps, UINT intervalMs) {
  g_steps = &steps;
  g_loopForm = form;
  g_loopRun = LoopRun{};
  g_idleTicks = 0;
  const UINT_PTR timer = SetTimer(nullptr, 0, intervalMs, LoopStepProc);
  g_loopRun.exitCode = form::RunMessageLoop(form);
  g_loopRun.endedByItself = g_idleTicks < kGraceTicks;
  KillTimer(nullptr, timer);
  g_steps = nullptr;
  return g_loopRun;
}

void SendKey(WORD vk, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &input, sizeof(input));
}

void TypeKey(WORD vk) {
  SendKey(vk, false);
  SendKey(vk, true);
}

SeenBox ReadMessageBox(HWND box) {
  SeenBox seen;
  seen.title = test::WindowTextW(box);
  // The message text is the static control with id 0xFFFF.
  seen.text = test::WindowTextW(GetDlgItem(box, 0xFFFF));
  seen.owner = GetWindow(box, GW_OWNER);
  EnumChildWindows(box, FindIconProc, reinterpret_cast<LPARAM>(&seen.icon));
  return seen;
}

MessageBoxCatcher::MessageBoxCatcher() {
  g_boxes.clear();
  g_closing = nullptr;
  g_timer = SetTimer(nullptr, 0, kCatchIntervalMs, CatchBoxProc);
}

MessageBoxCatcher::~MessageBoxCatcher() {
  KillTimer(nullptr, g_timer);
  g_timer = 0;
}

const std::vector<SeenBox>& MessageBoxCatcher::boxes() const { return g_boxes; }

namespace {

// Wine reads a started program's load order from the registry (an override
// put into this process's environment would not reach it).
constexpr wchar_t kOverridesKey[] = L"Software\\Wine\\DllOverrides";
constexpr wchar_t kRundll32[] = L"rundll32.exe";
constexpr wchar_t kNative[] = L"native";

void SetNativeRundll32(bool native) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kOverridesKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr))
    return;
  if (native)
    RegSetValueExW(key, kRundll32, 0, REG_SZ, reinterpret_cast<const BYTE*>(kNative), sizeof(kNative));
  else
    RegDeleteValueW(key, kRundll32);
  RegCloseKey(key);
}

std::wstring StandInBesideTheTests() {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path = self;
  return path.substr(0, path.rfind(L'\\') + 1) + L"rundll32.exe";
}

}  // namespace

CommandRecord::CommandRecord() {
  wchar_t dir[MAX_PATH];
  GetTempPathW(MAX_PATH, dir);
  const std::wstring stem = std::wstring(dir) + L"app-commands-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                            std::to_wstring(GetTickCount());
  path_ = stem + L".txt";
  DeleteFileW(path_.c_str());
  SetEnvironmentVariableW(L"APP_TEST_RECORD", path_.c_str());

  wchar_t system[MAX_PATH] = {};
  GetSystemDirectoryW(system, MAX_PATH);
  systemCopy_ = std::wstring(system) + L"\\rundll32.exe";
  original_ = stem + L"-rundll32.exe";
  CopyFileW(systemCopy_.c_str(), original_.c_str(), FALSE);
  CopyFileW(StandInBesideTheTests().c_str(), systemCopy_.c_str(), FALSE);
  SetNativeRundll32(true);
}

CommandRecord::~CommandRecord() {
  SetNativeRundll32(false);
  SetEnvironmentVariableW(L"APP_TEST_RECORD", nullptr);
  // A stand-in that still runs keeps its file busy for a moment.
  test::PumpUntil([&] { return CopyFileW(original_.c_str(), systemCopy_.c_str(), FALSE) != FALSE; }, 5000);
  DeleteFileW(original_.c_str());
  DeleteFileW(path_.c_str());
}

std::vector<std::wstring> CommandRecord::Lines() const {
  std::vector<std::wstring> lines = Records();
  for (auto& line : lines) line.erase(0, line.find(L'|') + 1);
  return lines;
}

std::vector<std::wstring> CommandRecord::ProgramsElsewhere() const {
  std::vector<std::wstring> elsewhere;
  for (const auto& line : Records()) {
    const std::wstring program = line.substr(0, line.find(L'|'));
    if (lstrcmpiW(program.c_str(), systemCopy_.c_str()) != 0) elsewhere.push_back(program);
  }
  return elsewhere;
}

std::vector<std::wstring> CommandRecord::Records() const {
  std::vector<std::wstring> lines;
  HANDLE file = CreateFileW(path_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return lines;
  std::string bytes(GetFileSize(file, nullptr), '\0');
  DWORD read = 0;
  if (!bytes.empty()) ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  CloseHandle(file);
  bytes.resize(read);
  const int count = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring text(count, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), count);
  size_t start = 0;
  for (size_t end; (end = text.find(L'\n', start)) != std::wstring::npos; start = end + 1)
    lines.push_back(text.substr(start, end - start));
  return lines;
}

std::vector<std::wstring> CommandRecord::WaitForLines(size_t count, DWORD timeoutMs) const {
  std::vector<std::wstring> lines;
  test::PumpUntil(
      [&] {
        lines = Lines();
        return lines.size() >= count;
      },
      timeoutMs);
  return lines;
}

namespace {

constexpr wchar_t kShellFoldersKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

struct ProcessBoxSearch {
  DWORD processId;
  const wchar_t* className;
  HWND box;
};

BOOL CALLBACK FindProcessBoxProc(HWND hwnd, LPARAM lp) {
  auto* search = reinterpret_cast<ProcessBoxSearch*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  wchar_t cls[16] = {};
  GetClassNameW(hwnd, cls, ARRAYSIZE(cls));
  if (pid == search->processId && IsWindowVisible(hwnd) && wcscmp(cls, search->className) == 0) {
    search->box = hwnd;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

DesktopRedirect::DesktopRedirect(const std::wstring& folder, DWORD valueType) {
  RegOpenKeyExW(HKEY_CURRENT_USER, kShellFoldersKey, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key_);
  wchar_t old[MAX_PATH * 2] = {};
  DWORD size = sizeof(old);
  hadValue_ =
      RegQueryValueExW(key_, L"Desktop", nullptr, &type_, reinterpret_cast<BYTE*>(old), &size) == ERROR_SUCCESS;
  old_ = old;
  set_ = RegSetValueExW(key_, L"Desktop", 0, valueType, reinterpret_cast<const BYTE*>(folder.c_str()),
                        static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

DesktopRedirect::~DesktopRedirect() {
  if (hadValue_)
    RegSetValueExW(key_, L"Desktop", 0, type_, reinterpret_cast<const BYTE*>(old_.c_str()),
                   static_cast<DWORD>((old_.size() + 1) * sizeof(wchar_t)));
  else
    RegDeleteValueW(key_, L"Desktop");
  RegCloseKey(key_);
}

HWND FindProcessMessageBox(DWORD processId, const wchar_t* className) {
  ProcessBoxSearch search{processId, className, nullptr};
  EnumWindows(FindProcessBoxProc, reinterpret_cast<LPARAM>(&search));
  return search.box;
}

std::wstring DesktopFolder() {
  wchar_t path[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, path);
  return path;
}

bool IsDirectory(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsPlainFile(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void RemovePath(const std::wstring& path) {
  if (IsDirectory(path)) RemoveDirectoryW(path.c_str());
  else if (IsPlainFile(path)) DeleteFileW(path.c_str());
}

size_t CountEntries(const std::wstring& directory) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((directory + L"\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return 0;
  size_t count = 0;
  do {
    if (wcscmp(data.cFileName, L".") != 0 && wcscmp(data.cFileName, L"..") != 0) ++count;
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return count;
}

}  // namespace apptest
