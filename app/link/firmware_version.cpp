#include "app/link/firmware_version.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>

namespace {

using Version = std::array<unsigned, 3>;

// "V<major>.<minor>.<patch>" and nothing else.
std::optional<Version> ParseVersion(std::string_view text) {
  if (text.size() < 2 || text[0] != 'V') return std::nullopt;
  Version v{};
  const char* p = text.data() + 1;
  const char* end = text.data() + text.size();
  for (size_t i = 0; i < v.size(); ++i) {
    if (i > 0) {
      if (p == end || *p != '.') return std::nullopt;
      ++p;
    }
    const auto [next, error] = std::from_chars(p, end, v[i]);
    if (error != std::errc{} || next == p) return std::nullopt;
    p = next;
  }
  if (p != end) return std::nullopt;
  return v;
}

bool OneOf(std::string_view text, std::initializer_list<std::string_view> list) {
  return std::find(list.begin(), list.end(), text) != list.end();
}

}  // namespace

FirmwareJudgement JudgeFirmwareVersion(std::string_view text) {
  FirmwareJudgement j;
  j.series0 = OneOf(text, {"V0.0.2", "V0.0.3", "V0.0.4", "V0.0.5", "V0.0.6", "V0.0.7", "V0.0.8", "V0.0.9", "V0.0.10"});
  const bool fiveDecimals = OneOf(text, {"V1.0.11", "V1.0.12", "V1.0.13", "V1.0.14", "V1.0.15"});
  j.noFiveDecimals = !fiveDecimals;
  bool notBelow106;
  constexpr std::string_view kFirstShortList = "V1.0.6";
  if (const auto v = ParseVersion(text))
    notBelow106 = *v >= Version{1, 0, 6};
  else
    notBelow106 = text >= kFirstShortList;
  j.shortSdcontList = fiveDecimals || text == "V1.0.10" || notBelow106;
  return j;
}
