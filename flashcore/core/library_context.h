#pragma once
// The library's one context, living from load to unload: the command
// manager and the transport object (made by the first ispInit), the selected
// part, the part made by ispCreatePart, the current protocol and the error
// map.
#include <map>
#include <memory>
#include <string>

#include "flashcore/core/command_manager.h"
#include "flashcore/core/device.h"

class Cprotocol;  // root of the boot-loader protocols
class Ctransport;

class ClibraryContext {
 public:
  ClibraryContext();
  ClibraryContext(const ClibraryContext&) = delete;
  ClibraryContext& operator=(const ClibraryContext&) = delete;
  virtual ~ClibraryContext();

  // Null until the first ispInit.
  CcommandManager* commandManager() const { return commandManager_.get(); }
  // Makes the command manager once; later calls change nothing.
  void initialise();

  Cdevice* device() const { return device_.get(); }
  // Installs a part and hands back the one it replaces.
  std::unique_ptr<Cdevice> setDevice(std::unique_ptr<Cdevice> device);
  void deleteDevice() { device_.reset(); }
  Cdevice* userDevice() const { return userDevice_.get(); }
  void setUserDevice(std::unique_ptr<Cdevice> device) { userDevice_ = std::move(device); }

  // The current protocol; null while no protocol has been made.
  Cprotocol* protocol() const { return protocol_.get(); }
  // Installs a protocol, deleting the one it replaces.
  void setProtocol(std::unique_ptr<Cprotocol> protocol);
  void deleteProtocol();

  // Null until the first ispInit.
  Ctransport* transport() const { return transport_.get(); }

  // Filled by ispAppendErrorMap; the first text of a key is kept.
  void appendErrorMap(const std::string& key, const std::string& text) { errorMap_.emplace(key, text); }
  const std::map<std::string, std::string>& errorMap() const { return errorMap_; }

  // Debug mode asked for before ispInit, taken over by the command manager.
  void setPendingDebugMode(bool on) { pendingDebugMode_ = on; }

 private:
  std::unique_ptr<Cdevice> device_;
  std::unique_ptr<Cdevice> userDevice_;
  std::unique_ptr<Cprotocol> protocol_;
  std::unique_ptr<Ctransport> transport_;
  std::map<std::string, std::string> errorMap_;
  bool pendingDebugMode_ = false;
  std::unique_ptr<CcommandManager> commandManager_;  // last: destroyed first
};

ClibraryContext& libraryContext();
