#pragma once
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>

#include "app/link/link_events.h"
#include "app/link/service_flags.h"
#include "app/link/setup_image.h"
#include "app/service/service_polling.h"
#include "platform/forms/forms.h"

// The service window: the program's main window.
class TForm21 : public TForm, public LinkListener {
 public:
  TForm21();

  // ---- What the link reports: connection state, status, identification.
  void SendActivity(bool on) override;
  void CommErrorRaised() override;
  void CommErrorShown(const std::string& text) override;
  void CommErrorCleared() override;
  void PortNameFound(const std::string& name) override;
  void ServiceEndWanted() override;
  void ExpertReplyLine(const std::string& hex) override;
  void StatusByteShown(const std::string& text) override;
  void DeviceStatusReceived(uint8_t status) override;
  void DeviceErrorShown(DeviceErrorSign sign) override;
  void AdcModeReported(const std::string& mode) override;
  void SetupBackupKnown(bool present) override;
  void ConnectionText(const std::string& text) override;
  void ConnectionStep() override;
  void WeightOutputStopped() override;
  void DeviceAnswered() override;
  void VariantAdapted(const VariantAdaptation& variant) override;
  void BoardAdapted(const HardwareAdaptation& board) override;
  void DeviceListOffered(bool enabled) override;
  void FirmwareVersionKnown() override;
  void SetupCopyShown(const std::string& text) override;
  void ConversionModeKnown(bool continuous) override;

  // ---- Menu "Datei".
  TMainMenu* MainMenu1;
  TMenuItem* Datei1;
  TMenuItem* ffnen1;           // "Öffnen"
  TMenuItem* Speichern1;
  TMenuItem* Speichernunter1;  // hidden
  TMenuItem* Beenden1;         // enabled at every activation
  // ---- Menu "Kalibrieren".
  TMenuItem* Kalibrieren1;
  TMenuItem* Kanal1;
  TMenuItem* Kanal2;
  // ---- Menu "Parameter".
  TMenuItem* Parameter1;
  TMenuItem* ParameterKanal01;
  TMenuItem* ParameterGlobal10;  // hidden
  TMenuItem* ParameterKanal11;   // hidden
  TMenuItem* ParameterKanal12;   // hidden
  TMenuItem* ParameterExb11;     // "Digitale Eingänge + Inkrementalgeber"
  TMenuItem* ParameterExb12;     // "Relais 1/2"
  TMenuItem* ADCEinstellungen1;  // hidden
  // ---- Menu "Extras".
  TMenuItem* Extras1;
  TMenuItem* Optionen1;  // hidden
  TMenuItem* Sprache1;
  TMenuItem* Deutsch1;
  TMenuItem* Englisch1;
  TMenuItem* Schnittstelle1;
  TMenuItem* Schnittstellentyp1;
  TMenuItem* RS2321;
  TMenuItem* RS4851;
  TMenuItem* AutomatischeBaudratenerkennung1;
  TMenuItem* CheckConnect1;
  TMenuItem* ShowVD4171;  // "Übersicht angeschlossene Geräte - RS485"
  TMenuItem* Terminal1;
  TMenuItem* ButtonFunktion1;
  TMenuItem* Tarierung1;
  TMenuItem* Nullung1;
  TMenuItem* BruttoNetto1;
  TMenuItem* Brutto1;
  TMenuItem* Netto1;
  TMenuItem* Profibus1;  // "Profibus aktiv"
  TMenuItem* Logfunktionaktiv1;
  TMenuItem* Logfunktionen1;
  TMenuItem* N4;            // separator of the expert view
  TMenuItem* LogFunktion1;  // hidden
  TMenuItem* KontModeGewichtswerte1;
  TMenuItem* DemoMode1;
  TMenuItem* DefaultSetupinVD4171;
  TMenuItem* RTCinVD417stellen1;
  TMenuItem* N11;               // separator before "Reset LKZ", hidden with it
  TMenuItem* ResetLKZ1;         // hidden
  TMenuItem* WerteBandwaage1;   // hidden
  TMenuItem* SoftReset1;
  TMenuItem* ResetVD4171;
  TMenuItem* SetuplesenbeiNeuVerbinden1;
  TMenuItem* SetupBackup1;
  TMenuItem* SetupRestore1;  // "Setup -> Restore"
  // ---- Menu "Admin".
  TMenuItem* Admin1;
  TMenuItem* ProduktionPrfung1;
  TMenuItem* Werkseinstellungen1;
  TMenuItem* FlashUpdate1;
  TMenuItem* KalibrierungIntern1;
  TMenuItem* KalibrierungExtern1;  // hidden
  TMenuItem* Debug1;
  TMenuItem* ADCDebug1;
  TMenuItem* Setup1;
  TMenuItem* SetupRO;  // "Setup geschützt"
  TMenuItem* RS232Data1;
  TMenuItem* RS232Logging1;
  TMenuItem* KontGewichtsmodebeenden1;
  TMenuItem* ErrorCodes1;
  TMenuItem* Inkrementalwerte1;
  TMenuItem* ProgrammOptionen1;
  // ---- Menu "Hilfe".
  TMenuItem* Hilfe1;
  TMenuItem* Hilfe2;  // "Bedienungsanleitung"
  TMenuItem* Info1;

  // ---- Logo, channel area and device data.
  TImage* Image1;   // the logo; Alt-click in supervisor mode opens the test window
  TLabel* Label15;  // "Setup und Kennwertkalibrierung"
  TLabel* Label1;   // "Nennkennwert"
  TLabel* Label2;   // "Masseinheit"
  TLabel* Label5;   // "Anzahl Stellen der Messwertübertragung"
  TLabel* Label4;   // "Eingangssignal bei Nennkennwert"
  TLabel* Label3;   // "Eingangssignal": a click toggles the input-signal view
  TLabel* Label6;   // "Interne Abtastrate [1/s]"
  TLabel* Label7;   // "Geräteadresse": a click in supervisor mode toggles the expert view
  TLabel* Label26;  // "Setup schreibgeschützt!"
  TGroupBox* GroupBox1;  // "Kanal 1"
  TComboBox* ComboBox1;  // unit of channel 1
  TLabel* Label19;       // "Lastkalibriert"
  TLabel* Label23;       // input signal of channel 1 ("mV/V"), shown while InputSignalShown is 1
  TGroupBox* GroupBox2;  // "Kanal 2"
  TCheckBox* CheckBox1;  // "Aktiv"
  TPanel* Panel1;        // the fields of channel 2, hidden for a one-channel device
  TComboBox* ComboBox5;  // unit of channel 2
  TLabel* Label20;       // "Lastkalibriert"
  TLabel* Label25;       // input signal of channel 2 ("mV/V")
  TEdit* Edit5;          // device address, enabled in RS-485 mode
  TGroupBox* GroupBox3;  // "Gerätedaten"
  TLabel* Label8;        // identity: type, variant, firmware
  TLabel* Label9;        // identity: serial number, hardware, production date
  TLabel* Label13;       // "Brutto-Mode" / "Netto-Mode"
  TLabel* Label11;       // weight of channel 1 ("Messwert 1")
  TLabel* Label21;       // weight of channel 2 ("Messwert 2")
  TLabel* Label24;       // sum or difference channel ("Messwert Summenkanal")
  TLabel* Label14;       // status line of the device data
  TLabel* Label12;       // "FEHLER"
  TLabel* Label18;       // overload / underload
  TLabel* Label22;       // load-cell error
  TPanel* Panel2;        // activity: toggles its colour at every send
  TButton* Button1;      // "Verbinden" / "Trennen"
  TButton* Button2;      // "Beenden"
  TButton* Button3;      // "Setup von Gerät lesen"
  TButton* Button4;      // "Setup in Gerät schreiben"
  TButton* Button5;      // zero or tare, channel 1
  TButton* Button7;      // zero or tare, channel 2
  TButton* Button6;      // "OK?": stores a new bus address (hidden)
  TButton* Button8;      // "Hold" (hidden)
  TButton* Button18;     // "Neustart - Gerät" of the crane-scale group (hidden); the ADC dialog marks it bold
  TProgressBar* ProgressBar1;
  TStatusBar* StatusBar1;  // "RS232", "Status", "Setup", "Mode", "RS232-Daten"

  // ---- Hidden crane-scale group box and test-machine panel (service_hidden_panels.cpp).
  TGroupBox* GroupBox4;  // "Kranwaage / LMB-F / Force Indicator"
  TComboBox* ComboBox2;  // device type
  TPanel* Panel7;        // "Typ - Prüfmaschine"
  TButton* Button27;     // "Default"
  TButton* Runtime;      // "Runtime"
  TButton* Button33;     // "Set.Er. 0xFF"
  TButton* Button34;     // "Set.Er. 0x00"

  // ---- Controls that the device identification adapts.
  TLabel* Label16;  // input-signal range of channel 1
  TLabel* Label17;  // input-signal range of channel 2
  TLabel* Label10;  // third text line of the device data

  // ---- Channel fields, sampling rate and battery label.
  TEdit* Edit1;          // nominal value of channel 1 ("Nennkennwert"), at most 6 characters
  TComboBox* ComboBox3;  // digits of the transmitted value, channel 1 (editable)
  TEdit* Edit2;          // input signal at nominal value of channel 1 in mV/V, at most 7 characters
  TEdit* Edit3;          // nominal value of channel 2
  TComboBox* ComboBox7;  // digits of the transmitted value, channel 2 (editable)
  TEdit* Edit4;          // input signal at nominal value of channel 2 in mV/V
  TComboBox* ComboBox4;  // internal sampling rate; the chosen index is the rate code
  TLabel* Label35;       // "LowBAT" (hidden)

  // ---- Channel fields and channel set-up (channel_setup.cpp, service_channel_fields.cpp).
  // Image to fields / fields to image of both channels, the rate and the address.
  void ShowChannelSetup();
  void StoreChannelSetup();
  // Sets "Aktiv" of channel 2 from code: its click handler then only sets up the controls.
  void ShowChannelTwoActive(bool on);
  void Edit1Exit(TObject* Sender);
  void Edit3Exit(TObject* Sender);
  void Edit1Change(TObject* Sender);
  void Edit3Change(TObject* Sender);
  void Edit2Change(TObject* Sender);
  void Edit4Change(TObject* Sender);
  void ComboBox3Change(TObject* Sender);
  void ComboBox7Change(TObject* Sender);
  void ComboBox3Exit(TObject* Sender);
  void ComboBox7Exit(TObject* Sender);
  void ComboBox1Change(TObject* Sender);
  void ComboBox5Change(TObject* Sender);
  void CheckBox1Click(TObject* Sender);
  // Address field: the "OK?" button on typing, the range check on leaving.
  void Edit5Change(TObject* Sender);
  void Edit5Exit(TObject* Sender);
  // "OK?": stores the new bus address in the device and restarts it.
  void Button6Click(TObject* Sender);
  // "Hold": keeps the last value of channel 1 in the sum line.
  void Button8Click(TObject* Sender);

  // ---- Sampling rate (service_sampling_rate.cpp).
  int LogFunctionActive = 0;  // 1 while "Logfunktion aktiv" is ticked
  // Rebuilds the rate list for the ADC mode (0 or 1), keeping the choice.
  void FillSampleRateList(uint8_t mode);
  void ComboBox4Enter(TObject* Sender);
  void ComboBox4Change(TObject* Sender);
  void Logfunktionaktiv1Click(TObject* Sender);
  void Logfunktionen1Click(TObject* Sender);

  // ---- Set-up transfer (service_setup_transfer.cpp, sensitivity_calibration.cpp).
  int SetupFromFile = 0;  // 1: the image came from a set-up file; the next write skips the calibration
  void ffnen1Click(TObject* Sender);
  void Speichern1Click(TObject* Sender);
  void Speichernunter1Click(TObject* Sender);
  // The input signals at nominal value as the second characteristic point of
  // each channel, written to the device; then the fields into the image.
  void WriteSensitivityCalibration();
  // The address that the device's address switch sets, into the address field.
  void ReadDipAddress();
  // 1 for the early firmware line "V0.0.2" .. "V0.0.10"; sets the firmware flags of the link.
  int CheckFirmwareVersion();

  // ---- Load calibration (service_load_calibration.cpp).
  int CalibrationChannel = 0;  // 0 channel 1, 1 channel 2
  int MaxEndValue = 0;         // the channel's nominal value when the dialog opened
  void Kanal1Click(TObject* Sender);
  void Kanal2Click(TObject* Sender);

  // ---- Working fields.
  int DemoMode = 0;         // 1: no device traffic from the channel area
  int InputSignalShown = 0;  // 1: the input signal of each channel is polled and shown
  int GrossNetMode = 2;     // polled weights shown: 1 gross, 2 net
  int SetupReadDone = 0;    // 1 after a set-up read by this window
  int ReloadCalibration = 0;  // 1: the next connect reads the calibration sections again
  int ParameterPage = 0;  // page the weighing-parameter dialog opens with (0: the one it had)
  int ExbPage = 0;        // page the input, encoder and relay dialog opens with
  // The weight polling of the connection.
  std::unique_ptr<ServicePolling> Polling;

  // ---- Handlers.
  void FormActivate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  // "Verbinden"/"Trennen": connects (identification, firmware check, set-up
  // reads) and starts the weight polling, or disconnects; the link calls it
  // to disconnect, also without a sender. Returns once polling runs.
  void Button1Click(TObject* Sender);
  // "Setup von Gerät lesen": the whole set-up into the image.
  void Button3Click(TObject* Sender);
  // Zero/tare of channel 1 / 2: asked for here, sent by the next polling cycle.
  void Button5Click(TObject* Sender);
  void Button7Click(TObject* Sender);
  // Extras/"Button-Funktion": the zero/tare buttons zero or tare.
  void Nullung1Click(TObject* Sender);
  void Tarierung1Click(TObject* Sender);
  // Extras/"Anzeige Brutto/Netto".
  void Brutto1Click(TObject* Sender);
  void Netto1Click(TObject* Sender);
  // Extras/"Programm-Logfunktion": the next connect logs the weights.
  void LogFunktion1Click(TObject* Sender);
  // Admin/"EXB/Inkrementalwerte": shows or closes the extension-board values.
  void Inkrementalwerte1Click(TObject* Sender);
  // Extras/"Übersicht angeschlossene Geräte - RS485": the address window.
  void ShowVD4171Click(TObject* Sender);
  // Extras/"Gerät -> Hardware-Reset".
  void ResetVD4171Click(TObject* Sender);
  // A click on "Gerätedaten": identifies the device again.
  void GroupBox3Click(TObject* Sender);
  // "Beenden" (button) and Datei/"Beenden" (menu): the end of the program.
  void Button2Click(TObject* Sender);
  void Beenden1Click(TObject* Sender);
  // The set-up write to the device.
  void Button4Click(TObject* Sender);
  void Deutsch1Click(TObject* Sender);
  void Englisch1Click(TObject* Sender);
  void Info1Click(TObject* Sender);
  void Optionen1Click(TObject* Sender);
  void ProgrammOptionen1Click(TObject* Sender);
  void Werkseinstellungen1Click(TObject* Sender);
  void AutomatischeBaudratenerkennung1Click(TObject* Sender);
  void Label3Click(TObject* Sender);
  void Label7Click(TObject* Sender);
  void Image1MouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

  // ---- Start-up and expert view (service_window_program.cpp).
  // Extras/"Schnittstelle": the port's set-up dialog.
  void Schnittstelle1Click(TObject* Sender);
  // "FEHLER" (and "LowBAT" and the status labels): the error window after a read.
  void Label12Click(TObject* Sender);
  void FormDestroy(TObject* Sender);

  // ---- Device commands (service_device_commands.cpp).
  void RTCinVD417stellen1Click(TObject* Sender);
  void ResetLKZ1Click(TObject* Sender);
  void SoftReset1Click(TObject* Sender);
  void DefaultSetupinVD4171Click(TObject* Sender);
  void SetupBackup1Click(TObject* Sender);
  void SetupRestore1Click(TObject* Sender);
  void Profibus1Click(TObject* Sender);
  // "Profibus aktiv"/"Profibus inaktiv" in Label10, as Profibus1 is ticked, in the current language.
  void ShowProfibusState();
  void SetupROClick(TObject* Sender);
  void KontModeGewichtswerte1Click(TObject* Sender);
  void KontGewichtsmodebeenden1Click(TObject* Sender);
  void Button27Click(TObject* Sender);
  void RuntimeClick(TObject* Sender);
  void Button33Click(TObject* Sender);
  void Button34Click(TObject* Sender);

  // ---- Menu entries that open windows, options and modes (service_menus.cpp).
  void ParameterKanal01Click(TObject* Sender);
  void ParameterGlobal10Click(TObject* Sender);
  void ParameterKanal11Click(TObject* Sender);
  void ParameterKanal12Click(TObject* Sender);
  void ParameterExb11Click(TObject* Sender);
  void ParameterExb12Click(TObject* Sender);
  void ADCEinstellungen1Click(TObject* Sender);
  void Terminal1Click(TObject* Sender);
  void WerteBandwaage1Click(TObject* Sender);
  void ProduktionPrfung1Click(TObject* Sender);
  void KalibrierungIntern1Click(TObject* Sender);
  void KalibrierungExtern1Click(TObject* Sender);
  void Debug1Click(TObject* Sender);
  void ADCDebug1Click(TObject* Sender);
  void Setup1Click(TObject* Sender);
  void RS232Data1Click(TObject* Sender);
  void ErrorCodes1Click(TObject* Sender);
  void FlashUpdate1Click(TObject* Sender);
  void RS2321Click(TObject* Sender);
  void RS4851Click(TObject* Sender);
  void CheckConnect1Click(TObject* Sender);
  void SetuplesenbeiNeuVerbinden1Click(TObject* Sender);
  void DemoMode1Click(TObject* Sender);
  void RS232Logging1Click(TObject* Sender);
  // Panel 0 ("RS232"): its own rectangle in the canvas's brush, then its text.
  void StatusBar1DrawPanel(TStatusBar* StatusBar, TStatusPanel* Panel, const TRect& Rect);
  // Handlers that do nothing: the logo's clicks, two labels, keys, and the
  // controls of the hidden crane-scale group box and test-machine panel.
  void FormKeyDown(TObject* Sender, int& Key, TShiftState Shift);
  void Image1Click(TObject* Sender);
  void Image1DblClick(TObject* Sender);
  void Label1Click(TObject* Sender);
  void Label11Click(TObject* Sender);
  void ComboBox2Change(TObject* Sender);
  void Button9Click(TObject* Sender);
  void Button10Click(TObject* Sender);
  void Button11Click(TObject* Sender);
  void Button12Click(TObject* Sender);
  void Button29Click(TObject* Sender);
  void Button31Click(TObject* Sender);
  void Button13Click(TObject* Sender);
  void Button14Click(TObject* Sender);
  void Button15Click(TObject* Sender);
  void Button20Click(TObject* Sender);
  void Button30Click(TObject* Sender);
  void Button32Click(TObject* Sender);
  void Button16Click(TObject* Sender);
  void Button17Click(TObject* Sender);
  void Button18Click(TObject* Sender);
  void Button19Click(TObject* Sender);
  void Button21Click(TObject* Sender);
  void Button22Click(TObject* Sender);
  void Button24Click(TObject* Sender);
  void Button23Click(TObject* Sender);
  void Button25Click(TObject* Sender);
  void Button26Click(TObject* Sender);
  void Button28Click(TObject* Sender);

  // Resets the device, waits for its restart and connects again with the
  // address of the address field; returns once polling runs again. While
  // the program ends, the device is reset and not connected again.
  void RestartAndReconnect();
  // Sends the device's reset (soft when TForm1::SoftResetRequested is 1) and
  // returns once it has gone out and the device is back from its restart.
  void ResetAndAwaitRestart();
  // Every caption and menu text in the current language.
  void ChangeLanguage();
  // Offers to store changed set-up values, resets a device that sends
  // continuously, and stores the settings.
  void StoreChangesOnExit();

 private:
  void ConnectDemo();
  void Connect();
  void Disconnect();
  // ---- Channel fields, sampling rate, set-up transfer and load calibration.
  // Handlers of the channel area, the set-up menu entries and the load
  // calibration entries onto their controls.
  void HookChannelAndSetupHandlers();
  // Writes single bytes of the set-up copy as the image holds them, in order.
  // When one fails, the image gets its bytes of `before` back, the device
  // those that had gone out, the error is shown, and the result is false.
  struct SetupByte {
    SetupSection section;
    const char* field;
  };
  bool WriteSetupBytes(const SetupImageBytes& before, std::initializer_list<SetupByte> bytes);
  // The whole section as the image holds it; on failure as WriteSetupBytes.
  bool WriteSetupSection(const SetupImageBytes& before, SetupSection section);
  // Erases the device's set-up with `fill` (hidden test-machine buttons).
  void EraseSetup(uint8_t fill);
  // The hidden group box and panel with their controls.
  void BuildHiddenPanels();
  // Menu entries onto their handlers, for the entries of the start-up,
  // device commands and menu table.
  void HookMenuHandlers();
  // The set-up hint when the image holds no set-up; true when it was shown.
  bool HintWithoutSetup();
  // The sum channel needs the same unit on both channels and the ADC's two-channel mode.
  void ApplySumChannelRule();
  void LeaveNominalField(int channel);
  void LeaveDigitsField(int channel);
  void ColourInputSignal(TEdit* field);
  // SetupModified := 1 for an edit of the channel fields; a fill is none.
  void MarkFieldEdited();
  // Channel 2 on or off as CheckBox1Click sets it up; `filling`: the
  // controls only, the image and the link stay as they are.
  void SwitchChannelTwo(bool on, bool filling);
  void OpenLoadCalibration(int channel);
  // Digits-list entry count per channel, set by leaving its nominal value field.
  int digitItemCount_[2] = {0, 0};
  int rateIndexOnEnter_ = -1;
  // Depth of programmatic fills of the channel area.
  int fieldFill_ = 0;

  // Step of the connect that needs the window still to be connecting after
  // a wait; false when another click took over meanwhile.
  bool StillConnecting(unsigned connect) const;
  void ShowIdentity();
  void AdaptToChannelCount();
  // The calibration sections again after a load calibration; false when a read failed.
  bool ReadCalibrationSections();
  unsigned connectCount_ = 0;
  bool programEnding_ = false;
  // The end of the program: the end step, then the window closes.
  void EndProgram(bool fromButton);
  // The end step, shared by the button, the menu entry and the close box; once per run.
  void RunEndStep(bool fromButton);
  bool endStepDone_ = false;
  bool firstActivationDone_ = false;
};

// 1 when the channel fields were edited since the last set-up read or write.
extern int SetupModified;
// 1 while a set-up read / write of the service window runs: polling pauses.
extern int SetupReadRunning;
extern int SetupWriteRunning;
// 1 while a set-up read that stopped polling runs and reconnects: the
// reconnect skips the identification.
extern int ReconnectAfterRead;
// 1: the user asked to zero or tare channel 1 / 2; the polling sends it.
extern int ZeroTareRequest1;
extern int ZeroTareRequest2;

extern TForm21* Form21;
