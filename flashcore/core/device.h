#pragma once
// A part of the catalogue: its memories with their images, the memory that
// buffer operations address, the USB product id of its boot loader, the
// software-security-byte texts it reports per security level, and which
// boot-loader protocol it makes for each transport hardware code.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "flashcore/core/memory_area.h"
#include "flashcore/core/protocol_kind.h"

class Cdevice {
 public:
  Cdevice();
  Cdevice(const Cdevice&) = delete;
  Cdevice& operator=(const Cdevice&) = delete;

  // Runs after the last block of a programmed range: with FLASH selected the
  // base part writes BOOT_STATUS_BYTE "00" through the command manager.
  virtual void onProgrammed();
  virtual ~Cdevice();
  // CRC-16 that the part reports; 0 unless the part computes one.
  virtual int computeCrc();
  // Makes the alternative protocol for (hardwareCode, variant) and installs
  // it as the current protocol; false, changing nothing, when the part has none.
  virtual bool selectProtocol(int hardwareCode, int variant);
  // Makes the protocol for the hardware code and installs it as the current
  // protocol; false when the part has none.
  virtual bool createProtocol(int hardwareCode);

  // The protocol class the part makes for a hardware code (None: none).
  virtual ProtocolKind protocolFor(int hardwareCode) const;
  // The protocol class behind selectProtocol (None: none).
  virtual ProtocolKind alternativeProtocolFor(int hardwareCode, int variant) const;

  void selectMemory(std::uint8_t index) { selectedMemory_ = index; }
  std::uint8_t selectedMemory() const { return selectedMemory_; }

  // Memory at an index, or null where the part has none.
  CmemoryArea* memory(std::uint32_t index);
  const CmemoryArea* memory(std::uint32_t index) const;
  size_t memoryCount() const { return memories_.size(); }
  // The selected memory, or null where the part has none.
  CmemoryArea* selected() { return memory(selectedMemory_); }
  const CmemoryArea* selected() const { return memory(selectedMemory_); }

  // Of the selected memory; 0 where the part has no memory at that index.
  std::uint32_t memorySize() const;
  std::uint8_t blockCount() const;
  std::int32_t baseAddress() const;

  // Byte page * 65536 + offset of the selected memory.
  bool writeBufferByte(int page, int offset, std::string_view text);
  std::string readBufferByte(int page, int offset) const;

  void resetBuffer();
  void createBackup(std::uint32_t count);
  void freeBackup();
  void saveBackup();
  void restoreBackup();

  bool canNodeOpen() const { return canNodeOpen_; }
  void setCanNodeOpen(bool open) { canNodeOpen_ = open; }
  std::int32_t usbProductId() const { return usbProductId_; }
  const std::string& ssbLevel0Value() const { return ssbLevel0Value_; }
  std::string ssbLevel1Value() const { return ssbLevel1Value_; }
  std::string ssbLevel2Value() const { return ssbLevel2Value_; }

 protected:
  // Appends the memory of the next index.
  CmemoryArea& addMemory(std::uint32_t size, std::uint8_t blockCount);
  // Leaves the next index without a memory.
  void addEmptyMemory();
  void setUsbProductId(std::int32_t id) { usbProductId_ = id; }
  void setSsbValues(std::string level1, std::string level2);

 private:
  std::uint8_t selectedMemory_ = 0;
  bool canNodeOpen_ = false;
  std::int32_t usbProductId_ = 0;
  std::string ssbLevel0Value_ = "FF";
  std::string ssbLevel1Value_ = "FE";
  std::string ssbLevel2Value_ = "FC";
  std::vector<std::unique_ptr<CmemoryArea>> memories_;  // null: no memory at that index
};
