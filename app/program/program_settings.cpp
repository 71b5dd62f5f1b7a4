// The program's settings: the program ini beside the program file and the
// serial-port settings "rs232.ini" in the current directory, with the test
// opening of the port at start.
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QtGlobal>

#include "app/program/program_ini.h"
#include "app/link/test_window.h"
#include "app/program/text_table.h"
#include "app/service/service_window.h"
#include "platform/forms/ini_file.h"
#include "platform/serial/com_port.h"
#include "platform/serial/com_port_error.h"

namespace {

std::string ComSettingsPath() { return QDir::current().filePath(kComSettingsFileName).toStdString(); }

}  // namespace

std::string TForm1::ProgramIniPath() const {
  if (!ProgramIniFileName.empty()) return ProgramIniFileName;
  const QFileInfo program(QCoreApplication::applicationFilePath());
  return QDir(program.path()).filePath(program.completeBaseName() + ".ini").toStdString();
}

void TForm1::LoadProgramSettings() {
  const TIniFile ini(ProgramIniPath());
  StoredPresence present{};
  ReadProgramIni(ini, Options, present);
  for (int k = 1; k <= 16; ++k) RequestQueues[static_cast<size_t>(k)].Present = present[static_cast<size_t>(k - 1)];
  if (Form21 != nullptr) {
    Form21->AutomatischeBaudratenerkennung1->SetChecked(false);
    Form21->AutomatischeBaudratenerkennung1->SetVisible(false);
  }
}

void TForm1::SaveProgramSettings() {
  TIniFile ini(ProgramIniPath());
  StoredPresence present{};
  for (int k = 1; k <= 16; ++k) present[static_cast<size_t>(k - 1)] = RequestQueues[static_cast<size_t>(k)].Present;
  WriteProgramIni(ini, Options, present);
}

uint8_t TForm1::LoadComSettings() {
  const int lang = Lang();
  const std::string path = ComSettingsPath();
  try {
    ComPort1->LoadSettings(path);
  } catch (const EComPort& e) {
    // The text is the one the users know, whatever the cause; the cause goes to the log.
    qWarning("%s: %s", path.c_str(), e.what());
    MessageBox(Text(440, lang), Text(ROW_TITLE_ERROR, lang), MB_OK | MB_ICONINFORMATION);
  }
  if (Options.auto_baud == 1) return 0;

  try {
    if (ComPort1->Connected()) ComPort1->Close();
    ComPort1->Open();
  } catch (const EComPort& e) {
    qWarning("%s", e.what());
    ComPort1->Close();
    MessageBox(Text(441, lang), Text(ROW_TITLE_ERROR, lang), MB_OK | MB_ICONINFORMATION);
    Timer7->SetEnabled(true);  // the port retry takes over
    return 4;
  }
  RS232Parameter1->SetEnabled(true);
  PortUsable = 1;
  StatusBar1->SetPanelText(0, "RS232");
  if (Form21 != nullptr) Form21->StatusBar1->SetPanelText(0, "RS232");
  try {
    ComPort1->ClearBuffer(true, true);
  } catch (const EComPort&) {
  }
  // The queue opens the port for every telegram.
  ComPort1->Close();
  return 0;
}
