#include "flashcore/protocols/protocol.h"

#include <algorithm>

#include "flashcore/core/command_manager.h"
#include "flashcore/core/library_context.h"
#include "flashcore/core/transport.h"
#include "platform/win/ticks.h"

Cprotocol::~Cprotocol() = default;

CcommandManager& Cprotocol::manager() {
  CcommandManager* m = libraryContext().commandManager();
  if (m == nullptr) throw STATUS_CANNOT_EXECUTE_COMMAND;
  return *m;
}

Ctransport& Cprotocol::transport() {
  Ctransport* t = libraryContext().transport();
  if (t == nullptr) fail(STATUS_CANNOT_EXECUTE_COMMAND);
  return *t;
}

Cdevice& Cprotocol::device() {
  Cdevice* d = libraryContext().device();
  if (d == nullptr) fail(STATUS_CANNOT_EXECUTE_COMMAND);
  return *d;
}

void Cprotocol::fail(STATUS status) { manager().fail(status); }

int Cprotocol::replyTimeout(int defaultMs) {
  CcommandManager& m = manager();
  return m.useDefaultTimeout() ? defaultMs : m.takeTimeout();
}

std::uint16_t Cprotocol::serialTimeout(int ms) { return static_cast<std::uint16_t>(std::clamp(ms, 0, 0xFFFF)); }

void Cprotocol::selectPage(int) {}
void Cprotocol::selectMemoryPage(int, int) {}
void Cprotocol::onChipIdentity(std::string) {}
void Cprotocol::buildSetupText(std::string*, std::string, int, bool) {}
void Cprotocol::transact(std::string, std::uint16_t, bool, bool) {}
void Cprotocol::startApplication(bool, int) {}
void Cprotocol::enterIspMode(std::uint8_t, int) {}
void Cprotocol::setReplyLength(std::uint8_t) {}
void Cprotocol::buildCommandIds(std::uint8_t) {}
bool Cprotocol::spareQuery() { return false; }
void Cprotocol::syncTarget() {}
void Cprotocol::readSpecial(const std::string&) {}
void Cprotocol::writeSpecial(const std::string&, const std::string&) {}
void Cprotocol::execSpecialCmd(const std::string&) {}
std::string Cprotocol::extractReplyValue(const std::string&) { return {}; }

void Cprotocol::eraseDevice() {
  transact(eraseDeviceRecord, serialTimeout(replyTimeout(10000)), false, true);
}

void Cprotocol::eraseBlock(int) {}
void Cprotocol::eraseSbvBsb() {}
void Cprotocol::setSecurityLevel1() {}
void Cprotocol::setSecurityLevel2() {}
void Cprotocol::enableFuse0() {}
void Cprotocol::enableFuse1() {}
void Cprotocol::enableFuse2() {}
void Cprotocol::enableFuse3() {}
void Cprotocol::disableFuse0() {}
void Cprotocol::disableFuse1() {}
void Cprotocol::disableFuse2() {}
void Cprotocol::disableFuse3() {}
void Cprotocol::programRange(int, std::uint32_t, std::uint32_t) {}

void Cprotocol::programRangeAlt(int page, std::uint32_t from, std::uint32_t to) { programRange(page, from, to); }

void Cprotocol::readOrVerifyRange(int page, std::uint32_t from, std::uint32_t to, int verify) {
  CcommandManager& m = manager();
  m.addProgress(0.0f);
  // The CAN adapter on the serial line carries eight bytes per exchange.
  if (m.hardwareCode() == 3) blockSize = 8;
  if (blockSize == 0) fail(STATUS_NOT_IMPLEMENTED);
  const float step = to == from ? 100.0f : static_cast<float>(blockSize * 100.0 / (to - from));
  float sum = 0.0f;
  for (std::uint64_t a = from; a <= to; a += blockSize) {
    const std::uint64_t last = a + blockSize - 1 < to ? a + blockSize - 1 : to;
    readBlock(page, static_cast<std::uint32_t>(a), static_cast<std::uint32_t>(last), verify);
    sum += step;
    if (sum > 10.0f) {
      m.addProgress(sum);
      sum = 0.0f;
    }
  }
  platform::win::Sleep(200);
  m.addProgress(0.0f);
}

void Cprotocol::programRecords(int page, std::uint32_t from, std::uint32_t to) {
  if (recordSize == 0) fail(STATUS_NOT_IMPLEMENTED);
  CcommandManager& m = manager();
  const float step = to == from ? 100.0f : static_cast<float>(recordSize * 100.0 / (to - from));
  float sum = 0.0f;
  std::uint32_t firstEnd = from + recordSize - (from % recordSize) - 1;
  if (to <= firstEnd) {
    programBlock(page, from, to);
    return;
  }
  programBlock(page, from, firstEnd);
  while (to > firstEnd + recordSize) {
    programBlock(page, firstEnd + 1, firstEnd + recordSize);
    firstEnd += recordSize;
    sum += step;
    if (sum > 10.0f) {
      m.addProgress(sum);
      sum = 0.0f;
    }
  }
  programBlock(page, firstEnd + 1, to);
}

void Cprotocol::blankCheckRange(int, std::uint32_t, std::uint32_t) {}
void Cprotocol::programBlock(int, std::uint32_t, std::uint32_t) {}
void Cprotocol::readBlock(int, std::uint32_t, std::uint32_t, int) {}
void Cprotocol::selectCanNode(std::uint8_t) {}
void Cprotocol::openUsb(int) {}
std::uint8_t Cprotocol::canNode() { return 0; }
int Cprotocol::memoryOfSpecialByteKey(const std::string&) { return 0; }
int Cprotocol::memoryOfSpecialByte(int) { return 0; }

int Cprotocol::addCommand(const std::string& name, const std::string& text) {
  commandMap.emplace(name, text);
  return 0;
}

std::string Cprotocol::commandText(const std::string& name) const {
  const auto found = commandMap.find(name);
  return found == commandMap.end() ? std::string() : found->second;
}
