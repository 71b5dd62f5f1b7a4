#include "app/diag/tester_frame.h"

#include <cctype>
#include <charconv>
#include <cstdio>
#include <span>

#include "app/link/link_protocol.h"
#include "app/link/telegram.h"

namespace {

constexpr size_t kMaxDigits = 8;

std::string Trimmed(const std::string& piece) {
  const size_t first = piece.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return piece.substr(first, piece.find_last_not_of(" \t") - first + 1);
}

bool IsHexNumber(const std::string& piece) {
  if (piece.empty() || piece.size() > kMaxDigits) return false;
  for (const char c : piece)
    if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
  return true;
}

}  // namespace

TesterLine ParseTesterLine(const std::string& text) {
  TesterLine line;
  if (text.size() > kTesterMaxChars) {
    line.error = "Telegramm zu lang: höchstens 512 Zeichen!";
    return line;
  }
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('#', start);
    if (end == std::string::npos) end = text.size();
    const std::string raw = text.substr(start, end - start);
    const std::string piece = Trimmed(raw);
    if (!piece.empty() || !raw.empty()) {
      if (!IsHexNumber(piece)) {
        line.values.clear();
        line.error = "Ungültiger Wert \"" + raw + "\": 1 bis 8 Hex-Ziffern erwartet!";
        return line;
      }
      uint32_t value = 0;
      std::from_chars(piece.data(), piece.data() + piece.size(), value, 16);
      line.values.push_back(static_cast<uint8_t>(value & 0xFF));
    }
    start = end + 1;
  }
  if (line.values.empty()) {
    line.error = "Kein Telegramm eingegeben!";
  } else if (line.values.size() > kTesterMaxValues) {
    line.values.clear();
    line.error = "Zu viele Werte: höchstens 130!";
  }
  return line;
}

std::vector<uint8_t> BuildTesterFrame(const std::vector<uint8_t>& values) {
  std::vector<uint8_t> frame = values;
  if (frame.empty()) return frame;
  const size_t n = values.size();
  const std::span<const uint8_t> covered =
      n > 2 ? std::span<const uint8_t>(values).subspan(1, n - 2) : std::span<const uint8_t>();
  const uint16_t checksum = TelegramChecksum(covered);
  frame[n - 1] = static_cast<uint8_t>(checksum >> 8);
  frame.push_back(static_cast<uint8_t>(checksum & 0xFF));
  frame.push_back(ETX);
  return frame;
}

std::string HexGroups(const uint8_t* bytes, size_t count) {
  std::string text;
  char group[4];
  for (size_t i = 0; i < count; ++i) {
    std::snprintf(group, sizeof group, "%02X ", bytes[i]);
    text += group;
  }
  return text;
}
