#pragma once
// The named-command protocol: a caller makes it by name ("RS232_00" or
// "CAN_00", the same protocol), teaches it commands at run time and sends
// them by name. Otherwise it is the RS-232 record protocol with fewer
// records: its synchronisation and blank check take the texts of the
// commands "sync" and "blank_check", and it starts the application at
// address 0000 whatever address is asked for. It reads every reply from an
// RS-232 line; on another medium it sends nothing and fails with STATUS 9.
#include <string>

#include "flashcore/protocols/rs232_protocol.h"

class CgenericProtocol final : public Crs232Protocol {
 public:
  CgenericProtocol();

  // A named command, or any record: an empty record is one the protocol
  // does not have (STATUS 3), and nothing is written.
  void transact(std::string frame, std::uint16_t timeoutMs, bool storeResult, bool requireTerminator) override;
  void syncTarget() override;
  void blankCheckRange(int page, std::uint32_t from, std::uint32_t to) override;
  void startApplication(bool reset, int address) override;
  void readBlock(int page, std::uint32_t from, std::uint32_t to, int verify) override;

 private:
  static void requireSerialLine();
  // The text of a command the protocol's own operations need; STATUS 14
  // when it was never added.
  std::string requiredCommand(const std::string& name, size_t shortest) const;
};
