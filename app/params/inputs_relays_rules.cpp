// The rules that keep the input, encoder and relay dialog consistent while
// the user edits, the range clamps of its fields, and its texts.
#include <initializer_list>
#include <string>
#include <utility>

#include "app/params/inputs_relays.h"
#include "app/params/parameter_dialog.h"
#include "app/params/relay_rule.h"
#include "app/program/text_table.h"
#include "app/setup/input_checks.h"
#include "app/link/test_window.h"

namespace {

// The on-time and on-delay: 0 stays (no time), otherwise 50 .. 5000 ms.
const RangeCheck kTimeRange{"", 50, 5000, true};
// Pulses per revolution: the signed 16-bit field.
const RangeCheck kPulsesRange{"", -32768, 32767};

SwitchCondition CheckedCondition(const TForm24::RelayGroup& g) {
  if (g.error->Checked()) return SwitchCondition::Error;
  if (g.loadCellError->Checked()) return SwitchCondition::LoadCellError;
  if (g.standstill->Checked()) return SwitchCondition::Standstill;
  if (g.setPoint->Checked()) return SwitchCondition::SetPoint;
  return SwitchCondition::None;
}

void Clamp(TEdit* edit, const RangeCheck& range) {
  if (const auto text = ApplyRangeCheck(range, edit->Text()).text) edit->SetText(*text);
}

}  // namespace

void TForm24::UpdateRelayControls(int relay) {
  if ((relay != 1 && relay != 2) || Form1 == nullptr) return;
  const RelayGroup g = Relay(relay);
  RelayGroupState s;
  s.active = g.active->Checked();
  s.polarityOn = g.polarityOn->Checked();
  s.condition = CheckedCondition(g);
  s.channelIndex = g.channel->ItemIndex();
  s.hysteresisIndex = g.hysteresisMode->ItemIndex();
  s.onTime = g.onTime->Text();
  s.delay = g.delay->Text();
  s.polarityOffEnabled = g.polarityOff->Enabled();
  s.polarityOnEnabled = g.polarityOn->Enabled();
  s.conditionsEnabled = g.setPoint->Enabled();
  s.typeEnabled = g.type->Enabled();
  s.channelEnabled = g.channel->Enabled();
  s.hysteresisModeEnabled = g.hysteresisMode->Enabled();
  s.setPointEnabled = g.switchPoint->Enabled();
  s.hysteresisEnabled = g.hysteresis->Enabled();
  s.onTimeEnabled = g.onTime->Enabled();
  s.delayEnabled = g.delay->Enabled();

  const RelayRuleContext context{relay, ImageField(SetupSection::WKG0, "mk").Byte() == 1,
                                 Form1->ExbFirmwareV14 == 1};
  ApplyRelayRule(s, context);

  if (s.polarityOn && !g.polarityOn->Checked()) g.polarityOn->SetChecked(true);
  g.channel->SetItemIndex(s.channelIndex);
  g.hysteresisMode->SetItemIndex(s.hysteresisIndex);
  if (g.onTime->Text() != s.onTime) g.onTime->SetText(s.onTime);
  if (g.delay->Text() != s.delay) g.delay->SetText(s.delay);
  g.polarityOff->SetEnabled(s.polarityOffEnabled);
  g.polarityOn->SetEnabled(s.polarityOnEnabled);
  for (TRadioButton* button : {g.setPoint, g.standstill, g.error, g.loadCellError})
    button->SetEnabled(s.conditionsEnabled);
  g.type->SetEnabled(s.typeEnabled);
  g.channel->SetEnabled(s.channelEnabled);
  g.hysteresisMode->SetEnabled(s.hysteresisModeEnabled);
  g.switchPoint->SetEnabled(s.setPointEnabled);
  g.hysteresis->SetEnabled(s.hysteresisEnabled);
  g.onTime->SetEnabled(s.onTimeEnabled);
  g.delay->SetEnabled(s.delayEnabled);
}

void TForm24::UpdateInputControls(int group) {
  if (group == 0) {
    const bool active = CheckBox14->Checked();
    for (TCheckBox* box : {CheckBox15, CheckBox26, CheckBox27, CheckBox28, CheckBox29}) box->SetEnabled(active);
  } else if (group == 1) {
    const bool encoder = CheckBox16->Checked();
    Edit36->SetEnabled(encoder);
    Edit37->SetEnabled(encoder);
  }
}

void TForm24::Relay1Change(TObject* Sender) { UpdateRelayControls(1); }

void TForm24::Relay2Change(TObject* Sender) { UpdateRelayControls(2); }

void TForm24::CheckBox14Click(TObject* Sender) { UpdateInputControls(0); }

void TForm24::CheckBox16Click(TObject* Sender) { UpdateInputControls(1); }

// Zeroing and taring by input need the channel selection.
void TForm24::CheckBox28Click(TObject* Sender) {
  const bool selection = CheckBox28->Checked();
  for (TCheckBox* box : {CheckBox26, CheckBox27}) {
    box->SetEnabled(selection);
    if (!selection) box->SetChecked(false);
  }
}

void TForm24::CheckBox1Click(TObject* Sender) {
  const bool dosing = CheckBox1->Checked();
  if (dosing) {
    CheckBox14->SetChecked(true);
    CheckBox15->SetChecked(false);
  }
  for (TCheckBox* box : {CheckBox26, CheckBox27, CheckBox28, CheckBox29}) {
    if (dosing) box->SetChecked(false);
    box->SetEnabled(!dosing);
  }
}

void TForm24::TimeEditExit(TObject* Sender) {
  if (auto* edit = dynamic_cast<TEdit*>(Sender)) Clamp(edit, kTimeRange);
}

void TForm24::Edit36Exit(TObject* Sender) { Clamp(Edit36, kPulsesRange); }

void TForm24::ChangeLanguage() {
  auto t = [](int row) { return LangText(row); };
  auto captions = [&t](std::initializer_list<std::pair<TLabel*, int>> labels) {
    for (const auto& [label, row] : labels) label->SetCaption(t(row));
  };

  SetCaption(t(279));
  captions({{Label65, 280}, {Label55, 281},  {Label56, 282},  {Label1, 283},  {Label195, 284}, {Label194, 285},
            {Label193, 286}, {Label192, 287}, {Label57, 288}, {Label145, 289}, {Label58, 290}, {Label167, 291}});
  captions({{Label168, 292}, {Label172, 293}, {Label171, 294}, {Label170, 295}, {Label173, 296}, {Label174, 297},
            {Label175, 298}, {Label244, 299}, {Label245, 300}});
  captions({{Label176, 301}, {Label180, 302}, {Label179, 303}, {Label178, 304}, {Label181, 305}, {Label182, 306},
            {Label183, 307}, {Label250, 308}, {Label251, 309}});
  GroupBox22->SetCaption(t(310));
  GroupBox31->SetCaption(t(311));
  GroupBox28->SetCaption(t(312));
  GroupBox29->SetCaption(t(313));
  RadioButton2->SetCaption(t(314));
  RadioButton1->SetCaption(t(315));
  RadioButton4->SetCaption(t(316));
  RadioButton7->SetCaption(t(317));
  RadioButton11->SetCaption(t(318));
  RadioButton3->SetCaption(t(319));
  RadioButton10->SetCaption(t(320));
  RadioButton9->SetCaption(t(321));
  RadioButton6->SetCaption(t(322));
  RadioButton8->SetCaption(t(323));
  RadioButton12->SetCaption(t(324));
  RadioButton5->SetCaption(t(325));

  // The channel lists always get all four entries.
  const std::vector<std::string> channels = {t(326), t(327), t(328), t(329)};
  const std::vector<std::string> types = {t(330), t(331)};
  const std::vector<std::string> hysteresis = {t(332), t(333), t(334), t(335)};
  RefillList(ComboBox77, channels);
  RefillList(ComboBox76, types);
  RefillList(ComboBox78, hysteresis);
  RefillList(ComboBox80, channels);
  RefillList(ComboBox79, types);
  RefillList(ComboBox81, hysteresis);

  TabSheet1->SetCaption(t(336));
  TabSheet2->SetCaption(t(337));
  CheckBox29->SetCaption(t(338));
  CheckBox28->SetCaption(t(339));
  CheckBox27->SetCaption(t(340));
  CheckBox26->SetCaption(t(341));
  Button3->SetCaption(t(342));
  Button2->SetCaption(t(343));
  Button1->SetCaption(t(344));
}
