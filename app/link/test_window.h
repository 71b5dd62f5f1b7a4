#pragma once
#include <array>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>
#include <string>

#include "app/link/link_protocol.h"
#include "app/link/program_options.h"
#include "app/link/request_queue.h"
#include "app/link/telegram.h"
#include "app/setup/setup_image.h"
#include "platform/forms/forms.h"

class TComPort;

// The test window, which also owns the device link: the serial port, the
// request queues and the transaction engine that every window's device
// traffic goes through.
class TForm1 : public TForm {
 public:
  TForm1();
  ~TForm1() override;

  // ---- Controls that the link writes (the rest of the window comes with its layout).
  TMainMenu* MainMenu1;
  TMenuItem* Optionen1;
  TMenuItem* RS232Fenster1;  // traffic monitor on: traces go to TForm5 and the trace file
  TMenuItem* RS232Daten1;    // received frames as hex text in Edit1
  TStatusBar* StatusBar1;
  TLabel* Label8;
  TLabel* Label9;   // error bytes
  TLabel* Label13;  // error label
  TLabel* Label19;  // port state
  TLabel* Label35;  // status byte
  TLabel* Label_PC_Time;
  TEdit* Edit1;          // last received telegram as text
  TCheckBox* CheckBox2;  // loop switch "Schleife [ms]" of the weights page

  TTimer* Timer1;  // queue tick
  TTimer* Timer2;  // soft timer 2
  TTimer* Timer4;  // end of the COM-ERR display
  TTimer* Timer6;  // forgets a single failure

  TComPort* ComPort1;
  ProgramOptions Options;
  SetupImageBytes SetupImage{};

  // ---- Request queues and link state.
  RequestQueueSet Requests;
  std::array<DeviceQueue, DEVICE_ADDRESS_COUNT>& RequestQueues = Requests.Queues;
  int& PendingCount = Requests.PendingCount;
  int DeviceAddress = 1;
  int PortUsable = 0;
  int KeepPortOpen = 0;
  int CommErrorCount = 0;
  int TransferFailed = 0;
  int DeviceErrorFlag = 0;
  int TransactionAborted = 0;
  int LoopReadActive = 0;
  std::array<int, DEVICE_ADDRESS_COUNT> NotConnectedReported{};
  int DeviceSearchOffered = 0;
  int SoftTimer2Running = 0;
  int ExpertView = 0;

  // ---- Receive state, reply and stream values.
  std::array<uint8_t, RX_BUFFER_SIZE> RxBuffer{};  // the raw frame, STX first
  int RxCount = 0;
  int RxStxSeen = 0;
  int RxFrameComplete = 0;
  int ReplyReceived = 0;
  int TxEmptyFlag = 0;
  int ReceiveDisabled = 0;
  std::array<uint8_t, RX_BUFFER_SIZE> ReplyBuffer{};  // the last reply without STX/ETX
  uint8_t DeviceStatus = 0;
  int DefaultSetupWarned = 0;
  int StreamIndex = 0;
  std::array<int32_t, STREAM_RING_SIZE> StreamRing{};

  // ---- Trace file "rs232_log.txt".
  struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };
  int Rs232LoggingOn = 0;
  std::unique_ptr<std::FILE, FileCloser> Rs232LogFile;

  // ---- Block transfers.
  uint16_t BlockLength = 0;
  std::array<uint8_t, BLOCK_DATA_SIZE> BlockData{};
  int BlockReadOk = 0;
  int BlockWriteOk = 0;
  std::array<uint8_t, READ_BUFFER_SIZE> ReadBuffer{};

  // ---- Fields filled by the answer handling.
  int AdcChannelAnswer = 0;
  int32_t AdcRawValue = 0;
  int AdcRawReady = 0;
  int32_t AdcScaledValue = 0;  // the data bytes as they came
  int32_t AdcScaledSwapped = 0;
  int AdcScaledReady = 0;
  int32_t AdcMinMaxValue = 0;
  std::string AdcMinMaxText;
  int AdcMinMaxReady = 0;
  std::string AdcMillivoltText;
  int AdcMillivoltReady = 0;
  int AdcConversionMode = 0;
  int AdcFunctionState = 0;
  int LogMaxPointer = 0;
  int32_t LogEntryValue = 0;
  std::array<uint8_t, 10> LogHeader{};
  uint32_t LogRingCounter = 0;
  std::array<uint8_t, 10> DeviceClock{};
  std::string WeightText;
  int WeightTextReady = 0;
  std::string WeightTextS;  // the sum/difference text (third character 'S')
  int WeightTextSReady = 0;
  std::array<uint8_t, 10> ExbValues{};
  std::string LoadCounterText;
  std::string BeltScaleText;
  std::string InfoText;
  std::string SerialNumberText;
  std::string ProductionDateText;
  int DeviceVariant = 0;
  std::string FirmwareIdText;
  std::string FirmwareVersionText;
  std::string FirmwareDateText;
  std::string HardwareVersionText;
  std::array<uint8_t, 5> ExbVersion{};
  uint8_t SetupBackupPresent = 0;
  int FirmwareType = 0;
  int FirmwareTypeMismatch = 0;
  std::array<uint8_t, 2> ErrorCodes{};
  uint8_t ErrorItemValue = 0;

  // ---- Firmware flags of the service window's firmware check (0 until the first identification).
  int ShortSdcontList = 0;
  int NoFiveDecimals = 0;

  // ---- Requests and waits.
  // Queues a request; false when it was refused (port not usable, COM-ERR,
  // queue full, bad address or length, value stream running), which also
  // sets TransferFailed = 1 and DeviceErrorFlag = 0.
  bool QueueRequest(int address, uint8_t command, const uint8_t* data, int length, int reserved, int awaitAnswer);
  // Pumps messages until no request is pending. False when the queue did not
  // empty within the time its requests can take (the link is then reset and
  // TransferFailed set) or when called inside a running transaction.
  bool WaitUntilIdle();
  void Timer1Timer(TObject* Sender);
  int RunTransaction();
  void CompleteRequest(int address);
  void ResetLink();
  void SetSoftTimer(int id, int ms, int on);
  void Timer2Timer(TObject* Sender);
  void Timer4Timer(TObject* Sender);
  void Timer6Timer(TObject* Sender);

  // ---- Telegrams.
  int SendTelegram(int address);
  void ComPort1TxEmpty(TObject* Sender);
  void ComPort1RxChar(TObject* Sender, int Count);
  int CheckReply(int address);
  void TraceStreamFrame();

  // ---- Answers.
  int HandleAnswer(int address, uint8_t command, int phase, const uint8_t* data);
  void SetAnswerTimeout(int address);

  // ---- Device memory. True = failure.
  bool WriteDeviceMemory(std::span<const uint8_t> source, int base, int offset, int count);
  bool ReadDeviceMemory(int base, int offset, int count);
  // One read of up to 128 bytes; nonzero = failure (the range then holds 0xFF).
  int ReadDeviceBlock(int base, int offset, int count);

  // ---- Trace file.
  bool OpenTraceFile();
  void CloseTraceFile();

  // ---- Utilities.
  static uint32_t SwapInt32(uint32_t value);
  static uint16_t SwapInt16(uint16_t value);
  static float SwapFloat(uint32_t pattern);
  static int RoundToInt(float x);
  static uint32_t HexTextToValue(const std::string& text);
  static uint16_t TelegramChecksum(const uint8_t* bytes, int count);
  static std::string FormatNow(const char* format);
  // Program milliseconds since `startMs` (a value of NowMs()).
  static int ElapsedMs(int64_t startMs);
  static int64_t NowMs();
  // Pumps messages for ms program milliseconds on the monotonic clock.
  void WaitMs(int ms);

  void StatusBar1DrawPanel(TStatusBar* StatusBar, TStatusPanel* Panel, const TRect& Rect);

 private:
  int Lang() const { return Options.lang; }
  Framing CurrentFraming() const { return Framing{Options.stx_etx != 0, Options.csum != 0}; }
  // Handles waiting messages once, waiting at most maxWaitMs for one to come.
  void PumpOnce(int maxWaitMs);
  // Pumps messages until done() holds, soft timer 2 runs out, or the link is reset.
  void PumpWhileSoftTimer(bool (TForm1::*done)() const);
  bool ReplyArrived() const { return ReplyReceived != 0 || TransactionAborted != 0; }
  bool TxEmptyOrAborted() const { return TxEmptyFlag != 0; }
  RequestEntry* CurrentEntry(int address);
  void FailRequest(int address);
  void RaiseCommError(int address);
  bool ReportNotConnected(int address);
  void ListenForDevices();
  void ShowUntilOk(const std::string& text, int titleRow, unsigned icon);
  void SetPortState(bool open);
  void CloseWaitWindowOfLink();
  void TakeReply(const Bytes& frame);
  void TakeStreamFrame(const Bytes& frame);
  void TraceSent(std::span<const uint8_t> bytes);
  void TraceReceived(std::span<const uint8_t> hexBytes, std::span<const uint8_t> charBytes, bool reply);
  void WriteTraceLog(const char* format, const std::string& line);
  int AnswerCommand(int address, uint8_t command, const uint8_t* data);

  std::unique_ptr<TComPort> comPort_;
  FrameAssembler assembler_;
  // The transaction in progress: one at a time.
  bool transactionRunning_ = false;
  bool awaitingReply_ = false;
  PendingRef current_{};
  uint8_t lastReplyCommand_ = 0;
  bool activityToggle_ = false;
  bool waitWindowShownByLink_ = false;
  bool errorReadWanted_ = false;
  bool blockOnceAnswered_ = false;
  int answerDataLength_ = 0;                  // data bytes of the answer being handled
  std::span<const uint8_t> answerTextBytes_;  // its data and checksum bytes
  int pumpDepth_ = 0;
  unsigned resetCount_ = 0;
};

extern TForm1* Form1;
