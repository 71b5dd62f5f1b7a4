// The on-chip-debug target's monitor: short text commands on the open
// RS-232 line, each answered with a prompt that holds '-'. Where the monitor
// does not show its prompt the dialogue ends with a message; the library has
// no window, so the message goes to its output channel and log file.
#include "flashcore/core/command_manager.h"
#include "flashcore/core/library_context.h"
#include "flashcore/core/output_channel.h"
#include "flashcore/core/transport.h"
#include "platform/win/ticks.h"

namespace {

constexpr char kPrompt = '-';
constexpr int kReplySize = 8;
constexpr const char* kInitCaption = "OCD Init Message";
constexpr const char* kStartCaption = "CcommandManager::startOcd Message";

// The monitor's command that connects the target, empty for a target it
// does not know.
std::string connectionCommand(const std::string& targetName) {
  if (targetName == "r51" || targetName == "R51") return "C R\n";
  if (targetName == "c51" || targetName == "C51") return "C C\n";
  if (targetName == "m51" || targetName == "M51") return "C M\n";
  return {};
}

bool isM51(const std::string& targetName) { return targetName == "m51" || targetName == "M51"; }

void showMessage(const char* caption, const std::string& text) {
  outputChannel().write(std::string("\n") + caption + ": " + text + "\n");
}

// The line of the dialogues; null (after a message) when no RS-232 library
// is bound to talk to the monitor.
Ctransport* serialLine(const char* caption) {
  Ctransport* line = libraryContext().transport();
  if (line == nullptr || line->medium() != MEDIUM_RS232 || line->functions().WriteRS232 == nullptr ||
      line->functions().ReadRS232 == nullptr) {
    showMessage(caption, "The on-chip-debug monitor needs an open RS-232 port.");
    return nullptr;
  }
  return line;
}

// Writes the command (none when empty) and reads the reply into a cleared
// buffer, up to the prompt or the time-out. True when the reply holds the
// prompt. A failed write is not looked at: the missing prompt tells.
bool promptAfter(Ctransport& line, const std::string& command, std::uint16_t timeoutMs) {
  char reply[kReplySize] = {};
  if (!command.empty()) line.write(command);
  line.readRs232(reply, kReplySize - 1, kPrompt, timeoutMs);
  return std::string(reply).find(kPrompt) != std::string::npos;
}

void readAndForget(Ctransport& line, std::uint16_t timeoutMs) {
  char reply[kReplySize] = {};
  line.readRs232(reply, kReplySize - 1, kPrompt, timeoutMs);
}

// Runs a dialogue; a failure of the line inside it ends the dialogue
// without changing the last status.
template <class Dialogue>
void runDialogue(CcommandManager& manager, Dialogue&& dialogue) {
  const int status = manager.lastStatus();
  try {
    dialogue();
  } catch (STATUS) {
    manager.setStatus(status);
  }
}

}  // namespace

void CcommandManager::initOcd(const std::string& targetName) {
  runDialogue(*this, [&] {
    Ctransport* line = serialLine(kInitCaption);
    if (line == nullptr) return;
    if (!promptAfter(*line, "debug\n", 1000))
      return showMessage(kInitCaption, "Debug command sent. Did not get the OCD prompt.");
    if (!promptAfter(*line, connectionCommand(targetName), 2000))
      return showMessage(kInitCaption, "Connection command sent. Did not get the OCD prompt.");
    if (!promptAfter(*line, "Q\n", 1000))
      return showMessage(kInitCaption, "Quit command sent. Did not get the OCD prompt.");
    line->write("~");
    readAndForget(*line, 500);
  });
}

void CcommandManager::startOcdProgrammer(const std::string& targetName) {
  runDialogue(*this, [&] {
    Ctransport* line = serialLine(kStartCaption);
    if (line == nullptr) return;
    platform::win::Sleep(500);
    line->write("~");
    platform::win::Sleep(500);
    readAndForget(*line, 500);
    if (!promptAfter(*line, "debug\n", 1000))
      return showMessage(kStartCaption, "Debug command sent. Did not get the OCD prompt.");
    if (!promptAfter(*line, connectionCommand(targetName), 2000))
      return showMessage(kInitCaption, "Connection command sent. Did not get the OCD prompt.");
    if (isM51(targetName) && !promptAfter(*line, "X 00\n", 2000))
      return showMessage(kStartCaption, "X 00 command sent. Did not get the OCD prompt.");
    line->write("G\n");
    platform::win::Sleep(2000);
    line->write("~");
  });
}

bool CcommandManager::exitOcdProgrammer() {
  bool answered = false;
  runDialogue(*this, [&] {
    Ctransport* line = serialLine(kInitCaption);
    if (line == nullptr) return;
    line->write("~");
    platform::win::Sleep(500);
    char reply[kReplySize] = {};
    answered = line->readRs232(reply, kReplySize - 1, kPrompt, 500);
  });
  return answered;
}
