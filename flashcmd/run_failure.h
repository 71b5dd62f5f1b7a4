#pragma once
// How a run ends early. The driver catches these and reports them.
#include <string>

// A status code of the library's table, raised by the programmer's own
// checks or taken from the library after a failed call.
struct StatusFailure {
  int status;
};

// A message of an operation ("Invalid or missing argument." ...); counted
// as a failed result when reported.
struct TextFailure {
  std::string text;
};

// The failure policy ended the run.
struct RunAborted {};

inline const char* const kInvalidOrMissingArgument = "Invalid or missing argument.";
inline const char* const kInvalidArgument = "Invalid argument.";
inline const char* const kInvalidTimeoutValue = "Invalid timeout value.";

// Ends the run with "Invalid or missing argument.".
[[noreturn]] inline void refuseArgument() { throw TextFailure{kInvalidOrMissingArgument}; }
