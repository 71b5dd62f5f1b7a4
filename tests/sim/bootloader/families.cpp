#include "tests/sim/bootloader/families.h"

#include <stdexcept>

namespace sim {
namespace {

constexpr uint32_t KB = 1024;

struct Row {
  const char* name;
  uint16_t recordSize;
  uint16_t readLineSize;
  std::vector<uint32_t> memories;
};

// Part families; record sizes that depend on the boot-loader version are
// fixed up in FamilyByName.
const std::vector<Row>& Rows() {
  static const std::vector<Row> rows = {
      {"BASE", 16, 16, {64 * KB, 2 * KB, 64 * KB}},
      {"MCU01", 128, 16, {16 * KB, 2 * KB}},
      {"MCU02", 128, 16, {16 * KB, 1 * KB}},
      {"MCU03", 128, 16, {32 * KB, 1 * KB}},
      {"MCU04", 128, 128, {64 * KB}},
      {"MCU05", 128, 16, {32 * KB, 2 * KB, 64 * KB}},
      {"MCU06", 16, 16, {32 * KB, 2 * KB}},
      {"MCU07", 16, 16, {16 * KB, 2 * KB}},
      {"MCU08", 128, 16, {64 * KB, 2 * KB}},
      {"MCU09", 16, 16, {32 * KB}},
      {"MCU10", 16, 16, {32 * KB}},
      {"MCU11", 128, 16, {64 * KB, 2 * KB}},
      {"MCU12", 16, 16, {16 * KB}},
      {"MCU13", 16, 16, {16 * KB}},
      {"MCU14", 16, 16, {32 * KB}},
      {"MCU14B", 128, 16, {32 * KB}},
      {"MCU15", 16, 16, {32 * KB}},
      {"MCU16", 128, 128, {64 * KB}},
      {"MCU18", 128, 128, {64 * KB}},
      {"MCU19", 128, 128, {64 * KB}},
      {"MCU20", 64, 64, {16 * KB}},
      {"MCU21", 64, 64, {32 * KB}},
      {"MCU22", 128, 16, {64 * KB}},
      {"MCU23", 16, 16, {63 * KB}},
      {"MCU25", 128, 16, {64 * KB, 2 * KB}},
      {"MCU26", 128, 16, {64 * KB, 2 * KB}},
      {"MCU27", 64, 16, {128 * KB, 4 * KB, 128, 128, 128, 128, 128, 128, 128, 128, 128, 128, 128}},
      {"MCU_OCD", 128, 16, {128 * KB, 8 * KB, 128, 128, 128, 1, 3, 1, 256, 8 * KB, 64 * KB, 512, 128, 64 * KB, 128 * KB}},
  };
  return rows;
}

}  // namespace

Family FamilyByName(std::string_view name, uint8_t version) {
  const Row* row = nullptr;
  for (const Row& r : Rows())
    if (name == r.name) row = &r;
  if (row == nullptr) throw std::invalid_argument("unknown boot-loader family: " + std::string(name));

  Family f;
  f.name = row->name;
  f.recordSize = row->recordSize;
  f.readLineSize = row->readLineSize;
  f.memorySizes = row->memories;
  f.readRecords = {{"0F00", Special::Version}, {"0702", Special::Sbv},     {"0700", Special::Ssb},
                   {"0701", Special::Bsb},     {"0B00", Special::Hwb},     {"0706", Special::Eb},
                   {"0E00", Special::BootId1}, {"0E01", Special::BootId2}, {"0000", Special::Manufacturer},
                   {"0001", Special::Device1}, {"0002", Special::Device2}, {"0003", Special::Device3}};
  f.writeRecords = {{"0601", Special::Sbv}, {"0600", Special::Bsb}, {"0606", Special::Eb}};
  f.displayMemories = {{0x00, 0}, {0x02, 1}, {0x03, 2}};

  const std::string n = f.name;
  if (n == "MCU01" || n == "MCU07") {
    f.readRecords["0703"] = Special::P1Conf;
    f.readRecords["0704"] = Special::P3Conf;
    f.readRecords["0705"] = Special::P4Conf;
    f.writeRecords["0602"] = Special::P1Conf;
    f.writeRecords["0603"] = Special::P3Conf;
    f.writeRecords["0604"] = Special::P4Conf;
  }
  if (n == "MCU23") {
    f.readRecords.erase("0F00");
    f.readRecords.erase("0B00");
    f.readRecords["0800"] = Special::Version;
    f.readRecords["0703"] = Special::Hwb;
    f.ssbLevels[1] = 0x10;
    f.ssbLevels[2] = 0x00;
    f.ssbLevels[3] = 0x00;
  }
  if (n == "MCU20") {
    f.displayMemories = {{0x03, 0}};
    f.writeRecords["0605"] = Special::Options;
  }
  if (n == "MCU21") f.displayMemories = {{0x00, 0}};
  if (n == "MCU27" || n == "MCU_OCD") {
    f.selectsMemory = true;
    f.displayMemories = {{0x00, kSelectedMemory}};
  }

  // Record sizes that the programmer switches by the boot-loader version.
  if (n == "MCU05" || n == "MCU06" || n == "MCU07") f.recordSize = version <= 0x12 ? 16 : 128;
  if (n == "MCU09" || n == "MCU10" || n == "MCU12" || n == "MCU13" || n == "MCU14" || n == "MCU15")
    f.recordSize = version > 0x11 ? 128 : 16;
  return f;
}

std::vector<std::string> FamilyNames() {
  std::vector<std::string> names;
  for (const Row& r : Rows()) names.emplace_back(r.name);
  return names;
}

}  // namespace sim
