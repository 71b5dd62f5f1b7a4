#pragma once
// A DFU boot loader as the programming library's USB protocols expect it,
// written from the requests they send: downloads carry commands, uploads
// bring read data, status requests tell how the last command went.
//
// Commands (first data byte): 01 program a range, or 01 80 erase the
// selected memory; 03 read a range (second byte 00 or 02) or blank-check it
// (01 or 80); 04 erase (00 FF all, 00 BB a block), write a configuration
// byte (01), the hardware byte (02), start the application (03, then an
// empty download); 05 read a special byte; 06 03 select memory and page.
// Once a memory has been selected, ranges address the selected memory (a
// memory-numbered loader); before that the memory code of the command does.
// Writes to memory 3 are commands: address 0 selects the bridge interface,
// address 1 starts the application.
//
// Every counted request (download, upload) must carry the next block number
// in wValue, from FFFF down and after 0000 back to FFFF; status requests and
// the upload of a blank-check failure address carry 0000. After an error
// the loader refuses requests until its status is cleared (2104). What the
// requests break of these rules is kept in errors().
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tests/sim/usb/dfu_config.h"

class DfuBootloader {
 public:
  static constexpr std::uint8_t kStateIdle = 2;
  static constexpr std::uint8_t kStateBusy = 4;
  static constexpr std::uint8_t kStateError = 10;
  static constexpr std::uint8_t kStatusCheckErased = 0x05;
  static constexpr std::uint8_t kStatusAddress = 0x08;
  static constexpr std::uint8_t kStatusUnknown = 0x0E;

  explicit DfuBootloader(DfuConfig config);

  // True for the configured product id; starts the block numbers afresh.
  bool open(int productId);
  bool isOpen() const { return open_; }
  // A host-to-device request; false when the loader does not take it.
  bool write(const std::string& setupText, const std::string& dataText);
  // A device-to-host request: bytes stored, or -1.
  int read(std::uint8_t* buffer, int length, const std::string& setupText);

  const DfuConfig& config() const { return config_; }
  const std::vector<std::uint8_t>& memory(int index) const { return memories_.at(static_cast<size_t>(index)); }
  // One line per request: "W <setup> <data>" or "R <setup> <bytes or -1>".
  const std::vector<std::string>& transfers() const { return transfers_; }
  const std::vector<std::string>& errors() const { return errors_; }
  // The bridge interface selected at open (-1: none).
  int interfaceSelected() const { return interface_; }
  // The command that last started the application, in hexadecimal; empty
  // while none has.
  const std::string& startCommand() const { return startCommand_; }

 private:
  bool memoryNumbered() const { return selectedMemory_.has_value(); }
  void error(const std::string& text);
  // Checks a counted request's wValue and moves the expectation on.
  bool counted(std::uint16_t value);
  void finish(std::uint8_t status);
  // Runs a download's command; returns the status it ends with.
  std::uint8_t execute(const std::vector<std::uint8_t>& data);
  std::uint8_t program(const std::vector<std::uint8_t>& data);
  std::uint8_t readOrBlankCheck(const std::vector<std::uint8_t>& data);
  std::uint8_t erase(const std::vector<std::uint8_t>& data);
  std::uint8_t readSpecial(const std::vector<std::uint8_t>& data);
  std::uint8_t selectMemory(const std::vector<std::uint8_t>& data);
  // The memory a range command addresses: the selected one, or the one of
  // the command's memory code.
  std::optional<int> rangeMemory(std::uint8_t code, bool reading) const;
  bool inMemory(int memory, std::uint32_t first, std::uint32_t last) const;
  bool refusedByProtection(int memory) const;
  void eraseMemory(int memory, std::uint32_t first, std::uint32_t last);

  DfuConfig config_;
  std::array<std::vector<std::uint8_t>, 8> memories_;
  bool open_ = false;
  std::uint16_t expectedBlock_ = 0xFFFF;
  std::uint8_t status_ = 0;
  std::uint8_t state_ = kStateIdle;
  int busyLeft_ = 0;
  int downloads_ = 0;
  int reads_ = 0;
  std::uint8_t protection_ = 0;
  std::optional<int> selectedMemory_;
  std::uint32_t selectedPage_ = 0;
  std::vector<std::uint8_t> pendingUpload_;
  std::optional<std::uint32_t> blankFailAddress_;
  bool startPending_ = false;
  std::string pendingStartCommand_;
  std::string startCommand_;
  int interface_ = -1;
  std::vector<std::string> transfers_;
  std::vector<std::string> errors_;
};
