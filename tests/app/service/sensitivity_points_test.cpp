// The sensitivity calibration's arithmetic: the typed input signal, its code
// on the characteristic, and the points set in the ADC section.
#include <gtest/gtest.h>

#include "app/service/sensitivity_points.h"

namespace {

TEST(SensitivityPoints, TheInputSignalIsShownWithFiveDecimalsAndCountsInMillionthsOfAMillivoltPerVolt) {
  struct Case {
    const char* typed;
    const char* shown;
    std::optional<int32_t> code;
  };
  const Case cases[] = {
      {"2", "2.00000", 2000000},
      {"1,5", "1.50000", 1500000},
      {"-2", "-2.00000", -2000000},
      {"2.12345", "2.12345", 2123450},
      {"0", "0.00000", std::nullopt},
      {"abc", "0.00000", std::nullopt},
      // Beyond what a characteristic point holds.
      {"5000", "5000.00000", std::nullopt},
  };
  for (const Case& c : cases) {
    const auto entry = ReadInputSignal(c.typed);
    ASSERT_TRUE(entry.has_value()) << c.typed;
    EXPECT_EQ(entry->shown, c.shown) << c.typed;
    EXPECT_EQ(entry->code, c.code) << c.typed;
  }
  EXPECT_FALSE(ReadInputSignal("").has_value());
}

TEST(SensitivityPoints, TheSecondPointTakesTheSignalAndTheZeroPointIsResetUnlessKept) {
  SetupImageBytes image{};
  image.fill(0x55);
  auto adc = SectionBytes(image, SetupSection::ADC);
  SetSensitivityPoints(image, 1, 1500000, false);
  const int xs = FieldOf(SetupSection::ADC, "xs_1").offset;
  const int ys = FieldOf(SetupSection::ADC, "ys_1").offset;
  EXPECT_EQ(GetInt32(adc, xs), 0);
  EXPECT_EQ(GetFloat(adc, ys), 0.0f);
  EXPECT_EQ(GetInt32(adc, xs + 4), 1500000);
  EXPECT_EQ(GetFloat(adc, ys + 4), 100.0f);
  EXPECT_EQ(GetByte(adc, FieldOf(SetupSection::ADC, "calib_1").offset), 1);
  EXPECT_EQ(GetByte(adc, FieldOf(SetupSection::ADC, "smax_1").offset), 2);
  // Points 2 .. 7 and channel 1 stay as they were.
  EXPECT_EQ(GetByte(adc, xs + 8), 0x55);
  EXPECT_EQ(GetByte(adc, FieldOf(SetupSection::ADC, "xs_0").offset), 0x55);

  PutInt32(adc, xs, 1234);
  SetSensitivityPoints(image, 1, -2000000, true);
  EXPECT_EQ(GetInt32(adc, xs), 1234);
  EXPECT_EQ(GetInt32(adc, xs + 4), -2000000);
}

TEST(SensitivityPoints, EachChannelsPointsAreOneBlockOfSixtyFourBytes) {
  // Device addresses SetupBase + 0x40 and + 0x90 in the ADC section at + 0x30.
  EXPECT_EQ(PointBlockOf(0).offset, 0x40 - 0x30);
  EXPECT_EQ(PointBlockOf(1).offset, 0x90 - 0x30);
  EXPECT_EQ(PointBlockOf(0).length, 64);
}

}  // namespace
