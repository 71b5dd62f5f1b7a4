#pragma once
// Single fields of the set-up image by section and name, and where they lie
// in the device.
#include <cstdint>
#include <string_view>

#include "app/link/setup_image.h"

uint8_t& ImageByte(SetupImageBytes& image, SetupSection section, std::string_view field);
// Device address of a field of the set-up copy at `base`.
int DeviceAddressOf(SetupSection section, std::string_view field, uint16_t base);
