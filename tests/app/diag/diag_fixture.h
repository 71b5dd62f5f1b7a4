#pragma once
// The diagnostic windows with the link against a simulated device, in the
// test window fixture's folder of its own (the ADC loops write their logs
// into the current directory).
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/diag/adc_functions.h"
#include "app/diag/telegram_tester.h"
#include "app/diag/terminal_window.h"
#include "tests/app/link/test_window_fixture.h"

class DiagTest : public TestWindowTest {
 protected:
  using TestWindowTest::TestWindowTest;

  void SetUp() override {
    TestWindowTest::SetUp();
    form4_ = std::make_unique<ScopedForm<TForm4>>(Form4);
    form15_ = std::make_unique<ScopedForm<TForm15>>(Form15);
  }

  void TearDown() override {
    watches_.clear();
    form15_.reset();
    form4_.reset();
    TestWindowTest::TearDown();
  }

  // The first data byte of each received request of a command.
  std::vector<int> FirstDataOf(uint8_t command) const {
    std::vector<int> bytes;
    for (const auto& f : ReceivedOf(command)) bytes.push_back(DataOf(f).empty() ? -1 : DataOf(f)[0]);
    return bytes;
  }

  // Runs `action` once, from the event loop, as soon as `when` holds: the
  // user's hand while a loop runs inside a click handler.
  void OnceWhen(std::function<bool()> when, std::function<void()> action) {
    QTimer* timer = watches_.emplace_back(std::make_unique<QTimer>()).get();
    timer->setInterval(2);
    QObject::connect(timer, &QTimer::timeout, [timer, when, action] {
      if (!when()) return;
      timer->stop();
      action();
    });
    timer->start();
  }
  // Clears the loop switch once the device has received `count` requests of `command`.
  void StopLoopAfter(uint8_t command, size_t count) {
    OnceWhen([this, command, count] { return ReceivedOf(command).size() >= count; },
             [] { Form10->CheckBox1->SetChecked(false); });
  }

  std::vector<std::filesystem::path> FilesStartingWith(const std::string& prefix) const {
    std::vector<std::filesystem::path> files;
    for (const auto& e : std::filesystem::directory_iterator(dir_))
      if (e.path().filename().string().rfind(prefix, 0) == 0) files.push_back(e.path().filename());
    std::sort(files.begin(), files.end());
    return files;
  }
  TForm10& adc() { return *Form10; }
  TForm4& tester() { return *Form4; }
  TForm15& terminal() { return *Form15; }

 private:
  std::unique_ptr<ScopedForm<TForm4>> form4_;
  std::unique_ptr<ScopedForm<TForm15>> form15_;
  std::vector<std::unique_ptr<QTimer>> watches_;
};
