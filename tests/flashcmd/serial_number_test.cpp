// Serial-number words and their place in a command file.
#include "flashcmd/serial_number.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "tests/flashcore/core/temp_dir.h"

namespace {

TEST(FlashcmdSerialNumber, WordsInBothRadixes) {
  struct Case {
    const char* word;
    std::optional<SerialNumber> number;
  };
  const Case cases[] = {
      {"1234", SerialNumber{1234, 10}},
      {"0X00FF", SerialNumber{0xFF, 16}},
      {"0x7FFFFFFFFFFFFFFF", SerialNumber{0x7FFFFFFFFFFFFFFF, 16}},
      {"9223372036854775807", SerialNumber{9223372036854775807, 10}},
      {"0", SerialNumber{0, 10}},
      {"9223372036854775808", std::nullopt},  // beyond a signed 64-bit number
      {"0x8000000000000000", std::nullopt},
      {"12A4", std::nullopt},
      {"0X12G4", std::nullopt},
      {"0X", std::nullopt},
      {"-5", std::nullopt},
      {"", std::nullopt},
  };
  for (const Case& c : cases) {
    const std::optional<SerialNumber> number = parseSerialNumber(c.word);
    ASSERT_EQ(number.has_value(), c.number.has_value()) << c.word;
    if (!number) continue;
    EXPECT_EQ(number->value, c.number->value) << c.word;
    EXPECT_EQ(number->radix, c.number->radix) << c.word;
  }
  EXPECT_EQ(serialNumberText({0x101, 16}), "0x101");
  EXPECT_EQ(serialNumberText({0xABCDEF, 16}), "0xABCDEF");
  EXPECT_EQ(serialNumberText({0, 16}), "0x0");
  EXPECT_EQ(serialNumberText({1235, 10}), "1235");
  EXPECT_EQ(serialNumberText({0, 10}), "0");
}

class FlashcmdSerialWord : public testing::Test {
 protected:
  // The file after the serial word of job.cmd has been replaced by `text`.
  std::string replaced(const std::string& text) {
    const std::optional<SerialWordPlace> place = findSerialWord(dir_.file("job.cmd"));
    EXPECT_TRUE(place.has_value());
    if (!place) return {};
    EXPECT_TRUE(replaceSerialWord(*place, text));
    return TempDir::read(place->fileName);
  }

  TempDir dir_;
};

TEST_F(FlashcmdSerialWord, ExactlyTheNumberWordIsReplaced) {
  dir_.write("job.cmd", "-device MCU03\r\n-operation SERIALIZE 0x7FF0 0x0100 NUMBER 1 PROGRAM\r\n");
  EXPECT_EQ(replaced("0x101"), "-device MCU03\r\n-operation SERIALIZE 0x7FF0 0x101 NUMBER 1 PROGRAM\r\n");
  EXPECT_EQ(replaced("0x12345678"), "-device MCU03\r\n-operation SERIALIZE 0x7FF0 0x12345678 NUMBER 1 PROGRAM\r\n");
  EXPECT_FALSE(std::filesystem::exists(dir_.file("job.cmd.new")));
}

TEST_F(FlashcmdSerialWord, TextBeyondTheFirstKilobyteStays) {
  const std::string tail = "ECHO " + std::string(3000, 'x') + "\n";
  dir_.write("job.cmd", "-operation serialize 100 99 ascii 1\n" + tail);
  EXPECT_EQ(replaced("100"), "-operation serialize 100 100 ascii 1\n" + tail);
}

TEST_F(FlashcmdSerialWord, CommentsAreSkippedAndIncludesFollowed) {
  dir_.write("serial.cmd", "# SERIALIZE 0 1 NUMBER 1 in a comment\nSERIALIZE 0x10\n\t5 NUMBER 1\n");
  dir_.write("job.cmd",
             "# the SERIALIZE line comes from serial.cmd\n-device MCU03 -operation ECHO \"SERIALIZE 1 2\"\n"
             "INCLUDE \"" + dir_.file("serial.cmd") + "\"\nSERIALIZE 0 7 NUMBER 1\n");
  const std::optional<SerialWordPlace> place = findSerialWord(dir_.file("job.cmd"));
  ASSERT_TRUE(place.has_value());
  EXPECT_EQ(place->fileName, dir_.file("serial.cmd"));
  ASSERT_TRUE(replaceSerialWord(*place, "6"));
  EXPECT_EQ(TempDir::read(dir_.file("serial.cmd")),
            "# SERIALIZE 0 1 NUMBER 1 in a comment\nSERIALIZE 0x10\n\t6 NUMBER 1\n");
}

TEST_F(FlashcmdSerialWord, NoNumberWordToReplace) {
  for (const char* text : {"-operation PROGRAM\n", "-operation SERIALIZE 0x10\n", "# SERIALIZE 0 1 NUMBER 1\n",
                           "SERIALIZE 0 \"1\" NUMBER 1\n", "INCLUDE missing.cmd\nSERIALIZE 0 1 NUMBER 1\n"}) {
    dir_.write("job.cmd", text);
    EXPECT_FALSE(findSerialWord(dir_.file("job.cmd")).has_value()) << text;
  }
  EXPECT_FALSE(findSerialWord(dir_.file("absent.cmd")).has_value());
}

}  // namespace
