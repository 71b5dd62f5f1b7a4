#pragma once
// What the tests of whole runs make and expect: firmware files in the form
// the programmer saves them, the dotted step lines and the summary.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// `size` bytes of data at 0x0000 as 16-byte records with an extended linear
// address record: the form in which the programmer saves a buffer.
inline std::string canonicalHexFile(std::uint32_t size, std::uint8_t seed) {
  auto record = [](const std::vector<std::uint8_t>& bytes) {
    unsigned sum = 0;
    std::string text = ":";
    char pair[3];
    for (std::uint8_t b : bytes) {
      std::snprintf(pair, sizeof pair, "%02X", b);
      text += pair;
      sum += b;
    }
    std::snprintf(pair, sizeof pair, "%02X", (0x100 - (sum & 0xFF)) & 0xFF);
    return text + pair + "\r\n";
  };
  std::string file = record({0x02, 0x00, 0x00, 0x04, 0x00, 0x00});
  for (std::uint32_t address = 0; address < size; address += 16) {
    std::vector<std::uint8_t> bytes{0x10, static_cast<std::uint8_t>(address >> 8), static_cast<std::uint8_t>(address),
                                    0x00};
    for (std::uint32_t k = 0; k < 16; ++k) bytes.push_back(static_cast<std::uint8_t>((address + k) * 7 + seed));
    file += record(bytes);
  }
  return file + ":00000001FF\r\n";
}

// A step line: line end, message, dots to column 40, a blank, the verdict.
inline std::string dotted(const std::string& message, const std::string& verdict) {
  return "\n" + message + std::string(message.size() < 39 ? 39 - message.size() : 0, '.') + " " + verdict;
}

// The output with the date of the first line replaced by DATE.
inline std::string withoutDate(const std::string& output) {
  const std::string head = "Running flashcmd 0.1.0.7 on ";
  if (output.rfind(head, 0) != 0) return output;
  const size_t lineEnd = output.find('\n');
  return head + "DATE" + output.substr(lineEnd);
}

inline std::string summary(int total, int passed, int failed) {
  return "\n\nSummary:  Total " + std::to_string(total) + "   Passed " + std::to_string(passed) + "   Failed " +
         std::to_string(failed) + "\n";
}
