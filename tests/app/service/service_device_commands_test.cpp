// The device commands of the service window's menus and hidden buttons
// against the simulated device: the telegrams, the questions, the restarts,
// and the writes that the device refuses.
#include <ctime>

#include "platform/forms/ui_language.h"
#include "tests/app/service/service_fixture.h"

namespace {

using devsim::Fault;
using devsim::FaultKind;
using devsim::kForever;

class DeviceCommands : public ServiceTest {
 protected:
  int Resets() {
    int n = 0;
    sim_.WithDevice(1, [&](devsim::DeviceModel& m) { n = m.resetCount; });
    return n;
  }
  uint8_t& Image(SetupSection section, const char* field) {
    return link().SetupImage[static_cast<size_t>(Info(section).image_offset + FieldOf(section, field).offset)];
  }
  // Command and data bytes of each request the device received, oldest first.
  std::vector<std::vector<uint8_t>> Requests() const {
    std::vector<std::vector<uint8_t>> requests;
    for (const auto& f : Received()) {
      if (f.size() < 9) continue;
      std::vector<uint8_t> r{f[3]};
      const std::vector<uint8_t> data = DataOf(f);
      r.insert(r.end(), data.begin(), data.end());
      requests.push_back(r);
    }
    return requests;
  }
};

struct SimpleCommand {
  const char* name;
  std::function<void(TForm21&)> action;
  uint8_t command;
  std::vector<uint8_t> data;
  // The link's confirmation of an answered set-up command.
  bool confirmed = false;
};

void PrintTo(const SimpleCommand& c, std::ostream* os) { *os << c.name; }

class OneTelegram : public DeviceCommands, public ::testing::WithParamInterface<SimpleCommand> {};

TEST_P(OneTelegram, SendsItsTelegramOnly) {
  const SimpleCommand& c = GetParam();
  Connect();
  window().Button1Click(nullptr);  // disconnected: no polling in the log
  sim_.Log().Clear();
  if (c.confirmed) dialogs_.Answer(IDOK);
  c.action(window());
  ASSERT_TRUE(PumpUntil([&] { return CountOf(c.command) == 1 && link().PendingCount == 0; }));
  ASSERT_EQ(Requests().size(), 1u) << "only the command's telegram";
  EXPECT_EQ(DataOf(ReceivedOf(c.command)[0]), c.data);
  EXPECT_EQ(BoxTexts(), c.confirmed ? std::vector<std::string>{"OK!"} : std::vector<std::string>{});
  EXPECT_EQ(Resets(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Service, OneTelegram,
    ::testing::Values(
        SimpleCommand{"ResetLoadCounter", [](TForm21& w) { w.ResetLKZ1Click(nullptr); }, CMD_RESET_LOAD_COUNTER, {}},
        SimpleCommand{"DefaultButton", [](TForm21& w) { w.Button27->Click(); }, CMD_DEFAULTS_TO_EEPROM, {}, true},
        SimpleCommand{"RuntimeButton", [](TForm21& w) { w.Runtime->Click(); }, CMD_RUNTIME_TO_EEPROM, {}, true},
        SimpleCommand{"EraseFF", [](TForm21& w) { w.Button33->Click(); }, CMD_SETUP_ERASE, {0, 0, 0xFF}},
        SimpleCommand{"Erase00", [](TForm21& w) { w.Button34->Click(); }, CMD_SETUP_ERASE, {0, 0, 0}},
        SimpleCommand{"StopContinuousFromAdmin", [](TForm21& w) { w.KontGewichtsmodebeenden1->Click(); },
                      CMD_VALUE_STREAM, {0, 1}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DeviceCommands, ClockTelegramCarriesThePcTimeFromOneReading) {
  Connect();
  window().Button1Click(nullptr);
  sim_.Log().Clear();
  const std::time_t before = std::time(nullptr);
  window().RTCinVD417stellen1->Click();
  ASSERT_TRUE(PumpUntil([&] { return CountOf(CMD_SET_CLOCK) == 1 && link().PendingCount == 0; }));
  const std::time_t after = std::time(nullptr);
  const std::vector<uint8_t> data = DataOf(ReceivedOf(CMD_SET_CLOCK)[0]);
  ASSERT_EQ(data.size(), 7u);
  // The fields name one second between the two readings.
  bool matches = false;
  for (std::time_t t = before; t <= after; ++t) {
    std::tm local{};
    localtime_r(&t, &local);
    const std::vector<uint8_t> expected{static_cast<uint8_t>(local.tm_sec),        static_cast<uint8_t>(local.tm_min),
                                        static_cast<uint8_t>(local.tm_hour),       static_cast<uint8_t>(local.tm_mday),
                                        static_cast<uint8_t>(local.tm_mon + 1),    static_cast<uint8_t>(local.tm_year % 100),
                                        static_cast<uint8_t>(local.tm_wday)};
    matches = matches || expected == data;
  }
  EXPECT_TRUE(matches);
  // The device took it: its status carries no error bit.
  EXPECT_EQ(link().TransferFailed, 0);
}

TEST_F(DeviceCommands, DevicesWithoutAClockGetNoClockTelegram) {
  Connect();
  window().Button1Click(nullptr);
  for (int type : {4, 5}) {
    link().DeviceType = type;
    sim_.Log().Clear();
    window().RTCinVD417stellen1->Click();
    TestApplication().ProcessMessages();
    EXPECT_EQ(link().PendingCount, 0) << type;
    EXPECT_TRUE(Received().empty()) << type;
  }
}

TEST_F(DeviceCommands, DemoModeSkipsTheSetupCommandsWithoutAQuestion) {
  window().DemoMode = 1;
  link().SetupPresent = 1;
  link().SetupBackupPresent = 1;
  for (TMenuItem* entry : {window().DefaultSetupinVD4171, window().SetupBackup1, window().SetupRestore1,
                           window().Profibus1})
    entry->Click();
  EXPECT_TRUE(dialogs_.Boxes().empty());
  EXPECT_TRUE(Received().empty());
  EXPECT_FALSE(window().Profibus1->Checked());
}

TEST_F(DeviceCommands, DefaultSetupAsksWritesTheDefaultsAndRestarts) {
  Connect();
  sim_.Log().Clear();
  dialogs_.Answer(IDNO);
  window().DefaultSetupinVD4171->Click();
  EXPECT_EQ(CountOf(CMD_DEFAULTS_TO_EEPROM), 0u);
  EXPECT_EQ(link().SetupPresent, 1);

  dialogs_.Answer(IDYES);
  dialogs_.Answer(IDOK);
  window().DefaultSetupinVD4171->Click();
  EXPECT_EQ(BoxTexts()[2], "OK!");
  EXPECT_EQ(BoxTexts()[1], "WARNUNG!\nAlle vorhandenen Einstellungen im Gerät gehen verloren!\n\nWollen Sie fortfahren?");
  EXPECT_EQ(dialogs_.Boxes()[1].request.title, "FRAGE");
  EXPECT_EQ(CountOf(CMD_DEFAULTS_TO_EEPROM), 1u);
  EXPECT_EQ(Resets(), 1);
  // Restarted and connected again; the reconnect reads the set-up anew.
  EXPECT_EQ(ServiceConnected, 1);
  const auto requests = Requests();
  const auto defaults = std::find_if(requests.begin(), requests.end(),
                                     [](const auto& r) { return r[0] == CMD_DEFAULTS_TO_EEPROM; });
  const auto reset = std::find_if(requests.begin(), requests.end(), [](const auto& r) { return r[0] == CMD_RESET; });
  EXPECT_LT(defaults, reset);
}

TEST_F(DeviceCommands, BackupAsksOnlyOverAnEarlierBackupAndEnablesRestore) {
  Connect();
  window().SetupRestore1->SetEnabled(false);
  link().SetupBackupPresent = 0;
  window().Label14->SetCaption("vorher");
  sim_.Log().Clear();
  dialogs_.Answer(IDOK);
  window().SetupBackup1->Click();
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"OK!"});
  EXPECT_EQ(CountOf(CMD_SETUP_BACKUP, {2}), 1u);
  EXPECT_TRUE(window().SetupRestore1->Enabled());
  EXPECT_EQ(window().Label14->Caption(), "vorher");
  bool backedUp = false;
  sim_.WithDevice(1, [&](devsim::DeviceModel& m) { backedUp = m.setupBackupPresent; });
  EXPECT_TRUE(backedUp);

  link().SetupBackupPresent = 1;
  dialogs_.Answer(IDNO);
  window().SetupBackup1->Click();
  EXPECT_EQ(BoxTexts().back(), "ACHTUNG!\nVorhandenes Backup wird überschrieben!\n\nMöchten Sie fortsetzen?");
  EXPECT_EQ(CountOf(CMD_SETUP_BACKUP, {2}), 1u);
  EXPECT_EQ(Resets(), 0);
}

TEST_F(DeviceCommands, RestoreRestartsOnlyWhenTheUserSaysSo) {
  sim_.WithDevice(1, [](devsim::DeviceModel& m) { m.setupBackupPresent = true; });
  Connect();
  window().SetupRestore1->SetEnabled(true);
  window().Label14->SetCaption("vorher");
  sim_.Log().Clear();
  dialogs_.Answer(IDYES);
  dialogs_.Answer(IDOK);
  dialogs_.Answer(IDNO);
  window().SetupRestore1->Click();
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{
                            "ACHTUNG!\nVorhandenes Setup wird mit einem gesicherten Backup überschrieben!\n\n"
                            "Möchten Sie fortsetzen?",
                            "OK!", "Gerät neu starten?"}));
  EXPECT_EQ(CountOf(CMD_SETUP_BACKUP, {1}), 1u);
  EXPECT_EQ(Resets(), 0);
  EXPECT_EQ(window().Label14->Caption(), "vorher");
  EXPECT_EQ(link().SetupPresent, 1);

  dialogs_.Answer(IDYES);
  dialogs_.Answer(IDOK);
  dialogs_.Answer(IDYES);
  window().SetupRestore1->Click();
  EXPECT_EQ(CountOf(CMD_SETUP_BACKUP, {1}), 2u);
  EXPECT_EQ(Resets(), 1);
  EXPECT_EQ(ServiceConnected, 1);
  // The reconnect identified the device again, whose set-up was replaced.
  EXPECT_GT(CountOf(CMD_IDENT_DATA), 0u);
}

TEST_F(DeviceCommands, ProfibusFlagNeedsASetup) {
  link().SetupPresent = 0;
  dialogs_.Answer(IDOK);
  window().Profibus1->Click();
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Bitte Setup von Gerät lesen!"});
  EXPECT_EQ(dialogs_.Boxes()[0].request.title, "HINWEIS");
  EXPECT_EQ(dialogs_.Boxes()[0].request.icon, BoxIcon::Error);
  EXPECT_TRUE(Received().empty());
}

TEST_F(DeviceCommands, ProfibusFlagWritesTheLpcSectionAndRestarts) {
  Connect();
  window().Profibus1->SetChecked(false);
  sim_.Log().Clear();
  window().Profibus1->Click();
  EXPECT_TRUE(window().Profibus1->Checked());
  EXPECT_EQ(Image(SetupSection::LPC, "active"), 2);
  const auto writes = BlockWrites();
  ASSERT_EQ(writes.size(), 1u);
  EXPECT_EQ(writes[0].address, SETUP_BASE_1 + Info(SetupSection::LPC).copy_offset);
  ASSERT_EQ(writes[0].bytes.size(), 32u);
  EXPECT_EQ(writes[0].bytes[0], 2);
  EXPECT_EQ(Resets(), 1);
  EXPECT_EQ(ServiceConnected, 1);

  window().Profibus1->Click();
  EXPECT_FALSE(window().Profibus1->Checked());
  EXPECT_EQ(Image(SetupSection::LPC, "active"), 0);
  EXPECT_EQ(window().Label10->Caption(), "Profibus inaktiv");
  EXPECT_EQ(Resets(), 2);
}

TEST_F(DeviceCommands, AProfibusWriteThatFailsChangesNothingAndDoesNotRestart) {
  Connect();
  window().Profibus1->SetChecked(false);
  const SetupImageBytes before = link().SetupImage;
  const std::string line = window().Label10->Caption();
  sim_.InjectFault(1, Fault(FaultKind::NoAnswer).On(CMD_BLOCK_WRITE).Times(kForever));
  dialogs_.Answer(IDOK);
  window().Profibus1->Click();
  sim_.ClearFaults(1);
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Fehler beim Schreiben ins Gerät! -> Abbruch!"});
  EXPECT_TRUE(link().SetupImage == before);
  EXPECT_FALSE(window().Profibus1->Checked());
  EXPECT_EQ(window().Label10->Caption(), line);
  EXPECT_EQ(Resets(), 0);
}

TEST_F(DeviceCommands, WriteProtectionTogglesTheAdmByte) {
  Connect();
  Image(SetupSection::ADM, "setup") = 1;
  sim_.Log().Clear();
  window().SetupROClick(nullptr);
  EXPECT_EQ(Image(SetupSection::ADM, "setup"), 0);
  EXPECT_TRUE(window().SetupRO->Checked());
  EXPECT_TRUE(window().Label26->Visible());
  window().SetupROClick(nullptr);
  EXPECT_EQ(Image(SetupSection::ADM, "setup"), 1);
  EXPECT_FALSE(window().SetupRO->Checked());
  EXPECT_FALSE(window().Label26->Visible());
  const std::vector<BlockWrite> expected{{SetupAddress(SetupSection::ADM, "setup"), {0}},
                                         {SetupAddress(SetupSection::ADM, "setup"), {1}}};
  EXPECT_EQ(BlockWrites(), expected);
  EXPECT_EQ(Resets(), 0);

  // Refused by the device: the image, the tick and the label stay.
  sim_.InjectFault(1, Fault(FaultKind::NoAnswer).On(CMD_BLOCK_WRITE).Times(kForever));
  dialogs_.Answer(IDOK);
  window().SetupROClick(nullptr);
  sim_.ClearFaults(1);
  EXPECT_EQ(Image(SetupSection::ADM, "setup"), 1);
  EXPECT_FALSE(window().SetupRO->Checked());
  EXPECT_FALSE(window().Label26->Visible());
}

TEST_F(DeviceCommands, TheDeviceLinesFollowTheLanguageAndTheReadOnlyNoteItsTick) {
  Connect();
  window().Profibus1->SetChecked(false);
  window().Profibus1->Click();
  ASSERT_EQ(window().Label10->Caption(), "Profibus aktiv");
  window().Englisch1Click(nullptr);
  EXPECT_EQ(window().Label10->Caption(), "Profibus active");
  EXPECT_EQ(CurrentUiLanguage(), UiLanguage::English) << "Qt's own texts switch too";
  window().Profibus1->Click();
  EXPECT_EQ(window().Label10->Caption(), "Profibus not active");
  window().Deutsch1Click(nullptr);
  EXPECT_EQ(window().Label10->Caption(), "Profibus inaktiv");
  EXPECT_EQ(CurrentUiLanguage(), UiLanguage::German);

  // Protected, then restarted without reading the set-up again: the note stays with the tick.
  link().Options.setup_reconnect = 0;
  Image(SetupSection::ADM, "setup") = 1;
  window().SetupROClick(nullptr);
  ASSERT_TRUE(window().SetupRO->Checked());
  window().Englisch1Click(nullptr);
  EXPECT_TRUE(window().Label26->Visible());
  EXPECT_EQ(window().Label26->Caption(), "Setup read only!");
  const int before = Resets();
  window().ResetVD4171Click(nullptr);
  ASSERT_EQ(Resets(), before + 1);
  ASSERT_EQ(ServiceConnected, 1);
  EXPECT_TRUE(window().SetupRO->Checked());
  EXPECT_TRUE(window().Label26->Visible());
  EXPECT_EQ(window().Label10->Caption(), "Profibus not active");
  window().Deutsch1Click(nullptr);
}

TEST_F(DeviceCommands, ContinuousOutputStopsTheConnectionAndTheLinkWorksAfterItsStop) {
  Connect();
  window().LogFunktion1->SetChecked(true);
  sim_.Log().Clear();
  dialogs_.Answer(IDOK);
  window().KontModeGewichtswerte1->Click();
  EXPECT_EQ(ServiceConnected, 0);
  EXPECT_FALSE(window().Button1->Enabled());
  EXPECT_EQ(CountOf(CMD_VALUE_STREAM, {1, 1}), 1u);
  EXPECT_TRUE(window().KontModeGewichtswerte1->Checked());
  EXPECT_FALSE(window().LogFunktion1->Checked());
  EXPECT_EQ(window().Label14->Caption(), "Kontinuierliche Ausgabe der Gewichtswerte...");
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Kont. Gewichtsausgabe wurde gestartet"});
  EXPECT_EQ(dialogs_.Boxes()[0].request.icon, BoxIcon::Information);
  EXPECT_FALSE(link().ComPort1->Connected());

  dialogs_.Answer(IDOK);
  window().KontModeGewichtswerte1->Click();
  ASSERT_TRUE(PumpUntil([&] { return CountOf(CMD_VALUE_STREAM, {0, 1}) == 1; }));
  EXPECT_FALSE(window().KontModeGewichtswerte1->Checked());
  EXPECT_TRUE(window().Button1->Enabled());
  EXPECT_EQ(window().Label14->Caption(), "");
  EXPECT_EQ(BoxTexts().back(), "Kont. Gewichtsausgabe wurde gestoppt");
  EXPECT_TRUE(PumpUntil([&] { return !sim_.Model(1).streamRunning; }));
  // The next request gets its answer: the link takes replies again.
  link().ReadErrorCodes();
  EXPECT_EQ(link().TransferFailed, 0);
  window().Button1->Click();
  EXPECT_EQ(ServiceConnected, 1);
}

}  // namespace
