// The program's link, Form1, and what reaches it without being handed it:
// the subscription of the windows, the windows' device requests and the
// message boxes in the program's language.
#include <algorithm>

#include "app/diag/adc_functions.h"
#include "app/diag/address_list.h"
#include "app/diag/profibus_test.h"
#include "app/diag/traffic_monitor.h"
#include "app/link/device_request.h"
#include "app/link/message_box.h"
#include "app/link/test_window.h"
#include "app/link/wait_window.h"
#include "app/service/service_window.h"
#include "app/setup/setup_editor.h"

TForm1* Form1 = nullptr;

void TForm1::SubscribeWindows() {
  // The test window first: it showed the link's state before the other windows did.
  Events.Subscribe(this);
  for (LinkListener* window : std::initializer_list<LinkListener*>{Form21, Form16, Form10, Form9, Form5, Form14, Form3})
    Events.Subscribe(window);
}

void SubscribeToLink(LinkListener* window) {
  if (Form1 != nullptr) Form1->Events.Subscribe(window);
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

void ShowUntilOk(const std::string& text, int titleRow, unsigned icon) {
  ShowUntilOk(text, titleRow, icon, Form1 != nullptr ? Form1->Options.lang : 0);
}
