#pragma once
// The system facts that the programming library asks for: the operating
// system's version and whether the USB driver is installed.
//
// Linux has no registry and needs no vendor driver for the USB programmers:
// the devices are reached from user space through libusb. A small stand-in
// registry answers the one question asked of it, whether the USB driver keys
// ("Enum\USB\Vid_vvvv&Pid_pppp" and
// "System\CurrentControlSet\Enum\USB\Vid_vvvv&Pid_pppp" under
// HKEY_LOCAL_MACHINE, compared without regard to case) are present: they are
// when the USB transport library ("usblink.dll") loads, looked up beside the
// caller first, and its UsbDriverReady answers 1 (libusb starts). Every
// other key is absent. The environment variable RTV_USB_DRIVER=missing or
// =installed, or SetUsbDriverInstalled, give the answer instead.
#include <cstdint>
#include <string>

namespace platform::win {

constexpr uint32_t VER_PLATFORM_WIN32_WINDOWS = 1;  // the 95/98/Me family
constexpr uint32_t VER_PLATFORM_WIN32_NT = 2;

struct OsVersion {
  uint32_t platformId = 0;
  uint32_t majorVersion = 0;
  uint32_t minorVersion = 0;
  std::string description;  // the kernel's name and release
};

// Always the NT family, version 10.0: the family whose driver keys live
// under "System\CurrentControlSet".
OsVersion GetVersionExA();

struct RegistryKey;
using HKEY = RegistryKey*;
extern const HKEY HKEY_LOCAL_MACHINE;

constexpr long ERROR_SUCCESS = 0;
constexpr long ERROR_FILE_NOT_FOUND = 2;

// Opens `subKey` under `root` for reading; ERROR_SUCCESS with *result set, or
// ERROR_FILE_NOT_FOUND. Close an opened key with RegCloseKey.
long RegOpenKeyExA(HKEY root, const char* subKey, HKEY* result);
long RegCloseKey(HKEY key);

// Test switch; overrides RTV_USB_DRIVER for the rest of the process.
void SetUsbDriverInstalled(bool installed);

}  // namespace platform::win
