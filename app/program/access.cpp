// Access to the factory functions, and the About box with the version.
#include "app/program/about_box.h"
#include "app/program/password_dialog.h"
#include "app/link/test_window.h"
#include "app/program/text_table.h"
#include "platform/forms/application.h"

#ifndef RTV_FILE_VERSION
#error RTV_FILE_VERSION must name the version of the program
#endif

bool TForm1::AccessGranted() {
  if (Form17 == nullptr) return false;
  if (SupervisorMode != 0) {
    Form17->Granted = 1;
    return true;
  }
  // The dialog stays non-modal: other windows and the timers go on while it
  // asks. It runs from now on, even before its activation has arrived.
  Form17->Closed = 0;
  Form17->Activate();
  while (Form17->Closed == 0) {
    if (Application != nullptr && Application->Terminated()) return false;
    PumpOnce(50);
  }
  return Form17->Granted == 1;
}

void TForm1::ShowAboutBox() {
  if (AboutBox == nullptr) return;
  AboutBox->Version->SetCaption("Version   " + GetVersionInfo("FileVersion") + "  ");
  AboutBox->Version2->SetCaption("28.01.2022");
  AboutBox->ProductName->SetCaption(std::string(Text(8, Lang())) + "_2");
  AboutBox->ShowModal();
}

std::string TForm1::GetVersionInfo(const std::string& key) const {
  // The version is set when the program is built.
  if (key == "FileVersion" || key == "ProductVersion") return RTV_FILE_VERSION;
  return {};
}
