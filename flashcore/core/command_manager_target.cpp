// Target operations that need protocols this library does not have yet:
// the named-command protocol and on-chip debugging.
#include "flashcore/core/command_manager.h"
#include "flashcore/core/library_context.h"
#include "flashcore/protocols/protocol.h"

bool CcommandManager::createProtocol(const std::string& name) {
  setStatus(STATUS_PASS);
  if (name == "RS232_00" || name == "CAN_00") {
    // The named-command protocol cannot be made yet.
    setStatus(STATUS_CANNOT_EXECUTE_COMMAND);
  }
  return false;
}

bool CcommandManager::addProtocolCmd(const std::string& name, const std::string& text) {
  Cprotocol* protocol = context_.protocol();
  if (protocol == nullptr) return false;
  protocol->addCommand(name, text);
  return true;
}

void CcommandManager::execCmd(const std::string&) {
  requireProtocol();
  fail(STATUS_CANNOT_EXECUTE_COMMAND);
}

void CcommandManager::initOcd(const std::string&) { setStatus(STATUS_CANNOT_EXECUTE_COMMAND); }

void CcommandManager::startOcdProgrammer(const std::string&) { setStatus(STATUS_CANNOT_EXECUTE_COMMAND); }

bool CcommandManager::exitOcdProgrammer() {
  setStatus(STATUS_CANNOT_EXECUTE_COMMAND);
  return false;
}
