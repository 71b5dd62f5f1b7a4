// The weighing-parameter dialog's display of the set-up image, the control
// states derived from it, the activation and the window buttons. Checking a
// box from here runs its click handler, as a user's click does.
#include <initializer_list>
#include <string>
#include <vector>

#include "app/link/test_window.h"
#include "app/params/inputs_relays.h"
#include "app/params/parameter_dialog.h"
#include "app/params/parameter_text.h"
#include "app/params/weighing_parameters.h"
#include "app/params/weighing_rules.h"
#include "app/program/text_table.h"
#include "app/service/service_window.h"
#include "app/setup/setup_text.h"

namespace {

using enum SetupSection;

constexpr int ROW_CONT_ON = 264;
constexpr int ROW_CHANNEL_1 = 271;
constexpr int ROW_CHANNEL_2 = 272;
constexpr int ROW_SUM_CHANNEL = 273;
constexpr int ROW_SUM_ENTRY = 177;
constexpr int SUM_ENTRY_INDEX = 3;

constexpr int PAGE_GENERAL = 0;
constexpr int PAGE_CHANNEL_1 = 1;
constexpr int PAGE_CHANNEL_2 = 2;

// A device of variant 11 or below 10 has no second channel and no sum channel.
bool SingleChannelVariant() { return Form1->DeviceVariant < 10 || Form1->DeviceVariant == 11; }
bool OneChannelSetup() { return ImageField(WKG0, "mk").Byte() == 1; }
bool DemoMode() { return Form21 != nullptr && Form21->DemoMode == 1; }

// Without the fourth entry, a relay channel list keeps its choice below it,
// else falls back to `fallback`.
void DropSumEntry(TComboBox* list, int chosen, int fallback) {
  if (list->ItemCount() > SUM_ENTRY_INDEX) {
    std::vector<std::string> items;
    for (int i = 0; i < SUM_ENTRY_INDEX; ++i) items.push_back(list->Item(i));
    list->SetItems(items);
  }
  list->SetItemIndex(chosen < SUM_ENTRY_INDEX ? chosen : fallback);
}

void ShowFloat(TEdit* edit, const ImageField& field, FloatFormat format) {
  edit->SetText(FormatFloat(field.Float(), format));
}

}  // namespace

// ---- Display of the image

void TForm23::ShowChannel(int c) {
  const SetupSection wkg = c == 0 ? WKG0 : WKG1;
  const std::string n = std::to_string(c);
  const ChannelPage p = Channel(c);
  p.nsu->SetText(NegatedByteText(ImageField(wkg, "nsu").Byte()));
  p.nso->SetText(ByteText(ImageField(wkg, "nso").Byte()));
  p.enu->SetText(ByteText(ImageField(wkg, "enu").Byte()));
  p.eno->SetText(ByteText(ImageField(wkg, "eno").Byte()));
  p.enull->SetChecked(ImageField(wkg, "enull").Byte() == 1);
  p.tau->SetText(NegatedByteText(ImageField(wkg, "tau").Byte()));
  p.tao->SetText(ByteText(ImageField(wkg, "tao").Byte()));
  // Taring without standstill is 0, at standstill 2; other values leave the list.
  const uint8_t tam = ImageField(wkg, "tam").Byte();
  if (tam == 0) p.tam->SetItemIndex(0);
  if (tam == 2) p.tam->SetItemIndex(1);
  p.trm->SetChecked(ImageField(wkg, "trm").Byte() == 1);
  ShowFloat(p.overLoad, ImageField(wkg, "over_f"), kFloat1);
  ShowFloat(p.underLoad, ImageField(wkg, "under_f"), kFloat1);
  p.cm1->SetText(CharText(ImageField(wkg, "cm1").Byte()));
  p.cm2->SetText(CharText(ImageField(wkg, "cm2").Byte()));
  ShowFloat(p.fmf, ImageField(wkg, "fmf"), kFloat2);
  ChooseItem(p.lcType, ImageField(ADC, "lc_type_" + n).Byte());
  p.detuning->SetText(FormatInt(ImageField(ADC, "lc_err_det_val_" + n).Int32()));
}

void TForm23::ShowSetup() {
  if (Form1 == nullptr || DemoMode()) return;
  ShowChannel(0);
  ShowChannel(1);

  CheckBox36->SetChecked(ImageField(WKS, "sum").Byte() == 1 && Form1->ChannelCount == 2);
  ChooseItem(ComboBox102, ImageField(WKS, "mode").Byte());
  Edit129->SetText(ByteText(ImageField(WKS, "fakt_0").Byte()));
  Edit130->SetText(ByteText(ImageField(WKS, "fakt_1").Byte()));
  ShowFloat(Edit17, ImageField(WKS, "over_f"), kFloat1);
  ShowFloat(Edit18, ImageField(WKS, "under_f"), kFloat1);
  UpdateControlStates();
  ShowSumChannel();

  ChooseItem(ComboBox87, ImageField(ADC, "log_count_mode").Byte());
  Edit1->SetText(FormatInt(ImageField(ADC, "lc_err_cyl").Byte() * 100));

  ShowRateList();
  const bool continuous = ImageField(LPC, "sdcont").Byte() == 1;
  CheckBox1->SetChecked(continuous);
  ComboBox94->SetEnabled(continuous);
  ChooseItem(ComboBox94, ImageField(LPC, "val_sdcont").Byte());

  CheckBox48->SetChecked(ImageField(MSC, "ext_disp").Byte() == 1);
  ChooseItem(ComboBox98, ImageField(MSC, "ext_disp_port").Byte());
  Edit139->SetText(ByteText(ImageField(MSC, "ext_disp_adr").Byte()));
  ChooseItem(ComboBox99, ImageField(MSC, "ext_disp_mode").Byte());
  ChooseItem(ComboBox100, ImageField(MSC, "ext_disp_chn").Byte());
  CheckBox49->SetChecked(ImageField(MSC, "ext_disp_blink").Byte() == 1);
  ChooseItem(ComboBox101, ImageField(MSC, "ext_disp_prot").Byte());

  ChooseItem(ComboBox19, ImageField(ADC, "mwfilter_type").Byte());
  ShowFilterOptions();
  ShowFilterLength(0);
  ShowFilterLength(1);
}

// The rate list by firmware: 5, 10, 15 values per second from firmware
// V1.0.6 on, and before them "permanently on" with older firmware.
// The chosen position stays, so that it keeps its meaning for the connected firmware.
void TForm23::ShowRateList() {
  if (Form1->ShortSdcontList == 1)
    RefillList(ComboBox94, {"5", "10", "15"});
  else if (Form1->ShortSdcontList == 0)
    RefillList(ComboBox94, {LangText(ROW_CONT_ON), "5", "10", "15"});
}

void TForm23::UpdateControlStates() {
  TComboBox* relay1 = Form24 != nullptr ? Form24->ComboBox77 : nullptr;
  TComboBox* relay2 = Form24 != nullptr ? Form24->ComboBox80 : nullptr;
  const int chosen1 = relay1 != nullptr ? relay1->ItemIndex() : -1;
  const int chosen2 = relay2 != nullptr ? relay2->ItemIndex() : -1;

  const bool sum = CheckBox36->Checked();
  for (TControl* control : std::initializer_list<TControl*>{ComboBox102, Edit17, Edit18, Edit129, Edit130, Label59})
    control->SetEnabled(sum);
  for (TComboBox* list : {relay1, relay2}) {
    if (list == nullptr) continue;
    if (sum && list->ItemCount() == SUM_ENTRY_INDEX) list->AddItem(LangText(ROW_SUM_ENTRY));
  }
  if (!sum && relay1 != nullptr) {
    DropSumEntry(relay1, chosen1, 0);
    DropSumEntry(relay2, chosen2, 1);
  }

  std::vector<std::string> channels = {LangText(ROW_CHANNEL_1), LangText(ROW_CHANNEL_2)};
  if (sum) channels.push_back(LangText(ROW_SUM_CHANNEL));
  RefillList(ComboBox100, channels);

  if (SingleChannelVariant()) {
    const ImageField mk(WKG0, "mk");
    if (Form1->DeviceVariant == 11 && mk.Byte() == 2) mk.SetByte(1);
    if (Form21 != nullptr) Form21->FillSampleRateList(0);
    GroupBox14->Hide();
    CheckBox36->SetChecked(false);
  } else {
    GroupBox14->Show();
  }
}

void TForm23::ShowSumChannel() {
  if (Form21 == nullptr) return;
  // The nominal values as the service window's fields hold them.
  const SumRangeDisplay d =
      SumRange(ImageField(WKS, "mode").Byte(), TextToInt(Edit129->Text()), TextToInt(Edit130->Text()),
               TextToInt(Form21->Edit1->Text()), TextToInt(Form21->Edit3->Text()), Form21->ComboBox1->ItemIndex());
  Label58->SetCaption(LangText(d.titleRow));
  Label77->SetVisible(d.channelLabel);
  Label59->SetCaption(d.value);
}

void TForm23::ShowFilterOptions() {
  for (TControl* control : std::initializer_list<TControl*>{Label66, Edit3, ComboBox97, Label62}) control->Show();
  const int type = ComboBox19->ItemIndex();
  const int channels = Form1->ChannelCount;
  if (type == 0 || type == 1) {
    const bool variable = type == 0;
    Edit2->SetVisible(variable);
    ComboBox96->SetVisible(!variable);
    Label61->SetVisible(variable);
    Label66->Show();
    Label62->SetVisible(variable);
    if (channels == 1 || channels == 2) {
      Edit3->SetVisible(variable);
      ComboBox97->SetVisible(!variable);
      (variable ? static_cast<TControl*>(Edit3) : ComboBox97)->SetEnabled(channels == 2);
    }
  }
  if (SingleChannelVariant())
    for (TControl* control : std::initializer_list<TControl*>{Label66, Edit3, ComboBox97, Label62}) control->Hide();
}

void TForm23::ShowFilterLength(int channel) {
  if (channel != 0 && channel != 1) return;
  const uint8_t length = ImageField(ADC, channel == 0 ? "len_0" : "len_1").Byte();
  switch (ImageField(ADC, "mwfilter_type").Byte()) {
    case 0: (channel == 0 ? Edit2 : Edit3)->SetText(ByteText(length)); break;
    case 1: ChooseItem(channel == 0 ? ComboBox96 : ComboBox97, FilterLengthItem(length)); break;
    default: break;
  }
}

void TForm23::FillProtocolList() {
  const uint8_t chosen = ItemByte(ComboBox101);
  const int port = ComboBox98->ItemIndex();
  if (port != 0 && port != 1) return;
  Edit139->SetEnabled(port == 1);
  ComboBox101->SetText("");
  ComboBox101->SetItems({port == 0 ? "STX | Data | ETX" : "STX | Adr | Data | ETX", "Data | CR/LF"});
  ChooseItem(ComboBox101, chosen);
}

void TForm23::ShowChannelCount(int channels) {
  if (channels != 1 && channels != 2) return;
  TabSheet3->SetTabVisible(channels == 2);
  ShowFilterOptions();
  if (channels == 1) ComboBox100->SetItemIndex(0);
  ComboBox100->SetEnabled(channels == 2);
}

void TForm23::ShowConversionMode(int mode) {
  if (mode == 0) {
    CheckBox36->SetChecked(false);
    CheckBox36->SetEnabled(false);
  } else if (mode == 1) {
    CheckBox36->SetEnabled(true);
    UpdateControlStates();
  }
  UpdateControlStates();
}

// ---- Activation and the window buttons

void TForm23::FormActivate(TObject* Sender) {
  if (Form1 == nullptr) return;
  ActivateButtons(Button1, Button2, Button3);
  const int type = Form1->DeviceType;
  const int variant = Form1->DeviceVariant;

  if (ImageField(ADM, "ext_disp").Byte() == 1) {
    TabSheet1->SetTabVisible(type != 4);
    if (type != 4) {
      if (type == 2 || (type == 3 && variant == 3)) {
        ComboBox98->SetEnabled(true);
      } else if (type == 1 || (type == 3 && variant == 2)) {
        ComboBox98->SetItemIndex(0);
        ComboBox98->SetEnabled(false);
      }
    }
    FillProtocolList();
  } else {
    TabSheet1->SetTabVisible(false);
  }

  switch (Form21 != nullptr ? Form21->ParameterPage : 0) {
    case 1:
      TabSheet4->SetTabVisible(true);
      TabSheet2->SetTabVisible(true);
      TabSheet3->SetTabVisible(!OneChannelSetup());
      PageControl1->SetActivePageIndex(PAGE_CHANNEL_1);
      break;
    case 2:
      for (TTabSheet* page : {TabSheet4, TabSheet2, TabSheet3}) page->SetTabVisible(true);
      PageControl1->SetActivePageIndex(PAGE_CHANNEL_2);
      break;
    case 3:
      TabSheet4->SetTabVisible(true);
      TabSheet2->SetTabVisible(true);
      TabSheet3->SetTabVisible(type != 3 && type != 4 && !OneChannelSetup());
      PageControl1->SetActivePageIndex(PAGE_GENERAL);
      break;
    default:
      break;
  }
  if (type == 4) TabSheet4->SetTabVisible(false);
}

void TForm23::Button1Click(TObject* Sender) { ExitWithRestart(*this, Button2, Button3); }

void TForm23::Button2Click(TObject* Sender) { Close(); }
