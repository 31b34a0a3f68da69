#include <gtest/gtest.h>
#include "tests/support/win32_test.h"
