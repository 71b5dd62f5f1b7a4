#include "app/link/weight_log.h"

#include <cstdlib>

#include "app/link/link_utilities.h"

namespace {

constexpr const char* kLongTime = "%A %d.%m.%y %H:%M:%S";

std::string WithoutSign(const std::optional<std::string_view>& field) {
  if (!field || field->empty()) return {};
  return std::string(field->substr(1));
}

}  // namespace

WeightFields ParseWeightText(std::string_view text) {
  WeightFields f;
  std::string_view rest = text;
  if (!NextToken(rest, "C")) return f;
  const auto channel = NextToken(rest, ":");
  const auto gross = NextToken(rest, ":");
  const auto net = NextToken(rest, ":");
  const auto tare = NextToken(rest, "<");
  if (channel) f.channel = std::atoi(std::string(*channel).c_str());
  f.gross = WithoutSign(gross);
  f.net = WithoutSign(net);
  f.tare = WithoutSign(tare);
  return f;
}

std::string WeightLogName(const std::string& stamp, const std::function<bool(const std::string&)>& exists) {
  return FreeLogName("gewichts_log_" + stamp, exists);
}

bool WeightLog::Open(LogFile::Report report) {
  Close();
  if (!file_.Open(WeightLogName(FormatNow("%d%m%Y_%H%M"), LogNameTaken), std::move(report))) return false;
  file_.Write("Device - Logging\n\n");
  file_.Write("Start: " + FormatNow(kLongTime) + "\n\n");
  return true;
}

void WeightLog::AddLine(const std::string& time, const std::string& weightText) {
  file_.Write(time + "   " + std::string(CText(weightText)) + "\n");
}

bool WeightLog::Close() {
  if (!file_.IsOpen()) return !file_.Error();
  file_.Write("\nStop: " + FormatNow(kLongTime));
  return file_.Close();
}
