#include "usblink/usb_request.h"

namespace {

int digitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> parseDataText(std::string_view text) {
  if (text.size() % 2 != 0) return std::nullopt;
  std::vector<std::uint8_t> bytes;
  bytes.reserve(text.size() / 2);
  for (size_t i = 0; i < text.size(); i += 2) {
    const int high = digitValue(text[i]);
    const int low = digitValue(text[i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
  }
  return bytes;
}

std::optional<UsbSetupPacket> parseSetupText(std::string_view text) {
  if (text.size() != 16) return std::nullopt;
  const std::optional<std::vector<std::uint8_t>> b = parseDataText(text);
  if (!b) return std::nullopt;
  const std::vector<std::uint8_t>& v = *b;
  const auto word = [&v](size_t at) { return static_cast<std::uint16_t>(v[at] | (v[at + 1] << 8)); };
  return UsbSetupPacket{v[0], v[1], word(2), word(4), word(6)};
}
