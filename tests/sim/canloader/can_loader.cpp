#include "tests/sim/canloader/can_loader.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace sim {

namespace {

constexpr uint32_t KB = 1024;

// Where each special byte is: the two data bytes that name it in a
// standard read (and, with 01 or 02 first, in a write), and its memory and
// address in the MCU27 dialect (memory -1: in none).
struct SpecialPlace {
  const char* name;
  uint8_t group;
  uint8_t index;
  int memory;
  uint32_t address;
};

constexpr SpecialPlace kPlaces[] = {
    {"version", 0x00, 0x00, 3, 0x00},      {"boot id 1", 0x00, 0x01, 3, 0x01}, {"boot id 2", 0x00, 0x02, 3, 0x02},
    {"SBV", 0x01, 0x01, 4, 0x08},          {"SSB", 0x01, 0x05, 4, 0x05},       {"BSB", 0x01, 0x00, 4, 0x00},
    {"EB", 0x01, 0x06, 4, 0x06},           {"manufacturer id", 0x01, 0x30, 6, 0x30},
    {"family id", 0x01, 0x31, 6, 0x31},    {"name id", 0x01, 0x60, 6, 0x60},   {"revision id", 0x01, 0x61, 6, 0x61},
    {"BTC1", 0x01, 0x1C, 4, 0x1C},         {"BTC2", 0x01, 0x1D, 4, 0x1D},      {"BTC3", 0x01, 0x1E, 4, 0x1E},
    {"NNB", 0x01, 0x1F, 4, 0x1F},          {"CRIS", 0x01, 0x20, 4, 0x20},      {"P1 configuration", 0x01, 0x02, -1, 0},
    {"P3 configuration", 0x01, 0x03, -1, 0}, {"P4 configuration", 0x01, 0x04, -1, 0},
    {"hardware byte", 0x02, 0x00, 5, 0x07},
};
static_assert(std::size(kPlaces) == 20);

// Start addresses of the five erase blocks; a block runs to the next start.
constexpr uint32_t kBlockStarts[] = {0x0000, 0x2000, 0x4000, 0x8000, 0xC000};

std::vector<uint32_t> memorySizes(const std::string& family) {
  if (family == "MCU06") return {32 * KB, 2 * KB};
  if (family == "MCU07") return {16 * KB, 2 * KB};
  if (family == "MCU25" || family == "MCU26") return {64 * KB, 2 * KB};
  if (family == "MCU27") {
    std::vector<uint32_t> sizes = {128 * KB, 4 * KB};
    sizes.resize(13, 128);
    return sizes;
  }
  throw std::invalid_argument("no CAN boot loader of family " + family);
}

uint32_t be16(const std::vector<uint8_t>& data, size_t at) { return (uint32_t{data[at]} << 8) | data[at + 1]; }

std::string hex4(uint32_t value) {
  char text[8];
  std::snprintf(text, sizeof text, "%04X", value & 0xFFFFu);
  return text;
}

bool isSignature(CanSpecial id) {
  return id == CanSpecial::ManufId || id == CanSpecial::FamilyId || id == CanSpecial::NameId ||
         id == CanSpecial::RevId;
}

}  // namespace

std::string FrameText(const CanFrame& frame) {
  char text[8];
  std::snprintf(text, sizeof text, "%03X%02X", frame.id, static_cast<unsigned>(frame.data.size()));
  std::string out = text;
  for (uint8_t byte : frame.data) {
    std::snprintf(text, sizeof text, "%02X", byte);
    out += text;
  }
  return out;
}

CanLoader::CanLoader(const CanLoaderConfig& config)
    : dialect_(config.family == "MCU27" ? CanDialect::Mcu27 : CanDialect::Standard) {
  for (uint32_t size : memorySizes(config.family)) memories_.emplace_back(size, 0xFF);
  const std::pair<CanSpecial, uint8_t> initial[] = {
      {CanSpecial::Version, config.version}, {CanSpecial::BootId1, 0x11}, {CanSpecial::BootId2, 0x12},
      {CanSpecial::Sbv, 0xFC},               {CanSpecial::Ssb, 0xFF},     {CanSpecial::Bsb, 0xFF},
      {CanSpecial::Eb, 0xFF},                {CanSpecial::ManufId, 0x58}, {CanSpecial::FamilyId, 0xD7},
      {CanSpecial::NameId, 0xBB},            {CanSpecial::RevId, 0xFE},   {CanSpecial::Btc1, 0xB1},
      {CanSpecial::Btc2, 0xB2},              {CanSpecial::Btc3, 0xB3},    {CanSpecial::Nnb, config.node},
      {CanSpecial::Cris, config.cris},       {CanSpecial::P1, 0xF1},      {CanSpecial::P3, 0xF3},
      {CanSpecial::P4, 0xF4},                {CanSpecial::Hwb, 0xFF}};
  for (const auto& [id, value] : initial) setSpecial(id, value);
  reset();
}

void CanLoader::reset() {
  node_ = special(CanSpecial::Nnb);
  cris_ = special(CanSpecial::Cris) & 0x7F;
  open_ = false;
  started_ = false;
  windowOpen_ = false;
  selectedMemory_ = 0;
  selectedPage_ = 0;
}

void CanLoader::injectFault(CanFault fault, int count) {
  for (int i = 0; i < count; ++i) faults_.push_back(fault);
}

std::pair<int, uint32_t> CanLoader::placeOf(CanSpecial id) const {
  const SpecialPlace& place = kPlaces[static_cast<size_t>(id)];
  if (dialect_ == CanDialect::Mcu27 && place.memory >= 0) return {place.memory, place.address};
  return {-1, 0};
}

uint8_t CanLoader::special(CanSpecial id) const {
  const auto [memory, address] = placeOf(id);
  return memory >= 0 ? memories_[static_cast<size_t>(memory)][address] : specials_[static_cast<size_t>(id)];
}

void CanLoader::setSpecial(CanSpecial id, uint8_t value) {
  const auto [memory, address] = placeOf(id);
  if (memory >= 0)
    memories_[static_cast<size_t>(memory)][address] = value;
  else
    specials_[static_cast<size_t>(id)] = value;
}

int CanLoader::securityLevel() const {
  const uint8_t ssb = special(CanSpecial::Ssb);
  return ssb == 0xFF ? 0 : ssb == 0xFE ? 1 : 2;
}

const std::vector<uint8_t>& CanLoader::memory(int index) const { return memories_.at(static_cast<size_t>(index)); }

void CanLoader::writeMemory(int index, uint32_t address, const std::vector<uint8_t>& bytes) {
  std::vector<uint8_t>& target = memories_.at(static_cast<size_t>(index));
  for (size_t i = 0; i < bytes.size() && address + i < target.size(); ++i) target[address + i] = bytes[i];
}

// --- one frame from the bus

std::vector<CanFrame> CanLoader::receive(const CanFrame& frame) {
  BusEntry entry{FrameText(frame), {}, {}};
  const unsigned k = frame.id & 0xF;
  Answer answer;
  if ((frame.id >> 4) != cris_ || k > 6) {
    answer.what = "not for this loader";
  } else if (started_) {
    answer.what = "application running: ignored";
  } else if (k == 0 && (frame.data.size() != 1 || frame.data[0] != node_)) {
    answer.what = "select of another node";
  } else if (k != 0 && !open_) {
    answer.what = "node closed: ignored";
  } else if (k == 6 && dialect_ == CanDialect::Standard) {
    answer.what = "no request on identifier 6";
  } else {
    const CanFault fault = faults_.empty() ? CanFault::None : faults_.front();
    if (!faults_.empty()) faults_.pop_front();
    if (fault == CanFault::Silence) {
      answer.what = "silence (injected)";
    } else if (fault == CanFault::Refuse) {
      answer = refuse("injected");
    } else {
      longReply_ = fault == CanFault::LongReply;
      answer = handle(k, frame.data);
      longReply_ = false;
      applyFault(fault, k, answer);
    }
  }
  for (const CanFrame& out : answer.frames) entry.replies.push_back(FrameText(out));
  entry.what = answer.what;
  log_.push_back(std::move(entry));
  return answer.frames;
}

void CanLoader::applyFault(CanFault fault, unsigned k, Answer& answer) {
  for (CanFrame& out : answer.frames) {
    switch (fault) {
      case CanFault::WrongId: out.id = id(k ^ 1u); break;
      case CanFault::EmptyReply: out.data.clear(); break;
      case CanFault::ExtraByte: out.data.push_back(0x00); break;
      case CanFault::BadAck:
        if (k == 2 && out.data.size() == 1 && (out.data[0] == 0x00 || out.data[0] == 0x02))
          out.data[0] ^= 0x02;
        else
          out.data = {0xFF};
        break;
      default: break;
    }
  }
  if (fault != CanFault::None) answer.what += " (fault injected)";
}

CanLoader::Answer CanLoader::reply(unsigned k, std::vector<uint8_t> data, std::string what) const {
  return Answer{{CanFrame{id(k), std::move(data)}}, std::move(what)};
}

CanLoader::Answer CanLoader::refuse(std::string what) const {
  return Answer{{CanFrame{id(6), {0x01}}}, "refused: " + what};
}

CanLoader::Answer CanLoader::handle(unsigned k, const std::vector<uint8_t>& data) {
  if (k == 0) return selectNode(data);
  return dialect_ == CanDialect::Mcu27 ? mcu27(k, data) : standard(k, data);
}

CanLoader::Answer CanLoader::selectNode(const std::vector<uint8_t>&) {
  open_ = !open_;
  return reply(0, {special(CanSpecial::Version), static_cast<uint8_t>(open_ ? 0x01 : 0x00)},
               open_ ? "node opened" : "node closed");
}

CanLoader::Answer CanLoader::standard(unsigned k, const std::vector<uint8_t>& data) {
  const int level = securityLevel();
  switch (k) {
    case 1:
      if (data.size() != 5 || data[0] > 1) return refuse("programming start of another form");
      if (level >= 1) return refuse("protected against writing");
      return programStart(data[0], be16(data, 1), be16(data, 3));
    case 2: return dataFrame(data);
    case 3:
      if (data.size() != 5) return refuse("range request of another form");
      if (data[0] == 0x01) return blankCheck(0, be16(data, 1), be16(data, 3));
      if (data[0] != 0x00 && data[0] != 0x02) return refuse("display of an unknown memory");
      if (level >= 2) return refuse("protected against reading");
      return display(data[0] == 0x00 ? 0 : 1, be16(data, 1), be16(data, 3));
    case 4:
      if (data.size() == 2 && data[0] == 0x00) {
        if (data[1] == 0xFF) {
          setSpecial(CanSpecial::Ssb, 0xFF);  // a full erase lifts the protection
          return erase(0, 0, static_cast<uint32_t>(memories_[0].size()) - 1, "full erase");
        }
        if (level >= 1) return refuse("protected against erasing");
        for (size_t b = 0; b < std::size(kBlockStarts); ++b) {
          if (kBlockStarts[b] != uint32_t{data[1]} << 8) continue;
          const uint32_t end = b + 1 < std::size(kBlockStarts) ? kBlockStarts[b + 1] - 1 : 0xFFFF;
          return erase(0, kBlockStarts[b], end, "erase of block " + std::to_string(b));
        }
        return refuse("erase of an unknown block");
      }
      if (data.size() == 2 && data[0] == 0x03 && data[1] == 0x00) {
        started_ = true;
        return Answer{{}, "start of the application with reset"};
      }
      if (data.size() == 4 && data[0] == 0x03 && data[1] == 0x01) {
        started_ = true;
        return Answer{{}, "start of the application at " + hex4(be16(data, 2))};
      }
      return writeSpecial(data);
    case 5: return readSpecial(data);
    default: return refuse("unknown request");
  }
}

CanLoader::Answer CanLoader::mcu27(unsigned k, const std::vector<uint8_t>& data) {
  switch (k) {
    case 6: {
      if (data.size() != 3 || data[0] != 0x03) return refuse("selection of another form");
      const size_t memory = data[1];
      if (memory >= memories_.size() || uint32_t{data[2]} * 0x10000u >= memories_[memory].size())
        return reply(6, {0x01}, "selection of a memory or page it lacks");
      selectedMemory_ = static_cast<int>(memory);
      selectedPage_ = data[2];
      return reply(6, {0x00}, "memory " + std::to_string(memory) + " page " + std::to_string(selectedPage_));
    }
    case 1:
      if (data.size() == 5 && data[0] == 0x00) return programStart(selectedMemory_, be16(data, 1), be16(data, 3));
      if (data.size() == 3 && data[0] == 0x80) {
        const uint32_t block = be16(data, 1);
        if (block == 0xFFFF) return erase(0, 0, static_cast<uint32_t>(memories_[0].size()) - 1, "full erase");
        if (block >= std::size(kBlockStarts)) return refuse("erase of an unknown block");
        const uint32_t end = block + 1 < std::size(kBlockStarts) ? kBlockStarts[block + 1] - 1
                                                                  : static_cast<uint32_t>(memories_[0].size()) - 1;
        return erase(0, kBlockStarts[block], end, "erase of block " + std::to_string(block));
      }
      return refuse("request of another form on identifier 1");
    case 2: return dataFrame(data);
    case 3:
      if (data.size() == 5 && data[0] == 0x00) return display(selectedMemory_, be16(data, 1), be16(data, 3));
      if (data.size() == 5 && data[0] == 0x80) return blankCheck(selectedMemory_, be16(data, 1), be16(data, 3));
      return refuse("range request of another form");
    default: return refuse("unknown request");
  }
}

// --- memories

CanLoader::Answer CanLoader::programStart(int memory, uint32_t from, uint32_t to) {
  const uint32_t base = dialect_ == CanDialect::Mcu27 ? uint32_t(selectedPage_) * 0x10000u : 0;
  if (to < from || base + to >= memories_[static_cast<size_t>(memory)].size())
    return refuse("programming outside memory " + std::to_string(memory));
  window_ = Window{memory, base + from, base + to};
  windowOpen_ = true;
  return reply(1, {0x00}, "programming start " + hex4(from) + ".." + hex4(to) + " in memory " + std::to_string(memory));
}

CanLoader::Answer CanLoader::dataFrame(const std::vector<uint8_t>& data) {
  if (!windowOpen_ || data.empty()) return refuse("data without a programming start");
  if (window_.next + data.size() - 1 > window_.end) {
    windowOpen_ = false;
    return reply(2, {0x01}, "data past the programmed range");
  }
  writeMemory(window_.memory, window_.next, data);
  window_.next += static_cast<uint32_t>(data.size());
  if (window_.next > window_.end) {
    windowOpen_ = false;
    return reply(2, {0x00}, "data, range complete");
  }
  return reply(2, {0x02}, "data");
}

CanLoader::Answer CanLoader::display(int memory, uint32_t from, uint32_t to) {
  const std::vector<uint8_t>& bytes = memories_[static_cast<size_t>(memory)];
  const uint32_t base = dialect_ == CanDialect::Mcu27 ? uint32_t(selectedPage_) * 0x10000u : 0;
  if (to < from || base + to >= bytes.size()) return refuse("display outside memory " + std::to_string(memory));
  const uint32_t last = to + (longReply_ ? 1 : 0);
  Answer answer{{}, "display " + hex4(from) + ".." + hex4(to) + " of memory " + std::to_string(memory)};
  for (uint32_t a = from; a <= last; a += 8) {
    CanFrame out{id(3), {}};
    for (uint32_t i = a; i <= last && i < a + 8; ++i) out.data.push_back(base + i < bytes.size() ? bytes[base + i] : 0xFF);
    answer.frames.push_back(std::move(out));
  }
  return answer;
}

CanLoader::Answer CanLoader::blankCheck(int memory, uint32_t from, uint32_t to) {
  const std::vector<uint8_t>& bytes = memories_[static_cast<size_t>(memory)];
  const uint32_t base = dialect_ == CanDialect::Mcu27 ? uint32_t(selectedPage_) * 0x10000u : 0;
  if (to < from || base + to >= bytes.size()) return refuse("blank check outside memory " + std::to_string(memory));
  for (uint32_t a = from; a <= to; ++a)
    if (bytes[base + a] != 0xFF)
      return reply(3, {static_cast<uint8_t>(a >> 8), static_cast<uint8_t>(a)}, "not blank at " + hex4(a));
  return reply(3, {}, "blank " + hex4(from) + ".." + hex4(to));
}

CanLoader::Answer CanLoader::erase(int memory, uint32_t from, uint32_t to, const std::string& what) {
  std::vector<uint8_t>& bytes = memories_[static_cast<size_t>(memory)];
  for (uint32_t a = from; a <= to && a < bytes.size(); ++a) bytes[a] = 0xFF;
  return reply(dialect_ == CanDialect::Mcu27 ? 1 : 4, {0x00}, what);
}

// --- special bytes of the standard dialect

CanLoader::Answer CanLoader::readSpecial(const std::vector<uint8_t>& data) {
  if (data.size() == 2)
    for (size_t id = 0; id < std::size(kPlaces); ++id)
      if (kPlaces[id].group == data[0] && kPlaces[id].index == data[1])
        return reply(5, {special(static_cast<CanSpecial>(id))}, std::string("read of the ") + kPlaces[id].name);
  return refuse("read of an unknown special byte");
}

CanLoader::Answer CanLoader::writeSpecial(const std::vector<uint8_t>& data) {
  if (data.size() != 3 || (data[0] != 0x01 && data[0] != 0x02)) return refuse("unknown request on identifier 4");
  for (size_t index = 0; index < std::size(kPlaces); ++index) {
    const auto id = static_cast<CanSpecial>(index);
    if (kPlaces[index].group != data[0] || kPlaces[index].index != data[1]) continue;
    if (isSignature(id)) return refuse("the signature cannot be written");
    if (id == CanSpecial::Ssb) {
      // The security byte only ever tightens: FE forbids writing, FC reading too.
      if ((data[2] != 0xFE && data[2] != 0xFC) || data[2] > special(id)) return refuse("security byte " + hex4(data[2]));
    } else if (securityLevel() >= 1) {
      return refuse("protected against writing");
    }
    setSpecial(id, data[2]);
    return reply(4, {0x00}, std::string("write of the ") + kPlaces[index].name);
  }
  return refuse("write of an unknown special byte");
}

}  // namespace sim
