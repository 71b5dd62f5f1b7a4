// Sending a request telegram: the port is opened afresh for every telegram.
#include "app/link/device_link.h"
#include "platform/serial/com_port.h"
#include "platform/serial/com_port_error.h"

namespace {

// Writes bytes; the count the port reports written (0 when it refused).
int WriteBytes(TComPort& port, const uint8_t* bytes, int count) {
  try {
    if (!port.Connected()) port.Open();
    return port.Write(bytes, count);
  } catch (const EComPort&) {
    return 0;
  }
}

}  // namespace

int DeviceLink::SendTelegram(int address) {
  RequestEntry* entry = CurrentEntry(address);
  if (entry == nullptr) return 1;
  TelegramBytes& t = entry->Telegram;
  t[4] = 0;
  const Framing framing = CurrentFraming();
  if (framing.checksum) StoreTelegramChecksum(t);

  RxCount = 0;
  ReplyReceived = 0;
  TxEmptyFlag = 0;
  RxStxSeen = 0;
  RxFrameComplete = 0;
  DeviceErrorFlag = 0;
  TransferFailed = 0;
  assembler_.Reset();

  activityToggle_ = !activityToggle_;
  Events.Notify([on = activityToggle_](LinkListener& l) { l.SendActivity(on); });

  try {
    if (ComPort1->Connected()) ComPort1->Close();
    ComPort1->Open();
  } catch (const EComPort&) {
    return 1;
  }
  SetPortState(true);
  streamTrace_->Cancel();  // a stream frame not yet shown is older than this exchange
  Events.Notify([](LinkListener& l) { l.ExchangeStarted(); });
  if (t[0] == 0) return 1;
  if (t[2] == CMD_VALUE_STREAM) streamStartSent_ = t[TELEGRAM_HEADER] == 1 && t[TELEGRAM_HEADER + 1] == 0;

  sentBytes_.clear();
  SetSoftTimer(2, SEND_TIMEOUT_MS, 1);
  if (framing.stxEtx) {
    const uint8_t stx = STX;
    if (WriteBytes(*ComPort1, &stx, 1) == 1) sentBytes_.push_back(STX);
  }
  const int body = TelegramBodyLength(t);
  const int written = WriteBytes(*ComPort1, t.data(), body);
  sentBytes_.insert(sentBytes_.end(), t.begin(), t.begin() + written);
  return 0;
}

// The rest of the send once the transmit-empty event has come, or soft
// timer 2 has run out first: 0 when the telegram went out whole.
int DeviceLink::FinishTelegram() {
  SetSoftTimer(2, 0, 0);
  if (TxEmptyFlag == 0) return 1;
  RequestEntry* entry = Requests.Find(current_);
  if (entry == nullptr) return 1;
  const TelegramBytes& t = entry->Telegram;
  const Framing framing = CurrentFraming();
  if (framing.checksum) {
    const uint8_t sum[2] = {t[CHECKSUM_HIGH_INDEX], t[CHECKSUM_LOW_INDEX]};
    sentBytes_.insert(sentBytes_.end(), sum, sum + WriteBytes(*ComPort1, sum, 2));
  }
  if (framing.stxEtx) {
    const uint8_t etx = ETX;
    if (WriteBytes(*ComPort1, &etx, 1) == 1) sentBytes_.push_back(ETX);
  }
  TraceSent(sentBytes_);
  return 0;
}

void DeviceLink::ComPort1TxEmpty(TObject* Sender) {
  // The output buffer has run empty, so there is nothing to purge; purging
  // anyway would drop bytes that a pseudo-terminal's peer has not read yet.
  TxEmptyFlag = 1;
  if (phase_ == LinkPhase::Sending) AdvanceTransaction();
}
