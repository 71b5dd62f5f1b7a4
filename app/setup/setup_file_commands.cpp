// "Laden" and "Speichern": the set-up file dialogs and the file itself.
#include <optional>

#include "app/link/test_window.h"
#include "app/program/text_table.h"
#include "app/setup/setup_editor.h"
#include "app/setup/setup_file.h"
#include "app/setup/setup_messages.h"
#include "platform/forms/ini_file.h"

namespace {

constexpr int kRowNoFileChosen = 368;
constexpr const char* kSetupFolder = "./setup";
// The sections in the order in which a save takes them from the controls.
constexpr SetupSection kSaveOrder[] = {SetupSection::GBL,  SetupSection::LPC, SetupSection::ADC,  SetupSection::WKG0,
                                       SetupSection::WKG1, SetupSection::WKS, SetupSection::CHN0, SetupSection::CHN1,
                                       SetupSection::EXB,  SetupSection::MSC, SetupSection::ADM};

// Shows the dialog; after an empty choice asks whether to give up and, on
// No, shows it once more. The chosen name, or nothing when there is none.
std::optional<std::string> AskForFile(TOpenDialog& dialog) {
  if (dialog.Execute() && !dialog.FileName.empty()) return dialog.FileName;
  if (AskYesNo(LangText(kRowNoFileChosen))) return std::nullopt;
  if (dialog.Execute() && !dialog.FileName.empty()) return dialog.FileName;
  return std::nullopt;  // a second empty choice ends as "Yes" would
}

std::optional<std::string> ChooseFile(TForm3& editor, TOpenDialog& dialog) {
  dialog.InitialDir = kSetupFolder;
  dialog.FilterIndex = 1;
  std::optional<std::string> chosen = AskForFile(dialog);
  if (chosen) {
    editor.SetupFileName = *chosen;
    Form1->SetupFileDialogName = *chosen;
  }
  return chosen;
}

void ReportFileError(const std::string& text) { ShowUntilOk(text, ROW_TITLE_ERROR, MB_ICONERROR); }

}  // namespace

void TForm3::SaveSetupFile() {
  // The controls are the working copy of a transfer that runs; they are
  // neither taken nor replaced under it.
  if (transferRunning_) return;
  // The serial number as "%.8s" prints it: at most 8 characters, up to a zero.
  std::string serial = Form1->SerialNumberText.substr(0, 8);
  serial = serial.substr(0, serial.find('\0'));
  if (!serial.empty()) SaveDialog1->FileName = serial + "__" + TForm1::FormatNow("%d%m%Y");
  const std::optional<std::string> chosen = ChooseFile(*this, *SaveDialog1);
  if (!chosen) return;
  const std::string path = SetupFilePath(*chosen);
  const SetupFileInfo info{TForm1::FormatNow("%A %d.%m.%y %H:%M:%S"), ActiveSetup};
  for (SetupSection section : kSaveOrder) RebuildFromControls(section);
  TIniFile ini(path);
  try {
    WriteSetupFile(ini, Form1->SetupImage, info);
  } catch (const EIniFileException& e) {
    ReportFileError(LangText("Setup-Datei kann nicht geschrieben werden:\n", "Cannot write setup file:\n") +
                    std::string(e.what()));
  }
}

void TForm3::LoadSetupFile() {
  if (transferRunning_) {
    SetupFileChosen = 0;
    return;
  }
  const std::optional<std::string> chosen = ChooseFile(*this, *OpenDialog1);
  SetupFileChosen = chosen ? 1 : 0;
  if (!chosen) return;
  const std::string path = SetupFilePath(*chosen);
  const TIniFile ini(path);
  switch (CheckSetupFile(ini)) {
    case SetupFileError::Unreadable:
      SetupFileChosen = 0;
      ReportFileError(LangText("Setup-Datei kann nicht gelesen werden:\n", "Cannot read setup file:\n") + path);
      return;
    case SetupFileError::NoSetupSection:
      SetupFileChosen = 0;
      ReportFileError(LangText("Die Datei enthält keine Setupdaten:\n", "The file holds no setup data:\n") + path);
      return;
    case SetupFileError::None:
      break;
  }
  // Without a set-up in the image its bytes mean nothing; what the file does
  // not carry then comes from the default images.
  SetupImageBytes image = Form1->SetupImage;
  if (Form1->SetupPresent == 0) DefaultKeylessBytes(image);
  ReadSetupFile(ini, image);
  Form1->SetupImage = image;
  for (SetupSection section : kSaveOrder) ShowSection(section);
  ShowSection(SetupSection::SAV);
  Form1->SetupPresent = 1;
}
