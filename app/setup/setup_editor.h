#pragma once
// The set-up editor: every section of the set-up image on 18 pages, the
// display of a section on the controls, the codec back into the image (and
// to the device), the dependent-control rules and the input checks.
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "app/link/link_events.h"
#include "app/link/setup_image.h"
#include "app/setup/section_codec.h"
#include "platform/forms/forms.h"

class TForm3 : public TForm, public SetupControlReader, public LinkListener {
 public:
  TForm3();

  // ---- What the link reports: the identified device's variant and board,
  // the set-up backup and the set-up checksum box.
  void DeviceAnswered() override;
  void VariantAdapted(const VariantAdaptation& variant) override;
  void BoardAdapted(const HardwareAdaptation& board) override;
  void SetupBackupKnown(bool present) override;
  void SetupChecksumShown() override;

  // Shows one section of the image on the controls (SECTION_GBL, SECTION_SAV
  // or SetupBase + the section's offset); a code that names no section shows
  // nothing.
  void SetupToControls(int section);
  // Rebuilds one section of the image from the controls; with
  // CODEC_WRITE_DEVICE it then writes the section to the device.
  void ControlsToSetup(int section, int mode);

  // Dependent controls shared with the display and the identification.
  void ApplyChannelCount();
  void ShowCalibrationPoints(int channel);
  void ShowFreeDivisionEdits(int channel);
  void EnableUnitRows();
  void ShowInterfaceGroups();

  // A control by its component name, or nullptr.
  TControl* FindControl(std::string_view name) const;

  // ---- Whole set-up transfers (setup_transfer.cpp).
  // Reads every section from the device into the image and shows it.
  void ReadSetupFromDevice();
  // Writes every section but SAV, as the controls show it, to the device.
  void WriteSetupToDevice();
  // True while a read or write of the set-up runs; the transfers and the
  // page buttons then start nothing further.
  bool TransferRunning() const { return transferRunning_; }

  // ---- Set-up files (setup_file_commands.cpp).
  // Asks for a file name and saves what the controls hold.
  void SaveSetupFile();
  // Asks for a file, reads it into the image and shows it.
  void LoadSetupFile();
  // The name last chosen in either set-up file dialog, as it was chosen.
  std::string SetupFileName;
  // Set by each load: 1 when a file was chosen and read, 0 otherwise.
  int SetupFileChosen = 0;

  // ---- The window: activation, toolbar and device commands (setup_editor_window.cpp).
  void ActivateWindow(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void ENDEClick(TObject* Sender);
  void Button4Click(TObject* Sender);   // "Laden"
  void Button3Click(TObject* Sender);   // "Speichern"
  void Button5Click(TObject* Sender);   // "VD417 -> PC"
  void Button6Click(TObject* Sender);   // "PC -> VD417"
  void Button35Click(TObject* Sender);  // "Setup 1"
  void Button36Click(TObject* Sender);  // "Setup 2"
  void Button54Click(TObject* Sender);  // "Soft-Reset"
  void Button37Click(TObject* Sender);  // "Reset VD417" (top row)
  void Button22Click(TObject* Sender);  // "Defaultwerte laden" (bottom row)
  void Button25Click(TObject* Sender);  // "Admin Setup"
  void Button45Click(TObject* Sender);  // "Default-Setup -> VD417"
  void Button11Click(TObject* Sender);  // "Berechnen"
  void Button12Click(TObject* Sender);  // "CSum-Test"
  void Button13Click(TObject* Sender);  // checksum "Lesen"
  void Button18Click(TObject* Sender);  // "Reset VD417" (ADM)
  void Button20Click(TObject* Sender);  // "Defaultwerte -> EEPROM"
  void Button21Click(TObject* Sender);  // "Runtimewerte -> EEPROM"
  void Button57Click(TObject* Sender);  // "Backup"
  void Button58Click(TObject* Sender);  // "Restore"
  void Button7Click(TObject* Sender);   // "Defaultwerte laden" (ADM)
  void Button9Click(TObject* Sender);   // "EEPROM-Werte laden"
  void Button10Click(TObject* Sender);  // "Setzen"

  // ---- Page buttons "Lesen" / "Schreiben" (setup_page_buttons.cpp).
  void Button33Click(TObject* Sender);  // GBL
  void Button34Click(TObject* Sender);
  void Button14Click(TObject* Sender);  // LPC
  void Button17Click(TObject* Sender);
  void Button23Click(TObject* Sender);  // ADC_1
  void Button8Click(TObject* Sender);
  void Button38Click(TObject* Sender);  // ADC_2
  void Button39Click(TObject* Sender);
  void Button55Click(TObject* Sender);  // ADC_3
  void Button56Click(TObject* Sender);
  void Button43Click(TObject* Sender);  // CAL
  void Button44Click(TObject* Sender);
  void Button16Click(TObject* Sender);  // WKG_0_1
  void Button19Click(TObject* Sender);
  void Button40Click(TObject* Sender);  // WKG_0_2
  void Button41Click(TObject* Sender);
  void Button31Click(TObject* Sender);  // WKG_1_1
  void Button32Click(TObject* Sender);
  void Button46Click(TObject* Sender);  // WKG_1_2
  void Button47Click(TObject* Sender);
  void Button48Click(TObject* Sender);  // WKS
  void Button49Click(TObject* Sender);
  void Button26Click(TObject* Sender);  // CHN
  void Button27Click(TObject* Sender);
  void Button2Click(TObject* Sender);   // LKZ / BW
  void Button51Click(TObject* Sender);
  void Button1Click(TObject* Sender);   // EXB_1
  void Button24Click(TObject* Sender);
  void Button29Click(TObject* Sender);  // EXB_2
  void Button30Click(TObject* Sender);
  void Button50Click(TObject* Sender);  // MSC
  void Button59Click(TObject* Sender);
  void Button15Click(TObject* Sender);  // ADM
  void Button28Click(TObject* Sender);
  void Button42Click(TObject* Sender);  // SAV (read only)
  void Button52Click(TObject* Sender);  // factory values of channel 1
  void Button53Click(TObject* Sender);  // factory values of channel 2

  // What the codec reads of the controls.
  std::string Text(std::string_view control) const override;
  int ItemIndex(std::string_view control) const override;
  bool Checked(std::string_view control) const override;

  // Dependent-control handlers: channels, calibration and units.
  void ComboBox5Change(TObject* Sender);
  void ComboBox16Change(TObject* Sender);
  void ComboBox17Change(TObject* Sender);
  void ComboBox40Change(TObject* Sender);
  void ComboBox41Change(TObject* Sender);
  void ComboBox15Change(TObject* Sender);
  void ComboBox19Change(TObject* Sender);
  void CheckBox5Click(TObject* Sender);
  void CheckBox6Click(TObject* Sender);
  void CheckBox7Click(TObject* Sender);
  void CheckBox8Click(TObject* Sender);
  void CheckBox9Click(TObject* Sender);
  void CheckBox10Click(TObject* Sender);
  void CheckBox11Click(TObject* Sender);
  void CheckBox12Click(TObject* Sender);
  void ComboBox33Change(TObject* Sender);
  void ComboBox29Change(TObject* Sender);
  void ComboBox48Change(TObject* Sender);
  void ComboBox52Change(TObject* Sender);
  void ComboBox54Change(TObject* Sender);
  void ComboBox57Change(TObject* Sender);
  void ComboBox58Change(TObject* Sender);
  void ComboBox61Change(TObject* Sender);
  void ComboBox7Change(TObject* Sender);
  void ComboBox46Change(TObject* Sender);
  void ComboBox47Change(TObject* Sender);
  void ComboBox53Change(TObject* Sender);
  void ComboBox62Change(TObject* Sender);
  void ComboBox63Change(TObject* Sender);
  void ComboBox64Change(TObject* Sender);
  void ComboBox65Change(TObject* Sender);
  void ComboBox88Change(TObject* Sender);
  void ComboBox90Change(TObject* Sender);
  void ComboBox8Change(TObject* Sender);
  void ComboBox82Change(TObject* Sender);
  void CheckBox36Click(TObject* Sender);
  void ComboBox102Change(TObject* Sender);

  // Dependent-control handlers: interfaces, extension board, display, modules.
  void ComboBox4Change(TObject* Sender);
  void ComboBox6Change(TObject* Sender);
  void ComboBox14Change(TObject* Sender);
  void CheckBox14Click(TObject* Sender);
  void CheckBox40Click(TObject* Sender);
  void CheckBox41Click(TObject* Sender);
  void CheckBox16Click(TObject* Sender);
  void CheckBox17Click(TObject* Sender);
  void CheckBox19Click(TObject* Sender);
  void RadioButton7Click(TObject* Sender);
  void RadioButton3Click(TObject* Sender);
  void RadioButton4Click(TObject* Sender);
  void RadioButton9Click(TObject* Sender);
  void RadioButton8Click(TObject* Sender);
  void RadioButton5Click(TObject* Sender);
  void RadioButton6Click(TObject* Sender);
  void RadioButton10Click(TObject* Sender);
  void ComboBox77Change(TObject* Sender);
  void ComboBox80Change(TObject* Sender);
  void CheckBox48Click(TObject* Sender);
  void ComboBox98Change(TObject* Sender);
  void ComboBox100Change(TObject* Sender);
  void ComboBox100Exit(TObject* Sender);
  void CheckBox21Click(TObject* Sender);
  void GroupBox24Click(TObject* Sender);
  void GroupBox25Click(TObject* Sender);
  void Label84Click(TObject* Sender);

  // Input checks: range checks on leaving an edit, point counts on change.
  void Edit60Exit(TObject* Sender);
  void Edit108Exit(TObject* Sender);
  void Edit61Exit(TObject* Sender);
  void Edit109Exit(TObject* Sender);
  void Edit62Exit(TObject* Sender);
  void Edit110Exit(TObject* Sender);
  void Edit63Exit(TObject* Sender);
  void Edit111Exit(TObject* Sender);
  void Edit67Exit(TObject* Sender);
  void Edit112Exit(TObject* Sender);
  void Edit68Exit(TObject* Sender);
  void Edit113Exit(TObject* Sender);
  void Edit99Exit(TObject* Sender);
  void Edit116Exit(TObject* Sender);
  void Edit69Exit(TObject* Sender);
  void Edit126Exit(TObject* Sender);
  void Edit70Exit(TObject* Sender);
  void Edit122Exit(TObject* Sender);
  void Edit71Exit(TObject* Sender);
  void Edit121Exit(TObject* Sender);
  void Edit129Exit(TObject* Sender);
  void Edit130Exit(TObject* Sender);
  void Edit131Exit(TObject* Sender);
  void Edit132Exit(TObject* Sender);
  void Edit133Exit(TObject* Sender);
  void Edit134Exit(TObject* Sender);
  void Edit137Exit(TObject* Sender);
  void Edit138Exit(TObject* Sender);
  void Edit142Exit(TObject* Sender);
  void Edit12Exit(TObject* Sender);
  void Edit16Exit(TObject* Sender);
  void Edit139Exit(TObject* Sender);
  void Edit25Change(TObject* Sender);
  void Edit51Change(TObject* Sender);
  void Edit61Change(TObject* Sender);

  // Components.
  TPageControl* PageControl1 = nullptr;
  TProgressBar* ProgressBar1 = nullptr;
  TButton* ENDE = nullptr;
  TOpenDialog* OpenDialog1 = nullptr;
  TSaveDialog* SaveDialog1 = nullptr;
  TEdit *Edit1 = nullptr, *Edit2 = nullptr, *Edit3 = nullptr, *Edit4 = nullptr, *Edit5 = nullptr, *Edit6 = nullptr,
      *Edit7 = nullptr, *Edit8 = nullptr, *Edit9 = nullptr, *Edit10 = nullptr, *Edit11 = nullptr,
      *Edit12 = nullptr, *Edit13 = nullptr, *Edit14 = nullptr, *Edit15 = nullptr, *Edit16 = nullptr,
      *Edit17 = nullptr, *Edit18 = nullptr, *Edit19 = nullptr, *Edit20 = nullptr, *Edit21 = nullptr,
      *Edit22 = nullptr, *Edit23 = nullptr, *Edit24 = nullptr, *Edit25 = nullptr, *Edit26 = nullptr,
      *Edit27 = nullptr, *Edit28 = nullptr, *Edit29 = nullptr, *Edit30 = nullptr, *Edit31 = nullptr,
      *Edit32 = nullptr, *Edit33 = nullptr, *Edit34 = nullptr, *Edit35 = nullptr, *Edit36 = nullptr,
      *Edit37 = nullptr, *Edit38 = nullptr, *Edit39 = nullptr, *Edit40 = nullptr, *Edit41 = nullptr,
      *Edit42 = nullptr, *Edit43 = nullptr, *Edit44 = nullptr, *Edit45 = nullptr, *Edit46 = nullptr,
      *Edit47 = nullptr, *Edit48 = nullptr, *Edit49 = nullptr, *Edit50 = nullptr, *Edit51 = nullptr,
      *Edit52 = nullptr, *Edit53 = nullptr, *Edit54 = nullptr, *Edit55 = nullptr, *Edit56 = nullptr,
      *Edit57 = nullptr, *Edit58 = nullptr, *Edit59 = nullptr, *Edit60 = nullptr, *Edit61 = nullptr,
      *Edit62 = nullptr, *Edit63 = nullptr, *Edit64 = nullptr, *Edit65 = nullptr, *Edit66 = nullptr,
      *Edit67 = nullptr, *Edit68 = nullptr, *Edit69 = nullptr, *Edit70 = nullptr, *Edit71 = nullptr,
      *Edit72 = nullptr, *Edit73 = nullptr, *Edit74 = nullptr, *Edit75 = nullptr, *Edit76 = nullptr,
      *Edit77 = nullptr, *Edit78 = nullptr, *Edit79 = nullptr, *Edit80 = nullptr, *Edit81 = nullptr,
      *Edit82 = nullptr, *Edit83 = nullptr, *Edit84 = nullptr, *Edit85 = nullptr, *Edit86 = nullptr,
      *Edit87 = nullptr, *Edit88 = nullptr, *Edit89 = nullptr, *Edit90 = nullptr, *Edit91 = nullptr,
      *Edit92 = nullptr, *Edit93 = nullptr, *Edit94 = nullptr, *Edit95 = nullptr, *Edit96 = nullptr,
      *Edit97 = nullptr, *Edit98 = nullptr, *Edit99 = nullptr, *Edit100 = nullptr, *Edit101 = nullptr,
      *Edit102 = nullptr, *Edit103 = nullptr, *Edit104 = nullptr, *Edit105 = nullptr, *Edit106 = nullptr,
      *Edit107 = nullptr, *Edit108 = nullptr, *Edit109 = nullptr, *Edit110 = nullptr, *Edit111 = nullptr,
      *Edit112 = nullptr, *Edit113 = nullptr, *Edit114 = nullptr, *Edit115 = nullptr, *Edit116 = nullptr,
      *Edit117 = nullptr, *Edit118 = nullptr, *Edit121 = nullptr, *Edit122 = nullptr, *Edit123 = nullptr,
      *Edit124 = nullptr, *Edit125 = nullptr, *Edit126 = nullptr, *Edit127 = nullptr, *Edit128 = nullptr,
      *Edit129 = nullptr, *Edit130 = nullptr, *Edit131 = nullptr, *Edit132 = nullptr, *Edit133 = nullptr,
      *Edit134 = nullptr, *Edit135 = nullptr, *Edit136 = nullptr, *Edit137 = nullptr, *Edit138 = nullptr,
      *Edit139 = nullptr, *Edit142 = nullptr, *Edit143 = nullptr, *Edit144 = nullptr;
  TComboBox *ComboBox1 = nullptr, *ComboBox2 = nullptr, *ComboBox3 = nullptr, *ComboBox4 = nullptr,
      *ComboBox5 = nullptr, *ComboBox6 = nullptr, *ComboBox7 = nullptr, *ComboBox8 = nullptr, *ComboBox9 = nullptr,
      *ComboBox10 = nullptr, *ComboBox11 = nullptr, *ComboBox12 = nullptr, *ComboBox13 = nullptr,
      *ComboBox14 = nullptr, *ComboBox15 = nullptr, *ComboBox16 = nullptr, *ComboBox17 = nullptr,
      *ComboBox18 = nullptr, *ComboBox19 = nullptr, *ComboBox20 = nullptr, *ComboBox23 = nullptr,
      *ComboBox24 = nullptr, *ComboBox27 = nullptr, *ComboBox28 = nullptr, *ComboBox29 = nullptr,
      *ComboBox30 = nullptr, *ComboBox31 = nullptr, *ComboBox32 = nullptr, *ComboBox33 = nullptr,
      *ComboBox34 = nullptr, *ComboBox35 = nullptr, *ComboBox36 = nullptr, *ComboBox37 = nullptr,
      *ComboBox38 = nullptr, *ComboBox39 = nullptr, *ComboBox40 = nullptr, *ComboBox41 = nullptr,
      *ComboBox42 = nullptr, *ComboBox43 = nullptr, *ComboBox44 = nullptr, *ComboBox45 = nullptr,
      *ComboBox46 = nullptr, *ComboBox47 = nullptr, *ComboBox48 = nullptr, *ComboBox49 = nullptr,
      *ComboBox50 = nullptr, *ComboBox51 = nullptr, *ComboBox52 = nullptr, *ComboBox53 = nullptr,
      *ComboBox54 = nullptr, *ComboBox55 = nullptr, *ComboBox56 = nullptr, *ComboBox57 = nullptr,
      *ComboBox58 = nullptr, *ComboBox59 = nullptr, *ComboBox60 = nullptr, *ComboBox61 = nullptr,
      *ComboBox62 = nullptr, *ComboBox63 = nullptr, *ComboBox64 = nullptr, *ComboBox65 = nullptr,
      *ComboBox66 = nullptr, *ComboBox67 = nullptr, *ComboBox68 = nullptr, *ComboBox69 = nullptr,
      *ComboBox70 = nullptr, *ComboBox71 = nullptr, *ComboBox72 = nullptr, *ComboBox73 = nullptr,
      *ComboBox74 = nullptr, *ComboBox75 = nullptr, *ComboBox76 = nullptr, *ComboBox77 = nullptr,
      *ComboBox78 = nullptr, *ComboBox79 = nullptr, *ComboBox80 = nullptr, *ComboBox81 = nullptr,
      *ComboBox82 = nullptr, *ComboBox86 = nullptr, *ComboBox87 = nullptr, *ComboBox88 = nullptr,
      *ComboBox89 = nullptr, *ComboBox90 = nullptr, *ComboBox91 = nullptr, *ComboBox92 = nullptr,
      *ComboBox93 = nullptr, *ComboBox94 = nullptr, *ComboBox95 = nullptr, *ComboBox96 = nullptr,
      *ComboBox97 = nullptr, *ComboBox98 = nullptr, *ComboBox99 = nullptr, *ComboBox100 = nullptr,
      *ComboBox101 = nullptr, *ComboBox102 = nullptr;
  TCheckBox *CheckBox1 = nullptr, *CheckBox2 = nullptr, *CheckBox3 = nullptr, *CheckBox4 = nullptr,
      *CheckBox5 = nullptr, *CheckBox6 = nullptr, *CheckBox7 = nullptr, *CheckBox8 = nullptr, *CheckBox9 = nullptr,
      *CheckBox10 = nullptr, *CheckBox11 = nullptr, *CheckBox12 = nullptr, *CheckBox13 = nullptr,
      *CheckBox14 = nullptr, *CheckBox15 = nullptr, *CheckBox16 = nullptr, *CheckBox17 = nullptr,
      *CheckBox18 = nullptr, *CheckBox19 = nullptr, *CheckBox20 = nullptr, *CheckBox21 = nullptr,
      *CheckBox22 = nullptr, *CheckBox23 = nullptr, *CheckBox24 = nullptr, *CheckBox25 = nullptr,
      *CheckBox26 = nullptr, *CheckBox27 = nullptr, *CheckBox28 = nullptr, *CheckBox29 = nullptr,
      *CheckBox30 = nullptr, *CheckBox31 = nullptr, *CheckBox32 = nullptr, *CheckBox33 = nullptr,
      *CheckBox35 = nullptr, *CheckBox36 = nullptr, *CheckBox37 = nullptr, *CheckBox38 = nullptr,
      *CheckBox39 = nullptr, *CheckBox40 = nullptr, *CheckBox41 = nullptr, *CheckBox42 = nullptr,
      *CheckBox43 = nullptr, *CheckBox44 = nullptr, *CheckBox45 = nullptr, *CheckBox46 = nullptr,
      *CheckBox47 = nullptr, *CheckBox48 = nullptr, *CheckBox49 = nullptr, *CheckBox50 = nullptr,
      *CheckBox51 = nullptr, *CheckBox52 = nullptr;
  TRadioButton *RadioButton1 = nullptr, *RadioButton2 = nullptr, *RadioButton3 = nullptr, *RadioButton4 = nullptr,
      *RadioButton5 = nullptr, *RadioButton6 = nullptr, *RadioButton7 = nullptr, *RadioButton8 = nullptr,
      *RadioButton9 = nullptr, *RadioButton10 = nullptr;
  TButton *Button1 = nullptr, *Button2 = nullptr, *Button3 = nullptr, *Button4 = nullptr, *Button5 = nullptr,
      *Button6 = nullptr, *Button7 = nullptr, *Button8 = nullptr, *Button9 = nullptr, *Button10 = nullptr,
      *Button11 = nullptr, *Button12 = nullptr, *Button13 = nullptr, *Button14 = nullptr, *Button15 = nullptr,
      *Button16 = nullptr, *Button17 = nullptr, *Button18 = nullptr, *Button19 = nullptr, *Button20 = nullptr,
      *Button21 = nullptr, *Button22 = nullptr, *Button23 = nullptr, *Button24 = nullptr, *Button25 = nullptr,
      *Button26 = nullptr, *Button27 = nullptr, *Button28 = nullptr, *Button29 = nullptr, *Button30 = nullptr,
      *Button31 = nullptr, *Button32 = nullptr, *Button33 = nullptr, *Button34 = nullptr, *Button35 = nullptr,
      *Button36 = nullptr, *Button37 = nullptr, *Button38 = nullptr, *Button39 = nullptr, *Button40 = nullptr,
      *Button41 = nullptr, *Button42 = nullptr, *Button43 = nullptr, *Button44 = nullptr, *Button45 = nullptr,
      *Button46 = nullptr, *Button47 = nullptr, *Button48 = nullptr, *Button49 = nullptr, *Button50 = nullptr,
      *Button51 = nullptr, *Button52 = nullptr, *Button53 = nullptr, *Button54 = nullptr, *Button55 = nullptr,
      *Button56 = nullptr, *Button57 = nullptr, *Button58 = nullptr, *Button59 = nullptr;
  TLabel *Label65 = nullptr, *Label70 = nullptr, *Label83 = nullptr, *Label84 = nullptr, *Label133 = nullptr,
      *Label254 = nullptr, *Label291 = nullptr, *Label292 = nullptr, *Label293 = nullptr;
  TGroupBox *GroupBox1 = nullptr, *GroupBox2 = nullptr, *GroupBox3 = nullptr, *GroupBox6 = nullptr,
      *GroupBox8 = nullptr, *GroupBox9 = nullptr, *GroupBox15 = nullptr, *GroupBox22 = nullptr,
      *GroupBox24 = nullptr, *GroupBox25 = nullptr, *GroupBox26 = nullptr, *GroupBox28 = nullptr,
      *GroupBox29 = nullptr, *GroupBox43 = nullptr, *GroupBox45 = nullptr;

 private:
  // Layout of the window and of each page (setup_editor_layout.cpp).
  void BuildLayout();
  void BuildGblPage(TTabSheet* page);
  void BuildLpcPage(TTabSheet* page);
  void BuildAdc1Page(TTabSheet* page);
  void BuildAdc2Page(TTabSheet* page);
  void BuildAdc3Page(TTabSheet* page);
  void BuildCalPage(TTabSheet* page);
  void BuildWkgPages(TTabSheet* first, TTabSheet* second, int channel);
  void BuildWksPage(TTabSheet* page);
  void BuildChnPage(TTabSheet* page);
  void BuildLkzPage(TTabSheet* page);
  void BuildExb1Page(TTabSheet* page);
  void BuildExb2Page(TTabSheet* page);
  void BuildMscPage(TTabSheet* page);
  void BuildAdmPage(TTabSheet* page);
  void BuildSavPage(TTabSheet* page);
  void WireHandlers();
  friend class EditorLayout;

  // The display of each section (setup_display.cpp).
  void ShowGbl(std::span<const uint8_t> s);
  void ShowLpc(std::span<const uint8_t> s);
  void ShowAdc(std::span<const uint8_t> s);
  void ShowWkg(std::span<uint8_t> s, int channel);
  void ShowWks(std::span<const uint8_t> s);
  void ShowChn(std::span<const uint8_t> s, int channel);
  void ShowExb(std::span<const uint8_t> s);
  void ShowMsc(std::span<const uint8_t> s);
  void ShowAdm(std::span<const uint8_t> s);
  void ShowSav(std::span<const uint8_t> s);

  void RangeCheckExit(TEdit* edit);
  void PointCountChange(TEdit* edit, int channel);
  void CalibrationGroup(int channel);
  void CalibrationSet(int channel);
  void RelayActive(int relay);
  void RelayCondition(int relay, TRadioButton* button);
  void RelayChannel(int relay);
  void DisplayChannel();

  // One section, named by its place rather than by its code (codes depend
  // on SetupBase, and with SetupBase 0 the ADM code names GBL).
  void ShowSection(SetupSection section);
  void RebuildFromControls(SetupSection section);
  // Writes the rebuilt section to the device at SetupBase; false when any
  // part of it got no valid answer or an answer with the device's error status.
  bool WriteSection(SetupSection section);
  // Reads one section from the device into the image; false when it could
  // not be read whole. The section is then erased (0xFF) or, without
  // `eraseOnFailure`, left as it was.
  bool ReadSection(SetupSection section, bool eraseOnFailure);

  // Transfers (setup_transfer.cpp).
  // True when SetupBase names a set-up copy, after asking the device for its
  // active set-up if it did not; otherwise the refusal has been shown.
  bool EnsureSetupBase();
  // Asks the device which set-up is active and takes SetupBase from it;
  // false when no valid answer came (SetupBase then stays).
  bool QueryActiveSetup();
  void SetProgress(int position);
  void ShowProgress(bool visible);
  // Marks a transfer as running and disables the buttons that start one.
  class TransferScope;
  friend class TransferScope;
  std::vector<TButton*> TransferButtons() const;

  // Page buttons (setup_page_buttons.cpp).
  void ReadPage(int page);
  void WritePage(int page);
  void WriteFactoryValues(int channel);

  std::unordered_map<std::string, TControl*> controls_;
  bool transferRunning_ = false;
};

// 1 once an activation of the editor has asked the device for its active
// set-up since the editor was last closed.
extern int SetupQueryDone;

extern TForm3* Form3;
