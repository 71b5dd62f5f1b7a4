#include "usblink/usblink.h"

#include <algorithm>
#include <cstdio>

#include "usblink/usb_device.h"

namespace {

CusbDevice usbDevice;  // closed when the library is unloaded

void report(const std::string& message) { std::fprintf(stderr, "usblink: %s\n", message.c_str()); }

unsigned timeoutOf(int timeoutMs) { return timeoutMs > 0 ? static_cast<unsigned>(timeoutMs) : 0u; }

}  // namespace

extern "C" {

__attribute__((visibility("default"))) int OpenUSB(int productId) {
  if (productId < 0 || productId > 0xFFFF) {
    report("USB product id " + std::to_string(productId) + " is not valid.");
    return 0;
  }
  const std::string failure = usbDevice.open(kUsbVendorId, static_cast<std::uint16_t>(productId));
  if (!failure.empty()) report(failure);
  return failure.empty() ? 1 : 0;
}

__attribute__((visibility("default"))) int WriteUSB(std::string* setupText, std::string dataText, int timeoutMs) {
  if (setupText == nullptr) return 0;
  const std::optional<UsbSetupPacket> setup = parseSetupText(*setupText);
  std::optional<std::vector<std::uint8_t>> data = parseDataText(dataText);
  if (!setup || !data || setup->deviceToHost() || data->size() != setup->length) return 0;
  return usbDevice.controlTransfer(*setup, data->data(), setup->length, timeoutOf(timeoutMs)) == setup->length ? 1
                                                                                                             : 0;
}

__attribute__((visibility("default"))) int ReadUSB(unsigned char* buffer, int length, std::string* setupText,
                                                   int timeoutMs) {
  if (buffer == nullptr || setupText == nullptr || length < 0) return -1;
  const std::optional<UsbSetupPacket> setup = parseSetupText(*setupText);
  if (!setup || !setup->deviceToHost()) return -1;
  const auto count = static_cast<std::uint16_t>(std::min<int>(length, setup->length));
  return usbDevice.controlTransfer(*setup, buffer, count, timeoutOf(timeoutMs));
}

__attribute__((visibility("default"))) int Close() {
  usbDevice.close();
  return 1;
}

__attribute__((visibility("default"))) int UsbDriverReady() {
  const std::string failure = usbStartFailure();
  if (!failure.empty()) report("the USB driver check failed: libusb cannot start (" + failure + ").");
  return failure.empty() ? 1 : 0;
}
}
