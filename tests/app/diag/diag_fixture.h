#pragma once
// The diagnostic windows with the link against a simulated device, in a
// folder of their own (the ADC loops write their logs into the current
// directory).
#include <unistd.h>

#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/diag/adc_functions.h"
#include "app/diag/telegram_tester.h"
#include "app/diag/terminal_window.h"
#include "tests/app/link/link_fixture.h"

class DiagTest : public LinkTest {
 protected:
  using LinkTest::LinkTest;

  void SetUp() override {
    LinkTest::SetUp();
    static int serial = 0;
    dir_ = std::filesystem::temp_directory_path() /
           ("diag_" + std::to_string(::getpid()) + "_" + std::to_string(++serial));
    std::filesystem::create_directories(dir_);
    old_ = std::filesystem::current_path();
    std::filesystem::current_path(dir_);
    form4_ = std::make_unique<ScopedForm<TForm4>>(Form4);
    form15_ = std::make_unique<ScopedForm<TForm15>>(Form15);
  }

  void TearDown() override {
    watches_.clear();
    form15_.reset();
    form4_.reset();
    std::filesystem::current_path(old_);
    std::filesystem::remove_all(dir_);
    LinkTest::TearDown();
  }

  // Request frames of one command that the device received, oldest first.
  std::vector<std::vector<uint8_t>> ReceivedOf(uint8_t command) const {
    std::vector<std::vector<uint8_t>> frames;
    for (const auto& f : Received())
      if (f.size() > 3 && f[3] == command) frames.push_back(f);
    return frames;
  }
  // The data bytes of a request frame (STX, address, length, command, 0, 0, data, checksum, ETX).
  static std::vector<uint8_t> DataOf(const std::vector<uint8_t>& frame) {
    if (frame.size() < 9) return {};
    return {frame.begin() + 6, frame.end() - 3};
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
  static std::string FileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

  TForm10& adc() { return *Form10; }
  TForm4& tester() { return *Form4; }
  TForm15& terminal() { return *Form15; }

  std::filesystem::path dir_, old_;

 private:
  std::unique_ptr<ScopedForm<TForm4>> form4_;
  std::unique_ptr<ScopedForm<TForm15>> form15_;
  std::vector<std::unique_ptr<QTimer>> watches_;
};
