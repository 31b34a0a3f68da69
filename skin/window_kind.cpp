#include "skin/window_kind.h"

#include <iterator>

namespace skin {
namespace {

struct KindName {
  const char* name;
  ControlKind kind;
};

// Lower-cased class names, matched whole; the first match decides.
constexpr KindName kKindNames[] = {
    {"#32770", ControlKind::Form},
    {"thunderformdc", ControlKind::Form},
    {"thunderrt6formdc", ControlKind::Form},
    {"form", ControlKind::Form},
    {"thundercommandbutton", ControlKind::PushButton},
    {"thunderrt6commandbutton", ControlKind::PushButton},
    {"button", ControlKind::PushButton},
    {"thundercombobox", ControlKind::ComboBox},
    {"thunderrt6combobox", ControlKind::ComboBox},
    {"combo", ControlKind::ComboBox},
    {"combobox", ControlKind::ComboBox},
    {"thunderdrivelistbox", ControlKind::DriveList},
    {"thunderrt6drivelistbox", ControlKind::DriveList},
    {"thundercheckbox", ControlKind::CheckBox},
    {"thunderrt6checkbox", ControlKind::CheckBox},
    {"thunderoptionbutton", ControlKind::OptionButton},
    {"thunderrt6optionbutton", ControlKind::OptionButton},
    {"datalistwndclass", ControlKind::DataList},
    {"dblistwndclass", ControlKind::DataList},
    {"combolbox", ControlKind::ComboList},
    {"progressbar20wndclass", ControlKind::ProgressBar},
    {"progressbarwndclass", ControlKind::ProgressBar},
    {"msvb_lib_header", ControlKind::Header},
    {"sysheader32", ControlKind::Header},
};

// The one class family matched by prefix.
constexpr char kGridPrefix[] = "apexgrid";

constexpr int kClassBufferChars = 255;

std::string LowerAscii(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

}  // namespace

std::string GetWindowClass(HWND hwnd) {
  char buffer[kClassBufferChars] = {};
  if (GetClassNameA(hwnd, buffer, kClassBufferChars) == 0) return std::string();
  buffer[kClassBufferChars - 1] = '\0';
  return std::string(buffer);
}

ControlKind KindOfClassName(const std::string& className) {
  const std::string lower = LowerAscii(className);
  for (const KindName& entry : kKindNames)
    if (lower == entry.name) return entry.kind;
  if (lower.compare(0, std::size(kGridPrefix) - 1, kGridPrefix) == 0) return ControlKind::Grid;
  return ControlKind::Other;
}

ControlKind KindOfWindow(HWND hwnd) { return KindOfClassName(GetWindowClass(hwnd)); }

AttachKind AttachKindOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::Form:
      return AttachKind::Form;
    case ControlKind::PushButton:
      return AttachKind::PushButton;
    case ControlKind::ComboBox:
    case ControlKind::DriveList:
    case ControlKind::CheckBox:
    case ControlKind::OptionButton:
      return AttachKind::Stateful;
    case ControlKind::Header:
      return AttachKind::Header;
    default:
      return AttachKind::Plain;
  }
}

bool IsApiExported(const char* functionName, const char* libraryName) {
  HMODULE module = GetModuleHandleA(libraryName);
  HMODULE loaded = nullptr;
  if (!module) {
    loaded = LoadLibraryA(libraryName);
    if (!loaded) return false;
    module = loaded;
  }
  const bool found = GetProcAddress(module, functionName) != nullptr;
  if (loaded) FreeLibrary(loaded);
  return found;
}

}  // namespace skin
