#pragma once
// The port's settings dialog: port (the machine's ports, "COM1".."COM16" or
// any typed device path), baud rate (a list, or typed), data bits, parity,
// stop bits.
#include <QDialog>
#include <string>
#include <vector>

#include "platform/serial/com_port_settings.h"

class QComboBox;
class QPushButton;

class ComPortSetupDialog : public QDialog {
 public:
  // `ports`: the choice offered besides "COM1".."COM16"; by default the
  // machine's serial ports.
  explicit ComPortSetupDialog(const TComPortSettings& settings, QWidget* parent = nullptr,
                              const std::vector<std::string>* ports = nullptr);

  // The settings as chosen; valid while the OK button is enabled.
  TComPortSettings Settings() const;

  QComboBox* PortBox() const { return port_; }
  QComboBox* BaudRateBox() const { return baudRate_; }
  QComboBox* DataBitsBox() const { return dataBits_; }
  QComboBox* ParityBox() const { return parity_; }
  QComboBox* StopBitsBox() const { return stopBits_; }
  QPushButton* OkButton() const { return ok_; }

 private:
  void UpdateOk();

  QComboBox* port_;
  QComboBox* baudRate_;
  QComboBox* dataBits_;
  QComboBox* parity_;
  QComboBox* stopBits_;
  QPushButton* ok_;
};
