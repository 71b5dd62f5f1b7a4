#pragma once
// The USB boot loaders speak the class requests of USB Device Firmware
// Upgrade: a download carries a command, an upload fetches data, a status
// request tells how the last command went. Every request is handed to the
// transport as two hexadecimal texts: the 8-byte setup packet (16 digits,
// 16-bit fields low byte first) and the payload.
//
// CusbDfuProtocol serves the parts whose boot loader addresses FLASH and
// EEPROM by a code in each command; CusbDfuProtocol2 adds the memory
// selection request of the loaders that address memories by number;
// CusbDfuProtocolMcu21 is MCU21's.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "flashcore/protocols/protocol.h"

class CusbDfuProtocol : public Cprotocol {
 public:
  // Each request text is bmRequestType followed by bRequest.
  struct DfuRequestTexts {
    std::string detachRequest = "2100";
    std::string downloadRequest = "2101";
    std::string uploadRequest = "A102";
    std::string getStatusRequest = "A103";
    std::string clearStatusRequest = "2104";
    std::string getStateRequest = "A105";
    std::string abortRequest = "2106";
    std::string interfaceIndex = "0004";
  };
  // The file suffix of the DFU specification, all zero; sent as the
  // trailer of every program frame.
  struct DfuSuffixTexts {
    std::string crcText = "00000000";
    std::string lengthText = "00";
    std::string signatureText = "000000";
    std::string dfuVersionText = "0000";
    std::string vendorIdText = "0000";
    std::string productIdText = "0000";
    std::string deviceVersionText = "0000";
  };

  static constexpr std::uint8_t kStatusOk = 0;
  static constexpr std::uint8_t kStateIdle = 2;
  static constexpr std::uint8_t kStateError = 10;

  std::array<std::uint8_t, 18> dfuStatusCodes{};  // 0 .. 17
  std::array<std::uint8_t, 11> dfuStateCodes{};   // 0 .. 10
  DfuRequestTexts dfuRequests;
  std::uint8_t packetAlignment = 32;
  std::uint16_t blockNumberLimit = 0xFFFF;
  std::uint16_t blockNumber = 0xFFFF;  // wValue of the next counted request
  DfuSuffixTexts dfuSuffix;

  CusbDfuProtocol();

  // Setup text of a request: request, wValue (the counted block number, or
  // 0000 with zeroValue), wIndex, wLength.
  void buildSetupText(std::string* out, std::string request, int length, bool zeroValue) override;
  // Download of the frame, then the status poll, both with the time-out.
  void transact(std::string frame, std::uint16_t timeoutMs, bool storeResult, bool requireTerminator) override;
  void startApplication(bool reset, int address) override;
  void enterIspMode(std::uint8_t flag, int address) override;
  void readSpecial(const std::string& record) override;
  void writeSpecial(const std::string& record, const std::string& valueHex) override;
  std::string extractReplyValue(const std::string& reply) override;
  void eraseDevice() override;
  void eraseBlock(int block) override;
  void eraseSbvBsb() override;
  void setSecurityLevel1() override;
  void setSecurityLevel2() override;
  void enableFuse0() override;
  void enableFuse1() override;
  void enableFuse2() override;
  void enableFuse3() override;
  void disableFuse0() override;
  void disableFuse1() override;
  void disableFuse2() override;
  void disableFuse3() override;
  void programRange(int page, std::uint32_t from, std::uint32_t to) override;
  void blankCheckRange(int page, std::uint32_t from, std::uint32_t to) override;
  void programBlock(int page, std::uint32_t from, std::uint32_t to) override;
  void readBlock(int page, std::uint32_t from, std::uint32_t to, int verify) override;

  // Replies are judged by the status poll; nothing to check here.
  virtual void checkReply(const std::string& reply, int requireTerminator);

 protected:
  static constexpr std::uint32_t kProgramChunk = 3072;

  void advanceBlockNumber();
  std::string setupText(const std::string& request, int length, bool zeroValue);
  // Download of a data text; STATUS 52 when the transport does not take it.
  void download(const std::string& dataText, int timeoutMs);
  // Polls the status until the boot loader is idle or reports an error,
  // for at most the time-out (STATUS 4 after it, or when a read fails).
  // True for an OK status; otherwise the status byte becomes the last
  // result, the status is cleared on the loader, and a protection status
  // ends with STATUS 21.
  bool pollStatus(int timeoutMs);
  // The poll, where any status other than OK ends with STATUS 27.
  void requireStatusOk(int timeoutMs);
  void downloadAndPoll(const std::string& frame, int timeoutMs);
  // Counted upload of `length` bytes; nothing when fewer come.
  std::optional<std::vector<std::uint8_t>> upload(int length, int timeoutMs);
  // A one-byte upload whose value becomes the last result; STATUS 53 when
  // it brings none.
  void uploadByteResult();

  // The program frame of from .. to: command, memory code, range, header
  // filler, alignment filler, the buffer bytes and the suffix.
  std::string programFrame(int page, std::uint32_t from, std::uint32_t to, const std::string& memoryCode) const;
  std::string suffixText() const;
  // The selected memory's code: FLASH or EEPROM, else STATUS 33.
  static const std::string& memoryCode(const std::string& flash, const std::string& eeprom);
  // from .. to in program blocks of 3072 bytes (a last block of up to
  // 3073), with progress steps.
  void programChunks(int page, std::uint32_t from, std::uint32_t to);
  // The upload of a requested block, stored into the buffer or compared;
  // when it fails, the status of the loader or STATUS 53.
  void storeOrCompareBlock(int page, std::uint32_t from, std::uint32_t to, int verify);
  // A start command, the empty download that ends the download phase,
  // and the pause in which the application starts.
  void startWith(const std::string& record);
  // The start record with the 16-bit address; STATUS 2 for another.
  std::string startAddressText(int address) const;
  // Read-modify-write of one bit of the hardware byte.
  void changeHardwareByte(std::uint8_t andMask, std::uint8_t orMask);
  [[noreturn]] static void notImplemented();
};

class CusbDfuProtocol2 : public CusbDfuProtocol {
 public:
  std::string startCommandRecord = "010000010001";

  CusbDfuProtocol2() = default;

  void selectMemoryPage(int memory, int page) override;
  void startApplication(bool reset, int address) override;
  int memoryOfSpecialByteKey(const std::string& key) override;
  int memoryOfSpecialByte(int specialByteId) override;
};

class CusbDfuProtocolMcu21 : public CusbDfuProtocol2 {
 public:
  std::string startResetAltRecord = "0403FF";

  CusbDfuProtocolMcu21() = default;

  void startApplication(bool reset, int address) override;
  // Programs the whole selected memory, whatever range it is given.
  void programRange(int page, std::uint32_t from, std::uint32_t to) override;
  void programRangeAlt(int page, std::uint32_t from, std::uint32_t to) override;
};
