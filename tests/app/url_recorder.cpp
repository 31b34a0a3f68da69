// Stands in for rundll32.exe: built next to the test programs, where it plays
// a program of that name beside the tool, and copied by the tests as the
// prefix's own system rundll32.exe. Records how it was started and exits.
#include "tests/app/start_record.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return RecordStart(); }
