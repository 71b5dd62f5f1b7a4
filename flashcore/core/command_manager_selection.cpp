// Part selection and the hardware, port and line operations.
#include <new>

#include "flashcore/core/command_manager.h"
#include "flashcore/core/device_catalogue.h"
#include "flashcore/core/library_context.h"

namespace {

struct HardwareKeyword {
  const char* name;
  TransportMedium medium;
};

// Keywords of selection by name, tried in this order.
constexpr HardwareKeyword kHardwareKeywords[] = {
    {"RS232", MEDIUM_RS232},          {"USB_PORT", MEDIUM_USB},   {"USB_LPC", MEDIUM_USB},
    {"USB_UART", MEDIUM_USB},         {"USB_SPI", MEDIUM_USB},    {"NORVA_RS232_CAN", MEDIUM_CAN},
    {"RM_CANVIEW_RS232_CAN", MEDIUM_CAN}, {"VECTOR", MEDIUM_CAN}, {"IXXAT", MEDIUM_CAN},
    {"JANZ", MEDIUM_CAN},             {"PEAK", MEDIUM_CAN},       {"SYSTEC_USB_CAN", MEDIUM_CAN},
};

TransportMedium mediumOfHardware(int hardwareCode) {
  if (hardwareCode == 1) return MEDIUM_RS232;
  if (hardwareCode == 2 || (hardwareCode >= 9 && hardwareCode <= 11)) return MEDIUM_USB;
  if (hardwareCode >= 3 && hardwareCode <= 8) return MEDIUM_CAN;
  return MEDIUM_NONE;
}

}  // namespace

void CcommandManager::selectDevice(int deviceCode) {
  setStatus(STATUS_PASS);
  if (context_.device() != nullptr) {
    unloadTransport();
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

void CcommandManager::selectCommHardware(int hardwareCode) {
  setStatus(STATUS_PASS);
  if ((selection_ & SELECTED_DEVICE) == 0 || context_.device() == nullptr) fail(STATUS_CANNOT_EXECUTE_COMMAND);
  unloadTransport();
  setStatus(STATUS_CANNOT_LOAD_LIBRARY);
  transportMedium_ = mediumOfHardware(hardwareCode);
  if (transportMedium_ == MEDIUM_NONE) fail(STATUS_HARDWARE_DOES_NOT_EXIST);
  requireTransport();
}

void CcommandManager::selectCommHardware2(const std::string& hardwareName) {
  setStatus(STATUS_PASS);
  unloadTransport();
  setStatus(STATUS_CANNOT_LOAD_LIBRARY);
  transportMedium_ = MEDIUM_NONE;
  for (const HardwareKeyword& keyword : kHardwareKeywords)
    if (hardwareName == keyword.name) {
      transportMedium_ = keyword.medium;
      break;
    }
  if (transportMedium_ == MEDIUM_NONE) fail(STATUS_HARDWARE_DOES_NOT_EXIST);
  requireTransport();
}

bool CcommandManager::selectProtocol(int hardwareCode, int variant) {
  Cdevice& device = requireDevice();
  if (device.alternativeProtocolFor(hardwareCode, variant) != ProtocolKind::None) {
    // The part knows an alternative protocol, which cannot be made yet.
    setStatus(STATUS_CANNOT_EXECUTE_COMMAND);
    return false;
  }
  return device.selectProtocol(hardwareCode, variant);
}

bool CcommandManager::unloadTransport() { return false; }

void CcommandManager::openRs232Port(const std::string&, int, int, int, int) {
  if (demoMode_) return;
  requireTransport();
}

void CcommandManager::openUsbPort(std::int32_t) {
  if (demoMode_) return;
  requireTransport();
}

void CcommandManager::openCanPort(int, std::uint8_t, std::uint16_t, std::uint8_t, int) {
  if (demoMode_) return;
  requireTransport();
}

void CcommandManager::closePort() { requireTransport(); }

void CcommandManager::syncTarget() {
  if (demoMode_) return;
  if (!canExecute()) fail(STATUS_CANNOT_EXECUTE_COMMAND);
  requireProtocol();
}

void CcommandManager::selectCanNode(std::uint8_t) {
  if (demoMode_) return;
  requireProtocol();
}

void CcommandManager::updateCmdsIds(std::uint8_t) {
  if (demoMode_) return;
  requireProtocol();
}

void CcommandManager::updateRxFilter(std::uint8_t) { requireTransport(); }

void CcommandManager::updateRs232Baudrate(int) { requireTransport(); }

void CcommandManager::setDtrLow() {
  if (demoMode_) return;
  requireTransport();
}

void CcommandManager::setDtrHigh() {
  if (demoMode_) return;
  requireTransport();
}

void CcommandManager::setRtsLow() {
  if (demoMode_) return;
  requireTransport();
}

void CcommandManager::setRtsHigh() {
  if (demoMode_) return;
  requireTransport();
}
