// Controls that follow the choices in other controls of the set-up editor.
#include "app/link/test_window.h"
#include "app/setup/input_checks.h"
#include "app/setup/setup_editor.h"

namespace {

void EnableAll(std::initializer_list<TControl*> controls, bool enabled) {
  for (TControl* control : controls) control->SetEnabled(enabled);
}

}  // namespace

// ---- Channel count

void TForm3::ApplyChannelCount() {
  const int index = ComboBox5->ItemIndex();
  if (index != 0 && index != 1) return;
  const bool two = index == 1;
  for (TControl* group : {static_cast<TControl*>(GroupBox6), static_cast<TControl*>(GroupBox9),
                          static_cast<TControl*>(GroupBox15), static_cast<TControl*>(GroupBox45),
                          static_cast<TControl*>(GroupBox25)})
    group->SetVisible(two);
  ComboBox42->SetItemIndex(0);
  ComboBox42->SetEnabled(two);
  ComboBox43->SetItemIndex(two ? 1 : 0);
  ComboBox43->SetEnabled(two);
  if (!two) {
    ComboBox77->SetItemIndex(0);
    ComboBox80->SetItemIndex(0);
  }
  ComboBox77->SetEnabled(two);
  ComboBox80->SetEnabled(two);
  if (!two) CheckBox36->SetChecked(false);
}

void TForm3::ComboBox5Change(TObject*) { ApplyChannelCount(); }

// ---- Calibration

void TForm3::CalibrationGroup(int channel) {
  TComboBox* list = channel == 0 ? ComboBox16 : ComboBox17;
  TGroupBox* group = channel == 0 ? GroupBox8 : GroupBox9;
  if (list->ItemIndex() == 0) group->Hide();
  if (list->ItemIndex() == 1) {
    group->Show();
    (channel == 0 ? Edit25 : Edit51)->Show();
  }
}

void TForm3::ComboBox16Change(TObject*) { CalibrationGroup(0); }

void TForm3::ComboBox17Change(TObject*) {
  // A single-channel device keeps its channel-2 calibration group as it is.
  if (Form1->DeviceVariant == 11 || Form1->DeviceVariant < 10) return;
  CalibrationGroup(1);
}

void TForm3::ShowCalibrationPoints(int channel) {
  if (channel == 0 || channel == 1) {
    const std::array<TEdit*, 16> points =
        channel == 0 ? std::array<TEdit*, 16>{Edit4,  Edit5,  Edit8,  Edit20, Edit21, Edit22, Edit23, Edit24,
                                              Edit18, Edit26, Edit27, Edit28, Edit29, Edit30, Edit31, Edit32}
                     : std::array<TEdit*, 16>{Edit33, Edit34, Edit35, Edit46, Edit47, Edit48, Edit49, Edit50,
                                              Edit52, Edit53, Edit54, Edit55, Edit56, Edit57, Edit58, Edit59};
    for (TEdit* edit : points) edit->Hide();
    const int shown = ShownPointCount((channel == 0 ? Edit25 : Edit51)->Text());
    for (int k = 0; k < shown; ++k) {
      points[static_cast<size_t>(2 * k)]->Show();
      points[static_cast<size_t>(2 * k + 1)]->Show();
    }
  }
  Repaint();
}

void TForm3::CalibrationSet(int channel) {
  TComboBox* list = channel == 0 ? ComboBox40 : ComboBox41;
  const int index = list->ItemIndex();
  if (index != 0 && index != 1) return;
  (channel == 0 ? static_cast<TControl*>(Label65) : Label70)->SetEnabled(index == 1);
  (channel == 0 ? ComboBox23 : ComboBox24)->SetEnabled(index == 1);
}

void TForm3::ComboBox40Change(TObject*) { CalibrationSet(0); }
void TForm3::ComboBox41Change(TObject*) { CalibrationSet(1); }

void TForm3::ComboBox15Change(TObject*) {
  Edit14->SetEnabled(ComboBox15->ItemIndex() != 0);
  Repaint();
}

void TForm3::ComboBox19Change(TObject*) {
  const int index = ComboBox19->ItemIndex();
  if (index != 0 && index != 1) return;
  EnableAll({Edit12, Edit16}, index == 0);
  EnableAll({ComboBox96, ComboBox97}, index == 1);
}

// ---- Units and scale divisions

void TForm3::EnableUnitRows() {
  const std::array<TCheckBox*, 8> units = {CheckBox5, CheckBox6, CheckBox7,  CheckBox8,
                                           CheckBox9, CheckBox10, CheckBox11, CheckBox12};
  const std::array<std::array<TControl*, 6>, 8> rows = {{
      {ComboBox33, ComboBox34, Edit66, ComboBox7, ComboBox73, Edit91},
      {ComboBox29, ComboBox32, Edit76, ComboBox46, ComboBox72, Edit92},
      {ComboBox48, ComboBox50, Edit77, ComboBox47, ComboBox71, Edit93},
      {ComboBox52, ComboBox51, Edit78, ComboBox53, ComboBox70, Edit94},
      {ComboBox54, ComboBox55, Edit79, ComboBox62, ComboBox69, Edit95},
      {ComboBox57, ComboBox56, Edit80, ComboBox63, ComboBox68, Edit96},
      {ComboBox58, ComboBox59, Edit89, ComboBox64, ComboBox67, Edit97},
      {ComboBox61, ComboBox60, Edit90, ComboBox65, ComboBox66, Edit98},
  }};
  for (size_t u = 0; u < units.size(); ++u)
    for (TControl* control : rows[u]) control->SetEnabled(units[u]->Checked());
}

void TForm3::CheckBox5Click(TObject*) { EnableUnitRows(); }
void TForm3::CheckBox6Click(TObject*) { EnableUnitRows(); }
void TForm3::CheckBox7Click(TObject*) { EnableUnitRows(); }
void TForm3::CheckBox8Click(TObject*) { EnableUnitRows(); }
void TForm3::CheckBox9Click(TObject*) { EnableUnitRows(); }
void TForm3::CheckBox10Click(TObject*) { EnableUnitRows(); }
void TForm3::CheckBox11Click(TObject*) { EnableUnitRows(); }
void TForm3::CheckBox12Click(TObject*) { EnableUnitRows(); }

void TForm3::ShowFreeDivisionEdits(int channel) {
  if (channel != 0 && channel != 1) return;
  const std::array<std::pair<TComboBox*, TEdit*>, 8> rows =
      channel == 0 ? std::array<std::pair<TComboBox*, TEdit*>, 8>{{{ComboBox33, Edit66},
                                                                   {ComboBox29, Edit76},
                                                                   {ComboBox48, Edit77},
                                                                   {ComboBox52, Edit78},
                                                                   {ComboBox54, Edit79},
                                                                   {ComboBox57, Edit80},
                                                                   {ComboBox58, Edit89},
                                                                   {ComboBox61, Edit90}}}
                   : std::array<std::pair<TComboBox*, TEdit*>, 8>{{{ComboBox7, Edit91},
                                                                   {ComboBox46, Edit92},
                                                                   {ComboBox47, Edit93},
                                                                   {ComboBox53, Edit94},
                                                                   {ComboBox62, Edit95},
                                                                   {ComboBox63, Edit96},
                                                                   {ComboBox64, Edit97},
                                                                   {ComboBox65, Edit98}}};
  for (const auto& [scale, count] : rows) count->SetVisible(scale->ItemIndex() == 0);
}

void TForm3::ComboBox33Change(TObject*) { ShowFreeDivisionEdits(0); }
void TForm3::ComboBox29Change(TObject*) { ShowFreeDivisionEdits(0); }
void TForm3::ComboBox48Change(TObject*) { ShowFreeDivisionEdits(0); }
void TForm3::ComboBox52Change(TObject*) { ShowFreeDivisionEdits(0); }
void TForm3::ComboBox54Change(TObject*) { ShowFreeDivisionEdits(0); }
void TForm3::ComboBox57Change(TObject*) { ShowFreeDivisionEdits(0); }
void TForm3::ComboBox58Change(TObject*) { ShowFreeDivisionEdits(0); }
void TForm3::ComboBox61Change(TObject*) { ShowFreeDivisionEdits(0); }
void TForm3::ComboBox7Change(TObject*) { ShowFreeDivisionEdits(1); }
void TForm3::ComboBox46Change(TObject*) { ShowFreeDivisionEdits(1); }
void TForm3::ComboBox47Change(TObject*) { ShowFreeDivisionEdits(1); }
void TForm3::ComboBox53Change(TObject*) { ShowFreeDivisionEdits(1); }
void TForm3::ComboBox62Change(TObject*) { ShowFreeDivisionEdits(1); }
void TForm3::ComboBox63Change(TObject*) { ShowFreeDivisionEdits(1); }
void TForm3::ComboBox64Change(TObject*) { ShowFreeDivisionEdits(1); }
void TForm3::ComboBox65Change(TObject*) { ShowFreeDivisionEdits(1); }

void TForm3::ComboBox88Change(TObject*) { Edit135->SetVisible(ComboBox88->ItemIndex() == 0); }
void TForm3::ComboBox90Change(TObject*) { Edit136->SetVisible(ComboBox90->ItemIndex() == 0); }

// ---- Sum channel: only with two channels and the same power-on unit on both

void TForm3::ComboBox8Change(TObject*) {
  if (ComboBox8->ItemIndex() != ComboBox82->ItemIndex()) CheckBox36->SetChecked(false);
}

void TForm3::ComboBox82Change(TObject* Sender) { ComboBox8Change(Sender); }

void TForm3::CheckBox36Click(TObject*) {
  if (ComboBox5->ItemIndex() == 0) {
    CheckBox36->SetChecked(false);
  } else if (ComboBox8->ItemIndex() != ComboBox82->ItemIndex()) {
    CheckBox36->SetChecked(false);
  }
}

void TForm3::ComboBox102Change(TObject*) {
  // The mode goes into the image at once.
  const auto mode = static_cast<uint8_t>(ComboBox102->ItemIndex());
  PutByte(SectionBytes(Form1->SetupImage, SetupSection::WKS), 1, mode);
  if (mode == 0) Label254->SetCaption("Gesamtwert (Brutto)");
  if (mode == 1) Label254->SetCaption("Bezugswert (Brutto)");
  if (mode == 0 || mode == 1) Label291->Hide();
}

// ---- Interfaces

void TForm3::ShowInterfaceGroups() {
  const int index = ComboBox4->ItemIndex();
  if (index >= 0 && index <= 4) {
    const std::array<TGroupBox*, 5> groups = {GroupBox1, GroupBox3, GroupBox43, GroupBox26, GroupBox2};
    for (int i = 0; i < 5; ++i) groups[static_cast<size_t>(i)]->SetVisible(i == index);
    Label83->SetVisible(index != 0);
    CheckBox1->SetVisible(index != 0);
    if (index == 1) ComboBox14->SetEnabled(true);
    if (index == 2) ComboBox14->SetEnabled(false);
  }
  Repaint();
}

void TForm3::ComboBox4Change(TObject*) { ShowInterfaceGroups(); }
// Both baud-rate lists show the same rate.
void TForm3::ComboBox6Change(TObject*) { ComboBox14->SetItemIndex(ComboBox6->ItemIndex()); }
void TForm3::ComboBox14Change(TObject*) { ComboBox6->SetItemIndex(ComboBox14->ItemIndex()); }

// ---- Extension board

void TForm3::CheckBox14Click(TObject*) {
  EnableAll({CheckBox15, CheckBox40, CheckBox41, CheckBox42, CheckBox43}, CheckBox14->Checked());
}

// Channel selection by input makes sense only with zero setting or taring by input.
void TForm3::CheckBox40Click(TObject*) { CheckBox42->SetEnabled(CheckBox40->Checked() || CheckBox41->Checked()); }
void TForm3::CheckBox41Click(TObject* Sender) { CheckBox40Click(Sender); }

void TForm3::CheckBox16Click(TObject*) { EnableAll({Edit36, Edit37}, CheckBox16->Checked()); }

void TForm3::RelayActive(int relay) {
  const bool one = relay == 0;
  const bool on = (one ? CheckBox17 : CheckBox19)->Checked();
  if (one) {
    EnableAll({CheckBox18, RadioButton7, RadioButton3, RadioButton4, ComboBox76, ComboBox77, Edit38, Edit39,
               ComboBox78, Edit131, Edit132},
              on);
  } else {
    EnableAll({CheckBox20, RadioButton8, RadioButton5, RadioButton6, ComboBox79, ComboBox80, Edit40, Edit81,
               ComboBox81, Edit133, Edit134},
              on);
  }
}

void TForm3::CheckBox17Click(TObject*) { RelayActive(0); }
void TForm3::CheckBox19Click(TObject*) { RelayActive(1); }

void TForm3::RelayCondition(int relay, TRadioButton* button) {
  if (!button->Checked()) return;
  const bool one = relay == 0;
  TComboBox* type = one ? ComboBox76 : ComboBox79;
  TComboBox* channel = one ? ComboBox77 : ComboBox80;
  TEdit* limit = one ? Edit38 : Edit40;
  TEdit* hysteresis = one ? Edit39 : Edit81;
  TComboBox* hysteresis_mode = one ? ComboBox78 : ComboBox81;
  TEdit* on_time = one ? Edit131 : Edit133;
  TEdit* pre_time = one ? Edit132 : Edit134;
  const bool by_limit = button == (one ? RadioButton7 : RadioButton8);
  const bool by_standstill = button == (one ? RadioButton3 : RadioButton5);
  type->SetEnabled(by_limit);
  EnableAll({limit, hysteresis, hysteresis_mode}, by_limit);
  EnableAll({on_time, pre_time}, by_limit || by_standstill);
  if (by_limit || by_standstill) {
    const bool single = GetByte(SectionBytes(std::as_const(Form1->SetupImage), SetupSection::WKG0), 0) == 1;
    if (single) channel->SetItemIndex(0);
    channel->SetEnabled(!single);
  } else {
    channel->SetEnabled(false);
  }
}

void TForm3::RadioButton7Click(TObject*) { RelayCondition(0, RadioButton7); }
void TForm3::RadioButton3Click(TObject*) { RelayCondition(0, RadioButton3); }
void TForm3::RadioButton4Click(TObject*) { RelayCondition(0, RadioButton4); }
void TForm3::RadioButton9Click(TObject*) { RelayCondition(0, RadioButton9); }
void TForm3::RadioButton8Click(TObject*) { RelayCondition(1, RadioButton8); }
void TForm3::RadioButton5Click(TObject*) { RelayCondition(1, RadioButton5); }
void TForm3::RadioButton6Click(TObject*) { RelayCondition(1, RadioButton6); }
void TForm3::RadioButton10Click(TObject*) { RelayCondition(1, RadioButton10); }

void TForm3::RelayChannel(int relay) {
  TComboBox* channel = relay == 0 ? ComboBox77 : ComboBox80;
  TComboBox* type = relay == 0 ? ComboBox76 : ComboBox79;
  // A limit on both channels is a gross limit.
  if (channel->ItemIndex() == 2) {
    type->SetItemIndex(0);
    type->SetEnabled(false);
  } else {
    type->SetEnabled(true);
  }
}

void TForm3::ComboBox77Change(TObject*) { RelayChannel(0); }
void TForm3::ComboBox80Change(TObject*) { RelayChannel(1); }

// ---- External display

void TForm3::CheckBox48Click(TObject*) {
  // The display takes the interface: no continuous sending of the weight.
  if (CheckBox48->Checked()) ComboBox18->SetItemIndex(0);
}

void TForm3::ComboBox98Change(TObject*) {
  const auto remembered = static_cast<uint8_t>(ComboBox101->ItemIndex());
  const int port = ComboBox98->ItemIndex();
  if (port == 0) {
    Edit139->SetEnabled(false);
    ComboBox101->SetText("");
    ComboBox101->SetItems({"STX | Data | ETX", "Data | CR/LF"});
  } else if (port == 1) {
    Edit139->SetEnabled(true);
    ComboBox101->SetText("");
    ComboBox101->SetItems({"STX | Adr | Data | ETX", "Data | CR/LF"});
  }
  ComboBox101->SetItemIndex(remembered < ComboBox101->ItemCount() ? remembered : -1);
}

void TForm3::DisplayChannel() {
  // The sum channel shows its gross value only.
  if (ComboBox100->ItemIndex() == 2) {
    ComboBox99->SetItemIndex(0);
    ComboBox99->SetEnabled(false);
  } else {
    ComboBox99->SetEnabled(true);
  }
}

void TForm3::ComboBox100Change(TObject*) { DisplayChannel(); }
void TForm3::ComboBox100Exit(TObject*) { DisplayChannel(); }

// ---- Modules and factory data

void TForm3::CheckBox21Click(TObject*) {
  const bool exb = CheckBox21->Checked();
  PageControl1->PageByCaption("EXB_1")->SetTabVisible(exb);
  PageControl1->PageByCaption("EXB_2")->SetTabVisible(exb);
}

void TForm3::GroupBox24Click(TObject*) {
  for (TEdit* edit : {Edit85, Edit86}) {
    edit->SetEnabled(true);
    edit->SetReadOnly(false);
  }
  Button52->SetEnabled(true);
}

void TForm3::GroupBox25Click(TObject*) {
  for (TEdit* edit : {Edit87, Edit88}) {
    edit->SetEnabled(true);
    edit->SetReadOnly(false);
  }
  Button53->SetEnabled(true);
}

void TForm3::Label84Click(TObject*) {}
