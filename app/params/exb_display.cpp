#include "app/params/exb_display.h"

#include <cstdio>
#include <cstring>

ExbDisplay ExbValuesDisplay(const ExbValueBytes& values) {
  int32_t raw = 0;
  float scaled = 0.0f;
  std::memcpy(&raw, values.data() + 1, sizeof raw);
  std::memcpy(&scaled, values.data() + 5, sizeof scaled);
  const uint8_t inputs = values[0];
  const uint8_t relays = values[9];

  ExbDisplay d;
  d.inputs = std::to_string(inputs);
  for (size_t bit = 0; bit < d.inputBits.size(); ++bit) d.inputBits[bit] = (inputs >> bit) & 1;
  d.encoderRaw = std::to_string(raw);
  char text[64];
  std::snprintf(text, sizeof text, "%.3f", static_cast<double>(scaled));
  d.encoderScaled = text;
  d.relays = std::to_string(relays);
  for (size_t bit = 0; bit < d.relayBits.size(); ++bit) d.relayBits[bit] = (relays >> bit) & 1;
  return d;
}
