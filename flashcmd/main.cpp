// flashcmd: the console programmer.
#include "flashcmd/program_driver.h"

int main(int argc, char** argv) { return runFlashcmd(argc, argv); }
