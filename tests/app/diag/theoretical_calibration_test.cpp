// The theoretical calibration window against the simulated device: the
// checks of the four typed values in their order, the telegrams of a valid
// entry, and the stop at a request that the device does not take.
#include "app/link/wait_window.h"
#include "tests/app/diag/calibration_fixture.h"

namespace {

using Bytes = std::vector<uint8_t>;
using devsim::Fault;
using devsim::FaultKind;

class TheoreticalCalibration : public CalibrationTest {
 protected:
  TForm19& window19() { return *Form19; }

  void Type(const std::array<const char*, 4>& texts) {
    window19().Edit1->SetText(texts[0]);
    window19().Edit2->SetText(texts[1]);
    window19().Edit3->SetText(texts[2]);
    window19().Edit4->SetText(texts[3]);
  }
};

TEST_F(TheoreticalCalibration, EveryRefusalInItsOrderAndNothingSent) {
  struct Case {
    std::array<const char*, 4> typed;  // zero signal, zero weight, end signal, end weight
    const char* text;
    int field;  // the edit that gets the focus: 1..4
  };
  const Case cases[] = {
      {{"", "", "", ""}, "Kein Wert für Sensorempfindlichkeit eingegeben! -> Abbruch!", 1},
      {{"3.01", "", "", ""}, "Maximaler Wert beträgt 3.0 mV/V! -> Abbruch!", 1},
      {{"-0,1", "", "", ""}, "Minimaler Wert beträgt 0.0 mV/V! -> Abbruch!", 1},
      {{"abc", "0", "2", "1000"}, "Kein Wert für Sensorempfindlichkeit eingegeben! -> Abbruch!", 1},
      {{"0.0", "", "", ""}, "Kein Wert für Vollbelastung eingegeben! -> Abbruch!", 2},
      {{"0.0", "1501", "", ""}, "Maximalwert überschritten! -> Abbruch!", 2},
      {{"0.0", "-5", "", ""}, "Minimalwert unterschritten! -> Abbruch!", 2},
      {{"0.0", "0", "", ""}, "Kein Wert für Sensorempfindlichkeit eingegeben! -> Abbruch!", 3},
      {{"0.0", "0", "3,5", ""}, "Maximaler Wert beträgt 3.0 mV/V! -> Abbruch!", 3},
      {{"0.0", "0", "-1", "1500"}, "Minimaler Wert beträgt 0.0 mV/V! -> Abbruch!", 3},
      {{"0.0", "0", "2.0", ""}, "Kein Wert für Vollbelastung eingegeben! -> Abbruch!", 4},
      {{"0.0", "0", "2.0", "x1"}, "Kein Wert für Vollbelastung eingegeben! -> Abbruch!", 4},
      {{"0.0", "0", "2.0", "1500,5"}, "Maximalwert überschritten! -> Abbruch!", 4},
      {{"0.0", "0", "2.0", "-1"}, "Minimalwert unterschritten! -> Abbruch!", 4},
      {{"1.0", "0", "1,0", "1500"}, "Endpunkt-Signal muss größer als Nullpunkt-Signal sein! -> Abbruch!", 3},
      {{"0.5", "100", "2", "100"}, "Endpunkt-Gewicht muss größer als Nullpunkt-Gewicht sein! -> Abbruch!", 4},
  };
  Ready();
  window19().MaxEndValue = 1500.0f;
  window19().Activate();
  const std::array<TEdit*, 4> edits{window19().Edit1, window19().Edit2, window19().Edit3, window19().Edit4};
  for (const Case& c : cases) {
    Type(c.typed);
    dialogs_.Answer(IDOK);
    window19().Button2->Click();
    ASSERT_FALSE(dialogs_.Boxes().empty());
    const auto& box = dialogs_.Boxes().back().request;
    EXPECT_EQ(box.text, c.text) << c.typed[0] << " " << c.typed[1] << " " << c.typed[2] << " " << c.typed[3];
    EXPECT_EQ(box.title, "HINWEIS");
    EXPECT_TRUE(PumpUntil([&] { return edits[c.field - 1]->Focused(); })) << c.text;
  }
  EXPECT_EQ(dialogs_.Boxes().size(), std::size(cases));
  EXPECT_TRUE(Received().empty());
}

TEST_F(TheoreticalCalibration, WithoutARangeEveryWeightAboveZeroIsRefused) {
  Ready();
  Type({"0.0", "0", "2", "1"});
  dialogs_.Answer(IDOK);
  window19().Button2->Click();
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Maximalwert überschritten! -> Abbruch!"});
  EXPECT_TRUE(Received().empty());
}

TEST_F(TheoreticalCalibration, AValidEntrySendsBothPointsStoresAndResets) {
  Ready();
  window19().MaxEndValue = 1500.0f;
  Type({"0.0", "0", "2,5", "1500"});
  dialogs_.Answer(IDOK);  // the link's "OK!" of the EEPROM store
  window19().Button2->Click();
  ASSERT_TRUE(AwaitRequests(CMD_RESET, 1, {0}));
  EXPECT_EQ(CommandsAmong({CMD_THEO_CAL_ZERO, CMD_THEO_CAL_END, CMD_RUNTIME_TO_EEPROM, CMD_RESET}),
            (std::vector<int>{CMD_THEO_CAL_ZERO, CMD_THEO_CAL_END, CMD_RUNTIME_TO_EEPROM, CMD_RESET}));
  EXPECT_EQ(DataSent(CMD_THEO_CAL_ZERO), std::vector<Bytes>{TextValue("0.0:0.")});
  EXPECT_EQ(DataSent(CMD_THEO_CAL_END), std::vector<Bytes>{TextValue("2.5:1500.")});
  EXPECT_EQ(DataSent(CMD_RUNTIME_TO_EEPROM), std::vector<Bytes>{{}});
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"OK!"});
  EXPECT_FALSE(Form16->Visible());
}

TEST_F(TheoreticalCalibration, ARequestTheDeviceDoesNotTakeStopsBeforeStoreAndReset) {
  for (uint8_t refused : {CMD_THEO_CAL_ZERO, CMD_THEO_CAL_END}) {
    Ready();
    window19().MaxEndValue = 1500.0f;
    Type({"0.5", "10", "2", "1000"});
    sim_.InjectFault(1, Fault(FaultKind::ErrorStatus).On(refused));
    dialogs_.Answer(IDOK);
    window19().Button2->Click();
    EXPECT_EQ(BoxTexts().back(), "Kalibrierung vom Gerät nicht übernommen! -> Abbruch!");
    EXPECT_EQ(dialogs_.Boxes().back().request.icon, BoxIcon::Error);
    EXPECT_TRUE(ReceivedOf(CMD_RUNTIME_TO_EEPROM).empty()) << int{refused};
    EXPECT_TRUE(ReceivedOf(CMD_RESET).empty()) << int{refused};
    EXPECT_EQ(ReceivedOf(CMD_THEO_CAL_END).size(), refused == CMD_THEO_CAL_END ? 1u : 0u);
    EXPECT_FALSE(Form16->Visible());
    window().Button1Click(nullptr);  // disconnect for the next round
  }
}

TEST_F(TheoreticalCalibration, ResetRestartsAndReconnects) {
  Ready();
  window19().Button3->Click();
  EXPECT_EQ(CountOf(CMD_RESET), 1u);
  EXPECT_EQ(ServiceConnected, 1);
}

}  // namespace
