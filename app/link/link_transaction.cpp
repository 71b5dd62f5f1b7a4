// One transaction of the link: the newest pending request is sent, its
// reply awaited with the command's time-out and a second try, checked and
// handed to the answer handling.
//
// The transaction runs as a chain of short steps, each started by an event:
// the queue tick starts it and sends, the port's transmit-empty event ends
// the send and starts the pause, the pause's end starts the answer wait, a
// reply or soft timer 2 ends it. Between the steps the transaction holds no
// stack, so a handler that runs meanwhile (a click, a polling tick) can
// queue its own request and wait for it while the engine moves on.
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <functional>

#include "app/link/device_link.h"
#include "app/link/link_utilities.h"
#include "app/link/message_box.h"
#include "app/program/text_table.h"
#include "platform/clock/clock.h"
#include "platform/forms/dialogs.h"
#include "platform/forms/timer.h"

namespace {

// Marks engine code on the stack for as long as it runs.
class EngineScope {
 public:
  explicit EngineScope(int& depth) : depth_(depth) { ++depth_; }
  ~EngineScope() { --depth_; }
  EngineScope(const EngineScope&) = delete;
  EngineScope& operator=(const EngineScope&) = delete;

 private:
  int& depth_;
};

}  // namespace

void DeviceLink::SetUpTransactionTimers() {
  pauseTimer_ = new QTimer(timers_.get());
  pauseTimer_->setSingleShot(true);
  pauseTimer_->setTimerType(Qt::PreciseTimer);
  QObject::connect(pauseTimer_, &QTimer::timeout, timers_.get(),
                   [this] { FireEvent(std::function<void()>([this] { PauseTimerTimer(); })); });
  kick_ = new QTimer(timers_.get());
  kick_->setSingleShot(true);
  kick_->setInterval(0);
  QObject::connect(kick_, &QTimer::timeout, timers_.get(),
                   [this] { FireEvent(std::function<void()>([this] { AdvanceTransaction(); })); });
}

void DeviceLink::RunSteps() {
  while (stepsLeft_ > 0 && !TransactionInProgress()) {
    --stepsLeft_;
    if (RunTransaction() == 0) return;
  }
}

int DeviceLink::RunTransaction() {
  if (TransactionInProgress()) return 0;
  if (PendingCount < 1 || PendingCount > MAX_PENDING) {
    PendingCount = 0;
    return 0;
  }
  EngineScope scope(engineDepth_);
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
  Events.Notify([&](LinkListener& l) { l.StatusFieldShown(LinkStatusField::Command, std::string(cmd)); });
  entry->State = 1;
  entry->TriesLeft = TELEGRAM_TRIES;
  TransactionAborted = 0;
  return SendTry();
}

void DeviceLink::AdvanceTransaction() {
  if (engineDepth_ > 0) return;  // the step on the stack moves on when it returns
  int more = 0;
  {
    EngineScope scope(engineDepth_);
    switch (phase_) {
      case LinkPhase::Sending:
        if (TxEmptyFlag != 0 || SoftTimer2Running == 0) more = SendEnded(FinishTelegram() == 0);
        break;
      case LinkPhase::Pausing:
        if (NowMs() >= pauseEndsMs_) more = StartReplyWait();
        break;
      case LinkPhase::AwaitingReply:
        if (ReplyReceived != 0) more = ReplyStep();
        else if (SoftTimer2Running == 0) more = TryWithoutReply();
        break;
      case LinkPhase::Listening:
        if (SoftTimer2Running == 0) more = EndListening();
        break;
      case LinkPhase::Idle:
        break;
    }
  }
  if (more != 0) RunSteps();
}

void DeviceLink::KickTransaction() {
  if (!kick_->isActive()) kick_->start();
}

void DeviceLink::PauseTimerTimer() {
  if (phase_ != LinkPhase::Pausing) return;
  // A timer may end a little early on the program clock: the rest is waited for.
  if (const int64_t left = pauseEndsMs_ - NowMs(); left > 0) {
    pauseTimer_->start(static_cast<int>(platform::Clock::ToRealMs(left)));
    return;
  }
  AdvanceTransaction();
}

int DeviceLink::SendTry() {
  RequestEntry* entry = Requests.Find(current_);
  if (entry == nullptr) return 0;
  Events.Notify([tries = entry->TriesLeft](LinkListener& l) { l.SendTried(tries); });
  Timer1->SetEnabled(false);
  phase_ = LinkPhase::Sending;
  tryLeastTimeoutMs_ = LeastAnswerTimeout ? LeastAnswerTimeout(current_.Address, *entry) : 0;
  if (SendTelegram(current_.Address) != 0) return SendEnded(false);
  return 0;
}

int DeviceLink::SendEnded(bool sent) {
  SetSoftTimer(2, 0, 0);
  RequestEntry* entry = Requests.Find(current_);
  if (entry == nullptr) {
    phase_ = LinkPhase::Idle;
    Timer1->SetEnabled(true);
    return 0;
  }
  if (entry->AwaitAnswer == 0) {
    // Send only, whatever the send's result.
    phase_ = LinkPhase::Idle;
    if (entry->Command() == CMD_RESET) {
      ResetLink();
    } else if (entry->Command() == CMD_SEARCH_DEVICES) {
      return StartListening();
    } else {
      CompleteRequest(current_.Address);
    }
    Timer1->SetEnabled(true);
    return 0;
  }
  if (!sent) return TryWithoutReply();
  phase_ = LinkPhase::Pausing;
  pauseEndsMs_ = NowMs() + SEND_PAUSE_MS;
  pauseTimer_->start(static_cast<int>(platform::Clock::ToRealMs(SEND_PAUSE_MS)));
  return 0;
}

int DeviceLink::StartReplyWait() {
  RequestEntry* entry = Requests.Find(current_);
  if (entry == nullptr) return 0;
  if (entry->TimeoutMs == 0) entry->TimeoutMs = DEFAULT_ANSWER_TIMEOUT_MS;
  SetSoftTimer(2, std::max(entry->TimeoutMs, tryLeastTimeoutMs_), 1);
  phase_ = LinkPhase::AwaitingReply;
  // A reply that came during the pause is taken at once.
  if (ReplyReceived != 0) return ReplyStep();
  return 0;
}

int DeviceLink::TryWithoutReply() {
  RequestEntry* entry = Requests.Find(current_);
  if (entry == nullptr) return 0;
  if (--entry->TriesLeft > 0) return SendTry();
  return NoReply();
}

int DeviceLink::NoReply() {
  SetSoftTimer(2, 0, 0);
  phase_ = LinkPhase::Idle;
  const int address = current_.Address;
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

int DeviceLink::ReplyStep() {
  SetSoftTimer(2, 0, 0);
  phase_ = LinkPhase::Idle;
  CommErrorCount = 0;
  const int result = CheckReply(current_.Address);
  // A request that has ended takes the wait window of its calibration step with it.
  if (Requests.Find(current_) == nullptr) CloseWaitWindowOfLink();
  QueueWantedErrorRead();
  Timer1->SetEnabled(true);
  return result != 0 ? 1 : 0;
}

void DeviceLink::QueueWantedErrorRead() {
  if (!errorReadWanted_) return;
  // The error codes after an error reply: queued once the checked request has ended.
  errorReadWanted_ = false;
  const uint8_t read[2] = {1, 0};
  QueueRequest(DeviceAddress, CMD_ERROR_CODES, read, 2, 0, 1);
}

void DeviceLink::AbortTransaction() {
  const LinkPhase was = phase_;
  phase_ = LinkPhase::Idle;
  pauseTimer_->stop();
  if (was != LinkPhase::Idle) SetSoftTimer(2, 0, 0);
  if (was == LinkPhase::Listening) ShowSearchEnd();
}

bool DeviceLink::ReportNotConnected(int address) {
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
    Events.Notify([](LinkListener& l) { l.DeviceSearchAccepted(); });
  } else {
    DeviceSearchOffered = 0;
  }
  return true;
}

void DeviceLink::RaiseCommError(int address) {
  Events.Notify([](LinkListener& l) { l.CommErrorRaised(); });
  ShowUntilOk(Format(ByLanguage(Lang(), "Kommunikationsfehler PC<->Gerät (Adr.:%d)!",
                                "Communication error PC<->device (Adr.:%d)!"),
                     address),
              ROW_TITLE_ERROR, MB_ICONERROR);
  ResetLink();
  CommErrorCount = 0;
  Events.Notify([text = std::string(Text(53, Lang()))](LinkListener& l) { l.CommErrorShown(text); });
  Timer4->SetEnabled(true);
}

// The listening window of the device search: the presence replies mark
// their addresses while soft timer 2 runs.
int DeviceLink::StartListening() {
  Events.Notify([](LinkListener& l) { l.SearchListening(); });
  SetSoftTimer(2, SEARCH_LISTEN_MS, 1);
  phase_ = LinkPhase::Listening;
  return 0;
}

int DeviceLink::EndListening() {
  SetSoftTimer(2, 0, 0);
  phase_ = LinkPhase::Idle;
  CompleteRequest(current_.Address);
  ShowSearchEnd();
  Timer1->SetEnabled(true);
  return 0;
}

void DeviceLink::ShowSearchEnd() {
  Events.Notify([idle = PendingCount == 0](LinkListener& l) { l.SearchEnded(idle); });
}
