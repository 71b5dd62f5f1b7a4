// One transaction of the link: the newest pending request is sent, its
// reply awaited with the command's time-out and a second try, checked and
// handed to the answer handling.
#include <cstdio>

#include "app/diag/address_list.h"
#include "app/link/test_window.h"
#include "app/program/text_table.h"
#include "app/service/service_window.h"

namespace {

// Marks the transaction in progress for as long as it runs.
class TransactionScope {
 public:
  explicit TransactionScope(bool& running) : running_(running) { running_ = true; }
  ~TransactionScope() { running_ = false; }
  TransactionScope(const TransactionScope&) = delete;
  TransactionScope& operator=(const TransactionScope&) = delete;

 private:
  bool& running_;
};

std::string Format(const char* format, int value) {
  char text[160];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

}  // namespace

int TForm1::RunTransaction() {
  if (transactionRunning_) return 0;
  if (PendingCount < 1 || PendingCount > MAX_PENDING) {
    PendingCount = 0;
    return 0;
  }
  int result = 0;
  {
    TransactionScope scope(transactionRunning_);
    current_ = *Requests.Newest();
    const int address = current_.Address;
    RequestEntry* entry = Requests.Find(current_);
    if (entry == nullptr) {
      // A pending reference without its entry: drop it.
      Requests.DropAddress(address);
      return 1;
    }
    if (Options.check_connect == 1 && address != ADDR_GLOBAL && ReportNotConnected(address)) return 0;

    HandleAnswer(address, entry->Command(), PHASE_REQUEST, nullptr);
    char cmd[40];
    std::snprintf(cmd, sizeof cmd, "Cmd: %3dd / %2Xh", entry->Command(), entry->Command());
    StatusBar1->SetPanelText(5, cmd);
    entry->State = 1;
    entry->TriesLeft = TELEGRAM_TRIES;
    TransactionAborted = 0;

    while (entry->TriesLeft > 0) {
      StatusBar1->SetPanelText(6, std::to_string(entry->TriesLeft));
      Repaint();
      Timer1->SetEnabled(false);
      const int sendResult = SendTelegram(address);
      if (TransactionAborted != 0) break;
      if (entry->AwaitAnswer == 0) {
        // Send only, whatever the send's result.
        if (entry->Command() == CMD_RESET) {
          ResetLink();
        } else if (entry->Command() == CMD_SEARCH_DEVICES) {
          ListenForDevices();
        } else {
          CompleteRequest(address);
        }
        Timer1->SetEnabled(true);
        return 0;
      }
      if (sendResult != 0) {
        --entry->TriesLeft;
        continue;
      }
      WaitMs(SEND_PAUSE_MS);
      if (TransactionAborted != 0) break;
      if (entry->TimeoutMs == 0) entry->TimeoutMs = DEFAULT_ANSWER_TIMEOUT_MS;
      SetSoftTimer(2, entry->TimeoutMs, 1);
      awaitingReply_ = true;
      PumpWhileSoftTimer(&TForm1::ReplyArrived);
      awaitingReply_ = false;
      if (ReplyReceived != 0 || TransactionAborted != 0) break;
      --entry->TriesLeft;
    }
    SetSoftTimer(2, 0, 0);
    awaitingReply_ = false;

    if (TransactionAborted != 0) {
      Timer1->SetEnabled(true);
      return 0;
    }
    if (ReplyReceived == 0) {
      LoopReadActive = 0;
      TransferFailed = 1;
      ++CommErrorCount;
      if (CommErrorCount >= COM_ERROR_LIMIT) {
        RaiseCommError(address);
      } else {
        CloseWaitWindowOfLink();
        CompleteRequest(address);
      }
      Timer1->SetEnabled(true);
      return 1;
    }
    CommErrorCount = 0;
    result = CheckReply(address);
    // A request that has ended takes the wait window of its calibration step with it.
    if (Requests.Find(current_) == nullptr) CloseWaitWindowOfLink();
  }
  if (errorReadWanted_) {
    // The error codes after an error reply: queued once the checked request has ended.
    errorReadWanted_ = false;
    const uint8_t read[2] = {1, 0};
    QueueRequest(DeviceAddress, CMD_ERROR_CODES, read, 2, 0, 1);
  }
  Timer1->SetEnabled(true);
  return result != 0 ? 1 : 0;
}

bool TForm1::ReportNotConnected(int address) {
  DeviceQueue& q = RequestQueues[static_cast<size_t>(address)];
  int& reported = NotConnectedReported[static_cast<size_t>(address)];
  if (q.Present != 0) {
    reported = 0;
    return false;
  }
  if (reported != 0) return false;
  Timer1->SetEnabled(false);
  Requests.DropAddress(address);
  ShowUntilOk(Format(ByLanguage(Lang(), "Gerät (Adr: %d) nicht verbunden! -> Abbruch!",
                                "Device (Adr: %d) not connected! -> Cancel!"),
                     address),
              ROW_TITLE_HINT, MB_ICONERROR);
  Timer1->SetEnabled(true);
  reported = 1;
  DeviceSearchOffered = 1;
  if (MessageBox(ByLanguage(Lang(), "Geräte suchen?", "Search devices?"), Text(ROW_TITLE_QUESTION, Lang()),
                 MB_YESNO | MB_ICONQUESTION) == IDYES) {
    if (Form9 != nullptr) Form9->Show();
  } else {
    DeviceSearchOffered = 0;
  }
  return true;
}

void TForm1::RaiseCommError(int address) {
  StatusBar1->SetPanelText(8, "COM-ERR");
  StatusBar1->SetPanelStyle(8, TStatusPanelStyle::psOwnerDraw);
  if (ServiceConnected == 1 && Form21 != nullptr) Form21->Button1Click(nullptr);
  ShowUntilOk(Format(ByLanguage(Lang(), "Kommunikationsfehler PC<->Gerät (Adr.:%d)!",
                                "Communication error PC<->device (Adr.:%d)!"),
                     address),
              ROW_TITLE_ERROR, MB_ICONERROR);
  ResetLink();
  CommErrorCount = 0;
  if (Form21 != nullptr) {
    Form21->Button1->SetEnabled(false);
    Form21->Label14->SetCaption(Text(53, Lang()));
  }
  Timer4->SetEnabled(true);
}

void TForm1::ListenForDevices() {
  if (Form9 != nullptr) {
    Form9->DisableSelectButtons();
    Form9->Label20->SetVisible(true);
    Form9->Button18->SetEnabled(false);
  }
  SetSoftTimer(2, SEARCH_LISTEN_MS, 1);
  while (SoftTimer2Running != 0 && TransactionAborted == 0) PumpOnce(50);
  SetSoftTimer(2, 0, 0);
  CompleteRequest(current_.Address);
  if (Form9 != nullptr) {
    if (PendingCount == 0) {
      Form9->Label20->SetVisible(false);
      Form9->Button18->SetEnabled(true);
      Form9->EnableSelectButtons();
    }
    Form9->ShowDevicePresence();
  }
}
