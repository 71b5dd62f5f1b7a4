#include "app/service/weight_answer.h"

#include <cstdlib>

#include "app/link/link_utilities.h"
#include <optional>

namespace {

std::string Field(std::string_view& rest, std::string_view separators) {
  const auto field = NextToken(rest, separators);
  return field ? std::string(*field) : std::string();
}

// The leading integer of a field, 0 when it has none.
int Number(const std::string& field) { return std::atoi(field.c_str()); }

}  // namespace

ChannelAnswer CutChannelAnswer(std::string_view text, int channelCount) {
  ChannelAnswer a;
  std::string_view rest = text;
  Field(rest, "C");
  a.channels[0].number = Number(Field(rest, ":"));
  a.channels[0].gross = Field(rest, ":");
  a.channels[0].net = Field(rest, ":");
  Field(rest, ":");
  if (channelCount == 2) {
    Field(rest, "C");
    a.channels[1].number = Number(Field(rest, ":"));
    a.channels[1].gross = Field(rest, ":");
    a.channels[1].net = Field(rest, ":");
  }
  return a;
}

std::string CutSumAnswer(std::string_view text) {
  std::string_view rest = text;
  Field(rest, "C");
  Field(rest, ":");
  return Field(rest, ":");
}

std::string WithoutEnd(const std::string& answer) {
  return answer.empty() ? std::string() : answer.substr(0, answer.size() - 1);
}

std::string WithoutSign(const std::string& value) { return value.empty() ? std::string() : value.substr(1); }

std::string ChannelLine(int number, const std::string& value) {
  return std::to_string(number) + " :    " + WithoutSign(value);
}

std::string SumLine(int sumMode, const std::string& value) {
  if (sumMode != 0 && sumMode != 1) return {};
  return std::string(sumMode == 1 ? "DIFF" : "SUM") + " :    " + WithoutSign(value);
}
