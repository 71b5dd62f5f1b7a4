// SERIALIZE from a command file against the boot-loader simulator: each run
// programs the number of the file and leaves the next one in it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/flashcmd/flashcmd_run.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

class FlashcmdSerialize : public FlashcmdRun {
 protected:
  FlashcmdSerialize() { startLoader(config("MCU03")); }  // 32 KB FLASH

  // Runs job.cmd holding the operation list; returns the run.
  ProgramRun runJob(const std::string& operations) {
    dir_.write("job.cmd", "# serial numbers of the MCU03 boards\n-device MCU03\n-operation " + operations + "\n");
    return run({}, {"-cmdfile", "job.cmd"});
  }

  std::string job() const { return TempDir::read(dir_.file("job.cmd")); }
};

TEST_F(FlashcmdSerialize, ConsecutiveRunsProgramConsecutiveNumbers) {
  const std::string line = "SERIALIZE 0x7FF0 0x0100 NUMBER 1";
  ProgramRun r = runJob(line);
  EXPECT_EQ(r.status, 0) << r.output << r.errors;
  EXPECT_TRUE(endsWith(r.output, dotted("Serializing device", "PASS\t0x100") + summary(6, 6, 0))) << r.output;
  EXPECT_EQ(memory(0, 0x7FF0, 2), (Bytes{0x01, 0x00}));
  EXPECT_EQ(job(), "# serial numbers of the MCU03 boards\n-device MCU03\n-operation SERIALIZE 0x7FF0 0x101 NUMBER 1\n");
  // The two bytes, then the boot status byte after programming FLASH.
  EXPECT_EQ(requestsSince(2), (Words{sim::MakeRecord("027FF0000100"), ":03000003060000F4"}));

  r = run({}, {"-cmdfile", "job.cmd"});
  EXPECT_EQ(r.status, 0) << r.output << r.errors;
  EXPECT_TRUE(endsWith(r.output, dotted("Serializing device", "PASS\t0x101") + summary(6, 6, 0))) << r.output;
  EXPECT_EQ(memory(0, 0x7FF0, 2), (Bytes{0x01, 0x01}));
  EXPECT_NE(job().find("SERIALIZE 0x7FF0 0x102 NUMBER 1"), std::string::npos) << job();
}

TEST_F(FlashcmdSerialize, FormsAndSteps) {
  struct Case {
    std::string words;
    std::string shown;
    Bytes programmed;
    std::string left;
  };
  const Case cases[] = {
      {"SERIALIZE 0x100 123 ASCII 1", "123", {0x31, 0x32, 0x33}, "124"},
      {"SERIALIZE 0x100 123 unicode 10", "123", {0x31, 0x00, 0x32, 0x00, 0x33, 0x00}, "133"},
      {"SERIALIZE 0x100 1234 NUMBER 1", "1234", {0x12, 0x34}, "1235"},
      {"SERIALIZE 0x100 0x00FF NUMBER 1", "0xFF", {0xFF}, "0x100"},
      {"SERIALIZE 0x100 0xABCD ASCII -1", "0xABCD", {0x3A, 0x3B, 0x3C, 0x3D}, "0xABCC"},
      {"SERIALIZE 0x100 1 NUMBER -1", "1", {0x01}, "0"},
  };
  for (const Case& c : cases) {
    const ProgramRun r = runJob(c.words);
    EXPECT_EQ(r.status, 0) << r.output << r.errors;
    EXPECT_TRUE(endsWith(r.output, dotted("Serializing device", "PASS\t" + c.shown) + summary(6, 6, 0))) << r.output;
    EXPECT_EQ(memory(0, 0x100, static_cast<std::uint32_t>(c.programmed.size())), c.programmed) << c.words;
    EXPECT_NE(job().find(" " + c.left + " "), std::string::npos) << c.words << ": " << job();
  }
}

TEST_F(FlashcmdSerialize, EepromSelectedByMemory) {
  const ProgramRun r = runJob("MEMORY EEPROM SERIALIZE 0x3FE 42 NUMBER 1");
  EXPECT_EQ(r.status, 0) << r.output << r.errors;
  EXPECT_EQ(memory(1, 0x3FE, 1), (Bytes{0x42}));
  EXPECT_EQ(memory(0, 0x3FE, 1), (Bytes{0xFF}));
}

TEST_F(FlashcmdSerialize, ArgumentErrorsLeaveTheFileAsItWas) {
  const std::string invalid = "FAIL\tInvalid or missing argument.\n\nISP done.\n";
  for (const std::string words : {"SERIALIZE 0x7FF0 0x12G4 NUMBER 1", "SERIALIZE 0x7FF0 1-2 NUMBER 1",
                                  "SERIALIZE 0x7FF0 12 BCD 1", "SERIALIZE 0x7FF0 12 NUMBER", "SERIALIZE ADDRESS",
                                  "SERIALIZE 0x7FF0 99999999999999999999 NUMBER 1"}) {
    const ProgramRun r = runJob(words);
    EXPECT_EQ(r.status, 255) << words;
    EXPECT_TRUE(endsWith(r.output, dotted("Serializing device", invalid))) << r.output;
    EXPECT_NE(job().find(words), std::string::npos);
  }
  // A count that runs below zero hands out no number.
  const ProgramRun r = runJob("SERIALIZE 0x7FF0 0 NUMBER -1");
  EXPECT_EQ(r.status, 255);
  EXPECT_TRUE(endsWith(r.output, dotted("Serializing device", "FAIL\tSerial number out of range.\n\nISP done.\n")))
      << r.output;
  EXPECT_NE(job().find("SERIALIZE 0x7FF0 0 NUMBER -1"), std::string::npos);
  EXPECT_EQ(logged("program"), 0);
}

TEST_F(FlashcmdSerialize, AFailedProgrammingSkipsTheNumber) {
  // 32 KB end at 0x7FFF: the second byte would lie beyond.
  ProgramRun r = runJob("ONFAIL IGNORE SERIALIZE 0x7FFF 0x0100 NUMBER 1");
  EXPECT_EQ(r.status, 0) << r.output;
  EXPECT_TRUE(endsWith(r.output, dotted("Serializing device", "FAIL\tAddress is out of range.") + summary(6, 5, 1)))
      << r.output;
  EXPECT_NE(job().find("SERIALIZE 0x7FFF 0x101 NUMBER 1"), std::string::npos) << job();

  protectWrites(true);
  r = runJob("ONFAIL IGNORE SERIALIZE 0x7FF0 7 NUMBER 1");
  EXPECT_TRUE(endsWith(r.output, dotted("Serializing device", "FAIL\tDevice protection is set.") + summary(6, 5, 1)))
      << r.output;
  EXPECT_NE(job().find("SERIALIZE 0x7FF0 8 NUMBER 1"), std::string::npos) << job();
}

}  // namespace
