#include "app/params/firmware_flash.h"

#include "app/params/flash_selection.h"
#include "platform/forms/control_placement.h"
#include "platform/forms/dialog_layout.h"

TForm27* Form27 = nullptr;

namespace {

void ShowResult(TLabel* label, bool passed) {
  label->SetCaption(passed ? "PASS" : "FAIL");
  label->Font().SetColor(passed ? clGreen : clRed);
  label->Show();
}

}  // namespace

TForm27::TForm27() {
  SetName("Form27");
  SetCaption("Firmware-Flashprogrammierung");
  SetClientSize(460, 300);
  const DialogLayout L(this);

  Label1 = L.Label("Label1", "Datei:", 16, 16, 50);
  Label3 = L.Label("Label3", ":", 70, 16, 374);
  Label2 = L.Label("Label2", ".", 16, 40, 428);
  Button2 = L.Button("Button2", "Datei öffnen", 16, 68, 130);
  Button2->OnClick = Handler(this, &TForm27::Button2Click);
  Button3 = L.Button("Button3", "Update -> Start", 160, 68, 130);
  Button3->OnClick = Handler(this, &TForm27::Button3Click);
  Button3->SetEnabled(false);

  Label_Init = L.Label("Label_Init", "Initialisierung...", 16, 116, 160);
  Label_Device = L.Label("Label_Device", "Device...", 16, 142, 160);
  Label_ComPort = L.Label("Label_ComPort", "COM-Port...", 16, 168, 160);
  Label_Init_OK = L.Label("Label_Init_OK", "", 190, 116, 60);
  Label_Device_OK = L.Label("Label_Device_OK", "", 190, 142, 60);
  Label_ComPort_OK = L.Label("Label_ComPort_OK", "", 190, 168, 60);
  for (TLabel* label : {Label_Init, Label_Device, Label_ComPort, Label_Init_OK, Label_Device_OK, Label_ComPort_OK}) {
    label->Font().SetBold(true);
    label->Hide();
  }

  ProgressBar1 = PlaceControl<TProgressBar>(this, "ProgressBar1", 16, 204, 428, 20);
  Button1 = L.Button("Button1", "Beenden", 314, 252, 130);
  Button1->OnClick = Handler(this, &TForm27::Button1Click);

  OpenDialog1 = new TOpenDialog(this);
  OpenDialog1->SetName("OpenDialog1");
  OpenDialog1->Filter = "VD417-Firmware-Datei|*.hex";
}

void TForm27::Button2Click(TObject* Sender) {
  OpenDialog1->InitialDir = "./fw";
  OpenDialog1->FileName.clear();
  // Asked again until a file is chosen or the user gives up: an empty name
  // never enables the update.
  while (!OpenDialog1->Execute() || OpenDialog1->FileName.empty()) {
    if (MessageBox("Es wurde keine Datei gewählt! -> Abbruch?", "FRAGE", MB_YESNO | MB_ICONQUESTION) == IDYES)
      return;
    OpenDialog1->FileName.clear();
  }
  Label3->SetCaption(OpenDialog1->FileName);
  Button3->SetEnabled(true);
}

bool TForm27::LoadFlashLibrary() {
  if (FlashLibrary) return true;
  FlashLibrary.reset(platform::win::LoadLibraryA(FlashLibraryName.c_str()));
  if (FlashLibrary && BindFlashFunctions(FlashLibrary)) return true;
  FlashLibrary.reset();
  MessageBox("Fehler beim Laden der Datei " + platform::win::LibraryFileName(FlashLibraryName) + "!", "FEHLER",
             MB_OK | MB_ICONERROR);
  return false;
}

void TForm27::Button3Click(TObject* Sender) {
  FlashLastError = 0;
  if (!LoadFlashLibrary()) return;
  const FlashFunctions functions = *BindFlashFunctions(FlashLibrary);
  TLabel* const rows[] = {Label_Init, Label_Device, Label_ComPort};
  TLabel* const results[] = {Label_Init_OK, Label_Device_OK, Label_ComPort_OK};
  const FlashStepView view{
      [&](FlashStep step) { rows[static_cast<int>(step)]->Show(); },
      [&](FlashStep step, bool passed) { ShowResult(results[static_cast<int>(step)], passed); }};
  FlashLastError = RunFlashSelection(functions, kFlashDeviceCode, FlashHardwareCode, view);
  MessageBoxUntilOk("FEHLER bei Flash-Update!", "FEHLER", MB_ICONERROR);
}

void TForm27::Button1Click(TObject* Sender) {
  ReleaseLibrary();
  Close();
}

void TForm27::ReleaseLibrary() { FlashLibrary.reset(); }
