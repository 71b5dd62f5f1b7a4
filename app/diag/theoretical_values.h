#pragma once
// The four typed values of a theoretical calibration (signal and weight of
// the zero point and of the end point), their checks and the texts that the
// device receives.
#include <array>
#include <optional>
#include <string>
#include <string_view>

enum TheoreticalField { ZERO_SIGNAL, ZERO_WEIGHT, END_SIGNAL, END_WEIGHT };

struct TheoreticalRefusal {
  TheoreticalField field;  // the field whose edit gets the focus
  std::string text;
};

// Commas become points, and a text without a point gets one appended.
std::string NormalisedValue(std::string_view typed);

// The first refusal of the typed values, in the order zero signal, zero
// weight, end signal, end weight, then the end point against the zero
// point; nothing when all values may go to the device. Signals lie within
// 0.0 .. 3.0 mV/V, weights within 0 .. `maxWeight`.
std::optional<TheoreticalRefusal> CheckTheoreticalValues(const std::array<std::string, 4>& typed, float maxWeight);

// "signal:weight" of one point, from the typed texts.
std::string TheoreticalPointText(std::string_view signal, std::string_view weight);
