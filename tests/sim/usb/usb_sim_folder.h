#pragma once
// A test's view of the simulated USB boot loader behind the simulated
// libusb: a fresh folder that USB_SIM_FOLDER names, the loader's
// configuration written into it, and what the device left there (requests,
// interface claims, memories, state) read back.
#include <cstdint>
#include <string>
#include <vector>

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
  // "claim 4", "release 4", "detach 4", "attach 4", and refused claims
  // ("claim 4: busy", "claim 4: no such interface"), in order.
  std::vector<std::string> interfaceEvents() const;
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
