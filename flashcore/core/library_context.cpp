#include "flashcore/core/library_context.h"

#include "flashcore/core/transport.h"
#include "flashcore/protocols/protocol.h"

ClibraryContext::ClibraryContext() = default;

ClibraryContext::~ClibraryContext() = default;

void ClibraryContext::initialise() {
  if (commandManager_) return;
  transport_ = std::make_unique<Ctransport>();
  commandManager_ = std::make_unique<CcommandManager>(*this);
  if (pendingDebugMode_) commandManager_->setDebugMode(true);
}

std::unique_ptr<Cdevice> ClibraryContext::setDevice(std::unique_ptr<Cdevice> device) {
  std::unique_ptr<Cdevice> previous = std::move(device_);
  device_ = std::move(device);
  return previous;
}

void ClibraryContext::setProtocol(std::unique_ptr<Cprotocol> protocol) { protocol_ = std::move(protocol); }

void ClibraryContext::deleteProtocol() { protocol_.reset(); }

ClibraryContext& libraryContext() {
  static ClibraryContext context;
  return context;
}
