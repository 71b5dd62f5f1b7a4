#pragma once
// The weighing range of a crane scale from its divisions and digit step.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The 1-2-5 sequence of digit steps in units of 0.0001 (1 .. 1000000); the
// last has no entry in the digit-step list.
extern const std::array<int, 19> ScaleStepFactors;

// The texts of the digit-step list, "0.0001" .. "50".
const std::vector<std::string>& DigitStepTexts();

// The digit step of list entry `index` (0 .. 17); nullopt for any other index.
std::optional<float> DigitStep(int index);

// The range as "%.3f": the leading number of `divisions` (0 when none) times
// the digit step of entry `index`, both single precision; nullopt without a
// valid entry.
std::optional<std::string> RangeText(std::string_view divisions, int index);
