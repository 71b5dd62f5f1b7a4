// Operations that talk to the target through the current protocol: ranges,
// special bytes, security levels, fuses, serial numbers, named commands and
// the on-chip-debug dialogues.
#include "flashcore/core/command_manager.h"
#include "flashcore/core/device.h"
#include "flashcore/core/library_context.h"
#include "flashcore/core/special_bytes.h"

void CcommandManager::checkRange(std::uint32_t start, std::uint32_t end) {
  if (end < start) fail(STATUS_ADDRESS_OUT_OF_RANGE_ERROR);
}

bool CcommandManager::checkBlockIndex(std::uint8_t block) const {
  if (demoMode_) return true;
  const Cdevice* device = context_.device();
  if (device == nullptr) return false;
  const std::uint8_t blocks = device->blockCount();
  return blocks != 0 && block <= blocks - 1;
}

void CcommandManager::programAddrRange(std::uint32_t start, std::uint32_t end, std::uint8_t) {
  if (demoMode_) return;
  checkRange(start, end);
  requireProtocol();
}

void CcommandManager::programDevice() {
  if (demoMode_) return;
  requireProtocol();
}

void CcommandManager::readAddrRange(std::uint32_t start, std::uint32_t end, const std::string&, int) {
  if (demoMode_) return;
  checkRange(start, end);
  requireProtocol();
}

void CcommandManager::readDevice(const std::string&, int) {
  if (demoMode_) return;
  requireProtocol();
}

void CcommandManager::verifyAddrRange(std::uint32_t start, std::uint32_t end) {
  if (demoMode_) return;
  checkRange(start, end);
  requireProtocol();
}

void CcommandManager::verifyDevice() {
  if (demoMode_) return;
  requireProtocol();
}

void CcommandManager::blankCheckAddrRange(std::uint32_t start, std::uint32_t end) {
  if (demoMode_) return;
  checkRange(start, end);
  requireProtocol();
}

void CcommandManager::blankCheckDevice() {
  if (demoMode_) return;
  requireProtocol();
}

void CcommandManager::eraseDevice() {
  if (demoMode_) return;
  if (!canExecute()) fail(STATUS_CANNOT_EXECUTE_COMMAND);
  requireProtocol();
}

void CcommandManager::eraseBlock(int) {
  if (demoMode_) return;
  if (!canExecute()) fail(STATUS_CANNOT_EXECUTE_COMMAND);
  requireProtocol();
}

void CcommandManager::enterIspMode(std::uint8_t, int) {
  if (demoMode_) return;
  requireProtocol();
}

void CcommandManager::enterAppliMode(std::uint8_t, int) {
  if (demoMode_) return;
  requireProtocol();
}

void CcommandManager::readSpecialByte(std::uint32_t id) {
  if (demoMode_) return;
  if (!canExecute()) fail(STATUS_CANNOT_EXECUTE_COMMAND);
  savedMemory_ = requireDevice().selectedMemory();
  if (id > 19) fail(STATUS_COMMAND_DOES_NOT_EXIST);
  requireProtocol();
}

void CcommandManager::writeSpecialByte(int id, const std::string&) {
  if (demoMode_) return;
  if (!canExecute()) fail(STATUS_CANNOT_EXECUTE_COMMAND);
  savedMemory_ = requireDevice().selectedMemory();
  if (!isWritableSpecialByte(id)) fail(STATUS_COMMAND_DOES_NOT_EXIST);
  requireProtocol();
}

void CcommandManager::readSignatureBytes() {
  if (demoMode_) return;
  std::string text;
  for (std::uint32_t id = DEVICE_MANUF_ID; id <= DEVICE_ID3; ++id) {
    readSpecialByte(id);
    text += lastResult() + " ";
  }
  setLastResult(text);
}

void CcommandManager::eraseSbvBsb() {
  if (demoMode_) return;
  if (!canExecute()) fail(STATUS_CANNOT_EXECUTE_COMMAND);
  requireProtocol();
}

void CcommandManager::setSecurityLevel1() {
  if (demoMode_) return;
  if (!canExecute()) fail(STATUS_CANNOT_EXECUTE_COMMAND);
  savedMemory_ = requireDevice().selectedMemory();
  requireProtocol();
}

void CcommandManager::setSecurityLevel2() {
  if (demoMode_) return;
  if (!canExecute()) fail(STATUS_CANNOT_EXECUTE_COMMAND);
  savedMemory_ = requireDevice().selectedMemory();
  requireProtocol();
}

void CcommandManager::expectedSsbValue(int level) {
  if (demoMode_) return;
  if (!canExecute()) fail(STATUS_CANNOT_EXECUTE_COMMAND);
  const Cdevice& device = requireDevice();
  switch (level) {
    case 0: setLastResult(device.ssbLevel0Value()); break;
    case 1: setLastResult(device.ssbLevel1Value()); break;
    case 2: setLastResult(device.ssbLevel2Value()); break;
    default: fail(STATUS_COMMAND_DOES_NOT_EXIST);
  }
}

void CcommandManager::enableFuse(std::uint32_t fuse) {
  if (demoMode_) return;
  if (fuse > 3) fail(STATUS_CANNOT_EXECUTE_COMMAND);
  requireProtocol();
}

void CcommandManager::disableFuse(std::uint32_t fuse) {
  if (demoMode_) return;
  if (fuse > 3) fail(STATUS_CANNOT_EXECUTE_COMMAND);
  requireProtocol();
}

void CcommandManager::execSpecialCmd(std::uint32_t n) {
  if (demoMode_) return;
  if (n > 3) fail(STATUS_COMMAND_DOES_NOT_EXIST);
  requireProtocol();
}

void CcommandManager::serialize(int, int, int, int, std::uint8_t, const std::string&) {
  if (demoMode_) return;
  requireDevice();
  requireProtocol();
}

bool CcommandManager::createProtocol(const std::string& name) {
  setStatus(STATUS_PASS);
  if (name == "RS232_00" || name == "CAN_00") {
    // The named-command protocol cannot be made yet.
    setStatus(STATUS_CANNOT_EXECUTE_COMMAND);
  }
  return false;
}

bool CcommandManager::addProtocolCmd(const std::string&, const std::string&) {
  // No current protocol: nothing to add the command to.
  return false;
}

void CcommandManager::execCmd(const std::string&) { requireProtocol(); }

void CcommandManager::initOcd(const std::string&) { setStatus(STATUS_CANNOT_EXECUTE_COMMAND); }

void CcommandManager::startOcdProgrammer(const std::string&) { setStatus(STATUS_CANNOT_EXECUTE_COMMAND); }

bool CcommandManager::exitOcdProgrammer() {
  setStatus(STATUS_CANNOT_EXECUTE_COMMAND);
  return false;
}
