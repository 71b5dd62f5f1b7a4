// The USB transport library as the programming library loads it, on a
// machine with no programmer attached.
#include "usblink/usblink.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/win/library.h"
#include "tests/support/deliverables.h"
#include "usblink/usb_device.h"

namespace {

class Usblink : public ::testing::Test {
 protected:
  Usblink() : library_(platform::win::LoadLibraryA(deliverable("usblink.dll").c_str())) {}

  template <class Function>
  Function named(const char* name) const {
    return reinterpret_cast<Function>(library_.symbol(name));
  }

  platform::win::Library library_;
};

TEST_F(Usblink, ExportsTheUsbFunctionsByName) {
  ASSERT_TRUE(library_) << platform::win::LastLibraryError();
  for (const char* name : {"OpenUSB", "WriteUSB", "ReadUSB", "Close", "UsbDriverReady"})
    EXPECT_NE(library_.symbol(name), nullptr) << name;
}

TEST_F(Usblink, OpeningWithoutADeviceNamesTheIdsOnStandardError) {
  ASSERT_TRUE(library_);
  testing::internal::CaptureStderr();
  EXPECT_EQ(named<decltype(&OpenUSB)>("OpenUSB")(0xA7C6), 0);
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_EQ(said.rfind("usblink: ", 0), 0u) << said;
  EXPECT_NE(said.find("USB device 6e2d:a7c6"), std::string::npos) << said;

  // Requests without an open device fail as failures, not as crashes.
  std::string setup = "2101FFFF04000300";
  EXPECT_EQ(named<decltype(&WriteUSB)>("WriteUSB")(&setup, "050000", 1000), 0);
  unsigned char reply[6] = {};
  setup = "A103000004000600";
  EXPECT_EQ(named<decltype(&ReadUSB)>("ReadUSB")(reply, 6, &setup, 1000), -1);
  EXPECT_EQ(named<decltype(&Close)>("Close")(), 1);
}

TEST_F(Usblink, DriverCheckIsWhetherLibusbStarts) {
  ASSERT_TRUE(library_);
  testing::internal::CaptureStderr();
  const int ready = named<decltype(&UsbDriverReady)>("UsbDriverReady")();
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_EQ(ready, usbStartFailure().empty() ? 1 : 0);
  EXPECT_EQ(said.empty(), ready == 1) << said;
}

TEST(UsbOpenFailure, EveryMessageNamesTheDeviceAndWhatToDo) {
  struct Case {
    UsbOpenFailure failure;
    const char* hint;
  } cases[] = {
      {UsbOpenFailure::LibraryCannotStart, "libusb cannot start (no usbfs)"},
      {UsbOpenFailure::NotConnected, "plug the device in"},
      {UsbOpenFailure::AccessDenied, "udev rule of the README"},
      {UsbOpenFailure::Busy, "its interface 4 is in use by another program"},
      {UsbOpenFailure::NoSuchInterface, "has no interface 4"},
      {UsbOpenFailure::CannotOpen, "no usbfs"},
  };
  for (const Case& c : cases) {
    const std::string text = usbOpenFailureText(c.failure, 0x6E2D, 0xA7C5, "no usbfs");
    EXPECT_NE(text.find("USB device 6e2d:a7c5"), std::string::npos) << text;
    EXPECT_NE(text.find(c.hint), std::string::npos) << text;
  }
}

}  // namespace
