// The page "DIAG": the device's diagnosis structures as raw hex bytes, once
// or in a loop, and the error and RAM test actions.
#include "app/diag/runtime_viewer.h"

#include "app/link/link_protocol.h"
#include "app/link/test_window.h"
#include "platform/forms/dialog_layout.h"

namespace {

// Item 6 makes the device send its diagnosis over Profibus: nothing comes back.
constexpr uint8_t DIAG_SEND_BY_PROFIBUS = 6;

}  // namespace

void TForm12::BuildDiagPage() {
  const DialogLayout page(Page(PAGE_DIAG));
  TGroupBox* group = page.Group("GroupBox14", "VD417-Diagnose", 8, 4, 830, 320);
  const DialogLayout at(group);
  const char* const names[] = {"RadioButton1", "RadioButton2", "RadioButton3", "RadioButton4",
                               "RadioButton5", "RadioButton6", "RadioButton7", "RadioButton14"};
  const char* const captions[] = {"Diagnose-Struktur komplett",
                                  "COM",
                                  "ADC",
                                  "ERR",
                                  "PB",
                                  "SPC3 - Diagnosedaten",
                                  "SPC3 - Diagnosedaten per PB senden",
                                  "SPC3 - PRM und CFG-Debug-Strukturen"};
  for (size_t i = 0; i < DiagItems.size(); ++i)
    DiagItems[i] = at.Radio(names[i], captions[i], 12, 26 + static_cast<int>(i) * 22, 300);
  DiagItems[0]->SetChecked(true);
  Label1 = at.Label("Label1", "Diag-Daten", 12, 210);
  Edit1 = at.Edit("Edit1", 12, 230, 800);
  Button10 = at.Button("Button10", "Löschen", 12, 264, 90);
  Button10->OnClick = Handler(this, &TForm12::Button10Click);
  Button8 = at.Button("Button8", "Lesen", 110, 264, 90);
  Button8->OnClick = Handler(this, &TForm12::Button8Click);
  CheckBox1 = at.Check("CheckBox1", "Schleife [ms]", 214, 266, 110);
  Edit2 = at.Edit("Edit2", 330, 266, 60, 5);
  Edit2->SetText("100");
  Button56 = ActionButton(at, "Button56", "ERR-LCD", 420, 26, 100, CMD_DEBUG_ACTION, {0x51}, RequestKind::SendOnly);
  Button57 = ActionButton(at, "Button57", "ERR", 420, 58, 100, CMD_DEBUG_ACTION, {0x50}, RequestKind::NoWait);
  Button65 = ActionButton(at, "Button65", "RAM-Test", 420, 90, 100, CMD_DEBUG_ACTION, {0x5B}, RequestKind::SendOnly);
}

void TForm12::Button8Click(TObject* Sender) {
  Edit1->SetText("");
  uint8_t item = 0;
  for (size_t i = 0; i < DiagItems.size(); ++i)
    if (DiagItems[i]->Checked()) item = static_cast<uint8_t>(i);
  const int pause = DiagnosisPauseMs(Edit2->Text());
  do {
    bool answered = false;
    if (item == DIAG_SEND_BY_PROFIBUS) {
      // Nothing is read: the field stays empty rather than showing an older frame.
      answered = Send(CMD_DIAG_READ, {item}, RequestKind::SendOnly);
      Edit1->SetText("");
    } else {
      answered = Send(CMD_DIAG_READ, {item}, RequestKind::Wait);
      Edit1->SetText(answered ? ByteListText(ReplyData()) : "-");
    }
    Repaint();
    if (CheckBox1->Checked()) Form1->WaitMs(pause);
    Application->ProcessMessages();
    if (!NextPass(CheckBox1, answered)) break;
  } while (true);
}

void TForm12::Button10Click(TObject* Sender) { Edit1->SetText(""); }
