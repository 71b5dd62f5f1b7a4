// Part selection and the hardware, port and line operations.
#include <new>

#include "flashcore/core/command_manager.h"
#include "flashcore/core/device_catalogue.h"
#include "flashcore/core/library_context.h"
#include "flashcore/core/transport.h"
#include "flashcore/protocols/protocol.h"
#include "platform/win/system_info.h"

namespace {

struct HardwareKeyword {
  const char* name;
  TransportMedium medium;
  const char* library;
};

// Keywords of selection by name, tried in this order.
constexpr HardwareKeyword kHardwareKeywords[] = {
    {"RS232", MEDIUM_RS232, "comlink.dll"},
    {"USB_PORT", MEDIUM_USB, "usblink.dll"},
    {"USB_LPC", MEDIUM_USB, "usblink.dll"},
    {"USB_UART", MEDIUM_USB, "usblink.dll"},
    {"USB_SPI", MEDIUM_USB, "usblink.dll"},
    {"NORVA_RS232_CAN", MEDIUM_CAN, "canlink_serial.dll"},
    {"RM_CANVIEW_RS232_CAN", MEDIUM_CAN, "canlink_rm.dll"},
    {"VECTOR", MEDIUM_CAN, "canlink_vector.dll"},
    {"IXXAT", MEDIUM_CAN, "canlink_ixxat.dll"},
    {"JANZ", MEDIUM_CAN, "canlink_janz.dll"},
    {"PEAK", MEDIUM_CAN, "canlink_peak.dll"},
    {"SYSTEC_USB_CAN", MEDIUM_CAN, "canlink_systec.dll"},
};

struct HardwareCode {
  TransportMedium medium;
  const char* library;
};

// Hardware codes 1 to 11; code 1 may load the second RS-232 library instead.
constexpr HardwareCode kHardwareCodes[] = {
    {MEDIUM_RS232, "comlink.dll"},       {MEDIUM_USB, "usblink.dll"},        {MEDIUM_CAN, "canlink_serial.dll"},
    {MEDIUM_CAN, "canlink_janz.dll"},    {MEDIUM_CAN, "canlink_vector.dll"}, {MEDIUM_CAN, "canlink_ixxat.dll"},
    {MEDIUM_CAN, "canlink_peak.dll"},    {MEDIUM_CAN, "canlink_systec.dll"}, {MEDIUM_USB, "usblink.dll"},
    {MEDIUM_USB, "usblink.dll"},         {MEDIUM_USB, "usblink.dll"},
};

// The USB driver key of a product id for the system's family; empty where
// nothing is checked.
std::string usbDriverKey(std::int32_t productId) {
  if (productId != 0xA7C5 && productId != 0xA7C6 && productId != 0xA7C7) return {};
  const platform::win::OsVersion os = platform::win::GetVersionExA();
  std::string key = "Enum\\USB\\Vid_6e2d&Pid_" + std::string(productId == 0xA7C5   ? "a7c5"
                                                             : productId == 0xA7C6 ? "a7c6"
                                                                                   : "a7c7");
  if (os.platformId == platform::win::VER_PLATFORM_WIN32_WINDOWS) return key;
  if (os.platformId == platform::win::VER_PLATFORM_WIN32_NT && os.majorVersion >= 5)
    return "System\\CurrentControlSet\\" + key;
  return {};
}

}  // namespace

void CcommandManager::selectDevice(int deviceCode) {
  setStatus(STATUS_PASS);
  if (context_.device() != nullptr) {
    unloadTransport();
    context_.deleteProtocol();
    context_.deleteDevice();
  }
  std::unique_ptr<Cdevice> device;
  try {
    device = createDevice(deviceCode);
  } catch (STATUS status) {
    fail(status);
  } catch (const std::bad_alloc&) {
    fail(STATUS_MEMORY_ALLOCATION_ERROR);
  }
  context_.setDevice(std::move(device));
  rangeStart_ = 0;
  rangeEnd_ = static_cast<std::int32_t>(context_.device()->memorySize() - 1);
  selection_ |= SELECTED_DEVICE;
}

int CcommandManager::deviceIndex(const std::string& name) const { return demoMode_ ? 0 : deviceIndexOf(name); }

void CcommandManager::loadTransport(const char* fileName, TransportMedium medium) {
  platform::win::Library library(platform::win::LoadLibraryA(fileName));
  if (!library) throw STATUS_CANNOT_LOAD_LIBRARY;  // stored by the caller beforehand
  transport().bind(library.get(), medium);
  library_ = std::move(library);
}

void CcommandManager::selectCommHardware(int hardwareCode) {
  setStatus(STATUS_PASS);
  if ((selection_ & SELECTED_DEVICE) == 0 || context_.device() == nullptr) fail(STATUS_CANNOT_EXECUTE_COMMAND);
  // The protocol of the previous hardware never runs on the next library.
  context_.deleteProtocol();
  unloadTransport();
  setStatus(STATUS_CANNOT_LOAD_LIBRARY);
  if (hardwareCode < 1 || hardwareCode > 11) {
    transportMedium_ = MEDIUM_NONE;
    fail(STATUS_HARDWARE_DOES_NOT_EXIST);
  }
  try {
    const HardwareCode& hardware = kHardwareCodes[hardwareCode - 1];
    transportMedium_ = hardware.medium;
    loadTransport(hardwareCode == 1 && commLibName_ == "Comlinkx" ? "comlinkx.dll" : hardware.library,
                  hardware.medium);
  } catch (const std::bad_alloc&) {
    fail(STATUS_MEMORY_ALLOCATION_ERROR);
  }
  hardwareCode_ = hardwareCode;
  selection_ |= SELECTED_HARDWARE;
  if ((selection_ & (SELECTED_DEVICE | SELECTED_HARDWARE)) == (SELECTED_DEVICE | SELECTED_HARDWARE)) createProtocol();
}

void CcommandManager::selectCommHardware2(const std::string& hardwareName) {
  setStatus(STATUS_PASS);
  context_.deleteProtocol();
  unloadTransport();
  setStatus(STATUS_CANNOT_LOAD_LIBRARY);
  const HardwareKeyword* found = nullptr;
  for (const HardwareKeyword& keyword : kHardwareKeywords)
    if (hardwareName == keyword.name) {
      found = &keyword;
      break;
    }
  if (found == nullptr) {
    transportMedium_ = MEDIUM_NONE;
    fail(STATUS_HARDWARE_DOES_NOT_EXIST);
  }
  try {
    transportMedium_ = found->medium;
    loadTransport(found->library, found->medium);
  } catch (const std::bad_alloc&) {
    fail(STATUS_MEMORY_ALLOCATION_ERROR);
  }
}

void CcommandManager::createProtocol() {
  if (demoMode_) return;
  setStatus(STATUS_PASS);
  if (!canExecute()) fail(STATUS_CANNOT_EXECUTE_COMMAND);
  bool made = false;
  try {
    made = requireDevice().createProtocol(hardwareCode_);
  } catch (const std::bad_alloc&) {
    fail(STATUS_MEMORY_ALLOCATION_ERROR);
  } catch (...) {
    throw static_cast<STATUS>(lastStatus_);
  }
  if (!made) fail(STATUS_INVALID_DEVICE_HARDWARE_ASSOCIATION);
}

bool CcommandManager::selectProtocol(int hardwareCode, int variant) {
  return requireDevice().selectProtocol(hardwareCode, variant);
}

bool CcommandManager::unloadTransport() {
  if (!library_) return false;
  Ctransport& t = transport();
  if (t.functions().Close != nullptr) t.close();
  t.clear();
  library_.reset();
  return true;
}

Ctransport& CcommandManager::transport() {
  Ctransport* t = context_.transport();
  if (t == nullptr) fail(STATUS_CANNOT_EXECUTE_COMMAND);
  return *t;
}

void CcommandManager::openRs232Port(const std::string& portName, int baud, int parity, int byteSize, int stopBits) {
  if (demoMode_) return;
  if (!transport().openRs232(portName, baud, static_cast<std::uint8_t>(parity), static_cast<std::uint8_t>(byteSize),
                             static_cast<std::uint8_t>(stopBits)))
    fail(STATUS_CANNOT_OPEN_PORT);
}

void CcommandManager::openUsbPort(std::int32_t productId) {
  if (demoMode_) return;
  if (checkUsbDriver_) {
    const std::string key = usbDriverKey(productId);
    if (!key.empty()) {
      platform::win::HKEY opened = nullptr;
      if (platform::win::RegOpenKeyExA(platform::win::HKEY_LOCAL_MACHINE, key.c_str(), &opened) !=
          platform::win::ERROR_SUCCESS)
        fail(STATUS_USB_DRIVER_NOT_INSTALLED);
      platform::win::RegCloseKey(opened);
    }
  }
  // The bridge codes reach their parts through one product id.
  if (hardwareCode_ >= 9 && hardwareCode_ <= 11) productId = 0xA7C5;
  Cprotocol& protocol = requireProtocol();
  if (!transport().openUsb(productId)) fail(STATUS_CANNOT_OPEN_PORT);
  protocol.openUsb(hardwareCode_);
}

void CcommandManager::openCanPort(int canBitrate, std::uint8_t optionA, std::uint16_t portNumber, std::uint8_t optionB,
                                  int baud) {
  if (demoMode_) return;
  if (!transport().openCan(canBitrate, optionA, optionB, portNumber, baud)) fail(STATUS_CANNOT_OPEN_PORT);
}

void CcommandManager::closePort() { transport().close(); }

void CcommandManager::syncTarget() {
  if (demoMode_) return;
  if (!canExecute()) fail(STATUS_CANNOT_EXECUTE_COMMAND);
  requireProtocol().syncTarget();
}

void CcommandManager::selectCanNode(std::uint8_t node) {
  if (demoMode_) return;
  requireProtocol().selectCanNode(node);
}

void CcommandManager::updateCmdsIds(std::uint8_t cris) {
  if (demoMode_) return;
  requireProtocol().buildCommandIds(cris);
}

void CcommandManager::updateRxFilter(std::uint8_t cris) { transport().updateRxFilter(cris); }

void CcommandManager::updateRs232Baudrate(int baud) {
  if (transport().updateBaudrate(baud) != 1) fail(STATUS_CANNOT_EXECUTE_COMMAND);
}

void CcommandManager::setDtrLow() {
  if (demoMode_) return;
  if (!transport().clearDtr()) fail(STATUS_CANNOT_EXECUTE_COMMAND);
}

void CcommandManager::setDtrHigh() {
  if (demoMode_) return;
  if (!transport().setDtr()) fail(STATUS_CANNOT_EXECUTE_COMMAND);
}

// The RTS line is driven inverted: low sets it, high clears it.
void CcommandManager::setRtsLow() {
  if (demoMode_) return;
  if (!transport().setRts()) fail(STATUS_CANNOT_EXECUTE_COMMAND);
}

void CcommandManager::setRtsHigh() {
  if (demoMode_) return;
  if (!transport().clearRts()) fail(STATUS_CANNOT_EXECUTE_COMMAND);
}
