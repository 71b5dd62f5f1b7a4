#include "platform/serial/com_port.h"

#include <poll.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimer>
#include <cerrno>
#include <chrono>
#include <cstring>

#include "platform/clock/clock.h"
#include "platform/portname/port_name.h"
#include "platform/serial/com_port_error.h"
#include "platform/serial/com_port_setup_dialog.h"

using platform::serial::TtyLine;

namespace {

using Clock = std::chrono::steady_clock;

// How often unread characters and the transmit buffer are looked at.
constexpr int kPollIntervalMs = 5;

int MsUntil(Clock::time_point deadline) {
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return left > 0 ? static_cast<int>(left) : 0;
}

// Waits until fd is ready for `events` or the deadline passes.
bool WaitFor(int fd, short events, Clock::time_point deadline) {
  pollfd p{fd, events, 0};
  int rc;
  do {
    rc = ::poll(&p, 1, MsUntil(deadline));
  } while (rc < 0 && errno == EINTR);
  return rc > 0 && (p.revents & events) != 0;
}

}  // namespace

TComPort::TComPort()
    : rxPoll_(std::make_unique<QTimer>()), txPoll_(std::make_unique<QTimer>()), rxBatch_(std::make_unique<QTimer>()) {
  rxPoll_->setInterval(kPollIntervalMs);
  rxBatch_->setSingleShot(true);
  QObject::connect(rxPoll_.get(), &QTimer::timeout, [this] { PollUnread(); });
  QObject::connect(txPoll_.get(), &QTimer::timeout, [this] { PollTxEmpty(); });
  QObject::connect(rxBatch_.get(), &QTimer::timeout, [this] { EndRxBatch(); });
}

TComPort::~TComPort() { Close(); }

void TComPort::SetSettings(const TComPortSettings& settings) {
  const TComPortSettings old = settings_;
  settings_ = settings;
  try {
    ApplyFrame();
  } catch (...) {
    settings_ = old;
    ApplyFrame();
    throw;
  }
}

void TComPort::SetPort(const std::string& port) { settings_.Port = port; }

void TComPort::SetBaudRate(int baudRate) {
  TComPortSettings s = settings_;
  s.BaudRate = baudRate;
  SetSettings(s);
}

std::string TComPort::DevicePath() const { return platform::ResolvePortName(settings_.Port); }

bool TComPort::Connected() const { return line_ != nullptr; }

int TComPort::Handle() const { return line_ ? line_->Fd() : -1; }

void TComPort::ApplyFrame() {
  if (!line_) return;
  line_->Configure(settings_);
  line_->SetModemLines(false, false);
}

void TComPort::Open() {
  if (line_) return;
  auto line = std::make_unique<TtyLine>(DevicePath());
  line->Configure(settings_);
  line->SetModemLines(false, false);
  // A freshly opened port starts empty, as a UART does.
  line->Flush(true, true);
  line_ = std::move(line);
  errorCounts_ = line_->ErrorCounts();
  announced_ = 0;
  rxNotifier_ = std::make_unique<QSocketNotifier>(line_->Fd(), QSocketNotifier::Read);
  QObject::connect(rxNotifier_.get(), &QSocketNotifier::activated, [this] { Readable(); });
  if (OnAfterOpen) OnAfterOpen(this);
}

void TComPort::Close() {
  if (!line_) return;
  rxPoll_->stop();
  txPoll_->stop();
  rxBatch_->stop();
  if (rxNotifier_) {
    rxNotifier_->setEnabled(false);
    // A notifier must not be deleted inside its own signal.
    if (dispatchDepth_ > 0) retired_.push_back(std::move(rxNotifier_));
    rxNotifier_.reset();
  }
  line_.reset();
}

int TComPort::Write(const void* buffer, int count) {
  if (!line_) throw EComPort(DevicePath() + ": port is not open");
  if (count <= 0) return 0;
  const auto deadline =
      Clock::now() + std::chrono::milliseconds(static_cast<long long>(Timeouts.WriteTotalMultiplier) * count +
                                               Timeouts.WriteTotalConstant);
  const auto* bytes = static_cast<const unsigned char*>(buffer);
  int written = 0;
  while (written < count) {
    const ssize_t n = ::write(line_->Fd(), bytes + written, static_cast<std::size_t>(count - written));
    if (n > 0) {
      written += static_cast<int>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN) break;
    if (!WaitFor(line_->Fd(), POLLOUT, deadline)) break;
  }
  if (written > 0) {
    txPoll_->setInterval(0);
    txPoll_->start();
  }
  return written;
}

int TComPort::Read(void* buffer, int count) {
  if (!line_) throw EComPort(DevicePath() + ": port is not open");
  if (count <= 0) return 0;
  const auto total =
      Clock::now() + std::chrono::milliseconds(static_cast<long long>(Timeouts.ReadTotalMultiplier) * count +
                                               Timeouts.ReadTotalConstant);
  auto* bytes = static_cast<unsigned char*>(buffer);
  int got = 0;
  Clock::time_point lastByte{};
  while (got < count) {
    const ssize_t n = ::read(line_->Fd(), bytes + got, static_cast<std::size_t>(count - got));
    if (n > 0) {
      got += static_cast<int>(n);
      lastByte = Clock::now();
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n == 0 || errno != EAGAIN) break;  // hang-up or read error
    auto deadline = total;
    if (got > 0 && Timeouts.ReadInterval > 0)
      deadline = std::min(deadline, lastByte + std::chrono::milliseconds(Timeouts.ReadInterval));
    if (!WaitFor(line_->Fd(), POLLIN, deadline)) break;
  }
  if (dispatchDepth_ > 0) readInEvent_ += got;
  ResumeRxNotification();
  if (got > 0 && OnRxData) OnRxData(bytes, got);
  return got;
}

int TComPort::InputCount() const { return line_ ? line_->InputCount() : 0; }

int TComPort::OutputCount() const { return line_ ? line_->OutputCount() : 0; }

void TComPort::ClearBuffer(bool input, bool output) {
  if (!line_) return;
  line_->Flush(input, output);
  ResumeRxNotification();
}

void TComPort::StoreSettings(const std::string& path) const { StoreComSettings(path, settings_); }

void TComPort::LoadSettings(const std::string& path) {
  TComPortSettings s = settings_;
  LoadComSettings(path, s);
  SetSettings(s);
}

bool TComPort::ShowSetupDialog(QWidget* parent) {
  ComPortSetupDialog dialog(settings_, parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  const TComPortSettings chosen = dialog.Settings();
  if (line_ && chosen.Port != settings_.Port) {
    Close();
    settings_ = chosen;
    Open();
  } else {
    SetSettings(chosen);
  }
  return true;
}

// Characters wait while the event's handler left some unread: the port is then
// watched by a timer, which fires the event again only when more arrive.
void TComPort::ResumeRxNotification() {
  if (!line_ || dispatchDepth_ > 0 || !rxPoll_->isActive()) return;
  if (line_->InputCount() == 0) {
    rxPoll_->stop();
    if (rxNotifier_) rxNotifier_->setEnabled(true);
  } else {
    announced_ = std::min(announced_, line_->InputCount());
  }
}

void TComPort::Readable() {
  if (!line_) return;
  const int count = line_->InputCount();
  if (count > 0) {
    DispatchRx(count);
    return;
  }
  // Readable with nothing to read: the other end hung up or the device failed.
  pollfd p{line_->Fd(), POLLIN, 0};
  ::poll(&p, 1, 0);
  if ((p.revents & (POLLHUP | POLLERR)) != 0) {
    rxNotifier_->setEnabled(false);
    ++dispatchDepth_;
    if (OnError) OnError(this, ceIO);
    if (--dispatchDepth_ == 0) retired_.clear();
  }
}

void TComPort::SetRxBatchInterval(int ms) { rxBatchMs_ = std::max(ms, 0); }

void TComPort::AnnounceWaiting() {
  if (!line_ || dispatchDepth_ > 0 || !rxBatch_->isActive()) return;
  const int count = line_->InputCount();
  if (count > 0) DispatchRx(count);
}

void TComPort::AnnounceNow() {
  if (!line_ || dispatchDepth_ > 0) return;
  const int count = line_->InputCount();
  if (count > 0) DispatchRx(count);
}

void TComPort::EndRxBatch() {
  if (!line_) return;
  const int count = line_->InputCount();
  if (count > 0) {
    DispatchRx(count);
  } else if (rxNotifier_) {
    rxNotifier_->setEnabled(true);
  }
}

void TComPort::DispatchRx(int count) {
  rxNotifier_->setEnabled(false);
  announced_ = count;
  readInEvent_ = 0;
  ++dispatchDepth_;
  CheckLineErrors();
  if (line_ && OnRxChar) OnRxChar(this, count);
  if (--dispatchDepth_ == 0) retired_.clear();
  if (!line_) return;  // closed by the handler
  // A handler that took what was announced leaves nothing unread; what came
  // since is announced as it comes.
  const int left = readInEvent_ >= count ? 0 : line_->InputCount();
  if (left > 0) {
    announced_ = left;
    rxPoll_->start();
  } else if (rxBatchMs_ > 0) {
    // What arrives within the batch interval waits for its end.
    if (!rxBatch_->isActive()) rxBatch_->start(static_cast<int>(platform::Clock::ToRealMs(rxBatchMs_)));
  } else if (rxNotifier_) {
    rxNotifier_->setEnabled(true);
  }
}

void TComPort::PollUnread() {
  if (!line_) {
    rxPoll_->stop();
    return;
  }
  const int count = line_->InputCount();
  if (count == 0) {
    rxPoll_->stop();
    if (rxNotifier_) rxNotifier_->setEnabled(true);
  } else if (count > announced_) {
    rxPoll_->stop();
    DispatchRx(count);
  } else {
    announced_ = count;
  }
}

void TComPort::PollTxEmpty() {
  if (!line_) {
    txPoll_->stop();
    return;
  }
  if (line_->OutputCount() > 0) {
    txPoll_->setInterval(kPollIntervalMs);
    return;
  }
  txPoll_->stop();
  if (OnTxEmpty) OnTxEmpty(this);
}

void TComPort::CheckLineErrors() {
  if (!errorCounts_) return;
  const auto now = line_->ErrorCounts();
  if (!now) return;
  int errors = 0;
  if (now->frame != errorCounts_->frame) errors |= ceFrame;
  if (now->parity != errorCounts_->parity) errors |= ceRxParity;
  if (now->overrun != errorCounts_->overrun) errors |= ceOverrun;
  if (now->breaks != errorCounts_->breaks) errors |= ceBreak;
  if (now->bufferOverrun != errorCounts_->bufferOverrun) errors |= ceRxOver;
  errorCounts_ = now;
  if (errors != 0 && OnError) OnError(this, errors);
}
