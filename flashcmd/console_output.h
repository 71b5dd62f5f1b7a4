#pragma once
// The programmer's output: step lines, PASS/FAIL labels with their counts,
// values read, failure reports with the failure policy. Everything goes
// through the library's data log, so a log file gets the same text; colours
// change the console only.
#include <cstdint>
#include <string>

inline constexpr std::uint16_t COLOUR_NORMAL = 7;
inline constexpr std::uint16_t COLOUR_PASS = 10;
inline constexpr std::uint16_t COLOUR_ERROR = 12;
inline constexpr std::uint16_t COLOUR_RESULT = 14;

// Keeps the standard output for colour changes and sets the console title.
void setUpConsole();
void setColour(std::uint16_t attribute);

// Hands the text to the library's data log (console and log file).
void logText(const std::string& text);
// Straight to standard output, never to the log file.
void writeStandardOutput(const std::string& text);

void printStep(const std::string& message, bool dotted);

// Counts a result and prints its label: failed, a red FAIL and a tab (the
// colour stays red for the reason that follows); passed, a green PASS and
// then a blank (closing) or a tab (a value follows). Under ASSERT FAIL the
// outcome is inverted and the labels are starred.
void recordResult(int failed, int closing);

// PASS and the last result as "0x.." ("XX" in demo mode).
void printValue();

// PASS, a tab and the text in the colour of values read.
void printResult(const std::string& text);

// The library's last result text ("" when it has none).
std::string lastResult();

// The library's message for a status code, empty for a code it lacks.
std::string statusMessage(int status);

// The failing address after a verify or blank-check failure, else empty.
std::string errorSuffix(int status);

// Reports a failure and applies the failure policy. "xx": the library's
// last error; any other text: the expected value that the value read did
// not match. Throws RunAborted when the policy ends the run. True when the
// policy stepped the operation list back to run the operation again: the
// operation then stops where it is.
bool handleFailure(const std::string& expected);

// The answer to the ASK question: "A", "R" or "I"; the end of the input
// counts as "A".
std::string askFailureAnswer();
