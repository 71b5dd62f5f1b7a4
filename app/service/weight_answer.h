#pragma once
// The service window's reading of the weight answers and the texts it shows
// from them.
#include <array>
#include <string>
#include <string_view>

// One channel of the channel answer: its number and its gross and net
// value texts, each with its sign place as the first character.
struct ChannelWeights {
  int number = 0;
  std::string gross;
  std::string net;
};

// The channel answer cut into fields: the text up to "C" is a prefix; then
// the channel number, gross, net and one further field end at ":"; with two
// channels a field ending at "C" follows, then channel 2's number, gross and
// net ending at ":" and a rest ending at "<". Separators in front of a
// field are skipped. A field the text does not hold is empty (a number 0).
struct ChannelAnswer {
  std::array<ChannelWeights, 2> channels{};
};
ChannelAnswer CutChannelAnswer(std::string_view text, int channelCount);

// The sum answer: a prefix up to "C", a field up to ":", then the sum value
// text up to ":"; empty when the text does not hold it.
std::string CutSumAnswer(std::string_view text);

// The text that a cycle cuts: the answer without its last character.
std::string WithoutEnd(const std::string& answer);

// A value text without its sign place.
std::string WithoutSign(const std::string& value);

// "<number> :    <value without sign>", as the weight labels show a channel.
std::string ChannelLine(int number, const std::string& value);
// "SUM :    <value>" (mode 0) or "DIFF :    <value>" (mode 1), value without
// sign; empty for any other mode.
std::string SumLine(int sumMode, const std::string& value);
