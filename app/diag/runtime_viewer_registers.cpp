// The page "ADC CS5532": the converter's registers and the ADC test function
// with its state and the recorded minimum and maximum.
#include "app/diag/runtime_viewer.h"

#include <iterator>

#include "app/link/link_protocol.h"
#include "app/link/link_utilities.h"
#include "app/link/test_window.h"
#include "app/setup/setup_text.h"
#include "platform/forms/control_placement.h"
#include "platform/forms/dialog_layout.h"

namespace {

struct RegisterControl {
  const char* edit;
  const char* label;
  const char* button;
  bool writable;
};
// Registers 0..8 in the device protocol's numbering.
constexpr RegisterControl kRegisters[9] = {
    {"ConfReg", "Configuation Register", "Button38", true},
    {"ChSetupReg_1", "Channel Setup Register 1", "Button40", false},
    {"ChSetupReg_2", "Channel Setup Register 2", "Button39", false},
    {"ChSetupReg_3", "Channel Setup Register 3", "Button41", false},
    {"ChSetupReg_4", "Channel Setup Register 4", "Button42", false},
    {"Offset_Register_1", "Offset-Register 1", "Button43", true},
    {"Offset_Register_2", "Offset-Register 2", "Button45", true},
    {"Gain_Register_1", "Gain-Register 1", "Button44", true},
    {"Gain_Register_2", "Gain-Register 2", "Button46", true},
};

}  // namespace

void TForm12::BuildRegisterPage() {
  const DialogLayout page(Page(PAGE_CS5532));
  TGroupBox* group = page.Group("GroupBox11", "ADC CS5532-Register", 8, 4, 420, 440);
  const DialogLayout at(group);
  for (size_t r = 0; r < std::size(kRegisters); ++r) {
    const int y = 40 + static_cast<int>(r) * 44;
    auto* edit = PlaceControl<TLabeledEdit>(group, kRegisters[r].edit, 12, y, 100, 21, kRegisters[r].label);
    edit->SetMaxLength(8);
    RegisterEdits[r] = edit;
    TButton* button = at.Button(kRegisters[r].button, "Schreiben", 124, y - 3, 90);
    button->SetVisible(kRegisters[r].writable);
    RegisterWriteButtons[r] = button;
  }
  RegisterWriteButtons[0]->OnClick = Handler(this, &TForm12::Button38Click);
  RegisterWriteButtons[5]->OnClick = Handler(this, &TForm12::Button43Click);
  RegisterWriteButtons[6]->OnClick = Handler(this, &TForm12::Button45Click);
  RegisterWriteButtons[7]->OnClick = Handler(this, &TForm12::Button44Click);
  RegisterWriteButtons[8]->OnClick = Handler(this, &TForm12::Button46Click);
  Lesen = page.Button("Lesen", "Lesen", 8, 452, 90);
  Lesen->OnClick = Handler(this, &TForm12::LesenClick);
  Schreiben = page.Button("Schreiben", "Schreiben", 106, 452, 90);
  Schreiben->SetVisible(false);
  Schreiben->SetEnabled(false);

  TGroupBox* functions = page.Group("GroupBox12", "ADC-Funktionen", 440, 4, 390, 300);
  const DialogLayout f(functions);
  Button52 = f.Button("Button52", "EIN", 12, 28, 70);
  Button52->OnClick = Handler(this, &TForm12::Button52Click);
  Button53 = f.Button("Button53", "AUS", 90, 28, 70);
  Button53->OnClick = Handler(this, &TForm12::Button53Click);
  Label12 = f.Label("Label12", "ADC-Status", 12, 72);
  Button49 = f.Button("Button49", "Lesen", 110, 68, 70);
  Button49->OnClick = Handler(this, &TForm12::Button49Click);
  Label13 = f.Label("Label13", "", 190, 72, 120);
  Label14 = f.Label("Label14", "Min./Max.-Werte", 12, 112);
  TPanel* channels = f.Frame(12, 136, 100, 44);
  const DialogLayout c(channels);
  RadioButton8 = c.Radio("RadioButton8", "Kanal 1", 0, 0, 90);
  RadioButton13 = c.Radio("RadioButton13", "Kanal 2", 0, 22, 90);
  GroupBox10 = f.Group("GroupBox10", "", 120, 128, 110, 58);
  const DialogLayout form(GroupBox10);
  RadioButton30 = form.Radio("RadioButton30", "ADC", 8, 10, 90);
  RadioButton31 = form.Radio("RadioButton31", "Gewicht", 8, 32, 90);
  Button50 = f.Button("Button50", "MIN.", 240, 132, 70);
  Button50->OnClick = Handler(this, &TForm12::Button50Click);
  Button51 = f.Button("Button51", "MAX.", 240, 164, 70);
  Button51->OnClick = Handler(this, &TForm12::Button51Click);
  Label15 = f.Label("Label15", "", 12, 200, 360);
}

void TForm12::LesenClick(TObject* Sender) {
  for (size_t r = 0; r < RegisterEdits.size(); ++r) {
    const bool answered = Send(CMD_ADC_REG_READ, {static_cast<uint8_t>(r)}, RequestKind::Wait);
    const std::span<const uint8_t> data = ReplyData();
    RegisterEdits[r]->SetText(answered && data.size() >= 4 ? FormatHex8(ReadBe32(data.first(4))) : "-");
  }
}

void TForm12::WriteRegister(int reg) {
  TLabeledEdit* edit = RegisterEdits[static_cast<size_t>(reg)];
  const std::optional<uint32_t> value = RegisterValue(edit->Text());
  if (!value) {
    MessageBox("Bitte 1 bis 8 Hex-Ziffern eingeben!", "FEHLER", MB_OK | MB_ICONERROR);
    return;
  }
  const uint32_t v = *value;
  Send(CMD_ADC_REG_WRITE,
       {static_cast<uint8_t>(reg), static_cast<uint8_t>(v >> 24), static_cast<uint8_t>(v >> 16),
        static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v)},
       RequestKind::Wait);
}

void TForm12::Button38Click(TObject* Sender) { WriteRegister(0); }
void TForm12::Button43Click(TObject* Sender) { WriteRegister(5); }
void TForm12::Button45Click(TObject* Sender) { WriteRegister(6); }
void TForm12::Button44Click(TObject* Sender) { WriteRegister(7); }
void TForm12::Button46Click(TObject* Sender) { WriteRegister(8); }

void TForm12::Button52Click(TObject* Sender) { Send(CMD_ADC_FUNCTION, {1}, RequestKind::Wait); }
void TForm12::Button53Click(TObject* Sender) { Send(CMD_ADC_FUNCTION, {0}, RequestKind::Wait); }

void TForm12::Button49Click(TObject* Sender) {
  const bool answered = Send(CMD_ADC_STATE, {}, RequestKind::Wait);
  Label13->SetCaption(answered ? FormatInt(Form1->AdcFunctionState) : "-");
}

void TForm12::ReadMinMax(uint8_t which) {
  const uint8_t channel = ChosenChannel(RadioButton8, RadioButton13);
  if (channel == 0) return;
  if (!RadioButton30->Checked() && !RadioButton31->Checked()) {
    ShowHint("Bitte Auswahl treffen!");
    return;
  }
  const bool counts = RadioButton30->Checked();
  const bool answered = Send(CMD_ADC_MIN_MAX, {channel, which, static_cast<uint8_t>(counts ? 0 : 1)},
                             RequestKind::Wait);
  const std::string prefix = "C" + std::to_string(channel) + ": ";
  if (!answered)
    Label15->SetCaption(prefix + "-");
  else
    Label15->SetCaption(prefix + (counts ? FormatInt(Form1->AdcMinMaxValue) : Form1->AdcMinMaxText));
}

void TForm12::Button50Click(TObject* Sender) { ReadMinMax(0); }
void TForm12::Button51Click(TObject* Sender) { ReadMinMax(1); }
