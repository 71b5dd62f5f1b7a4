// The factory administration: the identity items it writes, the variant
// check and its unlock, and the erase and reset buttons, against the
// simulated device.
#include <algorithm>
#include <iterator>

#include "app/diag/factory_admin.h"
#include "app/diag/ident_data.h"
#include "tests/app/link/link_fixture.h"
#include "tests/sim/device/fault.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Field(std::string_view text, size_t length) {
  Bytes bytes(text.begin(), text.end());
  bytes.resize(length, 0);
  return bytes;
}
Bytes WriteOf(uint8_t item, const Bytes& field) {
  Bytes data{2, item};
  std::copy(field.begin(), field.end(), std::back_inserter(data));
  return data;
}

TEST(IdentData, TextFieldsAreCutOrZeroFilledToTheirLength) {
  struct Case {
    IdentItem item;
    std::string text;
    Bytes data;
  };
  const Case cases[] = {
      {IDENT_SERIAL, "12345", {2, 1, '1', '2', '3', '4', '5', 0, 0, 0}},
      {IDENT_SERIAL, "87654321", {2, 1, '8', '7', '6', '5', '4', '3', '2', '1'}},
      {IDENT_SERIAL, "", {2, 1, 0, 0, 0, 0, 0, 0, 0, 0}},
      // Text put in by program code is not held to the edit's length: it is cut.
      {IDENT_SERIAL, "123456789", {2, 1, '1', '2', '3', '4', '5', '6', '7', '8'}},
      {IDENT_DATE, "0124", {2, 2, '0', '1', '2', '4'}},
      {IDENT_DATE, "1", {2, 2, '1', 0, 0, 0}},
      {IDENT_INFO_TEXT, "Prüfstand 3", WriteOf(0, Field("Pr\xFC" "fstand 3", 50))},
      {IDENT_INFO_TEXT, std::string(60, 'x'), WriteOf(0, Field(std::string(50, 'x'), 50))},
      {IDENT_INFO_TEXT, "Euro \xE2\x82\xAC, Pfeil \xE2\x86\x92", WriteOf(0, Field("Euro \x80, Pfeil ?", 50))},
  };
  for (const Case& c : cases) EXPECT_EQ(IdentTextRequest(c.item, c.text), c.data) << c.text;
  EXPECT_EQ(IdentVariantRequest(101), (Bytes{2, 3, 101}));
}

TEST(IdentData, VariantValueAndCheck) {
  struct Case {
    const char* text;
    uint32_t value;
    uint8_t byte;
    bool valid;
  };
  const Case cases[] = {
      {"25", 25, 25, true}, {"4", 4, 4, false},     {"20", 20, 20, false}, {"11", 11, 11, true},
      {"1", 1, 1, true},    {"", 0, 0, false},      {"x3", 0, 0, false},   {"21a", 21, 21, true},
      {"101", 101, 101, false}, {"257", 257, 1, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(VariantValue(c.text), c.value) << c.text;
    EXPECT_EQ(VariantByte(c.text), c.byte) << c.text;
    EXPECT_EQ(IsValidVariant(VariantValue(c.text)), c.valid) << c.text;
  }
}

TEST(IdentData, DeviceCopiesAreShownAsText) {
  EXPECT_EQ(IdentFieldText(std::string("00012345\0\0", 10), 8), "00012345");
  EXPECT_EQ(IdentFieldText(std::string("12\0" "99", 5), 8), "12");
  EXPECT_EQ(IdentFieldText("Pr\xFC" "fstand", 50), "Prüfstand");
  EXPECT_EQ(IdentFieldText("0124EXTRA", 4), "0124");
}

class FactoryAdmin : public LinkTest {
 protected:
  void SetUp() override {
    LinkTest::SetUp();
    form7_ = std::make_unique<ScopedForm<TForm7>>(Form7);
  }
  void TearDown() override {
    form7_.reset();
    LinkTest::TearDown();
  }
  TForm7& window() { return *Form7; }

  // The data of every identity write the device received, oldest first.
  std::vector<Bytes> IdentWrites() const {
    std::vector<Bytes> writes;
    for (const auto& f : Received())
      if (f.size() > 9 && f[3] == CMD_IDENT_DATA) writes.push_back(Bytes(f.begin() + 6, f.end() - 3));
    return writes;
  }
  std::vector<std::string> BoxTexts() const {
    std::vector<std::string> texts;
    for (const auto& box : dialogs_.Boxes()) texts.push_back(box.request.text);
    return texts;
  }
  void FillAll() {
    window().Edit1->SetText("12345");
    window().Edit2->SetText("Waage 7");
    window().Edit3->SetText("0325");
    window().Edit4->SetText("23");
  }

 private:
  std::unique_ptr<ScopedForm<TForm7>> form7_;
};

TEST_F(FactoryAdmin, ASerialNumberOfFiveCharactersIsZeroFilled) {
  link().DeviceInfoRead = 1;
  window().Edit1->SetText("12345");
  dialogs_.Answer(IDOK);
  window().Button1->Click();
  EXPECT_EQ(IdentWrites(), (std::vector<Bytes>{{2, 1, '1', '2', '3', '4', '5', 0, 0, 0}}));
  EXPECT_EQ(sim_.Model(1).serialNumber, "12345");
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"OK!"});
  EXPECT_EQ(link().DeviceInfoRead, 0);
}

TEST_F(FactoryAdmin, AnEmptyInfoTextIsSentAsADashByItsOwnButton) {
  dialogs_.Answer(IDOK);
  window().Button2->Click();
  EXPECT_EQ(window().Edit2->Text(), "-");
  EXPECT_EQ(IdentWrites(), std::vector<Bytes>{WriteOf(0, Field("-", 50))});
  EXPECT_EQ(sim_.Model(1).infoText, "-");
}

TEST_F(FactoryAdmin, TheDateIsSentAsTyped) {
  window().Edit3->SetText("1399");
  dialogs_.Answer(IDOK);
  window().Button4->Click();
  EXPECT_EQ(IdentWrites(), (std::vector<Bytes>{{2, 2, '1', '3', '9', '9'}}));
  EXPECT_EQ(sim_.Model(1).productionDate, "1399");
}

TEST_F(FactoryAdmin, SendAllWithEmptyFieldsShowsTheFourMessagesAndSendsNothing) {
  for (int i = 0; i < 4; ++i) dialogs_.Answer(IDOK);
  window().Button5->Click();
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"Bitte Daten für S/N (Fabr.-Nr.) eingeben!",
                                                  "Bitte Daten für Infotext eingeben!",
                                                  "Bitte Daten für Produktionsdatum eingeben!",
                                                  "Bitte Daten für VD417-Variante eingeben!"}));
  for (const auto& box : dialogs_.Boxes()) EXPECT_EQ(box.request.title, "HINWEIS");
  EXPECT_TRUE(Received().empty());
  EXPECT_EQ(window().AdminDataMissing, 1);
  // While data is missing, leaving the variant field checks nothing.
  window().Edit4->SetText("4");
  FireEvent(window().Edit4->OnExit, window().Edit4);
  EXPECT_EQ(dialogs_.Boxes().size(), 4u);
}

TEST_F(FactoryAdmin, SendAllWritesVariantSerialDateAndInfoTextThenSaysOk) {
  window().Edit1->SetText("12345");
  for (int i = 0; i < 3; ++i) dialogs_.Answer(IDOK);
  window().Button5->Click();  // three fields missing
  ASSERT_EQ(dialogs_.Boxes().size(), 3u);
  FillAll();
  for (int i = 0; i < 5; ++i) dialogs_.Answer(IDOK);
  window().Button5->Click();
  EXPECT_EQ(IdentWrites(), (std::vector<Bytes>{Bytes{2, 3, 23}, Bytes{2, 1, '1', '2', '3', '4', '5', 0, 0, 0},
                                               Bytes{2, 2, '0', '3', '2', '5'}, WriteOf(0, Field("Waage 7", 50))}));
  const devsim::DeviceModel m = sim_.Model(1);
  EXPECT_EQ(m.variant, 23);
  EXPECT_EQ(m.serialNumber, "12345");
  EXPECT_EQ(m.productionDate, "0325");
  EXPECT_EQ(m.infoText, "Waage 7");
  // The link's "OK!" for each write, then the window's own.
  const std::vector<std::string> texts = BoxTexts();
  EXPECT_EQ(std::vector<std::string>(texts.begin() + 3, texts.end()),
            (std::vector<std::string>{"OK!", "OK!", "OK!", "OK!", "OK!"}));
  EXPECT_EQ(dialogs_.Boxes().back().request.title, "HINWEIS");
}

TEST_F(FactoryAdmin, SendAllSaysErrorWhenAnyWriteFailed) {
  FillAll();
  struct Case {
    const char* name;
    devsim::FaultKind kind;
  };
  // The first write (the variant) fails; the last three succeed.
  for (const Case& c : {Case{"device error", devsim::FaultKind::ErrorStatus},
                        Case{"no answer", devsim::FaultKind::NoAnswer}}) {
    SCOPED_TRACE(c.name);
    const size_t before = dialogs_.Boxes().size();
    sim_.InjectFault(1, devsim::Fault(c.kind).On(CMD_IDENT_DATA).Times(c.kind == devsim::FaultKind::NoAnswer ? 2 : 1));
    for (int i = 0; i < 4; ++i) dialogs_.Answer(IDOK);
    window().Button5->Click();
    ASSERT_GT(dialogs_.Boxes().size(), before);
    EXPECT_EQ(dialogs_.Boxes().back().request.text, "FEHLER!");
    EXPECT_EQ(dialogs_.Boxes().back().request.title, "FEHLER");
    // The link confirmed only the three good writes.
    EXPECT_EQ(dialogs_.Boxes().size(), before + 4);
    sim_.ClearFaults(1);
    link().CommErrorCount = 0;
  }
}

TEST_F(FactoryAdmin, TheVariantCheckWhileLockedAndUnlocked) {
  struct Case {
    const char* text;
    bool refused;
  };
  for (const Case& c : {Case{"25", false}, Case{"4", true}, Case{"20", true}, Case{"", true}, Case{"3", false}}) {
    SCOPED_TRACE(c.text);
    const size_t before = dialogs_.Boxes().size();
    if (c.refused) dialogs_.Answer(IDOK);
    window().Edit4->SetText(c.text);
    FireEvent(window().Edit4->OnExit, window().Edit4);
    ASSERT_EQ(dialogs_.Boxes().size(), before + (c.refused ? 1 : 0));
    if (c.refused) {
      EXPECT_EQ(dialogs_.Boxes().back().request.text, "Falsche VD417-Variante!");
      EXPECT_EQ(dialogs_.Boxes().back().request.icon, BoxIcon::Error);
    }
  }

  // Locked, the variant's own button and "Senden aller Daten" refuse it too.
  FillAll();
  window().Edit4->SetText("4");
  dialogs_.Answer(IDOK);
  window().Button10->Click();
  dialogs_.Answer(IDOK);
  window().Button5->Click();
  EXPECT_EQ(BoxTexts().back(), "Falsche VD417-Variante!");
  EXPECT_TRUE(IdentWrites().empty());

  // Unlocked: three characters, red, no check, the factory-calibration erase offered.
  window().Label4->Click();
  EXPECT_EQ(window().VariantUnlocked, 1);
  EXPECT_EQ(window().Edit4->MaxLength(), 3);
  EXPECT_EQ(window().Edit4->Font().Color(), clRed);
  EXPECT_TRUE(window().Button7->Visible());
  window().Edit4->SetText("101");
  const size_t before = dialogs_.Boxes().size();
  FireEvent(window().Edit4->OnExit, window().Edit4);
  EXPECT_EQ(dialogs_.Boxes().size(), before);
  dialogs_.Answer(IDOK);
  window().Button10->Click();
  EXPECT_EQ(IdentWrites(), (std::vector<Bytes>{{2, 3, 101}}));
  EXPECT_EQ(sim_.Model(1).variant, 101);

  window().Label4->Click();
  EXPECT_EQ(window().VariantUnlocked, 0);
  EXPECT_EQ(window().Edit4->MaxLength(), 2);
  EXPECT_EQ(window().Edit4->Font().Color(), clBlack);
  EXPECT_FALSE(window().Button7->Visible());
}

TEST_F(FactoryAdmin, ActivationShowsTheDevicesIdentityOnlyWhileTheLinkHasIt) {
  link().SerialNumberText = "00012345";
  link().ProductionDateText = "0124";
  link().InfoText = "Pr\xFC" "fstand";
  link().DeviceVariant = 21;
  link().DeviceInfoRead = 1;
  FireEvent(window().OnActivate, &window());
  EXPECT_EQ(window().Edit1->Text(), "00012345");
  EXPECT_EQ(window().Edit3->Text(), "0124");
  EXPECT_EQ(window().Edit2->Text(), "Prüfstand");
  EXPECT_EQ(window().Edit4->Text(), "21");

  // After a write the fields stay as typed.
  window().Edit1->SetText("777");
  dialogs_.Answer(IDOK);
  window().Button1->Click();
  FireEvent(window().OnActivate, &window());
  EXPECT_EQ(window().Edit1->Text(), "777");
}

TEST_F(FactoryAdmin, EraseSetupEraseFactoryCalibrationAndReset) {
  sim_.WithDevice(1, [](devsim::DeviceModel& m) {
    m.channels[0].factoryCal.fill(0x11);
    m.channels[1].factoryCal.fill(0x22);
    m.memory[devsim::SETUP_BASE_1 + 4] = 0x12;
  });
  // "Setup löschen": the click returns at once; the link's "OK!" follows the
  // answer (and its warning that the device now runs on its default set-up).
  window().Button8->Click();
  EXPECT_EQ(link().PendingCount, 1);
  dialogs_.Answer(IDOK);
  dialogs_.Answer(IDOK);
  ASSERT_TRUE(link().WaitUntilIdle());
  EXPECT_EQ(sim_.Model(1).memory[devsim::SETUP_BASE_1 + 4], 0xFF);
  const std::vector<std::string> texts = BoxTexts();
  EXPECT_NE(std::find(texts.begin(), texts.end(), "OK!"), texts.end());
  const size_t boxes = dialogs_.Boxes().size();

  window().Button7->Click();
  ASSERT_TRUE(link().WaitUntilIdle());
  const std::array<uint8_t, 8> erased{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
  ASSERT_TRUE(PumpUntil([&] {
    const devsim::DeviceModel m = sim_.Model(1);
    return m.channels[0].factoryCal == erased && m.channels[1].factoryCal == erased;
  }));
  std::vector<Bytes> erases;
  for (const auto& f : Received())
    if (f[3] == CMD_FACTORY_DATA) erases.push_back(Bytes(f.begin() + 6, f.end() - 3));
  std::sort(erases.begin(), erases.end());
  EXPECT_EQ(erases, (std::vector<Bytes>{{0x96, 0}, {0x96, 1}}));
  EXPECT_EQ(dialogs_.Boxes().size(), boxes);  // sent without awaiting answers

  const int resets = sim_.Model(1).resetCount;
  window().Button9->Click();
  ASSERT_TRUE(link().WaitUntilIdle());
  ASSERT_TRUE(PumpUntil([&] { return sim_.Model(1).resetCount == resets + 1; }));
  const auto frames = Received();
  EXPECT_EQ(frames.back()[3], CMD_RESET);
  EXPECT_EQ(frames.back()[6], 0);  // the hard reset
}

}  // namespace
