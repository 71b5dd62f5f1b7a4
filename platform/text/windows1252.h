#pragma once
// Windows-1252, the code page of files and device texts from Windows
// installations, and UTF-8, in which the program holds its texts.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace text1252 {

// Code point of one Windows-1252 byte; the five bytes the code page leaves
// free map to the C1 controls of the same value.
char32_t ToCodePoint(uint8_t byte);
// Windows-1252 byte of a code point, or nullopt where the code page has none.
std::optional<uint8_t> FromCodePoint(char32_t cp);

bool IsValidUtf8(std::string_view text);
void AppendUtf8(std::string& out, char32_t cp);
// The first code point of UTF-8 text and its length in bytes; U+FFFD and 1
// for a broken sequence, 0 and 0 for empty text.
std::pair<char32_t, size_t> FirstCodePoint(std::string_view text);

// Windows-1252 bytes as UTF-8.
std::string ToUtf8(std::string_view bytes);
// Text that is valid UTF-8 stays; anything else is taken as Windows-1252.
std::string Utf8OrWindows1252(std::string_view bytes);

}  // namespace text1252
