#include "tests/sim/usb/usb_sim_folder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

std::vector<std::string> lines(const std::string& path) {
  std::ifstream file(path);
  std::vector<std::string> result;
  for (std::string line; std::getline(file, line);) result.push_back(line);
  return result;
}

// The n-th blank-separated field of a log line.
std::string field(const std::string& line, int n) {
  std::istringstream words(line);
  std::string word;
  for (int i = 0; i <= n; ++i)
    if (!(words >> word)) return {};
  return word;
}

}  // namespace

UsbSimFolder::UsbSimFolder(const std::string& config) {
  std::string pattern = (fs::temp_directory_path() / "usbsim-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make " + pattern);
  path_ = pattern;
  std::ofstream(file("usbsim.ini")) << config;
  setenv("USB_SIM_FOLDER", path_.c_str(), 1);
}

UsbSimFolder::~UsbSimFolder() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

std::vector<std::string> UsbSimFolder::transfers() const { return lines(file("transfers.log")); }

std::vector<std::string> UsbSimFolder::interfaceEvents() const { return lines(file("interfaces.log")); }

std::vector<std::string> UsbSimFolder::setupTexts() const {
  std::vector<std::string> result;
  for (const std::string& line : transfers())
    if (line[0] == 'W' || line[0] == 'R') result.push_back(field(line, 1));
  return result;
}

std::vector<std::string> UsbSimFolder::downloads() const {
  std::vector<std::string> result;
  for (const std::string& line : transfers())
    if (line[0] == 'W' && field(line, 1).substr(0, 4) == "2101") result.push_back(field(line, 2));
  return result;
}

std::vector<std::uint8_t> UsbSimFolder::memory(int index) const {
  std::ifstream in(file("memory" + std::to_string(index) + ".bin"), std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string UsbSimFolder::state(const std::string& key) const {
  for (const std::string& line : lines(file("state.ini")))
    if (line.rfind(key + "=", 0) == 0) return line.substr(key.size() + 1);
  return {};
}

std::vector<std::string> UsbSimFolder::errors() const {
  std::vector<std::string> result;
  for (const std::string& line : lines(file("state.ini")))
    if (line.rfind("error=", 0) == 0) result.push_back(line.substr(6));
  return result;
}
