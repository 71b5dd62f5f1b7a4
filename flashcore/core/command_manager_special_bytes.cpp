// Special bytes, the signature, security levels, fuses and the special
// commands: each runs with the memory of its byte selected and selects the
// caller's memory again afterwards.
#include "flashcore/core/command_manager.h"
#include "flashcore/core/device.h"
#include "flashcore/core/library_context.h"
#include "flashcore/core/special_bytes.h"
#include "flashcore/protocols/protocol.h"

void CcommandManager::restoreMemory(const Cdevice* partBefore) {
  const Cdevice& part = requireDevice();
  if (&part != partBefore && part.memory(static_cast<std::uint32_t>(savedMemory_)) == nullptr)
    savedMemory_ = 0;
  selectMemory(savedMemory_);
}

void CcommandManager::writeSpecialByte(int id, const std::string& valueHex) {
  if (demoMode_) return;
  if (!canExecute()) fail(STATUS_CANNOT_EXECUTE_COMMAND);
  savedMemory_ = requireDevice().selectedMemory();
  if (!isWritableSpecialByte(id)) fail(STATUS_COMMAND_DOES_NOT_EXIST);
  Cprotocol& protocol = requireProtocol();
  selectMemory(protocol.memoryOfSpecialByte(id));
  protocol.writeSpecial(protocol.writeSpecialRecords[static_cast<size_t>(id)], valueHex);
  selectMemory(savedMemory_);
}

void CcommandManager::readSpecialByte(std::uint32_t id) {
  if (demoMode_) return;
  if (!canExecute()) fail(STATUS_CANNOT_EXECUTE_COMMAND);
  const Cdevice* part = &requireDevice();
  savedMemory_ = part->selectedMemory();
  if (id > 19) fail(STATUS_COMMAND_DOES_NOT_EXIST);
  Cprotocol& protocol = requireProtocol();
  selectMemory(protocol.memoryOfSpecialByte(static_cast<int>(id)));
  protocol.readSpecial(protocol.readSpecialRecords[id]);
  // The boot-loader version may make the protocol put another part object
  // in place; from here on the part is fetched anew.
  if (id == BOOTLOADER_VERSION) protocol.onChipIdentity(lastResult());
  restoreMemory(part);
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
  requireProtocol().eraseSbvBsb();
}

void CcommandManager::setSecurityLevel1() {
  if (demoMode_) return;
  if (!canExecute()) fail(STATUS_CANNOT_EXECUTE_COMMAND);
  savedMemory_ = requireDevice().selectedMemory();
  requireProtocol().setSecurityLevel1();
  selectMemory(savedMemory_);
}

void CcommandManager::setSecurityLevel2() {
  if (demoMode_) return;
  if (!canExecute()) fail(STATUS_CANNOT_EXECUTE_COMMAND);
  savedMemory_ = requireDevice().selectedMemory();
  requireProtocol().setSecurityLevel2();
  selectMemory(savedMemory_);
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
  Cprotocol& protocol = requireProtocol();
  switch (fuse) {
    case 0: protocol.enableFuse0(); break;
    case 1: protocol.enableFuse1(); break;
    case 2: protocol.enableFuse2(); break;
    default: protocol.enableFuse3(); break;
  }
}

void CcommandManager::disableFuse(std::uint32_t fuse) {
  if (demoMode_) return;
  if (fuse > 3) fail(STATUS_CANNOT_EXECUTE_COMMAND);
  Cprotocol& protocol = requireProtocol();
  switch (fuse) {
    case 0: protocol.disableFuse0(); break;
    case 1: protocol.disableFuse1(); break;
    case 2: protocol.disableFuse2(); break;
    default: protocol.disableFuse3(); break;
  }
}

void CcommandManager::execSpecialCmd(std::uint32_t n) {
  if (demoMode_) return;
  if (!canExecute()) fail(STATUS_CANNOT_EXECUTE_COMMAND);
  if (n > 3) fail(STATUS_COMMAND_DOES_NOT_EXIST);
  Cprotocol& protocol = requireProtocol();
  protocol.execSpecialCmd(protocol.specialCommands[n]);
}
