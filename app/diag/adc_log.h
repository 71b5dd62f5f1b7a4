#pragma once
// The log files of the ADC measurement loops: "adc_log_<stamp>.txt" (counts
// and mV/V) and "mv_log_<stamp>.txt" (mV text), in the current directory.
// A file never replaces an earlier one: when the stamp's name is taken (a
// second run in the same minute), the file gets "_2", "_3", ... before ".txt".
// The file takes its name when the run finishes.
#include <string>

#include "app/link/log_file.h"

class AdcLogFile {
 public:
  enum class Kind { Counts, Millivolt };

  // Creates the file for a run started at `startTime` (as "%A %d.%m.%y
  // %H:%M:%S") with the name stamp "%d%m%Y_%H%M", and writes the header
  // and the start line. False when no file could be created. A write that
  // fails later is told to `report`.
  bool Create(Kind kind, const std::string& stamp, const std::string& startTime, LogFile::Report report = {});
  bool IsOpen() const { return file_.IsOpen(); }
  const std::string& Name() const { return file_.Name(); }
  // Why the file could not be created or written.
  std::error_code Error() const { return file_.Error(); }

  // One answered cycle; `time` as "%H:%M:%S".
  void WriteCounts(const std::string& time, int channel, long counts, float millivoltPerVolt);
  void WriteMillivolt(const std::string& time, int channel, const std::string& millivolt);
  // The stop line, without a line end after it; gives the file its name.
  // False when the file could not be written whole.
  bool Finish(const std::string& stopTime);

 private:
  LogFile file_;
};
