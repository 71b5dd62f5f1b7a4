#pragma once
// The catalogue of the 27 part types: one creator per part type, registered
// in catalogue order when the library is loaded. Device code = position in
// the catalogue + 1.
#include <memory>
#include <string>
#include <vector>

#include "flashcore/core/device.h"

class CdeviceCreator {
 public:
  // Appends the creator to deviceCreatorRegistry().
  CdeviceCreator();
  CdeviceCreator(const CdeviceCreator&) = delete;
  CdeviceCreator& operator=(const CdeviceCreator&) = delete;
  virtual ~CdeviceCreator();
  // A new part object when the code is the creator's own, else null.
  virtual std::unique_ptr<Cdevice> create(int deviceCode) = 0;
};

// Registered creators in registration order (not owning).
const std::vector<CdeviceCreator*>& deviceCreatorRegistry();
// Part names in the same order: position p holds the part of code p + 1.
const std::vector<std::string>& deviceNameList();

// A new part object for the code; throws STATUS 7 when no creator claims it.
std::unique_ptr<Cdevice> createDevice(int deviceCode);
// Position of the name in the catalogue (exact, case-sensitive), or the
// catalogue's size (27) when absent.
int deviceIndexOf(const std::string& name);
