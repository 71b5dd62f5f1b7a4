#pragma once
// The program's windows that start, end, translate and guard the program,
// talking to a simulated device on a pseudo-terminal, each test in a folder
// of its own (the current directory, where "rs232.ini" and the trace go)
// with its own program ini, and the program clock sped up.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/diag/adc_functions.h"
#include "app/diag/address_list.h"
#include "app/diag/factory_admin.h"
#include "app/diag/profibus_test.h"
#include "app/diag/traffic_monitor.h"
#include "app/program/about_box.h"
#include "app/program/options_dialog.h"
#include "app/program/password_dialog.h"
#include "app/link/test_window.h"
#include "tests/app/link/patient_answers.h"
#include "app/link/wait_window.h"
#include "app/service/service_window.h"
#include "app/setup/setup_editor.h"
#include "platform/clock/clock.h"
#include "platform/serial/com_port.h"
#include "tests/sim/device/device_simulator.h"
#include "tests/support/qt_test_env.h"
#include "tests/support/scripted_dialogs.h"

class ProgramTest : public ::testing::Test {
 protected:
  // Program milliseconds per real millisecond: a 500 ms pause takes 50 ms.
  static constexpr double kScale = 0.1;

  explicit ProgramTest(double scale = kScale) : scale_(scale) {}

  void SetUp() override {
    TestApplication();
    ASSERT_TRUE(folder_.isValid());
    previousDir_ = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder_.path()));
    // "COM1", the port of a fresh installation, is the simulated device's line.
    setenv("SERIAL_COM1", sim_.SlavePath().c_str(), 1);
    sim_.AddDevice(1);
    platform::Clock::SetScale(scale_);
    ServiceConnected = 0;
    PollingActive = 0;
    SetupModified = 0;
    Make(form21_, Form21);
    Make(form1_, Form1);
    Make(about_, AboutBox);
    Make(form16_, Form16);
    Make(form10_, Form10);
    Make(form9_, Form9);
    Make(form8_, Form8);
    Make(form5_, Form5);
    Make(form7_, Form7);
    Make(form14_, Form14);
    Make(form3_, Form3);
    Make(form17_, Form17);
    link().ProgramIniFileName = IniPath();
    AwaitPromptAnswersPatiently(link(), sim_);
  }

  void TearDown() override {
    // Windows go in the reverse order of their making, their globals with them.
    for (auto it = cleanups_.rbegin(); it != cleanups_.rend(); ++it) (*it)();
    cleanups_.clear();
    SetupBase = 0;
    platform::Clock::SetScale(1.0);
    unsetenv("SERIAL_COM1");
    QDir::setCurrent(previousDir_);
  }

  TForm1& link() { return *form1_; }
  TForm21& service() { return *form21_; }

  std::string Path(const std::string& name) const { return QDir(folder_.path()).filePath(QString::fromStdString(name)).toStdString(); }
  std::string IniPath() const { return Path("rtv482_2.ini"); }

  static std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  static void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
  }

  // The first activation of the main window: the start of the program.
  void Start() {
    service().Activate();
    ASSERT_EQ(link().PortUsable, 1) << "the port did not open at start";
  }

  // Request frames that the device received, oldest first.
  std::vector<std::vector<uint8_t>> Received() const {
    std::vector<std::vector<uint8_t>> frames;
    for (const devsim::LogEntry& e : sim_.Log().Entries(devsim::Direction::Received)) frames.push_back(e.bytes);
    return frames;
  }
  // Command and data bytes of each received request, oldest first.
  std::vector<std::vector<uint8_t>> ReceivedRequests() const {
    std::vector<std::vector<uint8_t>> requests;
    for (const auto& f : Received()) {
      if (f.size() < 9) continue;
      std::vector<uint8_t> r{f[3]};
      r.insert(r.end(), f.begin() + 6, f.end() - 3);
      requests.push_back(r);
    }
    return requests;
  }

  ScriptedDialogs dialogs_;
  devsim::DeviceSimulator sim_;
  QTemporaryDir folder_;

 private:
  double scale_;

  template <class T>
  void Make(std::unique_ptr<T>& form, T*& global) {
    form = std::make_unique<T>();
    global = form.get();
    cleanups_.push_back([&form, &global] {
      global = nullptr;
      form.reset();
    });
  }

  QString previousDir_;
  std::vector<std::function<void()>> cleanups_;
  std::unique_ptr<TForm21> form21_;
  std::unique_ptr<TForm1> form1_;
  std::unique_ptr<TAboutBox> about_;
  std::unique_ptr<TForm16> form16_;
  std::unique_ptr<TForm10> form10_;
  std::unique_ptr<TForm9> form9_;
  std::unique_ptr<TForm8> form8_;
  std::unique_ptr<TForm5> form5_;
  std::unique_ptr<TForm7> form7_;
  std::unique_ptr<TForm14> form14_;
  std::unique_ptr<TForm3> form3_;
  std::unique_ptr<TForm17> form17_;
};
