// Command1 makes the folder on the desktop and reports; Command2 makes it in
// the system directory when missing and opens it.
#include "app/folder_commands.h"

#include "app/form1.h"
#include "app/shell_services.h"

namespace godmode {

void Command1_Click(form::Form& form) {
  const std::wstring target = form::DesktopPath() + L"\\" + kGodModeFolderName;
  if (form::PathExists(target)) {
    MessageBoxW(form.hwnd(), kExistsMessage, kExistsTitle, kExistsStyle);
    return;
  }
  form::CreateFolder(target);
  MessageBoxW(form.hwnd(), kCreatedMessage, kCreatedTitle, kCreatedStyle);
}

void MakeAndOpenSystemFolder(bool (*isElevated)()) {
  if (!form::PathExists(kSystemGodModeFolder)) {
    if (const DWORD error = form::TryCreateFolder(kSystemGodModeFolder)) {
      if (error != ERROR_ACCESS_DENIED || isElevated()) form::ReportFolderNotCreated(kSystemGodModeFolder, error);
      // The copy opens the folder; a declined prompt leaves the form as it was.
      form::StartElevated(form::OwnExecutable(), kSystemFolderSwitch);
      return;
    }
  }
  // The URL handler reads its command line in the ANSI code page: where that
  // cannot spell the folder's name (anything but a Chinese one), the handler
  // would get question marks and open nothing, so the shell opens it directly.
  if (form::AnsiCodePageSpells(kSystemGodModeFolder))
    form::StartCommandLine(UrlHandlerCommandLine(kSystemGodModeFolder));
  else
    form::OpenFolder(kSystemGodModeFolder);
}

void Command2_Click(form::Form&) { MakeAndOpenSystemFolder(form::ProcessIsElevated); }

bool IsSystemFolderRequest(const std::vector<std::wstring>& arguments) {
  return arguments.size() == 1 && arguments[0] == kSystemFolderSwitch;
}

void RunSystemFolderRequest() {
  MakeAndOpenSystemFolder([] { return true; });
}

}  // namespace godmode
