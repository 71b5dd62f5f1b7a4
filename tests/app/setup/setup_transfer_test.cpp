// Read-all and write-all against the simulated device.
#include "tests/app/setup/known_setup.h"
#include "tests/app/setup/sim_editor_fixture.h"

namespace {

using enum SetupSection;
using Bytes = std::vector<uint8_t>;
using BlockList = std::vector<std::pair<int, int>>;

class TransferTest : public SimEditorTest {
 protected:
  // The device holds the known set-up in the copy at `base`, another one
  // (the defaults) in the other copy, and factory data in memory and EEPROM.
  void SeedDevice(int base) {
    const SetupImageBytes known = known_setup::Image();
    const SetupImageBytes other = known_setup::Defaults();
    const int otherBase = base == SETUP_BASE_1 ? SETUP_BASE_2 : SETUP_BASE_1;
    PutDeviceMemory(0, Bytes(known.begin(), known.begin() + 8));
    PutDeviceMemory(base, Bytes(known.begin() + 8, known.begin() + 716));
    PutDeviceMemory(otherBase, Bytes(other.begin() + 8, other.begin() + 716));
    Bytes factory(known.begin() + 716, known.end());
    PutDeviceMemory(FACTORY_DATA_ADDR, factory);
    factory[2] = 'E';  // the EEPROM copy differs, so that the source shows
    sim_.WithDevice(1, [&](devsim::DeviceModel& m) { m.factoryEeprom = factory; });
  }

  // What a read-all of the copy at `base` must give.
  Bytes DeviceImage(int base, bool factoryFromMemory) {
    Bytes image = DeviceMemory(0, 8);
    const Bytes copy = DeviceMemory(base, SETUP_COPY_SIZE);
    image.insert(image.end(), copy.begin(), copy.end());
    const Bytes factory = factoryFromMemory
                              ? DeviceMemory(FACTORY_DATA_ADDR, 64)
                              : sim_.WithDevice(1, [](devsim::DeviceModel& m) { return m.factoryEeprom; });
    image.insert(image.end(), factory.begin(), factory.begin() + 64);
    return image;
  }

  Bytes Image() const { return Bytes(Form1->SetupImage.begin(), Form1->SetupImage.end()); }

  // The hold of the cyclic output before the first block request and its
  // release after the last.
  void ExpectOutputHeldAround(uint8_t firstCommand, uint8_t lastCommand) {
    ASSERT_TRUE(PumpUntil([&] { return Requests(devsim::CMD_HOLD_CYCLIC).size() >= 2; }));
    const std::vector<Request> all = Requests();
    std::vector<size_t> holds, blocks;
    for (size_t i = 0; i < all.size(); ++i) {
      if (all[i].command == devsim::CMD_HOLD_CYCLIC) holds.push_back(i);
      if (all[i].command == firstCommand || all[i].command == lastCommand) blocks.push_back(i);
    }
    ASSERT_EQ(holds.size(), 2u);
    ASSERT_FALSE(blocks.empty());
    EXPECT_EQ(all[holds[0]].data, Bytes{0});
    EXPECT_EQ(all[holds[1]].data, Bytes{1});
    EXPECT_LT(holds[0], blocks.front());
    EXPECT_GT(holds[1], blocks.back());
    EXPECT_FALSE(sim_.Model(1).cyclicHeld);
  }

  void ExpectProgressHidden() {
    EXPECT_FALSE(editor().ProgressBar1->Visible());
    EXPECT_FALSE(Form21->ProgressBar1->Visible());
  }
};

BlockList ReadAllBlocks(int base) {
  return {{0, 8},
          {base, 16},
          {base + 0x10, 32},
          {base + 0x30, 128},
          {base + 0xB0, 116},
          {base + 0x124, 64},
          {base + 0x164, 64},
          {base + 0x1A4, 32},
          {base + 0x1C4, 80},
          {base + 0x214, 80},
          {base + 0x264, 64},
          {base + 0x2A4, 32},
          {base, 16}};
}

TEST_F(TransferTest, ReadAllTakesTheChosenCopyAndTheFactoryDataOfTheHardware) {
  struct Case {
    uint16_t base;
    const char* hardware;
  };
  for (const Case c : {Case{SETUP_BASE_1, "1001"}, Case{SETUP_BASE_2, "1002"}}) {
    SCOPED_TRACE(c.hardware);
    sim_.Log().Clear();
    SeedDevice(c.base);
    SetupBase = c.base;
    Form1->HardwareVersionText = c.hardware;
    const bool fromMemory = std::string(c.hardware) == "1002";

    editor().ReadSetupFromDevice();

    EXPECT_EQ(Image(), DeviceImage(c.base, fromMemory));
    BlockList reads = ReadAllBlocks(c.base);
    if (fromMemory) reads.push_back({FACTORY_DATA_ADDR, 64});
    EXPECT_EQ(Blocks(devsim::CMD_BLOCK_READ), reads);
    EXPECT_EQ(Blocks(devsim::CMD_BLOCK_READ_ONCE), (fromMemory ? BlockList{} : BlockList{{0, 64}}));
    EXPECT_EQ(Form1->SetupPresent, 1);
    EXPECT_TRUE(Form21->SetupRO->Enabled());
    EXPECT_TRUE(BoxTexts().empty());
    ExpectProgressHidden();
    ExpectOutputHeldAround(devsim::CMD_BLOCK_READ, fromMemory ? devsim::CMD_BLOCK_READ : devsim::CMD_BLOCK_READ_ONCE);
    // Shown on the pages: the RS-232 baud rate and the RS-485 address.
    EXPECT_EQ(editor().ComboBox6->ItemIndex(), 8);
  }
}

TEST_F(TransferTest, ReadAllSendsTheBlockRequestsByteForByte) {
  SeedDevice(SETUP_BASE_1);
  editor().ReadSetupFromDevice();
  const std::vector<Request> reads = Requests(devsim::CMD_BLOCK_READ);
  ASSERT_GE(reads.size(), 5u);
  EXPECT_EQ(reads[0].data, (Bytes{0x00, 0x00, 0x00, 0x00, 0x08}));
  EXPECT_EQ(reads[1].data, (Bytes{0x00, 0x08, 0x00, 0x00, 0x10}));
  EXPECT_EQ(reads[2].data, (Bytes{0x00, 0x18, 0x00, 0x00, 0x20}));
  EXPECT_EQ(reads[3].data, (Bytes{0x00, 0x38, 0x00, 0x00, 0x80}));
  EXPECT_EQ(reads[4].data, (Bytes{0x00, 0xB8, 0x00, 0x00, 0x74}));
}

TEST_F(TransferTest, AFailedSectionIsReportedErasedAndTheRestStillRead) {
  struct Case {
    const char* name;
    devsim::Fault fault;
    SetupSection failed;
  };
  const Case cases[] = {
      // The first block read (GBL) goes unanswered in both of its tries.
      {"GBL", devsim::Fault(devsim::FaultKind::NoAnswer).On(devsim::CMD_BLOCK_READ).Times(4), GBL},
      // The factory data, the last request of the run.
      {"SAV", devsim::Fault(devsim::FaultKind::NoAnswer).On(devsim::CMD_BLOCK_READ_ONCE).Times(4), SAV},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    NewProgram();
    SeedDevice(SETUP_BASE_1);
    Form1->SetupPresent = 1;  // from an earlier read
    sim_.InjectFault(1, c.fault);
    dialogs_.Answer(IDOK);
    dialogs_.Answer(IDOK);
    const size_t before = dialogs_.Boxes().size();

    editor().ReadSetupFromDevice();

    ASSERT_EQ(dialogs_.Boxes().size(), before + 2);
    const auto& section = dialogs_.Boxes()[before].request;
    EXPECT_EQ(section.text, std::string("ERROR! -> Read Setup (") + Info(c.failed).name + ")");
    EXPECT_EQ(section.title, "FEHLER");
    EXPECT_EQ(section.icon, BoxIcon::Error);
    EXPECT_EQ(dialogs_.Boxes()[before + 1].request.text, "ERROR! (COM-Error)");
    Bytes expected = DeviceImage(SETUP_BASE_1, false);
    const SectionInfo& info = Info(c.failed);
    std::fill_n(expected.begin() + info.image_offset, info.size, uint8_t{0xFF});
    EXPECT_EQ(Image(), expected);
    EXPECT_EQ(Form1->SetupPresent, 0) << "an incomplete image is no set-up";
    ExpectProgressHidden();
    ASSERT_TRUE(PumpUntil([&] { return !sim_.Model(1).cyclicHeld; })) << "the output is released";
    sim_.ClearFaults(1);
  }
}

TEST_F(TransferTest, WriteAllWritesWhatTheControlsShow) {
  Form1->SetupImage = known_setup::Image();
  for (const SectionInfo& info : Sections()) editor().SetupToControls(SectionCode(info.section, SetupBase));
  Form1->SetupPresent = 1;
  editor().Edit139->SetText("42");  // MSC ext_disp_adr, changed by hand
  const Bytes admHead = DeviceMemory(SETUP_BASE_1, 4);

  editor().WriteSetupToDevice();

  const BlockList writes = {{0, 8},      {0x0C, 12},  {0x18, 32},  {0x38, 128}, {0xB8, 116}, {0x12C, 64},
                            {0x16C, 64}, {0x1AC, 32}, {0x1CC, 80}, {0x21C, 80}, {0x26C, 64}, {0x2AC, 32}};
  EXPECT_EQ(Blocks(devsim::CMD_BLOCK_WRITE), writes);
  const SetupImageBytes& image = Form1->SetupImage;
  EXPECT_EQ(SectionBytes(image, MSC)[FieldOf(MSC, "ext_disp_adr").offset], 42);
  EXPECT_EQ(DeviceMemory(0, 8), Bytes(image.begin(), image.begin() + 8));
  EXPECT_EQ(DeviceMemory(SETUP_BASE_1, 4), admHead) << "valid flag and checksum stay the device's";
  EXPECT_EQ(DeviceMemory(SETUP_BASE_1 + 4, SETUP_COPY_SIZE - 4), Bytes(image.begin() + 12, image.begin() + 716));
  EXPECT_TRUE(BoxTexts().empty());
  ExpectProgressHidden();
  ExpectOutputHeldAround(devsim::CMD_BLOCK_WRITE, devsim::CMD_BLOCK_WRITE);
}

TEST_F(TransferTest, WriteAllReportsAFailedSectionAndWritesTheRest) {
  const std::pair<const char*, devsim::Fault> faults[] = {
      {"no answer", devsim::Fault(devsim::FaultKind::NoAnswer).On(devsim::CMD_BLOCK_WRITE).Times(4)},
      {"error status", devsim::Fault(devsim::FaultKind::ErrorStatus).On(devsim::CMD_BLOCK_WRITE).Times(1)},
  };
  for (const auto& [name, fault] : faults) {
    SCOPED_TRACE(name);
    NewProgram();
    sim_.Log().Clear();
    Form1->SetupImage = known_setup::Image();
    for (const SectionInfo& info : Sections()) editor().SetupToControls(SectionCode(info.section, SetupBase));
    Form1->SetupPresent = 1;
    sim_.InjectFault(1, fault);
    dialogs_.Answer(IDOK);
    const size_t before = dialogs_.Boxes().size();

    editor().WriteSetupToDevice();

    ASSERT_EQ(dialogs_.Boxes().size(), before + 1);
    EXPECT_EQ(dialogs_.Boxes()[before].request.text, "ERROR -> Write Setup (GBL)");
    EXPECT_EQ(dialogs_.Boxes()[before].request.title, "FEHLER");
    const BlockList writes = Blocks(devsim::CMD_BLOCK_WRITE);
    ASSERT_FALSE(writes.empty());
    EXPECT_EQ(writes.back(), std::make_pair(0x2AC, 32)) << "MSC is still written";
    EXPECT_EQ(DeviceMemory(SETUP_BASE_1 + 0x30, 244), ImageSection(ADC));
    ExpectProgressHidden();
    sim_.ClearFaults(1);
  }
}

TEST_F(TransferTest, WriteAllWithoutASetupRefusesAndSendsNothing) {
  Form1->SectionRead.fill(1);
  dialogs_.Answer(IDOK);
  editor().WriteSetupToDevice();
  ASSERT_EQ(dialogs_.Boxes().size(), 1u);
  EXPECT_EQ(dialogs_.Boxes()[0].request.text, "Bitte Setup von Gerät lesen!");
  EXPECT_EQ(dialogs_.Boxes()[0].request.title, "HINWEIS");
  EXPECT_EQ(dialogs_.Boxes()[0].request.icon, BoxIcon::Error);
  EXPECT_TRUE(Requests().empty());
}

TEST_F(TransferTest, WithoutAChosenCopyTheDeviceIsAskedForItsActiveSetup) {
  SeedDevice(SETUP_BASE_2);
  sim_.WithDevice(1, [](devsim::DeviceModel& m) { m.activeSetup = 1; });
  SetupBase = 0;
  editor().ReadSetupFromDevice();
  const std::vector<Request> queries = Requests(devsim::CMD_SETUP_SELECT);
  ASSERT_EQ(queries.size(), 1u);
  EXPECT_EQ(queries[0].data, Bytes{1});
  EXPECT_EQ(SetupBase, SETUP_BASE_2);
  EXPECT_EQ(Image(), DeviceImage(SETUP_BASE_2, false));
}

TEST_F(TransferTest, WithoutAChosenCopyAndNoAnswerNothingIsTransferred) {
  SetupBase = 0;
  Form1->SetupPresent = 1;
  sim_.InjectFault(1, devsim::Fault(devsim::FaultKind::NoAnswer).On(devsim::CMD_SETUP_SELECT).Times(devsim::kForever));
  dialogs_.Answer(IDOK);
  dialogs_.Answer(IDOK);
  editor().ReadSetupFromDevice();
  editor().WriteSetupToDevice();
  ASSERT_EQ(BoxTexts(), (std::vector<std::string>{"Bitte Setup von Gerät lesen!", "Bitte Setup von Gerät lesen!"}));
  EXPECT_EQ(SetupBase, 0);
  EXPECT_TRUE(Requests(devsim::CMD_BLOCK_READ).empty());
  EXPECT_TRUE(Requests(devsim::CMD_BLOCK_WRITE).empty());
}

// A second transfer, started while one runs (a click handled in one of its
// waits), starts nothing; the buttons that would start one are disabled.
TEST_F(TransferTest, NoSecondTransferStartsWhileOneRuns) {
  SeedDevice(SETUP_BASE_1);
  bool fired = false;
  bool buttonsDisabled = false;
  TTimer interrupt(&editor());
  interrupt.SetInterval(20);
  interrupt.OnTimer = [&](TObject*) {
    if (!editor().TransferRunning() || fired) return;
    fired = true;
    buttonsDisabled = !editor().Button5->Enabled() && !editor().Button14->Enabled() && !editor().Button35->Enabled();
    editor().ReadSetupFromDevice();
    editor().Button14Click(nullptr);  // "Lesen" on LPC
    editor().Button36Click(nullptr);  // "Setup 2"
    editor().SaveSetupFile();         // as the service window's "Speichern"
    editor().LoadSetupFile();         // as its "Öffnen"
  };
  interrupt.SetEnabled(true);
  editor().ReadSetupFromDevice();
  interrupt.SetEnabled(false);
  ASSERT_TRUE(fired);
  EXPECT_TRUE(buttonsDisabled);
  EXPECT_EQ(Blocks(devsim::CMD_BLOCK_READ), ReadAllBlocks(SETUP_BASE_1));
  EXPECT_EQ(SetupBase, SETUP_BASE_1) << "the copy does not change under the transfer";
  EXPECT_TRUE(dialogs_.FileDialogs().empty()) << "no file is saved or loaded under the transfer";
  EXPECT_EQ(Image(), DeviceImage(SETUP_BASE_1, false));
  EXPECT_TRUE(editor().Button5->Enabled());
  EXPECT_TRUE(editor().Button14->Enabled());
  EXPECT_FALSE(editor().Button22->Enabled()) << "a button disabled before stays disabled";
}

}  // namespace
