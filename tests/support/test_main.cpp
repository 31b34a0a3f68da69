#include <gtest/gtest.h>
#include <windows.h>

int main(int argc, char** argv) {
  // Test output stays readable when Wine's console is not a terminal.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
