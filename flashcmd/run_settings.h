#pragma once
// The run-wide record of the programmer: options as applied, connection
// choices, the working range, the failure policy and the result counts.
#include <cstdint>
#include <string>

struct RunSettings {
  std::uint8_t autoIsp = 0;
  std::string dtrLevel;
  std::string rtsLevel;
  std::uint8_t demo = 0;
  std::string hardwareName;
  int hardwareCode = 0;
  std::string portName;
  int canPortCode = 0;
  int baudRate = 0;
  int canBitrate = 0;  // kbit/s
  int deviceIndex = 0;
  std::string deviceName;
  int errorCode = 0;  // STATUS that the option and command-file checks throw
  int memoryIndex = 0;
  int serialDestination = 0;
  std::uint8_t serialRadix = 0;
  std::string serialFormat;
  std::string cmdFileName;
  int wordIndex = 0;  // position in the "-operation" list of the word being carried out
  std::string onFailMode = "ASK";
  int rangeStart = 0;
  int rangeEnd = 0;
  std::uint8_t assertPass = 1;  // 0 while ASSERT FAIL inverts the results
  std::string currentKeyword;
  std::uint8_t retryState = 2;
  int totalCount = 0;
  int passCount = 0;
  int failCount = 0;
  int messageLength = 0;  // step message of the running long operation
  int dotPairs = 0;       // ".." pairs the progress display printed for it
  std::uint8_t ocd = 0;
  std::string ocdTarget;
};

extern RunSettings settings;

// Back to the values of a fresh run.
void initSettings();
