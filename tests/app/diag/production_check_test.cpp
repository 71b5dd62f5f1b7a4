// The production check panel: its set-up read when shown, the channel-2 rows
// by variant, and the windows and device commands that its rows start,
// against the simulated device.
#include "app/diag/factory_admin.h"
#include "app/diag/internal_calibration.h"
#include "app/diag/production_check.h"
#include "app/program/password_dialog.h"
#include "app/service/load_calibration.h"
#include "tests/app/service/service_fixture.h"

namespace {

class ProductionCheck : public ServiceTest {
 protected:
  void SetUp() override {
    ServiceTest::SetUp();
    forms_ = std::make_unique<Forms>();
  }
  void TearDown() override {
    forms_.reset();
    ServiceTest::TearDown();
  }
  TForm28& panel() { return *Form28; }

  // Shows the panel as its menu entry does, and lets it be activated.
  void ShowPanel() {
    window().ProduktionPrfung1->Click();
    ASSERT_TRUE(PumpUntil([&] { return panel().Active(); }));
  }
  size_t SetupReads() const { return ReceivedOf(CMD_BLOCK_READ).size(); }

 private:
  struct Forms {
    ScopedForm<TForm28> form28{Form28};
    ScopedForm<TForm7> form7{Form7};
    ScopedForm<TForm6> form6{Form6};
    ScopedForm<TForm22> form22{Form22};
    ScopedForm<TForm17> form17{Form17};
  };
  std::unique_ptr<Forms> forms_;
};

TEST_F(ProductionCheck, ShowingThePanelReadsTheSetupOnce) {
  PutDeviceSetup(SetupSection::WKG0, "mk", {1});
  // An activation while the read runs, as a box of that read gives, starts no second one.
  bool activatedDuringRead = false;
  bool shown = false;
  std::function<void()> activate = [&] {
    if (SetupReadRunning == 1 && SetupReads() > 0) {
      FireEvent(panel().OnActivate, &panel());
      activatedDuringRead = true;
    } else if (!shown) {
      Later(activate);
    }
  };
  Later(activate);
  ShowPanel();
  shown = true;
  ASSERT_TRUE(activatedDuringRead);
  const size_t oneRead = SetupReads();
  ASSERT_GT(oneRead, 0u);
  EXPECT_EQ(window().SetupReadDone, 1);
  EXPECT_EQ(link().SetupPresent, 1);
  EXPECT_EQ(SectionBytes(link().SetupImage, SetupSection::WKG0)[FieldOf(SetupSection::WKG0, "mk").offset], 1);
  for (TLabel* result : {panel().Label2, panel().Label4, panel().Label6, panel().Label8, panel().Label10})
    EXPECT_EQ(result->Caption(), "");

  // Back from a window that the panel started: nothing is read.
  panel().Button2->Click();
  ASSERT_TRUE(Form7->Visible());
  Form7->Activate();
  panel().Activate();
  ASSERT_TRUE(PumpUntil([&] { return panel().Active(); }));
  EXPECT_EQ(SetupReads(), oneRead);

  // Each new showing reads once more, the same requests.
  panel().Close();
  ShowPanel();
  EXPECT_EQ(SetupReads(), 2 * oneRead);
  EXPECT_TRUE(dialogs_.Boxes().empty());
}

TEST_F(ProductionCheck, TheChannel2RowsFollowTheVariant) {
  struct Case {
    int variant;
    bool enabled;
  };
  ShowPanel();
  for (const Case& c : {Case{11, false}, Case{3, false}, Case{21, true}, Case{10, true}, Case{9, false}}) {
    SCOPED_TRACE(c.variant);
    link().DeviceVariant = c.variant;
    FireEvent(panel().OnActivate, &panel());
    EXPECT_EQ(panel().Button4->Enabled(), c.enabled);
    EXPECT_EQ(panel().Button7->Enabled(), c.enabled);
  }
  // A rejected variant leaves the rows as they were.
  link().VariantRejected = 1;
  link().DeviceVariant = 21;
  FireEvent(panel().OnActivate, &panel());
  EXPECT_FALSE(panel().Button4->Enabled());
  EXPECT_FALSE(panel().Button7->Enabled());
}

TEST_F(ProductionCheck, TheFactoryCalibrationRowsChooseTheirChannelAndSwitch) {
  link().DeviceVariant = 21;
  link().SupervisorMode = 1;
  ShowPanel();
  // The device has channel 1 selected: the row's channel wins over the window's reading of it.
  sim_.Log().Clear();
  panel().Button4->Click();
  EXPECT_TRUE(Form6->Visible());
  EXPECT_EQ(link().CalibrationServiceMode, 1);
  EXPECT_EQ(Form6->ComboBox3->ItemIndex(), 1);
  EXPECT_EQ(CountOf(CMD_CAL_SETTINGS, {1}), 1u);  // the window's activation read its settings first
  EXPECT_TRUE(sim_.Model(1).factoryCalEnabled);
  EXPECT_EQ(CountOf(CMD_FACTORY_CAL_ENABLE, {0, 1}), 1u);

  // Channel 1 after channel 2; the switch turns the factory calibration off again.
  panel().Button3->Click();
  EXPECT_EQ(Form6->ComboBox3->ItemIndex(), 0);
  EXPECT_FALSE(sim_.Model(1).factoryCalEnabled);
}

TEST_F(ProductionCheck, TheLoadCalibrationRowsPrepareTheirChannel) {
  link().DeviceVariant = 21;
  ShowPanel();
  for (int channel : {1, 0}) {
    SCOPED_TRACE(channel);
    sim_.Log().Clear();
    (channel == 0 ? panel().Button6 : panel().Button7)->Click();
    EXPECT_TRUE(Form22->Visible());
    EXPECT_EQ(window().CalibrationChannel, channel);
    EXPECT_EQ(CountOf(CMD_SELECT_CHANNEL, {static_cast<uint8_t>(channel + 1)}), 1u);
    Form22->Hide();
  }
}

TEST_F(ProductionCheck, ResetAndSoftResetRestartTheDevice) {
  ShowPanel();
  for (bool soft : {false, true}) {
    SCOPED_TRACE(soft);
    sim_.Log().Clear();
    (soft ? panel().Button8 : panel().Button5)->Click();
    const auto resets = ReceivedOf(CMD_RESET);
    ASSERT_EQ(resets.size(), 1u);
    EXPECT_EQ(DataOf(resets[0]), std::vector<uint8_t>{static_cast<uint8_t>(soft ? 1 : 0)});
    EXPECT_EQ(link().SoftResetRequested, 0);
    EXPECT_EQ(ServiceConnected, 1);
  }
}

TEST_F(ProductionCheck, TheDefaultSetupIsStoredAndMarksTheSetupAsNotRead) {
  ShowPanel();
  ASSERT_EQ(link().SetupPresent, 1);
  PutDeviceSetup(SetupSection::WKG0, "mk", {7});
  sim_.Log().Clear();
  dialogs_.Answer(IDOK);  // the link's "OK!"
  panel().Button9->Click();
  EXPECT_EQ(BoxTexts().front(), "OK!");
  EXPECT_EQ(ReceivedOf(CMD_DEFAULTS_TO_EEPROM).size(), 1u);
  const uint8_t mk = sim_.Model(1).memory[SetupAddress(SetupSection::WKG0, "mk")];
  EXPECT_NE(mk, 7);
  const auto resets = ReceivedOf(CMD_RESET);
  ASSERT_EQ(resets.size(), 1u);
  EXPECT_EQ(DataOf(resets[0]), std::vector<uint8_t>{0});
  // The set-up was marked as not read, so the reconnect read the device's new one.
  const std::vector<int> commands = ReceivedCommands();
  const auto reset = std::find(commands.begin(), commands.end(), CMD_RESET);
  EXPECT_NE(std::find(reset, commands.end(), CMD_BLOCK_READ), commands.end());
  EXPECT_EQ(SectionBytes(link().SetupImage, SetupSection::WKG0)[FieldOf(SetupSection::WKG0, "mk").offset], mk);
  EXPECT_EQ(ServiceConnected, 1);
}

}  // namespace
