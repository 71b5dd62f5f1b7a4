#include "app/diag/adc_log.h"

#include "app/link/link_utilities.h"

bool AdcLogFile::Create(Kind kind, const std::string& stamp, const std::string& startTime, LogFile::Report report) {
  const std::string stem = (kind == Kind::Counts ? "adc_log_" : "mv_log_") + stamp;
  if (!file_.Open(FreeLogName(stem, LogNameTaken), std::move(report))) return false;
  file_.Write(kind == Kind::Counts ? "VD417 - Logging -> Teile und mV/V\n\n" : "VD417 - Logging -> mV/V\n\n");
  file_.Write("Start: " + std::string(CText(startTime)) + "\n\n");
  return true;
}

void AdcLogFile::WriteCounts(const std::string& time, int channel, long counts, float millivoltPerVolt) {
  file_.Write(Format("%s;   C%d;   %ld;   %.6f\n", time.c_str(), channel, counts,
                     static_cast<double>(millivoltPerVolt)));
}

void AdcLogFile::WriteMillivolt(const std::string& time, int channel, const std::string& millivolt) {
  file_.Write(time + ";   C" + std::to_string(channel) + ";   " + std::string(CText(millivolt)) + "\n");
}

bool AdcLogFile::Finish(const std::string& stopTime) {
  if (!file_.IsOpen()) return !file_.Error();
  file_.Write("\nStop: " + stopTime);
  return file_.Close();
}
