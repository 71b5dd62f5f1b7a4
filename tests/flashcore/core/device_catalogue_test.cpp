#include <gtest/gtest.h>

#include <typeinfo>

#include "flashcore/core/device_catalogue.h"
#include "flashcore/core/device_parts.h"
#include "flashcore/core/status.h"

namespace {

constexpr std::uint32_t KB = 1024;

struct Memory {
  int index;
  std::uint32_t size;  // as held: declared sizes below 1 KB are held as 1 KB
  int blocks;
  std::int32_t base;
};

struct Part {
  int code;
  const char* name;
  std::vector<Memory> memories;
  int memoryCount;  // positions in the memory list, empty ones included
  std::int32_t usbProductId;
  const char* ssb1;
  const char* ssb2;
  // Protocol class for hardware codes 1, 2, 3-8, 9, 10-11.
  const char* rs232;
  const char* usb;
  const char* can;
  const char* bridge9;
  const char* bridge10;
};

std::vector<Memory> flash(std::uint32_t size, int blocks) { return {{0, size, blocks, 0}}; }
std::vector<Memory> flashEeprom(std::uint32_t size, int blocks, std::uint32_t eeprom) {
  return {{0, size, blocks, 0}, {1, eeprom, 0, 0}};
}

const std::vector<Part>& catalogue() {
  static const std::vector<Part> parts = {
      {1, "MCU24", flash(4 * KB, 0), 1, 0, "10", "00", "", "", "", "CusbBridgeProtocol", ""},
      {2, "MCU21", flash(32 * KB, 0), 1, 0xA7C6, "FE", "FC", "Crs232ProtocolMcu21", "CusbDfuProtocolMcu21", "", "", ""},
      {3, "MCU02", {{0, 16 * KB, 3, 0}, {1, 1 * KB, 0, 0}, {7, 3 * KB, 0, 0xF400}}, 8, 0xA7C5, "FE", "FC",
       "Crs232ProtocolMcu02", "CusbDfuProtocol", "", "CusbBridgeProtocol", "CusbBridgeProtocol"},
      {4, "MCU03", {{0, 32 * KB, 3, 0}, {1, 1 * KB, 0, 0}, {7, 3 * KB, 0, 0xF400}}, 8, 0xA7C5, "FE", "FC",
       "Crs232ProtocolMcu02", "CusbDfuProtocol", "", "CusbBridgeProtocol", "CusbBridgeProtocol"},
      {5, "MCU04", flash(64 * KB, 5), 1, 0xA7C7, "FE", "FC", "Crs232ProtocolMcu04", "CusbDfuProtocol", "", "", ""},
      {6, "MCU26", flashEeprom(64 * KB, 5, 2 * KB), 2, 0, "FE", "FC", "Crs232ProtocolMcu26", "", "CcanProtocol", "", ""},
      {7, "MCU25", flashEeprom(64 * KB, 5, 2 * KB), 2, 0, "FE", "FC", "Crs232ProtocolMcu26", "", "CcanProtocol", "", ""},
      {8, "MCU08", flashEeprom(64 * KB, 5, 2 * KB), 2, 0, "FE", "FC", "Crs232ProtocolMcu08", "", "", "", ""},
      {9, "MCU09", flash(32 * KB, 3), 1, 0, "FE", "FC", "Crs232ProtocolMcu09", "", "", "", ""},
      {10, "MCU11", flashEeprom(64 * KB, 5, 2 * KB), 2, 0, "FE", "FC", "Crs232ProtocolMcu11", "", "", "", ""},
      {11, "MCU12", flash(16 * KB, 2), 1, 0, "FE", "FC", "Crs232ProtocolMcu12", "", "", "", ""},
      {12, "MCU14", flash(32 * KB, 3), 1, 0, "FE", "FC", "Crs232ProtocolMcu14", "", "", "", ""},
      {13, "MCU22", flash(64 * KB, 5), 1, 0, "FE", "FC", "Crs232ProtocolMcu22", "", "", "", ""},
      {14, "MCU16", flash(64 * KB, 5), 1, 0xA7C7, "FE", "FC", "Crs232ProtocolMcu16", "CusbDfuProtocol", "", "", ""},
      {15, "MCU18", flash(64 * KB, 5), 1, 0xA7C7, "FE", "FC", "Crs232ProtocolMcu18", "CusbDfuProtocol", "", "", ""},
      {16, "MCU01", flashEeprom(16 * KB, 2, 2 * KB), 2, 0, "FE", "FC", "Crs232ProtocolMcu01", "", "", "", ""},
      {17, "MCU20", flash(16 * KB, 0), 1, 0, "FE", "FC", "Crs232ProtocolMcu20", "", "", "", ""},
      {18, "MCU05", {{0, 32 * KB, 3, 0}, {1, 2 * KB, 0, 0}, {2, 64 * KB, 0, 0}}, 3, 0, "FE", "FC",
       "Crs232ProtocolMcu05", "", "", "", ""},
      {19, "MCU06", flashEeprom(32 * KB, 3, 2 * KB), 2, 0, "FE", "FC", "Crs232ProtocolMcu06", "", "CcanProtocol", "", ""},
      {20, "MCU07", flashEeprom(16 * KB, 2, 2 * KB), 2, 0, "FE", "FC", "Crs232ProtocolMcu07", "", "CcanProtocol", "", ""},
      {21, "MCU10", flash(32 * KB, 3), 1, 0, "FE", "FC", "Crs232ProtocolMcu09", "", "", "", ""},
      {22, "MCU13", flash(16 * KB, 2), 1, 0, "FE", "FC", "Crs232ProtocolMcu12", "", "", "", ""},
      {23, "MCU15", flash(32 * KB, 3), 1, 0, "FE", "FC", "Crs232ProtocolMcu14", "", "", "", ""},
      {24, "MCU23", flash(63 * KB, 0), 1, 0, "10", "00", "Crs232ProtocolMcu23", "", "", "", ""},
      {25, "MCU19", flash(64 * KB, 5), 1, 0xA7C7, "FE", "FC", "Crs232ProtocolMcu16", "", "", "", ""},
      {26, "MCU27",
       {{0, 128 * KB, 5, 0}, {1, 4 * KB, 0, 0}, {2, 1 * KB, 0, 0}, {7, 1 * KB, 0, 0}, {12, 1 * KB, 0, 0}}, 13, 0, "FE",
       "FC", "Crs232ProtocolMcu27", "", "CcanProtocolMcu27", "", ""},
      {27, "MCU_OCD",
       {{0, 128 * KB, 5, 0}, {1, 8 * KB, 0, 0}, {2, 1 * KB, 0, 0}, {5, 1 * KB, 0, 0}, {6, 1 * KB, 0, 0},
        {8, 1 * KB, 0, 0}, {9, 8 * KB, 0, 0}, {10, 64 * KB, 0, 0}, {11, 1 * KB, 0, 0}, {13, 64 * KB, 0, 0},
        {14, 128 * KB, 0, 0}},
       15, 0xA7C7, "FE", "FC", "Crs232ProtocolOcd", "CusbDfuProtocol", "", "", ""},
  };
  return parts;
}

class CatalogueParts : public ::testing::TestWithParam<Part> {};

TEST_P(CatalogueParts, NameAndCodeAgree) {
  const Part& p = GetParam();
  EXPECT_EQ(deviceIndexOf(p.name), p.code - 1);
  EXPECT_EQ(deviceNameList().at(static_cast<size_t>(p.code - 1)), p.name);
}

TEST_P(CatalogueParts, MemoriesAsDeclared) {
  const Part& p = GetParam();
  const std::unique_ptr<Cdevice> device = createDevice(p.code);
  ASSERT_NE(device, nullptr);
  EXPECT_EQ(device->memoryCount(), static_cast<size_t>(p.memoryCount));
  for (const Memory& m : p.memories) {
    const CmemoryArea* area = device->memory(static_cast<std::uint32_t>(m.index));
    ASSERT_NE(area, nullptr) << "memory " << m.index;
    EXPECT_EQ(area->size(), m.size) << "memory " << m.index;
    EXPECT_EQ(area->blockCount(), m.blocks) << "memory " << m.index;
    EXPECT_EQ(area->baseAddress(), m.base) << "memory " << m.index;
    EXPECT_EQ(area->getByte(0), "FF");
  }
  EXPECT_EQ(device->selectedMemory(), 0);
}

TEST_P(CatalogueParts, IdsAndSecurityTexts) {
  const Part& p = GetParam();
  const std::unique_ptr<Cdevice> device = createDevice(p.code);
  EXPECT_EQ(device->usbProductId(), p.usbProductId);
  EXPECT_EQ(device->ssbLevel0Value(), "FF");
  EXPECT_EQ(device->ssbLevel1Value(), p.ssb1);
  EXPECT_EQ(device->ssbLevel2Value(), p.ssb2);
}

TEST_P(CatalogueParts, ProtocolPerHardwareCode) {
  const Part& p = GetParam();
  const std::unique_ptr<Cdevice> device = createDevice(p.code);
  auto name = [&](int hardware) { return std::string(protocolClassName(device->protocolFor(hardware))); };
  EXPECT_EQ(name(0), "");
  EXPECT_EQ(name(1), p.rs232);
  EXPECT_EQ(name(2), p.usb);
  for (int hardware = 3; hardware <= 8; ++hardware) EXPECT_EQ(name(hardware), p.can) << hardware;
  EXPECT_EQ(name(9), p.bridge9);
  EXPECT_EQ(name(10), p.bridge10);
  EXPECT_EQ(name(11), p.bridge10);
  EXPECT_EQ(name(12), "");
  EXPECT_EQ(name(-1), "");
}

INSTANTIATE_TEST_SUITE_P(All27, CatalogueParts, ::testing::ValuesIn(catalogue()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Catalogue, RegistersTwentySevenCreatorsInOrder) {
  ASSERT_EQ(deviceCreatorRegistry().size(), 27u);
  ASSERT_EQ(deviceNameList().size(), 27u);
  // The creator at position p claims code p + 1 and no other.
  for (size_t p = 0; p < 27; ++p) {
    const int code = static_cast<int>(p) + 1;
    EXPECT_NE(deviceCreatorRegistry()[p]->create(code), nullptr) << code;
    EXPECT_EQ(deviceCreatorRegistry()[p]->create(code == 27 ? 1 : code + 1), nullptr) << code;
  }
}

TEST(Catalogue, UnknownCodesDoNotExist) {
  for (int code : {0, 28, -1, 1000}) {
    try {
      createDevice(code);
      ADD_FAILURE() << code << " created";
    } catch (STATUS status) {
      EXPECT_EQ(status, STATUS_DEVICE_DOES_NOT_EXIST);
    }
  }
}

TEST(Catalogue, LookupByNameIsExact) {
  EXPECT_EQ(deviceIndexOf("MCU24"), 0);
  EXPECT_EQ(deviceIndexOf("MCU_OCD"), 26);
  EXPECT_EQ(deviceIndexOf(""), 27);
  EXPECT_EQ(deviceIndexOf("mcu24"), 27);
  EXPECT_EQ(deviceIndexOf("MCU24 "), 27);
}

TEST(Catalogue, SharedClassesAndOwnClasses) {
  EXPECT_EQ(typeid(*createDevice(1)), typeid(CdeviceMcu24));
  EXPECT_EQ(typeid(*createDevice(27)), typeid(CdeviceOcd));
  EXPECT_EQ(typeid(*createDevice(21)), typeid(CdeviceMcu09));
  EXPECT_EQ(typeid(*createDevice(22)), typeid(CdeviceMcu12));
  EXPECT_EQ(typeid(*createDevice(23)), typeid(CdeviceMcu14));
}

TEST(Catalogue, AlternativeProtocolOnlyForMcu14AndMcu15) {
  for (int code = 1; code <= 27; ++code) {
    const std::unique_ptr<Cdevice> device = createDevice(code);
    const bool knows = code == 12 || code == 23;
    EXPECT_EQ(device->alternativeProtocolFor(1, 4) == ProtocolKind::Rs232Mcu14b, knows) << code;
    EXPECT_EQ(device->alternativeProtocolFor(1, 3), ProtocolKind::None) << code;
    EXPECT_EQ(device->alternativeProtocolFor(2, 4), ProtocolKind::None) << code;
  }
}

TEST(Catalogue, OnlyMcu20AndMcu21ComputeACrcOfTheirFlash) {
  for (int code = 1; code <= 27; ++code) {
    const std::unique_ptr<Cdevice> device = createDevice(code);
    const int expected = code == 17 ? 0xEFB3 : code == 2 ? 0xCF78 : 0;
    EXPECT_EQ(device->computeCrc(), expected) << code;
  }
  // The CRC follows FLASH whatever memory is selected.
  CdeviceMcu20 mcu20;
  mcu20.memory(0)->setByte(100, "00");
  const int changed = mcu20.computeCrc();
  EXPECT_NE(changed, 0xEFB3);
  mcu20.selectMemory(1);
  EXPECT_EQ(mcu20.computeCrc(), changed);
}

TEST(Catalogue, VariantsHaveTheirOwnMemoriesAndTheProtocolsOfTheirPart) {
  struct Variant {
    std::unique_ptr<Cdevice> device;
    std::vector<Memory> memories;
    const char* rs232;
    const char* can;
  };
  Variant variants[] = {
      {std::make_unique<CdeviceMcu05v12>(), flash(32 * KB, 3), "Crs232ProtocolMcu05", ""},
      {std::make_unique<CdeviceMcu05v50>(), flashEeprom(32 * KB, 3, 2 * KB), "Crs232ProtocolMcu05", ""},
      {std::make_unique<CdeviceMcu06v12>(), flash(32 * KB, 3), "Crs232ProtocolMcu06", "CcanProtocol"},
      {std::make_unique<CdeviceMcu07v12>(), flash(16 * KB, 2), "Crs232ProtocolMcu07", "CcanProtocol"},
  };
  for (const Variant& v : variants) {
    EXPECT_EQ(v.device->memoryCount(), v.memories.size());
    for (const Memory& m : v.memories) EXPECT_EQ(v.device->memory(static_cast<std::uint32_t>(m.index))->size(), m.size);
    EXPECT_EQ(v.device->usbProductId(), 0);
    EXPECT_EQ(v.device->ssbLevel1Value(), "FE");
    EXPECT_EQ(protocolClassName(v.device->protocolFor(1)), v.rs232);
    EXPECT_EQ(protocolClassName(v.device->protocolFor(5)), v.can);
  }
}

TEST(Catalogue, MissingMemoryHasNoSizeAndRefusesBytes) {
  const std::unique_ptr<Cdevice> mcu02 = createDevice(3);
  mcu02->selectMemory(4);  // MCU02 has no memories 2 to 6
  EXPECT_EQ(mcu02->memorySize(), 0u);
  EXPECT_FALSE(mcu02->writeBufferByte(0, 0, "00"));
  mcu02->selectMemory(200);
  EXPECT_EQ(mcu02->memorySize(), 0u);
}

}  // namespace
