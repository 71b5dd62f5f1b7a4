// The printed protocol: the page with its captions and the device's values
// as a one-page PDF (read back with the poppler tools), the modal preview and
// the first show.
#include <QImage>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/app/params/crane_fixture.h"
#include "tests/app/setup/known_setup.h"
#include "tests/support/file_size_limit.h"

namespace {

// Output of a shell command; empty when it could not run.
std::string CommandOutput(const std::string& command) {
  std::string out;
  if (FILE* pipe = ::popen(command.c_str(), "r")) {
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    ::pclose(pipe);
  }
  return out;
}

class CraneProtocolTest : public CraneTest {
 protected:
  // An identified device with a set-up whose limits and characteristic are known.
  void KnownDevice() {
    Form1->InfoText = "Kranwaage VNx 5t";
    Form1->SerialNumberText = "12345678";
    Form1->FirmwareVersionText = "V1.2.3";
    SetupImageBytes image = known_setup::Defaults();
    using enum SetupSection;
    known_setup::Set(image, WKG0, "nsu", 20);
    known_setup::Set(image, WKG0, "nso", 110);
    known_setup::Set(image, WKG0, "enull", 1);
    known_setup::Set(image, WKG0, "enu", 3);
    known_setup::Set(image, WKG0, "eno", 7);
    known_setup::Set(image, ADC, "smax_0", 4);
    known_setup::Set(image, ADC, "xs_0", 812345, 3);
    known_setup::Set(image, ADC, "ys_0", 62.5, 3);
    Form1->SetupImage = image;
    Form1->SetupPresent = 1;
  }
};

TEST_F(CraneProtocolTest, DruckenWritesOnePdfPageWithCaptionsAndValues) {
  if (!std::filesystem::exists(PDFTOPPM) || !std::filesystem::exists(PDFTOTEXT))
    GTEST_SKIP() << "poppler-utils are not installed";
  KnownDevice();
  protocol().Button1->Click();
  EXPECT_TRUE(dialogs_.Boxes().empty());
  const std::filesystem::path pdf = dir_ / "protokoll.pdf";
  ASSERT_TRUE(std::filesystem::exists(pdf));

  // One A4 page: rendered at 50 dpi it is 413 x 585 pixels.
  const std::string png = (dir_ / "page").string();
  CommandOutput(std::string(PDFTOPPM) + " -r 50 -png '" + pdf.string() + "' '" + png + "'");
  ASSERT_TRUE(std::filesystem::exists(png + "-1.png")) << "no first page";
  EXPECT_FALSE(std::filesystem::exists(png + "-2.png")) << "more than one page";
  const QImage page(QString::fromStdString(png + "-1.png"));
  EXPECT_NEAR(page.width(), 413, 2);
  EXPECT_NEAR(page.height(), 585, 2);

  const std::string text = CommandOutput(std::string(PDFTOTEXT) + " -layout '" + pdf.string() + "' -");
  for (const char* caption :
       {"Kranwaage / LMB-F", "Datum/Zeit", "Werkseinstellungen / Werksjustage", "Gerät", "Typ:", "Seriennummer:",
        "Firmware:", "Funknummer:", "Einstellungen", "Unterlast:", "Überlast:", "Einschaltnullen:",
        "Einschaltnull - Min:", "Einschaltnull - Max:", "Funk:", "automat. Abschaltung:", "Abschaltung - Zeit:",
        "Kennlinie", "Stützstellen:", "ADC", "xs[0] =", "xs[7] =", "ys[0] =", "ys[7] ="})
    EXPECT_NE(text.find(caption), std::string::npos) << caption;
  // Each value beside its caption (the text tool spaces the words as it likes).
  std::string packed = text;
  std::erase(packed, ' ');
  for (const char* pair : {"Typ:KranwaageVNx5t", "Seriennummer:12345678", "Firmware:V1.2.3", "Funknummer:.",
                           "Unterlast:-20%", "Überlast:110%", "Einschaltnullen:Ein", "Einschaltnull-Min:3%",
                           "Einschaltnull-Max:7%", "Funk:.", "Stützstellen:4", "xs[3]=812345", "ys[3]=62.5000"})
    EXPECT_NE(packed.find(pair), std::string::npos) << pair << " in:\n" << text;
}

TEST_F(CraneProtocolTest, APdfThatCannotBeWrittenIsReported) {
  protocol().PdfFileName = (dir_ / "no_such_folder" / "protokoll.pdf").string();
  dialogs_.Answer(IDOK);
  protocol().Button1->Click();
  ASSERT_EQ(dialogs_.Boxes().size(), 1u);
  EXPECT_EQ(dialogs_.Boxes()[0].request.title, "FEHLER");
  EXPECT_NE(dialogs_.Boxes()[0].request.text.find("protokoll.pdf"), std::string::npos);
}

TEST_F(CraneProtocolTest, AFullDiskKeepsTheOlderProtocolWholeAndSaysWhy) {
  KnownDevice();
  const std::filesystem::path pdf = dir_ / "protokoll.pdf";
  const std::string old = "%PDF-1.4 an older protocol\n%%EOF\n";
  std::ofstream(pdf, std::ios::binary) << old;
  dialogs_.Answer(IDOK);
  {
    // The page is larger than this, the older protocol is not.
    const ScopedFileSizeLimit limit(4096);
    ASSERT_TRUE(limit.Active());
    protocol().Button1->Click();
  }
  ASSERT_EQ(dialogs_.Boxes().size(), 1u);
  EXPECT_EQ(dialogs_.Boxes()[0].request.title, "FEHLER");
  EXPECT_EQ(dialogs_.Boxes()[0].request.text, "Fehler beim Schreiben der Datei protokoll.pdf!\r\n" +
                                                  std::make_error_code(std::errc::file_too_large).message());
  EXPECT_EQ(FileText(pdf), old);
  // No piece of the new page is left beside it.
  for (const auto& entry : std::filesystem::directory_iterator(dir_))
    EXPECT_EQ(entry.path().filename().string().find("protokoll.pdf."), std::string::npos) << entry.path();

  // With room on the disk the new page replaces the older one.
  protocol().Button1->Click();
  EXPECT_EQ(dialogs_.Boxes().size(), 1u);
  EXPECT_EQ(FileText(pdf).rfind("%PDF-", 0), 0u);
  EXPECT_GT(std::filesystem::file_size(pdf), 4096u);
}

TEST_F(CraneProtocolTest, ThePreviewOpensModallyWithThePage) {
  KnownDevice();
  bool modal = false;
  bool pictured = false;
  Later([&] {
    TForm* preview = protocol().QuickRep1->PreviewForm();
    modal = preview != nullptr && preview->Modal() && preview->Visible();
    if (preview == nullptr) return;
    if (auto* page = FindComponent<TImage>(preview, "Page")) pictured = page->HasPicture();
    if (auto* close = FindComponent<TButton>(preview, "CloseButton")) close->Click();
  });
  protocol().Button2->Click();
  EXPECT_TRUE(modal);
  EXPECT_TRUE(pictured);
  EXPECT_EQ(protocol().QuickRep1->PreviewForm(), nullptr);
  // The preview showed the device's values.
  bool found = false;
  for (const TQRLabel* label : protocol().QuickRep1->Labels()) found = found || label->Caption() == "12345678";
  EXPECT_TRUE(found);
}

TEST_F(CraneProtocolTest, TheFirstShowFillsTheValues) {
  KnownDevice();
  ProtocolFilled = 0;
  protocol().Show();
  EXPECT_EQ(ProtocolFilled, 1);
  bool found = false;
  for (const TQRLabel* label : protocol().QuickRep1->Labels()) found = found || label->Caption() == "V1.2.3";
  EXPECT_TRUE(found);
  protocol().Button3->Click();
  EXPECT_FALSE(protocol().Visible());
}

}  // namespace
