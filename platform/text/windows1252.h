#pragma once
// Windows-1252, the code page of files and device texts from Windows
// installations, and UTF-8, in which the program holds its texts.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace text1252 {

// Code point of one Windows-1252 byte; the five bytes the code page leaves
// free map to the C1 controls of the same value.
char32_t ToCodePoint(uint8_t byte);
// Windows-1252 byte of a code point, or nullopt where the code page has none.
std::optional<uint8_t> FromCodePoint(char32_t cp);

inline constexpr char32_t kReplacement = 0xFFFD;

// UTF-8 is taken strictly (RFC 3629): overlong forms, encoded surrogates and
// code points above U+10FFFF are no UTF-8.
bool IsValidUtf8(std::string_view text);
// Appends the code point as UTF-8; a surrogate or a value above U+10FFFF,
// which UTF-8 cannot hold, is appended as U+FFFD.
void AppendUtf8(std::string& out, char32_t cp);
// The first code point of UTF-8 text and its length in bytes; 0 and 0 for
// empty text. A broken sequence gives U+FFFD and the length of its longest
// start that could still have become a valid sequence (at least 1), so that
// decoding goes on at the first byte that does not belong to it.
std::pair<char32_t, size_t> FirstCodePoint(std::string_view text);

// Windows-1252 bytes as UTF-8.
std::string ToUtf8(std::string_view bytes);
// Text that is valid UTF-8 stays; anything else is taken as Windows-1252.
std::string Utf8OrWindows1252(std::string_view bytes);

}  // namespace text1252
