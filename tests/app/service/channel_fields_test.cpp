// The channel fields of the service window against the set-up image: the
// nominal value and digits as range entries and back, the input signal, and
// the rules of leaving the fields.
#include <gtest/gtest.h>

#include "app/service/channel_fields.h"

namespace {

struct Range {
  uint8_t zs;
  int32_t sk;
  uint8_t marker;
};

class ChannelFieldsTest : public ::testing::Test {
 protected:
  SetupImageBytes image{};

  void SetUp() override { image.fill(0xFF); }

  std::span<uint8_t> Chn(int channel) {
    return SectionBytes(image, channel == 0 ? SetupSection::CHN0 : SetupSection::CHN1);
  }
  std::span<uint8_t> Adc() { return SectionBytes(image, SetupSection::ADC); }
  static int Offset(SetupSection s, const std::string& field) { return FieldOf(s, field).offset; }
  static std::string RangeKey(int unit, const char* part) {
    return "ch_b[" + std::to_string(unit) + "][0]_" + part;
  }

  Range RangeOf(int channel, int unit) {
    return {GetByte(Chn(channel), Offset(SetupSection::CHN0, RangeKey(unit, "zs"))),
            GetInt32(Chn(channel), Offset(SetupSection::CHN0, RangeKey(unit, "sk"))),
            GetByte(Chn(channel), Offset(SetupSection::CHN0, "five_decimals"))};
  }
  void SetRange(int channel, int unit, Range r) {
    PutByte(Chn(channel), Offset(SetupSection::CHN0, RangeKey(unit, "zs")), r.zs);
    PutInt32(Chn(channel), Offset(SetupSection::CHN0, RangeKey(unit, "sk")), r.sk);
    PutByte(Chn(channel), Offset(SetupSection::CHN0, "five_decimals"), r.marker);
  }
};

struct RoundTrip {
  const char* nominal;
  const char* digits;
  bool fiveDecimalFirmware;
  Range stored;
  const char* shownNominal;
  const char* shownDigits;
  std::vector<std::string> items;
};

TEST_F(ChannelFieldsTest, NominalValueAndDigitsBecomeARangeEntryAndComeBack) {
  const std::vector<std::string> all{"3", "4", "5", "6"};
  const RoundTrip cases[] = {
      {"30", "5", false, {3, 30000, 0xFF}, "30", "5", all},
      {"1000", "4", false, {12, 1000, 0xFF}, "1000", "4", {"4", "5", "6"}},
      {"100000", "6", false, {15, 10000, 0xFF}, "100000", "6", {"6"}},
      {"3", "6", true, {19, 300000, 0}, "3", "6", all},
      {"3", "6", false, {0, 30000, 0xFF}, "3", "5", all},
      {"50", "4", false, {6, 5000, 0xFF}, "50", "4", all},
      {"12345", "6", false, {9, 123450, 0xFF}, "12345", "6", {"5", "6"}},
      {"2500", "3", false, {12, 2500, 0xFF}, "2500", "4", {"4", "5", "6"}},
  };
  for (const RoundTrip& c : cases) {
    SCOPED_TRACE(std::string(c.nominal) + " with " + c.digits);
    const bool noFive = !c.fiveDecimalFirmware;
    StoreChannelFields(image, 1, {4, c.nominal, c.digits, "2.0"}, noFive);
    const Range r = RangeOf(1, 4);
    EXPECT_EQ(r.zs, c.stored.zs);
    EXPECT_EQ(r.sk, c.stored.sk);
    EXPECT_EQ(r.marker, c.stored.marker);
    EXPECT_EQ(GetByte(Chn(1), Offset(SetupSection::CHN0, RangeKey(4, "skt"))), 0);
    const ChannelFieldTexts shown = ChannelFieldsOf(image, 1, 4, noFive);
    EXPECT_EQ(shown.nominal, c.shownNominal);
    EXPECT_EQ(shown.digits, c.shownDigits);
    EXPECT_EQ(shown.digitItems, c.items);
  }
  // Only the entry of the chosen unit changes.
  EXPECT_EQ(RangeOf(1, 3).zs, 0xFF);
  EXPECT_EQ(RangeOf(0, 4).zs, 0xFF);
}

TEST_F(ChannelFieldsTest, RangeEntriesShowAsNominalValueAndDigits) {
  struct Case {
    Range range;
    bool noFive;
    int unit;
    const char* nominal;
    const char* digits;
  };
  const Case cases[] = {
      {{3, 30000, 0xFF}, true, 0, "30", "5"},
      {{12, 1000, 0xFF}, true, 0, "1000", "4"},
      // A digit step without a digit count: the nominal value alone.
      {{4, 1500, 0xFF}, true, 0, "3", ""},
      // The marker counts only where the firmware offers five decimals.
      {{19, 300000, 0}, true, 0, "30", "6"},
      {{19, 300000, 0}, false, 0, "3", "6"},
      // No unit, or a step index beyond the table: nothing to show.
      {{3, 30000, 0xFF}, true, -1, "", ""},
      {{0xFF, 30000, 0xFF}, true, 0, "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.range.zs) + "/" + std::to_string(c.range.sk));
    SetRange(0, 0, c.range);
    const ChannelFieldTexts shown = ChannelFieldsOf(image, 0, c.unit, c.noFive);
    EXPECT_EQ(shown.nominal, c.nominal);
    EXPECT_EQ(shown.digits, c.digits);
  }
}

TEST_F(ChannelFieldsTest, InputSignalComesFromTheCharacteristicOnceLoadCalibrated) {
  PutFloat(Chn(0), Offset(SetupSection::CHN0, "chn_mode_val"), 1.75f);
  PutInt32(Adc(), Offset(SetupSection::ADC, "xs_0") + 4, 2123450);
  PutByte(Adc(), Offset(SetupSection::ADC, "smax_0"), 2);
  PutByte(Chn(0), Offset(SetupSection::CHN0, "chn_calib_mode"), 1);
  ChannelFieldTexts shown = ChannelFieldsOf(image, 0, 0, true);
  EXPECT_EQ(shown.inputSignal, "1.75000");
  EXPECT_FALSE(shown.loadCalibrated);

  PutByte(Chn(0), Offset(SetupSection::CHN0, "chn_calib_mode"), CALIB_MODE_LOAD);
  shown = ChannelFieldsOf(image, 0, 0, true);
  EXPECT_EQ(shown.inputSignal, "2.12345");
  EXPECT_TRUE(shown.loadCalibrated);
  // A point count that names no point: the stored input signal.
  for (uint8_t points : {0, 9, 0xFF}) {
    PutByte(Adc(), Offset(SetupSection::ADC, "smax_0"), points);
    EXPECT_EQ(ChannelFieldsOf(image, 0, 0, true).inputSignal, "1.75000") << int(points);
  }
}

TEST_F(ChannelFieldsTest, StoringTakesTheInputSignalWithADecimalComma) {
  StoreChannelFields(image, 0, {0, "30", "5", "1,5"}, true);
  EXPECT_FLOAT_EQ(GetFloat(Chn(0), Offset(SetupSection::CHN0, "chn_mode_val")), 1.5f);
  // Without a unit the range entries stay as they were.
  StoreChannelFields(image, 0, {-1, "1000", "4", "2"}, true);
  EXPECT_FLOAT_EQ(GetFloat(Chn(0), Offset(SetupSection::CHN0, "chn_mode_val")), 2.0f);
  EXPECT_EQ(RangeOf(0, 0).sk, 30000);
}

TEST(ChannelFieldRules, LeavingTheNominalValueField) {
  struct Case {
    const char* typed;
    bool decimals;
    const char* text;
    std::vector<std::string> items;
  };
  const Case cases[] = {
      {"250000", false, "100000", {"6"}},
      {"1234", false, "1234", {"4", "5", "6"}},
      {"12345", false, "12345", {"5", "6"}},
      {"50", false, "50", {"3", "4", "5", "6"}},
      {"", false, "", {"3", "4", "5", "6"}},
      {"12.5", true, "12.5", {}},
      {"12,5", true, "12,5", {}},
  };
  for (const Case& c : cases) {
    const NominalExit exit = LeaveNominalField(c.typed);
    EXPECT_EQ(exit.hasDecimals, c.decimals) << c.typed;
    EXPECT_EQ(exit.text, c.text) << c.typed;
    EXPECT_EQ(exit.items, c.items) << c.typed;
  }
}

TEST(ChannelFieldRules, LeavingTheDigitsFieldKeepsTheListsRange) {
  struct Case {
    int count;
    const char* typed;
    const char* text;
  };
  const Case cases[] = {{4, "2", "3"}, {4, "9", "6"}, {4, "4", "4"}, {3, "3", "4"}, {3, "5", "5"},
                        {2, "4", "5"}, {2, "7", "6"}, {1, "3", "6"}, {1, "x", "6"}, {0, "9", "9"}};
  for (const Case& c : cases) EXPECT_EQ(LeaveDigitsField(c.count, c.typed), c.text) << c.count << " " << c.typed;
}

TEST(ChannelFieldRules, InputSignalBeyondThreeMillivoltPerVoltIsOutOfRange) {
  EXPECT_FALSE(InputSignalOutOfRange("2,75"));
  EXPECT_FALSE(InputSignalOutOfRange("3"));
  EXPECT_FALSE(InputSignalOutOfRange("abc"));
  EXPECT_TRUE(InputSignalOutOfRange("3,01"));
  EXPECT_TRUE(InputSignalOutOfRange("-3.5"));
}

TEST(ChannelFieldRules, BusAddressesAreOneToOneHundredTwentyFive) {
  EXPECT_EQ(BusAddressOf("1"), 1);
  EXPECT_EQ(BusAddressOf("125"), 125);
  EXPECT_EQ(BusAddressOf("7x"), 7);
  for (const char* refused : {"", "0", "126", "999", "-3", "x"}) EXPECT_EQ(BusAddressOf(refused), -1) << refused;
}

}  // namespace
