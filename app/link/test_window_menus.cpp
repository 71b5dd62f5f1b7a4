// The test window's menus, buttons and clickable labels, its timers (value
// stream, port retry, bus poll), the trace switch, the soft reset, the
// serial-port events and the closing of the window.
#include <QObject>
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <string>

#include "app/diag/adc_functions.h"
#include "app/diag/address_list.h"
#include "app/diag/external_calibration.h"
#include "app/diag/internal_calibration.h"
#include "app/diag/profibus_test.h"
#include "app/diag/runtime_viewer.h"
#include "app/diag/telegram_tester.h"
#include "app/diag/terminal_window.h"
#include "app/diag/traffic_monitor.h"
#include "app/program/options_dialog.h"
#include "app/link/stream_display.h"
#include "app/link/message_box.h"
#include "app/link/test_window.h"
#include "app/program/text_table.h"
#include "app/service/service_window.h"
#include "app/setup/setup_editor.h"
#include "platform/serial/com_port.h"
#include "platform/serial/com_port_error.h"

namespace {

// Serial-port error events of the whole run; every fifth is reported.
int ComPortErrorCount = 0;
constexpr int kComPortErrorsReported = 5;

// The cyclic bus poll waits at least this long between broadcasts.
constexpr int kMinBusPollMs = 5000;

void ShowWindow(TForm* form) {
  if (form != nullptr) form->Show();
}

}  // namespace

void TForm1::FormActivate(TObject* Sender) {}

void TForm1::FormClose(TObject* Sender, TCloseAction& Action) {
  ResetLink();
  StoreComSettings();
}

void TForm1::B1Click(TObject* Sender) { Close(); }

// ---- Identification buttons.
void TForm1::Button1Click(TObject* Sender) {
  IdentifyDevice();
  ShowDeviceClock();
}

void TForm1::Button22Click(TObject* Sender) { IdentifyDevice(); }

void TForm1::Button6Click(TObject* Sender) { ResetLink(); }

// ---- Windows opened from here.
void TForm1::RS232Parameter1Click(TObject* Sender) { ComPort1->ShowSetupDialog(Widget()); }

void TForm1::RS232Fenster1Click(TObject* Sender) {
  if (RS232Fenster1->Checked()) {
    RS232Fenster1->SetChecked(false);
    if (Form5 != nullptr) Form5->Close();
  } else {
    RS232Fenster1->SetChecked(true);
    ShowWindow(Form5);
  }
}

void TForm1::Button3Click(TObject* Sender) { RS232Fenster1Click(Sender); }

void TForm1::RS232Daten1Click(TObject* Sender) {
  const bool show = !RS232Daten1->Checked();
  RS232Daten1->SetChecked(show);
  Edit1->SetVisible(show);
}

void TForm1::ProgrammOptionen1Click(TObject* Sender) {
  if (Form8 != nullptr) Form8->ShowModal();
}

void TForm1::Verwaltung1Click(TObject* Sender) { ShowWindow(Form9); }
void TForm1::Button7Click(TObject* Sender) { ShowWindow(Form9); }
void TForm1::Setup1Click(TObject* Sender) { ShowWindow(Form3); }
void TForm1::Button4Click(TObject* Sender) { ShowWindow(Form3); }

void TForm1::Intern1Click(TObject* Sender) {
  CalibrationServiceMode = 0;
  ShowWindow(Form6);
}
void TForm1::Button8Click(TObject* Sender) { Intern1Click(Sender); }

void TForm1::Extern1Click(TObject* Sender) {
  CalibrationServiceMode = 0;
  ShowWindow(Form13);
}
void TForm1::Button12Click(TObject* Sender) { Extern1Click(Sender); }

void TForm1::ADCFunktionen1Click(TObject* Sender) { ShowWindow(Form10); }
void TForm1::Button2Click(TObject* Sender) { ShowWindow(Form10); }
void TForm1::Button5Click(TObject* Sender) { ReadErrorCodes(); }
void TForm1::VD417Debug1Click(TObject* Sender) { ShowWindow(Form12); }
void TForm1::Button10Click(TObject* Sender) { ShowWindow(Form12); }
void TForm1::TestProfibus1Click(TObject* Sender) { ShowWindow(Form14); }
void TForm1::Button11Click(TObject* Sender) { ShowWindow(Form14); }
void TForm1::TestRS2321Click(TObject* Sender) { ShowWindow(Form4); }
void TForm1::TestRs232terminal1Click(TObject* Sender) {
  if (Form15 != nullptr) Form15->ComTerminal1->SetComPort(ComPort1);
  ShowWindow(Form15);
}
void TForm1::rtv482Click(TObject* Sender) { ShowWindow(Form21); }
void TForm1::About1Click(TObject* Sender) { ShowAboutBox(); }

// ---- Device commands.
void TForm1::VD417Reset1Click(TObject* Sender) { ResetDevice(); }
void TForm1::Button16Click(TObject* Sender) { ResetDevice(); }

void TForm1::SoftReset1Click(TObject* Sender) {
  SoftResetRequested = 1;
  if (Form21 != nullptr) Form21->RestartAndReconnect();
  SoftResetRequested = 0;
}

void TForm1::ADCReset1Click(TObject* Sender) { QueueRequest(DeviceAddress, CMD_ADC_RESET, nullptr, 0, 0, 1); }
void TForm1::RcksetzenCmd1Click(TObject* Sender) { ResetLink(); }
void TForm1::RcksetzenCmdFail1Click(TObject* Sender) { CommErrorCount = 0; }
void TForm1::RuecksetzenVD417Info1Click(TObject* Sender) { DeviceInfoRead = 0; }

void TForm1::Label3Click(TObject* Sender) { ShowProfibusState(); }

void TForm1::Label15Click(TObject* Sender) {
  SearchDevices();
  ShowWindow(Form9);
}

// ---- The port.
void TForm1::Label19Click(TObject* Sender) {
  if (ComPort1->Connected()) {
    ComPort1->Close();
    SetPortState(false);
    return;
  }
  try {
    ComPort1->Open();
  } catch (const EComPort& error) {
    MessageBoxUntilOk(error.what(), Text(ROW_TITLE_ERROR, Lang()), MB_ICONERROR);
    return;
  }
  SetPortState(true);
}

void TForm1::Timer7Timer(TObject* Sender) {
  try {
    ComPort1->Open();
  } catch (const EComPort&) {
    return;  // tried again at the next tick
  }
  Timer7->SetEnabled(false);
  RS232Parameter1->SetEnabled(true);
  PortUsable = 1;
  StatusBar1->SetPanelText(0, "RS232");
  if (Form21 != nullptr) Form21->StatusBar1->SetPanelText(0, "RS232");
  // The queue opens the port for each telegram.
  ComPort1->ClearBuffer(true, true);
  ComPort1->Close();
}

void TForm1::ComPort1AfterOpen(TObject* Sender) { FindComPortNumber(); }

void TForm1::ComPort1Error(TObject* Sender, int Errors) {
  if (++ComPortErrorCount < kComPortErrorsReported) return;
  ComPortErrorCount = 0;
  ShowUntilOk("ERROR - COM-Port!", ROW_TITLE_ERROR, MB_ICONERROR);
}

// ---- Trace file.
void TForm1::RS232Logging1Click(TObject* Sender) {
  if (RS232Logging1->Checked()) {
    RS232Logging1->SetChecked(false);
    CloseTraceFile();
    Options.rs232_logging = 0;
    return;
  }
  // A trace that cannot be created stays off.
  if (!OpenTraceFile()) return;
  RS232Logging1->SetChecked(true);
  Options.rs232_logging = 1;
}

// ---- Value stream and bus poll.
void TForm1::Timer3Timer(TObject* Sender) {
  // The values of a batch that the port still holds back come in first.
  ComPort1->AnnounceWaiting();
  streamReading_ = TakeStreamValue(StreamRing, StreamIndex, Options.sdcont_avg);
  StreamIndex = streamReading_.index;
  if (Form10 != nullptr) {
    Form10->PerformanceGraph1->DataPoint(clRed, streamReading_.value);
    Form10->PerformanceGraph1->Invalidate();
  }
  streamTexts_->Request();
}

void TForm1::ShowStreamReading() {
  if (Form10 != nullptr) {
    char text[64];
    std::snprintf(text, sizeof text, "%ld", static_cast<long>(streamReading_.value));
    Form10->Label4->SetCaption(text);
    std::snprintf(text, sizeof text, "%.5f",
                  static_cast<double>(MillivoltPerVolt(streamReading_.value, Options.cal_null_pkt, Options.cal_end_pkt)));
    Form10->Label6->SetCaption(text);
  }
  StatusBar1->SetPanelText(7, std::to_string(streamReading_.index));
}

void TForm1::Timer8Timer(TObject* Sender) {
  if (Form9 == nullptr) {
    Timer8->SetEnabled(false);
    return;
  }
  Form9->PollDevices();
  if (!Form9->CheckBox17->Checked()) {
    Timer8->SetEnabled(false);
    return;
  }
  const std::string text = Form9->Edit1->Text();
  int interval = 0;
  std::from_chars(text.data(), text.data() + text.size(), interval);
  Timer8->SetInterval(std::max(interval, kMinBusPollMs));
}
