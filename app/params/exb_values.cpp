#include "app/params/exb_values.h"

#include "app/link/test_window.h"
#include "app/program/text_table.h"
#include "app/service/service_window.h"
#include "platform/forms/control_placement.h"

TForm18* Form18 = nullptr;

namespace {

TLabel* NewLabel(TForm* form, const char* name, const char* caption, int left, int top, int width) {
  return PlaceControl<TLabel>(form, name, left, top, width, 16, caption);
}

TCheckBox* NewBox(TForm* form, const char* name, int left, int top) {
  return PlaceControl<TCheckBox>(form, name, left, top, 18, 18);
}

}  // namespace

TForm18::TForm18() {
  SetName("Form18");
  SetCaption("EXB");
  SetClientSize(330, 230);

  Label16 = NewLabel(this, "Label16", "EXB-Werte", 16, 8, 280);
  Label16->Font().SetColor(clMaroon);
  Label16->Font().SetBold(true);

  constexpr int kValueLeft = 150;
  constexpr int kBoxLeft = 220;
  Label1 = NewLabel(this, "Label1", " 4", kBoxLeft, 30, 20);
  Label2 = NewLabel(this, "Label2", " 3", kBoxLeft + 22, 30, 20);
  Label3 = NewLabel(this, "Label3", " 2", kBoxLeft + 44, 30, 20);
  Label4 = NewLabel(this, "Label4", " 1", kBoxLeft + 66, 30, 20);
  Label27 = NewLabel(this, "Label27", "Inputs", 16, 48, 130);
  Label30 = NewLabel(this, "Label30", ".", kValueLeft, 48, 60);
  CheckBox5 = NewBox(this, "CheckBox5", kBoxLeft, 47);
  CheckBox6 = NewBox(this, "CheckBox6", kBoxLeft + 22, 47);
  CheckBox7 = NewBox(this, "CheckBox7", kBoxLeft + 44, 47);
  CheckBox8 = NewBox(this, "CheckBox8", kBoxLeft + 66, 47);

  Label28 = NewLabel(this, "Label28", "Incr.-geber (raw)", 16, 80, 130);
  Label31 = NewLabel(this, "Label31", ".", kValueLeft, 80, 170);
  Label34 = NewLabel(this, "Label34", "Incr.-geber (scal)", 16, 106, 130);
  Label32 = NewLabel(this, "Label32", ".", kValueLeft, 106, 170);

  Label5 = NewLabel(this, "Label5", " 1", kBoxLeft, 130, 20);
  Label6 = NewLabel(this, "Label6", " 2", kBoxLeft + 22, 130, 20);
  Label29 = NewLabel(this, "Label29", "Relais 1/2", 16, 148, 130);
  Label33 = NewLabel(this, "Label33", ".", kValueLeft, 148, 60);
  CheckBox9 = NewBox(this, "CheckBox9", kBoxLeft, 147);
  CheckBox10 = NewBox(this, "CheckBox10", kBoxLeft + 22, 147);

  Button2 = PlaceControl<TButton>(this, "Button2", 16, 190, 100, 26, "Reset");
  Button2->OnClick = Handler(this, &TForm18::Button2Click);
  Button1 = PlaceControl<TButton>(this, "Button1", 214, 190, 100, 26, "Beenden");
  Button1->OnClick = Handler(this, &TForm18::Button1Click);

  OnClose = [this](TObject* sender, TCloseAction& action) { FormClose(sender, action); };
}

void TForm18::Button1Click(TObject* Sender) { Close(); }

void TForm18::Button2Click(TObject* Sender) {
  const uint8_t reset = 0;
  Form1->QueueRequest(Form1->DeviceAddress, CMD_EXB_OUTPUT, &reset, 1, 0, 0);
}

void TForm18::FormClose(TObject* Sender, TCloseAction& Action) {
  if (Form21 != nullptr) Form21->Inkrementalwerte1->SetChecked(false);
}

void TForm18::ChangeLanguage() {
  const int lang = Form1 != nullptr ? Form1->Options.lang : 0;
  SetCaption(Text(460, lang));
  Label16->SetCaption(Text(461, lang));
  Label27->SetCaption(Text(462, lang));
  Label28->SetCaption(Text(463, lang));
  Label34->SetCaption(Text(464, lang));
  Label29->SetCaption(Text(465, lang));
  Button2->SetCaption(Text(466, lang));
  Button1->SetCaption(Text(467, lang));
}

void TForm18::ShowValues(const ExbValueBytes& values) { ShowDisplay(ExbValuesDisplay(values)); }

void TForm18::ShowUnread() {
  ExbDisplay unread;
  unread.inputs = unread.encoderRaw = unread.encoderScaled = unread.relays = "-";
  ShowDisplay(unread);
}

void TForm18::ShowDisplay(const ExbDisplay& d) {
  Label30->SetCaption(d.inputs);
  TCheckBox* const inputBoxes[4] = {CheckBox5, CheckBox6, CheckBox7, CheckBox8};
  for (size_t bit = 0; bit < 4; ++bit) inputBoxes[bit]->SetChecked(d.inputBits[bit]);
  Label31->SetCaption(d.encoderRaw);
  Label32->SetCaption(d.encoderScaled);
  Label33->SetCaption(d.relays);
  CheckBox9->SetChecked(d.relayBits[0]);
  CheckBox10->SetChecked(d.relayBits[1]);
}
