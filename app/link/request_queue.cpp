#include "app/link/request_queue.h"

#include <algorithm>

QueueRefusal RequestQueueSet::CheckRoom(int address, int length) const {
  if (address < 1 || address > ADDR_GLOBAL) return QueueRefusal::BadAddress;
  if (length < 0 || length > MAX_DATA_BYTES) return QueueRefusal::TooLong;
  if (Queues[static_cast<size_t>(address)].Count >= QUEUE_DEPTH) return QueueRefusal::AddressQueueFull;
  if (PendingCount < 0 || PendingCount >= MAX_PENDING) return QueueRefusal::PendingListFull;
  return QueueRefusal::None;
}

RequestEntry& RequestQueueSet::Add(int address, uint8_t command, std::span<const uint8_t> data, int reserved,
                                   int awaitAnswer) {
  DeviceQueue& q = Queues[static_cast<size_t>(address)];
  RequestEntry& e = q.Entries[static_cast<size_t>(q.Count)];
  e.State = 0;
  e.Telegram = BuildRequestTelegram(address, command, data);
  e.TimeoutMs = 0;
  e.Reserved = reserved;
  e.TriesLeft = 0;
  e.AwaitAnswer = awaitAnswer;
  e.Sequence = ++nextSequence_;
  e.ChecksumMismatches = 0;
  e.WrongCommandReplies = 0;
  e.BusySinceMs = -1;
  PendingList[static_cast<size_t>(PendingCount)] = PendingRef{address, e.Sequence};
  ++PendingCount;
  ++q.Count;
  return e;
}

const PendingRef* RequestQueueSet::Newest() const {
  if (PendingCount < 1 || PendingCount > MAX_PENDING) return nullptr;
  return &PendingList[static_cast<size_t>(PendingCount - 1)];
}

RequestEntry* RequestQueueSet::Find(const PendingRef& ref) {
  if (ref.Address < 0 || ref.Address >= DEVICE_ADDRESS_COUNT) return nullptr;
  DeviceQueue& q = Queues[static_cast<size_t>(ref.Address)];
  for (int i = 0; i < q.Count && i < QUEUE_DEPTH; ++i)
    if (q.Entries[static_cast<size_t>(i)].Sequence == ref.Sequence) return &q.Entries[static_cast<size_t>(i)];
  return nullptr;
}

RequestEntry* RequestQueueSet::NewestOf(int address) {
  if (address < 0 || address >= DEVICE_ADDRESS_COUNT) return nullptr;
  DeviceQueue& q = Queues[static_cast<size_t>(address)];
  if (q.Count < 1 || q.Count > QUEUE_DEPTH) return nullptr;
  return &q.Entries[static_cast<size_t>(q.Count - 1)];
}

bool RequestQueueSet::Remove(const PendingRef& ref) {
  RequestEntry* e = Find(ref);
  if (e == nullptr) return false;
  DeviceQueue& q = Queues[static_cast<size_t>(ref.Address)];
  const auto at = static_cast<size_t>(e - q.Entries.data());
  e->State = 0;
  // Later entries of the address move down; the freed slot keeps the old contents.
  const RequestEntry removed = *e;
  for (size_t i = at; i + 1 < static_cast<size_t>(q.Count); ++i) q.Entries[i] = q.Entries[i + 1];
  q.Entries[static_cast<size_t>(q.Count - 1)] = removed;
  --q.Count;
  const auto end = PendingList.begin() + std::clamp(PendingCount, 0, MAX_PENDING);
  const auto it = std::find_if(PendingList.begin(), end, [&](const PendingRef& p) {
    return p.Address == ref.Address && p.Sequence == ref.Sequence;
  });
  if (it != end) {
    std::copy(it + 1, end, it);
    --PendingCount;
  }
  return true;
}

int RequestQueueSet::DropAddress(int address) {
  if (address < 0 || address >= DEVICE_ADDRESS_COUNT) return 0;
  const int dropped = Queues[static_cast<size_t>(address)].Count;
  Queues[static_cast<size_t>(address)].Count = 0;
  const auto end = PendingList.begin() + std::clamp(PendingCount, 0, MAX_PENDING);
  const auto kept = std::remove_if(PendingList.begin(), end, [&](const PendingRef& p) { return p.Address == address; });
  PendingCount = static_cast<int>(kept - PendingList.begin());
  return dropped;
}

void RequestQueueSet::Clear() {
  PendingCount = 0;
  for (DeviceQueue& q : Queues) q.Count = 0;
}
