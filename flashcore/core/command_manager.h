#pragma once
// The command manager: every export calls one of its operations. It keeps
// the last status, result and string error, the demo and debug flags, the
// reply time-out override, the selections, the current address range of the
// buffer, the status message table and the progress of a running operation.
//
// A failing operation stores its STATUS with setStatus and throws it.
#include <atomic>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "flashcore/core/status.h"
#include "platform/win/event.h"
#include "platform/win/library.h"

class ClibraryContext;
class Cdevice;
class CmemoryArea;
class Cprotocol;
class Ctransport;

enum SelectionBits : int { SELECTED_DEVICE = 1, SELECTED_HARDWARE = 2 };

enum TransportMedium : int { MEDIUM_NONE = 0, MEDIUM_RS232 = 1, MEDIUM_USB = 2, MEDIUM_CAN = 3 };

// What the page loop does on each 64 KB page of a range.
enum RangeType : unsigned { RANGE_READ = 0, RANGE_VERIFY = 1, RANGE_PROGRAM = 2, RANGE_BLANK_CHECK = 3 };

class CcommandManager {
 public:
  explicit CcommandManager(ClibraryContext& context);
  CcommandManager(const CcommandManager&) = delete;
  CcommandManager& operator=(const CcommandManager&) = delete;
  ~CcommandManager();

  // --- status and results
  void setStatus(int status) { lastStatus_ = status; }
  int lastStatus() const { return lastStatus_; }
  // Stores the status and throws it.
  [[noreturn]] void fail(STATUS status);
  void setLastResult(std::string text) { lastResult_ = std::move(text); }
  const std::string& lastResult() const { return lastResult_; }
  void setLastStringError(std::string text) { lastStringError_ = std::move(text); }
  const std::string& lastStringError() const { return lastStringError_; }
  std::vector<std::string>& statusMessages() { return statusMessages_; }

  // --- flags
  bool demoMode() const { return demoMode_; }
  void setDemoMode(bool on) { demoMode_ = on; }
  bool debugMode() const { return debugMode_; }
  void setDebugMode(bool on) { debugMode_ = on; }
  void setCheckUsbDriver(bool check) { checkUsbDriver_ = check; }
  bool checkUsbDriver() const { return checkUsbDriver_; }
  void selectCommLib(std::string name) { commLibName_ = std::move(name); }
  const std::string& commLibName() const { return commLibName_; }
  // Always true; callers raise STATUS 9 on false.
  bool canExecute() const { return true; }
  // The selected hardware code, 0 in demo mode.
  int hardwareCode() const { return demoMode_ ? 0 : hardwareCode_; }
  int selection() const { return selection_; }
  TransportMedium transportMedium() const { return transportMedium_; }

  // --- reply time-out override
  // False, changing nothing, for 0 or more than 3600 seconds.
  bool setTimeout(unsigned seconds, bool persistent);
  bool useDefaultTimeout() const { return useDefaultTimeout_; }
  // The custom time-out; a one-shot time-out serves this one wait only.
  int takeTimeout();

  // --- progress
  // A step of 0 starts a new total; any other adds to it, sets the
  // percentage (kept within 0..100) and signals the progress event.
  void addProgress(float step);
  int percent() const { return percent_.load(); }
  void resetPercent() { percent_.store(0); }
  platform::win::Event* progressEvent() const { return progressEvent_.get(); }

  // --- address range of the buffer
  std::int32_t rangeStart() const { return rangeStart_; }
  std::int32_t rangeEnd() const { return rangeEnd_; }

  // --- part and hardware selection
  void selectDevice(int deviceCode);
  int deviceIndex(const std::string& name) const;
  void selectCommHardware(int hardwareCode);
  void selectCommHardware2(const std::string& hardwareName);
  // Has the selected part make its protocol for the selected hardware.
  void createProtocol();
  bool selectProtocol(int hardwareCode, int variant);
  void openRs232Port(const std::string& portName, int baud, int parity, int byteSize, int stopBits);
  void openUsbPort(std::int32_t productId);
  void openCanPort(int canBitrate, std::uint8_t optionA, std::uint16_t portNumber, std::uint8_t optionB, int baud);
  void closePort();
  void syncTarget();
  void selectCanNode(std::uint8_t node);
  void updateCmdsIds(std::uint8_t cris);
  void updateRxFilter(std::uint8_t cris);
  void updateRs232Baudrate(int baud);
  void setDtrLow();
  void setDtrHigh();
  void setRtsLow();
  void setRtsHigh();
  // Closes and unloads the transport library; true when one was loaded.
  bool unloadTransport();
  bool transportLoaded() const { return static_cast<bool>(library_); }

  // --- memories and buffers
  void selectMemory(int memoryIndex);
  void fillBuffer(const std::string& text);
  void fillBufferAddrRange(std::uint32_t start, std::uint32_t end, const std::string& text);
  void resetBuffer();
  void randomizeBuffer();
  void writeSingleByte(std::uint32_t address, const std::string& text);
  void readSingleByte(std::uint32_t address);
  void memorySizeResult();
  void bufferAddrLo();
  void bufferAddrHi();
  void bufferChecksum(std::uint32_t start, std::uint32_t end);
  void computeCrc();
  void createPart();

  // --- Intel HEX files
  void parseHexFile(const std::string& path);
  void writeHexFile(std::uint32_t start, std::uint32_t end, const std::string& path, int segmentRecords);
  // Record checksum of a text of digit pairs; empty in demo mode.
  std::string hexChecksum(const std::string& hexPairs) const;

  // --- range operations
  // STATUS 2 for end < start, and for a range that runs past the selected
  // memory (nothing could be programmed or read there); STATUS 9 when the
  // part has no memory at the selected index.
  void checkRange(std::uint32_t start, std::uint32_t end);
  // Cuts the range into 64 KB pages and hands each to the protocol.
  void rangeLoop(RangeType type, std::uint32_t start, std::uint32_t end, std::uint8_t rangeMode);
  bool checkBlockIndex(std::uint8_t block) const;
  void programAddrRange(std::uint32_t start, std::uint32_t end, std::uint8_t rangeMode);
  void programDevice();
  void readAddrRange(std::uint32_t start, std::uint32_t end, const std::string& path, int segmentRecords);
  void readDevice(const std::string& path, int segmentRecords);
  void verifyAddrRange(std::uint32_t start, std::uint32_t end);
  void verifyDevice();
  void blankCheckAddrRange(std::uint32_t start, std::uint32_t end);
  void blankCheckDevice();
  void eraseDevice();
  void eraseBlock(int block);
  void enterIspMode(std::uint8_t flag, int address);
  void enterAppliMode(std::uint8_t reset, int address);

  // --- special bytes, security levels, fuses
  void readSpecialByte(std::uint32_t id);
  void writeSpecialByte(int id, const std::string& valueHex);
  void readSignatureBytes();
  void eraseSbvBsb();
  void setSecurityLevel1();
  void setSecurityLevel2();
  void expectedSsbValue(int level);
  void enableFuse(std::uint32_t fuse);
  void disableFuse(std::uint32_t fuse);
  void execSpecialCmd(std::uint32_t n);
  int savedMemory() const { return savedMemory_; }

  // --- serial numbers, named commands, on-chip debug
  void serialize(int memoryIndex, int destAddress, int serialLow, int serialHigh, std::uint8_t radix,
                 const std::string& format);
  bool createProtocol(const std::string& name);
  bool addProtocolCmd(const std::string& name, const std::string& text);
  void execCmd(const std::string& name);
  void initOcd(const std::string& targetName);
  void startOcdProgrammer(const std::string& targetName);
  bool exitOcdProgrammer();

 private:
  void buildStatusTable();
  // The selected part; STATUS 9 without one.
  Cdevice& requireDevice();
  // The selected memory of the part; STATUS 9 where the part has none.
  CmemoryArea& requireMemory();
  // Operations that talk to the target need the protocol that hardware
  // selection makes; without one they fail with STATUS 9.
  Cprotocol& requireProtocol();
  Ctransport& transport();
  // Loads the transport library of a file name and binds its functions;
  // STATUS 54 when it cannot be loaded.
  void loadTransport(const char* fileName, TransportMedium medium);
  // Selects the memory again after a special-byte access; a part that a
  // version hook put in place may lack it, and then FLASH is selected.
  void restoreMemory(const Cdevice* partBefore);

  ClibraryContext& context_;

  std::int32_t timeoutMs_ = 0;
  bool useDefaultTimeout_ = true;
  bool timeoutOneShot_ = false;
  bool checkUsbDriver_ = true;
  std::int32_t savedMemory_ = 0;
  bool demoMode_ = false;
  bool debugMode_ = false;
  std::int32_t hardwareCode_ = 0;
  std::int32_t selection_ = 0;
  std::int32_t lastStatus_ = STATUS_PASS;
  std::string lastStringError_;
  std::string lastResult_;
  std::int32_t rangeStart_ = 0;
  std::int32_t rangeEnd_ = 0;
  std::vector<std::string> statusMessages_;
  std::string commLibName_;
  platform::win::UniqueEvent progressEvent_;
  std::atomic<int> percent_{0};
  float progressTotal_ = 0.0f;
  TransportMedium transportMedium_ = MEDIUM_NONE;
  platform::win::Library library_;  // the loaded transport library
  std::minstd_rand random_;  // never seeded by the library: a fixed sequence per load
};
