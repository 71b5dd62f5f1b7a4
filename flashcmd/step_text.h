#pragma once
// Texts of the step lines: a message filled with dots to column 40, the
// working range, the fill after progress dots, the boot-loader version.
#include <cstdint>
#include <string>

inline constexpr int kStepColumn = 40;

// Line end and the message; dotted, a blank right-aligned in a field of
// 40 - message length filled with '.', so that the verdict starts at
// column 41 (a message of 39 characters or more gets just the blank).
std::string stepText(const std::string& message, bool dotted);

// '.' fill and a blank after a long operation's message and its progress
// dots, ending at column 40 like every other step line.
std::string fillText(int messageLength, int dotPairs);

// "0x" start, tab, "0x" end, in upper-case hexadecimal of at least 5 digits.
std::string rangeText(std::uint32_t start, std::uint32_t end);

// Upper-case hexadecimal of at least `width` digits.
std::string hexText(std::uint32_t value, int width);

// A version byte "23" as "1.2.3"; a shorter text shows what it has.
std::string versionText(const std::string& lastResult);

// rangeText of the working range of the run.
std::string workingRangeText();
