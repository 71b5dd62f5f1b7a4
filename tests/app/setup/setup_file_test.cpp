// The set-up file without a window: key table, value kinds, writer and reader.
#include "app/setup/setup_file.h"

#include <gtest/gtest.h>

#include <bit>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "platform/forms/ini_file.h"
#include "tests/app/setup/known_setup.h"
#include "tests/support/file_size_limit.h"

namespace {

namespace fs = std::filesystem;
using enum SetupSection;
using Bytes = std::vector<uint8_t>;

const SetupFileInfo kInfo{"Thursday 10.12.26 14:05:09", 0};

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteText(const fs::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
}

class SetupFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("setup_file_test_" + std::to_string(::getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  fs::path Path(const std::string& name) const { return dir_ / name; }

  // The file's text for the known image.
  std::string Saved(const SetupImageBytes& image, const std::string& name = "known.dis") {
    TIniFile ini(Path(name).string());
    WriteSetupFile(ini, image, kInfo);
    return ReadText(Path(name));
  }

  // A fresh program's image loaded from `text`.
  SetupImageBytes Loaded(const std::string& text, const std::string& name = "load.dis") {
    WriteText(Path(name), text);
    SetupImageBytes image{};
    DefaultKeylessBytes(image);
    ReadSetupFile(TIniFile(Path(name).string()), image);
    return image;
  }

  static std::map<std::string, std::string> Values(const std::string& text, const std::string& section) {
    std::map<std::string, std::string> values;
    std::istringstream lines(text);
    std::string line, current;
    while (std::getline(lines, line)) {
      if (!line.empty() && line[0] == '[')
        current = line.substr(1, line.find(']') - 1);
      else if (current == section && line.find('=') != std::string::npos)
        values[line.substr(0, line.find('='))] = line.substr(line.find('=') + 1);
    }
    return values;
  }

  fs::path dir_;
};

TEST_F(SetupFileTest, KnownImageGivesTheGoldenFile) {
  EXPECT_EQ(Saved(known_setup::Image()), ReadText(GOLDEN_DIR "/known_setup.dis"));
}

TEST_F(SetupFileTest, NewFileHoldsTheSectionsAndKeysInOrder) {
  const std::string text = Saved(known_setup::Image());
  std::vector<std::string> sections;
  std::map<std::string, int> keys;
  int total = 0;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    if (line.empty()) continue;
    if (line[0] == '[') {
      sections.push_back(line);
    } else {
      ++keys[sections.back()];
      ++total;
    }
  }
  const std::vector<std::string> expected = {"[INFO]",  "[GBL]",   "[LPC]", "[ADC]", "[WKG_0]", "[WKG_1]", "[WKS]",
                                             "[CHN_0]", "[CHN_1]", "[EXB]", "[MSC]", "[ADM]",   "[SAV]"};
  EXPECT_EQ(sections, expected);
  EXPECT_EQ(total, 290);
  const std::map<std::string, int> counts = {
      {"[INFO]", 2},   {"[GBL]", 3},    {"[LPC]", 22}, {"[ADC]", 71}, {"[WKG_0]", 37}, {"[WKG_1]", 30}, {"[WKS]", 6},
      {"[CHN_0]", 34}, {"[CHN_1]", 34}, {"[EXB]", 29}, {"[MSC]", 6},  {"[ADM]", 9},    {"[SAV]", 7}};
  EXPECT_EQ(keys, counts);
}

// The file's own encodings, checked against values worked out by hand.
TEST_F(SetupFileTest, ValuesAreWrittenInTheirKinds) {
  const std::string text = Saved(known_setup::Image());
  struct Case {
    const char* section;
    const char* key;
    const char* value;
  };
  const Case cases[] = {
      {"INFO", "Datum", "Thursday 10.12.26 14:05:09"},
      {"INFO", "Setup", "0"},
      {"GBL", "setup_active", "1"},
      {"LPC", "rs485_adr", "17"},
      {"ADC", "level_0", "123456"},
      {"ADC", "offset_0_0", "1193046"},    // 00 12 34 56
      {"ADC", "gain_1_1", "-2147483648"},  // 80 00 00 00
      {"ADC", "xs_0[0]", "-3000"},
      {"ADC", "ys_0[0]", "-1"},
      {"ADC", "ys_0[2]", "23.691357"},
      {"WKG_0", "under", "65601535"},   // 03 E8
      {"WKG_0", "over", "-402456576"},  // E8 03
      {"WKG_0", "under_f", "-12.345"},
      {"WKG_0", "lfdnr_min", "-1"},
      {"WKG_0", "cm1", "107"},
      {"WKG_0", "fmf", "2.20462"},
      {"WKG_1", "under", "6553600"},      // 00 64
      {"WKG_1", "over", "-1"},            // FF FF
      {"CHN_0", "lkz_sk", "-402456576"},  // 00 00 03 E8
      {"CHN_0", "chn_mode_val", "0.1"},
      {"CHN_1", "ch_b[1][0]_sk", "30000"},
      {"EXB", "inp_val", "6553600"},       // 00 64
      {"EXB", "rel_0_on_time", "25600"},   // 00 64
      {"EXB", "rel_0_pre_time", "12800"},  // 00 32
      {"EXB", "rel_1_hyst_val", "nan"},    // erased
      {"EXB", "inp_val_imp", "0.005"},
      {"SAV", "sn", "A1B2C3D4"},
      {"SAV", "pd", "0124"},
      {"SAV", "variante", "21"},
      {"SAV", "ch[1]_offset", "-2"},
  };
  for (const Case& c : cases) EXPECT_EQ(Values(text, c.section)[c.key], c.value) << c.section << " " << c.key;
}

TEST_F(SetupFileTest, IntegerKindsBothWays) {
  struct Case {
    FileValueKind kind;
    Bytes bytes;
    int32_t written;
  };
  const Case cases[] = {
      {FileValueKind::B, {0xFF}, 255},
      {FileValueKind::L, {0xFF, 0xFF, 0xFF, 0xFE}, -2},
      {FileValueKind::H, {0x03, 0xE8}, 65601535},
      {FileValueKind::H, {0xE8, 0x03}, -402456576},
      {FileValueKind::H, {0x00, 0x64}, 6553600},
      {FileValueKind::H, {0xFF, 0xFF}, -1},
      {FileValueKind::S, {0x00, 0x64}, 25600},
      {FileValueKind::S, {0xFF, 0xFF}, 65535},
      {FileValueKind::X, {0x00, 0x00, 0x03, 0xE8}, -402456576},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EncodeFileInteger(c.kind, c.bytes.data()), c.written);
    Bytes back(c.bytes.size(), 0);
    DecodeFileInteger(c.kind, c.written, back.data());
    EXPECT_EQ(back, c.bytes) << c.written;
  }
  // What a reader makes of integers that the writer does not write.
  struct Read {
    FileValueKind kind;
    int32_t value;
    Bytes bytes;
  };
  const Read reads[] = {
      {FileValueKind::B, 300, {44}},
      {FileValueKind::B, -1, {255}},
      {FileValueKind::H, 1000, {0x00, 0x00}},
      {FileValueKind::S, 70000, {0x70, 0x11}},
  };
  for (const Read& r : reads) {
    Bytes got(r.bytes.size(), 0xAA);
    DecodeFileInteger(r.kind, r.value, got.data());
    EXPECT_EQ(got, r.bytes) << r.value;
  }
}

TEST_F(SetupFileTest, LoadingTheSavedFileGivesTheImageBack) {
  const SetupImageBytes image = known_setup::Image();
  SetupImageBytes loaded = Loaded(Saved(image));
  // Of the factory data only the channel values are read back (the texts are
  // written for the reader of the file); the rest is the image, byte for byte.
  std::vector<bool> keyed(64, false);
  for (const char* name : {"ch[0]_offset", "ch[0]_gain", "ch[1]_offset", "ch[1]_gain"})
    for (int i = 0; i < 4; ++i) keyed[static_cast<size_t>(FieldOf(SAV, name).offset + i)] = true;
  for (size_t i = 0; i < keyed.size(); ++i)
    if (!keyed[i]) loaded[Info(SAV).image_offset + i] = image[Info(SAV).image_offset + i];
  for (size_t i = 0; i < image.size(); ++i) EXPECT_EQ(loaded[i], image[i]) << "image byte " << i;
}

TEST_F(SetupFileTest, DecimalCommasAndWindowsTextLoadTheSameValues) {
  const SetupImageBytes image = known_setup::Image();
  std::string text = Saved(image);
  const SetupImageBytes withPoints = Loaded(text, "points.dis");
  // As a Windows installation with a German number format wrote it.
  for (const char* section : {"[ADC]", "[WKG_0]", "[WKS]", "[CHN_0]", "[EXB]"}) {
    size_t pos = text.find(section);
    const size_t end = text.find("\n[", pos + 1);
    for (pos = text.find('.', pos); pos < end; pos = text.find('.', pos + 1)) text[pos] = ',';
  }
  ASSERT_NE(text.find("fmf=2,20462"), std::string::npos);
  text.replace(text.find("sn=A1B2C3D4"), 11,
               "sn=A1\xE4"
               "2C3D4");  // a Windows-1252 character
  EXPECT_EQ(Loaded(text, "commas.dis"), withPoints);
}

TEST_F(SetupFileTest, MissingKeysAndValuesThatAreNoNumberTakeTheDefaults) {
  const std::string text =
      "[GBL]\nsetup_active=2\n"
      "[WKG_0]\nme_kg=abc\nunder_f=1.5x\nfmf=\n"
      "[CHN_0]\nch_b[3][0]_sk=4711\n";
  const SetupImageBytes image = Loaded(text);
  const auto at = [&](SetupSection s, const char* name) {
    return SectionBytes(image, s).subspan(FieldOf(s, name).offset);
  };
  EXPECT_EQ(at(GBL, "setup_active")[0], 2);
  EXPECT_EQ(at(GBL, "backup")[0], 0);
  EXPECT_EQ(at(WKG0, "me_kg")[0], 0);
  EXPECT_EQ(GetFloat(at(WKG0, "under_f"), 0), 0.0f);
  EXPECT_EQ(GetInt32(at(CHN0, "ch_b[3][0]_sk"), 0), 4711);
  // Without [WKS] and [SAV].
  EXPECT_EQ(at(WKS, "sum")[0], 0);
  EXPECT_EQ(at(WKS, "mode")[0], 0);
  EXPECT_EQ(at(WKS, "fakt_0")[0], 1);
  EXPECT_EQ(at(WKS, "fakt_1")[0], 1);
  for (const char* name : {"ch[0]_offset", "ch[0]_gain", "ch[1]_offset", "ch[1]_gain"})
    EXPECT_EQ(GetUInt32(at(SAV, name), 0), 0xFFFFFFFFu) << name;
}

TEST_F(SetupFileTest, FloatTextsReadBackExactly) {
  for (const float value : {0.1f, -12.345f, 2.20462f, 1e-30f, 3.4028235e38f, 16777217.0f, 0.0f, -0.0f}) {
    double read = 0;
    ASSERT_TRUE(ini_text::ParseFloat(FormatFileFloat(value), read)) << FormatFileFloat(value);
    EXPECT_EQ(std::bit_cast<uint32_t>(static_cast<float>(read)), std::bit_cast<uint32_t>(value)) << value;
  }
  EXPECT_EQ(FormatFileFloat(0.1f), "0.1");
  EXPECT_EQ(FormatFileFloat(std::bit_cast<float>(0xFFFFFFFFu)), "nan");
}

TEST_F(SetupFileTest, KeylessBytesComeFromTheDefaultsAndKeyedOnesStay) {
  SetupImageBytes image{};
  image.fill(0x5A);
  DefaultKeylessBytes(image);
  const SetupImageBytes defaults = known_setup::Defaults();
  // Keyless: the second channel's mk and tnr, the five-decimals flag, a relay's
  // load-cell error flag, a reserved byte of MSC.
  const auto at = [&](const SetupImageBytes& i, SetupSection s, int offset) {
    return i[static_cast<size_t>(Info(s).image_offset + offset)];
  };
  for (const auto& [section, name] : std::vector<std::pair<SetupSection, const char*>>{
           {WKG1, "mk"}, {WKG1, "tnr"}, {CHN0, "five_decimals"}, {EXB, "rel_0_lc_err"}, {ADM, "inr"}}) {
    const int offset = FieldOf(section, name).offset;
    EXPECT_EQ(at(image, section, offset), at(defaults, section, offset)) << name;
  }
  EXPECT_EQ(at(image, MSC, 20), 0xFF);
  // Keyed bytes and the factory data are left alone.
  EXPECT_EQ(at(image, WKG0, FieldOf(WKG0, "mk").offset), 0x5A);
  EXPECT_EQ(at(image, SAV, FieldOf(SAV, "sn").offset), 0x5A);
}

TEST_F(SetupFileTest, SavingOverAFileKeepsWhatTheWriterDoesNotWrite) {
  WriteText(Path("old.dis"), "[GBL]\nsetup_active=7\nhand_made=42\n[NOTES]\ntext=kept\n");
  const std::string text = Saved(known_setup::Image(), "old.dis");
  EXPECT_EQ(Values(text, "GBL")["setup_active"], "1");
  EXPECT_EQ(Values(text, "GBL")["hand_made"], "42");
  EXPECT_EQ(Values(text, "NOTES")["text"], "kept");
  EXPECT_LT(text.find("[GBL]"), text.find("[NOTES]"));
  EXPECT_LT(text.find("[NOTES]"), text.find("[INFO]")) << "new sections go to the end";
}

TEST_F(SetupFileTest, ASaveThatCannotBeWrittenWholeFailsAndKeepsTheOldFileByteForByte) {
  const std::string old = "; set-up of scale 3, kept by hand\r\n[GBL]\r\nsetup_active=7\r\nhand_made=42\r\n";
  WriteText(Path("old.dis"), old);
  const size_t newSize = Saved(known_setup::Image(), "size.dis").size();
  const LimitedRun run = RunUnderFileSizeLimit(newSize / 2, [&] {
    TIniFile ini(Path("old.dis").string());
    try {
      WriteSetupFile(ini, known_setup::Image(), kInfo);
    } catch (const EIniFileException& e) {
      return std::string(e.what());
    }
    return std::string("saved");
  });
  ASSERT_TRUE(run.exited);
  EXPECT_EQ(run.report, Path("old.dis").string() + ": cannot write: File too large");
  EXPECT_EQ(ReadText(Path("old.dis")), old);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), {}), 2) << "old.dis and size.dis, no temporary file";
}

TEST_F(SetupFileTest, OnlyAReadableFileWithASetupSectionIsTaken) {
  WriteText(Path("other.ini"), "[COM]\nport=1\n[INFO]\nSetup=0\n");
  WriteText(Path("one.dis"), "[msc]\next_disp=1\n");
  EXPECT_EQ(CheckSetupFile(TIniFile(Path("missing.dis").string())), SetupFileError::Unreadable);
  EXPECT_EQ(CheckSetupFile(TIniFile(dir_.string())), SetupFileError::Unreadable) << "a folder";
  EXPECT_EQ(CheckSetupFile(TIniFile(Path("other.ini").string())), SetupFileError::NoSetupSection);
  EXPECT_EQ(CheckSetupFile(TIniFile(Path("one.dis").string())), SetupFileError::None);
}

TEST_F(SetupFileTest, TheChosenNameGetsTheExtensionDis) {
  const std::pair<const char*, const char*> cases[] = {
      {"abc.set", "abc.dis"},
      {"abc", "abc.dis"},
      {"abc.txt", "abc.dis"},
      {"abc.dis", "abc.dis"},
      {"abc.tar.gz", "abc.tar.dis"},
      {"setup/dir.x/abc", "setup/dir.x/abc.dis"},
      {"/home/u/a.b/c.set", "/home/u/a.b/c.dis"},
  };
  for (const auto& [chosen, path] : cases) EXPECT_EQ(SetupFilePath(chosen), path) << chosen;
}

}  // namespace
