#pragma once
// The USB bridge boot loader of hardware codes 9 (USB_LPC), 10 (USB_UART)
// and 11 (USB_SPI): it reaches the part over one of three interfaces, chosen
// when the port is opened, and addresses memories by number like the
// memory-numbered DFU loaders. A special byte is read as a one-byte read
// frame and written as a one-byte program frame of its memory.
#include <string>

#include "flashcore/protocols/usb_dfu_protocol.h"

class CusbBridgeProtocol : public CusbDfuProtocol2 {
 public:
  std::string eraseFlashRecord = "01800000";
  std::string eraseBootRecord = "01800000";
  std::string interfaceSelectRecord = "010000000000";

  CusbBridgeProtocol();

  void readSpecial(const std::string& record) override;
  void writeSpecial(const std::string& record, const std::string& valueHex) override;
  // FLASH and the LPC boot memory have an erase command; the EEPROM is
  // erased by programming it with the fill value.
  void eraseDevice() override;
  void programBlock(int page, std::uint32_t from, std::uint32_t to) override;
  void readBlock(int page, std::uint32_t from, std::uint32_t to, int verify) override;
  // Selects the interface of the hardware code on the bridge.
  void openUsb(int hardwareCode) override;

 private:
  void eraseByProgramming();
};
