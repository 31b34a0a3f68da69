// Imports a function that Windows 8 added, so that the import check can show
// that it refuses one.
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0602  // declares GetSystemTimePreciseAsFileTime
#include <windows.h>

int main() {
  FILETIME now;
  GetSystemTimePreciseAsFileTime(&now);
  return static_cast<int>(now.dwLowDateTime & 1);
}
