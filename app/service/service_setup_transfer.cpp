// The service window's set-up write ("Setup zum Gerät schreiben"), the
// set-up files of the menu Datei ("Öffnen", "Speichern", "Speichern
// unter..."), and the address read of the set-up read.
#include <initializer_list>
#include <vector>

#include "app/link/device_request.h"
#include "app/link/test_window.h"
#include "app/program/text_table.h"
#include "app/service/image_fields.h"
#include "app/service/parameter_dialog_steps.h"
#include "app/service/service_window.h"
#include "app/setup/setup_editor.h"
#include "app/setup/setup_messages.h"
#include "app/setup/setup_text.h"

namespace {

constexpr int ROW_WRITE_DIRECTLY = 10;
constexpr int ROW_READ_SETUP_FIRST = 11;
constexpr int ROW_READ_ONLY = 14;
constexpr int ROW_OVERWRITE_CALIBRATION = 15;
constexpr int ROW_WRITING_SETUP = 47;

constexpr uint8_t CALIB_MODE_SERVICE_WRITE = 1;
constexpr uint8_t DIP_ADDRESS_QUERY = 2;

// The sections that the set-up editor's controls take from the image before
// a write, in this order.
constexpr SetupSection kWriteSections[] = {SetupSection::GBL,  SetupSection::LPC,  SetupSection::ADC,
                                           SetupSection::WKG0, SetupSection::WKG1, SetupSection::WKS,
                                           SetupSection::CHN0, SetupSection::CHN1, SetupSection::EXB,
                                           SetupSection::MSC,  SetupSection::ADM};
// Before a save: the same and the factory data.
constexpr SetupSection kSaveSections[] = {SetupSection::GBL,  SetupSection::LPC,  SetupSection::ADC,
                                          SetupSection::WKG0, SetupSection::WKG1, SetupSection::WKS,
                                          SetupSection::CHN0, SetupSection::CHN1, SetupSection::EXB,
                                          SetupSection::MSC,  SetupSection::ADM,  SetupSection::SAV};

template <size_t N>
void ShowOnEditor(const SetupSection (&sections)[N]) {
  for (SetupSection section : sections) Form3->SetupToControls(SectionCode(section, SetupBase));
}

// The checks of every set-up write from this window: a protected set-up is
// refused, and the user confirms that calibration data are overwritten.
bool WriteConfirmed() {
  if (ImageByte(Form1->SetupImage, SetupSection::ADM, "setup") == 0) {
    ShowUntilOk(LangText(ROW_READ_ONLY), ROW_TITLE_HINT, MB_ICONINFORMATION);
    return false;
  }
  return AskYesNo(LangText(ROW_OVERWRITE_CALIBRATION));
}

void SoftRestart(TForm21& window) {
  Form1->SoftResetRequested = 1;
  window.RestartAndReconnect();
  Form1->SoftResetRequested = 0;
}

}  // namespace

void TForm21::Button4Click(TObject* Sender) {
  if (Form1 == nullptr || Form3 == nullptr || Form1->FirmwareSeries0 == 1) return;
  TForm1& link = *Form1;
  if (link.SetupPresent == 0 && SetupReadDone == 0) {
    ShowUntilOk(LangText(ROW_READ_SETUP_FIRST), ROW_TITLE_HINT, MB_ICONINFORMATION);
    return;
  }
  if (!WriteConfirmed()) return;
  if (InputSignalShown == 1) Label3Click(nullptr);
  Button1->SetEnabled(false);
  Button6->SetVisible(false);
  if (ServiceConnected == 1) {
    Button1Click(nullptr);
    Button1->SetEnabled(false);
  }
  SetupWriteRunning = 1;
  Label14->SetCaption(LangText(ROW_WRITING_SETUP));
  if (SetupFromFile == 0) WriteSensitivityCalibration();
  for (TButton* button : {Button3, Button4, Button5, Button7}) button->SetEnabled(false);
  // The set-up editor's controls are the working copy that the write takes.
  ShowOnEditor(kWriteSections);
  Form3->WriteSetupToDevice();

  // The channels count as calibrated by this window from now on.
  const SetupImageBytes before = link.SetupImage;
  ImageByte(link.SetupImage, SetupSection::CHN0, "chn_calib_mode") = CALIB_MODE_SERVICE_WRITE;
  if (link.ChannelCount == 2) {
    ImageByte(link.SetupImage, SetupSection::CHN1, "chn_calib_mode") = CALIB_MODE_SERVICE_WRITE;
    WriteSetupBytes(before, {{SetupSection::CHN0, "chn_calib_mode"}, {SetupSection::CHN1, "chn_calib_mode"}});
  } else {
    WriteSetupBytes(before, {{SetupSection::CHN0, "chn_calib_mode"}});
  }

  SetupWriteRunning = 0;
  SetupModified = 0;
  SetupFromFile = 0;
  Label19->SetVisible(false);
  Label20->SetVisible(false);
  // The device takes the set-up at its restart, whatever the write reported.
  SoftRestart(*this);
}

void TForm21::ffnen1Click(TObject* Sender) {
  if (Form1 == nullptr || Form3 == nullptr) return;
  Form3->LoadSetupFile();
  if (Form3->SetupFileChosen == 0) return;
  ShowChannelSetup();
  parameter_dialogs::ShowSetup();
  // Not written now, the file's set-up waits in the image: the next write
  // keeps its calibration, and the program end offers to store it.
  const auto keepForLater = [this] {
    SetupFromFile = 1;
    SetupModified = 1;
  };
  if (!AskYesNo(LangText(ROW_WRITE_DIRECTLY))) {
    keepForLater();
    return;
  }
  // Written directly, the file passes the same checks as the write button.
  if (!WriteConfirmed()) {
    keepForLater();
    return;
  }
  Form3->WriteSetupToDevice();
  SoftRestart(*this);
}

void TForm21::Speichern1Click(TObject* Sender) {
  if (Form1 == nullptr || Form3 == nullptr) return;
  if (Form1->SetupPresent == 0) {
    ShowUntilOk(LangText(ROW_READ_SETUP_FIRST), ROW_TITLE_HINT, MB_ICONERROR);
    return;
  }
  // The file takes what the editor's controls hold: every section of the image first.
  ShowOnEditor(kSaveSections);
  Form3->SaveSetupFile();
}

void TForm21::Speichernunter1Click(TObject* Sender) {
  if (Form1 == nullptr || Form3 == nullptr) return;
  StoreChannelSetup();
  ShowOnEditor(kSaveSections);
  Form3->SaveSetupFile();
  Label10->SetCaption(Form3->SetupFileName);
}

void TForm21::ReadDipAddress() {
  if (Form1 == nullptr) return;
  TForm1& link = *Form1;
  const std::vector<uint8_t> data{DIP_ADDRESS_QUERY, 0, 0};
  // Only the device's answer to this request names the switch's address;
  // without it the field keeps the set-up's address.
  if (!SendRequest(link, CMD_PROFIBUS, data, RequestKind::Wait).answered) return;
  constexpr size_t kFirstData = 5;
  Edit5->SetText(FormatInt(link.ReplyBuffer[kFirstData]));
}
