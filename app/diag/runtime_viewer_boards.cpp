// The pages "EXB", "TEST-PB" and "KP613-SPI": the extension board's outputs
// and values, the Profibus test action and the SPI module's test lines.
#include "app/diag/runtime_viewer.h"

#include <cstring>

#include "app/diag/profibus_test.h"
#include "app/link/link_protocol.h"
#include "app/link/test_window.h"
#include "app/setup/setup_text.h"
#include "platform/forms/dialog_layout.h"

namespace {

constexpr uint8_t ACTION_PROFIBUS_TEST = 0x1E;
constexpr uint8_t ACTION_EXB_READ_INPUTS = 0x65;
constexpr uint8_t ACTION_SPI = 0xC8;
// The extension board's loops leave it this much time between two reads.
constexpr int EXB_LOOP_PAUSE_MS = 150;

}  // namespace

void TForm12::BuildExbPage() {
  const DialogLayout page(Page(PAGE_EXB));
  TGroupBox* group = page.Group("GroupBox15", "Extensionboard-Test", 8, 4, 830, 500);
  const DialogLayout at(group);
  constexpr auto kAwaited = RequestKind::NoWait;
  constexpr auto kSendOnly = RequestKind::SendOnly;

  at.Label("Label16", "EXB-Init", 12, 28);
  Button54 = ActionButton(at, "Button54", "Init", 12, 48, 80, CMD_DEBUG_ACTION, {0x64}, kSendOnly);
  at.Label("Label25", "EXB-Reset", 110, 28);
  Button69 = ActionButton(at, "Button69", "Reset", 110, 48, 80, CMD_EXB_OUTPUT, {0xFF}, kAwaited);

  at.Label("Label23", "Inputs + Incrementalgeber", 12, 90);
  Button67 = at.Button("Button67", "Lesen", 12, 110, 80);
  Button67->OnClick = Handler(this, &TForm12::Button67Click);
  CheckBox3 = at.Check("CheckBox3", "Schleife", 100, 112, 90);

  at.Label("Label24", "Incrementalgeber", 12, 152);
  Edit11 = at.Edit("Edit11", 12, 172, 100);
  Button70 = at.Button("Button70", "Setzen", 120, 170, 80);
  Button70->OnClick = Handler(this, &TForm12::Button70Click);
  Button68 = ActionButton(at, "Button68", "Reset", 208, 170, 80, CMD_EXB_OUTPUT, {0}, kAwaited);

  at.Label("Label17", "Relais setzen/lesen", 12, 214);
  TPanel* relays = at.Frame(12, 236, 100, 44);
  RadioButton15 = DialogLayout(relays).Radio("RadioButton15", "Relais 1", 0, 0, 90);
  RadioButton16 = DialogLayout(relays).Radio("RadioButton16", "Relais 2", 0, 22, 90);
  TPanel* states = at.Frame(120, 236, 80, 44);
  RadioButton17 = DialogLayout(states).Radio("RadioButton17", "EIN", 0, 0, 70);
  RadioButton18 = DialogLayout(states).Radio("RadioButton18", "AUS", 0, 22, 70);
  Button55 = at.Button("Button55", "Setzen", 208, 240, 80);
  Button55->OnClick = Handler(this, &TForm12::Button55Click);
  Button66 = ActionButton(at, "Button66", "Lesen", 296, 240, 80, CMD_DEBUG_ACTION, {0x66}, kSendOnly);
  Button71 = ActionButton(at, "Button71", "EXB-Struktur", 12, 300, 120, CMD_DEBUG_ACTION, {0x67}, kAwaited);

  GroupBox18 = at.Group("GroupBox18", "EXB-Werte", 420, 24, 390, 220);
  const DialogLayout v(GroupBox18);
  v.Label("Label27", "Inputs", 12, 30);
  Label30 = v.Label("Label30", "", 140, 30, 60);
  for (size_t i = 0; i < InputBoxes.size(); ++i) {
    const std::string name = "CheckBox" + std::to_string(5 + i);
    InputBoxes[i] = v.Check(name.c_str(), name, 200, 30 + static_cast<int>(i) * 20, 100);
  }
  v.Label("Label28", "Incr.-geber (raw)", 12, 56);
  Label31 = v.Label("Label31", "", 140, 56, 60);
  v.Label("Label34", "Incr.-geber (scal)", 12, 82);
  Label32 = v.Label("Label32", "", 140, 82, 60);
  v.Label("Label29", "Relais1/2", 12, 116);
  Label33 = v.Label("Label33", "", 140, 116, 60);
  CheckBox9 = v.Check("CheckBox9", "CheckBox9", 200, 116, 100);
  CheckBox10 = v.Check("CheckBox10", "CheckBox10", 200, 136, 100);
  Button73 = v.Button("Button73", "Lesen", 12, 176, 80);
  Button73->OnClick = Handler(this, &TForm12::Button73Click);
  CheckBox4 = v.Check("CheckBox4", "Schleife", 100, 178, 90);
}

void TForm12::BuildTestPbPage() {
  const DialogLayout page(Page(PAGE_TEST_PB));
  TGroupBox* group = page.Group("GroupBox16", "Test-Profibus", 8, 4, 420, 200);
  const DialogLayout at(group);
  const char* const labels[] = {"Label2", "Label3", "Label5", "Label6"};
  for (size_t i = 0; i < PbEdits.size(); ++i) {
    const int x = 12 + static_cast<int>(i) * 70;
    at.Label(labels[i], "Byte " + std::to_string(i + 1), x, 28);
    const std::string name = "Edit" + std::to_string(3 + i);
    PbEdits[i] = at.Edit(name.c_str(), x, 48, 60);
    MakeByteField(PbEdits[i]);
  }
  Button12 = at.Button("Button12", "Schreiben", 12, 84, 90);
  Button12->OnClick = Handler(this, &TForm12::Button12Click);
  Button13 = at.Button("Button13", "Löschen", 110, 84, 90);
  Button13->OnClick = Handler(this, &TForm12::Button13Click);
  Button58 = at.Button("Button58", "Start PB", 12, 130, 90);
  Button58->OnClick = Handler(this, &TForm12::Button58Click);
  Button64 = at.Button("Button64", "Test PB", 110, 130, 90);
  Button64->OnClick = Handler(this, &TForm12::Button64Click);
}

void TForm12::BuildSpiPage() {
  const DialogLayout page(Page(PAGE_SPI));
  TGroupBox* group = page.Group("GroupBox17", "SPI-Test (KP613)", 8, 4, 500, 160);
  const DialogLayout at(group);
  constexpr auto kSendOnly = RequestKind::SendOnly;
  at.Label("Label37", "SPI-Test 0/1 -> SPI-Interrupt-Betrieb", 12, 28);
  Button75 = ActionButton(at, "Button75", "SPI-Int. EIN", 12, 50, 110, CMD_DEBUG_ACTION, {ACTION_SPI, 1}, kSendOnly);
  Button76 = ActionButton(at, "Button76", "SPI-Int. AUS", 130, 50, 110, CMD_DEBUG_ACTION, {ACTION_SPI, 0}, kSendOnly);
  at.Label("Label38", "SPI-Test 2 -> SPI_INT_SLV -> K517 Ein/Aus", 12, 92);
  // "Ein" drives the slave interrupt line low.
  Button77 = ActionButton(at, "Button77", "Ein", 12, 114, 110, CMD_DEBUG_ACTION, {ACTION_SPI, 2, 0}, kSendOnly);
  Button78 = ActionButton(at, "Button78", "Aus", 130, 114, 110, CMD_DEBUG_ACTION, {ACTION_SPI, 2, 1}, kSendOnly);
}

// ---- EXB

void TForm12::Button67Click(TObject* Sender) {
  do {
    const bool queued = Send(CMD_DEBUG_ACTION, {ACTION_EXB_READ_INPUTS}, RequestKind::SendOnly);
    Application->ProcessMessages();
    Form1->WaitMs(EXB_LOOP_PAUSE_MS);
    if (!NextPass(CheckBox3, queued)) break;
  } while (true);
}

void TForm12::Button70Click(TObject* Sender) {
  const auto v = static_cast<uint32_t>(TextToInt(Edit11->Text()));
  Send(CMD_EXB_OUTPUT,
       {1, static_cast<uint8_t>(v >> 24), static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 8),
        static_cast<uint8_t>(v)},
       RequestKind::NoWait);
}

void TForm12::Button55Click(TObject* Sender) {
  const bool relayChosen = RadioButton15->Checked() || RadioButton16->Checked();
  const bool stateChosen = RadioButton17->Checked() || RadioButton18->Checked();
  if (!relayChosen || !stateChosen) {
    ShowHint("Bitte Auswahl treffen!");
    return;
  }
  Send(CMD_EXB_OUTPUT,
       {2, static_cast<uint8_t>(RadioButton15->Checked() ? 0 : 1), static_cast<uint8_t>(RadioButton17->Checked() ? 1 : 0)},
       RequestKind::NoWait);
}

void TForm12::Button73Click(TObject* Sender) {
  do {
    const bool answered = Send(CMD_READ_EXB_VALUES, {}, RequestKind::Wait);
    if (answered) {
      const std::array<uint8_t, 10>& v = Form1->ExbValues;
      int32_t raw = 0;
      float scaled = 0.0f;
      std::memcpy(&raw, v.data() + 1, sizeof raw);
      std::memcpy(&scaled, v.data() + 5, sizeof scaled);
      Label30->SetCaption(FormatInt(v[0]));
      for (size_t bit = 0; bit < InputBoxes.size(); ++bit) InputBoxes[bit]->SetChecked((v[0] >> bit & 1) != 0);
      Label31->SetCaption(FormatInt(raw));
      Label32->SetCaption(FormatFixed(scaled, 3));
      Label33->SetCaption(FormatInt(v[9]));
      CheckBox9->SetChecked((v[9] & 1) != 0);
      CheckBox10->SetChecked((v[9] & 2) != 0);
    } else {
      for (TLabel* label : {Label30, Label31, Label32, Label33}) label->SetCaption("-");
    }
    Application->ProcessMessages();
    Form1->WaitMs(EXB_LOOP_PAUSE_MS);
    if (!NextPass(CheckBox4, answered)) break;
  } while (true);
}

// ---- TEST-PB

void TForm12::Button12Click(TObject* Sender) {
  std::vector<uint8_t> data{ACTION_PROFIBUS_TEST};
  for (TEdit* edit : PbEdits) data.push_back(ByteFieldValue(edit->Text()));
  Send(CMD_DEBUG_ACTION, data, RequestKind::SendOnly);
}

void TForm12::Button13Click(TObject* Sender) {
  for (TEdit* edit : PbEdits) edit->SetText("");
}

void TForm12::Button58Click(TObject* Sender) {
  Send(CMD_DEBUG_ACTION, {ACTION_PROFIBUS_TEST, 0, 0, 0, 0}, RequestKind::SendOnly);
}

void TForm12::Button64Click(TObject* Sender) {
  if (Form14 != nullptr) Form14->Show();
}
