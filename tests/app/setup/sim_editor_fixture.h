#pragma once
// The set-up editor with the link and the windows it writes, against a
// simulated device on a pseudo-terminal, with the program's waits sped up.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "app/diag/adc_functions.h"
#include "app/diag/address_list.h"
#include "app/diag/traffic_monitor.h"
#include "app/link/test_window.h"
#include "app/link/wait_window.h"
#include "app/service/service_window.h"
#include "app/setup/default_setup.h"
#include "app/setup/setup_editor.h"
#include "platform/clock/clock.h"
#include "platform/serial/com_port.h"
#include "tests/sim/device/device_simulator.h"
#include "tests/sim/device/protocol.h"
#include "tests/support/qt_test_env.h"
#include "tests/support/scripted_dialogs.h"

class SimEditorTest : public ::testing::Test {
 protected:
  using Bytes = std::vector<uint8_t>;

  // One request as the device received it.
  struct Request {
    uint8_t command;
    Bytes data;
  };

  void SetUp() override {
    TestApplication();
    platform::Clock::SetScale(0.1);
    form21_ = std::make_unique<TForm21>();
    Form21 = form21_.get();
    form16_ = std::make_unique<TForm16>();
    Form16 = form16_.get();
    form10_ = std::make_unique<TForm10>();
    Form10 = form10_.get();
    form9_ = std::make_unique<TForm9>();
    Form9 = form9_.get();
    form5_ = std::make_unique<TForm5>();
    Form5 = form5_.get();
    sim_.AddDevice(1);
    NewProgram();
    SetupBase = SETUP_BASE_1;
    ActiveSetup = 255;
    SetupQueryDone = 0;
  }

  void TearDown() override {
    Form3 = nullptr;
    form3_.reset();
    Form5 = nullptr;
    form5_.reset();
    Form9 = nullptr;
    form9_.reset();
    Form10 = nullptr;
    form10_.reset();
    Form16 = nullptr;
    form16_.reset();
    Form1 = nullptr;
    form1_.reset();
    Form21 = nullptr;
    form21_.reset();
    SetupBase = 0;
    ActiveSetup = 255;
    SetupQueryDone = 0;
    platform::Clock::SetScale(1.0);
  }

  // A fresh link object and editor, as a new run of the program has them.
  void NewProgram() {
    Form3 = nullptr;
    form3_.reset();
    Form1 = nullptr;
    form1_.reset();
    form1_ = std::make_unique<TForm1>();
    Form1 = form1_.get();
    Form1->ComPort1->SetPort(sim_.SlavePath());
    Form1->PortUsable = 1;
    Form1->Timer6->SetEnabled(false);
    Form1->DeviceVariant = 21;
    Form1->HardwareVersionText = "1001";
    form3_ = std::make_unique<TForm3>();
    Form3 = form3_.get();
  }

  TForm3& editor() { return *form3_; }

  // Every request the device received, in order.
  std::vector<Request> Requests() const {
    std::vector<Request> requests;
    for (const devsim::LogEntry& e : sim_.Log().Entries(devsim::Direction::Received))
      if (e.valid && e.bytes.size() >= 9)
        requests.push_back({e.bytes[3], Bytes(e.bytes.begin() + 6, e.bytes.end() - 3)});
    return requests;
  }
  std::vector<Request> Requests(uint8_t command) const {
    std::vector<Request> matching;
    for (const Request& r : Requests())
      if (r.command == command) matching.push_back(r);
    return matching;
  }
  // Address and length of a block request's data.
  static std::pair<int, int> Block(const Request& r) {
    return {r.data[0] << 8 | r.data[1], r.data[3] << 8 | r.data[4]};
  }
  std::vector<std::pair<int, int>> Blocks(uint8_t command) const {
    std::vector<std::pair<int, int>> blocks;
    for (const Request& r : Requests(command)) blocks.push_back(Block(r));
    return blocks;
  }

  Bytes DeviceMemory(int address, int count) {
    return sim_.WithDevice(1, [&](devsim::DeviceModel& m) {
      return Bytes(m.memory.begin() + address, m.memory.begin() + address + count);
    });
  }
  void PutDeviceMemory(int address, const Bytes& bytes) {
    sim_.WithDevice(1,
                    [&](devsim::DeviceModel& m) { std::copy(bytes.begin(), bytes.end(), m.memory.begin() + address); });
  }

  static Bytes ImageSection(SetupSection s) {
    const auto b = SectionBytes(std::as_const(Form1->SetupImage), s);
    return {b.begin(), b.end()};
  }

  // Texts of the boxes shown so far.
  std::vector<std::string> BoxTexts() const {
    std::vector<std::string> texts;
    for (const ScriptedDialogs::Box& b : dialogs_.Boxes()) texts.push_back(b.request.text);
    return texts;
  }

  ScriptedDialogs dialogs_;
  devsim::DeviceSimulator sim_;

 private:
  std::unique_ptr<TForm21> form21_;
  std::unique_ptr<TForm1> form1_;
  std::unique_ptr<TForm16> form16_;
  std::unique_ptr<TForm10> form10_;
  std::unique_ptr<TForm9> form9_;
  std::unique_ptr<TForm5> form5_;
  std::unique_ptr<TForm3> form3_;
};
