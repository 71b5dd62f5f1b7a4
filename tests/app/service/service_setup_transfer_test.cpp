// The service window's set-up write with the sensitivity calibration, and
// the set-up files of the menu Datei, against the simulated device.
#include <filesystem>
#include <fstream>

#include "tests/app/service/service_fixture.h"

#ifndef GOLDEN_DIR
#error GOLDEN_DIR must name the folder of the set-up files
#endif

namespace {

const char* const kOverwrite =
    "ACHTUNG!\nVorhandene Kalibrierdaten werden überschrieben!\n\nMöchten Sie fortsetzen?";
const char* const kWriteDirectly = "Sollen die Setupdaten direkt ins Gerät geschrieben werden?";
const char* const kReadOnly = "Setup ist schreibgeschützt! -> Abbruch!";

class SetupTransfer : public ServiceTest {
 protected:
  void SetUp() override {
    ServiceTest::SetUp();
    PutDeviceSetup(SetupSection::ADM, "setup", {1});
    PutDeviceSetup(SetupSection::WKG0, "mk", {2});
    PutDeviceSetup(SetupSection::ADC, "mode", {1});
  }

  // The channel fields as a technician fills them.
  void TypeChannels(const char* signal1, const char* signal2) {
    window().Edit1->SetText("30");
    window().ComboBox3->SetText("5");
    window().Edit2->SetText(signal1);
    window().Edit3->SetText("1000");
    window().ComboBox7->SetText("4");
    window().Edit4->SetText(signal2);
  }

  std::vector<BlockWrite> WritesTo(int address) const {
    std::vector<BlockWrite> found;
    for (const BlockWrite& w : BlockWrites())
      if (w.address == address) found.push_back(w);
    return found;
  }

  // A copy of the known set-up file (two channels, writable) in the test's
  // folder, for the device at bus address 1.
  std::string KnownSetupFile(bool writable = true) {
    std::ifstream in(std::string(GOLDEN_DIR) + "/known_setup.dis", std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    text.replace(text.find("\nrs485_adr=17"), 13, "\nrs485_adr=1");
    if (!writable) text.replace(text.find("\nsetup=1"), 8, "\nsetup=0");
    const std::string path = (dir_ / "known.dis").string();
    std::ofstream(path, std::ios::binary) << text;
    return path;
  }

  uint8_t DeviceByte(int address) const { return sim_.Model(1).memory[static_cast<size_t>(address)]; }
  int32_t DeviceInt32(int address) const {
    const auto& m = sim_.Model(1).memory;
    const auto a = static_cast<size_t>(address);
    return static_cast<int32_t>(uint32_t{m[a]} << 24 | uint32_t{m[a + 1]} << 16 | uint32_t{m[a + 2]} << 8 | m[a + 3]);
  }
};

TEST_F(SetupTransfer, WritingAfterTypingAnInputSignalWritesThePointsTheSetupAndRestarts) {
  Connect();
  TypeChannels("1,5", "-2");
  sim_.Log().Clear();
  dialogs_.Answer(IDYES);
  window().Button4->Click();
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{kOverwrite});
  EXPECT_EQ(window().Edit2->Text(), "1.50000");
  EXPECT_EQ(window().Edit4->Text(), "-2.00000");

  // The point blocks of both channels first: 0 and 1.5 mV/V against 0 and 100 %.
  const std::vector<BlockWrite> writes = BlockWrites();
  ASSERT_GE(writes.size(), 2u);
  EXPECT_EQ(writes[0].address, SETUP_BASE_1 + 0x40);
  EXPECT_EQ(writes[1].address, SETUP_BASE_1 + 0x90);
  std::vector<uint8_t> points1(64, 0);
  const std::vector<uint8_t> code1 = Be32(1500000), hundred = BeFloat(100.0f);
  std::copy(code1.begin(), code1.end(), points1.begin() + 4);
  std::copy(hundred.begin(), hundred.end(), points1.begin() + 36);
  EXPECT_EQ(writes[0].bytes, points1);
  ASSERT_EQ(writes[1].bytes.size(), 64u);
  EXPECT_EQ(std::vector<uint8_t>(writes[1].bytes.begin() + 4, writes[1].bytes.begin() + 8), Be32(-2000000));

  // Then every section, with the calibration marks and the channel fields.
  for (SetupSection s : {SetupSection::LPC, SetupSection::ADC, SetupSection::WKG0, SetupSection::WKG1,
                         SetupSection::WKS, SetupSection::CHN0, SetupSection::CHN1, SetupSection::EXB,
                         SetupSection::MSC})
    EXPECT_FALSE(WritesTo(SETUP_BASE_1 + Info(s).copy_offset).empty()) << Info(s).name;
  const int adc = SETUP_BASE_1 + 0x30;
  EXPECT_EQ(DeviceInt32(adc + 20), 1500000);
  EXPECT_EQ(DeviceByte(adc + 169), 1);
  EXPECT_EQ(DeviceByte(adc + 170), 2);
  EXPECT_EQ(DeviceByte(adc + 201), 1);
  EXPECT_EQ(DeviceByte(adc + 202), 2);
  const int chn0 = SETUP_BASE_1 + 0x1C4;
  EXPECT_EQ(DeviceByte(chn0 + FieldOf(SetupSection::CHN0, "ch_b[0][0]_zs").offset), 3);
  EXPECT_EQ(DeviceInt32(chn0 + FieldOf(SetupSection::CHN0, "ch_b[0][0]_sk").offset), 30000);
  EXPECT_EQ(WritesTo(SETUP_BASE_1 + 0x1FA), (std::vector<BlockWrite>{{SETUP_BASE_1 + 0x1FA, {1}}}));
  EXPECT_EQ(WritesTo(SETUP_BASE_1 + 0x24A), (std::vector<BlockWrite>{{SETUP_BASE_1 + 0x24A, {1}}}));
  // The last write goes before the soft reset, and the window is connected again.
  const std::vector<int> commands = ReceivedCommands();
  const auto reset = std::find(commands.begin(), commands.end(), CMD_RESET);
  ASSERT_NE(reset, commands.end());
  EXPECT_EQ(std::find(reset, commands.end(), CMD_BLOCK_WRITE), commands.end());
  EXPECT_EQ(CountOf(CMD_RESET, {1}), 1u);
  EXPECT_EQ(ServiceConnected, 1);
  EXPECT_EQ(SetupModified, 0);
  EXPECT_EQ(SetupWriteRunning, 0);
}

TEST_F(SetupTransfer, AWriteProtectedSetupIsRefusedAndNothingIsWritten) {
  PutDeviceSetup(SetupSection::ADM, "setup", {0});
  Connect();
  TypeChannels("1,5", "2");
  sim_.Log().Clear();
  dialogs_.Answer(IDOK);
  window().Button4->Click();
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{kReadOnly});
  EXPECT_TRUE(BlockWrites().empty());
  EXPECT_EQ(CountOf(CMD_RESET), 0u);
  EXPECT_EQ(ServiceConnected, 1);
  EXPECT_EQ(PollingActive, 1);
}

TEST_F(SetupTransfer, ARefusalOnChannelTwoWritesNothingOnChannelOne) {
  Connect();
  TypeChannels("1,5", "");
  const int32_t pointBefore = GetInt32(SectionBytes(link().SetupImage, SetupSection::ADC), 20);
  sim_.Log().Clear();
  dialogs_.Answer(IDYES);
  dialogs_.Answer(IDOK);
  window().Button4->Click();
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{
                            kOverwrite, "Kein Wert für Eingangssignal bei Nennkraft eingegeben! -> Abbruch!"}));
  EXPECT_TRUE(WritesTo(SETUP_BASE_1 + 0x40).empty());
  EXPECT_TRUE(WritesTo(SETUP_BASE_1 + 0x90).empty());
  EXPECT_EQ(GetInt32(SectionBytes(link().SetupImage, SetupSection::ADC), 20), pointBefore);
}

TEST_F(SetupTransfer, ALoadCalibratedChannelAsksWhetherToKeepItsZeroPoint) {
  PutDeviceSetup(SetupSection::CHN0, "chn_calib_mode", {2});
  PutDeviceSetup(SetupSection::ADC, 16, Be32(4321));
  Connect();
  TypeChannels("2", "2");
  dialogs_.Answer(IDYES);
  dialogs_.Answer(IDYES);
  window().Button4->Click();
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{kOverwrite, "Werte für alten Nullpunkt beibehalten?"}));
  EXPECT_EQ(DeviceInt32(SETUP_BASE_1 + 0x40), 4321);
  EXPECT_EQ(DeviceInt32(SETUP_BASE_1 + 0x44), 2000000);
}

TEST_F(SetupTransfer, WithoutASetupTheWriteAsksForARead) {
  dialogs_.Answer(IDOK);
  window().Button4Click(nullptr);
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Bitte Setup von Gerät lesen!"});
  EXPECT_TRUE(Received().empty());
}

TEST_F(SetupTransfer, OpeningAFileChangesNothingInTheDeviceBeforeTheQuestion) {
  // A one-channel device; the file holds two channels.
  OneChannelDevice();
  Connect();
  ASSERT_FALSE(window().CheckBox1->Checked());
  sim_.Log().Clear();
  dialogs_.ChooseFile(KnownSetupFile());
  dialogs_.Answer(IDNO);
  window().ffnen1Click(nullptr);
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{kWriteDirectly});
  EXPECT_TRUE(window().CheckBox1->Checked());
  EXPECT_TRUE(BlockWrites().empty());
  EXPECT_EQ(CountOf(CMD_RESET), 0u);
  EXPECT_EQ(window().SetupFromFile, 1);
  // The program end offers to store what the file brought.
  EXPECT_EQ(SetupModified, 1);

  // The next write keeps the file's calibration: no point blocks.
  dialogs_.Answer(IDYES);
  window().Button4->Click();
  EXPECT_TRUE(WritesTo(SETUP_BASE_1 + 0x40).empty());
  EXPECT_FALSE(WritesTo(SETUP_BASE_1 + 0x30).empty());
  EXPECT_EQ(window().SetupFromFile, 0);
  EXPECT_EQ(CountOf(CMD_RESET, {1}), 1u);
}

TEST_F(SetupTransfer, WritingAFileDirectlyPassesTheWriteButtonsChecks) {
  Connect();
  sim_.Log().Clear();
  dialogs_.ChooseFile(KnownSetupFile(false));
  dialogs_.Answer(IDYES);
  dialogs_.Answer(IDOK);
  window().ffnen1Click(nullptr);
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{kWriteDirectly, kReadOnly}));
  EXPECT_TRUE(BlockWrites().empty());
  EXPECT_EQ(CountOf(CMD_RESET), 0u);

  dialogs_.ChooseFile(KnownSetupFile(true));
  dialogs_.Answer(IDYES);
  dialogs_.Answer(IDYES);
  window().ffnen1Click(nullptr);
  EXPECT_EQ(BoxTexts().back(), kOverwrite);
  EXPECT_FALSE(WritesTo(SETUP_BASE_1 + Info(SetupSection::WKG0).copy_offset).empty());
  EXPECT_EQ(DeviceByte(SETUP_BASE_1 + 0x124), 2);  // the file's two channels
  EXPECT_EQ(CountOf(CMD_RESET, {1}), 1u);
  EXPECT_EQ(ServiceConnected, 1);
}

TEST_F(SetupTransfer, SavingNeedsASetupAndTakesEverySectionOfTheImage) {
  dialogs_.Answer(IDOK);
  window().Speichern1Click(nullptr);
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Bitte Setup von Gerät lesen!"});
  EXPECT_EQ(dialogs_.Boxes()[0].request.icon, BoxIcon::Error);
  EXPECT_TRUE(dialogs_.FileDialogs().empty());

  Connect();
  // A value that only the image holds: the editor's controls show the device's.
  SectionBytes(link().SetupImage, SetupSection::MSC)[2] = 42;
  const std::string path = (dir_ / "saved.dis").string();
  dialogs_.ChooseFile(path);
  window().Speichern1Click(nullptr);
  const std::string text = FileText(path);
  const size_t msc = text.find("[MSC]");
  ASSERT_NE(msc, std::string::npos);
  EXPECT_EQ(text.find("ext_disp_adr=42", msc), text.find("ext_disp_adr=", msc));
}

}  // namespace
