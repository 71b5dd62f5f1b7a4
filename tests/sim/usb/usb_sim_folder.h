#pragma once
// A test's view of the simulated USB boot loader: a fresh folder that
// USBLINK_SIM_FOLDER names, the loader's configuration written into it,
// and what the loader left there (requests, memories, state) read back.
#include <cstdint>
#include <string>
#include <vector>

// The folder that holds the simulating libusblink.so beside copies of the
// programmer and its libraries.
inline const std::string kUsbSimFolder = USBSIM_FOLDER;

class UsbSimFolder {
 public:
  // Makes the folder, writes the configuration lines, sets the variable.
  explicit UsbSimFolder(const std::string& config = {});
  ~UsbSimFolder();
  UsbSimFolder(const UsbSimFolder&) = delete;
  UsbSimFolder& operator=(const UsbSimFolder&) = delete;

  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }

  // "W <setup> <data>" and "R <setup> <bytes or -1>" lines, in order.
  std::vector<std::string> transfers() const;
  // The setup texts of the requests, in order.
  std::vector<std::string> setupTexts() const;
  // The data texts of the downloads, in order.
  std::vector<std::string> downloads() const;
  // A memory as the loader left it at its last Close.
  std::vector<std::uint8_t> memory(int index) const;
  // The value of a key of state.ini, and its "error" lines.
  std::string state(const std::string& key) const;
  std::vector<std::string> errors() const;

 private:
  std::string path_;
};
