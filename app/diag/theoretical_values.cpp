#include "app/diag/theoretical_values.h"

#include "app/diag/calibration_support.h"
#include "app/setup/setup_text.h"

namespace {

constexpr float kMaxSignal = 3.0f;

struct Limits {
  const char* missing;
  float maximum;
  const char* aboveMaximum;
  const char* belowMinimum;
};

const Limits kSignal{"Kein Wert für Sensorempfindlichkeit eingegeben! -> Abbruch!", kMaxSignal,
                     "Maximaler Wert beträgt 3.0 mV/V! -> Abbruch!", "Minimaler Wert beträgt 0.0 mV/V! -> Abbruch!"};

std::optional<std::string> CheckValue(const std::string& typed, const Limits& limits) {
  // A text that is no number would count as 0 and pass; it is refused as missing.
  if (typed.empty() || !calibration::IsNumber(calibration::WithPoint(typed))) return limits.missing;
  const float value = TextToFloat(NormalisedValue(typed));
  if (value > limits.maximum) return limits.aboveMaximum;
  if (value < 0.0f) return limits.belowMinimum;
  return std::nullopt;
}

}  // namespace

std::string NormalisedValue(std::string_view typed) {
  std::string text = calibration::WithPoint(typed);
  if (text.find('.') == std::string::npos) text += '.';
  return text;
}

std::optional<TheoreticalRefusal> CheckTheoreticalValues(const std::array<std::string, 4>& typed, float maxWeight) {
  const Limits weight{"Kein Wert für Vollbelastung eingegeben! -> Abbruch!", maxWeight,
                      "Maximalwert überschritten! -> Abbruch!", "Minimalwert unterschritten! -> Abbruch!"};
  for (TheoreticalField field : {ZERO_SIGNAL, ZERO_WEIGHT, END_SIGNAL, END_WEIGHT}) {
    const bool signal = field == ZERO_SIGNAL || field == END_SIGNAL;
    if (auto text = CheckValue(typed[field], signal ? kSignal : weight)) return TheoreticalRefusal{field, *text};
  }
  // A characteristic needs the end point above the zero point in both values.
  auto value = [&](TheoreticalField field) { return TextToFloat(NormalisedValue(typed[field])); };
  if (value(END_SIGNAL) <= value(ZERO_SIGNAL))
    return TheoreticalRefusal{END_SIGNAL, "Endpunkt-Signal muss größer als Nullpunkt-Signal sein! -> Abbruch!"};
  if (value(END_WEIGHT) <= value(ZERO_WEIGHT))
    return TheoreticalRefusal{END_WEIGHT, "Endpunkt-Gewicht muss größer als Nullpunkt-Gewicht sein! -> Abbruch!"};
  return std::nullopt;
}

std::string TheoreticalPointText(std::string_view signal, std::string_view weight) {
  return NormalisedValue(signal) + ":" + NormalisedValue(weight);
}
