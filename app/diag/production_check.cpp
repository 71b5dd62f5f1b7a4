#include "app/diag/production_check.h"

#include "app/diag/factory_admin.h"
#include "app/diag/internal_calibration.h"
#include "app/link/test_window.h"
#include "app/service/service_window.h"
#include "platform/forms/dialog_layout.h"

TForm28* Form28 = nullptr;

namespace {

// Variants of one channel: below 10, and 11.
bool HasSecondChannel(int variant) { return variant >= 10 && variant != 11; }

}  // namespace

TForm28::TForm28() {
  SetName("Form28");
  SetCaption("VD417(DP) - Produktion/Prüfung");
  SetClientSize(460, 286);

  const DialogLayout g(this);
  struct Row {
    TLabel*& caption;
    const char* captionName;
    const char* text;
    TLabel*& result;
    const char* resultName;
    TButton*& start;
    const char* startName;
  };
  const Row rows[] = {
      {Label1, "Label1", "Werkseinstellungen", Label2, "Label2", Button2, "Button2"},
      {Label3, "Label3", "Werkskalibrierung - Kanal 1", Label4, "Label4", Button3, "Button3"},
      {Label5, "Label5", "Werkskalibrierung - Kanal 2", Label6, "Label6", Button4, "Button4"},
      {Label7, "Label7", "Lastkalibrierung - Kanal 1", Label8, "Label8", Button6, "Button6"},
      {Label9, "Label9", "Lastkalibrierung - Kanal 2", Label10, "Label10", Button7, "Button7"},
  };
  int y = 16;
  for (const Row& row : rows) {
    row.caption = g.Label(row.captionName, row.text, 16, y + 5, 220);
    row.result = g.Label(row.resultName, "PASS/FAIL", 250, y + 5, 90);
    row.start = g.Button(row.startName, "Start", 350, y, 90);
    y += 36;
  }
  Button5 = g.Button("Button5", "Reset VD417", 16, 206, 130);
  Button8 = g.Button("Button8", "Soft-Reset", 156, 206, 130);
  Button9 = g.Button("Button9", "Default-Setup in Gerät", 16, 246, 270);
  Button1 = g.Button("Button1", "Beenden", 350, 246, 90);

  Button2->OnClick = Handler(this, &TForm28::Button2Click);
  Button3->OnClick = Handler(this, &TForm28::Button3Click);
  Button4->OnClick = Handler(this, &TForm28::Button4Click);
  Button6->OnClick = Handler(this, &TForm28::Button6Click);
  Button7->OnClick = Handler(this, &TForm28::Button7Click);
  Button5->OnClick = Handler(this, &TForm28::Button5Click);
  Button8->OnClick = Handler(this, &TForm28::Button8Click);
  Button9->OnClick = Handler(this, &TForm28::Button9Click);
  Button1->OnClick = Handler(this, &TForm28::Button1Click);
  OnShow = Handler(this, &TForm28::FormShow);
  OnActivate = Handler(this, &TForm28::FormActivate);
}

void TForm28::FormShow(TObject* Sender) {
  // Read once per showing: the boxes of the read and the windows that the
  // panel starts re-activate it, and a read from there would start again
  // and again while the device does not answer.
  Form1->FlushLink();
  if (Form21 != nullptr) Form21->Button3Click(nullptr);
}

void TForm28::FormActivate(TObject* Sender) {
  for (TLabel* result : {Label2, Label4, Label6, Label8, Label10}) result->SetCaption("");
  const TForm1& link = *Form1;
  if (link.VariantRejected == 1) {
    Button2->SetFocus();
    return;
  }
  const bool second = HasSecondChannel(link.DeviceVariant);
  Button4->SetEnabled(second);
  Button7->SetEnabled(second);
}

void TForm28::Button2Click(TObject* Sender) {
  if (Form7 != nullptr) Form7->Show();
}

void TForm28::StartFactoryCalibration(int channelItem) {
  if (Form6 == nullptr) return;
  Form1->CalibrationServiceMode = 1;
  // Activated here, so that its reading of the device's channel comes
  // before the row's channel is chosen.
  Form6->Activate();
  Form6->ComboBox3->SetItemIndex(channelItem);
  Form6->Button5Click(nullptr);
}

void TForm28::Button3Click(TObject* Sender) { StartFactoryCalibration(0); }

void TForm28::Button4Click(TObject* Sender) { StartFactoryCalibration(1); }

void TForm28::Button6Click(TObject* Sender) {
  if (Form21 != nullptr) Form21->Kanal1Click(nullptr);
}

void TForm28::Button7Click(TObject* Sender) {
  if (Form21 != nullptr) Form21->Kanal2Click(nullptr);
}

void TForm28::Button5Click(TObject* Sender) {
  Form1->SoftResetRequested = 0;
  if (Form21 != nullptr) Form21->RestartAndReconnect();
}

void TForm28::Button8Click(TObject* Sender) {
  TForm1& link = *Form1;
  link.SoftResetRequested = 1;
  if (Form21 != nullptr) Form21->RestartAndReconnect();
  link.SoftResetRequested = 0;
}

void TForm28::Button9Click(TObject* Sender) {
  TForm1& link = *Form1;
  if (link.QueueRequest(link.DeviceAddress, CMD_DEFAULTS_TO_EEPROM, nullptr, 0, 0, 1)) link.WaitUntilIdle();
  link.SetupPresent = 0;
  if (Form21 != nullptr) Form21->RestartAndReconnect();
}

void TForm28::Button1Click(TObject* Sender) { Close(); }
