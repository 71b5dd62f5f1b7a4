#include "app/params/parameter_text.h"

#include <algorithm>

#include "app/setup/setup_text.h"

std::string ByteText(uint8_t value) { return FormatInt(value); }

uint8_t ByteOfText(std::string_view text) { return static_cast<uint8_t>(TextToInt(text)); }

std::string NegatedByteText(uint8_t value) { return FormatInt(-static_cast<long>(value)); }

uint8_t NegatedByteOfText(std::string_view text) {
  return static_cast<uint8_t>(-static_cast<int64_t>(TextToInt(text)));
}

float DecimalOfText(std::string_view text) {
  std::string number(text);
  std::replace(number.begin(), number.end(), ',', '.');
  return TextToFloat(number);
}

uint16_t Int16FieldOfText(std::string_view text, int low, int high) {
  return static_cast<uint16_t>(std::clamp<int32_t>(TextToInt(text), low, high));
}
