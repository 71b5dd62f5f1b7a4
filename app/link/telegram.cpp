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

void FrameAssembler::SetStreamMode(bool on) {
  if (on != stream_) buffer_.clear();
  stream_ = on;
}

void FrameAssembler::Resync() {
  // Give up the frame start and search the next STX behind it.
  const auto next = std::find(buffer_.begin() + 1, buffer_.end(), STX);
  buffer_.erase(buffer_.begin(), next);
}

std::vector<FrameAssembler::Frame> FrameAssembler::Feed(std::span<const uint8_t> bytes) {
  std::vector<Frame> frames;
  if (!framing_.stxEtx) {
    buffer_.clear();
    return frames;
  }
  for (uint8_t b : bytes) {
    if (buffer_.empty() && b != STX) continue;  // not part of a frame
    buffer_.push_back(b);
    // A frame may complete several times over after a resync.
    for (;;) {
      if (buffer_.empty()) break;
      int expected = 0;
      if (stream_) {
        expected = StreamFrameLength();
      } else if (buffer_.size() >= 3) {
        expected = ReplyFrameLength(buffer_[2], framing_);
      } else {
        break;
      }
      if (static_cast<int>(buffer_.size()) < expected) break;
      Bytes frame(buffer_.begin(), buffer_.begin() + expected);
      if (!stream_ && frame.back() != ETX) {
        Resync();
        continue;
      }
      buffer_.erase(buffer_.begin(), buffer_.begin() + expected);
      if (!buffer_.empty() && buffer_.front() != STX) {
        const auto next = std::find(buffer_.begin(), buffer_.end(), STX);
        buffer_.erase(buffer_.begin(), next);
      }
      frames.push_back(Frame{std::move(frame), stream_});
    }
  }
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
