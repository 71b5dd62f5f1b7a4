// The channel area of the service window against the simulated device: the
// set-up shown in the channel fields, the sum-channel rule, and the channel-2
// switch with its writes and restart.
#include "tests/app/service/service_fixture.h"

namespace {

using devsim::Fault;
using devsim::FaultKind;
using devsim::kForever;

class ChannelSetup : public ServiceTest {
 protected:
  // A two-channel set-up: channel 1 nominal 30 at step 10, channel 2 1000 at
  // step 1 (unit kg), rate code 2 of the two-channel list, bus address 1.
  void TwoChannelSetup() {
    PutDeviceSetup(SetupSection::WKG0, "mk", {2});
    PutDeviceSetup(SetupSection::ADC, "mode", {1});
    PutDeviceSetup(SetupSection::ADC, "crate", {2});
    PutDeviceSetup(SetupSection::LPC, "rs485_adr", {1});
    PutDeviceSetup(SetupSection::ADM, "setup", {1});
    PutDeviceSetup(SetupSection::WKS, "sum", {1});
    PutDeviceSetup(SetupSection::MSC, "ext_disp", {1});
    Range(SetupSection::CHN0, 3, 30000, 0xFF);
    Range(SetupSection::CHN1, 12, 1000, 0xFF);
    PutDeviceSetup(SetupSection::CHN0, "chn_mode_val", BeFloat(2.0f));
    PutDeviceSetup(SetupSection::CHN1, "chn_mode_val", BeFloat(1.5f));
  }
  void Range(SetupSection chn, uint8_t zs, int32_t sk, uint8_t marker) {
    PutDeviceSetup(chn, "ch_b[0][0]_zs", {zs});
    PutDeviceSetup(chn, "ch_b[0][0]_sk", Be32(sk));
    PutDeviceSetup(chn, "five_decimals", {marker});
  }
  uint8_t ImageByte(SetupSection section, const char* field) {
    return SectionBytes(link().SetupImage, section)[static_cast<size_t>(FieldOf(section, field).offset)];
  }
};

TEST_F(ChannelSetup, ASetupReadFillsTheChannelFields) {
  TwoChannelSetup();
  Connect();
  EXPECT_EQ(window().ComboBox1->ItemIndex(), 0);
  EXPECT_EQ(window().Edit1->Text(), "30");
  EXPECT_EQ(window().ComboBox3->Text(), "5");
  EXPECT_EQ(Items(window().ComboBox3), (std::vector<std::string>{"3", "4", "5", "6"}));
  EXPECT_EQ(window().Edit2->Text(), "2.00000");
  EXPECT_EQ(window().Edit3->Text(), "1000");
  EXPECT_EQ(window().ComboBox7->Text(), "4");
  EXPECT_EQ(Items(window().ComboBox7), (std::vector<std::string>{"4", "5", "6"}));
  EXPECT_EQ(window().Edit4->Text(), "1.50000");
  // The two-channel rate list with code 2.
  EXPECT_EQ(Items(window().ComboBox4), (std::vector<std::string>{"3", "5", "8", "12", "15", "20"}));
  EXPECT_EQ(window().ComboBox4->Text(), "8");
  EXPECT_TRUE(window().CheckBox1->Checked());
  EXPECT_TRUE(window().Panel1->Visible());
  EXPECT_EQ(window().Edit5->Text(), "1");
  EXPECT_FALSE(window().SetupRO->Checked());
  EXPECT_FALSE(window().Label26->Visible());
  EXPECT_FALSE(window().Label19->Visible());
  // Same units and two channels: the sum channel stays on.
  EXPECT_EQ(ImageByte(SetupSection::WKS, "sum"), 1);
  // Showing the set-up wrote nothing into the device, and counts as no edit.
  EXPECT_TRUE(BlockWrites().empty());
  EXPECT_EQ(SetupModified, 0);
}

TEST_F(ChannelSetup, FiveDecimalsShowWhereTheFirmwareOffersThem) {
  TwoChannelSetup();
  Range(SetupSection::CHN0, 19, 300000, 0);
  PutDeviceSetup(SetupSection::CHN1, "chn_calib_mode", {2});
  PutDeviceSetup(SetupSection::ADM, "setup", {0});
  Connect();  // firmware V1.0.12 offers five decimals
  EXPECT_EQ(window().Edit1->Text(), "3");
  EXPECT_EQ(window().ComboBox3->Text(), "6");
  EXPECT_TRUE(window().Label20->Visible());
  EXPECT_TRUE(window().SetupRO->Checked());
  EXPECT_TRUE(window().Label26->Visible());
  window().Button1->Click();

  sim_.WithDevice(1, [](devsim::DeviceModel& m) { m.firmwareVersion = "V1.0.10"; });
  link().Options.setup_reconnect = 1;
  Connect();
  EXPECT_EQ(window().Edit1->Text(), "30");
  EXPECT_EQ(window().ComboBox3->Text(), "6");
}

TEST_F(ChannelSetup, DifferentUnitsSwitchTheSumChannelOff) {
  TwoChannelSetup();
  Connect();
  SetupModified = 0;
  window().ComboBox5->UserSelect(1);
  EXPECT_EQ(ImageByte(SetupSection::WKS, "sum"), 0);
  EXPECT_EQ(SetupModified, 1);
}

TEST_F(ChannelSetup, SwitchingChannelTwoOffWritesItsBytesAndRestarts) {
  TwoChannelSetup();
  Connect();
  sim_.Log().Clear();
  // After its restart the device reports one channel.
  sim_.WithDevice(1, [](devsim::DeviceModel& m) { m.channelCount = 1; });
  dialogs_.Answer(IDOK);
  window().CheckBox1->Click();
  EXPECT_EQ(BoxTexts().back(), "Kanal 2 wird nach Neustart des Gerätes deaktiviert!");
  const std::vector<BlockWrite> expected{{SetupAddress(SetupSection::ADC, "mode"), {0}},
                                         {SetupAddress(SetupSection::WKG0, "mk"), {1}},
                                         {SetupAddress(SetupSection::WKS, "sum"), {0}},
                                         {SetupAddress(SetupSection::MSC, "ext_disp"), {0}}};
  EXPECT_EQ(BlockWrites(), expected);
  EXPECT_EQ(expected[0].address, SETUP_BASE_1 + 0x11A);
  EXPECT_EQ(expected[1].address, SETUP_BASE_1 + 0x124);
  // Then the soft reset, and the window is connected again.
  const std::vector<int> commands = ReceivedCommands();
  const auto reset = std::find(commands.begin(), commands.end(), CMD_RESET);
  ASSERT_NE(reset, commands.end());
  EXPECT_EQ(std::find(reset, commands.end(), CMD_BLOCK_WRITE), commands.end());
  EXPECT_EQ(DataOf(ReceivedOf(CMD_RESET).front()), std::vector<uint8_t>{1});
  EXPECT_EQ(ServiceConnected, 1);
  EXPECT_EQ(PollingActive, 1);
  EXPECT_EQ(link().ChannelCount, 1);
  EXPECT_FALSE(window().Panel1->Visible());
  EXPECT_EQ(Items(window().ComboBox4).front(), "25");
}

TEST_F(ChannelSetup, SwitchingChannelTwoOnWritesModeAndChannelCount) {
  TwoChannelSetup();
  OneChannelDevice();
  Connect();
  ASSERT_FALSE(window().CheckBox1->Checked());
  sim_.Log().Clear();
  dialogs_.Answer(IDOK);
  window().CheckBox1->Click();
  EXPECT_EQ(BoxTexts().back(), "Kanal 2 wird nach Neustart des Gerätes aktiviert!");
  const std::vector<BlockWrite> expected{{SetupAddress(SetupSection::ADC, "mode"), {1}},
                                         {SetupAddress(SetupSection::WKG0, "mk"), {2}}};
  EXPECT_EQ(BlockWrites(), expected);
  EXPECT_EQ(CountOf(CMD_RESET, {1}), 1u);
  EXPECT_EQ(ServiceConnected, 1);
}

TEST_F(ChannelSetup, WhileDisconnectedTheSwitchOnlyMarksTheSetupModified) {
  TwoChannelSetup();
  Connect();
  window().Button1->Click();
  SetupModified = 0;
  sim_.Log().Clear();
  window().CheckBox1->Click();
  EXPECT_EQ(window().Label14->Caption(), "Bitte mit Gerät verbinden!");
  EXPECT_EQ(SetupModified, 1);
  EXPECT_EQ(ImageByte(SetupSection::WKG0, "mk"), 1);
  EXPECT_EQ(ImageByte(SetupSection::ADC, "mode"), 0);
  EXPECT_FALSE(window().Panel1->Visible());
  EXPECT_TRUE(Received().empty());
  EXPECT_TRUE(dialogs_.Boxes().empty());
}

TEST_F(ChannelSetup, ASwitchThatTheDeviceDoesNotTakeChangesNothing) {
  TwoChannelSetup();
  Connect();
  const SetupImageBytes before = link().SetupImage;
  sim_.InjectFault(1, Fault(FaultKind::NoAnswer).On(CMD_BLOCK_WRITE).Times(kForever));
  sim_.Log().Clear();
  dialogs_.Answer(IDOK);
  window().CheckBox1->Click();
  sim_.ClearFaults(1);
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Fehler beim Schreiben ins Gerät! -> Abbruch!"});
  EXPECT_EQ(dialogs_.Boxes().back().request.title, "FEHLER");
  EXPECT_TRUE(link().SetupImage == before);
  EXPECT_TRUE(window().CheckBox1->Checked());
  EXPECT_TRUE(window().Panel1->Visible());
  EXPECT_EQ(link().ChannelCount, 2);
  EXPECT_EQ(CountOf(CMD_RESET), 0u);
  EXPECT_EQ(ServiceConnected, 1);
}

}  // namespace
