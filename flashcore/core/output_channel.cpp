#include "flashcore/core/output_channel.h"

#include <cstdio>

bool CoutputChannel::write(std::string_view text) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (console_ != nullptr) {
    platform::win::WriteConsoleA(console_, text.data(), text.size());
  } else {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
  }
  if (!IspLogFile.is_open()) return false;
  IspLogFile.write(text.data(), static_cast<std::streamsize>(text.size()));
  IspLogFile.flush();
  return static_cast<bool>(IspLogFile);
}

void CoutputChannel::writeStandardOutput(std::string_view text) {
  std::lock_guard<std::mutex> lock(mutex_);
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fflush(stdout);
}

void CoutputChannel::setConsole(platform::win::ConsoleHandle console) {
  std::lock_guard<std::mutex> lock(mutex_);
  console_ = console;
}

platform::win::ConsoleHandle CoutputChannel::console() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return console_;
}

void CoutputChannel::openLogFile(const std::string& path) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (IspLogFile.is_open()) IspLogFile.close();
  IspLogFile.clear();
  IspLogFile.open(path, std::ios::out | std::ios::trunc | std::ios::binary);
}

void CoutputChannel::closeLogFile() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (IspLogFile.is_open()) IspLogFile.close();
}

bool CoutputChannel::logFileOpen() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return IspLogFile.is_open();
}

CoutputChannel& outputChannel() {
  static CoutputChannel channel;
  return channel;
}
