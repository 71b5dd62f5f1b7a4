#include "app/params/crane_range.h"

#include <cstdio>

#include "app/params/parameter_text.h"

const std::array<int, 19> ScaleStepFactors = {1,     2,     5,      10,     20,     50,     100,
                                              200,   500,   1000,   2000,   5000,   10000,  20000,
                                              50000, 100000, 200000, 500000, 1000000};

const std::vector<std::string>& DigitStepTexts() {
  static const std::vector<std::string> texts = {"0.0001", "0.0002", "0.0005", "0.001", "0.002", "0.005",
                                                 "0.01",   "0.02",   "0.05",   "0.1",   "0.2",   "0.5",
                                                 "1",      "2",      "5",      "10",    "20",    "50"};
  return texts;
}

std::optional<float> DigitStep(int index) {
  if (index < 0 || index >= static_cast<int>(DigitStepTexts().size())) return std::nullopt;
  return static_cast<float>(ScaleStepFactors[static_cast<size_t>(index)] * 0.0001);
}

std::optional<std::string> RangeText(std::string_view divisions, int index) {
  const std::optional<float> step = DigitStep(index);
  if (!step) return std::nullopt;
  const float range = DecimalOfText(divisions) * *step;
  char text[64];
  std::snprintf(text, sizeof text, "%.3f", static_cast<double>(range));
  return text;
}
