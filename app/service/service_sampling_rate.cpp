// The service window's sampling-rate list: its items by ADC mode and log
// function, a new rate stored in the device with a restart, and the log
// function entries of the menu Extras.
#include "app/link/test_window.h"
#include "app/params/log_memory.h"
#include "app/program/text_table.h"
#include "app/service/image_fields.h"
#include "app/service/parameter_dialog_steps.h"
#include "app/service/sample_rate_list.h"
#include "app/service/service_window.h"

namespace {

constexpr int ROW_NEW_RATE = 21;
constexpr int ROW_RATE_AFTER_RESTART = 22;
constexpr int ROW_CONNECT_FIRST = 52;
constexpr int ROW_PLEASE_WAIT = 53;

uint8_t& Image(SetupSection section, const char* field) { return ImageByte(Form1->SetupImage, section, field); }

}  // namespace

void TForm21::FillSampleRateList(uint8_t mode) {
  const std::optional<SampleRateList> list = SampleRateListFor(mode, LogFunctionActive == 1, ComboBox4->ItemIndex());
  if (!list) return;
  ComboBox4->SetText("");
  ComboBox4->SetItems(list->items);
  ComboBox4->SetItemIndex(list->index);
}

void TForm21::ComboBox4Enter(TObject* Sender) { rateIndexOnEnter_ = ComboBox4->ItemIndex(); }

void TForm21::ComboBox4Change(TObject* Sender) {
  if (Form1 == nullptr) return;
  TForm1& link = *Form1;
  const int lang = link.Options.lang;
  if (ServiceConnected == 0) {
    Label14->SetCaption(Text(ROW_CONNECT_FIRST, lang));
    return;
  }
  if (SetupReadRunning != 0 || DemoMode != 0) return;
  if (MessageBox(Text(ROW_NEW_RATE, lang), Text(ROW_TITLE_QUESTION, lang), MB_YESNO | MB_ICONINFORMATION) != IDYES) {
    ComboBox4->SetItemIndex(rateIndexOnEnter_);
    return;
  }
  const int rate = ComboBox4->ItemIndex();
  if (rate < 0) return;
  Label14->SetCaption(Text(ROW_PLEASE_WAIT, lang));
  const SetupImageBytes before = link.SetupImage;
  Image(SetupSection::ADC, "crate") = static_cast<uint8_t>(rate);
  if (!WriteSetupBytes(before, {{SetupSection::ADC, "crate"}})) {
    // The device keeps its rate, and so does the list.
    ComboBox4->SetItemIndex(rateIndexOnEnter_);
    Label14->SetCaption("");
    return;
  }
  if (MessageBox(Text(ROW_RATE_AFTER_RESTART, lang), Text(ROW_TITLE_HINT, lang), MB_OK | MB_ICONINFORMATION) != IDOK)
    return;
  link.SoftResetRequested = 1;
  RestartAndReconnect();
  link.SoftResetRequested = 0;
}

void TForm21::Logfunktionaktiv1Click(TObject* Sender) {
  if (Form1 == nullptr) return;
  if (Image(SetupSection::ADC, "mode") == 1 && Image(SetupSection::WKG0, "mk") == 1) return;
  const bool on = !Logfunktionaktiv1->Checked();
  Logfunktionaktiv1->SetChecked(on);
  Logfunktionen1->SetVisible(on);
  parameter_dialogs::ShowLogMemoryGroup(on);
  LogFunctionActive = on ? 1 : 0;
  FillSampleRateList(Image(SetupSection::ADC, "mode"));
}

void TForm21::Logfunktionen1Click(TObject* Sender) {
  if (Form25 != nullptr) Form25->Show();
}
