// The page "TEST DEBUG": EEPROM, bridge-supply, bridge-detuning, battery and
// LED tests of CMD_DEBUG_ACTION, the device reset and the ext_s structure;
// and the unreachable page "RTC".
#include "app/diag/runtime_viewer.h"

#include "app/link/link_protocol.h"
#include "app/link/test_window.h"
#include "platform/forms/control_placement.h"
#include "platform/forms/dialog_layout.h"

namespace {

constexpr uint8_t ACTION_LC_ERR = 0x28;

}  // namespace

void TForm12::BuildTestDebugPage() {
  const DialogLayout page(Page(PAGE_TEST_DEBUG));
  TGroupBox* group = page.Group("GroupBox8", "Test Debug", 8, 4, 830, 500);
  const DialogLayout at(group);
  constexpr auto kAwaited = RequestKind::NoWait;
  constexpr auto kSendOnly = RequestKind::SendOnly;
  Button20 = ActionButton(at, "Button20", "EEPROM-Block 1", 12, 28, 150, CMD_DEBUG_ACTION, {0x04}, kAwaited);
  Button23 = ActionButton(at, "Button23", "EEPROM-Block 2", 12, 58, 150, CMD_DEBUG_ACTION, {0x05}, kAwaited);
  Button24 = ActionButton(at, "Button24", "EEPROM-Block 3", 12, 88, 150, CMD_DEBUG_ACTION, {0x06}, kAwaited);
  Button25 = ActionButton(at, "Button25", "EEPROM-Block 4", 12, 118, 150, CMD_DEBUG_ACTION, {0x07}, kAwaited);
  Button22 = ActionButton(at, "Button22", "EEPROM wr-test (Blk1)", 12, 160, 150, CMD_DEBUG_ACTION, {0x08}, kAwaited);
  Button11 = ActionButton(at, "Button11", "Clear EEPROM (Blk 1)", 12, 190, 150, CMD_DEBUG_ACTION, {0x0A}, kAwaited);

  Label9 = at.Label("Label9", "Brückenspeisung", 190, 28);
  Button26 = at.Button("Button26", "LC-Err-Test1", 190, 50, 110);
  Button26->OnClick = Handler(this, &TForm12::Button26Click);
  CheckBox2 = at.Check("CheckBox2", "Schleife", 310, 52, 90);
  Label22 = at.Label("Label22", "", 410, 54, 160);

  Label10 = at.Label("Label10", "Brückenverstimmung", 190, 92);
  TPanel* detuning = at.Frame(190, 112, 120, 84);
  const DialogLayout radios(detuning);
  RadioButton9 = radios.Radio("RadioButton9", "Test-AN1=1", 0, 0, 110);
  RadioButton10 = radios.Radio("RadioButton10", "Test-AN2=1", 0, 20, 110);
  RadioButton11 = radios.Radio("RadioButton11", "Test-AN1=0", 0, 40, 110);
  RadioButton12 = radios.Radio("RadioButton12", "Test-AN2=0", 0, 60, 110);
  Button32 = at.Button("Button32", "LC-Err-Test2", 320, 140, 110);
  Button32->OnClick = Handler(this, &TForm12::Button32Click);

  Label26 = at.Label("Label26", "VBat-Messung (KP613)", 190, 210);
  Button72 = at.Button("Button72", "VBat-Test", 190, 232, 110);
  Button72->OnClick = Handler(this, &TForm12::Button72Click);
  CheckBox11 = at.Check("CheckBox11", "Schleife", 310, 234, 90);
  Label35 = at.Label("Label35", "", 410, 236, 160);

  Button33 = ActionButton(at, "Button33", "Toggle Err-LED", 600, 28, 130, CMD_DEBUG_ACTION, {0x3C}, kSendOnly);
  Button34 = ActionButton(at, "Button34", "EIN", 600, 58, 62, CMD_DEBUG_ACTION, {0x3D}, kSendOnly);
  Button35 = ActionButton(at, "Button35", "AUS", 668, 58, 62, CMD_DEBUG_ACTION, {0x3E}, kSendOnly);
  Button30 = at.Button("Button30", "Reset VD417", 600, 110, 130);
  Button30->OnClick = Handler(this, &TForm12::Button30Click);

  Button21 = at.Button("Button21", "Struktur ext_s", 12, 290, 130);
  Button21->OnClick = Handler(this, &TForm12::Button21Click);
  Edit7 = PlaceControl<TLabeledEdit>(group, "Edit7", 12, 350, 800, 21, "Bytes 00...31");
  Edit8 = PlaceControl<TLabeledEdit>(group, "Edit8", 12, 400, 800, 21, "Bytes 32...63");
}

void TForm12::BuildRtcPage() {
  const DialogLayout page(Page(PAGE_RTC));
  TGroupBox* group = page.Group("GroupBox9", "RTC-Test", 8, 8, 300, 120);
  const DialogLayout at(group);
  at.Button("Button47", "RTC lesen", 12, 28, 110);
  at.Button("Button48", "RTC stellen", 12, 62, 110);
  at.Button("Button79", "EIN", 140, 28, 60);
  at.Button("Button80", "AUS", 140, 62, 60);
}

void TForm12::LcErrLoop(uint8_t parameter, TCheckBox* box, TLabel* result, const char* format) {
  do {
    const bool answered = Send(CMD_DEBUG_ACTION, {ACTION_LC_ERR, parameter}, RequestKind::Wait);
    if (answered) {
      char text[96];
      std::snprintf(text, sizeof text, format, DataText(ReplyData()).substr(0, 64).c_str());
      result->SetCaption(text);
    } else {
      result->SetCaption("-");
    }
    Repaint();
    if (!NextPass(box, answered)) break;
  } while (true);
}

void TForm12::Button26Click(TObject* Sender) { LcErrLoop(0, CheckBox2, Label22, "U(lc)=%s V"); }
void TForm12::Button72Click(TObject* Sender) { LcErrLoop(0x0A, CheckBox11, Label35, "U(Bat)=%s V"); }

void TForm12::Button32Click(TObject* Sender) {
  std::vector<uint8_t> data{ACTION_LC_ERR};
  if (RadioButton9->Checked()) data.insert(data.end(), {1, 1});
  if (RadioButton10->Checked()) data.insert(data.end(), {2, 1});
  if (RadioButton11->Checked()) data.insert(data.end(), {1, 0});
  if (RadioButton12->Checked()) data.insert(data.end(), {2, 0});
  Send(CMD_DEBUG_ACTION, data, RequestKind::SendOnly);
  Application->ProcessMessages();
}

void TForm12::Button30Click(TObject* Sender) { Form1->ResetDevice(); }
