#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <system_error>
#include <vector>

#include "app/link/link_events.h"
#include "app/link/link_protocol.h"
#include "app/link/log_file.h"
#include "app/link/paced_write.h"
#include "app/link/request_queue.h"
#include "app/link/setup_image.h"
#include "app/link/stream_display.h"
#include "app/link/telegram.h"
#include "app/program/program_options.h"

class QTimer;
class TComPort;
class TComponent;
class TObject;
class TTimer;

// The device link: the serial port, the request queues, the transaction
// engine, the answers and the device operations that every window's device
// traffic goes through. It shows nothing itself: what happens is reported
// to the subscribers of Events.
class DeviceLink {
 public:
  DeviceLink();
  virtual ~DeviceLink();
  DeviceLink(const DeviceLink&) = delete;
  DeviceLink& operator=(const DeviceLink&) = delete;

  TComPort* ComPort1;
  ProgramOptions Options;
  SetupImageBytes SetupImage{};
  // The windows that show what the link reports.
  LinkEvents Events;
  // Whether the traffic trace is wanted, asked at each frame: frames to the
  // traffic monitor and the trace file / received frames as hex text.
  std::function<bool()> TraceWindowOn = [] { return false; };
  std::function<bool()> TraceTextOn = [] { return false; };

  TTimer* Timer1;  // queue tick
  TTimer* Timer2;  // soft timer 2
  TTimer* Timer4;  // end of the COM-ERR display
  TTimer* Timer6;  // forgets a single failure

  // ---- Request queues and link state.
  RequestQueueSet Requests;
  std::array<DeviceQueue, DEVICE_ADDRESS_COUNT>& RequestQueues = Requests.Queues;
  int& PendingCount = Requests.PendingCount;
  int DeviceAddress = 1;
  int PortUsable = 0;
  int KeepPortOpen = 0;
  // While 1 the queue tick starts no transaction and leaves the port alone:
  // the telegram tester's own exchange on the port runs.
  int QueuePaused = 0;
  int CommErrorCount = 0;
  int TransferFailed = 0;
  int DeviceErrorFlag = 0;
  // After WaitUntilIdle: 1 when the request waited for ended with a reply
  // that the link took for it (ReplyBuffer holds that reply), 0 otherwise.
  int ReplyValid = 0;
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

  // ---- Trace file "rs232_log.txt"; none while the trace is off.
  int Rs232LoggingOn = 0;
  std::unique_ptr<LogFile> Rs232LogFile;

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
  int ShortSdcontList = 0;   // firmware "V1.0.6" or later (the short list of continuous-output rates)
  int FirmwareBelow106 = 0;  // firmware older than "V1.0.6": the service window refuses to connect
  int NoFiveDecimals = 0;
  int SumDisplayEnabled = 0;  // 1: the service window shows the sum or difference line
  int ExbFirmwareV14 = 0;     // 1: the extension board's firmware is 1.4 or a later 1.x

  // Set-up validity
  // 1 while the SetupImage as a whole holds a set-up (read, loaded or default).
  int SetupPresent = 0;
  // One flag per section, in the order GBL, LPC, ADC, WKG[0], WKG[1], WKS,
  // CHN[0], CHN[1], EXB, MSC, ADM, SAV: the section was read on its own.
  std::array<uint8_t, 12> SectionRead{};

  // ---- Device operations.
  void ReadDeviceInfo();
  void ReadFirmwareType();
  void ResetDevice();
  // Error bytes into ErrorCodes / one class's value into ErrorItemValue;
  // true when the device's own reply to the read came.
  bool ReadErrorCodes();
  bool ReadErrorClass(uint8_t errorClass);
  void ClearErrorCodes();
  void StartContinuousOutput(uint8_t kind);  // kind: StreamKind 0, 1 or 2
  void StopContinuousOutput(uint8_t kind);
  // Holds the device's cyclic output (and stops its value stream and button
  // mode) / releases it; both return 0.
  int SuspendDeviceOutput();
  int ResumeDeviceOutput();
  // Stops the service window's polling, drops every queued request and waits
  // until none is in flight.
  void FlushLink();
  void SearchDevices();
  void ShowProfibusState();
  void FindComPortNumber();
  void SetDeviceClock();
  // 0 when the device answered at some baud rate (the port keeps it), 1 when none.
  uint8_t SearchBaudRate();
  int SoftResetRequested = 0;  // the next ResetDevice sends the soft reset
  uint8_t DeviceInfoRead = 0;
  std::string LastSerialNumber;  // the serial number shown by the last device information read
  // Factory functions without the password (the about box's switch).
  int SupervisorMode = 0;

  // ---- Device identification.
  int DeviceType = 0;
  int ChannelCount = 0;
  int AdcModeArgument = 0;  // second byte of CMD_ADC_MODE
  int ActiveChannel = 0;    // 0-based; requests send it + 1
  int DeviceIdentified = 0;
  int BaudRateFound = 0;
  int VariantRejected = 0;
  int FirmwareSeries0 = 0;  // firmware "V0.0.2" .. "V0.0.10"
  // Identification: 0 complete, 1 stopped.
  int IdentifyDevice();

  // ---- Requests and waits.
  // Queues a request; false when it was refused (port not usable, COM-ERR,
  // queue full, bad address or length, value stream running), which also
  // sets TransferFailed = 1 and DeviceErrorFlag = 0.
  bool QueueRequest(int address, uint8_t command, const uint8_t* data, int length, int reserved, int awaitAnswer);
  // Pumps messages until no request is pending; the transactions go on
  // meanwhile, also when the wait runs inside a handler that another wait
  // pumped. On return TransferFailed, DeviceErrorFlag, ReplyValid and
  // ReplyBuffer describe the request the caller waits for: the last it
  // queued that awaits an answer (the last it queued when none does) since
  // the enclosing wait began; neither its other requests nor those that
  // handlers queued during this wait. False when the
  // queue did not empty within the time its requests can take (the link is
  // then reset and TransferFailed set), or when called from the link's own
  // handling of a request (an answer's message), which that request's end
  // would have to wait for.
  bool WaitUntilIdle();
  void Timer1Timer(TObject* Sender);
  // Starts the transaction of the newest pending request: 1 when it has
  // ended at once and the tick is to start another, 0 otherwise (a request
  // on its way goes on with the port's events and the timers).
  int RunTransaction();
  void CompleteRequest(int address);
  void ResetLink();
  // Forgets any frame being gathered and any reply taken, so that the next
  // bytes from the port make a new frame (the telegram tester's own send).
  void ResetReceiveState();
  // The port lamps: reported to the traffic monitor and the test window.
  void SetPortState(bool open);
  void SetSoftTimer(int id, int ms, int on);
  void Timer2Timer(TObject* Sender);
  void Timer4Timer(TObject* Sender);
  void Timer6Timer(TObject* Sender);

  // Where the transaction in progress stands: sending its telegram, the
  // pause after the send, waiting for the reply, or listening for presence
  // replies. Idle between transactions and while a reply is being handled.
  enum class LinkPhase { Idle, Sending, Pausing, AwaitingReply, Listening };
  LinkPhase Phase() const { return phase_; }

  // ---- Telegrams.
  // Starts sending the newest request of the address: 0 when its body is on
  // the way (the checksum and ETX follow when the port reports its transmit
  // buffer empty), 1 when nothing could be sent.
  int SendTelegram(int address);
  void ComPort1TxEmpty(TObject* Sender);
  void ComPort1RxChar(TObject* Sender, int Count);
  int CheckReply(int address);
  void TraceStreamFrame();

  // The least answer time-out, in program ms, of a try about to be sent to
  // `address` (0: the request's own). The program leaves it unset; tests
  // whose program clock runs fast set it for requests that their device
  // answers, so that a reply which a loaded machine delays is not taken for
  // a missing one.
  std::function<int(int address, const RequestEntry& request)> LeastAnswerTimeout;

  // ---- Answers.
  int HandleAnswer(int address, uint8_t command, int phase, const uint8_t* data);
  void SetAnswerTimeout(int address);

  // ---- Device memory. True = failure; a write has failed also when the
  // device answered one of its chunks with its error bit (the other chunks
  // are still written).
  bool WriteDeviceMemory(std::span<const uint8_t> source, int base, int offset, int count);
  bool ReadDeviceMemory(int base, int offset, int count);
  // One read of up to 128 bytes; nonzero = failure (the range then holds 0xFF).
  int ReadDeviceBlock(int base, int offset, int count);

  // ---- Trace file.
  bool OpenTraceFile();
  // Gives the trace its name "rs232_log.txt"; the trace is off afterwards.
  void CloseTraceFile();
  // Tells the user, once the current event has been handled, that the file
  // `name` could not be written, and why.
  void ReportFileWriteError(const std::string& name, std::error_code cause);

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

  // The value stream changes its texts no more often than a display frame:
  // 25 frames a second. The port hands over its frames in batches a tenth
  // of a second apart, or at each display tick: the trace and the terminal
  // need no more, and a batch at the fastest rate is some 1 KB, far below
  // what the port holds.
  static constexpr int kDisplayFramesPerSecond = 25;
  static constexpr int kDisplayFrameMs = 1000 / kDisplayFramesPerSecond;
  static constexpr int kMinDisplayTickMs = 10;  // the finest the stream's display tick runs
  static constexpr int kStreamBatchMs = 100;

 protected:
  int Lang() const { return Options.lang; }
  Framing CurrentFraming() const { return Framing{Options.stx_etx != 0, Options.csum != 0}; }
  // Handles waiting messages once, waiting at most maxWaitMs for one to come.
  void PumpOnce(int maxWaitMs);
  // The program's message box that insists, in the link's language.
  void ShowUntilOk(const std::string& text, int titleRow, unsigned icon) const;

 private:
  // The count of pending requests into its status field.
  void ShowPendingCount();
  RequestEntry* CurrentEntry(int address);
  void FailRequest(int address);
  void RaiseCommError(int address);
  bool ReportNotConnected(int address);

  // The transaction engine: each step runs on an event (the queue tick, the
  // transmit-empty event, a reply, the pause's end, soft timer 2) and
  // returns; nothing waits on the stack. The steps return 1 when the
  // transaction has ended and the tick's next step may start at once.
  bool TransactionInProgress() const { return phase_ != LinkPhase::Idle || engineDepth_ > 0; }
  void SetUpTransactionTimers();
  void RunSteps();
  void AdvanceTransaction();
  void KickTransaction();
  void PauseTimerTimer();
  int SendTry();
  int SendEnded(bool sent);
  int FinishTelegram();
  int StartReplyWait();
  int ReplyStep();
  int TryWithoutReply();
  int NoReply();
  int StartListening();
  int EndListening();
  void ShowSearchEnd();
  void QueueWantedErrorRead();
  // Stops the waits of the transaction in progress; a link reset does this.
  void AbortTransaction();
  // A request has ended: the waits whose caller queued it keep its result.
  void NoteRequestEnd(uint32_t sequence);
  void CloseWaitWindowOfLink();
  void TakeReply(const Bytes& frame);
  void StoreStreamValue(const Bytes& frame);
  // The receive state after a batch's stream frames, the newest of them traced.
  void TakeStreamFrame(const Bytes& frame);
  // The framing follows the stream option, and the device's answers to value-stream requests.
  void FollowStreamOption();
  void FollowStreamReply();
  void TraceSent(std::span<const uint8_t> bytes);
  void TraceReceived(std::span<const uint8_t> hexBytes, std::span<const uint8_t> charBytes, bool reply);
  // One line "<label><line>\n" of the trace file.
  void WriteTraceLog(const char* label, const std::string& line);
  // The two halves of TraceReceived: the reports, and the trace file's lines.
  void ShowReceived(std::span<const uint8_t> hexBytes, std::span<const uint8_t> charBytes, bool reply);
  void LogReceived(std::span<const uint8_t> hexBytes, std::span<const uint8_t> charBytes);
  void ShowStreamTrace();
  int AnswerCommand(int address, uint8_t command, const uint8_t* data);

  // Owner of the link's timers, on the window thread.
  std::unique_ptr<TComponent> timers_;
  std::unique_ptr<TComPort> comPort_;
  FrameAssembler assembler_;
  Bytes streamTraceFrame_;                   // the newest stream frame, for the trace reports
  std::unique_ptr<PacedWrite> streamTrace_;  // the trace reports of stream frames
  bool streamOptionSeen_ = false;  // the stream option as the framing last followed it
  bool streamStartSent_ = false;   // the last value-stream request sent starts the value stream
  // The transaction in progress: one at a time.
  LinkPhase phase_ = LinkPhase::Idle;
  int engineDepth_ = 0;  // steps of the engine on the stack (answer handling, the link's messages)
  int stepsLeft_ = 0;    // steps that the current queue tick may still start at once
  PendingRef current_{};
  QTimer* pauseTimer_ = nullptr;  // ends the pause after a send
  QTimer* kick_ = nullptr;        // moves the engine on from the event loop after a reply
  int64_t pauseEndsMs_ = 0;
  int tryLeastTimeoutMs_ = 0;  // LeastAnswerTimeout of the try in progress
  Bytes sentBytes_;  // what the send in progress has written, for the trace
  // The result that a wait hands back to its caller: of the request it
  // waits for, `awaited`, among those queued in (after, upTo].
  struct WaitRecord {
    uint32_t after = 0;
    uint32_t upTo = 0;
    uint32_t awaited = 0;
    bool ended = false;
    int transferFailed = 0;
    int deviceError = 0;
    Bytes reply;  // empty when that request got no reply
  };
  std::vector<WaitRecord*> waits_;  // the waits on the stack, innermost last
  uint32_t lastQueued_ = 0;         // sequence of the request queued last
  uint32_t lastAwaitedQueued_ = 0;  // sequence of the request awaiting an answer queued last
  bool lastRefused_ = false;        // the last QueueRequest refused its request
  uint8_t lastReplyCommand_ = 0;
  bool activityToggle_ = false;
  bool waitWindowShownByLink_ = false;
  bool errorReadWanted_ = false;
  bool blockOnceAnswered_ = false;
  int answerDataLength_ = 0;                  // data bytes of the answer being handled
  std::span<const uint8_t> answerTextBytes_;  // its data and checksum bytes
  unsigned resetCount_ = 0;
};

// The service window's mark that an identification ran; set at the start of
// every identification, cleared by the service window.
extern int IdentifyDone;
