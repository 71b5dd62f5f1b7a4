#include "app/diag/factory_admin.h"

#include "app/diag/calibration_support.h"
#include "app/diag/ident_data.h"
#include "app/link/test_window.h"
#include "platform/forms/dialog_layout.h"

TForm7* Form7 = nullptr;

namespace {

constexpr int VARIANT_LENGTH_LOCKED = 2;
constexpr int VARIANT_LENGTH_UNLOCKED = 3;
constexpr uint8_t FACTORY_CAL_ERASE = 0x96;

}  // namespace

TForm7::TForm7() {
  SetName("Form7");
  SetCaption("Setup-Admin (S/N  /  Infotext)");
  SetClientSize(520, 324);

  const DialogLayout g(this);
  constexpr int kLeft = 16;
  constexpr int kSendLeft = 420;
  Label1 = g.Label("Label1", "S/N (Fabr.-Nr.)", kLeft, 12, 300);
  Edit1 = g.Edit("Edit1", kLeft, 30, 120, 8);
  Button1 = g.Button("Button1", "Senden", kSendLeft, 28, 84);
  Label2 = g.Label("Label2", "Infotext", kLeft, 62, 300);
  Edit2 = g.Edit("Edit2", kLeft, 80, 390, 50);
  Button2 = g.Button("Button2", "Senden", kSendLeft, 78, 84);
  Label3 = g.Label("Label3", "Produktionsdatum (MMJJ - Monat/Jahr)", kLeft, 112, 300);
  Edit3 = g.Edit("Edit3", kLeft, 130, 60, 4);
  Button4 = g.Button("Button4", "Senden", kSendLeft, 128, 84);
  Label6 = g.Label("Label6", "VD417-Variante", kLeft, 162, 300);
  Label4 = g.Label("Label4", "VD417.", kLeft, 183, 48);
  Edit4 = g.Edit("Edit4", kLeft + 50, 180, 40, VARIANT_LENGTH_LOCKED);
  Button10 = g.Button("Button10", "Senden", kSendLeft, 178, 84);
  Button5 = g.Button("Button5", "Senden aller Daten", kSendLeft - 104, 222, 188);
  Button8 = g.Button("Button8", "Setup löschen -> 0xFF", kLeft, 222, 170);
  Button7 = g.Button("Button7", "Werkskalib. löschen", kLeft, 254, 170);
  Button9 = g.Button("Button9", "Reset VD417", kLeft, 286, 170);
  Button6 = g.Button("Button6", "Abbrechen", kSendLeft - 104, 286, 90);
  Button3 = g.Button("Button3", "Beenden", kSendLeft - 6, 286, 90);

  Label4->OnClick = Handler(this, &TForm7::Label4Click);
  Edit4->OnExit = Handler(this, &TForm7::Edit4Exit);
  Button1->OnClick = Handler(this, &TForm7::Button1Click);
  Button2->OnClick = Handler(this, &TForm7::Button2Click);
  Button4->OnClick = Handler(this, &TForm7::Button4Click);
  Button10->OnClick = Handler(this, &TForm7::Button10Click);
  Button5->OnClick = Handler(this, &TForm7::Button5Click);
  Button8->OnClick = Handler(this, &TForm7::Button8Click);
  Button7->OnClick = Handler(this, &TForm7::Button7Click);
  Button9->OnClick = Handler(this, &TForm7::Button9Click);
  Button6->OnClick = Handler(this, &TForm7::Button6Click);
  Button3->OnClick = Handler(this, &TForm7::Button3Click);
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

bool TForm7::SendIdent(const std::vector<uint8_t>& data) { return calibration::Send(CMD_IDENT_DATA, data); }

bool TForm7::VariantAccepted() {
  if (VariantUnlocked == 1 || IsValidVariant(VariantValue(Edit4->Text()))) return true;
  MessageBoxUntilOk("Falsche VD417-Variante!", "HINWEIS", MB_ICONERROR);
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
    MessageBoxUntilOk(field.missing, "HINWEIS", MB_ICONINFORMATION);
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
    MessageBoxUntilOk("OK!", "HINWEIS", MB_ICONINFORMATION);
  else
    MessageBoxUntilOk("FEHLER!", "FEHLER", MB_ICONERROR);
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
