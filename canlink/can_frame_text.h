#pragma once
// What the CAN transport libraries share: the frame texts the programming
// library hands to WriteCAN, the receive filter of a CRIS, the record that
// ReadCAN fills, and how a library tells its user what went wrong.
#include <cstdint>
#include <optional>
#include <string>

#include "flashcore/core/can_message.h"

namespace canlink {

// A standard (11-bit) data frame.
struct Frame {
  std::uint32_t id = 0;
  std::uint8_t length = 0;
  std::uint8_t data[8] = {};
};

// "IIILLDD..": three hexadecimal digits of identifier (at most 7FF), two of
// data length (at most 8), two per data byte and nothing more; nullopt for
// any other text.
std::optional<Frame> ParseFrameText(const char* text);

// The identifiers a boot loader of the CRIS uses: CRIS * 16 + 0 .. 15.
bool InCrisSegment(std::uint32_t id, std::uint8_t cris);

// Identifier, length and data into the record; its other bytes zero.
void StoreMessage(const Frame& frame, CanMessage* message);

// One line on standard error, headed by the name the library was loaded
// under ("canlink_peak: ..."): the transport interface has no way to hand
// a reason to the programming library, which reports only its status.
void Report(const std::string& text);

}  // namespace canlink
