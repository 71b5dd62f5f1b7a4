#pragma once
// The RS-232 protocols of MCU20 and MCU21: their boot loaders need a
// patient synchronisation, and programming always writes the whole memory
// image (MCU20's with its CRC in the last two bytes). Their display
// requests keep the memory selector of the template.
#include "flashcore/protocols/rs232_protocol.h"

class Crs232ProtocolMcu20 : public Crs232Protocol {
 public:
  Crs232ProtocolMcu20();
  void syncTarget() override;
  void execSpecialCmd(const std::string& command) override;
  void programRange(int page, std::uint32_t from, std::uint32_t to) override;
  void readBlock(int page, std::uint32_t from, std::uint32_t to, int verify) override;
};

class Crs232ProtocolMcu21 : public Crs232Protocol {
 public:
  Crs232ProtocolMcu21();
  void syncTarget() override;
  void programRange(int page, std::uint32_t from, std::uint32_t to) override;
  // Programs exactly the given range.
  void programRangeAlt(int page, std::uint32_t from, std::uint32_t to) override;
  // A refusal "L" ends the read at once.
  void readBlock(int page, std::uint32_t from, std::uint32_t to, int verify) override;
};
