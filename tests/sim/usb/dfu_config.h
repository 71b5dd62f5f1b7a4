#pragma once
// What the simulated DFU boot loader is like and which faults it shows,
// read from "key=value" lines:
//
//   product_id=A7C5      the product id it answers to (hexadecimal)
//   driver=missing       the USB library cannot start on this system
//   access=denied        the device may not be opened by this user
//   interfaces=N         the device has interfaces 0 .. N-1 (5 unless set)
//   kernel_driver=N      a kernel driver is bound to interface N
//   in_use=N             another program has claimed interface N
//   protection=03        refuse programming, reading, blank checks and block
//                        erases with this status (02 or 03) until a full erase
//   memory<n>_size=N     size of memory n (decimal)
//   poke=<n>:<address>:<bytes>   bytes (hexadecimal) stored in memory n
//   busy_polls=K         K status replies report "busy" after each download
//   stuck_busy=1         status replies never stop reporting "busy"
//   error_state=2        the state reported with an error (default 10, dfuERROR)
//   fail_write=N         the N-th download is not taken (counted from 1)
//   fail_read=N          the N-th status request or upload fails
//   short_read=N         the N-th status request or upload brings a byte less
//   download_status=N:SS the N-th download ends with status SS
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct DfuPoke {
  int memory = 0;
  std::uint32_t address = 0;
  std::vector<std::uint8_t> bytes;
};

struct DfuConfig {
  std::uint16_t productId = 0xA7C5;
  bool driverReady = true;
  bool accessDenied = false;
  int interfaces = 5;
  int kernelDriver = -1;  // the interface a kernel driver holds; -1: none
  int inUse = -1;         // the interface another program holds; -1: none
  std::uint8_t protection = 0;
  // FLASH, EEPROM, custom, loader bytes, configuration bytes, hardware byte,
  // signature, LPC boot memory.
  std::array<std::uint32_t, 8> memorySizes{0x10000, 0x1000, 0, 0x10, 0x10, 0x10, 0x100, 0xC00};
  std::vector<DfuPoke> pokes;
  int busyPolls = 0;
  bool stuckBusy = false;
  std::uint8_t errorState = 10;
  int failWrite = 0;
  int failRead = 0;
  int shortRead = 0;
  std::map<int, std::uint8_t> downloadStatus;
};

// The configuration of the lines; a line that cannot be read is named in
// `problems`.
DfuConfig parseDfuConfig(const std::string& text, std::vector<std::string>* problems = nullptr);
