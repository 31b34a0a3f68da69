// The main window: its stored layout, texts and event handlers.
#pragma once
#include <windows.h>

#include <string>

#include "app/form_runtime.h"

namespace godmode {

inline constexpr wchar_t kFormClassName[] = L"Form";
inline constexpr wchar_t kForumAddress[] = L"http://bbs.tarvel.cn/gm/";
inline constexpr wchar_t kUrlHandler[] = L"rundll32.exe url.dll,FileProtocolHandler";
inline constexpr COLORREF kLinkColour = 0x004000;
inline constexpr COLORREF kLinkHoverColour = 0xFF0000;
inline constexpr int kLinkFontCentiPoints = 1425;

// Layout, texts and bindings of Form1.
const form::FormDef& Form1();

// The URL handler's command line that opens target.
std::wstring UrlHandlerCommandLine(const std::wstring& target);

void Form_Load(form::Form& form);
void Form_Unload(form::Form& form);
void Form_MouseMove(form::Form& form);
void Label2_MouseMove(form::Form& form);
void Label2_Click(form::Form& form);
void Command1_Click(form::Form& form);
void Command2_Click(form::Form& form);

}  // namespace godmode
