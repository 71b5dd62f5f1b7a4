#pragma once
// One run of the programmer: load and bind the library, read the options
// (or a command file), set up the connection, carry out the operations,
// print the summary. Returns the exit status: 0 for a completed run, for
// help, version and an empty command line; 54 when the library cannot be
// loaded; 255 for every failure.
int runFlashcmd(int argc, const char* const* argv);

inline constexpr int kExitLibraryMissing = 54;
inline constexpr int kExitFailure = 255;
