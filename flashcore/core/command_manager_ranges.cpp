// Range operations: program, read, verify and blank-check through the page
// loop, erase, and the start of the boot loader or the application.
#include "flashcore/core/command_manager.h"
#include "flashcore/core/device.h"
#include "flashcore/core/library_context.h"
#include "flashcore/protocols/protocol.h"
#include "platform/win/ticks.h"

Cprotocol& CcommandManager::requireProtocol() {
  Cprotocol* protocol = context_.protocol();
  if (protocol == nullptr || context_.device() == nullptr) fail(STATUS_CANNOT_EXECUTE_COMMAND);
  return *protocol;
}

void CcommandManager::checkRange(std::uint32_t start, std::uint32_t end) {
  const CmemoryArea& memory = requireMemory();
  if (end < start || end >= memory.size()) fail(STATUS_ADDRESS_OUT_OF_RANGE_ERROR);
}

bool CcommandManager::checkBlockIndex(std::uint8_t block) const {
  if (demoMode_) return true;
  const Cdevice* device = context_.device();
  if (device == nullptr) return false;
  const std::uint8_t blocks = device->blockCount();
  return blocks != 0 && block <= blocks - 1;
}

void CcommandManager::rangeLoop(RangeType type, std::uint32_t start, std::uint32_t end, std::uint8_t rangeMode) {
  if (demoMode_) return;
  Cprotocol& protocol = requireProtocol();
  const std::uint32_t first = start >> 16;
  const std::uint32_t last = end >> 16;
  for (std::uint32_t page = first; page <= last; ++page) {
    protocol.selectMemoryPage(requireDevice().selectedMemory(), static_cast<int>(page));
    const std::uint32_t from = page == first ? start & 0xFFFF : 0;
    const std::uint32_t to = page == last ? end & 0xFFFF : 0xFFFF;
    const int p = static_cast<int>(page);
    switch (type) {
      case RANGE_READ: protocol.readOrVerifyRange(p, from, to, 0); break;
      case RANGE_VERIFY: protocol.readOrVerifyRange(p, from, to, 1); break;
      case RANGE_PROGRAM:
        if (rangeMode != 0)
          protocol.programRangeAlt(p, from, to);
        else
          protocol.programRange(p, from, to);
        break;
      case RANGE_BLANK_CHECK: protocol.blankCheckRange(p, from, to); break;
    }
  }
}

void CcommandManager::programAddrRange(std::uint32_t start, std::uint32_t end, std::uint8_t rangeMode) {
  if (demoMode_) return;
  checkRange(start, end);
  rangeLoop(RANGE_PROGRAM, start, end, rangeMode);
  platform::win::Sleep(100);
}

// The current range may be empty (a HEX file without data): that is no
// range to program, not a success.
void CcommandManager::programDevice() {
  if (demoMode_) return;
  checkRange(static_cast<std::uint32_t>(rangeStart_), static_cast<std::uint32_t>(rangeEnd_));
  rangeLoop(RANGE_PROGRAM, static_cast<std::uint32_t>(rangeStart_), static_cast<std::uint32_t>(rangeEnd_), 0);
  platform::win::Sleep(100);
}

void CcommandManager::readAddrRange(std::uint32_t start, std::uint32_t end, const std::string& path,
                                    int segmentRecords) {
  if (demoMode_) return;
  checkRange(start, end);
  rangeLoop(RANGE_READ, start, end, 0);
  if (!path.empty()) writeHexFile(start, end, path, segmentRecords);
}

void CcommandManager::readDevice(const std::string& path, int segmentRecords) {
  if (demoMode_) return;
  const std::uint32_t size = requireMemory().size();
  rangeLoop(RANGE_READ, 0, size - 1, 0);
  if (!path.empty()) writeHexFile(0, size - 1, path, segmentRecords);
}

void CcommandManager::verifyAddrRange(std::uint32_t start, std::uint32_t end) {
  if (demoMode_) return;
  checkRange(start, end);
  rangeLoop(RANGE_VERIFY, start, end, 0);
}

void CcommandManager::verifyDevice() {
  if (demoMode_) return;
  checkRange(static_cast<std::uint32_t>(rangeStart_), static_cast<std::uint32_t>(rangeEnd_));
  rangeLoop(RANGE_VERIFY, static_cast<std::uint32_t>(rangeStart_), static_cast<std::uint32_t>(rangeEnd_), 0);
}

void CcommandManager::blankCheckAddrRange(std::uint32_t start, std::uint32_t end) {
  if (demoMode_) return;
  checkRange(start, end);
  rangeLoop(RANGE_BLANK_CHECK, start, end, 0);
}

void CcommandManager::blankCheckDevice() {
  if (demoMode_) return;
  rangeLoop(RANGE_BLANK_CHECK, 0, requireMemory().size() - 1, 0);
}

void CcommandManager::eraseDevice() {
  if (demoMode_) return;
  if (!canExecute()) fail(STATUS_CANNOT_EXECUTE_COMMAND);
  requireProtocol().eraseDevice();
}

void CcommandManager::eraseBlock(int block) {
  if (demoMode_) return;
  if (!canExecute()) fail(STATUS_CANNOT_EXECUTE_COMMAND);
  requireProtocol().eraseBlock(block);
}

void CcommandManager::enterIspMode(std::uint8_t flag, int address) {
  if (demoMode_) return;
  requireProtocol().enterIspMode(flag, address);
}

void CcommandManager::enterAppliMode(std::uint8_t reset, int address) {
  if (demoMode_) return;
  requireProtocol().startApplication(reset != 0, address);
}
