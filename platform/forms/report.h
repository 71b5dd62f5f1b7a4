#pragma once
// A one-page report: bands stacked down an A4 page, each holding text labels
// and pictures placed in millimetres. The report is drawn the same way for
// the preview, a PDF file and a printer.
#include <memory>
#include <string>
#include <vector>

#include <QImage>

#include "platform/forms/component.h"

class QPainter;
class TForm;
class TImage;

enum class TQRBandType { rbTitle, rbPageHeader, rbDetail, rbPageFooter };

class TQRBand : public TComponent {
 public:
  TQRBand(TComponent* owner, TQRBandType type, double heightMm);
  TQRBandType BandType() const { return type_; }
  double HeightMm() const { return height_; }

 private:
  TQRBandType type_;
  double height_;
};

class TQRLabel : public TComponent {
 public:
  TQRLabel(TQRBand* band, const std::string& caption, double leftMm, double topMm);
  std::string Caption() const { return caption_; }
  void SetCaption(const std::string& caption) { caption_ = caption; }
  TQRBand* Band() const { return band_; }
  double LeftMm() const { return left_; }
  double TopMm() const { return top_; }
  double PointSize = 10;
  bool Bold = false;

 private:
  TQRBand* band_;
  std::string caption_;
  double left_;
  double top_;
};

class TQRImage : public TComponent {
 public:
  TQRImage(TQRBand* band, double leftMm, double topMm, double widthMm, double heightMm);
  TQRBand* Band() const { return band_; }
  QImage Picture;  // drawn scaled into the frame; none draws nothing
  // The frame in millimetres from the band's top left.
  double LeftMm, TopMm, WidthMm, HeightMm;

 private:
  TQRBand* band_;
};

class TQuickRep : public TComponent {
 public:
  explicit TQuickRep(TComponent* owner);
  ~TQuickRep() override;

  // The page's title in the preview window.
  std::string ReportTitle;

  // Bands stack from the top margin down in the order they are added; the
  // page footer sits at the bottom margin.
  TQRBand* AddBand(TQRBandType type, double heightMm);
  TQRLabel* AddLabel(TQRBand* band, const std::string& name, const std::string& caption, double leftMm,
                     double topMm, double pointSize = 10, bool bold = false);
  TQRImage* AddImage(TQRBand* band, const std::string& name, double leftMm, double topMm, double widthMm,
                     double heightMm);
  const std::vector<TQRLabel*>& Labels() const { return labels_; }

  // The page as a picture at `dpi` dots per inch.
  QImage RenderPage(int dpi) const;
  // Writes the page as a one-page A4 PDF file, replacing an older file only
  // once the whole page is written; an empty text on success, otherwise what
  // went wrong (the older file is kept then).
  std::string WritePdf(const std::string& path) const;
  // Prints the page on the system's default printer; false when no printer
  // is set up or printing failed.
  bool PrintOnDefaultPrinter() const;
  // Shows the page in a preview window and returns when the user closes it.
  void Preview();
  // The preview window while it is open, else nullptr.
  TForm* PreviewForm() const { return preview_.get(); }

 private:
  void PaintPage(QPainter& painter, double dotsPerMm) const;
  double BandTopMm(const TQRBand* band) const;

  std::vector<TQRBand*> bands_;
  std::vector<TQRLabel*> labels_;
  std::vector<TQRImage*> images_;
  std::unique_ptr<TForm> preview_;
};
