// The bytes of a serial number in each form and radix.
#include "flashcore/core/serial_number.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::string>;

struct Case {
  std::uint64_t value;
  unsigned radix;
  const char* form;
  Bytes bytes;
};

TEST(SerialNumberBytes, FormsAndRadixes) {
  const Case cases[] = {
      {1234, 10, "NUMBER", {"12", "34"}},
      {123, 10, "NUMBER", {"01", "23"}},
      {123, 10, "ASCII", {"31", "32", "33"}},
      {123, 10, "UNICODE", {"31", "00", "32", "00", "33", "00"}},
      {100, 10, "NUMBER", {"01", "00"}},
      {10, 10, "ASCII", {"31", "30"}},
      {7, 10, "NUMBER", {"07"}},
      {0, 10, "NUMBER", {"00"}},
      {0x100, 16, "NUMBER", {"01", "00"}},
      {0xABCD, 16, "NUMBER", {"AB", "CD"}},
      {0xABCD, 16, "ASCII", {"3A", "3B", "3C", "3D"}},
      {7, 16, "NUMBER", {"07"}},
      {7, 16, "ASCII", {"30", "37"}},
      {7, 16, "UNICODE", {"30", "00", "37", "00"}},
      {9223372036854775807u, 10, "NUMBER", {"09", "22", "33", "72", "03", "68", "54", "77", "58", "07"}},
      {0x7FFFFFFFFFFFFFFFu, 16, "NUMBER", {"7F", "FF", "FF", "FF", "FF", "FF", "FF", "FF"}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(serialNumberBytes(c.value, c.radix, c.form), c.bytes) << c.value << " " << c.radix << " " << c.form;
}

// The characters written are the bytes counted: a decimal number below 10
// is one character, a hexadecimal one with an odd count of digits keeps the
// zero of its first pair.
TEST(SerialNumberBytes, CharacterFormsCountWhatTheyWrite) {
  EXPECT_EQ(serialNumberBytes(7, 10, "ASCII"), (Bytes{"37"}));
  EXPECT_EQ(serialNumberBytes(7, 10, "UNICODE"), (Bytes{"37", "00"}));
  EXPECT_EQ(serialNumberBytes(0x100, 16, "ASCII"), (Bytes{"30", "31", "30", "30"}));
  EXPECT_EQ(serialNumberBytes(0xFFF, 16, "UNICODE"), (Bytes{"30", "00", "3F", "00", "3F", "00", "3F", "00"}));
}

}  // namespace
