#include "canlink/slcan_channel.h"

#include <cstdio>

#include "platform/portname/port_name.h"

namespace canlink {

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr char kBell = '\a';
// How long the adapter may take to answer a command.
constexpr auto kAnswerTime = 1000ms;
// How long a frame's confirmation may take before the adapter counts as
// one that does not confirm frames.
constexpr auto kConfirmationTime = 500ms;

// The "Sn" digit of a bit rate in kbit/s; -1 for a rate the protocol lacks.
int BitrateCode(int kbit) {
  constexpr int rates[] = {10, 20, 50, 100, 125, 250, 500, 800, 1000};
  for (int n = 0; n < 9; ++n)
    if (rates[n] == kbit) return n;
  return -1;
}

// "tiiildd.." with an optional four-digit time stamp behind the data.
std::optional<Frame> ParseFrameLine(const std::string& line) {
  if (line.size() < 5 || line[0] != 't') return std::nullopt;
  const int length = line[4] - '0';
  if (length < 0 || length > 8) return std::nullopt;
  const size_t dataEnd = 5 + 2 * static_cast<size_t>(length);
  if (line.size() != dataEnd && line.size() != dataEnd + 4) return std::nullopt;
  // The same layout as a frame text, but with one length digit.
  const std::string text = line.substr(1, 3) + "0" + line.substr(4, dataEnd - 4);
  return ParseFrameText(text.c_str());
}

std::string FrameLine(const Frame& frame) {
  char text[32];
  int at = std::snprintf(text, sizeof text, "t%03X%u", frame.id, frame.length);
  for (std::uint8_t i = 0; i < frame.length; ++i) at += std::snprintf(text + at, sizeof text - at, "%02X", frame.data[i]);
  return std::string(text) + "\r";
}

}  // namespace

bool CslcanChannel::open(const std::string& portPath, int baud, int bitrateKbit) {
  close();
  error_.clear();
  portPath_ = portPath;
  const int code = BitrateCode(bitrateKbit);
  if (code < 0) {
    error_ = std::to_string(bitrateKbit) + " kbit/s is no bit rate of the serial CAN adapter";
    return false;
  }
  if (port_.open(portPath) != 0) {
    error_ = "cannot open the CAN adapter's port " + port_.lastErrorText();
    return false;
  }
  if (port_.setup(CserialPort::LineSettings{baud, 8, 0, 0}) != 0) {
    error_ = "cannot set " + portPath + " to " + std::to_string(baud) + " baud";
    port_.close();
    return false;
  }
  // End whatever the adapter was in the middle of, and close a channel a
  // previous run left open; the answers to that say nothing.
  const bool cleared = write("\r\r\rC\r");
  drain();
  const auto command = [&](const std::string& text, const std::string& refusal) {
    if (!write(text)) return false;
    switch (nextAnswer(Clock::now() + kAnswerTime)) {
      case Answer::Taken: return true;
      case Answer::Refused: error_ = "the CAN adapter on " + portPath + " " + refusal; return false;
      case Answer::None: break;
    }
    error_ = "no answer from a CAN adapter on " + portPath + " at " + std::to_string(baud) +
             " baud (is it connected, powered and set to that baud rate?)";
    return false;
  };
  if (!cleared || !command("S" + std::to_string(code) + "\r", "refused the bit rate " + std::to_string(bitrateKbit) +
                                                                   " kbit/s") ||
      !command("O\r", "refused to open its CAN channel")) {
    port_.close();
    return false;
  }
  confirmations_ = Confirmations::Unknown;
  lost_ = false;
  cris_ = 0;
  return true;
}

void CslcanChannel::close() {
  if (!port_.isOpen()) return;
  if (write("C\r")) nextAnswer(Clock::now() + 100ms);
  port_.close();
  input_.clear();
  answers_.clear();
  frames_.clear();
}

bool CslcanChannel::write(const std::string& text) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(100 + 10 * text.size());
  size_t written = 0;
  if (port_.write(text.data(), text.size(), &written, deadline) == 0) return true;
  error_ = "cannot write to the CAN adapter on " + portPath_;
  return false;
}

bool CslcanChannel::send(const Frame& frame) {
  if (!port_.isOpen()) {
    error_ = "the CAN channel is not open";
    return false;
  }
  answers_.clear();  // late answers to earlier commands
  if (!write(FrameLine(frame))) return false;
  if (confirmations_ == Confirmations::Absent) return true;
  switch (nextAnswer(Clock::now() + kConfirmationTime)) {
    case Answer::Taken: confirmations_ = Confirmations::Given; return true;
    case Answer::Refused:
      error_ = "the CAN adapter on " + portPath_ + " refused to send a frame (is the bus connected and terminated?)";
      return false;
    case Answer::None: break;
  }
  if (confirmations_ == Confirmations::Unknown) {
    confirmations_ = Confirmations::Absent;  // an adapter that does not confirm frames
    return true;
  }
  error_ = "the CAN adapter on " + portPath_ + " stopped answering";
  return false;
}

std::optional<Frame> CslcanChannel::receive(Deadline deadline) {
  while (frames_.empty())
    if (!pump(deadline)) return std::nullopt;
  const Frame frame = frames_.front();
  frames_.pop_front();
  return frame;
}

void CslcanChannel::setCris(std::uint8_t cris) {
  cris_ = cris;
  std::erase_if(frames_, [cris](const Frame& frame) { return !InCrisSegment(frame.id, cris); });
}

CslcanChannel::Answer CslcanChannel::nextAnswer(Deadline deadline) {
  while (answers_.empty())
    if (!pump(deadline)) return Answer::None;
  const Answer answer = answers_.front();
  answers_.pop_front();
  return answer;
}

bool CslcanChannel::pump(Deadline deadline) {
  char buffer[512];
  const ssize_t n = port_.readSome(buffer, sizeof buffer, deadline);
  if (n < 0 && !lost_) {
    lost_ = true;
    Report("lost the CAN adapter on " + portPath_ + ": " + port_.lastErrorText());
  }
  if (n <= 0) return false;
  for (ssize_t i = 0; i < n; ++i) {
    const char c = buffer[i];
    if (c == kBell) {
      answers_.push_back(Answer::Refused);
      input_.clear();
    } else if (c == '\r') {
      takeLine(input_);
      input_.clear();
    } else if (c != '\n') {
      input_ += c;
    }
  }
  return true;
}

void CslcanChannel::takeLine(const std::string& line) {
  if (line.empty() || line == "z" || line == "Z") {
    answers_.push_back(Answer::Taken);
    return;
  }
  // Frames of other identifiers, extended and remote frames, the answers
  // to other commands: none of them concern the boot loader.
  const std::optional<Frame> frame = ParseFrameLine(line);
  if (frame && InCrisSegment(frame->id, cris_)) frames_.push_back(*frame);
}

void CslcanChannel::drain() {
  const Deadline latest = Clock::now() + 1000ms;
  while (Clock::now() < latest && pump(std::min(latest, Clock::now() + 100ms))) {
  }
  input_.clear();
  answers_.clear();
  frames_.clear();
}

}  // namespace canlink
