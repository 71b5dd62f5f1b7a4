// The simulated DFU boot loader on its own: the rules it holds the
// protocol's requests to, and what its commands do to its memories.
#include "tests/sim/usb/dfu_bootloader.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

std::string lowFirst(unsigned value) {
  char text[8];
  std::snprintf(text, sizeof text, "%02X%02X", value & 0xFF, (value >> 8) & 0xFF);
  return text;
}

std::string setup(const std::string& request, unsigned value, unsigned length) {
  return request + lowFirst(value) + "0400" + lowFirst(length);
}

class Loader : public ::testing::Test {
 protected:
  explicit Loader(DfuConfig config = {}) : loader_(std::move(config)) { EXPECT_TRUE(loader_.open(0xA7C5)); }

  bool download(const std::string& data) {
    return loader_.write(setup("2101", block_--, static_cast<unsigned>(data.size() / 2)), data);
  }
  // bStatus and bState of a status request.
  std::pair<int, int> status() {
    std::uint8_t reply[6] = {};
    EXPECT_EQ(loader_.read(reply, 6, setup("A103", 0, 6)), 6);
    return {reply[0], reply[4]};
  }
  std::vector<std::uint8_t> upload(unsigned length, bool counted = true) {
    std::vector<std::uint8_t> bytes(length);
    const int got = loader_.read(bytes.data(), static_cast<int>(length), setup("A102", counted ? block_-- : 0, length));
    bytes.resize(got < 0 ? 0 : static_cast<size_t>(got));
    return bytes;
  }
  static std::string programFrame(const std::string& code, unsigned from, const std::string& data) {
    char range[16];
    std::snprintf(range, sizeof range, "%04X%04X", from, from + static_cast<unsigned>(data.size() / 2) - 1);
    return "01" + code + range + std::string(52, '0') + std::string(2 * (from % 32), '0') + data +
           std::string(32, '0');
  }

  DfuBootloader loader_;
  std::uint16_t block_ = 0xFFFF;
};

TEST_F(Loader, CountedRequestsMustCarryTheNextBlockNumber) {
  ASSERT_TRUE(download("050000"));
  EXPECT_EQ(status(), std::make_pair(0, 2));
  EXPECT_EQ(upload(1), std::vector<std::uint8_t>{0x23});
  EXPECT_TRUE(loader_.errors().empty());
  ++block_;  // the next download repeats the last block number
  EXPECT_FALSE(download("050000"));
  ASSERT_EQ(loader_.errors().size(), 1u);
  EXPECT_EQ(loader_.errors()[0], "wValue FFFE where FFFD was due");
}

TEST_F(Loader, ProgramsReadsAndBlankChecksFlash) {
  ASSERT_TRUE(download(programFrame("00", 0x105, "3C4D5E")));
  EXPECT_EQ(status(), std::make_pair(0, 2));
  EXPECT_EQ(loader_.memory(0)[0x106], 0x4D);
  ASSERT_TRUE(download("030001040107"));
  EXPECT_EQ(upload(4), (std::vector<std::uint8_t>{0xFF, 0x3C, 0x4D, 0x5E}));
  ASSERT_TRUE(download("030100000FFF"));
  EXPECT_EQ(status(), std::make_pair(5, 10));
  EXPECT_TRUE(loader_.write(setup("2104", 0, 0), ""));
  EXPECT_EQ(upload(2, false), (std::vector<std::uint8_t>{0x01, 0x05})) << "the first byte that is not blank";
  EXPECT_TRUE(loader_.errors().empty());
}

TEST_F(Loader, MisshapenProgramFrameIsRefused) {
  std::string frame = programFrame("00", 0x105, "3C");
  frame.erase(64, 2);  // one filler byte short
  ASSERT_TRUE(download(frame));
  EXPECT_EQ(status().first, DfuBootloader::kStatusUnknown);
  EXPECT_EQ(loader_.memory(0)[0x105], 0xFF);
  EXPECT_EQ(loader_.errors().size(), 1u);
}

class ProtectedLoader : public Loader {
 protected:
  static DfuConfig protectedConfig() {
    DfuConfig config;
    config.protection = 0x03;
    return config;
  }
  ProtectedLoader() : Loader(protectedConfig()) {}
};

TEST_F(ProtectedLoader, RefusesUntilClearedAndUnprotectsOnFullErase) {
  ASSERT_TRUE(download(programFrame("00", 0, "AA")));
  EXPECT_EQ(status(), std::make_pair(3, 10));
  EXPECT_FALSE(download("0400FF")) << "an error holds until its status is cleared";
  ASSERT_EQ(loader_.errors().size(), 1u);
  ASSERT_TRUE(loader_.write(setup("2104", 0, 0), ""));
  ASSERT_TRUE(download("0400FF"));
  EXPECT_EQ(status(), std::make_pair(0, 2));
  ASSERT_TRUE(download(programFrame("00", 0, "AA")));
  EXPECT_EQ(status(), std::make_pair(0, 2));
  EXPECT_EQ(loader_.memory(0)[0], 0xAA);
}

TEST_F(Loader, SelectedMemoryRulesOnceOneIsSelected) {
  ASSERT_TRUE(download("06030100"));
  ASSERT_TRUE(download(programFrame("00", 2, "77")));
  EXPECT_EQ(loader_.memory(1)[2], 0x77) << "EEPROM, whatever the frame's memory code";
  EXPECT_EQ(loader_.memory(0)[2], 0xFF);
  ASSERT_TRUE(download("06030300"));
  ASSERT_TRUE(download(programFrame("00", 0, "02")));
  EXPECT_EQ(loader_.interfaceSelected(), 2);
  ASSERT_TRUE(download("01800000"));
  EXPECT_TRUE(loader_.errors().empty());
}

}  // namespace
