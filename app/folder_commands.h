// The two commands that make the all-settings folder.
#pragma once
#include <windows.h>

namespace godmode {

inline constexpr wchar_t kGodModeFolderName[] = L"上帝模式.{ED7BA470-8E54-465E-825C-99712043E01C}";
// A fixed path: the Windows directory is deliberately not looked up.
inline constexpr wchar_t kSystemGodModeFolder[] =
    L"c:\\windows\\system32\\上帝模式.{ED7BA470-8E54-465E-825C-99712043E01C}";
// The same folder as a 32-bit program on 64-bit Windows reaches it: its
// "system32" is redirected to SysWOW64, "Sysnative" is the real one.
inline constexpr wchar_t kSysnativeGodModeFolder[] =
    L"c:\\windows\\sysnative\\上帝模式.{ED7BA470-8E54-465E-825C-99712043E01C}";
inline constexpr wchar_t kExistsMessage[] = L"对不起，你要新建的对象已存在，不能重建！";
inline constexpr wchar_t kExistsTitle[] = L"Tarvel提示";
inline constexpr wchar_t kCreatedMessage[] = L"创建“上帝模式”成功，请查看桌面图标！";
inline constexpr wchar_t kCreatedTitle[] = L"成功信息";
inline constexpr UINT kExistsStyle = MB_OK | MB_ICONEXCLAMATION;  // 48
inline constexpr UINT kCreatedStyle = MB_OK | MB_ICONINFORMATION;  // 64

// Command2's steps: the folder is tested and made where the 64-bit shell
// that opens it will look (through Sysnative under WOW64), and opened by the
// URL handler's command line, which names system32 either way; where the ANSI
// code page cannot spell the folder's name, the shell opens it instead.
void MakeAndOpenSystemFolder(bool underWow64);

}  // namespace godmode
