#pragma once
// The bytes that carry a serial number in a memory image: the digits of the
// number taken in pairs from the most significant one, as packed pairs
// ("NUMBER": decimal pairs as BCD, hexadecimal pairs as the byte), one
// character per digit ("ASCII": "31" for the digit 1, "3A" for A), or two
// bytes per digit (any other form: "31", "00").
#include <cstdint>
#include <string>
#include <vector>

// The byte texts, most significant first. `radix` is 10 or 16 and `form`
// is upper case. A hexadecimal number with an odd count of digits keeps the
// leading zero of its first pair in every form; a decimal number below 10
// is the one digit.
std::vector<std::string> serialNumberBytes(std::uint64_t value, unsigned radix, const std::string& form);
