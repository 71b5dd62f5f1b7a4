#include "flashcore/protocols/generic_protocol.h"

#include "flashcore/core/command_manager.h"
#include "flashcore/core/transport.h"
#include "platform/win/ticks.h"

namespace {
constexpr std::size_t kBlankCheckTemplateLength = 17;  // start at 9-12, end at 13-16
}  // namespace

CgenericProtocol::CgenericProtocol() {
  eraseDeviceRecord.clear();
  blankCheckRecord.clear();
  for (std::string& record : readSpecialRecords) record.clear();
  for (int fuse : {1, 2}) {
    enableFuseRecords[static_cast<size_t>(fuse)].clear();
    disableFuseRecords[static_cast<size_t>(fuse)].clear();
  }
  securityLevel1Record.clear();
  securityLevel2Record.clear();
  for (std::string& command : specialCommands) command.clear();
}

void CgenericProtocol::requireSerialLine() {
  if (transport().medium() != MEDIUM_RS232) fail(STATUS_CANNOT_EXECUTE_COMMAND);
}

std::string CgenericProtocol::requiredCommand(const std::string& name, size_t shortest) const {
  const std::string text = commandText(name);
  if (text.empty() || text.size() < shortest) fail(STATUS_COMMAND_DOES_NOT_EXIST);
  return text;
}

void CgenericProtocol::transact(std::string frame, std::uint16_t timeoutMs, bool storeResult,
                                bool requireTerminator) {
  if (frame.empty()) fail(STATUS_NOT_IMPLEMENTED);
  requireSerialLine();
  Crs232Protocol::transact(std::move(frame), timeoutMs, storeResult, requireTerminator);
}

void CgenericProtocol::syncTarget() {
  const std::string text = requiredCommand("sync", 1);
  requireSerialLine();
  // The reply must hold the first character of the sync text.
  syncOnce(text, text.front());
}

// Failures of the line and of the blank check itself also leave their
// symbolic name as the last string error.
void CgenericProtocol::blankCheckRange(int page, std::uint32_t from, std::uint32_t to) {
  const std::string recordTemplate = requiredCommand("blank_check", kBlankCheckTemplateLength);
  requireSerialLine();
  try {
    blankCheckWith(recordTemplate, page, from, to);
  } catch (STATUS status) {
    if (status == STATUS_CANNOT_WRITE_TO_PORT) manager().setLastStringError("STATUS_CANNOT_WRITE_TO_PORT");
    if (status == STATUS_TIMEOUT_ERROR) manager().setLastStringError("STATUS_TIMEOUT_ERROR");
    if (status == STATUS_BLANK_CHECK_ERROR) manager().setLastStringError("STATUS_BLANK_CHECK_ERROR");
    throw;
  }
}

void CgenericProtocol::startApplication(bool reset, int) {
  requireSerialLine();
  writeFrame(reset ? startResetRecord : startAddressRecord);
  platform::win::Sleep(300);
}

void CgenericProtocol::readBlock(int page, std::uint32_t from, std::uint32_t to, int verify) {
  requireSerialLine();
  Crs232Protocol::readBlock(page, from, to, verify);
}
