// The service window's menu entries that open other windows, switch program
// options or switch the window's own modes (demo mode, RS-232 trace), and
// its owner-drawn status panel.
#include "app/diag/adc_functions.h"
#include "app/diag/address_list.h"
#include "app/diag/error_status.h"
#include "app/diag/external_calibration.h"
#include "app/diag/internal_calibration.h"
#include "app/diag/production_check.h"
#include "app/diag/runtime_viewer.h"
#include "app/diag/terminal_window.h"
#include "app/link/test_window.h"
#include "app/params/adc_settings.h"
#include "app/params/dosing_values.h"
#include "app/params/inputs_relays.h"
#include "app/params/weighing_parameters.h"
#include "app/program/text_table.h"
#include "app/service/service_window.h"
#include "app/setup/setup_editor.h"
#include "app/setup/setup_messages.h"

namespace {

constexpr int ROW_READ_SETUP_FIRST = 11;
constexpr int ROW_NOT_AVAILABLE = 27;
constexpr int ROW_DEMO_MODE = 37;

// Pages of the weighing-parameter dialog and the input, encoder and relay dialog.
constexpr int kPageAsBefore = 0;
constexpr int kPageChannel1 = 1;
constexpr int kPageChannel2 = 2;
constexpr int kPageGeneral = 3;
constexpr int kPageInputs = 0;
constexpr int kPageRelays = 1;

void ShowWindow(TForm* form) {
  if (form != nullptr) form->Show();
}

}  // namespace

bool TForm21::HintWithoutSetup() {
  if (Form1 == nullptr || Form1->SetupPresent != 0) return false;
  ShowUntilOk(LangText(ROW_READ_SETUP_FIRST), ROW_TITLE_HINT, MB_ICONERROR);
  return true;
}

// ---- Windows: the visible entries open their dialog also after the hint,
// the hidden ones only with a set-up in the image.
void TForm21::ParameterKanal01Click(TObject* Sender) {
  HintWithoutSetup();
  ParameterPage = kPageAsBefore;
  ShowWindow(Form23);
}

void TForm21::ParameterGlobal10Click(TObject* Sender) {
  if (HintWithoutSetup()) return;
  ParameterPage = kPageGeneral;
  ShowWindow(Form23);
}

void TForm21::ParameterKanal11Click(TObject* Sender) {
  if (HintWithoutSetup()) return;
  ParameterPage = kPageChannel1;
  ShowWindow(Form23);
}

void TForm21::ParameterKanal12Click(TObject* Sender) {
  if (HintWithoutSetup()) return;
  ParameterPage = kPageChannel2;
  ShowWindow(Form23);
}

void TForm21::ParameterExb11Click(TObject* Sender) {
  HintWithoutSetup();
  ExbPage = kPageInputs;
  ShowWindow(Form24);
}

void TForm21::ParameterExb12Click(TObject* Sender) {
  HintWithoutSetup();
  ExbPage = kPageRelays;
  ShowWindow(Form24);
}

void TForm21::ADCEinstellungen1Click(TObject* Sender) {
  if (Form3 != nullptr) Form3->ReadSetupFromDevice();
  if (Form32 != nullptr) Form32->ShowModal();
}

void TForm21::Terminal1Click(TObject* Sender) { ShowWindow(Form15); }

void TForm21::WerteBandwaage1Click(TObject* Sender) { ShowWindow(Form29); }

void TForm21::ProduktionPrfung1Click(TObject* Sender) { ShowWindow(Form28); }

void TForm21::KalibrierungIntern1Click(TObject* Sender) {
  if (Form1 == nullptr) return;
  Form1->FlushLink();
  Form1->CalibrationServiceMode = 1;
  ShowWindow(Form6);
}

void TForm21::KalibrierungExtern1Click(TObject* Sender) {
  if (Form1 == nullptr) return;
  Form1->FlushLink();
  Form1->CalibrationServiceMode = 1;
  ShowWindow(Form13);
}

void TForm21::Debug1Click(TObject* Sender) { ShowWindow(Form12); }

void TForm21::ADCDebug1Click(TObject* Sender) { ShowWindow(Form10); }

void TForm21::Setup1Click(TObject* Sender) { ShowWindow(Form3); }

void TForm21::RS232Data1Click(TObject* Sender) {
  // The same switch as the test window's "RS232-Fenster".
  if (Form1 != nullptr) Form1->RS232Fenster1Click(Sender);
}

void TForm21::ErrorCodes1Click(TObject* Sender) {
  if (Form1 == nullptr) return;
  Form1->ReadErrorCodes();
  ShowWindow(Form11);
}

void TForm21::FlashUpdate1Click(TObject* Sender) {
  ShowUntilOk(LangText(ROW_NOT_AVAILABLE), ROW_TITLE_WARNING, MB_ICONERROR);
}

// ---- Options.
void TForm21::RS2321Click(TObject* Sender) {
  if (Form1 == nullptr) return;
  RS2321->SetChecked(true);
  Edit5->SetEnabled(false);
  Form1->Options.rs485 = 0;
  if (Form9 != nullptr) Form9->Close();
}

void TForm21::RS4851Click(TObject* Sender) {
  if (Form1 == nullptr) return;
  RS4851->SetChecked(true);
  Edit5->SetEnabled(true);
  Form1->Options.rs485 = 1;
  ShowWindow(Form9);
}

void TForm21::CheckConnect1Click(TObject* Sender) {
  if (Form1 == nullptr) return;
  const bool on = !CheckConnect1->Checked();
  CheckConnect1->SetChecked(on);
  Form1->Options.check_connect = on ? 1 : 0;
}

void TForm21::SetuplesenbeiNeuVerbinden1Click(TObject* Sender) {
  if (Form1 == nullptr) return;
  const bool on = !SetuplesenbeiNeuVerbinden1->Checked();
  SetuplesenbeiNeuVerbinden1->SetChecked(on);
  Form1->Options.setup_reconnect = on ? 1 : 0;
}

// ---- Modes.
void TForm21::DemoMode1Click(TObject* Sender) {
  if (!DemoMode1->Checked()) {
    if (ServiceConnected == 1) Button1Click(this);
    DemoMode = 1;
    Label14->SetCaption(LangText(ROW_DEMO_MODE));
    GroupBox1->SetEnabled(true);
    GroupBox2->SetEnabled(true);
    GroupBox2->SetVisible(true);
    DemoMode1->SetChecked(true);
    return;
  }
  DemoMode = 0;
  Label14->SetCaption("");
  DemoMode1->SetChecked(false);
  GroupBox1->SetEnabled(false);
  GroupBox2->SetVisible(false);
}

void TForm21::RS232Logging1Click(TObject* Sender) {
  if (Form1 == nullptr) return;
  TForm1& link = *Form1;
  if (RS232Logging1->Checked()) {
    link.Options.rs232_logging = 0;
    RS232Logging1->SetChecked(false);
    link.RS232Fenster1->SetChecked(false);
    link.CloseTraceFile();
    return;
  }
  // A fresh "rs232_log.txt" with its header; the link writes every telegram into it.
  if (!link.OpenTraceFile()) {
    ShowUntilOk(LangText("Datei \"rs232_log.txt\" kann nicht angelegt werden!", "Cannot create file \"rs232_log.txt\"!"),
                ROW_TITLE_ERROR, MB_ICONERROR);
    return;
  }
  RS232Logging1->SetChecked(true);
  link.RS232Fenster1->SetChecked(true);
  link.Options.rs232_logging = 1;
}

void TForm21::StatusBar1DrawPanel(TStatusBar* StatusBar, TStatusPanel* Panel, const TRect& Rect) {
  TCanvas* canvas = StatusBar->Canvas();
  if (canvas == nullptr) return;
  // Only the panel's own rectangle: the other panels keep their texts.
  canvas->FillRect(Rect);
  canvas->TextRect(Rect, Rect.Left, Rect.Top, StatusBar->Panel(0).Text);
}

void TForm21::FormKeyDown(TObject* Sender, int& Key, TShiftState Shift) {}
void TForm21::Image1Click(TObject* Sender) {}
void TForm21::Image1DblClick(TObject* Sender) {}
void TForm21::Label1Click(TObject* Sender) {}
void TForm21::Label11Click(TObject* Sender) {}

void TForm21::HookMenuHandlers() {
  const std::pair<TMenuItem*, void (TForm21::*)(TObject*)> entries[] = {
      {ParameterKanal01, &TForm21::ParameterKanal01Click},
      {ParameterGlobal10, &TForm21::ParameterGlobal10Click},
      {ParameterKanal11, &TForm21::ParameterKanal11Click},
      {ParameterKanal12, &TForm21::ParameterKanal12Click},
      {ParameterExb11, &TForm21::ParameterExb11Click},
      {ParameterExb12, &TForm21::ParameterExb12Click},
      {ADCEinstellungen1, &TForm21::ADCEinstellungen1Click},
      {Schnittstelle1, &TForm21::Schnittstelle1Click},
      {RS2321, &TForm21::RS2321Click},
      {RS4851, &TForm21::RS4851Click},
      {CheckConnect1, &TForm21::CheckConnect1Click},
      {Terminal1, &TForm21::Terminal1Click},
      {Profibus1, &TForm21::Profibus1Click},
      {KontModeGewichtswerte1, &TForm21::KontModeGewichtswerte1Click},
      {DemoMode1, &TForm21::DemoMode1Click},
      {DefaultSetupinVD4171, &TForm21::DefaultSetupinVD4171Click},
      {RTCinVD417stellen1, &TForm21::RTCinVD417stellen1Click},
      {ResetLKZ1, &TForm21::ResetLKZ1Click},
      {WerteBandwaage1, &TForm21::WerteBandwaage1Click},
      {SoftReset1, &TForm21::SoftReset1Click},
      {SetuplesenbeiNeuVerbinden1, &TForm21::SetuplesenbeiNeuVerbinden1Click},
      {SetupBackup1, &TForm21::SetupBackup1Click},
      {SetupRestore1, &TForm21::SetupRestore1Click},
      {ProduktionPrfung1, &TForm21::ProduktionPrfung1Click},
      {FlashUpdate1, &TForm21::FlashUpdate1Click},
      {KalibrierungIntern1, &TForm21::KalibrierungIntern1Click},
      {KalibrierungExtern1, &TForm21::KalibrierungExtern1Click},
      {Debug1, &TForm21::Debug1Click},
      {ADCDebug1, &TForm21::ADCDebug1Click},
      {Setup1, &TForm21::Setup1Click},
      {SetupRO, &TForm21::SetupROClick},
      {RS232Data1, &TForm21::RS232Data1Click},
      {RS232Logging1, &TForm21::RS232Logging1Click},
      {KontGewichtsmodebeenden1, &TForm21::KontGewichtsmodebeenden1Click},
      {ErrorCodes1, &TForm21::ErrorCodes1Click},
  };
  for (const auto& [item, handler] : entries) item->OnClick = Handler(this, handler);

  for (TLabel* label : {Label12, Label18, Label22, Label35}) label->OnClick = Handler(this, &TForm21::Label12Click);
  Label1->OnClick = Handler(this, &TForm21::Label1Click);
  Label11->OnClick = Handler(this, &TForm21::Label11Click);
  Image1->OnClick = Handler(this, &TForm21::Image1Click);
  Image1->OnDblClick = Handler(this, &TForm21::Image1DblClick);
  OnKeyDown = [this](TObject* sender, int& key, TShiftState shift) { FormKeyDown(sender, key, shift); };
  StatusBar1->SetPanelStyle(0, TStatusPanelStyle::psOwnerDraw);
  StatusBar1->OnDrawPanel = [this](TStatusBar* bar, TStatusPanel* panel, const TRect& rect) {
    StatusBar1DrawPanel(bar, panel, rect);
  };
}
