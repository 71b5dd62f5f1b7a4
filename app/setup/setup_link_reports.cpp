// What the set-up editor shows of the link's reports: the controls that the
// identified device's variant and board offer, and the set-up backup.
#include "app/setup/setup_editor.h"

namespace {

// The editor's extension-board pages.
void ShowExbPages(TPageControl& pages, bool visible) {
  for (const char* caption : {"EXB_1", "EXB_2"})
    if (TTabSheet* page = pages.PageByCaption(caption)) page->SetTabVisible(visible);
}

}  // namespace

void TForm3::DeviceAnswered() {
  // Everything a variant may hide is offered first.
  ComboBox5->SetEnabled(true);
  for (TGroupBox* box : {GroupBox22, GroupBox28, GroupBox29}) box->SetVisible(true);
}

void TForm3::VariantAdapted(const VariantAdaptation& variant) {
  ComboBox74->SetItemIndex(static_cast<int>(variant.channel1.type));
  if (variant.channel2) ComboBox75->SetItemIndex(static_cast<int>(variant.channel2->type));
  if (variant.singleChannel) {
    // One channel: the editor hides its channel-2 controls.
    ComboBox5->SetItemIndex(0);
    ComboBox5Change(nullptr);
    ComboBox5->SetEnabled(false);
  }
}

void TForm3::BoardAdapted(const HardwareAdaptation& board) {
  ShowExbPages(*PageControl1, board.exbPages);
  CheckBox21->SetVisible(board.exbPages);
  if (!board.exbPages) CheckBox21->SetChecked(false);
  if (board.noExtensionBoard)
    for (TGroupBox* box : {GroupBox22, GroupBox28, GroupBox29}) box->SetVisible(false);
}

void TForm3::SetupBackupKnown(bool present) {
  if (Button58 != nullptr) Button58->SetEnabled(present);
}

void TForm3::SetupChecksumShown() { Repaint(); }
