#include "app/setup/input_checks.h"

#include <algorithm>

#include "app/setup/setup_text.h"

const std::vector<RangeCheck>& RangeChecks() {
  static const std::vector<RangeCheck> checks = {
      {"Edit60", 10, 250},   {"Edit108", 10, 250},   // ssz
      {"Edit61", 1, 255},    {"Edit109", 1, 255},    // ssw
      {"Edit62", 0, 125},    {"Edit110", 0, 125},    // nsu
      {"Edit63", 0, 125},    {"Edit111", 0, 125},    // nso
      {"Edit67", 0, 20},     {"Edit112", 0, 20},     // enu
      {"Edit68", 0, 100},    {"Edit113", 0, 100},    // eno
      {"Edit99", 1, 15},     {"Edit116", 1, 15},     // nullnd
      {"Edit69", 0, 200},    {"Edit126", 0, 200},    // min
      {"Edit70", 0, 125},    {"Edit122", 0, 125},    // tau
      {"Edit71", 0, 125},    {"Edit121", 0, 125},    // tao
      {"Edit129", 1, 255},   {"Edit130", 1, 255},    // fakt_0, fakt_1
      {"Edit131", 50, 5000, true}, {"Edit133", 50, 5000, true},  // on_time
      {"Edit132", 50, 5000, true}, {"Edit134", 50, 5000, true},  // pre_time
      {"Edit137", 1, 60},    {"Edit138", 1, 60},     // bw_difftime
      {"Edit12", 1, 64},     {"Edit16", 1, 64},      // len_0, len_1
      {"Edit139", 0, 99},                            // ext_disp_adr
      {"Edit142", 500, 2500, true, true},            // lc_err_cyl in ms
  };
  return checks;
}

const RangeCheck* RangeCheckOf(std::string_view edit) {
  const auto& checks = RangeChecks();
  const auto it = std::find_if(checks.begin(), checks.end(), [&](const RangeCheck& c) { return c.edit == edit; });
  return it == checks.end() ? nullptr : &*it;
}

RangeCheckResult ApplyRangeCheck(const RangeCheck& check, std::string_view text) {
  const int32_t value = TextToInt(text);
  if (check.zero_is_off && value == 0) return {};
  if (value > check.high) return {std::to_string(check.high)};
  if (check.negative_clears && value < 0) return {std::string(), true};
  if (value < check.low) return {std::to_string(check.low)};
  return {};
}

PointCountVerdict CheckPointCount(std::string_view text) {
  const int32_t value = TextToInt(text);
  if (value == 1) return PointCountVerdict::RefuseOne;
  if (value > 8) return PointCountVerdict::LimitToEight;
  return PointCountVerdict::Accept;
}

int ShownPointCount(std::string_view text) {
  const int n = static_cast<uint8_t>(TextToInt(text));
  return n > 1 ? std::min(n, 8) : 0;
}
