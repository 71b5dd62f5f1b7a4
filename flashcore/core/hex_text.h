#pragma once
// Text formatting of the library: hexadecimal and decimal numbers for last
// results, record fields and traces, and the numeric value of a byte text.
#include <cstdint>
#include <string>
#include <string_view>

// Upper-case hexadecimal, filled with '0' on the left to at least `width`
// digits; a value that needs more digits keeps all of them.
std::string toHexString(std::uint32_t value, int width);
void toHexString(std::string& out, int width, std::uint8_t value);
void toHexString(std::string& out, int width, std::uint16_t value);
void toHexString(std::string& out, int width, std::uint32_t value);

// Decimal without leading zeros.
std::string toDecimalString(std::int64_t value);

// Lower-case hexadecimal without prefix or leading zeros (debug banners).
std::string toLowerHex(std::uint32_t value);

// Value of a hexadecimal digit, or -1.
int hexDigitValue(char c);

// The text read as an unsigned hexadecimal number from its leading
// hexadecimal digits; 0 when it has none; saturates at 0xFFFFFFFF.
std::uint32_t hexTextValue(std::string_view text);

// Intel HEX record checksum of a text of digit pairs: the two's complement
// of the sum of the pairs (a last single character is a pair by itself), as
// two upper-case digits. "0400000303010000" gives "F5".
std::string hexPairChecksum(std::string_view pairs);
// The same checksum as a number.
std::uint8_t hexPairChecksumValue(std::string_view pairs);
