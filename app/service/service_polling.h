#pragma once
// The service window's weight polling. A run starts after a connect and
// lasts while PollingActive is 1; each tick of its timer runs one cycle:
// zero/tare, the channel weights, the sum channel, the input signals and the
// extension board, with the device log written per cycle. Ticks do not nest,
// and a new run ends the old one, so a restart never leaves two runs going.
#include <string>

#include "app/service/device_log.h"

class TForm21;
class TTimer;

class ServicePolling {
 public:
  explicit ServicePolling(TForm21& window);
  // Closes an open log with its stop line.
  ~ServicePolling();
  ServicePolling(const ServicePolling&) = delete;
  ServicePolling& operator=(const ServicePolling&) = delete;

  // Starts a run: the start telegram, the status text, the log; sets PollingActive.
  void Start();
  // Ends the run when PollingActive was cleared since it started: the log's
  // stop line, the status texts emptied, the log entry enabled again.
  void EndIfStopped();
  // True from Start until the run has ended.
  bool RunOpen() const { return open_; }
  // The log file of the run; empty when the run does not log.
  std::string LogName() const { return log_.IsOpen() ? log_.Name() : std::string(); }

 private:
  void Tick();
  // One cycle of run `run`; returns early when the run ends or another run starts.
  void Cycle(unsigned run);
  bool Alive(unsigned run) const;
  void End();
  void PumpOnce();
  void ShowStatusInCurrentLanguage();
  // The sum channel of one cycle; false when the run ended meanwhile.
  bool SumChannel(unsigned run);
  void InputSignals();
  void ExtensionBoard();

  TForm21& w_;
  TTimer* timer_;
  DeviceLog log_;
  int statusLang_ = 0;      // language of the status line
  unsigned run_ = 0;
  bool open_ = false;
  bool inCycle_ = false;
};
