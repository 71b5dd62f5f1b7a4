#include <csignal>

#include "app/program/program.h"

int main(int argc, char** argv) {
  // A write beyond the file-size limit fails with its cause (and the old
  // file is kept) instead of ending the program.
  std::signal(SIGXFSZ, SIG_IGN);
  return RunProgram(argc, argv);
}
