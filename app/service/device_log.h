#pragma once
// The service window's weight log "device_log_<start>.txt": a header, one
// record per polling cycle and a stop line.
#include <functional>
#include <string>

#include "app/link/log_file.h"
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
  // Starts a new log in the current directory and writes its header with
  // the start time `startTime`; false when the file cannot be created. A
  // write that fails later is told to `report`. The file takes its name
  // when the log is closed.
  bool Open(const std::string& stamp, const std::string& startTime, LogFile::Report report = {});
  bool IsOpen() const { return file_.IsOpen(); }
  const std::string& Name() const { return file_.Name(); }
  // Why the log could not be created or written.
  std::error_code Error() const { return file_.Error(); }
  void Write(const std::string& text);
  // Writes the stop line and gives the log its name; false when the log
  // could not be written whole.
  bool Close(const std::string& stopTime);

 private:
  LogFile file_;
};
