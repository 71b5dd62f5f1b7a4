#pragma once
// The library's one output channel: texts handed to ispDataLog, the export
// banners of debug mode and the transport trace lines go to the console
// handle the caller gave (standard output without one) and, while it is
// open, byte for byte to the log file.
#include <fstream>
#include <mutex>
#include <string>
#include <string_view>

#include "platform/win/console.h"

class CoutputChannel {
 public:
  // Writes the text; true when the log file is open and got it too.
  bool write(std::string_view text);
  // Straight to standard output, never to the console handle or the log.
  void writeStandardOutput(std::string_view text);

  void setConsole(platform::win::ConsoleHandle console);
  platform::win::ConsoleHandle console() const;

  // Opens the log file, truncating it; a file already open is closed first.
  // A file that cannot be opened leaves the log closed.
  void openLogFile(const std::string& path);
  void closeLogFile();
  bool logFileOpen() const;

 private:
  mutable std::mutex mutex_;  // texts from two threads may interleave but never tear the stream
  platform::win::ConsoleHandle console_ = nullptr;
  std::ofstream IspLogFile;
};

CoutputChannel& outputChannel();
