#include "flashcore/core/transport.h"

#include "flashcore/core/hex_text.h"
#include "flashcore/core/library_context.h"
#include "flashcore/core/output_channel.h"

namespace {

// Numbers the trace lines of sent and received frames alike, from the
// library's load on.
std::uint32_t traceCounter = 1;

bool debugMode() {
  const CcommandManager* manager = libraryContext().commandManager();
  return manager != nullptr && manager->debugMode();
}

template <class Function>
void lookUp(platform::win::HMODULE module, const char* name, Function& entry) {
  entry = reinterpret_cast<Function>(platform::win::GetProcAddress(module, name));
}

// The entry, or STATUS 9 when the library has no such function.
template <class Function>
Function require(Function entry) {
  if (entry == nullptr) {
    if (CcommandManager* manager = libraryContext().commandManager()) manager->fail(STATUS_CANNOT_EXECUTE_COMMAND);
    throw STATUS_CANNOT_EXECUTE_COMMAND;
  }
  return entry;
}

}  // namespace

void Ctransport::bind(platform::win::HMODULE module, TransportMedium medium) {
  switch (medium) {
    case MEDIUM_RS232:
      lookUp(module, "OpenRS232", functions_.OpenRS232);
      lookUp(module, "WriteRS232", functions_.WriteRS232);
      lookUp(module, "ReadRS232", functions_.ReadRS232);
      break;
    case MEDIUM_USB:
      lookUp(module, "OpenUSB", functions_.OpenUSB);
      lookUp(module, "WriteUSB", functions_.WriteUSB);
      lookUp(module, "ReadUSB", functions_.ReadUSB);
      break;
    case MEDIUM_CAN:
      lookUp(module, "OpenCAN", functions_.OpenCAN);
      lookUp(module, "WriteCAN", functions_.WriteCAN);
      lookUp(module, "ReadCAN", functions_.ReadCAN);
      break;
    default:
      if (CcommandManager* manager = libraryContext().commandManager())
        manager->fail(STATUS_HARDWARE_DOES_NOT_EXIST);
      throw STATUS_HARDWARE_DOES_NOT_EXIST;
  }
  lookUp(module, "Close", functions_.Close);
  lookUp(module, "UpdateRxFilter", functions_.UpdateRxFilter);
  lookUp(module, "ClearDtr", functions_.ClearDtr);
  lookUp(module, "SetDtr", functions_.SetDtr);
  lookUp(module, "ClearRts", functions_.ClearRts);
  lookUp(module, "SetRts", functions_.SetRts);
  lookUp(module, "UpdateBaudrate", functions_.UpdateBaudrate);
  medium_ = medium;
}

void Ctransport::clear() {
  functions_ = TransportFunctions{};
  medium_ = MEDIUM_NONE;
}

void Ctransport::traceLine(const std::string& text) {
  if (debugMode()) outputChannel().write(text);
}

bool Ctransport::write(const std::string& frame) {
  if (debugMode()) traceLine(toDecimalString(traceCounter++) + " >> " + frame + "\n");
  switch (medium_) {
    case MEDIUM_RS232: return require(functions_.WriteRS232)(frame) == 1;
    case MEDIUM_CAN: return require(functions_.WriteCAN)(frame.c_str()) == 1;
    case MEDIUM_USB: return false;  // USB takes requests, not frames
    default: return require(functions_.WriteRS232)(frame) == 1;  // nothing bound
  }
}

bool Ctransport::readRs232(char* buffer, int maxLength, char terminator, std::uint16_t timeoutMs) {
  const int answer =
      require(functions_.ReadRS232)(buffer, static_cast<unsigned int>(maxLength), terminator, timeoutMs);
  if (answer != 1) return false;
  if (debugMode()) traceLine(toDecimalString(traceCounter++) + " << " + buffer + "\n");
  return true;
}

bool Ctransport::readCan(CanMessage* message, int timeoutMs) {
  if (require(functions_.ReadCAN)(message, timeoutMs) != 1) {
    if (CcommandManager* manager = libraryContext().commandManager()) manager->fail(STATUS_TIMEOUT_ERROR);
    throw STATUS_TIMEOUT_ERROR;
  }
  if (debugMode()) {
    std::string line = toDecimalString(traceCounter++) + " << " + toHexString(message->id, 3) + " " +
                       toHexString(message->length, 2) + " ";
    for (std::uint8_t i = 0; i < message->length && i < 8; ++i) line += toHexString(message->data[i], 2);
    traceLine(line + "\n");
  }
  return true;
}

bool Ctransport::writeUsb(std::string& setupText, std::string dataText, int timeoutMs) {
  if (debugMode()) traceLine(toDecimalString(traceCounter++) + " >> " + setupText + " " + dataText + "\n");
  return require(functions_.WriteUSB)(&setupText, std::move(dataText), timeoutMs) == 1;
}

int Ctransport::readUsb(unsigned char* buffer, int length, std::string& setupText, int timeoutMs) {
  const int answer = require(functions_.ReadUSB)(buffer, length, &setupText, timeoutMs);
  if (debugMode()) {
    std::string line = toDecimalString(traceCounter++) + " << " + setupText + " ";
    for (int i = 0; i < answer && i < length; ++i) line += toHexString(buffer[i], 2);
    traceLine(line + "\n");
  }
  return answer;
}

bool Ctransport::openRs232(const std::string& portName, int baud, std::uint8_t parity, std::uint8_t byteSize,
                           std::uint8_t stopBits) {
  return require(functions_.OpenRS232)(portName.c_str(), baud, parity, byteSize, stopBits) == 1;
}

bool Ctransport::openCan(int canBitrate, std::uint8_t optionA, int optionB, std::uint16_t portNumber, int baud) {
  return require(functions_.OpenCAN)(canBitrate, optionA, optionB, portNumber, baud) == 1;
}

bool Ctransport::openUsb(int productId) { return require(functions_.OpenUSB)(productId) == 1; }

bool Ctransport::updateRxFilter(std::uint8_t cris) { return require(functions_.UpdateRxFilter)(cris) == 1; }

bool Ctransport::clearDtr() { return require(functions_.ClearDtr)() == 1; }
bool Ctransport::setDtr() { return require(functions_.SetDtr)() == 1; }
bool Ctransport::clearRts() { return require(functions_.ClearRts)() == 1; }
bool Ctransport::setRts() { return require(functions_.SetRts)() == 1; }

bool Ctransport::close() {
  require(functions_.Close)();
  return true;
}

int Ctransport::updateBaudrate(int baud) { return require(functions_.UpdateBaudrate)(baud); }
