#pragma once
// Connection set-up: part, hardware, port, synchronisation, boot-loader
// version and the working range of the whole selected memory. Each step is
// one step line; a failed step throws StatusFailure with the library's code.
#include <string>

void openConnection();

// The two arguments of ispSetAutoIsp for the DTR and RTS level words.
struct AutoIspArguments {
  unsigned char first;
  unsigned char second;
};
AutoIspArguments autoIspArguments(const std::string& dtrLevel, const std::string& rtsLevel);
