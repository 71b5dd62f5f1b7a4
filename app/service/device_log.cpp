#include "app/service/device_log.h"

namespace {

std::string FirstChar(const std::string& value) { return value.substr(0, 1); }

std::string ChannelFields(const ChannelWeights& c, bool gross) {
  const std::string& value = gross ? c.gross : c.net;
  return std::to_string(c.number) + ";" + FirstChar(value) + ";" + WithoutSign(value);
}

}  // namespace

std::string DeviceLogName(const std::string& stamp, const std::function<bool(const std::string&)>& exists) {
  return FreeLogName("device_log_" + stamp, exists);
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

bool DeviceLog::Open(const std::string& stamp, const std::string& startTime, LogFile::Report report) {
  if (!file_.Open(DeviceLogName(stamp, LogNameTaken), std::move(report))) return false;
  file_.Write("RTV482 - Logging\n\n");
  file_.Write("Start: " + startTime + "\n\n");
  return true;
}

void DeviceLog::Write(const std::string& text) { file_.Write(CText(text)); }

bool DeviceLog::Close(const std::string& stopTime) {
  if (!file_.IsOpen()) return !file_.Error();
  file_.Write("\nStop: " + stopTime);
  return file_.Close();
}
