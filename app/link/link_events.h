#pragma once
// What the device link reports to the windows that show it. A window
// subscribes to the link and overrides the reports it shows; every report
// is delivered at once, at the point of the link's work where it happens,
// to the subscribers in the order they subscribed.
#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "app/link/device_variants.h"

class LinkEvents;

// The link's fields in the test window's status bar, by their place there.
enum class LinkStatusField {
  Port = 0,
  Tick = 2,
  Pending = 3,
  Address = 4,
  Command = 5,
  Tries = 6,
  StreamIndex = 7,
  CommError = 8,
  SetupCopy = 9,
  AdcMode = 10,
  FirmwareType = 11,
};

// Why the device is shown in error: its reply carried the error mark, the
// status byte's error bit, or error bytes just read; None when a reply had neither.
enum class DeviceErrorSign { None, ErrorMark, StatusBit, ErrorCodes };

// What a device information read brought; a text that did not arrive is empty.
struct DeviceInformation {
  std::string firmwareId;
  int variant = 0;
  std::string firmwareVersion;
  std::string firmwareDate;
  std::string hardwareVersion;
  std::array<uint8_t, 5> exbVersion{};  // 0 in the first byte: not arrived
  std::string info;
  std::string serialNumber;
  std::string productionDate;
};

class LinkListener {
 public:
  LinkListener() = default;
  LinkListener(const LinkListener&) = delete;
  LinkListener& operator=(const LinkListener&) = delete;
  // A subscriber that goes away leaves its link.
  virtual ~LinkListener();

  // ---- Port and link state.
  virtual void PortStateChanged(bool open) {}
  // A telegram is about to go out; `on` alternates with every telegram.
  virtual void SendActivity(bool on) {}
  // The port is open for a new exchange: what was received before is stale.
  virtual void ExchangeStarted() {}
  // The link dropped every request and the transaction in progress.
  virtual void LinkReset() {}
  // The communication error was declared: the user is about to be told.
  virtual void CommErrorRaised() {}
  // The communication error has been told and the link reset.
  virtual void CommErrorShown(const std::string& text) {}
  // The communication error display has ended.
  virtual void CommErrorCleared() {}
  // The name of the port the link uses.
  virtual void PortNameFound(const std::string& name) {}
  // The device search is wanted while a service connection runs: it ends.
  virtual void ServiceEndWanted() {}

  // ---- Traffic trace.
  // A telegram went out whole: its bytes as hex and as characters.
  virtual void FrameSent(const std::string& hex, const std::string& chars) {}
  // A frame came in: its bytes as hex and as characters.
  virtual void FrameReceived(const std::string& hex, const std::string& chars) {}
  // The expert view's reply line: the hex of the last reply, empty at a send.
  virtual void ExpertReplyLine(const std::string& hex) {}

  // ---- Replies.
  // The status byte of a checked reply.
  virtual void DeviceStatusReceived(uint8_t status) {}
  // The device is shown in error, and by which sign, or no longer.
  virtual void DeviceErrorShown(DeviceErrorSign sign) {}
  // The conversion mode of the ADC: "CONT" or "SINGLE".
  virtual void AdcModeReported(const std::string& mode) {}
  // The ADC's button mode was switched (the request's first data byte).
  virtual void ButtonModeAnswered(int on) {}
  // The value stream was stopped.
  virtual void ContinuousOutputStopped() {}
  // The device showed its set-up checksum.
  virtual void SetupChecksumShown() {}
  // Whether the device holds a set-up backup.
  virtual void SetupBackupKnown(bool present) {}
  // The Profibus state of the device, 0..3, or -1 when none was answered.
  virtual void ProfibusStateReported(int state) {}

  // ---- The wait window of a long calibration step.
  virtual void WaitWindowShown() {}
  virtual void WaitWindowClosed() {}

  // ---- Device search.
  // A device was not connected and the user asked to search for devices.
  virtual void DeviceSearchAccepted() {}
  // The search's listening window opens.
  virtual void SearchListening() {}
  // The listening window has ended; `idle` when no request is left.
  virtual void SearchEnded(bool idle) {}

  // ---- Identification and connection progress.
  virtual void ConnectionText(const std::string& text) {}
  // One more step of the identification or of the baud-rate search.
  virtual void ConnectionStep() {}
  // The device's cyclic weight output was switched off.
  virtual void WeightOutputStopped() {}
  // The device answered the identification: every variant's controls are offered.
  virtual void DeviceAnswered() {}
  virtual void VariantAdapted(const VariantAdaptation& variant) {}
  virtual void BoardAdapted(const HardwareAdaptation& board) {}
  // Whether the device-list menu is offered.
  virtual void DeviceListOffered(bool enabled) {}
  // The firmware version is known: the firmware check runs.
  virtual void FirmwareVersionKnown() {}
  // The set-up copy the device runs, or "FAIL".
  virtual void SetupCopyShown(const std::string& text) {}
  // The ADC runs in continuous mode (or single mode when false).
  virtual void ConversionModeKnown(bool continuous) {}

  // ---- The test window's own displays.
  // A status field of the link changed its text.
  virtual void StatusFieldShown(LinkStatusField field, const std::string& text) {}
  // The queue tick ran.
  virtual void QueueTicked() {}
  // A try of the current request goes out; `triesLeft` counts this one.
  virtual void SendTried(int triesLeft) {}
  // The hex text of the last received frame; empty when a new tick starts.
  virtual void ReceivedText(const std::string& hex) {}
  // The status byte of a checked reply, as "0x..".
  virtual void StatusByteShown(const std::string& text) {}
  // The device's error bytes were read / are being cleared.
  virtual void ErrorCodesShown(const std::array<uint8_t, 2>& codes) {}
  virtual void ErrorCodesCleared() {}
  // The device information was read: what arrived of it.
  virtual void DeviceInfoShown(const DeviceInformation& identity) {}
  // The identified device has no extension board.
  virtual void ExtensionBoardAbsent() {}
  // The device's active channel, 0 or 1.
  virtual void ActiveChannelRead(int channel) {}
  // The identification has shown the active channel and the conversion mode.
  virtual void ChannelShown() {}
  // The device clock was read.
  virtual void DeviceClockRead(const std::array<uint8_t, 10>& clock) {}
  // The value stream starts / is about to stop: its display follows.
  virtual void ContinuousOutputStarted() {}
  virtual void ContinuousOutputStopping() {}

 private:
  friend class LinkEvents;
  LinkEvents* link_ = nullptr;  // the link this listener is subscribed to
};

// The subscribers of one link. A listener is subscribed to one link at a
// time; a link that goes away lets its listeners go.
class LinkEvents {
 public:
  LinkEvents() = default;
  LinkEvents(const LinkEvents&) = delete;
  LinkEvents& operator=(const LinkEvents&) = delete;
  ~LinkEvents() {
    for (LinkListener* listener : listeners_) listener->link_ = nullptr;
  }

  void Subscribe(LinkListener* listener) {
    if (listener == nullptr || listener->link_ == this) return;
    if (listener->link_ != nullptr) listener->link_->Unsubscribe(listener);
    listeners_.push_back(listener);
    listener->link_ = this;
  }
  void Unsubscribe(LinkListener* listener) {
    if (listener == nullptr || listener->link_ != this) return;
    std::erase(listeners_, listener);
    listener->link_ = nullptr;
  }
  bool Subscribed(const LinkListener* listener) const {
    return std::find(listeners_.begin(), listeners_.end(), listener) != listeners_.end();
  }

  // Delivers a report to every subscriber; one that a report unsubscribes
  // (a window closed by another's handler) gets no further report.
  template <class Report>
  void Notify(Report report) const {
    const std::vector<LinkListener*> now = listeners_;
    for (LinkListener* listener : now)
      if (Subscribed(listener)) report(*listener);
  }

 private:
  std::vector<LinkListener*> listeners_;
};

inline LinkListener::~LinkListener() {
  if (link_ != nullptr) link_->Unsubscribe(this);
}
