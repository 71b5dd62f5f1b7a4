// A port or a HEX file that cannot be opened: the step keeps its own text on
// standard output, and one line on the error output says which device or
// file and why.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "tests/flashcmd/flashcmd_run.h"

namespace {

const std::string kPortFailure = dotted("Opening port", "FAIL\tCannot open port.") + "\nISP done.\n";

TEST_F(FlashcmdRun, MissingDeviceIsNamedWithItsPath) {
  ChildProcess::Setup s = setup({"ERASE", "F"});
  s.env = {{"SERIAL_COM1", "/dev/no-such-tty"}};
  const ProgramRun r = runFlashcmd(s);
  EXPECT_EQ(r.status, 255);
  EXPECT_TRUE(endsWith(r.output, kPortFailure)) << r.output;
  EXPECT_EQ(r.errors, "comlink: cannot open COM1: /dev/no-such-tty: no such device\n");
}

TEST_F(FlashcmdRun, PortHeldByAnotherProgramIsBusy) {
  const int held = ::open(loader().slavePath().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
  ASSERT_GE(held, 0);
  ASSERT_EQ(flock(held, LOCK_EX | LOCK_NB), 0);
  const ProgramRun r = run({"ERASE", "F"});
  ::close(held);
  EXPECT_EQ(r.status, 255);
  EXPECT_TRUE(endsWith(r.output, kPortFailure)) << r.output;
  EXPECT_EQ(r.errors, "comlink: cannot open COM1: " + loader().slavePath() + ": port is in use by another program\n");
}

TEST_F(FlashcmdRun, HexFilesThatCannotBeOpenedAreNamed) {
  dir_.write("in.hex", canonicalHexFile(256, 1));
  const ProgramRun r = run({"ONFAIL", "IGNORE", "LOADBUFFER", "missing.hex", "LOADBUFFER", "in.hex", "SAVEBUFFER",
                            "no-folder/out.hex", "HEX386"});
  EXPECT_EQ(r.status, 0) << r.output;
  EXPECT_NE(r.output.find(dotted("Parsing HEX file", "FAIL\tCannot open file.")), std::string::npos) << r.output;
  EXPECT_EQ(r.errors,
            "flashcore: cannot open HEX file missing.hex: No such file or directory\n"
            "flashcore: cannot open HEX file no-folder/out.hex: No such file or directory\n");
}

}  // namespace
