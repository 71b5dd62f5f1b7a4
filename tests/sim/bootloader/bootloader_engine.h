#pragma once
// A serial boot loader of the Intel-HEX-style record protocol, as a state
// machine: bytes received in, bytes to send out. It knows nothing of the
// line; BootloaderSim puts it on a pseudo-terminal.
//
// What it answers:
// - "U" (sync): "U" once `syncAfter` sync characters have come; records sent
//   before that are consumed and ignored (when `requireSync`).
// - every record ":LLAAAATT...CC" is echoed (whole, or character by character
//   as it arrives), then answered: "." CR LF when done; "X" CR LF for a wrong
//   checksum; "P" CR LF when protection refuses a write or erase; "L" CR LF
//   when it refuses a read; a value's two digits before the "."; display and
//   blank-check replies in their line layouts (loaders that select memories
//   answer a special-byte read with a display line too); a bare CR LF for a record it
//   does not know or will not take (too long, crossing a record boundary).
// - after a start record, nothing at all: the application runs.
//
// With `ocdMonitor` an on-chip-debug monitor sits in front of the boot
// loader, as on the on-chip-debug target: it has the line first, and "~"
// hands the line over between monitor and boot loader (the monitor shows
// its prompt "-" when it gets the line back). The monitor answers each of
// its commands ("debug", "C R", "C C", "C M", "Q", "X 00", each ending with
// LF) with its prompt; "G" runs the program, so the boot loader falls silent.
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "tests/sim/bootloader/families.h"

namespace sim {

enum class EchoMode { WholeRecord, PerCharacter };

// Faults for the next exchanges (a record or a sync character):
// Silence: no echo, no answer, nothing done. Garbage: every character sent
// for it but CR and LF is replaced by junk. ChecksumReply: "X" although the
// checksum was right, nothing done. CutReply: the reply stops after
// `cutAfter` characters (by default right after the echo).
enum class Fault { None, Silence, Garbage, ChecksumReply, CutReply };

struct BootloaderConfig {
  std::string family = "BASE";
  uint8_t version = 0x20;
  EchoMode echo = EchoMode::WholeRecord;
  bool requireSync = true;
  int syncAfter = 1;
  bool ocdMonitor = false;
};

struct LogEntry {
  std::string request;  // the record as received, or "U"
  std::string reply;    // what was sent for it, faults included
  std::string what;     // what the loader made of it
};

class BootloaderEngine {
 public:
  explicit BootloaderEngine(const BootloaderConfig& config);

  // Takes received bytes and returns the bytes to send.
  std::string feed(std::string_view received);

  // Back to the boot loader after a reset: not synchronised, not started,
  // security and memories kept.
  void reset();

  const Family& family() const { return family_; }
  void setEchoMode(EchoMode mode) { echo_ = mode; }
  void setSyncAfter(int count) { syncAfter_ = count; }
  void setRequireSync(bool required) { requireSync_ = required; }
  // Refuse every write and erase with "P" / every read with "L".
  void setProtection(bool writes, bool reads);
  void injectFault(Fault fault, int count = 1, int cutAfter = -1);
  // A monitor that hears its commands but never shows its prompt.
  void setMonitorPrompt(bool shown) { monitorPrompt_ = shown; }
  bool inMonitor() const { return inMonitor_; }

  uint8_t special(Special id) const;
  void setSpecial(Special id, uint8_t value);
  int securityLevel() const { return securityLevel_; }
  // Memory `index` (its size as declared); out-of-range reads give 0xFF.
  const std::vector<uint8_t>& memory(int index) const;
  void writeMemory(int index, uint32_t address, const std::vector<uint8_t>& bytes);
  int selectedMemory() const { return selectedMemory_; }
  int selectedPage() const { return selectedPage_; }
  bool synchronised() const { return synced_; }
  bool started() const { return started_; }
  const std::vector<LogEntry>& log() const { return log_; }

 private:
  struct PendingFault {
    Fault fault;
    int cutAfter;
  };
  struct Answer {
    std::string text;  // what follows the echo
    std::string what;
  };

  void beginExchange(std::string request);
  void emit(std::string_view text, std::string& out, bool answer);
  void finishExchange(const std::string& what);
  void onSync(std::string& out);
  void onRecordChar(char c, std::string& out);
  void switchMonitor(std::string& out);
  void onMonitorChar(char c, std::string& out);
  Answer process(const std::string& record);
  Answer command(const std::vector<uint8_t>& data);
  Answer program(int memory, uint32_t address, const std::vector<uint8_t>& data);
  Answer displayOrBlankCheck(const std::vector<uint8_t>& data);
  Answer selection(uint8_t type, const std::vector<uint8_t>& data);
  Answer eraseBlock(int memory, int block);
  int memoryOfProgramType(uint8_t type) const;
  uint8_t byteAt(int memory, uint32_t address) const;
  bool writesRefused() const { return protectWrites_ || securityLevel_ >= 1; }
  bool readsRefused() const { return protectReads_ || securityLevel_ >= 2; }

  Family family_;
  EchoMode echo_;
  bool requireSync_;
  int syncAfter_;
  int syncCount_ = 0;
  bool synced_ = false;
  bool started_ = false;
  bool protectWrites_ = false;
  bool protectReads_ = false;
  int securityLevel_ = 0;
  int selectedMemory_ = 0;
  int selectedPage_ = 0;
  std::vector<std::vector<uint8_t>> memories_;
  std::vector<uint8_t> specials_;
  std::deque<PendingFault> faults_;
  bool monitor_ = false;
  bool inMonitor_ = false;
  bool monitorPrompt_ = true;
  std::string monitorLine_;

  // The exchange in progress.
  bool inRecord_ = false;
  std::string record_;
  PendingFault fault_{Fault::None, -1};
  std::string sent_;

  std::vector<LogEntry> log_;
};

// Two upper-case hex digits per byte.
std::string HexText(const std::vector<uint8_t>& bytes);
// The record checksum of the hex pairs (two's complement of their sum).
uint8_t RecordChecksum(std::string_view hexPairs);
// ":" + body + checksum: the complete record for a body such as "0100000307".
std::string MakeRecord(std::string_view body);

}  // namespace sim
