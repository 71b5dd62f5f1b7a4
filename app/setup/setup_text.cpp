#include "app/setup/setup_text.h"

#include "platform/text/windows1252.h"

#include <charconv>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <limits>

namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

int32_t TextToInt(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int64_t value = 0;
  constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > kLimit) value = kLimit;
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(value);
}

float TextToFloat(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const size_t start = i;
  size_t digits = 0;
  while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return 0.0f;
  size_t end = i;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    if (j < text.size() && IsDigit(text[j])) {
      while (j < text.size() && IsDigit(text[j])) ++j;
      end = j;
    }
  }
  double value = 0.0;
  const auto result = std::from_chars(text.data() + start, text.data() + end, value);
  if (result.ec == std::errc::result_out_of_range) {
    // Beyond double: infinity when the number is large, zero when it is tiny.
    size_t k = start;
    while (k < text.size() && text[k] == '0') ++k;
    long magnitude = 0;
    if (k < text.size() && IsDigit(text[k])) {
      while (k < text.size() && IsDigit(text[k])) ++k, ++magnitude;
    } else if (k < text.size() && text[k] == '.') {
      for (++k; k < text.size() && text[k] == '0'; ++k) --magnitude;
    }
    const size_t e = std::string_view(text.data(), end).find_first_of("eE", start);
    if (e != std::string_view::npos) magnitude += TextToInt(text.substr(e + 1, end - e - 1));
    value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  }
  return static_cast<float>(negative ? -value : value);
}

std::string FormatInt(long value) { return std::to_string(value); }

std::string FormatHex8(uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "%.8" PRIX32, value);
  return text;
}

std::string FormatHex2(uint8_t value) {
  char text[8];
  std::snprintf(text, sizeof text, "%.2X", static_cast<unsigned>(value));
  return text;
}

std::string FormatFixed(float value, int decimals, int width) {
  const double v = value;
  std::string text;
  if (std::isnan(v)) {
    text = std::signbit(v) ? "-nan" : "nan";
  } else if (std::isinf(v)) {
    text = v < 0 ? "-inf" : "inf";
  } else {
    char buffer[512];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, decimals);
    text.assign(buffer, result.ptr);
  }
  if (static_cast<int>(text.size()) < width) text.insert(0, static_cast<size_t>(width) - text.size(), ' ');
  return text;
}

std::string FormatFloat(float value, FloatFormat format) { return FormatFixed(value, format.decimals, format.width); }

std::string CharText(uint8_t byte) {
  std::string text;
  if (byte != 0) text1252::AppendUtf8(text, text1252::ToCodePoint(byte));
  return text;
}

uint8_t TextChar(std::string_view text) {
  if (text.empty()) return 0;
  return text1252::FromCodePoint(text1252::FirstCodePoint(text).first).value_or('?');
}

std::string FixedText(const uint8_t* bytes, int length) {
  std::string text;
  for (int i = 0; i < length && bytes[i] != 0; ++i) text1252::AppendUtf8(text, text1252::ToCodePoint(bytes[i]));
  return text;
}

const std::array<int32_t, 25> ScaleDivisionTable = {0,    100,  200,  300,  500,   600,   800,   1000,  1200,
                                                     1500, 1600, 2000, 2400, 2500,  3000,  4000,  5000,  6000,
                                                     8000, 10000, 12000, 15000, 20000, 25000, 30000};

int FilterLengthItem(uint8_t length) {
  for (int item = 0; item < 7; ++item)
    if (length == (1 << item)) return item;
  return 3;
}

uint8_t FilterLengthOfItem(int item) {
  if (item >= 0 && item <= 6) return static_cast<uint8_t>(1 << item);
  return 8;
}
