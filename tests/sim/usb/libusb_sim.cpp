// The simulated libusb: the libusb functions that usblink calls, with the
// simulated DFU boot loader as the one device on the bus. A test links it
// into its program, or preloads it into the programmer, in front of the real
// libusb; the real usblink then runs unchanged on top of it.
//
// The folder in USB_SIM_FOLDER says what the device is like ("usbsim.ini",
// see dfu_config.h), read when the device is first looked for. Every request
// is appended to "transfers.log" there as it comes, every claim, release and
// kernel-driver change to "interfaces.log"; when the device is closed, and at
// the end of the program, the loader leaves its memories ("memory<n>.bin")
// and "state.ini" (interface selected, start command, errors in the
// requests) beside them.
//
// Like Linux's usbfs, the device passes a request addressed to one of its
// interfaces only when the program has claimed it: a kernel driver bound to
// the interface refuses it (busy); an interface nobody holds is claimed on
// the program's behalf, which counts as an error of the requests.
#include <libusb.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/sim/usb/dfu_bootloader.h"
#include "tests/sim/usb/hex_text.h"

#define SIM_EXPORT extern "C" __attribute__((visibility("default")))

struct libusb_context {
  int unused = 0;
};
struct libusb_device {
  std::uint16_t productId = 0;
};
struct libusb_device_handle {
  std::set<int> claimed;
};

namespace {

constexpr std::uint16_t kVendorId = 0x6E2D;

std::string simFolder() {
  const char* folder = std::getenv("USB_SIM_FOLDER");
  return folder == nullptr ? std::string() : folder;
}

DfuConfig loadConfig() {
  const std::string folder = simFolder();
  if (folder.empty()) return DfuConfig{};
  std::ifstream file(folder + "/usbsim.ini");
  std::ostringstream text;
  text << file.rdbuf();
  return parseDfuConfig(text.str());
}

// The setup packet as the requests' texts write it: the bytes on the wire.
std::string setupText(std::uint8_t requestType, std::uint8_t request, std::uint16_t value, std::uint16_t index,
                      std::uint16_t length) {
  const std::uint8_t bytes[8] = {requestType,
                                 request,
                                 static_cast<std::uint8_t>(value & 0xFF),
                                 static_cast<std::uint8_t>(value >> 8),
                                 static_cast<std::uint8_t>(index & 0xFF),
                                 static_cast<std::uint8_t>(index >> 8),
                                 static_cast<std::uint8_t>(length & 0xFF),
                                 static_cast<std::uint8_t>(length >> 8)};
  return hexText(bytes, sizeof bytes);
}

// The device on the bus: the loader of the folder named now (a test that
// names another folder plugs in a fresh device), its interfaces and what
// became of them.
class SimulatedDevice {
 public:
  ~SimulatedDevice() { save(); }

  DfuBootloader& loader() {
    if (!loader_ || folder_ != simFolder()) {
      save();
      folder_ = simFolder();
      loader_ = std::make_unique<DfuBootloader>(loadConfig());
      logged_ = 0;
      driverDetached_ = false;
      errors_.clear();
    }
    return *loader_;
  }
  const DfuConfig& config() { return loader().config(); }

  bool hasInterface(int number) { return number >= 0 && number < config().interfaces; }
  bool driverBound(int number) { return number == config().kernelDriver && !driverDetached_; }
  void setDriverDetached(bool detached) { driverDetached_ = detached; }
  void error(const std::string& text) { errors_.push_back(text); }

  void event(const std::string& line) {
    if (!folder_.empty()) std::ofstream(folder_ + "/interfaces.log", std::ios::app) << line << '\n';
  }

  // New lines of the request log into the folder's log file.
  void log() {
    if (!loader_ || folder_.empty()) return;
    const std::vector<std::string>& lines = loader_->transfers();
    std::ofstream file(folder_ + "/transfers.log", std::ios::app);
    for (; logged_ < lines.size(); ++logged_) file << lines[logged_] << '\n';
  }

  void save() {
    if (!loader_ || folder_.empty()) return;
    log();
    for (int n = 0; n < 8; ++n) {
      const std::vector<std::uint8_t>& memory = loader_->memory(n);
      if (memory.empty()) continue;
      std::ofstream file(folder_ + "/memory" + std::to_string(n) + ".bin", std::ios::binary | std::ios::trunc);
      file.write(reinterpret_cast<const char*>(memory.data()), static_cast<std::streamsize>(memory.size()));
    }
    std::vector<std::string> errors = loader_->errors();
    errors.insert(errors.end(), errors_.begin(), errors_.end());
    std::ofstream state(folder_ + "/state.ini", std::ios::trunc);
    state << "interface=" << loader_->interfaceSelected() << '\n'
          << "start=" << loader_->startCommand() << '\n'
          << "errors=" << errors.size() << '\n';
    for (const std::string& error : errors) state << "error=" << error << '\n';
  }

 private:
  std::unique_ptr<DfuBootloader> loader_;
  std::string folder_;  // where the device's files go
  size_t logged_ = 0;
  bool driverDetached_ = false;
  std::vector<std::string> errors_;  // of the requests, beside the loader's
};

SimulatedDevice device;

// Whether a request may reach the interface it addresses; the usbfs rule.
int admitRequest(libusb_device_handle* handle, std::uint8_t requestType, std::uint16_t index) {
  if ((requestType & 0x1F) != LIBUSB_RECIPIENT_INTERFACE) return 0;
  const int number = index & 0xFF;
  if (handle->claimed.count(number) != 0) return 0;
  if (!device.hasInterface(number)) {
    device.error("request to interface " + std::to_string(number) + ", which the device does not have");
    return LIBUSB_ERROR_NOT_FOUND;
  }
  if (device.driverBound(number)) {
    device.error("request to interface " + std::to_string(number) + ", which a kernel driver holds");
    return LIBUSB_ERROR_BUSY;
  }
  device.error("request to interface " + std::to_string(number) + ", which the program has not claimed");
  return 0;
}

}  // namespace

SIM_EXPORT int libusb_init(libusb_context** context) {
  if (context == nullptr) return LIBUSB_ERROR_INVALID_PARAM;
  if (!device.config().driverReady) return LIBUSB_ERROR_OTHER;
  *context = new libusb_context;
  return 0;
}

SIM_EXPORT void libusb_exit(libusb_context* context) { delete context; }

SIM_EXPORT ssize_t libusb_get_device_list(libusb_context*, libusb_device*** list) {
  if (list == nullptr) return LIBUSB_ERROR_INVALID_PARAM;
  *list = new libusb_device*[2]{new libusb_device{device.config().productId}, nullptr};
  return 1;
}

SIM_EXPORT void libusb_free_device_list(libusb_device** list, int) {
  if (list == nullptr) return;
  for (libusb_device** entry = list; *entry != nullptr; ++entry) delete *entry;
  delete[] list;
}

SIM_EXPORT int libusb_get_device_descriptor(libusb_device* dev, libusb_device_descriptor* descriptor) {
  *descriptor = libusb_device_descriptor{};
  descriptor->bLength = LIBUSB_DT_DEVICE_SIZE;
  descriptor->bDescriptorType = LIBUSB_DT_DEVICE;
  descriptor->idVendor = kVendorId;
  descriptor->idProduct = dev->productId;
  descriptor->bNumConfigurations = 1;
  return 0;
}

SIM_EXPORT uint8_t libusb_get_bus_number(libusb_device*) { return 1; }

SIM_EXPORT uint8_t libusb_get_device_address(libusb_device*) { return 5; }

SIM_EXPORT int libusb_open(libusb_device* dev, libusb_device_handle** handle) {
  if (device.config().accessDenied) return LIBUSB_ERROR_ACCESS;
  const bool opened = device.loader().open(dev->productId);
  device.log();
  if (!opened) return LIBUSB_ERROR_NO_DEVICE;
  *handle = new libusb_device_handle;
  return 0;
}

// Closing gives up the claims, as the kernel does, but binds no driver again.
SIM_EXPORT void libusb_close(libusb_device_handle* handle) {
  delete handle;
  device.save();
}

SIM_EXPORT int libusb_kernel_driver_active(libusb_device_handle*, int number) {
  return device.hasInterface(number) && device.driverBound(number) ? 1 : 0;
}

SIM_EXPORT int libusb_detach_kernel_driver(libusb_device_handle*, int number) {
  if (!device.hasInterface(number) || !device.driverBound(number)) return LIBUSB_ERROR_NOT_FOUND;
  device.setDriverDetached(true);
  device.event("detach " + std::to_string(number));
  return 0;
}

SIM_EXPORT int libusb_attach_kernel_driver(libusb_device_handle*, int number) {
  if (number != device.config().kernelDriver || device.driverBound(number)) return LIBUSB_ERROR_NOT_FOUND;
  device.setDriverDetached(false);
  device.event("attach " + std::to_string(number));
  return 0;
}

SIM_EXPORT int libusb_claim_interface(libusb_device_handle* handle, int number) {
  const std::string claim = "claim " + std::to_string(number);
  if (!device.hasInterface(number)) {
    device.event(claim + ": no such interface");
    return LIBUSB_ERROR_NOT_FOUND;
  }
  if (number == device.config().inUse || device.driverBound(number)) {
    device.event(claim + ": busy");
    return LIBUSB_ERROR_BUSY;
  }
  handle->claimed.insert(number);
  device.event(claim);
  return 0;
}

SIM_EXPORT int libusb_release_interface(libusb_device_handle* handle, int number) {
  if (handle->claimed.erase(number) == 0) return LIBUSB_ERROR_NOT_FOUND;
  device.event("release " + std::to_string(number));
  return 0;
}

SIM_EXPORT int libusb_control_transfer(libusb_device_handle* handle, uint8_t requestType, uint8_t request,
                                       uint16_t value, uint16_t index, unsigned char* data, uint16_t length,
                                       unsigned int) {
  if (const int refused = admitRequest(handle, requestType, index); refused != 0) return refused;
  const std::string setup = setupText(requestType, request, value, index, length);
  int result = 0;
  if ((requestType & LIBUSB_ENDPOINT_IN) != 0) {
    // A control transfer takes about a millisecond on the bus.
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    const int count = device.loader().read(data, length, setup);
    result = count < 0 ? static_cast<int>(LIBUSB_ERROR_PIPE) : count;
  } else {
    result = device.loader().write(setup, hexText(data, length)) ? static_cast<int>(length)
                                                                   : static_cast<int>(LIBUSB_ERROR_PIPE);
  }
  device.log();
  return result;
}

SIM_EXPORT const char* libusb_strerror(int error) {
  switch (error) {
    case LIBUSB_ERROR_ACCESS: return "Access denied (insufficient permissions)";
    case LIBUSB_ERROR_NO_DEVICE: return "No such device (it may have been disconnected)";
    case LIBUSB_ERROR_NOT_FOUND: return "Entity not found";
    case LIBUSB_ERROR_BUSY: return "Resource busy";
    case LIBUSB_ERROR_PIPE: return "Pipe error";
    default: return "Other error";
  }
}
