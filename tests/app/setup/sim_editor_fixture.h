#pragma once
// The set-up editor with the link and the windows it writes, against a
// simulated device on a pseudo-terminal, with the program's waits sped up.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "app/setup/default_setup.h"
#include "app/setup/setup_editor.h"
#include "platform/clock/clock.h"
#include "platform/serial/com_port.h"
#include "tests/sim/device/device_simulator.h"
#include "tests/sim/device/protocol.h"
#include "tests/app/link/link_fixture.h"
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
    windows_ = std::make_unique<LinkWindows>();
    sim_.AddDevice(1);
    NewProgram();
    SetupBase = SETUP_BASE_1;
    ActiveSetup = 255;
    SetupQueryDone = 0;
  }

  void TearDown() override {
    form3_.reset();
    windows_.reset();
    SetupBase = 0;
    ActiveSetup = 255;
    SetupQueryDone = 0;
    platform::Clock::SetScale(1.0);
  }

  // A fresh link object and editor, as a new run of the program has them.
  void NewProgram() {
    form3_.reset();
    windows_->form1.Renew();
    Form1->ComPort1->SetPort(sim_.SlavePath());
    Form1->PortUsable = 1;
    Form1->Timer6->SetEnabled(false);
    AwaitPromptAnswersPatiently(*Form1, sim_);
    Form1->DeviceVariant = 21;
    Form1->HardwareVersionText = "1001";
    form3_ = std::make_unique<ScopedForm<TForm3>>(Form3);
  }

  TForm3& editor() { return **form3_; }

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
  std::unique_ptr<LinkWindows> windows_;
  std::unique_ptr<ScopedForm<TForm3>> form3_;
};
