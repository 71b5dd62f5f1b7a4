// A set-up read from a device, saved, loaded into a fresh run of the program
// and written back leaves the device's memory as it was, byte for byte.
#include <filesystem>

#include "tests/app/setup/known_setup.h"
#include "tests/app/setup/sim_editor_fixture.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

class DeviceRoundTripTest : public SimEditorTest {};

TEST_F(DeviceRoundTripTest, ReadSaveLoadWriteKeepsTheDevicesMemory) {
  const fs::path dir = fs::temp_directory_path() / ("device_round_trip_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const std::string file = (dir / "device.dis").string();
  for (const uint16_t base : {SETUP_BASE_1, SETUP_BASE_2}) {
    SCOPED_TRACE(base);
    // A device whose active copy holds a set-up of its own.
    NewProgram();
    const SetupImageBytes known = known_setup::Image();
    PutDeviceMemory(0, Bytes(known.begin(), known.begin() + 8));
    PutDeviceMemory(base, Bytes(known.begin() + 8, known.begin() + 716));
    sim_.WithDevice(1, [&](devsim::DeviceModel& m) { m.activeSetup = base == SETUP_BASE_1 ? 0 : 1; });
    PutDeviceMemory(0, Bytes{static_cast<uint8_t>(base == SETUP_BASE_1 ? 0 : 1)});
    const Bytes original = DeviceMemory(0, devsim::MEMORY_SIZE);

    SetupBase = base;
    editor().ReadSetupFromDevice();
    ASSERT_EQ(Form1->SetupPresent, 1);
    dialogs_.ChooseFile(file);
    editor().SaveSetupFile();

    // The device forgets its set-up (but for the bytes a write never touches).
    Bytes scrambled = original;
    for (int i = 0; i < 8; ++i) scrambled[static_cast<size_t>(i)] ^= 0x5A;
    for (int i = base + 4; i < base + SETUP_COPY_SIZE; ++i) scrambled[static_cast<size_t>(i)] ^= 0x5A;
    PutDeviceMemory(0, scrambled);

    // A new run of the program, which has chosen no copy yet.
    NewProgram();
    SetupBase = 0;
    dialogs_.ChooseFile(file);
    editor().LoadSetupFile();
    ASSERT_EQ(Form1->SetupPresent, 1);
    editor().WriteSetupToDevice();

    EXPECT_EQ(SetupBase, base) << "the device told the copy";
    const Bytes after = DeviceMemory(0, devsim::MEMORY_SIZE);
    for (size_t i = 0; i < after.size(); ++i) EXPECT_EQ(after[i], original[i]) << "device address " << i;
    EXPECT_TRUE(BoxTexts().empty());
  }
  fs::remove_all(dir);
}

}  // namespace
