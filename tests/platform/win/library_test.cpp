#include "platform/win/library.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <string>

namespace {

using namespace platform::win;

std::string ExecutableFolder() {
  char path[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  std::string exe(path, n > 0 ? static_cast<size_t>(n) : 0);
  return exe.substr(0, exe.rfind('/'));
}

TEST(Library, WindowsNamesMapToSharedLibraryNames) {
  struct Case { const char* name; const char* file; };
  const Case cases[] = {{"comlink.dll", "libcomlink.so"},
                        {"FLASHCORE.DLL", "libFLASHCORE.so"},
                        {"canlink_peak.dll", "libcanlink_peak.so"},
                        {"comlink", "libcomlink.so"},
                        {"libfoo.so", "libfoo.so"},
                        {"libfoo.so.1", "libfoo.so.1"},
                        {"/opt/x/usblink.dll", "/opt/x/libusblink.so"}};
  for (const Case& c : cases) EXPECT_EQ(LibraryFileName(c.name), c.file) << c.name;
}

TEST(Library, LoadsByWindowsNameBesideTheProgramAndFindsExports) {
  Library probe(LoadLibraryA("win_probe.dll"));
  ASSERT_TRUE(probe) << LastLibraryError();
  auto* value = reinterpret_cast<int (*)()>(probe.symbol("WinProbeValue"));
  ASSERT_NE(value, nullptr);
  EXPECT_EQ(value(), 42);
  EXPECT_EQ(probe.symbol("NoSuchExport"), nullptr);
}

TEST(Library, LibraryLoadedByAnotherLibraryIsFoundBesideThatLibrary) {
  // The inner library lies only in the folder of the outer one: the program
  // cannot find it, the outer library can.
  EXPECT_EQ(LoadLibraryA("win_probe_inner.dll"), nullptr);
  Library outer(LoadLibraryA((ExecutableFolder() + "/win_probe_dir/win_probe_outer.dll").c_str()));
  ASSERT_TRUE(outer) << LastLibraryError();
  auto* load = reinterpret_cast<int (*)()>(outer.symbol("WinProbeOuterLoad"));
  ASSERT_NE(load, nullptr);
  EXPECT_EQ(load(), 7);
}

TEST(Library, MissingLibraryFailsWithAReason) {
  EXPECT_EQ(LoadLibraryA("no_such_library.dll"), nullptr);
  EXPECT_NE(LastLibraryError().find("libno_such_library.so"), std::string::npos) << LastLibraryError();
  EXPECT_EQ(LoadLibraryA(nullptr), nullptr);
  EXPECT_EQ(GetProcAddress(nullptr, "x"), nullptr);
  EXPECT_FALSE(FreeLibrary(nullptr));
}

}  // namespace
