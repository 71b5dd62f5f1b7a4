// Framing without a window: checksum, request bytes, frame assembly, trace lines.
#include "app/link/telegram.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <span>

namespace {

TEST(TelegramChecksum, IsTheNotOfTheByteSum) {
  const Bytes body{0x01, 0x05, 0x28, 0x00, 0x00, 0x00, 0x01};
  EXPECT_EQ(TelegramChecksum(body), 0xFFD0);
  EXPECT_EQ(TelegramChecksum({}), 0xFFFF);
  const Bytes big(300, 0xFF);  // the sum passes 16 bits
  EXPECT_EQ(TelegramChecksum(big), static_cast<uint16_t>(~(300u * 0xFF) & 0xFFFF));
}

struct EncodeCase {
  const char* name;
  int address;
  uint8_t command;
  Bytes data;
  Framing framing;
  Bytes wire;
};

TEST(EncodeRequest, PutsTheTelegramOnTheLineAsFramed) {
  const std::vector<EncodeCase> cases = {
      {"weight, both on",
       1,
       0x28,
       {0x00, 0x01},
       {true, true},
       {0x02, 0x01, 0x05, 0x28, 0x00, 0x00, 0x00, 0x01, 0xFF, 0xD0, 0x03}},
      {"no data", 1, 0x1E, {}, {true, true}, {0x02, 0x01, 0x03, 0x1E, 0x00, 0x00, 0xFF, 0xDD, 0x03}},
      {"no checksum", 1, 0x28, {0x00, 0x01}, {true, false}, {0x02, 0x01, 0x05, 0x28, 0x00, 0x00, 0x00, 0x01, 0x03}},
      {"no STX/ETX", 1, 0x28, {0x00, 0x01}, {false, true}, {0x01, 0x05, 0x28, 0x00, 0x00, 0x00, 0x01, 0xFF, 0xD0}},
      {"bare", 7, 0x50, {0x01, 0x00}, {false, false}, {0x07, 0x05, 0x50, 0x00, 0x00, 0x01, 0x00}},
      {"broadcast", 126, 0x64, {}, {true, true}, {0x02, 0x7E, 0x03, 0x64, 0x00, 0x00, 0xFF, 0x1A, 0x03}},
  };
  for (const EncodeCase& c : cases) {
    const TelegramBytes t = BuildRequestTelegram(c.address, c.command, c.data);
    EXPECT_EQ(EncodeRequest(t, c.framing), c.wire) << c.name;
  }
}

TEST(EncodeRequest, ABlockWriteOf128BytesHasLength136And142BytesOnTheLine) {
  Bytes data{0x00, 0x08, 0x00, 0x00, 0x80};
  data.resize(5 + 128, 0xA5);
  const TelegramBytes t = BuildRequestTelegram(1, 0x3D, data);
  EXPECT_EQ(t[1], 136);
  EXPECT_EQ(EncodeRequest(t, Framing{}).size(), 142u);
}

TEST(BuildRequestTelegram, LeavesTheDataAreaBehindTheDataZero) {
  const TelegramBytes t = BuildRequestTelegram(3, 0x03, {});
  EXPECT_EQ(t[TELEGRAM_HEADER], 0);  // an answer rule reading data byte 0 sees 0
  EXPECT_EQ(t[1], 3);
}

Bytes Reply(int address, uint8_t command, Bytes data, Framing framing = {}) {
  Bytes body{static_cast<uint8_t>(address), static_cast<uint8_t>(data.size() + 3), command, 0, 0};
  std::copy(data.begin(), data.end(), std::back_inserter(body));
  if (framing.checksum) {
    const uint16_t sum = TelegramChecksum(body);
    body.push_back(static_cast<uint8_t>(sum >> 8));
    body.push_back(static_cast<uint8_t>(sum & 0xFF));
  }
  body.insert(body.begin(), STX);
  body.push_back(ETX);
  return body;
}

TEST(FrameAssembler, FindsFramesAcrossChunksAndSkipsBytesInFrontOfStx) {
  const Bytes frame = Reply(1, 0xA8, {'1', '2', '3'});
  struct Case {
    const char* name;
    std::vector<Bytes> chunks;
  };
  Bytes withGarbage{0x55, 0x00, 0xAA};  // a zero byte in front of STX
  withGarbage.insert(withGarbage.end(), frame.begin(), frame.end());
  const std::vector<Case> cases = {
      {"whole", {frame}},
      {"byte by byte",
       [&] {
         std::vector<Bytes> v;
         for (uint8_t b : frame) v.push_back({b});
         return v;
       }()},
      {"length byte in the second chunk",
       {Bytes(frame.begin(), frame.begin() + 2), Bytes(frame.begin() + 2, frame.end())}},
      {"garbage and a zero byte in front", {withGarbage}},
  };
  for (const Case& c : cases) {
    FrameAssembler a;
    std::vector<FrameAssembler::Frame> frames;
    for (const Bytes& chunk : c.chunks)
      for (auto& f : a.Feed(chunk)) frames.push_back(f);
    ASSERT_EQ(frames.size(), 1u) << c.name;
    EXPECT_EQ(frames[0].bytes, frame) << c.name;
    EXPECT_FALSE(frames[0].stream);
  }
}

TEST(FrameAssembler, TakesEveryFrameOfACoalescedChunk) {
  const Bytes a = Reply(1, 0xE4, {});
  const Bytes b = Reply(2, 0xE4, {});
  Bytes both = a;
  both.insert(both.end(), b.begin(), b.end());
  FrameAssembler assembler;
  const auto frames = assembler.Feed(both);
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_EQ(frames[0].bytes, a);
  EXPECT_EQ(frames[1].bytes, b);
}

TEST(FrameAssembler, ResynchronisesOnTheNextStxWhenAFrameDoesNotEndInEtx) {
  // A stray STX with a length byte that overruns the real frame behind it.
  const Bytes good = Reply(1, 0xA8, {'x'});
  Bytes line{STX, 0x01, 0x04};
  line.insert(line.end(), good.begin(), good.end());
  FrameAssembler a;
  std::vector<FrameAssembler::Frame> frames;
  for (auto& f : a.Feed(line)) frames.push_back(f);
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0].bytes, good);
}

TEST(FrameAssembler, NeverGathersMoreThanOneFrameLength) {
  // Without a frame start nothing is kept, however much arrives.
  FrameAssembler a;
  const Bytes noise(10000, 0x55);
  EXPECT_TRUE(a.Feed(noise).empty());
  EXPECT_TRUE(a.Pending().empty());
  // A frame start with the largest length byte stays within 261 bytes.
  Bytes start{STX, 0x01, 0xFF};
  start.resize(400, 0x55);
  a.Feed(start);
  EXPECT_LE(a.Pending().size(), 261u);
}

TEST(FrameAssembler, SplitsCoalescedStreamFramesAndTakesShortOnesWithoutChecksum) {
  FrameAssembler a;
  a.SetStreamMode(true);
  const Bytes f1{STX, 0x00, 0x00, 0x01, 0x00, ETX};
  const Bytes f2{STX, 0xFF, 0xFF, 0xFF, 0xFE, ETX};
  Bytes both = f1;
  both.insert(both.end(), f2.begin(), f2.end());
  const auto frames = a.Feed(both);
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_TRUE(frames[0].stream);
  EXPECT_EQ(frames[1].bytes, f2);

  FrameAssembler noChecksum;
  noChecksum.SetFraming(Framing{true, false});
  noChecksum.SetStreamMode(true);
  const auto short_frames = noChecksum.Feed(Bytes{STX, 1, 2, 3});
  ASSERT_EQ(short_frames.size(), 1u);
  EXPECT_EQ(short_frames[0].bytes.size(), 4u);  // too short to hold a value
}

// A stream frame whose bytes, framed as replies, hold a reply of address 200
// that ends in an ETX: line garbage that must never pass for a reply.
Bytes Stream(uint32_t value) {
  return {STX, static_cast<uint8_t>(value >> 24), static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 8),
          static_cast<uint8_t>(value), ETX};
}
constexpr uint32_t kReplyLikeValue = 0x0002C804;

void Append(Bytes& line, const Bytes& bytes) { line.insert(line.end(), bytes.begin(), bytes.end()); }

TEST(FrameAssembler, AmidStreamFramesOnlyTheRepliesAreTaken) {
  const Bytes reply = Reply(1, 0x9E, {0x01});
  Bytes line;
  for (int i = 0; i < 3; ++i) Append(line, Stream(kReplyLikeValue));
  Append(line, reply);
  for (int i = 0; i < 2; ++i) Append(line, Stream(kReplyLikeValue));

  // Framed as replies alone, the stream frames make a reply of address 200.
  FrameAssembler replies;
  const auto wrong = replies.Feed(line);
  ASSERT_FALSE(wrong.empty());
  EXPECT_EQ(wrong.front().bytes[1], 0xC8);

  FrameAssembler mixed;
  mixed.SetMode(ReceiveMode::Mixed);
  // Fed whole and a byte at a time alike.
  for (size_t piece : {line.size(), size_t{1}}) {
    std::vector<FrameAssembler::Frame> frames;
    for (size_t at = 0; at < line.size(); at += piece) {
      const auto chunk = std::span<const uint8_t>(line).subspan(at, std::min(piece, line.size() - at));
      for (auto& f : mixed.Feed(chunk)) frames.push_back(f);
    }
    ASSERT_EQ(frames.size(), 1u) << piece;
    EXPECT_EQ(frames[0].bytes, reply);
    EXPECT_FALSE(frames[0].stream);
  }
}

TEST(FrameAssembler, AModeSetForAFrameAppliesToTheBytesBehindIt) {
  // The answer to the stream's start, and the device's first values at once behind it.
  const Bytes reply = Reply(1, 0x92, {});
  Bytes line = reply;
  for (uint32_t v : {1u, 2u}) Append(line, Stream(v));
  FrameAssembler a;
  std::vector<FrameAssembler::Frame> frames;
  a.Feed(line, [&](FrameAssembler::Frame&& f) {
    if (!f.stream) a.SetMode(ReceiveMode::Stream);
    frames.push_back(std::move(f));
    return true;
  });
  ASSERT_EQ(frames.size(), 3u);
  EXPECT_EQ(frames[0].bytes, reply);
  EXPECT_EQ(frames[1].bytes, Stream(1));
  EXPECT_EQ(frames[2].bytes, Stream(2));
  EXPECT_TRUE(frames[2].stream);

  // A sink that refuses a frame stops the framing: nothing behind it is taken.
  FrameAssembler b;
  b.SetMode(ReceiveMode::Stream);
  int taken = 0;
  b.Feed(Bytes{STX, 0, 0, 0, 1, ETX, STX, 0, 0, 0, 2, ETX}, [&](FrameAssembler::Frame&&) {
    ++taken;
    return false;
  });
  EXPECT_EQ(taken, 1);
}

TEST(FrameAssembler, SwitchingBetweenRepliesAndStreamDropsABegunFrameMixedKeepsIt) {
  const Bytes half{STX, 0x00, 0x00};
  const Bytes rest{0x00, 0x07, ETX};
  FrameAssembler a;
  a.SetMode(ReceiveMode::Stream);
  a.Feed(half);
  a.SetMode(ReceiveMode::Mixed);  // the stream is being stopped: the frame goes on
  EXPECT_EQ(a.Pending(), half);
  a.SetMode(ReceiveMode::Stream);
  const auto frames = a.Feed(rest);
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0].bytes, Stream(7));

  a.Feed(half);
  a.SetMode(ReceiveMode::Replies);
  EXPECT_TRUE(a.Pending().empty());
}

TEST(FrameAssembler, RecognisesNothingWithoutStxEtx) {
  FrameAssembler a;
  a.SetFraming(Framing{false, true});
  EXPECT_TRUE(a.Feed(Reply(1, 0xA8, {})).empty());
}

TEST(TraceLines, WriteHexGroupsAndCharactersWithoutZeroBytes) {
  const Bytes bytes{0x02, 0x01, 0x00, 'A', 0xFF};
  EXPECT_EQ(HexTraceLine(bytes), "02 01 00 41 FF ");
  EXPECT_EQ(CharTraceLine(Bytes{0x00, 'A', 'b', 0x00}), "A b ");
}

}  // namespace
