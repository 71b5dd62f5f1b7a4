#include "flashcore/core/serial_number.h"

#include "flashcore/core/hex_text.h"

namespace {

// Digits of the value, but 2 for a value below the radix.
int digitCount(std::uint64_t value, unsigned radix) {
  int count = 1;
  do {
    value /= radix;
    ++count;
  } while (value >= radix);
  return count;
}

std::uint64_t power(unsigned radix, int exponent) {
  std::uint64_t result = 1;
  for (int i = 0; i < exponent; ++i) result *= radix;
  return result;
}

// A pair of digits as text: two hexadecimal digits; decimal digits without
// leading zeros, but with a "0" in front of one digit after the first pair.
std::string pairText(std::uint64_t pair, unsigned radix, bool mostSignificant) {
  if (radix == 16) return toHexString(static_cast<std::uint32_t>(pair), 2);
  std::string text = std::to_string(pair);
  if (text.size() == 1 && !mostSignificant) text.insert(0, 1, '0');
  return text;
}

}  // namespace

std::vector<std::string> serialNumberBytes(std::uint64_t value, unsigned radix, const std::string& form) {
  const int digits = digitCount(value, radix);
  const int pairDigits = digits + digits % 2;
  std::vector<std::string> bytes;
  std::uint64_t rest = value;
  for (int exponent = pairDigits - 2; exponent >= 0; exponent -= 2) {
    const std::uint64_t scale = power(radix, exponent);
    const std::uint64_t pair = exponent > 0 ? rest / scale : rest % (radix == 10 ? 100 : 256);
    rest -= pair * scale;
    const std::string text = pairText(pair, radix, exponent == pairDigits - 2);
    if (form == "NUMBER") {
      bytes.push_back(text.size() == 1 ? "0" + text : text);
      continue;
    }
    for (char digit : text) {
      bytes.push_back(std::string("3") + digit);
      if (form != "ASCII") bytes.push_back("00");
    }
  }
  return bytes;
}
