#pragma once
#include <array>
#include <cstdint>

#include "platform/forms/forms.h"

// The device's log memory of channel 1: logging started and stopped, the
// number of entries, the ring counter, and the dump of every entry into
// "ring_count_log.txt".
class TForm25 : public TForm {
 public:
  TForm25();

  TLabel* Label18;   // "Logspeicher - Kanal 1"
  TButton* Button59;  // "Start"
  TButton* Button60;  // "Stop"
  TEdit* Edit10;      // the number for "Werte" (expert view)
  TButton* Button63;  // "Werte" (expert view)
  TButton* Button61;  // "Max. Pointer-Wert"
  TLabel* Label19;    // entry count
  TButton* Button62;  // "Werte lesen START" / "Werte lesen STOP"
  TLabel* Label20;    // rows written
  TLabel* Label21;    // current entry
  TButton* Button2;   // "Ringspeicherzähler" (expert view)
  TLabel* Label1;     // ring counter (expert view)
  TButton* Button1;   // "Beenden"

  // The entry count of the last "Max. Pointer-Wert"; the dump reads this many.
  uint16_t LogMaxPointer = 0;
  // 1 while a dump runs; a second click on Button62 clears it.
  int LogReadRunning = 0;
  // The device's log header, copied at the start of a dump.
  std::array<uint8_t, 10> LogHeader{};

  void Button59Click(TObject* Sender);  // start logging
  void Button60Click(TObject* Sender);  // stop logging
  void Button63Click(TObject* Sender);  // "Werte"
  void Button61Click(TObject* Sender);  // entry count
  void Button62Click(TObject* Sender);  // dump, or stop the running dump
  void Button2Click(TObject* Sender);   // ring counter
  void Button1Click(TObject* Sender);   // close; a running dump goes on
  void ChangeLanguage();
  // The controls of the service window's expert view.
  void ShowExpertControls(bool visible);

 private:
  void RunDump();
};

extern TForm25* Form25;
