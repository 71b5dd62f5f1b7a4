#pragma once
// The test window with the link, the service window, the set-up editor and
// the file viewer, against a simulated device, in a folder of its own (the
// window writes its logs into the current directory).
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "app/diag/error_status.h"
#include "app/diag/file_viewer.h"
#include "app/link/setup_image.h"
#include "app/setup/setup_editor.h"
#include "tests/app/link/link_fixture.h"

class TestWindowTest : public LinkTest {
 protected:
  using LinkTest::LinkTest;

  void SetUp() override {
    LinkTest::SetUp();
    windows_ = std::make_unique<Windows>();
    SetupBase = 0;
    static int serial = 0;
    dir_ = std::filesystem::temp_directory_path() /
           ("test_window_" + std::to_string(::getpid()) + "_" + std::to_string(++serial));
    std::filesystem::create_directories(dir_);
    old_ = std::filesystem::current_path();
    std::filesystem::current_path(dir_);
  }

  void TearDown() override {
    std::filesystem::current_path(old_);
    std::filesystem::remove_all(dir_);
    windows_.reset();
    SetupBase = 0;
    LinkTest::TearDown();
  }

  TForm3& editor() { return *windows_->form3; }

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

  static std::string FileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

  std::filesystem::path dir_, old_;

 private:
  struct Windows {
    ScopedForm<TForm3> form3{Form3};
    ScopedForm<TForm20> form20{Form20};
    ScopedForm<TForm11> form11{Form11};
  };
  std::unique_ptr<Windows> windows_;
};
