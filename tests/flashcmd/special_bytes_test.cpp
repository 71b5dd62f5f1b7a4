// The special-byte, security and fuse keywords against the boot-loader
// simulator: one run per part family with a table of keywords, each with
// its step line and the records it puts on the line.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/flashcmd/flashcmd_run.h"

namespace {

using sim::MakeRecord;
using sim::Special;

struct Row {
  Words words;
  std::string lines;  // the step lines the words print
  Words records;      // what the boot loader gets for them
};

struct FamilyTable {
  std::string device;
  std::string family;
  std::uint8_t version;
  size_t connectionRecords;  // the sync and the version read, with MCU27's selections
  std::function<void(sim::BootloaderEngine&)> prepare;
  std::vector<Row> rows;
};

void PrintTo(const FamilyTable& table, std::ostream* os) { *os << table.device; }

const std::string kNotImplemented = "FAIL\tFunction is not implemented.";

// Reads and writes whose record the plain protocol leaves empty: nothing is sent.
std::vector<Row> missingByteRows(const std::vector<std::pair<std::string, std::string>>& keywords) {
  std::vector<Row> rows;
  for (const auto& [keyword, message] : keywords) {
    Words words{keyword};
    if (keyword[0] == 'W') words.push_back("1");
    rows.push_back({words, dotted(message, kNotImplemented), {}});
  }
  return rows;
}

std::vector<Row> concat(std::vector<Row> a, const std::vector<Row>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

const std::string kReadSbv = ":020000050702F0";
const std::string kReadHwb = ":020000050B00EE";

std::vector<Row> baseRows() {
  return concat(
      {
          {{"RBOOTID1"}, dotted("Reading Boot ID1", "PASS\t0xD7"), {":020000050E00EB"}},
          {{"RBOOTID2", "0x01"}, dotted("Reading Boot ID2", "PASS\t0x01"), {":020000050E01EA"}},
          {{"RSBV", "0x5a"}, dotted("Reading Software Boot Vector", "FAIL\t0xFC\t0X5A"), {kReadSbv}},
          {{"RSBV", "252"}, dotted("Reading Software Boot Vector", "PASS\t0xFC"), {kReadSbv}},
          {{"RSBV", "5"}, dotted("Reading Software Boot Vector", "FAIL\t0xFC\t5"), {kReadSbv}},
          {{"WSBV", "0x5a"}, dotted("Writing Software Boot Vector", "PASS\t0x5a"), {MakeRecord("0300000306015A")}},
          {{"RSBV", "0X5A"}, dotted("Reading Software Boot Vector", "PASS\t0x5A"), {kReadSbv}},
          {{"RBSB", "ERASE", "F"},
           dotted("Reading Boot Status Byte", "PASS\t0xA5") + dotted("Erasing", "PASS "),
           {":020000050701F1", ":0100000307F5"}},
          {{"WBSB", "0"}, dotted("Writing Boot Status Byte", "PASS\t0"), {MakeRecord("03000003060000")}},
          {{"RBSB"}, dotted("Reading Boot Status Byte", "PASS\t0x00"), {":020000050701F1"}},
          {{"RHWB"}, dotted("Reading Hardware Byte", "PASS\t0xFF"), {kReadHwb}},
          {{"WHWB", "0x7F"}, dotted("Writing Hardware Byte", kNotImplemented), {}},
          {{"REB"}, dotted("Reading Extra Byte", "PASS\t0x3C"), {":020000050706EC"}},
          {{"WEB", "255"}, dotted("Writing Extra Byte", "PASS\t255"), {MakeRecord("030000030606FF")}},
          {{"REB", "0xff"}, dotted("Reading Extra Byte", "PASS\t0xFF"), {":020000050706EC"}},
          {{"RSSB", "0xFF"}, dotted("Reading Software Security Byte", "PASS\t0xFF"), {":020000050700F2"}},
          {{"WSSB", "0xFE"}, dotted("Writing Software Security Byte", kNotImplemented), {}},
          {{"RSIGB"},
           dotted("Reading Signature Bytes", "PASS\t58 D7 F7 04 "),
           {":020000050000F9", ":020000050001F8", ":020000050002F7", ":020000050003F6"}},
          // A fuse is a bit of the hardware byte: 0 when enabled.
          {{"ENAX2"}, dotted("Enabling X2 Fuse", "PASS\tF7"), {":030000030A0800E8", kReadHwb}},
          {{"DISX2"}, dotted("Disabling X2 Fuse", "PASS\tFF"), {":030000030A0801E7", kReadHwb}},
          {{"ENABLJB"}, dotted("Enabling BLJB Fuse", "PASS\tFB"), {":030000030A0400EC", kReadHwb}},
          {{"DISBLJB"}, dotted("Disabling BLJB Fuse", "PASS\tFF"), {":030000030A0401EB", kReadHwb}},
          {{"ENAOSC"}, dotted("Enabling OSC Fuse", "PASS\tFD"), {":030000030A0200EE", kReadHwb}},
          {{"DISOSC"}, dotted("Disabling OSC Fuse", "PASS\tFF"), {":030000030A0201ED", kReadHwb}},
          {{"ENASELBOOT"}, dotted("Enabling SelBoot Fuse", "PASS\tFE"), {":030000030A0100EF", kReadHwb}},
          {{"DISSELBOOT"}, dotted("Disabling SelBoot Fuse", "PASS\tFF"), {":030000030A0101EE", kReadHwb}},
      },
      concat(missingByteRows({{"RCRIS", "Reading CAN Reloc. Id. Seg."},
                              {"WCRIS", "Writing CAN Reloc. Id. Seg."},
                              {"RNNB", "Reading CAN Node Number"},
                              {"WNNB", "Writing CAN Node Number"},
                              {"RBTC1", "Reading Bit Timing Config. 1"},
                              {"WBTC1", "Writing Bit Timing Config. 1"},
                              {"RBTC2", "Reading Bit Timing Config. 2"},
                              {"WBTC2", "Writing Bit Timing Config. 2"},
                              {"RBTC3", "Reading Bit Timing Config. 3"},
                              {"WBTC3", "Writing Bit Timing Config. 3"},
                              {"RP1CFG", "Reading P1 Config."},
                              {"WP1CFG", "Writing P1 Config."},
                              {"RP3CFG", "Reading P3 Config."},
                              {"WP3CFG", "Writing P3 Config."},
                              {"RP4CFG", "Reading P4 Config."},
                              {"WP4CFG", "Writing P4 Config."}}),
             {
                 // Level 2 protects the memories: the security byte follows.
                 {{"SSL1"}, dotted("Setting Security Level 1", "PASS "), {":020000030500F6"}},
                 {{"SSL2"}, dotted("Setting Security Level 2", "PASS "), {":020000030501F5"}},
                 {{"RSSB", "0xFC"}, dotted("Reading Software Security Byte", "PASS\t0xFC"), {":020000050700F2"}},
             }));
}

// MCU27 reaches every special byte through its memory: the memory of the
// byte is selected before the access and FLASH again after it.
Words mcu27Read(int memory, const std::string& record) {
  return {MakeRecord("02000004" + sim::HexText({static_cast<std::uint8_t>(memory), 0})), ":020000020000FC", record,
          ":020000040000FA", ":020000020000FC"};
}

const FamilyTable kTables[] = {
    {"MCU02", "MCU02", 0x20, 2,
     [](sim::BootloaderEngine& e) {
       e.setSpecial(Special::Bsb, 0xA5);
       e.setSpecial(Special::Eb, 0x3C);
       e.setSpecial(Special::Device3, 0x04);
     },
     baseRows()},
    {"MCU01", "MCU01", 0x20, 2, [](sim::BootloaderEngine& e) { e.setSpecial(Special::P1Conf, 0x11); },
     {
         {{"RP1CFG"}, dotted("Reading P1 Config.", "PASS\t0x11"), {":020000050703EF"}},
         {{"WP1CFG", "0x22"}, dotted("Writing P1 Config.", "PASS\t0x22"), {MakeRecord("03000003060222")}},
         {{"RP1CFG", "0x22"}, dotted("Reading P1 Config.", "PASS\t0x22"), {":020000050703EF"}},
         {{"WP3CFG", "0x33"}, dotted("Writing P3 Config.", "PASS\t0x33"), {MakeRecord("03000003060333")}},
         {{"RP3CFG"}, dotted("Reading P3 Config.", "PASS\t0x33"), {":020000050704EE"}},
         {{"WP4CFG", "0x44"}, dotted("Writing P4 Config.", "PASS\t0x44"), {MakeRecord("03000003060444")}},
         {{"RP4CFG"}, dotted("Reading P4 Config.", "PASS\t0x44"), {":020000050705ED"}},
         // MCU01 has neither the OSC nor the BLJB fuse: nothing is sent.
         {{"ENAOSC"}, dotted("Enabling OSC Fuse", kNotImplemented), {}},
         {{"DISBLJB"}, dotted("Disabling BLJB Fuse", kNotImplemented), {}},
         {{"ENAX2"}, dotted("Enabling X2 Fuse", "PASS\tF7"), {":030000030A0800E8", kReadHwb}},
     }},
    {"MCU08", "MCU08", 0x20, 2, nullptr,
     {
         {{"DISOSC"}, dotted("Disabling OSC Fuse", kNotImplemented), {}},
         {{"ENABLJB"}, dotted("Enabling BLJB Fuse", "PASS\tFB"), {":030000030A0400EC", kReadHwb}},
     }},
    {"MCU23", "MCU23", 0x20, 2, [](sim::BootloaderEngine& e) { e.setSpecial(Special::Hwb, 0x9C); },
     {
         {{"RHWB", "0x9C"}, dotted("Reading Hardware Byte", "PASS\t0x9C"), {":020000050703EF"}},
     }},
    {"MCU20", "MCU20", 0x20, 2, nullptr,
     {
         {{"RBOOTID1"}, dotted("Reading Boot ID1", kNotImplemented), {}},
         {{"RBOOTID2"}, dotted("Reading Boot ID2", kNotImplemented), {}},
         {{"RSBV"}, dotted("Reading Software Boot Vector", "PASS\t0xFC"), {kReadSbv}},
     }},
    // Boot loaders up to version 12 of MCU05 have no extra byte.
    {"MCU05", "MCU05", 0x12, 2, nullptr,
     {
         {{"REB"}, dotted("Reading Extra Byte", kNotImplemented), {}},
         {{"WEB", "0"}, dotted("Writing Extra Byte", kNotImplemented), {}},
     }},
    {"MCU27", "MCU27", 0x20, 6, [](sim::BootloaderEngine& e) { e.setSpecial(Special::Hwb, 0xEF); },
     {
         {{"RSBV", "0xFC"}, dotted("Reading Software Boot Vector", "PASS\t0xFC"), mcu27Read(4, kReadSbv)},
         {{"RHWB"}, dotted("Reading Hardware Byte", "PASS\t0xEF"), mcu27Read(5, kReadHwb)},
         {{"RBOOTID2"}, dotted("Reading Boot ID2", "PASS\t0x01"), mcu27Read(3, ":020000050E01EA")},
         {{"WSBV", "0"},
          dotted("Writing Software Boot Vector", "PASS\t0"),
          mcu27Read(4, MakeRecord("03000003060100"))},
     }},
};

class FlashcmdSpecialBytes : public FlashcmdRun, public testing::WithParamInterface<FamilyTable> {};

TEST_P(FlashcmdSpecialBytes, EveryKeywordOfTheFamily) {
  const FamilyTable& table = GetParam();
  startLoader(config(table.family, table.version));
  if (table.prepare) engine([&](sim::BootloaderEngine& e) {
      table.prepare(e);
      return 0;
    });

  Words operations{"ONFAIL", "IGNORE"};
  std::string lines;
  Words records;
  for (const Row& row : table.rows) {
    operations.insert(operations.end(), row.words.begin(), row.words.end());
    lines += row.lines;
    records.insert(records.end(), row.records.begin(), row.records.end());
  }
  const ProgramRun r = run(operations, {"-device", table.device});
  EXPECT_EQ(r.status, 0) << r.output << r.errors;
  const size_t at = r.output.find(dotted("Reading Bootloader version", "PASS\t"));
  ASSERT_NE(at, std::string::npos) << r.output;
  const std::string afterConnecting = r.output.substr(r.output.find('\n', at + 1));
  EXPECT_EQ(afterConnecting.substr(0, lines.size()), lines);
  EXPECT_EQ(afterConnecting.substr(lines.size(), 11), "\n\nSummary: ");
  EXPECT_EQ(requestsSince(table.connectionRecords), records);
}

INSTANTIATE_TEST_SUITE_P(Families, FlashcmdSpecialBytes, testing::ValuesIn(kTables),
                         [](const auto& info) { return info.param.device; });

TEST_F(FlashcmdRun, WriteKeywordsTakeOneByte) {
  const std::string invalid = "FAIL\tInvalid argument.\n\nISP done.\n";
  expectFailedRuns({
      {{"WSBV", "FF"}, dotted("Writing Software Boot Vector", invalid)},
      {{"WSBV", "0x1FF"}, dotted("Writing Software Boot Vector", invalid)},
      {{"WEB", "-1"}, dotted("Writing Extra Byte", invalid)},
      // No value word: the run ends before the step line.
      {{"WBSB"}, "1.2.0FAIL\tInvalid or missing argument.\n\nISP done.\n"},
  });
  EXPECT_EQ(logged("write"), 0);
}

TEST_F(FlashcmdRun, MismatchAsksWhatToDoAndRetriesTheRead) {
  ChildProcess child(kFlashcmd, setup({"RSBV", "0xFF", "RBSB"}));
  const std::string question = "\n(A)bort, (R)etry, (I)gnore ? ";
  ASSERT_TRUE(child.waitForOutput(question)) << child.output();
  engine([](sim::BootloaderEngine& e) {
    e.setSpecial(Special::Sbv, 0xFF);
    return 0;
  });
  child.writeInput("r\n");
  EXPECT_EQ(child.wait(), 0) << child.output();
  EXPECT_NE(child.output().find(dotted("Reading Software Boot Vector", "FAIL\t0xFC\t0XFF") + question +
                                dotted("Reading Software Boot Vector", "PASS\t0xFF") +
                                dotted("Reading Boot Status Byte", "PASS\t0xFF") + summary(8, 7, 1)),
            std::string::npos)
      << child.output();
}

TEST_F(FlashcmdRun, DemoModeShowsNoValues) {
  ChildProcess::Setup s = setup({"RSBV", "ENAX2", "RSIGB", "WSBV", "1", "SSL2"}, {"-device", "MCU02", "-demo"});
  s.env = {{"SERIAL_COM1", "/nonexistent/tty"}};
  const ProgramRun r = runFlashcmd(s);
  EXPECT_EQ(r.status, 0) << r.output;
  EXPECT_TRUE(endsWith(r.output, dotted("Reading Software Boot Vector", "PASS\tXX") +
                                     dotted("Enabling X2 Fuse", "PASS\tXX") +
                                     dotted("Reading Signature Bytes", "PASS\tXX") +
                                     dotted("Writing Software Boot Vector", "PASS\t1") +
                                     dotted("Setting Security Level 2", "PASS ") + summary(10, 10, 0)))
      << r.output;
  EXPECT_TRUE(loader().log().empty());
}

}  // namespace
