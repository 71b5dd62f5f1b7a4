// Read-all and write-all: the whole set-up between the device and the editor.
#include <algorithm>

#include "app/link/test_window.h"
#include "app/program/text_table.h"
#include "app/service/service_window.h"
#include "app/setup/setup_editor.h"
#include "app/setup/setup_messages.h"
#include "app/setup/setup_transfer_plan.h"
#include "app/setup/transfer_scope.h"

std::vector<TButton*> TForm3::TransferButtons() const {
  return {Button3,  Button4,  Button5,  Button6,  Button22, Button35, Button36, Button33, Button34, Button14, Button17,
          Button23, Button8,  Button38, Button39, Button55, Button56, Button43, Button44, Button16, Button19, Button40,
          Button41, Button31, Button32, Button46, Button47, Button48, Button49, Button26, Button27, Button2,  Button51,
          Button1,  Button24, Button29, Button30, Button50, Button59, Button15, Button28, Button42};
}

void TForm3::SetProgress(int position) {
  ProgressBar1->SetPosition(position);
  if (Form21 != nullptr) Form21->ProgressBar1->SetPosition(position);
}

void TForm3::ShowProgress(bool visible) {
  ProgressBar1->SetVisible(visible);
  if (Form21 != nullptr) Form21->ProgressBar1->SetVisible(visible);
}

bool TForm3::EnsureSetupBase() {
  if (IsSetupCopyBase(SetupBase)) return true;
  if (QueryActiveSetup() && IsSetupCopyBase(SetupBase)) return true;
  ShowUntilOk(LangText(ROW_READ_SETUP_FIRST), ROW_TITLE_HINT, MB_ICONERROR);
  return false;
}

bool TForm3::ReadSection(SetupSection section, bool eraseOnFailure) {
  const DeviceRead read = DeviceReadOf(section, SetupBase, Form1->HardwareVersionText);
  bool failed = read.once ? Form1->ReadDeviceBlock(read.address, 0, read.length) != 0
                          : Form1->ReadDeviceMemory(read.address, 0, read.length);
  failed = failed || Form1->TransferFailed != 0;
  std::span<uint8_t> bytes = SectionBytes(Form1->SetupImage, section);
  if (!failed)
    std::copy_n(Form1->ReadBuffer.begin(), bytes.size(), bytes.begin());
  else if (eraseOnFailure)
    std::fill(bytes.begin(), bytes.end(), uint8_t{0xFF});
  return !failed;
}

void TForm3::ReadSetupFromDevice() {
  if (transferRunning_ || !EnsureSetupBase()) return;
  TransferScope scope(*this);
  Form1->SuspendDeviceOutput();
  SetProgress(0);
  ShowProgress(true);

  bool complete = true;
  for (const TransferStep& step : ReadAllSteps()) {
    const bool ok = ReadSection(step.section, true);
    ShowSection(step.section);
    if (!ok) {
      complete = false;
      ShowUntilOk(ReadFailureMessage(step.section), ROW_TITLE_ERROR, MB_ICONERROR);
    }
    SetProgress(step.progress);
  }

  ApplyChannelCount();
  ShowFreeDivisionEdits(0);
  ShowFreeDivisionEdits(1);
  EnableUnitRows();
  if (!complete) ShowUntilOk("ERROR! (COM-Error)", ROW_TITLE_ERROR, MB_ICONERROR);
  // An image with erased sections is no set-up that could be written back.
  Form1->SetupPresent = complete ? 1 : 0;
  ShowProgress(false);
  Form1->ResumeDeviceOutput();
  if (Form21 != nullptr) Form21->SetupRO->SetEnabled(true);
}

void TForm3::WriteSetupToDevice() {
  if (transferRunning_) return;
  if (Form1->SetupPresent == 0) {
    ShowUntilOk(LangText(ROW_READ_SETUP_FIRST), ROW_TITLE_HINT, MB_ICONERROR);
    return;
  }
  if (!EnsureSetupBase()) return;
  TransferScope scope(*this);
  Form1->SuspendDeviceOutput();
  SetProgress(0);
  ShowProgress(true);

  for (const TransferStep& step : WriteAllSteps()) {
    RebuildFromControls(step.section);
    if (!WriteSection(step.section)) ShowUntilOk(WriteFailureMessage(step.section), ROW_TITLE_ERROR, MB_ICONERROR);
    SetProgress(step.progress);
  }

  SetProgress(100);
  ShowProgress(false);
  Form1->ResumeDeviceOutput();
}
