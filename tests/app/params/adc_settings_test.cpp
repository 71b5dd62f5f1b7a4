// The ADC settings dialog against the simulated device: the two values
// shown from the set-up image and written back with the ADC section
// through the set-up editor's codec.
#include "app/params/adc_settings.h"
#include "tests/app/params/params_fixture.h"

namespace {

using devsim::Fault;
using devsim::FaultKind;

class AdcSettings : public ParamsTest {
 protected:
  void SetUp() override {
    ParamsTest::SetUp();
    form32_ = std::make_unique<ScopedForm<TForm32>>(Form32);
    // A device with a complete set-up.
    SetupImageBytes image = known_setup::Defaults();
    LoadDevice(image, devsim::SETUP_BASE_1);
  }
  void TearDown() override {
    form32_.reset();
    ParamsTest::TearDown();
  }
  TForm32& dialog() { return *Form32; }

  // The device's ADC section as the set-up editor reads it, then the dialog activated.
  void Open(uint8_t crate, uint8_t length, uint8_t filterType) {
    PutDeviceSetup(SetupSection::ADC, "crate", {crate});
    PutDeviceSetup(SetupSection::ADC, "len_0", {length});
    PutDeviceSetup(SetupSection::ADC, "mwfilter_type", {filterType});
    editor().ReadSetupFromDevice();
    ASSERT_EQ(SetupBase, SETUP_BASE_1);
    // The read's release of the device's output, sent without a wait, is out
    // before the user can write.
    ASSERT_TRUE(link().WaitUntilIdle());
    FireEvent(dialog().OnActivate, &dialog());
  }
  std::vector<uint8_t> DeviceAdc() const {
    const devsim::DeviceModel m = sim_.Model(1);
    const auto first = m.memory.begin() + SETUP_BASE_1 + Info(SetupSection::ADC).copy_offset;
    return {first, first + Info(SetupSection::ADC).size};
  }
  static uint8_t At(const std::vector<uint8_t>& section, const char* field) {
    return section[static_cast<size_t>(FieldOf(SetupSection::ADC, field).offset)];
  }
  // Clicks "Schreiben" and expects the one box it shows.
  void Write(const std::string& box) {
    dialogs_.Answer(IDOK);
    const size_t before = dialogs_.Boxes().size();
    dialog().Button3->Click();
    ASSERT_EQ(dialogs_.Boxes().size(), before + 1);
    EXPECT_EQ(dialogs_.Boxes().back().request.text, box);
    EXPECT_TRUE(dialog().Button1->Enabled());
    EXPECT_TRUE(dialog().Button3->Enabled());
    EXPECT_FALSE(dialog().Label4->Visible());
  }

 private:
  std::unique_ptr<ScopedForm<TForm32>> form32_;
};

TEST_F(AdcSettings, WritingWithoutChangesSendsTheSectionAsRead) {
  for (uint8_t filterType : {0, 1}) {
    SCOPED_TRACE(filterType);
    Open(1, 16, filterType);
    EXPECT_EQ(dialog().ComboBox1->Text(), "16");
    EXPECT_EQ(dialog().ComboBox2->Text(), "16");
    sim_.Log().Clear();
    Write("OK!");
    EXPECT_EQ(At(DeviceAdc(), "crate"), 1);
    EXPECT_EQ(At(DeviceAdc(), "len_0"), 16);
    // The whole section, in the link's chunks, to the set-up copy in use.
    EXPECT_EQ(BlockWrites(), ChunksOf({SetupSection::ADC}, SETUP_BASE_1));
  }
}

TEST_F(AdcSettings, TheChosenRateAndFilterLengthAreWrittenAndTheRestKept) {
  for (uint8_t filterType : {0, 1}) {
    SCOPED_TRACE(filterType);
    Open(1, 16, filterType);
    // Every other byte is the set-up editor's own rebuild of the section.
    editor().ControlsToSetup(SectionCode(SetupSection::ADC, SetupBase), CODEC_UPDATE_IMAGE);
    const auto rebuilt = SectionBytes(link().SetupImage, SetupSection::ADC);
    const std::vector<uint8_t> before(rebuilt.begin(), rebuilt.end());
    dialog().ComboBox1->UserSelect(2);  // "33"
    dialog().ComboBox2->UserSelect(1);  // "4"
    Write("OK!");
    const std::vector<uint8_t> after = DeviceAdc();
    EXPECT_EQ(At(after, "crate"), 2);
    EXPECT_EQ(At(after, "len_0"), 4);
    for (size_t i = 0; i < after.size(); ++i) {
      if (i == static_cast<size_t>(FieldOf(SetupSection::ADC, "crate").offset)) continue;
      if (i == static_cast<size_t>(FieldOf(SetupSection::ADC, "len_0").offset)) continue;
      EXPECT_EQ(after[i], before[i]) << "byte " << i;
    }
    // The image and the set-up editor hold what was written.
    const auto image = SectionBytes(link().SetupImage, SetupSection::ADC);
    EXPECT_EQ(At(std::vector<uint8_t>(image.begin(), image.end()), "len_0"), 4);
    EXPECT_EQ(editor().ComboBox44->ItemIndex(), 2);
  }
}

TEST_F(AdcSettings, AValueOutsideTheListsKeepsTheEditorsValue) {
  Open(5, 64, 0);
  EXPECT_EQ(dialog().ComboBox1->ItemIndex(), -1);
  EXPECT_EQ(dialog().ComboBox2->ItemIndex(), -1);
  Write("OK!");
  EXPECT_EQ(At(DeviceAdc(), "crate"), 5);
  EXPECT_EQ(At(DeviceAdc(), "len_0"), 64);
}

TEST_F(AdcSettings, AFailedWriteSaysErrorAndTheDialogStaysUsable) {
  Open(0, 2, 1);
  sim_.InjectFault(1, Fault(FaultKind::ErrorStatus).On(CMD_BLOCK_WRITE));
  Write("ERROR!");
  EXPECT_EQ(dialogs_.Boxes().back().request.title, "FEHLER");
  EXPECT_EQ(dialogs_.Boxes().back().request.icon, BoxIcon::Error);
  Write("OK!");
  EXPECT_EQ(dialogs_.Boxes().back().request.title, "HINWEIS");
}

TEST_F(AdcSettings, TheHiddenMenuEntryReadsTheSetupAndBeendenMarksTheRestartButton) {
  PutDeviceSetup(SetupSection::ADC, "crate", {0});
  PutDeviceSetup(SetupSection::ADC, "len_0", {32});
  bool seen = false;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  // Until the dialog is shown and its activation has filled the lists (or long enough to fail).
  std::function<void()> whenShown = [&] {
    if (!(dialog().Visible() && dialog().ComboBox1->ItemIndex() >= 0) && std::chrono::steady_clock::now() < deadline)
      return Later(whenShown);
    seen = true;
    EXPECT_EQ(dialog().ComboBox1->Text(), "4");
    EXPECT_EQ(dialog().ComboBox2->Text(), "32");
    dialog().Button1->Click();
  };
  Later(whenShown);
  EXPECT_FALSE(window().ADCEinstellungen1->Visible());
  window().ADCEinstellungen1Click(nullptr);  // returns when the modal dialog closes
  EXPECT_TRUE(seen);
  EXPECT_TRUE(window().Button18->Font().Bold());
  EXPECT_TRUE(ReceivedOf(CMD_RESET).empty());
}

TEST_F(AdcSettings, EnglishCaptions) {
  link().Options.lang = 1;
  dialog().ChangeLanguage();
  EXPECT_EQ(dialog().Caption(), "RTV483 - ADC settings");
  EXPECT_EQ(dialog().Label1->Caption(), "ADC conversion rate");
  EXPECT_EQ(dialog().Label2->Caption(), "Count average filter");
  EXPECT_EQ(dialog().Button1->Caption(), "Exit");
  EXPECT_EQ(dialog().Button3->Caption(), "Schreiben");
}

}  // namespace
