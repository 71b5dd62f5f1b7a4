// The start of the program at the main window's first activation and its
// end by "Beenden", the close box and the test window: the files it reads
// and writes, the port, and what the device sees.
#include <QFile>
#include <QMainWindow>
#include <algorithm>
#include <filesystem>

#include "tests/app/program/program_fixture.h"

namespace {

using Request = std::vector<uint8_t>;

const char* const kFreshIni =
    "[COM]\nvd417_adr=1\nauto_baud=0\nstx_etx=1\ncsum=1\npb=0\nstart_brdcast=0\nget_diag=0\ndiag_interval=5000\n"
    "rs232_logging=0\nrs485=0\ncheck_connect=0\nsetup_reconnect=0\n"
    "[ADC]\nsdcont=0\nsdcont_avg=1\nsdcont_avg_time=250\nbtncont=0\ncal_null_pkt=0\ncal_end_pkt=2\n"
    "[RTV482]\nbutton_tar_null=0\nbrutto_netto_mode=0\nlang=0\n"
    "[DEVICES]\ndev_1=1\ndev_2=0\ndev_3=0\ndev_4=0\ndev_5=0\ndev_6=0\ndev_7=0\ndev_8=0\ndev_9=0\ndev_10=0\n"
    "dev_11=0\ndev_12=0\ndev_13=0\ndev_14=0\ndev_15=0\ndev_16=0\n";

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

class StartAndEnd : public ProgramTest {};

TEST_F(StartAndEnd, WithoutSettingsFilesBeendenWritesBothWithTheDefaultsAndReleasesTheDevice) {
  Start();
  EXPECT_EQ(link().StatusBar1->Panel(0).Text, "RS232");
  EXPECT_EQ(service().StatusBar1->Panel(0).Text, "RS232");
  EXPECT_EQ(link().DeviceAddress, 1);
  EXPECT_FALSE(QFile::exists(QString::fromStdString(IniPath())));
  sim_.Log().Clear();

  service().Button2Click(nullptr);

  EXPECT_EQ(ReadFile(IniPath()), kFreshIni);
  const std::string com = ReadFile(Path("rs232.ini"));
  EXPECT_TRUE(Contains(com, "[ComPort]")) << com;
  EXPECT_TRUE(Contains(com, "Port=COM1")) << com;
  EXPECT_TRUE(Contains(com, "BaudRate=9600")) << com;
  // The device's output is held on the way out and its value stream started at the end.
  EXPECT_EQ(ReceivedRequests(), (std::vector<Request>{{CMD_HOLD_CYCLIC, 0}, {CMD_VALUE_STREAM, 1, 2}}));
  EXPECT_EQ(link().SettingsStored, 1);
  EXPECT_FALSE(service().Visible());
  EXPECT_TRUE(dialogs_.Boxes().empty());
}

struct EndCase {
  const char* name;
  std::function<void(TForm21&)> end;
};

void PrintTo(const EndCase& c, std::ostream* os) { *os << c.name; }

class EndsOfTheProgram : public ProgramTest, public ::testing::WithParamInterface<EndCase> {};

TEST_P(EndsOfTheProgram, EndTheProgramLikeTheButton) {
  Start();
  EXPECT_TRUE(service().Beenden1->Enabled());
  sim_.Log().Clear();
  GetParam().end(service());
  EXPECT_EQ(ReadFile(IniPath()), kFreshIni);
  EXPECT_TRUE(QFile::exists(QString::fromStdString(Path("rs232.ini"))));
  EXPECT_EQ(ReceivedRequests(), (std::vector<Request>{{CMD_HOLD_CYCLIC, 0}, {CMD_VALUE_STREAM, 1, 2}}));
  EXPECT_FALSE(service().Visible());
}

INSTANTIATE_TEST_SUITE_P(MenuEntryAndCloseBox, EndsOfTheProgram,
                         ::testing::Values(EndCase{"menu", [](TForm21& w) { w.Beenden1->Click(); }},
                                           EndCase{"closebox", [](TForm21& w) { w.Window()->close(); }}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(StartAndEnd, ClosingTheWindowBeforeTheProgramStartedStoresNothing) {
  WriteFile(IniPath(), "[COM]\nvd417_adr=9\n");
  service().Close();
  EXPECT_EQ(ReadFile(IniPath()), "[COM]\nvd417_adr=9\n");
  EXPECT_FALSE(QFile::exists(QString::fromStdString(Path("rs232.ini"))));
  EXPECT_TRUE(Received().empty());
}

TEST_F(StartAndEnd, AnExistingIniKeepsItsForeignLinesAndGetsTheForcedValuesBack) {
  WriteFile(IniPath(),
            "; site: Halle 3\n[COM]\nvd417_adr=1\nauto_baud=1\nstx_etx=0\ncsum=0\ncheck_connect=1\nremark=spare\n"
            "[ADC]\nsdcont=1\nbtncont=1\n[Local]\nprinter=none\n");
  Start();
  EXPECT_FALSE(service().AutomatischeBaudratenerkennung1->Visible());
  EXPECT_FALSE(service().AutomatischeBaudratenerkennung1->Checked());
  EXPECT_FALSE(service().CheckConnect1->Visible());
  EXPECT_TRUE(service().CheckConnect1->Checked());
  EXPECT_EQ(link().Options.check_connect, 0);

  service().Button2Click(nullptr);
  const std::string ini = ReadFile(IniPath());
  EXPECT_TRUE(Contains(ini, "; site: Halle 3\n[COM]\nvd417_adr=1\nauto_baud=0\nstx_etx=1\ncsum=1\ncheck_connect=0\n"
                            "remark=spare\n"))
      << ini;
  EXPECT_TRUE(Contains(ini, "[ADC]\nsdcont=0\nbtncont=0\n")) << ini;
  EXPECT_TRUE(Contains(ini, "[Local]\nprinter=none\n")) << ini;
}

TEST_F(StartAndEnd, SettingsAreStoredOnceWhenTheTestWindowWasClosedFirst) {
  Start();
  link().Show();
  link().Close();
  ASSERT_EQ(link().SettingsStored, 1) << "closing the test window stores the settings";
  const std::string stored = ReadFile(IniPath());
  EXPECT_EQ(stored, kFreshIni);

  // Changes after the store do not reach the file any more.
  link().Options.lang = 1;
  link().Options.vd417_adr = 5;
  std::filesystem::remove(Path("rs232.ini"));
  service().Button2Click(nullptr);
  EXPECT_EQ(ReadFile(IniPath()), stored);
  EXPECT_FALSE(QFile::exists(QString::fromStdString(Path("rs232.ini"))));
}

TEST_F(StartAndEnd, APortThatCannotBeOpenedIsReportedOnceAndTakenWhenItAppears) {
  const std::string later = Path("ttyLater");
  WriteFile(Path("rs232.ini"), "[ComPort]\nPort=" + later + "\nBaudRate=9600\n");
  dialogs_.Answer(IDOK);
  service().Activate();

  ASSERT_EQ(dialogs_.Boxes().size(), 1u);
  EXPECT_EQ(dialogs_.Boxes()[0].request.text, "COM-Port kann nicht geöffnet werden!");
  EXPECT_EQ(dialogs_.Boxes()[0].request.title, "FEHLER");
  EXPECT_EQ(dialogs_.Boxes()[0].request.icon, BoxIcon::Information);
  EXPECT_EQ(link().PortUsable, 0);
  EXPECT_TRUE(link().Timer7->Enabled());
  // Requests are refused while the port is not usable.
  EXPECT_FALSE(link().QueueRequest(1, CMD_ADC_INFO, nullptr, 0, 0, 1));

  std::filesystem::create_symlink(sim_.SlavePath(), later);
  ASSERT_TRUE(PumpUntil([&] { return link().PortUsable == 1; }));
  EXPECT_FALSE(link().Timer7->Enabled());
  EXPECT_EQ(link().StatusBar1->Panel(0).Text, "RS232");
  EXPECT_EQ(service().StatusBar1->Panel(0).Text, "RS232");
  EXPECT_EQ(dialogs_.Boxes().size(), 1u) << "the retry itself shows nothing";
  ASSERT_TRUE(link().QueueRequest(1, CMD_ADC_INFO, nullptr, 0, 0, 1));
  EXPECT_TRUE(link().WaitUntilIdle());
  EXPECT_EQ(link().TransferFailed, 0);
}

TEST_F(StartAndEnd, AnUnreadablePortFileIsReportedOnceAndThePortOpensWithItsDefaults) {
  WriteFile(Path("rs232.ini"), "[ComPort]\nBaudRate=fast\n");
  dialogs_.Answer(IDOK);
  Start();
  ASSERT_EQ(dialogs_.Boxes().size(), 1u);
  EXPECT_EQ(dialogs_.Boxes()[0].request.text, "Fehler beim Schreiben der RS232-Konfiguration!");
  EXPECT_EQ(dialogs_.Boxes()[0].request.title, "FEHLER");
  EXPECT_EQ(link().ComPort1->Port(), "COM1");
}

TEST_F(StartAndEnd, SettingsFilesThatCannotBeWrittenAreReportedAndTheProgramStillEnds) {
  // A folder in the place of the port file: it can be neither read nor replaced.
  ASSERT_TRUE(QDir(QString::fromStdString(Path(""))).mkdir("rs232.ini"));
  link().ProgramIniFileName = Path("no-such-folder/rtv482_2.ini");
  dialogs_.Answer(IDOK);
  Start();
  ASSERT_EQ(dialogs_.Boxes().size(), 1u);
  EXPECT_EQ(dialogs_.Boxes()[0].request.text, "Fehler beim Schreiben der RS232-Konfiguration!");

  dialogs_.Answer(IDOK);
  dialogs_.Answer(IDOK);
  service().Button2Click(nullptr);
  ASSERT_EQ(dialogs_.Boxes().size(), 3u);
  EXPECT_NE(dialogs_.Boxes()[1].request.text.find("no-such-folder"), std::string::npos)
      << dialogs_.Boxes()[1].request.text;
  EXPECT_EQ(dialogs_.Boxes()[1].request.title, "FEHLER");
  EXPECT_EQ(dialogs_.Boxes()[2].request.text, "Fehler beim Schreiben der RS232-Konfiguration!");
  EXPECT_EQ(link().SettingsStored, 1);
  EXPECT_FALSE(service().Visible());
}

TEST_F(StartAndEnd, AStartWithTheDeviceSearchShowsTheAddressWindowAndMarksTheAnsweringDevices) {
  sim_.AddDevice(3);
  platform::Clock::SetScale(1.0);  // the listening window at real time, for both answers
  WriteFile(IniPath(), "[COM]\nstart_brdcast=1\n");
  Start();
  EXPECT_TRUE(Form9->Visible());
  ASSERT_TRUE(PumpUntil([&] { return link().PendingCount == 0 && !Form9->Label20->Visible(); }));
  EXPECT_EQ(link().RequestQueues[1].Present, 1);
  EXPECT_EQ(link().RequestQueues[3].Present, 1);
  EXPECT_EQ(link().RequestQueues[2].Present, 0);
  EXPECT_TRUE(Form9->PresenceBoxes[0]->Checked());
  EXPECT_TRUE(Form9->PresenceBoxes[2]->Checked());
  EXPECT_FALSE(Form9->PresenceBoxes[1]->Checked());
  EXPECT_EQ(ReceivedRequests().front(), (Request{CMD_SEARCH_DEVICES}));
}

TEST_F(StartAndEnd, TheStartTakesItsStateFromTheIni) {
  WriteFile(IniPath(),
            "[COM]\nvd417_adr=3\nrs485=1\nsetup_reconnect=1\nget_diag=1\ndiag_interval=20\n"
            "[RTV482]\nbutton_tar_null=1\n[DEVICES]\ndev_1=0\ndev_3=1\n");
  sim_.AddDevice(3);
  Start();
  EXPECT_EQ(link().DeviceAddress, 3);
  EXPECT_EQ(link().Label16->Caption(), "3");
  EXPECT_EQ(link().Label16->Font().Color(), clGreen);
  EXPECT_TRUE(service().RS4851->Checked());
  EXPECT_TRUE(service().Edit5->Enabled());
  EXPECT_TRUE(service().SetuplesenbeiNeuVerbinden1->Checked());
  EXPECT_TRUE(service().Tarierung1->Checked());
  EXPECT_EQ(service().Button5->Caption(), "T");
  EXPECT_EQ(service().Button7->Caption(), "T");
  EXPECT_TRUE(Form9->Visible()) << "RS-485 shows the address window";
  EXPECT_FALSE(Form9->PresenceBoxes[0]->Checked());
  EXPECT_TRUE(Form9->PresenceBoxes[2]->Checked());
  EXPECT_EQ(link().RequestQueues[ADDR_GLOBAL].Present, 1);
  // The diagnosis poll runs, but not faster than every 100 ms.
  EXPECT_TRUE(link().Timer5->Enabled());
  EXPECT_EQ(link().Timer5->Interval(), 100);
  EXPECT_EQ(link().SerialNumberText, "-");
  EXPECT_EQ(link().PageControl1->ActivePageIndex(), 1);
}

TEST_F(StartAndEnd, EveryStartBeginsANewTraceThatTheStoreClosesOverTheOldOne) {
  WriteFile(Path("rs232_log.txt"), "an old trace\n");
  WriteFile(IniPath(), "[COM]\nrs232_logging=1\n");
  Start();
  EXPECT_EQ(link().Rs232LoggingOn, 1);
  EXPECT_TRUE(link().RS232Logging1->Checked());
  // The old trace stays whole until the new one is complete.
  EXPECT_EQ(ReadFile(Path("rs232_log.txt")), "an old trace\n");

  service().Button2Click(nullptr);
  EXPECT_EQ(link().Rs232LoggingOn, 0);
  EXPECT_FALSE(link().Rs232LogFile);
  EXPECT_TRUE(Contains(ReadFile(IniPath()), "rs232_logging=1\n"));
  const std::string trace = ReadFile(Path("rs232_log.txt"));
  EXPECT_EQ(trace.rfind("Device - RS232-Logging\n\nStart: ", 0), 0u) << trace;
  EXPECT_FALSE(Contains(trace, "an old trace"));
}

struct StoreCase {
  const char* name;
  int demo;
  int answer;  // 0: no question
  std::vector<std::string> boxes;
};

void PrintTo(const StoreCase& c, std::ostream* os) { *os << c.name; }

class ChangedSetupAtTheEnd : public ProgramTest, public ::testing::WithParamInterface<StoreCase> {};

TEST_P(ChangedSetupAtTheEnd, IsOfferedForStoringUnlessInDemoMode) {
  const StoreCase& c = GetParam();
  Start();
  SetupModified = 1;
  service().DemoMode = c.demo;
  if (c.answer != 0) dialogs_.Answer(c.answer);
  if (c.boxes.size() > 1) dialogs_.Answer(IDOK);
  service().Button2Click(nullptr);
  std::vector<std::string> shown;
  for (const auto& box : dialogs_.Boxes()) shown.push_back(box.request.text);
  EXPECT_EQ(shown, c.boxes);
  if (c.answer == IDNO) {
    EXPECT_EQ(SetupModified, 0);
  }
  // The program ends all the same.
  EXPECT_EQ(ReadFile(IniPath()), kFreshIni);
  EXPECT_FALSE(service().Visible());
}

INSTANTIATE_TEST_SUITE_P(
    Answers, ChangedSetupAtTheEnd,
    ::testing::Values(StoreCase{"declined", 0, IDNO, {"Änderungen im Gerät speichern?"}},
                      StoreCase{"acceptedWithoutSetup", 0, IDYES,
                                {"Änderungen im Gerät speichern?", "Bitte Setup von Gerät lesen!"}},
                      StoreCase{"demoMode", 1, 0, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(StartAndEnd, TheSetupWriteRefusesAProtectedSetupAndMarksTheChannelsCalibratedOtherwise) {
  Start();
  SetupBase = SETUP_BASE_1;
  link().SetupPresent = 1;
  link().ChannelCount = 2;
  auto admSetup = [&]() -> uint8_t& {
    return link().SetupImage[static_cast<size_t>(Info(SetupSection::ADM).image_offset +
                                                 FieldOf(SetupSection::ADM, "setup").offset)];
  };
  admSetup() = 0;
  dialogs_.Answer(IDOK);
  service().Button4Click(nullptr);
  ASSERT_EQ(dialogs_.Boxes().size(), 1u);
  EXPECT_EQ(dialogs_.Boxes()[0].request.text, "Setup ist schreibgeschützt! -> Abbruch!");
  EXPECT_TRUE(Received().empty());

  // Writable: after the question every section goes to the device, then the calibration mode of both channels.
  auto calibModeAddress = [](SetupSection channel) {
    return static_cast<size_t>(SETUP_BASE_1 + Info(channel).copy_offset + FieldOf(channel, "chn_calib_mode").offset);
  };
  sim_.WithDevice(1, [&](devsim::DeviceModel& m) {
    for (SetupSection channel : {SetupSection::CHN0, SetupSection::CHN1}) m.memory[calibModeAddress(channel)] = 0;
  });
  admSetup() = 1;
  for (SetupSection section : {SetupSection::GBL, SetupSection::LPC, SetupSection::ADC, SetupSection::WKG0,
                               SetupSection::WKG1, SetupSection::WKS, SetupSection::CHN0, SetupSection::CHN1,
                               SetupSection::EXB, SetupSection::MSC, SetupSection::ADM})
    Form3->SetupToControls(SectionCode(section, SetupBase));
  SetupModified = 1;
  // An image from a set-up file: the write keeps its calibration.
  service().SetupFromFile = 1;
  dialogs_.Answer(IDYES);
  service().Button4Click(nullptr);
  EXPECT_EQ(dialogs_.Boxes().back().request.text,
            "ACHTUNG!\nVorhandene Kalibrierdaten werden überschrieben!\n\nMöchten Sie fortsetzen?");
  const devsim::DeviceModel device = sim_.Model(1);
  for (SetupSection channel : {SetupSection::CHN0, SetupSection::CHN1})
    EXPECT_EQ(device.memory[calibModeAddress(channel)], 1) << Info(channel).name;
  EXPECT_EQ(SetupModified, 0);
  // The device restarts with its new set-up, and the window connects to it again.
  EXPECT_EQ(device.resetCount, 1);
  EXPECT_EQ(ServiceConnected, 1);
  service().Button1Click(nullptr);
}

TEST_F(StartAndEnd, ADeviceWhoseSetupSendsContinuouslyIsResetBeforeTheStore) {
  Start();
  link().SetupImage[static_cast<size_t>(Info(SetupSection::LPC).image_offset + FieldOf(SetupSection::LPC, "sdcont").offset)] = 1;
  link().SoftResetRequested = 1;
  sim_.Log().Clear();
  service().Button2Click(nullptr);
  ASSERT_TRUE(PumpUntil([&] { return ReceivedRequests().size() >= 3 && link().PendingCount == 0; }));
  // The hold goes first, then the reset (send only), and the stream start once the device is back.
  EXPECT_EQ(ReceivedRequests(),
            (std::vector<Request>{{CMD_HOLD_CYCLIC, 0}, {CMD_RESET, 1}, {CMD_VALUE_STREAM, 1, 2}}));
  EXPECT_EQ(link().SoftResetRequested, 0);
}

}  // namespace
