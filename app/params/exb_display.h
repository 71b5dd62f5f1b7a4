#pragma once
// What the extension-board values window shows of the board's values.
#include <array>
#include <cstdint>
#include <string>

// The values as the link keeps them: inputs byte, encoder raw value (int32)
// and scaled value (IEEE single) in host order, relay byte.
using ExbValueBytes = std::array<uint8_t, 10>;

struct ExbDisplay {
  std::string inputs;                 // "%d" of the inputs byte
  std::array<bool, 4> inputBits{};    // bits 0 .. 3 of the inputs byte
  std::string encoderRaw;             // "%d"
  std::string encoderScaled;          // "%.3f"
  std::string relays;                 // "%d" of the relay byte
  std::array<bool, 2> relayBits{};    // bits 0 and 1 of the relay byte
};

ExbDisplay ExbValuesDisplay(const ExbValueBytes& values);
