#include "app/service/channel_fields.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <optional>

#include "app/link/link_utilities.h"
#include "app/setup/setup_text.h"

namespace {

constexpr int kUnits = 8;
constexpr int kMaxPoints = 8;
// Input points of the characteristic count in units of 0.000001 mV/V.
constexpr double kMillivoltPerInputUnit = 2.0 * 5e-7;

SetupSection ChnOf(int channel) { return channel == 0 ? SetupSection::CHN0 : SetupSection::CHN1; }

int RangeOffset(int unit, const char* part) {
  return FieldOf(SetupSection::CHN0, "ch_b[" + std::to_string(unit) + "][0]_" + part).offset;
}

std::string Fixed5(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.5f", value);
  return text;
}

// The input signal that the characteristic's last point in use stands for,
// or nullopt when the point count is no count of points.
std::optional<double> CharacteristicSignal(const SetupImageBytes& image, int channel) {
  const auto adc = SectionBytes(image, SetupSection::ADC);
  const std::string n = std::to_string(channel);
  const int points = GetByte(adc, FieldOf(SetupSection::ADC, "smax_" + n).offset);
  if (points < 1 || points > kMaxPoints) return std::nullopt;
  const int last = FieldOf(SetupSection::ADC, "xs_" + n).offset + 4 * (points - 1);
  return GetInt32(adc, last) * kMillivoltPerInputUnit;
}

// The digits of the transmitted value for a nominal value of `characters`
// characters at digit step `step`; 0 when the step gives no digit count.
int DigitsOf(int characters, int32_t step) {
  switch (step) {
    case 1: return characters + 4;
    case 10: return characters + 3;
    case 100: return characters + 2;
    case 1000: return characters + 1;
    case 10000:
    case 100000: return characters;
    default: return 0;
  }
}

// The digit step's index for `digits` digits of a nominal value of
// `characters` characters; `current` when the count names none.
uint8_t DigitStepIndex(int digits, int characters, bool fiveDecimals, uint8_t current, uint8_t& marker) {
  const int k = digits - characters;
  if (k <= 0) return digits < 6 ? 12 : 15;
  switch (k) {
    case 1: return 9;
    case 2: return 6;
    case 3: return 3;
    case 4: return 0;
    case 5:
      if (fiveDecimals && characters == 1) {
        marker = FIVE_DECIMALS_ON;
        return ZS_FIVE_DECIMALS;
      }
      return 0;
    default: return current;
  }
}

}  // namespace

std::vector<std::string> DigitItems(int characters) {
  switch (characters) {
    case 4: return {"4", "5", "6"};
    case 5: return {"5", "6"};
    case 6: return {"6"};
    default: return {"3", "4", "5", "6"};
  }
}

ChannelFieldTexts ChannelFieldsOf(const SetupImageBytes& image, int channel, int unit, bool noFiveDecimals) {
  const auto chn = SectionBytes(image, ChnOf(channel));
  ChannelFieldTexts f;
  const uint8_t calibMode = GetByte(chn, FieldOf(SetupSection::CHN0, "chn_calib_mode").offset);
  const float modeValue = GetFloat(chn, FieldOf(SetupSection::CHN0, "chn_mode_val").offset);
  const std::optional<double> characteristic = CharacteristicSignal(image, channel);
  f.inputSignal = Fixed5(calibMode == CALIB_MODE_LOAD && characteristic ? *characteristic : modeValue);
  f.loadCalibrated = calibMode == CALIB_MODE_LOAD;

  if (unit < 0 || unit >= kUnits) return f;
  const uint8_t zs = GetByte(chn, RangeOffset(unit, "zs"));
  if (zs >= kDigitSteps.size()) return f;
  const int32_t sk = GetInt32(chn, RangeOffset(unit, "sk"));
  const int32_t step = kDigitSteps[zs];
  const bool oneMoreDecimal =
      !noFiveDecimals && GetByte(chn, FieldOf(SetupSection::CHN0, "five_decimals").offset) == FIVE_DECIMALS_ON;
  int value = RoundToInt(static_cast<float>(sk) * static_cast<float>(step) * 0.0001f);
  if (oneMoreDecimal) value /= 10;
  f.nominal = FormatInt(value);

  const int characters = static_cast<int>(f.nominal.size());
  int digits = DigitsOf(characters, step);
  if (oneMoreDecimal && characters == 1) digits = 6;
  f.digitItems = DigitItems(characters);
  for (const std::string& item : f.digitItems)
    if (item == FormatInt(digits)) f.digits = item;
  return f;
}

void StoreChannelFields(SetupImageBytes& image, int channel, const ChannelFieldEntry& entry, bool noFiveDecimals) {
  const auto chn = SectionBytes(image, ChnOf(channel));
  PutFloat(chn, FieldOf(SetupSection::CHN0, "chn_mode_val").offset, TextToFloat(WithDecimalPoint(entry.inputSignal)));
  if (entry.unit < 0 || entry.unit >= kUnits) return;

  PutByte(chn, RangeOffset(entry.unit, "skt"), 0);
  const int64_t value = TextToInt(entry.nominal);
  const int characters = static_cast<int>(entry.nominal.size());
  const int digits = TextToInt(entry.digits);
  uint8_t marker = FIVE_DECIMALS_OFF;
  const int zsOffset = RangeOffset(entry.unit, "zs");
  uint8_t zs = DigitStepIndex(digits, characters, !noFiveDecimals, GetByte(chn, zsOffset), marker);
  PutByte(chn, FieldOf(SetupSection::CHN0, "five_decimals").offset, marker);
  PutByte(chn, zsOffset, zs);
  if (zs >= kDigitSteps.size()) return;  // an unchanged entry that names no step keeps its value

  // The raw value counts digit steps; whole numbers, so that 30 at step 10
  // is 30000 and not one count less.
  int64_t raw = value * 10000 / kDigitSteps[zs];
  if (marker == FIVE_DECIMALS_ON) raw *= 10;
  raw = std::clamp<int64_t>(raw, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max());
  PutInt32(chn, RangeOffset(entry.unit, "sk"), static_cast<int32_t>(raw));
}

NominalExit LeaveNominalField(std::string_view text) {
  NominalExit exit;
  exit.text = text;
  if (TextToInt(text) > 100000) exit.text = "100000";
  exit.hasDecimals = exit.text.find_first_of(",.") != std::string::npos;
  if (!exit.hasDecimals) exit.items = DigitItems(static_cast<int>(exit.text.size()));
  return exit;
}

std::string LeaveDigitsField(int count, std::string_view text) {
  const int v = TextToInt(text);
  const std::string kept(text);
  switch (count) {
    case 1: return "6";
    case 2: return v < 5 ? "5" : v > 6 ? "6" : kept;
    case 3: return v < 4 ? "4" : v > 6 ? "6" : kept;
    case 4: return v < 3 ? "3" : v > 6 ? "6" : kept;
    default: return kept;
  }
}

std::string WithDecimalPoint(std::string_view text) {
  std::string copy(text);
  for (char& c : copy)
    if (c == ',') c = '.';
  return copy;
}

bool InputSignalOutOfRange(std::string_view text) {
  const float value = TextToFloat(WithDecimalPoint(text));
  return value > 3.0f || value < -3.0f;
}

int BusAddressOf(std::string_view text) {
  const int v = TextToInt(text);
  return v >= FIRST_BUS_ADDRESS && v <= LAST_BUS_ADDRESS ? v : -1;
}
