#include "tests/sim/device/telegram.h"

#include <gtest/gtest.h>

#include "tests/sim/device/protocol.h"

namespace devsim {
namespace {

using namespace std::chrono_literals;
const auto t0 = std::chrono::steady_clock::time_point{} + 1h;

TEST(Telegram, ChecksumOfTheWorkedExample) {
  const Bytes body{0x01, 0x05, 0x28, 0x00, 0x00, 0x00, 0x01};
  EXPECT_EQ(TelegramChecksum(body), 0xFFD0);
  EXPECT_EQ(TelegramChecksum({}), 0xFFFF);
}

TEST(Telegram, RequestsOnTheWire) {
  EXPECT_EQ(EncodeRequest(1, 0x28, Bytes{0x00, 0x01}, Framing{}),
            (Bytes{0x02, 0x01, 0x05, 0x28, 0x00, 0x00, 0x00, 0x01, 0xFF, 0xD0, 0x03}));
  const Bytes empty = EncodeRequest(7, CMD_ADC_INFO, {}, Framing{});
  ASSERT_EQ(empty.size(), 9u);
  const std::uint16_t sum = TelegramChecksum(Bytes{7, 3, CMD_ADC_INFO, 0, 0});
  EXPECT_EQ(empty, (Bytes{0x02, 7, 3, CMD_ADC_INFO, 0, 0, static_cast<std::uint8_t>(sum >> 8),
                          static_cast<std::uint8_t>(sum & 0xFF), 0x03}));
  EXPECT_EQ(EncodeRequest(1, 0x28, Bytes{0x00, 0x01}, Framing{false, false}), (Bytes{0x01, 0x05, 0x28, 0, 0, 0, 1}));
  EXPECT_EQ(EncodeRequest(1, 0x3D, Bytes(133, 0xAA), Framing{}).size(), 142u);
}

TEST(Telegram, ReplyFrameCarriesFlagStatusAndChecksum) {
  const Bytes frame = EncodeReply(Reply{3, 0xA8, 0, 0x41, {'A', 'B'}}, Framing{});
  ASSERT_EQ(frame.size(), 2u + 6 + 3);
  EXPECT_EQ(frame[2], 5);  // data + 3
  const std::uint16_t sum = TelegramChecksum(std::span(frame.data() + 1, 7));
  EXPECT_EQ(frame[8], sum >> 8);
  EXPECT_EQ(frame[9], sum & 0xFF);
  EXPECT_EQ(EncodeReply(Reply{3, 0xA8, 0, 0x41, {}}, Framing{true, false}), (Bytes{2, 3, 3, 0xA8, 0, 0x41, 3}));
}

struct AssemblyCase {
  const char* name;
  Framing framing;
  std::vector<Bytes> pieces;
  std::vector<Bytes> frames;  // valid frames expected, in order
  int rejected = 0;           // frames with a bad checksum or ETX
  Bytes discarded;            // bytes outside any frame
};

TEST(RequestAssembler, TableOfStreams) {
  const Bytes a = EncodeRequest(1, 0x28, Bytes{0, 1}, Framing{});
  const Bytes b = EncodeRequest(2, 0x25, {}, Framing{});
  Bytes badSum = a;
  badSum[8] ^= 1;
  Bytes noEtx = a;
  noEtx.back() = 0x04;
  const Bytes plain = EncodeRequest(1, 0x28, Bytes{0, 1}, Framing{false, true});
  const Bytes noSum = EncodeRequest(1, 0x28, Bytes{0, 1}, Framing{true, false});
  const std::vector<AssemblyCase> cases = {
      {"whole", Framing{}, {a}, {a}, 0, {}},
      {"one byte at a time", Framing{}, [&] { std::vector<Bytes> v; for (auto x : a) v.push_back({x}); return v; }(), {a}, 0, {}},
      {"body, checksum, ETX", Framing{}, {Bytes(a.begin(), a.begin() + 8), Bytes(a.begin() + 8, a.begin() + 10), {0x03}}, {a}, 0, {}},
      {"two in one chunk", Framing{}, {[&] { Bytes v = a; v.insert(v.end(), b.begin(), b.end()); return v; }()}, {a, b}, 0, {}},
      {"garbage in front", Framing{}, {Bytes{0x55, 0x00, 0xAA}, a}, {a}, 0, {0x55, 0x00, 0xAA}},
      {"bad checksum, then a good one", Framing{}, {badSum, b}, {b}, 1, {}},
      {"missing ETX, then a good one", Framing{}, {noEtx, b}, {b}, 1, {}},
      {"no STX/ETX", Framing{false, true}, {plain}, {plain}, 0, {}},
      {"no checksum", Framing{true, false}, {noSum}, {noSum}, 0, {}},
      {"length byte too small", Framing{}, {Bytes{0x02, 0x01, 0x02}, b}, {b}, 0, {0x02, 0x01, 0x02}},
  };
  for (const AssemblyCase& c : cases) {
    RequestAssembler assembler(c.framing, 500ms, 50ms);
    std::vector<Bytes> frames;
    int rejected = 0;
    Bytes discarded;
    for (const Bytes& piece : c.pieces) {
      for (auto& item : assembler.Feed(piece, t0)) {
        if (!item.frame) discarded.insert(discarded.end(), item.bytes.begin(), item.bytes.end());
        else if (item.valid) frames.push_back(item.bytes);
        else ++rejected;
      }
    }
    EXPECT_EQ(frames, c.frames) << c.name;
    EXPECT_EQ(rejected, c.rejected) << c.name;
    EXPECT_EQ(discarded, c.discarded) << c.name;
  }
}

TEST(RequestAssembler, ParsedRequestHoldsAddressCommandAndData) {
  RequestAssembler assembler(Framing{}, 500ms, 50ms);
  const auto items = assembler.Feed(EncodeRequest(9, CMD_BLOCK_READ, Bytes{0, 8, 0, 0, 16}, Framing{}), t0);
  ASSERT_EQ(items.size(), 1u);
  EXPECT_EQ(items[0].request.address, 9);
  EXPECT_EQ(items[0].request.command, CMD_BLOCK_READ);
  EXPECT_EQ(items[0].request.data, (Bytes{0, 8, 0, 0, 16}));
}

TEST(RequestAssembler, TelegramCutOffByThePcGivesWayToTheNext) {
  // The PC wrote a body without checksum and ETX, then a whole new telegram.
  const Bytes next = EncodeRequest(1, CMD_ADC_INFO, {}, Framing{});
  {
    // The cut frame completes with bytes of the next one, fails, and the next is found behind it.
    const Bytes full = EncodeRequest(1, CMD_BLOCK_READ, Bytes(5, 0), Framing{});
    RequestAssembler assembler(Framing{}, 500ms, 50ms);
    EXPECT_TRUE(assembler.Feed(Bytes(full.begin(), full.end() - 3), t0).empty());
    const auto items = assembler.Feed(next, t0);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_FALSE(items[0].valid);
    EXPECT_TRUE(items[1].valid);
    EXPECT_EQ(items[1].bytes, next);
  }
  {
    // The cut frame waits for more bytes than will come: after a pause the next one is taken.
    const Bytes full = EncodeRequest(1, CMD_BLOCK_WRITE, Bytes(133, 0), Framing{});
    const Bytes cut(full.begin(), full.begin() + 20);
    RequestAssembler assembler(Framing{}, 500ms, 50ms);
    EXPECT_TRUE(assembler.Feed(cut, t0).empty());
    EXPECT_TRUE(assembler.Feed(next, t0).empty());
    EXPECT_TRUE(assembler.Idle(t0 + 10ms).empty()) << "too early";
    const auto items = assembler.Idle(t0 + 60ms);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_FALSE(items[0].valid);
    EXPECT_EQ(items[0].bytes, cut);
    EXPECT_TRUE(items[1].valid);
    EXPECT_EQ(items[1].bytes, next);
  }
}

TEST(RequestAssembler, WithoutStxAPauseDropsAnUnfinishedFrame) {
  const Bytes plain = EncodeRequest(1, 0x25, {}, Framing{false, true});
  RequestAssembler assembler(Framing{false, true}, 500ms, 50ms);
  EXPECT_TRUE(assembler.Feed(Bytes{0x01, 0x09, 0x28}, t0).empty());
  const auto dropped = assembler.Idle(t0 + 600ms);
  ASSERT_EQ(dropped.size(), 1u);
  EXPECT_FALSE(dropped[0].frame);
  const auto items = assembler.Feed(plain, t0 + 700ms);
  ASSERT_EQ(items.size(), 1u);
  EXPECT_TRUE(items[0].valid);
}

}  // namespace
}  // namespace devsim
