#include "platform/forms/ini_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

class IniFile : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = std::filesystem::temp_directory_path() /
          ("ini_test_" + std::to_string(::getpid()) + "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir);
    path = (dir / "test.ini").string();
  }
  void TearDown() override { std::filesystem::remove_all(dir); }
  void Write(const std::string& text) { std::ofstream(path, std::ios::binary) << text; }
  std::string Read() {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  std::filesystem::path dir;
  std::string path;
};

TEST_F(IniFile, ReadsGiveTheDefaultForWhatIsMissingOrNoNumber) {
  TIniFile missing((dir / "none.ini").string());
  EXPECT_EQ(missing.ReadInteger("COM", "vd417_adr", 7), 7);
  EXPECT_EQ(missing.ReadString("COM", "x", "d"), "d");
  Write("[COM]\nvd417_adr=12\nbad=12x\nempty=\nfloat=1.5\ncomma=2,25\n[ADC]\nvd417_adr=99\n");
  TIniFile ini(path);
  struct Case { const char* section; const char* key; int expected; };
  const Case cases[] = {{"COM", "vd417_adr", 12}, {"com", "VD417_ADR", 12}, {"COM", "bad", -1},
                        {"COM", "empty", -1},     {"COM", "float", -1},     {"COM", "nokey", -1},
                        {"NOSECTION", "vd417_adr", -1}, {"ADC", "vd417_adr", 99}};
  for (const Case& c : cases) EXPECT_EQ(ini.ReadInteger(c.section, c.key, -1), c.expected) << c.section << "/" << c.key;
  EXPECT_DOUBLE_EQ(ini.ReadFloat("COM", "float", 0), 1.5);
  EXPECT_DOUBLE_EQ(ini.ReadFloat("COM", "comma", 0), 2.25);
  EXPECT_DOUBLE_EQ(ini.ReadFloat("COM", "bad", 3.5), 3.5);
  EXPECT_DOUBLE_EQ(ini.ReadFloat("COM", "vd417_adr", 0), 12.0);
}

TEST_F(IniFile, WriteReplacesInPlaceAppendsToItsSectionAndKeepsEverythingElse) {
  Write("; comment\n[COM]\nport=1\n\n[ADC]\ngain=3\n");
  TIniFile ini(path);
  ini.WriteInteger("com", "PORT", 4);
  ini.WriteInteger("COM", "baud", 9600);
  ini.WriteString("NEW", "name", "Meß");
  ini.WriteFloat("ADC", "cal", 0.1);
  ini.UpdateFile();
  EXPECT_EQ(Read(), "; comment\n[COM]\nPORT=4\nbaud=9600\n\n[ADC]\ngain=3\ncal=0.1\n[NEW]\nname=Meß\n");
  EXPECT_EQ(ini.ReadString("new", "NAME", ""), "Meß");
}

TEST_F(IniFile, NewFileHasSectionsAndKeysInWritingOrder) {
  TIniFile ini(path);
  ini.WriteInteger("COM", "a", 1);
  ini.WriteInteger("ADC", "b", 2);
  ini.WriteInteger("COM", "c", 3);
  ini.UpdateFile();
  EXPECT_EQ(Read(), "[COM]\na=1\nc=3\n[ADC]\nb=2\n");
}

TEST_F(IniFile, WindowsFilesAreReadAndKeepTheirLineEnds) {
  Write("[INFO]\r\ntext=Gr\xF6\xDF" "e\r\n");  // Windows-1252 "Größe"
  TIniFile ini(path);
  EXPECT_EQ(ini.ReadString("INFO", "text", ""), "Größe");
  ini.WriteInteger("INFO", "n", 1);
  ini.UpdateFile();
  EXPECT_EQ(Read(), "[INFO]\r\ntext=Größe\r\nn=1\r\n");
}

TEST_F(IniFile, FloatsAreWrittenWithAPointAndFifteenDigits) {
  TIniFile ini(path);
  ini.WriteFloat("S", "x", 1.0 / 3.0);
  ini.WriteFloat("S", "y", -2.5e-7);
  EXPECT_EQ(ini.ReadString("S", "x", ""), "0.333333333333333");
  EXPECT_EQ(ini.ReadString("S", "y", ""), "-2.5e-07");
}

TEST_F(IniFile, TheFileIsReadOnceAndWrittenWholeByUpdateFile) {
  Write("[A]\nkey=1\n");
  TIniFile ini(path);
  Write("[A]\nkey=2\n");  // changed behind the object's back
  EXPECT_EQ(ini.ReadInteger("A", "key", 0), 1) << "the object keeps what it read";
  ini.WriteInteger("A", "key", 3);
  ini.WriteInteger("B", "new", 4);
  EXPECT_EQ(ini.ReadInteger("A", "key", 0), 3) << "a write is seen by the next read";
  EXPECT_TRUE(ini.SectionExists("b"));
  EXPECT_EQ(Read(), "[A]\nkey=2\n") << "nothing is written before UpdateFile";
  ini.UpdateFile();
  EXPECT_EQ(Read(), "[A]\nkey=3\n[B]\nnew=4\n");
}

TEST_F(IniFile, AFailedUpdateNamesTheFileAndTheCauseAndKeepsTheOldFile) {
  struct Case {
    std::string file;
    std::string cause;
  };
  std::filesystem::create_directory(dir / "folder.ini");
  const Case cases[] = {{(dir / "missing" / "x.ini").string(), "cannot write: No such file or directory"},
                        {(dir / "folder.ini").string(), "cannot read: Is a directory"}};
  for (const Case& c : cases) {
    TIniFile ini(c.file);
    EXPECT_FALSE(ini.FileRead());
    ini.WriteInteger("A", "b", 1);
    try {
      ini.UpdateFile();
      ADD_FAILURE() << c.file << " was written";
    } catch (const EIniFileException& e) {
      EXPECT_EQ(std::string(e.what()), c.file + ": " + c.cause);
    }
  }
  EXPECT_TRUE(std::filesystem::is_directory(dir / "folder.ini"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1) << "no temporary file is left";
}

TEST_F(IniFile, DuplicateSectionsAndKeysUseTheFirstAndKeepTheRest) {
  Write("top=0\n[S]\nk=1\nk=2\n\n[T]\n[s]\nk=3\nonly=4\n");
  TIniFile ini(path);
  EXPECT_EQ(ini.ReadInteger("S", "k", -1), 1);
  EXPECT_EQ(ini.ReadInteger("S", "only", -1), 4) << "a key of the second section of the name";
  EXPECT_EQ(ini.ReadInteger("", "top", -1), -1) << "lines before the first section belong to none";
  ini.WriteInteger("S", "k", 5);
  ini.WriteInteger("S", "added", 6);
  ini.UpdateFile();
  EXPECT_EQ(Read(), "top=0\n[S]\nk=5\nk=2\nadded=6\n\n[T]\n[s]\nk=3\nonly=4\n");
}

TEST(IniText, IntegerParsingIsStrict) {
  struct Case { const char* text; bool ok; int value; };
  const Case cases[] = {{"42", true, 42},   {" -7 ", true, -7},  {"$1F", true, 31}, {"0x10", true, 16},
                        {"", false, 0},     {"4 2", false, 0},   {"x", false, 0},   {"99999999999", false, 0},
                        {"0xFFFFFFFF", true, -1}, {"+3", true, 3}};
  for (const Case& c : cases) {
    int value = 0;
    EXPECT_EQ(ini_text::ParseInteger(c.text, value), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(value, c.value) << c.text;
    }
  }
}

}  // namespace
