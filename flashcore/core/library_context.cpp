#include "flashcore/core/library_context.h"

ClibraryContext::ClibraryContext() = default;

ClibraryContext::~ClibraryContext() = default;

void ClibraryContext::initialise() {
  if (commandManager_) return;
  commandManager_ = std::make_unique<CcommandManager>(*this);
  if (pendingDebugMode_) commandManager_->setDebugMode(true);
}

std::unique_ptr<Cdevice> ClibraryContext::setDevice(std::unique_ptr<Cdevice> device) {
  std::unique_ptr<Cdevice> previous = std::move(device_);
  device_ = std::move(device);
  return previous;
}

ClibraryContext& libraryContext() {
  static ClibraryContext context;
  return context;
}
