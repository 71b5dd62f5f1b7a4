#pragma once
// Connection set-up: part, hardware, port, synchronisation, boot-loader
// version and the working range of the whole selected memory. Each step is
// one step line; a failed step throws StatusFailure with the library's code.
#include <string>

void openConnection();

// Step line with `message`, then the boot-loader version read from the
// target ("1.2.3" after PASS), or FAIL and the library's message; a failed
// read ends nothing.
void readLoaderVersion(const char* message);

// The two arguments of ispSetAutoIsp for the DTR and RTS level words.
struct AutoIspArguments {
  unsigned char first;
  unsigned char second;
};
AutoIspArguments autoIspArguments(const std::string& dtrLevel, const std::string& rtsLevel);
