#include "app/params/adc_settings.h"

#include <array>

#include "app/link/test_window.h"
#include "app/program/text_table.h"
#include "app/service/service_window.h"
#include "app/setup/setup_editor.h"
#include "app/setup/setup_messages.h"
#include "app/setup/setup_text.h"
#include "platform/forms/dialog_layout.h"

TForm32* Form32 = nullptr;

namespace {

// The filter lengths of ComboBox2, by item.
constexpr std::array<int, 5> kFilterLengths = {2, 4, 8, 16, 32};
constexpr int CONVERSION_RATES = 3;

int Lang() { return Form1 != nullptr ? Form1->Options.lang : 0; }

uint8_t ImageByte(const char* field) {
  const SetupField& f = FieldOf(SetupSection::ADC, field);
  return SectionBytes(std::as_const(Form1->SetupImage), SetupSection::ADC)[static_cast<size_t>(f.offset)];
}

}  // namespace

TForm32::TForm32() {
  SetName("Form32");
  SetCaption("RTV483 - ADC-Einstellungen");
  SetClientSize(330, 160);

  const DialogLayout g(this);
  Label1 = g.Label("Label1", "ADC-Wandelrate", 16, 20, 160);
  ComboBox1 = g.List("ComboBox1", {"4", "16", "33"}, 180, 16, 70);
  Label3 = g.Label("Label3", "[Hz]", 258, 20, 40);
  Label2 = g.Label("Label2", "Werte Mittelwertfilter", 16, 56, 160);
  ComboBox2 = g.List("ComboBox2", {"2", "4", "8", "16", "32"}, 180, 52, 70);
  Label4 = g.Label("Label4", "Bitte warten...", 16, 92, 200);
  Label4->SetVisible(false);
  Button3 = g.Button("Button3", "Schreiben", 16, 118, 110);
  Button3->OnClick = Handler(this, &TForm32::Button3Click);
  Button1 = g.Button("Button1", "Beenden", 204, 118, 110);
  Button1->OnClick = Handler(this, &TForm32::Button1Click);
  OnActivate = Handler(this, &TForm32::FormActivate);
}

void TForm32::FormActivate(TObject* Sender) {
  const uint8_t rate = ImageByte("crate");
  if (rate < CONVERSION_RATES) ComboBox1->SetItemIndex(rate);
  const uint8_t length = ImageByte("len_0");
  for (size_t item = 0; item < kFilterLengths.size(); ++item)
    if (length == kFilterLengths[item]) ComboBox2->SetItemIndex(static_cast<int>(item));
}

void TForm32::Button3Click(TObject* Sender) {
  TForm1& link = *Form1;
  Button1->SetEnabled(false);
  Button3->SetEnabled(false);
  Label4->SetVisible(true);
  Repaint();

  // The section is rebuilt from the set-up editor's controls, so they get
  // the two values first; a list without a choice leaves the editor's value.
  TForm3& editor = *Form3;
  if (ComboBox1->ItemIndex() >= 0) editor.ComboBox44->SetItemIndex(ComboBox1->ItemIndex());
  if (ComboBox2->ItemIndex() >= 0) {
    const int length = kFilterLengths[static_cast<size_t>(ComboBox2->ItemIndex())];
    // The editor takes the length from its list or its edit, as its filter type says.
    editor.ComboBox96->SetItemIndex(FilterLengthItem(static_cast<uint8_t>(length)));
    editor.Edit12->SetText(std::to_string(length));
  }
  link.DeviceErrorFlag = 0;
  editor.ControlsToSetup(SectionCode(SetupSection::ADC, SetupBase), CODEC_WRITE_DEVICE);
  if (link.DeviceErrorFlag == 1)
    ShowUntilOk("ERROR!", ROW_TITLE_ERROR, MB_ICONERROR);
  else
    ShowUntilOk("OK!", ROW_TITLE_HINT, MB_ICONINFORMATION);

  Button1->SetEnabled(true);
  Button3->SetEnabled(true);
  Label4->SetVisible(false);
}

void TForm32::Button1Click(TObject* Sender) {
  if (Form21 != nullptr) Form21->Button18->Font().SetBold(true);
  Close();
}

void TForm32::ChangeLanguage() {
  const int lang = Lang();
  SetCaption(Text(468, lang));
  Label1->SetCaption(Text(470, lang));
  Label2->SetCaption(Text(471, lang));
  Button1->SetCaption(Text(469, lang));
}
