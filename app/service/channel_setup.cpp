// The channel set-up between the set-up image and the service window: the
// image shown in the channel fields, the fields taken back into the image,
// the sum-channel rule, the unit lists and the channel-2 switch.
#include <initializer_list>

#include "app/link/test_window.h"
#include "app/program/text_table.h"
#include "app/service/channel_fields.h"
#include "app/service/image_fields.h"
#include "app/service/parameter_dialog_steps.h"
#include "app/service/service_window.h"
#include "app/setup/setup_messages.h"
#include "app/setup/setup_text.h"

namespace {

constexpr int ROW_CHANNEL2_OFF = 16;
constexpr int ROW_CHANNEL2_ON = 17;
constexpr int ROW_CONNECT_FIRST = 52;
constexpr int ROW_PLEASE_WAIT = 53;

constexpr int kUnitCount = 8;

bool NoFiveDecimals() { return Form1->NoFiveDecimals != 0; }

uint8_t& Image(SetupSection section, const char* field) { return ImageByte(Form1->SetupImage, section, field); }

// A list field's choice as the set-up byte that holds it: no choice is 0xFF.
uint8_t ChoiceByte(const TComboBox* list) {
  return list->ItemIndex() < 0 ? uint8_t{0xFF} : static_cast<uint8_t>(list->ItemIndex());
}

// A unit byte as the unit list's index; none for a byte that names no unit.
int UnitIndex(uint8_t me) { return me < kUnitCount ? me : -1; }

// Marks a programmatic fill of the channel area for as long as it lives.
class FillScope {
 public:
  explicit FillScope(int& depth) : depth_(depth) { ++depth_; }
  ~FillScope() { --depth_; }
  FillScope(const FillScope&) = delete;
  FillScope& operator=(const FillScope&) = delete;

 private:
  int& depth_;
};

void ShowChannel(const ChannelFieldTexts& f, TEdit* nominal, TComboBox* digits, TEdit* signal, TLabel* calibrated) {
  signal->SetText(f.inputSignal);
  nominal->SetText(f.nominal);
  digits->SetText("");
  digits->ClearItems();
  for (const std::string& item : f.digitItems) digits->AddItem(item);
  digits->SetText(f.digits);
  calibrated->SetVisible(f.loadCalibrated);
}

}  // namespace

void TForm21::ApplySumChannelRule() {
  const bool possible = ComboBox1->ItemIndex() == ComboBox5->ItemIndex() && Image(SetupSection::ADC, "mode") != 0;
  if (!possible) Image(SetupSection::WKS, "sum") = 0;
  parameter_dialogs::OfferSumChannel(possible);
}

void TForm21::ShowChannelSetup() {
  if (Form1 == nullptr) return;
  TForm1& link = *Form1;
  const FillScope fill(fieldFill_);
  ComboBox1->SetItemIndex(UnitIndex(Image(SetupSection::WKG0, "me")));
  ComboBox5->SetItemIndex(UnitIndex(Image(SetupSection::WKG1, "me")));
  ApplySumChannelRule();
  FillSampleRateList(Image(SetupSection::ADC, "mode"));
  // A rate code that the list does not hold shows no rate.
  const uint8_t rate = Image(SetupSection::ADC, "crate");
  ComboBox4->SetItemIndex(rate < ComboBox4->ItemCount() ? rate : -1);

  const uint8_t channels = Image(SetupSection::WKG0, "mk");
  if (link.DeviceVariant == 11 || link.DeviceVariant < 10)
    CheckBox1->SetChecked(false);
  else if (channels == 2 || channels == 1)
    CheckBox1->SetChecked(channels == 2);
  Edit5->SetText(FormatInt(Image(SetupSection::LPC, "rs485_adr")));

  ShowChannel(ChannelFieldsOf(link.SetupImage, 0, ComboBox1->ItemIndex(), NoFiveDecimals()), Edit1, ComboBox3, Edit2,
              Label19);
  ShowChannel(ChannelFieldsOf(link.SetupImage, 1, ComboBox5->ItemIndex(), NoFiveDecimals()), Edit3, ComboBox7, Edit4,
              Label20);

  const bool writable = Image(SetupSection::ADM, "setup") == 1;
  SetupRO->SetChecked(!writable);
  Label26->SetVisible(!writable);
}

void TForm21::StoreChannelSetup() {
  if (Form1 == nullptr) return;
  SetupImageBytes& image = Form1->SetupImage;
  StoreChannelFields(image, 0, {ComboBox1->ItemIndex(), Edit1->Text(), ComboBox3->Text(), Edit2->Text()},
                     NoFiveDecimals());
  StoreChannelFields(image, 1, {ComboBox5->ItemIndex(), Edit3->Text(), ComboBox7->Text(), Edit4->Text()},
                     NoFiveDecimals());
  Image(SetupSection::WKG0, "me") = ChoiceByte(ComboBox1);
  Image(SetupSection::WKG1, "me") = ChoiceByte(ComboBox5);
  if (ComboBox4->ItemIndex() >= 0) Image(SetupSection::ADC, "crate") = static_cast<uint8_t>(ComboBox4->ItemIndex());
  Image(SetupSection::WKG0, "mk") = CheckBox1->Checked() ? 2 : 1;
  Image(SetupSection::ADC, "start_kanal") = 0;
  // Only a bus address goes into the set-up; the field's check reports any other value.
  if (const int address = BusAddressOf(Edit5->Text()); address > 0)
    Image(SetupSection::LPC, "rs485_adr") = static_cast<uint8_t>(address);
}

void TForm21::ShowChannelTwoActive(bool on) {
  const FillScope fill(fieldFill_);
  CheckBox1->SetChecked(on);
}

void TForm21::SwitchChannelTwo(bool on, bool filling) {
  Panel1->SetVisible(on);
  Kanal2->SetEnabled(on);
  ParameterKanal12->SetEnabled(on);
  if (on) {
    Logfunktionaktiv1->SetEnabled(false);
    Logfunktionaktiv1->SetChecked(false);
    Logfunktionen1->SetVisible(false);
  } else {
    Logfunktionaktiv1->SetEnabled(true);
  }
  parameter_dialogs::ShowLogMemoryGroup(!on);
  if (!filling) {
    Form1->ChannelCount = on ? 2 : 1;
    Image(SetupSection::ADC, "mode") = on ? 1 : 0;
    Image(SetupSection::WKG0, "mk") = on ? 2 : 1;
    if (!on) {
      Image(SetupSection::WKS, "sum") = 0;
      Image(SetupSection::MSC, "ext_disp") = 0;
    }
  }
  parameter_dialogs::OfferSumChannel(on);
  if (!on) parameter_dialogs::UncheckExternalDisplay();
  parameter_dialogs::UpdateControlStates();
  parameter_dialogs::ShowFilterOptions();
  FillSampleRateList(on ? 1 : 0);
}

void TForm21::CheckBox1Click(TObject* Sender) {
  if (Form1 == nullptr) return;
  TForm1& link = *Form1;
  // A fill shows what the image holds: it sets up the controls and changes
  // neither the image nor the device, and it is no edit.
  const bool filling = fieldFill_ > 0;
  const bool on = CheckBox1->Checked();
  const int lang = link.Options.lang;
  if (!filling) Label14->SetCaption(Text(ServiceConnected == 1 ? ROW_PLEASE_WAIT : ROW_CONNECT_FIRST, lang));
  const SetupImageBytes before = link.SetupImage;
  const int channelsBefore = link.ChannelCount;
  SwitchChannelTwo(on, filling);

  if (filling) return;
  if (ServiceConnected != 1 || SetupReadRunning != 0 || DemoMode != 0) {
    SetupModified = 1;
    return;
  }
  const bool written =
      on ? WriteSetupBytes(before, {{SetupSection::ADC, "mode"}, {SetupSection::WKG0, "mk"}})
         : WriteSetupBytes(before, {{SetupSection::ADC, "mode"},
                                    {SetupSection::WKG0, "mk"},
                                    {SetupSection::WKS, "sum"},
                                    {SetupSection::MSC, "ext_disp"}});
  if (!written) {
    // The device did not take the change: the window shows channel 2 as it was.
    link.ChannelCount = channelsBefore;
    ShowChannelTwoActive(!on);
    Label14->SetCaption("");
    return;
  }
  if (MessageBox(Text(on ? ROW_CHANNEL2_ON : ROW_CHANNEL2_OFF, lang), Text(ROW_TITLE_HINT, lang),
                 MB_OK | MB_ICONINFORMATION) != IDOK)
    return;
  link.SoftResetRequested = 1;
  RestartAndReconnect();
  link.SoftResetRequested = 0;
}

void TForm21::ComboBox1Change(TObject* Sender) {
  ApplySumChannelRule();
  parameter_dialogs::UpdateControlStates();
  SetupModified = 1;
}

void TForm21::ComboBox5Change(TObject* Sender) { ComboBox1Change(Sender); }
