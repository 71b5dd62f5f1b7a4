// The device identification against the simulated device: the variants and
// boards it knows and how it adapts the test window, the service window and
// the set-up editor; the set-up copy, channel and ADC mode it reads; its
// messages and what it does with a silent device.
#include <algorithm>
#include <chrono>
#include <ctime>
#include <optional>

#include "tests/app/link/test_window_fixture.h"

namespace {

using devsim::Fault;
using devsim::FaultKind;
using devsim::kForever;

class Identification : public TestWindowTest {
 protected:
  // Sets a control's visibility to the opposite of what a case expects, so
  // that the identification must change it; a control the case expects
  // untouched is hidden and must stay so.
  static void Prime(TControl* control, std::optional<bool> expected) {
    control->SetVisible(expected ? !*expected : false);
  }
  static void Prime(TMenuItem* item, std::optional<bool> expected) { item->SetVisible(expected ? !*expected : false); }
  static bool Shown(TControl* control) { return control->Visible(); }

  void Model(std::function<void(devsim::DeviceModel&)> change) { sim_.WithDevice(1, change); }

  std::vector<std::string> BoxTexts() const {
    std::vector<std::string> texts;
    for (const auto& box : dialogs_.Boxes()) texts.push_back(box.request.text);
    return texts;
  }
};

TEST_F(Identification, EveryVariantAdaptsTheChannelsOfAllThreeWindows) {
  struct Case {
    int variant;
    int result;
    std::optional<int> type1, type2;  // the editor's input-type lists (nullopt: untouched)
    const char* signal1;              // service window "Eingangssignal"; "?" untouched
    const char* signal2;
    std::optional<bool> edit2, edit4, label4;  // nominal-value fields and their caption
    bool channel2;                             // group "Kanal 2" and "Lastkalibrierung - Kanal 2"
    bool singleChannelList;                    // the editor's channel count: "1" and disabled
    std::optional<bool> deviceList;            // "Übersicht angeschlossene Geräte - RS485" enabled
  };
  const Case cases[] = {
      {1, 0, 0, {}, "+/- 3 mV/V", "?", true, {}, true, false, true, {}},
      {2, 0, 0, {}, "+/- 3 mV/V", "?", true, {}, true, false, true, false},
      {3, 0, 0, {}, "+/- 3 mV/V", "?", true, {}, true, false, true, true},
      {11, 0, 0, {}, "+/- 3 mV/V", "?", true, {}, true, false, true, false},
      {21, 0, 0, 0, "+/- 3 mV/V", "+/- 3 mV/V", true, true, true, true, false, false},
      {22, 0, 0, 2, "+/- 3 mV/V", "0..10 V", true, false, true, true, false, {}},
      {23, 0, 0, 1, "+/- 3 mV/V", "4..20 mA", true, false, true, true, false, {}},
      {24, 0, 2, 2, "0..10 V", "0..10 V", false, false, false, true, false, {}},
      {25, 0, 1, 1, "4..20 mA", "4..20 mA", false, false, false, true, false, false},
      {32, 0, 2, 0, "0..10 V", "+/- 3 mV/V", false, true, true, true, false, {}},
      {33, 0, 1, 0, "4..20 mA", "+/- 3 mV/V", false, true, true, true, false, {}},
      // Not a variant of this program: stopped after the channel-2 controls were offered.
      {4, 1, {}, {}, "?", "?", {}, {}, {}, true, false, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("variant " + std::to_string(c.variant));
    Model([&](devsim::DeviceModel& m) {
      m.variant = static_cast<uint8_t>(c.variant);
      m.hardwareVersion = "1001";
    });
    editor().ComboBox74->SetItemIndex(-1);
    editor().ComboBox75->SetItemIndex(-1);
    editor().ComboBox5->SetItemIndex(1);
    editor().ComboBox5->SetEnabled(false);
    Form21->Label16->SetCaption("?");
    Form21->Label17->SetCaption("?");
    Prime(Form21->Edit2, c.edit2);
    Prime(Form21->Edit4, c.edit4);
    Prime(Form21->Label4, c.label4);
    Form21->GroupBox2->SetVisible(!c.channel2);
    Form21->Kanal2->SetVisible(!c.channel2);
    Form21->ShowVD4171->SetEnabled(c.deviceList ? !*c.deviceList : false);
    const size_t boxesBefore = dialogs_.Boxes().size();
    const int identifiedBefore = link().DeviceIdentified;
    if (c.result == 1) dialogs_.Answer(IDOK);

    EXPECT_EQ(link().IdentifyDevice(), c.result);

    EXPECT_EQ(editor().ComboBox74->ItemIndex(), c.type1.value_or(-1));
    EXPECT_EQ(editor().ComboBox75->ItemIndex(), c.type2.value_or(-1));
    EXPECT_EQ(Form21->Label16->Caption(), c.signal1);
    EXPECT_EQ(Form21->Label17->Caption(), c.signal2);
    EXPECT_EQ(Shown(Form21->Edit2), c.edit2.value_or(false));
    EXPECT_EQ(Shown(Form21->Edit4), c.edit4.value_or(false));
    EXPECT_EQ(Shown(Form21->Label4), c.label4.value_or(false));
    EXPECT_EQ(Shown(Form21->GroupBox2), c.channel2);
    EXPECT_EQ(Form21->Kanal2->Visible(), c.channel2);
    EXPECT_EQ(editor().ComboBox5->ItemIndex(), c.singleChannelList ? 0 : 1);
    EXPECT_EQ(editor().ComboBox5->Enabled(), !c.singleChannelList);
    EXPECT_EQ(Form21->ShowVD4171->Enabled(), c.deviceList.value_or(false));
    if (c.singleChannelList) {
      // The editor hid its channel-2 controls as a user's choice of "1" does.
      EXPECT_FALSE(editor().ComboBox43->Enabled());
    }
    EXPECT_EQ(link().VariantRejected, c.result);
    EXPECT_EQ(link().DeviceIdentified, c.result == 0 ? 1 : identifiedBefore);
    ASSERT_EQ(dialogs_.Boxes().size(), boxesBefore + (c.result == 1 ? 1 : 0));
    if (c.result == 1) {
      const MessageBoxRequest& box = dialogs_.Boxes().back().request;
      EXPECT_EQ(box.text, "Falsche Gerätevariante! (Variante: 4) -> Abbruch!");
      EXPECT_EQ(box.title, "HINWEIS");
      EXPECT_EQ(box.icon, BoxIcon::Information);
      EXPECT_EQ(link().StatusBar1->Panel(9).Text, "FAIL");
      EXPECT_EQ(Form21->StatusBar1->Panel(2).Text, "FAIL");
      // The output held at the start is released on this way out too.
      EXPECT_TRUE(PumpUntil([&] { return !sim_.Model(1).cyclicHeld; }));
    }
  }
}

TEST_F(Identification, EveryBoardShowsTheFunctionsItCarries) {
  struct Case {
    const char* code;
    int variant;
    bool exb;
    int deviceType;
    bool edit5, profibus, label10, exbMenus, global, channel2Params, editorExb, incremental, extensionGroups,
        channel2Group;
  };
  const Case cases[] = {
      {"1001", 21, true, 1, false, true, true, true, true, true, true, true, true, true},
      {"1001", 11, false, 1, false, true, true, false, true, false, true, true, true, false},
      {"1003", 21, false, 2, false, true, true, false, true, true, true, true, true, true},
      {"1002", 3, true, 3, true, false, false, false, true, false, false, false, false, false},
      {"1002", 11, false, 3, false, false, false, false, true, true, false, false, false, false},
      {"3001", 22, true, 4, false, false, true, false, false, true, true, false, true, true},
      {"4001", 21, false, 7, false, false, false, false, true, false, false, false, false, false},
      {"4002", 25, true, 6, false, false, false, false, true, false, false, false, false, false},
  };
  auto tabsShown = [&] {
    return editor().PageControl1->PageByCaption("EXB_1")->TabVisible() &&
           editor().PageControl1->PageByCaption("EXB_2")->TabVisible();
  };
  auto tabsHidden = [&] {
    return !editor().PageControl1->PageByCaption("EXB_1")->TabVisible() &&
           !editor().PageControl1->PageByCaption("EXB_2")->TabVisible();
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.code) + " variant " + std::to_string(c.variant) + (c.exb ? " EXB" : ""));
    Model([&](devsim::DeviceModel& m) {
      m.variant = static_cast<uint8_t>(c.variant);
      m.hardwareVersion = c.code;
      m.exbFitted = c.exb;
    });
    link().DeviceType = 0;
    Form21->Edit5->SetEnabled(!c.edit5);
    Form21->Profibus1->SetVisible(!c.profibus);
    Form21->Label10->SetVisible(!c.label10);
    Form21->ParameterExb11->SetVisible(!c.exbMenus);
    Form21->ParameterExb12->SetVisible(!c.exbMenus);
    Form21->ParameterKanal01->SetVisible(true);
    Form21->ParameterGlobal10->SetVisible(!c.global);
    Form21->ParameterKanal11->SetVisible(false);
    Form21->ParameterKanal12->SetVisible(!c.channel2Params);
    Form21->Inkrementalwerte1->SetEnabled(!c.incremental);
    editor().CheckBox21->SetChecked(true);
    editor().CheckBox21->SetVisible(!c.editorExb);
    for (const char* tab : {"EXB_1", "EXB_2"}) editor().PageControl1->PageByCaption(tab)->SetTabVisible(!c.editorExb);
    // The page "LKZ / BW" is not the identification's business.
    editor().PageControl1->PageByCaption("LKZ / BW")->SetTabVisible(true);

    ASSERT_EQ(link().IdentifyDevice(), 0);

    EXPECT_EQ(link().DeviceType, c.deviceType);
    EXPECT_EQ(Form21->Edit5->Enabled(), c.edit5);
    EXPECT_EQ(Form21->Profibus1->Visible(), c.profibus);
    EXPECT_EQ(Form21->Label10->Visible(), c.label10);
    EXPECT_EQ(Form21->ParameterExb11->Visible(), c.exbMenus);
    EXPECT_EQ(Form21->ParameterExb12->Visible(), c.exbMenus);
    EXPECT_FALSE(Form21->ParameterKanal01->Visible());
    EXPECT_EQ(Form21->ParameterGlobal10->Visible(), c.global);
    EXPECT_TRUE(Form21->ParameterKanal11->Visible());
    EXPECT_EQ(Form21->ParameterKanal12->Visible(), c.channel2Params);
    EXPECT_EQ(Form21->Inkrementalwerte1->Enabled(), c.incremental);
    EXPECT_EQ(editor().CheckBox21->Visible(), c.editorExb);
    EXPECT_EQ(editor().CheckBox21->Checked(), c.editorExb);  // unticked where the board has none
    EXPECT_TRUE(c.editorExb ? tabsShown() : tabsHidden());
    EXPECT_TRUE(editor().PageControl1->PageByCaption("LKZ / BW")->TabVisible());
    for (TControl* group : {static_cast<TControl*>(editor().GroupBox22), static_cast<TControl*>(editor().GroupBox28),
                            static_cast<TControl*>(editor().GroupBox29)})
      EXPECT_EQ(group->Visible(), c.extensionGroups);
    EXPECT_EQ(Form21->GroupBox2->Visible(), c.channel2Group);
    // Without an extension board its labels read "-".
    EXPECT_EQ(link().Label_EXB_FW->Caption(), c.exb ? "1.4" : "-");
    EXPECT_EQ(link().Label_EXB_HW->Caption(), c.exb ? "001" : "-");
  }
  EXPECT_TRUE(dialogs_.Boxes().empty());
}

TEST_F(Identification, AnUnknownBoardCompletesAndChangesNothingOfTheBoardStep) {
  Model([](devsim::DeviceModel& m) {
    m.variant = 21;
    m.hardwareVersion = "2001";
  });
  link().DeviceType = 42;
  Form21->Edit5->SetEnabled(true);
  Form21->Profibus1->SetVisible(false);
  Form21->ParameterKanal01->SetVisible(true);
  Form21->ParameterKanal11->SetVisible(false);
  Form21->ParameterKanal12->SetVisible(false);
  Form21->Inkrementalwerte1->SetEnabled(false);
  editor().CheckBox21->SetChecked(true);

  EXPECT_EQ(link().IdentifyDevice(), 0);
  EXPECT_EQ(link().DeviceIdentified, 1);
  EXPECT_EQ(link().DeviceType, 42);
  EXPECT_TRUE(Form21->Edit5->Enabled());
  EXPECT_FALSE(Form21->Profibus1->Visible());
  EXPECT_TRUE(Form21->ParameterKanal01->Visible());
  EXPECT_FALSE(Form21->ParameterKanal11->Visible());
  EXPECT_FALSE(Form21->ParameterKanal12->Visible());
  EXPECT_FALSE(Form21->Inkrementalwerte1->Enabled());
  EXPECT_TRUE(editor().CheckBox21->Checked());
}

TEST_F(Identification, SetupCopyChannelAndAdcModeFollowTheDevice) {
  struct Case {
    const char* name;
    uint8_t setup;
    int channelByte;  // 1-based, as the device answers
    uint8_t adcMode;
    const char* panel;
    uint16_t base;
    int activeChannel;  // expected; -1 = as before (0)
    const char* button;
    const char* channelLabel;
    bool defaultMessage;
  };
  const Case cases[] = {
      {"set-up 1, channel 1, CONT", 0, 1, 0, "SETUP1", SETUP_BASE_1, 0, "Kan.1->Kan.2", "-  Kanal 1", false},
      {"set-up 2, channel 2, SINGLE", 1, 2, 1, "SETUP2", SETUP_BASE_2, 1, "Kan2.->Kan.1", "-  Kanal 2", false},
      {"default set-up", 2, 1, 0, "DEFAULT (SET1)", SETUP_BASE_1, 0, "Kan.1->Kan.2", "-  Kanal 1", true},
      {"unknown set-up, channel 0", 7, 0, 0, "FAIL", SETUP_BASE_1, -1, "Kan.X->Kan.X", "-  Kanal", false},
      {"channel 3", 0, 3, 1, "SETUP1", SETUP_BASE_1, -1, "Kan.X->Kan.X", "-  Kanal", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Model([&](devsim::DeviceModel& m) {
      m.variant = 21;
      m.activeSetup = c.setup;
      m.activeChannel = c.channelByte;
      m.adcMode = c.adcMode;
    });
    SetupBase = 0x1234;
    link().ActiveChannel = 0;
    link().Button17->SetCaption("Kan.X->Kan.X");
    link().Label31->SetCaption("-  Kanal");
    link().Label31->SetVisible(false);
    // The channel-2 box first: its click handler sets up the log entry too.
    Form21->CheckBox1->SetChecked(c.adcMode == 0);
    Form21->Logfunktionaktiv1->SetChecked(true);
    Form21->Logfunktionaktiv1->SetVisible(c.adcMode == 1);
    link().RadioButton1->SetEnabled(false);
    link().RadioButton2->SetEnabled(c.adcMode == 0);
    const size_t boxesBefore = dialogs_.Boxes().size();
    // A device on its default set-up also says so in its status byte, once per stretch of such replies.
    if (c.defaultMessage) {
      dialogs_.Answer(IDOK);
      dialogs_.Answer(IDOK);
    }

    ASSERT_EQ(link().IdentifyDevice(), 0);

    EXPECT_EQ(link().StatusBar1->Panel(9).Text, c.panel);
    EXPECT_EQ(Form21->StatusBar1->Panel(2).Text, c.panel);
    EXPECT_EQ(SetupBase, c.base);
    EXPECT_EQ(link().ActiveChannel, c.activeChannel < 0 ? 0 : c.activeChannel);
    EXPECT_EQ(link().Button17->Caption(), c.button);
    EXPECT_EQ(link().Label31->Caption(), c.channelLabel);
    EXPECT_TRUE(link().Label31->Visible());
    EXPECT_EQ(link().ChannelCount, 2);
    const bool continuous = c.adcMode == 0;
    EXPECT_EQ(link().AdcConversionMode, c.adcMode);
    EXPECT_EQ(link().Button17->Visible(), continuous);
    EXPECT_EQ(link().Label30->Visible(), continuous);
    EXPECT_TRUE(link().RadioButton1->Enabled());
    EXPECT_EQ(link().RadioButton2->Enabled(), !continuous);
    if (continuous) {
      EXPECT_TRUE(link().RadioButton1->Checked());
    }
    EXPECT_EQ(Form21->Logfunktionaktiv1->Visible(), continuous);
    EXPECT_EQ(Form21->Logfunktionaktiv1->Checked(), continuous);
    EXPECT_EQ(Form21->CheckBox1->Checked(), !continuous);
    EXPECT_EQ(link().StatusBar1->Panel(10).Text, continuous ? "CONT" : "SINGLE");

    std::vector<std::string> shown;
    for (size_t i = boxesBefore; i < dialogs_.Boxes().size(); ++i) shown.push_back(dialogs_.Boxes()[i].request.text);
    if (c.defaultMessage) {
      EXPECT_NE(std::find(shown.begin(), shown.end(),
                          "DEFAULT-Setup geladen! Bitte Default-Jumper prüfen, Setup überprüfen oder neu "
                          "programmieren."),
                shown.end());
    } else {
      EXPECT_TRUE(shown.empty());
    }
  }
}

TEST_F(Identification, TheCalibrationSettingsGiveCountAndAdcModeArgument) {
  Model([](devsim::DeviceModel& m) {
    m.channelCount = 1;
    m.rateIndex = 7;
  });
  ASSERT_EQ(link().IdentifyDevice(), 0);
  EXPECT_EQ(link().ChannelCount, 1);
  EXPECT_EQ(link().AdcModeArgument, 7);
  // A channel count the device cannot have is not taken.
  Model([](devsim::DeviceModel& m) { m.channelCount = 9; });
  ASSERT_EQ(link().IdentifyDevice(), 0);
  EXPECT_EQ(link().ChannelCount, 1);
}

TEST_F(Identification, TheRequestsGoOutInOrderAndTheOutputIsReleasedAtTheEnd) {
  ASSERT_EQ(link().IdentifyDevice(), 0);
  // The release is sent without a wait.
  ASSERT_TRUE(PumpUntil([&] { return !sim_.Model(1).cyclicHeld && link().PendingCount == 0; }));
  const std::vector<int> commands = ReceivedCommands();
  ASSERT_GE(commands.size(), 5u);
  // The hold first, answered before reception is switched off for the three stops.
  EXPECT_EQ(commands[0], CMD_HOLD_CYCLIC);
  EXPECT_EQ(DataOf(Received()[0]), std::vector<uint8_t>({0}));
  EXPECT_EQ(std::count(commands.begin(), commands.end(), CMD_HOLD_CYCLIC), 2);
  EXPECT_EQ(commands.back(), CMD_HOLD_CYCLIC);
  EXPECT_EQ(DataOf(Received().back()), std::vector<uint8_t>({1}));
  const auto stops = ReceivedOf(CMD_VALUE_STREAM);
  ASSERT_EQ(stops.size(), 3u);
  std::vector<std::vector<uint8_t>> kinds;
  for (const auto& f : stops) kinds.push_back(DataOf(f));
  std::sort(kinds.begin(), kinds.end());
  EXPECT_EQ(kinds, (std::vector<std::vector<uint8_t>>{{0, 0}, {0, 1}, {0, 2}}));
  // Then the variant, the device data, the set-up copy, the channel and the ADC mode.
  auto at = [&](uint8_t command) { return std::find(commands.begin(), commands.end(), command) - commands.begin(); };
  EXPECT_LT(at(CMD_VALUE_STREAM), at(CMD_IDENT_DATA));
  EXPECT_EQ(DataOf(ReceivedOf(CMD_IDENT_DATA)[0]), std::vector<uint8_t>({1, 3}));
  EXPECT_LT(at(CMD_READ_CLOCK), at(CMD_SETUP_SELECT));
  EXPECT_LT(at(CMD_SETUP_SELECT), at(CMD_CAL_SETTINGS));
  EXPECT_LT(at(CMD_CAL_SETTINGS), at(CMD_ADC_INFO));
  EXPECT_LT(at(CMD_ADC_INFO), static_cast<long>(commands.size()) - 1);
  // No request of the identification failed, so no failure is counted.
  EXPECT_EQ(link().CommErrorCount, 0);
  EXPECT_EQ(link().TransferFailed, 0);
  EXPECT_EQ(link().DeviceIdentified, 1);
  EXPECT_EQ(IdentifyDone, 1);
  EXPECT_EQ(link().ReceiveDisabled, 0);
}

TEST_F(Identification, TheProgressDotsAndTheDeviceClockAreShown) {
  Form21->Label14->SetCaption("");
  // Thursday, 5 March 2009, 14:07:30 on the device's clock.
  using namespace std::chrono;
  const sys_seconds deviceTime = sys_days{year{2009} / March / 5} + hours{14} + minutes{7} + seconds{30};
  Model([&](devsim::DeviceModel& m) { m.clockOffset = deviceTime - floor<seconds>(system_clock::now()); });
  ASSERT_EQ(link().IdentifyDevice(), 0);
  // The clock is read a little after the offset was set, so the seconds may have moved on.
  const std::string clock = link().Label_VD417_Time->Caption();
  EXPECT_EQ(clock.substr(0, 18), "05.03.09   14:07:3") << clock;
  EXPECT_EQ(clock.substr(19), "    Do") << clock;
  EXPECT_EQ(Form21->Label14->Caption(), "Verbinden" + std::string(13, '.'));
}

TEST_F(Identification, ASilentDeviceIsReportedEveryOtherTimeAndItsOutputIsReleased) {
  sim_.InjectFault(1, Fault(FaultKind::NoAnswer).On(CMD_IDENT_DATA).Times(kForever));
  const std::string text =
      "Gerät nicht ansprechbar!\nBitte Einstellungen der seriellen Schnittstelle prüfen (Port und Baudrate).";
  SetupBase = SETUP_BASE_2;
  for (int round = 1; round <= 3; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    const bool reported = round != 2;
    if (reported) dialogs_.Answer(IDOK);
    sim_.Log().Clear();
    EXPECT_EQ(link().IdentifyDevice(), 1);
    EXPECT_EQ(link().StatusBar1->Panel(9).Text, "FAIL");
    EXPECT_EQ(Form21->StatusBar1->Panel(2).Text, "FAIL");
    EXPECT_EQ(SetupBase, SETUP_BASE_2);
    EXPECT_EQ(link().DeviceIdentified, 0);
    // The output held at the start is released.
    ASSERT_TRUE(PumpUntil([&] { return !sim_.Model(1).cyclicHeld; }));
    EXPECT_EQ(DataOf(ReceivedOf(CMD_HOLD_CYCLIC).back()), std::vector<uint8_t>({1}));
    EXPECT_EQ(dialogs_.Boxes().size(), round == 3 ? 2u : 1u);
  }
  for (const auto& box : dialogs_.Boxes()) {
    EXPECT_EQ(box.request.text, text);
    EXPECT_EQ(box.request.title, "FEHLER");
    EXPECT_EQ(box.request.icon, BoxIcon::Error);
  }
}

TEST_F(Identification, AfterAnOfferedDeviceSearchTheSilentDeviceIsNotReported) {
  sim_.InjectFault(1, Fault(FaultKind::NoAnswer).On(CMD_IDENT_DATA).Times(kForever));
  link().DeviceSearchOffered = 1;
  EXPECT_EQ(link().IdentifyDevice(), 1);
  EXPECT_EQ(link().DeviceSearchOffered, 0);
  EXPECT_TRUE(dialogs_.Boxes().empty());
}

TEST_F(Identification, AnAnswerOfAnotherCommandIsNotTakenForTheVariant) {
  sim_.InjectFault(1, Fault(FaultKind::WrongCommand).On(CMD_IDENT_DATA).ReplyCommand(CMD_ADC_INFO).Times(2));
  dialogs_.Answer(IDOK);
  EXPECT_EQ(link().IdentifyDevice(), 1);
  ASSERT_EQ(dialogs_.Boxes().size(), 1u);
  EXPECT_EQ(dialogs_.Boxes()[0].request.title, "FEHLER");
}

TEST_F(Identification, UnansweredQueriesTakeNothingFromTheEarlierReply) {
  // The set-up query and the channel query go unanswered: the reply buffer
  // then still held the clock's and the set-up query's answers.
  sim_.InjectFault(1, Fault(FaultKind::NoAnswer).On(CMD_SETUP_SELECT).Times(2));
  sim_.InjectFault(1, Fault(FaultKind::NoAnswer).On(CMD_CAL_SETTINGS).Times(2));
  SetupBase = SETUP_BASE_2;
  link().ActiveChannel = 1;
  link().ChannelCount = 2;
  link().AdcModeArgument = 9;
  EXPECT_EQ(link().IdentifyDevice(), 0);
  EXPECT_EQ(SetupBase, SETUP_BASE_2);
  EXPECT_EQ(link().StatusBar1->Panel(9).Text, "FAIL");
  EXPECT_EQ(Form21->StatusBar1->Panel(2).Text, "FAIL");
  EXPECT_EQ(link().ActiveChannel, 1);
  EXPECT_EQ(link().ChannelCount, 2);
  EXPECT_EQ(link().AdcModeArgument, 9);
}

TEST_F(Identification, TheBaudRateIsSearchedOnceWhenAutomaticDetectionIsOn) {
  link().Options.auto_baud = 1;
  ASSERT_EQ(link().IdentifyDevice(), 0);
  EXPECT_EQ(link().BaudRateFound, 1);
  EXPECT_EQ(ReceivedOf(CMD_FACTORY_DATA).size(), 1u);
  ASSERT_EQ(link().IdentifyDevice(), 0);
  EXPECT_EQ(ReceivedOf(CMD_FACTORY_DATA).size(), 1u);
}

TEST_F(Identification, AFailedBaudRateSearchStopsTheIdentificationAndReleasesTheOutput) {
  link().Options.auto_baud = 1;
  sim_.InjectFault(1, Fault(FaultKind::NoAnswer).On(CMD_FACTORY_DATA).Times(kForever));
  // Three unanswered probes in a row are a communication error each time.
  for (int i = 0; i < 3; ++i) dialogs_.Answer(IDOK);
  EXPECT_EQ(link().IdentifyDevice(), 1);
  EXPECT_EQ(link().BaudRateFound, 0);
  EXPECT_EQ(link().DeviceIdentified, 0);
  EXPECT_TRUE(ReceivedOf(CMD_IDENT_DATA).empty());
  ASSERT_EQ(dialogs_.Boxes().size(), 3u);
  EXPECT_EQ(dialogs_.Boxes()[0].request.text, "Kommunikationsfehler PC<->Gerät (Adr.:1)!");
  EXPECT_EQ(dialogs_.Boxes().back().request.text,
            "COM-Baudrate nicht erkannt!\nBitte die Baudrate manuell einstellen!");
  // The output held at the start is released.
  ASSERT_TRUE(PumpUntil([&] { return !sim_.Model(1).cyclicHeld; }));
}

TEST_F(Identification, SupervisorModeEnablesTheDeviceListForAnyVariant) {
  Model([](devsim::DeviceModel& m) { m.variant = 21; });
  link().SupervisorMode = 1;
  Form21->ShowVD4171->SetEnabled(false);
  ASSERT_EQ(link().IdentifyDevice(), 0);
  EXPECT_TRUE(Form21->ShowVD4171->Enabled());
  link().SupervisorMode = 0;
}

TEST_F(Identification, TheFirmwareVersionSetsTheFirmwareFlags) {
  struct Case {
    const char* version;
    int series0, shortList, noFive;
  };
  const Case cases[] = {{"V0.0.5", 1, 0, 1}, {"V1.0.12", 0, 1, 0}, {"V1.0.16", 0, 1, 1}, {"V1.0.5", 0, 0, 1}};
  for (const Case& c : cases) {
    Model([&](devsim::DeviceModel& m) { m.firmwareVersion = c.version; });
    ASSERT_EQ(link().IdentifyDevice(), 0) << c.version;
    EXPECT_EQ(link().FirmwareSeries0, c.series0) << c.version;
    EXPECT_EQ(link().ShortSdcontList, c.shortList) << c.version;
    EXPECT_EQ(link().NoFiveDecimals, c.noFive) << c.version;
  }
}

}  // namespace
