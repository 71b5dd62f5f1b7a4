// The channel input fields of the service window and their rules: nominal
// value and digits, the input signal's colour, the change mark, the device
// address with its "OK?" button, and "Hold"; and the handlers of the
// channel area, the set-up menu entries and the load calibration entries.
#include "app/link/test_window.h"
#include "app/program/text_table.h"
#include "app/service/channel_fields.h"
#include "app/service/image_fields.h"
#include "app/service/parameter_dialog_steps.h"
#include "app/service/service_window.h"
#include "app/setup/setup_messages.h"
#include "app/setup/setup_text.h"

namespace {

constexpr int ROW_NO_DECIMALS = 18;
constexpr int ROW_SAVE_ADDRESS = 34;
constexpr int ROW_ADDRESS_ZERO = 35;
// The device variant whose address the window stores in the device.
constexpr int kAddressVariant = 3;

// Shows why an address text is no bus address: row 35 for 0, the range for others.
void RefuseAddress(const std::string& text) {
  const std::string message = TextToInt(text) == 0
                                  ? LangText(ROW_ADDRESS_ZERO)
                                  : LangText("Adresse nicht zulässig! -> Bitte eine Adresse von 1 bis 125 wählen.",
                                             "Adress not allowed! -> Please use an adress from 1 to 125.");
  ShowUntilOk(message, ROW_TITLE_HINT, MB_ICONINFORMATION);
}

}  // namespace

void TForm21::HookChannelAndSetupHandlers() {
  Edit1->OnExit = Handler(this, &TForm21::Edit1Exit);
  Edit3->OnExit = Handler(this, &TForm21::Edit3Exit);
  Edit1->OnChange = Handler(this, &TForm21::Edit1Change);
  Edit3->OnChange = Handler(this, &TForm21::Edit3Change);
  Edit2->OnChange = Handler(this, &TForm21::Edit2Change);
  Edit4->OnChange = Handler(this, &TForm21::Edit4Change);
  ComboBox3->OnChange = Handler(this, &TForm21::ComboBox3Change);
  ComboBox7->OnChange = Handler(this, &TForm21::ComboBox7Change);
  ComboBox3->OnExit = Handler(this, &TForm21::ComboBox3Exit);
  ComboBox7->OnExit = Handler(this, &TForm21::ComboBox7Exit);
  ComboBox1->OnChange = Handler(this, &TForm21::ComboBox1Change);
  ComboBox5->OnChange = Handler(this, &TForm21::ComboBox5Change);
  CheckBox1->OnClick = Handler(this, &TForm21::CheckBox1Click);
  Edit5->OnChange = Handler(this, &TForm21::Edit5Change);
  Edit5->OnExit = Handler(this, &TForm21::Edit5Exit);
  Button6->OnClick = Handler(this, &TForm21::Button6Click);
  Button8->OnClick = Handler(this, &TForm21::Button8Click);
  ComboBox4->OnEnter = Handler(this, &TForm21::ComboBox4Enter);
  ComboBox4->OnChange = Handler(this, &TForm21::ComboBox4Change);
  Logfunktionaktiv1->OnClick = Handler(this, &TForm21::Logfunktionaktiv1Click);
  Logfunktionen1->OnClick = Handler(this, &TForm21::Logfunktionen1Click);
  ffnen1->OnClick = Handler(this, &TForm21::ffnen1Click);
  Speichern1->OnClick = Handler(this, &TForm21::Speichern1Click);
  Speichernunter1->OnClick = Handler(this, &TForm21::Speichernunter1Click);
  Kanal1->OnClick = Handler(this, &TForm21::Kanal1Click);
  Kanal2->OnClick = Handler(this, &TForm21::Kanal2Click);
}

void TForm21::LeaveNominalField(int channel) {
  TEdit* field = channel == 0 ? Edit1 : Edit3;
  TComboBox* digits = channel == 0 ? ComboBox3 : ComboBox7;
  const NominalExit exit = ::LeaveNominalField(field->Text());
  if (exit.text != field->Text()) field->SetText(exit.text);
  if (exit.hasDecimals) {
    ShowUntilOk(LangText(ROW_NO_DECIMALS), ROW_TITLE_HINT, MB_ICONERROR);
    field->SetFocus();
    return;
  }
  digits->SetText("");
  digits->ClearItems();
  for (const std::string& item : exit.items) digits->AddItem(item);
  digitItemCount_[channel] = static_cast<int>(exit.items.size());
  digits->SetItemIndex(0);
  parameter_dialogs::ShowSumChannel();
}

void TForm21::Edit1Exit(TObject* Sender) { LeaveNominalField(0); }
void TForm21::Edit3Exit(TObject* Sender) { LeaveNominalField(1); }

void TForm21::LeaveDigitsField(int channel) {
  TComboBox* digits = channel == 0 ? ComboBox3 : ComboBox7;
  const std::string text = ::LeaveDigitsField(digitItemCount_[channel], digits->Text());
  if (text != digits->Text()) digits->SetText(text);
}

void TForm21::ComboBox3Exit(TObject* Sender) { LeaveDigitsField(0); }
void TForm21::ComboBox7Exit(TObject* Sender) { LeaveDigitsField(1); }

void TForm21::MarkFieldEdited() {
  // Showing the image is no edit.
  if (fieldFill_ == 0) SetupModified = 1;
}

void TForm21::ColourInputSignal(TEdit* field) {
  field->Font().SetColor(InputSignalOutOfRange(field->Text()) ? clRed : clBlack);
  MarkFieldEdited();
}

void TForm21::Edit2Change(TObject* Sender) { ColourInputSignal(Edit2); }
void TForm21::Edit4Change(TObject* Sender) { ColourInputSignal(Edit4); }

void TForm21::Edit1Change(TObject* Sender) { MarkFieldEdited(); }
void TForm21::Edit3Change(TObject* Sender) { MarkFieldEdited(); }
void TForm21::ComboBox3Change(TObject* Sender) { MarkFieldEdited(); }
void TForm21::ComboBox7Change(TObject* Sender) { MarkFieldEdited(); }

void TForm21::Edit5Change(TObject* Sender) {
  if (Form1 == nullptr) return;
  // The range is checked when the user leaves the field or stores the
  // address, so that typing and the program's own writes raise no message.
  const int address = BusAddressOf(Edit5->Text());
  if (address > 0 && Form1->DeviceVariant == kAddressVariant && address != Form1->DeviceAddress)
    Button6->SetVisible(true);
}

void TForm21::Edit5Exit(TObject* Sender) {
  if (BusAddressOf(Edit5->Text()) > 0) return;
  RefuseAddress(Edit5->Text());
  Edit5->SetFocus();
}

void TForm21::Button6Click(TObject* Sender) {
  if (Form1 == nullptr) return;
  TForm1& link = *Form1;
  if (AskYesNo(LangText(ROW_SAVE_ADDRESS))) {
    const int address = BusAddressOf(Edit5->Text());
    if (address < 0) {
      RefuseAddress(Edit5->Text());
    } else {
      const SetupImageBytes before = link.SetupImage;
      ImageByte(link.SetupImage, SetupSection::LPC, "rs485_adr") = static_cast<uint8_t>(address);
      if (WriteSetupBytes(before, {{SetupSection::LPC, "rs485_adr"}})) {
        link.SoftResetRequested = 1;
        RestartAndReconnect();
        link.SoftResetRequested = 0;
      }
    }
  }
  Button6->SetVisible(false);
  SetupModified = 1;
}

void TForm21::Button8Click(TObject* Sender) {
  if (ServiceConnected != 1) return;
  Label24->SetCaption(Label11->Caption());
  Label24->SetVisible(true);
}
