#include "tests/sim/bootloader/bootloader_engine.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace sim {
namespace {

constexpr char kJunk[] = "#$%&*?~^";
constexpr uint32_t kBlockStarts[] = {0x0000, 0x2000, 0x4000, 0x8000, 0xC000};

const char* SpecialName(Special id) {
  static const char* const names[] = {"version", "SBV",   "SSB",   "BSB",   "HWB",    "EB",
                                      "boot id 1", "boot id 2", "manufacturer id", "device id 1",
                                      "device id 2", "device id 3", "P1_CONF", "P3_CONF", "P4_CONF",
                                      "options"};
  return names[static_cast<int>(id)];
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::vector<uint8_t> Decode(std::string_view hexPairs) {
  std::vector<uint8_t> bytes;
  for (size_t i = 0; i + 1 < hexPairs.size(); i += 2)
    bytes.push_back(static_cast<uint8_t>(HexValue(hexPairs[i]) * 16 + HexValue(hexPairs[i + 1])));
  return bytes;
}

std::string Hex4(uint32_t value) {
  char text[8];
  std::snprintf(text, sizeof text, "%04X", value & 0xFFFF);
  return text;
}

std::string Range(int memory, uint32_t from, uint32_t to) {
  return std::to_string(memory) + ":" + Hex4(from) + "-" + Hex4(to);
}

}  // namespace

std::string HexText(const std::vector<uint8_t>& bytes) {
  static const char digits[] = "0123456789ABCDEF";
  std::string text;
  for (uint8_t b : bytes) {
    text += digits[b >> 4];
    text += digits[b & 15];
  }
  return text;
}

uint8_t RecordChecksum(std::string_view hexPairs) {
  unsigned sum = 0;
  for (uint8_t b : Decode(hexPairs)) sum += b;
  return static_cast<uint8_t>(-sum);
}

std::string MakeRecord(std::string_view body) {
  return ":" + std::string(body) + HexText({RecordChecksum(body)});
}

BootloaderEngine::BootloaderEngine(const BootloaderConfig& config)
    : family_(FamilyByName(config.family, config.version)),
      echo_(config.echo),
      requireSync_(config.requireSync),
      syncAfter_(config.syncAfter),
      monitor_(config.ocdMonitor),
      inMonitor_(config.ocdMonitor),
      specials_(static_cast<size_t>(Special::Options) + 1, 0xFF) {
  for (uint32_t size : family_.memorySizes) memories_.emplace_back(size, 0xFF);
  setSpecial(Special::Version, config.version);
  setSpecial(Special::Sbv, 0xFC);
  setSpecial(Special::Ssb, family_.ssbLevels[0]);
  setSpecial(Special::BootId1, 0xD7);
  setSpecial(Special::BootId2, 0x01);
  setSpecial(Special::Manufacturer, 0x58);
  setSpecial(Special::Device1, 0xD7);
  setSpecial(Special::Device2, 0xF7);
  // Loaders that select memories keep their identity bytes as memory data.
  if (family_.selectsMemory && memories_.size() > 3) memories_[3][0] = config.version;
}

void BootloaderEngine::reset() {
  synced_ = false;
  started_ = false;
  syncCount_ = 0;
  inRecord_ = false;
  record_.clear();
  selectedMemory_ = 0;
  selectedPage_ = 0;
}

void BootloaderEngine::setProtection(bool writes, bool reads) {
  protectWrites_ = writes;
  protectReads_ = reads;
}

void BootloaderEngine::injectFault(Fault fault, int count, int cutAfter) {
  for (int i = 0; i < count; ++i) faults_.push_back({fault, cutAfter});
}

uint8_t BootloaderEngine::special(Special id) const { return specials_[static_cast<size_t>(id)]; }

void BootloaderEngine::setSpecial(Special id, uint8_t value) { specials_[static_cast<size_t>(id)] = value; }

const std::vector<uint8_t>& BootloaderEngine::memory(int index) const {
  static const std::vector<uint8_t> none;
  return index >= 0 && static_cast<size_t>(index) < memories_.size() ? memories_[index] : none;
}

void BootloaderEngine::writeMemory(int index, uint32_t address, const std::vector<uint8_t>& bytes) {
  if (index < 0 || static_cast<size_t>(index) >= memories_.size()) return;
  std::vector<uint8_t>& m = memories_[index];
  for (size_t i = 0; i < bytes.size() && address + i < m.size(); ++i) m[address + i] = bytes[i];
}

uint8_t BootloaderEngine::byteAt(int memory, uint32_t address) const {
  const std::vector<uint8_t>& m = this->memory(memory);
  return address < m.size() ? m[address] : 0xFF;
}

std::string BootloaderEngine::feed(std::string_view received) {
  std::string out;
  for (char c : received) {
    if (monitor_ && c == '~') {
      switchMonitor(out);
      continue;
    }
    if (inMonitor_) {
      onMonitorChar(c, out);
      continue;
    }
    if (started_) continue;  // the application runs; the loader hears nothing
    if (inRecord_) {
      onRecordChar(c, out);
    } else if (c == ':') {
      beginExchange(":");
      inRecord_ = true;
      record_ = ":";
      if (echo_ == EchoMode::PerCharacter && (synced_ || !requireSync_)) emit(":", out, false);
    } else if (c == 'U') {
      onSync(out);
    }
    // Anything else between records is line noise.
  }
  return out;
}

void BootloaderEngine::beginExchange(std::string request) {
  fault_ = {Fault::None, -1};
  if (!faults_.empty()) {
    fault_ = faults_.front();
    faults_.pop_front();
  }
  record_ = std::move(request);
  sent_.clear();
}

// Sends `text` as the current fault lets it through; `answer` marks what
// follows the echo.
void BootloaderEngine::emit(std::string_view text, std::string& out, bool answer) {
  for (char c : text) {
    if (fault_.fault == Fault::Silence) return;
    if (fault_.fault == Fault::CutReply &&
        (fault_.cutAfter < 0 ? answer : sent_.size() >= static_cast<size_t>(fault_.cutAfter)))
      return;
    if (fault_.fault == Fault::Garbage && c != '\r' && c != '\n') c = kJunk[sent_.size() % (sizeof kJunk - 1)];
    sent_ += c;
    out += c;
  }
}

void BootloaderEngine::finishExchange(const std::string& what) {
  log_.push_back({record_, sent_, what});
  inRecord_ = false;
  record_.clear();
  sent_.clear();
  fault_ = {Fault::None, -1};
}

void BootloaderEngine::onSync(std::string& out) {
  beginExchange("U");
  if (fault_.fault == Fault::Silence) {
    finishExchange("sync not heard (silence)");
    return;
  }
  ++syncCount_;
  if (syncCount_ < syncAfter_) {
    finishExchange("sync not answered yet");
    return;
  }
  synced_ = true;
  emit("U", out, true);
  finishExchange("sync");
}

void BootloaderEngine::switchMonitor(std::string& out) {
  inMonitor_ = !inMonitor_;
  monitorLine_.clear();
  beginExchange("~");
  if (inMonitor_ && monitorPrompt_) emit("\r\n-", out, true);
  finishExchange(inMonitor_ ? "line to the monitor" : "line to the target");
}

void BootloaderEngine::onMonitorChar(char c, std::string& out) {
  monitorLine_ += c;
  if (c != '\n') return;
  const std::string command = monitorLine_.substr(0, monitorLine_.size() - 1);
  beginExchange(monitorLine_);
  monitorLine_.clear();
  if (command == "G") {
    started_ = true;
    finishExchange("monitor: run the program");
    return;
  }
  static const char* const known[] = {"debug", "C R", "C C", "C M", "Q", "X 00"};
  const bool isKnown = std::find(std::begin(known), std::end(known), command) != std::end(known);
  if (monitorPrompt_) emit(isKnown ? "\r\n-" : "\r\n?\r\n-", out, true);
  finishExchange("monitor: " + (isKnown ? command : "unknown " + command));
}

void BootloaderEngine::onRecordChar(char c, std::string& out) {
  const bool listening = synced_ || !requireSync_;
  record_ += c;
  if (listening && echo_ == EchoMode::PerCharacter) emit(std::string_view(&c, 1), out, false);
  if (HexValue(c) < 0) {
    if (listening && echo_ == EchoMode::WholeRecord) emit(record_, out, false);
    if (listening) emit("X\r\n", out, true);
    finishExchange(listening ? "malformed record" : "ignored: not synchronised");
    return;
  }
  if (record_.size() < 3) return;
  const size_t expected = 11 + 2 * static_cast<size_t>(HexValue(record_[1]) * 16 + HexValue(record_[2]));
  if (record_.size() < expected) return;
  if (!listening) {
    finishExchange("ignored: not synchronised");
    return;
  }
  if (echo_ == EchoMode::WholeRecord) emit(record_, out, false);
  if (fault_.fault == Fault::Silence) {
    finishExchange("not heard (silence)");
    return;
  }
  Answer answer = fault_.fault == Fault::ChecksumReply ? Answer{"X\r\n", "checksum error (injected)"}
                                                        : process(record_);
  emit(answer.text, out, true);
  finishExchange(answer.what);
}

BootloaderEngine::Answer BootloaderEngine::process(const std::string& record) {
  const std::vector<uint8_t> bytes = Decode(std::string_view(record).substr(1));
  unsigned sum = 0;
  for (uint8_t b : bytes) sum += b;
  if ((sum & 0xFF) != 0) return {"X\r\n", "checksum error"};
  const uint8_t length = bytes[0];
  const uint32_t address = static_cast<uint32_t>(bytes[1]) << 8 | bytes[2];
  const uint8_t type = bytes[3];
  const std::vector<uint8_t> data(bytes.begin() + 4, bytes.begin() + 4 + length);
  const Answer unknown{"\r\n", "unknown record"};
  switch (type) {
    case 0x00:
    case 0x07:
    case 0x08: {
      const int memory = memoryOfProgramType(type);
      if (memory < 0) return unknown;
      const uint32_t base = family_.selectsMemory ? static_cast<uint32_t>(selectedPage_) << 16 : 0;
      if (length > family_.recordSize || (address % family_.recordSize) + length > family_.recordSize)
        return {"\r\n", "program refused: record size"};
      return program(memory, base + address, data);
    }
    case 0x03:
      return command(data);
    case 0x04:
      if (length == 5) return displayOrBlankCheck(data);
      if (length == 2 && family_.selectsMemory) return selection(type, data);
      return unknown;
    case 0x02:
      if (length == 2 && family_.selectsMemory) return selection(type, data);
      return unknown;
    case 0x05: {
      if (length != 2) return unknown;
      const auto found = family_.readRecords.find(HexText(data));
      if (found == family_.readRecords.end()) return unknown;
      const uint8_t value = special(found->second);
      const std::string what = std::string("read ") + SpecialName(found->second) + " = " + HexText({value});
      // Loaders that select memories show the byte as a display line of four
      // bytes from it on: after the 15-character echo, the 30 characters that
      // the programmer reads end with the line.
      if (family_.selectsMemory) return {"\r\n0000=" + HexText({value, 0xFF, 0xFF, 0xFF}) + "\r\n", what};
      return {HexText({value}) + ".\r\n", what};
    }
    default:
      return unknown;
  }
}

int BootloaderEngine::memoryOfProgramType(uint8_t type) const {
  const int memory = type == 0x00 ? (family_.selectsMemory ? selectedMemory_ : 0) : type == 0x07 ? 1 : 2;
  return static_cast<size_t>(memory) < memories_.size() ? memory : -1;
}

BootloaderEngine::Answer BootloaderEngine::program(int memory, uint32_t address, const std::vector<uint8_t>& data) {
  if (writesRefused()) return {"P\r\n", "program refused (protected)"};
  writeMemory(memory, address, data);
  const uint32_t last = address + static_cast<uint32_t>(data.size()) - (data.empty() ? 0 : 1);
  return {".\r\n", "program " + Range(memory, address, last)};
}

BootloaderEngine::Answer BootloaderEngine::eraseBlock(int memory, int block) {
  if (writesRefused()) return {"P\r\n", "erase refused (protected)"};
  const uint32_t size = static_cast<uint32_t>(this->memory(memory).size());
  const uint32_t from = kBlockStarts[block];
  const uint32_t to = block + 1 < 5 ? kBlockStarts[block + 1] : size;
  if (from < size) std::fill(memories_[memory].begin() + from, memories_[memory].begin() + std::min(to, size), 0xFF);
  return {".\r\n", "erase block " + std::to_string(block)};
}

BootloaderEngine::Answer BootloaderEngine::command(const std::vector<uint8_t>& data) {
  const Answer unknown{"\r\n", "unknown command"};
  if (data.empty()) return unknown;
  switch (data[0]) {
    case 0x07:  // full erase; it also lifts the security levels
      if (data.size() != 1) return unknown;
      if (protectWrites_) return {"P\r\n", "erase refused (protected)"};
      std::fill(memories_[0].begin(), memories_[0].end(), 0xFF);
      securityLevel_ = 0;
      setSpecial(Special::Ssb, family_.ssbLevels[0]);
      return {".\r\n", "erase device"};
    case 0x01: {
      if (data.size() != 2) return unknown;
      const uint32_t start = static_cast<uint32_t>(data[1]) << 8;
      const auto* block = std::find(std::begin(kBlockStarts), std::end(kBlockStarts), start);
      if (block == std::end(kBlockStarts)) return unknown;
      return eraseBlock(0, static_cast<int>(block - std::begin(kBlockStarts)));
    }
    case 0x04:
      if (data.size() != 2 || data[1] != 0) return unknown;
      if (writesRefused()) return {"P\r\n", "erase SBV and BSB refused (protected)"};
      setSpecial(Special::Sbv, 0xFF);
      setSpecial(Special::Bsb, 0xFF);
      return {".\r\n", "erase SBV and BSB"};
    case 0x05:
      if (data.size() != 2 || data[1] > 2) return unknown;
      securityLevel_ = std::max(securityLevel_, data[1] + 1);
      setSpecial(Special::Ssb, family_.ssbLevels[securityLevel_]);
      return {".\r\n", "security level " + std::to_string(data[1] + 1)};
    case 0x03:
      if (data.size() == 2 && data[1] == 0x00) {
        started_ = true;
        return {"", "start (reset)"};
      }
      if (data.size() == 4 && data[1] == 0x01) {
        started_ = true;
        return {"", "start at " + Hex4(static_cast<uint32_t>(data[2]) << 8 | data[3])};
      }
      return unknown;
    case 0x06: {
      if (data.size() != 3) return unknown;
      const auto found = family_.writeRecords.find(HexText({data[0], data[1]}));
      if (found == family_.writeRecords.end()) return unknown;
      if (writesRefused()) return {"P\r\n", std::string("write ") + SpecialName(found->second) + " refused (protected)"};
      setSpecial(found->second, data[2]);
      return {".\r\n", std::string("write ") + SpecialName(found->second) + " = " + HexText({data[2]})};
    }
    case 0x0A: {
      if (data.size() != 3 || data[2] > 1) return unknown;
      if (writesRefused()) return {"P\r\n", "fuse refused (protected)"};
      const uint8_t hwb = special(Special::Hwb);
      // A fuse is enabled (programmed) at 0 and disabled at 1.
      setSpecial(Special::Hwb, data[2] ? hwb | data[1] : hwb & ~data[1]);
      return {".\r\n", std::string(data[2] ? "disable" : "enable") + " fuse " + HexText({data[1]})};
    }
    default:
      return unknown;
  }
}

BootloaderEngine::Answer BootloaderEngine::displayOrBlankCheck(const std::vector<uint8_t>& data) {
  const uint32_t from = static_cast<uint32_t>(data[0]) << 8 | data[1];
  const uint32_t to = static_cast<uint32_t>(data[2]) << 8 | data[3];
  const uint8_t mode = data[4];
  const uint32_t base = family_.selectsMemory ? static_cast<uint32_t>(selectedPage_) << 16 : 0;

  if (family_.selectsMemory && mode == 0x02) {  // erase of the selected memory
    if (data[1] == 0xFF) {
      if (protectWrites_) return {"P\r\n", "erase refused (protected)"};
      std::fill(memories_[selectedMemory_].begin(), memories_[selectedMemory_].end(), 0xFF);
      securityLevel_ = 0;
      setSpecial(Special::Ssb, family_.ssbLevels[0]);
      return {".\r\n", "erase memory " + std::to_string(selectedMemory_)};
    }
    if (data[1] > 4) return {"\r\n", "unknown block"};
    return eraseBlock(selectedMemory_, data[1]);
  }

  if (mode == 0x01) {
    const int memory = family_.selectsMemory ? selectedMemory_ : 0;
    if (readsRefused()) return {"L\r\n", "blank check refused (protected)"};
    for (uint32_t a = from; a <= to; ++a)
      if (byteAt(memory, base + a) != 0xFF)
        return {Hex4(a) + ".\r\n", "blank check " + Range(memory, from, to) + ": written at " + Hex4(a)};
    return {".\r\n", "blank check " + Range(memory, from, to) + ": blank"};
  }

  const auto found = family_.displayMemories.find(mode);
  if (found == family_.displayMemories.end()) return {"\r\n", "unknown display memory"};
  const int memory = found->second == kSelectedMemory ? selectedMemory_ : found->second;
  if (readsRefused()) return {"L\r\n", "display refused (protected)"};
  std::string text = "\r\n";
  const uint32_t lineSize = family_.readLineSize;
  for (uint32_t line = from; line <= to; line += lineSize) {
    text += Hex4(line) + "=";
    for (uint32_t a = line; a <= to && a < line + lineSize; ++a) text += HexText({byteAt(memory, base + a)});
    text += "\r\n";
  }
  return {text, "display " + Range(memory, from, to)};
}

BootloaderEngine::Answer BootloaderEngine::selection(uint8_t type, const std::vector<uint8_t>& data) {
  if (type == 0x04) {
    if (data[0] >= memories_.size() || data[1] != 0) return {"\r\n", "unknown memory"};
    selectedMemory_ = data[0];
    return {".\r\n", "select memory " + std::to_string(data[0])};
  }
  const unsigned segment = static_cast<unsigned>(data[0]) << 8 | data[1];
  selectedPage_ = static_cast<int>(segment >> 12);
  return {".\r\n", "select page " + std::to_string(selectedPage_)};
}

}  // namespace sim
