// The option checks: defaults, accepted values, and the STATUS of the first
// failed check in the order the programmer applies them.
#include "flashcmd/option_checks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "flashcmd/run_failure.h"

namespace {

using Words = std::vector<std::string>;

RunSettings checked(Words words) {
  words.insert(words.begin(), "flashcmd");
  CoptionStore store;
  store.parse(words);
  RunSettings run;
  checkOptions(store, run);
  return run;
}

int statusOf(Words words) {
  try {
    checked(std::move(words));
  } catch (const StatusFailure& failure) {
    return failure.status;
  }
  return 0;
}

Words job(Words extra) {
  Words words{"-device", "mcu02", "-operation", "ERASE"};
  words.insert(words.end(), extra.begin(), extra.end());
  return words;
}

TEST(FlashcmdOptionChecks, DefaultsOfAMinimalJob) {
  const RunSettings run = checked(job({}));
  EXPECT_EQ(run.deviceName, "MCU02");
  EXPECT_EQ(run.hardwareName, "RS232");
  EXPECT_EQ(run.hardwareCode, 1);
  EXPECT_EQ(run.portName, "COM1");
  EXPECT_EQ(run.baudRate, 115200);
  EXPECT_EQ(run.canBitrate, 500);
  EXPECT_EQ(run.autoIsp, 0);
  EXPECT_EQ(run.demo, 0);
  EXPECT_EQ(run.ocd, 0);
}

TEST(FlashcmdOptionChecks, AcceptedValues) {
  const RunSettings run = checked(job({"-hardware", "norva_rs232", "extra", "-port", "com3", "-baudrate", "2400",
                                       "-canbitrate", "1000", "-autoisp", "-demo", "-ocd"}));
  EXPECT_EQ(run.hardwareName, "NORVA_RS232");
  EXPECT_EQ(run.hardwareCode, 3);
  EXPECT_EQ(run.portName, "COM3");
  EXPECT_EQ(run.baudRate, 2400);
  EXPECT_EQ(run.canBitrate, 1000);
  EXPECT_EQ(run.autoIsp, 1);
  EXPECT_EQ(run.dtrLevel, "1");
  EXPECT_EQ(run.rtsLevel, "0");
  EXPECT_EQ(run.demo, 1);
  EXPECT_EQ(run.ocd, 1);
  EXPECT_EQ(run.ocdTarget, "c51");

  const RunSettings levels = checked(job({"-autoisp", "0", "1", "-ocd", "r51", "-hardware", "usb_spi"}));
  EXPECT_EQ(levels.dtrLevel, "0");
  EXPECT_EQ(levels.rtsLevel, "1");
  EXPECT_EQ(levels.ocdTarget, "r51");
  EXPECT_EQ(levels.hardwareCode, 11);

  // An option without its word takes the default.
  EXPECT_EQ(checked(job({"-hardware", "-port"})).hardwareName, "RS232");
}

struct RefusedCase {
  Words words;
  int status;
};

void PrintTo(const RefusedCase& c, std::ostream* os) {
  for (const std::string& word : c.words) *os << word.substr(0, 20) << ' ';
}

class FlashcmdOptionRefused : public testing::TestWithParam<RefusedCase> {};

TEST_P(FlashcmdOptionRefused, ThrowsTheStatusOfTheFirstFailedCheck) {
  EXPECT_EQ(statusOf(GetParam().words), GetParam().status);
}

Words tooManyOperations() {
  Words words{"-device", "X", "-operation"};
  for (int i = 0; i < 1025; ++i) words.push_back("READ");
  return words;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FlashcmdOptionRefused,
    testing::Values(RefusedCase{{"-device", "X"}, 39}, RefusedCase{{"-device", "X", "-operation"}, 44},
                    RefusedCase{tooManyOperations(), 47}, RefusedCase{{"-operation", "ERASE"}, 38},
                    RefusedCase{{"-operation", "ERASE", "-DEVICE", "X"}, 38},
                    RefusedCase{{"-operation", "ERASE", "-device"}, 40},
                    RefusedCase{{"-operation", "ERASE", "-device", "A", "B"}, 40},
                    // -autoisp is checked before -device
                    RefusedCase{{"-operation", "ERASE", "-autoisp", "1"}, 37},
                    RefusedCase{job({"-autoisp", "1", "0", "1"}), 37}, RefusedCase{job({"-hardware", "CAN"}), 13},
                    RefusedCase{job({"-port", "COM21"}), 41}, RefusedCase{job({"-port", "COM0"}), 41},
                    RefusedCase{job({"-port", "/dev/ttyUSB0"}), 41}, RefusedCase{job({"-baudrate", "115200.0"}), 42},
                    // every value is checked whatever the hardware
                    RefusedCase{job({"-hardware", "usb", "-baudrate", "1200"}), 42},
                    RefusedCase{job({"-canbitrate", "50"}), 43},
                    // hardware before port before baud rate before bit rate
                    RefusedCase{job({"-canbitrate", "5", "-baudrate", "5", "-port", "x", "-hardware", "y"}), 13},
                    RefusedCase{job({"-canbitrate", "5", "-baudrate", "5", "-port", "x"}), 41},
                    RefusedCase{job({"-canbitrate", "5", "-baudrate", "5"}), 42}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(FlashcmdIgnoredOptions, OneLinePerUnknownNameAndAHintForDoubleDashHelp) {
  CoptionStore store;
  store.parse(Words{"flashcmd", "-prot", "COM3", "-device", "mcu02", "--help", "-DEVICE", "X", "-logf", "-ocd",
                    "-no_usbdrvchk", "-operation", "ERASE", "-5"});
  EXPECT_EQ(ignoredOptionsText(store),
            "flashcmd: option --help is not known and was ignored (flashcmd -h shows the options)\n"
            "flashcmd: option -DEVICE is not known and was ignored\n"
            "flashcmd: option -prot is not known and was ignored\n");

  // Every option the programmer acts on is known.
  for (const char* name : {"-h", "-help", "-version", "-cmdfile", "-operation", "-device", "-hardware", "-port",
                           "-baudrate", "-canbitrate", "-autoisp", "-no_usbdrvchk", "-demo", "-debug", "-logf", "-ocd"})
    EXPECT_TRUE(isKnownOption(name)) << name;
  store.parse(job({"-demo", "-debug"}));
  EXPECT_EQ(ignoredOptionsText(store), "");
}

TEST(FlashcmdOptionTables, HardwareCodesArePositions) {
  const std::vector<std::string> expected{"NO_HW_SELECTED", "RS232",   "USB",      "NORVA_RS232",
                                          "JANZ",           "VECTOR",  "IXXAT",    "PEAK",
                                          "SYSTECUSBCAN",   "USB_LPC", "USB_UART", "USB_SPI"};
  EXPECT_EQ(hardwareNames(), expected);
  ASSERT_EQ(portNames().size(), 20u);
  EXPECT_EQ(portNames().front(), "COM1");
  EXPECT_EQ(portNames().back(), "COM20");
}

}  // namespace
