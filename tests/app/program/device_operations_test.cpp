// The link's named command sequences against the simulated device: the
// telegrams on the line, the fields and labels they fill, and their failures.
#include <algorithm>
#include <ctime>
#include <functional>

#include "tests/app/program/program_fixture.h"

namespace {

using devsim::Fault;
using devsim::FaultKind;
using Request = std::vector<uint8_t>;

class DeviceOperations : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    if (HasFatalFailure()) return;
    link().PortUsable = 1;
    // Single failures are forgotten only where a test asks for it.
    link().Timer6->SetEnabled(false);
  }

  // Waits until the device has received `count` requests and the link is idle.
  bool AwaitRequests(size_t count) {
    return PumpUntil([&] { return ReceivedRequests().size() >= count && link().PendingCount == 0; });
  }
};

struct SequenceCase {
  const char* name;
  std::function<void(TForm1&)> before;
  std::function<void(TForm1&)> operation;
  std::vector<Request> requests;
  std::function<void(TForm1&)> after;
};

void PrintTo(const SequenceCase& c, std::ostream* os) { *os << c.name; }

class Sequences : public DeviceOperations, public ::testing::WithParamInterface<SequenceCase> {};

TEST_P(Sequences, PutTheirTelegramsOnTheLine) {
  const SequenceCase& c = GetParam();
  if (c.before) c.before(link());
  c.operation(link());
  ASSERT_TRUE(AwaitRequests(c.requests.size()));
  EXPECT_EQ(ReceivedRequests(), c.requests);
  if (c.after) c.after(link());
}

INSTANTIATE_TEST_SUITE_P(
    Operations, Sequences,
    ::testing::Values(
        SequenceCase{"ReadErrorCodes", nullptr, [](TForm1& l) { l.ReadErrorCodes(); }, {{CMD_ERROR_CODES, 1, 0}},
                     [](TForm1& l) { EXPECT_EQ(l.Label9->Caption(), "00 00"); }},
        SequenceCase{"ReadErrorClass", nullptr, [](TForm1& l) { l.ReadErrorClass(4); }, {{CMD_ERROR_CODES, 1, 4}},
                     nullptr},
        SequenceCase{"ClearErrorCodes",
                     [](TForm1& l) {
                       l.Label9->SetCaption("01 00");
                       l.Label13->SetColor(clRed);
                     },
                     [](TForm1& l) {
                       l.ClearErrorCodes();
                       // The request goes out later: the labels are cleared at once.
                       EXPECT_EQ(l.Label9->Caption(), "");
                       EXPECT_EQ(l.Label13->Caption(), " ");
                       EXPECT_EQ(l.Label13->Color(), clBtnFace);
                       EXPECT_EQ(l.PendingCount, 1);
                     },
                     {{CMD_ERROR_CODES, 2}},
                     nullptr},
        SequenceCase{"HardReset", [](TForm1& l) { l.DeviceIdentified = 1; }, [](TForm1& l) { l.ResetDevice(); },
                     {{CMD_RESET, 0}}, [](TForm1& l) { EXPECT_EQ(l.DeviceIdentified, 0); }},
        SequenceCase{"SoftReset", [](TForm1& l) { l.SoftResetRequested = 1; }, [](TForm1& l) { l.ResetDevice(); },
                     {{CMD_RESET, 1}}, nullptr},
        SequenceCase{"StreamStartForTheServiceWindow", nullptr, [](TForm1& l) { l.StartContinuousOutput(2); },
                     {{CMD_VALUE_STREAM, 1, 2}},
                     [](TForm1& l) {
                       EXPECT_EQ(l.Options.sdcont, 0);
                       EXPECT_TRUE(l.Timer3->Enabled());
                       EXPECT_EQ(l.Timer3->Interval(), 250);
                       EXPECT_FALSE(l.Timer1->Enabled());
                     }},
        SequenceCase{"StreamStartAtTheFinestIntervalTicksAtTheTimerFloor",
                     [](TForm1& l) { l.Options.sdcont_avg_time = 1; },
                     [](TForm1& l) { l.StartContinuousOutput(0); }, {{CMD_VALUE_STREAM, 1, 0}},
                     [](TForm1& l) {
                       EXPECT_EQ(l.Options.sdcont, 1);
                       EXPECT_EQ(l.Options.sdcont_avg_time, 1);  // the setting stays as the user chose it
                       EXPECT_EQ(l.Timer3->Interval(), 10);
                     }},
        SequenceCase{"StreamStopOfTheWeightMode",
                     [](TForm1& l) {
                       l.Options.sdcont = 1;
                       l.Timer3->SetEnabled(true);
                       l.StatusBar1->SetPanelText(7, "12");
                       Form10->Panel2->SetColor(clGreen);
                     },
                     [](TForm1& l) { l.StopContinuousOutput(1); }, {{CMD_VALUE_STREAM, 0, 1}},
                     [](TForm1& l) {
                       EXPECT_EQ(l.Options.sdcont, 1);
                       EXPECT_FALSE(l.Timer3->Enabled());
                       EXPECT_TRUE(l.Timer1->Enabled());
                       EXPECT_EQ(l.StatusBar1->Panel(7).Text, "");
                       EXPECT_EQ(Form10->Panel2->Color(), clBtnFace);
                     }},
        SequenceCase{"SuspendWithStreamAndButtonMode",
                     [](TForm1& l) {
                       l.Options.sdcont = 1;
                       l.Options.btncont = 1;
                       PollingActive = 1;
                     },
                     [](TForm1& l) { EXPECT_EQ(l.SuspendDeviceOutput(), 0); },
                     {{CMD_VALUE_STREAM, 0}, {CMD_ADC_BTN, 0}, {CMD_HOLD_CYCLIC, 0}},
                     [](TForm1& l) {
                       EXPECT_EQ(l.Options.sdcont, 0);
                       EXPECT_EQ(l.Options.btncont, 0);
                       EXPECT_EQ(PollingActive, 0);
                     }},
        SequenceCase{"ResumeWithNothingRunning", nullptr, [](TForm1& l) { EXPECT_EQ(l.ResumeDeviceOutput(), 0); },
                     {{CMD_HOLD_CYCLIC, 1}}, nullptr},
        SequenceCase{"ResumeWithButtonMode", [](TForm1& l) { l.Options.btncont = 1; },
                     [](TForm1& l) { l.ResumeDeviceOutput(); }, {{CMD_ADC_BTN, 0}, {CMD_HOLD_CYCLIC, 1}},
                     [](TForm1& l) { EXPECT_EQ(l.Options.btncont, 0); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DeviceOperations, TheHoldReachesTheDeviceBeforeWhatTheCallerQueuesNext) {
  link().SuspendDeviceOutput();
  EXPECT_TRUE(sim_.Model(1).cyclicHeld);
  const uint8_t read[5] = {0x00, 0x08, 0x00, 0x00, 0x10};
  link().BlockLength = 0x10;
  ASSERT_TRUE(link().QueueRequest(1, CMD_BLOCK_READ, read, 5, 0, 1));
  ASSERT_TRUE(link().WaitUntilIdle());
  const auto requests = ReceivedRequests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0], (Request{CMD_HOLD_CYCLIC, 0}));
  EXPECT_EQ(requests[1][0], CMD_BLOCK_READ);
  EXPECT_EQ(link().CommErrorCount, 0) << "the hold was answered";
}

TEST_F(DeviceOperations, TheDeviceClockGetsThePcsLocalTimeInBinary) {
  const std::time_t before = std::time(nullptr);
  link().SetDeviceClock();
  ASSERT_TRUE(AwaitRequests(1));
  const Request r = ReceivedRequests().front();
  ASSERT_EQ(r.size(), 8u);
  EXPECT_EQ(r[0], CMD_SET_CLOCK);
  std::tm t{};
  localtime_r(&before, &t);
  // Seconds and minutes may have moved on; the rest is that of the call.
  EXPECT_LE(r[1], 59);
  EXPECT_LE(r[2], 59);
  if (t.tm_min != 59) {
    EXPECT_EQ(r[3], t.tm_hour);
    EXPECT_EQ(r[4], t.tm_mday);
    EXPECT_EQ(r[5], t.tm_mon + 1);
    EXPECT_EQ(r[6], t.tm_year % 100);
    EXPECT_EQ(r[7], t.tm_wday);
  }
}

TEST_F(DeviceOperations, TheAdcValueStreamRunsWithoutTheQueueAndStopsAgain) {
  sim_.WithDevice(1, [](devsim::DeviceModel& m) {
    m.streamValue = 1000;
    m.streamStep = 1;
    m.streamIntervalMs = 30;
  });
  link().StartContinuousOutput(0);
  EXPECT_EQ(link().Options.sdcont, 1);
  EXPECT_FALSE(link().Timer1->Enabled());
  // The display timer takes the values that the reception stores.
  ASSERT_TRUE(PumpUntil([&] { return link().StreamRing[0] >= 1000 && !link().StatusBar1->Panel(7).Text.empty(); }));
  // Requests wait while the stream runs.
  EXPECT_FALSE(link().QueueRequest(1, CMD_ADC_INFO, nullptr, 0, 0, 1));

  link().StopContinuousOutput(0);
  EXPECT_EQ(link().Options.sdcont, 0);
  EXPECT_FALSE(link().Timer3->Enabled());
  EXPECT_EQ(link().StatusBar1->Panel(7).Text, "");
  ASSERT_TRUE(PumpUntil([&] { return !sim_.Model(1).streamRunning; }));
  sim_.Log().Clear();
  ASSERT_TRUE(link().QueueRequest(1, CMD_ADC_INFO, nullptr, 0, 0, 1));
  ASSERT_TRUE(link().WaitUntilIdle());
  EXPECT_EQ(link().TransferFailed, 0);
}

TEST_F(DeviceOperations, DeviceInformationIsReadItemByItemAndShown) {
  sim_.WithDevice(1, [](devsim::DeviceModel& m) { m.setupBackupPresent = true; });
  link().ReadDeviceInfo();
  ASSERT_TRUE(AwaitRequests(12));
  const std::vector<Request> expected = {
      {CMD_IDENT_DATA, 1, 0xFF}, {CMD_IDENT_DATA, 1, 4}, {CMD_IDENT_DATA, 1, 5}, {CMD_IDENT_DATA, 1, 7},
      {CMD_IDENT_DATA, 1, 6},    {CMD_IDENT_DATA, 1, 8}, {CMD_IDENT_DATA, 1, 9}, {CMD_IDENT_DATA, 1, 0},
      {CMD_IDENT_DATA, 1, 1},    {CMD_IDENT_DATA, 1, 2}, {CMD_IDENT_DATA, 1, 3}, {CMD_READ_CLOCK}};
  EXPECT_EQ(ReceivedRequests(), expected);
  EXPECT_EQ(link().Label_VD417_FW->Caption(), "VD417.21");
  EXPECT_EQ(link().Label_VD417_FV->Caption(), "V1.0.12");
  EXPECT_EQ(link().Label_VD417_FD->Caption(), "15.01.2024");
  EXPECT_EQ(link().Label_VD417_HW->Caption(), "1001");
  EXPECT_EQ(link().Label_EXB_FW->Caption(), "1.4");
  EXPECT_EQ(link().Label_EXB_HW->Caption(), "001");
  EXPECT_EQ(link().Label_VD417_IT->Caption(), "VD417 Simulator");
  EXPECT_EQ(link().Label_VD417_SN->Caption(), "00012345");
  EXPECT_EQ(link().Label_VD417_PD->Caption(), "0124");
  EXPECT_EQ(link().DeviceInfoRead, 1);
  EXPECT_TRUE(service().SetupRestore1->Enabled());
  EXPECT_TRUE(Form3->Button58->Enabled());
}

TEST_F(DeviceOperations, AnotherSerialNumberMakesTheSetupCopyInvalidTheSameOneKeepsIt) {
  struct Step {
    const char* serial;
    int setupPresentAfter;
  };
  // The first read of a run compares with nothing.
  const Step steps[] = {{"00012345", 0}, {"00012345", 1}, {"00099999", 0}};
  for (const Step& s : steps) {
    SCOPED_TRACE(s.serial);
    sim_.WithDevice(1, [&](devsim::DeviceModel& m) { m.serialNumber = s.serial; });
    link().SetupPresent = 1;
    link().ReadDeviceInfo();
    EXPECT_EQ(link().SetupPresent, s.setupPresentAfter);
    EXPECT_EQ(link().LastSerialNumber, s.serial);
  }
}

TEST_F(DeviceOperations, ADeviceWithoutExtensionBoardOrBackupLeavesThoseControls) {
  sim_.WithDevice(1, [](devsim::DeviceModel& m) {
    m.exbVersion = {0, 0, 0, 0, 0};
    m.setupBackupPresent = false;
  });
  link().Label_EXB_FW->SetCaption("-");
  link().Label_EXB_HW->SetCaption("-");
  service().SetupRestore1->SetEnabled(true);
  link().ReadDeviceInfo();
  EXPECT_EQ(link().Label_EXB_FW->Caption(), "-");
  EXPECT_EQ(link().Label_EXB_HW->Caption(), "-");
  EXPECT_FALSE(service().SetupRestore1->Enabled());
}

TEST_F(DeviceOperations, TheProfibusStateIsShownByNumberNameColourAndRadioButton) {
  // The Profibus test panel's state display.
  const std::array<TRadioButton*, 4> radios = {Form14->RadioButton1, Form14->RadioButton2, Form14->RadioButton3,
                                               Form14->RadioButton4};
  struct Case {
    uint8_t state;
    const char* number;
    const char* name;
    TColor colour;
  };
  const Case cases[] = {{0, "00", "WAIT PRM", clBlack},
                        {1, "01", "WAIT CFG", clBlack},
                        {2, "02", "DATA EX", clGreen},
                        {3, "03", "ERROR", clRed}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    sim_.WithDevice(1, [&](devsim::DeviceModel& m) { m.profibusState = c.state; });
    link().ShowProfibusState();
    EXPECT_EQ(link().Label4->Caption(), c.number);
    EXPECT_EQ(link().Label1->Caption(), c.name);
    EXPECT_EQ(link().Label4->Font().Color(), c.colour);
    for (size_t i = 0; i < radios.size(); ++i) EXPECT_EQ(radios[i]->Checked(), i == c.state) << i;
  }
  EXPECT_EQ(ReceivedRequests().back(), (Request{CMD_PROFIBUS, 0, 0, 0}));

  // A state outside the four changes nothing.
  sim_.WithDevice(1, [](devsim::DeviceModel& m) { m.profibusState = 7; });
  link().ShowProfibusState();
  EXPECT_EQ(link().Label4->Caption(), "03");
  EXPECT_EQ(link().Label1->Caption(), "ERROR");
  EXPECT_TRUE(radios[3]->Checked());
  // An unanswered request leaves no state shown.
  sim_.InjectFault(1, Fault(FaultKind::NoAnswer).On(CMD_PROFIBUS).Times(2));
  link().ShowProfibusState();
  EXPECT_EQ(link().TransferFailed, 1);
  EXPECT_EQ(link().Label4->Caption(), "-");
  EXPECT_EQ(link().Label1->Caption(), "-");
  for (TRadioButton* radio : radios) EXPECT_FALSE(radio->Checked()) << radio->Name();
}

TEST_F(DeviceOperations, ThePortNameReachesBothStatusBarsForCom1ToCom16Only) {
  struct Case {
    const char* port;
    const char* shown;
  };
  const Case cases[] = {{"COM12", "COM12"}, {"COM1", "COM1"}, {"COM17", "before"}, {"/dev/ttyUSB0", "before"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.port);
    link().StatusBar1->SetPanelText(0, "before");
    service().StatusBar1->SetPanelText(0, "before");
    link().ComPort1->SetPort(c.port);
    link().FindComPortNumber();
    EXPECT_EQ(link().StatusBar1->Panel(0).Text, c.shown);
    EXPECT_EQ(service().StatusBar1->Panel(0).Text, c.shown);
  }
}

TEST_F(DeviceOperations, TheDeviceSearchMarksThePresentAddressesAfterItsListeningWindow) {
  // The devices answer one after another; the listening window must take all of them in at real time.
  platform::Clock::SetScale(1.0);
  sim_.AddDevice(3);
  sim_.AddDevice(5);
  ServiceConnected = 1;
  link().SearchDevices();
  EXPECT_EQ(ServiceConnected, 0) << "the service window is disconnected first";
  ASSERT_TRUE(PumpUntil([&] { return link().PendingCount == 0 && !Form9->Label20->Visible(); }));
  for (int address : {1, 3, 5}) EXPECT_EQ(link().RequestQueues[static_cast<size_t>(address)].Present, 1) << address;
  for (int address : {2, 4, 6}) EXPECT_EQ(link().RequestQueues[static_cast<size_t>(address)].Present, 0) << address;
  EXPECT_TRUE(Form9->PresenceBoxes[4]->Checked());
  EXPECT_TRUE(Form9->Button18->Enabled());
  const auto frames = Received();
  ASSERT_EQ(frames.size(), 2u);
  // The disconnect starts the device's value stream again before the search goes out.
  EXPECT_EQ(frames[0][3], CMD_VALUE_STREAM);
  EXPECT_EQ(frames[1][1], ADDR_GLOBAL);
  EXPECT_EQ(frames[1][3], CMD_SEARCH_DEVICES);
}

TEST_F(DeviceOperations, FlushingDropsEveryQueuedRequestAndEndsThePolling) {
  for (uint8_t command : {CMD_ADC_INFO, CMD_READ_CLOCK, CMD_ADC_STATE})
    ASSERT_TRUE(link().QueueRequest(1, command, nullptr, 0, 0, 1));
  PollingActive = 1;
  link().FlushLink();
  EXPECT_EQ(link().PendingCount, 0);
  EXPECT_EQ(PollingActive, 0);
  // Nothing of what was dropped goes out later.
  ASSERT_TRUE(link().QueueRequest(1, CMD_ERROR_CODES, std::array<uint8_t, 2>{1, 0}.data(), 2, 0, 1));
  ASSERT_TRUE(link().WaitUntilIdle());
  EXPECT_EQ(ReceivedRequests(), (std::vector<Request>{{CMD_ERROR_CODES, 1, 0}}));
}

TEST_F(DeviceOperations, APollOfTheBusForgetsOldMarksAndSearchesThreeTimes) {
  platform::Clock::SetScale(1.0);  // each listening window at real time
  sim_.AddDevice(4);
  link().RequestQueues[2].Present = 1;
  Form9->PresenceBoxes[1]->SetChecked(true);
  link().DeviceAddress = 4;
  Form9->PollDevices();
  EXPECT_EQ(link().RequestQueues[2].Present, 0);
  EXPECT_FALSE(Form9->PresenceBoxes[1]->Checked());
  EXPECT_EQ(Form9->AddressPanels[3]->Color(), clGreen);
  EXPECT_EQ(service().Edit5->Text(), "4");
  ASSERT_TRUE(PumpUntil([&] { return link().PendingCount == 0 && Received().size() == 3; }));
  ASSERT_TRUE(PumpUntil([&] { return Form9->Button18->Enabled(); }));
  EXPECT_EQ(link().RequestQueues[1].Present, 1);
  EXPECT_EQ(link().RequestQueues[4].Present, 1);
  EXPECT_TRUE(Form9->PresenceBoxes[3]->Checked());
  for (const auto& frame : Received()) EXPECT_EQ(frame[3], CMD_SEARCH_DEVICES);
}

TEST_F(DeviceOperations, TheRestartResetsTheDeviceAndTakesTheAddressOfTheServiceWindow) {
  sim_.AddDevice(3);
  link().SoftResetRequested = 1;
  service().Edit5->SetText("3");
  ServiceConnected = 1;
  service().RestartAndReconnect();
  EXPECT_EQ(ReceivedRequests().front(), (Request{CMD_RESET, 1}));
  EXPECT_EQ(link().SoftResetRequested, 0);
  EXPECT_EQ(link().DeviceAddress, 3);
  EXPECT_EQ(link().RequestQueues[1].Present, 0);
  EXPECT_EQ(link().RequestQueues[3].Present, 1);
  EXPECT_TRUE(Form9->PresenceBoxes[2]->Checked());
  EXPECT_EQ(link().Label16->Caption(), "3");
  // The restart connects the service window again, to the new address.
  EXPECT_EQ(ServiceConnected, 1);
  service().Button1Click(nullptr);
}

struct BaudCase {
  const char* name;
  int silentProbes;  // probes the device does not answer
  uint8_t result;
  int baud;
  std::vector<std::string> boxes;
  const char* status;  // nullptr: the communication error's display takes the status line
};

void PrintTo(const BaudCase& c, std::ostream* os) { *os << c.name; }

class BaudRateSearch : public DeviceOperations, public ::testing::WithParamInterface<BaudCase> {};

TEST_P(BaudRateSearch, ProbesTheRatesInOrderAndKeepsTheOneThatAnswers) {
  const BaudCase& c = GetParam();
  if (c.silentProbes > 0)
    sim_.InjectFault(1, Fault(FaultKind::NoAnswer).On(CMD_FACTORY_DATA).Times(2 * c.silentProbes));
  for (size_t i = 0; i < c.boxes.size(); ++i) dialogs_.Answer(IDOK);
  EXPECT_EQ(link().SearchBaudRate(), c.result);
  EXPECT_EQ(link().ComPort1->BaudRate(), c.baud);
  std::vector<std::string> shown;
  for (const auto& box : dialogs_.Boxes()) shown.push_back(box.request.text);
  EXPECT_EQ(shown, c.boxes);
  if (c.status != nullptr) {
    EXPECT_EQ(service().Label14->Caption(), c.status);
  }
  size_t probes = 0;
  for (const auto& r : ReceivedRequests())
    if (r == Request{CMD_FACTORY_DATA, 0xFF}) ++probes;
  EXPECT_EQ(probes, static_cast<size_t>(2 * std::min(c.silentProbes, 7) + (c.result == 0 ? 1 : 0)));
}

INSTANTIATE_TEST_SUITE_P(
    Rates, BaudRateSearch,
    ::testing::Values(BaudCase{"atThePresentRate", 0, 0, 9600, {}, "Suche Gerät."},
                      BaudCase{"at14400", 2, 0, 14400, {}, "Suche Gerät..."},
                      // The third silent probe in a row is a communication error of the link.
                      BaudCase{"at19200", 3, 0, 19200, {"Kommunikationsfehler PC<->Gerät (Adr.:1)!"}, nullptr},
                      BaudCase{"none",
                               7,
                               1,
                               9600,
                               {"Kommunikationsfehler PC<->Gerät (Adr.:1)!", "Kommunikationsfehler PC<->Gerät (Adr.:1)!",
                                "COM-Baudrate nicht erkannt!\nBitte die Baudrate manuell einstellen!"},
                               nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
