// The operations that steer a run: START, WAIT, ECHO, TIMEOUT, ONFAIL and
// ASSERT, CANOPEN and CANCLOSE, against the boot-loader simulator.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "tests/flashcmd/flashcmd_run.h"

namespace {

using Clock = std::chrono::steady_clock;

const std::string kInvalid = "FAIL\tInvalid or missing argument.\n\nISP done.\n";

class FlashcmdControl : public FlashcmdRun {
 protected:
  // The boot loader back in its loader state after an application start.
  void resetLoader() {
    engine([](sim::BootloaderEngine& e) {
      e.reset();
      return 0;
    });
  }
};

TEST_F(FlashcmdControl, StartShowsItsWordsAndStartsTheApplication) {
  struct Case {
    Words operations;
    std::string line;
    std::string logged;
  };
  const Case cases[] = {
      {{"START", "reset", "0"}, dotted("Starting Application", "PASS\tRESET\t0x00000"), "start (reset)"},
      {{"START", "NORESET", "0x2000"}, dotted("Starting Application", "PASS\tNORESET\t0x02000"), "start at 2000"},
      {{"START", "noreset", "4096"}, dotted("Starting Application", "PASS\tNORESET\t0x01000"), "start at 1000"},
  };
  for (const Case& c : cases) {
    resetLoader();
    const ProgramRun r = run(c.operations);
    EXPECT_EQ(r.status, 0) << r.output << r.errors;
    EXPECT_TRUE(endsWith(r.output, c.line + summary(6, 6, 0))) << r.output;
    EXPECT_EQ(logged(c.logged), 1) << c.logged;
  }
}

TEST_F(FlashcmdControl, StartThatTheBootLoaderCannotMakeIsAFailure) {
  // The RS-232 start record holds a 16-bit address.
  const ProgramRun r = run({"ONFAIL", "IGNORE", "START", "NORESET", "0x12345"});
  EXPECT_EQ(r.status, 0) << r.output;
  EXPECT_TRUE(endsWith(r.output, dotted("Starting Application", "FAIL\tAddress is out of range.") + summary(6, 5, 1)))
      << r.output;
  EXPECT_FALSE(engine([](sim::BootloaderEngine& e) { return e.started(); }));
}

TEST_F(FlashcmdControl, ArgumentErrorsOfTheControlOperations) {
  expectFailedRuns({
      {{"START", "RUN", "0"}, dotted("Starting Application", kInvalid)},
      {{"START", "RESET"}, dotted("Starting Application", kInvalid)},
      {{"START", "RESET", "ERASE"}, dotted("Starting Application", kInvalid)},
      {{"ECHO"}, "1.2.0" + kInvalid},
      {{"ASSERT", "MAYBE"}, "1.2.0" + kInvalid},
      {{"ASSERT"}, "1.2.0" + kInvalid},
      {{"ONFAIL"}, "1.2.0" + kInvalid},
      {{"TIMEOUT", "0"}, dotted("Timeout set to 0sec", "FAIL\tInvalid timeout value.\n\nISP done.\n")},
      {{"TIMEOUT", "3601"}, dotted("Timeout set to 3601sec", "FAIL\tInvalid timeout value.\n\nISP done.\n")},
      {{"TIMEOUT", "ten"}, dotted("Timeout set to tensec", "FAIL\tInvalid timeout value.\n\nISP done.\n")},
      {{"TIMEOUT"}, dotted("Timeout set to sec", "FAIL\tInvalid timeout value.\n\nISP done.\n")},
  });
  EXPECT_EQ(logged("start"), 0);
}

TEST_F(FlashcmdControl, TimeoutEchoAndAssert) {
  protectWrites(true);
  const ProgramRun r = run({"TIMEOUT", "3600", "ECHO", "before", "ASSERT", "fail", "ERASE", "F", "ADDRANGE", "0", "1",
                            "ASSERT", "PASS", "ADDRANGE", "0", "2"});
  EXPECT_EQ(r.status, 0) << r.output << r.errors;
  // Under ASSERT FAIL the failed erase counts as passed and the set range as
  // failed; neither asks what to do.
  EXPECT_TRUE(endsWith(r.output, dotted("Timeout set to 3600sec", "PASS ") + "\nbefore" +
                                     dotted("Erasing", "PASS*\tDevice protection is set.") +
                                     dotted("Setting Address Range", "FAIL*\t0x00000\t0x00001") +
                                     dotted("Setting Address Range", "PASS\t0x00000\t0x00002") + summary(9, 8, 1)))
      << r.output;
  EXPECT_EQ(r.output.find("(A)bort"), std::string::npos);
}

TEST_F(FlashcmdControl, EchoTakesAQuotedTextOfACommandFileAsOneWord) {
  dir_.write("job.cmd", "-device MCU02\n-operation ECHO \"Board  under test\" ECHO done\n");
  const ProgramRun r = run({}, {"-cmdfile", "job.cmd"});
  EXPECT_EQ(r.status, 0) << r.output;
  EXPECT_TRUE(endsWith(r.output, "1.2.0\nBoard under test\ndone" + summary(5, 5, 0))) << r.output;
}

TEST_F(FlashcmdControl, WaitLastsItsSecondsOnTheMonotonicClock) {
  ChildProcess::Setup s = setup({"WAIT", "2", "ADDRANGE", "0", "1"});
  s.env.emplace_back("RTV_TIME_SCALE", "0.5");  // a program second lasts 500 ms
  s.terminalInput = true;
  ChildProcess child(kFlashcmd, s);
  ASSERT_TRUE(child.waitForOutput(dotted("Waiting 2sec", ""))) << child.output();
  const Clock::time_point shown = Clock::now();
  ASSERT_TRUE(child.waitForOutput(dotted("Waiting 2sec", "PASS "))) << child.output();
  EXPECT_GE(Clock::now() - shown, std::chrono::milliseconds(800));
  EXPECT_EQ(child.wait(), 0) << child.output();
  EXPECT_TRUE(endsWith(child.output(), dotted("Waiting 2sec", "PASS ") +
                                           dotted("Setting Address Range", "PASS\t0x00000\t0x00001") +
                                           summary(7, 7, 0)))
      << child.output();
}

TEST_F(FlashcmdControl, KeyPressEndsAWait) {
  ChildProcess::Setup s = setup({"WAIT", "3600", "ADDRANGE", "0", "1"});
  s.terminalInput = true;
  ChildProcess child(kFlashcmd, s);
  ASSERT_TRUE(child.waitForOutput(dotted("Waiting 3600sec", ""))) << child.output();
  child.writeInput("x");
  ASSERT_TRUE(child.waitForOutput(dotted("Waiting 3600sec", "PASS "), std::chrono::seconds(30))) << child.output();
  EXPECT_EQ(child.wait(), 0) << child.output();
  EXPECT_NE(child.output().find("Setting Address Range"), std::string::npos) << "the key is not an Escape";
}

TEST_F(FlashcmdControl, WaitWithoutSecondsAsksForTheReturnKey) {
  for (const Words& operations : {Words{"WAIT", "ERASE", "F"}, Words{"ERASE", "F", "WAIT"}}) {
    const int erasedBefore = logged("erase device");
    ChildProcess child(kFlashcmd, setup(operations));
    ASSERT_TRUE(child.waitForOutput("\nHit the Return key to continue.")) << child.output();
    EXPECT_EQ(logged("erase device") - erasedBefore, operations.front() == "WAIT" ? 0 : 1);
    child.writeInput("\n");
    EXPECT_EQ(child.wait(), 0) << child.output();
    EXPECT_NE(child.output().find(dotted("Erasing", "PASS ")), std::string::npos) << child.output();
    EXPECT_EQ(child.output().find("Waiting"), std::string::npos);
  }
  EXPECT_EQ(logged("erase device"), 2);
}

TEST_F(FlashcmdControl, CanNodesOnALineWithoutCan) {
  // The serial library has no receive filter for CAN identifiers, so the
  // identifier update fails; the node selection has nothing to do on RS-232.
  const ProgramRun r = run({"ONFAIL", "IGNORE", "CANOPEN", "1", "0", "CANCLOSE", "0x01"});
  EXPECT_EQ(r.status, 0) << r.output;
  EXPECT_TRUE(endsWith(r.output, dotted("Opening CAN Node", "FAIL\tCannot execute command.") + "PASS\t0x01\t0x00" +
                                     dotted("Reading Bootloader version", "PASS\t1.2.0") +
                                     dotted("Closing CAN Node", "PASS\t0x01") + summary(9, 8, 1)))
      << r.output;
}

TEST_F(FlashcmdControl, CanNodeWordsAreChecked) {
  const std::string invalid = "FAIL\tInvalid argument.\n\nISP done.\n";
  expectFailedRuns({
      {{"CANOPEN", "one", "0"}, dotted("Opening CAN Node", invalid)},
      {{"CANOPEN", "1", "ERASE", "F"}, dotted("Opening CAN Node", invalid)},
      {{"CANOPEN", "0x100", "0"}, dotted("Opening CAN Node", invalid)},
      {{"CANOPEN", "1"}, dotted("Opening CAN Node", kInvalid)},
      {{"CANOPEN"}, "1.2.0" + kInvalid},
      {{"CANCLOSE", "node"}, dotted("Closing CAN Node", invalid)},
      {{"CANCLOSE"}, "1.2.0" + kInvalid},
  });
  EXPECT_EQ(logged("erase"), 0);
}

}  // namespace
