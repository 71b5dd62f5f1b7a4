#include "platform/serial/com_port_setup_dialog.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QValidator>
#include <filesystem>
#include <fstream>

#include "platform/forms/ui_language.h"
#include "platform/serial/com_port.h"
#include "platform/serial/port_list.h"
#include <QApplication>

#include "tests/support/qt_test_env.h"

namespace {

namespace fs = std::filesystem;

TEST(ComPortSetupDialog, ShowsTheSettingsAndTheMachinesPorts) {
  TestApplication();
  const std::vector<std::string> ports = {"/dev/ttyUSB0", "/dev/serial/by-id/usb-FTDI_1234-if00-port0"};
  const TComPortSettings s{"/dev/ttyUSB0", 56000, 7, TParityBits::Even, TStopBits::Two};
  ComPortSetupDialog dialog(s, nullptr, &ports);
  EXPECT_EQ(dialog.Settings(), s);
  EXPECT_GE(dialog.PortBox()->findText("COM16"), 0);
  EXPECT_GE(dialog.PortBox()->findText(QString::fromStdString(ports[1])), 0);
  EXPECT_TRUE(dialog.OkButton()->isEnabled());
}

TEST(ComPortSetupDialog, SpeaksTheProgramsLanguage) {
  TestApplication();
  const std::vector<std::string> none;
  const auto labelOf = [](ComPortSetupDialog& dialog, QWidget* field) {
    const auto* form = dialog.findChild<QFormLayout*>();
    const auto* label = form != nullptr ? qobject_cast<QLabel*>(form->labelForField(field)) : nullptr;
    return label != nullptr ? label->text().toStdString() : std::string();
  };
  SetUiLanguage(UiLanguage::German);
  {
    ComPortSetupDialog dialog(TComPortSettings{}, nullptr, &none);
    EXPECT_EQ(dialog.windowTitle().toStdString(), "Einstellungen der seriellen Schnittstelle");
    EXPECT_EQ(labelOf(dialog, dialog.BaudRateBox()), "Baudrate");
  }
  SetUiLanguage(UiLanguage::English);
  ComPortSetupDialog dialog(TComPortSettings{}, nullptr, &none);
  EXPECT_EQ(dialog.windowTitle().toStdString(), "Serial port settings");
  EXPECT_EQ(labelOf(dialog, dialog.BaudRateBox()), "Baud rate");
}

TEST(ComPortSetupDialog, TypedValuesAndTheirCheck) {
  TestApplication();
  const std::vector<std::string> none;
  ComPortSetupDialog dialog(TComPortSettings{}, nullptr, &none);
  dialog.PortBox()->setEditText("/dev/ttyACM3");
  dialog.BaudRateBox()->setEditText("250000");
  dialog.ParityBox()->setCurrentText("Mark");
  dialog.StopBitsBox()->setCurrentText("1.5");
  dialog.DataBitsBox()->setCurrentText("5");
  EXPECT_EQ(dialog.Settings(), (TComPortSettings{"/dev/ttyACM3", 250000, 5, TParityBits::Mark, TStopBits::OnePointFive}));
  dialog.PortBox()->setEditText("  ");
  EXPECT_FALSE(dialog.OkButton()->isEnabled()) << "empty port";
  dialog.PortBox()->setEditText("COM3");
  dialog.BaudRateBox()->setEditText("");
  EXPECT_FALSE(dialog.OkButton()->isEnabled()) << "empty baud rate";
  // The rate field takes digits only.
  QString typed = "96x00";
  int at = 5;
  EXPECT_EQ(dialog.BaudRateBox()->lineEdit()->validator()->validate(typed, at), QValidator::Invalid);
  dialog.BaudRateBox()->setEditText("9600");
  EXPECT_TRUE(dialog.OkButton()->isEnabled());
}

// Runs `act` on the modal dialog once it is shown.
void OnModalDialog(const std::function<void(ComPortSetupDialog*)>& act) {
  QTimer::singleShot(0, [act] {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (auto* d = dynamic_cast<ComPortSetupDialog*>(w); d != nullptr && d->isVisible()) {
        act(d);
        return;
      }
    }
    ADD_FAILURE() << "no settings dialog shown";
  });
}

TEST(ComPortSetupDialog, PortTakesTheChosenSettingsOnOkOnly) {
  TestApplication();
  TComPort port;
  OnModalDialog([](ComPortSetupDialog* d) {
    d->BaudRateBox()->setEditText("14400");
    d->PortBox()->setEditText("COM4");
    d->accept();
  });
  EXPECT_TRUE(port.ShowSetupDialog());
  EXPECT_EQ(port.BaudRate(), 14400);
  EXPECT_EQ(port.Port(), "COM4");
  OnModalDialog([](ComPortSetupDialog* d) {
    d->BaudRateBox()->setEditText("300");
    d->reject();
  });
  EXPECT_FALSE(port.ShowSetupDialog());
  EXPECT_EQ(port.BaudRate(), 14400);
}

TEST(PortList, DevicesInNumberOrderThenStableNames) {
  const fs::path root = fs::temp_directory_path() / ("devroot_" + std::to_string(::getpid()));
  fs::create_directories(root / "serial" / "by-id");
  for (const char* name : {"ttyS10", "ttyS2", "ttyUSB1", "ttyUSB0", "ttyACM0", "tty1", "ttySx", "null",
                           "serial/by-id/usb-B", "serial/by-id/usb-A"})
    std::ofstream(root / name) << "";
  const auto ports = platform::serial::ListSerialPorts(root.string());
  const std::string r = root.string() + "/";
  EXPECT_EQ(ports, (std::vector<std::string>{r + "ttyS2", r + "ttyS10", r + "ttyUSB0", r + "ttyUSB1", r + "ttyACM0",
                                             r + "serial/by-id/usb-A", r + "serial/by-id/usb-B"}));
  fs::remove_all(root);
  EXPECT_TRUE(platform::serial::ListSerialPorts(root.string()).empty());
}

}  // namespace
