#include "skin/draw/high_contrast.h"

#include <windows.h>

namespace skin {
namespace {

std::optional<bool>& GivenAnswer() {
  static std::optional<bool> answer;
  return answer;
}

}  // namespace

bool HighContrastOn() {
  if (GivenAnswer()) return *GivenAnswer();
  HIGHCONTRASTW scheme{};
  scheme.cbSize = sizeof(scheme);
  if (!SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(scheme), &scheme, 0)) return false;
  return (scheme.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

void SetHighContrastAnswer(std::optional<bool> answer) { GivenAnswer() = answer; }

}  // namespace skin
