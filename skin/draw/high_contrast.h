// The one answer to "is the user's high-contrast scheme on". The skin steps
// aside while it is, and the program above draws in the system's colours.
#pragma once
#include <optional>

namespace skin {

// SystemParametersInfoW(SPI_GETHIGHCONTRAST) with HCF_HIGHCONTRASTON, unless
// a test has put its own answer in place.
bool HighContrastOn();

// Test seam, not part of the public header: the answer HighContrastOn gives
// from now on (some systems always report the scheme off and refuse to set
// it); std::nullopt asks the system again.
void SetHighContrastAnswer(std::optional<bool> answer);

}  // namespace skin
