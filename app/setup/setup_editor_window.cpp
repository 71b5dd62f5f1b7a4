// The set-up editor as a window: its activation, the choice of the device's
// set-up copy, the toolbar and the device commands of its pages.
#include <initializer_list>
#include <vector>

#include "app/diag/factory_admin.h"
#include "app/link/device_request.h"
#include "app/link/test_window.h"
#include "app/program/text_table.h"
#include "app/service/service_window.h"
#include "app/setup/default_setup.h"
#include "app/setup/setup_editor.h"
#include "app/setup/setup_messages.h"
#include "app/setup/setup_transfer_plan.h"

int SetupQueryDone = 0;

namespace {

constexpr int kRowDefaultSetupLoaded = 369;
constexpr int kRowFirmwareIncompatible = 370;
// The "Setup" panel of the test window's status bar.
constexpr int kTestWindowSetupPanel = 9;

// Queues one request for the current device; with `wait` the caller waits
// until it was answered or given up.
RequestResult Command(uint8_t command, std::initializer_list<uint8_t> data, bool wait = false) {
  const std::vector<uint8_t> bytes(data);
  return SendRequest(*Form1, command, bytes, wait ? RequestKind::Wait : RequestKind::NoWait);
}

void ShowSetupPanel(const char* text) {
  if (Form1->StatusBar1->PanelCount() > kTestWindowSetupPanel)
    Form1->StatusBar1->SetPanelText(kTestWindowSetupPanel, text);
}

}  // namespace

bool TForm3::QueryActiveSetup() {
  auto show = [&](const char* label, TColor colour, const char* panel) {
    Label133->SetCaption(label);
    Label133->Font().SetColor(colour);
    ShowSetupPanel(panel);
  };
  // Only the device's own answer to this query names the active copy; a
  // device that holds error codes still names it.
  const uint8_t query = 1;
  const bool answered = SendRequest(*Form1, CMD_SETUP_SELECT, std::span<const uint8_t>(&query, 1), RequestKind::Wait,
                                    AnswerRule::StatusErrorAllowed)
                            .answered;
  if (!answered) {
    show("FAIL", clRed, "FAIL");
    return false;
  }
  ActiveSetup = Form1->ReplyBuffer[5];
  switch (ActiveSetup) {
    case 0:
      SetupBase = SETUP_BASE_1;
      show("SETUP 1", clGreen, "SETUP1");
      break;
    case 1:
      SetupBase = SETUP_BASE_2;
      show("SETUP 2", clGreen, "SETUP2");
      break;
    case 2:
      SetupBase = SETUP_BASE_1;
      show("DEFAULT (SET1)", clGreen, "DEFAULT (SET1)");
      ShowUntilOk(LangText(kRowDefaultSetupLoaded), ROW_TITLE_HINT, MB_ICONINFORMATION);
      break;
    default:
      SetupBase = SETUP_BASE_1;
      show("FAIL", clRed, "FAIL");
      break;
  }
  return true;
}

void TForm3::ActivateWindow(TObject*) {
  if (Form1->FirmwareType == 1) {
    ShowUntilOk(LangText(kRowFirmwareIncompatible), ROW_TITLE_HINT, MB_ICONINFORMATION);
    return;
  }
  // The query runs once per opening; a transfer of this window that is
  // still running keeps the link to itself.
  if (SetupQueryDone == 1 || transferRunning_) return;
  // Requests that other windows (the service window's polling) still wait
  // for are answered first, never dropped: the link is reset only when
  // nothing is pending, and the query then goes through the queue.
  Form1->WaitUntilIdle();
  if (Form1->PendingCount == 0) Form1->ResetLink();
  SetupQueryDone = 1;
  QueryActiveSetup();
}

void TForm3::FormClose(TObject*, TCloseAction&) { SetupQueryDone = 0; }

void TForm3::ENDEClick(TObject*) {
  for (TEdit* edit : {Edit85, Edit86, Edit87, Edit88}) {
    edit->SetEnabled(false);
    edit->SetReadOnly(true);
  }
  Button52->SetEnabled(false);
  Button53->SetEnabled(false);
  Close();
}

void TForm3::Button4Click(TObject*) { LoadSetupFile(); }

void TForm3::Button3Click(TObject*) { SaveSetupFile(); }

void TForm3::Button5Click(TObject*) {
  if (transferRunning_) return;
  if (Form1->DeviceIdentified == 0) Form1->IdentifyDevice();
  ReadSetupFromDevice();
}

void TForm3::Button6Click(TObject*) {
  if (Form1->SetupPresent == 0) {
    ShowUntilOk(LangText(ROW_READ_SETUP_FIRST), ROW_TITLE_HINT, MB_ICONERROR);
    return;
  }
  WriteSetupToDevice();
}

void TForm3::Button35Click(TObject*) {
  // The copy never changes under a running transfer.
  if (transferRunning_) return;
  const uint8_t data[2] = {2, 0};
  Form1->QueueRequest(Form1->DeviceAddress, CMD_SETUP_SELECT, data, 2, 0, 0);
  ActiveSetup = 0;
  SetupBase = SETUP_BASE_1;
  Label133->SetCaption("SETUP 1");
  Label133->Font().SetColor(clGreen);
}

void TForm3::Button36Click(TObject*) {
  if (transferRunning_) return;
  const uint8_t data[2] = {2, 1};
  Form1->QueueRequest(Form1->DeviceAddress, CMD_SETUP_SELECT, data, 2, 0, 0);
  ActiveSetup = 1;
  SetupBase = SETUP_BASE_2;
  Label133->SetCaption("SETUP 2");
  Label133->Font().SetColor(clGreen);
}

void TForm3::Button54Click(TObject*) {
  Form1->SoftResetRequested = 1;
  if (Form21 != nullptr) Form21->RestartAndReconnect();
  Form1->SoftResetRequested = 0;
}

void TForm3::Button37Click(TObject*) { Form1->ResetDevice(); }

void TForm3::Button22Click(TObject*) {
  if (transferRunning_) return;
  using enum SetupSection;
  for (SetupSection section : {GBL, LPC, ADC, WKG0, WKG1, WKS, CHN0, CHN1, EXB, MSC, ADM}) {
    LoadDefaultSection(Form1->SetupImage, section);
    ShowSection(section);
  }
  Form1->SetupPresent = 1;
}

void TForm3::Button25Click(TObject*) {
  if (Form1->AccessGranted() && Form7 != nullptr) Form7->ShowModal();
}

void TForm3::Button13Click(TObject*) { Command(CMD_SETUP_CHECKSUM, {1}); }
void TForm3::Button11Click(TObject*) { Command(CMD_SETUP_CHECKSUM, {2}); }
void TForm3::Button12Click(TObject*) { Command(CMD_SETUP_CHECKSUM_TEST, {}); }

void TForm3::Button18Click(TObject*) {
  Form1->ResetLink();
  Command(CMD_RESET, {});
}

void TForm3::Button20Click(TObject*) { Command(CMD_DEFAULTS_TO_EEPROM, {}); }
void TForm3::Button21Click(TObject*) { Command(CMD_RUNTIME_TO_EEPROM, {}); }
void TForm3::Button45Click(TObject*) { Command(CMD_DEFAULTS_TO_EEPROM, {}); }

void TForm3::Button57Click(TObject*) {
  // Only a backup that the device confirmed can be restored.
  if (Command(CMD_SETUP_BACKUP, {2}, true).answered) Button58->SetEnabled(true);
}

void TForm3::Button58Click(TObject*) { Command(CMD_SETUP_BACKUP, {1}, true); }
void TForm3::Button7Click(TObject*) { Command(CMD_LOAD_DEFAULTS, {}); }
void TForm3::Button9Click(TObject*) { Command(CMD_LOAD_EEPROM, {}); }

void TForm3::Button10Click(TObject*) {
  if (RadioButton1->Checked())
    Command(CMD_SETUP_ACTIVE, {1});
  else if (RadioButton2->Checked())
    Command(CMD_SETUP_ACTIVE, {0});
  else
    Command(CMD_SETUP_ACTIVE, {});
}
