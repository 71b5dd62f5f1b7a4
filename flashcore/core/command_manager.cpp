#include "flashcore/core/command_manager.h"

#include <algorithm>

#include "flashcore/core/library_context.h"

CcommandManager::CcommandManager(ClibraryContext& context)
    : context_(context), progressEvent_(platform::win::CreateEventA(false, false)) {
  buildStatusTable();
}

CcommandManager::~CcommandManager() = default;

void CcommandManager::buildStatusTable() { appendStatusMessages(statusMessages_); }

void CcommandManager::fail(STATUS status) {
  setStatus(status);
  throw status;
}

bool CcommandManager::setTimeout(unsigned seconds, bool persistent) {
  if (seconds == 0 || seconds > 3600) return false;
  timeoutMs_ = static_cast<std::int32_t>(seconds * 1000);
  timeoutOneShot_ = !persistent;
  useDefaultTimeout_ = false;
  return true;
}

int CcommandManager::takeTimeout() {
  if (timeoutOneShot_) useDefaultTimeout_ = true;
  return timeoutMs_;
}

void CcommandManager::addProgress(float step) {
  if (demoMode_) return;
  if (step == 0.0f) {
    progressTotal_ = 0.0f;
    return;
  }
  progressTotal_ += step;
  // The total may run past 100 (a short range with a large step); the
  // percentage a caller shows stays within 0..100.
  const float clamped = std::clamp(progressTotal_, 0.0f, 100.0f);
  percent_.store(static_cast<int>(clamped));
  platform::win::SetEvent(progressEvent_.get());
}

Cdevice& CcommandManager::requireDevice() {
  Cdevice* device = context_.device();
  if ((selection_ & SELECTED_DEVICE) == 0 || device == nullptr) fail(STATUS_CANNOT_EXECUTE_COMMAND);
  return *device;
}

CmemoryArea& CcommandManager::requireMemory() {
  CmemoryArea* area = requireDevice().selected();
  if (area == nullptr) fail(STATUS_CANNOT_EXECUTE_COMMAND);
  return *area;
}
