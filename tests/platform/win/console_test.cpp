#include "platform/win/console.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <chrono>
#include <string>

namespace {

using namespace platform::win;

// A pseudo-terminal pair: what goes to the slave stream is read from the master.
struct Pty {
  int master = -1;
  int slave = -1;
  Pty() { EXPECT_EQ(openpty(&master, &slave, nullptr, nullptr, nullptr), 0); }
  ~Pty() {
    close(master);
    close(slave);
  }
  std::string drain() const {
    std::string text;
    char buffer[256];
    pollfd p{master, POLLIN, 0};
    while (poll(&p, 1, 200) > 0) {
      const ssize_t n = read(master, buffer, sizeof buffer);
      if (n <= 0) break;
      text.append(buffer, static_cast<size_t>(n));
    }
    return text;
  }
};

// Puts `fd` in place of standard input for the life of the object.
struct StdinReplaced {
  int saved;
  explicit StdinReplaced(int fd) : saved(dup(STDIN_FILENO)) { dup2(fd, STDIN_FILENO); }
  ~StdinReplaced() {
    dup2(saved, STDIN_FILENO);
    close(saved);
  }
};

TEST(Console, AttributesBecomeTerminalColours) {
  struct Case { uint16_t attribute; const char* sequence; };
  const Case cases[] = {{7, "\033[0m"}, {10, "\033[0;92m"}, {12, "\033[0;91m"}, {14, "\033[0;93m"},
                        {0x1F, "\033[0;97;44m"}, {4, "\033[0;31m"}};
  for (const Case& c : cases) EXPECT_EQ(ConsoleAttributeSequence(c.attribute), c.sequence) << c.attribute;
}

TEST(Console, ColoursAndTextReachATerminal) {
  Pty pty;
  std::FILE* stream = fdopen(dup(pty.slave), "w");
  ASSERT_NE(stream, nullptr);
  EXPECT_TRUE(SetConsoleTextAttribute(stream, 12));
  EXPECT_TRUE(WriteConsoleA(stream, "FAIL", 4));
  EXPECT_TRUE(SetConsoleTextAttribute(stream, 7));
  std::fclose(stream);
  EXPECT_EQ(pty.drain(), "\033[0;91mFAIL\033[0m");
}

TEST(Console, NoColoursGoToAPipe) {
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  std::FILE* stream = fdopen(fds[1], "w");
  EXPECT_TRUE(SetConsoleTextAttribute(stream, 14));
  EXPECT_TRUE(WriteConsoleA(stream, "58", 2));
  std::fclose(stream);
  char buffer[64] = {};
  EXPECT_EQ(read(fds[0], buffer, sizeof buffer), 2);
  EXPECT_STREQ(buffer, "58");
  close(fds[0]);
}

TEST(Console, StandardHandles) {
  EXPECT_EQ(GetStdHandle(STD_OUTPUT_HANDLE), stdout);
  EXPECT_EQ(GetStdHandle(STD_ERROR_HANDLE), stderr);
  EXPECT_EQ(GetStdHandle(STD_INPUT_HANDLE), stdin);
  EXPECT_EQ(GetStdHandle(0), nullptr);
}

TEST(Console, KeyPollSeesAKeyTypedOnTheTerminalWithoutEnter) {
  Pty pty;
  StdinReplaced input(pty.slave);
  EXPECT_EQ(_kbhit(), 0);
  ASSERT_EQ(write(pty.master, "\033", 1), 1);  // Escape, no line end
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!_kbhit() && std::chrono::steady_clock::now() < deadline) poll(nullptr, 0, 5);
  ASSERT_NE(_kbhit(), 0);
  EXPECT_EQ(_getch(), 27);
  EXPECT_EQ(_kbhit(), 0);
}

TEST(Console, PipedInputNeverReportsAKeyButCanBeRead) {
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  ASSERT_EQ(write(fds[1], "q", 1), 1);
  close(fds[1]);
  StdinReplaced input(fds[0]);
  close(fds[0]);
  EXPECT_EQ(_kbhit(), 0);
  EXPECT_EQ(_getch(), 'q');
  EXPECT_EQ(_getch(), -1);
}

}  // namespace
