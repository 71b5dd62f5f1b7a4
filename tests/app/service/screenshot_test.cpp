// Renders the service window connected to the simulated device with its
// weights and channel fields shown, the extension-board, address and
// load-calibration windows beside it, offscreen to <build>/screenshots/.
#include <QActionGroup>
#include <QDir>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QWidget>
#include <string>

#include "app/diag/address_list.h"
#include "app/service/load_calibration.h"
#include "tests/app/service/service_fixture.h"
#include "tests/support/layout_checks.h"
#include "tests/support/screenshot.h"

namespace {

class Screenshots : public ServiceTest {
 protected:
  // The window with one of its menus dropped down below its title, as one picture.
  static void SaveWithMenuOpen(TForm21& w, TMenuItem* menu, const std::string& name) {
    QMenu* popup = nullptr;
    for (QAction* action : w.MenuBar()->actions())
      if (action->menu() != nullptr && action->text().toStdString() == menu->Caption()) popup = action->menu();
    ASSERT_NE(popup, nullptr) << menu->Caption();
    popup->adjustSize();
    const QImage face = w.Window()->grab().toImage();
    const QImage list = popup->grab().toImage();
    const QRect title = w.MenuBar()->actionGeometry(popup->menuAction());
    const QPoint at = w.MenuBar()->mapTo(w.Window(), title.bottomLeft());
    QImage image(face.width(), std::max(face.height(), at.y() + list.height()), QImage::Format_RGB32);
    image.fill(Qt::white);
    {
      QPainter painter(&image);
      painter.drawImage(0, 0, face);
      painter.drawImage(at, list);
    }
    const QString path = QString::fromStdString(ScreenshotPath(name));
    ASSERT_TRUE(image.save(path)) << path.toStdString();
    EXPECT_GT(list.height(), 40) << name << ": the menu has entries";
  }
};

TEST_F(Screenshots, ServiceWindowConnectedWithWeights) {
  sim_.WithDevice(1, [](devsim::DeviceModel& m) {
    m.exbFitted = true;
    m.exbInputs = 0x05;
    m.encoderRaw = 1520;
    m.encoderScaled = 15.2f;
    m.relays = 0x02;
  });
  window().ChangeLanguage();
  window().Show();
  ASSERT_TRUE(PumpUntil([&] { return window().Widget()->isVisible(); }));
  Connect();
  window().Inkrementalwerte1Click(nullptr);
  ASSERT_TRUE(PumpUntil([&] {
    return window().Label11->Caption() == "1 :      12.50" && window().Label21->Caption() == "2 :       3.00" &&
           Form18->Label31->Caption() == "1520";
  }));
  WithDesktopFonts([&](const std::string& suffix) {
    SaveScreenshot(window(), "service_window_connected" + suffix);
    for (const std::string& defect : LayoutDefects(window())) ADD_FAILURE() << suffix << ": " << defect;
    // The progress bar's row stays free below the device data.
    EXPECT_LE(EmptyBandBelow(window()), 20) << suffix;
    SaveScreenshot(*Form18, "exb_values" + suffix);
  });

  link().DeviceAddress = 1;
  Form9->ShowDevicePresence();
  Form9->ShowCurrentAddress();
  ScreenshotWithLayoutChecks(*Form9, "address_list");
  window().Hide();
}

TEST_F(Screenshots, ChannelFieldsAndLoadCalibrationDialog) {
  ScopedForm<TForm22> form22(Form22);
  // Two channels in kg: nominal 30 with 5 digits, and 1000 with 4.
  PutDeviceSetup(SetupSection::WKG0, "mk", {2});
  PutDeviceSetup(SetupSection::ADC, "mode", {1});
  PutDeviceSetup(SetupSection::ADC, "crate", {2});
  PutDeviceSetup(SetupSection::LPC, "rs485_adr", {1});
  PutDeviceSetup(SetupSection::ADM, "setup", {1});
  PutDeviceSetup(SetupSection::CHN0, "ch_b[0][0]_zs", {3});
  PutDeviceSetup(SetupSection::CHN0, "ch_b[0][0]_sk", Be32(30000));
  PutDeviceSetup(SetupSection::CHN0, "chn_mode_val", BeFloat(2.0f));
  PutDeviceSetup(SetupSection::CHN0, "chn_calib_mode", {2});
  PutDeviceSetup(SetupSection::CHN0, "five_decimals", {0xFF});
  PutDeviceSetup(SetupSection::CHN1, "five_decimals", {0xFF});
  PutDeviceSetup(SetupSection::CHN1, "ch_b[0][0]_zs", {12});
  PutDeviceSetup(SetupSection::CHN1, "ch_b[0][0]_sk", Be32(1000));
  PutDeviceSetup(SetupSection::CHN1, "chn_mode_val", BeFloat(1.5f));
  window().ChangeLanguage();
  window().Show();
  ASSERT_TRUE(PumpUntil([&] { return window().Widget()->isVisible(); }));
  Connect();
  window().Label3Click(nullptr);
  ASSERT_TRUE(PumpUntil([&] { return window().Label11->Caption() == "1 :      12.50"; }));
  ASSERT_EQ(window().Edit1->Text(), "30");
  WithDesktopFonts([&](const std::string& suffix) {
    SaveScreenshot(window(), "service_window_channel_fields" + suffix);
    for (const std::string& defect : LayoutDefects(window())) ADD_FAILURE() << suffix << ": " << defect;
  });

  Form22->ChangeLanguage();
  window().Kanal1->Click();
  ASSERT_TRUE(PumpUntil([&] { return Form22->Widget()->isVisible(); }));
  Form22->Label10->SetVisible(true);
  Form22->Edit1->SetText("12,5");
  Form22->Label5->SetCaption("gespeichert");
  Form22->Label5->Font().SetColor(clGreen);
  WithDesktopFonts([&](const std::string& suffix) {
    SaveScreenshot(*Form22, "load_calibration" + suffix);
    for (const std::string& defect : LayoutDefects(*Form22)) ADD_FAILURE() << suffix << ": " << defect;
  });
  Form22->Hide();
  window().Hide();
}

TEST_F(Screenshots, ServiceWindowMenusInTheExpertView) {
  window().ChangeLanguage();
  window().Show();
  ASSERT_TRUE(PumpUntil([&] { return window().Widget()->isVisible(); }));
  link().SupervisorMode = 1;
  window().Label7Click(nullptr);
  ASSERT_TRUE(window().Admin1->Visible());
  for (TMenuItem* menu : {window().Datei1, window().Kalibrieren1, window().Parameter1, window().Extras1,
                          window().Admin1, window().Hilfe1})
    SaveWithMenuOpen(window(), menu, "service_menu_" + menu->Name());
  // A submenu of radio items, with its round marks.
  window().Deutsch1->SetChecked(true);
  QMenu* language = window().Sprache1->Action()->menu();
  ASSERT_NE(language, nullptr);
  emit language->aboutToShow();
  language->adjustSize();
  const QImage radios = language->grab().toImage();
  ASSERT_TRUE(radios.save(QString::fromStdString(ScreenshotPath("service_menu_Sprache1"))));
  for (const TMenuItem* item : {window().Deutsch1, window().Englisch1})
    EXPECT_TRUE(item->Action()->actionGroup() != nullptr && item->Action()->actionGroup()->isExclusive())
        << item->Name() << " shows a radio mark";
  window().Label7Click(nullptr);
  window().Hide();
}

}  // namespace
