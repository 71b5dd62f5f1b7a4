#include "app/link/device_request.h"

#include <algorithm>

#include "app/link/device_link.h"
#include "app/link/link_protocol.h"

namespace {

// The reply the wait left is the request's own answer under `rule`. The
// device error is judged from that reply itself: the link's flag also takes
// the reply code of command 0x7F for the error mark.
bool Answered(const DeviceLink& link, uint8_t command, AnswerRule rule) {
  if (link.TransferFailed != 0 || link.ReplyValid == 0) return false;
  const uint8_t replyCommand = link.ReplyBuffer[2];
  // A zero or end calibration may be answered with the bare reply flag;
  // with any other request that reply resets the link.
  if (replyCommand != (command | REPLY_FLAG) && replyCommand != REPLY_FLAG) return false;
  if (link.ReplyBuffer[3] == REPLY_ERROR_MARK) return false;
  return rule == AnswerRule::StatusErrorAllowed || (link.ReplyBuffer[4] & DEVICE_STATUS_ERROR) == 0;
}

}  // namespace

RequestResult SendRequest(DeviceLink& link, uint8_t command, std::span<const uint8_t> data, RequestKind kind,
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
