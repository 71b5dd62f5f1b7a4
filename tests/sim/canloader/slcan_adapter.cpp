#include "tests/sim/canloader/slcan_adapter.h"

namespace sim {

namespace {

constexpr char kOk[] = "\r";
constexpr char kError[] = "\a";
constexpr int kBitrates[] = {10, 20, 50, 100, 125, 250, 500, 800, 1000};

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// The number written by `count` hex digits at `at`; -1 if any is no digit.
long hexNumber(const std::string& text, size_t at, size_t count) {
  if (at + count > text.size()) return -1;
  long value = 0;
  for (size_t i = at; i < at + count; ++i) {
    const int digit = hexValue(text[i]);
    if (digit < 0) return -1;
    value = value * 16 + digit;
  }
  return value;
}

// "tiiil" and the data: the frame text with one digit of length.
std::string frameLine(const CanFrame& frame) {
  const std::string text = FrameText(frame);
  return "t" + text.substr(0, 3) + text.substr(4) + "\r";
}

}  // namespace

std::string SlcanAdapter::feed(std::string_view received) {
  std::string out;
  for (char c : received) {
    if (c == '\n') continue;
    if (c != '\r') {
      line_ += c;
      continue;
    }
    commands_.push_back(line_);
    std::string answer = command(line_);
    line_.clear();
    if (!silent_) out += answer;
  }
  return out;
}

std::string SlcanAdapter::command(const std::string& line) {
  if (line.empty()) return kOk;
  switch (line[0]) {
    case 'S': {
      const long n = line.size() == 2 ? hexNumber(line, 1, 1) : -1;
      if (open_ || n < 0 || n > 8) return kError;
      bitrate_ = kBitrates[n];
      return kOk;
    }
    case 'O':
      if (open_ || bitrate_ == 0 || line.size() != 1) return kError;
      open_ = true;
      return kOk;
    case 'C':
      if (!open_ || line.size() != 1) return kError;
      open_ = false;
      return kOk;
    case 'V': return "V1013\r";
    case 't': return transmit(line);
    case 'T':
      if (!open_ || line.size() < 10) return kError;
      return "Z\r";  // extended frames reach nobody on this bus
    default: return kError;
  }
}

std::string SlcanAdapter::transmit(const std::string& line) {
  const long id = hexNumber(line, 1, 3);
  const long length = hexNumber(line, 4, 1);
  if (!open_ || refuseTransmit_ || id < 0 || id > 0x7FF || length < 0 || length > 8 ||
      line.size() != 5 + 2 * static_cast<size_t>(length))
    return kError;
  CanFrame frame{static_cast<uint32_t>(id), {}};
  for (long i = 0; i < length; ++i) {
    const long byte = hexNumber(line, 5 + 2 * static_cast<size_t>(i), 2);
    if (byte < 0) return kError;
    frame.data.push_back(static_cast<uint8_t>(byte));
  }
  std::string out = transmitAck_ == TransmitAck::Z ? "z\r" : transmitAck_ == TransmitAck::Cr ? "\r" : "";
  for (const CanFrame& answer : loader_.receive(frame)) out += frameLine(answer);
  return out;
}

}  // namespace sim
