// Sorting windows into kinds by their class name.
#pragma once
#include <windows.h>
#include <string>

namespace skin {

// The finer kinds of the handlers; the attach kinds follow from them.
enum class ControlKind {
  Form,          // "#32770", "thunderformdc", "thunderrt6formdc", "form"
  PushButton,    // "thundercommandbutton", "thunderrt6commandbutton", "button"
  ComboBox,      // "thundercombobox", "thunderrt6combobox", "combo", "combobox"
  DriveList,     // "thunderdrivelistbox", "thunderrt6drivelistbox"
  CheckBox,      // "thundercheckbox", "thunderrt6checkbox"
  OptionButton,  // "thunderoptionbutton", "thunderrt6optionbutton"
  DataList,      // "datalistwndclass", "dblistwndclass"
  ComboList,     // "combolbox"
  ProgressBar,   // "progressbar20wndclass", "progressbarwndclass"
  Header,        // "msvb_lib_header", "sysheader32"
  Grid,          // "apexgrid" followed by anything
  Other,
};

enum class AttachKind { Form, PushButton, Stateful, Header, Plain };

// The class name as GetClassNameA reports it, empty when it cannot be read.
std::string GetWindowClass(HWND hwnd);

// Kind of a class name, matched whole after lower-casing (ASCII).
ControlKind KindOfClassName(const std::string& className);
ControlKind KindOfWindow(HWND hwnd);
AttachKind AttachKindOf(ControlKind kind);

// True when the library exports the function. A library loaded for the test is
// released again; one already loaded is left as it was.
bool IsApiExported(const char* functionName, const char* libraryName);

}  // namespace skin
