#pragma once
// Serial numbers of the SERIALIZE operation: the number word of a command
// file, read and written in its radix, and its place in the file, where the
// next number is left for the next run.
#include <cstdint>
#include <optional>
#include <string>

struct SerialNumber {
  std::int64_t value = 0;  // 0 or positive
  std::uint8_t radix = 10;
};

// "0x" or "0X" and hexadecimal digits, or decimal digits; nothing else, and
// no more than a signed 64-bit number holds.
std::optional<SerialNumber> parseSerialNumber(const std::string& word);

// "0x" and upper-case hexadecimal digits, or decimal digits.
std::string serialNumberText(const SerialNumber& number);

// Where the number word of the first SERIALIZE operation of a command file
// stands: the second word after the keyword, on the lines that the command
// file reader keeps (comment lines are skipped, INCLUDE lines followed).
struct SerialWordPlace {
  std::string fileName;
  size_t offset = 0;
  size_t length = 0;
};
std::optional<SerialWordPlace> findSerialWord(const std::string& commandFileName);

// Puts `text` in place of the word. The new file is written beside the old
// one and renamed over it, so the file holds either the old or the new
// number whatever happens meanwhile. False when that cannot be done.
bool replaceSerialWord(const SerialWordPlace& place, const std::string& text);
