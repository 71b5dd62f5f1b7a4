// The language switch: every translated window, shown or hidden, gets its
// captions in the chosen language; the others keep their German ones, and
// messages follow the switch.
#include "tests/app/program/program_fixture.h"

namespace {

class Language : public ProgramTest {
 protected:
  void Switch(int lang) {
    if (lang == 1)
      service().Englisch1->Click();
    else
      service().Deutsch1->Click();
  }
};

struct Caption {
  const char* name;
  std::function<std::string()> text;
  const char* german;
  const char* english;
};

// A sample of every translated window; each one's own rows are checked
// against the table by the text-table test.
std::vector<Caption> Captions() {
  return {
      {"service window", [] { return Form21->Caption(); }, "Serviceprogramm RTV482", "Service program RTV482"},
      {"menu Datei", [] { return Form21->Datei1->Caption(); }, "Datei", "File"},
      {"hidden menu entry", [] { return Form21->KalibrierungExtern1->Caption(); }, "Kalibrierung extern",
       "External calibration"},
      {"menu Hilfe/Info", [] { return Form21->Info1->Caption(); }, "Info", "About"},
      {"factory settings", [] { return Form21->Werkseinstellungen1->Caption(); }, "Werkseinstellungen",
       "Load default setup"},
      {"label", [] { return Form21->Label7->Caption(); }, "Geräteadresse", "Device adress"},
      {"group", [] { return Form21->GroupBox3->Caption(); }, "Gerätedaten", "Device data"},
      {"both load-calibrated labels", [] { return Form21->Label19->Caption() + "|" + Form21->Label20->Caption(); },
       "Lastkalibriert|Lastkalibriert", "Load calibrated|Load calibrated"},
      {"end button", [] { return Form21->Button2->Caption(); }, "Beenden", "Exit"},
      {"read button", [] { return Form21->Button3->Caption(); }, "Setup von Gerät lesen", "Read setup from device"},
      {"traffic monitor", [] { return Form5->Caption(); }, "Serielle Daten (Binär/ASCII)", "Serial data (Binary/ASCII)"},
      {"traffic monitor button", [] { return Form5->Button1->Caption(); }, "Daten löschen", "Clear data"},
      {"address window", [] { return Form9->Caption(); }, "Geräteadressen", "Device adresses"},
      {"address row 16", [] { return Form9->AddressLabels[15]->Caption(); }, "Gerät - Adresse 16", "Device adress 16"},
      {"select button", [] { return Form9->SelectButtons[7]->Caption(); }, "Auswahl", "Select"},
      {"wait window", [] { return Form16->Caption(); }, "Warten...", "Wait..."},
      {"password dialog", [] { return Form17->Caption(); }, "Passwort-Eingabe", "Password entry"},
      {"password cancel", [] { return Form17->Button1->Caption(); }, "Abbrechen", "Cancel"},
  };
}

TEST_F(Language, SwitchingRecaptionsEveryTranslatedWindowShownOrNot) {
  ASSERT_FALSE(Form9->Visible());
  ASSERT_FALSE(Form17->Visible());
  for (int lang : {1, 0, 1}) {
    Switch(lang);
    EXPECT_EQ(link().Options.lang, lang);
    EXPECT_EQ(service().Englisch1->Checked(), lang == 1);
    EXPECT_EQ(service().Deutsch1->Checked(), lang == 0);
    for (const Caption& c : Captions()) EXPECT_EQ(c.text(), lang == 1 ? c.english : c.german) << c.name;
  }
}

TEST_F(Language, UntranslatedWindowsKeepTheirGermanCaptions) {
  const std::string testWindow = link().Caption();
  const std::string options = Form8->Caption();
  const std::string editor = Form3->Caption();
  Switch(1);
  EXPECT_EQ(link().Caption(), testWindow);
  EXPECT_EQ(Form8->Caption(), options);
  EXPECT_EQ(Form8->Button1->Caption(), "ENDE");
  EXPECT_EQ(Form3->Caption(), editor);
}

TEST_F(Language, TheConnectButtonFollowsTheConnectionAndTheUnitsKeepTheirChoice) {
  service().ComboBox1->SetItemIndex(3);
  service().ComboBox5->SetItemIndex(-1);
  Switch(1);
  EXPECT_EQ(service().Button1->Caption(), "Connect");
  EXPECT_EQ(service().ComboBox1->ItemIndex(), 3);
  EXPECT_EQ(service().ComboBox1->Item(3), "Pound");
  EXPECT_EQ(service().ComboBox1->ItemCount(), 8);
  EXPECT_EQ(service().ComboBox5->ItemIndex(), -1);
  EXPECT_EQ(service().ComboBox5->Item(7), "Free unit");
  ServiceConnected = 1;
  service().Label14->SetCaption("Programm im Demo-Mode!");
  Switch(0);
  EXPECT_EQ(service().Button1->Caption(), "Trennen");
  EXPECT_EQ(service().ComboBox1->Item(3), "Pfund");
  EXPECT_EQ(service().Label14->Caption(), "") << "every switch empties the status line";
  ServiceConnected = 0;
}

TEST_F(Language, TheStartShowsTheStoredLanguageAndMessagesFollowTheSwitch) {
  WriteFile(IniPath(), "[RTV482]\nlang=1\n");
  WriteFile(Path("rs232.ini"), "[ComPort]\nPort=" + Path("no-such-port") + "\n");
  dialogs_.Answer(IDOK);
  service().Activate();
  // Texts of the start itself are already in the stored language.
  ASSERT_EQ(dialogs_.Boxes().size(), 1u);
  EXPECT_EQ(dialogs_.Boxes()[0].request.text, "Cannot open comport!");
  EXPECT_EQ(dialogs_.Boxes()[0].request.title, "ERROR");
  EXPECT_EQ(service().Caption(), "Service program RTV482");
  EXPECT_TRUE(service().Englisch1->Checked());
  EXPECT_FALSE(service().Deutsch1->Checked());

  Switch(0);
  dialogs_.Answer(IDOK);
  service().Button4Click(nullptr);  // refuses without a set-up: a message of the table
  ASSERT_EQ(dialogs_.Boxes().size(), 2u);
  EXPECT_EQ(dialogs_.Boxes()[1].request.text, "Bitte Setup von Gerät lesen!");
  EXPECT_EQ(dialogs_.Boxes()[1].request.title, "HINWEIS");
}

TEST_F(Language, ALanguageByteOtherThanEnglishShowsGerman) {
  WriteFile(IniPath(), "[RTV482]\nlang=7\n");
  Start();
  EXPECT_EQ(link().Options.lang, 7);
  EXPECT_EQ(service().Caption(), "Serviceprogramm RTV482");
  EXPECT_TRUE(service().Deutsch1->Checked());
  service().Button2Click(nullptr);
  // The stored byte is kept.
  EXPECT_NE(ReadFile(IniPath()).find("lang=7\n"), std::string::npos);
}

}  // namespace
