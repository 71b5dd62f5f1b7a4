// The ispSetAutoIsp arguments for the DTR and RTS level words.
#include "flashcmd/connection.h"

#include <gtest/gtest.h>

namespace {

TEST(FlashcmdConnection, AutoIspArguments) {
  struct Case {
    const char* dtr;
    const char* rts;
    unsigned first;
    unsigned second;
  };
  const Case cases[] = {{"0", "0", 0, 1}, {"0", "1", 0, 0}, {"1", "0", 1, 1}, {"1", "1", 1, 0}, {"x", "y", 1, 0}};
  for (const Case& c : cases) {
    const AutoIspArguments arguments = autoIspArguments(c.dtr, c.rts);
    EXPECT_EQ(arguments.first, c.first) << c.dtr << c.rts;
    EXPECT_EQ(arguments.second, c.second) << c.dtr << c.rts;
  }
}

}  // namespace
