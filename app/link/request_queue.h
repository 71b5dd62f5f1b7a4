#pragma once
// The request queues of the link: eight entries per device address and the
// list of pending requests in queueing order. The request queued last is
// served first.
#include <array>
#include <cstdint>
#include <span>

#include "app/link/link_protocol.h"
#include "app/link/telegram.h"

struct RequestEntry {
  int State = 0;  // 1 while a transaction works on it
  TelegramBytes Telegram{};
  std::array<uint8_t, TELEGRAM_SIZE> Reply{};  // the reply without STX/ETX
  int TimeoutMs = 0;                           // answer time-out; 0: the command's own
  int Reserved = 0;                            // kept for the callers, never read
  int TriesLeft = 0;
  int AwaitAnswer = 0;  // 0: send only
  // Bookkeeping of the retry rules, per request.
  uint32_t Sequence = 0;
  int ChecksumMismatches = 0;
  int WrongCommandReplies = 0;
  int64_t BusySinceMs = -1;  // program time of the first busy answer

  uint8_t Command() const { return Telegram[2]; }
  int DataLength() const { return Telegram[1] >= 3 ? Telegram[1] - 3 : 0; }
  std::span<const uint8_t> Data() const {
    return std::span<const uint8_t>(Telegram).subspan(TELEGRAM_HEADER, static_cast<size_t>(DataLength()));
  }
  // Data byte k of the request; bytes beyond its length read 0.
  uint8_t DataByte(int k) const { return k >= 0 && k < MAX_DATA_BYTES ? Telegram[TELEGRAM_HEADER + k] : 0; }
};

struct DeviceQueue {
  int Present = 0;  // 1: the address answered the device search
  int Count = 0;
  std::array<RequestEntry, QUEUE_DEPTH> Entries{};
};

// A pending request: its address and the sequence number of its entry.
struct PendingRef {
  int Address = 0;
  uint32_t Sequence = 0;
};

enum class QueueRefusal { None, BadAddress, TooLong, AddressQueueFull, PendingListFull };

class RequestQueueSet {
 public:
  std::array<DeviceQueue, DEVICE_ADDRESS_COUNT> Queues{};
  std::array<PendingRef, MAX_PENDING> PendingList{};
  int PendingCount = 0;

  // Why a request could not be queued (None: it can).
  QueueRefusal CheckRoom(int address, int length) const;
  // Queues a request (CheckRoom must have said None); its data area is zero
  // behind the data.
  RequestEntry& Add(int address, uint8_t command, std::span<const uint8_t> data, int reserved, int awaitAnswer);

  // The request queued last, or nullptr.
  const PendingRef* Newest() const;
  RequestEntry* Find(const PendingRef& ref);
  // The newest entry of an address, or nullptr.
  RequestEntry* NewestOf(int address);

  // Ends a request: its entry leaves its address queue and the pending list.
  bool Remove(const PendingRef& ref);
  // Drops every request of one address; returns how many.
  int DropAddress(int address);
  // Empties every queue; the presence flags and the entries' contents stay.
  void Clear();

 private:
  uint32_t nextSequence_ = 0;
};
