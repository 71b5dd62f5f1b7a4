#pragma once
// The program's default images of the set-up sections, as the image holds
// them: every multi-byte field in the device's byte order (under and over
// low byte first) and every reserved byte 0xFF. WKG and CHN serve both
// channels; there is no default of the factory data.
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "app/link/setup_image.h"

struct DefaultSetupImages {
  std::array<uint8_t, 8> gbl;
  std::array<uint8_t, 16> adm;
  std::array<uint8_t, 32> lpc;
  std::array<uint8_t, 244> adc;
  std::array<uint8_t, 64> wkg;
  std::array<uint8_t, 32> wks;
  std::array<uint8_t, 80> chn;
  std::array<uint8_t, 64> exb;
  std::array<uint8_t, 32> msc;
};

const DefaultSetupImages& DefaultSetup();

// The default image of `section` (WKG[0] and WKG[1] share one, as do CHN[0]
// and CHN[1]); nothing for SAV.
std::optional<std::vector<uint8_t>> DefaultSection(SetupSection section);

// Puts the default image of `section` into `image`; false (image unchanged)
// for a section without one.
bool LoadDefaultSection(SetupImageBytes& image, SetupSection section);
