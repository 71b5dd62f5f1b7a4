// comlink loaded by its Windows name and driven against peers on
// pseudo-terminals: the boot-loader simulator, or the test itself; and
// comlinkx, the same transport as a second library with a port of its own.
#include "comlink/comlink.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <sys/file.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "platform/win/library.h"
#include "tests/support/deliverables.h"
#include "tests/sim/bootloader/bootloader_sim.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// A pseudo-terminal whose far end the test plays itself.
struct Peer {
  int master = -1;
  int slave = -1;
  std::string path;
  Peer() {
    char name[256] = {};
    termios raw{};
    cfmakeraw(&raw);
    EXPECT_EQ(openpty(&master, &slave, name, &raw, nullptr), 0);
    path = name;
  }
  ~Peer() {
    close(master);
    close(slave);
  }
  void send(std::string_view text) const {
    ASSERT_EQ(write(master, text.data(), text.size()), static_cast<ssize_t>(text.size()));
  }
  std::string receive(size_t count) const {
    std::string text;
    const auto deadline = Clock::now() + 10s;
    while (text.size() < count && Clock::now() < deadline) {
      pollfd p{master, POLLIN, 0};
      if (poll(&p, 1, 100) <= 0) continue;
      char buffer[4096];
      const ssize_t n = read(master, buffer, std::min(sizeof buffer, count - text.size()));
      if (n > 0) text.append(buffer, static_cast<size_t>(n));
    }
    return text;
  }
  speed_t speed() const {
    termios modes{};
    tcgetattr(slave, &modes);
    return cfgetospeed(&modes);
  }
};

class Comlink : public ::testing::Test {
 protected:
  void SetUp() override {
    library_.reset(platform::win::LoadLibraryA(deliverable("comlink.dll").c_str()));
    ASSERT_TRUE(library_) << platform::win::LastLibraryError();
    open = bind<OpenRS232Function>("OpenRS232");
    writeFrame = bind<WriteRS232Function>("WriteRS232");
    readRs232 = bind<ReadRS232Function>("ReadRS232");
    read2c = bind<ReadRS2322cFunction>("ReadRS2322c");
    closePort = bind<ComlinkFunction>("Close");
    updateBaudrate = bind<UpdateBaudrateFunction>("UpdateBaudrate");
    clearDtr = bind<ComlinkFunction>("ClearDtr");
    setDtr = bind<ComlinkFunction>("SetDtr");
    clearRts = bind<ComlinkFunction>("ClearRts");
    setRts = bind<ComlinkFunction>("SetRts");
  }
  void TearDown() override {
    if (closePort) closePort();
    unsetenv("SERIAL_COM1");
    unsetenv("SERIAL_COM2");
  }

  template <class F>
  F bind(const char* name) {
    void* symbol = library_.symbol(name);
    EXPECT_NE(symbol, nullptr) << name;
    return reinterpret_cast<F>(symbol);
  }

  int openCom1(const std::string& path, int baud = 115200) {
    setenv("SERIAL_COM1", path.c_str(), 1);
    return open("COM1", baud, 0, 8, 2);
  }

  // A read into a buffer that shows how far the library wrote: every byte
  // starts as 'z'.
  std::string readReply(unsigned maxLength, char terminator, unsigned timeoutMs, std::vector<char>* raw = nullptr) {
    std::vector<char> buffer(8192, 'z');
    EXPECT_EQ(readRs232(buffer.data(), maxLength, terminator, timeoutMs), 1);
    if (raw) *raw = buffer;
    const auto end = std::find(buffer.begin(), buffer.end(), 'z');
    return std::string(buffer.begin(), end);
  }

  platform::win::Library library_;
  OpenRS232Function open = nullptr;
  WriteRS232Function writeFrame = nullptr;
  ReadRS232Function readRs232 = nullptr;
  ReadRS2322cFunction read2c = nullptr;
  ComlinkFunction closePort = nullptr;
  UpdateBaudrateFunction updateBaudrate = nullptr;
  ComlinkFunction clearDtr = nullptr, setDtr = nullptr, clearRts = nullptr, setRts = nullptr;
};

TEST_F(Comlink, TalksToTheBootLoaderOnCom1) {
  sim::BootloaderSim loader;
  ASSERT_EQ(openCom1(loader.slavePath()), 1);
  EXPECT_EQ(writeFrame("U"), 1);
  EXPECT_EQ(readReply(0, 'U', 1000), "U");
  EXPECT_EQ(writeFrame(":020000050F00EA"), 1);
  EXPECT_EQ(readReply(0, '\n', 1000), ":020000050F00EA20.\r\n");
  // A command reply read up to its full stop.
  EXPECT_EQ(writeFrame(":0100000307F5"), 1);
  EXPECT_EQ(readReply(0, '.', 1000), ":0100000307F5.");
  EXPECT_EQ(loader.log().back().what, "erase device");
}

TEST_F(Comlink, ReadsADisplayReplyByCountWithoutAddingANul) {
  sim::BootloaderSim loader;
  ASSERT_EQ(openCom1(loader.slavePath()), 1);
  writeFrame("U");
  readReply(0, 'U', 1000);
  writeFrame(":05000004000000FF00F8");
  std::vector<char> raw;
  const std::string reply = readReply(647, 0, 5000, &raw);
  ASSERT_EQ(reply.size(), 647u);
  EXPECT_EQ(reply.substr(0, 23), ":05000004000000FF00F8\r\n");
  EXPECT_EQ(reply.substr(647 - 39), "00F0=FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF\r\n");
  EXPECT_EQ(raw[647], 'z');
}

TEST_F(Comlink, MaximumLengthEndsAReadBeforeItsTerminator) {
  sim::BootloaderSim loader;
  ASSERT_EQ(openCom1(loader.slavePath()), 1);
  writeFrame("U");
  readReply(0, 'U', 1000);
  writeFrame(":020000050F00EA");
  std::vector<char> raw;
  EXPECT_EQ(readReply(10, '\n', 1000, &raw), ":020000050");
  EXPECT_EQ(raw[10], 'z');
}

TEST_F(Comlink, ATimeOutLeavesAnEmptyStringAndTheResultOne) {
  Peer peer;
  ASSERT_EQ(openCom1(peer.path), 1);
  const auto start = Clock::now();
  std::vector<char> raw;
  readReply(0, '\n', 150, &raw);
  const auto elapsed = Clock::now() - start;
  EXPECT_EQ(raw[0], '\0');
  EXPECT_GE(elapsed, 150ms);
  EXPECT_LT(elapsed, 5s);
  // Bytes that came without the terminator are not a reply either.
  peer.send("partial");
  readReply(0, '\n', 150, &raw);
  EXPECT_EQ(raw[0], '\0');
}

TEST_F(Comlink, ReadWithNeitherTerminatorNorLengthRunsToTheTimeOut) {
  Peer peer;
  ASSERT_EQ(openCom1(peer.path), 1);
  peer.send("abc");
  const auto start = Clock::now();
  std::vector<char> raw;
  readReply(0, 0, 200, &raw);
  EXPECT_GE(Clock::now() - start, 200ms);
  EXPECT_EQ(raw[0], '\0');
}

TEST_F(Comlink, TimeOutCountsOnlyItsLow16Bits) {
  Peer peer;
  ASSERT_EQ(openCom1(peer.path), 1);
  const auto start = Clock::now();
  readReply(0, '\n', 65536 + 150);
  const auto elapsed = Clock::now() - start;
  EXPECT_GE(elapsed, 150ms);
  EXPECT_LT(elapsed, 10s);
}

TEST_F(Comlink, ZeroTimeOutTakesWhatIsAlreadyThere) {
  Peer peer;
  ASSERT_EQ(openCom1(peer.path), 1);
  std::vector<char> raw;
  readReply(0, '.', 0, &raw);
  EXPECT_EQ(raw[0], '\0');
  peer.send("ok.");
  // Wait until the bytes are there, with a read that cannot end early.
  std::string got;
  const auto deadline = Clock::now() + 10s;
  while (got.empty() && Clock::now() < deadline) got = readReply(0, '.', 0);
  EXPECT_EQ(got, "ok.");
}

TEST_F(Comlink, BytesBehindTheTerminatorInTheSameBurstAreDropped) {
  Peer peer;
  ASSERT_EQ(openCom1(peer.path), 1);
  peer.send("ab.cd");
  std::vector<char> raw;
  EXPECT_EQ(readReply(0, '.', 1000, &raw), "ab.");
  EXPECT_EQ(raw[3], 'z');  // no NUL added behind the data
  readReply(0, 0, 100, &raw);
  EXPECT_EQ(raw[0], '\0');
}

TEST_F(Comlink, AReplyIsReturnedAsSoonAsItsLastByteArrives) {
  Peer peer;
  ASSERT_EQ(openCom1(peer.path), 1);
  std::vector<double> latencies;
  for (int i = 0; i < 7; ++i) {
    std::atomic<bool> reading{false};
    Clock::time_point sent;
    std::thread replier([&] {
      while (!reading) std::this_thread::yield();
      // Let the read start waiting; a reader that slept between polls would
      // now see the reply only after its sleep.
      std::this_thread::sleep_for(3ms);
      sent = Clock::now();
      peer.send(":0100000307F5.\r\n");
    });
    std::vector<char> buffer(4096, 0);
    reading = true;
    readRs232(buffer.data(), 0, '\n', 5000);
    const auto returned = Clock::now();
    replier.join();
    EXPECT_STREQ(buffer.data(), ":0100000307F5.\r\n");
    latencies.push_back(std::chrono::duration<double, std::milli>(returned - sent).count());
  }
  // A reader that slept 20 ms between its polls would see each reply about
  // 17 ms late. A loaded machine only makes reads later, and may make most
  // of them late: the quickest of the seven tells how the read waits.
  EXPECT_LT(*std::min_element(latencies.begin(), latencies.end()), 8.0) << "quickest of 7 reads";
}

TEST_F(Comlink, StorageIsBoundedWhenNoMaximumLengthIsGiven) {
  Peer peer;
  ASSERT_EQ(openCom1(peer.path), 1);
  std::thread sender([&] { peer.send(std::string(6000, 'a')); });
  std::vector<char> raw;
  const auto start = Clock::now();
  readReply(0, '\n', 20000, &raw);
  EXPECT_LT(Clock::now() - start, 10s);  // ends at the bound, not at the time-out
  sender.join();
  EXPECT_EQ(std::count(raw.begin(), raw.end(), 'a'), static_cast<long>(kComlinkUnboundedReadLimit));
  EXPECT_EQ(raw[kComlinkUnboundedReadLimit], 'z');
}

TEST_F(Comlink, TwoCharacterReadEndsWhenBothHaveComeInEitherOrder) {
  Peer peer;
  ASSERT_EQ(openCom1(peer.path), 1);
  std::vector<char> buffer(4096, 'z');
  peer.send("xx>yy-zz");
  EXPECT_EQ(read2c(buffer.data(), '-', '>', 1000), 1);
  EXPECT_EQ(std::string(buffer.data(), 6), "xx>yy-");
  EXPECT_EQ(buffer[6], 'z');

  // Equal characters, or a zero one, cannot end the read early.
  for (auto [first, second] : {std::pair{'-', '-'}, std::pair{'-', '\0'}, std::pair{'\0', '-'}}) {
    peer.send("a-b-c");
    std::fill(buffer.begin(), buffer.end(), 'z');
    const auto start = Clock::now();
    EXPECT_EQ(read2c(buffer.data(), first, second, 150), 1);
    EXPECT_GE(Clock::now() - start, 150ms);
    EXPECT_EQ(buffer[0], '\0');
  }
}

TEST_F(Comlink, WriteSendsTheFrameUpToItsFirstNul) {
  Peer peer;
  ASSERT_EQ(openCom1(peer.path), 1);
  EXPECT_EQ(writeFrame(std::string("AB\0CD", 5)), 1);
  EXPECT_EQ(writeFrame(""), 1);
  EXPECT_EQ(writeFrame("EF"), 1);
  EXPECT_EQ(peer.receive(4), "ABEF");
}

TEST_F(Comlink, AWriteThatCannotFinishInTimeFails) {
  Peer peer;  // nobody reads the far end
  ASSERT_EQ(openCom1(peer.path), 1);
  const std::string frame(100, 'w');
  int result = 1;
  for (int i = 0; i < 100000 && result == 1; ++i) result = writeFrame(frame);
  EXPECT_EQ(result, 0);
  // Once the far end reads again, writing works again.
  char buffer[65536];
  pollfd p{peer.master, POLLIN, 0};
  while (poll(&p, 1, 100) > 0 && ::read(peer.master, buffer, sizeof buffer) > 0) {
  }
  EXPECT_EQ(writeFrame("ok"), 1);
}

TEST_F(Comlink, OpeningAnotherPortOrRateReopens) {
  Peer first;
  Peer second;
  setenv("SERIAL_COM2", second.path.c_str(), 1);
  ASSERT_EQ(openCom1(first.path), 1);
  EXPECT_EQ(first.speed(), B115200);
  EXPECT_EQ(open("COM1", 115200, 0, 8, 2), 1);  // the same: nothing changes
  EXPECT_EQ(open("COM1", 9600, 0, 8, 2), 1);
  EXPECT_EQ(first.speed(), B9600);
  EXPECT_EQ(open("COM2", 9600, 0, 8, 2), 1);
  writeFrame("to two");
  EXPECT_EQ(second.receive(6), "to two");
  EXPECT_EQ(updateBaudrate(19200), 1);
  EXPECT_EQ(second.speed(), B19200);
}

TEST_F(Comlink, CloseThenOpenAgain) {
  Peer peer;
  ASSERT_EQ(openCom1(peer.path), 1);
  EXPECT_EQ(closePort(), 1);
  EXPECT_EQ(writeFrame("x"), 0);
  EXPECT_EQ(closePort(), 1);
  ASSERT_EQ(open("COM1", 115200, 0, 8, 2), 1);
  EXPECT_EQ(writeFrame("again"), 1);
  EXPECT_EQ(peer.receive(5), "again");
}

TEST_F(Comlink, OpenFailsForMissingBusyOrBadlySetPorts) {
  EXPECT_EQ(open("/dev/no_such_port", 115200, 0, 8, 2), 0);
  EXPECT_EQ(open(nullptr, 115200, 0, 8, 2), 0);
  Peer peer;
  setenv("SERIAL_COM1", peer.path.c_str(), 1);
  EXPECT_EQ(open("COM1", 12345, 0, 8, 2), 0);  // no such rate
  EXPECT_EQ(open("COM1", 115200, 0, 9, 2), 0);
  EXPECT_EQ(open("COM1", 115200, 7, 8, 2), 0);
  EXPECT_EQ(open("COM1", 115200, 0, 8, 1), 0);  // one and a half stop bits need 5 data bits
  EXPECT_EQ(writeFrame("x"), 0);                // none of them left the port open
  {
    const int holder = ::open(peer.path.c_str(), O_RDWR | O_NOCTTY);
    ASSERT_EQ(flock(holder, LOCK_EX | LOCK_NB), 0);
    EXPECT_EQ(open("COM1", 115200, 0, 8, 2), 0);  // busy
    close(holder);
  }
  EXPECT_EQ(open("COM1", 115200, 2, 7, 0), 1);  // even parity, 7 data bits, 1 stop bit
}

TEST_F(Comlink, WithoutAPortEveryCallButReadAndCloseFails) {
  EXPECT_EQ(writeFrame("x"), 0);
  EXPECT_EQ(updateBaudrate(9600), 0);
  EXPECT_EQ(clearDtr(), 0);
  EXPECT_EQ(setDtr(), 0);
  EXPECT_EQ(clearRts(), 0);
  EXPECT_EQ(setRts(), 0);
  EXPECT_EQ(closePort(), 1);
  std::vector<char> raw;
  const auto start = Clock::now();
  readReply(0, '\n', 100, &raw);
  EXPECT_GE(Clock::now() - start, 100ms);
  EXPECT_EQ(raw[0], '\0');
}

TEST_F(Comlink, ReadOfAVanishedDeviceWaitsOutItsTimeOut) {
  auto peer = std::make_unique<Peer>();
  ASSERT_EQ(openCom1(peer->path), 1);
  peer.reset();  // the far end hangs up
  std::vector<char> raw;
  const auto start = Clock::now();
  readReply(0, '\n', 200, &raw);
  EXPECT_GE(Clock::now() - start, 200ms);
  EXPECT_EQ(raw[0], '\0');
}

// The second RS-232 library is the same serial transport, not a stand-in:
// loaded beside comlink it keeps a port of its own, talks on a real line, and
// names itself when a port cannot be opened.
TEST(Comlinkx, ASecondTransportWithItsOwnPort) {
  platform::win::Library first(platform::win::LoadLibraryA(deliverable("comlink.dll").c_str()));
  platform::win::Library second(platform::win::LoadLibraryA(deliverable("comlinkx.dll").c_str()));
  ASSERT_TRUE(first && second) << platform::win::LastLibraryError();
  ASSERT_NE(first.get(), second.get());
  struct Functions {
    OpenRS232Function open;
    WriteRS232Function write;
    ReadRS232Function read;
    ComlinkFunction close;
  };
  const auto bound = [](const platform::win::Library& library) {
    return Functions{reinterpret_cast<OpenRS232Function>(library.symbol("OpenRS232")),
                     reinterpret_cast<WriteRS232Function>(library.symbol("WriteRS232")),
                     reinterpret_cast<ReadRS232Function>(library.symbol("ReadRS232")),
                     reinterpret_cast<ComlinkFunction>(library.symbol("Close"))};
  };
  const Functions comlink = bound(first);
  const Functions comlinkx = bound(second);
  ASSERT_TRUE(comlinkx.open && comlinkx.write && comlinkx.read && comlinkx.close);

  sim::BootloaderSim onCom1;
  sim::BootloaderSim onCom2;
  setenv("SERIAL_COM1", onCom1.slavePath().c_str(), 1);
  setenv("SERIAL_COM2", onCom2.slavePath().c_str(), 1);
  ASSERT_EQ(comlink.open("COM1", 115200, 0, 8, 2), 1);
  ASSERT_EQ(comlinkx.open("COM2", 115200, 0, 8, 2), 1);
  const auto version = [](const Functions& f) {
    char reply[64] = {};
    EXPECT_EQ(f.write("U"), 1);
    EXPECT_EQ(f.read(reply, sizeof reply - 1, 'U', 2000), 1);
    EXPECT_EQ(std::string(reply), "U");
    std::memset(reply, 0, sizeof reply);
    EXPECT_EQ(f.write(":020000050F00EA"), 1);
    EXPECT_EQ(f.read(reply, sizeof reply - 1, '\n', 2000), 1);
    return std::string(reply);
  };
  EXPECT_EQ(version(comlinkx), ":020000050F00EA20.\r\n");
  EXPECT_EQ(comlink.close(), 1);
  EXPECT_EQ(version(comlinkx), ":020000050F00EA20.\r\n") << "closing comlink leaves comlinkx's port open";
  EXPECT_EQ(onCom2.log().size(), 4u);
  EXPECT_TRUE(onCom1.log().empty());

  setenv("SERIAL_COM3", "/nonexistent/tty", 1);
  testing::internal::CaptureStderr();
  EXPECT_EQ(comlinkx.open("COM3", 115200, 0, 8, 2), 0);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "comlinkx: cannot open COM3: /nonexistent/tty: no such device\n");
  EXPECT_EQ(comlinkx.close(), 1);
  unsetenv("SERIAL_COM1");
  unsetenv("SERIAL_COM2");
  unsetenv("SERIAL_COM3");
}

}  // namespace
