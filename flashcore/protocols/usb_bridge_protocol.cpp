#include "flashcore/protocols/usb_bridge_protocol.h"

#include "flashcore/core/device.h"
#include "flashcore/core/hex_text.h"

namespace {

constexpr int kMemoryFlash = 0;
constexpr int kMemoryEeprom = 1;
constexpr int kMemoryLpcBoot = 7;
constexpr int kMemoryLoader = 3;

std::string hex4(std::uint32_t value) { return toHexString(value & 0xFFFFu, 4); }

// The record with its leading digit made "0": a command of memory code 00
// on the selected memory.
// (Inserted as a character: a literal put in front of a temporary string trips a false -Wrestrict in GCC 12 at -O2.)
std::string onSelectedMemory(const std::string& record) { return record.substr(1).insert(0, 1, '0'); }

}  // namespace

CusbBridgeProtocol::CusbBridgeProtocol() {
  programCommand = "01";
  readRangeRecord = "03";
  blankCheckRecord = "0380";
  readSpecialRecords = {"030000000000", "230000010001", "230000050005", "230000000000", "330000000000",
                        "230000060006", "030000010001", "030000020002", "130000300030", "130000310031",
                        "130000600060", "130000610061", "",             "",             "",
                        "",             "",             "230000020002", "230000030003", "230000040004"};
  writeSpecialRecords = {};
  writeSpecialRecords[1] = "210000010001";
  writeSpecialRecords[2] = "210000050005";
  writeSpecialRecords[3] = "210000000000";
  writeSpecialRecords[4] = "310000000000";
  writeSpecialRecords[5] = "210000060006";
  writeSpecialRecords[17] = "210000020002";
  writeSpecialRecords[18] = "210000030003";
  writeSpecialRecords[19] = "210000040004";
}

void CusbBridgeProtocol::readSpecial(const std::string& record) {
  if (record.empty()) notImplemented();
  download(onSelectedMemory(record), 1000);
  requireStatusOk(1000);
  uploadByteResult();
}

// A program frame of the one byte: the header, as many filler bytes as the
// byte's address, the value and the suffix.
void CusbBridgeProtocol::writeSpecial(const std::string& record, const std::string& valueHex) {
  if (record.size() < 8) notImplemented();
  const std::uint32_t address = hexTextValue(record.substr(4, 4)) & 0xFFFFu;
  std::string frame = onSelectedMemory(record);
  frame.append(52, '0');
  frame.append(2 * address, '0');
  download(frame + valueHex + suffixText(), 1000);
  requireStatusOk(1000);
}

void CusbBridgeProtocol::eraseDevice() {
  switch (device().selectedMemory()) {
    case kMemoryFlash: downloadAndPoll(eraseFlashRecord, replyTimeout(10000)); break;
    case kMemoryEeprom: eraseByProgramming(); break;
    case kMemoryLpcBoot: downloadAndPoll(eraseBootRecord, replyTimeout(10000)); break;
    default: fail(STATUS_INVALID_MEMORY_CONFIGURATION);
  }
}

// The buffer is set to the fill value only for the programming and holds
// its former contents again afterwards, also when the programming fails.
void CusbBridgeProtocol::eraseByProgramming() {
  Cdevice& part = device();
  const std::uint32_t size = part.memorySize();
  if (size == 0) fail(STATUS_CANNOT_EXECUTE_COMMAND);
  struct BackupRestorer {
    Cdevice& part;
    ~BackupRestorer() {
      part.restoreBackup();
      part.freeBackup();
    }
  };
  part.createBackup(size);
  part.saveBackup();
  const BackupRestorer restorer{part};
  part.resetBuffer();
  programRange(0, 0, size - 1);
}

void CusbBridgeProtocol::programBlock(int page, std::uint32_t from, std::uint32_t to) {
  download(programFrame(page, from, to, "00"), replyTimeout(5000));
  requireStatusOk(replyTimeout(1000));
}

void CusbBridgeProtocol::readBlock(int page, std::uint32_t from, std::uint32_t to, int verify) {
  download(readRangeRecord + "00" + hex4(from) + hex4(to), replyTimeout(5000));
  requireStatusOk(1000);
  storeOrCompareBlock(page, from, to, verify);
}

void CusbBridgeProtocol::openUsb(int hardwareCode) {
  selectMemoryPage(kMemoryLoader, 0);
  if (hardwareCode < 9 || hardwareCode > 11) return;
  writeSpecial(interfaceSelectRecord, std::to_string(hardwareCode - 9).insert(0, 1, '0'));
  // The loader addresses the part's selected memory again, so that an erase
  // right after the opening erases that memory and not the loader's.
  selectMemoryPage(device().selectedMemory(), 0);
}
