#include "app/diag/baud_rate.h"

#include <string>

#include "app/diag/device_request.h"
#include "app/link/link_protocol.h"
#include "app/link/test_window.h"
#include "platform/forms/control_placement.h"
#include "platform/forms/dialog_layout.h"

TForm2* Form2 = nullptr;

TForm2::TForm2() {
  SetName("Form2");
  SetCaption("Temp. Ändern der Geräte-Baudrate");
  SetSize(300, 340);
  const DialogLayout at(this);
  Label1 = at.Label("Label1", "Einstellen der Baudrate", 12, 10);
  RadioGroup1 = PlaceControl<TRadioGroup>(this, "RadioGroup1", 12, 36, 150, 236, "Baudrate [baud]");
  const DialogLayout r(RadioGroup1);
  const char* const rates[] = {"1200", "2400", "4800", "9600", "19200", "38400", "57600", "76800", "115200"};
  for (size_t i = 0; i < RateButtons.size(); ++i)
    RateButtons[i] =
        r.Radio(("RadioButton" + std::to_string(i + 1)).c_str(), rates[i], 12, 22 + static_cast<int>(i) * 23, 120);
  RateButtons[3]->SetChecked(true);
  Button2 = at.Button("Button2", "Baudrate einstellen", 172, 40, 110);
  Button2->OnClick = Handler(this, &TForm2::Button2Click);
  Button1 = at.Button("Button1", "Beenden", 172, 246, 110);
  Button1->OnClick = Handler(this, &TForm2::Button1Click);
}

void TForm2::Button1Click(TObject* Sender) { Close(); }

void TForm2::Button2Click(TObject* Sender) {
  for (size_t i = 0; i < RateButtons.size(); ++i) {
    if (!RateButtons[i]->Checked()) continue;
    const uint8_t index = static_cast<uint8_t>(i);
    SendDeviceRequest(CMD_SET_BAUD, std::span<const uint8_t>(&index, 1), RequestKind::SendOnly);
    return;
  }
}
