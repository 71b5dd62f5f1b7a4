#pragma once
// Telegram framing without a window: the checksum, the bytes a request puts
// on the line, the assembly of received bytes into frames, and the text
// lines of the traffic trace.
#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "app/link/link_protocol.h"

using Bytes = std::vector<uint8_t>;
using TelegramBytes = std::array<uint8_t, TELEGRAM_SIZE>;

struct Framing {
  bool stxEtx = true;    // STX in front of and ETX behind every frame
  bool checksum = true;  // 2-byte checksum, high byte first, in front of ETX
};

// Bitwise NOT of the unsigned byte sum, low 16 bits.
uint16_t TelegramChecksum(std::span<const uint8_t> bytes);

// Fills a request telegram: address, length byte (data + 3), command, two
// zero bytes, the data; the rest of the telegram is zero.
TelegramBytes BuildRequestTelegram(int address, uint8_t command, std::span<const uint8_t> data);

// Number of telegram bytes from the address to the last data byte.
int TelegramBodyLength(const TelegramBytes& telegram);

// Stores the checksum of the body in the telegram's checksum bytes.
void StoreTelegramChecksum(TelegramBytes& telegram);

// The request as it goes on the line: STX (when framed), the body, the
// checksum (when on), ETX (when framed).
Bytes EncodeRequest(const TelegramBytes& telegram, const Framing& framing);

// Total length of a reply frame with length byte L: L + 4, plus 2 with the checksum.
int ReplyFrameLength(uint8_t lengthByte, const Framing& framing);

// What received bytes are framed as.
enum class ReceiveMode {
  Replies,  // reply frames, their length taken from the length byte
  Stream,   // value-stream frames of fixed length
  // The device streams while replies are awaited (the stream has just been
  // started or stopped): a frame start whose stream-frame length ends in ETX
  // is a stream frame and is passed over; any other is framed as a reply.
  Mixed,
};

// Gathers received bytes into frames. Bytes in front of an STX are skipped;
// the expected length is taken once the length byte has arrived; a gathered
// frame whose last byte is not ETX is given up and the search goes on from
// the next STX inside it. In stream mode every frame is a value frame of
// fixed length. Without STX/ETX framing no frame is ever recognised.
class FrameAssembler {
 public:
  struct Frame {
    Bytes bytes;  // STX .. ETX
    bool stream = false;
  };
  // Takes one frame; false stops the framing, and the rest of the bytes fed is dropped.
  using FrameSink = std::function<bool(Frame&& frame)>;

  void SetFraming(const Framing& framing) { framing_ = framing; }
  // A change between replies and stream drops a frame begun in the other
  // mode; Mixed keeps it, as both frame stream frames alike.
  void SetMode(ReceiveMode mode);
  ReceiveMode Mode() const { return mode_; }
  void SetStreamMode(bool on) { SetMode(on ? ReceiveMode::Stream : ReceiveMode::Replies); }
  bool StreamMode() const { return mode_ == ReceiveMode::Stream; }

  // Feeds received bytes, handing each frame to `take` as soon as it is
  // complete, so that a mode set by `take` applies to the bytes behind it.
  void Feed(std::span<const uint8_t> bytes, const FrameSink& take);
  // Feeds received bytes; returns the frames they completed.
  std::vector<Frame> Feed(std::span<const uint8_t> bytes);
  void Reset() { buffer_.clear(); }

  // Bytes of an unfinished frame, STX first.
  const Bytes& Pending() const { return buffer_; }
  // Stream frames: 6 bytes, 4 without the checksum.
  int StreamFrameLength() const { return framing_.checksum ? 6 : 4; }

 private:
  struct Shape {
    int length = 0;  // 0 while not known yet
    bool stream = false;
  };
  Shape NextFrame() const;
  void Resync();
  Framing framing_;
  ReceiveMode mode_ = ReceiveMode::Replies;
  Bytes buffer_;
};

// Trace texts: every byte as "%02X " ...
std::string HexTraceLine(std::span<const uint8_t> bytes);
// ... or as "%c " with the zero bytes left out.
std::string CharTraceLine(std::span<const uint8_t> bytes);
