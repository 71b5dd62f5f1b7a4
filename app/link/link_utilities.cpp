#include "app/link/link_utilities.h"

#include <cstring>
#include <ctime>
#include <iomanip>
#include <limits>
#include <locale>
#include <sstream>

uint32_t SwapInt32(uint32_t v) { return (v >> 24) | ((v >> 8) & 0x0000FF00u) | ((v << 8) & 0x00FF0000u) | (v << 24); }

uint16_t SwapInt16(uint16_t v) { return static_cast<uint16_t>((v >> 8) | (v << 8)); }

float SwapFloat(uint32_t pattern) {
  const uint32_t host = SwapInt32(pattern);
  float f;
  std::memcpy(&f, &host, sizeof f);
  return f;
}

int RoundToInt(float x) {
  const double r = x > 0 ? static_cast<double>(x) + 0.5 : static_cast<double>(x) - 0.5;
  if (!(r > std::numeric_limits<int>::min() - 1.0)) return std::numeric_limits<int>::min();  // NaN too
  if (r >= std::numeric_limits<int>::max() + 1.0) return std::numeric_limits<int>::max();
  return static_cast<int>(r);
}

uint32_t HexTextToValue(const std::string& text) {
  std::string digits = text.substr(0, text.find('\0'));
  if (digits.size() > 8) digits = digits.substr(digits.size() - 8);
  uint32_t value = 0;
  for (char c : digits) {
    uint32_t d = 0;
    if (c >= '0' && c <= '9')
      d = static_cast<uint32_t>(c - '0');
    else if (c >= 'a' && c <= 'f')
      d = static_cast<uint32_t>(c - 'a' + 10);
    else if (c >= 'A' && c <= 'F')
      d = static_cast<uint32_t>(c - 'A' + 10);
    value = value << 4 | d;
  }
  return value;
}

std::string FormatNow(const char* format) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  std::ostringstream out;
  out.imbue(std::locale::classic());
  out << std::put_time(&local, format);
  std::string text = out.str();
  if (text.size() > 127) text.resize(127);
  return text;
}

uint16_t ReadBe16(std::span<const uint8_t> b) { return static_cast<uint16_t>(b[0] << 8 | b[1]); }

uint32_t ReadBe32(std::span<const uint8_t> b) {
  return static_cast<uint32_t>(b[0]) << 24 | static_cast<uint32_t>(b[1]) << 16 | static_cast<uint32_t>(b[2]) << 8 |
         b[3];
}

std::optional<std::string_view> NextToken(std::string_view& rest, std::string_view separators) {
  const size_t start = rest.find_first_not_of(separators);
  if (start == std::string_view::npos) {
    rest = {};
    return std::nullopt;
  }
  rest.remove_prefix(start);
  const size_t end = rest.find_first_of(separators);
  const std::string_view token = rest.substr(0, end);
  rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
  return token;
}
