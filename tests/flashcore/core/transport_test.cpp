// The transport library as the programming library binds and calls it:
// hardware selection by code and by name, the port and line functions, the
// arguments a read is given, the answers it judges, and the trace of every
// frame. The line recorder, loaded in the place of the second RS-232
// library "comlinkx", shows what a pseudo-terminal cannot (modem lines,
// time-out widths, replies no boot loader would give); comlink on the
// boot-loader simulator shows the rest.
#include "platform/win/system_info.h"
#include "tests/flashcore/core/temp_dir.h"
#include "tests/flashcore/fixtures/line_recorder.h"
#include "tests/flashcore/fixtures/recorder_folder.h"
#define FLASHCORE_LIBRARY RecorderFolder::instance().flashcore()
#include "tests/flashcore/protocols/rs232_session.h"

namespace {

// The recorder, loaded by the test from where the library loads it, so both
// reach the same instance.
class Recorder {
 public:
  Recorder() : library_(platform::win::LoadLibraryA(RecorderFolder::instance().recorder().c_str())) {
    if (!library_) throw std::runtime_error("line recorder: " + platform::win::LastLibraryError());
    reinterpret_cast<RecorderResetFunction>(library_.symbol("RecorderReset"))();
  }
  std::vector<std::string> calls() const {
    return *reinterpret_cast<RecorderCallsFunction>(library_.symbol("RecorderCalls"))();
  }
  void setAnswer(const char* function, int answer) const {
    reinterpret_cast<RecorderSetAnswerFunction>(library_.symbol("RecorderSetAnswer"))(function, answer);
  }
  void queueReply(const std::string& text) const {
    reinterpret_cast<RecorderQueueReplyFunction>(library_.symbol("RecorderQueueReply"))(text.c_str());
  }
  void clearCalls() const { reinterpret_cast<RecorderResetFunction>(library_.symbol("RecorderReset"))(); }

 private:
  platform::win::Library library_;
};

class Transport : public Rs232Session {
 protected:
  // MCU02 on the stand-in, port open.
  void connectRecorder(int deviceCode = 3) {
    ASSERT_TRUE(ISP(ispSelectDevice)(deviceCode));
    ISP(ispSelectCommLib)("Comlinkx");
    ASSERT_TRUE(ISP(ispSelectCommHardware)(1)) << lastError();
    ASSERT_TRUE(ISP(ispOpenRs232Port)("COM1", 115200)) << lastError();
  }

  Recorder recorder_;
  TempDir dir_;
};

TEST_F(Transport, SecondSerialLibraryIsChosenByItsExactName) {
  connectRecorder();
  EXPECT_EQ(recorder_.calls(), (std::vector<std::string>{"OpenRS232 COM1 115200 0 8 2"}));

  recorder_.clearCalls();
  ASSERT_TRUE(ISP(ispSelectDevice)(3));
  ISP(ispSelectCommLib)("comlinkx");
  ASSERT_TRUE(ISP(ispSelectCommHardware)(1)) << lastError();
  EXPECT_FALSE(ISP(ispOpenRs232Port)("COM99", 115200)) << "comlink, which has no such port";
  EXPECT_EQ(lastError(), STATUS_CANNOT_OPEN_PORT);
  // Selection by name always takes comlink.
  ISP(ispSelectCommLib)("Comlinkx");
  ASSERT_TRUE(ISP(ispSelectCommHardware2)("RS232")) << lastError();
  EXPECT_FALSE(ISP(ispOpenRs232Port)("COM99", 115200));
  EXPECT_EQ(recorder_.calls(), (std::vector<std::string>{"Close"}));
}

TEST_F(Transport, HardwareSelectionFailures) {
  ASSERT_TRUE(ISP(ispSelectDevice)(3));
  struct Case {
    const char* name;
    std::function<bool()> select;
    int status;
  } cases[] = {
      {"code 0", [] { return ISP(ispSelectCommHardware)(0); }, STATUS_HARDWARE_DOES_NOT_EXIST},
      {"code 12", [] { return ISP(ispSelectCommHardware)(12); }, STATUS_HARDWARE_DOES_NOT_EXIST},
      {"CAN on a part without a CAN boot loader", [] { return ISP(ispSelectCommHardware)(7); },
       STATUS_INVALID_DEVICE_HARDWARE_ASSOCIATION},
      {"name in lower case", [] { return ISP(ispSelectCommHardware2)("rs232"); }, STATUS_HARDWARE_DOES_NOT_EXIST},
  };
  for (const Case& c : cases) {
    EXPECT_FALSE(c.select()) << c.name;
    EXPECT_EQ(lastError(), c.status) << c.name;
  }

  // A part without an RS-232 boot loader: the library stays loaded, no protocol.
  ASSERT_TRUE(ISP(ispSelectDevice)(1));
  EXPECT_FALSE(ISP(ispSelectCommHardware)(1));
  EXPECT_EQ(lastError(), STATUS_INVALID_DEVICE_HARDWARE_ASSOCIATION);
  EXPECT_FALSE(ISP(ispSyncTarget)());
  EXPECT_EQ(lastError(), STATUS_CANNOT_EXECUTE_COMMAND);
  EXPECT_EQ(ISP(ispCancel)(), 1);

  // Selection by name makes no protocol.
  ASSERT_TRUE(ISP(ispSelectDevice)(3));
  ASSERT_TRUE(ISP(ispSelectCommHardware2)("RS232")) << lastError();
  EXPECT_FALSE(ISP(ispSyncTarget)());
  EXPECT_EQ(lastError(), STATUS_CANNOT_EXECUTE_COMMAND);
}

TEST_F(Transport, AutoIspPulsesDtrWhileRtsIsHeld) {
  connectRecorder();
  recorder_.clearCalls();
  EXPECT_TRUE(ISP(ispSetAutoIsp)(1, 0));
  EXPECT_EQ(recorder_.calls(), (std::vector<std::string>{"ClearRts", "SetDtr", "ClearDtr", "SetRts"}));
  recorder_.clearCalls();
  EXPECT_TRUE(ISP(ispSetAutoIsp)(0, 1));
  EXPECT_EQ(recorder_.calls(), (std::vector<std::string>{"SetRts", "ClearDtr", "SetDtr", "ClearRts"}));
}

TEST_F(Transport, LineFunctionsReportWhatTheLibraryAnswers) {
  connectRecorder();
  EXPECT_TRUE(ISP(ispSetDtrHigh)());
  EXPECT_TRUE(ISP(ispSetRtsLow)());
  recorder_.setAnswer("SetDtr", 0);
  EXPECT_FALSE(ISP(ispSetDtrHigh)());
  EXPECT_EQ(lastError(), STATUS_CANNOT_EXECUTE_COMMAND);
  // Auto-ISP goes on past a failing line and reports success; the status tells.
  ISP(ispReadSpecialByte)(20);
  EXPECT_TRUE(ISP(ispSetAutoIsp)(1, 1));
  EXPECT_EQ(lastError(), STATUS_CANNOT_EXECUTE_COMMAND);

  EXPECT_TRUE(ISP(ispUpdateRs232Baudrate)(57600));
  recorder_.setAnswer("UpdateBaudrate", 0);
  EXPECT_FALSE(ISP(ispUpdateRs232Baudrate)(57600));
  recorder_.setAnswer("OpenRS232", 0);
  EXPECT_FALSE(ISP(ispOpenRs232Port)("COM2", 9600));
  EXPECT_EQ(lastError(), STATUS_CANNOT_OPEN_PORT);
}

TEST_F(Transport, ReadsGetTheirLengthTerminatorAndTimeOut) {
  connectRecorder();
  recorder_.queueReply("U");
  ASSERT_TRUE(ISP(ispSyncTarget)()) << lastError();
  recorder_.queueReply(":020000050F00EA20.\r\n");
  ASSERT_TRUE(ISP(ispReadSpecialByte)(0)) << lastError();
  EXPECT_EQ(lastResult(), "20");
  // A custom time-out too long for the line's 16 bits is held at the longest.
  ASSERT_TRUE(ISP(ispSetTimeout)(70, 0));
  recorder_.queueReply(":0100000307F5.\r\n");
  ASSERT_TRUE(ISP(ispEraseDevice)()) << lastError();
  recorder_.queueReply(":020000050000F9X\r\n");
  EXPECT_FALSE(ISP(ispBlankCheckAddrRange)(0, 0xFF));
  EXPECT_EQ(lastError(), STATUS_CHECKSUM_ERROR);
  EXPECT_FALSE(ISP(ispReadAddrRange)(0, 0xFF, ""));
  EXPECT_EQ(lastError(), STATUS_TIMEOUT_ERROR);

  std::vector<std::string> reads;
  for (const std::string& call : recorder_.calls())
    if (call.rfind("ReadRS232", 0) == 0) reads.push_back(call);
  EXPECT_EQ(reads, (std::vector<std::string>{
                       "ReadRS232 7 85 1000",     // sync: up to "U"
                       "ReadRS232 4095 10 1000",  // command reply: up to LF, within its buffer
                       "ReadRS232 4095 10 65535",
                       "ReadRS232 63 10 5000",  // blank-check reply
                       "ReadRS232 647 0 5000",  // display reply: exactly its length
                   }));
}

TEST_F(Transport, RepliesNoBootLoaderShouldGive) {
  connectRecorder();
  struct Case {
    const char* name;
    const char* reply;
    std::function<bool()> operation;
    int status;
  } cases[] = {
      {"sync without U", "?", [] { return ISP(ispSyncTarget)(); }, STATUS_FRAMING_ERROR},
      {"sync reading error", "error", [] { return ISP(ispSyncTarget)(); }, STATUS_READING_ERROR},
      {"command reading error", "error", [] { return ISP(ispEraseDevice)(); }, STATUS_READING_ERROR},
      {"display reading error", "error", [] { return ISP(ispReadAddrRange)(0, 7, ""); }, STATUS_READING_ERROR},
      {"no full stop", ":0100000307F5\r\n", [] { return ISP(ispEraseDevice)(); }, STATUS_TIMEOUT_ERROR},
      {"value missing", ".\r\n", [] { return ISP(ispReadSpecialByte)(8); }, STATUS_WRONG_TARGET_REPLY},
      {"line without line feed", ":050000040000000700F0\r\n0000=0001020304050607",
       [] { return ISP(ispReadAddrRange)(0, 7, ""); }, STATUS_WRONG_TARGET_REPLY},
      {"line of another address", ":050000040000000700F0\r\n0100=0001020304050607\r\n",
       [] { return ISP(ispReadAddrRange)(0, 7, ""); }, STATUS_WRONG_TARGET_REPLY},
      {"bytes missing", ":050000040000000700F0\r\n0000=FFFFFFFFFFFFFF\r\n\r\n",
       [] { return ISP(ispVerifyAddrRange)(0, 7); }, STATUS_WRONG_TARGET_REPLY},
      {"blank check reading error", "error", [] { return ISP(ispBlankCheckAddrRange)(0, 7); },
       STATUS_TIMEOUT_ERROR},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    recorder_.queueReply(c.reply);
    EXPECT_FALSE(c.operation());
    EXPECT_EQ(lastError(), c.status);
  }
  // What a good display reply stores, as received.
  recorder_.queueReply(":050000040010001100D6\r\n0010=00ff\r\n");
  ASSERT_TRUE(ISP(ispReadAddrRange)(0x10, 0x11, "")) << lastError();
  EXPECT_EQ(bufferByte(0x10), "00");
  EXPECT_EQ(bufferByte(0x11), "ff");
}

TEST_F(Transport, MissingFunctionsAreNeverCalled) {
  connect(3, "MCU02");
  // comlink has no receive filter: the identifiers are built, the filter fails.
  EXPECT_FALSE(ISP(ispUpdateCmdsIds)(5));
  EXPECT_EQ(lastError(), STATUS_CANNOT_EXECUTE_COMMAND);
  EXPECT_TRUE(ISP(ispSelectCanNode)(1)) << "nothing to do on RS-232";
  EXPECT_TRUE(ISP(ispClosePort)());
}

TEST_F(Transport, DebugModeTracesEveryFrameInOrder) {
  connect(3, "MCU02");
  const std::string log = dir_.file("trace.log");
  ISP(ispOpenLogFile)(log.c_str());
  ISP(ispSetDebugMode)(nullptr);
  ASSERT_TRUE(ISP(ispSyncTarget)()) << lastError();
  ASSERT_TRUE(ISP(ispEraseSbvBsb)()) << lastError();
  ISP(ispCancelDebugMode)();

  const std::string text = TempDir::read(log);
  const size_t first = text.find(" >> U\n");
  ASSERT_NE(first, std::string::npos) << text;
  const size_t lineStart = text.rfind('\n', first) + 1;
  const unsigned n = static_cast<unsigned>(std::stoul(text.substr(lineStart, first - lineStart)));
  const std::string expected = std::to_string(n) + " >> U\n" + std::to_string(n + 1) + " << U\n" +
                               "\n***** ispEraseSbvBsb *****\n" + std::to_string(n + 2) + " >> :020000030400F7\n" +
                               std::to_string(n + 3) + " << :020000030400F7.\r\n\n";
  EXPECT_NE(text.find(expected), std::string::npos) << text;
}

TEST_F(Transport, UsbDriverIsCheckedBeforeAnythingIsOpened) {
  ASSERT_TRUE(ISP(ispSelectDevice)(2));  // MCU21, product id 0xA7C6
  ASSERT_TRUE(ISP(ispSelectCommHardware)(2)) << lastError();
  platform::win::SetUsbDriverInstalled(false);
  EXPECT_FALSE(ISP(ispOpenUsbPort)());
  EXPECT_EQ(lastError(), STATUS_USB_DRIVER_NOT_INSTALLED);
  ISP(ispCheckUsbDriver)(0);
  EXPECT_FALSE(ISP(ispOpenUsbPort)());
  EXPECT_EQ(lastError(), STATUS_CANNOT_OPEN_PORT) << "no device is attached";
  platform::win::SetUsbDriverInstalled(true);

  // Selection by name makes no protocol to finish the opening.
  ASSERT_TRUE(ISP(ispSelectCommHardware2)("USB_PORT")) << lastError();
  EXPECT_FALSE(ISP(ispOpenUsbPort)());
  EXPECT_EQ(lastError(), STATUS_CANNOT_EXECUTE_COMMAND);
  ISP(ispCheckUsbDriver)(1);
}

TEST_F(Transport, DemoModeLoadsTheLibraryButMakesNoProtocol) {
  ISP(ispSetDemoMode)();
  ASSERT_TRUE(ISP(ispSelectDevice)(3));
  ISP(ispSelectCommLib)("Comlinkx");
  ASSERT_TRUE(ISP(ispSelectCommHardware)(1)) << lastError();
  EXPECT_TRUE(ISP(ispOpenRs232Port)("COM1", 115200));
  EXPECT_TRUE(ISP(ispSyncTarget)());
  EXPECT_TRUE(ISP(ispProgramAddrRange)(0, 0xFF, 0));
  EXPECT_TRUE(recorder_.calls().empty());
  ISP(ispCancelDemoMode)();
  EXPECT_FALSE(ISP(ispSyncTarget)());
  EXPECT_EQ(lastError(), STATUS_CANNOT_EXECUTE_COMMAND);
}

}  // namespace
