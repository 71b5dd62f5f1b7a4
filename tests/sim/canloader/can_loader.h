#pragma once
// A CAN boot loader as a state machine: a frame from the bus in, the frames
// it answers out. It knows nothing of adapters or lines; SlcanAdapter puts
// it behind a serial CAN adapter.
//
// It listens on the identifiers CRIS * 16 + 0 .. 6 of its CRIS and ignores
// every other frame. A select-node request (identifier 0, one data byte)
// naming its node number opens the node, a second one closes it; the answer
// carries the version and the node's state (01 open, 00 closed). While the
// node is closed, or after a start request, it answers nothing else.
//
// Standard dialect (MCU06, MCU07, MCU25, MCU26), data bytes after the length:
//   1: 00|01 from to        programming start in FLASH|EEPROM -> 00
//   2: up to 8 bytes        data -> 02 while the range wants more, 00 at its end
//   3: 00|02 from to        display of FLASH|EEPROM -> replies of up to 8 bytes
//   3: 01 from to           blank check of FLASH -> no data, or the first
//                           written address (two bytes)
//   4: 00 FF / 00 bb        full erase / erase of the block starting at bb00 -> 00
//   4: 01 bb vv / 02 00 vv  write a configuration byte / the hardware byte -> 00
//   4: 03 00 / 03 01 aaaa   start the application (reset / at aaaa): no answer
//   5: 00 bb / 01 bb / 02 00  read a special byte -> its value
// MCU27 dialect: 6: 03 mm pp selects memory and 64 KB page -> 00 on
// identifier 6 (01 for a memory it lacks); 1: 00 from to programming start
// and 80 FF FF / 80 00 0b erasing; 3: 00 from to display, 80 from to blank
// check, all in the selected memory and page. Its special bytes live in
// memories 3 to 6.
//
// A refused request (protection, a range outside the memory, an unknown
// command) is answered with one frame on identifier 6.
#include <array>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace sim {

struct CanFrame {
  uint32_t id = 0;
  std::vector<uint8_t> data;
};

// The frame as the programming library's CAN transport takes it: three hex
// digits of identifier, two of length, two per data byte.
std::string FrameText(const CanFrame& frame);

enum class CanDialect { Standard, Mcu27 };

struct CanLoaderConfig {
  std::string family = "MCU26";  // MCU06, MCU07, MCU25, MCU26 or MCU27
  uint8_t node = 0x05;
  uint8_t cris = 0x00;
  uint8_t version = 0x23;
};

// Faults for the next requests the loader takes (frames it ignores do not
// count). Silence: nothing done, nothing answered. WrongId: answered on the
// neighbouring identifier. Refuse: a refusal on identifier 6, nothing done.
// BadAck: a data frame's answer 00 where 02 is due and back, any other
// answer FF. EmptyReply: answers without data. ExtraByte: every answer one
// data byte (00) longer. LongReply: a display one byte longer than asked for.
enum class CanFault { None, Silence, WrongId, Refuse, BadAck, EmptyReply, ExtraByte, LongReply };

enum class CanSpecial {
  Version, BootId1, BootId2, Sbv, Ssb, Bsb, Eb, ManufId, FamilyId, NameId, RevId,
  Btc1, Btc2, Btc3, Nnb, Cris, P1, P3, P4, Hwb,
};

struct BusEntry {
  std::string request;               // frame text of what came from the bus
  std::vector<std::string> replies;  // frame texts of the answers
  std::string what;                  // what the loader made of it
};

class CanLoader {
 public:
  explicit CanLoader(const CanLoaderConfig& config);

  std::vector<CanFrame> receive(const CanFrame& frame);

  // Back to the boot loader after a reset: node closed, not started, node
  // number and CRIS taken anew from their special bytes.
  void reset();
  void injectFault(CanFault fault, int count = 1);

  CanDialect dialect() const { return dialect_; }
  uint8_t special(CanSpecial id) const;
  void setSpecial(CanSpecial id, uint8_t value);
  const std::vector<uint8_t>& memory(int index) const;
  void writeMemory(int index, uint32_t address, const std::vector<uint8_t>& bytes);
  bool nodeOpen() const { return open_; }
  bool started() const { return started_; }
  int securityLevel() const;
  int selectedMemory() const { return selectedMemory_; }
  int selectedPage() const { return selectedPage_; }
  const std::vector<BusEntry>& log() const { return log_; }

 private:
  struct Answer {
    std::vector<CanFrame> frames;
    std::string what;
  };
  // The range a programming start opened.
  struct Window {
    int memory = 0;
    uint32_t next = 0;
    uint32_t end = 0;
  };

  Answer handle(unsigned k, const std::vector<uint8_t>& data);
  Answer selectNode(const std::vector<uint8_t>& data);
  Answer standard(unsigned k, const std::vector<uint8_t>& data);
  Answer mcu27(unsigned k, const std::vector<uint8_t>& data);
  Answer programStart(int memory, uint32_t from, uint32_t to);
  Answer dataFrame(const std::vector<uint8_t>& data);
  Answer display(int memory, uint32_t from, uint32_t to);
  Answer blankCheck(int memory, uint32_t from, uint32_t to);
  Answer erase(int memory, uint32_t from, uint32_t to, const std::string& what);
  Answer readSpecial(const std::vector<uint8_t>& data);
  Answer writeSpecial(const std::vector<uint8_t>& data);
  Answer reply(unsigned k, std::vector<uint8_t> data, std::string what) const;
  Answer refuse(std::string what) const;
  void applyFault(CanFault fault, unsigned k, Answer& answer);
  uint32_t id(unsigned k) const { return cris_ * 16u + k; }
  // Where a special byte lives in the MCU27 dialect; memory -1: in no memory.
  std::pair<int, uint32_t> placeOf(CanSpecial id) const;

  CanDialect dialect_;
  std::vector<std::vector<uint8_t>> memories_;
  std::array<uint8_t, 20> specials_{};  // by CanSpecial, where they live in no memory
  uint8_t node_ = 0;
  uint8_t cris_ = 0;
  bool open_ = false;
  bool started_ = false;
  int selectedMemory_ = 0;
  int selectedPage_ = 0;
  Window window_;
  bool windowOpen_ = false;
  bool longReply_ = false;
  std::deque<CanFault> faults_;
  std::vector<BusEntry> log_;
};

}  // namespace sim
