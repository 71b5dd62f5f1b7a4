// The request queue of the link: queueing, waiting, the queue tick, the
// completion and reset of requests, and the program's waits.
#include <QCoreApplication>
#include <QTimer>
#include <algorithm>
#include <vector>

#include "app/link/device_link.h"
#include "app/program/text_table.h"
#include "platform/clock/clock.h"
#include "platform/forms/timer.h"
#include "platform/serial/com_port.h"

namespace {

// The longest a request can stay queued: its tries, repeated after
// checksum and wrong-command replies, and the busy retries.
int64_t RequestBudgetMs(const RequestEntry& e, int leastTimeoutMs) {
  int timeout = e.TimeoutMs > 0 ? e.TimeoutMs : AnswerTimeoutMs(e.Command());
  if (timeout <= 0) timeout = DEFAULT_ANSWER_TIMEOUT_MS;
  timeout = std::max(timeout, leastTimeoutMs);
  const int transactions = 1 + CHECKSUM_MISMATCH_LIMIT + WRONG_COMMAND_LIMIT;
  return static_cast<int64_t>(transactions) * TELEGRAM_TRIES * (SEND_TIMEOUT_MS + SEND_PAUSE_MS + timeout) +
         BUSY_RETRY_LIMIT_MS + SEARCH_LISTEN_MS;
}

}  // namespace

bool DeviceLink::QueueRequest(int address, uint8_t command, const uint8_t* data, int length, int reserved,
                              int awaitAnswer) {
  std::vector<uint8_t> bytes;
  if (length > 0 && data != nullptr) bytes.assign(data, data + std::min(length, MAX_DATA_BYTES + 1));
  // A block write carries its chunk behind the header, added once here so
  // that a request sent again does not grow.
  if (command == CMD_BLOCK_WRITE)
    bytes.insert(bytes.end(), BlockData.begin(), BlockData.begin() + std::min<int>(BlockLength, BLOCK_CHUNK_SIZE));

  const bool badData = length < 0 || (length > 0 && data == nullptr);
  const bool streamRuns = Options.sdcont != 0 && command != CMD_VALUE_STREAM;
  if (PortUsable == 0 || CommErrorCount == COM_ERROR_LIMIT || badData || streamRuns ||
      Requests.CheckRoom(address, static_cast<int>(bytes.size())) != QueueRefusal::None) {
    TransferFailed = 1;
    DeviceErrorFlag = 0;
    lastRefused_ = true;
    return false;
  }
  Timer1->SetEnabled(false);
  lastQueued_ = Requests.Add(address, command, bytes, reserved, awaitAnswer).Sequence;
  if (awaitAnswer != 0) lastAwaitedQueued_ = lastQueued_;
  lastRefused_ = false;
  ShowPendingCount();
  Events.Notify([&](LinkListener& l) { l.StatusFieldShown(LinkStatusField::Address, std::to_string(address)); });
  Timer1->SetInterval(100);
  // A transaction in progress enables the tick when it ends.
  if (!TransactionInProgress()) Timer1->SetEnabled(true);
  return true;
}

bool DeviceLink::WaitUntilIdle() {
  ReplyValid = 0;
  if (PendingCount == 0) return true;
  // Inside the link's handling of a request that request cannot end before
  // this caller returns.
  if (engineDepth_ > 0) return false;
  // The caller's requests: those queued since the enclosing wait began. Its
  // outcome is that of the last of them that awaits an answer, or of the
  // last of them when none does: a send-only request left from an earlier
  // step, which the link serves after the newer one, hides nothing.
  WaitRecord mine;
  mine.after = waits_.empty() ? 0 : waits_.back()->upTo;
  mine.upTo = lastQueued_;
  const bool awaitsAnswer = lastAwaitedQueued_ > mine.after;
  mine.awaited = awaitsAnswer ? lastAwaitedQueued_ : lastQueued_;
  const bool refused = lastRefused_;
  // Registers the wait for the ends of its caller's requests while it runs.
  struct WaitScope {
    std::vector<WaitRecord*>& waits;
    ~WaitScope() { waits.pop_back(); }
  } scope{waits_};
  waits_.push_back(&mine);
  int lastCount = -1;
  int64_t deadline = 0;
  while (PendingCount != 0) {
    if (PendingCount != lastCount) {
      lastCount = PendingCount;
      int64_t budget = SEND_PAUSE_MS + 1000;
      for (int i = 0; i < PendingCount && i < MAX_PENDING; ++i) {
        const PendingRef& ref = Requests.PendingList[static_cast<size_t>(i)];
        if (const RequestEntry* e = Requests.Find(ref))
          budget += RequestBudgetMs(*e, LeastAnswerTimeout ? LeastAnswerTimeout(ref.Address, *e) : 0);
      }
      deadline = NowMs() + budget;
    }
    if (NowMs() > deadline) {
      ResetLink();
      TransferFailed = 1;
      return false;
    }
    PumpOnce(50);
  }
  if (refused) {
    // The caller's last request never went out: its step failed, whatever
    // became of the earlier ones.
    TransferFailed = 1;
    DeviceErrorFlag = 0;
  } else if (mine.ended) {
    TransferFailed = mine.transferFailed;
    DeviceErrorFlag = mine.deviceError;
    ReplyValid = mine.reply.empty() ? 0 : 1;
    std::copy(mine.reply.begin(), mine.reply.end(), ReplyBuffer.begin());
  } else if (awaitsAnswer) {
    // A link reset dropped the request before it ended.
    TransferFailed = 1;
  }
  return true;
}

void DeviceLink::Timer1Timer(TObject* Sender) {
  if (TransactionInProgress()) return;  // one transaction at a time
  if (QueuePaused != 0) return;
  Events.Notify([](LinkListener& l) { l.QueueTicked(); });
  if (PendingCount == 0) {
    TransactionAborted = 0;
    Timer1->SetInterval(500);
    if (ComPort1->Connected() && KeepPortOpen == 0) {
      ComPort1->Close();
      SetPortState(false);
    }
    for (LinkStatusField field : {LinkStatusField::Tick, LinkStatusField::Pending, LinkStatusField::Address,
                                  LinkStatusField::Command, LinkStatusField::Tries})
      Events.Notify([&](LinkListener& l) { l.StatusFieldShown(field, ""); });
    return;
  }
  Events.Notify([](LinkListener& l) { l.ReceivedText(""); });
  stepsLeft_ = 4;
  RunSteps();
}

RequestEntry* DeviceLink::CurrentEntry(int address) {
  if (TransactionInProgress() && current_.Address == address)
    if (RequestEntry* e = Requests.Find(current_)) return e;
  return Requests.NewestOf(address);
}

void DeviceLink::CompleteRequest(int address) {
  if (RequestEntry* e = CurrentEntry(address)) {
    const uint32_t sequence = e->Sequence;
    Requests.Remove(PendingRef{address, sequence});
    NoteRequestEnd(sequence);
  }
  ShowPendingCount();
  for (LinkStatusField field : {LinkStatusField::Address, LinkStatusField::Command, LinkStatusField::Tries})
    Events.Notify([&](LinkListener& l) { l.StatusFieldShown(field, ""); });
}

void DeviceLink::NoteRequestEnd(uint32_t sequence) {
  const bool answered = TransferFailed == 0 && ReplyReceived != 0;
  for (WaitRecord* wait : waits_) {
    if (sequence != wait->awaited) continue;
    wait->ended = true;
    wait->transferFailed = TransferFailed;
    wait->deviceError = DeviceErrorFlag;
    wait->reply.clear();
    if (answered)
      wait->reply.assign(ReplyBuffer.begin(), ReplyBuffer.begin() + std::clamp(RxCount, 0, RX_BUFFER_SIZE));
  }
}

void DeviceLink::ResetLink() {
  Timer1->SetEnabled(false);
  Events.Notify([](LinkListener& l) { l.LinkReset(); });
  Requests.Clear();
  ++resetCount_;
  TransactionAborted = 1;
  ResetReceiveState();
  TxEmptyFlag = 0;
  errorReadWanted_ = false;
  AbortTransaction();
  CloseWaitWindowOfLink();
  Timer1->SetEnabled(true);
}

void DeviceLink::ResetReceiveState() {
  RxCount = 0;
  RxStxSeen = 0;
  RxFrameComplete = 0;
  ReplyReceived = 0;
  assembler_.Reset();
}

void DeviceLink::SetSoftTimer(int id, int ms, int on) {
  if (id != 2) return;
  if (on != 0) {
    SoftTimer2Running = 1;
    Timer2->SetEnabled(false);
    Timer2->SetInterval(std::max(ms, 1));
    Timer2->SetEnabled(true);
  } else {
    SoftTimer2Running = 0;
    Timer2->SetInterval(0);
    Timer2->SetEnabled(false);
  }
}

void DeviceLink::Timer2Timer(TObject* Sender) {
  // A reply that is in the port by now came in time, though its event waits behind this one.
  if (phase_ == LinkPhase::AwaitingReply && ReplyReceived == 0 && ComPort1->Connected()) ComPort1->AnnounceNow();
  SetSoftTimer(2, 0, 0);
  AdvanceTransaction();
}

void DeviceLink::Timer4Timer(TObject* Sender) {
  TransferFailed = 0;
  DeviceErrorFlag = 0;
  CommErrorCount = 0;
  Events.Notify([](LinkListener& l) { l.CommErrorCleared(); });
  Timer4->SetEnabled(false);
}

void DeviceLink::Timer6Timer(TObject* Sender) {
  if (CommErrorCount == 1) CommErrorCount = 0;
}

void DeviceLink::PumpOnce(int maxWaitMs) {
  // Wait for the next event, but not longer than asked.
  QTimer wake;
  wake.setSingleShot(true);
  wake.setTimerType(Qt::PreciseTimer);
  wake.start(static_cast<int>(platform::Clock::ToRealMs(std::max(maxWaitMs, 1))));
  QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

void DeviceLink::WaitMs(int ms) {
  const int64_t start = NowMs();
  do {
    PumpOnce(std::max(1, ms - ElapsedMs(start)));
  } while (ElapsedMs(start) < ms);
}

void DeviceLink::SetPortState(bool open) {
  Events.Notify([open](LinkListener& l) { l.PortStateChanged(open); });
}

void DeviceLink::CloseWaitWindowOfLink() {
  if (!waitWindowShownByLink_) return;
  waitWindowShownByLink_ = false;
  Events.Notify([](LinkListener& l) { l.WaitWindowClosed(); });
}

void DeviceLink::ShowPendingCount() {
  Events.Notify([&](LinkListener& l) { l.StatusFieldShown(LinkStatusField::Pending, std::to_string(PendingCount)); });
}
