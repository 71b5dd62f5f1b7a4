#pragma once
// What distinguishes the boot loaders of the part families that speak the
// RS-232 record protocol: record sizes, memories, the records that read and
// write special bytes, and how a display record names its memory.
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

enum class Special {
  Version, Sbv, Ssb, Bsb, Hwb, Eb, BootId1, BootId2,
  Manufacturer, Device1, Device2, Device3, P1Conf, P3Conf, P4Conf, Options,
};

// A display record's memory byte that means "the memory selected last".
constexpr int kSelectedMemory = -1;

struct Family {
  std::string name;
  uint16_t recordSize = 16;    // most data bytes a program record may carry
  uint16_t readLineSize = 16;  // data bytes per line of a display reply
  // Memory and 64 KB page chosen by selection records (type 04 with two data
  // bytes, type 02); program records of type 00 and display and blank-check
  // records then work on the selection. Display records with memory byte 02
  // erase (block, or FF for the whole memory).
  bool selectsMemory = false;
  std::vector<uint32_t> memorySizes;                // by memory index
  std::map<std::string, Special> readRecords;       // "0F00" = data of a type-05 record
  std::map<std::string, Special> writeRecords;      // "0601" = first two data bytes of a 03 06 record
  std::map<uint8_t, int> displayMemories;           // memory byte of a display record -> memory
  uint8_t ssbLevels[4] = {0xFF, 0xFE, 0xFC, 0xF8};  // SSB at security level 0..3
};

// The family of a part name ("MCU02", "MCU14B", "MCU_OCD", ...; "BASE" for
// the plain protocol), with the record sizes its programmer uses for the
// given boot-loader version. Unknown names throw std::invalid_argument.
Family FamilyByName(std::string_view name, uint8_t version);

std::vector<std::string> FamilyNames();

}  // namespace sim
