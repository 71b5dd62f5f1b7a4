// The boot-loader simulator driven with raw bytes on its pseudo-terminal.
#include "tests/sim/bootloader/bootloader_sim.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>

namespace {

using namespace std::chrono_literals;
using sim::BootloaderConfig;
using sim::BootloaderEngine;
using sim::BootloaderSim;
using sim::Fault;
using sim::MakeRecord;
using sim::Special;

// The programmer's end of the line.
class Line {
 public:
  explicit Line(const std::string& path) : fd_(open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK)) {
    EXPECT_GE(fd_, 0) << path;
  }
  ~Line() { close(fd_); }

  void send(std::string_view text) {
    ASSERT_EQ(write(fd_, text.data(), text.size()), static_cast<ssize_t>(text.size()));
  }

  // What arrives until `count` characters have come or 10 s have passed.
  std::string read(size_t count) {
    std::string text;
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (text.size() < count) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
      if (left.count() <= 0) break;
      pollfd p{fd_, POLLIN, 0};
      if (poll(&p, 1, static_cast<int>(left.count())) <= 0) break;
      char buffer[4096];
      const ssize_t n = ::read(fd_, buffer, std::min(sizeof buffer, count - text.size()));
      if (n > 0) text.append(buffer, static_cast<size_t>(n));
    }
    return text;
  }

  // Sends a record and reads a reply as long as the expected one.
  std::string exchange(std::string_view record, const std::string& expected) {
    send(record);
    return read(expected.size());
  }

  // True when no byte arrives within `quiet`.
  bool silentFor(std::chrono::milliseconds quiet) {
    pollfd p{fd_, POLLIN, 0};
    return poll(&p, 1, static_cast<int>(quiet.count())) == 0;
  }

 private:
  int fd_;
};

struct Synced {
  BootloaderSim loader;
  Line line;
  explicit Synced(BootloaderConfig config = {}) : loader(config), line(loader.slavePath()) {
    EXPECT_EQ(line.exchange("U", "U"), "U");
  }
  template <class F>
  auto engine(F f) {
    return loader.withEngine(f);
  }
};

const std::string kOk = ".\r\n";

TEST(BootloaderSim, CommandRecordsAreEchoedAndAnsweredWithAFullStop) {
  struct Case {
    const char* record;
    const char* what;
  };
  const Case cases[] = {
      {":0100000307F5", "erase device"},
      {":020000030100FA", "erase block 0"},
      {":020000030120DA", "erase block 1"},
      {":020000030140BA", "erase block 2"},
      {":0200000301807A", "erase block 3"},
      {":0200000301C03A", "erase block 4"},
      {":020000030400F7", "erase SBV and BSB"},
      {":030000030A0200EE", "enable fuse 02"},
      {":030000030A0201ED", "disable fuse 02"},
      {":030000030A0400EC", "enable fuse 04"},
      {":030000030A0801E7", "disable fuse 08"},
      {":030000030A0100EF", "enable fuse 01"},
      {":030000030601FFF4", "write SBV = FF"},
      {":03000003060000F4", "write BSB = 00"},
      {":030000030606A549", "write EB = A5"},
      {":020000030500F6", "security level 1"},
  };
  Synced s;
  for (const Case& c : cases) {
    const std::string expected = c.record + kOk;
    EXPECT_EQ(s.line.exchange(c.record, expected), expected) << c.record;
    EXPECT_EQ(s.loader.log().back().what, c.what) << c.record;
  }
}

TEST(BootloaderSim, SpecialByteReadsAnswerTheValueBeforeTheFullStop) {
  struct Case {
    const char* record;
    Special id;
    uint8_t value;
  };
  const Case cases[] = {
      {":020000050F00EA", Special::Version, 0x20},      {":020000050702F0", Special::Sbv, 0x12},
      {":020000050700F2", Special::Ssb, 0xFF},          {":020000050701F1", Special::Bsb, 0x00},
      {":020000050B00EE", Special::Hwb, 0xFD},          {":020000050706EC", Special::Eb, 0x3C},
      {":020000050E00EB", Special::BootId1, 0xD7},      {":020000050E01EA", Special::BootId2, 0x01},
      {":020000050000F9", Special::Manufacturer, 0x58}, {":020000050001F8", Special::Device1, 0xD7},
      {":020000050002F7", Special::Device2, 0xF7},      {":020000050003F6", Special::Device3, 0xFF},
  };
  Synced s;
  s.engine([&](BootloaderEngine& e) {
    for (const Case& c : cases) e.setSpecial(c.id, c.value);
    return 0;
  });
  for (const Case& c : cases) {
    const std::string expected = c.record + sim::HexText({c.value}) + kOk;
    EXPECT_EQ(s.line.exchange(c.record, expected), expected);
  }
}

TEST(BootloaderSim, WritesAndSecurityShowInTheSpecialBytes) {
  Synced s;
  s.line.exchange(":030000030601FFF4", ":030000030601FFF4.\r\n");
  s.line.exchange(":030000030A0200EE", ":030000030A0200EE.\r\n");  // fuse 0 enabled: HWB bit 1 cleared
  s.line.exchange(":020000030501F5", ":020000030501F5.\r\n");
  s.engine([](BootloaderEngine& e) {
    EXPECT_EQ(e.special(Special::Sbv), 0xFF);
    EXPECT_EQ(e.special(Special::Hwb), 0xFD);
    EXPECT_EQ(e.special(Special::Ssb), 0xFC);
    EXPECT_EQ(e.securityLevel(), 2);
    return 0;
  });
}

TEST(BootloaderSim, ProgramRecordsStoreIntoTheMemoryOfTheirType) {
  Synced s;
  const std::string flash = MakeRecord("0400100011223344");
  const std::string eeprom = MakeRecord("02000507A55A");
  const std::string custom = MakeRecord("01000208C3");
  for (const std::string& record : {flash, eeprom, custom})
    EXPECT_EQ(s.line.exchange(record, record + kOk), record + kOk);
  s.engine([](BootloaderEngine& e) {
    EXPECT_EQ(e.memory(0)[0x10], 0x11);
    EXPECT_EQ(e.memory(0)[0x13], 0x44);
    EXPECT_EQ(e.memory(0)[0x14], 0xFF);
    EXPECT_EQ(e.memory(1)[5], 0xA5);
    EXPECT_EQ(e.memory(1)[6], 0x5A);
    EXPECT_EQ(e.memory(2)[2], 0xC3);
    return 0;
  });
  EXPECT_EQ(s.loader.log()[1].what, "program 0:0010-0013");
}

TEST(BootloaderSim, DisplayReplyHasTheEchoAndOneLinePerLineSize) {
  Synced s;
  s.engine([](BootloaderEngine& e) {
    e.writeMemory(0, 0x10, {0x00, 0xFF});
    return 0;
  });
  const std::string record = ":05000004000000FF00F8";
  s.line.send(record);
  const std::string reply = s.line.read(647);
  ASSERT_EQ(reply.size(), 647u);
  EXPECT_EQ(reply.substr(0, 23), record + "\r\n");
  EXPECT_EQ(reply.substr(23, 39), "0000=FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF\r\n");
  EXPECT_EQ(reply.substr(62, 39), "0010=00FFFFFFFFFFFFFFFFFFFFFFFFFFFFFF\r\n");
  EXPECT_EQ(reply.substr(647 - 39, 5), "00F0=");
  EXPECT_TRUE(s.line.silentFor(100ms));

  // A rest shorter than a line: 16 + 30 characters for eight bytes.
  const std::string small = MakeRecord("050000040000000700");
  EXPECT_EQ(small.size(), 21u);
  const std::string expected = small + "\r\n0000=FFFFFFFFFFFFFFFF\r\n";
  EXPECT_EQ(s.line.exchange(small, expected), expected);
  EXPECT_EQ(expected.size(), 46u);
}

TEST(BootloaderSim, DisplayOfEepromAndCustomUsesTheirSelector) {
  Synced s;
  s.engine([](BootloaderEngine& e) {
    e.writeMemory(1, 0, {0x12});
    e.writeMemory(2, 0, {0x34});
    return 0;
  });
  const std::string eeprom = MakeRecord("050000040000000002");
  EXPECT_EQ(s.line.exchange(eeprom, eeprom + "\r\n0000=12\r\n"), eeprom + "\r\n0000=12\r\n");
  const std::string custom = MakeRecord("050000040000000003");
  EXPECT_EQ(s.line.exchange(custom, custom + "\r\n0000=34\r\n"), custom + "\r\n0000=34\r\n");
}

TEST(BootloaderSim, DisplayLineSizesFollowTheFamily) {
  struct Case {
    const char* family;
    const char* selector;
    size_t length;  // reply to a display of 1024 bytes
  };
  const Case cases[] = {{"MCU02", "00", 2519}, {"MCU21", "00", 2183}, {"MCU20", "03", 2183}, {"MCU04", "00", 2127}};
  for (const Case& c : cases) {
    BootloaderConfig config;
    config.family = c.family;
    Synced s(config);
    const std::string record = MakeRecord(std::string("05000004000003FF") + c.selector);
    s.line.send(record);
    EXPECT_EQ(s.line.read(c.length).size(), c.length) << c.family;
    EXPECT_TRUE(s.line.silentFor(100ms)) << c.family;
  }
}

TEST(BootloaderSim, BlankCheckAnswersBlankOrTheFirstWrittenAddress) {
  Synced s;
  const std::string record = MakeRecord("05000004000001FF01");
  EXPECT_EQ(s.line.exchange(record, record + kOk), record + kOk);
  EXPECT_EQ((record + kOk).size(), 24u);
  s.engine([](BootloaderEngine& e) {
    e.writeMemory(0, 0x0123, {0x00});
    return 0;
  });
  const std::string reply = s.line.exchange(record, record + "0123" + kOk);
  EXPECT_EQ(reply, record + "0123" + kOk);
  EXPECT_EQ(reply.size(), 28u);
}

TEST(BootloaderSim, EraseSetsMemoryToFF) {
  Synced s;
  s.engine([](BootloaderEngine& e) {
    e.writeMemory(0, 0x1FFF, {0x01, 0x02});
    e.writeMemory(0, 0x4000, {0x03});
    e.writeMemory(0, 0x7FFF, {0x04, 0x05});
    return 0;
  });
  s.line.exchange(":020000030140BA", ":020000030140BA.\r\n");  // block 2: 0x4000..0x7FFF
  s.engine([](BootloaderEngine& e) {
    EXPECT_EQ(e.memory(0)[0x1FFF], 0x01);
    EXPECT_EQ(e.memory(0)[0x4000], 0xFF);
    EXPECT_EQ(e.memory(0)[0x7FFF], 0xFF);
    EXPECT_EQ(e.memory(0)[0x8000], 0x05);
    return 0;
  });
  s.line.exchange(":0100000307F5", ":0100000307F5.\r\n");
  s.engine([](BootloaderEngine& e) {
    EXPECT_TRUE(std::all_of(e.memory(0).begin(), e.memory(0).end(), [](uint8_t b) { return b == 0xFF; }));
    return 0;
  });
}

TEST(BootloaderSim, WrongChecksumIsAnsweredWithXAndNothingIsDone) {
  Synced s;
  const std::string bad = ":0400100011223344AA";
  EXPECT_EQ(s.line.exchange(bad, bad + "X\r\n"), bad + "X\r\n");
  s.engine([](BootloaderEngine& e) {
    EXPECT_EQ(e.memory(0)[0x10], 0xFF);
    return 0;
  });
  EXPECT_EQ(s.loader.log().back().what, "checksum error");
}

TEST(BootloaderSim, ProtectionRefusesWritesWithPAndReadsWithL) {
  Synced s;
  s.line.exchange(":020000030500F6", ":020000030500F6.\r\n");  // level 1: no writes
  const std::string program = MakeRecord("0100000012");
  EXPECT_EQ(s.line.exchange(program, program + "P\r\n"), program + "P\r\n");
  EXPECT_EQ(s.line.exchange(":020000030120DA", ":020000030120DAP\r\n"), ":020000030120DAP\r\n");
  const std::string display = ":05000004000000FF00F8";
  s.line.send(display);
  EXPECT_EQ(s.line.read(23).substr(0, 23), display + "\r\n");  // level 1 still reads
  s.line.read(647 - 23);
  s.line.exchange(":020000030501F5", ":020000030501F5.\r\n");  // level 2: no reads either
  EXPECT_EQ(s.line.exchange(display, display + "L\r\n"), display + "L\r\n");
  const std::string blank = MakeRecord("05000004000000FF01");
  EXPECT_EQ(s.line.exchange(blank, blank + "L\r\n"), blank + "L\r\n");
  // A full erase lifts the protection.
  s.line.exchange(":0100000307F5", ":0100000307F5.\r\n");
  EXPECT_EQ(s.line.exchange(program, program + kOk), program + kOk);
}

TEST(BootloaderSim, ProtectionSwitchesRefuseWithoutSecurityLevels) {
  Synced s;
  s.engine([](BootloaderEngine& e) {
    e.setProtection(true, true);
    return 0;
  });
  EXPECT_EQ(s.line.exchange(":0100000307F5", ":0100000307F5P\r\n"), ":0100000307F5P\r\n");
  EXPECT_EQ(s.line.exchange(":030000030601FFF4", ":030000030601FFF4P\r\n"), ":030000030601FFF4P\r\n");
  const std::string display = MakeRecord("050000040000000000");
  EXPECT_EQ(s.line.exchange(display, display + "L\r\n"), display + "L\r\n");
}

TEST(BootloaderSim, NothingFollowsAStartRecord) {
  for (const char* start : {":020000030300F8", ":0400000303011234AF"}) {
    Synced s;
    EXPECT_EQ(s.line.exchange(start, start), start);
    s.line.send(std::string("U") + ":020000050F00EA");
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (s.loader.received().size() < 1 + std::string(start).size() + 16 && std::chrono::steady_clock::now() < deadline)
      std::this_thread::sleep_for(5ms);
    EXPECT_TRUE(s.loader.withEngine([](BootloaderEngine& e) { return e.started(); }));
    EXPECT_TRUE(s.line.silentFor(200ms));
    // After a reset the boot loader answers again, once synchronised.
    s.engine([](BootloaderEngine& e) {
      e.reset();
      return 0;
    });
    EXPECT_EQ(s.line.exchange("U", "U"), "U");
    EXPECT_EQ(s.line.exchange(":020000050F00EA", ":020000050F00EA20.\r\n"), ":020000050F00EA20.\r\n");
  }
}

TEST(BootloaderSim, StartAtAnAddressIsLogged) {
  Synced s;
  s.line.exchange(":0400000303011234AF", ":0400000303011234AF");
  ASSERT_TRUE(s.loader.waitForLog(2, 10s));
  EXPECT_EQ(s.loader.log()[1].what, "start at 1234");
}

TEST(BootloaderSim, UnknownRecordsGetNoFullStop) {
  Synced s;
  for (const std::string& record : {MakeRecord("020000050F01"), MakeRecord("020000030900"), MakeRecord("00000009")})
    EXPECT_EQ(s.line.exchange(record, record + "\r\n"), record + "\r\n");
}

TEST(BootloaderSim, RecordsBeforeSynchronisationAreIgnored) {
  BootloaderSim loader;
  Line line(loader.slavePath());
  line.send(":020000050F00EA");
  ASSERT_TRUE(loader.waitForLog(1, 10s));
  EXPECT_EQ(loader.log()[0].what, "ignored: not synchronised");
  EXPECT_EQ(line.exchange("U", "U"), "U");
  EXPECT_EQ(line.exchange(":020000050F00EA", ":020000050F00EA20.\r\n"), ":020000050F00EA20.\r\n");
}

TEST(BootloaderSim, SyncIsAnsweredOnlyFromTheConfiguredCharacterOn) {
  BootloaderConfig config;
  config.family = "MCU21";
  config.syncAfter = 4;
  BootloaderSim loader(config);
  Line line(loader.slavePath());
  for (int i = 0; i < 3; ++i) {
    line.send("U");
    ASSERT_TRUE(loader.waitForLog(static_cast<size_t>(i + 1), 10s));
  }
  EXPECT_TRUE(line.silentFor(50ms));
  EXPECT_EQ(line.exchange("U", "U"), "U");
}

TEST(BootloaderSim, RecordSizesOfTheFamilyBoundProgramRecords) {
  struct Case {
    const char* family;
    uint8_t version;
    int accepted;  // longest record taken
  };
  const Case cases[] = {{"BASE", 0x20, 16}, {"MCU02", 0x20, 128}, {"MCU21", 0x20, 64},
                        {"MCU09", 0x11, 16}, {"MCU09", 0x12, 128}, {"MCU06", 0x12, 16}, {"MCU06", 0x13, 128}};
  for (const Case& c : cases) {
    BootloaderConfig config;
    config.family = c.family;
    config.version = c.version;
    Synced s(config);
    auto programRecord = [](int length, int address) {
      char head[16];
      std::snprintf(head, sizeof head, "%02X%04X00", length, address);
      return MakeRecord(head + std::string(static_cast<size_t>(length) * 2, 'A'));
    };
    const std::string fits = programRecord(c.accepted, 0);
    EXPECT_EQ(s.line.exchange(fits, fits + kOk), fits + kOk) << c.family;
    if (c.accepted < 255) {
      const std::string tooLong = programRecord(c.accepted + 1, 0);
      EXPECT_EQ(s.line.exchange(tooLong, tooLong + "\r\n"), tooLong + "\r\n") << c.family;
    }
    const std::string crossing = programRecord(2, c.accepted - 1);
    EXPECT_EQ(s.line.exchange(crossing, crossing + "\r\n"), crossing + "\r\n") << c.family;
  }
}

TEST(BootloaderSim, FamilyRecordsForSpecialBytes) {
  {
    BootloaderConfig config;
    config.family = "MCU23";
    config.version = 0x31;
    Synced s(config);
    EXPECT_EQ(s.line.exchange(":020000050800F1", ":020000050800F131.\r\n"), ":020000050800F131.\r\n");
    EXPECT_EQ(s.line.exchange(":020000050F00EA", ":020000050F00EA\r\n"), ":020000050F00EA\r\n");
  }
  {
    BootloaderConfig config;
    config.family = "MCU01";
    Synced s(config);
    const std::string write = MakeRecord("03000003060277");
    EXPECT_EQ(s.line.exchange(write, write + kOk), write + kOk);
    EXPECT_EQ(s.line.exchange(":020000050703EF", ":020000050703EF77.\r\n"), ":020000050703EF77.\r\n");
  }
}

TEST(BootloaderSim, SelectingFamilyProgramsAndReadsTheSelectedMemoryAndPage) {
  BootloaderConfig config;
  config.family = "MCU27";
  config.version = 0x1E;
  Synced s(config);
  for (const char* record : {":020000040000FA", ":020000021000EC"})  // memory 0, page 1
    EXPECT_EQ(s.line.exchange(record, record + kOk), record + kOk);
  const std::string program = MakeRecord("02001000ABCD");
  EXPECT_EQ(s.line.exchange(program, program + kOk), program + kOk);
  s.engine([](BootloaderEngine& e) {
    EXPECT_EQ(e.memory(0)[0x10010], 0xAB);
    EXPECT_EQ(e.memory(0)[0x00010], 0xFF);
    return 0;
  });
  const std::string display = MakeRecord("050000040010001100");
  EXPECT_EQ(s.line.exchange(display, display + "\r\n0010=ABCD\r\n"), display + "\r\n0010=ABCD\r\n");
  // The version is a display of one byte of memory 3: 30 characters.
  s.line.exchange(":020000040300F7", ":020000040300F7.\r\n");
  s.line.exchange(":020000020000FC", ":020000020000FC.\r\n");
  const std::string version = ":050000040000000000F7\r\n0000=1E\r\n";
  EXPECT_EQ(s.line.exchange(":050000040000000000F7", version), version);
  EXPECT_EQ(version.size(), 30u + 2);
  // Any other special byte, read with the plain protocol's record, comes as a
  // display line of four bytes from it on: the first 30 characters hold the
  // whole line.
  s.line.exchange(":020000040400F6", ":020000040400F6.\r\n");
  const std::string sbv = ":020000050702F0\r\n0000=FCFFFFFF\r\n";
  EXPECT_EQ(s.line.exchange(":020000050702F0", sbv), sbv);
  EXPECT_EQ(sbv.size(), 30u + 2);
  // Erase records of this family: block 2 of the selected memory, and all of it.
  s.line.exchange(":020000040000FA", ":020000040000FA.\r\n");
  s.line.exchange(":020000021000EC", ":020000021000EC.\r\n");
  EXPECT_EQ(s.line.exchange(":050000040002000002F3", ":050000040002000002F3.\r\n"), ":050000040002000002F3.\r\n");
  EXPECT_EQ(s.line.exchange(":0500000400FF000002F6", ":0500000400FF000002F6.\r\n"), ":0500000400FF000002F6.\r\n");
  s.engine([](BootloaderEngine& e) {
    EXPECT_EQ(e.memory(0)[0x10010], 0xFF);
    return 0;
  });
}

TEST(BootloaderSim, EchoPerCharacterComesAsTheRecordArrives) {
  BootloaderConfig config;
  config.echo = sim::EchoMode::PerCharacter;
  Synced s(config);
  s.line.send(":020000050F");
  EXPECT_EQ(s.line.read(11), ":020000050F");  // before the record is complete
  s.line.send("00EA");
  EXPECT_EQ(s.line.read(4 + 5), "00EA20.\r\n");
}

TEST(BootloaderSim, LineRateSpacesTheReply) {
  Synced s;
  s.loader.setLineRate(9600);
  const std::string record = ":05000004000000FF00F8";
  const auto start = std::chrono::steady_clock::now();
  s.line.send(record);
  EXPECT_EQ(s.line.read(647).size(), 647u);
  // 647 characters of 11 bits at 9600 baud take 741 ms.
  const auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_GE(elapsed, 700ms);
  EXPECT_LT(elapsed, 5s);
}

TEST(BootloaderSim, LineRatePacesWhatTheProgramWrites) {
  Synced s;
  s.loader.setLineRate(9600);
  // 16 data bytes: a record of 43 characters, 49 ms at 9600 baud; the
  // loader takes it only once its last character has arrived.
  const std::string record = MakeRecord("10000000" + std::string(32, '5'));
  const auto start = std::chrono::steady_clock::now();
  s.line.send(record);
  ASSERT_TRUE(s.loader.waitForLog(2, 10s));
  EXPECT_GE(std::chrono::steady_clock::now() - start, 45ms);
  EXPECT_EQ(s.line.read(record.size() + 3), record + ".\r\n");
}

TEST(BootloaderSim, InjectedFaultsShapeTheNextReplies) {
  Synced s;
  const std::string record = ":020000050F00EA";
  const std::string good = record + "20.\r\n";
  s.engine([](BootloaderEngine& e) {
    e.injectFault(Fault::Silence);
    e.injectFault(Fault::Garbage);
    e.injectFault(Fault::ChecksumReply);
    e.injectFault(Fault::CutReply);
    e.injectFault(Fault::CutReply, 1, 5);
    return 0;
  });
  s.line.send(record);
  ASSERT_TRUE(s.loader.waitForLog(2, 10s));
  EXPECT_TRUE(s.line.silentFor(50ms));
  const std::string garbage = s.line.exchange(record, good);
  ASSERT_EQ(garbage.size(), good.size());
  EXPECT_EQ(garbage.find_first_of(".XPLU0123456789:"), std::string::npos) << garbage;
  EXPECT_EQ(garbage.substr(garbage.size() - 2), "\r\n");
  EXPECT_EQ(s.line.exchange(record, record + "X\r\n"), record + "X\r\n");
  s.line.send(record);
  ASSERT_TRUE(s.loader.waitForLog(5, 10s));
  EXPECT_EQ(s.line.read(record.size()), record);  // the echo, then nothing
  s.line.send(record);
  ASSERT_TRUE(s.loader.waitForLog(6, 10s));
  EXPECT_EQ(s.line.read(5), record.substr(0, 5));
  EXPECT_TRUE(s.line.silentFor(50ms));
  EXPECT_EQ(s.line.exchange(record, good), good);  // faults used up
}

TEST(BootloaderSim, LogHoldsEveryRecordWithItsReply) {
  Synced s;
  s.line.exchange(":020000050F00EA", ":020000050F00EA20.\r\n");
  s.line.exchange(":0100000307F5", ":0100000307F5.\r\n");
  const std::vector<sim::LogEntry> log = s.loader.log();
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(log[0].request, "U");
  EXPECT_EQ(log[0].what, "sync");
  EXPECT_EQ(log[1].request, ":020000050F00EA");
  EXPECT_EQ(log[1].reply, ":020000050F00EA20.\r\n");
  EXPECT_EQ(log[1].what, "read version = 20");
  EXPECT_EQ(log[2].what, "erase device");
  EXPECT_EQ(s.loader.received(), "U:020000050F00EA:0100000307F5");
}

TEST(BootloaderSim, RecordHelpers) {
  EXPECT_EQ(MakeRecord("0400000303010000"), ":0400000303010000F5");
  EXPECT_EQ(MakeRecord("05000004000000FF00"), ":05000004000000FF00F8");
  EXPECT_EQ(sim::HexText({0x0B, 0xF0}), "0BF0");
  EXPECT_THROW(sim::FamilyByName("MCU99", 0), std::invalid_argument);
}

}  // namespace

namespace {

TEST(BootloaderSim, OcdMonitorHasTheLineUntilItHandsItOver) {
  BootloaderConfig config;
  config.family = "MCU_OCD";
  config.ocdMonitor = true;
  BootloaderSim loader(config);
  Line line(loader.slavePath());
  EXPECT_EQ(line.exchange("debug\n", "\r\n-"), "\r\n-");
  EXPECT_EQ(line.exchange("C M\n", "\r\n-"), "\r\n-");
  EXPECT_EQ(line.exchange("bogus\n", "\r\n?\r\n-"), "\r\n?\r\n-");
  line.send("U");  // the boot loader does not have the line yet
  EXPECT_TRUE(line.silentFor(100ms));
  line.send("~");
  EXPECT_EQ(line.exchange("U", "U"), "U");
  EXPECT_EQ(line.exchange("~", "\r\n-"), "\r\n-");
  line.send("G\n");  // the program runs: the boot loader falls silent
  EXPECT_TRUE(line.silentFor(100ms));
  line.send("~");
  line.send("U");
  EXPECT_TRUE(line.silentFor(100ms));
  loader.withEngine([](BootloaderEngine& e) {
    EXPECT_TRUE(e.started());
    e.setMonitorPrompt(false);
    return 0;
  });
  line.send("~debug\n");
  EXPECT_TRUE(line.silentFor(100ms));
  EXPECT_EQ(loader.log().back().request, "debug\n");
}

}  // namespace
