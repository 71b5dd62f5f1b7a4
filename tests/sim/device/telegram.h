#pragma once
// Telegram codec of the device side: checksum, reply frames, and the
// assembly of request frames from the byte stream of the line.
#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace devsim {

using Bytes = std::vector<std::uint8_t>;

// Line framing: STX/ETX around every frame, 2-byte checksum before ETX.
struct Framing {
  bool stxEtx = true;
  bool checksum = true;
};

// Bitwise NOT of the byte sum, low 16 bits (address up to the last data byte).
std::uint16_t TelegramChecksum(std::span<const std::uint8_t> bytes);

// A request as the device understood it.
struct Request {
  int address = 0;
  std::uint8_t command = 0;
  Bytes data;
};

// Reply frame: address, length (data + 3), command | REPLY_FLAG, byte 3,
// status, data, checksum, framed as `framing` says.
struct Reply {
  int address = 0;
  std::uint8_t command = 0;  // sent as it stands: the caller sets REPLY_FLAG
  std::uint8_t byte3 = 0;
  std::uint8_t status = 0;
  Bytes data;
};
Bytes EncodeReply(const Reply& reply, const Framing& framing);

// Request frame as the PC sends it (used by tests as the PC side).
Bytes EncodeRequest(int address, std::uint8_t command, std::span<const std::uint8_t> data,
                    const Framing& framing);

// One unsolicited value-stream frame: STX, the value most significant byte
// first, ETX; the same 6 bytes whatever the framing options.
Bytes EncodeStreamFrame(std::int32_t value);

// Gathers request frames from the received bytes. With STX/ETX a frame is
// searched from its STX and rejected when its ETX or checksum is wrong (the
// search then resumes behind that STX); bytes that belong to no frame are
// handed out as discarded. Without STX/ETX a frame starts at the first byte
// after a pause of `resyncGap`.
class RequestAssembler {
 public:
  struct Item {
    Bytes bytes;           // the frame as received, or discarded bytes
    bool frame = false;    // false: bytes that belong to no frame
    bool valid = false;    // frame with correct ETX and checksum
    Request request;       // filled for valid frames
  };

  // `idleCheck`: pause after which Idle() is due with STX/ETX framing.
  RequestAssembler(Framing framing, std::chrono::milliseconds resyncGap, std::chrono::milliseconds idleCheck);

  std::vector<Item> Feed(std::span<const std::uint8_t> bytes, std::chrono::steady_clock::time_point now);
  // Called when nothing arrived for a while: without STX/ETX an unfinished
  // frame is dropped; with STX/ETX a frame that never completes is given up
  // when a later STX in the buffer starts a complete frame.
  std::vector<Item> Idle(std::chrono::steady_clock::time_point now);
  // When Idle() is next due: once per pause, while bytes are pending.
  std::optional<std::chrono::steady_clock::time_point> IdleDue() const;

 private:
  // Length of a complete frame at `start`, 0 when more bytes are needed, -1
  // when no frame can start there.
  int FrameLengthAt(std::size_t start) const;
  bool FrameValidAt(std::size_t start, int length, Request* request) const;
  void Parse(std::vector<Item>& out);
  void Discard(std::size_t count, std::vector<Item>& out);

  Framing framing_;
  std::chrono::milliseconds resyncGap_;
  std::chrono::milliseconds idleCheck_;
  bool idleChecked_ = false;
  Bytes buffer_;
  std::chrono::steady_clock::time_point lastByte_{};
};

}  // namespace devsim
