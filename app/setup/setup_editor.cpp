#include "app/setup/setup_editor.h"

#include <algorithm>
#include <utility>

#include "app/link/test_window.h"
#include "app/service/service_window.h"

TForm3* Form3 = nullptr;

TForm3::TForm3() {
  SubscribeToLink(this);
  SetName("Form3");
  SetCaption("VD417-Setup");
  SetSize(793, 658);
  BuildLayout();
  WireHandlers();
  ActiveSetup = 255;
}

TControl* TForm3::FindControl(std::string_view name) const {
  const auto it = controls_.find(std::string(name));
  return it == controls_.end() ? nullptr : it->second;
}

std::string TForm3::Text(std::string_view control) const {
  if (auto* edit = dynamic_cast<TEdit*>(FindControl(control))) return edit->Text();
  if (auto* list = dynamic_cast<TComboBox*>(FindControl(control))) return list->Text();
  return {};
}

int TForm3::ItemIndex(std::string_view control) const {
  auto* list = dynamic_cast<TComboBox*>(FindControl(control));
  return list != nullptr ? list->ItemIndex() : -1;
}

bool TForm3::Checked(std::string_view control) const {
  TControl* found = FindControl(control);
  if (auto* box = dynamic_cast<TCheckBox*>(found)) return box->Checked();
  if (auto* radio = dynamic_cast<TRadioButton*>(found)) return radio->Checked();
  return false;
}

void TForm3::ControlsToSetup(int section, int mode) {
  const std::optional<SetupSection> which = SectionOfCode(section, SetupBase);
  if (!which || *which == SetupSection::SAV) return;
  RebuildFromControls(*which);
  if (mode == CODEC_WRITE_DEVICE) WriteSection(*which);
}

void TForm3::RebuildFromControls(SetupSection section) {
  if (section == SetupSection::SAV) return;
  std::span<uint8_t> bytes = SectionBytes(Form1->SetupImage, section);
  ::RebuildSection(section, *this, CodecOptions{Form1->NoFiveDecimals != 0}, bytes);
  if (section == SetupSection::LPC && Form21 != nullptr) Form21->Profibus1->SetChecked(bytes[0] == 2);
}

bool TForm3::WriteSection(SetupSection section) {
  // Until a set-up copy is chosen the codes of the copy's sections name no
  // copy: such a section is never written to a guessed address.
  if (section == SetupSection::SAV || (section != SetupSection::GBL && !IsSetupCopyBase(SetupBase))) {
    Form1->TransferFailed = 1;
    Form1->DeviceErrorFlag = 1;
    return false;
  }
  if (section != SetupSection::GBL && section != SetupSection::LPC) Repaint();
  const std::span<const uint8_t> bytes = SectionBytes(std::as_const(Form1->SetupImage), section);
  const SectionWrite write = DeviceWriteOf(section, SetupBase);
  // The link reports an error status on any chunk, not only the last one's.
  const bool failed = Form1->WriteDeviceMemory(bytes, write.address, write.offset, write.length);
  if (failed && Form1->DeviceErrorFlag == 0) Form1->TransferFailed = 1;
  if (failed) Form1->DeviceErrorFlag = 1;
  return !failed;
}

void TForm3::WireHandlers() {
  // The window, its toolbar and its device commands.
  OnActivate = Handler(this, &TForm3::ActivateWindow);
  OnClose = [this](TObject* Sender, TCloseAction& Action) { FormClose(Sender, Action); };
  const std::pair<TButton*, void (TForm3::*)(TObject*)> buttons[] = {
      {ENDE, &TForm3::ENDEClick},       {Button4, &TForm3::Button4Click},   {Button3, &TForm3::Button3Click},
      {Button5, &TForm3::Button5Click}, {Button6, &TForm3::Button6Click},   {Button35, &TForm3::Button35Click},
      {Button36, &TForm3::Button36Click}, {Button54, &TForm3::Button54Click}, {Button37, &TForm3::Button37Click},
      {Button22, &TForm3::Button22Click}, {Button25, &TForm3::Button25Click}, {Button45, &TForm3::Button45Click},
      {Button11, &TForm3::Button11Click}, {Button12, &TForm3::Button12Click}, {Button13, &TForm3::Button13Click},
      {Button18, &TForm3::Button18Click}, {Button20, &TForm3::Button20Click}, {Button21, &TForm3::Button21Click},
      {Button57, &TForm3::Button57Click}, {Button58, &TForm3::Button58Click}, {Button7, &TForm3::Button7Click},
      {Button9, &TForm3::Button9Click},   {Button10, &TForm3::Button10Click},
      // Page buttons "Lesen" / "Schreiben".
      {Button33, &TForm3::Button33Click}, {Button34, &TForm3::Button34Click}, {Button14, &TForm3::Button14Click},
      {Button17, &TForm3::Button17Click}, {Button23, &TForm3::Button23Click}, {Button8, &TForm3::Button8Click},
      {Button38, &TForm3::Button38Click}, {Button39, &TForm3::Button39Click}, {Button55, &TForm3::Button55Click},
      {Button56, &TForm3::Button56Click}, {Button43, &TForm3::Button43Click}, {Button44, &TForm3::Button44Click},
      {Button16, &TForm3::Button16Click}, {Button19, &TForm3::Button19Click}, {Button40, &TForm3::Button40Click},
      {Button41, &TForm3::Button41Click}, {Button31, &TForm3::Button31Click}, {Button32, &TForm3::Button32Click},
      {Button46, &TForm3::Button46Click}, {Button47, &TForm3::Button47Click}, {Button48, &TForm3::Button48Click},
      {Button49, &TForm3::Button49Click}, {Button26, &TForm3::Button26Click}, {Button27, &TForm3::Button27Click},
      {Button2, &TForm3::Button2Click},   {Button51, &TForm3::Button51Click}, {Button1, &TForm3::Button1Click},
      {Button24, &TForm3::Button24Click}, {Button29, &TForm3::Button29Click}, {Button30, &TForm3::Button30Click},
      {Button50, &TForm3::Button50Click}, {Button59, &TForm3::Button59Click}, {Button15, &TForm3::Button15Click},
      {Button28, &TForm3::Button28Click}, {Button42, &TForm3::Button42Click}, {Button52, &TForm3::Button52Click},
      {Button53, &TForm3::Button53Click}};
  for (const auto& [button, handler] : buttons) button->OnClick = Handler(this, handler);

  // Channels, calibration and units.
  ComboBox5->OnChange = Handler(this, &TForm3::ComboBox5Change);
  ComboBox28->OnChange = Handler(this, &TForm3::ComboBox5Change);
  ComboBox16->OnChange = Handler(this, &TForm3::ComboBox16Change);
  ComboBox17->OnChange = Handler(this, &TForm3::ComboBox17Change);
  ComboBox40->OnChange = Handler(this, &TForm3::ComboBox40Change);
  ComboBox41->OnChange = Handler(this, &TForm3::ComboBox41Change);
  ComboBox15->OnChange = Handler(this, &TForm3::ComboBox15Change);
  ComboBox19->OnChange = Handler(this, &TForm3::ComboBox19Change);
  const std::array<void (TForm3::*)(TObject*), 7> unit_clicks = {
      &TForm3::CheckBox5Click, &TForm3::CheckBox6Click, &TForm3::CheckBox7Click, &TForm3::CheckBox8Click,
      &TForm3::CheckBox9Click, &TForm3::CheckBox10Click, &TForm3::CheckBox11Click};
  const std::array<TCheckBox*, 7> first = {CheckBox5, CheckBox6, CheckBox7, CheckBox8, CheckBox9, CheckBox10, CheckBox11};
  const std::array<TCheckBox*, 7> second = {CheckBox26, CheckBox27, CheckBox28, CheckBox29,
                                            CheckBox30, CheckBox31, CheckBox32};
  for (size_t i = 0; i < unit_clicks.size(); ++i) {
    first[i]->OnClick = Handler(this, unit_clicks[i]);
    second[i]->OnClick = Handler(this, unit_clicks[i]);
  }
  CheckBox12->OnClick = Handler(this, &TForm3::CheckBox12Click);
  ComboBox33->OnChange = Handler(this, &TForm3::ComboBox33Change);
  ComboBox29->OnChange = Handler(this, &TForm3::ComboBox29Change);
  ComboBox48->OnChange = Handler(this, &TForm3::ComboBox48Change);
  ComboBox52->OnChange = Handler(this, &TForm3::ComboBox52Change);
  ComboBox54->OnChange = Handler(this, &TForm3::ComboBox54Change);
  ComboBox57->OnChange = Handler(this, &TForm3::ComboBox57Change);
  ComboBox58->OnChange = Handler(this, &TForm3::ComboBox58Change);
  ComboBox61->OnChange = Handler(this, &TForm3::ComboBox61Change);
  ComboBox7->OnChange = Handler(this, &TForm3::ComboBox7Change);
  ComboBox46->OnChange = Handler(this, &TForm3::ComboBox46Change);
  ComboBox47->OnChange = Handler(this, &TForm3::ComboBox47Change);
  ComboBox53->OnChange = Handler(this, &TForm3::ComboBox53Change);
  ComboBox62->OnChange = Handler(this, &TForm3::ComboBox62Change);
  ComboBox63->OnChange = Handler(this, &TForm3::ComboBox63Change);
  ComboBox64->OnChange = Handler(this, &TForm3::ComboBox64Change);
  ComboBox65->OnChange = Handler(this, &TForm3::ComboBox65Change);
  ComboBox88->OnChange = Handler(this, &TForm3::ComboBox88Change);
  ComboBox90->OnChange = Handler(this, &TForm3::ComboBox90Change);
  ComboBox8->OnChange = Handler(this, &TForm3::ComboBox8Change);
  ComboBox82->OnChange = Handler(this, &TForm3::ComboBox82Change);
  CheckBox36->OnClick = Handler(this, &TForm3::CheckBox36Click);
  ComboBox102->OnChange = Handler(this, &TForm3::ComboBox102Change);

  // Interfaces, extension board, display, modules, factory data.
  ComboBox4->OnChange = Handler(this, &TForm3::ComboBox4Change);
  ComboBox6->OnChange = Handler(this, &TForm3::ComboBox6Change);
  ComboBox14->OnChange = Handler(this, &TForm3::ComboBox14Change);
  CheckBox14->OnClick = Handler(this, &TForm3::CheckBox14Click);
  CheckBox40->OnClick = Handler(this, &TForm3::CheckBox40Click);
  CheckBox41->OnClick = Handler(this, &TForm3::CheckBox41Click);
  CheckBox16->OnClick = Handler(this, &TForm3::CheckBox16Click);
  CheckBox17->OnClick = Handler(this, &TForm3::CheckBox17Click);
  CheckBox19->OnClick = Handler(this, &TForm3::CheckBox19Click);
  RadioButton7->OnClick = Handler(this, &TForm3::RadioButton7Click);
  RadioButton3->OnClick = Handler(this, &TForm3::RadioButton3Click);
  RadioButton4->OnClick = Handler(this, &TForm3::RadioButton4Click);
  RadioButton9->OnClick = Handler(this, &TForm3::RadioButton9Click);
  RadioButton8->OnClick = Handler(this, &TForm3::RadioButton8Click);
  RadioButton5->OnClick = Handler(this, &TForm3::RadioButton5Click);
  RadioButton6->OnClick = Handler(this, &TForm3::RadioButton6Click);
  RadioButton10->OnClick = Handler(this, &TForm3::RadioButton10Click);
  ComboBox77->OnChange = Handler(this, &TForm3::ComboBox77Change);
  ComboBox80->OnChange = Handler(this, &TForm3::ComboBox80Change);
  CheckBox48->OnClick = Handler(this, &TForm3::CheckBox48Click);
  ComboBox98->OnChange = Handler(this, &TForm3::ComboBox98Change);
  ComboBox100->OnChange = Handler(this, &TForm3::ComboBox100Change);
  ComboBox100->OnExit = Handler(this, &TForm3::ComboBox100Exit);
  CheckBox21->OnClick = Handler(this, &TForm3::CheckBox21Click);
  CheckBox50->OnClick = Handler(this, &TForm3::CheckBox21Click);
  GroupBox24->OnClick = Handler(this, &TForm3::GroupBox24Click);
  GroupBox25->OnClick = Handler(this, &TForm3::GroupBox25Click);
  Label84->OnClick = Handler(this, &TForm3::Label84Click);

  // Input checks.
  const std::pair<TEdit*, void (TForm3::*)(TObject*)> exits[] = {
      {Edit60, &TForm3::Edit60Exit},   {Edit108, &TForm3::Edit108Exit}, {Edit61, &TForm3::Edit61Exit},
      {Edit109, &TForm3::Edit109Exit}, {Edit62, &TForm3::Edit62Exit},   {Edit110, &TForm3::Edit110Exit},
      {Edit63, &TForm3::Edit63Exit},   {Edit111, &TForm3::Edit111Exit}, {Edit67, &TForm3::Edit67Exit},
      {Edit112, &TForm3::Edit112Exit}, {Edit68, &TForm3::Edit68Exit},   {Edit113, &TForm3::Edit113Exit},
      {Edit99, &TForm3::Edit99Exit},   {Edit116, &TForm3::Edit116Exit}, {Edit69, &TForm3::Edit69Exit},
      {Edit126, &TForm3::Edit126Exit}, {Edit70, &TForm3::Edit70Exit},   {Edit122, &TForm3::Edit122Exit},
      {Edit71, &TForm3::Edit71Exit},   {Edit121, &TForm3::Edit121Exit}, {Edit129, &TForm3::Edit129Exit},
      {Edit130, &TForm3::Edit130Exit}, {Edit131, &TForm3::Edit131Exit}, {Edit132, &TForm3::Edit132Exit},
      {Edit133, &TForm3::Edit133Exit}, {Edit134, &TForm3::Edit134Exit}, {Edit137, &TForm3::Edit137Exit},
      {Edit138, &TForm3::Edit138Exit}, {Edit142, &TForm3::Edit142Exit}, {Edit12, &TForm3::Edit12Exit},
      {Edit16, &TForm3::Edit16Exit},   {Edit139, &TForm3::Edit139Exit}};
  for (const auto& [edit, handler] : exits) edit->OnExit = Handler(this, handler);
  Edit25->OnChange = Handler(this, &TForm3::Edit25Change);
  Edit51->OnChange = Handler(this, &TForm3::Edit51Change);
  Edit61->OnChange = Handler(this, &TForm3::Edit61Change);
  Edit109->OnChange = Handler(this, &TForm3::Edit61Change);
}
