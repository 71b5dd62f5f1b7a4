#pragma once
#include <string>

#include "app/link/link_events.h"
#include "platform/forms/forms.h"

// Monitor of the serial traffic, binary and ASCII.
class TForm5 : public TForm, public LinkListener {
 public:
  TForm5();

  // ---- What the link reports: the port lamp and the frames.
  void PortStateChanged(bool open) override;
  void ExchangeStarted() override;
  void FrameSent(const std::string& hex, const std::string& chars) override;
  void FrameReceived(const std::string& hex, const std::string& chars) override;

  TGroupBox* GroupBox1;  // "PC -> Gerät"
  TMemo* Memo1;          // hex line of the last request
  TMemo* Memo2;          // its characters
  TGroupBox* GroupBox2;  // "Gerät -> PC"
  TMemo* Memo3;          // hex line of the last reply or stream frame
  TMemo* Memo4;          // its characters
  TPanel* Panel1;        // port state: green open, red closed
  TButton* Button1;      // "Daten löschen"
  TButton* Button3;      // "Error-Codes", hidden
  TButton* Button4;      // "Connect", hidden
  TButton* Button5;      // "Disconnect", hidden
  TButton* Button6;      // "Terminal"
  TButton* Button2;      // "Beenden"

  // "Daten löschen": the four boxes, and the port's buffers when it is open.
  void Button1Click(TObject* Sender);
  // "Terminal".
  void Button6Click(TObject* Sender);
  // "Beenden": the link stops writing the boxes ("RS232-Daten" instead of "RS232-Fenster").
  void Button2Click(TObject* Sender);
  // Hidden: the error codes, awaited but not waited for; opening and closing the port.
  void Button3Click(TObject* Sender);
  void Button4Click(TObject* Sender);
  void Button5Click(TObject* Sender);
  // The close box ends the monitor as "Beenden" does.
  void FormClose(TObject* Sender, TCloseAction& Action);
  void ChangeLanguage();

 private:
  void ShowPortState(bool open);
};

extern TForm5* Form5;
