#include "flashcmd/step_text.h"

#include <cstdio>

#include "flashcmd/run_settings.h"

namespace {

std::string blankInDots(int width) { return std::string(width > 1 ? static_cast<size_t>(width - 1) : 0, '.') + ' '; }

}  // namespace

std::string stepText(const std::string& message, bool dotted) {
  std::string text = "\n" + message;
  if (dotted) text += blankInDots(kStepColumn - static_cast<int>(message.size()));
  return text;
}

std::string fillText(int messageLength, int dotPairs) {
  return blankInDots(kStepColumn - messageLength - 2 * dotPairs);
}

std::string hexText(std::uint32_t value, int width) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%0*X", width, value);
  return digits;
}

std::string rangeText(std::uint32_t start, std::uint32_t end) {
  return "0x" + hexText(start, 5) + "\t0x" + hexText(end, 5);
}

std::string versionText(const std::string& lastResult) {
  std::string text = "1.";
  if (!lastResult.empty()) text += lastResult[0];
  if (lastResult.size() > 1) {
    text += '.';
    text += lastResult[1];
  }
  return text;
}

std::string workingRangeText() {
  return rangeText(static_cast<std::uint32_t>(settings.rangeStart), static_cast<std::uint32_t>(settings.rangeEnd));
}
