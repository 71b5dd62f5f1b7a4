#include "flashcore/core/hex_text.h"

#include <algorithm>

namespace {
constexpr char kUpperDigits[] = "0123456789ABCDEF";
}

void toHexString(std::string& out, int width, std::uint32_t value) {
  char digits[8];
  int count = 0;
  do {
    digits[count++] = kUpperDigits[value & 0xF];
    value >>= 4;
  } while (value != 0);
  out.clear();
  if (width > count) out.append(static_cast<size_t>(width - count), '0');
  while (count > 0) out.push_back(digits[--count]);
}

void toHexString(std::string& out, int width, std::uint8_t value) {
  toHexString(out, width, static_cast<std::uint32_t>(value));
}

void toHexString(std::string& out, int width, std::uint16_t value) {
  toHexString(out, width, static_cast<std::uint32_t>(value));
}

std::string toHexString(std::uint32_t value, int width) {
  std::string out;
  toHexString(out, width, value);
  return out;
}

std::string toDecimalString(std::int64_t value) { return std::to_string(value); }

std::string toLowerHex(std::uint32_t value) {
  std::string out = toHexString(value, 1);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](char c) { return (c >= 'A' && c <= 'F') ? static_cast<char>(c - 'A' + 'a') : c; });
  return out;
}

namespace {
struct DigitTable {
  signed char value[256];
  constexpr DigitTable() : value() {
    for (int c = 0; c < 256; ++c) value[c] = -1;
    for (int d = 0; d < 10; ++d) value['0' + d] = static_cast<signed char>(d);
    for (int d = 0; d < 6; ++d) {
      value['A' + d] = static_cast<signed char>(10 + d);
      value['a' + d] = static_cast<signed char>(10 + d);
    }
  }
};
constexpr DigitTable kDigits;
}  // namespace

int hexDigitValue(char c) { return kDigits.value[static_cast<unsigned char>(c)]; }

std::uint32_t hexTextValue(std::string_view text) {
  std::uint64_t value = 0;
  for (char c : text) {
    const int digit = hexDigitValue(c);
    if (digit < 0) break;
    value = value * 16 + static_cast<unsigned>(digit);
    if (value > 0xFFFFFFFFu) return 0xFFFFFFFFu;
  }
  return static_cast<std::uint32_t>(value);
}

std::uint8_t hexPairChecksumValue(std::string_view pairs) {
  unsigned sum = 0;
  for (size_t i = 0; i < pairs.size(); i += 2) sum += hexTextValue(pairs.substr(i, 2));
  return static_cast<std::uint8_t>(0u - sum);
}

std::string hexPairChecksum(std::string_view pairs) { return toHexString(hexPairChecksumValue(pairs), 2); }
