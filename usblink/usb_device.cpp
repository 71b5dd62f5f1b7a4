#include "usblink/usb_device.h"

#include <libusb.h>

#include <cstdio>

namespace {

std::string ids(std::uint16_t vendorId, std::uint16_t productId) {
  char text[16];
  std::snprintf(text, sizeof text, "%04x:%04x", vendorId, productId);
  return text;
}

std::string where(libusb_device* device) {
  return "bus " + std::to_string(libusb_get_bus_number(device)) + ", address " +
         std::to_string(libusb_get_device_address(device));
}

std::string reason(int error) { return libusb_strerror(static_cast<libusb_error>(error)); }

}  // namespace

std::string usbOpenFailureText(UsbOpenFailure failure, std::uint16_t vendorId, std::uint16_t productId,
                               const std::string& detail) {
  const std::string device = "USB device " + ids(vendorId, productId);
  switch (failure) {
    case UsbOpenFailure::LibraryCannotStart:
      return "Cannot look for " + device + ": libusb cannot start (" + detail + ").";
    case UsbOpenFailure::NotConnected:
      return "No " + device + " is connected: plug the device in and start its boot loader.";
    case UsbOpenFailure::AccessDenied:
      return device + " (" + detail +
             ") cannot be opened: access denied. Install the udev rule of the README and plug the device in "
             "again.";
    case UsbOpenFailure::Busy:
      return device + " (" + detail + "): its interface " + std::to_string(kUsbDfuInterface) +
             " is in use by another program or a driver that cannot be detached.";
    case UsbOpenFailure::NoSuchInterface:
      return device + " (" + detail + ") has no interface " + std::to_string(kUsbDfuInterface) +
             ", which the boot loader's requests address: is it a boot loader of this family?";
    case UsbOpenFailure::CannotOpen: return device + " cannot be opened: " + detail + ".";
  }
  return device + " cannot be opened.";
}

std::string usbStartFailure() {
  libusb_context* context = nullptr;
  const int started = libusb_init(&context);
  if (started != 0) return reason(started);
  libusb_exit(context);
  return {};
}

std::string CusbDevice::open(std::uint16_t vendorId, std::uint16_t productId) {
  close();
  const auto failure = [&](UsbOpenFailure kind, const std::string& detail) {
    close();
    return usbOpenFailureText(kind, vendorId, productId, detail);
  };
  const int started = libusb_init(&context_);
  if (started != 0) {
    context_ = nullptr;
    return failure(UsbOpenFailure::LibraryCannotStart, reason(started));
  }

  libusb_device** list = nullptr;
  const ssize_t count = libusb_get_device_list(context_, &list);
  if (count < 0) return failure(UsbOpenFailure::LibraryCannotStart, reason(static_cast<int>(count)));
  libusb_device* found = nullptr;
  for (ssize_t i = 0; i < count && found == nullptr; ++i) {
    libusb_device_descriptor descriptor{};
    if (libusb_get_device_descriptor(list[i], &descriptor) == 0 && descriptor.idVendor == vendorId &&
        descriptor.idProduct == productId)
      found = list[i];
  }
  int opened = LIBUSB_ERROR_NOT_FOUND;
  std::string location;
  if (found != nullptr) {
    location = where(found);
    opened = libusb_open(found, &handle_);
  }
  libusb_free_device_list(list, 1);
  if (found == nullptr) return failure(UsbOpenFailure::NotConnected, {});
  if (opened == LIBUSB_ERROR_ACCESS) return failure(UsbOpenFailure::AccessDenied, location);
  if (opened != 0) {
    handle_ = nullptr;
    return failure(UsbOpenFailure::CannotOpen, location + ": " + reason(opened));
  }

  const std::string claimFailure = claimInterface(vendorId, productId, location);
  if (!claimFailure.empty()) {
    close();
    return claimFailure;
  }
  return {};
}

std::string CusbDevice::claimInterface(std::uint16_t vendorId, std::uint16_t productId, const std::string& location) {
  const auto failure = [&](UsbOpenFailure kind, const std::string& detail) {
    return usbOpenFailureText(kind, vendorId, productId, detail);
  };
  if (libusb_kernel_driver_active(handle_, kUsbDfuInterface) == 1 &&
      libusb_detach_kernel_driver(handle_, kUsbDfuInterface) == 0)
    driverDetached_ = true;
  const int claimed = libusb_claim_interface(handle_, kUsbDfuInterface);
  if (claimed == LIBUSB_ERROR_BUSY) return failure(UsbOpenFailure::Busy, location);
  if (claimed == LIBUSB_ERROR_NOT_FOUND) return failure(UsbOpenFailure::NoSuchInterface, location);
  if (claimed == LIBUSB_ERROR_ACCESS) return failure(UsbOpenFailure::AccessDenied, location);
  if (claimed != 0) return failure(UsbOpenFailure::CannotOpen, location + ": " + reason(claimed));
  claimed_ = true;
  return {};
}

void CusbDevice::close() {
  if (handle_ != nullptr) {
    if (claimed_) libusb_release_interface(handle_, kUsbDfuInterface);
    if (driverDetached_) libusb_attach_kernel_driver(handle_, kUsbDfuInterface);
    libusb_close(handle_);
  }
  handle_ = nullptr;
  claimed_ = false;
  driverDetached_ = false;
  if (context_ != nullptr) libusb_exit(context_);
  context_ = nullptr;
}

int CusbDevice::controlTransfer(const UsbSetupPacket& setup, std::uint8_t* data, std::uint16_t length,
                                unsigned timeoutMs) {
  if (handle_ == nullptr) return -1;
  const int done = libusb_control_transfer(handle_, setup.requestType, setup.request, setup.value, setup.index,
                                           data, length, timeoutMs);
  return done < 0 ? -1 : done;
}
