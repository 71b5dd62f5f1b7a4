// The simulator's answers to the command catalogue, over the pseudo-terminal.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "tests/sim/device/device_simulator.h"
#include "tests/sim/device/protocol.h"
#include "tests/sim/device/pty_client.h"
#include "tests/sim/device/weight_text.h"

namespace devsim {
namespace {

Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }
Bytes Padded(const std::string& s, std::size_t n) {
  Bytes b(n, 0);
  std::memcpy(b.data(), s.data(), std::min(n, s.size()));
  return b;
}

class CatalogueTest : public ::testing::Test {
 protected:
  CatalogueTest() : client_(sim_.SlavePath()) {
    DeviceModel m;
    m.channels[0] = ChannelModel{};
    m.channels[0].load = 12.5;
    m.channels[0].adcRaw = 0x01020304;
    m.channels[0].adcScaled = 1.5f;
    m.channels[0].adcMin = -7;
    m.channels[0].adcMax = 123456;
    m.channels[0].millivoltPerVolt = 1.23456;
    m.channels[0].loadCounter = {17, 4, 2};
    m.channels[0].beltScale = {1.5, 2.25, 100.0, 0.5};
    m.channels[0].bridgeReference = 0x11223344;
    m.channels[1].load = 3.0;
    m.channels[1].tare = 1.0;
    m.errorCodes = {0x00, 0x00};
    m.errorClasses[0x08] = 0x21;
    m.exbInputs = 0x05;
    m.encoderRaw = -2;
    m.encoderScaled = 2.5f;
    m.relays = 0x02;
    m.adcRegisters[3] = 0xCAFEBABE;
    m.diagValues[2] = 0x00000102;
    m.logEntries = {0x123456, static_cast<std::int32_t>(0xFF800100)};
    m.ringCounter = 0x01000002;
    sim_.AddDevice(1, m);
  }

  ParsedReply Ask(std::uint8_t command, const Bytes& data) {
    const auto reply = client_.Transact(1, command, data);
    if (!reply) {
      ADD_FAILURE() << "no reply to command " << int(command);
      return {};
    }
    EXPECT_TRUE(reply->checksumOk);
    EXPECT_EQ(reply->address, 1);
    return *reply;
  }

  DeviceSimulator sim_;
  PtyClient client_;
};

struct CommandCase {
  CommandCase(const char* n, std::uint8_t c, Bytes r, std::function<Bytes(const DeviceModel&)> x, bool e = false,
              std::function<bool(const DeviceModel&)> f = {})
      : name(n), command(c), request(std::move(r)), expected(std::move(x)), error(e), effect(std::move(f)) {}
  const char* name;
  std::uint8_t command;
  Bytes request;
  std::function<Bytes(const DeviceModel&)> expected;  // reply data
  bool error;                                          // status error bit
  std::function<bool(const DeviceModel&)> effect;      // model after the request
};

TEST_F(CatalogueTest, AnswersOfTheCatalogue) {
  const auto data = [](Bytes b) { return [b](const DeviceModel&) { return b; }; };
  const auto none = data({});
  const std::vector<CommandCase> cases = {
      {"cal zero", CMD_CAL_ZERO, {}, none},
      {"cal end", CMD_CAL_END, {}, none},
      {"cal settings read", CMD_CAL_SETTINGS, {1}, data({1, 0, 3, 0, 2})},
      {"cal settings write", CMD_CAL_SETTINGS, {2, 2, 1, 5, 0}, none, false,
       [](const DeviceModel& m) { return m.activeChannel == 2 && m.calibrationSet == 1 && m.rateIndex == 5; }},
      {"ext cal settings write", CMD_EXT_CAL_SETTINGS, {2, 1, 2, 3, 0, 0, 0x0B, 0xB8}, none, false,
       [](const DeviceModel& m) { return m.unitIndex == 1 && m.divisions == 3000; }},
      {"ext cal settings read", CMD_EXT_CAL_SETTINGS, {1}, data({1, 2, 3, 0, 0, 0x0B, 0xB8})},
      {"delete cal", CMD_DELETE_CAL, {1}, none, false, [](const DeviceModel& m) { return m.channels[0].calPoints == 0; }},
      {"read cal points", CMD_READ_CAL_POINTS, {1}, data({0})},
      {"tare on", CMD_TARE, {1, 1}, none, false, [](const DeviceModel& m) { return m.channels[0].tare == 12.5; }},
      {"adc raw", CMD_ADC_RAW, {1}, data({1, 1, 2, 3, 4})},
      {"adc scaled (float, big-endian)", CMD_ADC_SCALED, {1}, data({0x3F, 0xC0, 0x00, 0x00})},
      {"adc min as number", CMD_ADC_MIN_MAX, {1, 0, 0}, data({0xFF, 0xFF, 0xFF, 0xF9})},
      {"adc max as text", CMD_ADC_MIN_MAX, {1, 1, 1}, data(Text("123456"))},
      {"millivolt", CMD_ADC_MILLIVOLT, {1, 1}, data(Text("0+1.23456"))},
      {"adc mode single", CMD_ADC_MODE, {1, 4}, none, false,
       [](const DeviceModel& m) { return m.adcMode == 1 && m.rateIndex == 4; }},
      {"adc info", CMD_ADC_INFO, {}, data({1})},
      {"adc function on", CMD_ADC_FUNCTION, {1}, none},
      {"adc state", CMD_ADC_STATE, {}, data({1})},
      {"select channel 2 on a two-channel device", CMD_SELECT_CHANNEL, {2}, none, false,
       [](const DeviceModel& m) { return m.activeChannel == 2; }},
      {"weight of channel 1", CMD_READ_WEIGHT, {0, 1}, data(Text("G C1:+  12.50:+   0.00:+  12.50<"))},
      {"weights of both channels", CMD_READ_WEIGHT, {0x0A},
       data(Text("G C1:+  12.50:+   0.00:+  12.50: C2:+   3.00:+   2.00:+   1.00<"))},
      {"sum", CMD_READ_WEIGHT, {0x14}, data(Text("G S C0:+  15.50:+   2.00:+  13.50<"))},
      {"zero channel 2", CMD_ZERO, {2}, none, false, [](const DeviceModel& m) { return m.channels[1].zero == 3.0; }},
      {"tare weight as text", CMD_TARE_WEIGHT, {2, '0', ',', '5'}, none, false,
       [](const DeviceModel& m) { return m.channels[1].tare == 0.5; }},
      {"log entry count", CMD_LOG_MEMORY, {3}, data({0, 2})},
      {"log entry", CMD_LOG_MEMORY, {4, 0, 1}, data({0x80, 0x01})},
      {"log entry beyond the end", CMD_LOG_MEMORY, {4, 0, 2}, none, true},
      {"log header", CMD_LOG_MEMORY, {5}, data({0, 30, 15, 10, 1, 2, 24, 0, 0, 0})},
      {"ring counter", CMD_LOG_MEMORY, {0x63}, data({1, 0, 0, 2})},
      {"log start", CMD_LOG_MEMORY, {1}, none, false, [](const DeviceModel& m) { return m.logRunning; }},
      {"exb values", CMD_READ_EXB_VALUES, {}, data({5, 0xFF, 0xFF, 0xFF, 0xFE, 0x40, 0x20, 0, 0, 2})},
      {"relay 1 on", CMD_EXB_OUTPUT, {2, 0, 1}, none, false, [](const DeviceModel& m) { return m.relays == 3; }},
      {"encoder count", CMD_EXB_OUTPUT, {1, 0, 0, 1, 0}, none, false,
       [](const DeviceModel& m) { return m.encoderRaw == 256; }},
      {"load counter", CMD_READ_LOAD_COUNTER, {1, 0}, data(Text("17"))},
      {"belt scale", CMD_READ_BELT_SCALE, {1, 1}, data(Text("2.25"))},
      {"setup select query", CMD_SETUP_SELECT, {1}, data({0})},
      {"ident variant", CMD_IDENT_DATA, {1, 3}, data({21})},
      {"ident info text", CMD_IDENT_DATA, {1, 0}, data(Padded("VD417 Simulator", 50))},
      {"ident serial", CMD_IDENT_DATA, {1, 1}, data(Padded("00012345", 8))},
      {"ident firmware version", CMD_IDENT_DATA, {1, 5}, data(Padded("V1.0.12", 10))},
      {"ident hardware", CMD_IDENT_DATA, {1, 7}, data(Text("1001"))},
      {"ident exb version", CMD_IDENT_DATA, {1, 8}, data({1, 4, 0, 0, 1})},
      {"ident backup present", CMD_IDENT_DATA, {1, 9}, data({0})},
      {"ident firmware type", CMD_IDENT_DATA, {1, 0xFF}, data({2})},
      {"ident unknown item", CMD_IDENT_DATA, {1, 0x20}, none, true},
      {"ident write serial", CMD_IDENT_DATA, {2, 1, '9', '8', '7'}, none, false,
       [](const DeviceModel& m) { return m.serialNumber == "987"; }},
      {"ident write variant", CMD_IDENT_DATA, {2, 3, 23}, none, false,
       [](const DeviceModel& m) { return m.variant == 23 && m.factoryEeprom[0] == 23 && m.memory[FACTORY_DATA_ADDR] == 23; }},
      {"error codes", CMD_ERROR_CODES, {1, 0}, data({0, 0})},
      {"error class", CMD_ERROR_CODES, {1, 0x08}, data({0x21})},
      {"profibus state", CMD_PROFIBUS, {0, 0, 0}, data({2})},
      {"dip address", CMD_PROFIBUS, {2, 0, 0}, data({3})},
      {"adc register write", CMD_ADC_REG_WRITE, {4, 0, 0, 1, 2}, none, false,
       [](const DeviceModel& m) { return m.adcRegisters[4] == 0x102; }},
      {"adc register read", CMD_ADC_REG_READ, {3}, data({0xCA, 0xFE, 0xBA, 0xBE})},
      {"adc register out of range", CMD_ADC_REG_READ, {9}, none, true},
      {"hold cyclic", CMD_HOLD_CYCLIC, {0}, none, false, [](const DeviceModel& m) { return m.cyclicHeld; }},
      {"diag", CMD_DIAG_READ, {2}, data({0, 0, 1, 2})},
      {"baud-rate probe", CMD_FACTORY_DATA, {0xFF}, data({0xAA, 0x55, 0xAA, 0x55})},
      {"bridge reference", CMD_FACTORY_DATA, {0x0A, 1}, data({0x11, 0x22, 0x33, 0x44})},
      {"factory calibration write", CMD_FACTORY_DATA, {0x97, 1, 1, 2, 3, 4, 5, 6, 7, 8}, none, false,
       [](const DeviceModel& m) { return m.channels[1].factoryCal == std::array<std::uint8_t, 8>{1, 2, 3, 4, 5, 6, 7, 8}; }},
      {"debug vars write", CMD_DEBUG_VARS, {1, 2, 0, 9, 8}, none},
      {"debug vars read", CMD_DEBUG_VARS, {1, 1, 0}, data({9, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0})},
      {"set baud", CMD_SET_BAUD, {6}, none, false, [](const DeviceModel& m) { return m.baudIndex == 6; }},
      {"set baud out of range", CMD_SET_BAUD, {9}, none, true},
      {"code 0x19", CMD_UNNAMED_19, {}, none},
  };
  for (const CommandCase& c : cases) {
    SCOPED_TRACE(c.name);
    const ParsedReply reply = Ask(c.command, c.request);
    EXPECT_EQ(reply.command, c.command | REPLY_FLAG);
    EXPECT_EQ(reply.byte3, 0);
    EXPECT_EQ((reply.status & DEVICE_STATUS_ERROR) != 0, c.error);
    const DeviceModel model = sim_.Model(1);
    if (!c.error) {
      EXPECT_EQ(reply.data, c.expected(model));
    }
    if (c.effect) {
      EXPECT_TRUE(c.effect(model));
    }
  }
}

TEST_F(CatalogueTest, UnknownCodeIsAnsweredWithTheErrorMark) {
  const ParsedReply reply = Ask(0x30, {});
  EXPECT_EQ(reply.byte3, REPLY_ERROR_MARK);
  EXPECT_TRUE(reply.status & DEVICE_STATUS_ERROR);
}

TEST_F(CatalogueTest, StatusByteFollowsTheModel) {
  sim_.WithDevice(1, [](DeviceModel& m) {
    m.statusBits = DEVICE_STATUS_OVERLOAD | DEVICE_STATUS_LOAD_CELL_ERROR;
    m.exbFitted = true;
    m.errorCodes = {0x04, 0x00};
  });
  EXPECT_EQ(Ask(CMD_ADC_INFO, {}).status,
            DEVICE_STATUS_ERROR | DEVICE_STATUS_OVERLOAD | DEVICE_STATUS_LOAD_CELL_ERROR | DEVICE_STATUS_EXB);
  EXPECT_EQ(Ask(CMD_ERROR_CODES, {1, 0}).data, (Bytes{0x04, 0x00}));
  Ask(CMD_ERROR_CODES, {2});
  EXPECT_EQ(Ask(CMD_ADC_INFO, {}).status, DEVICE_STATUS_OVERLOAD | DEVICE_STATUS_LOAD_CELL_ERROR | DEVICE_STATUS_EXB);
  sim_.WithDevice(1, [](DeviceModel& m) { m.activeSetup = 2; });
  EXPECT_TRUE(Ask(CMD_ADC_INFO, {}).status & DEVICE_STATUS_DEFAULT_SETUP);
}

TEST_F(CatalogueTest, OneChannelDeviceRefusesChannelTwo) {
  sim_.WithDevice(1, [](DeviceModel& m) { m.channelCount = 1; });
  EXPECT_TRUE(Ask(CMD_READ_WEIGHT, {0, 2}).status & DEVICE_STATUS_ERROR);
  EXPECT_EQ(Ask(CMD_READ_WEIGHT, {0x0A}).data, Text("G C1:+  12.50:+  12.50:+   0.00<"));
}

TEST_F(CatalogueTest, ClockRunsFromTheTimeSet) {
  // 31.12.(20)23 23:59:58, a Sunday.
  EXPECT_FALSE(Ask(CMD_SET_CLOCK, {58, 59, 23, 31, 12, 23, 0}).status & DEVICE_STATUS_ERROR);
  const Bytes clock = Ask(CMD_READ_CLOCK, {}).data;
  ASSERT_EQ(clock.size(), 10u);
  // Within a generous minute of the time set, the date is 31.12.23 or 1.1.24.
  const bool sameDay = clock[4] == 31 && clock[5] == 12 && clock[6] == 23 && clock[7] == 0 && clock[3] == 23;
  const bool nextDay = clock[4] == 1 && clock[5] == 1 && clock[6] == 24 && clock[7] == 1 && clock[3] == 0;
  EXPECT_TRUE(sameDay || nextDay);
  EXPECT_TRUE(Ask(CMD_SET_CLOCK, {0, 0, 0, 30, 2, 24, 5}).status & DEVICE_STATUS_ERROR) << "30 February";
}

TEST_F(CatalogueTest, BlockWriteThenReadBack) {
  Bytes write{0x01, 0x2C, 0, 0, 64};
  for (int i = 0; i < 64; ++i) write.push_back(static_cast<std::uint8_t>(i * 3));
  EXPECT_FALSE(Ask(CMD_BLOCK_WRITE, write).status & DEVICE_STATUS_ERROR);
  EXPECT_EQ(Ask(CMD_BLOCK_READ, {0x01, 0x2C, 0, 0, 64}).data, Bytes(write.begin() + 5, write.end()));
  // 128 bytes, the largest chunk, at the top of the memory.
  Bytes big{0x07, 0x80, 0, 0, 128};
  big.resize(133, 0x5A);
  EXPECT_FALSE(Ask(CMD_BLOCK_WRITE, big).status & DEVICE_STATUS_ERROR);
  EXPECT_EQ(Ask(CMD_BLOCK_READ, {0x07, 0x80, 0, 0, 128}).data, Bytes(128, 0x5A));
}

TEST_F(CatalogueTest, BadBlockRequestsAreRefusedAndChangeNothing) {
  const DeviceModel before = sim_.Model(1);
  struct Case { const char* name; std::uint8_t command; Bytes data; };
  const std::vector<Case> cases = {
      {"read past the end", CMD_BLOCK_READ, {0x07, 0xF0, 0, 0, 32}},
      {"read of 129 bytes", CMD_BLOCK_READ, {0, 0, 0, 0, 129}},
      {"read of 0 bytes", CMD_BLOCK_READ, {0, 0, 0, 0, 0}},
      {"short header", CMD_BLOCK_READ, {0, 0, 0}},
      {"write with fewer bytes than counted", CMD_BLOCK_WRITE, {0, 8, 0, 0, 4, 1, 2, 3}},
      {"write with more bytes than counted", CMD_BLOCK_WRITE, {0, 8, 0, 0, 2, 1, 2, 3}},
      {"factory EEPROM past 64 bytes", CMD_BLOCK_READ_ONCE, {0, 32, 0, 0, 64}},
  };
  for (const Case& c : cases) {
    const ParsedReply reply = Ask(c.command, c.data);
    EXPECT_TRUE(reply.status & DEVICE_STATUS_ERROR) << c.name;
    EXPECT_TRUE(reply.data.empty()) << c.name;
  }
  EXPECT_EQ(sim_.Model(1).memory, before.memory);
}

TEST_F(CatalogueTest, FactoryEepromAndItsMirrorInTheSetupMemory) {
  sim_.WithDevice(1, [](DeviceModel& m) {
    for (int i = 0; i < FACTORY_DATA_SIZE; ++i) {
      m.factoryEeprom[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(0x80 + i);
      m.memory[static_cast<std::size_t>(FACTORY_DATA_ADDR + i)] = static_cast<std::uint8_t>(0x80 + i);
    }
  });
  const Bytes once = Ask(CMD_BLOCK_READ_ONCE, {0, 0, 0, 0, 64}).data;
  ASSERT_EQ(once.size(), 64u);
  EXPECT_EQ(once[63], 0x80 + 63);
  EXPECT_EQ(Ask(CMD_BLOCK_READ, {0x07, 0xC0, 0, 0, 64}).data, once);
}

TEST_F(CatalogueTest, SetupChecksumBackupAndCopies) {
  // The stored checksum holds for a fresh device; a changed byte breaks it.
  EXPECT_FALSE(Ask(CMD_SETUP_CHECKSUM_TEST, {}).status & DEVICE_STATUS_ERROR);
  const DeviceModel fresh = sim_.Model(1);
  const Bytes text = Ask(CMD_SETUP_CHECKSUM, {1}).data;
  char expected[8];
  std::snprintf(expected, sizeof expected, "%02X%02X", fresh.memory[SETUP_BASE_1 + 1], fresh.memory[SETUP_BASE_1 + 2]);
  EXPECT_EQ(text, Text(expected));
  Ask(CMD_BLOCK_WRITE, {0x00, 0x20, 0, 0, 1, 0x77});
  EXPECT_TRUE(Ask(CMD_SETUP_CHECKSUM_TEST, {}).status & DEVICE_STATUS_ERROR);
  Ask(CMD_SETUP_CHECKSUM, {2});
  EXPECT_FALSE(Ask(CMD_SETUP_CHECKSUM_TEST, {}).status & DEVICE_STATUS_ERROR);

  // Backup, change, restore.
  EXPECT_TRUE(Ask(CMD_SETUP_BACKUP, {1}).status & DEVICE_STATUS_ERROR) << "restore without a backup";
  Ask(CMD_SETUP_BACKUP, {2});
  EXPECT_EQ(Ask(CMD_IDENT_DATA, {1, 9}).data, (Bytes{1}));
  Ask(CMD_BLOCK_WRITE, {0x00, 0x20, 0, 0, 1, 0x11});
  Ask(CMD_SETUP_BACKUP, {1});
  EXPECT_EQ(Ask(CMD_BLOCK_READ, {0x00, 0x20, 0, 0, 1}).data, (Bytes{0x77}));

  // Set-up 2 is the other copy: its checksum is computed over its own bytes.
  Ask(CMD_SETUP_SELECT, {2, 1});
  EXPECT_EQ(Ask(CMD_SETUP_SELECT, {1}).data, (Bytes{1}));
  EXPECT_EQ(Ask(CMD_BLOCK_READ, {0, 0, 0, 0, 1}).data, (Bytes{1})) << "GBL names the active set-up";
  EXPECT_FALSE(Ask(CMD_SETUP_CHECKSUM_TEST, {}).status & DEVICE_STATUS_ERROR);
  Ask(CMD_SETUP_ACTIVE, {0});
  EXPECT_EQ(sim_.Model(1).memory[SETUP_BASE_2], 0);
  EXPECT_EQ(sim_.Model(1).memory[SETUP_BASE_1], 1);
}

TEST_F(CatalogueTest, RuntimeEepromAndDefaults) {
  Ask(CMD_BLOCK_WRITE, {0x00, 0x30, 0, 0, 2, 0xAB, 0xCD});
  Ask(CMD_LOAD_EEPROM, {});
  EXPECT_EQ(Ask(CMD_BLOCK_READ, {0x00, 0x30, 0, 0, 2}).data, (Bytes{0x00, 0x00})) << "run-time copy reloaded";
  Ask(CMD_BLOCK_WRITE, {0x00, 0x30, 0, 0, 2, 0xAB, 0xCD});
  Ask(CMD_RUNTIME_TO_EEPROM, {});
  EXPECT_EQ(sim_.Model(1).eeprom[0x30], 0xAB);
  sim_.WithDevice(1, [](DeviceModel& m) { m.defaultSetup[0x28] = 0x42; });
  Ask(CMD_LOAD_DEFAULTS, {});
  EXPECT_EQ(Ask(CMD_BLOCK_READ, {0x00, 0x30, 0, 0, 2}).data, (Bytes{0x42, 0x00}));
  EXPECT_FALSE(Ask(CMD_SETUP_CHECKSUM_TEST, {}).status & DEVICE_STATUS_ERROR);
  Ask(CMD_SETUP_ERASE, {});
  EXPECT_EQ(Ask(CMD_SETUP_SELECT, {1}).data, (Bytes{2}));
  EXPECT_EQ(Ask(CMD_BLOCK_READ, {0x00, 0x30, 0, 0, 1}).data, (Bytes{0xFF}));
}

TEST_F(CatalogueTest, ValueStreamSendsOneFramePerWriteUntilStopped) {
  sim_.WithDevice(1, [](DeviceModel& m) {
    m.streamValue = 0x01020304;
    m.streamStep = 1;
    m.streamIntervalMs = 20;
  });
  Ask(CMD_VALUE_STREAM, {1, 0});
  for (std::int32_t expected = 0x01020304; expected < 0x01020304 + 3; ++expected) {
    const Bytes frame = client_.ReadBytes(6, std::chrono::seconds(5));
    EXPECT_EQ(frame, EncodeStreamFrame(expected));
  }
  client_.Write(EncodeRequest(1, CMD_VALUE_STREAM, Bytes{0, 0}, Framing{}));
  // Frames sent before the stop may still be on the line; the stop's reply is the last thing sent.
  ASSERT_TRUE(sim_.Log().WaitFor(
      [](const auto& log) { return !log.empty() && log.back().direction == Direction::Sent && log.back().bytes.size() == 9; },
      std::chrono::seconds(5)));
  Bytes tail = client_.ReadUntilQuiet(std::chrono::milliseconds(300), std::chrono::seconds(5));
  ASSERT_GE(tail.size(), 9u);
  const auto reply = ParseReplyFrame(Bytes(tail.end() - 9, tail.end()));
  ASSERT_TRUE(reply.has_value());
  EXPECT_EQ(reply->command, CMD_VALUE_STREAM | REPLY_FLAG);
  EXPECT_EQ((tail.size() - 9) % 6, 0u) << "whole stream frames in front of the reply";
  EXPECT_FALSE(sim_.Model(1).streamRunning);
  for (const LogEntry& e : sim_.Log().Entries(Direction::Sent))
    EXPECT_TRUE(e.bytes.size() == 6 || e.bytes.size() == 9) << "one frame per write";
}

TEST_F(CatalogueTest, ResetRestartsWithoutAnswerAndStaysSilentForItsRestart) {
  sim_.WithDevice(1, [](DeviceModel& m) {
    m.streamRunning = true;
    m.streamKind = 2;
    m.restartSilenceMs = 60000;
  });
  client_.Write(EncodeRequest(1, CMD_RESET, Bytes{1}, Framing{}));
  ASSERT_TRUE(sim_.Log().WaitFor([](const auto& log) { return !log.empty(); }, std::chrono::seconds(5)));
  EXPECT_FALSE(client_.Transact(1, CMD_ADC_INFO, {}, std::chrono::milliseconds(300)).has_value());
  const DeviceModel m = sim_.Model(1);
  EXPECT_EQ(m.resetCount, 1);
  EXPECT_FALSE(m.streamRunning);
  EXPECT_TRUE(sim_.Log().Entries(Direction::Sent).empty());
}

}  // namespace
}  // namespace devsim
