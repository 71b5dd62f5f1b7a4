#pragma once
// The PC side of the simulator's line in tests: plain POSIX I/O on the
// pseudo-terminal's slave, with deadlines.
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tests/sim/device/pseudo_terminal.h"
#include "tests/sim/device/telegram.h"

namespace devsim {

struct ParsedReply {
  int address = 0;
  std::uint8_t command = 0;
  std::uint8_t byte3 = 0;
  std::uint8_t status = 0;
  Bytes data;
  bool checksumOk = false;
};

class PtyClient {
 public:
  explicit PtyClient(const std::string& path);

  void Write(const Bytes& bytes);
  // Sends a request and reads the reply frame (STX ... ETX with checksum).
  std::optional<ParsedReply> Transact(int address, std::uint8_t command, const Bytes& data,
                                      std::chrono::milliseconds timeout = std::chrono::seconds(5));
  // Reads one STX/ETX reply frame with checksum; bytes in front of its STX are
  // returned in `skipped`.
  std::optional<Bytes> ReadFrame(std::chrono::milliseconds timeout, Bytes* skipped = nullptr);
  // Reads `count` bytes, fewer when the time-out passes first.
  Bytes ReadBytes(std::size_t count, std::chrono::milliseconds timeout);
  // Reads whatever arrives until nothing came for `quiet` (bounded by `limit`).
  Bytes ReadUntilQuiet(std::chrono::milliseconds quiet, std::chrono::milliseconds limit);

 private:
  bool ReadByte(std::uint8_t* byte, std::chrono::steady_clock::time_point deadline);

  UniqueFd fd_;
};

// Splits a reply frame (STX/ETX and checksum framing).
std::optional<ParsedReply> ParseReplyFrame(const Bytes& frame);

}  // namespace devsim
