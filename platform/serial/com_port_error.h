#pragma once
// Failure of a serial-port operation; the text names the device and the cause.
#include <stdexcept>

class EComPort : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
