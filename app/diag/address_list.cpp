#include "app/diag/address_list.h"

#include <cstdlib>
#include <string>

#include "app/link/test_window.h"
#include "app/program/text_table.h"
#include "app/service/service_window.h"

TForm9* Form9 = nullptr;

TForm9::TForm9() {
  SubscribeToLink(this);
  SetName("Form9");
  SetCaption("Geräteadressen");
  // Tall enough for the bottom row with "Beenden" below the title bar and frame.
  SetSize(400, 448);
  Label2 = new TLabel(this, "Angeschlossene Geräte");
  Label2->SetName("Label2");
  Label2->SetBounds(8, 8, 200, 16);
  for (int k = 1; k <= 16; ++k) {
    const size_t i = static_cast<size_t>(k - 1);
    const int top = 32 + (k - 1) * 20;
    auto* label = new TLabel(this, "Gerät - Adresse " + std::to_string(k));
    label->SetName(k == 1 ? std::string("Label1") : "Label" + std::to_string(k + 1));
    label->SetBounds(8, top, 150, 16);
    AddressLabels[i] = label;
    auto* box = new TCheckBox(this);
    box->SetName("CheckBox" + std::to_string(k));
    box->SetBounds(180, top, 16, 16);
    box->SetEnabled(false);
    PresenceBoxes[i] = box;
    auto* panel = new TPanel(this);
    panel->SetName("Panel" + std::to_string(k));
    panel->SetBounds(206, top + 2, 12, 12);
    AddressPanels[i] = panel;
    auto* button = new TButton(this, "Auswahl");
    button->SetName("Button" + std::to_string(k + 1));
    button->SetBounds(240, top, 80, 18);
    SelectButtons[i] = button;
  }
  static constexpr void (TForm9::*kSelect[16])(TObject*) = {
      &TForm9::Button2Click,  &TForm9::Button3Click,  &TForm9::Button4Click,  &TForm9::Button5Click,
      &TForm9::Button6Click,  &TForm9::Button7Click,  &TForm9::Button8Click,  &TForm9::Button9Click,
      &TForm9::Button10Click, &TForm9::Button11Click, &TForm9::Button12Click, &TForm9::Button13Click,
      &TForm9::Button14Click, &TForm9::Button15Click, &TForm9::Button16Click, &TForm9::Button17Click};
  for (size_t i = 0; i < SelectButtons.size(); ++i) SelectButtons[i]->OnClick = Handler(this, kSelect[i]);
  Label18 = new TLabel(this, "Broadcast");
  Label18->SetName("Label18");
  Label18->SetBounds(8, 360, 80, 16);
  Button18 = new TButton(this, "Geräte suchen");
  Button18->SetName("Button18");
  Button18->SetBounds(90, 356, 110, 22);
  Button18->OnClick = Handler(this, &TForm9::Button18Click);
  Label20 = new TLabel(this, "-> Bitte warten...");
  Label20->SetName("Label20");
  Label20->SetBounds(210, 360, 140, 16);
  Label20->SetVisible(false);
  CheckBox17 = new TCheckBox(this, "Zyklisches Broadcast (>5000ms)");
  CheckBox17->SetName("CheckBox17");
  CheckBox17->SetBounds(8, 386, 220, 20);
  Edit1 = new TEdit(this, "5000");
  Edit1->SetName("Edit1");
  Edit1->SetMaxLength(5);
  Edit1->SetBounds(230, 386, 50, 20);
  Edit1->OnExit = Handler(this, &TForm9::Edit1Exit);
  Label19 = new TLabel(this, "ms");
  Label19->SetName("Label19");
  Label19->SetBounds(284, 388, 20, 16);
  Button1 = new TButton(this, "Beenden");
  Button1->SetName("Button1");
  Button1->SetBounds(310, 384, 80, 24);
  Button1->OnClick = Handler(this, &TForm9::Button1Click);
  OnClose = [this](TObject* sender, TCloseAction& action) { FormClose(sender, action); };
}

void TForm9::PollDevices() {
  ClearDevicePresence();
  for (int i = 0; i < 3; ++i) Form1->SearchDevices();
  ShowCurrentAddress();
}

void TForm9::ClearDevicePresence() {
  for (int address = 0; address <= 16; ++address) Form1->RequestQueues[static_cast<size_t>(address)].Present = 0;
  for (TCheckBox* box : PresenceBoxes) box->SetChecked(false);
}

void TForm9::ResetAddressPanels() {
  for (TPanel* panel : AddressPanels) panel->SetColor(clBtnFace);
}

void TForm9::ShowDevicePresence() {
  for (int k = 1; k <= 16; ++k) {
    const int present = Form1->RequestQueues[static_cast<size_t>(k)].Present;
    if (present == 1)
      PresenceBoxes[static_cast<size_t>(k - 1)]->SetChecked(true);
    else if (present == 0)
      PresenceBoxes[static_cast<size_t>(k - 1)]->SetChecked(false);
  }
}

void TForm9::ShowCurrentAddress() {
  ResetAddressPanels();
  const int address = Form1->DeviceAddress;
  if (address >= 1 && address <= 16) AddressPanels[static_cast<size_t>(address - 1)]->SetColor(clGreen);
  const std::string text = std::to_string(address);
  if (Form21 != nullptr) Form21->Edit5->SetText(text);
  Form1->Label16->SetCaption(text);
  Form1->Label16->Font().SetColor(clGreen);
}

void TForm9::DisableSelectButtons() {
  for (TButton* b : SelectButtons) b->SetEnabled(false);
}

void TForm9::EnableSelectButtons() {
  for (TButton* b : SelectButtons) b->SetEnabled(true);
}

void TForm9::ChangeLanguage() {
  const int lang = Form1 != nullptr ? Form1->Options.lang : 0;
  SetCaption(Text(401, lang));
  Label2->SetCaption(Text(402, lang));
  for (size_t i = 0; i < AddressLabels.size(); ++i) AddressLabels[i]->SetCaption(Text(403 + static_cast<int>(i), lang));
  Label18->SetCaption(Text(419, lang));
  Label20->SetCaption(Text(420, lang));
  CheckBox17->SetCaption(Text(421, lang));
  for (size_t i = 0; i < SelectButtons.size(); ++i) SelectButtons[i]->SetCaption(Text(422 + static_cast<int>(i), lang));
  Button18->SetCaption(Text(438, lang));
  Button1->SetCaption(Text(439, lang));
}

void TForm9::SelectAddress(int address) {
  Form1->DeviceAddress = address;
  ShowCurrentAddress();
}

namespace {

// The cycle time in Edit1: its leading digits, 0 when it has none.
int CycleTimeMs(const std::string& text) { return std::atoi(text.c_str()); }

}  // namespace

void TForm9::Button18Click(TObject* Sender) {
  PollDevices();
  if (!CheckBox17->Checked()) return;
  Form1->Timer8->SetInterval(CycleTimeMs(Edit1->Text()));
  Form1->Timer8->SetEnabled(true);
}

void TForm9::Edit1Exit(TObject* Sender) {
  if (CycleTimeMs(Edit1->Text()) < 5000) Edit1->SetText("5000");
}

void TForm9::Button1Click(TObject* Sender) { Close(); }

void TForm9::FormClose(TObject* Sender, TCloseAction& Action) {
  // Every close ends the cyclic search after its next poll: a hidden window
  // would otherwise go on searching, and each search disconnects the
  // service window.
  CheckBox17->SetChecked(false);
  Form1->Options.vd417_adr = static_cast<uint8_t>(Form1->DeviceAddress & 0xFF);
}

void TForm9::DeviceSearchAccepted() { Show(); }

void TForm9::SearchListening() {
  DisableSelectButtons();
  Label20->SetVisible(true);
  Button18->SetEnabled(false);
}

void TForm9::SearchEnded(bool idle) {
  if (idle) {
    Label20->SetVisible(false);
    Button18->SetEnabled(true);
    EnableSelectButtons();
  }
  ShowDevicePresence();
}
