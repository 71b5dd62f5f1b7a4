// Whole programming runs over USB: the programmer with the simulated libusb
// preloaded, so that its usblink reaches the simulated DFU boot loader, and
// the programmer on the real libusb with no device attached.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/flashcmd/flashcmd_paths.h"
#include "tests/flashcmd/run_output.h"
#include "tests/flashcore/core/temp_dir.h"
#include "tests/sim/usb/usb_sim_folder.h"
#include "tests/support/preload.h"

namespace {

using Words = std::vector<std::string>;

std::string connectionLines(const std::string& header, const std::string& versionStep) {
  return "Running flashcmd 0.1.0.7 on DATE\n\n\n\n" + header + "\n\n" + dotted("Device selection", "PASS ") +
         dotted("Hardware selection", "PASS ") + dotted("Opening port", "PASS ") + dotted(versionStep, "PASS\t1.2.3");
}

unsigned lengthOf(const std::string& setup) { return std::stoul(setup.substr(14, 2) + setup.substr(12, 2), nullptr, 16); }

class FlashcmdUsbRun : public testing::Test {
 protected:
  // A run on the simulated libusb; on the real one with `simulated` false.
  ProgramRun run(const UsbSimFolder& sim, Words options, Words operations, bool simulated = true) const {
    ChildProcess::Setup s;
    s.args = std::move(options);
    s.args.push_back("-operation");
    s.args.insert(s.args.end(), operations.begin(), operations.end());
    s.env = {{"USB_SIM_FOLDER", sim.path()}};
    if (simulated) s.env.emplace_back("LD_PRELOAD", preloadValue(USB_SIM_LIBRARY));
    s.folder = dir_.file("");
    ProgramRun r;
    r.status = runProgram(kFlashcmd, s, &r.output, &r.errors);
    return r;
  }

  TempDir dir_;
};

TEST_F(FlashcmdUsbRun, ProgramsAndVerifiesAnImageInChunksOf3072) {
  UsbSimFolder sim;
  dir_.write("in.hex", canonicalHexFile(0x2000, 5));
  const ProgramRun r = run(sim, {"-device", "MCU02", "-hardware", "USB"},
                           {"LOADBUFFER", "in.hex", "ERASE", "F", "PROGRAM", "VERIFY"});
  ASSERT_EQ(r.status, 0) << r.output << r.errors;
  const std::string range = "PASS\t0x00000\t0x01FFF";
  EXPECT_EQ(withoutDate(r.output), connectionLines("MCU02 - USB - USB/DFU", "Reading Bootloader version") +
                                       dotted("Parsing HEX file", "PASS\tin.hex") + dotted("Erasing", "PASS ") +
                                       dotted("Programming memory", range) + dotted("Verifying memory", range) +
                                       summary(8, 8, 0));

  const std::vector<std::string> setups = sim.setupTexts();
  ASSERT_GE(setups.size(), 2u);
  EXPECT_EQ(setups[0], "2101FFFF04000300") << "the first counted request";
  EXPECT_EQ(setups[1], "A103000004000600") << "a status request";
  std::vector<unsigned> frames;
  for (const std::string& setup : setups)
    if (setup.rfind("2101", 0) == 0 && lengthOf(setup) > 1000) frames.push_back(lengthOf(setup));
  // 8 KB: two chunks of 3072 bytes and the remaining 2048, with header and suffix.
  EXPECT_EQ(frames, (std::vector<unsigned>{3120, 3120, 2096}));

  const std::vector<std::uint8_t> flash = sim.memory(0);
  ASSERT_GE(flash.size(), 0x2000u);
  for (std::uint32_t a = 0; a < 0x2000; ++a) ASSERT_EQ(flash[a], static_cast<std::uint8_t>(a * 7 + 5)) << a;
  EXPECT_EQ(sim.state("errors"), "0");
}

TEST_F(FlashcmdUsbRun, BridgeSelectsItsInterfaceAtOpening) {
  UsbSimFolder sim;
  const ProgramRun r = run(sim, {"-device", "MCU02", "-hardware", "usb_uart"}, {"ERASE", "F"});
  ASSERT_EQ(r.status, 0) << r.output << r.errors;
  EXPECT_EQ(withoutDate(r.output), connectionLines("MCU02 - USB_UART", "Reading USB LPC Loader version") +
                                       dotted("Erasing", "PASS ") + summary(5, 5, 0));
  const std::vector<std::string> downloads = sim.downloads();
  ASSERT_GE(downloads.size(), 2u);
  EXPECT_EQ(downloads[0], "06030300");
  EXPECT_EQ(downloads[1], "010000000000" + std::string(52, '0') + "01" + std::string(32, '0'));
  EXPECT_EQ(sim.state("interface"), "1");
}

TEST_F(FlashcmdUsbRun, RefusalsOfTheLoaderAreNamed) {
  struct Case {
    const char* config;
    Words operations;
    std::string expected;
  } cases[] = {
      {"protection=03\n", {"ONFAIL", "IGNORE", "PROGRAM"}, "FAIL\tDevice protection is set."},
      {"poke=0:0105:3C\n", {"ONFAIL", "IGNORE", "BLANKCHECK"}, "FAIL\tBlank check fail at 0x0105"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.config);
    UsbSimFolder sim(c.config);
    const ProgramRun r = run(sim, {"-device", "MCU02", "-hardware", "USB"}, c.operations);
    EXPECT_EQ(r.status, 0) << r.output << r.errors;
    EXPECT_NE(r.output.find(c.expected), std::string::npos) << r.output;
  }
}

TEST_F(FlashcmdUsbRun, DriverCheckAndItsOption) {
  UsbSimFolder sim("driver=missing\n");
  ProgramRun r = run(sim, {"-device", "MCU02", "-hardware", "USB"}, {"ERASE", "F"});
  EXPECT_EQ(r.status, 255);
  EXPECT_NE(r.output.find(dotted("Opening port", "FAIL\tUSB driver not installed.")), std::string::npos) << r.output;
  // Without the check the opening fails instead, and says why.
  r = run(sim, {"-device", "MCU02", "-hardware", "USB", "-no_usbdrvchk"}, {"ERASE", "F"});
  EXPECT_EQ(r.status, 255);
  EXPECT_NE(r.output.find(dotted("Opening port", "FAIL\tCannot open port.")), std::string::npos) << r.output;
  EXPECT_NE(r.errors.find("usblink: Cannot look for USB device 6e2d:a7c5: libusb cannot start"), std::string::npos)
      << r.errors;
}

// Linux passes the loader's requests only to the program that claimed the
// interface they address: the programmer claims interface 4 for the run,
// detaching a kernel driver that holds it and binding it again at the end.
TEST_F(FlashcmdUsbRun, ClaimsTheInterfaceTheRequestsAddressForTheRun) {
  struct Case {
    const char* config;
    std::vector<std::string> events;
  } cases[] = {
      {"", {"claim 4", "release 4"}},
      {"kernel_driver=4\n", {"detach 4", "claim 4", "release 4", "attach 4"}},
      {"kernel_driver=0\n", {"claim 4", "release 4"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.config);
    UsbSimFolder sim(c.config);
    const ProgramRun r = run(sim, {"-device", "MCU02", "-hardware", "USB"}, {"ERASE", "F"});
    EXPECT_EQ(r.status, 0) << r.output << r.errors;
    EXPECT_EQ(r.errors, "");
    EXPECT_EQ(sim.interfaceEvents(), c.events);
    EXPECT_EQ(sim.state("errors"), "0") << sim.errors().front();
  }
}

TEST_F(FlashcmdUsbRun, AnInterfaceThatCannotBeClaimedIsNamed) {
  struct Case {
    const char* config;
    std::string event;
    std::string said;
  } cases[] = {
      {"in_use=4\n", "claim 4: busy",
       "usblink: USB device 6e2d:a7c5 (bus 1, address 5): its interface 4 is in use by another program or a driver "
       "that cannot be detached.\n"},
      {"interfaces=1\n", "claim 4: no such interface",
       "usblink: USB device 6e2d:a7c5 (bus 1, address 5) has no interface 4, which the boot loader's requests "
       "address: is it a boot loader of this family?\n"},
      {"access=denied\n", "",
       "usblink: USB device 6e2d:a7c5 (bus 1, address 5) cannot be opened: access denied. Install the udev rule of "
       "the README and plug the device in again.\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.config);
    UsbSimFolder sim(c.config);
    const ProgramRun r = run(sim, {"-device", "MCU02", "-hardware", "USB"}, {"ERASE", "F"});
    EXPECT_EQ(r.status, 255);
    EXPECT_NE(r.output.find(dotted("Opening port", "FAIL\tCannot open port.")), std::string::npos) << r.output;
    EXPECT_EQ(r.errors, c.said);
    EXPECT_EQ(sim.interfaceEvents(), c.event.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.event});
    EXPECT_TRUE(sim.downloads().empty()) << "no request reached the device";
  }
}

TEST_F(FlashcmdUsbRun, RealUsbLibraryWithoutADeviceSaysWhichDeviceItLookedFor) {
  UsbSimFolder unused;
  const ProgramRun r =
      run(unused, {"-device", "MCU04", "-hardware", "USB", "-no_usbdrvchk"}, {"ERASE", "F"}, false);
  EXPECT_EQ(r.status, 255);
  EXPECT_NE(r.output.find(dotted("Opening port", "FAIL\tCannot open port.")), std::string::npos) << r.output;
  EXPECT_NE(r.errors.find("usblink: "), std::string::npos) << r.errors;
  EXPECT_NE(r.errors.find("USB device 6e2d:a7c7"), std::string::npos) << r.errors;
  EXPECT_TRUE(unused.transfers().empty()) << "the simulator was not loaded";
}

}  // namespace
