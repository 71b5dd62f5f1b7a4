// The named-command protocol: made by name, taught commands at run time,
// and any named command sent as it was taught.
#include <algorithm>
#include <memory>

#include "flashcore/core/command_manager.h"
#include "flashcore/core/library_context.h"
#include "flashcore/protocols/generic_protocol.h"

bool CcommandManager::createProtocol(const std::string& name) {
  if (name != "RS232_00" && name != "CAN_00") return false;
  context_.setProtocol(std::make_unique<CgenericProtocol>());
  setStatus(STATUS_PASS);
  return true;
}

bool CcommandManager::addProtocolCmd(const std::string& name, const std::string& text) {
  // Without a current protocol there is nothing to add to.
  Cprotocol* protocol = context_.protocol();
  if (protocol == nullptr) return false;
  protocol->addCommand(name, text);
  return true;
}

void CcommandManager::execCmd(const std::string& name) {
  Cprotocol* protocol = context_.protocol();
  if (protocol == nullptr) fail(STATUS_CANNOT_EXECUTE_COMMAND);
  const std::string text = protocol->commandText(name);
  if (text.empty()) fail(STATUS_COMMAND_DOES_NOT_EXIST);
  // The reply is awaited as long as a command reply of the protocol's own,
  // or for the custom time-out while one is in force.
  const int timeoutMs = useDefaultTimeout() ? 1000 : takeTimeout();
  protocol->transact(text, static_cast<std::uint16_t>(std::clamp(timeoutMs, 0, 0xFFFF)), true, true);
}
