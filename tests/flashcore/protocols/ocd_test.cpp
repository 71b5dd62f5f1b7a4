// The on-chip-debug dialogues with a monitor simulated in front of the
// boot loader, on a pseudo-terminal.
#include "tests/flashcore/core/temp_dir.h"
#include "tests/flashcore/protocols/rs232_session.h"

namespace {

using sim::BootloaderEngine;
using Requests = std::vector<std::string>;

class OcdDialogues : public Rs232Session {
 protected:
  // The on-chip-debug part on a line whose monitor shows its prompt or not;
  // what the library reports goes to a log file.
  void connectMonitor(bool prompt) {
    sim::BootloaderConfig config;
    config.family = "MCU_OCD";
    config.ocdMonitor = true;
    connectTo(27, config);
    engine([prompt](BootloaderEngine& e) {
      e.setMonitorPrompt(prompt);
      return 0;
    });
    ISP(ispOpenLogFile)(dir_.file("log.txt").c_str());
  }

  std::string reported() const { return TempDir::read(dir_.file("log.txt")); }

  TempDir dir_;
};

TEST_F(OcdDialogues, InitStartAndExitWithTheM51) {
  connectMonitor(true);
  ISP(ispInitOcd)("m51");
  EXPECT_EQ(requests(), (Requests{"debug\n", "C M\n", "Q\n", "~"}));
  // The boot loader has the line now.
  ASSERT_TRUE(ISP(ispSyncTarget)()) << lastError();

  const size_t before = requests().size();
  ISP(ispStartOcdProgrammer)("M51");
  ASSERT_TRUE(loader().waitForLog(before + 6, std::chrono::seconds(10)));
  EXPECT_EQ(requestsSince(before), (Requests{"~", "debug\n", "C M\n", "X 00\n", "G\n", "~"}));
  EXPECT_TRUE(engine([](BootloaderEngine& e) { return e.started(); }));

  EXPECT_TRUE(ISP(ispExitOcdProgrammer)());
  EXPECT_EQ(requests().back(), "~");
  EXPECT_TRUE(engine([](BootloaderEngine& e) { return e.inMonitor(); }));
  EXPECT_EQ(reported(), "") << "no message when every prompt came";
}

TEST_F(OcdDialogues, ConnectionCommandOfEachTarget) {
  struct Case {
    const char* target;
    Requests sent;
  };
  const Case cases[] = {
      {"r51", {"debug\n", "C R\n", "Q\n", "~"}},
      {"R51", {"debug\n", "C R\n", "Q\n", "~"}},
      {"C51", {"debug\n", "C C\n", "Q\n", "~"}},
  };
  for (const Case& c : cases) {
    connectMonitor(true);
    ISP(ispInitOcd)(c.target);
    EXPECT_EQ(requests(), c.sent) << c.target;
    ISP(ispCancel)();
  }
  // An unknown target gets no connection command, and the prompt it waits
  // for never comes.
  connectMonitor(true);
  ISP(ispInitOcd)("x51");
  EXPECT_EQ(requests(), (Requests{"debug\n"}));
  EXPECT_EQ(reported(), "\nOCD Init Message: Connection command sent. Did not get the OCD prompt.\n");
}

TEST_F(OcdDialogues, AMonitorWithoutPromptEndsEachDialogue) {
  connectMonitor(false);
  EXPECT_FALSE(ISP(ispEnableFuseBit)(4));  // leaves a status, sends nothing
  const int status = lastError();
  ASSERT_EQ(status, STATUS_CANNOT_EXECUTE_COMMAND);
  ISP(ispInitOcd)("c51");
  EXPECT_EQ(requests(), (Requests{"debug\n"})) << "nothing after the first missing prompt";
  EXPECT_EQ(reported(), "\nOCD Init Message: Debug command sent. Did not get the OCD prompt.\n");

  EXPECT_EQ(lastError(), status) << "the dialogues report no status";

  // The start dialogue, after an init that went well.
  connectMonitor(true);
  ISP(ispInitOcd)("c51");
  engine([](BootloaderEngine& e) {
    e.setMonitorPrompt(false);
    return 0;
  });
  ISP(ispStartOcdProgrammer)("m51");
  EXPECT_EQ(requestsSince(4), (Requests{"~", "debug\n"}));
  EXPECT_EQ(reported(), "\nCcommandManager::startOcd Message: Debug command sent. Did not get the OCD prompt.\n");
  EXPECT_FALSE(engine([](BootloaderEngine& e) { return e.started(); }));

  // The serial library answers a read that times out as a read.
  EXPECT_TRUE(ISP(ispExitOcdProgrammer)());
  EXPECT_EQ(requests().back(), "~");
}

TEST_F(OcdDialogues, NoDialogueWithoutASerialLine) {
  ISP(ispOpenLogFile)(dir_.file("log.txt").c_str());
  ASSERT_TRUE(ISP(ispSelectDevice)(27));
  ISP(ispInitOcd)("c51");
  EXPECT_FALSE(ISP(ispExitOcdProgrammer)());
  EXPECT_EQ(reported(),
            "\nOCD Init Message: The on-chip-debug monitor needs an open RS-232 port.\n"
            "\nOCD Init Message: The on-chip-debug monitor needs an open RS-232 port.\n");
}

}  // namespace
