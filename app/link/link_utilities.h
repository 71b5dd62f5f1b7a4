#pragma once
// Conversions between the device's big-endian values and PC values, hex
// text, rounding and the local-time formatter.
#include <cstdint>
#include <cstdio>
#include <optional>
#include <span>
#include <string>
#include <string_view>

uint32_t SwapInt32(uint32_t value);
uint16_t SwapInt16(uint16_t value);
// The four bytes reversed and read as an IEEE single.
float SwapFloat(uint32_t pattern);
// Halves go away from zero.
int RoundToInt(float x);
// Up to eight hex digits to a value; of a longer text the last eight count,
// characters that are not hex digits count as 0.
uint32_t HexTextToValue(const std::string& text);
// The local time formatted with a strftime format (C locale), at most 127 characters.
std::string FormatNow(const char* format);

// A printf format filled in, as long as the text comes out.
template <class... Args>
std::string Format(const char* format, Args... args) {
  const int length = std::snprintf(nullptr, 0, format, args...);
  if (length <= 0) return {};
  std::string text(static_cast<size_t>(length), '\0');
  std::snprintf(text.data(), text.size() + 1, format, args...);
  return text;
}

// Big-endian numbers out of answer data.
uint16_t ReadBe16(std::span<const uint8_t> bytes);
uint32_t ReadBe32(std::span<const uint8_t> bytes);

// The next token of `rest` ending at one of `separators`, separators in
// front of it skipped, as the C library's strtok cuts answer texts; nullopt
// when only separators (or nothing) are left. `rest` moves past the token.
std::optional<std::string_view> NextToken(std::string_view& rest, std::string_view separators);
