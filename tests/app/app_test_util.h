// Helpers for the main window's tests: a loaded Form1, message boxes caught
// inside their modal loop, and the record of started command lines.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "app/form_runtime.h"

namespace apptest {

// Loads Form1 (without ending the thread's loop) and closes it at scope exit.
class LoadedForm1 {
 public:
  LoadedForm1();
  LoadedForm1(const LoadedForm1&) = delete;
  LoadedForm1& operator=(const LoadedForm1&) = delete;
  ~LoadedForm1();
  form::Form& form() const { return *form_; }
  HWND hwnd() const { return hwnd_; }
  HWND control(const wchar_t* name) const { return form_->ControlWindow(name); }

 private:
  form::Form* form_;
  HWND hwnd_;
};

// How RunMainLoop went: the loop's exit code, how many steps ran, and
// whether the form went by itself before it had to be destroyed.
struct LoopRun {
  int exitCode = -1;
  size_t stepsRun = 0;
  bool endedByItself = false;
};

// Runs form::RunMessageLoop for a main form (loaded with endsProcess) while a
// timer inside the loop runs the steps, one every intervalMs. A form still
// there a while after the last step is destroyed, so the loop always ends.
LoopRun RunMainLoop(HWND form, const std::vector<std::function<void()>>& steps, UINT intervalMs = 200);

// Real keyboard input, as the focused window of the foreground gets it.
void SendKey(WORD vk, bool up);
void TypeKey(WORD vk);

// What a message box of this thread showed before it was closed.
struct SeenBox {
  std::wstring title;
  std::wstring text;
  HWND owner = nullptr;
  HICON icon = nullptr;
};

// While alive, every message box of this thread is read and closed with OK
// from a timer that runs inside the box's own modal loop.
class MessageBoxCatcher {
 public:
  MessageBoxCatcher();
  MessageBoxCatcher(const MessageBoxCatcher&) = delete;
  MessageBoxCatcher& operator=(const MessageBoxCatcher&) = delete;
  ~MessageBoxCatcher();
  const std::vector<SeenBox>& boxes() const;
};

// Reads a message box window (title, static text, icon, owner).
SeenBox ReadMessageBox(HWND box);

// A record file that the stand-in rundll32.exe appends to. While alive, the
// stand-in is the prefix's system rundll32.exe: copied over Wine's own, which
// is put back at the end, and run in place of the builtin one (which Wine
// prefers) through the prefix's DLL override "rundll32.exe"="native". Wine's
// own set-up runs rundll32 too, so the override lives only this long.
class CommandRecord {
 public:
  CommandRecord();
  CommandRecord(const CommandRecord&) = delete;
  CommandRecord& operator=(const CommandRecord&) = delete;
  ~CommandRecord();
  // Lines recorded so far: "<show>|<command line>".
  std::vector<std::wstring> Lines() const;
  // The programs that recorded a line and were not the system directory's
  // rundll32.exe (a stand-in beside the tests is one).
  std::vector<std::wstring> ProgramsElsewhere() const;
  // Pumps messages until count lines are there or the time runs out.
  std::vector<std::wstring> WaitForLines(size_t count, DWORD timeoutMs = 15000) const;

 private:
  std::vector<std::wstring> Records() const;
  std::wstring path_;
  std::wstring systemCopy_;
  std::wstring original_;
};

// Points the prefix's desktop (the User Shell Folders "Desktop" value) at a
// folder for one test, written with the given value type, and puts the old
// value back at scope exit. The folder itself is not created.
class DesktopRedirect {
 public:
  explicit DesktopRedirect(const std::wstring& folder, DWORD valueType = REG_SZ);
  DesktopRedirect(const DesktopRedirect&) = delete;
  DesktopRedirect& operator=(const DesktopRedirect&) = delete;
  ~DesktopRedirect();
  // Whether the new value was written.
  bool set() const { return set_; }

 private:
  HKEY key_ = nullptr;
  DWORD type_ = REG_EXPAND_SZ;
  bool hadValue_ = false;
  bool set_ = false;
  std::wstring old_;
};

// A visible message box (or window of className) of another process, or null.
HWND FindProcessMessageBox(DWORD processId, const wchar_t* className = L"#32770");

// Desktop folder of the prefix, found by another route than the app's.
std::wstring DesktopFolder();
bool IsDirectory(const std::wstring& path);
bool IsPlainFile(const std::wstring& path);
// Removes a directory or a file of that path, whichever is there.
void RemovePath(const std::wstring& path);
// Number of entries in a directory (without "." and "..").
size_t CountEntries(const std::wstring& directory);

}  // namespace apptest
