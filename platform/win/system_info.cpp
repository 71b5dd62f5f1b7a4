#include "platform/win/system_info.h"

#include <sys/utsname.h>

#include <atomic>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "platform/win/library.h"

namespace platform::win {

struct RegistryKey {
  bool root;
};

namespace {

RegistryKey localMachine{true};

// -1: follow the environment; 0: missing; 1: installed.
std::atomic<int> usbDriverOverride{-1};

bool UsbDriverInstalled(const void* caller) {
  const int forced = usbDriverOverride.load();
  if (forced >= 0) return forced == 1;
  if (const char* value = std::getenv("RTV_USB_DRIVER")) {
    if (std::strcmp(value, "missing") == 0) return false;
    if (std::strcmp(value, "installed") == 0) return true;
  }
  const Library usblink(LoadLibraryBeside("usblink.dll", caller));
  const auto ready = reinterpret_cast<int (*)()>(usblink.symbol("UsbDriverReady"));
  return ready != nullptr && ready() == 1;
}

bool StartsWithNoCase(std::string_view text, std::string_view head) {
  if (text.size() < head.size()) return false;
  for (size_t i = 0; i < head.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(text[i])) != std::tolower(static_cast<unsigned char>(head[i])))
      return false;
  return true;
}

bool IsHex4(std::string_view text) {
  if (text.size() != 4) return false;
  for (char c : text)
    if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
  return true;
}

// "Vid_vvvv&Pid_pppp"
bool IsUsbDeviceName(std::string_view name) {
  return name.size() == 17 && StartsWithNoCase(name, "Vid_") && IsHex4(name.substr(4, 4)) &&
         StartsWithNoCase(name.substr(8), "&Pid_") && IsHex4(name.substr(13));
}

bool IsUsbDriverKey(std::string_view key) {
  for (std::string_view prefix : {"System\\CurrentControlSet\\Enum\\USB\\", "Enum\\USB\\"})
    if (StartsWithNoCase(key, prefix) && IsUsbDeviceName(key.substr(prefix.size()))) return true;
  return false;
}

}  // namespace

const HKEY HKEY_LOCAL_MACHINE = &localMachine;

OsVersion GetVersionExA() {
  OsVersion version;
  version.platformId = VER_PLATFORM_WIN32_NT;
  version.majorVersion = 10;
  version.minorVersion = 0;
  utsname names{};
  if (uname(&names) == 0) version.description = std::string(names.sysname) + " " + names.release;
  return version;
}

__attribute__((noinline)) long RegOpenKeyExA(HKEY root, const char* subKey, HKEY* result) {
  if (result) *result = nullptr;
  if (root != HKEY_LOCAL_MACHINE || subKey == nullptr || result == nullptr) return ERROR_FILE_NOT_FOUND;
  if (!IsUsbDriverKey(subKey) || !UsbDriverInstalled(__builtin_return_address(0))) return ERROR_FILE_NOT_FOUND;
  *result = new RegistryKey{false};
  return ERROR_SUCCESS;
}

long RegCloseKey(HKEY key) {
  if (key == nullptr || key->root) return ERROR_SUCCESS;
  delete key;
  return ERROR_SUCCESS;
}

void SetUsbDriverInstalled(bool installed) { usbDriverOverride.store(installed ? 1 : 0); }

}  // namespace platform::win
