// Device memory transfer in chunks against the simulated device.
#include "tests/app/link/link_fixture.h"

namespace {

using devsim::Fault;
using devsim::FaultKind;
using devsim::kForever;
using Frame = std::vector<uint8_t>;

std::vector<Frame> FramesOf(const std::vector<Frame>& frames, uint8_t command) {
  std::vector<Frame> out;
  for (const Frame& f : frames)
    if (f.size() > 3 && f[3] == command) out.push_back(f);
  return out;
}

// Header of a chunk request frame: device address and byte count.
std::pair<int, int> ChunkOf(const Frame& f) { return {f[6] << 8 | f[7], f[9] << 8 | f[10]}; }

std::vector<uint8_t> Pattern(size_t n) {
  std::vector<uint8_t> bytes(n);
  for (size_t i = 0; i < n; ++i) bytes[i] = static_cast<uint8_t>(i * 7 + 3);
  return bytes;
}

TEST_F(LinkTest, AWriteOf300BytesGoesOutIn128128And44ByteChunks) {
  const std::vector<uint8_t> source = Pattern(300);
  EXPECT_FALSE(link().WriteDeviceMemory(source, 0x008, 0, 300));
  const auto writes = FramesOf(Received(), CMD_BLOCK_WRITE);
  ASSERT_EQ(writes.size(), 3u);
  EXPECT_EQ(ChunkOf(writes[0]), std::make_pair(0x008, 128));
  EXPECT_EQ(ChunkOf(writes[1]), std::make_pair(0x088, 128));
  EXPECT_EQ(ChunkOf(writes[2]), std::make_pair(0x108, 44));
  EXPECT_EQ(writes[0][2], 136);  // length byte: 5 header bytes + 128 + 3
  EXPECT_EQ(writes[0].size(), 142u);
  const devsim::DeviceModel m = sim_.Model(1);
  EXPECT_TRUE(std::equal(source.begin(), source.end(), m.memory.begin() + 0x008));
}

TEST_F(LinkTest, AWriteSendsAChunkThatFailedOnceAgainWhole) {
  const std::vector<uint8_t> source = Pattern(300);
  sim_.InjectFault(1, Fault(FaultKind::NoAnswer).On(CMD_BLOCK_WRITE).Times(2));
  EXPECT_FALSE(link().WriteDeviceMemory(source, 0x100, 0, 200));
  const auto writes = FramesOf(Received(), CMD_BLOCK_WRITE);
  ASSERT_EQ(writes.size(), 4u);  // two tries unanswered, the chunk again, the second chunk
  EXPECT_EQ(writes[0], writes[1]);
  EXPECT_EQ(writes[0], writes[2]);
  EXPECT_EQ(ChunkOf(writes[3]), std::make_pair(0x180, 72));
  const devsim::DeviceModel m = sim_.Model(1);
  EXPECT_TRUE(std::equal(source.begin(), source.begin() + 200, m.memory.begin() + 0x100));
}

TEST_F(LinkTest, AWriteEndsWithFailureWhenAChunkFailsTwice) {
  sim_.InjectFault(1, Fault(FaultKind::NoAnswer).On(CMD_BLOCK_WRITE).Times(kForever));
  const std::vector<uint8_t> source = Pattern(64);
  EXPECT_TRUE(link().WriteDeviceMemory(source, 0x008, 0, 64));
  EXPECT_EQ(FramesOf(Received(), CMD_BLOCK_WRITE).size(), 4u);
  // Nothing to write, or a range beyond the source: nothing is sent.
  sim_.Log().Clear();
  EXPECT_FALSE(link().WriteDeviceMemory(source, 0x008, 0, 0));
  EXPECT_TRUE(link().WriteDeviceMemory(source, 0x008, 32, 64));
  EXPECT_TRUE(Received().empty());
}

TEST_F(LinkTest, AReadFillsItsRangeOfTheReadBuffer) {
  const std::vector<uint8_t> memory = Pattern(0x800);
  sim_.WithDevice(1, [&](devsim::DeviceModel& m) { m.memory = memory; });
  link().ReadBuffer.fill(0);
  EXPECT_FALSE(link().ReadDeviceMemory(0x008, 100, 200));
  const auto reads = FramesOf(Received(), CMD_BLOCK_READ);
  ASSERT_EQ(reads.size(), 2u);
  EXPECT_EQ(ChunkOf(reads[0]), std::make_pair(0x008 + 100, 128));
  EXPECT_EQ(ChunkOf(reads[1]), std::make_pair(0x008 + 228, 72));
  EXPECT_TRUE(
      std::equal(link().ReadBuffer.begin() + 100, link().ReadBuffer.begin() + 300, memory.begin() + 0x008 + 100));
  EXPECT_EQ(link().ReadBuffer[99], 0);
  EXPECT_EQ(link().ReadBuffer[300], 0);
}

TEST_F(LinkTest, AFailedReadLeavesErasedBytesAndReportsTheFailure) {
  sim_.InjectFault(1, Fault(FaultKind::NoAnswer).On(CMD_BLOCK_READ).Times(kForever));
  link().ReadBuffer.fill(0);
  EXPECT_TRUE(link().ReadDeviceMemory(0x008, 0, 64));
  EXPECT_EQ(FramesOf(Received(), CMD_BLOCK_READ).size(), 4u);
  EXPECT_TRUE(
      std::all_of(link().ReadBuffer.begin(), link().ReadBuffer.begin() + 64, [](uint8_t b) { return b == 0xFF; }));
  EXPECT_EQ(link().ReadBuffer[64], 0);
  // A range beyond the read buffer is refused without traffic.
  sim_.Log().Clear();
  EXPECT_TRUE(link().ReadDeviceMemory(0x008, 700, 16));
  EXPECT_TRUE(Received().empty());
}

TEST_F(LinkTest, ASingleBlockReadChecksItsCountAndReportsAFailure) {
  sim_.WithDevice(1, [](devsim::DeviceModel& m) {
    for (size_t i = 0; i < m.factoryEeprom.size(); ++i) m.factoryEeprom[i] = static_cast<uint8_t>(0x40 + i);
  });
  link().ReadBuffer.fill(0);
  EXPECT_EQ(link().ReadDeviceBlock(0, 0, 64), 0);
  EXPECT_EQ(link().ReadBuffer[0], 0x40);
  EXPECT_EQ(link().ReadBuffer[63], 0x40 + 63);

  sim_.Log().Clear();
  EXPECT_NE(link().ReadDeviceBlock(0, 0, 129), 0);
  EXPECT_NE(link().ReadDeviceBlock(0, 700, 16), 0);
  EXPECT_TRUE(Received().empty());

  sim_.InjectFault(1, Fault(FaultKind::NoAnswer).On(CMD_BLOCK_READ_ONCE).Times(kForever));
  link().ReadBuffer.fill(0);
  EXPECT_NE(link().ReadDeviceBlock(0, 10, 20), 0);
  EXPECT_EQ(link().TransferFailed, 1);
  EXPECT_EQ(link().ReadBuffer[10], 0xFF);
  EXPECT_EQ(link().ReadBuffer[29], 0xFF);
  EXPECT_EQ(link().ReadBuffer[30], 0);
}

TEST_F(LinkTest, ABlockWriteSentAgainCarriesItsChunkOnce) {
  sim_.InjectFault(1, Fault(FaultKind::WrongChecksum).On(CMD_BLOCK_WRITE));
  const std::vector<uint8_t> source = Pattern(128);
  EXPECT_FALSE(link().WriteDeviceMemory(source, 0x008, 0, 128));
  const auto writes = FramesOf(Received(), CMD_BLOCK_WRITE);
  ASSERT_EQ(writes.size(), 2u);
  EXPECT_EQ(writes[0], writes[1]);
  EXPECT_EQ(writes[1][2], 136);
  EXPECT_EQ(writes[1].size(), 142u);
}

}  // namespace
