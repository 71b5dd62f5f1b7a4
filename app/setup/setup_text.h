#pragma once
// Conversions between set-up values and the texts of the editor's controls.
// All of them are independent of the user's locale: "." is the decimal
// point and digits are never grouped.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// The text as a decimal integer, as atoi reads it: leading white space, an
// optional sign, then digits up to the first other character; 0 when no
// digit comes first. Values beyond 32 bits saturate at the int32 limits.
int32_t TextToInt(std::string_view text);

// The text as a decimal number: leading white space, an optional sign,
// digits with "." as the decimal point and an optional exponent, up to the
// first other character; 0.0 when no number comes first. Rounded to single.
float TextToFloat(std::string_view text);

// printf's "%d" (also for "%ld" of 32-bit values).
std::string FormatInt(long value);
// printf's "%.8X".
std::string FormatHex8(uint32_t value);
// printf's "%.2X".
std::string FormatHex2(uint8_t value);
// printf's "%.<decimals>f" with a minimum width (right-aligned with blanks);
// "%8f" is FormatFixed(v, 6, 8).
std::string FormatFixed(float value, int decimals, int width = 0);

// A float display format of the editor: "%.1f", "%.2f", "%.5f" or "%8f".
struct FloatFormat {
  int decimals;
  int width;
};
constexpr FloatFormat kFloat1{1, 0};
constexpr FloatFormat kFloat2{2, 0};
constexpr FloatFormat kFloat5{5, 0};
constexpr FloatFormat kFloat8{6, 8};
std::string FormatFloat(float value, FloatFormat format);

// A character field as one character of text ("%c"): the byte is taken as a
// Windows-1252 character; byte 0 gives the empty text.
std::string CharText(uint8_t byte);
// The first character of the text as a Windows-1252 byte; 0 for the empty
// text, '?' for a character that code page lacks.
uint8_t TextChar(std::string_view text);
// At most `length` characters up to the first zero byte ("%.8s").
std::string FixedText(const uint8_t* bytes, int length);

// The number of scale divisions of each position of the "Skalenteile" lists
// (position 0: "freie Anzahl Teile").
extern const std::array<int32_t, 25> ScaleDivisionTable;

// The item of the 2^N filter-length list ("1" .. "64") for a length; any
// other length gives item 3 ("8").
int FilterLengthItem(uint8_t length);
// The length of an item of that list; no valid item gives 8.
uint8_t FilterLengthOfItem(int item);
