#include "flashcore/protocols/can_protocol.h"

#include "flashcore/core/command_manager.h"
#include "flashcore/core/device.h"
#include "flashcore/core/hex_text.h"
#include "flashcore/core/special_bytes.h"
#include "flashcore/core/transport.h"
#include "platform/win/ticks.h"

namespace {

// Data texts of the special-byte reads (on identifier 5) and writes (on
// identifier 4, "VV" the value), by special-byte id; empty: not writable.
constexpr const char* kReadSpecial[SPECIAL_BYTE_COUNT] = {
    "020000", "020101", "020105", "020100", "020200", "020106", "020001", "020002", "020130", "020131",
    "020160", "020161", "02011C", "02011D", "02011E", "02011F", "020120", "020102", "020103", "020104"};
constexpr const char* kWriteSpecial[SPECIAL_BYTE_COUNT] = {
    "",         "030101VV", "",         "030100VV", "030200VV", "030106VV", "",
    "",         "",         "",         "",         "",         "03011CVV", "03011DVV",
    "03011EVV", "03011FVV", "030120VV", "030102VV", "030103VV", "030104VV"};

// Hardware-byte bits of the three fuses.
constexpr std::uint8_t kFuse0 = 0x20;
constexpr std::uint8_t kFuse1 = 0x40;
constexpr std::uint8_t kFuse2 = 0x80;

// Boot-loader answers to a data frame.
constexpr std::uint8_t kAckMoreData = 0x02;
constexpr std::uint8_t kAckRangeDone = 0x00;

void replacePlaceholder(std::string& text, const char* placeholder, const std::string& value) {
  const size_t at = text.find(placeholder);
  if (at != std::string::npos) text.replace(at, std::char_traits<char>::length(placeholder), value);
}

bool isHexByteText(const std::string& text) {
  return text.size() == 2 && hexDigitValue(text[0]) >= 0 && hexDigitValue(text[1]) >= 0;
}

}  // namespace

CcanProtocol::CcanProtocol() : message_(std::make_unique<CanMessage>()) {
  recordSize = 8;
  blockSize = 1024;
  readCodeFlash = "00";
  readCodeEeprom = "02";
  programCodeFlash = "00";
  programCodeEeprom = "01";
  cris = 0;
  CcanProtocol::buildCommandIds(cris);
}

CcanProtocol::~CcanProtocol() = default;

void CcanProtocol::buildCommandIds(std::uint8_t newCris) {
  if (newCris > 0x7F) fail(STATUS_INVALID_CRIS_VALUE);
  const std::uint32_t base = newCris * 16u;
  for (std::uint32_t k = 0; k < canIds.size(); ++k) canIds[k] = toHexString(base + k, 3);
  buildRecords();
}

void CcanProtocol::buildRecords() {
  nodeFrame = canIds[0] + "01FF";
  programCommand = canIds[1] + "05MMXXXXYYYY";
  programRecord = canIds[2] + "LL";
  readRangeRecord = canIds[3] + "05MMXXXXYYYY";
  blankCheckRecord = canIds[3] + "0501XXXXYYYY";
  const char* const blocks[] = {"020000", "020020", "020040", "020080", "0200C0"};
  for (size_t b = 0; b < eraseBlockRecord.size(); ++b) eraseBlockRecord[b] = canIds[4] + blocks[b];
  eraseDeviceRecord = canIds[4] + "0200FF";
  securityLevel1Record = canIds[4] + "030105FE";
  securityLevel2Record = canIds[4] + "030105FC";
  startResetRecord = canIds[4] + "020300";
  startAddressRecord = canIds[4] + "040301XXXX";
  for (int id = 0; id < SPECIAL_BYTE_COUNT; ++id) {
    readSpecialRecords[static_cast<size_t>(id)] = canIds[5] + kReadSpecial[id];
    const std::string write = kWriteSpecial[id];
    writeSpecialRecords[static_cast<size_t>(id)] = write.empty() ? std::string() : canIds[4] + write;
  }
}

// --- one request and its reply

void CcanProtocol::writeFrame(const std::string& frame) {
  if (!transport().write(frame)) fail(STATUS_CANNOT_WRITE_TO_PORT);
}

void CcanProtocol::readReply(int timeoutMs) { transport().readCan(message_.get(), timeoutMs); }

std::string CcanProtocol::replyText() const {
  if (message_->length == 0) return "pass";
  std::string text;
  for (std::uint8_t i = 0; i < message_->length && i < 8; ++i) text += toHexString(message_->data[i], 2);
  return text;
}

void CcanProtocol::checkReply(int requireOk, int storeResult) {
  const bool askedOnRefusalId = expectedReplyId.size() >= 3 && expectedReplyId[2] == '6';
  if (message_->id % 16 == 6 && !askedOnRefusalId) fail(STATUS_DEVICE_PROTECTION_ERROR_3);
  if (toHexString(message_->id, 3) != expectedReplyId) fail(STATUS_CAN_MESSAGE_ID_ERROR);
  const std::string text = replyText();
  if (requireOk != 0 && text != "00") fail(STATUS_CANNOT_EXECUTE_COMMAND_2);
  if (storeResult != 0) manager().setLastResult(text);
}

void CcanProtocol::exchange(const std::string& frame, int timeoutMs, bool storeResult, bool requireOk) {
  expectedReplyId = frame.substr(0, 3);
  writeFrame(frame);
  readReply(timeoutMs);
  checkReply(requireOk, storeResult);
}

void CcanProtocol::transact(std::string frame, std::uint16_t timeoutMs, bool storeResult, bool requireTerminator) {
  exchange(frame, timeoutMs, storeResult, requireTerminator);
}

void CcanProtocol::requireNodeOpen() {
  if (!device().canNodeOpen()) fail(STATUS_CAN_NODE_CLOSED);
}

void CcanProtocol::requireRecord(const std::string& record) {
  if (record.empty()) fail(STATUS_NOT_IMPLEMENTED);
}

std::string CcanProtocol::rangeFrame(std::string frame, const std::string& flashCode, const std::string& eepromCode,
                                     std::uint32_t from, std::uint32_t to) const {
  if (frame.find("MM") != std::string::npos) {
    switch (device().selectedMemory()) {
      case 0: replacePlaceholder(frame, "MM", flashCode); break;
      case 1: replacePlaceholder(frame, "MM", eepromCode); break;
      default: fail(STATUS_INVALID_MEMORY_CONFIGURATION);
    }
  }
  replacePlaceholder(frame, "XXXX", toHexString(from, 4));
  replacePlaceholder(frame, "YYYY", toHexString(to, 4));
  return frame;
}

// --- node, special bytes, fuses

void CcanProtocol::selectCanNode(std::uint8_t node) {
  std::string frame = nodeFrame;
  frame.replace(5, 2, toHexString(node, 2));
  exchange(frame, 1000, true, false);
  // The second data byte tells the node's state; a reply without it says
  // nothing about the node, which then counts as closed.
  if (reply().length < 2) {
    device().setCanNodeOpen(false);
    fail(STATUS_INVALID_BOOTLOADER_REPLY);
  }
  const bool open = reply().data[1] != 0;
  device().setCanNodeOpen(open);
  if (!open) fail(STATUS_CAN_NODE_CLOSED);
}

void CcanProtocol::enterIspMode(std::uint8_t flag, int) { selectCanNode(flag); }

void CcanProtocol::readSpecial(const std::string& record) {
  expectedReplyId = record.substr(0, 3);
  requireNodeOpen();
  requireRecord(record);
  exchange(record, 1000, true, false);
}

void CcanProtocol::writeSpecial(const std::string& record, const std::string& valueHex) {
  expectedReplyId = record.substr(0, 3);
  requireNodeOpen();
  requireRecord(record);
  std::string frame = record;
  replacePlaceholder(frame, "VV", valueHex);
  exchange(frame, 1000, false, true);
}

void CcanProtocol::rewriteHardwareByte(std::uint8_t keep, std::uint8_t set) {
  readSpecial(readSpecialRecords[HARDWARE_BYTE]);
  // Only a one-byte value may be changed and written back: a reply of
  // another size would write a made-up byte.
  const std::string value = manager().lastResult();
  if (!isHexByteText(value)) fail(STATUS_INVALID_BOOTLOADER_REPLY);
  const std::uint32_t changed = (hexTextValue(value) & keep) | set;
  writeSpecial(writeSpecialRecords[HARDWARE_BYTE], toHexString(changed, 2));
}

void CcanProtocol::enableFuse0() { rewriteHardwareByte(static_cast<std::uint8_t>(~kFuse0), 0); }
void CcanProtocol::enableFuse1() { rewriteHardwareByte(static_cast<std::uint8_t>(~kFuse1), 0); }
void CcanProtocol::enableFuse2() { rewriteHardwareByte(static_cast<std::uint8_t>(~kFuse2), 0); }
void CcanProtocol::disableFuse0() { rewriteHardwareByte(0xFF, kFuse0); }
void CcanProtocol::disableFuse1() { rewriteHardwareByte(0xFF, kFuse1); }
void CcanProtocol::disableFuse2() { rewriteHardwareByte(0xFF, kFuse2); }
// The hardware byte holds no SelBoot fuse: a part that lacks the fuse says
// so, as over USB, instead of reporting a switch that never happened.
void CcanProtocol::enableFuse3() { fail(STATUS_NOT_IMPLEMENTED); }
void CcanProtocol::disableFuse3() { fail(STATUS_NOT_IMPLEMENTED); }

// --- erasing and security

void CcanProtocol::eraseDevice() { exchange(eraseDeviceRecord, replyTimeout(10000), false, true); }

void CcanProtocol::eraseBlock(int block) {
  requireNodeOpen();
  if (!manager().checkBlockIndex(static_cast<std::uint8_t>(block))) fail(STATUS_CANNOT_EXECUTE_COMMAND);
  if (block < 0 || block >= static_cast<int>(eraseBlockRecord.size())) fail(STATUS_NOT_IMPLEMENTED);
  exchange(eraseBlockRecord[static_cast<size_t>(block)], replyTimeout(10000), false, true);
}

// The boot loader has no such command: the record is empty.
void CcanProtocol::eraseSbvBsb() {
  requireNodeOpen();
  requireRecord(eraseSbvBsbRecord);
  exchange(eraseSbvBsbRecord, 1000, false, true);
}

void CcanProtocol::setSecurityLevel1() {
  requireNodeOpen();
  exchange(securityLevel1Record, 1000, false, true);
}

void CcanProtocol::setSecurityLevel2() {
  requireNodeOpen();
  exchange(securityLevel2Record, 1000, false, true);
}

// --- ranges

void CcanProtocol::programRange(int page, std::uint32_t from, std::uint32_t to) {
  manager().addProgress(0.0f);
  requireNodeOpen();
  programFrames(page, from, to, replyTimeout(1000));
  device().onProgrammed();
  manager().addProgress(0.0f);
}

void CcanProtocol::programFrames(int page, std::uint32_t from, std::uint32_t to, int startTimeoutMs) {
  exchange(rangeFrame(programCommand, programCodeFlash, programCodeEeprom, from, to), startTimeoutMs, false, false);
  rangeTo_ = to;
  programRecords(page, from, to);
}

// Stop and wait: one frame of at most eight bytes, then its answer, 02 while
// the boot loader expects more data of the range and 00 after the last.
void CcanProtocol::programBlock(int page, std::uint32_t from, std::uint32_t to) {
  lastBlock = to == rangeTo_;
  std::string frame = programRecord;
  replacePlaceholder(frame, "LL", toHexString(to - from + 1, 2));
  const Cdevice& part = device();
  for (std::uint32_t a = from; a <= to; ++a)
    frame += toHexString(hexTextValue(part.readBufferByte(page, static_cast<int>(a))) & 0xFFu, 2);
  expectedReplyId = canIds[2];
  writeFrame(frame);
  readReply(replyTimeout(2000));
  checkReply(0, 0);
  const std::uint8_t expected = lastBlock ? kAckRangeDone : kAckMoreData;
  if (reply().length == 0 || reply().data[0] != expected) fail(STATUS_INVALID_BOOTLOADER_REPLY);
}

void CcanProtocol::blankCheckRange(int page, std::uint32_t from, std::uint32_t to) {
  requireNodeOpen();
  const std::string frame = rangeFrame(blankCheckRecord, "", "", from, to);
  expectedReplyId = canIds[3];
  writeFrame(frame);
  readReply(replyTimeout(5000));
  checkReply(0, 0);
  replyLength = reply().length;
  // No data: blank. Two bytes: the first address that is not.
  if (replyLength == 0) return;
  if (replyLength != 2) fail(STATUS_INVALID_BOOTLOADER_REPLY);
  manager().setLastResult(toHexString(static_cast<std::uint32_t>(page), 2) + toHexString(reply().data[0], 2) +
                          toHexString(reply().data[1], 2));
  fail(STATUS_BLANK_CHECK_ERROR);
}

// One request for the range, then replies of up to eight bytes each until
// the range is covered. A reply that is empty or runs past the range is no
// answer to this request.
void CcanProtocol::readBlock(int page, std::uint32_t from, std::uint32_t to, int verify) {
  requireNodeOpen();
  const std::string frame = rangeFrame(readRangeRecord, readCodeFlash, readCodeEeprom, from, to);
  expectedReplyId = canIds[3];
  std::uint32_t remaining = to - from + 1;
  std::uint32_t address = from;
  writeFrame(frame);
  bool differed = false;
  Cdevice& part = device();
  while (remaining != 0) {
    readReply(replyTimeout(5000));
    checkReply(0, 0);
    const std::uint8_t count = reply().length;
    if (count == 0 || count > 8 || count > remaining) fail(STATUS_INVALID_BOOTLOADER_REPLY);
    remaining -= count;
    replyLength = count;
    for (std::uint8_t i = 0; i < count; ++i) {
      const int at = static_cast<int>(address + i);
      if (verify == 0) {
        part.writeBufferByte(page, at, toHexString(reply().data[i], 2));
      } else if ((hexTextValue(part.readBufferByte(page, at)) & 0xFFu) != reply().data[i]) {
        manager().setLastResult(toHexString(address + i, 4));
        differed = true;
        break;
      }
    }
    address += count;
  }
  if (differed) fail(STATUS_VERIFY_ERROR);
}

void CcanProtocol::startApplication(bool reset, int address) {
  std::string frame = startResetRecord;
  if (!reset) {
    if (address < 0 || address > 0xFFFF) fail(STATUS_ADDRESS_OUT_OF_RANGE_ERROR);
    frame = startAddressRecord;
    replacePlaceholder(frame, "XXXX", toHexString(static_cast<std::uint32_t>(address), 4));
  }
  writeFrame(frame);  // the application runs: no reply
  platform::win::Sleep(300);
}

// --- the rest of the operation set

void CcanProtocol::setReplyLength(std::uint8_t length) { replyLength = length; }

std::string CcanProtocol::extractReplyValue(const std::string& reply) {
  const size_t end = reply.find(replyTerminator);
  if (end == std::string::npos || end < 2) return {};
  return reply.substr(end - 2, 2);
}

std::uint8_t CcanProtocol::canNode() { return cris; }

void CcanProtocol::noOperation() {}
