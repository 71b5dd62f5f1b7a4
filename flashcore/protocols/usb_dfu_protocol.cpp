#include "flashcore/protocols/usb_dfu_protocol.h"

#include <numeric>

#include "flashcore/core/command_manager.h"
#include "flashcore/core/device.h"
#include "flashcore/core/hex_text.h"
#include "flashcore/core/special_bytes.h"
#include "flashcore/core/transport.h"
#include "flashcore/protocols/mcu27_special_bytes.h"
#include "platform/win/ticks.h"

namespace {

std::string hex2(std::uint32_t value) { return toHexString(value & 0xFFu, 2); }
std::string hex4(std::uint32_t value) { return toHexString(value & 0xFFFFu, 4); }

// A 16-bit field of the setup packet goes low byte first.
std::string lowByteFirst(const std::string& fourDigits) { return fourDigits.substr(2, 2) + fourDigits.substr(0, 2); }

// Two upper-case digits of a byte text's value, whatever text the image holds.
std::string frameByte(const std::string& text) { return hex2(hexTextValue(text)); }

}  // namespace

CusbDfuProtocol::CusbDfuProtocol() {
  std::iota(dfuStatusCodes.begin(), dfuStatusCodes.end(), std::uint8_t{0});
  std::iota(dfuStateCodes.begin(), dfuStateCodes.end(), std::uint8_t{0});

  // The serial-line marks of the record protocol; no USB operation reads them.
  syncText = "U";
  syncChar = 'U';
  replyTerminator = '.';
  checksumErrorMark = "X";
  protectionMark = "P";
  protectionMark2 = "L";

  eraseDeviceRecord = "0400FF";
  eraseBlockRecord = {"040000", "040020", "040040", "040080", "0400C0"};
  blankCheckRecord = "0301";
  readRangeRecord = "03MM";
  readCodeFlash = "00";
  readCodeEeprom = "02";
  programCommand = "01";
  programCodeFlash = "00";
  programCodeEeprom = "01";
  securityLevel1Record = "040105";
  securityLevel2Record = "040105";
  startResetRecord = "040300";
  startAddressRecord = "040301";
  pageSelectRecord = "xxyy";
  readSpecialRecords = {"050000", "050101", "050105", "050100", "050200", "050106", "050001",
                        "050002", "050130", "050131", "050160", "050161", "",       "",
                        "",       "",       "",       "050102", "050103", "050104"};
  writeSpecialRecords[SOFTWARE_BOOT_VECTOR] = "040101";
  writeSpecialRecords[BOOT_STATUS_BYTE] = "040100";
  writeSpecialRecords[HARDWARE_BYTE] = "040200";
  writeSpecialRecords[EXTRA_BYTE] = "040106";
  writeSpecialRecords[P1_CONF] = "040102";
  writeSpecialRecords[P3_CONF] = "040103";
  writeSpecialRecords[P4_CONF] = "040104";
  blockSize = 1024;
  recordSize = 2048;
  readLineSize = 2048;
}

// --- requests

void CusbDfuProtocol::advanceBlockNumber() {
  blockNumber = static_cast<std::uint16_t>((blockNumber + static_cast<std::uint32_t>(blockNumberLimit)) %
                                           (static_cast<std::uint32_t>(blockNumberLimit) + 1u));
}

void CusbDfuProtocol::buildSetupText(std::string* out, std::string request, int length, bool zeroValue) {
  std::string value = "0000";
  if (!zeroValue) {
    value = lowByteFirst(hex4(blockNumber));
    advanceBlockNumber();
  }
  *out = request + value + lowByteFirst(dfuRequests.interfaceIndex) +
         lowByteFirst(hex4(static_cast<std::uint32_t>(length)));
}

std::string CusbDfuProtocol::setupText(const std::string& request, int length, bool zeroValue) {
  std::string text;
  buildSetupText(&text, request, length, zeroValue);
  return text;
}

void CusbDfuProtocol::download(const std::string& dataText, int timeoutMs) {
  std::string setup = setupText(dfuRequests.downloadRequest, static_cast<int>(dataText.size() / 2), false);
  if (!transport().writeUsb(setup, dataText, timeoutMs)) fail(STATUS_CANNOT_WRITE_USB_DEVICE);
}

bool CusbDfuProtocol::pollStatus(int timeoutMs) {
  constexpr int kStatusLength = 6;
  std::string setup = setupText(dfuRequests.getStatusRequest, kStatusLength, true);
  const std::uint32_t started = platform::win::GetTickCount();
  std::uint8_t reply[kStatusLength] = {};
  for (;;) {
    const int got = transport().readUsb(reply, kStatusLength, setup, timeoutMs);
    if (got == -1) fail(STATUS_TIMEOUT_ERROR);
    if (got < kStatusLength) fail(STATUS_CANNOT_READ_USB_DEVICE);
    // bState: wait while the loader is busy, but never past the time-out.
    const std::uint8_t state = reply[4];
    if (state == dfuStateCodes[kStateIdle] || state == dfuStateCodes[kStateError]) break;
    if (platform::win::GetTickCount() - started > static_cast<std::uint32_t>(timeoutMs)) fail(STATUS_TIMEOUT_ERROR);
  }
  const std::uint8_t status = reply[0];
  if (status == dfuStatusCodes[kStatusOk]) return true;
  manager().setLastResult(hex2(status));
  // A loader that reports an error refuses every request until it is
  // cleared; the failure has been taken already, so the answer is not.
  std::string clear = setupText(dfuRequests.clearStatusRequest, 0, true);
  transport().writeUsb(clear, std::string(), 1000);
  if (status == dfuStatusCodes[3] || status == dfuStatusCodes[2]) fail(STATUS_DEVICE_PROTECTION_ERROR_3);
  return false;
}

void CusbDfuProtocol::requireStatusOk(int timeoutMs) {
  if (!pollStatus(timeoutMs)) fail(STATUS_WRONG_TARGET_REPLY);
}

std::optional<std::vector<std::uint8_t>> CusbDfuProtocol::upload(int length, int timeoutMs) {
  std::string setup = setupText(dfuRequests.uploadRequest, length, false);
  std::vector<std::uint8_t> bytes(static_cast<size_t>(length), 0);
  if (transport().readUsb(bytes.data(), length, setup, timeoutMs) != length) return std::nullopt;
  return bytes;
}

void CusbDfuProtocol::uploadByteResult() {
  const std::optional<std::vector<std::uint8_t>> byte = upload(1, 1000);
  if (!byte) fail(STATUS_CANNOT_READ_USB_DEVICE);
  manager().setLastResult(hex2(byte->front()));
}

void CusbDfuProtocol::transact(std::string frame, std::uint16_t timeoutMs, bool, bool) {
  downloadAndPoll(frame, timeoutMs);
}

void CusbDfuProtocol::downloadAndPoll(const std::string& frame, int timeoutMs) {
  download(frame, timeoutMs);
  requireStatusOk(timeoutMs);
}

void CusbDfuProtocol::checkReply(const std::string&, int) {}

std::string CusbDfuProtocol::extractReplyValue(const std::string&) { return {}; }

void CusbDfuProtocol::notImplemented() { fail(STATUS_NOT_IMPLEMENTED); }

// --- special bytes, security and fuses

void CusbDfuProtocol::readSpecial(const std::string& record) {
  if (record.empty()) notImplemented();
  download(record, 1000);
  requireStatusOk(1000);
  uploadByteResult();
}

void CusbDfuProtocol::writeSpecial(const std::string& record, const std::string& valueHex) {
  if (record.empty()) notImplemented();
  download(record + valueHex, 1000);
  requireStatusOk(1000);
}

void CusbDfuProtocol::setSecurityLevel1() {
  download(securityLevel1Record + device().ssbLevel1Value(), 1000);
  requireStatusOk(replyTimeout(5000));
}

void CusbDfuProtocol::setSecurityLevel2() {
  download(securityLevel2Record + device().ssbLevel2Value(), 1000);
  requireStatusOk(replyTimeout(5000));
}

// Through the special-byte path, so that loaders which keep the hardware
// byte in a memory of its own have that memory selected around it.
void CusbDfuProtocol::changeHardwareByte(std::uint8_t andMask, std::uint8_t orMask) {
  CcommandManager& m = manager();
  m.readSpecialByte(HARDWARE_BYTE);
  const std::string value = m.lastResult();
  if (value.size() != 2 || hexDigitValue(value[0]) < 0 || hexDigitValue(value[1]) < 0)
    fail(STATUS_WRONG_TARGET_REPLY);
  m.writeSpecialByte(HARDWARE_BYTE, hex2((hexTextValue(value) & andMask) | orMask));
}

void CusbDfuProtocol::enableFuse1() { changeHardwareByte(0xBF, 0x00); }
void CusbDfuProtocol::enableFuse2() { changeHardwareByte(0x7F, 0x00); }
void CusbDfuProtocol::disableFuse1() { changeHardwareByte(0xFF, 0x40); }
void CusbDfuProtocol::disableFuse2() { changeHardwareByte(0xFF, 0x80); }
// These loaders have no command for fuses 0 and 3 nor for erasing SBV/BSB.
void CusbDfuProtocol::enableFuse0() { notImplemented(); }
void CusbDfuProtocol::disableFuse0() { notImplemented(); }
void CusbDfuProtocol::enableFuse3() { notImplemented(); }
void CusbDfuProtocol::disableFuse3() { notImplemented(); }
void CusbDfuProtocol::eraseSbvBsb() { notImplemented(); }

// The boot loader is already running.
void CusbDfuProtocol::enterIspMode(std::uint8_t, int) {}

// --- start and erase

void CusbDfuProtocol::startWith(const std::string& record) {
  download(record, 1000);
  download(std::string(), 1000);  // a download of no data ends the download phase
  platform::win::Sleep(300);
}

std::string CusbDfuProtocol::startAddressText(int address) const {
  if (address < 0 || address > 0xFFFF) fail(STATUS_ADDRESS_OUT_OF_RANGE_ERROR);
  return startAddressRecord + hex4(static_cast<std::uint32_t>(address));
}

void CusbDfuProtocol::startApplication(bool reset, int address) {
  startWith(reset ? startResetRecord : startAddressText(address));
}

void CusbDfuProtocol::eraseDevice() { downloadAndPoll(eraseDeviceRecord, replyTimeout(10000)); }

void CusbDfuProtocol::eraseBlock(int block) {
  if (block < 0 || block >= static_cast<int>(eraseBlockRecord.size())) fail(STATUS_COMMAND_DOES_NOT_EXIST);
  download(eraseBlockRecord[static_cast<size_t>(block)], replyTimeout(5000));
  requireStatusOk(1000);
}

// --- ranges

const std::string& CusbDfuProtocol::memoryCode(const std::string& flash, const std::string& eeprom) {
  switch (device().selectedMemory()) {
    case 0: return flash;
    case 1: return eeprom;
    default: fail(STATUS_INVALID_MEMORY_CONFIGURATION);
  }
}

std::string CusbDfuProtocol::suffixText() const {
  const DfuSuffixTexts& s = dfuSuffix;
  return s.deviceVersionText + s.productIdText + s.vendorIdText + s.dfuVersionText + s.signatureText +
         s.lengthText + s.crcText;
}

std::string CusbDfuProtocol::programFrame(int page, std::uint32_t from, std::uint32_t to,
                                          const std::string& memory) const {
  const std::uint32_t alignment = packetAlignment == 0 ? 1 : packetAlignment;
  const Cdevice& part = device();
  std::string frame = programCommand + memory + hex4(from) + hex4(to);
  frame.append(52, '0');                        // the header is 32 bytes
  frame.append(2 * (from % alignment), '0');  // the first byte sits where its address does in a packet
  frame.reserve(frame.size() + 2 * (to - from + 1) + 32);
  for (std::uint32_t a = from; a <= to; ++a) frame += frameByte(part.readBufferByte(page, static_cast<int>(a)));
  return frame + suffixText();
}

void CusbDfuProtocol::programBlock(int page, std::uint32_t from, std::uint32_t to) {
  download(programFrame(page, from, to, memoryCode(programCodeFlash, programCodeEeprom)), replyTimeout(5000));
  requireStatusOk(1000);
}

void CusbDfuProtocol::programChunks(int page, std::uint32_t from, std::uint32_t to) {
  CcommandManager& m = manager();
  m.addProgress(0.0f);
  if (to - from <= kProgramChunk) {
    programBlock(page, from, to);
  } else {
    const float step = static_cast<float>(307200.0 / (to - from));  // percent of one chunk
    float sum = 0.0f;
    std::uint64_t c = from;
    for (; c + kProgramChunk - 1 <= to; c += kProgramChunk) {
      programBlock(page, static_cast<std::uint32_t>(c), static_cast<std::uint32_t>(c + kProgramChunk - 1));
      sum += step;
      if (sum > 10.0f) {
        m.addProgress(sum);
        sum = 0.0f;
      }
    }
    if (c <= to) programBlock(page, static_cast<std::uint32_t>(c), to);
  }
  m.addProgress(0.0f);
}

void CusbDfuProtocol::programRange(int page, std::uint32_t from, std::uint32_t to) {
  programChunks(page, from, to);
  device().onProgrammed();
}

void CusbDfuProtocol::blankCheckRange(int, std::uint32_t from, std::uint32_t to) {
  download(blankCheckRecord + hex4(from) + hex4(to), replyTimeout(20000));
  if (pollStatus(replyTimeout(5000))) return;
  CcommandManager& m = manager();
  if (m.lastResult() != hex2(dfuStatusCodes[5])) fail(STATUS_WRONG_TARGET_REPLY);
  // The loader names the first byte that is not blank, high byte first.
  m.setStatus(STATUS_BLANK_CHECK_ERROR);
  std::string setup = setupText(dfuRequests.uploadRequest, 2, true);
  std::uint8_t address[2] = {};
  if (transport().readUsb(address, 2, setup, replyTimeout(5000)) == 2)
    m.setLastResult(hex2(address[0]) + hex2(address[1]));
  fail(STATUS_BLANK_CHECK_ERROR);
}

void CusbDfuProtocol::readBlock(int page, std::uint32_t from, std::uint32_t to, int verify) {
  std::string frame = readRangeRecord;
  frame.replace(2, 2, memoryCode(readCodeFlash, readCodeEeprom));
  download(frame + hex4(from) + hex4(to), replyTimeout(5000));
  storeOrCompareBlock(page, from, to, verify);
}

void CusbDfuProtocol::storeOrCompareBlock(int page, std::uint32_t from, std::uint32_t to, int verify) {
  const std::optional<std::vector<std::uint8_t>> bytes = upload(static_cast<int>(to - from + 1), replyTimeout(3000));
  if (!bytes) {
    // A loader that refused the read stalls the upload; its status says why.
    if (!pollStatus(1000)) fail(STATUS_WRONG_TARGET_REPLY);
    fail(STATUS_CANNOT_READ_USB_DEVICE);
  }
  Cdevice& part = device();
  for (std::uint32_t a = from; a <= to; ++a) {
    const std::uint8_t byte = (*bytes)[a - from];
    if (verify == 0) {
      part.writeBufferByte(page, static_cast<int>(a), hex2(byte));
    } else if ((hexTextValue(part.readBufferByte(page, static_cast<int>(a))) & 0xFFu) != byte) {
      manager().setLastResult(hex4(a));
      fail(STATUS_VERIFY_ERROR);
    }
  }
}

// --- memory-numbered loaders

void CusbDfuProtocol2::selectMemoryPage(int memory, int page) {
  download("0603" + hex2(static_cast<std::uint32_t>(memory)) + hex2(static_cast<std::uint32_t>(page)), 1000);
  requireStatusOk(1000);
}

void CusbDfuProtocol2::startApplication(bool, int address) {
  selectMemoryPage(3, 0);
  writeSpecial(startCommandRecord, address == 0 ? "00" : "01");
  platform::win::Sleep(300);
}

// The memory-numbered USB loaders keep their special bytes where MCU27's does.
int CusbDfuProtocol2::memoryOfSpecialByte(int specialByteId) { return mcu27MemoryOfSpecialByte(specialByteId); }

int CusbDfuProtocol2::memoryOfSpecialByteKey(const std::string& key) { return mcu27MemoryOfSpecialByteKey(key); }

void CusbDfuProtocolMcu21::startApplication(bool reset, int address) {
  if (!reset)
    startWith(startAddressText(address));
  else
    startWith(address == 0xFFFF ? startResetAltRecord : startResetRecord);
}

void CusbDfuProtocolMcu21::programRange(int page, std::uint32_t, std::uint32_t) {
  const std::uint32_t size = device().memorySize();
  if (size == 0) fail(STATUS_CANNOT_EXECUTE_COMMAND);
  programChunks(page, 0, size - 1);
}

void CusbDfuProtocolMcu21::programRangeAlt(int page, std::uint32_t from, std::uint32_t to) {
  programChunks(page, from, to);
}
