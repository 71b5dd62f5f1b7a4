#include "app/diag/device_request.h"

#include <algorithm>
#include <string>

#include "app/diag/runtime_image.h"
#include "app/link/link_protocol.h"
#include "app/link/test_window.h"

RequestResult SendDeviceRequest(uint8_t command, std::span<const uint8_t> data, RequestKind kind) {
  RequestResult result;
  result.queued = Form1->QueueRequest(Form1->DeviceAddress, command, data.data(), static_cast<int>(data.size()), 0,
                                      kind == RequestKind::SendOnly ? 0 : 1);
  if (!result.queued || kind != RequestKind::Wait) return result;
  // A wait that could not end its requests leaves no reply of them.
  if (!Form1->WaitUntilIdle()) return result;
  result.answered = Form1->TransferFailed == 0 && Form1->ReplyBuffer[2] == (command | REPLY_FLAG);
  return result;
}

std::span<const uint8_t> LastReplyData() {
  // Length byte: command, byte 3, status and the data.
  const int length = std::clamp(Form1->ReplyBuffer[1] - 3, 0, RX_BUFFER_SIZE - 5);
  return std::span<const uint8_t>(Form1->ReplyBuffer).subspan(5, static_cast<size_t>(length));
}

void MakeByteField(TEdit* edit) {
  edit->OnExit = [edit](TObject*) {
    if (!edit->Text().empty()) edit->SetText(std::to_string(ByteFieldValue(edit->Text())));
  };
}

void ShowHint(const char* text) {
  MessageBoxUntilOk(text, "HINWEIS", MB_ICONINFORMATION);
}
