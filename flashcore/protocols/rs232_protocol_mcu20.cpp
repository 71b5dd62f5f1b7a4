#include "flashcore/protocols/rs232_protocol_mcu20.h"

#include "flashcore/core/command_manager.h"
#include "flashcore/core/device.h"
#include "flashcore/core/special_bytes.h"

namespace {
// 101 sync characters at most, 100 ms apart at the least.
constexpr int kSyncRetries = 100;
constexpr std::uint16_t kSyncWaitMs = 100;
}  // namespace

Crs232ProtocolMcu20::Crs232ProtocolMcu20() {
  recordSize = 64;
  readLineSize = 64;
  readRangeRecord = ":05000004AAAABBBB03";
  readSpecialRecords[DEVICE_BOOT_ID1].clear();
  readSpecialRecords[DEVICE_BOOT_ID2].clear();
  specialCommands = {":030000030605FFF0", ":0300000306057F70", ":030000030605BF30", ":0300000306053FB0"};
}

void Crs232ProtocolMcu20::syncTarget() { syncRepeatedly(kSyncRetries, kSyncWaitMs); }

void Crs232ProtocolMcu20::execSpecialCmd(const std::string& command) {
  if (command.empty()) fail(STATUS_NOT_IMPLEMENTED);
  transact(command, serialTimeout(replyTimeout(1000)), false, true);
}

void Crs232ProtocolMcu20::programRange(int page, std::uint32_t, std::uint32_t) {
  const std::uint32_t size = device().memorySize();
  if (size < 2) fail(STATUS_INVALID_MEMORY_CONFIGURATION);
  CcommandManager& m = manager();
  m.addProgress(0.0f);
  // The boot loader checks the image against the CRC in its last two
  // bytes: high byte last.
  m.computeCrc();
  const std::string crc = m.lastResult();
  device().writeBufferByte(page, static_cast<int>(size - 1), crc.substr(0, 2));
  device().writeBufferByte(page, static_cast<int>(size - 2), crc.substr(2, 2));
  programRecords(page, 0, size - 1);
  m.addProgress(0.0f);
}

void Crs232ProtocolMcu20::readBlock(int page, std::uint32_t from, std::uint32_t to, int verify) {
  DisplayRead how;
  how.selectMemory = false;
  readDisplay(page, from, to, verify, how);
}

Crs232ProtocolMcu21::Crs232ProtocolMcu21() {
  recordSize = 64;
  readLineSize = 64;
}

void Crs232ProtocolMcu21::syncTarget() { syncRepeatedly(kSyncRetries, kSyncWaitMs); }

void Crs232ProtocolMcu21::programRange(int page, std::uint32_t, std::uint32_t) {
  const std::uint32_t size = device().memorySize();
  if (size == 0) fail(STATUS_INVALID_MEMORY_CONFIGURATION);
  manager().addProgress(0.0f);
  programRecords(page, 0, size - 1);
  manager().addProgress(0.0f);
}

void Crs232ProtocolMcu21::programRangeAlt(int page, std::uint32_t from, std::uint32_t to) {
  manager().addProgress(0.0f);
  programRecords(page, from, to);
  manager().addProgress(0.0f);
}

void Crs232ProtocolMcu21::readBlock(int page, std::uint32_t from, std::uint32_t to, int verify) {
  DisplayRead how;
  how.selectMemory = false;
  how.terminator = 'L';
  readDisplay(page, from, to, verify, how);
}
