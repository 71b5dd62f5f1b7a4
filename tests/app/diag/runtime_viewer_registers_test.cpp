// The CS5532 registers and the ADC test function.
#include "tests/app/diag/runtime_viewer_fixture.h"

namespace {

class RuntimeRegisters : public RuntimeViewerTest {};

TEST_F(RuntimeRegisters, LesenReadsTheNineRegistersInOrder) {
  sim_.WithDevice(1, [](devsim::DeviceModel& m) {
    for (uint32_t r = 0; r < 9; ++r) m.adcRegisters[r] = 0x00010203u + r * 0x11000000u;
  });
  viewer().Lesen->Click();
  std::vector<Data> expected;
  for (uint8_t r = 0; r < 9; ++r) expected.push_back({r});
  EXPECT_EQ(DataSent(CMD_ADC_REG_READ), expected);
  EXPECT_EQ(Texts(viewer().RegisterEdits),
            (std::vector<std::string>{"00010203", "11010203", "22010203", "33010203", "44010203", "55010203",
                                      "66010203", "77010203", "88010203"}));
  EXPECT_EQ(viewer().RegisterEdits[7]->Name(), "Gain_Register_1");
}

TEST_F(RuntimeRegisters, AWriteSendsTheRegisterAndItsFourBytes) {
  TForm12& w = viewer();
  struct Case {
    int reg;
    TButton* button;
  };
  const auto& b = w.RegisterWriteButtons;
  for (const Case& c : {Case{0, b[0]}, Case{5, b[5]}, Case{6, b[6]}, Case{7, b[7]}, Case{8, b[8]}}) {
    SCOPED_TRACE(c.reg);
    sim_.Log().Clear();
    w.RegisterEdits[static_cast<size_t>(c.reg)]->SetText(c.reg == 7 ? "1A" : "CAFE0" + std::to_string(c.reg));
    EXPECT_EQ(c.button->Caption(), "Schreiben");
    c.button->Click();
    const Data expected = c.reg == 7 ? Data{7, 0, 0, 0, 0x1A}
                                     : Data{static_cast<uint8_t>(c.reg), 0x00, 0xCA, 0xFE, static_cast<uint8_t>(c.reg)};
    EXPECT_EQ(DataSent(CMD_ADC_REG_WRITE), std::vector<Data>{expected});
  }
  EXPECT_EQ(sim_.Model(1).adcRegisters[7], 0x1Au);
  // The channel-setup registers are not written from here.
  for (size_t r = 1; r <= 4; ++r) EXPECT_FALSE(w.RegisterWriteButtons[r]->Visible()) << r;
}

TEST_F(RuntimeRegisters, ATextThatIsNotOneToEightHexDigitsIsRefused) {
  TForm12& w = viewer();
  for (const char* text : {"", "123456789", "12G4", "-1"}) {
    SCOPED_TRACE(text);
    dialogs_.Answer(IDOK);
    w.RegisterEdits[5]->SetText(text);
    w.RegisterWriteButtons[5]->Click();
  }
  EXPECT_TRUE(Received().empty());
  ASSERT_EQ(dialogs_.Boxes().size(), 4u);
  EXPECT_EQ(dialogs_.Boxes()[0].request.title, "FEHLER");
}

TEST_F(RuntimeRegisters, AFailedReadShowsNoOlderValue) {
  TForm12& w = viewer();
  sim_.InjectFault(1, devsim::Fault(devsim::FaultKind::NoAnswer).On(CMD_ADC_REG_READ).Times(2));
  w.Lesen->Click();
  EXPECT_EQ(w.RegisterEdits[0]->Text(), "-");
  EXPECT_EQ(w.RegisterEdits[1]->Text(), "00000000");
}

TEST_F(RuntimeRegisters, TheAdcFunctionIsSwitchedAndItsStateRead) {
  TForm12& w = viewer();
  dialogs_.Answer(IDOK);  // the link's "OK!"
  w.Button52->Click();
  EXPECT_EQ(sim_.Model(1).adcFunction, 1);
  w.Button49->Click();
  EXPECT_EQ(w.Label13->Caption(), "1");
  dialogs_.Answer(IDOK);
  w.Button53->Click();
  w.Button49->Click();
  EXPECT_EQ(w.Label13->Caption(), "0");
  EXPECT_EQ(DataSent(CMD_ADC_FUNCTION), (std::vector<Data>{{1}, {0}}));
  EXPECT_EQ(DataSent(CMD_ADC_STATE), (std::vector<Data>{{}, {}}));
}

TEST_F(RuntimeRegisters, MinimumAndMaximumAsCountsOrAsText) {
  TForm12& w = viewer();
  sim_.WithDevice(1, [](devsim::DeviceModel& m) {
    m.channels[1].adcMax = -5;
    m.channels[0].adcMin = 1234;
  });
  w.RadioButton13->Click();
  w.RadioButton30->Click();
  w.Button51->Click();
  EXPECT_EQ(w.Label15->Caption(), "C2: -5");
  w.RadioButton8->Click();
  w.RadioButton31->Click();
  w.Button50->Click();
  EXPECT_EQ(w.Label15->Caption(), "C1: 1234");
  EXPECT_EQ(DataSent(CMD_ADC_MIN_MAX), (std::vector<Data>{{2, 1, 0}, {1, 0, 1}}));
}

TEST_F(RuntimeRegisters, MinimumAndMaximumNeedAChannelAndAForm) {
  TForm12& w = viewer();
  dialogs_.Answer(IDOK);
  w.Button50->Click();
  ASSERT_EQ(dialogs_.Boxes().size(), 1u);
  EXPECT_EQ(dialogs_.Boxes()[0].request.text, "Bitte Kanal wählen!");
  EXPECT_EQ(dialogs_.Boxes()[0].request.title, "HINWEIS");
  w.RadioButton8->Click();
  dialogs_.Answer(IDOK);
  w.Button51->Click();
  EXPECT_EQ(dialogs_.Boxes().size(), 2u);
  EXPECT_TRUE(Received().empty());
}

}  // namespace
