#include "tests/sim/device/telegram.h"

#include <algorithm>

#include "tests/sim/device/protocol.h"

namespace devsim {

std::uint16_t TelegramChecksum(std::span<const std::uint8_t> bytes) {
  std::uint32_t sum = 0;
  for (std::uint8_t b : bytes) sum += b;
  return static_cast<std::uint16_t>(~sum & 0xFFFF);
}

namespace {

Bytes Frame(Bytes body, const Framing& framing) {
  if (framing.checksum) {
    const std::uint16_t sum = TelegramChecksum(body);
    body.push_back(static_cast<std::uint8_t>(sum >> 8));
    body.push_back(static_cast<std::uint8_t>(sum & 0xFF));
  }
  if (framing.stxEtx) {
    body.insert(body.begin(), STX);
    body.push_back(ETX);
  }
  return body;
}

}  // namespace

Bytes EncodeReply(const Reply& reply, const Framing& framing) {
  Bytes body{static_cast<std::uint8_t>(reply.address), static_cast<std::uint8_t>(reply.data.size() + 3),
             reply.command, reply.byte3, reply.status};
  body.insert(body.end(), reply.data.begin(), reply.data.end());
  return Frame(std::move(body), framing);
}

Bytes EncodeRequest(int address, std::uint8_t command, std::span<const std::uint8_t> data,
                    const Framing& framing) {
  Bytes body{static_cast<std::uint8_t>(address), static_cast<std::uint8_t>(data.size() + 3), command, 0, 0};
  body.insert(body.end(), data.begin(), data.end());
  return Frame(std::move(body), framing);
}

Bytes EncodeStreamFrame(std::int32_t value) {
  const auto v = static_cast<std::uint32_t>(value);
  return {STX, static_cast<std::uint8_t>(v >> 24), static_cast<std::uint8_t>(v >> 16),
          static_cast<std::uint8_t>(v >> 8), static_cast<std::uint8_t>(v), ETX};
}

RequestAssembler::RequestAssembler(Framing framing, std::chrono::milliseconds resyncGap,
                                   std::chrono::milliseconds idleCheck)
    : framing_(framing), resyncGap_(resyncGap), idleCheck_(idleCheck) {}

std::optional<std::chrono::steady_clock::time_point> RequestAssembler::IdleDue() const {
  if (buffer_.empty() || idleChecked_) return std::nullopt;
  return lastByte_ + (framing_.stxEtx ? idleCheck_ : resyncGap_);
}

int RequestAssembler::FrameLengthAt(std::size_t start) const {
  const std::size_t head = framing_.stxEtx ? 1 : 0;  // bytes in front of the address
  if (framing_.stxEtx && buffer_[start] != STX) return -1;
  if (buffer_.size() < start + head + 2) return 0;
  const int length = buffer_[start + head + 1];
  if (length < 3 || length > MAX_DATA_BYTES + 3) return -1;
  const int total = static_cast<int>(head) + 2 + length + (framing_.checksum ? 2 : 0) + (framing_.stxEtx ? 1 : 0);
  return buffer_.size() - start >= static_cast<std::size_t>(total) ? total : 0;
}

bool RequestAssembler::FrameValidAt(std::size_t start, int total, Request* request) const {
  const std::size_t head = framing_.stxEtx ? 1 : 0;
  const std::size_t body = start + head;        // address
  const int length = buffer_[body + 1];
  const std::size_t bodyEnd = body + 2 + length;  // behind the last data byte
  if (framing_.stxEtx && buffer_[start + total - 1] != ETX) return false;
  if (framing_.checksum) {
    const std::uint16_t sum =
        TelegramChecksum(std::span(buffer_.data() + body, bodyEnd - body));
    if (buffer_[bodyEnd] != (sum >> 8) || buffer_[bodyEnd + 1] != (sum & 0xFF)) return false;
  }
  if (request != nullptr) {
    request->address = buffer_[body];
    request->command = buffer_[body + 2];
    request->data.assign(buffer_.begin() + static_cast<std::ptrdiff_t>(body + 5),
                         buffer_.begin() + static_cast<std::ptrdiff_t>(bodyEnd));
  }
  return true;
}

void RequestAssembler::Discard(std::size_t count, std::vector<Item>& out) {
  if (count == 0) return;
  Item item;
  item.bytes.assign(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(count));
  buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(count));
  // Consecutive discarded bytes form one item.
  if (!out.empty() && !out.back().frame) {
    out.back().bytes.insert(out.back().bytes.end(), item.bytes.begin(), item.bytes.end());
  } else {
    out.push_back(std::move(item));
  }
}

void RequestAssembler::Parse(std::vector<Item>& out) {
  while (!buffer_.empty()) {
    if (framing_.stxEtx) {
      const auto stx = std::find(buffer_.begin(), buffer_.end(), STX);
      Discard(static_cast<std::size_t>(stx - buffer_.begin()), out);
      if (buffer_.empty()) return;
    }
    const int total = FrameLengthAt(0);
    if (total < 0) {
      Discard(1, out);
      continue;
    }
    if (total == 0) return;  // wait for more bytes
    Item item;
    item.frame = true;
    item.valid = FrameValidAt(0, total, &item.request);
    std::size_t take = static_cast<std::size_t>(total);
    if (!item.valid && framing_.stxEtx) {
      // A broken frame may hide the start of the next one: resume behind its STX.
      const auto next = std::find(buffer_.begin() + 1, buffer_.begin() + total, STX);
      take = static_cast<std::size_t>(next - buffer_.begin());
    }
    item.bytes.assign(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(take));
    buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(take));
    out.push_back(std::move(item));
  }
}

std::vector<RequestAssembler::Item> RequestAssembler::Feed(std::span<const std::uint8_t> bytes,
                                                           std::chrono::steady_clock::time_point now) {
  std::vector<Item> out;
  if (!framing_.stxEtx && !buffer_.empty() && now - lastByte_ >= resyncGap_) Discard(buffer_.size(), out);
  buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
  if (!bytes.empty()) {
    lastByte_ = now;
    idleChecked_ = false;
  }
  Parse(out);
  return out;
}

std::vector<RequestAssembler::Item> RequestAssembler::Idle(std::chrono::steady_clock::time_point now) {
  std::vector<Item> out;
  const auto due = IdleDue();
  if (!due || now < *due) return out;
  idleChecked_ = true;
  if (!framing_.stxEtx) {
    if (now - lastByte_ >= resyncGap_) Discard(buffer_.size(), out);
    return out;
  }
  // The frame at the front waits for bytes that will not come when a later
  // STX already starts a complete, valid frame (a telegram cut off by the PC).
  for (std::size_t p = 1; p < buffer_.size(); ++p) {
    if (buffer_[p] != STX) continue;
    const int total = FrameLengthAt(p);
    if (total > 0 && FrameValidAt(p, total, nullptr)) {
      Item broken;
      broken.frame = true;
      broken.bytes.assign(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(p));
      buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(p));
      out.push_back(std::move(broken));
      Parse(out);
      break;
    }
  }
  return out;
}

}  // namespace devsim
