#include "tests/sim/usb/dfu_bootloader.h"

#include <algorithm>
#include <cstdio>

#include "tests/sim/usb/hex_text.h"
#include "usblink/usb_request.h"

namespace {

constexpr std::uint8_t kDownloadType = 0x21;
constexpr std::uint8_t kUploadType = 0xA1;
constexpr std::uint8_t kDownload = 0x01;
constexpr std::uint8_t kUpload = 0x02;
constexpr std::uint8_t kGetStatus = 0x03;
constexpr std::uint8_t kClearStatus = 0x04;
constexpr std::uint16_t kInterface = 4;
constexpr int kLoaderMemory = 3;
constexpr int kConfigMemory = 4;
constexpr int kHardwareMemory = 5;
constexpr int kSignatureMemory = 6;
constexpr size_t kFrameHeader = 32;
constexpr size_t kFrameTrailer = 16;

std::string hex4(unsigned value) {
  char text[8];
  std::snprintf(text, sizeof text, "%04X", value & 0xFFFFu);
  return text;
}

std::uint32_t word(const std::vector<std::uint8_t>& data, size_t at) {
  return static_cast<std::uint32_t>(data[at] << 8 | data[at + 1]);
}

}  // namespace

DfuBootloader::DfuBootloader(DfuConfig config) : config_(std::move(config)), protection_(config_.protection) {
  for (size_t i = 0; i < memories_.size(); ++i) memories_[i].assign(config_.memorySizes[i], 0xFF);
  const auto set = [this](int memory, std::uint32_t address, std::uint8_t value) {
    std::vector<std::uint8_t>& m = memories_[static_cast<size_t>(memory)];
    if (address < m.size()) m[address] = value;
  };
  // Version 2.3, boot ids, software boot vector, signature.
  set(kLoaderMemory, 0, 0x23);
  set(kLoaderMemory, 1, 0x01);
  set(kLoaderMemory, 2, 0x02);
  set(kConfigMemory, 1, 0xFC);
  set(kSignatureMemory, 0x30, 0x58);
  set(kSignatureMemory, 0x31, 0xD7);
  set(kSignatureMemory, 0x60, 0xF7);
  set(kSignatureMemory, 0x61, 0xFF);
  for (const DfuPoke& poke : config_.pokes) {
    if (poke.memory < 0 || poke.memory >= static_cast<int>(memories_.size())) continue;
    for (size_t i = 0; i < poke.bytes.size(); ++i)
      set(poke.memory, poke.address + static_cast<std::uint32_t>(i), poke.bytes[i]);
  }
}

bool DfuBootloader::open(int productId) {
  transfers_.push_back("O " + hex4(static_cast<unsigned>(productId)));
  open_ = productId == config_.productId;
  expectedBlock_ = 0xFFFF;
  return open_;
}

void DfuBootloader::error(const std::string& text) { errors_.push_back(text); }

bool DfuBootloader::counted(std::uint16_t value) {
  const bool inSequence = value == expectedBlock_;
  if (!inSequence) error("wValue " + hex4(value) + " where " + hex4(expectedBlock_) + " was due");
  expectedBlock_ = expectedBlock_ == 0 ? 0xFFFF : static_cast<std::uint16_t>(expectedBlock_ - 1);
  return inSequence;
}

void DfuBootloader::finish(std::uint8_t status) {
  status_ = status;
  state_ = status == 0 ? kStateIdle : config_.errorState;
  busyLeft_ = config_.busyPolls;
}

bool DfuBootloader::write(const std::string& setupText, const std::string& dataText) {
  transfers_.push_back("W " + setupText + " " + dataText);
  if (!open_) {
    error("a request before the device was opened");
    return false;
  }
  const std::optional<UsbSetupPacket> setup = parseSetupText(setupText);
  if (!setup || setup->requestType != kDownloadType || setup->index != kInterface) {
    error("setup text \"" + setupText + "\" is no download of the loader's interface");
    return false;
  }
  const std::optional<std::vector<std::uint8_t>> data = parseDataText(dataText);
  if (!data || data->size() != setup->length) {
    error("data text \"" + dataText + "\" does not hold the wLength of \"" + setupText + "\"");
    return false;
  }
  if (setup->request == kClearStatus) {
    if (setup->value != 0) error("clear-status request with wValue " + hex4(setup->value));
    status_ = 0;
    state_ = kStateIdle;
    busyLeft_ = 0;
    return true;
  }
  if (setup->request != kDownload) {
    error("request \"" + setupText + "\" is not one of the loader's");
    return false;
  }
  ++downloads_;
  const bool inSequence = counted(setup->value);
  if (downloads_ == config_.failWrite || !inSequence) return false;
  if (state_ == kStateError) {
    error("a download while the loader reports an error: its status was not cleared");
    return false;
  }
  blankFailAddress_.reset();
  pendingUpload_.clear();
  if (data->empty()) {
    if (startPending_) startCommand_ = pendingStartCommand_;
    startPending_ = false;
    finish(0);
    return true;
  }
  std::uint8_t status = execute(*data);
  if (const auto forced = config_.downloadStatus.find(downloads_); forced != config_.downloadStatus.end()) {
    status = forced->second;
    pendingUpload_.clear();
  }
  finish(status);
  return true;
}

int DfuBootloader::read(std::uint8_t* buffer, int length, const std::string& setupText) {
  std::string& line = transfers_.emplace_back("R " + setupText + " ");
  const auto refuse = [this](const std::string& why) {
    if (!why.empty()) error(why);
    transfers_.back() += "-1";
    return -1;
  };
  if (!open_) return refuse("a request before the device was opened");
  const std::optional<UsbSetupPacket> setup = parseSetupText(setupText);
  if (!setup || setup->requestType != kUploadType || setup->index != kInterface)
    return refuse("setup text \"" + setupText + "\" is no upload of the loader's interface");
  if (length < setup->length) return refuse("a read of " + std::to_string(length) + " bytes for \"" + setupText + "\"");
  ++reads_;
  std::vector<std::uint8_t> reply;
  if (setup->request == kGetStatus) {
    if (setup->value != 0) error("status request with wValue " + hex4(setup->value));
    std::uint8_t state = state_;
    if (config_.stuckBusy || busyLeft_ > 0) {
      state = kStateBusy;
      if (busyLeft_ > 0) --busyLeft_;
    }
    reply = {status_, 0, 0, 0, state, 0};
  } else if (setup->request == kUpload && setup->value == 0 && blankFailAddress_) {
    reply = {static_cast<std::uint8_t>(*blankFailAddress_ >> 8), static_cast<std::uint8_t>(*blankFailAddress_)};
  } else if (setup->request == kUpload) {
    if (!counted(setup->value)) return refuse({});
    // A loader that refused the command stalls the upload; the status
    // request that follows tells why.
    if (status_ != 0) return refuse({});
    if (pendingUpload_.empty()) return refuse("an upload with nothing to send");
    if (pendingUpload_.size() != setup->length)
      return refuse("an upload of " + std::to_string(setup->length) + " bytes where " +
                    std::to_string(pendingUpload_.size()) + " were read");
    reply.swap(pendingUpload_);
  } else {
    return refuse("request \"" + setupText + "\" is not one of the loader's");
  }
  if (reads_ == config_.failRead) return refuse({});
  size_t count = std::min<size_t>(reply.size(), setup->length);
  if (reads_ == config_.shortRead && count > 0) --count;
  std::copy_n(reply.begin(), count, buffer);
  line += hexText(reply.data(), count);
  return static_cast<int>(count);
}

std::uint8_t DfuBootloader::execute(const std::vector<std::uint8_t>& data) {
  switch (data[0]) {
    case 0x01: return program(data);
    case 0x03: return readOrBlankCheck(data);
    case 0x04: return erase(data);
    case 0x05: return readSpecial(data);
    case 0x06: return selectMemory(data);
    default: error("unknown command " + hexText(data)); return kStatusUnknown;
  }
}

std::optional<int> DfuBootloader::rangeMemory(std::uint8_t code, bool reading) const {
  if (memoryNumbered()) return *selectedMemory_;
  if (code == 0x00) return 0;
  if (code == (reading ? 0x02 : 0x01)) return 1;
  return std::nullopt;
}

bool DfuBootloader::inMemory(int memory, std::uint32_t first, std::uint32_t last) const {
  return first <= last && last < memories_[static_cast<size_t>(memory)].size();
}

bool DfuBootloader::refusedByProtection(int memory) const {
  return protection_ != 0 && (memory == 0 || memory == 1 || memory == 7);
}

void DfuBootloader::eraseMemory(int memory, std::uint32_t first, std::uint32_t last) {
  std::vector<std::uint8_t>& m = memories_[static_cast<size_t>(memory)];
  if (m.empty()) return;
  last = std::min<std::uint32_t>(last, static_cast<std::uint32_t>(m.size() - 1));
  if (first <= last) std::fill(m.begin() + first, m.begin() + last + 1, 0xFF);
}

std::uint8_t DfuBootloader::program(const std::vector<std::uint8_t>& data) {
  if (data.size() == 4 && data[1] == 0x80 && word(data, 2) == 0) {
    // Erase of the selected memory.
    if (!memoryNumbered()) {
      error("an erase of the selected memory before any memory was selected");
      return kStatusUnknown;
    }
    if (*selectedMemory_ == 0) protection_ = 0;
    eraseMemory(*selectedMemory_, 0, 0xFFFFFFFF);
    return 0;
  }
  if (data.size() < kFrameHeader + kFrameTrailer) {
    error("program frame " + hexText(data) + " is too short");
    return kStatusUnknown;
  }
  const std::uint32_t from = word(data, 2);
  const std::uint32_t to = word(data, 4);
  if (to < from) return kStatusAddress;
  const size_t filler = from % 32;
  const size_t expected = kFrameHeader + filler + (to - from + 1) + kFrameTrailer;
  if (data.size() != expected || std::any_of(data.begin() + 6, data.begin() + kFrameHeader + filler,
                                             [](std::uint8_t b) { return b != 0; })) {
    error("program frame of " + std::to_string(data.size()) + " bytes for " + hex4(from) + ".." + hex4(to) +
          " is not laid out as header, filler, data and suffix");
    return kStatusUnknown;
  }
  const std::optional<int> memory = rangeMemory(data[1], false);
  if (!memory) {
    error("program frame for memory code " + hexText(&data[1], 1));
    return kStatusUnknown;
  }
  const std::uint8_t* bytes = data.data() + kFrameHeader + filler;
  if (*memory == kLoaderMemory) {
    if (from == 0) interface_ = bytes[0];
    if (from == 1) startCommand_ = hexText(data.data(), 6) + hexText(bytes, 1);
    return 0;
  }
  if (refusedByProtection(*memory)) return protection_;
  const std::uint32_t base = memoryNumbered() ? selectedPage_ << 16 : 0;
  if (!inMemory(*memory, base + from, base + to)) return kStatusAddress;
  std::copy(bytes, bytes + (to - from + 1), memories_[static_cast<size_t>(*memory)].begin() + base + from);
  return 0;
}

std::uint8_t DfuBootloader::readOrBlankCheck(const std::vector<std::uint8_t>& data) {
  if (data.size() != 6) {
    error("read command " + hexText(data) + " is not 6 bytes");
    return kStatusUnknown;
  }
  const std::uint32_t from = word(data, 2);
  const std::uint32_t to = word(data, 4);
  const bool blankCheck = data[1] == 0x01 || data[1] == 0x80;
  const std::optional<int> memory = blankCheck ? std::optional<int>(memoryNumbered() ? *selectedMemory_ : 0)
                                               : rangeMemory(data[1], true);
  if (!memory) {
    error("read command for memory code " + hexText(&data[1], 1));
    return kStatusUnknown;
  }
  if (refusedByProtection(*memory)) return protection_;
  const std::uint32_t base = memoryNumbered() ? selectedPage_ << 16 : 0;
  if (!inMemory(*memory, base + from, base + to)) return kStatusAddress;
  const std::vector<std::uint8_t>& m = memories_[static_cast<size_t>(*memory)];
  if (blankCheck) {
    for (std::uint32_t a = from; a <= to; ++a)
      if (m[base + a] != 0xFF) {
        blankFailAddress_ = a;
        return kStatusCheckErased;
      }
    return 0;
  }
  pendingUpload_.assign(m.begin() + base + from, m.begin() + base + to + 1);
  return 0;
}

std::uint8_t DfuBootloader::erase(const std::vector<std::uint8_t>& data) {
  const auto setByte = [&](int memory, std::uint8_t address, std::uint8_t value) -> std::uint8_t {
    std::vector<std::uint8_t>& m = memories_[static_cast<size_t>(memory)];
    if (data.size() != 4 || address >= m.size()) return kStatusAddress;
    m[address] = value;
    return 0;
  };
  if (data.size() < 3) {
    error("command " + hexText(data) + " is too short");
    return kStatusUnknown;
  }
  switch (data[1]) {
    case 0x00: {
      if (data[2] == 0xFF) {
        eraseMemory(0, 0, 0xFFFFFFFF);
        protection_ = 0;
        memories_[kConfigMemory][5] = 0xFF;  // the security byte
        return 0;
      }
      if (refusedByProtection(0)) return protection_;
      static constexpr std::uint8_t kBlockStarts[] = {0x00, 0x20, 0x40, 0x80, 0xC0};
      const std::uint8_t* block = std::find(std::begin(kBlockStarts), std::end(kBlockStarts), data[2]);
      if (block == std::end(kBlockStarts)) return kStatusAddress;
      const std::uint32_t next = block + 1 == std::end(kBlockStarts) ? 0x10000u : block[1] * 0x100u;
      eraseMemory(0, *block * 0x100u, next - 1);
      return 0;
    }
    case 0x01: return setByte(kConfigMemory, data[2], data.size() == 4 ? data[3] : 0);
    case 0x02: return setByte(kHardwareMemory, data[2], data.size() == 4 ? data[3] : 0);
    case 0x03:
      startPending_ = true;
      pendingStartCommand_ = hexText(data);
      return 0;
    default: error("unknown command " + hexText(data)); return kStatusUnknown;
  }
}

std::uint8_t DfuBootloader::readSpecial(const std::vector<std::uint8_t>& data) {
  if (data.size() != 3) {
    error("special-byte read " + hexText(data) + " is not 3 bytes");
    return kStatusUnknown;
  }
  int memory = 0;
  switch (data[1]) {
    case 0x00: memory = kLoaderMemory; break;
    case 0x01: memory = data[2] >= 0x30 ? kSignatureMemory : kConfigMemory; break;
    case 0x02: memory = kHardwareMemory; break;
    default: error("special-byte read " + hexText(data) + " of no known group"); return kStatusUnknown;
  }
  const std::vector<std::uint8_t>& m = memories_[static_cast<size_t>(memory)];
  if (data[2] >= m.size()) return kStatusAddress;
  pendingUpload_ = {m[data[2]]};
  return 0;
}

std::uint8_t DfuBootloader::selectMemory(const std::vector<std::uint8_t>& data) {
  if (data.size() != 4 || data[1] != 0x03) {
    error("command " + hexText(data) + " is no memory selection");
    return kStatusUnknown;
  }
  if (data[2] >= memories_.size()) return kStatusAddress;
  selectedMemory_ = data[2];
  selectedPage_ = data[3];
  return 0;
}
