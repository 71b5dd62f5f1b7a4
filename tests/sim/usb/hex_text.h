#pragma once
// The simulated USB device's texts of bytes: two upper-case hexadecimal
// digits a byte, as the requests' texts and the logs write them.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

inline std::string hexText(const std::uint8_t* bytes, size_t count) {
  std::string text;
  char pair[3];
  for (size_t i = 0; i < count; ++i) {
    std::snprintf(pair, sizeof pair, "%02X", bytes[i]);
    text += pair;
  }
  return text;
}

inline std::string hexText(const std::vector<std::uint8_t>& bytes) { return hexText(bytes.data(), bytes.size()); }
