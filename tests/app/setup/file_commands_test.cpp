// "Laden" and "Speichern" of the set-up editor: dialogs, names and the file.
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "tests/app/setup/editor_fixture.h"
#include "tests/app/setup/known_setup.h"

namespace {

namespace fs = std::filesystem;
using enum SetupSection;
using Bytes = std::vector<uint8_t>;

class FileCommandsTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    dir_ = fs::temp_directory_path() / ("file_commands_test_" + std::to_string(::getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override {
    fs::remove_all(dir_);
    EditorTest::TearDown();
  }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  static std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  static void WriteText(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
  }

  // The known set-up on the editor's controls.
  void ShowKnownSetup() {
    Form1->SetupImage = known_setup::Image();
    for (const SectionInfo& info : Sections()) Display(info.section);
  }

  std::vector<std::string> BoxTexts() const {
    std::vector<std::string> texts;
    for (const auto& b : dialogs_.Boxes()) texts.push_back(b.request.text);
    return texts;
  }

  fs::path dir_;
};

TEST_F(FileCommandsTest, SaveOffersTheSerialNumberAndForcesTheExtension) {
  ShowKnownSetup();
  Form1->SerialNumberText = "00012345XYZ";
  ActiveSetup = 5;
  dialogs_.ChooseFile(Path("abc.set"));
  editor().SaveSetupFile();

  ASSERT_EQ(dialogs_.FileDialogs().size(), 1u);
  const FileDialogRequest& shown = dialogs_.FileDialogs()[0];
  EXPECT_TRUE(shown.save);
  EXPECT_EQ(shown.initial_dir, "./setup");
  EXPECT_EQ(shown.filter_index, 1);
  EXPECT_EQ(shown.filter, "VD417-Setupdatei|*.dis|DOVE-Setupdatei|*.set|Alle Dateien|*.*");
  EXPECT_TRUE(std::regex_match(shown.file_name, std::regex("00012345__[0-3][0-9][01][0-9]20[0-9][0-9]")))
      << shown.file_name;
  EXPECT_EQ(editor().SetupFileName, Path("abc.set"));
  EXPECT_EQ(Form1->SetupFileDialogName, Path("abc.set"));
  EXPECT_FALSE(fs::exists(Path("abc.set")));
  const std::string text = ReadText(Path("abc.dis"));
  EXPECT_TRUE(std::regex_search(
      text, std::regex("\\[INFO\\]\nDatum=(Monday|Tuesday|Wednesday|Thursday|Friday|Saturday|Sunday) "
                       "[0-3][0-9]\\.[01][0-9]\\.[0-9][0-9] [0-2][0-9]:[0-5][0-9]:[0-6][0-9]\nSetup=5\n")))
      << text.substr(0, 80);
  EXPECT_NE(text.find("\n[WKG_0]\nmk="), std::string::npos);
  EXPECT_TRUE(BoxTexts().empty()) << "a save shows no message of its own";
}

TEST_F(FileCommandsTest, SaveWithoutSerialNumberKeepsTheLastName) {
  dialogs_.ChooseFile(Path("first"));
  editor().SaveSetupFile();
  dialogs_.ChooseFile(Path("second.dis"));
  editor().SaveSetupFile();
  EXPECT_EQ(dialogs_.FileDialogs()[0].file_name, "");
  EXPECT_EQ(dialogs_.FileDialogs()[1].file_name, Path("first"));
  EXPECT_TRUE(fs::exists(Path("first.dis")));
  EXPECT_TRUE(fs::exists(Path("second.dis")));
}

TEST_F(FileCommandsTest, SaveTakesWhatTheControlsHold) {
  ShowKnownSetup();
  editor().Edit139->SetText("42");  // MSC ext_disp_adr
  dialogs_.ChooseFile(Path("edited.dis"));
  editor().SaveSetupFile();
  EXPECT_NE(ReadText(Path("edited.dis")).find("\next_disp_adr=42\n"), std::string::npos);
  EXPECT_EQ(Section(MSC)[FieldOf(MSC, "ext_disp_adr").offset], 42);
}

TEST_F(FileCommandsTest, AFileThatCannotBeWrittenIsReported) {
  dialogs_.ChooseFile(Path("no/such/folder/x.dis"));
  dialogs_.Answer(IDOK);
  editor().SaveSetupFile();
  ASSERT_EQ(dialogs_.Boxes().size(), 1u);
  EXPECT_EQ(dialogs_.Boxes()[0].request.title, "FEHLER");
  EXPECT_EQ(dialogs_.Boxes()[0].request.icon, BoxIcon::Error);
  EXPECT_EQ(dialogs_.Boxes()[0].request.text, "Setup-Datei kann nicht geschrieben werden:\n" +
                                                Path("no/such/folder/x.dis") +
                                                ": cannot write: No such file or directory");
}

TEST_F(FileCommandsTest, LoadShowsTheSetupAndMarksItPresent) {
  dialogs_.ChooseFile(Path("known.dis"));
  ShowKnownSetup();
  editor().SaveSetupFile();
  NewEditor();
  Form1->SetupImage = SetupImageBytes{};
  Form1->SectionRead[3] = 1;

  dialogs_.ChooseFile(Path("known.txt"));  // chosen under "*.*": the .dis file is read
  editor().LoadSetupFile();

  EXPECT_EQ(editor().SetupFileChosen, 1);
  EXPECT_EQ(editor().SetupFileName, Path("known.txt"));
  EXPECT_EQ(Form1->SetupPresent, 1);
  EXPECT_EQ(Form1->SectionRead[3], 1) << "the per-section flags stay";
  EXPECT_EQ(editor().Edit139->Text(), "99");
  EXPECT_EQ(editor().ComboBox6->ItemIndex(), 8);
  const SetupImageBytes known = known_setup::Image();
  for (SetupSection s : {GBL, ADM, LPC, ADC, WKG0, WKG1, WKS, CHN0, CHN1, EXB, MSC})
    EXPECT_TRUE(std::ranges::equal(Section(s), SectionBytes(known, s))) << Info(s).name;
}

// Fields that the file does not carry keep the set-up that the image holds;
// without one they take the default images instead of meaningless bytes.
TEST_F(FileCommandsTest, FieldsWithoutKeysKeepAPresentSetupOrTakeTheDefaults) {
  WriteText(Path("small.dis"), "[WKG_1]\nnsu=7\n");
  for (const int present : {1, 0}) {
    SCOPED_TRACE(present);
    Form1->SetupImage.fill(0x01);
    Form1->SetupPresent = present;
    dialogs_.ChooseFile(Path("small.dis"));
    editor().LoadSetupFile();
    const uint8_t tnr = Section(WKG1)[FieldOf(WKG1, "tnr").offset];
    const uint8_t five = Section(CHN0)[FieldOf(CHN0, "five_decimals").offset];
    EXPECT_EQ(tnr, present ? 0x01 : Default(WKG1)[FieldOf(WKG1, "tnr").offset]);
    EXPECT_EQ(five, present ? 0x01 : Default(CHN0)[FieldOf(CHN0, "five_decimals").offset]);
    EXPECT_EQ(Section(WKG1)[FieldOf(WKG1, "nsu").offset], 7);
    EXPECT_EQ(Section(SAV)[FieldOf(SAV, "sn").offset], 0x01) << "the factory texts are never loaded";
  }
}

TEST_F(FileCommandsTest, AFileThatIsNoSetupFileIsRefusedAndChangesNothing) {
  WriteText(Path("program.ini"), "[COM]\nport=COM1\n");
  WriteText(Path("program.dis"), "[COM]\nport=COM1\n");
  struct Case {
    const char* chosen;
    const char* text;
  };
  const Case cases[] = {
      {"missing.dis", "Setup-Datei kann nicht gelesen werden:\n"},
      {"program.ini", "Die Datei enthält keine Setupdaten:\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.chosen);
    Form1->SetupImage.fill(0x33);
    Form1->SetupPresent = 0;
    dialogs_.ChooseFile(Path(c.chosen));
    dialogs_.Answer(IDOK);
    editor().LoadSetupFile();
    ASSERT_FALSE(dialogs_.Boxes().empty());
    EXPECT_EQ(dialogs_.Boxes().back().request.text, c.text + Path(std::string(c.chosen).substr(0, 7) + ".dis"));
    EXPECT_EQ(dialogs_.Boxes().back().request.title, "FEHLER");
    EXPECT_TRUE(std::all_of(Form1->SetupImage.begin(), Form1->SetupImage.end(), [](uint8_t b) { return b == 0x33; }));
    EXPECT_EQ(Form1->SetupPresent, 0);
    EXPECT_EQ(editor().SetupFileChosen, 0);
  }
}

TEST_F(FileCommandsTest, AnEmptyChoiceAsksOnceWhetherToGiveUp) {
  WriteText(Path("late.dis"), "[GBL]\nsetup_active=1\n");
  struct Case {
    const char* name;
    std::vector<std::optional<std::string>> files;
    std::vector<int> answers;
    int chosen;
  };
  const Case cases[] = {
      {"yes gives up", {std::nullopt}, {IDYES}, 0},
      {"no shows the dialog again", {std::nullopt, Path("late.dis")}, {IDNO}, 1},
      {"a second empty choice gives up", {std::nullopt, std::string()}, {IDNO}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Form1->SetupImage.fill(0x44);
    Form1->SetupPresent = 0;
    for (const auto& f : c.files) dialogs_.ChooseFile(f);
    for (int a : c.answers) dialogs_.Answer(a);
    const size_t boxes = dialogs_.Boxes().size();
    editor().LoadSetupFile();
    ASSERT_EQ(dialogs_.Boxes().size(), boxes + 1) << "one question only";
    const MessageBoxRequest& question = dialogs_.Boxes().back().request;
    EXPECT_EQ(question.text, "Es wurde keine Datei gewählt! -> Abbruch?");
    EXPECT_EQ(question.title, "FRAGE");
    EXPECT_EQ(question.buttons, BoxButtons::YesNo);
    EXPECT_EQ(question.icon, BoxIcon::Question);
    EXPECT_EQ(editor().SetupFileChosen, c.chosen);
    EXPECT_EQ(Form1->SetupPresent, c.chosen);
    EXPECT_EQ(Form1->SetupImage[0], c.chosen ? 1 : 0x44);
    EXPECT_EQ(dialogs_.PendingAnswers(), 0u);
  }
}

}  // namespace
