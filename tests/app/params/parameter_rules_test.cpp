// The parameter dialogs' rules that need no window: field conversions, the
// clamps of the weighing-parameter dialog, the sum range, the blocks of a
// store and the relay rule.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/params/parameter_text.h"
#include "app/params/relay_rule.h"
#include "app/params/weighing_rules.h"

namespace {

TEST(ParameterText, BytesNegatedBytesDecimalsAnd16BitFields) {
  EXPECT_EQ(ByteText(200), "200");
  EXPECT_EQ(ByteOfText("300"), 44);  // low 8 bits
  EXPECT_EQ(ByteOfText("abc"), 0);
  EXPECT_EQ(NegatedByteText(20), "-20");
  EXPECT_EQ(NegatedByteText(0), "0");
  EXPECT_EQ(NegatedByteText(125), "-125");
  EXPECT_EQ(NegatedByteOfText("-20"), 20);
  EXPECT_EQ(NegatedByteOfText("0"), 0);
  EXPECT_EQ(NegatedByteOfText("20"), 236);
  EXPECT_FLOAT_EQ(DecimalOfText("12,5"), 12.5f);
  EXPECT_FLOAT_EQ(DecimalOfText("-0.25 %"), -0.25f);
  EXPECT_FLOAT_EQ(DecimalOfText("x"), 0.0f);
  // A value beyond the field is held at the field's limit instead of wrapping round.
  EXPECT_EQ(Int16FieldOfText("70000", -32768, 32767), 0x7FFF);
  EXPECT_EQ(Int16FieldOfText("-70000", -32768, 32767), 0x8000);
  EXPECT_EQ(Int16FieldOfText("40000", 0, 65535), 40000);
  EXPECT_EQ(Int16FieldOfText("-3", 0, 65535), 0);
  EXPECT_EQ(Int16FieldOfText("1200 ms", 0, 65535), 1200);
}

TEST(WeighingRules, ClampTableOfTheFieldsLeft) {
  struct Case {
    const char* edit;
    const char* text;
    std::optional<std::string> becomes;
  };
  const Case cases[] = {
      // Lower limits are typed 0 .. -125.
      {"Edit9", "30", "0"},      {"Edit9", "-130", "-125"}, {"Edit9", "-125", {}}, {"Edit9", "abc", {}},
      {"Edit22", "1", "0"},      {"Edit10", "-126", "-125"}, {"Edit25", "-20", {}}, {"Edit25", "5", "0"},
      {"Edit8", "130", "125"},   {"Edit21", "130", "125"},  {"Edit21", "-1", "0"}, {"Edit11", "125", {}},
      {"Edit26", "126", "125"},  {"Edit7", "101", "100"},   {"Edit20", "-5", "0"}, {"Edit6", "100", {}},
      {"Edit19", "250", "100"},  {"Edit2", "", "1"},        {"Edit2", "33", "32"}, {"Edit3", "0", "1"},
      {"Edit3", "32", {}},       {"Edit32", "61", "60"},    {"Edit33", "0", "1"},  {"Edit139", "", {}},
      {"Edit139", "100", "99"},  {"Edit139", "-1", "0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.edit) + " " + c.text);
    const ExitClamp* clamp = WeighingExitClampOf(c.edit);
    ASSERT_NE(clamp, nullptr);
    EXPECT_EQ(ClampedExitText(*clamp, c.text), c.becomes);
  }
  EXPECT_EQ(WeighingExitClampOf("Edit1"), nullptr);
}

TEST(WeighingRules, FactorsWithoutDecimalsFrom1To255) {
  struct Case {
    const char* text;
    bool refused;
    std::optional<std::string> becomes;
  };
  const Case cases[] = {{"2,5", true, {}},  {"2.0", true, {}},   {"0", false, "1"}, {"300", false, "255"},
                        {"255", false, {}}, {"1", false, {}},    {"", false, "1"},  {"-4", false, "1"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const FactorCheck check = CheckFactorText(c.text);
    EXPECT_EQ(check.refused, c.refused);
    EXPECT_EQ(check.text, c.becomes);
  }
}

TEST(WeighingRules, CheckIntervalIsOffOrFrom500To10000) {
  struct Case {
    const char* text;
    std::optional<std::string> becomes;
    bool keepFocus;
  };
  const Case cases[] = {{"200", "500", false}, {"-5", "", true},  {"20000", "10000", false},
                        {"0", {}, false},      {"550", {}, false}, {"1", "500", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const RangeCheckResult r = CheckIntervalText(c.text);
    EXPECT_EQ(r.text, c.becomes);
    EXPECT_EQ(r.keep_focus, c.keepFocus);
  }
}

TEST(WeighingRules, SumRangeBySumModeWithTheUnitOfChannelOne) {
  struct Case {
    uint8_t mode;
    int32_t f1, f2, n1, n2;
    int unit;
    int titleRow;
    bool channelLabel;
    const char* value;
  };
  const Case cases[] = {
      {0, 2, 3, 100, 50, 0, 191, false, "350 kg"},
      {1, 2, 3, 100, 50, 1, 192, true, "200 t"},
      {0, 1, 1, 10, 20, 7, 191, false, "30 {free}"},
      {0, 255, 255, 3000000, 3000000, 6, 191, false, "1530000000 kN"},
      // No unit chosen: the value alone; an erased mode: no value.
      {0, 1, 1, 5, 5, -1, 191, false, "10 "},
      {0xFF, 1, 1, 5, 5, 0, 191, false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    const SumRangeDisplay d = SumRange(c.mode, c.f1, c.f2, c.n1, c.n2, c.unit);
    EXPECT_EQ(d.titleRow, c.titleRow);
    EXPECT_EQ(d.channelLabel, c.channelLabel);
    EXPECT_EQ(d.value, c.value);
  }
}

TEST(WeighingRules, BlocksOfAStoreByPage) {
  using enum SetupSection;
  auto sections = [](const std::vector<StoreBlock>& blocks) {
    std::vector<SetupSection> s;
    for (const StoreBlock& b : blocks) s.push_back(b.section);
    return s;
  };
  EXPECT_EQ(sections(StoreBlocksOfPage(0, false, false)), (std::vector<SetupSection>{WKS, LPC, ADC, ADM, MSC}));
  EXPECT_EQ(sections(StoreBlocksOfPage(1, false, false)), (std::vector<SetupSection>{WKG0, ADC}));
  EXPECT_EQ(sections(StoreBlocksOfPage(2, false, false)), (std::vector<SetupSection>{WKG1, ADC}));
  EXPECT_EQ(sections(StoreBlocksOfPage(4, false, false)), (std::vector<SetupSection>{LPC, MSC}));
  EXPECT_TRUE(StoreBlocksOfPage(3, false, false).empty());
  const std::vector<StoreBlock> counters = StoreBlocksOfPage(3, true, true);
  EXPECT_EQ(sections(counters), (std::vector<SetupSection>{CHN0, CHN1}));
  EXPECT_EQ(counters[1].pauseBeforeMs, 250);
  EXPECT_EQ(sections(StoreBlocksOfPage(3, false, true)), (std::vector<SetupSection>{CHN1}));
}

// ---- The relay rule

struct Enables {
  bool polarityOff, polarityOn, conditions, type, channel, hysteresisMode, setPoint, hysteresis, onTime, delay;
  bool operator==(const Enables&) const = default;
};

Enables EnablesOf(const RelayGroupState& s) {
  return {s.polarityOffEnabled, s.polarityOnEnabled, s.conditionsEnabled, s.typeEnabled,
          s.channelEnabled,     s.hysteresisModeEnabled, s.setPointEnabled, s.hysteresisEnabled,
          s.onTimeEnabled,      s.delayEnabled};
}

// Every control enabled, or every one disabled, before the rule runs.
RelayGroupState Group(bool active, SwitchCondition condition, bool enabledBefore) {
  RelayGroupState s;
  s.active = active;
  s.condition = condition;
  s.channelIndex = 1;
  s.hysteresisIndex = 0;
  s.onTime = "200";
  s.delay = "100";
  s.polarityOffEnabled = s.polarityOnEnabled = s.conditionsEnabled = s.typeEnabled = s.channelEnabled =
      s.hysteresisModeEnabled = s.setPointEnabled = s.hysteresisEnabled = s.onTimeEnabled = s.delayEnabled =
          enabledBefore;
  return s;
}

TEST(RelayRule, EverySwitchingConditionWithAndWithoutBoardFirmware14) {
  using enum SwitchCondition;
  struct Case {
    const char* name;
    int relay;
    bool active;
    SwitchCondition condition;
    bool v14;
    Enables enables;
    int hysteresisIndex;
    const char* times;
    bool polarityOn;
  };
  const Enables none{false, false, false, false, false, false, false, false, false, false};
  const Enables fault{true, true, true, false, false, false, false, false, false, false};
  const Enables standstillOld{true, true, true, false, true, false, false, false, true, true};
  const Enables standstillNew{false, true, true, false, true, false, false, false, true, true};
  const Enables setPointOld{true, true, true, true, true, true, true, true, true, true};
  const Enables setPointNew{false, true, true, true, true, true, true, true, true, true};
  const Case cases[] = {
      {"inactive", 1, false, SetPoint, true, none, 0, "200", false},
      {"relay 1 error", 1, true, Error, false, fault, 3, "0", false},
      {"relay 1 error, 1.4", 1, true, Error, true, fault, 3, "0", false},
      {"relay 2 error keeps its hysteresis mode", 2, true, Error, false, fault, 0, "0", false},
      {"relay 1 load-cell error", 1, true, LoadCellError, false, fault, 3, "0", false},
      {"relay 2 load-cell error, 1.4", 2, true, LoadCellError, true, fault, 0, "0", false},
      {"standstill", 1, true, Standstill, false, standstillOld, 3, "200", false},
      {"standstill, 1.4 pulls in", 2, true, Standstill, true, standstillNew, 3, "200", true},
      {"switch point", 1, true, SetPoint, false, setPointOld, 0, "200", false},
      {"switch point, 1.4 pulls in", 2, true, SetPoint, true, setPointNew, 0, "200", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RelayGroupState s = Group(c.active, c.condition, !c.active);
    ApplyRelayRule(s, {c.relay, false, c.v14});
    EXPECT_EQ(EnablesOf(s), c.enables);
    EXPECT_EQ(s.hysteresisIndex, c.hysteresisIndex);
    EXPECT_EQ(s.onTime, c.times);
    EXPECT_EQ(s.delay, std::string(c.times) == "0" ? "0" : "100");
    EXPECT_EQ(s.polarityOn, c.polarityOn);
    EXPECT_EQ(s.channelIndex, 1);
  }
}

TEST(RelayRule, ChannelListTypeAndHysteresisFollowTheirChoices) {
  using enum SwitchCondition;
  // On the sum/difference channel a switch point has no type; "Hyst. AUS" no hysteresis.
  RelayGroupState s = Group(true, SetPoint, true);
  s.channelIndex = 3;
  s.hysteresisIndex = 3;
  ApplyRelayRule(s, {1, false, false});
  EXPECT_FALSE(s.typeEnabled);
  EXPECT_FALSE(s.hysteresisEnabled);
  EXPECT_TRUE(s.setPointEnabled);

  // A one-channel device switches on channel 1 only.
  for (SwitchCondition condition : {SetPoint, Standstill}) {
    RelayGroupState one = Group(true, condition, true);
    ApplyRelayRule(one, {2, true, false});
    EXPECT_EQ(one.channelIndex, 0);
    EXPECT_FALSE(one.channelEnabled);
  }

  // Active without a condition: only the buttons are enabled; the rest keeps its state.
  RelayGroupState open = Group(true, None, false);
  ApplyRelayRule(open, {1, false, true});
  EXPECT_EQ(EnablesOf(open), (Enables{true, true, true, false, false, false, false, false, false, false}));
  EXPECT_FALSE(open.polarityOn);
}

}  // namespace
