// The class names under which the skin draws check boxes, option buttons and
// progress bars, registered as superclasses of the platform's own controls.
#include <windows.h>
#include <commctrl.h>

#include "skin/skin.h"

// The linker's name for the start of the module this code is linked into.
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace skin {
namespace {

struct Superclass {
  const wchar_t* name;
  const wchar_t* base;
};

// Every name that window_kind.cpp sorts into these three kinds.
constexpr Superclass kSuperclasses[] = {
    {L"ThunderCheckBox", WC_BUTTONW},
    {L"ThunderRT6CheckBox", WC_BUTTONW},
    {L"ThunderOptionButton", WC_BUTTONW},
    {L"ThunderRT6OptionButton", WC_BUTTONW},
    {L"ProgressBar20WndClass", PROGRESS_CLASSW},
    {L"ProgressBarWndClass", PROGRESS_CLASSW},
};

// The base class's procedure, extra bytes, cursor and brush under the new name.
bool RegisterSuperclass(HINSTANCE module, const Superclass& entry) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  if (GetClassInfoExW(module, entry.name, &wc)) return true;  // registered before
  if (!GetClassInfoExW(nullptr, entry.base, &wc)) return false;
  wc.hInstance = module;
  wc.lpszClassName = entry.name;
  wc.style &= ~CS_GLOBALCLASS;  // the module's own class, not the process's
  return RegisterClassExW(&wc) != 0;
}

}  // namespace

LONG RegisterSkinClasses() {
  // The progress bar's class exists once the common controls registered it.
  const INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&icc);
  const HINSTANCE module = reinterpret_cast<HINSTANCE>(&__ImageBase);
  bool all = true;
  for (const Superclass& entry : kSuperclasses) all = RegisterSuperclass(module, entry) && all;
  return all ? 1 : 0;
}

}  // namespace skin
