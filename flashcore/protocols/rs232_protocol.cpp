#include "flashcore/protocols/rs232_protocol.h"

#include <vector>

#include "flashcore/core/command_manager.h"
#include "flashcore/core/device.h"
#include "flashcore/core/hex_text.h"
#include "flashcore/core/transport.h"
#include "platform/win/ticks.h"

namespace {

// Two upper-case digits of a byte text's value: what goes into a record
// whatever text the image holds ("3c", "A").
std::string recordByte(const std::string& text) { return toHexString(hexTextValue(text) & 0xFFu, 2); }

bool isHexPair(const std::string& reply, size_t at) {
  return at + 1 < reply.size() && hexDigitValue(reply[at]) >= 0 && hexDigitValue(reply[at + 1]) >= 0;
}

}  // namespace

Crs232Protocol::Crs232Protocol() {
  syncText = "U";
  syncChar = 'U';
  replyTerminator = '.';
  checksumErrorMark = "X";
  protectionMark = "P";
  protectionMark2 = "L";
  readRangeRecord = ":05000004AAAABBBB00";
  readCodeFlash = "00";
  readCodeEeprom = "02";
  readCodeCustom = "03";
  eraseDeviceRecord = ":0100000307F5";
  blankCheckRecord = ":05000004AAAABBBB01";
  eraseBlockRecord = {":020000030100FA", ":020000030120DA", ":020000030140BA", ":0200000301807A",
                      ":0200000301C03A"};
  eraseSbvBsbRecord = ":020000030400F7";
  programRecord = ":LLAAAA00";
  programCodeFlash = "00";
  programCodeEeprom = "07";
  programCodeCustom = "08";
  writeSpecialRecords[1] = ":030000030601";  // SOFTWARE_BOOT_VECTOR
  writeSpecialRecords[3] = ":030000030600";  // BOOT_STATUS_BYTE
  writeSpecialRecords[5] = ":030000030606";  // EXTRA_BYTE
  readSpecialRecords = {":020000050F00EA", ":020000050702F0", ":020000050700F2", ":020000050701F1",
                        ":020000050B00EE", ":020000050706EC", ":020000050E00EB", ":020000050E01EA",
                        ":020000050000F9", ":020000050001F8", ":020000050002F7", ":020000050003F6"};
  // Fuse masks 02, 04, 08, 01; the value 00 enables, 01 disables.
  enableFuseRecords = {":030000030A0200EE", ":030000030A0400EC", ":030000030A0800E8", ":030000030A0100EF"};
  disableFuseRecords = {":030000030A0201ED", ":030000030A0401EB", ":030000030A0801E7", ":030000030A0101EE"};
  securityLevel1Record = ":020000030500F6";
  securityLevel2Record = ":020000030501F5";
  startResetRecord = ":020000030300F8";
  startAddressRecord = ":0400000303010000F5";
  pageSelectRecord = ":xxyy";
  recordSize = 16;
  readLineSize = 16;
  blockSize = 1024;
}

std::string Crs232Protocol::withChecksum(const std::string& record) {
  return record + manager().hexChecksum(record.substr(1));
}

const std::string& Crs232Protocol::memoryCode(const std::string& flash, const std::string& eeprom,
                                              const std::string& custom) {
  switch (device().selectedMemory()) {
    case 0: return flash;
    case 1: return eeprom;
    case 2: return custom;
    default: fail(STATUS_INVALID_MEMORY_CONFIGURATION);
  }
}

void Crs232Protocol::writeFrame(const std::string& frame) {
  if (!transport().write(frame)) fail(STATUS_CANNOT_WRITE_TO_PORT);
}

void Crs232Protocol::transact(std::string frame, std::uint16_t timeoutMs, bool storeResult, bool requireTerminator) {
  writeFrame(frame);
  std::vector<char> buffer(kCommandReplySize, '\0');
  transport().readRs232(buffer.data(), kCommandReplySize - 1, '\n', timeoutMs);
  const std::string reply(buffer.data());
  if (reply.empty()) fail(STATUS_TIMEOUT_ERROR);
  if (reply == "error") fail(STATUS_READING_ERROR);
  checkReply(reply, requireTerminator);
  if (storeResult) {
    // The value is the two characters before the terminator.
    const size_t end = reply.find(replyTerminator);
    if (end == std::string::npos || end < 2) fail(STATUS_WRONG_TARGET_REPLY);
    manager().setLastResult(extractReplyValue(reply));
  }
}

void Crs232Protocol::checkReply(const std::string& reply, int requireTerminator) {
  const auto holds = [&reply](const std::string& mark) {
    return !mark.empty() && reply.find(mark) != std::string::npos;
  };
  if (holds(checksumErrorMark)) fail(STATUS_CHECKSUM_ERROR);
  if (holds(protectionMark)) fail(STATUS_DEVICE_PROTECTION_ERROR);
  if (holds(protectionMark2)) fail(STATUS_DEVICE_PROTECTION_ERROR_2);
  if (requireTerminator != 0 && reply.find(replyTerminator) == std::string::npos) fail(STATUS_TIMEOUT_ERROR);
}

std::string Crs232Protocol::extractReplyValue(const std::string& reply) {
  const size_t end = reply.find(replyTerminator);
  if (end == std::string::npos || end < 2) return {};
  return reply.substr(end - 2, 2);
}

void Crs232Protocol::syncTarget() { syncOnce(syncText, syncChar); }

void Crs232Protocol::syncOnce(const std::string& text, char expected) {
  writeFrame(text);
  char buffer[kSyncReplySize] = {};
  transport().readRs232(buffer, kSyncReplySize - 1, expected, 1000);
  const std::string reply(buffer);
  if (reply == "error") fail(STATUS_READING_ERROR);
  if (reply.empty()) fail(STATUS_TIMEOUT_ERROR);
  if (reply.find(expected) == std::string::npos) fail(STATUS_FRAMING_ERROR);
}

void Crs232Protocol::syncRepeatedly(int retries, std::uint16_t timeoutMs) {
  for (int attempt = 0;; ++attempt) {
    writeFrame(syncText);
    char buffer[kSyncReplySize] = {};
    transport().readRs232(buffer, kSyncReplySize - 1, syncChar, timeoutMs);
    const std::string reply(buffer);
    if (reply == "error") fail(STATUS_READING_ERROR);
    if (reply.find(syncChar) != std::string::npos) {
      manager().setStatus(STATUS_PASS);
      return;
    }
    if (attempt >= retries) fail(STATUS_TIMEOUT_ERROR);
  }
}

void Crs232Protocol::readSpecial(const std::string& record) {
  if (record.empty()) fail(STATUS_NOT_IMPLEMENTED);
  transact(record, 1000, true, true);
}

void Crs232Protocol::writeSpecial(const std::string& record, const std::string& valueHex) {
  if (record.empty()) fail(STATUS_NOT_IMPLEMENTED);
  transact(withChecksum(record + valueHex), 1000, false, true);
}

void Crs232Protocol::eraseBlock(int block) {
  if (!manager().checkBlockIndex(static_cast<std::uint8_t>(block))) fail(STATUS_CANNOT_EXECUTE_COMMAND);
  if (block < 0 || block >= static_cast<int>(eraseBlockRecord.size())) fail(STATUS_NOT_IMPLEMENTED);
  transact(eraseBlockRecord[static_cast<size_t>(block)], serialTimeout(replyTimeout(3000)), false, true);
}

void Crs232Protocol::eraseSbvBsb() { transact(eraseSbvBsbRecord, 1000, false, true); }

void Crs232Protocol::setSecurityLevel1() { transact(securityLevel1Record, 1000, false, true); }

void Crs232Protocol::setSecurityLevel2() { transact(securityLevel2Record, 1000, false, true); }

void Crs232Protocol::sendFuseRecord(const std::string& record) { transact(record, 3000, false, true); }

void Crs232Protocol::fuseNotImplemented() { fail(STATUS_NOT_IMPLEMENTED); }

void Crs232Protocol::enableFuse0() { sendFuseRecord(enableFuseRecords[0]); }
void Crs232Protocol::enableFuse1() { sendFuseRecord(enableFuseRecords[1]); }
void Crs232Protocol::enableFuse2() { sendFuseRecord(enableFuseRecords[2]); }
void Crs232Protocol::enableFuse3() { sendFuseRecord(enableFuseRecords[3]); }
void Crs232Protocol::disableFuse0() { sendFuseRecord(disableFuseRecords[0]); }
void Crs232Protocol::disableFuse1() { sendFuseRecord(disableFuseRecords[1]); }
void Crs232Protocol::disableFuse2() { sendFuseRecord(disableFuseRecords[2]); }
void Crs232Protocol::disableFuse3() { sendFuseRecord(disableFuseRecords[3]); }

void Crs232Protocol::startApplication(bool reset, int address) {
  std::string record;
  if (reset) {
    record = startResetRecord;
  } else if (!startAddressRecord.empty()) {
    if (address < 0 || address > 0xFFFF) fail(STATUS_ADDRESS_OUT_OF_RANGE_ERROR);
    record = withChecksum(startAddressRecord.substr(0, 13) + toHexString(static_cast<std::uint32_t>(address), 4));
  }
  // A boot loader without start records cannot be asked to start.
  if (record.empty()) fail(STATUS_NOT_IMPLEMENTED);
  writeFrame(record);
  platform::win::Sleep(300);
}

void Crs232Protocol::programRange(int page, std::uint32_t from, std::uint32_t to) {
  manager().addProgress(0.0f);
  programRecords(page, from, to);
  device().onProgrammed();
  manager().addProgress(0.0f);
}

void Crs232Protocol::programBlock(int page, std::uint32_t from, std::uint32_t to) {
  const std::string& type = memoryCode(programCodeFlash, programCodeEeprom, programCodeCustom);
  const Cdevice& part = device();
  std::string text = toHexString(to - from + 1, 2) + toHexString(from, 4) + type;
  text.reserve(text.size() + 2 * (to - from + 1) + 2);
  for (std::uint32_t a = from; a <= to; ++a) text += recordByte(part.readBufferByte(page, static_cast<int>(a)));
  transact(withChecksum(":" + text), serialTimeout(replyTimeout(2000)), false, true);
}

void Crs232Protocol::blankCheckRange(int page, std::uint32_t from, std::uint32_t to) {
  blankCheckWith(blankCheckRecord, page, from, to);
}

void Crs232Protocol::blankCheckWith(const std::string& recordTemplate, int page, std::uint32_t from, std::uint32_t to) {
  std::string record = recordTemplate;
  record.replace(9, 4, toHexString(from, 4));
  record.replace(13, 4, toHexString(to, 4));
  writeFrame(withChecksum(record));
  char buffer[kBlankCheckReplySize] = {};
  transport().readRs232(buffer, kBlankCheckReplySize - 1, '\n', serialTimeout(replyTimeout(5000)));
  const std::string reply(buffer);
  if (reply.empty() || reply == "error") fail(STATUS_TIMEOUT_ERROR);
  checkReply(reply, 0);
  // Behind the 21-character echo a loader names the first written address.
  if (reply.size() >= 25) {
    manager().setLastResult(toHexString(static_cast<std::uint32_t>(page), 1) + reply.substr(21, 4));
    fail(STATUS_BLANK_CHECK_ERROR);
  }
}

void Crs232Protocol::readBlock(int page, std::uint32_t from, std::uint32_t to, int verify) {
  readDisplay(page, from, to, verify, DisplayRead{});
}

void Crs232Protocol::readDisplay(int page, std::uint32_t from, std::uint32_t to, int verify, const DisplayRead& how) {
  std::string record = readRangeRecord;
  record.replace(9, 4, toHexString(from, 4));
  record.replace(13, 4, toHexString(to, 4));
  if (how.selectMemory) record.replace(17, 2, memoryCode(readCodeFlash, readCodeEeprom, readCodeCustom));
  record = withChecksum(record);

  // The echo with CR LF, then per line: address, "=", two digits a byte, CR LF.
  const std::uint32_t n = to - from + 1;
  const std::uint32_t lineSize = readLineSize == 0 ? 16 : readLineSize;
  const std::uint32_t rest = n % lineSize;
  const std::uint32_t expected = rest == 0 ? (n / lineSize) * (2 * lineSize + 7) + 23
                                           : ((n - rest) / lineSize) * (2 * lineSize + 7) + 2 * rest + 30;

  writeFrame(record);
  if (!how.extraFrame.empty()) writeFrame(how.extraFrame);
  std::vector<char> buffer(kCommandReplySize, '\0');
  const int maxLength = expected < kCommandReplySize ? static_cast<int>(expected) : kCommandReplySize - 1;
  transport().readRs232(buffer.data(), maxLength, how.terminator, serialTimeout(replyTimeout(5000)));
  const std::string reply(buffer.data());
  if (reply.empty()) fail(STATUS_TIMEOUT_ERROR);
  if (reply == "error") fail(STATUS_READING_ERROR);
  checkReply(reply, 0);
  if (verify == 0)
    parseReadReply(page, reply, from, to);
  else
    verifyReadReply(page, reply, from, to);
}

template <class PerByte>
void Crs232Protocol::walkDisplayReply(const std::string& reply, std::uint32_t from, std::uint32_t to,
                                      bool lastLineMayEnd, PerByte perByte) {
  std::uint32_t next = from;
  size_t search = 0;
  for (size_t eq = reply.find('=', search); eq != std::string::npos; eq = reply.find('=', search)) {
    // The four digits before "=" give the line's address.
    if (eq < 4) fail(STATUS_WRONG_TARGET_REPLY);
    std::uint32_t lineAddress = 0;
    for (size_t i = eq - 4; i < eq; ++i) {
      const int digit = hexDigitValue(reply[i]);
      if (digit < 0) fail(STATUS_WRONG_TARGET_REPLY);
      lineAddress = lineAddress * 16 + static_cast<std::uint32_t>(digit);
    }
    if (lineAddress != next) fail(STATUS_WRONG_TARGET_REPLY);
    const size_t lineFeed = reply.find('\n', eq);
    if (lineFeed == std::string::npos && !lastLineMayEnd) fail(STATUS_WRONG_TARGET_REPLY);
    const size_t lineEnd = lineFeed == std::string::npos ? reply.size() : lineFeed;
    // Pairs start from eq + 1 while the start is at most lineEnd - 2.
    for (size_t at = eq + 1; at + 2 <= lineEnd; at += 2) {
      if (!isHexPair(reply, at) || next > to) fail(STATUS_WRONG_TARGET_REPLY);
      perByte(next, reply.substr(at, 2));
      ++next;
    }
    search = eq + 1;
  }
  if (next != to + 1) fail(STATUS_WRONG_TARGET_REPLY);
}

void Crs232Protocol::parseReadReply(int page, const std::string& reply, std::uint32_t from, std::uint32_t to) {
  Cdevice& part = device();
  walkDisplayReply(reply, from, to, false, [&](std::uint32_t address, const std::string& pair) {
    part.writeBufferByte(page, static_cast<int>(address), pair);
  });
}

void Crs232Protocol::verifyReadReply(int page, const std::string& reply, std::uint32_t from, std::uint32_t to) {
  const Cdevice& part = device();
  walkDisplayReply(reply, from, to, true, [&](std::uint32_t address, const std::string& pair) {
    const std::uint32_t expected = hexTextValue(part.readBufferByte(page, static_cast<int>(address))) & 0xFFu;
    if (hexTextValue(pair) != expected) {
      manager().setLastResult(toHexString(address, 4));
      fail(STATUS_VERIFY_ERROR);
    }
  });
}
