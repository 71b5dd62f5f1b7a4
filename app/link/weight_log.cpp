#include "app/link/weight_log.h"

#include <cstdlib>
#include <sys/stat.h>

#include "app/link/link_utilities.h"

namespace {

constexpr const char* kLongTime = "%A %d.%m.%y %H:%M:%S";

// The next field ending at one of `separators`, separators in front of it
// skipped; nullopt when only separators (or nothing) are left.
std::optional<std::string_view> NextField(std::string_view& rest, std::string_view separators) {
  const size_t start = rest.find_first_not_of(separators);
  if (start == std::string_view::npos) {
    rest = {};
    return std::nullopt;
  }
  rest.remove_prefix(start);
  const size_t end = rest.find_first_of(separators);
  const std::string_view field = rest.substr(0, end);
  rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
  return field;
}

std::string WithoutSign(const std::optional<std::string_view>& field) {
  if (!field || field->empty()) return {};
  return std::string(field->substr(1));
}

}  // namespace

WeightFields ParseWeightText(std::string_view text) {
  WeightFields f;
  std::string_view rest = text;
  if (!NextField(rest, "C")) return f;
  const auto channel = NextField(rest, ":");
  const auto gross = NextField(rest, ":");
  const auto net = NextField(rest, ":");
  const auto tare = NextField(rest, "<");
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
