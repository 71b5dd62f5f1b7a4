#pragma once
#include <cstdint>

#include "app/diag/adc_log.h"
#include "app/link/link_events.h"
#include "platform/forms/forms.h"
#include "platform/forms/performance_graph.h"

// The ADC functions of the device's CS5532 front end: conversion mode, state,
// channel, the continuous value stream with its graph, resets, the single
// readings and measurement loops with their log files, and the openers of
// the calibration and serial-traffic tools. German only.
class TForm10 : public TForm, public LinkListener {
 public:
  TForm10();

  // ---- What the link reports: its reset, the button mode and the stream's end.
  void LinkReset() override;
  void ButtonModeAnswered(int on) override;
  void ContinuousOutputStopped() override;

  TLabel* Label2;     // "ADC (CS5532)"
  TPanel* Panel1;     // green while the device's button mode is on
  TButton* Button4;   // "Start": resume the device's output
  TButton* Button5;   // "Stop": suspend it
  TButton* Button3;   // "Reset": ADC reset
  TLabel* Label3;     // "Kont.-Mode (adc_sdcont)"
  TPanel* Panel2;     // the value stream's lamp; back to the button face when it stops
  TButton* Button7;   // "Kont. ON"
  TButton* Button10;  // "Kont. OFF"
  TCheckBox* CheckBox4;  // "Terminalfenster öffnen" with "Kont. ON"
  TCheckBox* CheckBox3;  // "Kanalumschaltung" of the counts loop
  TButton* Button6;      // "ADC-Wert (Teile)"
  TCheckBox* CheckBox1;  // "Schleife [ms]": the ADC read loop runs
  TEdit* Edit1;          // loop interval in ms
  TButton* Button18;     // "ADC-Wert [mV]"
  TButton* Button16;     // "ADC-Wert (skal.)"
  TCheckBox* CheckBox2;  // "Log in Datei"
  TLabel* Label18;       // "Werte von Kanal"
  TLabel* Label17;       // the channel of the last value
  TLabel* Label4;        // counts
  TLabel* Label5;        // "Teile"
  TLabel* Label6;        // mV/V
  TLabel* Label7;        // "mV/V"
  TLabel* Label15;       // mV
  TLabel* Label16;       // "mV"
  TLabel* Label11;       // scaled value
  TLabel* Label12;       // "%"
  TPerformanceGraph* PerformanceGraph1;  // the counts, scrolling
  TButton* Button20;     // "INFO lesen"
  TButton* Button12;     // "SINGLE-Mode"
  TButton* Button19;     // "CONT-Mode"
  TButton* Button21;     // "Reset VD417"
  TButton* Button15;     // "Soft-Reset"
  TLabel* Label8;        // "Baudrate temp. ändern"
  TButton* Button22;     // "Baudrate einstellen"
  TLabel* Label13;       // "ADC-Kanal"
  TComboBox* ComboBox4;  // "1", "2"
  TButton* Button17;     // "Einstellen"
  TLabel* Label10;       // "Kalibrierung"
  TButton* Button11;     // "Kalib. (intern)"
  TButton* Button14;     // "Kalib. (extern)"
  TLabel* Label9;        // "COM-Port"
  TButton* Button24;     // "Connect"
  TButton* Button23;     // "Disconnect"
  TButton* Button13;     // "Test RS232"
  TButton* Button2;      // "RS232-Fenster"
  TButton* Button1;      // "ENDE"

  // The loop started last: 0 none, 1 counts, 2 mV, 3 scaled.
  int AdcLastLoop = 0;

  void ActivateWindow(TObject* Sender);
  void Button12Click(TObject* Sender);
  void Button19Click(TObject* Sender);
  void Button20Click(TObject* Sender);
  void Button17Click(TObject* Sender);
  void Button7Click(TObject* Sender);
  void Button10Click(TObject* Sender);
  void Button4Click(TObject* Sender);
  void Button5Click(TObject* Sender);
  void Button3Click(TObject* Sender);
  void Button21Click(TObject* Sender);
  void Button15Click(TObject* Sender);
  void Button24Click(TObject* Sender);
  void Button23Click(TObject* Sender);
  void Button11Click(TObject* Sender);
  void Button14Click(TObject* Sender);
  void Button22Click(TObject* Sender);
  void Button13Click(TObject* Sender);
  void Button2Click(TObject* Sender);
  void CheckBox1Click(TObject* Sender);
  void Button1Click(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);

  // The measurement loops.
  void Button6Click(TObject* Sender);   // counts
  void Button18Click(TObject* Sender);  // mV
  void Button16Click(TObject* Sender);  // scaled

 private:
  void BuildLayout();
  void SetMeasuringButtons(bool enabled);
  // The channel byte of a loop's request: the active channel in CONT mode,
  // the loop's own alternation channel in SINGLE mode.
  uint8_t LoopChannelByte(uint8_t alternation) const;
  int LoopInterval() const;
  // The loop's tail: false when the loop switch ends it.
  bool NextCycle(int interval);
  // A finished cycle of the counts loop: the alternation of channels.
  void AlternateChannel(uint8_t& alternation);
  // The start of a counts or mV run: creates the log when "Log in Datei" is
  // checked; false when it could not be created, which is reported, and the
  // run does not start.
  bool BeginLoggedRun(AdcLogFile::Kind kind, AdcLogFile& log);
  void EndLoggedRun(AdcLogFile& log);
  uint8_t countsChannel_ = 0;  // alternation channels of the counts and mV loops
  uint8_t millivoltChannel_ = 0;
};

extern TForm10* Form10;
