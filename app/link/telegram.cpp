#include "app/link/telegram.h"

#include <algorithm>
#include <cstdio>

uint16_t TelegramChecksum(std::span<const uint8_t> bytes) {
  uint32_t sum = 0;
  for (uint8_t b : bytes) sum += b;
  return static_cast<uint16_t>(~sum & 0xFFFF);
}

TelegramBytes BuildRequestTelegram(int address, uint8_t command, std::span<const uint8_t> data) {
  TelegramBytes t{};
  const size_t n = std::min<size_t>(data.size(), MAX_DATA_BYTES);
  t[0] = static_cast<uint8_t>(address);
  t[1] = static_cast<uint8_t>(n + 3);
  t[2] = command;
  std::copy_n(data.begin(), n, t.begin() + TELEGRAM_HEADER);
  return t;
}

int TelegramBodyLength(const TelegramBytes& telegram) { return std::min<int>(telegram[1] + 2, CHECKSUM_HIGH_INDEX); }

void StoreTelegramChecksum(TelegramBytes& telegram) {
  const uint16_t sum =
      TelegramChecksum(std::span<const uint8_t>(telegram.data(), static_cast<size_t>(TelegramBodyLength(telegram))));
  telegram[CHECKSUM_HIGH_INDEX] = static_cast<uint8_t>(sum >> 8);
  telegram[CHECKSUM_LOW_INDEX] = static_cast<uint8_t>(sum & 0xFF);
}

Bytes EncodeRequest(const TelegramBytes& telegram, const Framing& framing) {
  Bytes out;
  if (framing.stxEtx) out.push_back(STX);
  out.insert(out.end(), telegram.begin(), telegram.begin() + TelegramBodyLength(telegram));
  if (framing.checksum) {
    TelegramBytes copy = telegram;
    StoreTelegramChecksum(copy);
    out.push_back(copy[CHECKSUM_HIGH_INDEX]);
    out.push_back(copy[CHECKSUM_LOW_INDEX]);
  }
  if (framing.stxEtx) out.push_back(ETX);
  return out;
}

int ReplyFrameLength(uint8_t lengthByte, const Framing& framing) { return lengthByte + (framing.checksum ? 6 : 4); }

void FrameAssembler::SetMode(ReceiveMode mode) {
  const bool crossing = (mode == ReceiveMode::Replies && mode_ == ReceiveMode::Stream) ||
                        (mode == ReceiveMode::Stream && mode_ == ReceiveMode::Replies);
  if (crossing) buffer_.clear();
  mode_ = mode;
}

void FrameAssembler::Resync() {
  // Give up the frame start and search the next STX behind it.
  const auto next = std::find(buffer_.begin() + 1, buffer_.end(), STX);
  buffer_.erase(buffer_.begin(), next);
}

FrameAssembler::Shape FrameAssembler::NextFrame() const {
  const int streamLength = StreamFrameLength();
  if (mode_ == ReceiveMode::Stream) return {streamLength, true};
  if (mode_ == ReceiveMode::Mixed) {
    // Replies are longer than stream frames: the shape shows once a stream frame's bytes are in.
    if (static_cast<int>(buffer_.size()) < streamLength) return {};
    if (buffer_[static_cast<size_t>(streamLength - 1)] == ETX) return {streamLength, true};
  }
  if (buffer_.size() < 3) return {};
  return {ReplyFrameLength(buffer_[2], framing_), false};
}

void FrameAssembler::Feed(std::span<const uint8_t> bytes, const FrameSink& take) {
  if (!framing_.stxEtx) {
    buffer_.clear();
    return;
  }
  for (uint8_t b : bytes) {
    if (buffer_.empty() && b != STX) continue;  // not part of a frame
    buffer_.push_back(b);
    // A frame may complete several times over after a resync.
    while (!buffer_.empty()) {
      const Shape shape = NextFrame();
      if (shape.length == 0 || static_cast<int>(buffer_.size()) < shape.length) break;
      const auto end = buffer_.begin() + shape.length;
      if (!shape.stream && *(end - 1) != ETX) {
        Resync();
        continue;
      }
      Frame frame{Bytes(buffer_.begin(), end), shape.stream};
      buffer_.erase(buffer_.begin(), end);
      buffer_.erase(buffer_.begin(), std::find(buffer_.begin(), buffer_.end(), STX));
      if (frame.stream && mode_ == ReceiveMode::Mixed) continue;  // no value amid replies
      if (!take(std::move(frame))) return;
    }
  }
}

std::vector<FrameAssembler::Frame> FrameAssembler::Feed(std::span<const uint8_t> bytes) {
  std::vector<Frame> frames;
  Feed(bytes, [&frames](Frame&& frame) {
    frames.push_back(std::move(frame));
    return true;
  });
  return frames;
}

std::string HexTraceLine(std::span<const uint8_t> bytes) {
  std::string line;
  char text[4];
  for (uint8_t b : bytes) {
    std::snprintf(text, sizeof text, "%02X ", b);
    line += text;
  }
  return line;
}

std::string CharTraceLine(std::span<const uint8_t> bytes) {
  std::string line;
  for (uint8_t b : bytes) {
    if (b == 0) continue;
    line += static_cast<char>(b);
    line += ' ';
  }
  return line;
}
