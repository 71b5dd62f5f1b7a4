// The devsim program: first line is the pty path, then it serves until ended.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <optional>
#include <string>

#include "tests/sim/device/device_model.h"
#include "tests/sim/device/protocol.h"
#include "tests/sim/device/pty_client.h"

extern char** environ;

namespace devsim {
namespace {

class DevsimProcess {
 public:
  explicit DevsimProcess(std::vector<std::string> args) {
    int out[2];
    if (::pipe(out) != 0) throw std::runtime_error("pipe");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    args.insert(args.begin(), DEVSIM_PROGRAM);
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    const int rc = posix_spawn(&pid_, DEVSIM_PROGRAM, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    output_ = UniqueFd(out[0]);
    if (rc != 0) throw std::runtime_error("spawn devsim");
  }
  ~DevsimProcess() {
    if (pid_ > 0) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
  }

  std::string FirstLine(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::string line;
    char c = 0;
    while (std::chrono::steady_clock::now() < deadline) {
      pollfd p{output_.Get(), POLLIN, 0};
      if (::poll(&p, 1, 100) <= 0) continue;
      if (::read(output_.Get(), &c, 1) != 1 || c == '\n') break;
      line.push_back(c);
    }
    return line;
  }

  // Ends the program the usual way and returns its exit status.
  int Terminate() {
    ::kill(pid_, SIGTERM);
    return Wait();
  }
  int Wait() {
    int status = 0;
    ::waitpid(pid_, &status, 0);
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

 private:
  pid_t pid_ = -1;
  UniqueFd output_;
};

TEST(DevsimProgram, PrintsThePtyPathAndServesTheGivenAddresses) {
  DevsimProcess devsim({"--address", "4,9", "--variant", "32"});
  const std::string path = devsim.FirstLine(std::chrono::seconds(10));
  ASSERT_EQ(path.rfind("/dev/", 0), 0u) << path;
  PtyClient client(path);
  for (int address : {4, 9}) {
    const auto reply = client.Transact(address, CMD_IDENT_DATA, {1, 3});
    ASSERT_TRUE(reply.has_value()) << address;
    EXPECT_EQ(reply->address, address);
    EXPECT_EQ(reply->data, (Bytes{32}));
  }
  EXPECT_FALSE(client.Transact(1, CMD_IDENT_DATA, {1, 3}, std::chrono::milliseconds(300)).has_value());
  EXPECT_EQ(devsim.Terminate(), 0);
}

// One byte of the device's first set-up copy.
std::optional<std::uint8_t> SetupByte(PtyClient& client, int address, int offset) {
  const int at = SETUP_BASE_1 + offset;
  const auto reply = client.Transact(address, CMD_BLOCK_READ,
                                     {static_cast<std::uint8_t>(at >> 8), static_cast<std::uint8_t>(at), 0, 0, 1});
  if (!reply || reply->data.size() != 1) return std::nullopt;
  return reply->data[0];
}

TEST(DevsimProgram, EachDeviceNamesItsBusAddressAndAgreesWithItsSetup) {
  DevsimProcess devsim({"--address", "1,7"});
  const std::string path = devsim.FirstLine(std::chrono::seconds(10));
  ASSERT_EQ(path.rfind("/dev/", 0), 0u) << path;
  PtyClient client(path);
  for (const int address : {1, 7}) {
    const auto a = static_cast<std::uint8_t>(address);
    const auto dip = client.Transact(address, CMD_PROFIBUS, {2, 0, 0});
    ASSERT_TRUE(dip.has_value()) << address;
    EXPECT_EQ(dip->data, (Bytes{a}));
    EXPECT_EQ(SetupByte(client, address, SETUP_BUS_ADDRESS_OFFSET), a);
    EXPECT_EQ(SetupByte(client, address, SETUP_WRITABLE_OFFSET), 1);
    // Two channels, measured alternately, as its set-up says.
    const auto settings = client.Transact(address, CMD_CAL_SETTINGS, {1});
    ASSERT_TRUE(settings.has_value() && settings->data.size() == 5) << address;
    EXPECT_EQ(settings->data[4], 2);
    EXPECT_EQ(SetupByte(client, address, SETUP_CHANNELS_OFFSET), 2);
    EXPECT_EQ(SetupByte(client, address, SETUP_TWO_CHANNELS_OFFSET), 1);
    const auto adc = client.Transact(address, CMD_ADC_INFO, {});
    ASSERT_TRUE(adc.has_value()) << address;
    EXPECT_EQ(adc->data, (Bytes{1}));
    EXPECT_EQ(SetupByte(client, address, SETUP_ADC_MODE_OFFSET), 1);
    EXPECT_EQ(SetupByte(client, address, SETUP_RATE_OFFSET), settings->data[2]);
  }
  EXPECT_EQ(devsim.Terminate(), 0);
}

TEST(DevsimProgram, RefusesABadAddress) {
  DevsimProcess devsim({"--address", "126"});
  EXPECT_EQ(devsim.Wait(), 2);
}

}  // namespace
}  // namespace devsim
