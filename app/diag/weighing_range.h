#pragma once
// The weighing range of an external calibration: number of divisions times
// digit step, and the text that shows it plus one digit step with the unit.
#include <array>
#include <cstdint>
#include <string>

// The digit step of each position of the "Ziffernschritt" list, in units of 0.0001.
extern const std::array<int32_t, 18> DigitStepTable;

struct WeighingRange {
  double range = 0.0;  // divisions x digit step
  float step = 0.0f;   // the digit step
  std::string text;    // range plus one step, two blanks, the unit symbol
};

// `stepUnits` is the digit step in units of 0.0001. The number of decimals
// follows from the digits of the division count and of the range.
WeighingRange ComputeWeighingRange(int32_t divisions, int32_t stepUnits, const std::string& unit);
