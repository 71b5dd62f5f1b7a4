#include "app/service/device_log.h"

#include <sys/stat.h>

namespace {

std::string FirstChar(const std::string& value) { return value.substr(0, 1); }

std::string ChannelFields(const ChannelWeights& c, bool gross) {
  const std::string& value = gross ? c.gross : c.net;
  return std::to_string(c.number) + ";" + FirstChar(value) + ";" + WithoutSign(value);
}

bool FileExists(const std::string& path) {
  struct stat info{};
  return ::stat(path.c_str(), &info) == 0;
}

}  // namespace

std::string DeviceLogName(const std::string& stamp, const std::function<bool(const std::string&)>& exists) {
  const std::string stem = "device_log_" + stamp;
  std::string name = stem + ".txt";
  for (int n = 2; exists(name); ++n) name = stem + "_" + std::to_string(n) + ".txt";
  return name;
}

std::string DeviceLogChannelPart(int grossNetMode, const std::string& time, const ChannelAnswer& answer,
                                 int channelCount) {
  if (grossNetMode != 1 && grossNetMode != 2) return {};
  const bool gross = grossNetMode == 1;
  std::string part = time + ";" + ChannelFields(answer.channels[0], gross);
  if (channelCount == 2) part += ";;" + ChannelFields(answer.channels[1], gross);
  if (gross) part += "\n";
  return part;
}

std::string DeviceLogSumPart(const std::string& sumValue) { return ";;S;B;" + WithoutSign(sumValue) + "\n"; }

bool DeviceLog::Open(const std::string& stamp, const std::string& startTime) {
  file_.reset();
  name_ = DeviceLogName(stamp, FileExists);
  file_.reset(std::fopen(name_.c_str(), "w+"));
  if (!file_) return false;
  std::fputs("RTV482 - Logging\n\n", file_.get());
  std::fprintf(file_.get(), "Start: %s\n\n", startTime.c_str());
  return true;
}

void DeviceLog::Write(const std::string& text) {
  if (file_) std::fputs(text.c_str(), file_.get());
}

void DeviceLog::Close(const std::string& stopTime) {
  if (!file_) return;
  std::fprintf(file_.get(), "\nStop: %s", stopTime.c_str());
  std::fflush(file_.get());
  file_.reset();
}
