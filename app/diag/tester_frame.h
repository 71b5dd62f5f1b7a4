#pragma once
// The telegram tester's typed line: hex values separated by "#" (STX, the
// telegram, ETX, without checksum), and the frame that goes on the wire.
#include <cstdint>
#include <string>
#include <vector>

inline constexpr size_t kTesterMaxValues = 130;  // the frame buffer holds these plus two bytes
inline constexpr size_t kTesterMaxChars = 512;

struct TesterLine {
  std::vector<uint8_t> values;  // the low byte of each typed value
  std::string error;            // why the line is refused; empty when it is good
};

// Splits the line at "#" (separators in a row, in front or at the end give
// no value; blanks around a value are allowed) and converts each piece of 1
// to 8 hex digits. Refuses an empty line, a piece that is no such number,
// more than kTesterMaxValues values and more than kTesterMaxChars characters.
TesterLine ParseTesterLine(const std::string& text);

// The typed values with the checksum of all but the first and the last in
// place of the last value, its low byte after it and ETX: n + 2 bytes.
std::vector<uint8_t> BuildTesterFrame(const std::vector<uint8_t>& values);

// The bytes as "%02X " groups.
std::string HexGroups(const uint8_t* bytes, size_t count);
