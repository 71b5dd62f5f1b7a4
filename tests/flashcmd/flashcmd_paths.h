#pragma once
// Where the tests find the programmer, its libraries and their fixtures.
#include <string>

#include "tests/flashcmd/child_process.h"

inline const std::string kFlashcmd = FLASHCMD_PROGRAM;
inline const std::string kPlatformLibrary = PLATFORM_WIN_LIBRARY;
inline const std::string kIncompleteFlashcore = INCOMPLETE_FLASHCORE_LIBRARY;
inline const std::string kGoldenFolder = FLASHCMD_GOLDEN_FOLDER;

// The programmer run with these words and no input.
struct ProgramRun {
  int status = -1;
  std::string output;
  std::string errors;
};

inline ProgramRun runFlashcmd(const ChildProcess::Setup& setup) {
  ProgramRun run;
  run.status = runProgram(kFlashcmd, setup, &run.output, &run.errors);
  return run;
}
