#include "app/diag/runtime_viewer.h"

#include "app/link/link_protocol.h"
#include "app/link/test_window.h"
#include "platform/forms/control_placement.h"
#include "platform/forms/dialog_layout.h"

TForm12* Form12 = nullptr;

namespace {

// After a refused request a loop waits one queue tick before its next pass.
constexpr int REFUSED_PAUSE_MS = 100;

}  // namespace

TForm12::TForm12() {
  SetName("Form12");
  SetCaption("VD417-Debug (Laufzeitvariablen)");
  SetSize(880, 660);
  BuildFrame();
  BuildStructurePages();
  BuildAdcPage();
  BuildRtcPage();
  BuildTestDebugPage();
  BuildRegisterPage();
  BuildLogPage();
  BuildDiagPage();
  BuildTestPbPage();
  BuildMiscPage();
  BuildExbPage();
  BuildSpiPage();
  // Neither page can be reached: their tabs stay hidden.
  Page(PAGE_ADM)->SetTabVisible(false);
  Page(PAGE_RTC)->SetTabVisible(false);
  PageControl1->SetActivePageIndex(PAGE_EXB);
  OnClose = [this](TObject* sender, TCloseAction& action) { FormClose(sender, action); };
}

void TForm12::BuildFrame() {
  PageControl1 = PlaceControl<TPageControl>(this, "PageControl1", 4, 4, 864, 580);
  const char* const captions[] = {"GBL",        "LPC",          "ADC",  "ADM",     "RTC",  "TEST DEBUG", "ADC CS5532",
                                  "ADC CS5532 2", "DIAG",       "TEST-PB", "MISC", "EXB",        "KP613-SPI"};
  for (size_t i = 0; i < Pages.size(); ++i) {
    Pages[i] = PageControl1->AddPage(captions[i]);
    Pages[i]->SetName("TabSheet" + std::to_string(i + 1));
  }
  const DialogLayout at(this);
  Button1 = at.Button("Button1", "ENDE", 768, 594, 96);
  Button1->OnClick = Handler(this, &TForm12::Button1Click);
  Button9 = at.Button("Button9", "RS232-Fenster", 8, 594, 110);
  Button9->OnClick = Handler(this, &TForm12::Button9Click);
  Button31 = at.Button("Button31", "Clear LCD", 126, 594, 96);
  Button31->OnClick = Handler(this, &TForm12::Button31Click);
  Label4 = at.Label("Label4", "Byte 1", 240, 598);
}

TButton* TForm12::ActionButton(const DialogLayout& at, const char* name, const std::string& caption, int x, int y,
                               int width, uint8_t command, std::vector<uint8_t> data, RequestKind kind) {
  TButton* button = at.Button(name, caption, x, y, width);
  button->OnClick = [this, command, data = std::move(data), kind](TObject*) { Send(command, data, kind); };
  return button;
}

// ---- Requests

bool TForm12::Send(uint8_t command, std::span<const uint8_t> data, RequestKind kind) {
  const RequestResult result = SendDeviceRequest(command, data, kind);
  lastRefused_ = !result.queued;
  return kind == RequestKind::Wait ? result.answered : result.queued;
}

bool TForm12::NextPass(TCheckBox* box, bool answered) {
  if (lastRefused_) Form1->WaitMs(REFUSED_PAUSE_MS);
  // A communication error has reset the link: the loop ends instead of
  // raising the error again and again.
  if (!answered && !lastRefused_ && Form1->TransactionAborted == 1) box->SetChecked(false);
  return box->Checked();
}

uint8_t TForm12::ChosenChannel(const TRadioButton* first, const TRadioButton* second) {
  if (first->Checked()) return 1;
  if (second->Checked()) return 2;
  ShowHint("Bitte Kanal wählen!");
  return 0;
}

// ---- Frame handlers

void TForm12::Button1Click(TObject* Sender) {
  for (TCheckBox* box : {CheckBox1, CheckBox2, CheckBox3, CheckBox4, CheckBox12}) box->SetChecked(false);
  Close();
}

void TForm12::FormClose(TObject* Sender, TCloseAction& Action) {
  // Every way of closing ends every loop, the battery test's too, so that
  // no hidden loop goes on sending.
  for (TCheckBox* box : {CheckBox1, CheckBox2, CheckBox3, CheckBox4, CheckBox11, CheckBox12}) box->SetChecked(false);
  Action = TCloseAction::caHide;
}

void TForm12::Button9Click(TObject* Sender) {
  Form1->RS232Fenster1Click(Sender);
  Form1->Repaint();
}

void TForm12::Button31Click(TObject* Sender) { Send(CMD_DEBUG_ACTION, {0x14}, RequestKind::SendOnly); }
