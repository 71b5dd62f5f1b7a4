// The sampling-rate list of the service window: a new rate stored in the
// device and the restart, the refusals, and the log function entries.
#include "tests/app/service/service_fixture.h"

namespace {

using devsim::Fault;
using devsim::FaultKind;
using devsim::kForever;

const char* const kNewRate = "Neue Abtastrate übernehmen?";
const char* const kAfterRestart = "Neue Abtastrate wird nach Neustart des Gerätes aktiviert!";

class SamplingRate : public ServiceTest {
 protected:
  // The user chooses rate code `index` from the list.
  void Choose(int index) {
    window().ComboBox4Enter(nullptr);
    window().ComboBox4->UserSelect(index);
  }
};

TEST_F(SamplingRate, ANewRateIsStoredAndTheDeviceRestarts) {
  Connect();
  ASSERT_EQ(window().ComboBox4->ItemIndex(), 0);
  sim_.Log().Clear();
  dialogs_.Answer(IDYES);
  dialogs_.Answer(IDOK);
  Choose(3);
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{kNewRate, kAfterRestart}));
  EXPECT_EQ(dialogs_.Boxes()[0].request.title, "FRAGE");
  EXPECT_EQ(dialogs_.Boxes()[0].request.icon, BoxIcon::Information);
  const std::vector<BlockWrite> expected{{SETUP_BASE_1 + 0x119, {3}}};
  EXPECT_EQ(BlockWrites(), expected);
  EXPECT_EQ(sim_.Model(1).memory[SETUP_BASE_1 + 0x119], 3);
  EXPECT_EQ(CountOf(CMD_RESET, {1}), 1u);
  EXPECT_EQ(ServiceConnected, 1);
  EXPECT_EQ(link().SoftResetRequested, 0);
}

TEST_F(SamplingRate, NoRestoresTheRateTheListHadAndWritesNothing) {
  Connect();
  sim_.Log().Clear();
  dialogs_.Answer(IDNO);
  Choose(2);
  EXPECT_EQ(window().ComboBox4->ItemIndex(), 0);
  EXPECT_TRUE(BlockWrites().empty());
  EXPECT_EQ(CountOf(CMD_RESET), 0u);
}

TEST_F(SamplingRate, WhileDisconnectedTheListOnlyAsksToConnect) {
  Choose(3);
  EXPECT_EQ(window().Label14->Caption(), "Bitte mit Gerät verbinden!");
  EXPECT_EQ(window().ComboBox4->ItemIndex(), 3);
  EXPECT_TRUE(Received().empty());
  EXPECT_TRUE(dialogs_.Boxes().empty());
}

TEST_F(SamplingRate, InDemoModeOrWhileTheSetupIsReadTheChoiceChangesOnlyTheList) {
  window().DemoMode = 1;
  dialogs_.Answer(IDOK);
  window().Button1Click(nullptr);
  ASSERT_EQ(ServiceConnected, 1);
  Choose(4);
  EXPECT_EQ(window().ComboBox4->ItemIndex(), 4);
  window().DemoMode = 0;
  SetupReadRunning = 1;
  Choose(2);
  SetupReadRunning = 0;
  EXPECT_EQ(window().ComboBox4->ItemIndex(), 2);
  EXPECT_EQ(dialogs_.Boxes().size(), 1u);  // the demo message
  EXPECT_TRUE(Received().empty());
  ServiceConnected = 0;
}

TEST_F(SamplingRate, ARateThatTheDeviceDoesNotTakeKeepsTheOldOne) {
  Connect();
  sim_.InjectFault(1, Fault(FaultKind::NoAnswer).On(CMD_BLOCK_WRITE).Times(kForever));
  dialogs_.Answer(IDYES);
  dialogs_.Answer(IDOK);
  Choose(3);
  sim_.ClearFaults(1);
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{kNewRate, "Fehler beim Schreiben ins Gerät! -> Abbruch!"}));
  EXPECT_EQ(window().ComboBox4->ItemIndex(), 0);
  EXPECT_EQ(SectionBytes(link().SetupImage, SetupSection::ADC)[233], 0);
  EXPECT_EQ(CountOf(CMD_RESET), 0u);
  EXPECT_EQ(ServiceConnected, 1);
}

TEST_F(SamplingRate, TheLogFunctionOffersTheFastRates) {
  Connect();
  ASSERT_EQ(window().ComboBox4->ItemCount(), 5);
  window().Logfunktionaktiv1Click(nullptr);
  EXPECT_TRUE(window().Logfunktionaktiv1->Checked());
  EXPECT_TRUE(window().Logfunktionen1->Visible());
  EXPECT_EQ(window().LogFunctionActive, 1);
  EXPECT_EQ(window().ComboBox4->ItemCount(), 7);
  window().Logfunktionaktiv1Click(nullptr);
  EXPECT_FALSE(window().Logfunktionen1->Visible());
  EXPECT_EQ(window().ComboBox4->ItemCount(), 5);

  // One channel in the two-channel ADC mode: the entry does nothing.
  auto image = [&](SetupSection s, const char* f) -> uint8_t& {
    return SectionBytes(link().SetupImage, s)[static_cast<size_t>(FieldOf(s, f).offset)];
  };
  image(SetupSection::ADC, "mode") = 1;
  image(SetupSection::WKG0, "mk") = 1;
  window().Logfunktionaktiv1Click(nullptr);
  EXPECT_FALSE(window().Logfunktionaktiv1->Checked());
}

}  // namespace
