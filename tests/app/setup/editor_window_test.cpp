// The set-up editor as a window: activation, set-up copy, toolbar and device
// commands, against the simulated device.
#include "app/diag/factory_admin.h"
#include "app/program/password_dialog.h"
#include "tests/app/setup/known_setup.h"
#include "tests/app/setup/sim_editor_fixture.h"

namespace {

using enum SetupSection;
using Bytes = std::vector<uint8_t>;

class EditorWindowTest : public SimEditorTest {
 protected:
  void Open() {
    editor().Show();
    editor().Activate();
  }
  // Makes another window active and then the editor again.
  void SwitchBack() {
    Form21->Show();
    Form21->Activate();
    editor().Activate();
  }
  std::string Panel() const {
    return Form1->StatusBar1->PanelCount() > 9 ? Form1->StatusBar1->Panel(9).Text : std::string("no panel");
  }
};

TEST_F(EditorWindowTest, ActivationTakesTheCopyTheDeviceReports) {
  struct Case {
    uint8_t reported;
    const char* label;
    TColor colour;
    uint16_t base;
    const char* panel;
    std::vector<std::string> boxes;
  };
  const Case cases[] = {
      {0, "SETUP 1", clGreen, SETUP_BASE_1, "SETUP1", {}},
      {1, "SETUP 2", clGreen, SETUP_BASE_2, "SETUP2", {}},
      {2,
       "DEFAULT (SET1)",
       clGreen,
       SETUP_BASE_1,
       "DEFAULT (SET1)",
       {"Gerät läuft mit Default-Setup!",
        "DEFAULT-Setup geladen! Bitte Default-Jumper prüfen, Setup überprüfen oder neu programmieren."}},
      {5, "FAIL", clRed, SETUP_BASE_1, "FAIL", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.reported));
    NewProgram();
    SetupBase = 0;
    SetupQueryDone = 0;
    sim_.Log().Clear();
    sim_.WithDevice(1, [&](devsim::DeviceModel& m) { m.activeSetup = c.reported; });
    const size_t before = dialogs_.Boxes().size();
    for (size_t i = 0; i < c.boxes.size(); ++i) dialogs_.Answer(IDOK);

    Open();

    ASSERT_EQ(Requests(devsim::CMD_SETUP_SELECT).size(), 1u);
    EXPECT_EQ(Requests(devsim::CMD_SETUP_SELECT)[0].data, Bytes{1});
    EXPECT_EQ(editor().Label133->Caption(), c.label);
    EXPECT_EQ(editor().Label133->Font().Color(), c.colour);
    EXPECT_EQ(SetupBase, c.base);
    EXPECT_EQ(ActiveSetup, c.reported) << "also a number the editor does not know is kept";
    EXPECT_EQ(Panel(), c.panel);
    const std::vector<std::string> texts = BoxTexts();
    EXPECT_EQ(std::vector<std::string>(texts.begin() + static_cast<long>(before), texts.end()), c.boxes);
    editor().Close();
  }
}

TEST_F(EditorWindowTest, NoAnswerShowsFailAndKeepsTheCopy) {
  SetupBase = SETUP_BASE_2;
  ActiveSetup = 1;
  sim_.InjectFault(1, devsim::Fault(devsim::FaultKind::NoAnswer).On(devsim::CMD_SETUP_SELECT).Times(2));
  Open();
  EXPECT_EQ(editor().Label133->Caption(), "FAIL");
  EXPECT_EQ(editor().Label133->Font().Color(), clRed);
  EXPECT_EQ(SetupBase, SETUP_BASE_2) << "an unanswered query changes no copy";
  EXPECT_EQ(ActiveSetup, 1);
}

TEST_F(EditorWindowTest, TheQueryRunsOncePerOpening) {
  Open();
  SwitchBack();
  SwitchBack();
  EXPECT_EQ(Requests(devsim::CMD_SETUP_SELECT).size(), 1u);
  editor().Close();
  EXPECT_EQ(SetupQueryDone, 0);
  Open();
  EXPECT_EQ(Requests(devsim::CMD_SETUP_SELECT).size(), 2u);
}

// Requests that another window still waits for are never dropped by the
// activation; its query follows them through the queue.
TEST_F(EditorWindowTest, ActivationLeavesOtherWindowsRequestsAlone) {
  sim_.WithDevice(1, [](devsim::DeviceModel& m) { m.activeSetup = 1; });
  ASSERT_TRUE(Form1->QueueRequest(1, CMD_READ_CLOCK, nullptr, 0, 0, 1));
  Open();
  ASSERT_TRUE(PumpUntil([] { return Form1->PendingCount == 0; }));
  EXPECT_EQ(Requests(devsim::CMD_READ_CLOCK).size(), 1u);
  EXPECT_EQ(Form1->TransferFailed, 0);
  EXPECT_EQ(Requests(devsim::CMD_SETUP_SELECT).size(), 1u);
  EXPECT_EQ(editor().Label133->Caption(), "SETUP 2");
  EXPECT_EQ(SetupBase, SETUP_BASE_2);
  SwitchBack();
  EXPECT_EQ(Requests(devsim::CMD_SETUP_SELECT).size(), 1u);
}

TEST_F(EditorWindowTest, FirmwareType1StopsEveryActivation) {
  Form1->FirmwareType = 1;
  SetupBase = SETUP_BASE_2;
  dialogs_.Answer(IDOK);
  dialogs_.Answer(IDOK);
  Open();
  SwitchBack();
  const std::string text =
      "RTV482_2 ist nicht kompatibel zur Firmware 0x01!\n\nSetup Routinen können nicht ausgeführt werden! -> ABBRUCH!";
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{text, text}));
  EXPECT_EQ(dialogs_.Boxes()[0].request.icon, BoxIcon::Information);
  EXPECT_TRUE(Requests().empty());
  EXPECT_EQ(SetupBase, SETUP_BASE_2);
}

TEST_F(EditorWindowTest, SetupButtonsChooseTheCopyAtOnce) {
  SetupBase = SETUP_BASE_1;
  editor().Button36->Click();
  EXPECT_EQ(SetupBase, SETUP_BASE_2) << "before the request goes out";
  EXPECT_EQ(ActiveSetup, 1);
  EXPECT_EQ(editor().Label133->Caption(), "SETUP 2");
  editor().Button35->Click();
  EXPECT_EQ(SetupBase, SETUP_BASE_1);
  EXPECT_EQ(editor().Label133->Caption(), "SETUP 1");
  ASSERT_TRUE(PumpUntil([&] { return Requests(devsim::CMD_SETUP_SELECT).size() == 2; }));
  const std::vector<Request> sent = Requests(devsim::CMD_SETUP_SELECT);
  // The link serves the newest request first.
  EXPECT_EQ(sent[0].data, (Bytes{2, 0}));
  EXPECT_EQ(sent[1].data, (Bytes{2, 1}));
}

TEST_F(EditorWindowTest, DeviceCommandsSendTheirRequests) {
  struct Case {
    TButton* TForm3::*button;
    uint8_t command;
    Bytes data;
    std::string box;
  };
  const Case cases[] = {
      {&TForm3::Button13, devsim::CMD_SETUP_CHECKSUM, {1}, ""},
      {&TForm3::Button11, devsim::CMD_SETUP_CHECKSUM, {2}, "OK!"},
      {&TForm3::Button12, devsim::CMD_SETUP_CHECKSUM_TEST, {}, "VD417-CSum OK"},
      {&TForm3::Button20, devsim::CMD_DEFAULTS_TO_EEPROM, {}, "OK!"},
      {&TForm3::Button21, devsim::CMD_RUNTIME_TO_EEPROM, {}, "OK!"},
      {&TForm3::Button45, devsim::CMD_DEFAULTS_TO_EEPROM, {}, "OK!"},
      {&TForm3::Button7, devsim::CMD_LOAD_DEFAULTS, {}, "OK!"},
      {&TForm3::Button9, devsim::CMD_LOAD_EEPROM, {}, "OK!"},
      {&TForm3::Button10, devsim::CMD_SETUP_ACTIVE, {}, ""},
      {&TForm3::Button18, devsim::CMD_RESET, {}, "OK!"},
  };
  editor().RadioButton1->SetChecked(true);
  for (const Case& c : cases) {
    sim_.Log().Clear();
    dialogs_.Answer(IDOK);
    const size_t before = dialogs_.Boxes().size();
    (editor().*c.button)->Click();
    ASSERT_TRUE(PumpUntil([&] { return dialogs_.Boxes().size() > before; })) << static_cast<int>(c.command);
    const std::vector<Request> sent = Requests(c.command);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].data, c.command == devsim::CMD_SETUP_ACTIVE ? Bytes{1} : c.data);
    if (!c.box.empty()) {
      EXPECT_EQ(dialogs_.Boxes().back().request.text, c.box);
    }
    if (c.command == devsim::CMD_RESET) {
      ASSERT_TRUE(PumpUntil([&] { return sim_.Model(1).resetCount == 1; }));
    }
  }
  EXPECT_EQ(dialogs_.Boxes()[0].request.text.rfind("VD417-Setup-CSum : ", 0), 0u);
}

TEST_F(EditorWindowTest, TopResetSendsTheResetWithoutWaitingAndForgetsTheIdentification) {
  Form1->DeviceIdentified = 1;
  editor().Button37->Click();
  EXPECT_EQ(Form1->DeviceIdentified, 0);
  ASSERT_TRUE(PumpUntil([&] { return !Requests(devsim::CMD_RESET).empty(); }));
  EXPECT_EQ(Requests(devsim::CMD_RESET)[0].data, Bytes{0});
}

TEST_F(EditorWindowTest, SoftResetRestartsTheDeviceWithTheSoftResetByte) {
  editor().Button54->Click();
  ASSERT_EQ(Requests(devsim::CMD_RESET).size(), 1u);
  EXPECT_EQ(Requests(devsim::CMD_RESET)[0].data, Bytes{1});
  EXPECT_EQ(Form1->SoftResetRequested, 0);
  EXPECT_EQ(sim_.Model(1).resetCount, 1);
}

// "Admin Setup" opens the factory administration at once in supervisor mode,
// and not at all when the password dialog is given up.
TEST_F(EditorWindowTest, AdminSetupIsGuarded) {
  TForm17 password;
  Form17 = &password;
  TForm7 admin;
  Form7 = &admin;
  for (const int supervisor : {1, 0}) {
    SCOPED_TRACE(supervisor);
    Form1->SupervisorMode = supervisor;
    bool adminShown = false;
    bool passwordAsked = false;
    TTimer watch(&editor());
    watch.SetInterval(10);
    watch.OnTimer = [&](TObject*) {
      if (admin.Visible()) {
        adminShown = true;
        admin.Close();
      }
      if (password.Visible()) {
        passwordAsked = true;
        password.Button1->Click();  // "Abbrechen"
      }
    };
    watch.SetEnabled(true);
    editor().Button25->Click();
    watch.SetEnabled(false);
    EXPECT_EQ(adminShown, supervisor == 1);
    EXPECT_EQ(passwordAsked, supervisor == 0);
  }
  Form7 = nullptr;
  Form17 = nullptr;
}

TEST_F(EditorWindowTest, RestoreIsEnabledOnlyByAConfirmedBackup) {
  sim_.InjectFault(1, devsim::Fault(devsim::FaultKind::ErrorStatus).On(devsim::CMD_SETUP_BACKUP).Times(1));
  editor().Button57->Click();
  EXPECT_EQ(Requests(devsim::CMD_SETUP_BACKUP).size(), 1u);
  EXPECT_FALSE(editor().Button58->Enabled());
  dialogs_.Answer(IDOK);
  editor().Button57->Click();
  EXPECT_EQ(Requests(devsim::CMD_SETUP_BACKUP)[1].data, Bytes{2});
  EXPECT_TRUE(editor().Button58->Enabled());
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"OK!"});
}

TEST_F(EditorWindowTest, EndLocksTheFactoryFieldsAndClosesTheWindow) {
  Open();
  editor().GroupBox24->Click();
  ASSERT_TRUE(editor().Button52->Enabled());
  editor().ENDE->Click();
  EXPECT_FALSE(editor().Visible());
  EXPECT_EQ(SetupQueryDone, 0);
  for (TEdit* edit : {editor().Edit85, editor().Edit86, editor().Edit87, editor().Edit88}) {
    EXPECT_FALSE(edit->Enabled());
    EXPECT_TRUE(edit->ReadOnly());
  }
  EXPECT_FALSE(editor().Button52->Enabled());
  EXPECT_FALSE(editor().Button53->Enabled());
}

TEST_F(EditorWindowTest, DefaultImagesFillEverySectionButTheFactoryData) {
  Form1->SetupImage.fill(0x11);
  editor().Button22Click(nullptr);  // the button is hidden
  const SetupImageBytes defaults = known_setup::Defaults();
  for (const SectionInfo& info : Sections()) {
    const auto got = SectionBytes(std::as_const(Form1->SetupImage), info.section);
    if (info.section == SAV)
      EXPECT_TRUE(std::all_of(got.begin(), got.end(), [](uint8_t b) { return b == 0x11; }));
    else
      EXPECT_TRUE(std::equal(got.begin(), got.end(), SectionBytes(defaults, info.section).begin())) << info.name;
  }
  EXPECT_EQ(Form1->SetupPresent, 1);
  EXPECT_TRUE(Requests().empty());
}

// "VD417 -> PC" identifies a device that is not identified yet, then reads.
TEST_F(EditorWindowTest, ReadFromTheToolbarIdentifiesFirst) {
  for (const int identified : {1, 0}) {
    SCOPED_TRACE(identified);
    sim_.Log().Clear();
    Form1->DeviceIdentified = identified;
    editor().Button5->Click();
    const std::vector<Request> all = Requests();
    const auto firstRead =
        std::find_if(all.begin(), all.end(), [](const Request& r) { return r.command == devsim::CMD_BLOCK_READ; });
    const auto firstIdent =
        std::find_if(all.begin(), all.end(), [](const Request& r) { return r.command == devsim::CMD_IDENT_DATA; });
    ASSERT_NE(firstRead, all.end());
    EXPECT_EQ(firstIdent != all.end(), identified == 0);
    if (identified == 0) {
      EXPECT_LT(firstIdent - all.begin(), firstRead - all.begin());
    }
    EXPECT_EQ(Form1->SetupPresent, 1);
  }
}

TEST_F(EditorWindowTest, WriteAllFromTheToolbarNeedsASetup) {
  dialogs_.Answer(IDOK);
  editor().Button6->Click();
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Bitte Setup von Gerät lesen!"});
  EXPECT_TRUE(Requests().empty());
}

}  // namespace

// After "VD417 -> PC" the keyboard focus stays on that button: one key press
// must never write the default set-up ("Default-Setup -> VD417") into the device.
TEST_F(EditorWindowTest, ReadFromTheToolbarLeavesTheFocusWhereItWas) {
  Open();
  editor().Button5->SetFocus();
  ASSERT_TRUE(PumpUntil([&] { return editor().Button5->Focused(); }));
  sim_.Log().Clear();
  editor().Button5->Click();
  ASSERT_FALSE(Requests(devsim::CMD_BLOCK_READ).empty());
  PumpUntil([] { return false; }, std::chrono::milliseconds(200));
  EXPECT_FALSE(editor().Button45->Focused());
  EXPECT_TRUE(editor().Button5->Focused());
}
