#pragma once
// Intel HEX files for the programmer's runs, made in the form in which the
// programmer saves a buffer: an extended linear address record, then
// 16-byte data records from 0x0000 on.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// The byte such a file holds at an address.
inline std::uint8_t canonicalByte(std::uint32_t address, std::uint8_t seed) {
  return static_cast<std::uint8_t>(address * 7 + seed);
}

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
    for (std::uint32_t k = 0; k < 16; ++k) bytes.push_back(canonicalByte(address + k, seed));
    file += record(bytes);
  }
  return file + ":00000001FF\r\n";
}
