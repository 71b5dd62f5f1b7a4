#include "platform/serial/com_port_setup_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QIntValidator>
#include <QLineEdit>
#include <QPushButton>

#include "platform/forms/ui_language.h"
#include "platform/serial/port_list.h"

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }
QString T(std::string_view german, std::string_view english) {
  const std::string_view text = UiText(german, english);
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void Select(QComboBox* box, const QString& text) {
  const int index = box->findText(text);
  if (index >= 0) box->setCurrentIndex(index);
  else box->setEditText(text);
}

}  // namespace

ComPortSetupDialog::ComPortSetupDialog(const TComPortSettings& settings, QWidget* parent,
                                       const std::vector<std::string>* ports)
    : QDialog(parent),
      port_(new QComboBox(this)),
      baudRate_(new QComboBox(this)),
      dataBits_(new QComboBox(this)),
      parity_(new QComboBox(this)),
      stopBits_(new QComboBox(this)) {
  setWindowTitle(T("Einstellungen der seriellen Schnittstelle", "Serial port settings"));

  port_->setEditable(true);
  for (int n = 1; n <= 16; ++n) port_->addItem(QString("COM%1").arg(n));
  const std::vector<std::string> machine = ports != nullptr ? *ports : platform::serial::ListSerialPorts();
  for (const std::string& p : machine) port_->addItem(Q(p));
  Select(port_, Q(settings.Port));

  baudRate_->setEditable(true);
  baudRate_->lineEdit()->setValidator(new QIntValidator(1, 4000000, baudRate_));
  for (int rate : StandardBaudRates()) baudRate_->addItem(QString::number(rate));
  Select(baudRate_, QString::number(settings.BaudRate));

  for (int bits = 5; bits <= 8; ++bits) dataBits_->addItem(QString::number(bits));
  Select(dataBits_, QString::number(settings.DataBits));
  for (TParityBits p : {TParityBits::None, TParityBits::Odd, TParityBits::Even, TParityBits::Mark, TParityBits::Space})
    parity_->addItem(Q(ParityName(p)));
  Select(parity_, Q(ParityName(settings.Parity)));
  for (TStopBits s : {TStopBits::One, TStopBits::OnePointFive, TStopBits::Two}) stopBits_->addItem(Q(StopBitsName(s)));
  Select(stopBits_, Q(StopBitsName(settings.StopBits)));

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  ok_ = buttons->button(QDialogButtonBox::Ok);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* form = new QFormLayout(this);
  form->addRow(T("Schnittstelle", "Port"), port_);
  form->addRow(T("Baudrate", "Baud rate"), baudRate_);
  form->addRow(T("Datenbits", "Data bits"), dataBits_);
  form->addRow(T("Parität", "Parity"), parity_);
  form->addRow(T("Stoppbits", "Stop bits"), stopBits_);
  form->addRow(buttons);

  connect(port_, &QComboBox::editTextChanged, this, [this] { UpdateOk(); });
  connect(baudRate_, &QComboBox::editTextChanged, this, [this] { UpdateOk(); });
  UpdateOk();
}

void ComPortSetupDialog::UpdateOk() {
  bool rateOk = false;
  const int rate = baudRate_->currentText().toInt(&rateOk);
  ok_->setEnabled(!port_->currentText().trimmed().isEmpty() && rateOk && rate > 0);
}

TComPortSettings ComPortSetupDialog::Settings() const {
  TComPortSettings s;
  s.Port = port_->currentText().trimmed().toStdString();
  s.BaudRate = baudRate_->currentText().toInt();
  s.DataBits = dataBits_->currentText().toInt();
  ParseParity(parity_->currentText().toStdString(), &s.Parity);
  ParseStopBits(stopBits_->currentText().toStdString(), &s.StopBits);
  return s;
}
