#include "tests/sim/device/device_commands.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tests/sim/device/protocol.h"
#include "tests/sim/device/weight_text.h"

namespace devsim {

int IdentItemSize(int item) {
  switch (item) {
    case 0: return 50;
    case 1: return 8;
    case 2: return 4;
    case 3: return 1;
    case 4: return 8;
    case 5: return 10;
    case 6: return 10;
    case 7: return 4;
    case 8: return 5;
    case 9: return 1;
    case 0xFF: return 1;
    default: return 0;
  }
}

namespace {

void PutBe32(Bytes& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v >> 24));
  out.push_back(static_cast<std::uint8_t>(v >> 16));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
  out.push_back(static_cast<std::uint8_t>(v));
}

std::uint32_t GetBe32(const Bytes& in, std::size_t at) {
  return static_cast<std::uint32_t>(in[at]) << 24 | static_cast<std::uint32_t>(in[at + 1]) << 16 |
         static_cast<std::uint32_t>(in[at + 2]) << 8 | in[at + 3];
}

std::uint32_t FloatBits(float f) {
  std::uint32_t bits;
  std::memcpy(&bits, &f, sizeof bits);
  return bits;
}

Bytes Text(const std::string& text) { return Bytes(text.begin(), text.end()); }

// A text padded with zero bytes (or cut) to the item's length.
Bytes Padded(const std::string& text, int size) {
  Bytes out(static_cast<std::size_t>(size), 0);
  std::copy_n(text.begin(), std::min<std::size_t>(text.size(), out.size()), out.begin());
  return out;
}

std::string Unpadded(const Bytes& data, std::size_t from, int size) {
  std::string text;
  for (std::size_t i = from; i < data.size() && i < from + static_cast<std::size_t>(size); ++i) {
    if (data[i] == 0) break;
    text.push_back(static_cast<char>(data[i]));
  }
  return text;
}

double ParseDecimal(const Bytes& data, std::size_t from) {
  std::string text(data.begin() + static_cast<std::ptrdiff_t>(std::min(from, data.size())), data.end());
  std::replace(text.begin(), text.end(), ',', '.');
  return std::strtod(text.c_str(), nullptr);
}

class Handler {
 public:
  Handler(DeviceModel& model, const Request& request, int address) : m_(model), r_(request), address_(address) {}

  Answer Run();

 private:
  const Bytes& d() const { return r_.data; }
  std::size_t n() const { return r_.data.size(); }
  std::uint8_t d(std::size_t i) const { return i < r_.data.size() ? r_.data[i] : 0; }

  Answer Ok(Bytes data = {}) const {
    Answer a;
    a.reply = Reply{address_, static_cast<std::uint8_t>(r_.command | REPLY_FLAG), 0, StatusByte(m_), std::move(data)};
    return a;
  }
  // Refused request: the error status bit without data.
  Answer Fail() const {
    Answer a = Ok();
    a.reply.status |= DEVICE_STATUS_ERROR;
    return a;
  }
  // Channel byte 1 or 2 within the device's channel count.
  ChannelModel* Channel(std::uint8_t ch) {
    if (ch < 1 || ch > 2 || ch > m_.channelCount) return nullptr;
    return &m_.channels[ch - 1];
  }
  void StoreSetupChecksum(int base) {
    const std::uint16_t sum = SetupCopyChecksum(m_, base);
    m_.memory[static_cast<std::size_t>(base + ADM_CSUM_OFFSET)] = static_cast<std::uint8_t>(sum >> 8);
    m_.memory[static_cast<std::size_t>(base + ADM_CSUM_OFFSET + 1)] = static_cast<std::uint8_t>(sum & 0xFF);
  }
  bool BlockHeader(std::size_t limit, int* address, int* count) const {
    if (n() < 5) return false;
    *address = d(0) << 8 | d(1);
    *count = d(3) << 8 | d(4);
    return *count >= 1 && *count <= MAX_BLOCK_BYTES && static_cast<std::size_t>(*address + *count) <= limit;
  }

  Answer Calibration();
  Answer Adc();
  Answer Weights();
  Answer LogMemory();
  Answer Clock();
  Answer Exb();
  Answer Memory();
  Answer Setup();
  Answer Ident();
  Answer Misc();

  DeviceModel& m_;
  const Request& r_;
  int address_;
};

Answer Handler::Run() {
  switch (r_.command) {
    case CMD_CAL_ZERO: case CMD_CAL_END: case CMD_EXT_CAL_ZERO: case CMD_EXT_CAL_END: case CMD_EXT_CAL_POINT:
    case CMD_CAL_SETTINGS: case CMD_THEO_CAL_ZERO: case CMD_THEO_CAL_END: case CMD_EXT_CAL_SETTINGS:
    case CMD_DELETE_CAL_POINTS: case CMD_DELETE_CAL: case CMD_READ_CAL_POINTS: case CMD_CAL_DEBUG:
    case CMD_FACTORY_CAL_ENABLE: case CMD_FACTORY_DATA:
      return Calibration();
    case CMD_ADC_RAW: case CMD_ADC_BTN: case CMD_ADC_FUNCTION: case CMD_ADC_SCALED: case CMD_ADC_MIN_MAX:
    case CMD_ADC_MILLIVOLT: case CMD_ADC_MODE: case CMD_ADC_INFO: case CMD_ADC_STATE: case CMD_ADC_REG_WRITE:
    case CMD_ADC_REG_READ: case CMD_ADC_RESET:
      return Adc();
    case CMD_TARE: case CMD_ZERO: case CMD_TARE_WEIGHT: case CMD_SELECT_CHANNEL: case CMD_READ_WEIGHT:
    case CMD_RESET_LOAD_COUNTER: case CMD_READ_LOAD_COUNTER: case CMD_READ_BELT_SCALE:
      return Weights();
    case CMD_LOG_MEMORY:
      return LogMemory();
    case CMD_SET_CLOCK: case CMD_READ_CLOCK:
      return Clock();
    case CMD_READ_EXB_VALUES: case CMD_EXB_OUTPUT:
      return Exb();
    case CMD_BLOCK_READ: case CMD_BLOCK_WRITE: case CMD_BLOCK_READ_ONCE:
      return Memory();
    case CMD_SETUP_ACTIVE: case CMD_SETUP_CHECKSUM: case CMD_SETUP_CHECKSUM_TEST: case CMD_LOAD_DEFAULTS:
    case CMD_LOAD_EEPROM: case CMD_DEFAULTS_TO_EEPROM: case CMD_RUNTIME_TO_EEPROM: case CMD_SETUP_SELECT:
    case CMD_SETUP_ERASE: case CMD_SETUP_BACKUP:
      return Setup();
    case CMD_IDENT_DATA:
      return Ident();
    default:
      return Misc();
  }
}

Answer Handler::Calibration() {
  switch (r_.command) {
    case CMD_CAL_ZERO: case CMD_CAL_END: case CMD_THEO_CAL_ZERO: case CMD_THEO_CAL_END: case CMD_CAL_DEBUG:
      return Ok();
    case CMD_EXT_CAL_ZERO:
      m_.channels[m_.activeChannel == 2 ? 1 : 0].calPoints = 1;
      return Ok();
    case CMD_EXT_CAL_END:
      m_.channels[m_.activeChannel == 2 ? 1 : 0].calPoints = 2;
      return Ok();
    case CMD_EXT_CAL_POINT:
      ++m_.channels[m_.activeChannel == 2 ? 1 : 0].calPoints;
      return Ok();
    case CMD_CAL_SETTINGS:
      if (n() >= 1 && d(0) == 1)
        return Ok({static_cast<std::uint8_t>(m_.activeChannel), m_.calibrationSet, m_.rateIndex, 0,
                   static_cast<std::uint8_t>(m_.channelCount)});
      if (n() >= 4 && d(0) == 2 && (d(1) == 1 || d(1) == 2)) {
        m_.activeChannel = d(1);
        m_.calibrationSet = d(2);
        m_.rateIndex = d(3);
        return Ok();
      }
      return Fail();
    case CMD_EXT_CAL_SETTINGS:
      if (n() >= 1 && d(0) == 1) {
        Bytes out{m_.unitIndex, m_.divisionsIndex, m_.stepIndex};
        PutBe32(out, m_.divisions);
        return Ok(out);
      }
      if (n() >= 8 && d(0) == 2) {
        m_.unitIndex = d(1);
        m_.divisionsIndex = d(2);
        m_.stepIndex = d(3);
        m_.divisions = GetBe32(d(), 4);
        return Ok();
      }
      return Fail();
    case CMD_DELETE_CAL_POINTS: {
      ChannelModel* c = Channel(d(0));
      if (n() < 2 || c == nullptr) return Fail();
      if (d(1) == 1) c->calPoints = std::min(c->calPoints, 2);
      else if (c->calPoints > 2) --c->calPoints;
      return Ok();
    }
    case CMD_DELETE_CAL: {
      ChannelModel* c = Channel(d(0));
      if (c == nullptr) return Fail();
      c->calPoints = 0;
      return Ok();
    }
    case CMD_READ_CAL_POINTS: {
      ChannelModel* c = Channel(d(0));
      if (c == nullptr) return Fail();
      // The count leaves out the zero point: the end point and the extra points.
      return Ok({static_cast<std::uint8_t>(std::max(c->calPoints - 1, 0))});
    }
    case CMD_FACTORY_CAL_ENABLE:
      if (n() < 2) return Fail();
      m_.factoryCalEnabled = d(1) != 0;
      return Ok();
    case CMD_FACTORY_DATA:
      if (n() >= 1 && d(0) == 0xFF) return Ok({0xAA, 0x55, 0xAA, 0x55});
      if (n() >= 2 && d(0) == 0x96 && d(1) <= 1) {
        m_.channels[d(1)].factoryCal.fill(0xFF);
        return Ok();
      }
      if (n() >= 10 && d(0) == 0x97 && d(1) <= 1) {
        std::copy_n(d().begin() + 2, 8, m_.channels[d(1)].factoryCal.begin());
        return Ok();
      }
      if (n() >= 2 && d(0) == 0x0A) {
        ChannelModel* c = Channel(d(1));
        if (c == nullptr) return Fail();
        Bytes out;
        PutBe32(out, static_cast<std::uint32_t>(c->bridgeReference));
        return Ok(out);
      }
      return Fail();
    default:
      return Fail();
  }
}

Answer Handler::Adc() {
  switch (r_.command) {
    case CMD_ADC_RAW: {
      ChannelModel* c = Channel(d(0));
      if (c == nullptr) return Fail();
      Bytes out{d(0)};
      PutBe32(out, static_cast<std::uint32_t>(c->adcRaw));
      return Ok(out);
    }
    case CMD_ADC_SCALED: {
      ChannelModel* c = Channel(d(0));
      if (c == nullptr) return Fail();
      Bytes out;
      PutBe32(out, FloatBits(c->adcScaled));
      return Ok(out);
    }
    case CMD_ADC_MIN_MAX: {
      ChannelModel* c = Channel(d(0));
      if (n() < 3 || c == nullptr) return Fail();
      const std::int32_t value = d(1) == 0 ? c->adcMin : c->adcMax;
      if (d(2) == 1) return Ok(Text(std::to_string(value)));
      Bytes out;
      PutBe32(out, static_cast<std::uint32_t>(value));
      return Ok(out);
    }
    case CMD_ADC_MILLIVOLT: {
      ChannelModel* c = Channel(d(0));
      if (c == nullptr) return Fail();
      char text[40];
      std::snprintf(text, sizeof text, "%c%+.5f", '0' + d(0) - 1, c->millivoltPerVolt);
      return Ok(Text(text));
    }
    case CMD_ADC_BTN:
      if (n() < 1) return Fail();
      m_.adcButtonMode = d(0) == 1;
      return Ok();
    case CMD_ADC_FUNCTION:
      if (n() < 1) return Fail();
      m_.adcFunction = d(0);
      return Ok();
    case CMD_ADC_MODE:
      if (n() < 1) return Fail();
      m_.adcMode = d(0) == 1 ? 1 : 0;
      if (n() >= 2) m_.rateIndex = d(1);
      return Ok();
    case CMD_ADC_INFO:
      return Ok({m_.adcMode});
    case CMD_ADC_STATE:
      return Ok({m_.adcFunction});
    case CMD_ADC_REG_WRITE:
      if (n() < 5 || d(0) >= ADC_REGISTER_COUNT) return Fail();
      m_.adcRegisters[d(0)] = GetBe32(d(), 1);
      return Ok();
    case CMD_ADC_REG_READ: {
      if (n() < 1 || d(0) >= ADC_REGISTER_COUNT) return Fail();
      Bytes out;
      PutBe32(out, m_.adcRegisters[d(0)]);
      return Ok(out);
    }
    case CMD_ADC_RESET:
      m_.adcRegisters.fill(0);
      return Ok();
    default:
      return Fail();
  }
}

Answer Handler::Weights() {
  switch (r_.command) {
    case CMD_TARE: {
      ChannelModel* c = Channel(d(0));
      if (n() < 2 || c == nullptr) return Fail();
      c->tare = d(1) == 1 ? GrossWeight(*c) : 0.0;
      return Ok();
    }
    case CMD_ZERO: {
      ChannelModel* c = Channel(d(0));
      if (c == nullptr) return Fail();
      c->zero = c->load;
      return Ok();
    }
    case CMD_TARE_WEIGHT: {
      // [channel, text] from the test window, or the text alone.
      const bool withChannel = n() >= 1 && (d(0) == 1 || d(0) == 2);
      ChannelModel* c = withChannel ? Channel(d(0)) : &m_.channels[m_.activeChannel == 2 ? 1 : 0];
      if (n() < (withChannel ? 2u : 1u) || c == nullptr) return Fail();
      c->tare = ParseDecimal(d(), withChannel ? 1 : 0);
      return Ok();
    }
    case CMD_SELECT_CHANNEL:
      if (n() == 1 && (d(0) == 1 || d(0) == 2)) {
        if (Channel(d(0)) == nullptr) return Fail();
        m_.activeChannel = d(0);
      }
      return Ok();
    case CMD_READ_WEIGHT:
      if (n() >= 2 && d(0) == 0) {
        if (Channel(d(1)) == nullptr) return Fail();
        return Ok(Text(ChannelWeightText(m_, d(1))));
      }
      if (n() >= 1 && d(0) == 0x0A) return Ok(Text(AllChannelsWeightText(m_)));
      if (n() >= 1 && d(0) == 0x14) return Ok(Text(SumWeightText(m_)));
      return Fail();
    case CMD_RESET_LOAD_COUNTER:
      for (ChannelModel& c : m_.channels) c.loadCounter.fill(0);
      return Ok();
    case CMD_READ_LOAD_COUNTER: {
      ChannelModel* c = Channel(d(0));
      if (n() < 2 || c == nullptr || d(1) > 2) return Fail();
      return Ok(Text(std::to_string(c->loadCounter[d(1)])));
    }
    case CMD_READ_BELT_SCALE: {
      ChannelModel* c = Channel(d(0));
      if (n() < 2 || c == nullptr || d(1) > 3) return Fail();
      char text[40];
      std::snprintf(text, sizeof text, "%.2f", c->beltScale[d(1)]);
      return Ok(Text(text));
    }
    default:
      return Fail();
  }
}

Answer Handler::LogMemory() {
  if (n() < 1) return Fail();
  switch (d(0)) {
    case 0:
      m_.logRunning = false;
      return Ok();
    case 1:
      m_.logRunning = true;
      return Ok();
    case 2:
      if (n() < 3) return Fail();
      m_.logValuesRequested = static_cast<std::uint16_t>(d(1) << 8 | d(2));
      return Ok();
    case 3: {
      const auto count = static_cast<std::uint16_t>(m_.logEntries.size());
      return Ok({static_cast<std::uint8_t>(count >> 8), static_cast<std::uint8_t>(count & 0xFF)});
    }
    case 4: {
      const std::size_t index = static_cast<std::size_t>(d(1) << 8 | d(2));
      if (n() < 3 || index >= m_.logEntries.size()) return Fail();
      // An entry travels as bits 23..8 of its 24-bit value.
      const auto v = static_cast<std::uint32_t>(m_.logEntries[index]);
      return Ok({static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8)});
    }
    case 5:
      return Ok(Bytes(m_.logHeader.begin(), m_.logHeader.end()));
    case 0x63: {
      Bytes out;
      PutBe32(out, m_.ringCounter);
      return Ok(out);
    }
    default:
      return Fail();
  }
}

Answer Handler::Clock() {
  using namespace std::chrono;
  if (r_.command == CMD_SET_CLOCK) {
    if (n() < 7) return Fail();
    const year_month_day date{year{2000 + d(5)}, month{d(4)}, day{d(3)}};
    if (!date.ok() || d(2) > 23 || d(1) > 59 || d(0) > 59) return Fail();
    const sys_seconds set = sys_days{date} + hours{d(2)} + minutes{d(1)} + seconds{d(0)};
    m_.clockOffset = set - floor<seconds>(system_clock::now());
    return Ok();
  }
  const sys_seconds now = floor<seconds>(system_clock::now()) + m_.clockOffset;
  const sys_days today = floor<days>(now);
  const year_month_day date{today};
  const hh_mm_ss time{now - today};
  const weekday wd{today};
  return Ok({0, static_cast<std::uint8_t>(time.seconds().count()), static_cast<std::uint8_t>(time.minutes().count()),
             static_cast<std::uint8_t>(time.hours().count()), static_cast<std::uint8_t>(unsigned{date.day()}),
             static_cast<std::uint8_t>(unsigned{date.month()}),
             static_cast<std::uint8_t>(static_cast<int>(date.year()) % 100),
             static_cast<std::uint8_t>(wd.c_encoding()), 0, 0});
}

Answer Handler::Exb() {
  if (r_.command == CMD_READ_EXB_VALUES) {
    Bytes out{m_.exbInputs};
    PutBe32(out, static_cast<std::uint32_t>(m_.encoderRaw));
    PutBe32(out, FloatBits(m_.encoderScaled));
    out.push_back(m_.relays);
    return Ok(out);
  }
  if (n() >= 3 && d(0) == 2 && d(1) <= 1) {
    const auto bit = static_cast<std::uint8_t>(1u << d(1));
    m_.relays = d(2) != 0 ? (m_.relays | bit) : (m_.relays & ~bit);
    return Ok();
  }
  if (n() >= 5 && d(0) == 1) {
    m_.encoderRaw = static_cast<std::int32_t>(GetBe32(d(), 1));
    return Ok();
  }
  if (n() >= 1 && (d(0) == 0 || d(0) == 0xFF)) {
    m_.encoderRaw = 0;
    m_.relays = 0;
    return Ok();
  }
  return Fail();
}

Answer Handler::Memory() {
  int address = 0;
  int count = 0;
  switch (r_.command) {
    case CMD_BLOCK_READ:
      if (!BlockHeader(m_.memory.size(), &address, &count)) return Fail();
      return Ok(Bytes(m_.memory.begin() + address, m_.memory.begin() + address + count));
    case CMD_BLOCK_READ_ONCE:
      if (!BlockHeader(m_.factoryEeprom.size(), &address, &count)) return Fail();
      return Ok(Bytes(m_.factoryEeprom.begin() + address, m_.factoryEeprom.begin() + address + count));
    case CMD_BLOCK_WRITE:
      if (!BlockHeader(m_.memory.size(), &address, &count) || n() != static_cast<std::size_t>(5 + count))
        return Fail();
      std::copy(d().begin() + 5, d().end(), m_.memory.begin() + address);
      return Ok();
    default:
      return Fail();
  }
}

Answer Handler::Setup() {
  const int base = ActiveSetupBase(m_);
  auto copy = [&](std::vector<std::uint8_t>& mem) { return mem.begin() + base; };
  switch (r_.command) {
    case CMD_SETUP_ACTIVE:
      if (n() < 1 || d(0) > 1) return Fail();
      m_.memory[static_cast<std::size_t>(base + ADM_VALID_OFFSET)] = d(0);
      return Ok();
    case CMD_SETUP_CHECKSUM:
      if (n() >= 1 && d(0) == 1) {
        char text[8];
        std::snprintf(text, sizeof text, "%02X%02X", m_.memory[static_cast<std::size_t>(base + ADM_CSUM_OFFSET)],
                      m_.memory[static_cast<std::size_t>(base + ADM_CSUM_OFFSET + 1)]);
        return Ok(Bytes(text, text + 4));
      }
      if (n() >= 1 && d(0) == 2) {
        StoreSetupChecksum(base);
        return Ok();
      }
      return Fail();
    case CMD_SETUP_CHECKSUM_TEST: {
      const std::uint16_t stored =
          static_cast<std::uint16_t>(m_.memory[static_cast<std::size_t>(base + ADM_CSUM_OFFSET)] << 8 |
                                     m_.memory[static_cast<std::size_t>(base + ADM_CSUM_OFFSET + 1)]);
      return stored == SetupCopyChecksum(m_, base) ? Ok() : Fail();
    }
    case CMD_LOAD_DEFAULTS:
      std::copy(m_.defaultSetup.begin(), m_.defaultSetup.end(), copy(m_.memory));
      StoreSetupChecksum(base);
      return Ok();
    case CMD_LOAD_EEPROM:
      m_.memory = m_.eeprom;
      return Ok();
    case CMD_DEFAULTS_TO_EEPROM: {
      std::copy(m_.defaultSetup.begin(), m_.defaultSetup.end(), copy(m_.memory));
      StoreSetupChecksum(base);
      std::copy_n(copy(m_.memory), SETUP_COPY_SIZE, copy(m_.eeprom));
      return Ok();
    }
    case CMD_RUNTIME_TO_EEPROM:
      m_.eeprom = m_.memory;
      return Ok();
    case CMD_SETUP_SELECT:
      if (n() >= 1 && d(0) == 1) return Ok({m_.activeSetup});
      if (n() >= 2 && d(0) == 2 && d(1) <= 1) {
        m_.activeSetup = d(1);
        m_.memory[0] = d(1);
        return Ok();
      }
      return Fail();
    case CMD_SETUP_ERASE:
      if (n() == 0) {
        std::fill(m_.memory.begin(), m_.memory.begin() + SETUP_BASE_2 + SETUP_COPY_SIZE, 0xFF);
        m_.activeSetup = 2;
        m_.memory[0] = 2;
        return Ok();
      }
      if (n() >= 3) {
        std::fill_n(copy(m_.memory), SETUP_COPY_SIZE, d(2));
        return Ok();
      }
      return Fail();
    case CMD_SETUP_BACKUP:
      if (n() >= 1 && d(0) == 2) {
        m_.setupBackup.assign(copy(m_.memory), copy(m_.memory) + SETUP_COPY_SIZE);
        m_.setupBackupPresent = true;
        m_.memory[2] = 1;
        return Ok();
      }
      if (n() >= 1 && d(0) == 1 && m_.setupBackupPresent) {
        std::copy(m_.setupBackup.begin(), m_.setupBackup.end(), copy(m_.memory));
        return Ok();
      }
      return Fail();
    default:
      return Fail();
  }
}

Answer Handler::Ident() {
  if (n() < 2) return Fail();
  const int item = d(1);
  const int size = IdentItemSize(item);
  if (size == 0) return Fail();
  if (d(0) == 1) {
    switch (item) {
      case 0: return Ok(Padded(m_.infoText, size));
      case 1: return Ok(Padded(m_.serialNumber, size));
      case 2: return Ok(Padded(m_.productionDate, size));
      case 3: return Ok({m_.variant});
      case 4: return Ok(Padded(m_.firmwareId, size));
      case 5: return Ok(Padded(m_.firmwareVersion, size));
      case 6: return Ok(Padded(m_.firmwareDate, size));
      case 7: return Ok(Padded(m_.hardwareVersion, size));
      case 8: return Ok(Bytes(m_.exbVersion.begin(), m_.exbVersion.end()));
      case 9: return Ok({static_cast<std::uint8_t>(m_.setupBackupPresent ? 1 : 0)});
      default: return Ok({m_.firmwareType});
    }
  }
  // Write: the production items 0..3.
  if (d(0) != 2 || item > 3 || n() < 3) return Fail();
  switch (item) {
    case 0: m_.infoText = Unpadded(d(), 2, size); break;
    case 1: m_.serialNumber = Unpadded(d(), 2, size); break;
    case 2: m_.productionDate = Unpadded(d(), 2, size); break;
    default:
      m_.variant = d(2);
      m_.memory[FACTORY_DATA_ADDR] = d(2);
      m_.factoryEeprom[0] = d(2);
      break;
  }
  return Ok();
}

Answer Handler::Misc() {
  switch (r_.command) {
    case CMD_UNNAMED_19:
      return Ok();
    case CMD_VALUE_STREAM:
      if (n() < 1) return Fail();
      m_.streamRunning = d(0) == 1;
      if (n() >= 2) m_.streamKind = d(1);
      return Ok();
    case CMD_HOLD_CYCLIC:
      if (n() < 1) return Fail();
      m_.cyclicHeld = d(0) == 0;
      return Ok();
    case CMD_RESET: {
      // With a data byte the device restarts at once, without an answer.
      Answer a = Ok();
      a.send = n() == 0;
      a.restart = true;
      ++m_.resetCount;
      ApplySetupAtRestart(m_);
      m_.streamRunning = false;
      m_.cyclicHeld = false;
      return a;
    }
    case CMD_SET_BAUD:
      if (n() < 1 || d(0) > 8) return Fail();
      m_.baudIndex = d(0);
      return Ok();
    case CMD_ERROR_CODES:
      if (n() >= 1 && d(0) == 2) {
        m_.errorCodes = {0, 0};
        m_.errorClasses.clear();
        return Ok();
      }
      if (n() >= 2 && d(0) == 1 && d(1) != 0) {
        const auto it = m_.errorClasses.find(d(1));
        return Ok({it == m_.errorClasses.end() ? std::uint8_t{0} : it->second});
      }
      if (n() == 0 || (n() >= 2 && d(0) == 1)) return Ok({m_.errorCodes[0], m_.errorCodes[1]});
      return Fail();
    case CMD_PROFIBUS:
      if (n() >= 1 && d(0) == 0) return Ok({m_.profibusState});
      if (n() >= 1 && d(0) == 2) return Ok({m_.dipAddress});
      return Ok();
    case CMD_SEARCH_DEVICES: {
      Answer a = Ok();
      a.reply.command = PRESENCE_REPLY;
      return a;
    }
    case CMD_DIAG_READ: {
      if (n() < 1 || d(0) >= m_.diagValues.size()) return Fail();
      if (const auto it = m_.diagData.find(d(0)); it != m_.diagData.end()) return Ok(it->second);
      Bytes out;
      PutBe32(out, m_.diagValues[d(0)]);
      return Ok(out);
    }
    case CMD_DEBUG_VARS: {
      if (n() < 3) return Fail();
      auto& block = m_.debugBlocks[d(0)];
      if (block.empty()) block.assign(16, 0);
      if (d(1) == 1) return Ok(block);
      if (d(1) == 2) {
        const std::size_t count = std::min(block.size(), n() - 3);
        std::copy_n(d().begin() + 3, count, block.begin());
        return Ok();
      }
      return Fail();
    }
    case CMD_DEBUG_ACTION:
      if (n() < 1) return Fail();
      if (d(0) == 0x28) return Ok(Text(m_.debugActionText));
      return Ok();
    default: {
      // A code the device does not know: the error mark in byte 3.
      Answer a = Fail();
      a.reply.byte3 = REPLY_ERROR_MARK;
      return a;
    }
  }
}

}  // namespace

Answer HandleRequest(DeviceModel& model, const Request& request, int address) {
  return Handler(model, request, address).Run();
}

}  // namespace devsim
