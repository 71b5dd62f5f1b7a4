#include "app/link/weight_log.h"

#include <cstdlib>
#include <sys/stat.h>

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
  const std::string stem = "gewichts_log_" + stamp;
  std::string name = stem + ".txt";
  for (int n = 2; exists(name); ++n) name = stem + "_" + std::to_string(n) + ".txt";
  return name;
}

bool WeightLog::Open() {
  Close();
  name_ = WeightLogName(FormatNow("%d%m%Y_%H%M"), [](const std::string& path) {
    struct stat info{};
    return ::stat(path.c_str(), &info) == 0;
  });
  file_.reset(std::fopen(name_.c_str(), "w+"));
  if (!file_) return false;
  std::fputs("Device - Logging\n\n", file_.get());
  std::fprintf(file_.get(), "Start: %s\n\n", FormatNow(kLongTime).c_str());
  return true;
}

void WeightLog::AddLine(const std::string& time, const std::string& weightText) {
  if (file_) std::fprintf(file_.get(), "%s   %s\n", time.c_str(), weightText.c_str());
}

void WeightLog::Close() {
  if (!file_) return;
  std::fprintf(file_.get(), "\nStop: %s", FormatNow(kLongTime).c_str());
  std::fflush(file_.get());
  file_.reset();
}
