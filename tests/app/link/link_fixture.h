#pragma once
// The link object and the windows it writes, talking to a simulated device
// on a pseudo-terminal, with the program clock sped up.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <vector>

#include "app/diag/adc_functions.h"
#include "app/diag/address_list.h"
#include "app/diag/traffic_monitor.h"
#include "app/link/test_window.h"
#include "app/link/wait_window.h"
#include "tests/app/link/patient_answers.h"
#include "app/service/service_window.h"
#include "platform/clock/clock.h"
#include "platform/serial/com_port.h"
#include "tests/sim/device/device_simulator.h"
#include "tests/sim/device/protocol.h"
#include "tests/support/qt_test_env.h"
#include "tests/support/scoped_form.h"
#include "tests/support/scripted_dialogs.h"

// The link object and the windows it writes, made in the program's order.
struct LinkWindows {
  ScopedForm<TForm21> form21{Form21};
  ScopedForm<TForm1> form1{Form1};
  ScopedForm<TForm16> form16{Form16};
  ScopedForm<TForm10> form10{Form10};
  ScopedForm<TForm9> form9{Form9};
  ScopedForm<TForm5> form5{Form5};
};

class LinkTest : public ::testing::Test {
 protected:
  // Program milliseconds per real millisecond: a 500 ms pause takes 50 ms.
  static constexpr double kScale = 0.1;

  explicit LinkTest(devsim::SimOptions options = {}, double scale = kScale) : sim_(options), scale_(scale) {}

  void SetUp() override {
    TestApplication();
    platform::Clock::SetScale(scale_);
    windows_ = std::make_unique<LinkWindows>();
    ServiceConnected = 0;
    sim_.AddDevice(1);
    link().ComPort1->SetPort(sim_.SlavePath());
    link().PortUsable = 1;
    // Single failures are forgotten only where a test asks for it.
    link().Timer6->SetEnabled(false);
    AwaitPromptAnswersPatiently(link(), sim_);
  }

  void TearDown() override {
    windows_.reset();
    platform::Clock::SetScale(1.0);
  }

  TForm1& link() { return *windows_->form1; }

  // Queues a request to address 1 and waits for the link to be idle.
  bool Request(uint8_t command, std::vector<uint8_t> data = {}, int await = 1) {
    if (!link().QueueRequest(link().DeviceAddress, command, data.data(), static_cast<int>(data.size()), 0, await))
      return false;
    return link().WaitUntilIdle();
  }

  // Answer time-out for requests that the device answers (6 s at kScale): a
  // reply that a loaded machine delays must not pass for a missing one and
  // send the request again.
  static constexpr int kPatientTimeoutMs = 60000;

  // Gives every pending request the patient answer time-out.
  void AwaitRepliesPatiently() {
    for (int i = 0; i < link().PendingCount; ++i)
      if (RequestEntry* e = link().Requests.Find(link().Requests.PendingList[static_cast<size_t>(i)]))
        e->TimeoutMs = kPatientTimeoutMs;
  }

  // As Request, for a request that the device answers.
  bool RequestAnswered(uint8_t command, std::vector<uint8_t> data = {}) {
    if (!link().QueueRequest(link().DeviceAddress, command, data.data(), static_cast<int>(data.size()), 0, 1))
      return false;
    AwaitRepliesPatiently();
    return link().WaitUntilIdle();
  }

  // Request frames that the device received, oldest first.
  std::vector<std::vector<uint8_t>> Received() const {
    std::vector<std::vector<uint8_t>> frames;
    for (const devsim::LogEntry& e : sim_.Log().Entries(devsim::Direction::Received)) frames.push_back(e.bytes);
    return frames;
  }
  // Commands of the received request frames.
  std::vector<int> ReceivedCommands() const {
    std::vector<int> commands;
    for (const auto& f : Received())
      if (f.size() > 3) commands.push_back(f[3]);
    return commands;
  }

  ScriptedDialogs dialogs_;
  devsim::DeviceSimulator sim_;

 private:
  double scale_;
  std::unique_ptr<LinkWindows> windows_;
};
