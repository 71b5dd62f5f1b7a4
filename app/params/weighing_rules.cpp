#include "app/params/weighing_rules.h"

#include <algorithm>
#include <cstdio>

#include "app/setup/setup_text.h"

namespace {

constexpr int ROW_AGGREGATE_VALUE = 191;
constexpr int ROW_REFERENCE_VALUE = 192;
constexpr int CHN_PAUSE_MS = 250;

ExitClamp Plain(const char* edit, int low, int high) { return {{edit, low, high}, false}; }
ExitClamp Negated(const char* edit, int low, int high) { return {{edit, low, high}, true}; }

}  // namespace

const std::vector<ExitClamp>& WeighingExitClamps() {
  static const std::vector<ExitClamp> clamps = {
      Negated("Edit9", 0, 125),  Negated("Edit22", 0, 125),  // zero-setting range, lower limit
      Plain("Edit8", 0, 125),    Plain("Edit21", 0, 125),    // zero-setting range, upper limit
      Plain("Edit7", 0, 100),    Plain("Edit20", 0, 100),    // switch-on zero range, lower limit
      Plain("Edit6", 0, 100),    Plain("Edit19", 0, 100),    // switch-on zero range, upper limit
      Negated("Edit10", 0, 125), Negated("Edit25", 0, 125),  // taring range, lower limit
      Plain("Edit11", 0, 125),   Plain("Edit26", 0, 125),    // taring range, upper limit
      Plain("Edit2", 1, 32),     Plain("Edit3", 1, 32),      // averaging-filter length
      Plain("Edit32", 1, 60),    Plain("Edit33", 1, 60),     // dosing measuring interval
      Plain("Edit139", 0, 99),                               // RS-485 address of the external display
  };
  return clamps;
}

const ExitClamp* WeighingExitClampOf(std::string_view edit) {
  const auto& clamps = WeighingExitClamps();
  const auto it = std::find_if(clamps.begin(), clamps.end(), [&](const ExitClamp& c) { return c.range.edit == edit; });
  return it == clamps.end() ? nullptr : &*it;
}

std::optional<std::string> ClampedExitText(const ExitClamp& clamp, std::string_view text) {
  if (!clamp.negated) return ApplyRangeCheck(clamp.range, text).text;
  const int64_t value = -static_cast<int64_t>(TextToInt(text));
  if (value > clamp.range.high) return FormatInt(-clamp.range.high);
  if (value < clamp.range.low) return FormatInt(-clamp.range.low);
  return std::nullopt;
}

FactorCheck CheckFactorText(std::string_view text) {
  if (text.find_first_of(",.") != std::string_view::npos) return {true, std::nullopt};
  return {false, ApplyRangeCheck(RangeCheck{"", 1, 255}, text).text};
}

RangeCheckResult CheckIntervalText(std::string_view text) {
  return ApplyRangeCheck(RangeCheck{"", 500, 10000, true, true}, text);
}

SumRangeDisplay SumRange(uint8_t mode, int32_t f1, int32_t f2, int32_t n1, int32_t n2, int unitIndex) {
  static constexpr const char* kUnits[] = {"kg", "t", "g", "lb", "oz", "N", "kN", "{free}"};
  const char* unit = unitIndex >= 0 && unitIndex < 8 ? kUnits[unitIndex] : "";
  // 32-bit products, wrapping as the device's integers do.
  auto product = [](int32_t f, int32_t n) { return static_cast<uint32_t>(f) * static_cast<uint32_t>(n); };
  SumRangeDisplay d;
  d.channelLabel = mode == 1;
  d.titleRow = mode == 1 ? ROW_REFERENCE_VALUE : ROW_AGGREGATE_VALUE;
  if (mode != 0 && mode != 1) return d;  // an erased set-up: no value to show
  const uint32_t value = mode == 0 ? product(f1, n1) + product(f2, n2) : product(f1, n1);
  char text[64];
  std::snprintf(text, sizeof text, "%d %s", static_cast<int32_t>(value), unit);
  d.value = text;
  return d;
}

std::vector<StoreBlock> StoreBlocksOfPage(int page, bool channel1GroupsShown, bool channel2GroupsShown) {
  using enum SetupSection;
  switch (page) {
    case 0: return {{WKS}, {LPC}, {ADC}, {ADM}, {MSC}};
    case 1: return {{WKG0}, {ADC}};
    case 2: return {{WKG1}, {ADC}};
    case 3: {
      std::vector<StoreBlock> blocks;
      if (channel1GroupsShown) blocks.push_back({CHN0});
      if (channel2GroupsShown) blocks.push_back({CHN1, CHN_PAUSE_MS});
      return blocks;
    }
    case 4: return {{LPC}, {MSC}};
    default: return {};
  }
}
