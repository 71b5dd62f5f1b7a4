#pragma once
// Number words of the operation list: an unsigned 32-bit number in prefix
// notation ("0x"/"0X" hexadecimal, a leading "0" octal, else decimal), after
// optional white space and a sign; a negative number wraps modulo 2^32 and
// a number too large for 32 bits reads as 0xFFFFFFFF.
#include <cstdint>
#include <string>

// Reads the number at the start of `word` into `value` (always written);
// true when nothing is left after it. An empty word reads as 0.
bool readNumberWord(const std::string& word, std::uint32_t& value);

// readNumberWord; a word that is not wholly a number is given back to the
// operation list (wordIndex moves back by one) to run as the next keyword.
bool parseNumberWord(const std::string& word, std::uint32_t& value);
