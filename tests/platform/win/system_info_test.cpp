#include "platform/win/system_info.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using namespace platform::win;

bool KeyOpens(const char* key) {
  HKEY opened = nullptr;
  const long result = RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, &opened);
  if (result == ERROR_SUCCESS) {
    EXPECT_NE(opened, nullptr);
    RegCloseKey(opened);
  }
  return result == ERROR_SUCCESS;
}

TEST(SystemInfo, VersionIsTheNtFamilyFromVersionFiveOn) {
  const OsVersion version = GetVersionExA();
  EXPECT_EQ(version.platformId, VER_PLATFORM_WIN32_NT);
  EXPECT_GE(version.majorVersion, 5u);
  EXPECT_FALSE(version.description.empty());
}

TEST(SystemInfo, UsbDriverKeysArePresentOtherKeysAreNot) {
  setenv("RTV_USB_DRIVER", "installed", 1);
  EXPECT_TRUE(KeyOpens("System\\CurrentControlSet\\Enum\\USB\\Vid_6e2d&Pid_a7c7"));
  EXPECT_TRUE(KeyOpens("Enum\\USB\\Vid_6e2d&Pid_a7c5"));
  EXPECT_TRUE(KeyOpens("SYSTEM\\CURRENTCONTROLSET\\ENUM\\USB\\VID_6E2D&PID_A7C6"));
  EXPECT_FALSE(KeyOpens("Software\\Norva"));
  EXPECT_FALSE(KeyOpens("Enum\\USB\\Vid_6e2d&Pid_a7c"));
  HKEY opened = nullptr;
  EXPECT_EQ(RegOpenKeyExA(nullptr, "Enum\\USB\\Vid_6e2d&Pid_a7c5", &opened), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(opened, nullptr);
}

TEST(SystemInfo, EnvironmentForcesTheDriverMissing) {
  setenv("RTV_USB_DRIVER", "missing", 1);
  EXPECT_FALSE(KeyOpens("System\\CurrentControlSet\\Enum\\USB\\Vid_6e2d&Pid_a7c7"));
  setenv("RTV_USB_DRIVER", "installed", 1);
  EXPECT_TRUE(KeyOpens("System\\CurrentControlSet\\Enum\\USB\\Vid_6e2d&Pid_a7c7"));
}

TEST(SystemInfo, SwitchForcesTheDriverMissingWhateverTheEnvironment) {
  setenv("RTV_USB_DRIVER", "installed", 1);
  SetUsbDriverInstalled(false);
  EXPECT_FALSE(KeyOpens("Enum\\USB\\Vid_6e2d&Pid_a7c5"));
  SetUsbDriverInstalled(true);
  EXPECT_TRUE(KeyOpens("Enum\\USB\\Vid_6e2d&Pid_a7c5"));
}

}  // namespace
