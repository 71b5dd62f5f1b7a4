#pragma once
// The sensitivity calibration from nominal data: the input signal at nominal
// value becomes the second point of a channel's characteristic.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/link/setup_image.h"

// The input signal typed into a channel's field.
struct InputSignalEntry {
  std::string shown;  // the field's text afterwards: the value with five decimals ("%.5f")
  // The characteristic's input code (0.000001 mV/V per unit); nullopt for a
  // value of 0, no number, or one beyond what the device can hold.
  std::optional<int32_t> code;
};
// nullopt for an empty text.
std::optional<InputSignalEntry> ReadInputSignal(std::string_view text);

// Output value of the characteristic's second point: the nominal value, 100 %.
inline constexpr float NOMINAL_OUTPUT = 100.0f;

// Sets the characteristic of channel 0 or 1 in the ADC section: point 0 to
// (0, 0.0) unless the zero point is kept, point 1 to (code, 100.0), two
// points in use, calibrated.
void SetSensitivityPoints(SetupImageBytes& image, int channel, int32_t code, bool keepZero);

// The channel's eight input points and eight output points: where they lie
// in the ADC section and how long they are (one 64-byte block).
struct PointBlock {
  int offset;
  int length;
};
PointBlock PointBlockOf(int channel);
