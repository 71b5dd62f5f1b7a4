#include "app/params/crane_protocol.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <exception>

#include "app/link/test_window.h"
#include "platform/forms/control_placement.h"
#include "platform/forms/dialog_layout.h"
#include "platform/forms/jpeg_decoder.h"

TForm31* Form31 = nullptr;
int ProtocolFilled = 0;

namespace {

constexpr int kPreviewDpi = 60;

}  // namespace

TForm31::TForm31() {
  SetName("Form31");
  SetCaption("Protokoll - Druck");
  QuickRep1 = new TQuickRep(this);
  QuickRep1->SetName("QuickRep1");
  QuickRep1->ReportTitle = "Protokoll";
  BuildReport();

  const QImage page = QuickRep1->RenderPage(kPreviewDpi);
  SetClientSize(page.width() + 160, page.height() + 16);
  const DialogLayout L(this);
  PageView = PlaceControl<TImage>(this, "PageView", 8, 8, page.width(), page.height());
  Button2 = L.Button("Button2", "Druckvorschau", page.width() + 24, 8, 120);
  Button2->OnClick = Handler(this, &TForm31::Button2Click);
  Button1 = L.Button("Button1", "Drucken", page.width() + 24, 44, 120);
  Button1->OnClick = Handler(this, &TForm31::Button1Click);
  Button1->Hide();
  Button3 = L.Button("Button3", "Beenden", page.width() + 24, page.height() - 20, 120);
  Button3->OnClick = Handler(this, &TForm31::Button3Click);
  OnShow = Handler(this, &TForm31::FormShow);
  ShowPage();
}

TForm31::~TForm31() { ProtocolFilled = 0; }

void TForm31::BuildReport() {
  TQuickRep& r = *QuickRep1;
  TQRBand* title = r.AddBand(TQRBandType::rbTitle, 22);
  r.AddLabel(title, "QRLabel1", "Kranwaage / LMB-F", 0, 4, 20, true);
  QRImage1 = r.AddImage(title, "QRImage1", 132, 0, 48, 16);
  // The logo beside the program; without it the page has none.
  const QString logo = QDir(QCoreApplication::applicationDirPath()).filePath("logo.jpg");
  if (QFileInfo::exists(logo)) {
    try {
      QRImage1->Picture = DecodeJpegFile(logo.toStdString());
    } catch (const std::exception&) {
    }
  }

  TQRBand* header = r.AddBand(TQRBandType::rbPageHeader, 16);
  r.AddLabel(header, "QRLabel2", "Werkseinstellungen / Werksjustage", 0, 2, 12, true);
  r.AddLabel(header, "QRLabel3", "Datum/Zeit", 110, 3);
  dateValue_ = r.AddLabel(header, "QRLabel4", ".", 135, 3);

  TQRBand* body = r.AddBand(TQRBandType::rbDetail, 220);
  int n = 5;
  const auto caption = [&](const char* text, double left, double top, bool bold = false) {
    return r.AddLabel(body, "QRLabel" + std::to_string(n++), text, left, top, bold ? 12 : 10, bold);
  };
  const auto row = [&](const char* text, double top) {
    caption(text, 0, top);
    return caption(".", 55, top);
  };
  constexpr double kLine = 6;
  caption("Gerät", 0, 0, true);
  typeValue_ = row("Typ:", 8);
  serialValue_ = row("Seriennummer:", 8 + kLine);
  firmwareValue_ = row("Firmware:", 8 + 2 * kLine);
  radioNumberValue_ = row("Funknummer:", 8 + 3 * kLine);

  caption("Einstellungen", 0, 40, true);
  underValue_ = row("Unterlast: ", 48);
  overValue_ = row("Überlast: ", 48 + kLine);
  zeroValue_ = row("Einschaltnullen:", 48 + 2 * kLine);
  zeroMinValue_ = row("Einschaltnull - Min: ", 48 + 3 * kLine);
  zeroMaxValue_ = row("Einschaltnull - Max: ", 48 + 4 * kLine);
  radioValue_ = row("Funk:", 48 + 5 * kLine);
  switchOffValue_ = row("automat. Abschaltung: ", 48 + 6 * kLine);
  switchOffTimeValue_ = row("Abschaltung - Zeit: ", 48 + 7 * kLine);

  caption("Kennlinie", 0, 104, true);
  pointsValue_ = row("Stützstellen:", 112);
  caption("ADC", 20, 122, true);
  caption("%", 90, 122, true);
  for (int i = 0; i < 8; ++i) {
    const double top = 130 + i * kLine;
    const std::string index = std::to_string(i);
    caption(("xs[" + index + "] = ").c_str(), 0, top);
    xsValues_[i] = caption(".", 20, top);
    caption(("ys[" + index + "] = ").c_str(), 70, top);
    ysValues_[i] = caption(".", 90, top);
  }
}

void TForm31::ShowValues(const ProtocolValues& v) {
  typeValue_->SetCaption(v.type);
  serialValue_->SetCaption(v.serial);
  firmwareValue_->SetCaption(v.firmware);
  radioNumberValue_->SetCaption(v.radioNumber);
  underValue_->SetCaption(v.underload);
  overValue_->SetCaption(v.overload);
  zeroValue_->SetCaption(v.zeroOnStart);
  zeroMinValue_->SetCaption(v.zeroMin);
  zeroMaxValue_->SetCaption(v.zeroMax);
  radioValue_->SetCaption(v.radio);
  switchOffValue_->SetCaption(v.switchOff);
  switchOffTimeValue_->SetCaption(v.switchOffTime);
  pointsValue_->SetCaption(v.points);
  for (size_t i = 0; i < 8; ++i) {
    xsValues_[i]->SetCaption(v.xs[i]);
    ysValues_[i]->SetCaption(v.ys[i]);
  }
}

void TForm31::ShowPage() { PageView->SetPicture(QuickRep1->RenderPage(kPreviewDpi)); }

void TForm31::FillProtocol() {
  if (Form1 == nullptr) return;
  const TForm1& link = *Form1;
  const DeviceIdentity identity{link.InfoText, link.SerialNumberText, link.FirmwareVersionText};
  ShowValues(ProtocolValuesOf(identity, link.SetupImage, link.SetupPresent == 1));
  dateValue_->SetCaption(TForm1::FormatNow("%d.%m.%Y %H:%M"));
  ShowPage();
}

void TForm31::FormShow(TObject* Sender) {
  if (ProtocolFilled != 0) return;
  ProtocolFilled = 1;
  FillProtocol();
}

void TForm31::Button2Click(TObject* Sender) {
  // The page shows the device's values at the time of the preview.
  FillProtocol();
  QuickRep1->Preview();
}

void TForm31::Button1Click(TObject* Sender) {
  FillProtocol();
  const std::string error = QuickRep1->WritePdf(PdfFileName);
  if (!error.empty()) {
    MessageBox("Fehler beim Schreiben der Datei " + PdfFileName + "!\r\n" + error, "FEHLER", MB_OK | MB_ICONERROR);
    return;
  }
  QuickRep1->PrintOnDefaultPrinter();
}

void TForm31::Button3Click(TObject* Sender) { Close(); }
