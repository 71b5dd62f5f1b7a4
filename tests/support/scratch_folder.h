// A fresh folder that is the current one while it lives, for tests of
// programs that write their files into the current folder.
#pragma once

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& prefix) {
    static std::atomic<int> serial = 0;
    path_ = std::filesystem::temp_directory_path() /
            (prefix + "_" + std::to_string(::getpid()) + "_" + std::to_string(++serial));
    std::filesystem::create_directories(path_);
    old_ = std::filesystem::current_path();
    std::filesystem::current_path(path_);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::current_path(old_, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }

  // Puts `text` into the file `name`, replacing what it held.
  static void Write(const std::filesystem::path& name, const std::string& text) {
    std::ofstream(name, std::ios::binary) << text;
  }

  // The whole content of a file, empty when there is none.
  static std::string Read(const std::filesystem::path& name) {
    std::ifstream in(name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

 private:
  std::filesystem::path path_;
  std::filesystem::path old_;
};
