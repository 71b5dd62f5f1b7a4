#pragma once
// Settings of a serial port and their file "rs232.ini" (INI text):
//   [ComPort]
//   Port=COM1            ; "COMn" or a device path such as /dev/ttyUSB0
//   BaudRate=9600
//   DataBits=8           ; 5..8
//   Parity=None          ; None, Odd, Even, Mark, Space
//   StopBits=1           ; 1, 1.5, 2
#include <string>
#include <vector>

inline constexpr const char* kComSettingsFileName = "rs232.ini";

enum class TParityBits { None, Odd, Even, Mark, Space };
enum class TStopBits { One, OnePointFive, Two };

struct TComPortSettings {
  std::string Port = "COM1";
  int BaudRate = 9600;
  int DataBits = 8;
  TParityBits Parity = TParityBits::None;
  TStopBits StopBits = TStopBits::One;

  bool operator==(const TComPortSettings&) const = default;
};

// Read and write time-outs in ms, as the port's form sets them: a read waits at
// most ReadTotalMultiplier * count + ReadTotalConstant, and returns early when
// ReadInterval passes between two bytes; a write waits at most
// WriteTotalMultiplier * count + WriteTotalConstant.
struct TComTimeouts {
  int ReadInterval = 10;
  int ReadTotalMultiplier = 500;
  int ReadTotalConstant = 5000;
  int WriteTotalMultiplier = 300;
  int WriteTotalConstant = 3000;
};

// Baud rates offered for choice (others may be typed).
const std::vector<int>& StandardBaudRates();

std::string ParityName(TParityBits parity);
std::string StopBitsName(TStopBits stopBits);
bool ParseParity(const std::string& text, TParityBits* parity);
bool ParseStopBits(const std::string& text, TStopBits* stopBits);

// Reads the settings file over `settings`. A missing file changes nothing; a
// file that cannot be read, lacks its [ComPort] section or holds a bad value
// raises EComPort and changes nothing. Keys the file lacks keep their values.
void LoadComSettings(const std::string& path, TComPortSettings& settings);

// Writes the settings file (through a temporary file, so a failed write keeps
// the old one); raises EComPort on failure.
void StoreComSettings(const std::string& path, const TComPortSettings& settings);
