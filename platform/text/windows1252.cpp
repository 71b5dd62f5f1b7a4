#include "platform/text/windows1252.h"

namespace text1252 {
namespace {

constexpr char16_t kHigh[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Length of the sequence that a lead byte opens (0: no lead byte), and the
// range its second byte must lie in, which excludes overlong forms,
// surrogates and code points above U+10FFFF (RFC 3629).
struct LeadByte {
  size_t length;
  uint8_t low;
  uint8_t high;
};

LeadByte Lead(uint8_t b) {
  if (b < 0x80) return {1, 0, 0};
  if (b >= 0xC2 && b <= 0xDF) return {2, 0x80, 0xBF};
  if (b == 0xE0) return {3, 0xA0, 0xBF};
  if (b == 0xED) return {3, 0x80, 0x9F};
  if (b >= 0xE1 && b <= 0xEF) return {3, 0x80, 0xBF};
  if (b == 0xF0) return {4, 0x90, 0xBF};
  if (b >= 0xF1 && b <= 0xF3) return {4, 0x80, 0xBF};
  if (b == 0xF4) return {4, 0x80, 0x8F};
  return {0, 0, 0};
}

// One code point decoded from the start of non-empty text.
struct Decoded {
  char32_t cp;
  size_t length;
  bool valid;
};

Decoded DecodeFirst(std::string_view text) {
  const auto b0 = static_cast<uint8_t>(text[0]);
  const LeadByte lead = Lead(b0);
  if (lead.length == 0) return {kReplacement, 1, false};
  char32_t cp = b0 & (0x7F >> lead.length);
  for (size_t i = 1; i < lead.length; ++i) {
    // A broken sequence ends before the first byte that cannot continue it.
    if (i >= text.size()) return {kReplacement, i, false};
    const auto b = static_cast<uint8_t>(text[i]);
    const bool fits = i == 1 ? b >= lead.low && b <= lead.high : (b & 0xC0) == 0x80;
    if (!fits) return {kReplacement, i, false};
    cp = (cp << 6) | (b & 0x3F);
  }
  return {lead.length == 1 ? b0 : cp, lead.length, true};
}

}  // namespace

char32_t ToCodePoint(uint8_t byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHigh[byte - 0x80];
  return byte;
}

std::optional<uint8_t> FromCodePoint(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<uint8_t>(cp);
  for (int i = 0; i < 32; ++i)
    if (kHigh[i] == cp) return static_cast<uint8_t>(0x80 + i);
  return std::nullopt;
}

std::pair<char32_t, size_t> FirstCodePoint(std::string_view text) {
  if (text.empty()) return {0, 0};
  const Decoded d = DecodeFirst(text);
  return {d.cp, d.length};
}

bool IsValidUtf8(std::string_view text) {
  while (!text.empty()) {
    const Decoded d = DecodeFirst(text);
    if (!d.valid) return false;
    text.remove_prefix(d.length);
  }
  return true;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if ((cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) cp = kReplacement;
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

std::string ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 4);
  for (char c : bytes) AppendUtf8(out, ToCodePoint(static_cast<uint8_t>(c)));
  return out;
}

std::string Utf8OrWindows1252(std::string_view bytes) {
  return IsValidUtf8(bytes) ? std::string(bytes) : ToUtf8(bytes);
}

}  // namespace text1252
