// The tables that turn a device's answers into the windows' adaptation.
#include <gtest/gtest.h>

#include "app/link/device_variants.h"
#include "app/link/firmware_version.h"
#include "app/link/setup_image.h"

namespace {

TEST(HardwareAdaptation, BoardsByCodeAndVariant) {
  struct Case {
    const char* code;
    int variant;
    bool exb;
    int deviceType;
    bool address, profibus, dataLabel, exbMenus, global, channel2, pages, incremental, noBoard;
  };
  const Case cases[] = {
      {"1001", 21, true, 1, false, true, true, true, true, true, true, true, false},
      {"1001", 21, false, 1, false, true, true, false, true, true, true, true, false},
      {"1001", 11, true, 1, false, true, true, true, true, false, true, true, false},
      {"1003", 3, false, 2, false, true, true, false, true, false, true, true, false},
      {"1002", 3, true, 3, true, false, false, false, true, false, false, false, true},
      {"1002", 11, false, 3, false, false, false, false, true, true, false, false, true},
      {"3001", 22, true, 4, false, false, true, false, false, true, true, false, false},
      {"3001", 11, false, 4, false, false, true, false, false, false, true, false, false},
      {"4001", 21, true, 7, false, false, false, false, true, false, false, false, true},
      {"4002", 33, false, 6, false, false, false, false, true, false, false, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.code) + " variant " + std::to_string(c.variant) + (c.exb ? " with EXB" : ""));
    const auto a = HardwareAdaptationFor(c.code, c.variant, c.exb);
    ASSERT_TRUE(a.has_value());
    EXPECT_EQ(a->deviceType, c.deviceType);
    EXPECT_EQ(a->addressEditEnabled, c.address);
    EXPECT_EQ(a->profibusMenu, c.profibus);
    EXPECT_EQ(a->deviceDataLabel, c.dataLabel);
    EXPECT_EQ(a->exbMenus, c.exbMenus);
    EXPECT_EQ(a->globalParameterMenu, c.global);
    EXPECT_EQ(a->channel2ParameterMenu, c.channel2);
    EXPECT_EQ(a->exbPages, c.pages);
    EXPECT_EQ(a->incrementalMenu, c.incremental);
    EXPECT_EQ(a->noExtensionBoard, c.noBoard);
  }
}

TEST(HardwareAdaptation, OnlyTheFirstFourCharactersOfAKnownCodeCount) {
  EXPECT_TRUE(HardwareAdaptationFor("1001xyz", 21, false).has_value());
  for (const char* code : {"", "100", "1004", "2001", "10 1", "4003"})
    EXPECT_FALSE(HardwareAdaptationFor(code, 21, false).has_value()) << code;
}

TEST(VariantAdaptation, KnownVariantsAndTheirSignals) {
  struct Case {
    int variant;
    bool single;
    InputType in1;
    const char* text1;
    bool nominal1;
    bool hasChannel2;
    InputType in2;
    const char* text2;
    bool nominal2;
    bool caption;
  };
  using enum InputType;
  const Case cases[] = {
      {1, true, MilliVoltPerVolt, "+/- 3 mV/V", true, false, MilliVoltPerVolt, "", false, true},
      {2, true, MilliVoltPerVolt, "+/- 3 mV/V", true, false, MilliVoltPerVolt, "", false, true},
      {3, true, MilliVoltPerVolt, "+/- 3 mV/V", true, false, MilliVoltPerVolt, "", false, true},
      {11, true, MilliVoltPerVolt, "+/- 3 mV/V", true, false, MilliVoltPerVolt, "", false, true},
      {21, false, MilliVoltPerVolt, "+/- 3 mV/V", true, true, MilliVoltPerVolt, "+/- 3 mV/V", true, true},
      {22, false, MilliVoltPerVolt, "+/- 3 mV/V", true, true, Volt, "0..10 V", false, true},
      {23, false, MilliVoltPerVolt, "+/- 3 mV/V", true, true, MilliAmpere, "4..20 mA", false, true},
      {24, false, Volt, "0..10 V", false, true, Volt, "0..10 V", false, false},
      {25, false, MilliAmpere, "4..20 mA", false, true, MilliAmpere, "4..20 mA", false, false},
      {32, false, Volt, "0..10 V", false, true, MilliVoltPerVolt, "+/- 3 mV/V", true, true},
      {33, false, MilliAmpere, "4..20 mA", false, true, MilliVoltPerVolt, "+/- 3 mV/V", true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("variant " + std::to_string(c.variant));
    const auto v = VariantAdaptationFor(c.variant);
    ASSERT_TRUE(v.has_value());
    EXPECT_EQ(v->singleChannel, c.single);
    EXPECT_EQ(v->channel1.type, c.in1);
    EXPECT_STREQ(v->channel1.text, c.text1);
    EXPECT_EQ(v->channel1.nominalField, c.nominal1);
    ASSERT_EQ(v->channel2.has_value(), c.hasChannel2);
    if (c.hasChannel2) {
      EXPECT_EQ(v->channel2->type, c.in2);
      EXPECT_STREQ(v->channel2->text, c.text2);
      EXPECT_EQ(v->channel2->nominalField, c.nominal2);
    }
    EXPECT_EQ(v->nominalCaption, c.caption);
  }
  for (int other : {0, 4, 10, 12, 20, 26, 31, 34, 255}) EXPECT_FALSE(VariantAdaptationFor(other)) << other;
}

TEST(DeviceListMenu, ByVariantWithoutSupervisorMode) {
  EXPECT_EQ(DeviceListMenuFor(3), std::optional<bool>(true));
  for (int v : {2, 11, 21, 25}) EXPECT_EQ(DeviceListMenuFor(v), std::optional<bool>(false)) << v;
  for (int v : {1, 22, 23, 24, 32, 33}) EXPECT_EQ(DeviceListMenuFor(v), std::nullopt) << v;
}

TEST(SetupCopy, ReplyByteChoosesCopyAndPanel) {
  struct Case {
    int reply;
    const char* text;
    uint16_t base;
    bool isDefault;
  };
  const Case cases[] = {{0, "SETUP1", SETUP_BASE_1, false},
                        {1, "SETUP2", SETUP_BASE_2, false},
                        {2, "DEFAULT (SET1)", SETUP_BASE_1, true},
                        {7, "FAIL", SETUP_BASE_1, false},
                        {255, "FAIL", SETUP_BASE_1, false}};
  for (const Case& c : cases) {
    const SetupCopyChoice s = SetupCopyFor(c.reply);
    EXPECT_STREQ(s.panelText, c.text) << c.reply;
    EXPECT_EQ(s.base, c.base) << c.reply;
    EXPECT_EQ(s.defaultSetup, c.isDefault) << c.reply;
  }
}

TEST(DeviceClock, TextWithWeekdayName) {
  // [1] second, [2] minute, [3] hour, [4] day, [5] month, [6] year, [7] weekday.
  EXPECT_EQ(DeviceClockText({0, 33, 7, 14, 5, 3, 9, 4, 0, 0}), "05.03.09   14:07:33    Do");
  EXPECT_EQ(DeviceClockText({0, 0, 0, 0, 31, 12, 99, 0, 0, 0}), "31.12.99   00:00:00    So");
  EXPECT_EQ(DeviceClockText({0, 59, 59, 23, 1, 1, 0, 6, 0, 0}), "01.01.00   23:59:59    Sa");
  // A weekday byte that names no day.
  EXPECT_EQ(DeviceClockText({0, 1, 2, 3, 4, 5, 6, 7, 0, 0}), "04.05.06   03:02:01    ??");
  EXPECT_EQ(DeviceClockText({0, 1, 2, 3, 4, 5, 6, 255, 0, 0}), "04.05.06   03:02:01    ??");
}

TEST(FirmwareVersion, SeriesListsAndNumericOrder) {
  struct Case {
    const char* text;
    bool series0, shortList, noFive;
  };
  const Case cases[] = {
      {"V0.0.2", true, false, true},    {"V0.0.10", true, false, true},  {"V0.0.1", false, false, true},
      {"V0.0.11", false, false, true},  {"V1.0.5", false, false, true},  {"V1.0.6", false, true, true},
      {"V1.0.9", false, true, true},    {"V1.0.10", false, true, true},  {"V1.0.11", false, true, false},
      {"V1.0.15", false, true, false},  {"V1.0.16", false, true, true},  {"V1.0.100", false, true, true},
      {"V1.1.0", false, true, true},    {"V2.0.0", false, true, true},   {"V1.0.1", false, false, true},
      {"", false, false, true},         {"v1.0.12", false, true, true},  {"V1.0.12 ", false, false, true},
  };
  for (const Case& c : cases) {
    const FirmwareJudgement j = JudgeFirmwareVersion(c.text);
    EXPECT_EQ(j.series0, c.series0) << '"' << c.text << '"';
    EXPECT_EQ(j.shortSdcontList, c.shortList) << '"' << c.text << '"';
    EXPECT_EQ(j.noFiveDecimals, c.noFive) << '"' << c.text << '"';
  }
}

}  // namespace
