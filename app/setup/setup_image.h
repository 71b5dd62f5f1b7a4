#pragma once
// The PC copy of the device set-up memory.
#include <array>
#include <cstdint>

constexpr int SETUP_IMAGE_SIZE = 780;

using SetupImageBytes = std::array<uint8_t, SETUP_IMAGE_SIZE>;
