#pragma once
// The CAN protocol of MCU27. Its boot loader addresses memory through a
// memory-and-page selection request on identifier 6 (whose reply comes on
// identifier 6 too), sent for every page of a range and around every
// special-byte access; special bytes are one-byte ranges of their memories;
// programming start and erasing go on identifier 1, display and blank check
// on identifier 3. Programming never writes the boot status byte.
#include <cstdint>
#include <string>

#include "flashcore/protocols/can_protocol.h"

class CcanProtocolMcu27 : public CcanProtocol {
 public:
  CcanProtocolMcu27();
  ~CcanProtocolMcu27() override;

  void selectMemoryPage(int memory, int page) override;
  void buildCommandIds(std::uint8_t cris) override;
  // The programming start of the byte's one-byte range, then its value as a
  // data frame.
  void writeSpecial(const std::string& record, const std::string& valueHex) override;
  void programRange(int page, std::uint32_t from, std::uint32_t to) override;
  int memoryOfSpecialByteKey(const std::string& key) override;
  int memoryOfSpecialByte(int specialByteId) override;

  // The boot loader's frames for security levels and for starting the
  // application are not known: STATUS 3, nothing sent.
  void setSecurityLevel1() override;
  void setSecurityLevel2() override;
  void startApplication(bool reset, int address) override;

  std::string memorySelectId;

 protected:
  // With the hardware byte's memory selected, and the caller's selected
  // again afterwards.
  void rewriteHardwareByte(std::uint8_t keep, std::uint8_t set) override;
};
