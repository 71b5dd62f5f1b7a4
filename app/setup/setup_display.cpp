// The display of one section of the set-up image on the editor's controls.
// Setting a check box or a radio button runs its click handler and setting
// an edit's text its change handler, as a user's change would; setting a
// list's position runs nothing.
#include "app/link/test_window.h"
#include "app/service/service_window.h"
#include "app/setup/setup_editor.h"
#include "app/setup/setup_text.h"

namespace {

// The list chooses item v; a value that is no position of the list leaves
// it without a choice.
void ChooseItem(TComboBox* list, int v) { list->SetItemIndex(v < list->ItemCount() ? v : -1); }
// 1 checks, anything else unchecks.
void CheckOneElse(TCheckBox* box, int v) { box->SetChecked(v == 1); }
// 1 checks, 0 unchecks, anything else leaves the box as it is.
void CheckOneZero(TCheckBox* box, int v) {
  if (v == 1) box->SetChecked(true);
  if (v == 0) box->SetChecked(false);
}
void ShowNumber(TEdit* edit, long value) { edit->SetText(FormatInt(value)); }

// A device of variant 11 or of any variant below 10 has one measuring channel.
bool SingleChannelVariant() { return Form1->DeviceVariant == 11 || Form1->DeviceVariant < 10; }

uint8_t B(std::span<const uint8_t> s, int offset) { return GetByte(s, offset); }

}  // namespace

void TForm3::SetupToControls(int section) {
  if (const std::optional<SetupSection> which = SectionOfCode(section, SetupBase)) ShowSection(*which);
}

void TForm3::ShowSection(SetupSection section) {
  std::span<uint8_t> s = SectionBytes(Form1->SetupImage, section);
  switch (section) {
    case SetupSection::GBL: ShowGbl(s); break;
    case SetupSection::ADM: ShowAdm(s); break;
    case SetupSection::LPC: ShowLpc(s); break;
    case SetupSection::ADC: ShowAdc(s); break;
    case SetupSection::WKG0: ShowWkg(s, 0); break;
    case SetupSection::WKG1: ShowWkg(s, 1); break;
    case SetupSection::WKS: ShowWks(s); break;
    case SetupSection::CHN0: ShowChn(s, 0); break;
    case SetupSection::CHN1: ShowChn(s, 1); break;
    case SetupSection::EXB: ShowExb(s); break;
    case SetupSection::MSC: ShowMsc(s); break;
    case SetupSection::SAV: ShowSav(s); break;
  }
}

void TForm3::ShowGbl(std::span<const uint8_t> s) {
  ChooseItem(ComboBox38, B(s, 0));
  ChooseItem(ComboBox39, B(s, 1));
  ChooseItem(ComboBox95, B(s, 2));
  const uint8_t backup = B(s, 2);
  if (backup == 0 || backup == 1) {
    Button58->SetEnabled(backup == 1);
    if (Form21 != nullptr) Form21->SetupRestore1->SetEnabled(backup == 1);
  }
}

void TForm3::ShowLpc(std::span<const uint8_t> s) {
  const uint8_t active = B(s, 0);
  ChooseItem(ComboBox4, active);
  if (active <= 1) {
    Label83->Hide();
    CheckBox1->Hide();
  } else if (active <= 4) {
    Label83->Show();
    CheckBox1->Show();
  }
  if (Form21 != nullptr) Form21->Profibus1->SetChecked(active == 2);

  CheckOneZero(CheckBox1, B(s, 1));
  ChooseItem(ComboBox6, B(s, 3));
  ChooseItem(ComboBox14, B(s, 4));
  ChooseItem(ComboBox49, B(s, 6));
  ChooseItem(ComboBox1, B(s, 5));
  ChooseItem(ComboBox9, B(s, 9));
  ChooseItem(ComboBox11, B(s, 11));
  ChooseItem(ComboBox12, B(s, 12));
  ChooseItem(ComboBox18, B(s, 17));

  if (Form1->ShortSdcontList == 1) {
    ComboBox94->SetText("");
    ComboBox94->SetItems({"5", "10", "15"});
  } else if (Form1->ShortSdcontList == 0) {
    ComboBox94->SetText("");
    ComboBox94->SetItems({"dauerhaft EIN", "5", "10", "15"});
  }
  ChooseItem(ComboBox94, B(s, 21));
  ChooseItem(ComboBox13, B(s, 18));
  ShowNumber(Edit2, B(s, 13));
  ShowNumber(Edit1, B(s, 14));
  ChooseItem(ComboBox2, B(s, 15));
  ChooseItem(ComboBox3, B(s, 16));
  CheckOneElse(CheckBox2, B(s, 19));
  CheckOneElse(CheckBox13, B(s, 20));
  ShowInterfaceGroups();
}

void TForm3::ShowAdc(std::span<const uint8_t> s) {
  struct Channel {
    TComboBox *calstart, *calcoll, *len_list, *calib, *lc_type;
    TLabel* calcoll_label;
    TEdit *lg, *len_edit, *level, *lc_err_det_val, *offset0, *gain0, *offset1, *gain1, *smax;
    std::array<TEdit*, 8> x, y;
  };
  const Channel channels[2] = {
      {ComboBox40, ComboBox23, ComboBox96, ComboBox16, ComboBox92, Label65, Edit11, Edit12, Edit13, Edit143, Edit6,
       Edit7, Edit42, Edit43, Edit25,
       {Edit4, Edit8, Edit21, Edit23, Edit18, Edit27, Edit29, Edit31},
       {Edit5, Edit20, Edit22, Edit24, Edit26, Edit28, Edit30, Edit32}},
      {ComboBox41, ComboBox24, ComboBox97, ComboBox17, ComboBox93, Label70, Edit15, Edit16, Edit17, Edit144, Edit9,
       Edit10, Edit44, Edit45, Edit51,
       {Edit33, Edit35, Edit47, Edit49, Edit52, Edit54, Edit56, Edit58},
       {Edit34, Edit46, Edit48, Edit50, Edit53, Edit55, Edit57, Edit59}},
  };
  const uint8_t filter_type = B(s, 230);
  for (int c = 0; c < 2; ++c) {
    const Channel& k = channels[c];
    const int cal = 80 * c;
    const int par = 160 + 32 * c;
    const uint8_t calstart = B(s, par + 1);
    ChooseItem(k.calstart, calstart);
    if (calstart == 0 || calstart == 1) {
      k.calcoll_label->SetEnabled(calstart == 1);
      k.calcoll->SetEnabled(calstart == 1);
    }
    ChooseItem(k.calcoll, B(s, par + 2));
    ShowNumber(k.lg, B(s, par + 3));
    if (filter_type == 1) k.len_list->SetItemIndex(FilterLengthItem(B(s, par + 4)));
    if (filter_type == 0) ShowNumber(k.len_edit, B(s, par + 4));
    ShowNumber(k.level, GetInt32(s, par + 5));
    ChooseItem(k.calib, B(s, par + 9));
    ChooseItem(k.lc_type, B(s, par + 11));
    ShowNumber(k.lc_err_det_val, GetInt32(s, par + 12));
    k.offset0->SetText(FormatHex8(GetUInt32(s, cal + 0)));
    k.gain0->SetText(FormatHex8(GetUInt32(s, cal + 4)));
    k.offset1->SetText(FormatHex8(GetUInt32(s, cal + 8)));
    k.gain1->SetText(FormatHex8(GetUInt32(s, cal + 12)));

    const uint8_t calib = B(s, par + 9);
    if (calib == 0) {
      k.smax->Hide();
      for (int i = 0; i < 8; ++i) {
        k.x[static_cast<size_t>(i)]->Hide();
        k.y[static_cast<size_t>(i)]->Hide();
      }
    } else if (calib == 1) {
      k.smax->Show();
      for (int i = 0; i < 8; ++i) {
        k.x[static_cast<size_t>(i)]->Show();
        k.y[static_cast<size_t>(i)]->Show();
      }
      ShowNumber(k.smax, B(s, par + 10));
      for (int i = 0; i < 8; ++i) {
        k.x[static_cast<size_t>(i)]->SetText(FormatHex8(GetUInt32(s, cal + 16 + 4 * i)));
        k.y[static_cast<size_t>(i)]->SetText(FormatFloat(GetFloat(s, cal + 48 + 4 * i), kFloat8));
      }
    }
  }

  ChooseItem(ComboBox15, B(s, 224));
  ShowNumber(Edit14, B(s, 225));
  ChooseItem(ComboBox20, B(s, 228));
  ShowNumber(Edit41, B(s, 229));
  ChooseItem(ComboBox19, filter_type);
  if (ComboBox19->ItemIndex() == 0) {
    Edit12->SetEnabled(true);
    Edit16->SetEnabled(true);
    ComboBox96->SetEnabled(false);
    ComboBox97->SetEnabled(false);
  } else if (ComboBox19->ItemIndex() == 1) {
    Edit12->SetEnabled(false);
    Edit16->SetEnabled(false);
    ComboBox96->SetEnabled(true);
    ComboBox97->SetEnabled(true);
  }
  ChooseItem(ComboBox42, SingleChannelVariant() ? 0 : B(s, 231));
  ChooseItem(ComboBox45, B(s, 232));
  ChooseItem(ComboBox44, B(s, 233));
  ChooseItem(ComboBox43, B(s, 234));
  ChooseItem(ComboBox87, B(s, 235));
  ShowNumber(Edit142, B(s, 236) * 100L);

  ComboBox16Change(nullptr);
  ComboBox17Change(nullptr);
  Edit25Change(nullptr);
  Edit51Change(nullptr);
}

void TForm3::ShowWkg(std::span<uint8_t> s, int channel) {
  const bool one = channel == 0;
  if (one) {
    if (SingleChannelVariant()) {
      ComboBox5->SetItemIndex(0);
      PutByte(s, 0, 1);
    } else {
      ChooseItem(ComboBox5, B(s, 0) - 1);
    }
  }
  const std::array<TCheckBox*, 8> units =
      one ? std::array<TCheckBox*, 8>{CheckBox5, CheckBox6, CheckBox7, CheckBox8, CheckBox9, CheckBox10, CheckBox11,
                                      CheckBox12}
          : std::array<TCheckBox*, 8>{CheckBox26, CheckBox27, CheckBox28, CheckBox29, CheckBox30, CheckBox31,
                                      CheckBox32, CheckBox33};
  for (TCheckBox* box : units) box->SetChecked(false);
  for (int u = 0; u < 8; ++u)
    if (B(s, 1 + u) == 1) units[static_cast<size_t>(u)]->SetChecked(true);

  ChooseItem(one ? ComboBox8 : ComboBox82, B(s, 9));
  ShowNumber(one ? Edit62 : Edit110, B(s, 10));
  ShowNumber(one ? Edit63 : Edit111, B(s, 11));
  ShowNumber(one ? Edit67 : Edit112, B(s, 12));
  ShowNumber(one ? Edit68 : Edit113, B(s, 13));
  CheckOneElse(one ? CheckBox3 : CheckBox24, B(s, 14));
  CheckOneElse(one ? CheckBox4 : CheckBox25, B(s, 15));
  ShowNumber(one ? Edit99 : Edit116, B(s, 16));
  ShowNumber(one ? Edit69 : Edit126, B(s, 17));
  ShowNumber(one ? Edit70 : Edit122, B(s, 18));
  ShowNumber(one ? Edit71 : Edit121, B(s, 19));
  ChooseItem(one ? ComboBox30 : ComboBox86, B(s, 20));
  ShowNumber(one ? Edit60 : Edit108, B(s, 21));
  ShowNumber(one ? Edit61 : Edit109, B(s, 22));
  ShowNumber(one ? Edit72 : Edit114, GetInt16LE(s, 23));
  ShowNumber(one ? Edit73 : Edit115, GetInt16LE(s, 25));
  (one ? Edit106 : Edit117)->SetText(FormatFloat(GetFloat(s, 27), kFloat1));
  (one ? Edit107 : Edit118)->SetText(FormatFloat(GetFloat(s, 31), kFloat1));
  if (one) {
    ChooseItem(ComboBox10, B(s, 35));
    ShowNumber(Edit74, GetInt32(s, 36));
    ShowNumber(Edit75, GetInt32(s, 40));
    ChooseItem(ComboBox27, B(s, 44));
    ChooseItem(ComboBox31, B(s, 45));
  }
  (one ? Edit103 : Edit123)->SetText(CharText(B(s, 46)));
  (one ? Edit104 : Edit124)->SetText(CharText(B(s, 47)));
  (one ? Edit105 : Edit125)->SetText(FormatFloat(GetFloat(s, 48), kFloat2));
  if (one) CheckOneZero(CheckBox22, B(s, 52));
  ApplyChannelCount();
}

void TForm3::ShowWks(std::span<const uint8_t> s) {
  CheckOneZero(CheckBox36, B(s, 0));
  ChooseItem(ComboBox102, B(s, 1));
  ShowNumber(Edit129, B(s, 2));
  ShowNumber(Edit130, B(s, 3));
  Edit127->SetText(FormatFloat(GetFloat(s, 4), kFloat1));
  Edit128->SetText(FormatFloat(GetFloat(s, 8), kFloat1));
}

void TForm3::ShowChn(std::span<const uint8_t> s, int channel) {
  const bool one = channel == 0;
  struct Row {
    TComboBox* scale;
    TComboBox* step;
    TEdit* count;
  };
  const std::array<Row, 8> rows =
      one ? std::array<Row, 8>{{{ComboBox33, ComboBox34, Edit66},
                                {ComboBox29, ComboBox32, Edit76},
                                {ComboBox48, ComboBox50, Edit77},
                                {ComboBox52, ComboBox51, Edit78},
                                {ComboBox54, ComboBox55, Edit79},
                                {ComboBox57, ComboBox56, Edit80},
                                {ComboBox58, ComboBox59, Edit89},
                                {ComboBox61, ComboBox60, Edit90}}}
          : std::array<Row, 8>{{{ComboBox7, ComboBox73, Edit91},
                                {ComboBox46, ComboBox72, Edit92},
                                {ComboBox47, ComboBox71, Edit93},
                                {ComboBox53, ComboBox70, Edit94},
                                {ComboBox62, ComboBox69, Edit95},
                                {ComboBox63, ComboBox68, Edit96},
                                {ComboBox64, ComboBox67, Edit97},
                                {ComboBox65, ComboBox66, Edit98}}};
  const std::span<const uint8_t> wkg =
      SectionBytes(std::as_const(Form1->SetupImage), one ? SetupSection::WKG0 : SetupSection::WKG1);

  for (const Row& row : rows) {
    row.scale->SetEnabled(false);
    row.step->SetEnabled(false);
  }
  for (int u = 0; u < 8; ++u) {
    if (B(wkg, 1 + u) != 1) continue;
    rows[static_cast<size_t>(u)].scale->SetEnabled(true);
    rows[static_cast<size_t>(u)].step->SetEnabled(true);
  }
  for (int u = 0; u < 8; ++u) {
    const Row& row = rows[static_cast<size_t>(u)];
    ChooseItem(row.scale, B(s, 1 + 6 * u));
    ChooseItem(row.step, B(s, 2 + 6 * u));
    if (row.scale->ItemIndex() == 0) {
      row.count->SetEnabled(true);
      ShowNumber(row.count, GetInt32(s, 3 + 6 * u));
    } else {
      row.count->SetEnabled(false);
    }
  }
  (one ? Edit64 : Edit65)->SetText(FormatFloat(GetFloat(s, 50), kFloat5));
  ShowNumber(one ? Edit101 : Edit102, B(s, 54));
  ShowFreeDivisionEdits(channel);

  TLabel* label = one ? Label292 : Label293;
  TCheckBox* five = one ? CheckBox51 : CheckBox52;
  if (Form1->NoFiveDecimals == 1) {
    label->Hide();
    five->Hide();
  } else if (Form1->NoFiveDecimals == 0) {
    label->Show();
    five->Show();
    if (B(s, 64) == 0xFF) five->SetChecked(false);
    if (B(s, 64) == 0) five->SetChecked(true);
  }

  CheckOneElse(one ? CheckBox44 : CheckBox45, B(s, 55));
  TComboBox* lkz_scale = one ? ComboBox88 : ComboBox90;
  ChooseItem(lkz_scale, B(s, 56));
  ChooseItem(one ? ComboBox89 : ComboBox91, B(s, 57));
  TEdit* lkz_count = one ? Edit135 : Edit136;
  if (lkz_scale->ItemIndex() == 0) {
    lkz_count->SetEnabled(true);
    ShowNumber(lkz_count, GetInt32(s, 58));
  } else {
    lkz_count->SetEnabled(false);
  }
  CheckOneElse(one ? CheckBox46 : CheckBox47, B(s, 62));
  ShowNumber(one ? Edit137 : Edit138, B(s, 63));
}

void TForm3::ShowExb(std::span<const uint8_t> s) {
  CheckOneElse(CheckBox14, B(s, 0));
  CheckBox15->SetEnabled(B(s, 0) == 1);
  CheckOneElse(CheckBox15, B(s, 1));
  CheckOneElse(CheckBox40, B(s, 2));
  CheckOneElse(CheckBox41, B(s, 3));
  CheckOneElse(CheckBox42, B(s, 4));
  CheckOneElse(CheckBox43, B(s, 5));
  CheckOneElse(CheckBox16, B(s, 6));
  Edit36->SetEnabled(B(s, 6) == 1);
  Edit37->SetEnabled(B(s, 6) == 1);
  ShowNumber(Edit36, GetInt16(s, 7));
  Edit37->SetText(FormatFloat(GetFloat(s, 9), kFloat2));

  struct Relay {
    TCheckBox *active, *neg;
    TComboBox *mode, *ch, *hyst_mode;
    TRadioButton *sti, *err, *lc_err, *value;
    TEdit *grw, *hyst_val, *on_time, *pre_time;
  };
  const Relay relays[2] = {
      {CheckBox17, CheckBox18, ComboBox76, ComboBox77, ComboBox78, RadioButton3, RadioButton4, RadioButton9,
       RadioButton7, Edit38, Edit39, Edit131, Edit132},
      {CheckBox19, CheckBox20, ComboBox79, ComboBox80, ComboBox81, RadioButton5, RadioButton6, RadioButton10,
       RadioButton8, Edit40, Edit81, Edit133, Edit134},
  };
  for (int r = 0; r < 2; ++r) {
    const Relay& k = relays[r];
    const int b = 16 + 24 * r;
    CheckOneElse(k.active, B(s, b));
    k.neg->SetEnabled(B(s, b) == 1);
    CheckOneElse(k.neg, B(s, b + 1));
    ChooseItem(k.mode, B(s, b + 2));
    ChooseItem(k.ch, B(s, b + 3));
    // The switching conditions in this order; with several set, the last wins.
    const std::array<std::pair<TRadioButton*, int>, 4> conditions = {
        {{k.sti, b + 5}, {k.err, b + 6}, {k.lc_err, b + 7}, {k.value, b + 4}}};
    for (const auto& [button, offset] : conditions) {
      if (B(s, offset) != 1) continue;
      button->SetChecked(true);
      for (const auto& [other, unused] : conditions)
        if (other != button) other->SetChecked(false);
    }
    k.grw->SetText(FormatFloat(GetFloat(s, b + 8), kFloat1));
    k.hyst_val->SetText(FormatFloat(GetFloat(s, b + 12), kFloat1));
    ChooseItem(k.hyst_mode, B(s, b + 16));
    ShowNumber(k.on_time, GetInt16(s, b + 17));
    ShowNumber(k.pre_time, GetInt16(s, b + 19));
  }
}

void TForm3::ShowMsc(std::span<const uint8_t> s) {
  CheckOneElse(CheckBox48, B(s, 0));
  ChooseItem(ComboBox98, B(s, 1));
  ShowNumber(Edit139, B(s, 2));
  ChooseItem(ComboBox99, B(s, 3));
  ChooseItem(ComboBox100, B(s, 4));
  CheckOneElse(CheckBox49, B(s, 5));
  ChooseItem(ComboBox101, B(s, 6));
}

void TForm3::ShowAdm(std::span<const uint8_t> s) {
  if (B(s, 0) == 1) RadioButton1->SetChecked(true);
  if (B(s, 0) == 0) RadioButton2->SetChecked(true);
  Edit3->SetText(FormatHex2(B(s, 1)) + " " + FormatHex2(B(s, 2)));
  Edit19->SetText(FormatHex2(B(s, 3)));
  ChooseItem(ComboBox35, B(s, 4));
  ChooseItem(ComboBox36, B(s, 5));
  ChooseItem(ComboBox37, B(s, 6));
  CheckOneElse(CheckBox21, B(s, 7));
  const bool exb = B(s, 7) == 1;
  PageControl1->PageByCaption("EXB_1")->SetTabVisible(exb);
  PageControl1->PageByCaption("EXB_2")->SetTabVisible(exb);
  if (Form21 != nullptr) {
    Form21->ParameterExb11->SetVisible(exb);
    Form21->ParameterExb12->SetVisible(exb);
  }
  CheckOneElse(CheckBox23, B(s, 8));
  CheckOneElse(CheckBox35, B(s, 9));
  CheckOneElse(CheckBox37, B(s, 10));
  CheckOneElse(CheckBox50, B(s, 11));
}

void TForm3::ShowSav(std::span<const uint8_t> s) {
  Edit82->SetText(FormatHex2(B(s, 0)) + " " + FormatHex2(B(s, 1)));
  constexpr const char* kMissing = "ext_s-Workaround-ERROR!";
  Edit83->SetText(B(s, 2) == 0 ? kMissing : FixedText(s.data() + 2, 8));
  Edit84->SetText(B(s, 10) == 0 ? kMissing : FixedText(s.data() + 10, 4));
  Edit85->SetText(FormatHex8(GetUInt32(s, 32)));
  Edit86->SetText(FormatHex8(GetUInt32(s, 36)));
  Edit87->SetText(FormatHex8(GetUInt32(s, 48)));
  Edit88->SetText(FormatHex8(GetUInt32(s, 52)));
  ShowNumber(Edit100, B(s, 14));
}
