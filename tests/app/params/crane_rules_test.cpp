// The plain rules behind the crane-scale windows: the range, the protocol's
// values and the firmware update's step sequence.
#include <gtest/gtest.h>

#include <vector>

#include "app/params/crane_range.h"
#include "app/params/flash_selection.h"
#include "app/params/protocol_values.h"
#include "tests/app/setup/known_setup.h"

namespace {

TEST(CraneRange, DivisionsTimesDigitStep) {
  struct Case {
    const char* divisions;
    int index;
    const char* range;
  };
  const Case cases[] = {
      {"3000", 11, "1500.000"}, {"20", 17, "1000.000"}, {"abc", 11, "0.000"}, {"", 0, "0.000"},
      {"1000", 0, "0.100"},     {"3000,5", 12, "3000.500"}, {"-10", 13, "-20.000"}, {"100000", 3, "100.000"},
  };
  for (const Case& c : cases) EXPECT_EQ(RangeText(c.divisions, c.index), c.range) << c.divisions << " " << c.index;
  EXPECT_EQ(RangeText("3000", -1), std::nullopt);
  EXPECT_EQ(RangeText("3000", 18), std::nullopt);  // the 19th step has no list entry
}

TEST(CraneRange, StepsFollowTheListTexts) {
  ASSERT_EQ(DigitStepTexts().size(), 18u);
  for (int i = 0; i < 18; ++i) EXPECT_FLOAT_EQ(*DigitStep(i), std::stof(DigitStepTexts()[i])) << i;
  EXPECT_EQ(ScaleStepFactors.back(), 1000000);
}

TEST(ProtocolValues, IdentityAlwaysSettingsOnlyWithASetup) {
  SetupImageBytes image = known_setup::Defaults();
  known_setup::Set(image, SetupSection::WKG0, "nsu", 15);
  known_setup::Set(image, SetupSection::WKG0, "enull", 0);
  known_setup::Set(image, SetupSection::ADC, "smax_0", 3);
  known_setup::Set(image, SetupSection::ADC, "xs_0", -42, 7);
  known_setup::Set(image, SetupSection::ADC, "ys_0", 100.0, 7);

  const ProtocolValues none = ProtocolValuesOf({"", "SN1", ""}, image, false);
  EXPECT_EQ(none.type, ".");
  EXPECT_EQ(none.serial, "SN1");
  EXPECT_EQ(none.underload, ".");
  EXPECT_EQ(none.xs[7], ".");

  const ProtocolValues set = ProtocolValuesOf({"T", "SN1", "V1"}, image, true);
  EXPECT_EQ(set.underload, "-15 %");
  EXPECT_EQ(set.zeroOnStart, "Aus");
  EXPECT_EQ(set.points, "3");
  EXPECT_EQ(set.xs[7], "-42");
  EXPECT_EQ(set.ys[7], "100.0000");
  // Nothing in the set-up holds the radio and switch-off items.
  EXPECT_EQ(set.radioNumber, ".");
  EXPECT_EQ(set.switchOffTime, ".");
}

// What the library's calls returned and which of them ran.
struct FakeCalls {
  static inline bool init, device, hardware;
  static inline std::vector<int> calls;  // 1 init, 2 device, 3 hardware, 4 last error
  static FlashFunctions Functions() {
    return {[] { calls.push_back(1); return init; },
            [](int code) { calls.push_back(code == 7 ? 2 : -2); return device; },
            [](int code) { calls.push_back(code == 1 ? 3 : -3); return hardware; },
            [] { calls.push_back(4); return 54; }};
  }
};

TEST(FlashSelection, StopsAtTheFirstFailureAndAlwaysFetchesTheStatus) {
  struct Case {
    bool init, device, hardware;
    std::vector<int> calls;
    std::vector<std::pair<FlashStep, bool>> shown;
  };
  using enum FlashStep;
  const Case cases[] = {
      {false, true, true, {1, 4}, {{Init, false}}},
      {true, false, true, {1, 2, 4}, {{Init, true}, {Device, false}}},
      {true, true, false, {1, 2, 3, 4}, {{Init, true}, {Device, true}, {ComPort, false}}},
      {true, true, true, {1, 2, 3, 4}, {{Init, true}, {Device, true}, {ComPort, true}}},
  };
  for (const Case& c : cases) {
    FakeCalls::init = c.init;
    FakeCalls::device = c.device;
    FakeCalls::hardware = c.hardware;
    FakeCalls::calls.clear();
    std::vector<FlashStep> begun;
    std::vector<std::pair<FlashStep, bool>> shown;
    const FlashStepView view{[&](FlashStep s) { begun.push_back(s); },
                             [&](FlashStep s, bool passed) { shown.emplace_back(s, passed); }};
    EXPECT_EQ(RunFlashSelection(FakeCalls::Functions(), 7, 1, view), 54);
    EXPECT_EQ(FakeCalls::calls, c.calls);
    EXPECT_EQ(shown, c.shown);
    ASSERT_EQ(begun.size(), shown.size());
    for (size_t i = 0; i < begun.size(); ++i) EXPECT_EQ(begun[i], shown[i].first);
  }
}

}  // namespace
