// Renders the service window connected to the simulated device with its
// weights shown, and the extension-board and address windows beside it,
// offscreen to <build>/screenshots/.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMainWindow>
#include <QPixmap>
#include <QSet>

#include "app/diag/address_list.h"
#include "app/service/load_calibration.h"
#include "tests/app/service/service_fixture.h"

#ifndef SCREENSHOT_DIR
#error SCREENSHOT_DIR must name the folder for the screenshots
#endif

namespace {

// Saves the window's picture and checks that it is no blank area.
void Save(TForm& form, const char* name) {
  const QImage image = form.Window()->grab().toImage();
  const QString path = QString(SCREENSHOT_DIR) + "/" + name;
  QFile::remove(path);
  ASSERT_TRUE(image.save(path)) << path.toStdString();
  const QImage saved(path);
  ASSERT_FALSE(saved.isNull()) << path.toStdString();
  QSet<QRgb> colours;
  for (int y = 0; y < saved.height(); y += 3)
    for (int x = 0; x < saved.width(); x += 3) colours.insert(saved.pixel(x, y));
  EXPECT_GT(colours.size(), 8) << name << " looks blank";
}

class Screenshots : public ServiceTest {};

TEST_F(Screenshots, ServiceWindowConnectedWithWeights) {
  ASSERT_TRUE(QDir().mkpath(SCREENSHOT_DIR));
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
  Save(window(), "service_window_connected.png");
  Save(*Form18, "exb_values.png");

  link().DeviceAddress = 1;
  Form9->ShowDevicePresence();
  Form9->ShowCurrentAddress();
  Form9->Show();
  ASSERT_TRUE(PumpUntil([&] { return Form9->Widget()->isVisible(); }));
  Save(*Form9, "address_list.png");
  Form9->Hide();
  window().Hide();
}

TEST_F(Screenshots, ChannelFieldsAndLoadCalibrationDialog) {
  ASSERT_TRUE(QDir().mkpath(SCREENSHOT_DIR));
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
  Save(window(), "service_window_channel_fields.png");

  Form22->ChangeLanguage();
  window().Kanal1->Click();
  ASSERT_TRUE(PumpUntil([&] { return Form22->Widget()->isVisible(); }));
  Form22->Label10->SetVisible(true);
  Form22->Edit1->SetText("12,5");
  Form22->Label5->SetCaption("gespeichert");
  Form22->Label5->Font().SetColor(clGreen);
  Save(*Form22, "load_calibration.png");
  Form22->Hide();
  window().Hide();
}

}  // namespace
