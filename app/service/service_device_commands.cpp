// Single device commands of the service window's menus and hidden buttons:
// clock, load counter, resets, default set-up, backup and restore, the
// Profibus flag, write protection and the continuous value output.
#include <array>
#include <span>
#include <string>

#include "app/link/device_request.h"
#include "app/link/link_protocol.h"
#include "app/link/test_window.h"
#include "app/program/text_table.h"
#include "app/service/clock_telegram.h"
#include "app/service/image_fields.h"
#include "app/service/service_window.h"
#include "app/setup/setup_messages.h"
#include "platform/serial/com_port.h"

namespace {

constexpr int ROW_READ_SETUP_FIRST = 11;
constexpr int ROW_DEFAULT_SETUP_WARNING = 20;
constexpr int ROW_CONT_STARTED = 28;
constexpr int ROW_CONT_STOPPED = 29;
constexpr int ROW_BACKUP_OVERWRITE = 30;
constexpr int ROW_RESTORE_OVERWRITE = 31;
constexpr int ROW_RESTART_DEVICE = 32;
constexpr int ROW_PROFIBUS_OFF = 41;
constexpr int ROW_PROFIBUS_ON = 42;
constexpr int ROW_WRITING_DEFAULTS = 56;
constexpr int ROW_CONT_RUNNING = 58;
constexpr int ROW_BACKUP_WAIT = 59;
constexpr int ROW_RESTORE_WAIT = 60;

constexpr uint8_t kBackupRestore = 1;
constexpr uint8_t kBackupStore = 2;
constexpr uint8_t kLpcProfibusOn = 2;
// The continuous value output of channel 1.
constexpr uint8_t kStreamChannel1 = 1;

// Device types without a clock.
bool HasNoClock(int deviceType) { return deviceType == 4 || deviceType == 5; }

// A request to the device in use, through the link's request step.
RequestResult Send(uint8_t command, std::span<const uint8_t> data, RequestKind kind) {
  return SendRequest(*Form1, command, data, kind);
}

}  // namespace

void TForm21::RTCinVD417stellen1Click(TObject* Sender) {
  if (Form1 == nullptr || HasNoClock(Form1->DeviceType)) return;
  const std::array<uint8_t, 7> clock = ClockTelegramDataNow();
  Send(CMD_SET_CLOCK, clock, RequestKind::NoWait);
}

void TForm21::ResetLKZ1Click(TObject* Sender) {
  if (Form1 != nullptr) Send(CMD_RESET_LOAD_COUNTER, {}, RequestKind::SendOnly);
}

void TForm21::SoftReset1Click(TObject* Sender) {
  if (Form1 == nullptr) return;
  Form1->SoftResetRequested = 1;
  RestartAndReconnect();
  Form1->SoftResetRequested = 0;
}

void TForm21::DefaultSetupinVD4171Click(TObject* Sender) {
  if (DemoMode == 1 || Form1 == nullptr) return;
  if (!AskYesNo(LangText(ROW_DEFAULT_SETUP_WARNING))) return;
  TForm1& link = *Form1;
  Label14->SetCaption(LangText(ROW_WRITING_DEFAULTS));
  link.FlushLink();
  Send(CMD_DEFAULTS_TO_EEPROM, {}, RequestKind::Wait);
  link.SetupPresent = 0;
  RestartAndReconnect();
}

void TForm21::SetupBackup1Click(TObject* Sender) {
  if (DemoMode == 1 || Form1 == nullptr) return;
  TForm1& link = *Form1;
  if (link.SetupBackupPresent == 1 && !AskYesNo(LangText(ROW_BACKUP_OVERWRITE))) return;
  const std::string status = Label14->Caption();
  Label14->SetCaption(LangText(ROW_BACKUP_WAIT));
  const uint8_t store = kBackupStore;
  // A backup the device did not confirm leaves the restore as it was.
  if (Send(CMD_SETUP_BACKUP, {&store, 1}, RequestKind::Wait).answered) SetupRestore1->SetEnabled(true);
  Label14->SetCaption(status);
}

void TForm21::SetupRestore1Click(TObject* Sender) {
  if (DemoMode == 1 || Form1 == nullptr) return;
  TForm1& link = *Form1;
  if (!AskYesNo(LangText(ROW_RESTORE_OVERWRITE))) return;
  const std::string status = Label14->Caption();
  Label14->SetCaption(LangText(ROW_RESTORE_WAIT));
  const uint8_t restore = kBackupRestore;
  Send(CMD_SETUP_BACKUP, {&restore, 1}, RequestKind::Wait);
  if (!AskYesNo(LangText(ROW_RESTART_DEVICE))) {
    Label14->SetCaption(status);
    return;
  }
  // The device holds another set-up now: it is identified and read anew.
  link.SetupPresent = 0;
  IdentifyDone = 0;
  RestartAndReconnect();
}

void TForm21::Profibus1Click(TObject* Sender) {
  if (DemoMode == 1 || Form1 == nullptr) return;
  TForm1& link = *Form1;
  if (link.SetupPresent == 0) {
    ShowUntilOk(LangText(ROW_READ_SETUP_FIRST), ROW_TITLE_HINT, MB_ICONERROR);
    return;
  }
  const bool on = !Profibus1->Checked();
  const SetupImageBytes before = link.SetupImage;
  ImageByte(link.SetupImage, SetupSection::LPC, "active") = on ? kLpcProfibusOn : 0;
  // A refused write leaves the image, the entry and the device as they were.
  if (!WriteSetupSection(before, SetupSection::LPC)) return;
  Profibus1->SetChecked(on);
  ShowProfibusState();
  RestartAndReconnect();
}

void TForm21::ShowProfibusState() {
  Label10->SetCaption(LangText(Profibus1->Checked() ? ROW_PROFIBUS_ON : ROW_PROFIBUS_OFF));
}

void TForm21::SetupROClick(TObject* Sender) {
  if (Form1 == nullptr) return;
  uint8_t& writable = ImageByte(Form1->SetupImage, SetupSection::ADM, "setup");
  const SetupImageBytes before = Form1->SetupImage;
  const bool protect = writable != 0;
  writable = protect ? 0 : 1;
  if (!WriteSetupBytes(before, {{SetupSection::ADM, "setup"}})) return;
  SetupRO->SetChecked(protect);
  Label26->SetVisible(protect);
}

void TForm21::KontModeGewichtswerte1Click(TObject* Sender) {
  if (Form1 == nullptr) return;
  TForm1& link = *Form1;
  if (!KontModeGewichtswerte1->Checked()) {
    if (ServiceConnected == 1) {
      Button1Click(this);
      // No connect until the output is stopped again.
      Button1->SetEnabled(false);
    }
    link.StartContinuousOutput(kStreamChannel1);
    KontModeGewichtswerte1->SetChecked(true);
    Label14->SetCaption(LangText(ROW_CONT_RUNNING));
    if (link.ComPort1->Connected()) link.ComPort1->Close();
    ShowUntilOk(LangText(ROW_CONT_STARTED), ROW_TITLE_HINT, MB_ICONINFORMATION);
    return;
  }
  // The device's frames still on the way are not taken for replies.
  link.ReceiveDisabled = 1;
  link.StopContinuousOutput(kStreamChannel1);
  link.WaitUntilIdle();
  // Once the stop is out, what the stream left in the port is dropped and
  // the link takes replies again, so that the next requests do not fail.
  if (link.ComPort1->Connected()) link.ComPort1->ClearBuffer(true, false);
  link.ReceiveDisabled = 0;
  KontModeGewichtswerte1->SetChecked(false);
  if (!Button1->Enabled()) Button1->SetEnabled(true);
  Label14->SetCaption("");
  ShowUntilOk(LangText(ROW_CONT_STOPPED), ROW_TITLE_HINT, MB_ICONINFORMATION);
}

void TForm21::KontGewichtsmodebeenden1Click(TObject* Sender) {
  if (Form1 == nullptr) return;
  Form1->StopContinuousOutput(kStreamChannel1);
  KontModeGewichtswerte1->SetChecked(false);
  if (!Button1->Enabled()) Button1->SetEnabled(true);
}

void TForm21::Button27Click(TObject* Sender) {
  if (Form1 != nullptr) Send(CMD_DEFAULTS_TO_EEPROM, {}, RequestKind::NoWait);
}

void TForm21::RuntimeClick(TObject* Sender) {
  if (Form1 != nullptr) Send(CMD_RUNTIME_TO_EEPROM, {}, RequestKind::Wait);
}

void TForm21::Button33Click(TObject* Sender) { EraseSetup(0xFF); }

void TForm21::Button34Click(TObject* Sender) { EraseSetup(0x00); }

void TForm21::EraseSetup(uint8_t fill) {
  if (Form1 == nullptr) return;
  Form1->FlushLink();
  const std::array<uint8_t, 3> data{0, 0, fill};
  Send(CMD_SETUP_ERASE, data, RequestKind::SendOnly);
}
