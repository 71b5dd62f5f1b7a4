#pragma once
// The texts in which the programming library hands over a USB request: the
// setup text, 16 hexadecimal digits that are the 8 bytes of the setup
// packet as they go on the wire (so each 16-bit field low byte first), and
// the data text, two hexadecimal digits a byte.
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

struct UsbSetupPacket {
  std::uint8_t requestType = 0;  // bmRequestType; bit 7 set: device to host
  std::uint8_t request = 0;      // bRequest
  std::uint16_t value = 0;       // wValue
  std::uint16_t index = 0;       // wIndex
  std::uint16_t length = 0;      // wLength

  bool deviceToHost() const { return (requestType & 0x80u) != 0; }
};

// The packet of a setup text; nothing for a text that is not 16
// hexadecimal digits.
std::optional<UsbSetupPacket> parseSetupText(std::string_view text);

// The bytes of a data text; nothing for an odd count or a non-hexadecimal
// character.
std::optional<std::vector<std::uint8_t>> parseDataText(std::string_view text);
