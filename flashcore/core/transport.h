#pragma once
// The one transport object: every frame a protocol sends or reads goes
// through it. It holds the functions bound by name from the loaded transport
// library, picks the one of the current medium, turns the library's answer
// into a boolean, and in debug mode writes a trace line per frame.
//
// A function the library lacks (or one called while no library is bound)
// is never called: the wrapper fails with STATUS 9 instead.
#include <cstdint>
#include <string>

#include "flashcore/core/can_message.h"
#include "flashcore/core/command_manager.h"
#include "platform/win/library.h"

// The call shapes of the transport libraries' functions.
using OpenCanFunction = int (*)(int canBitrate, unsigned char optionA, int optionB, unsigned short portNumber,
                                int baud);
using OpenRs232Function = int (*)(const char* portName, int baud, int parity, int byteSize, int stopBits);
using OpenUsbFunction = int (*)(int productId);
using WriteCanFunction = int (*)(const char* frameText);
using WriteRs232Function = int (*)(std::string frame);
using WriteUsbFunction = int (*)(std::string* setupText, std::string dataText, int timeoutMs);
using ReadCanFunction = int (*)(CanMessage* message, int timeoutMs);
using ReadRs232Function = int (*)(char* buffer, unsigned int maxLength, char terminator, unsigned int timeoutMs);
using ReadUsbFunction = int (*)(unsigned char* buffer, int length, std::string* setupText, int timeoutMs);
using UpdateRxFilterFunction = int (*)(unsigned char cris);
using PlainFunction = int (*)();  // Close and the four line functions
using UpdateBaudrateFunction = int (*)(int baud);

// The 16 entries, in their binding order; null where nothing is bound.
struct TransportFunctions {
  OpenCanFunction OpenCAN = nullptr;
  OpenRs232Function OpenRS232 = nullptr;
  OpenUsbFunction OpenUSB = nullptr;
  WriteCanFunction WriteCAN = nullptr;
  WriteRs232Function WriteRS232 = nullptr;
  WriteUsbFunction WriteUSB = nullptr;
  ReadCanFunction ReadCAN = nullptr;
  ReadRs232Function ReadRS232 = nullptr;
  ReadUsbFunction ReadUSB = nullptr;
  PlainFunction Close = nullptr;
  UpdateRxFilterFunction UpdateRxFilter = nullptr;
  PlainFunction ClearDtr = nullptr;
  PlainFunction SetDtr = nullptr;
  PlainFunction ClearRts = nullptr;
  PlainFunction SetRts = nullptr;
  UpdateBaudrateFunction UpdateBaudrate = nullptr;
};

class Ctransport {
 public:
  Ctransport() = default;
  Ctransport(const Ctransport&) = delete;
  Ctransport& operator=(const Ctransport&) = delete;
  virtual ~Ctransport() = default;

  // Looks up the open, write and read functions of the medium and the
  // common ones by name; STATUS 13 for a medium other than 1, 2 or 3.
  void bind(platform::win::HMODULE module, TransportMedium medium);
  // Empties the table (the library is about to be unloaded).
  void clear();

  // RS-232 or CAN frame; true when the library took it. Nothing can be
  // written on another medium: false.
  bool write(const std::string& frame);
  bool readRs232(char* buffer, int maxLength, char terminator, std::uint16_t timeoutMs);
  // True, or STATUS 4 when nothing was read.
  bool readCan(CanMessage* message, int timeoutMs);
  bool writeUsb(std::string& setupText, std::string dataText, int timeoutMs);
  // Bytes read, or -1.
  int readUsb(unsigned char* buffer, int length, std::string& setupText, int timeoutMs);

  bool openRs232(const std::string& portName, int baud, std::uint8_t parity, std::uint8_t byteSize,
                 std::uint8_t stopBits);
  bool openCan(int canBitrate, std::uint8_t optionA, int optionB, std::uint16_t portNumber, int baud);
  bool openUsb(int productId);
  bool updateRxFilter(std::uint8_t cris);
  bool clearDtr();
  bool setDtr();
  bool clearRts();
  bool setRts();
  bool close();
  int updateBaudrate(int baud);

  // The trace sink: the library's output channel, in debug mode only.
  void traceLine(const std::string& text);

  TransportMedium medium() const { return medium_; }
  const TransportFunctions& functions() const { return functions_; }

 private:
  TransportFunctions functions_;
  TransportMedium medium_ = MEDIUM_NONE;
};
