// Connecting the service window to the simulated device: identification,
// identity, set-up read, the refusals, the demo connection, and the
// disconnect that ends the polling.
#include "tests/app/service/service_fixture.h"

namespace {

using devsim::Fault;
using devsim::FaultKind;
using devsim::kForever;

class ServiceConnect : public ServiceTest {};

TEST_F(ServiceConnect, IdentifiesShowsTheDeviceReadsTheSetupAndPolls) {
  Connect();
  EXPECT_EQ(window().Label8->Caption(), "VD417.21     FW-Ver.:V1.0.12     15.01.2024");
  EXPECT_EQ(window().Label9->Caption(), "S/N: 00012345   HW-Ver.: 1001   Prod.-datum: 0124");
  // The connect read the whole set-up, since none was there.
  EXPECT_EQ(link().SetupPresent, 1);
  EXPECT_EQ(window().SetupReadDone, 1);
  EXPECT_TRUE(window().Button4->Enabled());
  EXPECT_FALSE(ReceivedOf(CMD_BLOCK_READ).empty());
  EXPECT_EQ(ReceivedOf(CMD_SET_CLOCK).size(), 1u);
  // Two channels: both weights and both zero buttons.
  EXPECT_TRUE(window().Label21->Visible());
  EXPECT_TRUE(window().Button7->Visible());
  EXPECT_TRUE(window().Panel1->Visible());
  EXPECT_TRUE(window().Kanal2->Enabled());

  ASSERT_TRUE(PumpUntil([&] { return window().Label11->Caption() == "1 :      12.50"; }));
  EXPECT_EQ(window().Label21->Caption(), "2 :       3.00");
  EXPECT_EQ(window().Label13->Caption(), "Netto-Mode");
  EXPECT_EQ(window().Label14->Caption(), "Gerät - Meßwertübernahme...");
  // The polling goes on: a new load shows up, net and then gross.
  sim_.WithDevice(1, [](devsim::DeviceModel& m) {
    m.channels[0].tare = 2.0;
    m.channels[1].load = -1.25;
  });
  ASSERT_TRUE(PumpUntil([&] { return window().Label11->Caption() == "1 :      10.50"; }));
  EXPECT_EQ(window().Label21->Caption(), "2 :       1.25");
  window().Brutto1Click(nullptr);
  ASSERT_TRUE(PumpUntil([&] { return window().Label11->Caption() == "1 :      12.50"; }));
  EXPECT_EQ(window().Label13->Caption(), "Brutto-Mode");
  for (const auto& frame : ReceivedOf(CMD_READ_WEIGHT)) EXPECT_EQ(DataOf(frame), std::vector<uint8_t>{0x0A});
  EXPECT_TRUE(dialogs_.Boxes().empty());
}

TEST_F(ServiceConnect, AOneChannelDeviceHidesChannelTwo) {
  sim_.WithDevice(1, [](devsim::DeviceModel& m) { m.channelCount = 1; });
  Connect();
  EXPECT_FALSE(window().CheckBox1->Checked());
  EXPECT_FALSE(window().Panel1->Visible());
  EXPECT_FALSE(window().Kanal2->Enabled());
  EXPECT_FALSE(window().Label21->Visible());
  EXPECT_FALSE(window().Button7->Visible());
  EXPECT_FALSE(window().ParameterKanal12->Visible());
  ASSERT_TRUE(PumpUntil([&] { return window().Label11->Caption() == "1 :      12.50"; }));
}

TEST_F(ServiceConnect, DisconnectEndsThePolling) {
  Connect();
  ASSERT_TRUE(AwaitRequests(CMD_READ_WEIGHT, 2));
  window().Button1->Click();
  EXPECT_EQ(ServiceConnected, 0);
  EXPECT_EQ(PollingActive, 0);
  EXPECT_EQ(window().Button1->Caption(), "Verbinden");
  EXPECT_TRUE(window().Button1->Enabled());
  EXPECT_FALSE(window().Label11->Visible());
  EXPECT_EQ(window().Label8->Caption(), "");
  EXPECT_EQ(window().Label14->Caption(), "");
  // The device streams its values again.
  EXPECT_EQ(CountOf(CMD_VALUE_STREAM, {1, 2}), 1u);

  // While two further requests of another kind go out, no weight is asked for.
  const size_t weights = CountOf(CMD_READ_WEIGHT);
  for (int i = 0; i < 2; ++i) ASSERT_TRUE(Request(CMD_ERROR_CODES, {1, 0}));
  ASSERT_TRUE(PumpUntil([&] { return CountOf(CMD_ERROR_CODES) >= 2; }));
  EXPECT_EQ(CountOf(CMD_READ_WEIGHT), weights);
}

struct Refusal {
  const char* name;
  std::function<void(devsim::DeviceSimulator&)> prepare;
  std::vector<std::string> boxes;  // texts of the boxes, in order
  const char* status;
};

void PrintTo(const Refusal& c, std::ostream* os) { *os << c.name; }

const char* const kFirmwareWarning =
    "WARNUNG!\nDiese Programm-Version ist nicht kompatibel mit einer Geräte-Firmware < V1.0.6!\n"
    "Bitte eine Programm-Version < V1.1.6 verwenden.";

const Refusal kRefusals[] = {
    {"FirmwareBelow106",
     [](devsim::DeviceSimulator& sim) { sim.WithDevice(1, [](devsim::DeviceModel& m) { m.firmwareVersion = "V1.0.5"; }); },
     {kFirmwareWarning}, "Firmware-Kompatibilitätsfehler!"},
    {"EarlyFirmwareLine",
     [](devsim::DeviceSimulator& sim) { sim.WithDevice(1, [](devsim::DeviceModel& m) { m.firmwareVersion = "V0.0.8"; }); },
     {kFirmwareWarning}, "Firmware-Kompatibilitätsfehler!"},
    // The identification's own message; the connect adds none.
    {"SilentDevice", [](devsim::DeviceSimulator& sim) { sim.InjectFault(1, Fault(FaultKind::NoAnswer).Times(kForever)); },
     {"Gerät nicht ansprechbar!\nBitte Einstellungen der seriellen Schnittstelle prüfen (Port und Baudrate)."},
     "Fehler bei Verbinden mit Gerät!"},
    {"VariantOfAnotherProgram",
     [](devsim::DeviceSimulator& sim) { sim.WithDevice(1, [](devsim::DeviceModel& m) { m.variant = 4; }); },
     {"Falsche Gerätevariante! (Variante: 4) -> Abbruch!"}, "Fehler bei Verbinden mit Gerät!"},
};

class RefusedConnect : public ServiceTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(RefusedConnect, StaysDisconnectedWithItsStatusText) {
  const Refusal& c = GetParam();
  c.prepare(sim_);
  for (size_t i = 0; i < c.boxes.size(); ++i) dialogs_.Answer(IDOK);
  window().Button1->Click();
  EXPECT_EQ(ServiceConnected, 0);
  EXPECT_EQ(PollingActive, 0);
  EXPECT_EQ(window().Button1->Caption(), "Verbinden");
  EXPECT_TRUE(window().Button1->Enabled());
  EXPECT_EQ(window().Label14->Caption(), c.status);
  std::vector<std::string> shown;
  for (const auto& box : dialogs_.Boxes()) shown.push_back(box.request.text);
  EXPECT_EQ(shown, c.boxes);
  if (!dialogs_.Boxes().empty() && c.boxes.front() == kFirmwareWarning) {
    EXPECT_EQ(dialogs_.Boxes().front().request.title, "FEHLER");
    EXPECT_EQ(dialogs_.Boxes().front().request.icon, BoxIcon::Error);
  }
  EXPECT_TRUE(ReceivedOf(CMD_READ_WEIGHT).empty());
  EXPECT_TRUE(ReceivedOf(CMD_BLOCK_READ).empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, RefusedConnect, ::testing::ValuesIn(kRefusals),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ServiceConnect, ThreeFailedRequestsWhilePollingDisconnect) {
  Connect();
  ASSERT_TRUE(AwaitRequests(CMD_READ_WEIGHT, 1));
  sim_.InjectFault(1, Fault(FaultKind::NoAnswer).Times(kForever));
  dialogs_.Answer(IDOK);
  ASSERT_TRUE(PumpUntil([&] { return !dialogs_.Boxes().empty(); }, std::chrono::seconds(60)));
  EXPECT_EQ(dialogs_.Boxes()[0].request.text, "Kommunikationsfehler PC<->Gerät (Adr.:1)!");
  EXPECT_EQ(ServiceConnected, 0);
  EXPECT_EQ(PollingActive, 0);
  EXPECT_FALSE(window().Polling->RunOpen());
  EXPECT_EQ(window().Button1->Caption(), "Verbinden");
  // The link lets the user connect again once its error display has run out.
  ASSERT_TRUE(PumpUntil([&] { return window().Button1->Enabled(); }, std::chrono::seconds(30)));
  sim_.ClearFaults(1);
  Connect();
  ASSERT_TRUE(AwaitRequests(CMD_READ_WEIGHT, 2));
}

TEST_F(ServiceConnect, DemoModeOnlyPretends) {
  window().DemoMode = 1;
  for (int click = 0; click < 2; ++click) {
    dialogs_.Answer(IDOK);
    window().Button1->Click();
    EXPECT_EQ(ServiceConnected, 1);
    EXPECT_EQ(link().SetupPresent, 1);
    EXPECT_EQ(window().Label14->Caption(), "Programm im Demo-Mode!");
    EXPECT_EQ(window().Button1->Caption(), "Verbinden");
  }
  ASSERT_EQ(dialogs_.Boxes().size(), 2u);
  for (const auto& box : dialogs_.Boxes()) {
    EXPECT_EQ(box.request.text, "Programm befindet sich im Demo-Mode!");
    EXPECT_EQ(box.request.title, "HINWEIS");
    EXPECT_EQ(box.request.icon, BoxIcon::Error);
  }
  EXPECT_TRUE(Received().empty());
  EXPECT_EQ(PollingActive, 0);
}

TEST_F(ServiceConnect, EmptyAddressFieldConnectsToAddressOne) {
  link().DeviceAddress = 7;
  window().Edit5->SetText("");
  Connect();
  EXPECT_EQ(link().DeviceAddress, 1);
  EXPECT_EQ(window().Edit5->Text(), "1");
}

TEST_F(ServiceConnect, ACalibrationReadThatFailsKeepsTheImageAndReadsTheSetupAgain) {
  // A set-up is there; after a load calibration the connect reads the
  // calibration sections again, and the first block read gets no answer.
  Connect();
  window().Button1->Click();
  ASSERT_EQ(ServiceConnected, 0);
  auto adc = SectionBytes(link().SetupImage, SetupSection::ADC);
  std::fill(adc.begin(), adc.end(), 0x5A);
  link().ReadBuffer.fill(0xAB);
  window().ReloadCalibration = 1;
  sim_.InjectFault(1, Fault(FaultKind::NoAnswer).On(CMD_BLOCK_READ).Times(4));
  const size_t readsBefore = CountOf(CMD_BLOCK_READ);

  Connect();
  EXPECT_EQ(window().ReloadCalibration, 0);
  // Neither the old buffer nor the old section: the set-up was read anew.
  const auto device = sim_.Model(1).memory;
  const auto section = SectionBytes(link().SetupImage, SetupSection::ADC);
  const int start = SetupBase + Info(SetupSection::ADC).copy_offset;
  EXPECT_TRUE(std::equal(section.begin(), section.end(), device.begin() + start));
  EXPECT_EQ(link().SetupPresent, 1);
  // Three calibration sections plus a whole set-up read.
  EXPECT_GT(CountOf(CMD_BLOCK_READ) - readsBefore, 10u);
  EXPECT_TRUE(dialogs_.Boxes().empty());
}

}  // namespace
