#pragma once
// The RS-232 protocol of MCU27 (and, with larger program records, of the
// on-chip-debug target): the boot loader addresses memory through a memory
// record and a 64 KB page record sent before every range and around every
// special-byte access, has its own erase records, and answers a special-byte
// read with a display line.
#include "flashcore/protocols/rs232_protocol.h"

class Crs232ProtocolMcu27 : public Crs232Protocol {
 public:
  Crs232ProtocolMcu27();
  void selectPage(int page) override;
  void selectMemoryPage(int memory, int page) override;
  void readSpecial(const std::string& record) override;
  void programRange(int page, std::uint32_t from, std::uint32_t to) override;
  void programBlock(int page, std::uint32_t from, std::uint32_t to) override;
  void readBlock(int page, std::uint32_t from, std::uint32_t to, int verify) override;
  int memoryOfSpecialByteKey(const std::string& key) override;
  int memoryOfSpecialByte(int specialByteId) override;

  virtual void selectMemory(int memory);
};

class Crs232ProtocolOcd : public Crs232ProtocolMcu27 {
 public:
  Crs232ProtocolOcd();
};
