// The "-ocd" mode: the debug monitor of the on-chip-debug target, simulated
// in front of its boot loader on a pseudo-terminal, gets its three dialogues
// from the programmer through the second serial library, comlinkx.
#include <gtest/gtest.h>

#include <string>

#include "tests/flashcmd/flashcmd_run.h"

namespace {

class FlashcmdOcd : public FlashcmdRun {
 protected:
  FlashcmdOcd() {
    sim::BootloaderConfig c = config("MCU_OCD");
    c.ocdMonitor = true;
    startLoader(c);
  }

  ProgramRun runOcd(Words operations) const {
    ChildProcess::Setup s = setup(std::move(operations), {"-device", "MCU_OCD", "-ocd", "m51"});
    s.env.emplace_back("RTV_TIME_SCALE", "0.1");  // the dialogues' pauses
    ProgramRun r;
    r.status = runProgram(kFlashcmd, s, &r.output, &r.errors);
    return r;
  }
};

TEST_F(FlashcmdOcd, TheThreeDialoguesAroundARun) {
  const ProgramRun r = runOcd({"START", "RESET", "0"});
  EXPECT_EQ(r.status, 0) << r.output << r.errors;
  EXPECT_EQ(withoutDate(r.output),
            connectionLines("MCU_OCD - RS232 - COM1 - 115200", "1.2.0") +
                dotted("Starting Application", "PASS\tRESET\t0x00000") + summary(6, 6, 0));
  const Words all = requestsSince(0);
  ASSERT_GE(all.size(), 12u);
  EXPECT_EQ(Words(all.begin(), all.begin() + 5), (Words{"debug\n", "C M\n", "Q\n", "~", "U"}));
  EXPECT_EQ(Words(all.end() - 7, all.end()), (Words{"~", "debug\n", "C M\n", "X 00\n", "G\n", "~", "~"}));
  EXPECT_TRUE(engine([](sim::BootloaderEngine& e) { return e.started() && e.inMonitor(); }));
}

TEST_F(FlashcmdOcd, AMonitorWithoutPromptIsReported) {
  engine([](sim::BootloaderEngine& e) {
    e.setMonitorPrompt(false);
    return 0;
  });
  const ProgramRun r = runOcd({"START", "RESET", "0"});
  EXPECT_EQ(r.status, 255) << r.output;
  // The boot loader never gets the line: the synchronisation fails too.
  EXPECT_TRUE(endsWith(r.output, dotted("Opening port", "PASS ") +
                                     "\nOCD Init Message: Debug command sent. Did not get the OCD prompt.\n" +
                                     dotted("Synchronizing target", "FAIL") + "Timeout error.\nISP done.\n"))
      << r.output;
  EXPECT_EQ(requestsSince(0), (Words{"debug\n"}));
}

}  // namespace
