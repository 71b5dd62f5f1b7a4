// Every test-action button of the viewer and the action bytes it puts on
// the wire; the bridge-supply and battery tests with their answer texts.
#include "tests/app/diag/runtime_viewer_fixture.h"

namespace {

class RuntimeActions : public RuntimeViewerTest {};

TEST_F(RuntimeActions, EveryActionButtonSendsItsActionBytes) {
  TForm12& w = viewer();
  w.PbEdits[0]->SetText("1");
  w.PbEdits[1]->SetText("2");
  w.PbEdits[2]->SetText("300");  // a byte field holds at most 255
  w.PbEdits[3]->SetText("");
  struct Case {
    const char* name;
    TButton* button;
    std::vector<uint8_t> data;
  };
  const std::vector<Case> cases = {
      {"EEPROM-Block 1", w.Button20, {0x04}},
      {"EEPROM-Block 2", w.Button23, {0x05}},
      {"EEPROM-Block 3", w.Button24, {0x06}},
      {"EEPROM-Block 4", w.Button25, {0x07}},
      {"EEPROM wr-test (Blk1)", w.Button22, {0x08}},
      {"Clear EEPROM (Blk 1)", w.Button11, {0x0A}},
      {"Clear LCD", w.Button31, {0x14}},
      {"Schreiben (TEST-PB)", w.Button12, {0x1E, 1, 2, 255, 0}},
      {"Start PB", w.Button58, {0x1E, 0, 0, 0, 0}},
      {"LC-Err-Test1", w.Button26, {0x28, 0}},
      {"VBat-Test", w.Button72, {0x28, 0x0A}},
      {"LC-Err-Test2 without choice", w.Button32, {0x28}},
      {"Toggle Err-LED", w.Button33, {0x3C}},
      {"LED EIN", w.Button34, {0x3D}},
      {"LED AUS", w.Button35, {0x3E}},
      {"ERR", w.Button57, {0x50}},
      {"ERR-LCD", w.Button56, {0x51}},
      {"RAM-Test", w.Button65, {0x5B}},
      {"EXB Init", w.Button54, {0x64}},
      {"EXB inputs Lesen", w.Button67, {0x65}},
      {"EXB relays Lesen", w.Button66, {0x66}},
      {"EXB-Struktur", w.Button71, {0x67}},
      {"SPI-Int. EIN", w.Button75, {0xC8, 1}},
      {"SPI-Int. AUS", w.Button76, {0xC8, 0}},
      {"SPI Ein", w.Button77, {0xC8, 2, 0}},
      {"SPI Aus", w.Button78, {0xC8, 2, 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sim_.Log().Clear();
    c.button->Click();
    ASSERT_TRUE(AwaitSent(CMD_DEBUG_ACTION, 1));
    EXPECT_EQ(DataSent(CMD_DEBUG_ACTION), std::vector<Data>{c.data});
    EXPECT_EQ(Received().size(), 1u);
  }
  EXPECT_TRUE(dialogs_.Boxes().empty());
}

TEST_F(RuntimeActions, TheBridgeDetuningTestSendsTheChosenInputAndLevel) {
  TForm12& w = viewer();
  struct Case {
    TRadioButton* radio;
    std::vector<uint8_t> data;
  };
  for (const Case& c : {Case{w.RadioButton9, {0x28, 1, 1}}, Case{w.RadioButton10, {0x28, 2, 1}},
                        Case{w.RadioButton11, {0x28, 1, 0}}, Case{w.RadioButton12, {0x28, 2, 0}}}) {
    SCOPED_TRACE(c.radio->Caption());
    sim_.Log().Clear();
    c.radio->Click();
    w.Button32->Click();
    ASSERT_TRUE(AwaitSent(CMD_DEBUG_ACTION, 1));
    EXPECT_EQ(DataSent(CMD_DEBUG_ACTION), std::vector<Data>{c.data});
  }
}

TEST_F(RuntimeActions, TheSupplyAndBatteryTestsShowTheAnswerTextOncePerClick) {
  TForm12& w = viewer();
  sim_.WithDevice(1, [](devsim::DeviceModel& m) { m.debugActionText = "11.92"; });
  w.Button72->Click();
  EXPECT_EQ(w.Label35->Caption(), "U(Bat)=11.92 V");
  sim_.WithDevice(1, [](devsim::DeviceModel& m) { m.debugActionText = "4.5"; });
  w.Button26->Click();
  EXPECT_EQ(w.Label22->Caption(), "U(lc)=4.5 V");
  // Without the loop switch each click runs exactly one request.
  EXPECT_EQ(DataSent(CMD_DEBUG_ACTION), (std::vector<Data>{{0x28, 0x0A}, {0x28, 0}}));
}

TEST_F(RuntimeActions, TheResetButtonResetsTheDevice) {
  viewer().Button30->Click();
  ASSERT_TRUE(PumpUntil([&] { return sim_.Model(1).resetCount == 1; }, std::chrono::seconds(30)));
  EXPECT_EQ(ReceivedCommands().back(), CMD_RESET);
}

}  // namespace
