#include "app/program/about_box.h"

#include <QColor>
#include <QImage>
#include <QPainter>

#include "app/link/test_window.h"
#include "platform/forms/control_placement.h"

TAboutBox* AboutBox = nullptr;

namespace {

TLabel* NewLabel(TWinControl* parent, const char* name, const std::string& caption, int left, int top) {
  return PlaceControl<TLabel>(parent, name, left, top, 190, 16, caption);
}

// The program's icon: a weighing platform on a load cell.
QImage ProgramIconPicture() {
  QImage image(48, 48, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 64, 128));
  p.drawRect(6, 12, 36, 5);
  p.drawRect(20, 17, 8, 18);
  p.setBrush(QColor(128, 128, 128));
  p.drawRect(10, 35, 28, 6);
  return image;
}

}  // namespace

TAboutBox::TAboutBox() {
  SetName("AboutBox");
  SetCaption("Info");
  SetSize(300, 300);
  Position = TPosition::poScreenCenter;

  Panel1 = PlaceControl<TPanel>(this, "Panel1", 8, 8, 284, 190);
  ProgramIcon = PlaceControl<TImage>(Panel1, "ProgramIcon", 12, 12, 48, 48);
  ProgramIcon->SetPicture(ProgramIconPicture());
  ProductName = NewLabel(Panel1, "ProductName", "", 80, 14);
  ProductName->Font().SetBold(true);
  Version = NewLabel(Panel1, "Version", "", 80, 36);
  Version2 = NewLabel(Panel1, "Version2", "", 80, 56);
  Comments = NewLabel(Panel1, "Comments", "Serviceprogramm für Wägeelektronik", 12, 80);
  Comments->SetBounds(12, 80, 264, 16);
  Label1 = NewLabel(Panel1, "Label1", "Supervisor-Mode", 12, 104);
  Label1->Font().SetColor(clRed);
  Label1->SetVisible(false);
  Label4 = NewLabel(Panel1, "Label4", "DLL-Version", 12, 124);
  Label5 = NewLabel(Panel1, "Label5", "Schnittstellen RS232 / RS485", 12, 144);
  Label6 = NewLabel(Panel1, "Label6", "JRV-Version", 12, 164);
  Label6->SetVisible(false);
  Label2 = NewLabel(this, "Label2", "DEBUG-Build", 16, 204);
  Label2->Font().SetBold(true);
  Label3 = NewLabel(this, "Label3", "TEST-Build", 16, 222);
  Label3->Font().SetColor(clRed);
  Label3->SetVisible(false);
  OKButton = PlaceControl<TButton>(this, "OKButton", 112, 232, 75, 28, "OK");
  OKButton->SetDefault(true);
  OKButton->ModalResult = mrOk;
  OKButton->OnKeyDown = Handler(this, &TAboutBox::OKButtonKeyDown);
  OnActivate = Handler(this, &TAboutBox::FormActivate);

  Label2->SetVisible(false);
  Label4->SetVisible(false);
  if (Form1 != nullptr) Form1->SupervisorMode = 0;
}

void TAboutBox::FormActivate(TObject* Sender) { OKButton->SetFocus(); }

void TAboutBox::OKButtonKeyDown(TObject* Sender, int& Key, TShiftState Shift) {
  if (Key == VK_F10 && Form1 != nullptr) {
    Form1->SupervisorMode = Form1->SupervisorMode == 0 ? 1 : 0;
    Label1->SetVisible(Form1->SupervisorMode == 1);
  }
  Repaint();
}
