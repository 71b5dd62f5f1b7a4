// libusblink.so as the tests load it: the USB transport functions answered
// by a simulated DFU boot loader instead of a device.
//
// The folder in USBLINK_SIM_FOLDER holds what the loader is like
// ("usbsim.ini", see dfu_config.h), read at the first OpenUSB; every request
// is appended to "transfers.log" there as it comes, and at Close and at
// unload the loader leaves its memories ("memory<n>.bin") and "state.ini"
// (interface selected, start command, errors in the requests) beside it.
#include <chrono>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>

#include "tests/sim/usb/dfu_bootloader.h"

namespace {

std::string simFolder() {
  const char* folder = std::getenv("USBLINK_SIM_FOLDER");
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

class SimulatedDevice {
 public:
  ~SimulatedDevice() { save(); }

  // The loader of the folder named now; a test that names another folder
  // gets a fresh loader.
  DfuBootloader& loader() {
    if (!loader_ || folder_ != simFolder()) {
      save();
      folder_ = simFolder();
      loader_ = std::make_unique<DfuBootloader>(loadConfig());
      logged_ = 0;
    }
    return *loader_;
  }
  bool made() const { return loader_ != nullptr; }

  // New lines of the request log into the folder's log file.
  void log() {
    const std::string& folder = folder_;
    if (!loader_ || folder.empty()) return;
    const std::vector<std::string>& lines = loader_->transfers();
    std::ofstream file(folder + "/transfers.log", std::ios::app);
    for (; logged_ < lines.size(); ++logged_) file << lines[logged_] << '\n';
  }

  void save() {
    const std::string& folder = folder_;
    if (!loader_ || folder.empty()) return;
    log();
    for (int n = 0; n < 8; ++n) {
      const std::vector<std::uint8_t>& memory = loader_->memory(n);
      if (memory.empty()) continue;
      std::ofstream file(folder + "/memory" + std::to_string(n) + ".bin", std::ios::binary | std::ios::trunc);
      file.write(reinterpret_cast<const char*>(memory.data()), static_cast<std::streamsize>(memory.size()));
    }
    std::ofstream state(folder + "/state.ini", std::ios::trunc);
    state << "interface=" << loader_->interfaceSelected() << '\n'
          << "start=" << loader_->startCommand() << '\n'
          << "errors=" << loader_->errors().size() << '\n';
    for (const std::string& error : loader_->errors()) state << "error=" << error << '\n';
  }

 private:
  std::unique_ptr<DfuBootloader> loader_;
  std::string folder_;  // where the loader's files go
  size_t logged_ = 0;
};

SimulatedDevice device;

}  // namespace

extern "C" {

__attribute__((visibility("default"))) int OpenUSB(int productId) {
  const bool opened = device.loader().open(productId);
  device.log();
  return opened ? 1 : 0;
}

__attribute__((visibility("default"))) int WriteUSB(std::string* setupText, std::string dataText, int) {
  if (setupText == nullptr || !device.made()) return 0;
  const bool taken = device.loader().write(*setupText, dataText);
  device.log();
  return taken ? 1 : 0;
}

__attribute__((visibility("default"))) int ReadUSB(unsigned char* buffer, int length, std::string* setupText, int) {
  if (buffer == nullptr || setupText == nullptr || !device.made()) return -1;
  // A control transfer takes about a millisecond on the bus.
  std::this_thread::sleep_for(std::chrono::milliseconds(1));
  const int count = device.loader().read(buffer, length, *setupText);
  device.log();
  return count;
}

__attribute__((visibility("default"))) int Close() {
  device.save();
  return 1;
}

__attribute__((visibility("default"))) int UsbDriverReady() { return loadConfig().driverReady ? 1 : 0; }
}
