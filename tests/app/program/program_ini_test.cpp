// The program ini without a window: the keys, their order and defaults, the
// values forced at every load, and what an existing file keeps.
#include "app/program/program_ini.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "platform/forms/ini_file.h"
#include "tests/support/file_size_limit.h"

namespace {

class ProgramIni : public ::testing::Test {
 protected:
  std::string path() const { return dir_.filePath("rtv482_2.ini").toStdString(); }
  void Write(const std::string& text) const { std::ofstream(path(), std::ios::binary) << text; }
  std::string Read() const {
    std::ifstream in(path(), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

  QTemporaryDir dir_;
};

StoredPresence DefaultPresence() {
  StoredPresence present{};
  present[0] = 1;
  return present;
}

// The file a run without a program ini leaves behind.
const char* const kFreshFile =
    "[COM]\n"
    "vd417_adr=1\n"
    "auto_baud=0\n"
    "stx_etx=1\n"
    "csum=1\n"
    "pb=0\n"
    "start_brdcast=0\n"
    "get_diag=0\n"
    "diag_interval=5000\n"
    "rs232_logging=0\n"
    "rs485=0\n"
    "check_connect=0\n"
    "setup_reconnect=0\n"
    "[ADC]\n"
    "sdcont=0\n"
    "sdcont_avg=1\n"
    "sdcont_avg_time=250\n"
    "btncont=0\n"
    "cal_null_pkt=0\n"
    "cal_end_pkt=2\n"
    "[RTV482]\n"
    "button_tar_null=0\n"
    "brutto_netto_mode=0\n"
    "lang=0\n"
    "[DEVICES]\n"
    "dev_1=1\n"
    "dev_2=0\n"
    "dev_3=0\n"
    "dev_4=0\n"
    "dev_5=0\n"
    "dev_6=0\n"
    "dev_7=0\n"
    "dev_8=0\n"
    "dev_9=0\n"
    "dev_10=0\n"
    "dev_11=0\n"
    "dev_12=0\n"
    "dev_13=0\n"
    "dev_14=0\n"
    "dev_15=0\n"
    "dev_16=0\n";

TEST_F(ProgramIni, AFreshFileHoldsTheFourSectionsWithEveryKeyInOrder) {
  ProgramOptions options;
  StoredPresence present{};
  ReadProgramIni(TIniFile(path()), options, present);  // no file: the defaults
  TIniFile ini(path());
  WriteProgramIni(ini, options, present);
  EXPECT_EQ(Read(), kFreshFile);
}

struct LoadCase {
  const char* name;
  const char* file;  // nullptr: no file
  std::function<void(ProgramOptions&, StoredPresence&)> expect;  // changes from the defaults
};

TEST_F(ProgramIni, LoadsKeysWithTheirDefaultsAndForcesTheSwitchesOfARun) {
  const LoadCase cases[] = {
      {"no file", nullptr, [](ProgramOptions&, StoredPresence&) {}},
      {"framing, stream, button mode and baud search forced",
       "[COM]\nstx_etx=0\ncsum=0\nauto_baud=1\n[ADC]\nsdcont=1\nbtncont=1\n", [](ProgramOptions&, StoredPresence&) {}},
      {"byte keeps its low 8 bits", "[COM]\nvd417_adr=300\n", [](ProgramOptions& o, StoredPresence&) { o.vd417_adr = 44; }},
      {"no number gives the default", "[COM]\nvd417_adr=abc\ndiag_interval=\n[ADC]\nsdcont_avg_time=x1\n",
       [](ProgramOptions&, StoredPresence&) {}},
      {"every key read",
       "[COM]\nvd417_adr=5\npb=1\nstart_brdcast=1\nget_diag=1\ndiag_interval=1200\nrs232_logging=1\nrs485=1\n"
       "check_connect=1\nsetup_reconnect=1\n[ADC]\nsdcont_avg=0\nsdcont_avg_time=400\ncal_null_pkt=0.5\n"
       "cal_end_pkt=1.75\n[RTV482]\nbutton_tar_null=1\nbrutto_netto_mode=2\nlang=1\n",
       [](ProgramOptions& o, StoredPresence&) {
         o.vd417_adr = 5;
         o.pb = o.start_brdcast = o.get_diag = o.rs232_logging = o.rs485 = o.check_connect = o.setup_reconnect = 1;
         o.diag_interval = 1200;
         o.sdcont_avg = 0;
         o.sdcont_avg_time = 400;
         o.cal_null_pkt = 0.5f;
         o.cal_end_pkt = 1.75f;
         o.button_tar_null = 1;
         o.brutto_netto_mode = 2;
         o.lang = 1;
       }},
      {"decimal comma of an older installation", "[ADC]\ncal_end_pkt=1,5\n",
       [](ProgramOptions& o, StoredPresence&) { o.cal_end_pkt = 1.5f; }},
      {"section and key names in any case", "[com]\nVD417_ADR=9\n", [](ProgramOptions& o, StoredPresence&) { o.vd417_adr = 9; }},
      {"presence of addresses 1 .. 16", "[DEVICES]\ndev_1=0\ndev_3=1\ndev_16=1\ndev_17=1\n",
       [](ProgramOptions&, StoredPresence& p) {
         p[0] = 0;
         p[2] = 1;
         p[15] = 1;
       }},
  };
  for (const LoadCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::remove(path().c_str());
    if (c.file != nullptr) Write(c.file);
    ProgramOptions expected;
    StoredPresence expectedPresence = DefaultPresence();
    c.expect(expected, expectedPresence);

    // Start from values that a load must overwrite.
    ProgramOptions options;
    options.stx_etx = options.csum = 0;
    options.sdcont = options.btncont = options.auto_baud = 1;
    options.vd417_adr = 99;
    StoredPresence present{};
    present.fill(7);
    ReadProgramIni(TIniFile(path()), options, present);

    EXPECT_EQ(options.vd417_adr, expected.vd417_adr);
    EXPECT_EQ(options.auto_baud, 0);
    EXPECT_EQ(options.stx_etx, 1);
    EXPECT_EQ(options.csum, 1);
    EXPECT_EQ(options.sdcont, 0);
    EXPECT_EQ(options.btncont, 0);
    EXPECT_EQ(options.pb, expected.pb);
    EXPECT_EQ(options.start_brdcast, expected.start_brdcast);
    EXPECT_EQ(options.get_diag, expected.get_diag);
    EXPECT_EQ(options.diag_interval, expected.diag_interval);
    EXPECT_EQ(options.rs232_logging, expected.rs232_logging);
    EXPECT_EQ(options.rs485, expected.rs485);
    EXPECT_EQ(options.check_connect, expected.check_connect);
    EXPECT_EQ(options.setup_reconnect, expected.setup_reconnect);
    EXPECT_EQ(options.sdcont_avg, expected.sdcont_avg);
    EXPECT_EQ(options.sdcont_avg_time, expected.sdcont_avg_time);
    EXPECT_FLOAT_EQ(options.cal_null_pkt, expected.cal_null_pkt);
    EXPECT_FLOAT_EQ(options.cal_end_pkt, expected.cal_end_pkt);
    EXPECT_EQ(options.button_tar_null, expected.button_tar_null);
    EXPECT_EQ(options.brutto_netto_mode, expected.brutto_netto_mode);
    EXPECT_EQ(options.lang, expected.lang);
    EXPECT_EQ(present, expectedPresence);
  }
}

TEST_F(ProgramIni, AnExistingFileKeepsItsOwnLinesAndGetsTheMissingKeysInItsSections) {
  Write(
      "; settings of the service program\n"
      "[COM]\n"
      "vd417_adr=7\n"
      "stx_etx=0\n"
      "comment_of_the_site=Halle 3\n"
      "\n"
      "[Network]\n"
      "host=scale-1\n"
      "\n"
      "[RTV482]\n"
      "lang=1\n");
  ProgramOptions options;
  StoredPresence present{};
  ReadProgramIni(TIniFile(path()), options, present);
  TIniFile ini(path());
  WriteProgramIni(ini, options, present);
  const std::string text = Read();

  // Foreign lines stay where they were; the keys of the file are replaced in place.
  EXPECT_EQ(text.find("; settings of the service program\n[COM]\nvd417_adr=7\nstx_etx=1\ncomment_of_the_site=Halle 3\n"),
            0u)
      << text;
  EXPECT_NE(text.find("\n[Network]\nhost=scale-1\n"), std::string::npos) << text;
  // The keys the file lacked follow in the file's order, inside their own section.
  EXPECT_NE(text.find("comment_of_the_site=Halle 3\nauto_baud=0\ncsum=1\npb=0\n"), std::string::npos) << text;
  EXPECT_NE(text.find("[RTV482]\nlang=1\nbutton_tar_null=0\nbrutto_netto_mode=0\n"), std::string::npos) << text;
  EXPECT_LT(text.find("[RTV482]"), text.find("[ADC]"));
  EXPECT_LT(text.find("[ADC]"), text.find("[DEVICES]"));

  // What is written reads back the same.
  ProgramOptions again;
  StoredPresence presentAgain{};
  ReadProgramIni(TIniFile(path()), again, presentAgain);
  EXPECT_EQ(again.vd417_adr, 7);
  EXPECT_EQ(again.lang, 1);
  EXPECT_EQ(presentAgain, DefaultPresence());
}

TEST_F(ProgramIni, AStoreThatCannotBeWrittenWholeFailsAndKeepsTheOldFileByteForByte) {
  const std::string old = "; site settings, written by hand\n[COM]\nvd417_adr=7\ncomment_of_the_site=Halle 3\n";
  Write(old);
  const LimitedRun run = RunUnderFileSizeLimit(old.size() + 10, [&] {
    ProgramOptions options;
    StoredPresence present{};
    ReadProgramIni(TIniFile(path()), options, present);
    TIniFile ini(path());
    try {
      WriteProgramIni(ini, options, present);
    } catch (const EIniFileException& e) {
      return std::string(e.what());
    }
    return std::string("stored");
  });
  ASSERT_TRUE(run.exited);
  EXPECT_EQ(run.report, path() + ": cannot write: File too large");
  EXPECT_EQ(Read(), old);
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"rtv482_2.ini"})
      << "no temporary file is left";
}

TEST_F(ProgramIni, ValuesOfARunReadBackAsWritten) {
  ProgramOptions options;
  options.vd417_adr = 12;
  options.diag_interval = -5;
  options.sdcont_avg_time = 1000;
  options.cal_null_pkt = 0.1f;
  options.cal_end_pkt = 3.3f;
  options.lang = 1;
  options.rs485 = 1;
  StoredPresence present{};
  present[4] = 1;
  present[11] = 1;
  TIniFile ini(path());
  WriteProgramIni(ini, options, present);

  ProgramOptions read;
  StoredPresence readPresence{};
  ReadProgramIni(TIniFile(path()), read, readPresence);
  EXPECT_EQ(read.vd417_adr, 12);
  EXPECT_EQ(read.diag_interval, -5);
  EXPECT_EQ(read.sdcont_avg_time, 1000);
  EXPECT_EQ(read.cal_null_pkt, 0.1f);
  EXPECT_EQ(read.cal_end_pkt, 3.3f);
  EXPECT_EQ(read.lang, 1);
  EXPECT_EQ(read.rs485, 1);
  EXPECT_EQ(readPresence, present);
}

}  // namespace
