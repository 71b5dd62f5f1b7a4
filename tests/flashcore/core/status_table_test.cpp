#include <gtest/gtest.h>

#include "flashcore/core/status.h"

TEST(StatusTable, HasOneMessagePerCodeInCodeOrder) {
  std::vector<std::string> table;
  appendStatusMessages(table);
  ASSERT_EQ(table.size(), 59u);
  EXPECT_EQ(table[STATUS_PASS], "Pass");
  EXPECT_EQ(table[STATUS_CANNOT_EXECUTE_COMMAND], "Cannot execute command.");
  EXPECT_EQ(table[STATUS_CANNOT_EXECUTE_COMMAND_2], table[STATUS_CANNOT_EXECUTE_COMMAND]);
  EXPECT_EQ(table[STATUS_HEX_FILE_SYNTAX_ERROR], "Invalid HEX file syntax.");
  EXPECT_EQ(table[STATUS_CANNOT_LOAD_LIBRARY], "Could not load DLL.");
}

TEST(StatusTable, SharedAndUnusualTextsAreKept) {
  std::vector<std::string> table;
  appendStatusMessages(table);
  EXPECT_EQ(table[19], "Device protection is set.");
  EXPECT_EQ(table[20], table[19]);
  EXPECT_EQ(table[21], table[19]);
  EXPECT_EQ(table[43], "Invalid CAN bitrate");  // no full stop
  // The caller appends the failing address after the blank.
  EXPECT_EQ(table[26], "Verify device fail at ");
  EXPECT_EQ(table[28], "Blank check fail at ");
  EXPECT_EQ(table[58], "USB driver not installed. \n\nExecute Start > Programs > Norva > QUILL > Install USB Driver");
}
