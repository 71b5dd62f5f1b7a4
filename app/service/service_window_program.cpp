// The service window as the program's main window: its first activation
// starts the program, "Beenden" and the close box end it; the language,
// options, access and About entries; the supervisor's hidden switches.
#include <initializer_list>

#include "app/diag/address_list.h"
#include "app/diag/error_status.h"
#include "app/diag/factory_admin.h"
#include "app/diag/production_check.h"
#include "app/link/setup_image.h"
#include "app/link/test_window.h"
#include "app/params/adc_settings.h"
#include "app/params/dosing_values.h"
#include "app/params/log_memory.h"
#include "app/program/options_dialog.h"
#include "app/program/text_table.h"
#include "app/service/load_calibration.h"
#include "app/service/service_window.h"
#include "app/setup/setup_editor.h"
#include "platform/serial/com_port.h"

namespace {

int Lang() { return Form1 != nullptr ? Form1->Options.lang : 0; }

uint8_t& ImageByte(SetupSection section, const char* field) {
  return Form1->SetupImage[static_cast<size_t>(Info(section).image_offset + FieldOf(section, field).offset)];
}

}  // namespace

void TForm21::FormActivate(TObject* Sender) {
  for (TLabel* label : {Label11, Label21, Label24}) label->SetCaption("");
  Label21->SetVisible(true);
  Button8->SetVisible(false);
  if (Form9 != nullptr)
    for (TControl* control : std::initializer_list<TControl*>{Form9->CheckBox17, Form9->Edit1, Form9->Label19})
      control->SetVisible(false);
  Beenden1->SetEnabled(true);
  // A set-up opened from a file and not written: the next write calibrates again.
  SetupFromFile = 0;
  if (firstActivationDone_) return;
  // Set before the start-up, which pumps messages and may activate the window again.
  firstActivationDone_ = true;
  for (TLabel* label : {Label8, Label9, Label10, Label11, Label21, Label24, Label13, Label14, Label18, Label22})
    label->SetCaption("");
  if (Form1 != nullptr) Form1->StartUp();
  Label19->SetVisible(false);
  Label20->SetVisible(false);
  GroupBox1->SetEnabled(false);
  GroupBox2->SetEnabled(false);
  SetupReadDone = 0;
  ReloadCalibration = 0;
  GrossNetMode = 2;
  if (Form1 != nullptr && Form1->Options.rs485 == 1 && Form9 != nullptr) Form9->Show();
}

void TForm21::Button2Click(TObject* Sender) { EndProgram(true); }

void TForm21::Beenden1Click(TObject* Sender) { EndProgram(false); }

void TForm21::FormClose(TObject* Sender, TCloseAction& Action) {
  // The close box ends the program the same way as "Beenden".
  if (!endStepDone_) RunEndStep(false);
}

void TForm21::EndProgram(bool fromButton) {
  if (!endStepDone_) RunEndStep(fromButton);
  Close();
}

void TForm21::RunEndStep(bool fromButton) {
  endStepDone_ = true;
  // Before the start-up nothing was loaded, so nothing may be stored.
  if (!firstActivationDone_ || Form1 == nullptr) return;
  // From here a restart of the device does not connect it again.
  programEnding_ = true;
  Form1->SuspendDeviceOutput();
  if (fromButton) PollingActive = 0;
  Polling->EndIfStopped();
  if (ServiceConnected == 1) Button1Click(this);
  StoreChangesOnExit();
  Form1->StartContinuousOutput(2);
}

void TForm21::StoreChangesOnExit() {
  Form1->FlushLink();
  if (SetupModified == 1 && DemoMode == 0) {
    if (MessageBox(Text(23, Lang()), Text(ROW_TITLE_QUESTION, Lang()), MB_YESNO | MB_ICONQUESTION) == IDYES)
      Button4Click(this);
    else
      SetupModified = 0;
  }
  if (ImageByte(SetupSection::LPC, "sdcont") == 1) {
    // Out before anything queued later, and the device back before the stream start of the end.
    ResetAndAwaitRestart();
    Form1->SoftResetRequested = 0;
  }
  Form1->StoreComSettings();
}

void TForm21::Deutsch1Click(TObject* Sender) {
  if (Form1 == nullptr) return;
  Form1->Options.lang = 0;
  Deutsch1->SetChecked(true);
  Form1->ChangeLanguageAll();
}

void TForm21::Englisch1Click(TObject* Sender) {
  if (Form1 == nullptr) return;
  Form1->Options.lang = 1;
  Englisch1->SetChecked(true);
  Form1->ChangeLanguageAll();
}

void TForm21::Info1Click(TObject* Sender) {
  if (Form1 != nullptr) Form1->ShowAboutBox();
}

void TForm21::Optionen1Click(TObject* Sender) {
  if (Form8 != nullptr) Form8->ShowModal();
}

void TForm21::ProgrammOptionen1Click(TObject* Sender) {
  if (Form8 != nullptr) Form8->Show();
}

void TForm21::Werkseinstellungen1Click(TObject* Sender) {
  if (Form1 != nullptr && Form1->AccessGranted() && Form7 != nullptr) Form7->ShowModal();
}

void TForm21::AutomatischeBaudratenerkennung1Click(TObject* Sender) {
  if (Form1 == nullptr) return;
  const bool on = !AutomatischeBaudratenerkennung1->Checked();
  AutomatischeBaudratenerkennung1->SetChecked(on);
  Form1->Options.auto_baud = on ? 1 : 0;
}

void TForm21::Label7Click(TObject* Sender) {
  if (Form1 == nullptr || Form1->SupervisorMode == 0) return;
  const bool on = Form1->ExpertView == 0;
  Form1->ExpertView = on ? 1 : 0;
  Panel2->SetVisible(on);
  for (TMenuItem* item : {N4, LogFunktion1}) {
    item->SetVisible(on);
    item->SetEnabled(on);
  }
  for (TMenuItem* item : {SoftReset1, ResetVD4171, KalibrierungIntern1, KalibrierungExtern1, Admin1, CheckConnect1})
    item->SetVisible(on);
  if (on && (Form1->DeviceType == 1 || Form1->DeviceType == 2)) Inkrementalwerte1->SetVisible(true);
  if (Form22 != nullptr) Form22->Button5->SetVisible(on);
  // The cyclic search of the address window belongs to the expert view.
  if (Form9 != nullptr)
    for (TControl* control : std::initializer_list<TControl*>{Form9->CheckBox17, Form9->Edit1, Form9->Label19})
      control->SetVisible(on);
  if (Form25 != nullptr) Form25->ShowExpertControls(on);
  if (!on) {
    GrossNetMode = 2;
    StatusBar1->SetPanelText(4, "");
    StatusBar1->SetPanelText(1, "");
  }
}

void TForm21::Schnittstelle1Click(TObject* Sender) {
  if (Form1 == nullptr) return;
  TForm1& link = *Form1;
  const int baudRate = link.ComPort1->BaudRate();
  link.ComPort1->ShowSetupDialog(Widget());
  link.CommErrorCount = 0;
  // Another baud rate: the next identification searches it again when automatic detection is on.
  if (link.ComPort1->BaudRate() != baudRate) link.BaudRateFound = 0;
}

void TForm21::Label12Click(TObject* Sender) {
  if (Form1 == nullptr) return;
  Form1->ReadErrorCodes();
  if (Form1->TransferFailed == 0 && Form11 != nullptr) Form11->Show();
}

void TForm21::FormDestroy(TObject* Sender) {}

void TForm21::Image1MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Form1 == nullptr || Form1->SupervisorMode == 0 || (Shift & ssAlt) == 0) return;
  Form1->FlushLink();
  if (ServiceConnected == 1) Button1Click(this);
  Form1->Show();
}
