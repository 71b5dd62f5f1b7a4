#pragma once
#include <string>

#include "app/params/protocol_values.h"
#include "platform/forms/forms.h"
#include "platform/forms/report.h"

// The printed protocol of a crane scale: one page with the device's
// identity, its settings and its calibration characteristic, shown in a
// preview and printed to "protokoll.pdf" (and to the printer when one is
// set up). Opened by the crane-scale set-up window; texts are German.
class TForm31 : public TForm {
 public:
  TForm31();
  ~TForm31() override;

  TQuickRep* QuickRep1;
  TQRImage* QRImage1;
  TImage* PageView;  // the page as the form shows it
  TButton* Button2;  // "Druckvorschau"
  TButton* Button1;  // "Drucken" (hidden)
  TButton* Button3;  // "Beenden"

  // The file that "Drucken" writes, in the working folder.
  std::string PdfFileName = "protokoll.pdf";

  void FormShow(TObject* Sender);
  void Button2Click(TObject* Sender);
  void Button1Click(TObject* Sender);
  void Button3Click(TObject* Sender);
  // Puts the device's current values beside the report's captions.
  void FillProtocol();

 private:
  void BuildReport();
  void ShowValues(const ProtocolValues& values);
  void ShowPage();

  TQRLabel* dateValue_;
  TQRLabel *typeValue_, *serialValue_, *firmwareValue_, *radioNumberValue_;
  TQRLabel *underValue_, *overValue_, *zeroValue_, *zeroMinValue_, *zeroMaxValue_;
  TQRLabel *radioValue_, *switchOffValue_, *switchOffTimeValue_, *pointsValue_;
  std::array<TQRLabel*, 8> xsValues_{}, ysValues_{};
};

// 1 after the form's first show; 0 again when the form is destroyed.
extern int ProtocolFilled;

extern TForm31* Form31;
