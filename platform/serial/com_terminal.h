#pragma once
// A character terminal on a serial port: it shows, in a grid of 98 columns
// and 40 rows, white on black, what arrives on the port it is attached to,
// through a VT100/ANSI subset (TerminalScreen). It only watches: the
// program's own receive handler goes on reading the port, and the terminal
// takes no keyboard input.
#include <memory>
#include <span>

#include "platform/forms/component.h"
#include "platform/forms/terminal_screen.h"

class TComPort;

class TComTerminal : public TControl {
 public:
  static constexpr int kColumns = 98;
  static constexpr int kRows = 40;

  explicit TComTerminal(TWinControl* parent);
  ~TComTerminal() override;

  // Attaches the terminal to a port (nullptr: detaches it). The port must
  // outlive the attachment.
  void SetComPort(TComPort* port);
  TComPort* ComPort() const { return port_; }

  // Shows bytes as if they had arrived on the port.
  void Write(std::span<const unsigned char> bytes);
  void ClearScreen();
  const TerminalScreen& Screen() const;
  // The terminal's set-up: line wrapping and LF as a new line. True when
  // the user took the new settings.
  bool ShowSetupDialog();

 private:
  struct View;
  TComTerminal(TWinControl* parent, std::shared_ptr<View> view);
  std::shared_ptr<View> view_;  // the port's handler holds it weakly
  TComPort* port_ = nullptr;
};
