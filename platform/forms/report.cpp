#include "platform/forms/report.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>

#include "platform/forms/form.h"
#include "platform/forms/image.h"
#include "platform/forms/std_controls.h"
#include "platform/files/whole_file.h"

namespace {

constexpr double kPageWidthMm = 210;
constexpr double kPageHeightMm = 297;
constexpr double kMarginMm = 15;
constexpr double kMmPerInch = 25.4;
const char* const kFontFamily = "Liberation Sans";

// The preview window: the page drawn at screen size and a button to close it.
class TQRPreview : public TForm {
 public:
  TQRPreview(const QImage& page, const std::string& title) {
    SetName("QRPreview");
    SetCaption(title.empty() ? "Druckvorschau" : "Druckvorschau - " + title);
    constexpr int kGap = 8;
    SetClientSize(page.width() + 2 * kGap, page.height() + 3 * kGap + 26);
    Page = new TImage(this);
    Page->SetName("Page");
    Page->SetBounds(kGap, kGap, page.width(), page.height());
    Page->SetPicture(page);
    CloseButton = new TButton(this, "Schließen");
    CloseButton->SetName("CloseButton");
    CloseButton->SetBounds(page.width() + kGap - 100, page.height() + 2 * kGap, 100, 26);
    CloseButton->OnClick = [this](TObject*) { Close(); };
  }
  TImage* Page;
  TButton* CloseButton;
};

}  // namespace

TQRBand::TQRBand(TComponent* owner, TQRBandType type, double heightMm)
    : TComponent(owner), type_(type), height_(heightMm) {}

TQRLabel::TQRLabel(TQRBand* band, const std::string& caption, double leftMm, double topMm)
    : TComponent(band), band_(band), caption_(caption), left_(leftMm), top_(topMm) {}

TQRImage::TQRImage(TQRBand* band, double leftMm, double topMm, double widthMm, double heightMm)
    : TComponent(band), LeftMm(leftMm), TopMm(topMm), WidthMm(widthMm), HeightMm(heightMm), band_(band) {}

TQuickRep::TQuickRep(TComponent* owner) : TComponent(owner) {}
TQuickRep::~TQuickRep() = default;

TQRBand* TQuickRep::AddBand(TQRBandType type, double heightMm) {
  bands_.push_back(new TQRBand(this, type, heightMm));
  return bands_.back();
}

TQRLabel* TQuickRep::AddLabel(TQRBand* band, const std::string& name, const std::string& caption, double leftMm,
                              double topMm, double pointSize, bool bold) {
  auto* label = new TQRLabel(band, caption, leftMm, topMm);
  label->SetName(name);
  label->PointSize = pointSize;
  label->Bold = bold;
  labels_.push_back(label);
  return label;
}

TQRImage* TQuickRep::AddImage(TQRBand* band, const std::string& name, double leftMm, double topMm, double widthMm,
                              double heightMm) {
  auto* image = new TQRImage(band, leftMm, topMm, widthMm, heightMm);
  image->SetName(name);
  images_.push_back(image);
  return image;
}

double TQuickRep::BandTopMm(const TQRBand* band) const {
  if (band->BandType() == TQRBandType::rbPageFooter) return kPageHeightMm - kMarginMm - band->HeightMm();
  double top = kMarginMm;
  for (const TQRBand* b : bands_) {
    if (b == band) break;
    if (b->BandType() != TQRBandType::rbPageFooter) top += b->HeightMm();
  }
  return top;
}

void TQuickRep::PaintPage(QPainter& painter, double dotsPerMm) const {
  const auto at = [dotsPerMm](double mm) { return mm * dotsPerMm; };
  for (const TQRLabel* label : labels_) {
    QFont font(kFontFamily);
    font.setPointSizeF(label->PointSize);
    font.setBold(label->Bold);
    painter.setFont(font);
    const QFontMetricsF metrics(font, painter.device());
    const double top = BandTopMm(label->Band()) + label->TopMm();
    painter.drawText(QPointF(at(kMarginMm + label->LeftMm()), at(top) + metrics.ascent()), QStr(label->Caption()));
  }
  for (const TQRImage* image : images_) {
    if (image->Picture.isNull()) continue;
    const double top = BandTopMm(image->Band()) + image->TopMm;
    painter.drawImage(QRectF(at(kMarginMm + image->LeftMm), at(top), at(image->WidthMm), at(image->HeightMm)),
                      image->Picture);
  }
}

QImage TQuickRep::RenderPage(int dpi) const {
  const double dotsPerMm = dpi / kMmPerInch;
  QImage page(static_cast<int>(kPageWidthMm * dotsPerMm + 0.5), static_cast<int>(kPageHeightMm * dotsPerMm + 0.5),
              QImage::Format_RGB32);
  // Point sizes follow the picture's resolution, as on paper.
  page.setDotsPerMeterX(static_cast<int>(dotsPerMm * 1000 + 0.5));
  page.setDotsPerMeterY(static_cast<int>(dotsPerMm * 1000 + 0.5));
  page.fill(Qt::white);
  QPainter painter(&page);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.setPen(Qt::black);
  PaintPage(painter, dotsPerMm);
  return page;
}

std::string TQuickRep::WritePdf(const std::string& path) const {
  // The page is made in memory first, so that a file is only ever replaced by a whole page.
  QBuffer pdf;
  pdf.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&pdf);
    if (!writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF())))
      return "page layout refused";
    writer.setResolution(300);
    writer.setTitle(QStr(ReportTitle));
    writer.setCreator("rtv482_2");
    QPainter painter;
    if (!painter.begin(&writer)) return "PDF cannot be made";
    painter.setPen(Qt::black);
    PaintPage(painter, writer.resolution() / kMmPerInch);
    if (!painter.end()) return "PDF cannot be completed";
  }
  const QByteArray& bytes = pdf.data();
  const std::error_code error = WriteWholeFile(path, std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
  return error ? error.message() : std::string();
}

bool TQuickRep::PrintOnDefaultPrinter() const {
  const QPrinterInfo info = QPrinterInfo::defaultPrinter();
  if (info.isNull()) return false;
  QPrinter printer(info, QPrinter::HighResolution);
  printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
  printer.setFullPage(true);
  printer.setDocName(QStr(ReportTitle));
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  painter.setPen(Qt::black);
  PaintPage(painter, printer.resolution() / kMmPerInch);
  return painter.end();
}

void TQuickRep::Preview() {
  preview_ = std::make_unique<TQRPreview>(RenderPage(72), ReportTitle);
  preview_->ShowModal();
  preview_.reset();
}
