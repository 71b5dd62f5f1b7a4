#include "app/link/device_link.h"

#include "app/link/link_utilities.h"
#include "app/link/message_box.h"
#include "platform/clock/clock.h"
#include "platform/forms/timer.h"
#include "platform/serial/com_port.h"

DeviceLink::DeviceLink() : timers_(std::make_unique<TComponent>(nullptr)), comPort_(std::make_unique<TComPort>()) {
  SetUpTransactionTimers();
  Timer1 = NewNamedTimer(timers_.get(), "Timer1", 333, true);
  Timer1->OnTimer = [this](TObject* sender) { Timer1Timer(sender); };
  Timer2 = NewNamedTimer(timers_.get(), "Timer2", 0, false);
  Timer2->OnTimer = [this](TObject* sender) { Timer2Timer(sender); };
  streamTrace_ = std::make_unique<PacedWrite>(timers_.get(), kDisplayFrameMs, [this] { ShowStreamTrace(); });
  Timer4 = NewNamedTimer(timers_.get(), "Timer4", 2000, false);
  Timer4->OnTimer = [this](TObject* sender) { Timer4Timer(sender); };
  Timer6 = NewNamedTimer(timers_.get(), "Timer6", 7500, true);
  Timer6->OnTimer = [this](TObject* sender) { Timer6Timer(sender); };

  ComPort1 = comPort_.get();
  ComPort1->OnRxChar = [this](TObject* sender, int count) { ComPort1RxChar(sender, count); };
  ComPort1->OnTxEmpty = [this](TObject* sender) { ComPort1TxEmpty(sender); };
}

DeviceLink::~DeviceLink() {
  // The port's events must not reach a link that is going away.
  ComPort1->OnRxChar = nullptr;
  ComPort1->OnTxEmpty = nullptr;
  ComPort1->OnAfterOpen = nullptr;
  ComPort1->OnError = nullptr;
  ComPort1->Close();
  // A trace still running keeps what it holds.
  CloseTraceFile();
}

void DeviceLink::ShowUntilOk(const std::string& text, int titleRow, unsigned icon) const {
  ::ShowUntilOk(text, titleRow, icon, Lang());
}

uint32_t DeviceLink::SwapInt32(uint32_t value) { return ::SwapInt32(value); }
uint16_t DeviceLink::SwapInt16(uint16_t value) { return ::SwapInt16(value); }
float DeviceLink::SwapFloat(uint32_t pattern) { return ::SwapFloat(pattern); }
int DeviceLink::RoundToInt(float x) { return ::RoundToInt(x); }
uint32_t DeviceLink::HexTextToValue(const std::string& text) { return ::HexTextToValue(text); }
std::string DeviceLink::FormatNow(const char* format) { return ::FormatNow(format); }

uint16_t DeviceLink::TelegramChecksum(const uint8_t* bytes, int count) {
  if (bytes == nullptr || count <= 0) return 0xFFFF;
  return ::TelegramChecksum(std::span<const uint8_t>(bytes, static_cast<size_t>(count)));
}

int64_t DeviceLink::NowMs() { return platform::Clock::NowMs(); }

int DeviceLink::ElapsedMs(int64_t startMs) {
  const int64_t elapsed = platform::Clock::NowMs() - startMs;
  return static_cast<int>(elapsed < 0 ? -elapsed : elapsed);
}
