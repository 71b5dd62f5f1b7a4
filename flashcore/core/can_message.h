#pragma once
// The record a CAN transport library's ReadCAN fills with one received
// message: identifier, data length and up to eight data bytes. It crosses
// the library boundary, so its layout is fixed.
#include <cstddef>
#include <cstdint>

struct CanMessage {
  std::uint32_t id = 0;
  std::uint8_t reserved = 0;
  std::uint8_t length = 0;
  std::uint8_t data[8] = {};
  std::uint8_t padding[2] = {};
};
static_assert(sizeof(CanMessage) == 16, "CanMessage crosses the library boundary");
static_assert(offsetof(CanMessage, length) == 5 && offsetof(CanMessage, data) == 6, "CanMessage layout");
