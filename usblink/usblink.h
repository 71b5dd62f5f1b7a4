#pragma once
// usblink: the USB transport that the programming library loads by name
// ("usblink.dll", i.e. libusblink.so). One device per process, found by the
// boot loaders' vendor id and the product id it is given; the requests come
// as the setup and data texts of usb_request.h and go out as control
// transfers. A device that cannot be opened is reported on standard error
// with its ids and what to do.
#include <string>

// Vendor id of the boot loaders' USB devices.
constexpr unsigned kUsbVendorId = 0x6E2D;

extern "C" {

// 1 when the device with the product id is open.
int OpenUSB(int productId);
// Host-to-device request with exactly wLength data bytes; 1 when the
// device took them within the time-out.
int WriteUSB(std::string* setupText, std::string dataText, int timeoutMs);
// Device-to-host request for up to `length` bytes (at most wLength); the
// bytes stored, or -1.
int ReadUSB(unsigned char* buffer, int length, std::string* setupText, int timeoutMs);
int Close();
// The USB driver check: 1 when libusb starts on this system.
int UsbDriverReady();
}
