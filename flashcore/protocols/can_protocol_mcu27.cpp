#include "flashcore/protocols/can_protocol_mcu27.h"

#include "flashcore/core/command_manager.h"
#include "flashcore/core/device.h"
#include "flashcore/core/hex_text.h"
#include "flashcore/core/special_bytes.h"
#include "flashcore/protocols/mcu27_special_bytes.h"

CcanProtocolMcu27::CcanProtocolMcu27() { CcanProtocolMcu27::buildCommandIds(0); }

CcanProtocolMcu27::~CcanProtocolMcu27() = default;

void CcanProtocolMcu27::buildCommandIds(std::uint8_t newCris) {
  if (newCris > 0x7F) fail(STATUS_INVALID_CRIS_VALUE);
  const std::uint32_t base = newCris * 16u;
  for (std::uint32_t k = 0; k <= 4; ++k) canIds[k] = toHexString(base + k, 3);
  memorySelectId = toHexString(base + 6, 3);
  canIds[6] = memorySelectId;

  nodeFrame = canIds[0] + "01FF";
  programCommand = canIds[1] + "0500XXXXYYYY";
  programRecord = canIds[2] + "LL";
  readRangeRecord = canIds[3] + "0500XXXXYYYY";
  blankCheckRecord = canIds[3] + "0580XXXXYYYY";
  eraseDeviceRecord = canIds[1] + "0380FFFF";
  for (size_t b = 0; b < eraseBlockRecord.size(); ++b)
    eraseBlockRecord[b] = canIds[1] + "0380" + toHexString(static_cast<std::uint32_t>(b), 4);
  auxRecord = memorySelectId + "0303MMPP";
  for (int id = 0; id < SPECIAL_BYTE_COUNT; ++id) {
    const int address = mcu27AddressOfSpecialByte(id);
    // A display or programming start of the one-byte range address..address.
    const std::string range =
        address < 0 ? std::string()
                    : "0500" + toHexString(static_cast<std::uint32_t>(address), 4) +
                          toHexString(static_cast<std::uint32_t>(address), 4);
    readSpecialRecords[static_cast<size_t>(id)] = range.empty() ? std::string() : canIds[3] + range;
    writeSpecialRecords[static_cast<size_t>(id)] =
        range.empty() || !isWritableSpecialByte(id) ? std::string() : canIds[1] + range;
  }
}

void CcanProtocolMcu27::selectMemoryPage(int memory, int page) {
  const std::string frame = memorySelectId + "0303" + toHexString(static_cast<std::uint32_t>(memory) & 0xFFu, 2) +
                            toHexString(static_cast<std::uint32_t>(page) & 0xFFu, 2);
  exchange(frame, 1000, false, true);
}

void CcanProtocolMcu27::writeSpecial(const std::string& record, const std::string& valueHex) {
  expectedReplyId = record.substr(0, 3);
  requireNodeOpen();
  requireRecord(record);
  exchange(record, 1000, false, false);
  exchange(canIds[2] + "01" + valueHex, 1000, false, true);
}

void CcanProtocolMcu27::programRange(int page, std::uint32_t from, std::uint32_t to) {
  manager().addProgress(0.0f);
  requireNodeOpen();
  programFrames(page, from, to, 1000);
  manager().addProgress(0.0f);
}

void CcanProtocolMcu27::rewriteHardwareByte(std::uint8_t keep, std::uint8_t set) {
  CcommandManager& m = manager();
  const int saved = device().selectedMemory();
  m.selectMemory(mcu27MemoryOfSpecialByte(HARDWARE_BYTE));
  try {
    CcanProtocol::rewriteHardwareByte(keep, set);
  } catch (...) {
    // The buffers stay on the caller's memory; the next range or special
    // byte selects the target's memory again itself.
    device().selectMemory(static_cast<std::uint8_t>(saved));
    throw;
  }
  m.selectMemory(saved);
}

void CcanProtocolMcu27::setSecurityLevel1() { fail(STATUS_NOT_IMPLEMENTED); }
void CcanProtocolMcu27::setSecurityLevel2() { fail(STATUS_NOT_IMPLEMENTED); }
void CcanProtocolMcu27::startApplication(bool, int) { fail(STATUS_NOT_IMPLEMENTED); }

int CcanProtocolMcu27::memoryOfSpecialByte(int specialByteId) { return mcu27MemoryOfSpecialByte(specialByteId); }

int CcanProtocolMcu27::memoryOfSpecialByteKey(const std::string& key) { return mcu27MemoryOfSpecialByteKey(key); }
