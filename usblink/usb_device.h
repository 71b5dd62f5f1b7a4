#pragma once
// One USB device on libusb, found by vendor and product id, with the
// interface that the boot loaders' requests address claimed while it is open
// (Linux passes a request to an interface only to the program that claimed
// it; a kernel driver bound to it is detached meanwhile and bound again at
// the close), and the control transfers of the programming requests.
#include <cstdint>
#include <string>

#include "usblink/usb_request.h"

struct libusb_context;
struct libusb_device_handle;

// The interface that the boot loaders' DFU requests address (their wIndex).
constexpr int kUsbDfuInterface = 4;

// Why a device could not be opened.
enum class UsbOpenFailure { LibraryCannotStart, NotConnected, AccessDenied, Busy, NoSuchInterface, CannotOpen };

// The message for a technician: the ids, where the device sits (`detail`,
// for example "bus 1, address 5", or libusb's reason) and what to do; Busy
// and NoSuchInterface speak of the DFU interface.
std::string usbOpenFailureText(UsbOpenFailure failure, std::uint16_t vendorId, std::uint16_t productId,
                               const std::string& detail);

// Empty when libusb starts on this system; otherwise why not.
std::string usbStartFailure();

class CusbDevice {
 public:
  CusbDevice() = default;
  CusbDevice(const CusbDevice&) = delete;
  CusbDevice& operator=(const CusbDevice&) = delete;
  ~CusbDevice() { close(); }

  // Empty on success, else the message why the device is not open.
  std::string open(std::uint16_t vendorId, std::uint16_t productId);
  void close();
  bool isOpen() const { return handle_ != nullptr; }

  // Bytes transferred (into `data` for a device-to-host request), or -1.
  int controlTransfer(const UsbSetupPacket& setup, std::uint8_t* data, std::uint16_t length, unsigned timeoutMs);

 private:
  // Claims the DFU interface, detaching a kernel driver that holds it.
  std::string claimInterface(std::uint16_t vendorId, std::uint16_t productId, const std::string& location);

  libusb_context* context_ = nullptr;
  libusb_device_handle* handle_ = nullptr;
  bool claimed_ = false;
  bool driverDetached_ = false;
};
