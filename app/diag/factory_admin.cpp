#include "app/diag/factory_admin.h"

#include "app/diag/german_box.h"
#include "app/diag/ident_data.h"
#include "app/link/test_window.h"

TForm7* Form7 = nullptr;

namespace {

constexpr int VARIANT_LENGTH_LOCKED = 2;
constexpr int VARIANT_LENGTH_UNLOCKED = 3;
constexpr uint8_t FACTORY_CAL_ERASE = 0x96;

TLabel* NewLabel(TForm* form, const char* name, const char* caption, int left, int top, int width) {
  auto* label = new TLabel(form, caption);
  label->SetName(name);
  label->SetBounds(left, top, width, 16);
  return label;
}

TEdit* NewEdit(TForm* form, const char* name, int maxLength, int left, int top, int width) {
  auto* edit = new TEdit(form);
  edit->SetName(name);
  edit->SetMaxLength(maxLength);
  edit->SetBounds(left, top, width, 22);
  return edit;
}

TButton* NewButton(TForm* form, const char* name, const char* caption, int left, int top, int width,
                   void (TForm7::*handler)(TObject*)) {
  auto* button = new TButton(form, caption);
  button->SetName(name);
  button->SetBounds(left, top, width, 26);
  button->OnClick = Handler(static_cast<TForm7*>(form), handler);
  return button;
}

}  // namespace

TForm7::TForm7() {
  SetName("Form7");
  SetCaption("Setup-Admin (S/N  /  Infotext)");
  SetClientSize(520, 324);

  constexpr int kEditLeft = 16;
  constexpr int kSendLeft = 420;
  Label1 = NewLabel(this, "Label1", "S/N (Fabr.-Nr.)", kEditLeft, 12, 300);
  Edit1 = NewEdit(this, "Edit1", 8, kEditLeft, 30, 120);
  Button1 = NewButton(this, "Button1", "Senden", kSendLeft, 28, 84, &TForm7::Button1Click);
  Label2 = NewLabel(this, "Label2", "Infotext", kEditLeft, 62, 300);
  Edit2 = NewEdit(this, "Edit2", 50, kEditLeft, 80, 390);
  Button2 = NewButton(this, "Button2", "Senden", kSendLeft, 78, 84, &TForm7::Button2Click);
  Label3 = NewLabel(this, "Label3", "Produktionsdatum (MMJJ - Monat/Jahr)", kEditLeft, 112, 300);
  Edit3 = NewEdit(this, "Edit3", 4, kEditLeft, 130, 60);
  Button4 = NewButton(this, "Button4", "Senden", kSendLeft, 128, 84, &TForm7::Button4Click);
  Label6 = NewLabel(this, "Label6", "VD417-Variante", kEditLeft, 162, 300);
  Label4 = NewLabel(this, "Label4", "VD417.", kEditLeft, 183, 48);
  Label4->OnClick = Handler(this, &TForm7::Label4Click);
  Edit4 = NewEdit(this, "Edit4", VARIANT_LENGTH_LOCKED, kEditLeft + 50, 180, 40);
  Edit4->OnExit = Handler(this, &TForm7::Edit4Exit);
  Button10 = NewButton(this, "Button10", "Senden", kSendLeft, 178, 84, &TForm7::Button10Click);

  Button5 = NewButton(this, "Button5", "Senden aller Daten", kSendLeft - 104, 222, 188, &TForm7::Button5Click);
  Button8 = NewButton(this, "Button8", "Setup löschen -> 0xFF", kEditLeft, 222, 170, &TForm7::Button8Click);
  Button7 = NewButton(this, "Button7", "Werkskalib. löschen", kEditLeft, 254, 170, &TForm7::Button7Click);
  Button9 = NewButton(this, "Button9", "Reset VD417", kEditLeft, 286, 170, &TForm7::Button9Click);
  Button6 = NewButton(this, "Button6", "Abbrechen", kSendLeft - 104, 286, 90, &TForm7::Button6Click);
  Button3 = NewButton(this, "Button3", "Beenden", kSendLeft - 6, 286, 90, &TForm7::Button3Click);

  OnActivate = Handler(this, &TForm7::FormActivate);
  FormCreate(this);
}

void TForm7::FormCreate(TObject* Sender) {
  Edit4->SetMaxLength(VARIANT_LENGTH_LOCKED);
  Edit4->Font().SetColor(clBlack);
  VariantUnlocked = 0;
}

void TForm7::FormActivate(TObject* Sender) {
  const TForm1& link = *Form1;
  if (link.DeviceInfoRead != 1) return;
  Edit1->SetText(IdentFieldText(link.SerialNumberText, 8));
  Edit3->SetText(IdentFieldText(link.ProductionDateText, 4));
  Edit2->SetText(IdentFieldText(link.InfoText, 50));
  Edit4->SetText(std::to_string(link.DeviceVariant));
}

bool TForm7::SendIdent(const std::vector<uint8_t>& data) {
  TForm1& link = *Form1;
  // A refused request sets TransferFailed; there is nothing to wait for then.
  if (!link.QueueRequest(link.DeviceAddress, CMD_IDENT_DATA, data.data(), static_cast<int>(data.size()), 0, 1))
    return false;
  link.WaitUntilIdle();
  return link.TransferFailed == 0 && link.DeviceErrorFlag == 0;
}

bool TForm7::VariantAccepted() {
  if (VariantUnlocked == 1 || IsValidVariant(VariantValue(Edit4->Text()))) return true;
  GermanBox("Falsche VD417-Variante!", "HINWEIS", MB_ICONERROR);
  Edit4->SetFocus();
  return false;
}

void TForm7::Button1Click(TObject* Sender) {
  SendIdent(IdentTextRequest(IDENT_SERIAL, Edit1->Text()));
  Form1->DeviceInfoRead = 0;
}

void TForm7::Button2Click(TObject* Sender) {
  if (Edit2->Text().empty()) Edit2->SetText("-");
  SendIdent(IdentTextRequest(IDENT_INFO_TEXT, Edit2->Text()));
  Form1->DeviceInfoRead = 0;
}

void TForm7::Button4Click(TObject* Sender) {
  SendIdent(IdentTextRequest(IDENT_DATE, Edit3->Text()));
  Form1->DeviceInfoRead = 0;
}

void TForm7::Button10Click(TObject* Sender) {
  // The link's copies stay valid: the next activation shows the device's variant again.
  if (!VariantAccepted()) return;
  SendIdent(IdentVariantRequest(VariantByte(Edit4->Text())));
}

void TForm7::Button5Click(TObject* Sender) {
  struct Field {
    TEdit* edit;
    const char* missing;
  };
  const Field fields[] = {
      {Edit1, "Bitte Daten für S/N (Fabr.-Nr.) eingeben!"},
      {Edit2, "Bitte Daten für Infotext eingeben!"},
      {Edit3, "Bitte Daten für Produktionsdatum eingeben!"},
      {Edit4, "Bitte Daten für VD417-Variante eingeben!"},
  };
  AdminDataMissing = 0;
  for (const Field& field : fields) {
    if (!field.edit->Text().empty()) continue;
    AdminDataMissing = 1;
    GermanBox(field.missing, "HINWEIS", MB_ICONINFORMATION);
    field.edit->SetFocus();
  }
  if (AdminDataMissing == 1 || !VariantAccepted()) return;

  // All four are sent even after a failure, and each is judged on its own.
  bool allOk = SendIdent(IdentVariantRequest(VariantByte(Edit4->Text())));
  allOk = SendIdent(IdentTextRequest(IDENT_SERIAL, Edit1->Text())) && allOk;
  allOk = SendIdent(IdentTextRequest(IDENT_DATE, Edit3->Text())) && allOk;
  allOk = SendIdent(IdentTextRequest(IDENT_INFO_TEXT, Edit2->Text())) && allOk;
  Form1->DeviceInfoRead = 0;
  if (allOk)
    GermanBox("OK!", "HINWEIS", MB_ICONINFORMATION);
  else
    GermanBox("FEHLER!", "FEHLER", MB_ICONERROR);
}

void TForm7::Edit4Exit(TObject* Sender) {
  if (AdminDataMissing == 1) return;
  VariantAccepted();
}

void TForm7::Label4Click(TObject* Sender) {
  const bool unlock = Edit4->MaxLength() == VARIANT_LENGTH_LOCKED;
  Edit4->SetMaxLength(unlock ? VARIANT_LENGTH_UNLOCKED : VARIANT_LENGTH_LOCKED);
  Edit4->Font().SetColor(unlock ? clRed : clBlack);
  VariantUnlocked = unlock ? 1 : 0;
  Button7->SetVisible(unlock);
}

void TForm7::Button8Click(TObject* Sender) {
  TForm1& link = *Form1;
  link.QueueRequest(link.DeviceAddress, CMD_SETUP_ERASE, nullptr, 0, 0, 1);
}

void TForm7::Button7Click(TObject* Sender) {
  TForm1& link = *Form1;
  for (uint8_t channel : {0, 1}) {
    const uint8_t data[] = {FACTORY_CAL_ERASE, channel};
    link.QueueRequest(link.DeviceAddress, CMD_FACTORY_DATA, data, 2, 0, 0);
  }
}

void TForm7::Button9Click(TObject* Sender) { Form1->ResetDevice(); }

void TForm7::Button3Click(TObject* Sender) { Close(); }

void TForm7::Button6Click(TObject* Sender) { Close(); }
