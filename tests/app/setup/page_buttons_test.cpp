// "Lesen" and "Schreiben" of every page against the simulated device.
#include "tests/app/setup/known_setup.h"
#include "tests/app/setup/sim_editor_fixture.h"

namespace {

using enum SetupSection;
using Bytes = std::vector<uint8_t>;
using BlockList = std::vector<std::pair<int, int>>;

class PageButtonsTest : public SimEditorTest {
 protected:
  // The known set-up in the device's second copy, the defaults in the first.
  void SeedDevice() {
    const SetupImageBytes known = known_setup::Image();
    const SetupImageBytes other = known_setup::Defaults();
    PutDeviceMemory(0, Bytes(known.begin(), known.begin() + 8));
    PutDeviceMemory(SETUP_BASE_1, Bytes(other.begin() + 8, other.begin() + 716));
    PutDeviceMemory(SETUP_BASE_2, Bytes(known.begin() + 8, known.begin() + 716));
    sim_.WithDevice(1, [&](devsim::DeviceModel& m) { m.factoryEeprom.assign(known.begin() + 716, known.end()); });
  }

  Bytes DeviceSection(SetupSection s) {
    if (s == GBL) return DeviceMemory(0, 8);
    if (s == SAV) return sim_.WithDevice(1, [](devsim::DeviceModel& m) { return m.factoryEeprom; });
    return DeviceMemory(SETUP_BASE_2 + Info(s).copy_offset, Info(s).size);
  }

  static size_t Flag(SetupSection s) {
    static const SetupSection order[] = {GBL, LPC, ADC, WKG0, WKG1, WKS, CHN0, CHN1, EXB, MSC, ADM, SAV};
    return static_cast<size_t>(std::find(std::begin(order), std::end(order), s) - std::begin(order));
  }
};

struct PageCase {
  const char* page;
  TButton* TForm3::*read;
  TButton* TForm3::*write;  // nullptr: the page has none
  std::vector<SetupSection> sections;
  BlockList reads;  // with the second copy in use
  BlockList writes;
};

const int B2 = SETUP_BASE_2;

const std::vector<PageCase>& Pages() {
  static const std::vector<PageCase> pages = {
      {"GBL", &TForm3::Button33, &TForm3::Button34, {GBL}, {{0, 8}}, {{0, 8}}},
      {"LPC", &TForm3::Button14, &TForm3::Button17, {LPC}, {{B2 + 0x10, 32}}, {{B2 + 0x10, 32}}},
      {"ADC_1",
       &TForm3::Button23,
       &TForm3::Button8,
       {ADC},
       {{B2 + 0x30, 128}, {B2 + 0xB0, 116}},
       {{B2 + 0x30, 128}, {B2 + 0xB0, 116}}},
      {"ADC_2",
       &TForm3::Button38,
       &TForm3::Button39,
       {ADC},
       {{B2 + 0x30, 128}, {B2 + 0xB0, 116}},
       {{B2 + 0x30, 128}, {B2 + 0xB0, 116}}},
      {"ADC_3",
       &TForm3::Button55,
       &TForm3::Button56,
       {ADC},
       {{B2 + 0x30, 128}, {B2 + 0xB0, 116}},
       {{B2 + 0x30, 128}, {B2 + 0xB0, 116}}},
      {"CAL",
       &TForm3::Button43,
       &TForm3::Button44,
       {ADC},
       {{B2 + 0x30, 128}, {B2 + 0xB0, 116}},
       {{B2 + 0x30, 128}, {B2 + 0xB0, 116}}},
      {"WKG_0_1", &TForm3::Button16, &TForm3::Button19, {WKG0}, {{B2 + 0x124, 64}}, {{B2 + 0x124, 64}}},
      {"WKG_0_2", &TForm3::Button40, &TForm3::Button41, {WKG0}, {{B2 + 0x124, 64}}, {{B2 + 0x124, 64}}},
      {"WKG_1_1", &TForm3::Button31, &TForm3::Button32, {WKG1}, {{B2 + 0x164, 64}}, {{B2 + 0x164, 64}}},
      {"WKG_1_2", &TForm3::Button46, &TForm3::Button47, {WKG1}, {{B2 + 0x164, 64}}, {{B2 + 0x164, 64}}},
      {"WKS", &TForm3::Button48, &TForm3::Button49, {WKS}, {{B2 + 0x1A4, 32}}, {{B2 + 0x1A4, 32}}},
      {"CHN",
       &TForm3::Button26,
       &TForm3::Button27,
       {CHN0, CHN1},
       {{B2 + 0x1C4, 80}, {B2 + 0x214, 80}},
       {{B2 + 0x1C4, 80}, {B2 + 0x214, 80}}},
      {"LKZ / BW",
       &TForm3::Button2,
       &TForm3::Button51,
       {CHN0, CHN1},
       {{B2 + 0x1C4, 80}, {B2 + 0x214, 80}},
       {{B2 + 0x1C4, 80}, {B2 + 0x214, 80}}},
      {"EXB_1", &TForm3::Button1, &TForm3::Button24, {EXB}, {{B2 + 0x264, 64}}, {{B2 + 0x264, 64}}},
      {"EXB_2", &TForm3::Button29, &TForm3::Button30, {EXB}, {{B2 + 0x264, 64}}, {{B2 + 0x264, 64}}},
      {"MSC", &TForm3::Button50, &TForm3::Button59, {MSC}, {{B2 + 0x2A4, 32}}, {{B2 + 0x2A4, 32}}},
      {"ADM", &TForm3::Button15, &TForm3::Button28, {ADM}, {{B2, 16}}, {{B2 + 4, 12}}},
      {"SAV", &TForm3::Button42, nullptr, {SAV}, {}, {}},
  };
  return pages;
}

// Every page: "Schreiben" refuses before anything was read, "Lesen" reads
// its section(s) from its place in the chosen copy and sets the flags, then
// "Schreiben" writes them back to the same place.
TEST_F(PageButtonsTest, EveryPageMovesItsSectionAtItsAddress) {
  for (const PageCase& c : Pages()) {
    SCOPED_TRACE(c.page);
    NewProgram();
    SetupBase = SETUP_BASE_2;
    SeedDevice();
    sim_.Log().Clear();
    const size_t boxes = dialogs_.Boxes().size();

    if (c.write != nullptr) {
      dialogs_.Answer(IDOK);
      (editor().*c.write)->Click();
      ASSERT_EQ(dialogs_.Boxes().size(), boxes + 1);
      EXPECT_EQ(dialogs_.Boxes().back().request.text, "Bitte Setup von Gerät lesen!");
      EXPECT_TRUE(Requests().empty()) << "nothing is sent";
    }

    const bool single = c.sections.size() == 1;
    if (single) dialogs_.Answer(IDOK);
    (editor().*c.read)->Click();
    EXPECT_EQ(Blocks(devsim::CMD_BLOCK_READ), c.reads);
    if (c.sections[0] == SAV) {
      EXPECT_EQ(Blocks(devsim::CMD_BLOCK_READ_ONCE), (BlockList{{0, 64}}));
    }
    if (single) {
      ASSERT_FALSE(dialogs_.Boxes().empty());
      EXPECT_EQ(dialogs_.Boxes().back().request.text, "OK!");
      EXPECT_EQ(dialogs_.Boxes().back().request.icon, BoxIcon::Information);
    }
    EXPECT_EQ(dialogs_.Boxes().size(), boxes + (c.write != nullptr ? 1 : 0) + (single ? 1 : 0))
        << "the channel pages show no \"OK!\" after reading";
    for (SetupSection s : c.sections) {
      EXPECT_EQ(ImageSection(s), DeviceSection(s)) << Info(s).name;
      EXPECT_EQ(Form1->SectionRead[Flag(s)], 1) << Info(s).name;
    }
    if (c.write == nullptr) continue;

    sim_.Log().Clear();
    dialogs_.Answer(IDOK);
    (editor().*c.write)->Click();
    EXPECT_EQ(Blocks(devsim::CMD_BLOCK_WRITE), c.writes);
    EXPECT_EQ(dialogs_.Boxes().back().request.text, "OK!");
    for (SetupSection s : c.sections) {
      const Bytes image = ImageSection(s);
      const Bytes device = DeviceSection(s);
      if (s == ADM)
        EXPECT_EQ(Bytes(device.begin() + 4, device.end()), Bytes(image.begin() + 4, image.end()));
      else
        EXPECT_EQ(device, image) << Info(s).name;
    }
    EXPECT_EQ(Form1->SetupPresent, 0) << "page transfers leave the whole-image flag";
  }
}

// A read that gets no answer shows the page's message, leaves the section as
// it was and sets no flag, so that the page cannot then be written.
TEST_F(PageButtonsTest, AFailedReadChangesNothingAndAllowsNoWrite) {
  SeedDevice();
  SetupBase = SETUP_BASE_2;
  Form1->SetupImage = known_setup::Defaults();
  const Bytes before = ImageSection(WKG0);
  sim_.InjectFault(1, devsim::Fault(devsim::FaultKind::NoAnswer).On(devsim::CMD_BLOCK_READ).Times(4));
  dialogs_.Answer(IDOK);
  editor().Button40->Click();  // "Lesen" on WKG_0_2
  ASSERT_EQ(dialogs_.Boxes().size(), 1u);
  EXPECT_EQ(dialogs_.Boxes()[0].request.text, "ERROR! -> Read Setup WKG[0])");
  EXPECT_EQ(dialogs_.Boxes()[0].request.title, "FEHLER");
  EXPECT_EQ(ImageSection(WKG0), before);
  EXPECT_EQ(Form1->SectionRead[Flag(WKG0)], 0);
  dialogs_.Answer(IDOK);
  sim_.Log().Clear();
  editor().Button41->Click();
  EXPECT_EQ(dialogs_.Boxes().back().request.text, "Bitte Setup von Gerät lesen!");
  EXPECT_TRUE(Requests(devsim::CMD_BLOCK_WRITE).empty());
}

TEST_F(PageButtonsTest, TheChannelPagesReadTheSecondChannelAfterAFailedFirst) {
  SeedDevice();
  SetupBase = SETUP_BASE_2;
  sim_.InjectFault(1, devsim::Fault(devsim::FaultKind::NoAnswer).On(devsim::CMD_BLOCK_READ).Times(4));
  dialogs_.Answer(IDOK);
  editor().Button26->Click();  // "Lesen" on CHN
  ASSERT_EQ(BoxTexts(), std::vector<std::string>{"ERROR! -> Read Setup (CHN[0])"});
  EXPECT_EQ(ImageSection(CHN1), DeviceSection(CHN1));
  EXPECT_EQ(Form1->SectionRead[Flag(CHN0)], 0);
  EXPECT_EQ(Form1->SectionRead[Flag(CHN1)], 1);
  // Either channel's flag lets the other page of the channels write both.
  sim_.Log().Clear();
  dialogs_.Answer(IDOK);
  editor().Button51->Click();  // "Schreiben" on LKZ / BW
  EXPECT_EQ(Blocks(devsim::CMD_BLOCK_WRITE), (BlockList{{B2 + 0x1C4, 80}, {B2 + 0x214, 80}}));
  EXPECT_EQ(dialogs_.Boxes().back().request.text, "OK!");
}

TEST_F(PageButtonsTest, AWriteAnsweredWithTheDevicesErrorStatusIsAFailure) {
  SetupBase = SETUP_BASE_1;
  Form1->SetupPresent = 1;
  sim_.InjectFault(1, devsim::Fault(devsim::FaultKind::ErrorStatus).On(devsim::CMD_BLOCK_WRITE).Times(1));
  dialogs_.Answer(IDOK);
  editor().Button39->Click();  // "Schreiben" on ADC_2: the first of two chunks fails
  EXPECT_EQ(Blocks(devsim::CMD_BLOCK_WRITE), (BlockList{{0x38, 128}, {0xB8, 116}}));
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"ERROR -> Write Setup (ADC+CAL)"});
}

TEST_F(PageButtonsTest, TheChannelPagesSayOkOnlyWhenBothSectionsWereWritten) {
  struct Case {
    const char* name;
    devsim::Fault fault;
  };
  const Case cases[] = {
      {"device error", devsim::Fault(devsim::FaultKind::ErrorStatus).On(devsim::CMD_BLOCK_WRITE).Times(1)},
      {"no answer", devsim::Fault(devsim::FaultKind::NoAnswer).On(devsim::CMD_BLOCK_WRITE).Times(4)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetupBase = SETUP_BASE_2;
    Form1->SetupPresent = 1;
    // The first section, CHN[0], fails; CHN[1] is written after it.
    sim_.InjectFault(1, c.fault);
    dialogs_.Answer(IDOK);
    const size_t before = dialogs_.Boxes().size();
    editor().Button27->Click();  // "Schreiben" on CHN
    std::vector<std::string> texts;
    for (size_t i = before; i < dialogs_.Boxes().size(); ++i) texts.push_back(dialogs_.Boxes()[i].request.text);
    EXPECT_EQ(texts, std::vector<std::string>{"ERROR -> Write Setup (CHN[0])"});
    ASSERT_TRUE(Form1->WaitUntilIdle());
  }
}

TEST_F(PageButtonsTest, OneAdcPageReadAllowsWritingOnAnother) {
  SetupBase = SETUP_BASE_1;
  dialogs_.Answer(IDOK);
  editor().Button38->Click();  // "Lesen" on ADC_2
  sim_.Log().Clear();
  dialogs_.Answer(IDOK);
  editor().Button44->Click();  // "Schreiben" on CAL
  EXPECT_EQ(Blocks(devsim::CMD_BLOCK_WRITE), (BlockList{{0x38, 128}, {0xB8, 116}}));
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"OK!", "OK!"}));
}

TEST_F(PageButtonsTest, FactoryDataOfHardware1002ComesFromTheBlockAddress) {
  SeedDevice();
  const SetupImageBytes known = known_setup::Image();
  PutDeviceMemory(FACTORY_DATA_ADDR, Bytes(known.begin() + 716, known.end()));
  Form1->HardwareVersionText = "1002";
  dialogs_.Answer(IDOK);
  editor().Button42->Click();
  EXPECT_EQ(Blocks(devsim::CMD_BLOCK_READ), (BlockList{{FACTORY_DATA_ADDR, 64}}));
  EXPECT_TRUE(Requests(devsim::CMD_BLOCK_READ_ONCE).empty());
  EXPECT_EQ(ImageSection(SAV), Bytes(known.begin() + 716, known.end()));
}

TEST_F(PageButtonsTest, FactoryValuesOfAChannelGoOutAsOneCommand) {
  editor().GroupBox25->Click();  // unlocks "Kanal 2"
  editor().Edit87->SetText("1A2B3C4D");
  editor().Edit88->SetText("00400000");
  dialogs_.Answer(IDOK);
  editor().Button53->Click();
  const std::vector<Request> sent = Requests(devsim::CMD_FACTORY_DATA);
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].data, (Bytes{0x97, 0x01, 0x1A, 0x2B, 0x3C, 0x4D, 0x00, 0x40, 0x00, 0x00}));
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"OK!"});
}

}  // namespace
