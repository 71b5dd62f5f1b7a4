#include "flashcore/core/device.h"

#include "flashcore/core/command_manager.h"
#include "flashcore/core/library_context.h"
#include "flashcore/core/special_bytes.h"
#include "flashcore/protocols/protocol_factory.h"

namespace {
std::uint32_t bufferAddress(int page, int offset) {
  return static_cast<std::uint32_t>(page) * 65536u + static_cast<std::uint32_t>(offset);
}

// Makes and installs the protocol of the class; a class the library does
// not have cannot be made.
bool installProtocol(ProtocolKind kind) {
  if (kind == ProtocolKind::None) return false;
  std::unique_ptr<Cprotocol> protocol = makeProtocol(kind);
  if (!protocol) {
    if (CcommandManager* manager = libraryContext().commandManager()) manager->fail(STATUS_CANNOT_EXECUTE_COMMAND);
    throw STATUS_CANNOT_EXECUTE_COMMAND;
  }
  libraryContext().setProtocol(std::move(protocol));
  return true;
}

}  // namespace

Cdevice::Cdevice() = default;
Cdevice::~Cdevice() = default;

void Cdevice::onProgrammed() {
  if (selectedMemory_ != 0) return;
  CcommandManager* manager = libraryContext().commandManager();
  if (manager != nullptr) manager->writeSpecialByte(BOOT_STATUS_BYTE, "00");
}

int Cdevice::computeCrc() { return 0; }

bool Cdevice::selectProtocol(int hardwareCode, int variant) {
  return installProtocol(alternativeProtocolFor(hardwareCode, variant));
}

bool Cdevice::createProtocol(int hardwareCode) { return installProtocol(protocolFor(hardwareCode)); }

ProtocolKind Cdevice::protocolFor(int) const { return ProtocolKind::None; }

ProtocolKind Cdevice::alternativeProtocolFor(int, int) const { return ProtocolKind::None; }

CmemoryArea* Cdevice::memory(std::uint32_t index) {
  return index < memories_.size() ? memories_[index].get() : nullptr;
}

const CmemoryArea* Cdevice::memory(std::uint32_t index) const {
  return index < memories_.size() ? memories_[index].get() : nullptr;
}

std::uint32_t Cdevice::memorySize() const {
  const CmemoryArea* area = selected();
  return area ? area->size() : 0;
}

std::uint8_t Cdevice::blockCount() const {
  const CmemoryArea* area = selected();
  return area ? area->blockCount() : 0;
}

std::int32_t Cdevice::baseAddress() const {
  const CmemoryArea* area = selected();
  return area ? area->baseAddress() : 0;
}

bool Cdevice::writeBufferByte(int page, int offset, std::string_view text) {
  CmemoryArea* area = selected();
  return area != nullptr && area->setByte(bufferAddress(page, offset), text);
}

std::string Cdevice::readBufferByte(int page, int offset) const {
  const CmemoryArea* area = selected();
  return area ? area->getByte(bufferAddress(page, offset)) : std::string();
}

void Cdevice::resetBuffer() {
  if (CmemoryArea* area = selected()) area->reset();
}

void Cdevice::createBackup(std::uint32_t count) {
  if (CmemoryArea* area = selected()) area->createBackup(count);
}

void Cdevice::freeBackup() {
  if (CmemoryArea* area = selected()) area->freeBackup();
}

void Cdevice::saveBackup() {
  if (CmemoryArea* area = selected()) area->saveBackup();
}

void Cdevice::restoreBackup() {
  if (CmemoryArea* area = selected()) area->restoreBackup();
}

CmemoryArea& Cdevice::addMemory(std::uint32_t size, std::uint8_t blockCount) {
  memories_.push_back(std::make_unique<CmemoryArea>(size, "FF", blockCount));
  return *memories_.back();
}

void Cdevice::addEmptyMemory() { memories_.push_back(nullptr); }

void Cdevice::setSsbValues(std::string level1, std::string level2) {
  ssbLevel1Value_ = std::move(level1);
  ssbLevel2Value_ = std::move(level2);
}
