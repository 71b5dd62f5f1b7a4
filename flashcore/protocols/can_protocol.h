#pragma once
// The CAN boot-loader protocol. The boot loader listens on seven identifiers
// CRIS * 16 + k (k = 0 .. 6); every request is one message, handed to the
// transport library as text: three hexadecimal digits of identifier, two of
// data length, two per data byte. It answers each request on the request's
// identifier (a range read with several messages) and refuses a command with
// a message on identifier 6. A node is selected (opened) by its number
// before it is programmed, read or blank-checked.
//
// Made by MCU06, MCU07, MCU25 and MCU26 for the CAN hardware codes 3 to 8.
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "flashcore/core/can_message.h"
#include "flashcore/protocols/protocol.h"

class CcanProtocol : public Cprotocol {
 public:
  CcanProtocol();
  ~CcanProtocol() override;

  void transact(std::string frame, std::uint16_t timeoutMs, bool storeResult, bool requireTerminator) override;
  void startApplication(bool reset, int address) override;
  // Selects the node named by the flag byte.
  void enterIspMode(std::uint8_t flag, int address) override;
  void setReplyLength(std::uint8_t length) override;
  // Identifiers and records for the CRIS; STATUS 35 above 0x7F.
  void buildCommandIds(std::uint8_t cris) override;
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
  void selectCanNode(std::uint8_t node) override;
  std::uint8_t canNode() override;

  // Judges the message just read against expectedReplyId: a refusal on
  // identifier 6 (STATUS 21), another identifier (30), with requireOk a
  // data text other than "00" (32); with storeResult the data text becomes
  // the last result.
  virtual void checkReply(int requireOk, int storeResult);
  virtual void noOperation();

  bool lastBlock = false;  // the data frame being sent ends the range
  std::uint8_t replyLength = 0;
  std::uint8_t cris = 0;
  std::string nodeFrame;
  std::array<std::string, 7> canIds;  // identifier k as three digits
  std::string expectedReplyId;

 protected:
  // The reply data text of the message just read: two digits a data byte,
  // "pass" for a message without data.
  std::string replyText() const;
  const CanMessage& reply() const { return *message_; }

  // Sends the frame and judges its one reply.
  void exchange(const std::string& frame, int timeoutMs, bool storeResult, bool requireOk);
  // STATUS 17 when the library does not take the frame.
  void writeFrame(const std::string& frame);
  // The next message; STATUS 4 when none comes in time.
  void readReply(int timeoutMs);
  // STATUS 31, nothing sent, unless the node is open.
  void requireNodeOpen();
  // STATUS 3 for an empty record.
  static void requireRecord(const std::string& record);

  // The range request of a record template: "XXXX" from, "YYYY" to, and
  // where the template has it, "MM" the selected memory's code (STATUS 33
  // for a memory other than FLASH and EEPROM).
  std::string rangeFrame(std::string frame, const std::string& flashCode, const std::string& eepromCode,
                         std::uint32_t from, std::uint32_t to) const;
  // The programming start frame, then the data frames of the range.
  void programFrames(int page, std::uint32_t from, std::uint32_t to, int startTimeoutMs);
  // Reads the hardware byte, keeps the bits of `keep`, sets those of `set`
  // and writes it back.
  virtual void rewriteHardwareByte(std::uint8_t keep, std::uint8_t set);

 private:
  // Rebuilds the node frame and the records from canIds.
  void buildRecords();

  std::unique_ptr<CanMessage> message_;
  std::uint32_t rangeTo_ = 0;  // the end of the range being programmed
};
