// Shell and file-system services behind the window's commands. Each one that
// can fail ends the program through the standard error report.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace form {

// True when a file or a directory of exactly this path exists.
bool PathExists(const std::wstring& path);

// The user's desktop folder, as the shell reports it.
std::wstring DesktopPath();

// Creates one directory level.
void CreateFolder(const std::wstring& path);
// The same, reporting nothing: 0, or the system's error code.
DWORD TryCreateFolder(const std::wstring& path);
// The standard error report for a directory that could not be made.
[[noreturn]] void ReportFolderNotCreated(const std::wstring& path, DWORD error);

// True when the process runs with administrator rights (an elevated token).
bool ProcessIsElevated();

// The running program's own executable.
std::wstring OwnExecutable();

// The program's arguments, without its own name.
std::vector<std::wstring> CommandLineArguments();

// Starts a program with administrator rights ("runas", which shows the
// consent prompt where it is needed) and does not wait for it. False when the
// user declined the prompt; any other failure is reported.
bool StartElevated(const std::wstring& program, const std::wstring& parameters);

// The system directory, as GetSystemDirectoryW reports it.
std::wstring SystemDirectory();

// True when the system's ANSI code page spells every character of the text,
// so that a program reading its command line in that code page gets it whole.
bool AnsiCodePageSpells(const std::wstring& text);

// Opens a folder in a shell window through the wide entry point.
void OpenFolder(const std::wstring& path);

// Starts a command line shown normal with focus and does not wait for it. Its
// first word names the program, which is taken from the system directory.
void StartCommandLine(const std::wstring& commandLine);

}  // namespace form
