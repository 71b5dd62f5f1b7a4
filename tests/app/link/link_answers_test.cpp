// The answer handling against the simulated device: the fields each answer
// fills, the texts and boxes it shows.
#include "tests/app/link/link_fixture.h"
#include "tests/sim/device/weight_text.h"

namespace {

using devsim::Fault;
using devsim::FaultKind;

// Data bytes of the last reply that the device sent.
std::vector<uint8_t> LastReplyData(const devsim::DeviceSimulator& sim) {
  const auto sent = sim.Log().Entries(devsim::Direction::Sent);
  if (sent.empty()) return {};
  const std::vector<uint8_t>& f = sent.back().bytes;
  return std::vector<uint8_t>(f.begin() + 6, f.end() - 3);
}

TEST_F(LinkTest, WeightAnswersFillTheWeightTextOrTheSumText) {
  sim_.WithDevice(1, [](devsim::DeviceModel& m) {
    m.channels[0].load = 12.5;
    m.channels[1].load = 3.0;
  });
  const devsim::DeviceModel model = sim_.Model(1);
  link().WeightTextS = "old";
  ASSERT_TRUE(Request(CMD_READ_WEIGHT, {0x00, 0x01}));
  EXPECT_EQ(link().WeightText, devsim::ChannelWeightText(model, 1));
  EXPECT_EQ(link().WeightTextReady, 1);
  EXPECT_EQ(link().WeightTextS, "");
  EXPECT_EQ(link().WeightTextSReady, 0);

  ASSERT_TRUE(Request(CMD_READ_WEIGHT, {0x14}));
  EXPECT_EQ(link().WeightTextS, devsim::SumWeightText(model));
  EXPECT_EQ(link().WeightTextSReady, 1);
  EXPECT_EQ(link().WeightText, "");
  EXPECT_EQ(link().WeightTextReady, 0);

  // With the checksum off the text is the data as well.
  link().Options.csum = 0;
  devsim::DeviceSimulator plain(devsim::SimOptions{devsim::Framing{true, false}});
  plain.AddDevice(1);
  link().ComPort1->SetPort(plain.SlavePath());
  ASSERT_TRUE(Request(CMD_READ_WEIGHT, {0x00, 0x01}));
  EXPECT_EQ(link().TransferFailed, 0);
  EXPECT_EQ(link().WeightText, devsim::ChannelWeightText(plain.Model(1), 1));
  link().ComPort1->Close();
  link().ComPort1->SetPort(sim_.SlavePath());
}

TEST_F(LinkTest, IdentificationItemsFillTheirFields) {
  struct Case {
    uint8_t item;
    std::function<void()> check;
  };
  const std::vector<Case> cases = {
      {0, [&] { EXPECT_EQ(link().InfoText, "VD417 Simulator"); }},
      {1, [&] { EXPECT_EQ(link().SerialNumberText, "00012345"); }},
      {2, [&] { EXPECT_EQ(link().ProductionDateText, "0124"); }},
      {3,
       [&] {
         EXPECT_EQ(link().DeviceVariant, 21);
         EXPECT_EQ(link().SetupImage[716 + 14], 21);  // variant byte of the factory data
       }},
      {4, [&] { EXPECT_EQ(link().FirmwareIdText, "VD417"); }},
      {5, [&] { EXPECT_EQ(link().FirmwareVersionText, "V1.0.12"); }},
      {6, [&] { EXPECT_EQ(link().FirmwareDateText, "15.01.2024"); }},
      {7, [&] { EXPECT_EQ(link().HardwareVersionText, "1001"); }},
      {8,
       [&] {
         EXPECT_EQ(link().ExbVersion, (std::array<uint8_t, 5>{1, 4, 0, 0, 1}));
       }},
      {9, [&] { EXPECT_EQ(link().SetupBackupPresent, 0); }},
      {0xFF,
       [&] {
         EXPECT_EQ(link().FirmwareType, 2);
         EXPECT_EQ(link().FirmwareTypeMismatch, 0);
         EXPECT_EQ(link().StatusBar1->Panel(11).Text, "SW 0x02");
       }},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(Request(CMD_IDENT_DATA, {0x01, c.item})) << int(c.item);
    EXPECT_EQ(link().TransferFailed, 0) << int(c.item);
    c.check();
  }
  // Firmware type 1 is reported as incompatible.
  sim_.WithDevice(1, [](devsim::DeviceModel& m) { m.firmwareType = 1; });
  dialogs_.Answer(IDOK);
  Request(CMD_IDENT_DATA, {0x01, 0xFF});
  EXPECT_EQ(link().FirmwareTypeMismatch, 1);
  ASSERT_EQ(dialogs_.Boxes().size(), 1u);
  EXPECT_EQ(dialogs_.Boxes()[0].request.text, "Programm ist nicht kompatibel zur Firmware 0x01!");
  EXPECT_EQ(dialogs_.Boxes()[0].request.title, "HINWEIS");
}

TEST_F(LinkTest, ClockErrorBytesAndLogEntriesFillTheirFields) {
  ASSERT_TRUE(Request(CMD_READ_CLOCK));
  const std::vector<uint8_t> clock = LastReplyData(sim_);
  ASSERT_EQ(clock.size(), 10u);
  EXPECT_TRUE(std::equal(clock.begin(), clock.end(), link().DeviceClock.begin()));

  sim_.WithDevice(1, [](devsim::DeviceModel& m) { m.errorCodes = {0x12, 0x00}; });
  ASSERT_TRUE(Request(CMD_ERROR_CODES, {0x01, 0x00}));
  EXPECT_EQ(link().ErrorCodes, (std::array<uint8_t, 2>{0x12, 0x00}));
  EXPECT_EQ(link().Label9->Caption(), "12 00");
  EXPECT_EQ(link().Label9->Font().Color(), clRed);
  EXPECT_EQ(link().Label13->Caption(), "Fehler");
  EXPECT_TRUE(Form21->Label12->Visible());

  sim_.WithDevice(1, [](devsim::DeviceModel& m) {
    m.logEntries = {static_cast<int32_t>(0xFF800100u), 0x123400};
    m.logHeader = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    m.ringCounter = 0x01020304;
  });
  ASSERT_TRUE(Request(CMD_LOG_MEMORY, {0x04, 0x00, 0x00}));
  EXPECT_EQ(static_cast<uint32_t>(link().LogEntryValue), 0xFF800100u);
  ASSERT_TRUE(Request(CMD_LOG_MEMORY, {0x04, 0x00, 0x01}));
  EXPECT_EQ(link().LogEntryValue, 0x123400);
  ASSERT_TRUE(Request(CMD_LOG_MEMORY, {0x03}));
  EXPECT_EQ(link().LogMaxPointer, 2);
  ASSERT_TRUE(Request(CMD_LOG_MEMORY, {0x05}));
  EXPECT_EQ(link().LogHeader, (std::array<uint8_t, 10>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
  ASSERT_TRUE(Request(CMD_LOG_MEMORY, {0x63}));
  EXPECT_EQ(link().LogRingCounter, 0x01020304u);
}

TEST_F(LinkTest, AdcAnswersFillTheirValuesAndReadyFlags) {
  sim_.WithDevice(1, [](devsim::DeviceModel& m) {
    m.channels[0].adcRaw = -5;
    m.channels[0].adcScaled = 1.0f;
    m.channels[0].adcMin = -1234;
    m.channels[0].millivoltPerVolt = 1.5;
    m.adcFunction = 3;
  });
  ASSERT_TRUE(Request(CMD_ADC_RAW, {1}));
  EXPECT_EQ(link().AdcRawValue, -5);
  EXPECT_EQ(link().AdcChannelAnswer, 1);
  EXPECT_EQ(link().AdcRawReady, 1);
  ASSERT_TRUE(Request(CMD_ADC_SCALED, {1}));
  float scaled;
  std::memcpy(&scaled, &link().AdcScaledSwapped, 4);
  EXPECT_FLOAT_EQ(scaled, 1.0f);
  EXPECT_EQ(link().AdcScaledReady, 1);
  ASSERT_TRUE(Request(CMD_ADC_MIN_MAX, {1, 0, 0}));
  EXPECT_EQ(link().AdcMinMaxValue, -1234);
  ASSERT_TRUE(Request(CMD_ADC_MIN_MAX, {1, 0, 1}));
  EXPECT_EQ(link().AdcMinMaxText, "-1234");
  ASSERT_TRUE(Request(CMD_ADC_MILLIVOLT, {1, 1}));
  EXPECT_EQ(link().AdcMillivoltText, "+1.50000");
  EXPECT_EQ(link().AdcChannelAnswer, 0);
  ASSERT_TRUE(Request(CMD_ADC_STATE));
  EXPECT_EQ(link().AdcFunctionState, 3);
  sim_.WithDevice(1, [](devsim::DeviceModel& m) { m.adcMode = 1; });
  ASSERT_TRUE(Request(CMD_ADC_INFO));
  EXPECT_EQ(link().StatusBar1->Panel(10).Text, "SINGLE");
  EXPECT_EQ(Form21->StatusBar1->Panel(3).Text, "SINGLE");
}

TEST_F(LinkTest, OkBoxesAppearOnlyWhenTheDeviceReportedNoError) {
  dialogs_.Answer(IDOK);
  ASSERT_TRUE(Request(CMD_LOAD_DEFAULTS));
  ASSERT_EQ(dialogs_.Boxes().size(), 1u);
  EXPECT_EQ(dialogs_.Boxes()[0].request.text, "OK!");
  EXPECT_EQ(dialogs_.Boxes()[0].request.title, "HINWEIS");
  EXPECT_EQ(dialogs_.Boxes()[0].request.icon, BoxIcon::Information);

  // The device refuses: no "OK!", and the caller sees the error flag.
  for (uint8_t command : {CMD_LOAD_DEFAULTS, CMD_SETUP_ACTIVE, CMD_RUNTIME_TO_EEPROM, CMD_CAL_ZERO}) {
    sim_.InjectFault(1, Fault(FaultKind::ErrorStatus).On(command));
    ASSERT_TRUE(Request(command, {1}));
    EXPECT_EQ(link().DeviceErrorFlag, 1) << int(command);
    EXPECT_EQ(link().TransferFailed, 0) << int(command);
  }
  EXPECT_EQ(dialogs_.Boxes().size(), 1u);

  // The set-up checksum test reports its failure.
  sim_.InjectFault(1, Fault(FaultKind::ErrorStatus).On(CMD_SETUP_CHECKSUM_TEST));
  dialogs_.Answer(IDOK);
  Request(CMD_SETUP_CHECKSUM_TEST);
  ASSERT_EQ(dialogs_.Boxes().size(), 2u);
  EXPECT_EQ(dialogs_.Boxes()[1].request.text, "VD417-CSum ERROR!");
  EXPECT_EQ(dialogs_.Boxes()[1].request.title, "FEHLER");
  // The baud-rate probe shows nothing.
  Request(CMD_FACTORY_DATA, {0xFF});
  EXPECT_EQ(dialogs_.Boxes().size(), 2u);
}

TEST_F(LinkTest, StatusBitsShowTheirTextsAndTheDefaultSetupBoxOnce) {
  link().Options.lang = 1;
  sim_.WithDevice(
      1, [](devsim::DeviceModel& m) { m.statusBits = DEVICE_STATUS_OVERLOAD | DEVICE_STATUS_LOAD_CELL_ERROR; });
  Request(CMD_ADC_INFO);
  EXPECT_EQ(Form21->Label18->Caption(), "OVERLOAD");
  EXPECT_EQ(Form21->Label22->Caption(), "LOAD-CELL ERROR");
  EXPECT_EQ(link().Label35->Caption(), "0x14");

  sim_.WithDevice(1,
                  [](devsim::DeviceModel& m) { m.statusBits = DEVICE_STATUS_UNDERLOAD | DEVICE_STATUS_DEFAULT_SETUP; });
  dialogs_.Answer(IDOK);
  Request(CMD_ADC_INFO);
  Request(CMD_ADC_INFO);
  EXPECT_EQ(Form21->Label18->Caption(), "UNDERLOAD");
  EXPECT_EQ(Form21->Label22->Caption(), "");
  ASSERT_EQ(dialogs_.Boxes().size(), 1u);
  EXPECT_EQ(dialogs_.Boxes()[0].request.text, "Device uses default setup!");
  EXPECT_EQ(dialogs_.Boxes()[0].request.title, "HINT");
  // A reply without the bit, then one with it: shown again.
  sim_.WithDevice(1, [](devsim::DeviceModel& m) { m.statusBits = 0; });
  Request(CMD_ADC_INFO);
  sim_.WithDevice(1, [](devsim::DeviceModel& m) { m.statusBits = DEVICE_STATUS_DEFAULT_SETUP; });
  dialogs_.Answer(IDOK);
  Request(CMD_ADC_INFO);
  EXPECT_EQ(dialogs_.Boxes().size(), 2u);
}

TEST_F(LinkTest, AnErrorReplyStaysAnErrorWhateverItsStatusByte) {
  sim_.InjectFault(1, Fault(FaultKind::ErrorMark).On(CMD_ADC_STATE));
  ASSERT_TRUE(Request(CMD_ADC_STATE));
  EXPECT_EQ(link().DeviceErrorFlag, 1);
  EXPECT_EQ(link().Label13->Caption(), "FEHLER");
  EXPECT_EQ(link().PendingCount, 0);
}

TEST_F(LinkTest, TheValueStreamFillsTheStreamRing) {
  sim_.WithDevice(1, [](devsim::DeviceModel& m) {
    m.streamValue = 1000;
    m.streamStep = 1;
    m.streamIntervalMs = 5;
  });
  ASSERT_TRUE(Request(CMD_VALUE_STREAM, {1, 0}));
  link().Timer1->SetEnabled(false);  // as the start of the stream output does, until the next request
  EXPECT_EQ(link().Options.sdcont, 1);
  ASSERT_TRUE(PumpUntil([&] { return link().StreamIndex >= 5; }));
  // Frames that came before the answer switched the reception over are not values.
  EXPECT_GE(link().StreamRing[0], 1000);
  for (int i = 1; i < 5; ++i)
    EXPECT_EQ(link().StreamRing[static_cast<size_t>(i)], link().StreamRing[static_cast<size_t>(i - 1)] + 1);
  // Other requests wait until the stream is stopped; the stop itself goes out.
  EXPECT_FALSE(link().QueueRequest(1, CMD_ADC_INFO, nullptr, 0, 0, 1));
  const uint8_t stop[] = {0, 0};
  EXPECT_TRUE(link().QueueRequest(1, CMD_VALUE_STREAM, stop, 2, 0, 0));
  link().Options.sdcont = 0;
  link().WaitUntilIdle();
  EXPECT_TRUE(PumpUntil([&] { return !sim_.Model(1).streamRunning; }));
}

// Without the checksum a stream frame is four bytes: too short for a value.
class PlainStreamTest : public LinkTest {
 protected:
  PlainStreamTest() : LinkTest(devsim::SimOptions{devsim::Framing{true, false}}) {}
};

TEST_F(PlainStreamTest, StreamFramesWithoutRoomForAValueStoreNone) {
  link().Options.csum = 0;
  sim_.WithDevice(1, [](devsim::DeviceModel& m) { m.streamIntervalMs = 5; });
  ASSERT_TRUE(Request(CMD_VALUE_STREAM, {1, 0}));
  link().Timer1->SetEnabled(false);
  ASSERT_EQ(link().Options.sdcont, 1);
  const size_t before = sim_.Log().Entries(devsim::Direction::Sent).size();
  ASSERT_TRUE(PumpUntil([&] { return sim_.Log().Entries(devsim::Direction::Sent).size() >= before + 10; }));
  // Let the port deliver what has been sent.
  ASSERT_TRUE(PumpUntil([&] { return link().ComPort1->InputCount() == 0; }));
  EXPECT_EQ(link().StreamIndex, 0);
}

}  // namespace
