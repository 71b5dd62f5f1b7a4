// The start of the device link at the main window's first activation, and
// the storing step at the end of the program.
#include <QtGlobal>
#include <algorithm>
#include <initializer_list>
#include <string>

#include "app/diag/address_list.h"
#include "app/link/test_window.h"
#include "app/program/text_table.h"
#include "app/service/service_window.h"
#include "platform/clock/clock.h"
#include "platform/forms/ini_file.h"
#include "platform/serial/com_port.h"
#include "platform/serial/com_port_error.h"

namespace {

// The diagnosis poll never runs faster than this, whatever the options say.
constexpr int kMinimumDiagIntervalMs = 100;

}  // namespace

uint8_t TForm1::StartUp() {
  // Settings and language first: every text shown from here on is in the stored language.
  LoadProgramSettings();
  ChangeLanguageAll();

  PortUsable = 0;
  DeviceIdentified = 0;
  ReceiveDisabled = 0;
  DeviceErrorFlag = 0;
  ExpertView = 0;
  RS232Parameter1->SetEnabled(true);
  if (Form21 != nullptr) Form21->SetuplesenbeiNeuVerbinden1->SetChecked(Options.setup_reconnect == 1);

  for (int i = 0; i < 12; ++i) StatusBar1->SetPanelText(i, "");
  if (Form21 != nullptr)
    for (int i = 0; i < Form21->StatusBar1->PanelCount(); ++i) Form21->StatusBar1->SetPanelText(i, "");
  PageControl1->SetEnabled(true);
  PageControl1->SetActivePageIndex(1);
  RS232Daten1->SetChecked(true);

  // Queues empty; the presence flags keep what the program ini gave them.
  KeepPortOpen = 0;
  Requests.Clear();
  RequestQueues[ADDR_GLOBAL].Present = 1;
  TransactionAborted = 0;
  CommErrorCount = 0;
  SetupPresent = 0;
  SectionRead.fill(0);
  FirmwareTypeMismatch = 0;
  FirmwareSeries0 = 0;
  ShortSdcontList = 0;
  FirmwareBelow106 = 0;

  DeviceAddress = Options.vd417_adr;
  Label16->SetCaption(std::to_string(DeviceAddress));
  Label16->Font().SetColor(clGreen);
  Repaint();
  BaudRateFound = 0;

  const uint8_t result = LoadComSettings();
  platform::Clock::Sleep(500);

  // No identity read yet. Filled with the character, not copied from a literal: GCC 12 at -O2 warns falsely
  // (-Wrestrict) about the copy.
  for (std::string* text :
       {&FirmwareIdText, &FirmwareDateText, &HardwareVersionText, &SerialNumberText, &ProductionDateText, &InfoText})
    text->assign(1, '-');
  DeviceInfoRead = 0;

  for (TControl* control : std::initializer_list<TControl*>{Button2, Button3, Button4, Button5, Button6, Button7,
                                                            Button8, Button9, Button10, Button11, Button12, Button16,
                                                            Label27, Edit1, GroupBox1})
    control->SetVisible(true);
  RS232Daten1->SetVisible(true);
  RS232Daten1->SetChecked(true);

  DeviceType = 0;
  SoftResetRequested = 0;
  DeviceSearchOffered = 0;
  NotConnectedReported.fill(0);

  if (Options.start_brdcast == 1) {
    SearchDevices();
    if (Form9 != nullptr) Form9->Show();
  }
  if (Options.get_diag == 1) {
    Timer5->SetInterval(std::max(Options.diag_interval, kMinimumDiagIntervalMs));
    Timer5->SetEnabled(true);
  }
  if (Options.rs232_logging == 1) {
    // A trace file that cannot be created leaves the trace off.
    const bool open = OpenTraceFile();
    RS232Logging1->SetChecked(open);
  }

  if (Form21 != nullptr) {
    if (Options.rs485 == 0) {
      Form21->RS2321->SetChecked(true);
      Form21->Edit5->SetEnabled(false);
    } else if (Options.rs485 == 1) {
      Form21->RS4851->SetChecked(true);
      Form21->Edit5->SetEnabled(true);
    }
    Form21->CheckConnect1->SetChecked(Options.check_connect == 1);
  }
  if (Form9 != nullptr) {
    Form9->ShowDevicePresence();
    Form9->ShowCurrentAddress();
  }
  // The connection check stays off for the run unless a window switches it on again.
  Options.check_connect = 0;
  if (Form21 != nullptr) {
    Form21->CheckConnect1->SetVisible(false);
    if (Options.button_tar_null == 0) {
      Form21->Nullung1->SetChecked(true);
      Form21->Button5->SetCaption("> 0 <");
      Form21->Button7->SetCaption("> 0 <");
    } else if (Options.button_tar_null == 1) {
      Form21->Tarierung1->SetChecked(true);
      Form21->Button5->SetCaption("T");
      Form21->Button7->SetCaption("T");
    }
    // Any language byte other than 1 shows German.
    if (Options.lang == 1)
      Form21->Englisch1->SetChecked(true);
    else
      Form21->Deutsch1->SetChecked(true);
    Form21->InputSignalShown = 0;
  }
  return result;
}

void TForm1::StoreComSettings() {
  if (SettingsStored == 1) return;
  const int lang = Lang();
  // The trace ends with the file: nothing is written to a closed file.
  if (Options.rs232_logging == 1 && Rs232LogFile) CloseTraceFile();
  try {
    SaveProgramSettings();
  } catch (const EIniFileException& e) {
    MessageBox(e.what(), Text(ROW_TITLE_ERROR, lang), MB_OK | MB_ICONERROR);
  }
  try {
    ComPort1->StoreSettings();
  } catch (const EComPort& e) {
    qWarning("%s", e.what());
    MessageBox(Text(440, lang), Text(ROW_TITLE_ERROR, lang), MB_OK | MB_ICONINFORMATION);
  }
  if (PortUsable == 1 && ComPort1->Connected()) ComPort1->Close();
  SettingsStored = 1;
}
