#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "app/link/device_link.h"
#include "app/link/link_events.h"
#include "app/link/paced_write.h"
#include "app/link/stream_display.h"
#include "platform/forms/forms.h"
#include "platform/forms/performance_graph.h"

class WeightLog;

// The test window, and the program's face of the device link: the link's
// services keep their names here, and the window shows what the link
// reports in its status bar, labels and weights page.
class TForm1 : public TForm, public DeviceLink, public LinkListener {
 public:
  TForm1();
  ~TForm1() override;

  // ---- Controls that show what the link reports (the rest of the window comes with its layout).
  TMainMenu* MainMenu1;
  TMenuItem* Optionen1;
  TMenuItem* RS232Fenster1;  // traffic monitor on: traces go to TForm5 and the trace file
  TMenuItem* RS232Daten1;    // received frames as hex text in Edit1
  TStatusBar* StatusBar1;
  TLabel* Label8;
  TLabel* Label9;   // error bytes
  TLabel* Label13;  // error label
  TLabel* Label19;  // port state
  TLabel* Label35;  // status byte
  TLabel* Label_PC_Time;
  TEdit* Edit1;          // last received telegram as text
  TCheckBox* CheckBox2;  // loop switch "Schleife [ms]" of the weights page

  // ---- Layout of the test window: menus.
  TMenuItem* Datei1;
  TMenuItem* Logdateianzeigen1;
  TMenuItem* B1;  // "Beenden"
  TMenuItem* RS232Parameter1;
  TMenuItem* ProgrammOptionen1;
  TMenuItem* VD4171;
  TMenuItem* Verwaltung1;
  TMenuItem* Setup1;
  TMenuItem* Kalibrierung1;
  TMenuItem* Intern1;
  TMenuItem* Extern1;
  TMenuItem* ADCFunktionen1;
  TMenuItem* ErrorCodes1;
  TMenuItem* Lesen1;
  TMenuItem* Rcksetzen1;
  TMenuItem* VD417Reset1;
  TMenuItem* SoftReset1;
  TMenuItem* ADCReset1;
  TMenuItem* RcksetzenCmd1;
  TMenuItem* RcksetzenCmdFail1;
  TMenuItem* rtv482;  // top-level entry "RTV482": the service window
  TMenuItem* Test1;
  TMenuItem* TestRS2321;
  TMenuItem* TestRs232terminal1;
  TMenuItem* TestProfibus1;
  TMenuItem* RuecksetzenVD417Info1;
  TMenuItem* VD417Debug1;
  TMenuItem* Testcportdll1;
  TMenuItem* Logging1;
  TMenuItem* RS232Logging1;
  TMenuItem* Info1;
  TMenuItem* Hilfe1;
  TMenuItem* About1;

  // ---- Layout: the page "Informationen" and the status groups.
  TPageControl* PageControl1;
  TTabSheet* TabSheet1;  // "Informationen"
  TTabSheet* TabSheet2;  // "Gewichtswerte"
  TGroupBox* GroupBox3;  // "Infomationen"
  TPanel* Panel1;        // "Gerätedaten"
  TPanel* Panel2;        // "Datum / Zeit"
  TLabel* Label_VD417_FW;
  TLabel* Label_VD417_FV;
  TLabel* Label_VD417_FD;
  TLabel* Label_VD417_HW;
  TLabel* Label_VD417_SN;
  TLabel* Label_VD417_PD;
  TLabel* Label_VD417_IT;
  TLabel* Label_EXB_FW;
  TLabel* Label_EXB_HW;
  TLabel* Label_VD417_Time;  // the device clock
  TButton* Button1;          // "VD417-Einstellungen"
  TButton* Button6;          // "ABBRUCH Kommunikation"
  TGroupBox* GroupBox1;      // "PB-Status"
  TLabel* Label3;            // "SPC3-Status"
  TLabel* Label4;            // Profibus state as a number
  TLabel* Label1;            // Profibus state by name
  TGroupBox* GroupBox2;      // "RS232/485-Status"
  TLabel* Label15;           // "VD417-Adr"
  TLabel* Label16;           // device address
  TLabel* Label17;           // "RS232-Status"
  TGroupBox* GroupBox4;      // "VD417-Status"
  TLabel* Label12;           // "Fehlerstatus"
  TLabel* Label34;           // "Status"
  TButton* Button3;          // "RS232-Fenster"
  TButton* Button4;          // "VD417-Setup"
  TButton* Button5;          // "Error-Code"
  TButton* Button2;          // "ADC-Funktionen"
  TButton* Button7;          // "VD417 Verwaltung"
  TButton* Button8;          // "Int. Kalibrierung"
  TButton* Button12;         // "Ext. Kalibrierung"
  TButton* Button10;         // "VD417-Debug"
  TButton* Button11;         // "Test PB"
  TButton* Button16;         // "Reset VD417"

  // ---- Layout: the page "Gewichtswerte".
  TLabel* Label20;  // page title
  TLabel* Label31;  // active channel, "-  Kanal 1" / "-  Kanal 2"
  TLabel* Label21;
  TLabel* Label22;  // gross
  TLabel* Label23;
  TLabel* Label24;  // net
  TLabel* Label25;
  TLabel* Label26;  // tare
  TLabel* Label27;  // the raw weight text
  TLabel* Label28;
  TLabel* Label29;  // channel number of the weight text
  TButton* Button9;  // "Lesen"
  TEdit* Edit2;      // loop pause in ms
  TCheckBox* CheckBox3;  // "Log in Datei"
  TButton* Button13;     // "Nullen"
  TButton* Button14;     // "Tarieren"
  TCheckBox* CheckBox4;  // "Tarawert speichern"
  TEdit* Edit3;          // weight for taring by weight
  TButton* Button15;     // "Tarieren (Gewicht)"
  TLabel* Label30;       // "Kanalumschaltung (cont. Mode)"
  TButton* Button17;     // channel switch
  TLabel* Label36;
  TRadioButton* RadioButton1;  // "Kanal 1"
  TRadioButton* RadioButton2;  // "Kanal 2"
  TButton* Button20;           // "GTWV - 2-Kanäle"
  TCheckBox* CheckBox1;        // "Schleife" of the raw read
  TButton* Button22;           // "VD417-Einstellungen"

  // ---- Layout: timers and dialogs.
  TTimer* Timer3;  // value-stream display
  TTimer* Timer5;  // diagnosis
  TTimer* Timer7;  // port retry
  TTimer* Timer8;  // cyclic bus poll
  TOpenDialog* OpenDialog1;
  TSaveDialog* SaveDialog1;
  TOpenDialog* OpenDialog2;  // the log-file viewer's

  // ---- Program start and end, settings, languages, access
  // The start of the link at the main window's first activation: settings,
  // language, serial port, device search, diagnosis and trace. 0, or 4 when
  // the port could not be opened.
  uint8_t StartUp();
  // Closes the trace file, writes the program ini and "rs232.ini" and closes
  // the port; runs once per program run.
  void StoreComSettings();
  int SettingsStored = 0;  // 1 once the storing step has run
  void LoadProgramSettings();
  void SaveProgramSettings();
  // Loads "rs232.ini" and opens the port as a test: 0, or 4 when it could not be opened.
  uint8_t LoadComSettings();
  // The program ini: the program file's path with ".ini" for its extension,
  // unless ProgramIniFileName names another file.
  std::string ProgramIniPath() const;
  std::string ProgramIniFileName;
  // Re-captions every translated window in the language `lang`.
  void ChangeLanguageAll();

  // Access to the factory functions.
  // The guarded-action check: true at once in supervisor mode, otherwise
  // after the password dialog has accepted the password.
  bool AccessGranted();
  void ShowAboutBox();
  // A value of the program's version information ("FileVersion"); empty when unknown.
  std::string GetVersionInfo(const std::string& key) const;

  // ---- The test window's working fields.
  int CalibrationServiceMode = 0;   // 0: the calibration windows show all controls
  std::string SetupFileDialogName;  // name that the set-up file dialogs start with

  // The device clock as "dd.mm.yy   hh:mm:ss    Wd" into Label_VD417_Time.
  void ShowDeviceClock();


  // ---- Handlers of the test window.
  void FormActivate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void Button1Click(TObject* Sender);
  void Button22Click(TObject* Sender);
  void Button6Click(TObject* Sender);
  void Button9Click(TObject* Sender);
  void Button13Click(TObject* Sender);
  void Button14Click(TObject* Sender);
  void Button15Click(TObject* Sender);
  void Button17Click(TObject* Sender);
  void Button20Click(TObject* Sender);
  void Button3Click(TObject* Sender);
  void Button4Click(TObject* Sender);
  void Button5Click(TObject* Sender);
  void Button2Click(TObject* Sender);
  void Button7Click(TObject* Sender);
  void Button8Click(TObject* Sender);
  void Button12Click(TObject* Sender);
  void Button10Click(TObject* Sender);
  void Button11Click(TObject* Sender);
  void Button16Click(TObject* Sender);
  void Label3Click(TObject* Sender);
  void Label8Click(TObject* Sender);
  void Label12Click(TObject* Sender);
  void Label15Click(TObject* Sender);
  void Label19Click(TObject* Sender);
  void Lesen1Click(TObject* Sender);
  void Rcksetzen1Click(TObject* Sender);
  void Logdateianzeigen1Click(TObject* Sender);
  void B1Click(TObject* Sender);
  void RS232Parameter1Click(TObject* Sender);
  void RS232Fenster1Click(TObject* Sender);
  void RS232Daten1Click(TObject* Sender);
  void ProgrammOptionen1Click(TObject* Sender);
  void Verwaltung1Click(TObject* Sender);
  void Setup1Click(TObject* Sender);
  void Intern1Click(TObject* Sender);
  void Extern1Click(TObject* Sender);
  void ADCFunktionen1Click(TObject* Sender);
  void VD417Reset1Click(TObject* Sender);
  void SoftReset1Click(TObject* Sender);
  void ADCReset1Click(TObject* Sender);
  void RcksetzenCmd1Click(TObject* Sender);
  void RcksetzenCmdFail1Click(TObject* Sender);
  void rtv482Click(TObject* Sender);
  void TestRS2321Click(TObject* Sender);
  void TestRs232terminal1Click(TObject* Sender);
  void TestProfibus1Click(TObject* Sender);
  void RuecksetzenVD417Info1Click(TObject* Sender);
  void VD417Debug1Click(TObject* Sender);
  void RS232Logging1Click(TObject* Sender);
  void About1Click(TObject* Sender);
  void Timer3Timer(TObject* Sender);
  // The value-stream texts: the ADC window's counts and mV/V, the ring index.
  void ShowStreamReading();
  void Timer5Timer(TObject* Sender);
  void Timer7Timer(TObject* Sender);
  void Timer8Timer(TObject* Sender);
  void ComPort1AfterOpen(TObject* Sender);
  void ComPort1Error(TObject* Sender, int Errors);

  void StatusBar1DrawPanel(TStatusBar* StatusBar, TStatusPanel* Panel, const TRect& Rect);

  // ---- What the link reports, as the test window shows it.
  void StatusFieldShown(LinkStatusField field, const std::string& text) override;
  void QueueTicked() override;
  void SendTried(int triesLeft) override;
  void ReceivedText(const std::string& hex) override;
  void PortStateChanged(bool open) override;
  void SendActivity(bool on) override;
  void LinkReset() override;
  void CommErrorRaised() override;
  void CommErrorCleared() override;
  void PortNameFound(const std::string& name) override;
  void StatusByteShown(const std::string& text) override;
  void DeviceErrorShown(DeviceErrorSign sign) override;
  void ErrorCodesShown(const std::array<uint8_t, 2>& codes) override;
  void ErrorCodesCleared() override;
  void AdcModeReported(const std::string& mode) override;
  void DeviceInfoShown(const DeviceInformation& identity) override;
  void ExtensionBoardAbsent() override;
  void SetupCopyShown(const std::string& text) override;
  void ActiveChannelRead(int channel) override;
  void ConversionModeKnown(bool continuous) override;
  void ChannelShown() override;
  void DeviceClockRead(const std::array<uint8_t, 10>& clock) override;
  void ContinuousOutputStarted() override;
  void ContinuousOutputStopping() override;
  void ProfibusStateReported(int state) override;

 private:
  // The windows made before the link subscribe when it is made.
  void SubscribeWindows();
  // Parts of the test window's layout.
  void BuildMenus();
  void BuildInformationPage();
  void BuildWeightsPage();
  void BuildStatusGroups();
  // Runs one weight read; false when its request failed.
  bool ReadWeightOnce(bool logging, WeightLog& log);
  void ShowChannel(int channel);
  int weightLoopDepth_ = 0;  // runs of "Lesen" on the stack

  StreamReading streamReading_;            // what the display tick took last
  std::unique_ptr<PacedWrite> streamTexts_;  // the reading's texts
};

extern TForm1* Form1;

// Subscribes a window to the program's link when there is one already; a
// link made later subscribes the windows that exist then.
void SubscribeToLink(LinkListener* window);
