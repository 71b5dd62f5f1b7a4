// "Speichern im Gerät" of the weighing-parameter dialog: every control back
// into the set-up image, then the blocks of the page the user is on to the
// device; and "Neu bestimmen", the device's new bridge detuning value.
#include <string>

#include "app/link/link_utilities.h"
#include "app/link/device_request.h"
#include "app/link/test_window.h"
#include "app/params/parameter_dialog.h"
#include "app/params/parameter_text.h"
#include "app/params/weighing_parameters.h"
#include "app/params/weighing_rules.h"
#include "app/program/text_table.h"
#include "app/setup/setup_text.h"
#include "platform/clock/clock.h"

namespace {

using enum SetupSection;

constexpr int ROW_DETUNING_FAILED = 175;
constexpr int ROW_ENTER_CHARACTER = 176;
constexpr uint8_t FACTORY_REDETERMINE_DETUNING = 0x0A;
constexpr int TAM_WITHOUT_STANDSTILL = 0;
constexpr int TAM_AT_STANDSTILL = 2;
constexpr int REPLY_DATA = 5;

uint8_t Flag(const TCheckBox* box) { return box->Checked() ? 1 : 0; }

// A free-unit character may not be empty: the store stops at the empty field.
bool CharacterGiven(TEdit* edit) {
  if (!edit->Text().empty()) return true;
  ShowUntilOk(LangText(ROW_ENTER_CHARACTER), ROW_TITLE_HINT, MB_ICONINFORMATION);
  edit->SetFocus();
  return false;
}

// The filter length of a channel from the control of the filter type.
void TakeFilterLength(const ImageField& length, uint8_t type, const TEdit* edit, const TComboBox* list) {
  if (type == 0) length.SetByte(ByteOfText(edit->Text()));
  if (type == 1 && list->ItemIndex() >= 0) length.SetByte(FilterLengthOfItem(list->ItemIndex()));
}

}  // namespace

bool TForm23::TakeChannel(int c) {
  const SetupSection wkg = c == 0 ? WKG0 : WKG1;
  const std::string n = std::to_string(c);
  const ChannelPage p = Channel(c);
  ImageField(wkg, "nsu").SetByte(NegatedByteOfText(p.nsu->Text()));
  ImageField(wkg, "nso").SetByte(ByteOfText(p.nso->Text()));
  ImageField(wkg, "enu").SetByte(ByteOfText(p.enu->Text()));
  ImageField(wkg, "eno").SetByte(ByteOfText(p.eno->Text()));
  ImageField(wkg, "enull").SetByte(Flag(p.enull));
  ImageField(wkg, "tau").SetByte(NegatedByteOfText(p.tau->Text()));
  ImageField(wkg, "tao").SetByte(ByteOfText(p.tao->Text()));
  if (p.tam->ItemIndex() == 0) ImageField(wkg, "tam").SetByte(TAM_WITHOUT_STANDSTILL);
  if (p.tam->ItemIndex() == 1) ImageField(wkg, "tam").SetByte(TAM_AT_STANDSTILL);
  ImageField(wkg, "trm").SetByte(Flag(p.trm));
  ImageField(wkg, "over_f").SetFloat(DecimalOfText(p.overLoad->Text()));
  ImageField(wkg, "under_f").SetFloat(DecimalOfText(p.underLoad->Text()));
  if (!CharacterGiven(p.cm1) || !CharacterGiven(p.cm2)) return false;
  ImageField(wkg, "cm1").SetByte(TextChar(p.cm1->Text()));
  ImageField(wkg, "cm2").SetByte(TextChar(p.cm2->Text()));
  ImageField(wkg, "fmf").SetFloat(DecimalOfText(p.fmf->Text()));
  ImageField(ADC, "lc_type_" + n).SetByte(ItemByte(p.lcType));
  ImageField(ADC, "lc_err_det_val_" + n).SetInt32(TextToInt(p.detuning->Text()));
  return true;
}

void TForm23::TakeGeneral() {
  const uint8_t sum = Flag(CheckBox36);
  ImageField(WKS, "sum").SetByte(sum);
  ImageField(WKS, "mode").SetByte(ItemByte(ComboBox102));
  ImageField(WKS, "fakt_0").SetByte(ByteOfText(Edit129->Text()));
  ImageField(WKS, "fakt_1").SetByte(ByteOfText(Edit130->Text()));
  ImageField(WKS, "over_f").SetFloat(DecimalOfText(Edit17->Text()));
  ImageField(WKS, "under_f").SetFloat(DecimalOfText(Edit18->Text()));
  // The service window shows its sum line again from its next connect.
  if (sum == 1) Form1->SumDisplayEnabled = 0;

  ImageField(ADC, "log_count_mode").SetByte(ItemByte(ComboBox87));
  const auto interval = static_cast<uint8_t>(TextToInt(Edit1->Text()) / 100);
  ImageField(ADC, "lc_err_cyl").SetByte(interval);
  ImageField(ADM, "lc_err").SetByte(interval == 0 ? 0 : 1);

  ImageField(LPC, "sdcont").SetByte(Flag(CheckBox1));
  ImageField(LPC, "val_sdcont").SetByte(ItemByte(ComboBox94));

  ImageField(MSC, "ext_disp").SetByte(Flag(CheckBox48));
  ImageField(MSC, "ext_disp_port").SetByte(ItemByte(ComboBox98));
  ImageField(MSC, "ext_disp_adr").SetByte(ByteOfText(Edit139->Text()));
  ImageField(MSC, "ext_disp_mode").SetByte(ItemByte(ComboBox99));
  ImageField(MSC, "ext_disp_chn").SetByte(ItemByte(ComboBox100));
  ImageField(MSC, "ext_disp_blink").SetByte(Flag(CheckBox49));
  ImageField(MSC, "ext_disp_prot").SetByte(ItemByte(ComboBox101));

  const uint8_t type = ItemByte(ComboBox19);
  ImageField(ADC, "mwfilter_type").SetByte(type);
  TakeFilterLength(ImageField(ADC, "len_0"), type, Edit2, ComboBox96);
  TakeFilterLength(ImageField(ADC, "len_1"), type, Edit3, ComboBox97);
}

void TForm23::Button3Click(TObject* Sender) {
  if (Form1 == nullptr || !PrepareStore()) return;
  if (!TakeChannel(0) || !TakeChannel(1)) return;
  TakeGeneral();

  Button2->SetEnabled(false);
  Label65->Show();
  const std::vector<StoreBlock> blocks =
      StoreBlocksOfPage(PageControl1->ActivePageIndex(), GroupBox38->Visible() || GroupBox16->Visible(),
                        GroupBox39->Visible() || GroupBox17->Visible());
  bool allWritten = true;
  for (const StoreBlock& block : blocks) {
    if (block.pauseBeforeMs > 0) platform::Clock::Sleep(block.pauseBeforeMs);
    // A failed block does not keep the others from being written.
    if (!WriteSection(block.section)) allWritten = false;
  }
  Label65->Hide();
  Button1->SetEnabled(true);
  // A page without blocks to write has nothing to report.
  if (!blocks.empty()) ReportStore(allWritten);
}

void TForm23::Button4Click(TObject* Sender) { Redetermine(0); }

void TForm23::Button5Click(TObject* Sender) { Redetermine(1); }

void TForm23::Redetermine(int channel) {
  if (Form1 == nullptr) return;
  TForm1& link = *Form1;
  link.FlushLink();
  const uint8_t request[2] = {FACTORY_REDETERMINE_DETUNING, static_cast<uint8_t>(channel + 1)};
  // Without an answer the field keeps the set-up's value. A value measured
  // while the device reports an error is shown with the warning below: the
  // user is asked to measure again before storing it.
  const bool answered =
      SendRequest(link, CMD_FACTORY_DATA, request, RequestKind::Wait, AnswerRule::StatusErrorAllowed).answered;
  if (answered) {
    const auto value = static_cast<int32_t>(ReadBe32(std::span<const uint8_t>(link.ReplyBuffer).subspan(REPLY_DATA)));
    Channel(channel).detuning->SetText(FormatInt(value));
  }
  if (!answered || link.DeviceErrorFlag == 1)
    ShowUntilOk(LangText(ROW_DETUNING_FAILED), ROW_TITLE_HINT, MB_ICONERROR);
  Button1->SetEnabled(true);
}
