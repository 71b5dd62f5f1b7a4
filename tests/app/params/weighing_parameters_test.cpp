// The weighing-parameter dialog against the simulated device: the display
// of a set-up on every page, the store of the active page's blocks, the
// bridge detuning, the input rules, the activation and the captions.
#include <string>
#include <vector>

#include "tests/app/params/params_fixture.h"

namespace {

using devsim::Fault;
using devsim::FaultKind;
using enum SetupSection;
using known_setup::Set;

constexpr const char* kDetuningFailed =
    "Möglicherweise ist bei der Ermittlung des Verstimmungswertes ein Fehler aufgetreten.\n"
    "Bitte wiederholen Sie den Vorgang!";

// A set-up with a value of its own in every field the dialog shows.
SetupImageBytes KnownParameters() {
  SetupImageBytes image = known_setup::Defaults();
  Set(image, ADM, "ext_disp", 1);
  Set(image, WKG0, "mk", 2);
  const std::vector<std::pair<const char*, double>> channel1 = {
      {"nsu", 20},  {"nso", 30},         {"enu", 2},        {"eno", 4},   {"enull", 1},
      {"tau", 125}, {"tao", 100},        {"tam", 2},        {"trm", 1},   {"over_f", 110.3},
      {"under_f", -5.5}, {"cm1", 'k'},   {"cm2", 'N'},      {"fmf", 1.5}};
  const std::vector<std::pair<const char*, double>> channel2 = {
      {"nsu", 0},  {"nso", 125},       {"enu", 0},        {"eno", 100}, {"enull", 0},
      {"tau", 10}, {"tao", 5},         {"tam", 0},        {"trm", 0},   {"over_f", 99.9},
      {"under_f", 0}, {"cm1", 'l'},    {"cm2", 'b'},      {"fmf", 2.25}};
  for (const auto& [name, value] : channel1) Set(image, WKG0, name, value);
  for (const auto& [name, value] : channel2) Set(image, WKG1, name, value);
  Set(image, ADC, "lc_type_0", 2);
  Set(image, ADC, "lc_err_det_val_0", -123456);
  Set(image, ADC, "lc_type_1", 1);
  Set(image, ADC, "lc_err_det_val_1", 987654);
  Set(image, WKS, "sum", 1);
  Set(image, WKS, "mode", 0);
  Set(image, WKS, "fakt_0", 2);
  Set(image, WKS, "fakt_1", 3);
  Set(image, WKS, "over_f", 105.5);
  Set(image, WKS, "under_f", -1.0);
  Set(image, ADC, "log_count_mode", 1);
  Set(image, ADC, "lc_err_cyl", 5);
  Set(image, ADC, "mwfilter_type", 0);
  Set(image, ADC, "len_0", 16);
  Set(image, ADC, "len_1", 7);
  Set(image, LPC, "sdcont", 1);
  Set(image, LPC, "val_sdcont", 2);
  Set(image, MSC, "ext_disp", 0);
  Set(image, MSC, "ext_disp_port", 1);
  Set(image, MSC, "ext_disp_adr", 42);
  Set(image, MSC, "ext_disp_mode", 1);
  Set(image, MSC, "ext_disp_chn", 1);
  Set(image, MSC, "ext_disp_blink", 1);
  Set(image, MSC, "ext_disp_prot", 1);
  return image;
}

class WeighingParameters : public ParamsTest {
 protected:
  // Connects to a device that holds the known set-up in copy 1 (or copy 2)
  // and converts in single mode, so that the sum channel may be on.
  void ConnectKnown(int base = devsim::SETUP_BASE_1) {
    LoadDevice(KnownParameters(), base);
    sim_.WithDevice(1, [base](devsim::DeviceModel& m) {
      m.adcMode = 1;
      m.activeSetup = base == devsim::SETUP_BASE_2 ? 1 : 0;
    });
    Connect();
    ASSERT_EQ(SetupBase, base);
  }

  // The text an edit or list shows, by name.
  std::string Shown(const std::string& name) {
    if (auto* edit = FindComponent<TEdit>(&params(), name)) return edit->Text();
    if (auto* list = FindComponent<TComboBox>(&params(), name)) return list->Text();
    ADD_FAILURE() << "no control " << name;
    return {};
  }
};

TEST_F(WeighingParameters, ShowsTheDevicesSetupOnEveryPage) {
  ConnectKnown();
  struct Case {
    const char* control;
    const char* shown;
  };
  const Case cases[] = {
      // Channel 1: numbers, lower limits negated, floats, characters, lists.
      {"Edit9", "-20"}, {"Edit8", "30"}, {"Edit7", "2"}, {"Edit6", "4"}, {"Edit10", "-125"}, {"Edit11", "100"},
      {"ComboBox1", "Tarieren bei Stillstand"}, {"Edit12", "110.3"}, {"Edit13", "-5.5"}, {"Edit14", "k"},
      {"Edit15", "N"}, {"Edit16", "1.50"}, {"ComboBox92", "700   Ohm"}, {"Edit143", "-123456"},
      // Channel 2.
      {"Edit22", "0"}, {"Edit21", "125"}, {"Edit20", "0"}, {"Edit19", "100"}, {"Edit25", "-10"}, {"Edit26", "5"},
      {"ComboBox2", "Tarieren ohne Stillstand"}, {"Edit23", "99.9"}, {"Edit24", "0.0"}, {"Edit27", "l"},
      {"Edit28", "b"}, {"Edit29", "2.25"}, {"ComboBox93", "350   Ohm"}, {"Edit144", "987654"},
      // General page.
      {"ComboBox102", "Summe"}, {"Edit129", "2"}, {"Edit130", "3"}, {"Edit17", "105.5"}, {"Edit18", "-1.0"},
      {"ComboBox87", "Ringspeicher"}, {"Edit1", "500"}, {"ComboBox94", "15"}, {"ComboBox19", "Typ - Länge variabel"},
      {"Edit2", "16"}, {"Edit3", "7"},
      // External display.
      {"ComboBox98", "RS485"}, {"Edit139", "42"}, {"ComboBox99", "Netto"}, {"ComboBox100", "Kanal 2"},
      {"ComboBox101", "Data | CR/LF"},
  };
  for (const Case& c : cases) EXPECT_EQ(Shown(c.control), c.shown) << c.control;

  TForm23& d = params();
  EXPECT_TRUE(d.CheckBox2->Checked());
  EXPECT_TRUE(d.CheckBox4->Checked());
  EXPECT_FALSE(d.CheckBox5->Checked());
  EXPECT_FALSE(d.CheckBox6->Checked());
  EXPECT_TRUE(d.CheckBox36->Checked());
  EXPECT_TRUE(d.Edit129->Enabled());
  EXPECT_TRUE(d.CheckBox1->Checked());
  EXPECT_TRUE(d.ComboBox94->Enabled());
  EXPECT_FALSE(d.CheckBox48->Checked());
  EXPECT_TRUE(d.CheckBox49->Checked());
  EXPECT_TRUE(d.Edit2->Visible());
  EXPECT_FALSE(d.ComboBox96->Visible());
  EXPECT_TRUE(d.Edit3->Enabled());
  // The sum channel: F1 x N1 + F2 x N2 in the unit of channel 1; the relay
  // channel lists offer the sum channel.
  EXPECT_EQ(d.Label58->Caption(), "Gesamtwert (Brutto)");
  EXPECT_FALSE(d.Label77->Visible());
  EXPECT_EQ(Form24->ComboBox77->ItemCount(), 4);
  EXPECT_EQ(Form24->ComboBox80->Item(3), "Summen-/Differenzkanal");
  EXPECT_EQ(d.ComboBox100->ItemCount(), 3);
}

TEST_F(WeighingParameters, DisplayEdgesOfTheImage) {
  TForm23& d = params();
  TForm1& l = link();
  l.SetupImage = KnownParameters();
  l.ChannelCount = 2;
  l.DeviceVariant = 21;
  l.AdcConversionMode = 1;

  // A tare mode other than 0 or 2 leaves the list as it was.
  d.ComboBox1->SetItemIndex(0);
  Set(l.SetupImage, WKG0, "tam", 1);
  Set(l.SetupImage, WKG0, "nsu", 125);
  Set(l.SetupImage, ADC, "lc_err_cyl", 0);
  d.ShowSetup();
  EXPECT_EQ(d.ComboBox1->ItemIndex(), 0);
  EXPECT_EQ(d.Edit9->Text(), "-125");
  EXPECT_EQ(d.Edit1->Text(), "0");

  // The rate list by firmware: "permanently on" only before V1.0.6.
  Set(l.SetupImage, LPC, "val_sdcont", 0);
  for (const auto& [flag, first] : {std::pair{1, "5"}, std::pair{0, "dauerhaft EIN"}}) {
    l.ShortSdcontList = flag;
    d.ShowSetup();
    EXPECT_EQ(d.ComboBox94->Text(), first);
  }

  // Filter type 2^N: a length of 64 has no entry, 3 shows "8".
  Set(l.SetupImage, ADC, "mwfilter_type", 1);
  Set(l.SetupImage, ADC, "len_0", 64);
  Set(l.SetupImage, ADC, "len_1", 3);
  d.ShowSetup();
  EXPECT_EQ(d.ComboBox96->ItemIndex(), -1);
  EXPECT_EQ(d.ComboBox97->Text(), "8");
  EXPECT_TRUE(d.ComboBox96->Visible());
  EXPECT_FALSE(d.Edit2->Visible());

  // Both continuous output and external display set: the display wins.
  Set(l.SetupImage, MSC, "ext_disp", 1);
  d.ShowSetup();
  EXPECT_TRUE(d.CheckBox48->Checked());
  EXPECT_FALSE(d.CheckBox1->Checked());
  EXPECT_FALSE(d.ComboBox94->Enabled());

  // The sum channel on a one-channel device is shown off.
  l.ChannelCount = 1;
  d.ShowSetup();
  EXPECT_FALSE(d.CheckBox36->Checked());
  EXPECT_FALSE(d.Edit129->Enabled());

  // Variant 11 has one channel: no sum group, and the image's channel count becomes 1.
  l.ChannelCount = 2;
  l.DeviceVariant = 11;
  d.ShowSetup();
  EXPECT_FALSE(d.GroupBox14->Visible());
  EXPECT_EQ(SectionBytes(l.SetupImage, WKG0)[0], 1);
  EXPECT_FALSE(d.Edit3->Visible());

  // Demo mode leaves every control as it is.
  Form21->DemoMode = 1;
  Set(l.SetupImage, WKG0, "nsu", 7);
  d.ShowSetup();
  EXPECT_EQ(d.Edit9->Text(), "-125");
  Form21->DemoMode = 0;
}

TEST_F(WeighingParameters, StoreWritesTheBlocksOfTheActivePageToEitherCopy) {
  for (int base : {devsim::SETUP_BASE_1, devsim::SETUP_BASE_2}) {
    SCOPED_TRACE(base);
    if (ServiceConnected == 1) window().Button1Click(nullptr);
    ConnectKnown(base);
    TForm23& d = params();
    struct Case {
      int page;
      std::vector<SetupSection> sections;
    };
    const Case cases[] = {{0, {WKS, LPC, ADC, ADM, MSC}}, {1, {WKG0, ADC}}, {2, {WKG1, ADC}}, {4, {LPC, MSC}}};
    for (const Case& c : cases) {
      SCOPED_TRACE(c.page);
      d.Edit8->SetText(std::to_string(10 + c.page));
      d.Edit139->SetText(std::to_string(20 + c.page));
      d.PageControl1->SetActivePageIndex(c.page);
      const size_t before = BlockWrites().size();
      Store(d.Button3);
      const std::vector<BlockWrite> all = BlockWrites();
      EXPECT_EQ(std::vector<BlockWrite>(all.begin() + static_cast<long>(before), all.end()), ChunksOf(c.sections, base));
      for (SetupSection s : c.sections) EXPECT_EQ(DeviceSection(s, base), ImageSection(s)) << Info(s).name;
      // The polling stopped for the store; "Beenden" will restart and reconnect.
      EXPECT_EQ(PollingActive, 0);
      EXPECT_TRUE(d.Button1->Enabled());
      EXPECT_FALSE(d.Button2->Enabled());
    }
    // Every control went into the image, whatever page was stored.
    EXPECT_EQ(SectionBytes(link().SetupImage, WKG0)[FieldOf(WKG0, "nso").offset], 14);
    EXPECT_EQ(SectionBytes(link().SetupImage, MSC)[FieldOf(MSC, "ext_disp_adr").offset], 24);
  }
}

TEST_F(WeighingParameters, StoreTakesEveryControlIntoTheImage) {
  ConnectKnown();
  TForm23& d = params();
  d.Edit9->SetText("-20");
  d.Edit10->SetText("0");
  d.ComboBox2->SetItemIndex(1);
  d.Edit23->SetText("12,5");
  d.Edit27->SetText("t");
  d.Edit144->SetText("-42");
  d.CheckBox36->SetChecked(true);
  d.Edit129->SetText("7");
  d.Edit1->SetText("550");
  d.ComboBox94->SetItemIndex(0);
  d.CheckBox48->SetChecked(true);
  d.ComboBox19->SetItemIndex(1);
  d.ComboBox96->SetItemIndex(4);
  d.ComboBox97->SetItemIndex(-1);
  link().SumDisplayEnabled = 1;
  Store(d.Button3);

  const SetupImageBytes& image = link().SetupImage;
  auto byte = [&](SetupSection s, const char* f) { return SectionBytes(image, s)[FieldOf(s, f).offset]; };
  EXPECT_EQ(byte(WKG0, "nsu"), 20);
  EXPECT_EQ(byte(WKG0, "tau"), 0);
  EXPECT_EQ(byte(WKG1, "tam"), 2);
  EXPECT_FLOAT_EQ(GetFloat(SectionBytes(image, WKG1), FieldOf(WKG1, "over_f").offset), 12.5f);
  EXPECT_EQ(byte(WKG1, "cm1"), 't');
  EXPECT_EQ(GetInt32(SectionBytes(image, ADC), FieldOf(ADC, "lc_err_det_val_1").offset), -42);
  EXPECT_EQ(byte(WKS, "sum"), 1);
  EXPECT_EQ(byte(WKS, "fakt_0"), 7);
  EXPECT_EQ(link().SumDisplayEnabled, 0);
  EXPECT_EQ(byte(ADC, "lc_err_cyl"), 5);
  EXPECT_EQ(byte(ADM, "lc_err"), 1);
  EXPECT_EQ(byte(LPC, "sdcont"), 0);  // the display switched the output off
  EXPECT_EQ(byte(LPC, "val_sdcont"), 0);
  EXPECT_EQ(byte(MSC, "ext_disp"), 1);
  EXPECT_EQ(byte(ADC, "mwfilter_type"), 1);
  EXPECT_EQ(byte(ADC, "len_0"), 16);
  EXPECT_EQ(byte(ADC, "len_1"), 7);  // no choice: the length stays

  // An interval of 0 switches the bridge-fault detection off.
  for (const char* off : {"0", ""}) {
    d.Edit1->SetText(off);
    Store(d.Button3);
    EXPECT_EQ(byte(ADC, "lc_err_cyl"), 0);
    EXPECT_EQ(byte(ADM, "lc_err"), 0);
  }
  d.Edit1->SetText("10000");
  Store(d.Button3);
  EXPECT_EQ(byte(ADC, "lc_err_cyl"), 100);
}

TEST_F(WeighingParameters, OkOnlyWhenEveryBlockWasWritten) {
  ConnectKnown();
  TForm23& d = params();
  d.PageControl1->SetActivePageIndex(0);
  d.Edit129->SetText("9");
  // The first block (WKS) is not confirmed in either of its two requests.
  sim_.InjectFault(1, Fault(FaultKind::NoAnswer).On(CMD_BLOCK_WRITE).Times(4));
  const size_t boxes = dialogs_.Boxes().size();
  d.Button3->Click();
  EXPECT_EQ(dialogs_.Boxes().size(), boxes);
  EXPECT_EQ(link().DeviceErrorFlag, 1);
  EXPECT_TRUE(d.Button1->Enabled());
  // The blocks after the failed one were still written.
  for (SetupSection s : {LPC, ADC, ADM, MSC}) EXPECT_EQ(DeviceSection(s, SetupBase), ImageSection(s)) << Info(s).name;
  EXPECT_NE(DeviceSection(WKS, SetupBase), ImageSection(WKS));
}

TEST_F(WeighingParameters, NothingIsStoredWithoutASetup) {
  TForm23& d = params();
  ASSERT_EQ(link().SetupPresent, 0);
  ASSERT_EQ(Form21->SetupReadDone, 0);
  dialogs_.Answer(IDOK);
  d.Button3->Click();
  ASSERT_EQ(dialogs_.Boxes().size(), 1u);
  EXPECT_EQ(dialogs_.Boxes()[0].request.text, "Bitte Setup von Gerät lesen!");
  EXPECT_EQ(dialogs_.Boxes()[0].request.title, "HINWEIS");
  EXPECT_TRUE(Received().empty());
  EXPECT_TRUE(d.Button2->Enabled());
}

TEST_F(WeighingParameters, AnEmptyUnitCharacterStopsTheStore) {
  ConnectKnown();
  TForm23& d = params();
  d.Show();
  d.Activate();
  d.PageControl1->SetActivePageIndex(2);
  d.Edit9->SetText("-50");
  d.Edit28->SetText("");
  const size_t writes = BlockWrites().size();
  dialogs_.Answer(IDOK);
  d.Button3->Click();
  ASSERT_FALSE(dialogs_.Boxes().empty());
  EXPECT_EQ(dialogs_.Boxes().back().request.text, "Bitte ein Zeichen eingeben!");
  EXPECT_EQ(BlockWrites().size(), writes);
  EXPECT_TRUE(PumpUntil([&] { return d.Edit28->Focused(); }));
  // What came before the test is in the image; nothing reached the device.
  EXPECT_EQ(SectionBytes(link().SetupImage, WKG0)[FieldOf(WKG0, "nsu").offset], 50);
  EXPECT_TRUE(d.Button2->Enabled());
  d.Hide();
}

TEST_F(WeighingParameters, RedetermineShowsTheDetuningValue) {
  ConnectKnown();
  TForm23& d = params();
  sim_.WithDevice(1, [](devsim::DeviceModel& m) {
    m.channels[0].bridgeReference = 0x11223344;
    m.channels[1].bridgeReference = -5;
  });
  dialogs_.Answer(IDOK);
  d.Button4->Click();
  EXPECT_EQ(d.Edit143->Text(), "287454020");
  ASSERT_FALSE(dialogs_.Boxes().empty());
  EXPECT_EQ(dialogs_.Boxes().back().request.text, "OK!");
  EXPECT_EQ(CountOf(CMD_FACTORY_DATA, {0x0A, 1}), 1u);
  EXPECT_EQ(PollingActive, 0);
  EXPECT_TRUE(d.Button1->Enabled());

  dialogs_.Answer(IDOK);
  d.Button5->Click();
  EXPECT_EQ(d.Edit144->Text(), "-5");
  EXPECT_EQ(CountOf(CMD_FACTORY_DATA, {0x0A, 2}), 1u);

  // No answer: the field keeps its value and the user hears of the failure.
  sim_.InjectFault(1, Fault(FaultKind::NoAnswer).On(CMD_FACTORY_DATA).Times(2));
  const size_t boxes = dialogs_.Boxes().size();
  dialogs_.Answer(IDOK);
  d.Button4->Click();
  EXPECT_EQ(d.Edit143->Text(), "287454020");
  ASSERT_EQ(dialogs_.Boxes().size(), boxes + 1);
  EXPECT_EQ(dialogs_.Boxes().back().request.text, kDetuningFailed);
  EXPECT_EQ(dialogs_.Boxes().back().request.icon, BoxIcon::Error);

  // A device error: the same message, and the value that the reply carries.
  sim_.WithDevice(1, [](devsim::DeviceModel& m) { m.channels[1].bridgeReference = 77; });
  sim_.InjectFault(1, Fault(FaultKind::ErrorStatus).On(CMD_FACTORY_DATA).Times(1));
  dialogs_.Answer(IDOK);
  dialogs_.Answer(IDOK);  // the link may ask for the error codes of the device
  d.Button5->Click();
  EXPECT_EQ(d.Edit144->Text(), "77");
  EXPECT_EQ(dialogs_.Boxes().back().request.text, kDetuningFailed);
}

TEST_F(WeighingParameters, FieldsAreCorrectedWhenLeft) {
  TForm23& d = params();
  struct Case {
    TEdit* edit;
    const char* typed;
    const char* becomes;
  };
  const Case cases[] = {
      {d.Edit9, "30", "0"},     {d.Edit9, "-130", "-125"}, {d.Edit9, "abc", "abc"}, {d.Edit22, "-126", "-125"},
      {d.Edit8, "130", "125"},  {d.Edit21, "130", "125"},  {d.Edit10, "5", "0"},    {d.Edit26, "-1", "0"},
      {d.Edit2, "", "1"},       {d.Edit3, "40", "32"},     {d.Edit139, "", ""},     {d.Edit139, "120", "99"},
      {d.Edit32, "0", "1"},     {d.Edit1, "200", "500"},   {d.Edit1, "-5", ""},     {d.Edit1, "20000", "10000"},
      {d.Edit1, "0", "0"},      {d.Edit130, "0", "1"},
  };
  for (const Case& c : cases) {
    Leave(c.edit, c.typed);
    EXPECT_EQ(c.edit->Text(), c.becomes) << c.edit->Name() << " " << c.typed;
  }
  EXPECT_TRUE(dialogs_.Boxes().empty());

  // A factor with decimals is refused; an out-of-range one is held and redraws the sum range.
  dialogs_.Answer(IDOK);
  Leave(d.Edit129, "2,5");
  ASSERT_EQ(dialogs_.Boxes().size(), 1u);
  EXPECT_EQ(dialogs_.Boxes()[0].request.text, "Eingabe des Faktors ohne Nachkommastellen!");
  EXPECT_EQ(dialogs_.Boxes()[0].request.icon, BoxIcon::Error);
  EXPECT_EQ(d.Edit129->Text(), "2,5");
  Set(link().SetupImage, WKS, "mode", 1);
  Form21->Edit1->SetText("30");
  Form21->Edit3->SetText("20");
  Form21->ComboBox1->SetItemIndex(1);
  Leave(d.Edit129, "300");
  EXPECT_EQ(d.Edit129->Text(), "255");
  EXPECT_EQ(d.Label58->Caption(), "Bezugswert (Brutto)");
  EXPECT_TRUE(d.Label77->Visible());
  EXPECT_EQ(d.Label59->Caption(), "7650 t");
  // In sum mode both channels count, each with its factor.
  Set(link().SetupImage, WKS, "mode", 0);
  Leave(d.Edit129, "2");
  EXPECT_EQ(d.Label58->Caption(), "Gesamtwert (Brutto)");
  EXPECT_FALSE(d.Label77->Visible());
  EXPECT_EQ(d.Label59->Caption(), "80 t");
}

TEST_F(WeighingParameters, ControlsFollowTheirChoices) {
  TForm23& d = params();
  TForm1& l = link();
  l.SetupImage = KnownParameters();
  l.ChannelCount = 2;
  l.DeviceVariant = 21;

  // No sum channel in continuous conversion.
  l.AdcConversionMode = 0;
  d.CheckBox36->Click();
  EXPECT_FALSE(d.CheckBox36->Checked());
  l.AdcConversionMode = 1;
  d.CheckBox36->Click();
  EXPECT_TRUE(d.CheckBox36->Checked());
  EXPECT_TRUE(d.ComboBox102->Enabled());
  EXPECT_EQ(d.ComboBox100->ItemCount(), 3);

  // Continuous output and external display exclude each other.
  d.CheckBox1->SetChecked(true);
  d.CheckBox48->Click();
  EXPECT_FALSE(d.CheckBox1->Checked());
  EXPECT_FALSE(d.ComboBox94->Enabled());
  d.CheckBox1->Click();
  EXPECT_FALSE(d.CheckBox48->Checked());
  EXPECT_TRUE(d.ComboBox94->Enabled());

  // The sum channel is displayed gross only.
  d.ComboBox99->SetItemIndex(2);
  d.ComboBox100->UserSelect(2);
  EXPECT_EQ(d.ComboBox99->ItemIndex(), 0);
  EXPECT_FALSE(d.ComboBox99->Enabled());
  d.ComboBox100->UserSelect(0);
  EXPECT_TRUE(d.ComboBox99->Enabled());

  // Mode and filter type go into the image at once.
  d.ComboBox102->UserSelect(1);
  EXPECT_EQ(SectionBytes(l.SetupImage, WKS)[1], 1);
  EXPECT_EQ(d.Label58->Caption(), "Bezugswert (Brutto)");
  d.ComboBox19->UserSelect(1);
  EXPECT_EQ(SectionBytes(l.SetupImage, ADC)[FieldOf(ADC, "mwfilter_type").offset], 1);
  EXPECT_TRUE(d.ComboBox96->Visible());
  EXPECT_EQ(d.ComboBox96->Text(), "16");
  EXPECT_FALSE(d.Label61->Visible());

  // The interface chooses the protocol list; RS-232 has no address.
  d.ComboBox101->SetItemIndex(0);
  d.ComboBox98->UserSelect(1);
  EXPECT_EQ(d.ComboBox101->Text(), "STX | Adr | Data | ETX");
  EXPECT_TRUE(d.Edit139->Enabled());
  d.ComboBox98->UserSelect(0);
  EXPECT_EQ(d.ComboBox101->Text(), "STX | Data | ETX");
  EXPECT_FALSE(d.Edit139->Enabled());

  // Switching the sum channel off drops the relays' fourth channel.
  Form24->ComboBox77->SetItemIndex(3);
  Form24->ComboBox80->SetItemIndex(1);
  d.CheckBox36->Click();
  EXPECT_EQ(Form24->ComboBox77->ItemCount(), 3);
  EXPECT_EQ(Form24->ComboBox77->ItemIndex(), 0);
  EXPECT_EQ(Form24->ComboBox80->ItemIndex(), 1);
  EXPECT_EQ(d.ComboBox100->ItemCount(), 2);
}

TEST_F(WeighingParameters, ACounterShowsResetLkzWithTheSeparatorBeforeIt) {
  TForm23& d = params();
  TMenuItem* extras = Form21->Extras1;
  int reset = -1;
  for (int i = 0; i < extras->Count(); ++i)
    if (extras->Item(i) == Form21->ResetLKZ1) reset = i;
  ASSERT_GT(reset, 0);
  TMenuItem* separator = extras->Item(reset - 1);
  EXPECT_EQ(separator->Name(), "N11");
  EXPECT_TRUE(separator->IsSeparator());
  EXPECT_FALSE(separator->Visible());
  EXPECT_FALSE(Form21->ResetLKZ1->Visible());

  struct Step {
    TCheckBox* box;
    bool checked;
    bool shown;
  };
  const Step steps[] = {{d.CheckBox44, true, true}, {d.CheckBox45, true, true}, {d.CheckBox44, false, true},
                        {d.CheckBox45, false, false}, {d.CheckBox45, true, true}, {d.CheckBox45, false, false}};
  for (const Step& step : steps) {
    SCOPED_TRACE(step.box->Name() + (step.checked ? " checked" : " unchecked"));
    step.box->SetChecked(step.checked);
    EXPECT_EQ(Form21->ResetLKZ1->Visible(), step.shown);
    EXPECT_EQ(separator->Visible(), step.shown);
  }
}

TEST_F(WeighingParameters, ActivationChoosesPagesAndButtons) {
  TForm23& d = params();
  TForm1& l = link();
  l.SetupImage = KnownParameters();
  struct Case {
    int page;
    int type;
    int mk;
    int extDisp;
    std::array<bool, 5> tabs;
    int active;
  };
  const Case cases[] = {
      {1, 1, 2, 1, {true, true, true, false, true}, 1},
      {1, 1, 1, 0, {true, true, false, false, false}, 1},
      {2, 2, 1, 1, {true, true, true, false, true}, 2},
      {3, 3, 2, 0, {true, true, false, false, false}, 0},
      {3, 1, 2, 0, {true, true, true, false, false}, 0},
      {1, 4, 2, 1, {false, true, true, false, false}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "page " << c.page << " type " << c.type);
    Form21->ParameterPage = c.page;
    l.DeviceType = c.type;
    Set(l.SetupImage, WKG0, "mk", c.mk);
    Set(l.SetupImage, ADM, "ext_disp", c.extDisp);
    d.FormActivate(nullptr);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(d.PageControl1->Page(i)->TabVisible(), c.tabs[i]) << i;
    EXPECT_EQ(d.PageControl1->ActivePageIndex(), c.active);
  }
  // The plain menu entry keeps the page that was active.
  Form21->ParameterPage = 0;
  l.DeviceType = 1;
  d.PageControl1->SetActivePageIndex(2);
  d.FormActivate(nullptr);
  EXPECT_EQ(d.PageControl1->ActivePageIndex(), 2);

  // Device type 1 sends the display over RS-232 only.
  Set(l.SetupImage, ADM, "ext_disp", 1);
  d.ComboBox98->SetItemIndex(1);
  d.FormActivate(nullptr);
  EXPECT_EQ(d.ComboBox98->ItemIndex(), 0);
  EXPECT_FALSE(d.ComboBox98->Enabled());

  EXPECT_FALSE(d.Button1->Enabled());
  EXPECT_TRUE(d.Button2->Enabled());
  EXPECT_TRUE(d.Button3->Enabled());
  Form21->DemoMode = 1;
  d.FormActivate(nullptr);
  EXPECT_FALSE(d.Button3->Enabled());
  Form21->DemoMode = 0;
}

TEST_F(WeighingParameters, BeendenRestartsTheDeviceAndAbbrechenSendsNothing) {
  ConnectKnown();
  TForm23& d = params();
  d.Show();
  const size_t writes = BlockWrites().size();
  d.Button2->Click();
  EXPECT_FALSE(d.Visible());
  EXPECT_EQ(BlockWrites().size(), writes);
  EXPECT_EQ(CountOf(CMD_RESET), 0u);
  EXPECT_EQ(PollingActive, 1);

  d.Show();
  Store(d.Button3);
  d.Button1->Click();
  EXPECT_FALSE(d.Visible());
  EXPECT_EQ(CountOf(CMD_RESET, {1}), 1u);  // the soft reset
  EXPECT_EQ(link().SoftResetRequested, 0);
  EXPECT_EQ(ServiceConnected, 1);
  EXPECT_EQ(PollingActive, 1);
}

TEST_F(WeighingParameters, ConnectAdaptsTheDialogToTheDevice) {
  struct Case {
    const char* name;
    int channels;
    uint8_t adcMode;
  };
  for (const Case& c : {Case{"one channel, continuous", 1, 0}, Case{"two channels, single", 2, 1}}) {
    SCOPED_TRACE(c.name);
    if (ServiceConnected == 1) window().Button1Click(nullptr);
    sim_.WithDevice(1, [&](devsim::DeviceModel& m) {
      m.channelCount = c.channels;
      m.adcMode = c.adcMode;
    });
    Connect();
    TForm23& d = params();
    EXPECT_EQ(d.TabSheet3->TabVisible(), c.channels == 2);
    EXPECT_EQ(d.ComboBox100->Enabled(), c.channels == 2);
    if (c.channels == 1) {
      EXPECT_EQ(d.ComboBox100->ItemIndex(), 0);
    }
    EXPECT_EQ(d.Edit3->Enabled(), c.channels == 2);
    EXPECT_EQ(d.CheckBox36->Enabled(), c.adcMode == 1);
    if (c.adcMode == 0) {
      EXPECT_FALSE(d.CheckBox36->Checked());
    }
  }
}

TEST_F(WeighingParameters, CaptionsInBothLanguages) {
  TForm23& d = params();
  struct Case {
    TControl* control;
    const char* german;
    const char* english;
  };
  const Case cases[] = {
      {d.Label65, "Bitte warten...", "Please wait..."},
      {d.Label4, "Kontinuierliche Ausgabe der", "Continuous mode for"},
      {d.Label5, "Gewichtswerte", "weighing values"},
      {d.Label6, "Anzahl der Werte [1/s]", "Count of values [1/s]"},
      {d.Label7, "Überprüfungsintervall [ms]", "Check interval [ms]"},
      {d.Label63, "Filter-Typ", "Filter type"},
      {d.Label64, "Werte Kanal 1", "Values channel 1"},
      {d.Label66, "Werte Kanal 2", "Values channel 2"},
      {d.Label60, "(0=AUS)", "(0=OFF)"},
      {d.Label57, "Summen-/Differenzkanal aktiv", "Sum/difference channel active"},
      {d.Label242, "Faktor Kanal 1", "Factor channel 1"},
      {d.Label243, "Faktor Kanal 2", "Factor channel 2"},
      {d.Label58, "Gesamtwert (Brutto)", "Aggregate value (Gross)"},
      {d.Label31, "Unterlast", "Underload"}, {d.Label25, "Unterlast", "Underload"},
      {d.Label45, "Unterlast", "Underload"}, {d.Label32, "Überlast", "Overload"},
      {d.Label24, "Überlast", "Overload"}, {d.Label44, "Überlast", "Overload"},
      {d.Label256, "Speicher-Mode", "Store mode"},
      {d.Label9, "Untergrenze (<0 - von Nennkennwert)", "Lower limit (<0 - from nominal sensitivity)"},
      {d.Label18, "Untergrenze (<0 - von Nennkennwert)", "Lower limit (<0 - from nominal sensitivity)"},
      {d.Label35, "Untergrenze (<0 - von Nennkennwert)", "Lower limit (<0 - from nominal sensitivity)"},
      {d.Label48, "Untergrenze (<0 - von Nennkennwert)", "Lower limit (<0 - from nominal sensitivity)"},
      {d.Label10, "Obergrenze (>0 - von Nennkennwert)", "Upper limit (<0 - from nominal sensitivity)"},
      {d.Label36, "Obergrenze (>0 - von Nennkennwert)", "Upper limit (<0 - from nominal sensitivity)"},
      {d.Label51, "Obergrenze (>0 - von Nennkennwert)", "Upper limit (<0 - from nominal sensitivity)"},
      {d.Label11, "Einschaltnullbereich U.-Grenze", "Start zeroing range lower limit"},
      {d.Label12, "Einschaltnullbereich O.-Grenze", "Start zeroing range upper limit"},
      {d.Label13, "Einschaltnullen aktiv", "Start zeroing active"},
      {d.Label21, "Obergrenze (>0 - von Nennkennwert)", "Upper limit (<0 - from nominal Sensitivity)"},
      {d.Label22, "Tariermodus", "Tare mode"}, {d.Label52, "Tariermodus", "Tare mode"},
      {d.Label23, "Tarawert aus Speicher laden", "Load tare value from memory"},
      {d.Label53, "Tarawert aus Speicher laden", "Load tare value from memory"},
      {d.Label28, "Zeichen 1", "Character 1"}, {d.Label54, "Zeichen 1", "Character 1"},
      {d.Label29, "Zeichen 2", "Character 2"}, {d.Label55, "Zeichen 2", "Character 2"},
      {d.Label30, "Faktor", "Factor"}, {d.Label56, "Faktor", "Factor"},
      {d.Label275, "Verstimmungswert für", "Detuning for"},
      {d.Label276, "Brückenfehlererkennung", "Load-cell error detection"},
      {d.GroupBox5, "Brückenfehlererkennung", "Load-cell error detection"},
      {d.Label274, "Brückentyp", "Load-cell type"}, {d.Label1, "Brückentyp", "Load-cell type"},
      {d.Label37, "Einschaltnullbereich U.-Grenze", "Start zero range lower limit"},
      {d.Label38, "Einschaltnullbereich O.-Grenze", "Start zero range upper limit"},
      {d.Label39, "Einschaltnullen aktiv", "Start zero active"},
      {d.Label3, "Verstimmungswert für", "Detuning for load-cell"},
      {d.Label2, "Brückenfehlererkennung", "error detection"},
      {d.Label269, "Anzeige aktivieren", "Activate display"},
      {d.Label270, "Schnittstelle", "Port"},
      {d.Label285, "RS485-Adresse", "RS485 adress"},
      {d.Label286, "Anzeige Modus", "Display mode"},
      {d.Label287, "Anzeige-Kanal", "Display channel"},
      {d.Label288, "Blinken bei Fehler", "Blink on error"},
      {d.Label289, "Übertragungsprotokoll", "Transfer protocol"},
      {d.Label290, "Mode", "Mode"},
      {d.Label77, "Kanal 1", "Channel 1"},
      {d.GroupBox3, "Ausgabe der Gewichtswerte", "Issue of the weighing values"},
      {d.GroupBox15, "Mittelwertfilter", "Average filter"},
      {d.GroupBox14, "Summen-/Differenzkanal", "Sum/difference channel"},
      {d.GroupBox36, "Logspeicher", "Logging memory"},
      {d.GroupBox4, "Nullstellbereich", "Zeroing range"}, {d.GroupBox10, "Nullstellbereich", "Zeroing range"},
      {d.GroupBox6, "Tarierbereich", "Taring range"}, {d.GroupBox12, "Tarierbereich", "Taring range"},
      {d.GroupBox7, "Fehler-Grenzwerte", "Error limits"}, {d.GroupBox11, "Fehler-Grenzwerte", "Error limits"},
      {d.GroupBox8, "Freie Masseinheit", "Free unit"}, {d.GroupBox13, "Freie Masseinheit", "Free unit"},
      {d.GroupBox1, "Kraftaufnehmer / Brückenfehlererkennung", "Load-cell / Load-cell error detection"},
      {d.GroupBox2, "Kraftaufnehmer / Brückenfehlererkennung", "Load-cell / Load-cell error detection"},
      {d.GroupBox48, "Externe Anzeige QV58-NSxx/AxxE", "External display QV58-NSxx/AxxE"},
      {d.Button3, "Speichern im Gerät", "Write to device"},
      {d.Button2, "Abbrechen", "Cancel"},
      {d.Button1, "Beenden", "Exit"},
      {d.Button4, "Neu bestimmen", "Assign new"}, {d.Button5, "Neu bestimmen", "Assign new"},
  };
  for (int lang : {1, 0}) {
    link().Options.lang = static_cast<uint8_t>(lang);
    d.ChangeLanguage();
    for (const Case& c : cases) EXPECT_EQ(CaptionOf(c.control), lang == 1 ? c.english : c.german) << c.control->Name();
    EXPECT_EQ(d.Caption(), lang == 1 ? "Weighing related parameter channel 1/2" : "Wägetechnische Parameter Kanal 1/2");
    const std::array<const char*, 5> pages = {lang == 1 ? "Misc. parameter" : "Allgemeine Parameter",
                                              lang == 1 ? "Channel 1" : "Kanal 1", lang == 1 ? "Channel 2" : "Kanal 2",
                                              "Lastkollektivzähler / Dosierwaage",
                                              lang == 1 ? "External display" : "Externe Anzeige"};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(d.PageControl1->Page(i)->Caption(), pages[i]);
  }
  // Range texts keep theirs.
  EXPECT_EQ(d.Label61->Caption(), "1..32");
}

TEST_F(WeighingParameters, ListsKeepTheirChoiceAcrossALanguageSwitch) {
  TForm23& d = params();
  link().ShortSdcontList = 1;
  d.ComboBox1->SetItemIndex(1);
  d.ComboBox94->SetItems({"5", "10", "15"});
  d.ComboBox94->SetItemIndex(1);
  d.ComboBox100->SetItems({"Kanal 1", "Kanal 2"});
  d.ComboBox100->SetItemIndex(1);
  link().Options.lang = 1;
  d.ChangeLanguage();
  EXPECT_EQ(d.ComboBox1->Text(), "Tare when stable");
  EXPECT_EQ(d.ComboBox94->Text(), "10");
  EXPECT_EQ(d.ComboBox100->ItemCount(), 3);
  EXPECT_EQ(d.ComboBox100->Text(), "Channel 2");
  EXPECT_EQ(d.ComboBox19->Item(1), "Length 2^N");
  EXPECT_EQ(d.ComboBox87->Item(0), "Log memory");
  link().ShortSdcontList = 0;
  d.ChangeLanguage();
  EXPECT_EQ(d.ComboBox94->Item(0), "cont. ON");
  EXPECT_EQ(d.ComboBox94->ItemIndex(), 1);
}

}  // namespace
