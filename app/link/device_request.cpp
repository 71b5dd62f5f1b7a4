#include "app/link/device_request.h"

#include <algorithm>

#include "app/link/link_protocol.h"
#include "app/link/test_window.h"

namespace {

// The reply the wait left is the request's own answer under `rule`. The
// device error is judged from that reply itself: the link's flag also takes
// the reply code of command 0x7F for the error mark.
bool Answered(const TForm1& link, uint8_t command, AnswerRule rule) {
  if (link.TransferFailed != 0 || link.ReplyValid == 0) return false;
  const uint8_t replyCommand = link.ReplyBuffer[2];
  // A zero or end calibration may be answered with the bare reply flag;
  // with any other request that reply resets the link.
  if (replyCommand != (command | REPLY_FLAG) && replyCommand != REPLY_FLAG) return false;
  if (link.ReplyBuffer[3] == REPLY_ERROR_MARK) return false;
  return rule == AnswerRule::StatusErrorAllowed || (link.ReplyBuffer[4] & DEVICE_STATUS_ERROR) == 0;
}

}  // namespace

RequestResult SendRequest(TForm1& link, uint8_t command, std::span<const uint8_t> data, RequestKind kind,
                          AnswerRule rule) {
  RequestResult result;
  const bool awaited = kind == RequestKind::Wait || kind == RequestKind::NoWait;
  result.queued =
      link.QueueRequest(link.DeviceAddress, command, data.data(), static_cast<int>(data.size()), 0, awaited ? 1 : 0);
  if (!result.queued || kind == RequestKind::NoWait || kind == RequestKind::SendOnly) return result;
  // A wait that could not end its requests leaves no reply of them.
  if (!link.WaitUntilIdle()) return result;
  result.answered = kind == RequestKind::Wait ? Answered(link, command, rule) : link.TransferFailed == 0;
  return result;
}

RequestResult SendDeviceRequest(uint8_t command, std::span<const uint8_t> data, RequestKind kind) {
  if (Form1 == nullptr) return {};
  return SendRequest(*Form1, command, data, kind);
}

std::span<const uint8_t> LastReplyData() {
  // Length byte: command, byte 3, status and the data.
  const int length = std::clamp(Form1->ReplyBuffer[1] - 3, 0, RX_BUFFER_SIZE - 5);
  return std::span<const uint8_t>(Form1->ReplyBuffer).subspan(5, static_cast<size_t>(length));
}
