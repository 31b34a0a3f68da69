// Form1's start-up, shutdown and link label handlers.
#include "app/form1.h"

#include "app/shell_services.h"
#include "skin/skin.h"

namespace godmode {

namespace {
constexpr wchar_t kLinkLabel[] = L"Label2";
}

std::wstring UrlHandlerCommandLine(const std::wstring& target) {
  return std::wstring(kUrlHandler) + L" \"" + target + L"\"";
}

void Form_Load(form::Form& form) { skin::BeginSkin(form.hwnd()); }

void Form_Unload(form::Form& form) { skin::EndSkin(form.hwnd()); }

// The label has no leave event: moving over the bare window underlines it
// again, and its colour stays as the last hover left it.
void Form_MouseMove(form::Form& form) { form.SetFontUnderline(kLinkLabel, true); }

void Label2_MouseMove(form::Form& form) {
  form.SetFontUnderline(kLinkLabel, false);
  form.SetForeColour(kLinkLabel, kLinkHoverColour);
  SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_HAND)));
}

void Label2_Click(form::Form&) { form::StartCommandLine(UrlHandlerCommandLine(kForumAddress)); }

}  // namespace godmode
