#pragma once
// The values that the printed protocol of a crane scale shows beside its
// captions: the device's identity and, while the image holds a set-up, the
// limits and the characteristic of channel 1. What is not known stays ".".
#include <array>
#include <string>

#include "app/link/setup_image.h"

struct DeviceIdentity {
  std::string type;      // the device's information text
  std::string serial;
  std::string firmware;  // firmware version
};

struct ProtocolValues {
  std::string type = ".", serial = ".", firmware = ".", radioNumber = ".";
  std::string underload = ".", overload = ".", zeroOnStart = ".", zeroMin = ".", zeroMax = ".";
  std::string radio = ".", switchOff = ".", switchOffTime = ".";
  std::string points = ".";
  std::array<std::string, 8> xs, ys;  // "." when unknown

  ProtocolValues() {
    xs.fill(".");
    ys.fill(".");
  }
};

ProtocolValues ProtocolValuesOf(const DeviceIdentity& identity, const SetupImageBytes& image, bool setupPresent);
