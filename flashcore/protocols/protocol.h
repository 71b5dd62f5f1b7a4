#pragma once
// Root of the boot-loader protocols. A concrete protocol fills the record
// texts, reply marks and sizes in its constructor; the command manager reads
// the special-byte records and special commands directly and drives every
// protocol through the virtual operations below, without knowing which one
// it is. Operations a protocol does not replace do nothing.
//
// A failing operation stores its STATUS in the command manager and throws it.
#include <array>
#include <cstdint>
#include <map>
#include <string>

#include "flashcore/core/status.h"

class CcommandManager;
class Cdevice;
class Ctransport;

class Cprotocol {
 public:
  // --- records and marks, set by the concrete constructors
  std::string syncText;
  char syncChar = 0;
  char replyTerminator = 0;
  std::string checksumErrorMark;
  std::string protectionMark;
  std::string protectionMark2;
  std::string readRangeRecord;  // "AAAA" start, "BBBB" end
  std::string readCodeFlash;
  std::string readCodeEeprom;
  std::string readCodeCustom;
  std::string eraseDeviceRecord;
  std::string blankCheckRecord;  // "AAAA" start, "BBBB" end
  std::array<std::string, 5> eraseBlockRecord;
  std::string eraseSbvBsbRecord;
  std::string programCommand;
  std::string programRecord;
  std::string programCodeFlash;
  std::string programCodeEeprom;
  std::string programCodeCustom;
  // By special-byte id 0..19; empty where the byte cannot be written or read.
  std::array<std::string, 20> writeSpecialRecords;
  std::array<std::string, 20> readSpecialRecords;
  // By fuse number 0..3: the record that enables it and the one that disables it.
  std::array<std::string, 4> enableFuseRecords;
  std::array<std::string, 4> disableFuseRecords;
  std::string securityLevel1Record;
  std::string securityLevel2Record;
  std::string startResetRecord;
  std::string startAddressRecord;
  std::uint16_t recordSize = 0;    // data bytes per program record
  std::uint16_t readLineSize = 0;  // data bytes per line of a display reply
  std::uint16_t blockSize = 0;     // addresses per readBlock of readOrVerifyRange
  std::array<std::string, 4> specialCommands;
  std::string memorySelectRecord;
  std::string pageSelectRecord;
  std::string auxRecord;
  std::map<std::string, std::string> commandMap;

  Cprotocol() = default;
  Cprotocol(const Cprotocol&) = delete;
  Cprotocol& operator=(const Cprotocol&) = delete;
  virtual ~Cprotocol();

  virtual void selectPage(int page);
  virtual void selectMemoryPage(int memory, int page);
  // Runs after every read of the boot-loader version, with the value read.
  virtual void onChipIdentity(std::string bootloaderVersion);
  virtual void buildSetupText(std::string* out, std::string request, int length, bool zeroValue);
  virtual void transact(std::string frame, std::uint16_t timeoutMs, bool storeResult, bool requireTerminator);
  virtual void startApplication(bool reset, int address);
  virtual void enterIspMode(std::uint8_t flag, int address);
  virtual void setReplyLength(std::uint8_t length);
  virtual void buildCommandIds(std::uint8_t cris);
  virtual bool spareQuery();
  virtual void syncTarget();
  virtual void readSpecial(const std::string& record);
  virtual void writeSpecial(const std::string& record, const std::string& valueHex);
  virtual void execSpecialCmd(const std::string& command);
  virtual std::string extractReplyValue(const std::string& reply);
  // Full-chip erase with eraseDeviceRecord.
  virtual void eraseDevice();
  virtual void eraseBlock(int block);
  virtual void eraseSbvBsb();
  virtual void setSecurityLevel1();
  virtual void setSecurityLevel2();
  virtual void enableFuse0();
  virtual void enableFuse1();
  virtual void enableFuse2();
  virtual void enableFuse3();
  virtual void disableFuse0();
  virtual void disableFuse1();
  virtual void disableFuse2();
  virtual void disableFuse3();
  virtual void programRange(int page, std::uint32_t from, std::uint32_t to);
  // The alternative programming; unless a protocol has its own, the range
  // is programmed as by programRange.
  virtual void programRangeAlt(int page, std::uint32_t from, std::uint32_t to);
  // Reads (verify 0) or compares (verify 1) the range block by block, with
  // progress steps.
  virtual void readOrVerifyRange(int page, std::uint32_t from, std::uint32_t to, int verify);
  virtual void blankCheckRange(int page, std::uint32_t from, std::uint32_t to);
  virtual void programBlock(int page, std::uint32_t from, std::uint32_t to);
  virtual void readBlock(int page, std::uint32_t from, std::uint32_t to, int verify);
  virtual void selectCanNode(std::uint8_t node);
  virtual void openUsb(int hardwareCode);
  virtual std::uint8_t canNode();
  virtual int memoryOfSpecialByteKey(const std::string& key);
  virtual int memoryOfSpecialByte(int specialByteId);

  // Adds a named command; a name already present keeps its first text.
  int addCommand(const std::string& name, const std::string& text);
  // The text of the name, or "".
  std::string commandText(const std::string& name) const;

 protected:
  static CcommandManager& manager();
  static Ctransport& transport();
  // The current part; it may be replaced while a protocol runs, so it is
  // fetched anew at every use.
  static Cdevice& device();
  // Stores the status and throws it.
  [[noreturn]] static void fail(STATUS status);
  // The operation's default time-out, or the custom one while in force.
  static int replyTimeout(int defaultMs);
  // programBlock over from .. to in pieces of at most recordSize bytes, none
  // crossing a multiple of recordSize, with progress steps.
  void programRecords(int page, std::uint32_t from, std::uint32_t to);
  // A time-out as the serial line takes it: milliseconds in 16 bits, longer
  // waits held at the longest one.
  static std::uint16_t serialTimeout(int ms);
};
