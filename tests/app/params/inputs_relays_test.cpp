// The input, encoder and relay dialog against the simulated device: a round
// trip of the extension-board section, the display and store edges, the
// enable rules, the time clamps, the connect's relay-time fields and the
// captions.
#include <array>
#include <string>
#include <vector>

#include "tests/app/params/params_fixture.h"

namespace {

using devsim::Fault;
using devsim::FaultKind;
using enum SetupSection;
using Bytes = std::vector<uint8_t>;

constexpr int kRelay1 = 16;
constexpr int kRelay2 = 40;

// The section as the device holds it before the dialog changes it.
Bytes KnownExb() {
  Bytes b(64, 0);
  const Bytes inputs = {1, 0, 1, 0, 1, 1, 1, 0x01, 0xF4, 0x40, 0x20, 0x00, 0x00, 0xA1, 0xA2, 0xA3};
  // active, neg, mode, ch, value, sti, err, bridge_err, grw, hyst_val, hyst_mode, on_time, pre_time, spare
  const Bytes relay1 = {1, 1, 1, 1, 1, 0, 0, 0, 0x42, 0x97, 0x00, 0x00, 0x40, 0x00, 0x00, 0x00,
                        2, 0x00, 0xC8, 0x01, 0x2C, 0xB1, 0xB2, 0xB3};
  const Bytes relay2 = {1, 0, 0, 0, 0, 1, 0, 0, 0x41, 0x20, 0x00, 0x00, 0x3F, 0xC0, 0x00, 0x00,
                        1, 0x03, 0xE8, 0x00, 0x32, 0xC1, 0xC2, 0xC3};
  std::copy(inputs.begin(), inputs.end(), b.begin());
  std::copy(relay1.begin(), relay1.end(), b.begin() + kRelay1);
  std::copy(relay2.begin(), relay2.end(), b.begin() + kRelay2);
  return b;
}

class InputsRelays : public ParamsTest {
 protected:
  void ConnectWith(const Bytes& exb, int base = devsim::SETUP_BASE_1) {
    SetupImageBytes image = known_setup::Defaults();
    std::copy(exb.begin(), exb.end(), SectionBytes(image, EXB).begin());
    LoadDevice(image, base);
    sim_.WithDevice(1, [base](devsim::DeviceModel& m) {
      m.exbFitted = true;
      m.activeSetup = base == devsim::SETUP_BASE_2 ? 1 : 0;
    });
    if (ServiceConnected == 1) window().Button1Click(nullptr);
    link().SetupPresent = 0;  // the connect reads the set-up again
    Connect();
    ASSERT_EQ(SetupBase, base);
  }
  Bytes ImageExb() const { return ImageSection(EXB); }
  // Shows `exb` without a device.
  void ShowImage(const Bytes& section) {
    std::copy(section.begin(), section.end(), SectionBytes(link().SetupImage, EXB).begin());
    exb().ShowSetup();
  }
};

TEST_F(InputsRelays, RoundTripOfTheExtensionBoardSection) {
  for (int base : {devsim::SETUP_BASE_1, devsim::SETUP_BASE_2}) {
    SCOPED_TRACE(base);
    ConnectWith(KnownExb(), base);
    TForm24& d = exb();
    ASSERT_EQ(link().ExbFirmwareV14, 1);

    EXPECT_TRUE(d.CheckBox14->Checked());
    EXPECT_FALSE(d.CheckBox15->Checked());
    EXPECT_TRUE(d.CheckBox15->Enabled());
    EXPECT_TRUE(d.CheckBox26->Checked());
    EXPECT_FALSE(d.CheckBox27->Checked());
    EXPECT_TRUE(d.CheckBox28->Checked());
    EXPECT_TRUE(d.CheckBox29->Checked());
    EXPECT_TRUE(d.CheckBox16->Checked());
    EXPECT_EQ(d.Edit36->Text(), "500");
    EXPECT_EQ(d.Edit37->Text(), "2.50");
    // Relay 1: a switch point on channel 2, net; from board firmware 1.4 it pulls in.
    EXPECT_TRUE(d.CheckBox17->Checked());
    EXPECT_TRUE(d.RadioButton7->Checked());
    EXPECT_TRUE(d.RadioButton2->Checked());
    EXPECT_FALSE(d.RadioButton1->Enabled());
    EXPECT_EQ(d.ComboBox76->Text(), "Netto");
    EXPECT_EQ(d.ComboBox77->Text(), "Kanal 2");
    EXPECT_EQ(d.Edit38->Text(), "75.5");
    EXPECT_EQ(d.Edit39->Text(), "2.0");
    EXPECT_EQ(d.ComboBox78->Text(), "Hyst. symmetrisch");
    EXPECT_EQ(d.Edit131->Text(), "200");
    EXPECT_EQ(d.Edit132->Text(), "300");
    // Relay 2: standstill, no hysteresis.
    EXPECT_TRUE(d.RadioButton5->Checked());
    EXPECT_TRUE(d.RadioButton10->Checked());
    EXPECT_EQ(d.ComboBox81->Text(), "Hyst. AUS");
    EXPECT_FALSE(d.ComboBox79->Enabled());
    EXPECT_FALSE(d.Edit81->Enabled());
    EXPECT_EQ(d.Edit40->Text(), "10.0");
    EXPECT_EQ(d.Edit81->Text(), "1.5");
    EXPECT_EQ(d.Edit133->Text(), "1000");
    EXPECT_EQ(d.Edit134->Text(), "50");

    d.Edit36->SetText("1200");
    d.Edit37->SetText("12,5");
    d.CheckBox29->Click();
    d.RadioButton4->Click();  // relay 1 switches on errors
    Leave(d.Edit133, "6000");
    d.ComboBox80->UserSelect(1);
    Store(d.Button3);

    Bytes expected = KnownExb();
    const Bytes encoder = {0x04, 0xB0, 0x41, 0x48, 0x00, 0x00};
    std::copy(encoder.begin(), encoder.end(), expected.begin() + 7);
    expected[5] = 0;  // inp_log
    const Bytes relay1 = {1, 0, 1, 1, 0, 0, 1, 0};
    std::copy(relay1.begin(), relay1.end(), expected.begin() + kRelay1);
    expected[kRelay1 + 16] = 3;  // "Hyst. AUS"
    for (int i = 17; i < 21; ++i) expected[static_cast<size_t>(kRelay1 + i)] = 0;  // times "0"
    expected[kRelay2 + 3] = 1;
    expected[kRelay2 + 16] = 3;
    expected[kRelay2 + 17] = 0x13;  // 5000 ms
    expected[kRelay2 + 18] = 0x88;
    EXPECT_EQ(DeviceSection(EXB, base), expected);
    EXPECT_EQ(ImageExb(), expected);
    EXPECT_EQ(BlockWrites().back(), (BlockWrite{base + 0x264, 64}));
    EXPECT_EQ(PollingActive, 0);
    EXPECT_TRUE(d.Button1->Enabled());
    EXPECT_FALSE(d.Button2->Enabled());
  }
}

TEST_F(InputsRelays, DisplayAndStoreEdges) {
  TForm24& d = exb();
  SetupBase = SETUP_BASE_1;
  link().SetupPresent = 1;
  Bytes b = KnownExb();
  b[0] = 2;  // a flag byte 2 shows unchecked and is stored as 0
  b[kRelay1 + 4] = b[kRelay1 + 5] = b[kRelay1 + 6] = b[kRelay1 + 7] = 1;  // all conditions: switch point wins
  b[kRelay1 + 16] = 7;                                                   // no such hysteresis mode
  b[kRelay2 + 17] = 0x9C;                                                // on-time 40000 ms
  b[kRelay2 + 18] = 0x40;
  ShowImage(b);
  EXPECT_FALSE(d.CheckBox14->Checked());
  EXPECT_FALSE(d.CheckBox15->Enabled());
  EXPECT_TRUE(d.RadioButton7->Checked());
  EXPECT_FALSE(d.RadioButton4->Checked());
  EXPECT_EQ(d.ComboBox78->ItemIndex(), -1);
  EXPECT_EQ(d.Edit133->Text(), "40000");

  // 16-bit fields are held to their range; a decimal comma counts as the point.
  Leave(d.Edit36, "70000");
  EXPECT_EQ(d.Edit36->Text(), "32767");
  d.Edit37->SetText("12,5");
  Store(d.Button3);
  const Bytes stored = ImageExb();
  EXPECT_EQ(stored[0], 0);
  EXPECT_EQ(stored[7], 0x7F);
  EXPECT_EQ(stored[8], 0xFF);
  EXPECT_EQ(GetFloat(stored, 9), 12.5f);
  EXPECT_EQ(stored[kRelay1 + 16], 0xFF);
  EXPECT_EQ(stored[kRelay1 + 4], 1);
  EXPECT_EQ(stored[kRelay1 + 5] + stored[kRelay1 + 6] + stored[kRelay1 + 7], 0);
  EXPECT_EQ(stored[kRelay2 + 17], 0x9C);
  EXPECT_EQ(stored[kRelay2 + 18], 0x40);
  EXPECT_EQ(DeviceSection(EXB, SETUP_BASE_1), stored);

  // Texts without a number store 0.
  d.Edit36->SetText("x");
  d.Edit37->SetText("abc");
  Store(d.Button3);
  EXPECT_EQ(ImageExb()[7] | ImageExb()[8], 0);
  EXPECT_EQ(GetFloat(ImageExb(), 9), 0.0f);
}

TEST_F(InputsRelays, ActivationLocksTheChannelListsOfAOneChannelDevice) {
  TForm24& d = exb();
  Form21->ExbPage = 1;
  known_setup::Set(link().SetupImage, WKG0, "mk", 1);
  d.ComboBox77->SetItemIndex(2);
  d.FormActivate(nullptr);
  EXPECT_EQ(d.PageControl1->ActivePageIndex(), 1);
  for (TComboBox* list : {d.ComboBox77, d.ComboBox80}) {
    EXPECT_EQ(list->ItemIndex(), 0);
    EXPECT_FALSE(list->Enabled());
  }
  EXPECT_FALSE(d.Button1->Enabled());
  EXPECT_TRUE(d.Button2->Enabled());
  EXPECT_TRUE(d.Button3->Enabled());

  // Two channels: a relay that switches on errors keeps its list locked.
  known_setup::Set(link().SetupImage, WKG0, "mk", 2);
  known_setup::Set(link().SetupImage, EXB, "rel_1_err", 1);
  d.ComboBox77->SetEnabled(true);
  d.ComboBox80->SetEnabled(true);
  Form21->ExbPage = 0;
  d.FormActivate(nullptr);
  EXPECT_EQ(d.PageControl1->ActivePageIndex(), 0);
  EXPECT_TRUE(d.ComboBox77->Enabled());
  EXPECT_FALSE(d.ComboBox80->Enabled());

  // Demo mode: nothing shown, nothing stored.
  Form21->DemoMode = 1;
  d.FormActivate(nullptr);
  EXPECT_FALSE(d.Button3->Enabled());
  d.Edit36->SetText("keep");
  ShowImage(KnownExb());
  EXPECT_EQ(d.Edit36->Text(), "keep");
  Form21->DemoMode = 0;
}

TEST_F(InputsRelays, RefusalsFailuresAndCancel) {
  TForm24& d = exb();
  // Without a set-up there is nothing to store.
  dialogs_.Answer(IDOK);
  d.Button3->Click();
  ASSERT_EQ(dialogs_.Boxes().size(), 1u);
  EXPECT_EQ(dialogs_.Boxes()[0].request.text, "Bitte Setup von Gerät lesen!");
  EXPECT_TRUE(ReceivedOf(CMD_BLOCK_WRITE).empty());

  ConnectWith(KnownExb());
  // "Abbrechen" after editing: neither image nor device change.
  d.Show();
  d.Edit36->SetText("999");
  d.Button2->Click();
  EXPECT_FALSE(d.Visible());
  EXPECT_EQ(ImageExb(), KnownExb());
  EXPECT_TRUE(ReceivedOf(CMD_BLOCK_WRITE).empty());

  // A write that fails: no "OK!", the device-error flag; the image keeps the values.
  sim_.InjectFault(1, Fault(FaultKind::NoAnswer).On(CMD_BLOCK_WRITE).Times(4));
  const size_t boxes = dialogs_.Boxes().size();
  d.Button3->Click();
  EXPECT_EQ(dialogs_.Boxes().size(), boxes);
  EXPECT_EQ(link().DeviceErrorFlag, 1);
  EXPECT_EQ(ImageExb()[8], 0xE7);  // 999
  EXPECT_EQ(DeviceSection(EXB, SetupBase), KnownExb());
  EXPECT_TRUE(d.Button1->Enabled());
  EXPECT_FALSE(d.Button2->Enabled());

  // "Beenden" restarts the device softly and connects again.
  d.Button1->Click();
  EXPECT_EQ(CountOf(CMD_RESET, {1}), 1u);
  EXPECT_EQ(ServiceConnected, 1);
  EXPECT_EQ(PollingActive, 1);
}

TEST_F(InputsRelays, AWriteTheDeviceAnswersWithItsErrorBitSaysNoOk) {
  TForm24& d = exb();
  ConnectWith(KnownExb());
  d.Show();
  d.Edit36->SetText("999");
  // The device takes the section's chunk but reports an error with it.
  sim_.InjectFault(1, Fault(FaultKind::ErrorStatus).On(CMD_BLOCK_WRITE));
  const size_t boxes = dialogs_.Boxes().size();
  d.Button3->Click();
  ASSERT_TRUE(link().WaitUntilIdle());
  for (size_t i = boxes; i < dialogs_.Boxes().size(); ++i) EXPECT_NE(dialogs_.Boxes()[i].request.text, "OK!");
  EXPECT_EQ(link().DeviceErrorFlag, 1);
  EXPECT_EQ(ReceivedOf(CMD_BLOCK_WRITE).size(), 1u);
}

TEST_F(InputsRelays, RelayGroupsFollowTheirSwitchingCondition) {
  TForm24& d = exb();
  link().ExbFirmwareV14 = 0;
  d.CheckBox17->SetChecked(true);
  d.CheckBox19->SetChecked(true);
  d.ComboBox78->SetItemIndex(1);
  d.ComboBox81->SetItemIndex(1);
  d.Edit131->SetText("200");
  d.RadioButton4->Click();
  d.RadioButton6->Click();
  for (TControl* control : std::initializer_list<TControl*>{d.ComboBox76, d.ComboBox77, d.ComboBox78, d.Edit38,
                                                           d.Edit39, d.Edit131, d.Edit132})
    EXPECT_FALSE(control->Enabled()) << control->Name();
  EXPECT_EQ(d.ComboBox78->Text(), "Hyst. AUS");
  EXPECT_EQ(d.Edit131->Text(), "0");
  EXPECT_EQ(d.Edit132->Text(), "0");
  EXPECT_EQ(d.ComboBox81->Text(), "Hyst. oberhalb");  // relay 2 keeps its mode
  EXPECT_TRUE(d.RadioButton1->Enabled());

  // A switch point on the sum channel has no type; "Hyst. AUS" no hysteresis.
  d.ComboBox77->AddItem("Summen-/Differenzkanal");
  d.RadioButton7->Click();
  d.ComboBox77->UserSelect(3);
  EXPECT_FALSE(d.ComboBox76->Enabled());
  EXPECT_TRUE(d.Edit38->Enabled());
  EXPECT_FALSE(d.Edit39->Enabled());
  d.ComboBox78->UserSelect(0);
  EXPECT_TRUE(d.Edit39->Enabled());
  d.ComboBox77->UserSelect(0);
  EXPECT_TRUE(d.ComboBox76->Enabled());

  // From board firmware 1.4 switch point and standstill pull in.
  link().ExbFirmwareV14 = 1;
  d.RadioButton1->Click();
  d.RadioButton3->Click();
  EXPECT_TRUE(d.RadioButton2->Checked());
  EXPECT_FALSE(d.RadioButton1->Enabled());
  EXPECT_EQ(d.ComboBox78->Text(), "Hyst. AUS");

  // An inactive relay has nothing to choose.
  d.CheckBox19->Click();
  for (TControl* control : std::initializer_list<TControl*>{d.RadioButton9, d.RadioButton10, d.RadioButton8,
                                                           d.RadioButton5, d.ComboBox80, d.Edit133})
    EXPECT_FALSE(control->Enabled()) << control->Name();
}

TEST_F(InputsRelays, InputRulesAndTimeClamps) {
  TForm24& d = exb();
  d.CheckBox14->SetChecked(true);
  d.CheckBox28->SetChecked(true);
  d.CheckBox26->SetChecked(true);
  d.CheckBox27->SetChecked(true);
  // Without channel selection, no zeroing or taring by input.
  d.CheckBox28->Click();
  EXPECT_FALSE(d.CheckBox26->Checked());
  EXPECT_FALSE(d.CheckBox27->Checked());
  EXPECT_FALSE(d.CheckBox26->Enabled());
  // Switching the inputs off and on enables them again, unchecked.
  d.CheckBox14->Click();
  EXPECT_FALSE(d.CheckBox15->Enabled());
  EXPECT_FALSE(d.CheckBox29->Enabled());
  d.CheckBox14->Click();
  EXPECT_TRUE(d.CheckBox26->Enabled());
  EXPECT_TRUE(d.CheckBox27->Enabled());
  EXPECT_FALSE(d.CheckBox26->Checked());

  d.CheckBox16->SetChecked(true);
  d.CheckBox16->Click();
  EXPECT_FALSE(d.Edit36->Enabled());
  EXPECT_FALSE(d.Edit37->Enabled());

  // The hidden dosing function takes the inputs for itself.
  d.CheckBox15->SetChecked(true);
  d.CheckBox29->SetChecked(true);
  d.CheckBox1->SetChecked(true);
  EXPECT_TRUE(d.CheckBox14->Checked());
  EXPECT_FALSE(d.CheckBox15->Checked());
  EXPECT_FALSE(d.CheckBox29->Checked());
  EXPECT_FALSE(d.CheckBox28->Enabled());
  d.CheckBox1->SetChecked(false);
  EXPECT_TRUE(d.CheckBox28->Enabled());

  struct Case {
    const char* typed;
    const char* becomes;
  };
  const Case cases[] = {{"20", "50"}, {"6000", "5000"}, {"0", "0"}, {"", ""}, {"-3", "50"}, {"1500", "1500"}};
  for (TEdit* edit : {d.Edit131, d.Edit132, d.Edit133, d.Edit134})
    for (const Case& c : cases) {
      Leave(edit, c.typed);
      EXPECT_EQ(edit->Text(), c.becomes) << edit->Name() << " " << c.typed;
    }
  EXPECT_EQ(d.Edit131->MaxLength(), 4);
}

TEST_F(InputsRelays, ConnectShowsTheRelayTimesFromBoardFirmware14) {
  struct Case {
    std::array<uint8_t, 2> version;
    bool shown;
  };
  for (const Case& c : {Case{{1, 3}, false}, Case{{1, 4}, true}, Case{{1, 9}, true}, Case{{2, 0}, false}}) {
    SCOPED_TRACE(::testing::Message() << int{c.version[0]} << "." << int{c.version[1]});
    exb().Edit131->SetText("120");
    sim_.WithDevice(1, [&](devsim::DeviceModel& m) {
      m.exbVersion[0] = c.version[0];
      m.exbVersion[1] = c.version[1];
    });
    if (ServiceConnected == 1) window().Button1Click(nullptr);
    Connect();
    TForm24& d = exb();
    EXPECT_EQ(link().ExbFirmwareV14, c.shown ? 1 : 0);
    for (TControl* control : std::initializer_list<TControl*>{d.Label244, d.Label245, d.Edit131, d.Edit132,
                                                             d.Label246, d.Label247, d.Label250, d.Label251,
                                                             d.Edit133, d.Edit134, d.Label252, d.Label253})
      EXPECT_EQ(control->Visible(), c.shown) << control->Name();
    if (!c.shown) {
      for (TEdit* edit : {d.Edit131, d.Edit132, d.Edit133, d.Edit134}) EXPECT_EQ(edit->Text(), "0");
    }
  }
}

TEST_F(InputsRelays, CaptionsAndListsInBothLanguages) {
  TForm24& d = exb();
  struct Case {
    TControl* control;
    const char* german;
    const char* english;
  };
  const Case cases[] = {
      {d.Label65, "Bitte warten...", "Please wait..."},
      {d.Label55, "Optoeingänge aktiv", "Opto inputs active"},
      {d.Label56, "Negiert", "Negation"},
      {d.Label1, "Funktion Dosierwaage", "..."},
      {d.Label195, "Optoeingang 1", "Opto input 1"}, {d.Label194, "Optoeingang 2", "Opto input 2"},
      {d.Label193, "Optoeingang 3", "Opto input 3"}, {d.Label192, "Optoeingang 4", "Opto input 4"},
      {d.Label57, "Inkrementalgeber", "Incremental position"},
      {d.Label145, "aktiv", "encoder active"},
      {d.Label58, "Impulse/Umdrehung", "Impulses/Rotation"},
      {d.Label167, "Weg/Umdrehung", "Way/Rotation"},
      {d.GroupBox22, "Optoeingänge", "Opto inputs"},
      {d.GroupBox31, "Inkrementalgeber", "Incremental position encoder"},
      {d.GroupBox28, "Relais 1", "Relais 1"}, {d.GroupBox29, "Relais 2", "Relais 2"},
      {d.CheckBox29, "Start/Stop Logspeicher", "Start/Stop log memory"},
      {d.CheckBox28, "Kanalauswahl für Nullung/Tarierung", "Channel selection for taring/zeroing"},
      {d.CheckBox27, "Nullung", "Zeroing"}, {d.CheckBox26, "Tarierung", "Taring"},
      {d.Button3, "Speichern im Gerät", "Write to device"},
      {d.Button2, "Abbrechen", "Cancel"}, {d.Button1, "Beenden", "Exit"},
      {d.Label168, "Relais aktiv", "Relais active"}, {d.Label176, "Relais aktiv", "Relais active"},
      {d.Label172, "Schalten bei", "Switch by"}, {d.Label180, "Schalten bei", "Switch by"},
      {d.Label171, "Schaltpunkt-Kanal", "Set point channel"}, {d.Label179, "Schaltpunkt-Kanal", "Set point channel"},
      {d.Label170, "Schaltpunkt-Typ", "Set point type"}, {d.Label178, "Schaltpunkt-Typ", "Set point type"},
      {d.Label173, "Schaltpunkt [%]", "Set point [%]"}, {d.Label181, "Schaltpunkt [%]", "Set point [%]"},
      {d.Label174, "Hysterese [%]", "Hysteresis [%]"}, {d.Label182, "Hysterese [%]", "Hysteresis [%]"},
      {d.Label175, "Hysteresemode", "Hystereris mode"}, {d.Label183, "Hysteresemode", "Hystereris mode"},
      {d.Label244, "Einschaltzeit", "Switch time"}, {d.Label250, "Einschaltzeit", "Switch time"},
      {d.Label245, "Einschaltverzögerung", "Switching delay"}, {d.Label251, "Einschaltverzögerung", "Switching delay"},
      {d.RadioButton2, "anziehend (aktiv)", "switch on (active)"},
      {d.RadioButton10, "anziehend (aktiv)", "switch on (active)"},
      {d.RadioButton1, "abfallend (passiv)", "switch off (passive)"},
      {d.RadioButton9, "abfallend (passiv)", "switch off (passive)"},
      {d.RadioButton4, "Fehler", "Error"}, {d.RadioButton6, "Fehler", "Error"},
      {d.RadioButton7, "Schaltpunkt", "Set point"}, {d.RadioButton8, "Schaltpunkt", "Set point"},
      {d.RadioButton11, "Brückenfehler", "Load-cell error"}, {d.RadioButton12, "Brückenfehler", "Load-cell error"},
      {d.RadioButton3, "Stillstand", "Standstill"}, {d.RadioButton5, "Stillstand", "Standstill"},
  };
  // The channel list without its fourth entry, as the weighing-parameter dialog leaves it.
  d.ComboBox77->SetItemIndex(2);
  d.ComboBox76->SetItemIndex(1);
  d.ComboBox78->SetItemIndex(3);
  d.ComboBox81->SetItemIndex(0);
  for (int lang : {1, 0}) {
    link().Options.lang = static_cast<uint8_t>(lang);
    d.ChangeLanguage();
    for (const Case& c : cases) EXPECT_EQ(CaptionOf(c.control), lang == 1 ? c.english : c.german) << c.control->Name();
    EXPECT_EQ(d.Caption(), lang == 1 ? "Parameter - Digital inputs / Incremental position encoder / Relais1/2"
                                     : "Parameter - Digitale Eingänge / Imkrementalgeber / Relais1/2");
    EXPECT_EQ(d.TabSheet1->Caption(), lang == 1 ? "Digital inputs" : "Digitale Eingänge");
    EXPECT_EQ(d.TabSheet2->Caption(), "Relais 1/2");
    EXPECT_EQ(d.ComboBox77->Text(), lang == 1 ? "Channel 1/Channel 2" : "Kanal 1/Kanal 2");
    EXPECT_EQ(d.ComboBox80->Item(3), lang == 1 ? "Sum/difference channel" : "Summen-/Differenzkanal");
    EXPECT_EQ(d.ComboBox76->Text(), lang == 1 ? "Net" : "Netto");
    EXPECT_EQ(d.ComboBox78->Text(), lang == 1 ? "Hyst. OFF" : "Hyst. AUS");
    EXPECT_EQ(d.ComboBox81->Text(), lang == 1 ? "Hyst. under" : "Hyst. unterhalb");
    EXPECT_EQ(d.ComboBox79->ItemIndex(), -1);
  }
  EXPECT_EQ(d.Label246->Caption(), "50..5000 ms");
}

}  // namespace
