#include "skin/draw/properties.h"

namespace skin {

LONG_PTR ReadProp(HWND hwnd, const char* name) {
  return reinterpret_cast<LONG_PTR>(GetPropA(hwnd, name));
}

void WriteProp(HWND hwnd, const char* name, LONG_PTR value) {
  SetPropA(hwnd, name, reinterpret_cast<HANDLE>(value));
}

void ClearProp(HWND hwnd, const char* name) { RemovePropA(hwnd, name); }

}  // namespace skin
