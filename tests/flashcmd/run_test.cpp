// Whole programming runs against the boot-loader simulator on a
// pseudo-terminal that the programmer opens as "COM1".
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/flashcmd/flashcmd_run.h"
#include "tests/flashcmd/hex_file_text.h"

namespace {

const Words kJob{"LOADBUFFER", "in.hex", "ERASE", "F", "PROGRAM", "VERIFY", "READ", "SAVEBUFFER", "out.hex", "HEX386"};

TEST_F(FlashcmdRun, ProgramsVerifiesReadsAndSavesTheFile) {
  const std::string input = canonicalHexFile(4096, 3);
  dir_.write("in.hex", input);

  const ProgramRun r = run(kJob);
  EXPECT_EQ(r.status, 0) << r.output << r.errors;
  const std::string range = "PASS\t0x00000\t0x00FFF";
  EXPECT_EQ(withoutDate(r.output),
            connectionLines("MCU02 - RS232 - COM1 - 115200", "1.2.0") + dotted("Parsing HEX file", "PASS\tin.hex") +
                dotted("Erasing", "PASS ") + dotted("Programming memory", range) + dotted("Verifying memory", range) +
                dotted("Reading memory", range) + dotted("Saving buffer to HEX file", "PASS\tout.hex HEX386") +
                summary(11, 11, 0));
  EXPECT_EQ(TempDir::read(dir_.file("out.hex")), input);
  const std::vector<std::uint8_t> programmed = flash(4096);
  ASSERT_EQ(programmed.size(), 4096u);
  for (std::uint32_t a = 0; a < 4096; ++a) ASSERT_EQ(programmed[a], static_cast<std::uint8_t>(a * 7 + 3)) << a;
}

TEST_F(FlashcmdRun, SameJobFromACommandFileWithACommentAndAnInclude) {
  const std::string input = canonicalHexFile(4096, 11);
  dir_.write("in.hex", input);
  dir_.write("transfer.cmd", "PROGRAM VERIFY\n# read back what was written\nREAD\nSAVEBUFFER out.hex HEX386\n");
  dir_.write("job.cmd",
             "# MCU02 boot loader on the first serial port\n"
             "-device MCU02 -port com1\n"
             "-operation LOADBUFFER in.hex ERASE F\n"
             "INCLUDE \"transfer.cmd\"\n");

  const ProgramRun r = run({}, {"-device", "OTHER", "-cmdfile", "job.cmd"});
  EXPECT_EQ(r.status, 0) << r.output << r.errors;
  const std::string range = "PASS\t0x00000\t0x00FFF";
  EXPECT_EQ(withoutDate(r.output),
            connectionLines("MCU02 - RS232 - COM1 - 115200", "1.2.0") + dotted("Parsing HEX file", "PASS\tin.hex") +
                dotted("Erasing", "PASS ") + dotted("Programming memory", range) + dotted("Verifying memory", range) +
                dotted("Reading memory", range) + dotted("Saving buffer to HEX file", "PASS\tout.hex HEX386") +
                summary(11, 11, 0));
  EXPECT_EQ(TempDir::read(dir_.file("out.hex")), input);
}

TEST_F(FlashcmdRun, DemoModeTouchesNoPort) {
  dir_.write("in.hex", canonicalHexFile(256, 1));
  ChildProcess::Setup s = setup(kJob, {"-device", "mcu02", "-demo"});
  s.env = {{"SERIAL_COM1", "/nonexistent/tty"}};
  const ProgramRun r = runFlashcmd(s);
  EXPECT_EQ(r.status, 0) << r.output << r.errors;
  const std::string range = "PASS\t0x00000\t0x03FFF\n";
  EXPECT_EQ(withoutDate(r.output),
            connectionLines("MCU02 - RS232 - COM1 - 115200 - DEMO MODE", "1.0.0") +
                dotted("Parsing HEX file", "PASS\tin.hex") + dotted("Erasing", "PASS ") + "\nProgramming memory" +
                range + "\nVerifying memory" + range + "\nReading memory" + range +
                dotted("Saving buffer to HEX file", "PASS\tout.hex HEX386") + summary(11, 11, 0));
  EXPECT_TRUE(loader().log().empty());
}

TEST_F(FlashcmdRun, OnFailIgnoreGoesOnAndEndsWithZero) {
  dir_.write("in.hex", canonicalHexFile(256, 1));
  protectWrites(true);
  const ProgramRun r = run({"ONFAIL", "ignore", "ERASE", "F", "LOADBUFFER", "missing.hex", "LOADBUFFER", "in.hex"});
  EXPECT_EQ(r.status, 0) << r.output << r.errors;
  const std::string expected = dotted("Erasing", "FAIL\tDevice protection is set.") +
                               dotted("Parsing HEX file", "FAIL\tCannot open file.") +
                               dotted("Parsing HEX file", "PASS\tin.hex") + summary(8, 6, 2);
  EXPECT_NE(r.output.find(expected), std::string::npos) << r.output;
}

TEST_F(FlashcmdRun, OnFailAbortEndsTheRunAtTheFirstFailure) {
  dir_.write("in.hex", canonicalHexFile(256, 1));
  protectWrites(true);
  const ProgramRun r = run({"ONFAIL", "ABORT", "ERASE", "F", "LOADBUFFER", "in.hex"});
  EXPECT_EQ(r.status, 255);
  const std::string ending = dotted("Erasing", "FAIL\tDevice protection is set.") + "\nISP done.\n";
  ASSERT_GE(r.output.size(), ending.size());
  EXPECT_EQ(r.output.substr(r.output.size() - ending.size()), ending) << r.output;
  EXPECT_EQ(r.output.find("Parsing HEX file"), std::string::npos);
  EXPECT_EQ(r.output.find("Summary"), std::string::npos);
}

TEST_F(FlashcmdRun, OnFailRetryRunsAFailedOperationOnceMore) {
  dir_.write("in.hex", canonicalHexFile(256, 1));
  protectWrites(true);
  const ProgramRun r = run({"ONFAIL", "RETRY", "ERASE", "F", "LOADBUFFER", "in.hex", "ERASE"});
  EXPECT_EQ(r.status, 0) << r.output << r.errors;
  // The first ERASE fails twice (the retry fails too and is passed over);
  // the last one fails and is retried again, since a retry state is spent
  // by the failure after it and not by a success.
  const std::string failed = dotted("Erasing", "FAIL\tDevice protection is set.");
  EXPECT_NE(
      r.output.find(failed + failed + dotted("Parsing HEX file", "PASS\tin.hex") + failed + failed + summary(10, 6, 4)),
      std::string::npos)
      << r.output;
  EXPECT_EQ(logged("erase refused"), 4);
}

TEST_F(FlashcmdRun, AskQuestionRetriesAndIgnores) {
  dir_.write("in.hex", canonicalHexFile(256, 1));
  protectWrites(true);
  ChildProcess child(kFlashcmd, setup({"ERASE", "F", "LOADBUFFER", "missing.hex", "LOADBUFFER", "in.hex"}));
  const std::string question = "\n(A)bort, (R)etry, (I)gnore ? ";
  ASSERT_TRUE(child.waitForOutput(question)) << child.output();

  // The answer is read only after the question: the loader may change first.
  protectWrites(false);
  child.writeInput("x\nr\n");
  ASSERT_TRUE(child.waitForOutput("Cannot open file." + question)) << child.output();
  EXPECT_EQ(count(child.output(), question), 3) << "the unknown answer x asks again";
  child.writeInput("r\n");  // the failure after a retry is passed over
  EXPECT_EQ(child.wait(), 0) << child.output() << child.errors();

  const std::string expected = dotted("Erasing", "FAIL\tDevice protection is set.") + question + question +
                               dotted("Erasing", "PASS ") + dotted("Parsing HEX file", "FAIL\tCannot open file.") +
                               question + dotted("Parsing HEX file", "PASS\tin.hex") + summary(9, 7, 2);
  EXPECT_NE(child.output().find(expected), std::string::npos) << child.output();
  EXPECT_EQ(logged("erase device"), 1);
}

TEST_F(FlashcmdRun, AskAtTheEndOfTheInputAborts) {
  protectWrites(true);
  const ProgramRun r = run({"ERASE", "F", "ERASE", "F"});
  EXPECT_EQ(r.status, 255);
  const std::string ending =
      dotted("Erasing", "FAIL\tDevice protection is set.") + "\n(A)bort, (R)etry, (I)gnore ? \nISP done.\n";
  ASSERT_GE(r.output.size(), ending.size());
  EXPECT_EQ(r.output.substr(r.output.size() - ending.size()), ending) << r.output;
  EXPECT_EQ(logged("erase refused"), 1);
}

TEST_F(FlashcmdRun, RetryAfterAFailureThatWentAway) {
  dir_.write("in.hex", canonicalHexFile(256, 1));
  protectWrites(true);
  // The question of the first ERASE holds the run while the loader changes:
  // the next erase record will get a checksum refusal, then all is well.
  ChildProcess child(kFlashcmd,
                     setup({"ERASE", "F", "ONFAIL", "RETRY", "ERASE", "F", "LOADBUFFER", "missing.hex", "ERASE"}));
  ASSERT_TRUE(child.waitForOutput("(I)gnore ? ")) << child.output();
  protectWrites(false);
  loader().withEngine([](sim::BootloaderEngine& e) {
    e.injectFault(sim::Fault::ChecksumReply);
    return 0;
  });
  child.writeInput("I\n");
  EXPECT_EQ(child.wait(), 0) << child.output() << child.errors();

  const std::string expected = dotted("Erasing", "FAIL\tChecksum error.") + dotted("Erasing", "PASS ") +
                               dotted("Parsing HEX file", "FAIL\tCannot open file.") + dotted("Erasing", "PASS ") +
                               summary(10, 7, 3);
  EXPECT_NE(child.output().find(expected), std::string::npos) << child.output();
  EXPECT_EQ(count(child.output(), "Parsing HEX file"), 1) << "the failure after a retry is not retried";
}

TEST_F(FlashcmdRun, VerifyFailureNamesTheAddress) {
  dir_.write("in.hex", canonicalHexFile(256, 1));
  const ProgramRun r = run({"ONFAIL", "IGNORE", "LOADBUFFER", "in.hex", "VERIFY", "BLANKCHECK"});
  EXPECT_EQ(r.status, 0) << r.output << r.errors;
  EXPECT_NE(r.output.find(dotted("Verifying memory", "FAIL\tVerify device fail at 0x")), std::string::npos) << r.output;
  EXPECT_NE(r.output.find(dotted("Blank checking", "PASS\t0x00000\t0x000FF")), std::string::npos) << r.output;
}

TEST_F(FlashcmdRun, AbortDuringALongOperationEndsTheRunCleanly) {
  dir_.write("in.hex", canonicalHexFile(1024, 1));
  const ProgramRun r = run({"ONFAIL", "ABORT", "LOADBUFFER", "in.hex", "VERIFY", "READ"});
  EXPECT_EQ(r.status, 255) << r.output << r.errors;
  const std::string line = dotted("Verifying memory", "FAIL\tVerify device fail at 0x");
  const size_t at = r.output.find(line);
  ASSERT_NE(at, std::string::npos) << r.output;
  const std::string rest = r.output.substr(at + line.size());
  EXPECT_EQ(rest.find('\n'), rest.size() - std::string("\nISP done.\n").size()) << rest;
  EXPECT_EQ(rest.substr(rest.size() - 11), "\nISP done.\n");
  EXPECT_EQ(r.output.find("Reading memory"), std::string::npos);
}

TEST_F(FlashcmdRun, AutoIspStepBeforeSynchronising) {
  const ProgramRun r = run({"ADDRANGE", "0", "0"}, {"-device", "MCU02", "-autoisp", "0", "1"});
  EXPECT_EQ(r.status, 0) << r.output << r.errors;
  EXPECT_NE(r.output.find(dotted("Opening port", "PASS ") + dotted("Setting Auto ISP", "PASS ") +
                          dotted("Synchronizing target", "PASS ")),
            std::string::npos)
      << r.output;
}

TEST_F(FlashcmdRun, BufferOperationsSetTheRangeAndFillTheBuffer) {
  const ProgramRun r = run({"ADDRANGE", "0x100",         "511",        "FILLBUFFER", "255",
                            "PROGRAM",  "ADDRANGE",      "0x180",      "0x18f",      "FILLBUFFER",
                            "0x5a",     "PROGRAM_RANGE", "SAVEBUFFER", "part.hex",   "hex86",
                            "MEMORY",   "eeprom",        "ADDRANGE",   "0",          "0"});
  EXPECT_EQ(r.status, 0) << r.output << r.errors;
  EXPECT_NE(r.output.find(dotted("Setting Address Range", "PASS\t0x00100\t0x001FF") +
                          dotted("Filling buffer", "PASS\t0x00100\t0x001FF\t255")),
            std::string::npos)
      << r.output;
  EXPECT_NE(r.output.find(dotted("Filling buffer", "PASS\t0x00180\t0x0018F\t0x5a")), std::string::npos);
  EXPECT_NE(r.output.find(dotted("Saving buffer to HEX file", "PASS\tpart.hex HEX86")), std::string::npos);
  EXPECT_NE(r.output.find(dotted("Selecting EEPROM", "PASS ")), std::string::npos);
  const std::vector<std::uint8_t> programmed = flash(0x200);
  for (std::uint32_t a = 0x100; a < 0x200; ++a) ASSERT_EQ(programmed[a], a >= 0x180 && a <= 0x18F ? 0x5A : 0xFF) << a;
  EXPECT_EQ(TempDir::read(dir_.file("part.hex")).substr(0, 15), ":020000020000FC");
}

TEST_F(FlashcmdRun, ArgumentErrorsEndTheRunAfterTheStepLine) {
  const std::string invalid = "FAIL\tInvalid or missing argument.\n\nISP done.\n";
  expectFailedRuns({
      {{"ERASE", "BLANKCHECK"}, dotted("Erasing", invalid)},
      {{"ERASE", "5"}, dotted("Erasing", invalid)},
      {{"ADDRANGE", "0x100", "PROGRAM"}, dotted("Setting Address Range", invalid)},
      {{"MEMORY"}, dotted("Selecting Memory", invalid)},
      {{"MEMORY", "BANK"}, dotted("Selecting Memory", invalid)},
      {{"FILLBUFFER", "0x1FF"}, dotted("Filling buffer", invalid)},
      {{"SAVEBUFFER", "out.hex"}, dotted("Saving buffer to HEX file", invalid)},
      {{"SAVEBUFFER", "out.hex", "S19"}, dotted("Saving buffer to HEX file", invalid)},
      {{"LOADBUFFER"}, dotted("Parsing HEX file", invalid)},
      // no step line: the label follows the version of the last step
      {{"ONFAIL", "STOP"}, "1.2.0" + invalid},
  });
}

TEST_F(FlashcmdRun, UnknownKeywordsAreRefused) {
  struct Case {
    const char* word;
    const char* shown;
  };
  // A surplus value word is dispatched like a keyword.
  for (const Case& c : {Case{"eras", "ERAS"}, Case{"0x10", "0X10"}}) {
    const ProgramRun r = run({"ERASE", "F", c.word});
    EXPECT_EQ(r.status, 255);
    const std::string ending = dotted("Erasing", "PASS ") + "\n" + c.shown + " Command does not exist.\nISP done.\n";
    ASSERT_GE(r.output.size(), ending.size()) << r.output;
    EXPECT_EQ(r.output.substr(r.output.size() - ending.size()), ending) << r.output;
  }
}

TEST_F(FlashcmdRun, LogFileHoldsWhatTheConsoleShows) {
  const ProgramRun r = run({"ADDRANGE", "0", "15"}, {"-device", "MCU02", "-logf", "run.log"});
  EXPECT_EQ(r.status, 0) << r.output << r.errors;
  EXPECT_EQ(TempDir::read(dir_.file("run.log")), r.output);
}

TEST_F(FlashcmdRun, EscapeBetweenOperationsCancelsTheRest) {
  ChildProcess::Setup s = setup({"ADDRANGE", "0", "1", "ADDRANGE", "0", "2"});
  s.terminalInput = true;
  ChildProcess child(kFlashcmd, s);
  child.writeInput("\033");  // waiting before the first operation
  EXPECT_EQ(child.wait(), 0) << child.output() << child.errors();
  EXPECT_EQ(child.output().find("Setting Address Range"), std::string::npos) << child.output();
  const std::string ending = "1.2.0\n\nExecution cancelled by user" + summary(5, 5, 0);
  ASSERT_GE(child.output().size(), ending.size()) << child.output();
  EXPECT_EQ(child.output().substr(child.output().size() - ending.size()), ending);
}

TEST_F(FlashcmdRun, LabelsAndValuesInColourOnATerminal) {
  ChildProcess::Setup s = setup({"ADDRANGE", "0", "15", "LOADBUFFER", "missing.hex"});
  s.terminalOutput = true;
  ChildProcess child(kFlashcmd, s);
  child.closeInput();
  EXPECT_EQ(child.wait(), 255) << child.output();
  const std::string green = "\033[0;92m", red = "\033[0;91m", yellow = "\033[0;93m", normal = "\033[0m";
  const std::string& out = child.output();
  EXPECT_NE(out.find("Device selection" + std::string(23, '.') + " " + green + "PASS" + normal + " "),
            std::string::npos)
      << out;
  EXPECT_NE(out.find(green + "PASS\t" + normal + yellow + "0x00000\t0x0000F" + normal), std::string::npos) << out;
  EXPECT_NE(out.find(red + "FAIL\t" + red + "Cannot open file." + normal), std::string::npos) << out;
}

TEST_F(FlashcmdRun, SyncFailureEndsTheRun) {
  loader().withEngine([](sim::BootloaderEngine& e) {
    e.setSyncAfter(1000000);
    return 0;
  });
  const ProgramRun r = run({"ERASE"});
  EXPECT_EQ(r.status, 255);
  EXPECT_NE(r.output.find(dotted("Synchronizing target", "FAIL")), std::string::npos) << r.output;
  EXPECT_EQ(r.output.substr(r.output.size() - 10), "ISP done.\n");
}

}  // namespace
