// Receiving: bytes from the port are gathered into frames; a reply is
// stored for the transaction that awaits it and checked before its answer
// is handled; stream frames feed the stream ring.
#include <algorithm>
#include <cstdio>
#include <utility>

#include "app/link/device_link.h"
#include "app/link/link_utilities.h"
#include "app/link/message_box.h"
#include "app/program/text_table.h"
#include "platform/forms/dialogs.h"
#include "platform/serial/com_port.h"
#include "platform/serial/com_port_error.h"

void DeviceLink::ComPort1RxChar(TObject* Sender, int Count) {
  if (ReceiveDisabled == 1) return;  // the bytes stay in the port
  assembler_.SetFraming(CurrentFraming());
  FollowStreamOption();
  uint8_t chunk[4096];
  bool taken = false;
  bool reset = false;
  Bytes lastStreamFrame;  // the batch's newest stream frame, shown once the batch is framed
  const auto take = [&](FrameAssembler::Frame&& frame) {
    if (frame.stream) {
      // Every frame goes to the ring and the trace file; the boxes show only the
      // newest, as each frame's line replaces the one before.
      if (!lastStreamFrame.empty()) LogReceived(lastStreamFrame, lastStreamFrame);
      StoreStreamValue(frame.bytes);
      lastStreamFrame = std::move(frame.bytes);
      return true;
    }
    if (!lastStreamFrame.empty()) TakeStreamFrame(std::exchange(lastStreamFrame, {}));
    const unsigned resets = resetCount_;
    TakeReply(frame.bytes);
    taken = true;
    reset = resetCount_ != resets;
    return !reset;  // the link was reset: the rest is dropped
  };
  try {
    // The announced characters are read, in pieces that fit the buffer, and
    // framed in one pass; those that come meanwhile make the next event.
    for (int waiting = Count; waiting > 0 && !reset;) {
      const int n = ComPort1->Read(chunk, std::min<int>(waiting, static_cast<int>(sizeof chunk)));
      if (n <= 0) break;
      assembler_.Feed(std::span<const uint8_t>(chunk, static_cast<size_t>(n)), take);
      waiting -= n;
    }
  } catch (const EComPort&) {
    reset = true;  // the port failed: nothing more is gathered now
  }
  if (!lastStreamFrame.empty()) TakeStreamFrame(lastStreamFrame);
  if (!reset && !taken && RxFrameComplete == 0) {
    // A frame being gathered.
    const Bytes& pending = assembler_.Pending();
    RxCount = static_cast<int>(std::min<size_t>(pending.size(), RxBuffer.size()));
    std::copy_n(pending.begin(), RxCount, RxBuffer.begin());
    RxStxSeen = pending.empty() ? 0 : 1;
  }
  // While the value stream runs the port hands over its characters in
  // batches: the display tick takes what waits before it shows a value, so a
  // batch holds back no value that is shown.
  ComPort1->SetRxBatchInterval(assembler_.Mode() == ReceiveMode::Stream ? kStreamBatchMs : 0);
}

void DeviceLink::FollowStreamOption() {
  const bool on = Options.sdcont != 0;
  if (on == streamOptionSeen_) return;
  streamOptionSeen_ = on;
  if (on) {
    assembler_.SetMode(ReceiveMode::Stream);
  } else if (assembler_.Mode() == ReceiveMode::Stream) {
    // The device streams on until it has taken the stop.
    assembler_.SetMode(ReceiveMode::Mixed);
  }
}

void DeviceLink::FollowStreamReply() {
  // The device streams values from its answer to the start on, and ends
  // with its answer to any other value-stream request.
  if (streamStartSent_) {
    if (assembler_.Mode() == ReceiveMode::Replies) assembler_.SetMode(ReceiveMode::Mixed);
  } else if (assembler_.Mode() == ReceiveMode::Mixed) {
    assembler_.SetMode(ReceiveMode::Replies);
  }
}

void DeviceLink::TakeReply(const Bytes& frame) {
  const int address = frame[1];
  if (address > ADDR_GLOBAL) {
    RxCount = 0;
    ResetLink();
    return;
  }
  if (frame[3] == PRESENCE_REPLY) {
    RequestQueues[static_cast<size_t>(address)].Present = 1;
    RxCount = 0;
    return;
  }
  if (frame[3] == (CMD_VALUE_STREAM | REPLY_FLAG)) FollowStreamReply();
  // A transaction takes one reply per send, and only from its own address.
  if (TransactionInProgress() && (address != current_.Address || ReplyReceived != 0)) return;
  const size_t length = std::min(frame.size(), RxBuffer.size());
  std::copy_n(frame.begin(), length, RxBuffer.begin());
  RxStxSeen = 1;
  RxFrameComplete = 1;
  RxCount = static_cast<int>(length) - 2;
  std::copy_n(frame.begin() + 1, RxCount, ReplyBuffer.begin());
  RequestEntry* entry = TransactionInProgress() ? Requests.Find(current_) : Requests.NewestOf(address);
  if (entry != nullptr) {
    entry->Reply.fill(0);
    std::copy_n(ReplyBuffer.begin(), std::min<size_t>(static_cast<size_t>(RxCount), entry->Reply.size()),
                entry->Reply.begin());
  }
  ReplyReceived = 1;
  // The engine goes on from the event loop, outside the port's event.
  if (phase_ == LinkPhase::AwaitingReply) KickTransaction();
}

void DeviceLink::StoreStreamValue(const Bytes& frame) {
  // A value needs bytes 1..4 of the frame.
  if (frame.size() < 5) return;
  if (StreamIndex < 0 || StreamIndex >= STREAM_RING_SIZE) StreamIndex = 0;
  StreamRing[static_cast<size_t>(StreamIndex)] =
      static_cast<int32_t>(ReadBe32(std::span<const uint8_t>(frame).subspan(1, 4)));
  StreamIndex = (StreamIndex + 1) % STREAM_RING_SIZE;
}

void DeviceLink::TakeStreamFrame(const Bytes& frame) {
  RxCount = static_cast<int>(std::min(frame.size(), RxBuffer.size()));
  std::copy_n(frame.begin(), RxCount, RxBuffer.begin());
  TraceStreamFrame();
  RxStxSeen = 0;
  RxFrameComplete = 0;
  ReplyReceived = 0;
  RxCount = 0;
}

void DeviceLink::TraceStreamFrame() {
  const auto count = static_cast<size_t>(std::clamp(RxCount, 0, RX_BUFFER_SIZE));
  const std::span<const uint8_t> frame(RxBuffer.data(), count);
  LogReceived(frame, frame);
  // The boxes show it when the display's frame is over, unless a newer frame or a reply comes first.
  streamTraceFrame_.assign(frame.begin(), frame.end());
  streamTrace_->Request();
}

void DeviceLink::FailRequest(int address) {
  TransferFailed = 1;
  CompleteRequest(address);
}

int DeviceLink::CheckReply(int address) {
  const int count = std::clamp(RxCount, 0, RX_BUFFER_SIZE - 2);
  Bytes copy(ReplyBuffer.begin(), ReplyBuffer.begin() + count);
  TraceReceived(std::span<const uint8_t>(RxBuffer.data(), static_cast<size_t>(count + 2)),
                std::span<const uint8_t>(RxBuffer.data(), static_cast<size_t>(count)), true);
  RequestEntry* entry = CurrentEntry(address);
  if (entry == nullptr) return 0;
  const Framing framing = CurrentFraming();
  const int length = count >= 2 ? copy[1] : 0;
  if (count < 5 || length < 3 || count < ReplyFrameLength(static_cast<uint8_t>(length), framing) - 2) {
    FailRequest(address);  // no room for command, status and data
    return 0;
  }

  bool errorReply = false;
  if (framing.checksum) {
    if (copy[2] == REPLY_ERROR_MARK || copy[3] == REPLY_ERROR_MARK) {
      Events.Notify([](LinkListener& l) { l.DeviceErrorShown(DeviceErrorSign::ErrorMark); });
      DeviceErrorFlag = 1;
      errorReply = true;
    } else {
      const uint16_t sum = ::TelegramChecksum(std::span<const uint8_t>(copy.data(), static_cast<size_t>(length + 2)));
      if (copy[static_cast<size_t>(length + 2)] != (sum >> 8) ||
          copy[static_cast<size_t>(length + 3)] != (sum & 0xFF)) {
        entry->State = 0;
        // Sent again, once: a second mismatch fails the request.
        if (++entry->ChecksumMismatches >= CHECKSUM_MISMATCH_LIMIT) {
          FailRequest(address);
          return 0;
        }
        return 1;
      }
    }
  }

  DeviceStatus = copy[4];
  char status[8];
  std::snprintf(status, sizeof status, "0x%.2X", DeviceStatus);
  Events.Notify([&](LinkListener& l) { l.StatusByteShown(status); });

  if (DeviceStatus & DEVICE_STATUS_DEFAULT_SETUP) {
    if (DefaultSetupWarned == 0)
      ShowUntilOk(ByLanguage(Lang(), "Gerät läuft mit Default-Setup!", "Device uses default setup!"), ROW_TITLE_HINT,
                  MB_ICONINFORMATION);
    DefaultSetupWarned = 1;
  } else {
    DefaultSetupWarned = 0;
  }

  if (DeviceStatus & DEVICE_STATUS_ERROR) {
    Events.Notify([](LinkListener& l) { l.DeviceErrorShown(DeviceErrorSign::StatusBit); });
    DeviceErrorFlag = 1;
    if (lastReplyCommand_ == 0x80 && entry->Command() != CMD_ERROR_CODES && LoopReadActive == 0)
      errorReadWanted_ = true;
  } else if (!errorReply) {
    // An error reply stays an error whatever its status byte says.
    DeviceErrorFlag = 0;
    Events.Notify([](LinkListener& l) { l.DeviceErrorShown(DeviceErrorSign::None); });
  }

  Events.Notify([status = DeviceStatus](LinkListener& l) { l.DeviceStatusReceived(status); });

  lastReplyCommand_ = copy[2];
  if (lastReplyCommand_ == 0x80 && entry->Command() == CMD_CAL_ZERO) lastReplyCommand_ = 0x81;
  if (lastReplyCommand_ == 0x80 && entry->Command() == CMD_CAL_END) lastReplyCommand_ = 0x82;
  if (lastReplyCommand_ == 0x80) {
    ResetLink();
    return 1;
  }
  lastReplyCommand_ &= static_cast<uint8_t>(~REPLY_FLAG);
  bool handle = lastReplyCommand_ == entry->Command() || errorReply;
  if (!handle) {
    entry->State = 0;
    handle = LoopReadActive != 0;
  }
  if (!handle) {
    // A reply for another command: the request goes out once more, then fails.
    if (++entry->WrongCommandReplies >= WRONG_COMMAND_LIMIT) {
      FailRequest(address);
      return 0;
    }
    return 1;
  }
  copy[2] = lastReplyCommand_;
  const int checksumBytes = framing.checksum ? 2 : 0;
  answerDataLength_ = std::min(length - 3, count - 5 - checksumBytes);
  answerTextBytes_ = std::span<const uint8_t>(copy.data() + 5, static_cast<size_t>(count - 5));
  const int result = HandleAnswer(address, lastReplyCommand_, PHASE_ANSWER, copy.data() + 5);
  answerTextBytes_ = {};
  answerDataLength_ = 0;
  return result != 0 ? 1 : 0;
}
