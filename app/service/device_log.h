#pragma once
// The service window's weight log "device_log_<start>.txt": a header, one
// record per polling cycle and a stop line.
#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include "app/service/weight_answer.h"

// "device_log_<stamp>.txt" for the start minute `stamp` ("%d%m%Y_%H%M");
// when that name is taken (`exists`), "_2", "_3" ... goes before ".txt", so
// that a second log of the same minute does not empty the first.
std::string DeviceLogName(const std::string& stamp, const std::function<bool(const std::string&)>& exists);

// The channel part of a record for the display mode (1 gross, 2 net): time,
// number, sign place and rest of each channel's value, ";;" between the
// channels. A gross record ends its line here; a net record goes on with
// the sum part or a line end. Empty for any other mode.
std::string DeviceLogChannelPart(int grossNetMode, const std::string& time, const ChannelAnswer& answer,
                                 int channelCount);
// The sum part of a record: ";;S;B;<sum value without its sign place>\n".
std::string DeviceLogSumPart(const std::string& sumValue);

class DeviceLog {
 public:
  // Creates a new log in the current directory and writes its header with
  // the start time `startTime`; false when the file cannot be created.
  bool Open(const std::string& stamp, const std::string& startTime);
  bool IsOpen() const { return file_ != nullptr; }
  const std::string& Name() const { return name_; }
  void Write(const std::string& text);
  // Writes the stop line, flushes and closes the file.
  void Close(const std::string& stopTime);

 private:
  struct Closer {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };
  std::unique_ptr<std::FILE, Closer> file_;
  std::string name_;
};
