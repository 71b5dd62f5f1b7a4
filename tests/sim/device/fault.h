#pragma once
// Faults that a test injects into the answers of one simulated device.
#include <cstdint>
#include <optional>
#include <vector>

namespace devsim {

enum class FaultKind {
  NoAnswer,       // the request is not answered
  WrongChecksum,  // the reply's checksum is wrong
  WrongCommand,   // the reply carries `replyCommand` | REPLY_FLAG
  ErrorStatus,    // the reply's status byte has the error bit set
  ErrorMark,      // byte 3 of the reply is the error mark 0xFF
  Busy,           // the busy answer: error bit, data x 05 FF FF
  Delay,          // the reply is sent `delayMs` late
  Garbage,        // `garbage` bytes are sent in front of the reply's STX
  CutShort,       // the reply's last `cutBytes` bytes are not sent
};

inline constexpr int kForever = -1;

struct Fault {
  explicit Fault(FaultKind k = FaultKind::NoAnswer) : kind(k) {}
  // Fault(FaultKind::Busy).On(CMD_BLOCK_READ).Times(3)
  Fault& On(std::uint8_t code) { command = code; return *this; }
  // Only requests whose first data byte is `byte` (one sub-command of a command).
  Fault& WithFirstData(std::uint8_t byte) { firstData = byte; return *this; }
  Fault& Times(int n) { count = n; return *this; }
  Fault& DelayMs(int ms) { delayMs = ms; return *this; }
  Fault& Bytes(std::vector<std::uint8_t> bytes) { garbage = std::move(bytes); return *this; }
  Fault& Cut(int n) { cutBytes = n; return *this; }
  Fault& ReplyCommand(std::uint8_t code) { replyCommand = code; return *this; }

  FaultKind kind;
  std::optional<std::uint8_t> command;  // only requests with this command
  std::optional<std::uint8_t> firstData;  // only requests with this first data byte
  int count = 1;                        // requests it applies to, or kForever
  int delayMs = 0;
  std::vector<std::uint8_t> garbage{0x55, 0xAA, 0x00, 0x7E};
  int cutBytes = 3;
  std::uint8_t replyCommand = 0x00;
};

}  // namespace devsim
