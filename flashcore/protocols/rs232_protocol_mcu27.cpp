#include "flashcore/protocols/rs232_protocol_mcu27.h"

#include <vector>

#include "flashcore/core/command_manager.h"
#include "flashcore/core/device.h"
#include "flashcore/core/hex_text.h"
#include "flashcore/core/special_bytes.h"
#include "flashcore/core/transport.h"
#include "flashcore/protocols/mcu27_special_bytes.h"

namespace {

constexpr int kSpecialReplySize = 128;
constexpr int kSpecialReplyLength = 30;  // echo, CR LF and "0000=HH"
constexpr char kSpecialReplyEnd = 'W';

}  // namespace

Crs232ProtocolMcu27::Crs232ProtocolMcu27() {
  recordSize = 64;
  readLineSize = 16;
  memorySelectRecord = ":02000004MM00";
  pageSelectRecord = ":02000002S000";
  eraseBlockRecord = {":050000040000000002F5", ":050000040001000002F4", ":050000040002000002F3",
                      ":050000040003000002F2", ":050000040004000002F1"};
  eraseDeviceRecord = ":0500000400FF000002F6";
  readSpecialRecords[BOOTLOADER_VERSION] = ":050000040000000000F7";
}

void Crs232ProtocolMcu27::selectMemory(int memory) {
  std::string record = memorySelectRecord;
  record.replace(9, 2, toHexString(static_cast<std::uint32_t>(memory) & 0xFFu, 2));
  transact(withChecksum(record), 1000, false, true);
}

void Crs232ProtocolMcu27::selectPage(int page) {
  // A segment of page * 0x1000 addresses the 64 KB page.
  std::string record = pageSelectRecord;
  record.replace(9, 2, toHexString((static_cast<std::uint32_t>(page) * 16) & 0xFFu, 2));
  transact(withChecksum(record), 1000, false, true);
}

void Crs232ProtocolMcu27::selectMemoryPage(int memory, int page) {
  selectMemory(memory);
  selectPage(page);
}

void Crs232ProtocolMcu27::readSpecial(const std::string& record) {
  if (record.empty()) fail(STATUS_NOT_IMPLEMENTED);
  writeFrame(record);
  std::vector<char> buffer(kSpecialReplySize, '\0');
  transport().readRs232(buffer.data(), kSpecialReplyLength, kSpecialReplyEnd,
                        serialTimeout(replyTimeout(5000)));
  const std::string reply(buffer.data());
  if (reply.empty()) fail(STATUS_TIMEOUT_ERROR);
  if (reply == "error") fail(STATUS_READING_ERROR);
  // The value follows the first "=" of the display line.
  const size_t eq = reply.find('=');
  const size_t at = eq == std::string::npos ? 0 : eq + 1;
  if (at + 2 > reply.size()) fail(STATUS_WRONG_TARGET_REPLY);
  manager().setLastResult(reply.substr(at, 2));
}

void Crs232ProtocolMcu27::programRange(int page, std::uint32_t from, std::uint32_t to) {
  manager().addProgress(0.0f);
  programRecords(page, from, to);
  manager().addProgress(0.0f);
}

void Crs232ProtocolMcu27::programBlock(int page, std::uint32_t from, std::uint32_t to) {
  // The memory was chosen by the selection records: type 00 for all.
  const Cdevice& part = device();
  std::string text = toHexString(to - from + 1, 2) + toHexString(from, 4) + "00";
  for (std::uint32_t a = from; a <= to; ++a)
    text += toHexString(hexTextValue(part.readBufferByte(page, static_cast<int>(a))) & 0xFFu, 2);
  transact(withChecksum(":" + text), serialTimeout(replyTimeout(2000)), false, true);
}

void Crs232ProtocolMcu27::readBlock(int page, std::uint32_t from, std::uint32_t to, int verify) {
  DisplayRead how;
  how.selectMemory = false;  // the template's "00": the selected memory
  readDisplay(page, from, to, verify, how);
}

int Crs232ProtocolMcu27::memoryOfSpecialByte(int specialByteId) { return mcu27MemoryOfSpecialByte(specialByteId); }

int Crs232ProtocolMcu27::memoryOfSpecialByteKey(const std::string& key) { return mcu27MemoryOfSpecialByteKey(key); }

Crs232ProtocolOcd::Crs232ProtocolOcd() { recordSize = 128; }
