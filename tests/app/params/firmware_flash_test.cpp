// The firmware-flash dialog: the file choice, and the selection steps run
// through the programming library built in this tree (the delivered
// libflashcore.so), or a clear message when the library cannot be loaded.
#include <gtest/gtest.h>

#include <memory>

#include "app/params/firmware_flash.h"
#include "tests/support/deliverables.h"
#include "tests/support/qt_test_env.h"
#include "tests/support/scoped_form.h"
#include "tests/support/scripted_dialogs.h"

namespace {

class FirmwareFlashTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TestApplication();
    form_ = std::make_unique<ScopedForm<TForm27>>(Form27);
    // The program finds the library beside itself; the test names it.
    dialog().FlashLibraryName = deliverable("flashcore.dll");
  }
  void TearDown() override { form_.reset(); }
  TForm27& dialog() { return **form_; }

  // Chooses a firmware file, which enables "Update -> Start".
  void ChooseFirmware() {
    dialogs_.ChooseFile("fw/vd417.hex");
    dialog().Button2->Click();
    ASSERT_TRUE(dialog().Button3->Enabled());
  }

  std::vector<TLabel*> Rows() {
    TForm27& d = dialog();
    return {d.Label_Init, d.Label_Device, d.Label_ComPort, d.Label_Init_OK, d.Label_Device_OK, d.Label_ComPort_OK};
  }

  ScriptedDialogs dialogs_;
  std::unique_ptr<ScopedForm<TForm27>> form_;
};

TEST_F(FirmwareFlashTest, AChosenFileEnablesTheUpdate) {
  EXPECT_FALSE(dialog().Button3->Enabled());
  dialogs_.ChooseFile("fw/vd417_v1_2.hex");
  dialog().Button2->Click();
  ASSERT_EQ(dialogs_.FileDialogs().size(), 1u);
  EXPECT_EQ(dialogs_.FileDialogs()[0].initial_dir, "./fw");
  EXPECT_EQ(dialogs_.FileDialogs()[0].filter, "VD417-Firmware-Datei|*.hex");
  EXPECT_EQ(dialog().Label3->Caption(), "fw/vd417_v1_2.hex");
  EXPECT_TRUE(dialog().Button3->Enabled());
  EXPECT_TRUE(dialogs_.Boxes().empty());
}

TEST_F(FirmwareFlashTest, WithoutAFileTheQuestionRepeatsUntilAFileOrGivingUp) {
  // Cancelled, "No" (try again), cancelled, "Yes" (give up): nothing enabled.
  dialogs_.ChooseFile(std::nullopt);
  dialogs_.Answer(IDNO);
  dialogs_.ChooseFile(std::nullopt);
  dialogs_.Answer(IDYES);
  dialog().Button2->Click();
  EXPECT_EQ(dialogs_.FileDialogs().size(), 2u);
  ASSERT_EQ(dialogs_.Boxes().size(), 2u);
  for (const auto& box : dialogs_.Boxes()) {
    EXPECT_EQ(box.request.text, "Es wurde keine Datei gewählt! -> Abbruch?");
    EXPECT_EQ(box.request.title, "FRAGE");
    EXPECT_EQ(box.request.buttons, BoxButtons::YesNo);
  }
  EXPECT_FALSE(dialog().Button3->Enabled());
  EXPECT_EQ(dialog().Label3->Caption(), ":");

  // Cancelled, "No", then a file: the update is enabled with that file.
  dialogs_.ChooseFile(std::nullopt);
  dialogs_.Answer(IDNO);
  dialogs_.ChooseFile("fw/next.hex");
  dialog().Button2->Click();
  EXPECT_EQ(dialog().Label3->Caption(), "fw/next.hex");
  EXPECT_TRUE(dialog().Button3->Enabled());
}

TEST_F(FirmwareFlashTest, TheStepsPassWithTheRealLibraryAndStillEndInTheErrorBox) {
  ChooseFirmware();
  dialogs_.Answer(IDCANCEL);  // not OK: the box comes again
  dialogs_.Answer(IDOK);
  dialog().Button3->Click();
  ASSERT_TRUE(dialog().FlashLibrary);
  for (TLabel* row : Rows()) EXPECT_TRUE(row->Visible()) << row->Name();
  for (TLabel* result : {dialog().Label_Init_OK, dialog().Label_Device_OK, dialog().Label_ComPort_OK}) {
    EXPECT_EQ(result->Caption(), "PASS") << result->Name();
    EXPECT_EQ(result->Font().Color(), clGreen) << result->Name();
  }
  ASSERT_EQ(dialogs_.Boxes().size(), 2u);
  for (const auto& box : dialogs_.Boxes()) {
    EXPECT_EQ(box.request.text, "FEHLER bei Flash-Update!");
    EXPECT_EQ(box.request.title, "FEHLER");
    EXPECT_EQ(box.request.icon, BoxIcon::Error);
  }
  EXPECT_EQ(dialog().FlashLastError, 0);
}

TEST_F(FirmwareFlashTest, AnUnknownTransportFailsTheComPortStepWithTheLibrarysStatus) {
  ChooseFirmware();
  dialog().FlashHardwareCode = 99;
  dialogs_.Answer(IDOK);
  dialog().Button3->Click();
  EXPECT_EQ(dialog().Label_Init_OK->Caption(), "PASS");
  EXPECT_EQ(dialog().Label_Device_OK->Caption(), "PASS");
  EXPECT_EQ(dialog().Label_ComPort_OK->Caption(), "FAIL");
  EXPECT_EQ(dialog().Label_ComPort_OK->Font().Color(), clRed);
  EXPECT_EQ(dialog().FlashLastError, 13);  // hardware code outside the table

  // The next start begins at 0 and overwrites the rows.
  dialog().FlashHardwareCode = 1;
  dialogs_.Answer(IDOK);
  dialog().Button3->Click();
  EXPECT_EQ(dialog().Label_ComPort_OK->Caption(), "PASS");
  EXPECT_EQ(dialog().FlashLastError, 0);
}

TEST_F(FirmwareFlashTest, AMissingLibraryIsNamedAndNoStepRuns) {
  ChooseFirmware();
  dialog().FlashLibraryName = "flashcore_absent.dll";
  dialogs_.Answer(IDOK);
  dialog().Button3->Click();
  ASSERT_EQ(dialogs_.Boxes().size(), 1u);
  EXPECT_EQ(dialogs_.Boxes()[0].request.text, "Fehler beim Laden der Datei libflashcore_absent.so!");
  EXPECT_EQ(dialogs_.Boxes()[0].request.title, "FEHLER");
  EXPECT_FALSE(dialog().FlashLibrary);
  for (TLabel* row : Rows()) EXPECT_FALSE(row->Visible()) << row->Name();
}

TEST_F(FirmwareFlashTest, BeendenReleasesTheLibraryAndCloses) {
  ChooseFirmware();
  dialog().Show();
  dialogs_.Answer(IDOK);
  dialog().Button3->Click();
  ASSERT_TRUE(dialog().FlashLibrary);
  dialog().Button1->Click();
  EXPECT_FALSE(dialog().FlashLibrary);
  EXPECT_FALSE(dialog().Visible());
}

}  // namespace
