#include "app/service/sensitivity_points.h"

#include <cmath>
#include <cstdio>
#include <limits>

#include "app/service/channel_fields.h"
#include "app/setup/setup_text.h"

namespace {

// Input points per mV/V.
constexpr double kInputUnitsPerMillivolt = 2000000.0 * 0.5;

int AdcOffset(const std::string& field) { return FieldOf(SetupSection::ADC, field).offset; }

}  // namespace

std::optional<InputSignalEntry> ReadInputSignal(std::string_view text) {
  if (text.empty()) return std::nullopt;
  const float value = TextToFloat(WithDecimalPoint(text));
  char shown[64];
  std::snprintf(shown, sizeof shown, "%.5f", static_cast<double>(value));
  InputSignalEntry entry;
  entry.shown = shown;
  const double code = std::trunc(static_cast<double>(value) * kInputUnitsPerMillivolt);
  const bool fits = code >= std::numeric_limits<int32_t>::min() && code <= std::numeric_limits<int32_t>::max();
  if (value != 0.0f && fits) entry.code = static_cast<int32_t>(code);
  return entry;
}

void SetSensitivityPoints(SetupImageBytes& image, int channel, int32_t code, bool keepZero) {
  const auto adc = SectionBytes(image, SetupSection::ADC);
  const std::string n = std::to_string(channel);
  const int xs = AdcOffset("xs_" + n);
  const int ys = AdcOffset("ys_" + n);
  if (!keepZero) {
    PutInt32(adc, xs, 0);
    PutFloat(adc, ys, 0.0f);
  }
  PutInt32(adc, xs + 4, code);
  PutFloat(adc, ys + 4, NOMINAL_OUTPUT);
  PutByte(adc, AdcOffset("calib_" + n), 1);
  PutByte(adc, AdcOffset("smax_" + n), 2);
}

PointBlock PointBlockOf(int channel) { return {AdcOffset("xs_" + std::to_string(channel)), 64}; }
