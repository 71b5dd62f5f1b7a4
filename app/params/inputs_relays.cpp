// The input, encoder and relay dialog's display of the image's
// extension-board section, its store of the whole section, the activation
// and the window buttons. Checking a box or a radio button from here runs
// its click handler, as a user's click does.
#include "app/params/inputs_relays.h"

#include <initializer_list>
#include <string>

#include "app/link/test_window.h"
#include "app/params/parameter_dialog.h"
#include "app/params/parameter_text.h"
#include "app/service/service_window.h"
#include "app/setup/setup_text.h"

namespace {

using enum SetupSection;

constexpr int PAGE_INPUTS = 0;
constexpr int PAGE_RELAYS = 1;
// The limits of the 16-bit fields: pulses per revolution signed, times in ms unsigned.
constexpr int PULSES_MIN = -32768;
constexpr int PULSES_MAX = 32767;
constexpr int TIME_MAX = 65535;

ImageField Exb(const std::string& name) { return ImageField(EXB, name); }
// A field of relay 1 or 2 ("rel_0_..." / "rel_1_...").
ImageField RelayField(int relay, const char* name) { return Exb("rel_" + std::to_string(relay - 1) + "_" + name); }

bool IsOne(const ImageField& field) { return field.Byte() == 1; }
uint8_t Flag(const TCheckBox* box) { return box->Checked() ? 1 : 0; }
uint8_t Flag(const TRadioButton* button) { return button->Checked() ? 1 : 0; }

}  // namespace

// ---- Display of the image

void TForm24::ShowSetup() {
  if (Form1 == nullptr || (Form21 != nullptr && Form21->DemoMode == 1)) return;
  const bool inputsActive = IsOne(Exb("inp_active"));
  CheckBox14->SetChecked(inputsActive);
  CheckBox15->SetEnabled(inputsActive);
  CheckBox15->SetChecked(IsOne(Exb("inp_neg")));
  CheckBox26->SetChecked(IsOne(Exb("inp_tare")));
  CheckBox27->SetChecked(IsOne(Exb("inp_zero")));
  CheckBox28->SetChecked(IsOne(Exb("inp_chsel")));
  CheckBox29->SetChecked(IsOne(Exb("inp_log")));
  UpdateInputControls(0);

  const bool encoder = IsOne(Exb("inp_incr"));
  CheckBox16->SetChecked(encoder);
  Edit36->SetEnabled(encoder);
  Edit37->SetEnabled(encoder);
  Edit36->SetText(FormatInt(static_cast<int16_t>(Exb("inp_val").Word())));
  Edit37->SetText(FormatFloat(Exb("inp_val_imp").Float(), kFloat2));
  UpdateInputControls(1);

  for (int relay : {1, 2}) {
    ShowRelay(relay);
    UpdateRelayControls(relay);
  }
}

void TForm24::ShowRelay(int relay) {
  const RelayGroup g = Relay(relay);
  g.active->SetChecked(IsOne(RelayField(relay, "active")));
  (IsOne(RelayField(relay, "neg")) ? g.polarityOff : g.polarityOn)->SetChecked(true);
  ChooseItem(g.type, RelayField(relay, "mode").Byte());
  ChooseItem(g.channel, RelayField(relay, "ch").Byte());
  // With several conditions set, the last of this order wins; with none the buttons stay.
  if (IsOne(RelayField(relay, "sti"))) g.standstill->SetChecked(true);
  if (IsOne(RelayField(relay, "err"))) g.error->SetChecked(true);
  if (IsOne(RelayField(relay, "lc_err"))) g.loadCellError->SetChecked(true);
  if (IsOne(RelayField(relay, "value"))) g.setPoint->SetChecked(true);
  g.switchPoint->SetText(FormatFloat(RelayField(relay, "grw").Float(), kFloat1));
  g.hysteresis->SetText(FormatFloat(RelayField(relay, "hyst_val").Float(), kFloat1));
  ChooseItem(g.hysteresisMode, RelayField(relay, "hyst_mode").Byte());
  // Times are milliseconds 0 .. 65535.
  g.onTime->SetText(FormatInt(RelayField(relay, "on_time").Word()));
  g.delay->SetText(FormatInt(RelayField(relay, "pre_time").Word()));
}

void TForm24::ShowRelayTimes(bool shown) {
  for (TControl* control : std::initializer_list<TControl*>{Label244, Label245, Edit131, Edit132, Label246, Label247,
                                                           Label250, Label251, Edit133, Edit134, Label252,
                                                           Label253})
    control->SetVisible(shown);
  if (shown) return;
  for (TEdit* edit : {Edit131, Edit132, Edit133, Edit134}) edit->SetText("0");
}

// ---- Activation and the window buttons

void TForm24::FormActivate(TObject* Sender) {
  if (Form1 == nullptr) return;
  ActivateButtons(Button1, Button2, Button3);
  const int page = Form21 != nullptr ? Form21->ExbPage : -1;
  if (page == 0) PageControl1->SetActivePageIndex(PAGE_INPUTS);
  if (page == 1) PageControl1->SetActivePageIndex(PAGE_RELAYS);
  if (ImageField(WKG0, "mk").Byte() == 1) {
    // A one-channel device switches on channel 1 only.
    for (TComboBox* list : {ComboBox77, ComboBox80}) {
      list->SetItemIndex(0);
      list->SetEnabled(false);
    }
    return;
  }
  if (IsOne(RelayField(1, "err"))) ComboBox77->SetEnabled(false);
  if (IsOne(RelayField(2, "err"))) ComboBox80->SetEnabled(false);
}

void TForm24::Button3Click(TObject* Sender) {
  if (Form1 == nullptr || !PrepareStore()) return;
  Exb("inp_active").SetByte(Flag(CheckBox14));
  Exb("inp_neg").SetByte(Flag(CheckBox15));
  Exb("inp_tare").SetByte(Flag(CheckBox26));
  Exb("inp_zero").SetByte(Flag(CheckBox27));
  Exb("inp_chsel").SetByte(Flag(CheckBox28));
  Exb("inp_log").SetByte(Flag(CheckBox29));
  Exb("inp_incr").SetByte(Flag(CheckBox16));
  Exb("inp_val").SetWord(Int16FieldOfText(Edit36->Text(), PULSES_MIN, PULSES_MAX));
  Exb("inp_val_imp").SetFloat(DecimalOfText(Edit37->Text()));
  TakeRelay(1);
  TakeRelay(2);

  Button2->SetEnabled(false);
  Label65->Show();
  const bool written = WriteSection(EXB);
  Label65->Hide();
  Button1->SetEnabled(true);
  ReportStore(written);
}

void TForm24::TakeRelay(int relay) {
  const RelayGroup g = Relay(relay);
  RelayField(relay, "active").SetByte(Flag(g.active));
  if (g.polarityOff->Checked()) RelayField(relay, "neg").SetByte(1);
  if (g.polarityOn->Checked()) RelayField(relay, "neg").SetByte(0);
  RelayField(relay, "mode").SetByte(ItemByte(g.type));
  RelayField(relay, "ch").SetByte(ItemByte(g.channel));
  RelayField(relay, "value").SetByte(Flag(g.setPoint));
  RelayField(relay, "sti").SetByte(Flag(g.standstill));
  RelayField(relay, "err").SetByte(Flag(g.error));
  RelayField(relay, "lc_err").SetByte(Flag(g.loadCellError));
  RelayField(relay, "grw").SetFloat(DecimalOfText(g.switchPoint->Text()));
  RelayField(relay, "hyst_val").SetFloat(DecimalOfText(g.hysteresis->Text()));
  RelayField(relay, "hyst_mode").SetByte(ItemByte(g.hysteresisMode));
  RelayField(relay, "on_time").SetWord(Int16FieldOfText(g.onTime->Text(), 0, TIME_MAX));
  RelayField(relay, "pre_time").SetWord(Int16FieldOfText(g.delay->Text(), 0, TIME_MAX));
}

void TForm24::Button1Click(TObject* Sender) { ExitWithRestart(*this, Button2, Button3); }

void TForm24::Button2Click(TObject* Sender) { Close(); }
