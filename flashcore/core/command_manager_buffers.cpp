// Memory selection, the buffer operations and the Intel HEX files.
#include "flashcore/core/command_manager.h"
#include "flashcore/core/device.h"
#include "flashcore/core/hex_text.h"
#include "flashcore/core/intel_hex.h"
#include "flashcore/core/library_context.h"
#include "flashcore/protocols/protocol.h"

void CcommandManager::selectMemory(int memoryIndex) {
  if (demoMode_) return;
  // Any index is accepted here (special-byte access selects memories that
  // some parts lack); buffer use of a missing memory fails on its own. With
  // no protocol yet there is no target page to select.
  requireDevice().selectMemory(static_cast<std::uint8_t>(memoryIndex));
  if (Cprotocol* protocol = context_.protocol()) protocol->selectMemoryPage(memoryIndex, 0);
}

void CcommandManager::fillBuffer(const std::string& text) {
  if (demoMode_) return;
  CmemoryArea& area = requireMemory();
  area.fillRange(0, area.size() - 1, text);
}

void CcommandManager::fillBufferAddrRange(std::uint32_t start, std::uint32_t end, const std::string& text) {
  if (demoMode_) return;
  CmemoryArea& area = requireMemory();
  if (start > end || end >= area.size()) {
    setLastStringError("STATUS_ADDRESS_OUT_OF_RANGE_ERROR");
    fail(STATUS_ADDRESS_OUT_OF_RANGE_ERROR);
  }
  area.fillRange(start, end, text);
}

void CcommandManager::resetBuffer() { requireMemory().reset(); }

void CcommandManager::randomizeBuffer() {
  CmemoryArea& area = requireMemory();
  std::string text;
  for (std::uint32_t a = 0; a < area.size(); ++a) {
    toHexString(text, 2, static_cast<std::uint32_t>(random_() & 0xFF));
    area.setByte(a, text);
  }
  rangeStart_ = 0;
  rangeEnd_ = static_cast<std::int32_t>(area.size() - 1);
}

void CcommandManager::writeSingleByte(std::uint32_t address, const std::string& text) {
  if (!requireMemory().setByte(address, text)) fail(STATUS_ADDRESS_OUT_OF_RANGE_ERROR);
}

void CcommandManager::readSingleByte(std::uint32_t address) { setLastResult(requireMemory().getByte(address)); }

void CcommandManager::memorySizeResult() { setLastResult(toDecimalString(requireDevice().memorySize())); }

void CcommandManager::bufferAddrLo() {
  requireDevice();
  setLastResult(toHexString(static_cast<std::uint32_t>(rangeStart_), 4));
}

void CcommandManager::bufferAddrHi() {
  requireDevice();
  setLastResult(toHexString(static_cast<std::uint32_t>(rangeEnd_), 6));
}

void CcommandManager::bufferChecksum(std::uint32_t start, std::uint32_t end) {
  if (demoMode_) return;
  setLastResult(toHexString(requireMemory().byteSum(start, end), 6));
}

void CcommandManager::computeCrc() {
  if (demoMode_) {
    setLastResult("0000");
    return;
  }
  const int crc = requireDevice().computeCrc();
  setLastResult(toHexString(static_cast<std::uint32_t>(crc) & 0xFFFFu, 4));
}

void CcommandManager::createPart() { context_.setUserDevice(std::make_unique<Cdevice>()); }

void CcommandManager::parseHexFile(const std::string& path) {
  if (demoMode_) return;
  setStatus(STATUS_PASS);
  CmemoryArea& area = requireMemory();
  HexLoadResult loaded;
  try {
    loaded = readIntelHexFile(path, area);
  } catch (STATUS status) {
    fail(status);
  }
  rangeStart_ = static_cast<std::int32_t>(loaded.rangeStart);
  rangeEnd_ = static_cast<std::int32_t>(loaded.rangeEnd);
}

void CcommandManager::writeHexFile(std::uint32_t start, std::uint32_t end, const std::string& path,
                                   int segmentRecords) {
  if (demoMode_) return;
  const CmemoryArea& area = requireMemory();
  try {
    writeIntelHexFile(path, area, start, end, segmentRecords != 0, [this](float step) { addProgress(step); });
  } catch (STATUS status) {
    fail(status);
  }
}

std::string CcommandManager::hexChecksum(const std::string& hexPairs) const {
  return demoMode_ ? std::string() : hexPairChecksum(hexPairs);
}
