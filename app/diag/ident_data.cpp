#include "app/diag/ident_data.h"

#include <algorithm>
#include <array>

#include "app/link/answer_decoding.h"
#include "platform/text/windows1252.h"

namespace {

constexpr uint8_t IDENT_WRITE = 2;

// UTF-8 text as Windows-1252 bytes; a character the code page lacks is '?'.
std::string ToWindows1252(std::string_view text) {
  std::string bytes;
  while (!text.empty()) {
    const auto [cp, length] = text1252::FirstCodePoint(text);
    bytes.push_back(static_cast<char>(text1252::FromCodePoint(cp).value_or('?')));
    text.remove_prefix(length);
  }
  return bytes;
}

}  // namespace

std::vector<uint8_t> IdentTextRequest(IdentItem item, std::string_view text) {
  const size_t field = static_cast<size_t>(IdentItemLength(item));
  std::vector<uint8_t> data(2 + field, 0);
  data[0] = IDENT_WRITE;
  data[1] = item;
  const std::string bytes = ToWindows1252(text);
  std::copy_n(bytes.begin(), std::min(bytes.size(), field), data.begin() + 2);
  return data;
}

std::vector<uint8_t> IdentVariantRequest(uint8_t variant) { return {IDENT_WRITE, IDENT_VARIANT, variant}; }

uint32_t VariantValue(std::string_view text) {
  // Wraps modulo 2^32 on overlong input, which keeps the low 8 bits right.
  uint32_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') break;
    value = value * 10 + static_cast<uint32_t>(c - '0');
  }
  return value;
}

uint8_t VariantByte(std::string_view text) { return static_cast<uint8_t>(VariantValue(text) & 0xFF); }

bool IsValidVariant(uint32_t variant) {
  constexpr std::array<uint32_t, 9> valid = {1, 2, 3, 11, 21, 22, 23, 24, 25};
  return std::find(valid.begin(), valid.end(), variant) != valid.end();
}

std::string IdentFieldText(std::string_view bytes, size_t length) {
  const std::string_view field = bytes.substr(0, std::min(length, bytes.find('\0')));
  return text1252::ToUtf8(field);
}
