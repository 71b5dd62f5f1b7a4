#pragma once
// The RS-232 record protocol: every request is one ASCII record of the
// Intel HEX kind (":" LL AAAA TT data CC), and the boot loader answers with
// the echo of the record followed by its answer: "." CR LF when done, the
// two digits of a value before the ".", "X", "P" or "L" to refuse, or the
// lines of a display or blank-check reply. Never made by itself: each part
// family has its subclass.
#include <string>

#include "flashcore/protocols/protocol.h"

class Crs232Protocol : public Cprotocol {
 public:
  Crs232Protocol();

  void transact(std::string frame, std::uint16_t timeoutMs, bool storeResult, bool requireTerminator) override;
  void startApplication(bool reset, int address) override;
  void syncTarget() override;
  void readSpecial(const std::string& record) override;
  void writeSpecial(const std::string& record, const std::string& valueHex) override;
  std::string extractReplyValue(const std::string& reply) override;
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

  // Judges a reply: a refusal mark anywhere in it, or (when required) no
  // reply terminator.
  virtual void checkReply(const std::string& reply, int requireTerminator);

 protected:
  // How a display read differs between the families.
  struct DisplayRead {
    bool selectMemory = true;  // false: the template's memory selector stays
    std::string extraFrame;    // written right after the request
    char terminator = 0;       // besides the expected length
  };

  static constexpr int kCommandReplySize = 4096;
  static constexpr int kBlankCheckReplySize = 64;
  static constexpr int kSyncReplySize = 8;

  // The record with the checksum of everything after its ":" appended.
  static std::string withChecksum(const std::string& record);
  // The selected memory's code among FLASH, EEPROM and CUSTOM; STATUS 33
  // for any other memory.
  static const std::string& memoryCode(const std::string& flash, const std::string& eeprom,
                                       const std::string& custom);
  // Writes a frame; STATUS 17 when the line does not take it.
  static void writeFrame(const std::string& frame);
  // Writes the sync text once and waits 1000 ms for a reply that holds the
  // expected character.
  void syncOnce(const std::string& text, char expected);
  // Synchronisation for boot loaders that need time to wake: up to
  // 1 + retries sync characters, each with its own short wait.
  void syncRepeatedly(int retries, std::uint16_t timeoutMs);

  void readDisplay(int page, std::uint32_t from, std::uint32_t to, int verify, const DisplayRead& how);
  // A blank check of from .. to with a template that holds the start at
  // characters 9-12 and the end at 13-16.
  void blankCheckWith(const std::string& recordTemplate, int page, std::uint32_t from, std::uint32_t to);
  void sendFuseRecord(const std::string& record);
  // Fuse operations a family lacks: STATUS 3, nothing sent.
  [[noreturn]] static void fuseNotImplemented();

  // The lines of a display reply into the buffer (parse) or compared with
  // it (verify); every line must continue the range, and the reply must
  // cover it exactly.
  void parseReadReply(int page, const std::string& reply, std::uint32_t from, std::uint32_t to);
  void verifyReadReply(int page, const std::string& reply, std::uint32_t from, std::uint32_t to);

 private:
  template <class PerByte>
  void walkDisplayReply(const std::string& reply, std::uint32_t from, std::uint32_t to, bool lastLineMayEnd,
                        PerByte perByte);
};
