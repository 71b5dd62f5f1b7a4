#include <gtest/gtest.h>

#include <thread>

#include "flashcore/core/command_manager.h"
#include "flashcore/core/library_context.h"

namespace {

class CommandManager : public ::testing::Test {
 protected:
  CommandManager() { context_.initialise(); }
  CcommandManager& manager() { return *context_.commandManager(); }
  bool eventSignalled() {
    return platform::win::WaitForSingleObject(manager().progressEvent(), 0) == platform::win::WAIT_OBJECT_0;
  }

  ClibraryContext context_;
};

TEST_F(CommandManager, ProgressStepsAddUpAndSignalTheEvent) {
  manager().addProgress(40.0f);
  EXPECT_TRUE(eventSignalled());
  EXPECT_FALSE(eventSignalled()) << "auto-reset: one wait takes the signal";
  manager().addProgress(35.5f);
  EXPECT_EQ(manager().percent(), 75);
  ASSERT_TRUE(eventSignalled());
  // A step of 0 starts a new total and leaves percentage and event alone.
  manager().addProgress(0.0f);
  EXPECT_EQ(manager().percent(), 75);
  EXPECT_FALSE(eventSignalled());
  manager().addProgress(10.0f);
  EXPECT_EQ(manager().percent(), 10);
}

TEST_F(CommandManager, PercentStaysWithinAHundred) {
  manager().addProgress(6826.0f);
  EXPECT_EQ(manager().percent(), 100);
  manager().resetPercent();
  EXPECT_EQ(manager().percent(), 0);
}

TEST_F(CommandManager, ProgressIsIgnoredInDemoMode) {
  manager().setDemoMode(true);
  manager().addProgress(50.0f);
  EXPECT_EQ(manager().percent(), 0);
  EXPECT_FALSE(eventSignalled());
}

TEST_F(CommandManager, WaiterOnAnotherThreadSeesTheNewPercentage) {
  int seen = -1;
  std::thread waiter([&] {
    if (platform::win::WaitForSingleObject(manager().progressEvent(), 30000) == platform::win::WAIT_OBJECT_0)
      seen = manager().percent();
  });
  manager().addProgress(42.0f);
  waiter.join();
  EXPECT_EQ(seen, 42);
}

TEST_F(CommandManager, OneShotTimeoutServesOneWait) {
  EXPECT_TRUE(manager().useDefaultTimeout());
  ASSERT_TRUE(manager().setTimeout(5, false));
  EXPECT_FALSE(manager().useDefaultTimeout());
  EXPECT_EQ(manager().takeTimeout(), 5000);
  EXPECT_TRUE(manager().useDefaultTimeout());
}

TEST_F(CommandManager, PersistentTimeoutStays) {
  ASSERT_TRUE(manager().setTimeout(3600, true));
  EXPECT_EQ(manager().takeTimeout(), 3600000);
  EXPECT_EQ(manager().takeTimeout(), 3600000);
  EXPECT_FALSE(manager().useDefaultTimeout());
  // Out-of-range values change nothing.
  EXPECT_FALSE(manager().setTimeout(0, true));
  EXPECT_FALSE(manager().setTimeout(3601, false));
  EXPECT_EQ(manager().takeTimeout(), 3600000);
  EXPECT_FALSE(manager().useDefaultTimeout());
}

TEST_F(CommandManager, HexChecksumIsEmptyInDemoMode) {
  EXPECT_EQ(manager().hexChecksum("0400000303010000"), "F5");
  manager().setDemoMode(true);
  EXPECT_EQ(manager().hexChecksum("0400000303010000"), "");
}

TEST_F(CommandManager, BlockIndexChecksAgainstTheSelectedMemory) {
  manager().selectDevice(16);  // MCU01: FLASH with 2 blocks, EEPROM without
  EXPECT_TRUE(manager().checkBlockIndex(0));
  EXPECT_TRUE(manager().checkBlockIndex(1));
  EXPECT_FALSE(manager().checkBlockIndex(2));
  manager().selectMemory(1);
  EXPECT_FALSE(manager().checkBlockIndex(0));
  manager().setDemoMode(true);
  EXPECT_TRUE(manager().checkBlockIndex(9));
}

TEST_F(CommandManager, HardwareCodeReadsZeroInDemoMode) {
  EXPECT_EQ(manager().hardwareCode(), 0);
  manager().setDemoMode(true);
  EXPECT_EQ(manager().hardwareCode(), 0);
}

}  // namespace
