// The two commands that make the all-settings folder.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace godmode {

inline constexpr wchar_t kGodModeFolderName[] = L"上帝模式.{ED7BA470-8E54-465E-825C-99712043E01C}";
// A fixed path: the Windows directory is deliberately not looked up.
inline constexpr wchar_t kSystemGodModeFolder[] =
    L"c:\\windows\\system32\\上帝模式.{ED7BA470-8E54-465E-825C-99712043E01C}";
// The only argument of a copy of the tool that Command2 started with
// administrator rights: it makes and opens the system folder, shows no window.
inline constexpr wchar_t kSystemFolderSwitch[] = L"/system-folder";
inline constexpr wchar_t kExistsMessage[] = L"对不起，你要新建的对象已存在，不能重建！";
inline constexpr wchar_t kExistsTitle[] = L"Tarvel提示";
inline constexpr wchar_t kCreatedMessage[] = L"创建“上帝模式”成功，请查看桌面图标！";
inline constexpr wchar_t kCreatedTitle[] = L"成功信息";
inline constexpr UINT kExistsStyle = MB_OK | MB_ICONEXCLAMATION;  // 48
inline constexpr UINT kCreatedStyle = MB_OK | MB_ICONINFORMATION;  // 64

// Command2's steps: the folder is tested, made and opened in the one view of
// the system directory that the process has (a 32-bit build under WOW64 sees
// SysWOW64 throughout, and the folder works from there too); where the ANSI
// code page cannot spell the folder's name, the shell opens it instead. When
// the directory refuses the folder (ERROR_ACCESS_DENIED) and isElevated says
// the process lacks administrator rights, a copy of the tool is started with
// them and kSystemFolderSwitch to do the same, and nothing more happens here.
void MakeAndOpenSystemFolder(bool (*isElevated)());

// True for a command line that is the switch alone; anything else (another
// switch, more arguments) is no request, and the form is shown.
bool IsSystemFolderRequest(const std::vector<std::wstring>& arguments);

// The copy started with the switch: makes and opens the folder as Command2
// does; a refusal there is reported, never asked about again.
void RunSystemFolderRequest();

}  // namespace godmode
