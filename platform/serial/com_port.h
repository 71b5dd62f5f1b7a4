#pragma once
// The serial-port component: opens a port by its name ("COM1" or a device
// path), reads and writes it, and reports received characters, an empty
// transmit buffer and line errors as events on the thread that runs the Qt
// event loop (the window thread).
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/forms/tobject.h"
#include "platform/serial/com_port_settings.h"
#include "platform/serial/tty_line.h"

class QSocketNotifier;
class QTimer;
class QWidget;


// Error bits of OnError.
enum TComErrors : int {
  ceFrame = 0x01,
  ceRxParity = 0x02,
  ceOverrun = 0x04,
  ceBreak = 0x08,
  ceRxOver = 0x10,  // the driver's input buffer overflowed
  ceIO = 0x20,      // the device went away (hang-up, read error)
};

using TRxCharEvent = std::function<void(TObject* Sender, int Count)>;
using TComErrorEvent = std::function<void(TObject* Sender, int Errors)>;
// The bytes that a Read has just taken from the port.
using TRxDataEvent = std::function<void(const unsigned char* Data, int Count)>;

class TComPort : public TObject {
 public:
  TComPort();
  ~TComPort() override;
  TComPort(const TComPort&) = delete;
  TComPort& operator=(const TComPort&) = delete;

  // Settings. Changes of the frame apply at once to an open port (raising
  // EComPort when the device refuses them); a new port name applies at the
  // next Open.
  const TComPortSettings& Settings() const { return settings_; }
  void SetSettings(const TComPortSettings& settings);
  const std::string& Port() const { return settings_.Port; }
  void SetPort(const std::string& port);
  int BaudRate() const { return settings_.BaudRate; }
  void SetBaudRate(int baudRate);
  // The device path that Port names.
  std::string DevicePath() const;
  TComTimeouts Timeouts;

  // Opens the port (8 data bits, no parity, 1 stop bit unless set otherwise;
  // no flow control; DTR and RTS off; buffers empty) and fires OnAfterOpen.
  // Raises EComPort naming the device and the cause. Open on an open port
  // does nothing.
  void Open();
  void Close();
  bool Connected() const;
  // Descriptor of the open device, -1 when closed.
  int Handle() const;

  // Writes count bytes within the write time-out; returns the number written.
  // Raises EComPort when the port is not open.
  int Write(const void* buffer, int count);
  // Reads up to count bytes within the read time-outs; returns the number read.
  int Read(void* buffer, int count);
  int InputCount() const;
  int OutputCount() const;
  void ClearBuffer(bool input, bool output);

  // The settings file (see com_port_settings.h), by default "rs232.ini" in
  // the current directory; raise EComPort on failure. Loading a missing file
  // changes nothing.
  void StoreSettings(const std::string& path = kComSettingsFileName) const;
  void LoadSettings(const std::string& path = kComSettingsFileName);
  // The settings dialog: port, baud rate, data bits, parity, stop bits.
  // Returns true when the user took new settings.
  bool ShowSetupDialog(QWidget* parent = nullptr);

  // Events. OnRxChar fires when characters arrive, with the number waiting;
  // characters that its handler leaves unread are announced again only
  // together with new ones.
  TRxCharEvent OnRxChar;
  // Gathers the characters of a busy line into batches: the first
  // characters after a quiet spell are announced at once, and those that
  // come after them wait until `ms` program milliseconds have passed, to be
  // announced in one OnRxChar; then the next batch begins. 0 (the default):
  // every arrival is announced at once.
  void SetRxBatchInterval(int ms);
  int RxBatchInterval() const { return rxBatchMs_; }
  // Fires OnRxChar now for the characters that a batch is holding back
  // (nothing when none wait); the batch goes on to its end.
  void AnnounceWaiting();
  // Fires OnRxChar now for the characters that wait in the port, though their
  // event has not come yet (nothing inside a handler or when none wait).
  void AnnounceNow();
  TNotifyEvent OnTxEmpty;
  TComErrorEvent OnError;
  TNotifyEvent OnAfterOpen;
  // Sees every byte that Read hands out, whoever reads: a component that
  // watches the line (the terminal) while the program's receive handler
  // goes on reading it.
  TRxDataEvent OnRxData;

 private:
  void ApplyFrame();
  void Readable();
  void DispatchRx(int count);
  void PollUnread();
  void PollTxEmpty();
  void CheckLineErrors();
  void ResumeRxNotification();
  void EndRxBatch();

  TComPortSettings settings_;
  std::unique_ptr<platform::serial::TtyLine> line_;
  std::unique_ptr<QSocketNotifier> rxNotifier_;
  std::unique_ptr<QTimer> rxPoll_;
  std::unique_ptr<QTimer> txPoll_;
  std::unique_ptr<QTimer> rxBatch_;  // runs while a batch holds arrivals back
  int rxBatchMs_ = 0;
  // Notifiers of a port closed inside its own event; freed when the event returns.
  std::vector<std::unique_ptr<QSocketNotifier>> retired_;
  int dispatchDepth_ = 0;  // events of this port running on the stack
  int announced_ = 0;  // characters waiting when OnRxChar last fired
  int readInEvent_ = 0;  // characters that the running OnRxChar has read
  std::optional<platform::serial::LineErrorCounts> errorCounts_;
};
