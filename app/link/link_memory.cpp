// Device memory transfer in chunks of at most 128 bytes over the request engine.
#include <algorithm>

#include "app/link/device_link.h"

namespace {

std::array<uint8_t, BLOCK_HEADER_SIZE> ChunkHeader(int deviceAddress, int count) {
  return {static_cast<uint8_t>(deviceAddress >> 8 & 0xFF), static_cast<uint8_t>(deviceAddress & 0xFF), 0,
          static_cast<uint8_t>(count >> 8 & 0xFF), static_cast<uint8_t>(count & 0xFF)};
}

constexpr int kChunkTries = 2;

}  // namespace

bool DeviceLink::WriteDeviceMemory(std::span<const uint8_t> source, int base, int offset, int count) {
  if (count <= 0) return false;
  if (offset < 0 || static_cast<size_t>(offset) + static_cast<size_t>(count) > source.size()) {
    TransferFailed = 1;
    return true;  // beyond the source: nothing is sent
  }
  int remaining = count;
  int d = base + offset;
  int failures = 0;
  // A chunk that the device took with its error bit set is not sent again,
  // but the write as a whole has failed.
  bool deviceError = false;
  while (remaining > 0) {
    const int n = std::min(remaining, BLOCK_CHUNK_SIZE);
    std::fill(BlockData.begin(), BlockData.end(), uint8_t{0});
    std::copy_n(source.begin() + (d - base), n, BlockData.begin());
    BlockLength = static_cast<uint16_t>(n);
    const auto header = ChunkHeader(d, n);
    BlockWriteOk = 0;
    if (QueueRequest(DeviceAddress, CMD_BLOCK_WRITE, header.data(), BLOCK_HEADER_SIZE, 0, 1)) WaitUntilIdle();
    if (BlockWriteOk == 1) {
      if (DeviceErrorFlag != 0) deviceError = true;
      remaining -= n;
      d += n;
      failures = 0;
    } else if (++failures >= kChunkTries) {
      return true;
    }
  }
  if (deviceError) DeviceErrorFlag = 1;
  return deviceError;
}

bool DeviceLink::ReadDeviceMemory(int base, int offset, int count) {
  if (count <= 0) return false;
  if (offset < 0 || offset + count > READ_BUFFER_SIZE) {
    TransferFailed = 1;
    return true;  // beyond the read buffer: nothing is sent
  }
  int remaining = count;
  int d = base + offset;
  int failures = 0;
  while (remaining > 0) {
    const int n = std::min(remaining, BLOCK_CHUNK_SIZE);
    BlockLength = static_cast<uint16_t>(n);
    const auto header = ChunkHeader(d, n);
    BlockReadOk = 0;
    if (QueueRequest(DeviceAddress, CMD_BLOCK_READ, header.data(), BLOCK_HEADER_SIZE, 0, 1)) WaitUntilIdle();
    if (BlockReadOk == 1) {
      std::copy_n(BlockData.begin(), n, ReadBuffer.begin() + (d - base));
      remaining -= n;
      d += n;
      failures = 0;
    } else if (++failures >= kChunkTries) {
      // What could not be read reads as erased memory.
      std::fill_n(ReadBuffer.begin() + (d - base), remaining, uint8_t{0xFF});
      return true;
    }
  }
  return false;
}

int DeviceLink::ReadDeviceBlock(int base, int offset, int count) {
  if (count < 1 || count > BLOCK_CHUNK_SIZE || offset < 0 || offset + count > READ_BUFFER_SIZE) {
    TransferFailed = 1;
    return 1;
  }
  BlockLength = static_cast<uint16_t>(count);
  const auto header = ChunkHeader(base + offset, count);
  blockOnceAnswered_ = false;
  if (QueueRequest(DeviceAddress, CMD_BLOCK_READ_ONCE, header.data(), BLOCK_HEADER_SIZE, 0, 1)) WaitUntilIdle();
  if (!blockOnceAnswered_) {
    std::fill_n(ReadBuffer.begin() + offset, count, uint8_t{0xFF});
    return 1;
  }
  std::copy_n(BlockData.begin(), count, ReadBuffer.begin() + offset);
  return 0;
}
