// Runs of the programmer on the CAN hardware: whole jobs through the
// serial CAN adapter against the CAN boot-loader simulator, and what a user
// sees when an adapter cannot be opened.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "tests/flashcmd/flashcmd_run.h"
#include "tests/flashcmd/hex_file_text.h"
#include "tests/sim/canloader/can_loader_sim.h"

namespace {

using Frames = std::vector<std::string>;

std::string hex(std::uint32_t value, int width) {
  char text[12];
  std::snprintf(text, sizeof text, "%0*X", width, value);
  return text;
}

// A job on MCU26 through the serial adapter on "COM1", in a folder of its own.
class FlashcmdCanRun : public testing::Test {
 protected:
  void startLoader(const sim::CanLoaderConfig& config) { loader_ = std::make_unique<sim::CanLoaderSim>(config); }

  ProgramRun run(const Words& operations, const char* part = "MCU26") const {
    ChildProcess::Setup setup;
    setup.args = {"-device", part, "-hardware", "NORVA_RS232", "-port", "COM1", "-operation"};
    setup.args.insert(setup.args.end(), operations.begin(), operations.end());
    setup.env = {{"SERIAL_COM1", loader_->slavePath()}};
    setup.folder = dir_.file("");
    return runFlashcmd(setup);
  }

  template <class F>
  auto onLoader(F f) const {
    return loader_->withLoader(f);
  }

  std::unique_ptr<sim::CanLoaderSim> loader_;
  TempDir dir_;
};

sim::CanLoaderConfig mcu26(std::uint8_t cris) {
  sim::CanLoaderConfig config;
  config.cris = cris;
  return config;
}

TEST_F(FlashcmdCanRun, ProgramsAndVerifiesAFileThroughTheNode) {
  constexpr std::uint32_t kSize = 4096;
  constexpr std::uint8_t kSeed = 5;
  startLoader(mcu26(0x12));
  dir_.write("in.hex", canonicalHexFile(kSize, kSeed));
  const ProgramRun r =
      run({"LOADBUFFER", "in.hex", "CANOPEN", "5", "0x12", "ERASE", "F", "PROGRAM", "VERIFY", "CANCLOSE", "5"});
  ASSERT_EQ(r.status, 0) << r.output << r.errors;
  const std::string output = withoutDate(r.output);
  for (const std::string& line :
       {std::string("\n\n\nMCU26 - NORVA_RS232 - COM1 - 115200 - 500Kbit\n\n"), dotted("Opening port", "PASS "),
        dotted("Opening CAN Node", "PASS\t0x05\t0x12"), dotted("Reading Bootloader version", "PASS\t1.2.3"),
        dotted("Closing CAN Node", "PASS\t5"), summary(10, 10, 0)})
    EXPECT_NE(output.find(line), std::string::npos) << line << "\n" << output;

  // Exactly the frames of the protocol: node and version, erase, the
  // programming start, one data frame per eight bytes, the boot status
  // byte, one read per eight addresses, and the node closed again.
  Frames expected = {"1200105", "125020000", "1240200FF", "12105000000" + hex(kSize - 1, 4)};
  for (std::uint32_t a = 0; a < kSize; a += 8) {
    std::string frame = "12208";
    for (std::uint32_t k = 0; k < 8; ++k) frame += hex(canonicalByte(a + k, kSeed), 2);
    expected.push_back(frame);
  }
  expected.push_back("12403010000");
  for (std::uint32_t a = 0; a < kSize; a += 8) expected.push_back("1230500" + hex(a, 4) + hex(a + 7, 4));
  expected.push_back("1200105");
  EXPECT_EQ(loader_->requests(), expected);

  const std::vector<std::uint8_t> flash = onLoader([](sim::CanLoader& l) { return l.memory(0); });
  for (std::uint32_t a = 0; a < kSize; ++a) ASSERT_EQ(flash[a], canonicalByte(a, kSeed)) << a;
  EXPECT_EQ(flash[kSize], 0xFF);
  EXPECT_FALSE(onLoader([](sim::CanLoader& l) { return l.nodeOpen(); }));
}

TEST_F(FlashcmdCanRun, Mcu27SelectsMemoryAndPageOnIdentifierSix) {
  sim::CanLoaderConfig config;
  config.family = "MCU27";
  startLoader(config);
  dir_.write("in.hex", canonicalHexFile(64, 9));
  const ProgramRun r = run({"LOADBUFFER", "in.hex", "CANOPEN", "5", "0", "PROGRAM", "VERIFY"}, "MCU27");
  ASSERT_EQ(r.status, 0) << r.output << r.errors;
  const Frames frames = loader_->requests();
  // The version lives in memory 3: selected for the read and left again;
  // then memory 0, page 0 for the programmed range.
  ASSERT_GE(frames.size(), 5u);
  EXPECT_EQ(Frames(frames.begin(), frames.begin() + 5),
            (Frames{"0000105", "00603030300", "00305000000" "0000", "00603030000", "00603030000"}));
  EXPECT_EQ(frames[5], "0010500" "0000" "003F");
  // Memory 0, page 0 again before the verify.
  EXPECT_EQ(frames[14], "00603030000");
  EXPECT_EQ(frames[15], "0030500" "0000" "0007");
  const std::vector<std::uint8_t> flash = onLoader([](sim::CanLoader& l) { return l.memory(0); });
  for (std::uint32_t a = 0; a < 64; ++a) ASSERT_EQ(flash[a], canonicalByte(a, 9)) << a;
}

// The lines appear in this order in the output.
void expectInOrder(const std::string& output, const std::vector<std::string>& lines) {
  size_t at = 0;
  for (const std::string& line : lines) {
    const size_t found = output.find(line, at);
    ASSERT_NE(found, std::string::npos) << line << "\n" << output;
    at = found + line.size();
  }
}

// Special bytes, fuses and security levels of a standard CAN part through
// the programmer's keywords, with their expected-value checks.
TEST_F(FlashcmdCanRun, SpecialBytesAndFusesOfACanPart) {
  startLoader(mcu26(0));
  const ProgramRun r = run({"ONFAIL", "IGNORE", "CANOPEN", "5", "0", "RNNB", "5", "RNNB", "6", "WBTC1", "0x25",
                            "RBTC1", "0x25", "RHWB", "ENAX2", "DISOSC", "ENASELBOOT", "RCRIS", "SSL1", "RSSB", "0xFE",
                            "WSSB", "0xFC", "RSIGB"});
  ASSERT_EQ(r.status, 0) << r.output << r.errors;
  expectInOrder(r.output, {dotted("Reading CAN Node Number", "PASS\t0x05"),
                           dotted("Reading CAN Node Number", "FAIL\t0x05\t6"),
                           dotted("Writing Bit Timing Config. 1", "PASS\t0x25"),
                           dotted("Reading Bit Timing Config. 1", "PASS\t0x25"),
                           dotted("Reading Hardware Byte", "PASS\t0xFF"), dotted("Enabling X2 Fuse", "PASS\t7F"),
                           dotted("Disabling OSC Fuse", "PASS\t7F"),
                           dotted("Enabling SelBoot Fuse", "FAIL\tFunction is not implemented."),
                           dotted("Reading CAN Reloc. Id. Seg.", "PASS\t0x00"),
                           dotted("Setting Security Level 1", "PASS "),
                           dotted("Reading Software Security Byte", "PASS\t0xFE"),
                           dotted("Writing Software Security Byte", "FAIL\tFunction is not implemented."),
                           dotted("Reading Signature Bytes", "PASS\t58 D7 BB FE "), summary(18, 15, 3)});
  const Frames frames = loader_->requests();
  // X2 is fuse 2, the top bit of the hardware byte; OSC fuse 0, bit 5. Each
  // fuse keyword shows the hardware byte read afterwards. The hardware byte
  // holds no SelBoot fuse: nothing is sent for it.
  EXPECT_EQ(Frames(frames.begin() + 2, frames.end()),
            (Frames{"00502011F", "00502011F", "00403011C25", "00502011C", "005020200", "005020200", "0040302007F",
                    "005020200", "005020200", "0040302007F", "005020200", "005020120", "004030105FE", "005020105",
                    "005020130", "005020131", "005020160", "005020161"}));
  EXPECT_EQ(onLoader([](sim::CanLoader& l) { return l.special(sim::CanSpecial::Btc1); }), 0x25);
  EXPECT_EQ(onLoader([](sim::CanLoader& l) { return l.securityLevel(); }), 1);
}

// MCU27 reaches each byte as a one-byte range of its memory, selected on
// identifier 6 before the access and left after it.
TEST_F(FlashcmdCanRun, SpecialBytesAndFusesOfMcu27) {
  sim::CanLoaderConfig config;
  config.family = "MCU27";
  startLoader(config);
  const ProgramRun r = run({"ONFAIL", "IGNORE", "CANOPEN", "5", "0", "WNNB", "6", "RNNB", "6", "ENAX2", "RP1CFG",
                            "SSL1"},
                           "MCU27");
  ASSERT_EQ(r.status, 0) << r.output << r.errors;
  expectInOrder(r.output, {dotted("Writing CAN Node Number", "PASS\t6"),
                           dotted("Reading CAN Node Number", "PASS\t0x06"), dotted("Enabling X2 Fuse", "PASS\t7F"),
                           dotted("Reading P1 Config.", "FAIL\tFunction is not implemented."),
                           dotted("Setting Security Level 1", "FAIL\tFunction is not implemented.")});
  const Frames frames = loader_->requests();
  EXPECT_EQ(Frames(frames.begin() + 4, frames.begin() + 19),
            (Frames{"00603030400", "0010500001F001F", "0020106", "00603030000",                    // WNNB
                    "00603030400", "0030500001F001F", "00603030000",                               // RNNB
                    "00603030500", "003050000070007", "001050000070007", "002017F", "00603030000",  // ENAX2
                    "00603030500", "003050000070007", "00603030000"}));                           // its read
  EXPECT_EQ(onLoader([](sim::CanLoader& l) { return l.special(sim::CanSpecial::Nnb); }), 0x06);
  EXPECT_EQ(onLoader([](sim::CanLoader& l) { return l.special(sim::CanSpecial::Hwb); }), 0x7F);
}

struct RunFailure {
  const char* name;
  sim::CanFault fault;  // on the first data frame
  const char* message;
};

void PrintTo(const RunFailure& c, std::ostream* os) { *os << c.name; }

class FlashcmdCanFailure : public FlashcmdCanRun, public testing::WithParamInterface<RunFailure> {};

// A failing data frame under ONFAIL ABORT ends the run with the text of its
// status.
TEST_P(FlashcmdCanFailure, EndsTheRunWithTheStatusText) {
  startLoader(mcu26(0));
  onLoader([](sim::CanLoader& l) {
    l.injectFault(sim::CanFault::None, 3);  // node, version, programming start
    l.injectFault(GetParam().fault);
    return 0;
  });
  dir_.write("in.hex", canonicalHexFile(64, 1));
  const ProgramRun r = run({"ONFAIL", "ABORT", "LOADBUFFER", "in.hex", "CANOPEN", "5", "0", "PROGRAM"});
  EXPECT_EQ(r.status, 255);
  EXPECT_NE(r.output.find(GetParam().message), std::string::npos) << r.output;
}

INSTANTIATE_TEST_SUITE_P(
    DataFrame, FlashcmdCanFailure,
    testing::Values(RunFailure{"Refusal", sim::CanFault::Refuse, "Device protection is set."},
                    RunFailure{"WrongIdentifier", sim::CanFault::WrongId, "CAN message ID is not valid."},
                    RunFailure{"BadAcknowledgement", sim::CanFault::BadAck, "Invalid bootloader reply."}));

TEST_F(FlashcmdCanRun, AClosedNodeRefusesToProgram) {
  startLoader(mcu26(0));
  dir_.write("in.hex", canonicalHexFile(64, 1));
  const ProgramRun r = run({"ONFAIL", "ABORT", "LOADBUFFER", "in.hex", "PROGRAM"});
  EXPECT_EQ(r.status, 255);
  EXPECT_NE(r.output.find("The CAN node is closed."), std::string::npos) << r.output;
  EXPECT_TRUE(loader_->requests().empty());
}

TEST_F(FlashcmdCanRun, ASilentBusEndsTheNodeOpening) {
  startLoader(mcu26(0));
  onLoader([](sim::CanLoader& l) {
    l.injectFault(sim::CanFault::Silence, 5);
    return 0;
  });
  const ProgramRun r = run({"ONFAIL", "ABORT", "CANOPEN", "5", "0", "ERASE", "F"});
  EXPECT_EQ(r.status, 255);
  EXPECT_NE(r.output.find(dotted("Opening CAN Node", "FAIL")), std::string::npos) << r.output;
  EXPECT_NE(r.output.find("Timeout error."), std::string::npos) << r.output;
  EXPECT_EQ(loader_->requests(), (Frames{"0000105"}));
}

ProgramRun runWithoutAdapter(Words args, std::vector<std::pair<std::string, std::string>> env) {
  ChildProcess::Setup setup;
  setup.args = std::move(args);
  setup.env = std::move(env);
  return runFlashcmd(setup);
}

const char* const kOpeningFailed = "Opening port........................... FAIL\tCannot open port.\nISP done.\n";

TEST(FlashcmdCan, AnAdapterInterfaceThatCannotBeOpenedIsNamed) {
  const ProgramRun r = runWithoutAdapter({"-device", "MCU26", "-hardware", "PEAK", "-operation", "ERASE", "F"},
                           {{"CANLINK_INTERFACE", "canlinktest9"}});
  EXPECT_EQ(r.status, 255);
  EXPECT_NE(r.output.find("MCU26 - PEAK - 500Kbit"), std::string::npos) << r.output;
  EXPECT_NE(r.output.find(kOpeningFailed), std::string::npos) << r.output;
  EXPECT_EQ(r.errors.rfind("canlink_peak: cannot open CAN interface canlinktest9: ", 0), 0u) << r.errors;
}

TEST(FlashcmdCan, TheSerialAdapterNeedsOneOfTheFirstFourPorts) {
  const ProgramRun r = runWithoutAdapter({"-device", "MCU26", "-hardware", "NORVA_RS232", "-port", "COM5", "-operation", "ERASE", "F"},
                           {{"SERIAL_COM5", "/nonexistent/tty"}});
  EXPECT_EQ(r.status, 255);
  EXPECT_NE(r.output.find(kOpeningFailed), std::string::npos) << r.output;
  EXPECT_NE(r.errors.find("canlink_serial: port code 0 names no serial port"), std::string::npos) << r.errors;
}

}  // namespace
