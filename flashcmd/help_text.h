#pragma once
// The help text and the version line of the programmer.
#include <string>

inline constexpr const char* kProgramName = "flashcmd";
inline constexpr const char* kProgramVersion = "0.1.0.7";

// The 75 lines of "-h", each ended by a line end.
std::string helpText();

// "flashcmd version: 0.1.0.7" and a line end.
std::string versionLine();
