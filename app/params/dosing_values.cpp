#include "app/params/dosing_values.h"

#include <array>

#include "app/diag/device_request.h"
#include "app/link/test_window.h"
#include "app/service/service_window.h"
#include "platform/forms/dialog_layout.h"

TForm29* Form29 = nullptr;

namespace {

// One queue tick: the pause after a pass without answer.
constexpr int FAILED_PASS_PAUSE_MS = 100;

}  // namespace

TForm29::TForm29() {
  SetName("Form29");
  SetCaption("Werte Dosierwaage");
  SetClientSize(400, 228);

  const DialogLayout g(this);
  GroupBox1 = g.Group("GroupBox1", "Dosierwaage (BW)", 12, 8, 376, 168);
  const DialogLayout box = g.In(GroupBox1);
  // Channel and value are two separate choices.
  const DialogLayout channels = g.In(box.Frame(10, 22, 100, 52));
  RadioButton24 = channels.Radio("RadioButton24", "Kanal 1", 0, 0, 90);
  RadioButton25 = channels.Radio("RadioButton25", "Kanal 2", 0, 24, 90);
  Label1 = box.Label("Label1", "Messwerte", 130, 22, 120);
  const DialogLayout values = g.In(box.Frame(130, 44, 130, 110));
  RadioButton28 = values.Radio("RadioButton28", "aktueller Flow", 0, 0, 126);
  RadioButton26 = values.Radio("RadioButton26", "Flow / min", 0, 26, 126);
  RadioButton27 = values.Radio("RadioButton27", "Gesamtsumme", 0, 52, 126);
  RadioButton29 = values.Radio("RadioButton29", "Entnahmesumme", 0, 78, 126);
  Label51 = box.Label("Label51", ".", 266, 46, 100);
  Label55 = box.Label("Label55", ".", 266, 72, 100);
  Label53 = box.Label("Label53", ".", 266, 98, 100);
  Label57 = box.Label("Label57", ".", 266, 124, 100);
  Button86 = g.Button("Button86", "START - Lesen", 12, 188, 140);
  Button86->OnClick = Handler(this, &TForm29::Button86Click);
  Button1 = g.Button("Button1", "Beenden", 288, 188, 100);
  Button1->OnClick = Handler(this, &TForm29::Button1Click);
  // A reading must not go on in a window that is no longer seen.
  OnClose = [this](TObject*, TCloseAction&) {
    if (DosingReadActive == 1) SwitchOff();
  };
}

int TForm29::ChosenValue() const {
  const std::array<TRadioButton*, 4> buttons = {RadioButton28, RadioButton26, RadioButton27, RadioButton29};
  for (size_t value = 0; value < buttons.size(); ++value)
    if (buttons[value]->Checked()) return static_cast<int>(value);
  return -1;
}

TLabel* TForm29::ValueLabel(int value) const {
  const std::array<TLabel*, 4> labels = {Label51, Label55, Label53, Label57};
  return value >= 0 && value < 4 ? labels[static_cast<size_t>(value)] : nullptr;
}

void TForm29::SwitchOff() {
  DosingReadActive = 0;
  Button86->SetCaption("START - Lesen");
}

void TForm29::Button86Click(TObject* Sender) {
  if (!RadioButton24->Checked() && !RadioButton25->Checked()) {
    ShowHint("Bitte Kanal wählen!");
    return;
  }
  if (DosingReadActive == 1) {
    SwitchOff();
    return;
  }
  if (ChosenValue() < 0) {
    ShowHint("Bitte Wert wählen!");
    return;
  }
  DosingReadActive = 1;
  Button86->SetCaption("STOP - Lesen");
  if (ServiceConnected == 0)
    RunReadLoop();
  else
    ShowHint("Bitte Verbindung trennen!");
}

void TForm29::RunReadLoop() {
  TForm1& link = *Form1;
  int failedPasses = 0;
  while (DosingReadActive == 1) {
    if (ReadSelectedValue()) {
      failedPasses = 0;
      continue;
    }
    // As many failures in a row as make the link report its communication
    // error end the reading, as does a port that cannot be used; a request
    // the link refused for the moment is tried again after a queue tick.
    if (++failedPasses >= COM_ERROR_LIMIT || link.PortUsable == 0) {
      SwitchOff();
      return;
    }
    link.WaitMs(FAILED_PASS_PAUSE_MS);
  }
}

bool TForm29::ReadSelectedValue() {
  TForm1& link = *Form1;
  link.BeltScaleText.clear();
  const int value = ChosenValue();
  const uint8_t data[] = {static_cast<uint8_t>(RadioButton24->Checked() ? 1 : 2),
                          static_cast<uint8_t>(value < 0 ? 0 : value)};
  if (!link.QueueRequest(link.DeviceAddress, CMD_READ_BELT_SCALE, data, 2, 0, 1)) return false;
  link.WaitUntilIdle();
  // Switched off during the wait ("Beenden" blanks the values): nothing more is shown.
  if (DosingReadActive == 1 && !link.BeltScaleText.empty())
    for (int v = 0; v < 4; ++v) ValueLabel(v)->SetCaption(v == value ? link.BeltScaleText : "");
  return link.TransferFailed == 0;
}

void TForm29::Button1Click(TObject* Sender) {
  if (DosingReadActive == 1) Button86Click(this);
  for (int v = 0; v < 4; ++v) ValueLabel(v)->SetCaption("");
  Close();
}
