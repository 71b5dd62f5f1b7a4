#include "app/diag/profibus_test.h"

#include <QWidget>

#include <array>
#include <initializer_list>

#include "app/diag/device_request.h"
#include "app/diag/runtime_image.h"
#include "app/link/link_protocol.h"
#include "app/link/test_window.h"
#include "platform/forms/control_placement.h"
#include "platform/forms/dialog_layout.h"

TForm14* Form14 = nullptr;

namespace {

constexpr uint8_t PB_STATE = 0;
constexpr uint8_t PB_DIP_ADDRESS = 2;
constexpr uint8_t PB_INIT = 3;
constexpr uint8_t PB_SPC3_MODE = 8;

// Queues one Profibus request; with `wait` it waits for the answer and tells
// whether a valid one came.
bool Profibus(std::initializer_list<uint8_t> data, bool wait) {
  const RequestResult r = SendDeviceRequest(CMD_PROFIBUS, std::span<const uint8_t>(data.begin(), data.size()),
                                            wait ? RequestKind::Wait : RequestKind::SendOnly);
  return wait ? r.answered : r.queued;
}

}  // namespace

TForm14::TForm14() {
  SubscribeToLink(this);
  SetName("Form14");
  SetCaption("Form14");
  SetSize(420, 330);
  const DialogLayout at(this);
  Button2 = at.Button("Button2", "Init PB", 12, 12, 140);
  Button2->OnClick = Handler(this, &TForm14::Button2Click);
  Button3 = at.Button("Button3", "Adr.-DIP-Schalter", 12, 46, 140);
  Button3->OnClick = Handler(this, &TForm14::Button3Click);
  Label4 = at.Label("Label4", "VD417-Adresse", 164, 50);
  Label3 = at.Label("Label3", ".", 270, 50, 40);
  Label1 = at.Label("Label1", "Diag-Parameter", 12, 84);
  Edit1 = at.Edit("Edit1", 12, 104, 60);
  Label5 = at.Label("Label5", "Parameter 2", 124, 84);
  Edit2 = at.Edit("Edit2", 124, 104, 60);
  // A parameter is one byte.
  MakeByteField(Edit1);
  MakeByteField(Edit2);
  Button4 = at.Button("Button4", "Diag PB", 236, 102, 100);
  Button4->OnClick = Handler(this, &TForm14::Button4Click);
  Label2 = at.Label("Label2", "SPC3-Status", 12, 146);
  Button5 = at.Button("Button5", "Status", 12, 166, 100);
  Button5->OnClick = Handler(this, &TForm14::Button5Click);
  RadioGroup1 = PlaceControl<TRadioGroup>(this, "RadioGroup1", 124, 140, 140, 116, "");
  const DialogLayout r(RadioGroup1);
  RadioButton1 = r.Radio("RadioButton1", "WAIT PRM", 10, 16, 120);
  RadioButton2 = r.Radio("RadioButton2", "WAIT CFG", 10, 40, 120);
  RadioButton3 = r.Radio("RadioButton3", "DATA EX", 10, 64, 120);
  RadioButton4 = r.Radio("RadioButton4", "ERROR", 10, 88, 120);
  // The state is shown, not chosen.
  for (TRadioButton* radio : {RadioButton1, RadioButton2, RadioButton3, RadioButton4})
    radio->Widget()->setAttribute(Qt::WA_TransparentForMouseEvents);
  Button6 = at.Button("Button6", "SPC3 OFFLINE", 276, 140, 130);
  Button6->OnClick = Handler(this, &TForm14::Button6Click);
  Button8 = at.Button("Button8", "SPC3 ONLINE", 276, 174, 130);
  Button8->OnClick = Handler(this, &TForm14::Button8Click);
  Button7 = at.Button("Button7", "SPC3 LEAVE MASTER", 276, 208, 130);
  Button7->OnClick = Handler(this, &TForm14::Button7Click);
  Button1 = at.Button("Button1", "ENDE", 306, 270, 100);
  Button1->OnClick = Handler(this, &TForm14::Button1Click);
}

void TForm14::Button1Click(TObject* Sender) { Close(); }
void TForm14::Button2Click(TObject* Sender) { Profibus({PB_INIT}, false); }

void TForm14::Button3Click(TObject* Sender) {
  // Only a fresh answer tells the address; otherwise the field says it was not read.
  Label3->SetCaption(Profibus({PB_DIP_ADDRESS, 0, 0}, true) ? std::to_string(Form1->ReplyBuffer[5]) : "-");
}

void TForm14::Button4Click(TObject* Sender) {
  Profibus({ByteFieldValue(Edit1->Text()), ByteFieldValue(Edit2->Text()), 0}, false);
}

void TForm14::Button5Click(TObject* Sender) { Form1->ShowProfibusState(); }
void TForm14::Button6Click(TObject* Sender) { Profibus({PB_SPC3_MODE, 0}, false); }
void TForm14::Button8Click(TObject* Sender) { Profibus({PB_SPC3_MODE, 1}, false); }
void TForm14::Button7Click(TObject* Sender) { Profibus({PB_SPC3_MODE, 2}, false); }

void TForm14::ProfibusStateReported(int state) {
  static constexpr std::array<const char*, 4> kRadioNames = {"RadioButton1", "RadioButton2", "RadioButton3",
                                                             "RadioButton4"};
  if (state < 0) {
    for (const char* name : kRadioNames)
      if (auto* radio = FindComponent<TRadioButton>(this, name)) radio->SetChecked(false);
    return;
  }
  if (state < static_cast<int>(kRadioNames.size()))
    if (auto* radio = FindComponent<TRadioButton>(this, kRadioNames[static_cast<size_t>(state)]))
      radio->SetChecked(true);
}
