#pragma once
// What the tests of whole runs make and expect: firmware files in the form
// the programmer saves them, the dotted step lines and the summary.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/flashcmd/hex_file_text.h"

// A step line: line end, message, dots to column 40, a blank, the verdict.
inline std::string dotted(const std::string& message, const std::string& verdict) {
  return "\n" + message + std::string(message.size() < 39 ? 39 - message.size() : 0, '.') + " " + verdict;
}

// The output with the date of the first line replaced by DATE.
inline std::string withoutDate(const std::string& output) {
  const std::string head = "Running flashcmd 0.1.0.7 on ";
  if (output.rfind(head, 0) != 0) return output;
  const size_t lineEnd = output.find('\n');
  return head + "DATE" + output.substr(lineEnd);
}

inline std::string summary(int total, int passed, int failed) {
  return "\n\nSummary:  Total " + std::to_string(total) + "   Passed " + std::to_string(passed) + "   Failed " +
         std::to_string(failed) + "\n";
}
