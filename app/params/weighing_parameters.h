#pragma once
#include "platform/forms/forms.h"

// The weighing parameters of channels 1 and 2, the sum channel, filtering,
// bridge-fault detection, log memory, continuous output and external
// display, edited on the set-up image of the link. Pages by index: 0
// "Allgemeine Parameter", 1 "Kanal 1", 2 "Kanal 2", 3 "Lastkollektivzähler /
// Dosierwaage" (hidden for good), 4 "Externe Anzeige".
class TForm23 : public TForm {
 public:
  TForm23();

  TPageControl* PageControl1;
  TTabSheet* TabSheet4;  // page 0 "Allgemeine Parameter"
  TTabSheet* TabSheet2;  // page 1 "Kanal 1"
  TTabSheet* TabSheet3;  // page 2 "Kanal 2"
  TTabSheet* TabSheet5;  // page 3 "Lastkollektivzähler / Dosierwaage"
  TTabSheet* TabSheet1;  // page 4 "Externe Anzeige"

  // ---- Page 0: sum channel (WKS).
  TGroupBox* GroupBox14;  // "Summenkanal"
  TCheckBox* CheckBox36;  // sum
  TLabel* Label57;        // "Summenkanal aktiv"
  TLabel* Label290;       // "Mode"
  TComboBox* ComboBox102;  // mode: "Summe", "Differenz"
  TLabel* Label242;       // "Faktor Kanal 1"
  TEdit* Edit129;         // fakt_0
  TLabel* Label243;       // "Faktor Kanal 2"
  TEdit* Edit130;         // fakt_1
  TLabel* Label24;        // "Überlast"
  TEdit* Edit17;          // over_f
  TLabel* Label25;        // "Unterlast" (hidden)
  TEdit* Edit18;          // under_f (hidden)
  TLabel* Label58;        // "Gesamtwert (Brutto)" / "Bezugswert (Brutto)"
  TLabel* Label59;        // the sum range
  TLabel* Label77;        // "Kanal 1", shown in difference mode
  // ---- Page 0: log memory, continuous output, bridge fault, averaging filter.
  TGroupBox* GroupBox36;  // "Logspeicher"
  TLabel* Label256;       // "Speicher-Mode"
  TComboBox* ComboBox87;  // log_count_mode
  TGroupBox* GroupBox3;   // "Ausgabe der Gewichtswerte"
  TCheckBox* CheckBox1;   // sdcont
  TLabel* Label4;         // "Kontinuierliche Ausgabe der"
  TLabel* Label5;         // "Gewichtswerte nach Start"
  TLabel* Label6;         // "Anzahl der Werte  [1/s]"
  TComboBox* ComboBox94;  // val_sdcont
  TGroupBox* GroupBox5;   // "Brückenfehlererkennung"
  TLabel* Label7;         // "Überprüfungsintervall [ms]"
  TEdit* Edit1;           // lc_err_cyl x 100 ms
  TLabel* Label60;        // "(0 = AUS)"
  TGroupBox* GroupBox15;  // "Mittelwertfilter"
  TLabel* Label63;        // "Filter-Typ"
  TComboBox* ComboBox19;  // mwfilter_type
  TLabel* Label64;        // "Werte Kanal 1"
  TEdit* Edit2;           // len_0, variable length
  TComboBox* ComboBox96;  // len_0, length 2^N
  TLabel* Label61;        // "1..32" of channel 1
  TLabel* Label66;        // "Werte Kanal 2"
  TEdit* Edit3;           // len_1, variable length
  TComboBox* ComboBox97;  // len_1, length 2^N
  TLabel* Label62;        // "1..32" of channel 2

  // ---- Pages 1 and 2: the channels' WKG sections and ADC fields.
  struct ChannelPage {
    TGroupBox* zeroRange;   // "Nullstellbereich"
    TGroupBox* tareRange;   // "Tarierbereich"
    TGroupBox* limits;      // "Fehler-Grenzwerte"
    TGroupBox* freeUnit;    // "Freie Masseinheit"
    TGroupBox* loadCell;    // "Kraftaufnehmer / Brückenfehlererkennung"
    TEdit* nsu;
    TEdit* nso;
    TEdit* enu;
    TEdit* eno;
    TCheckBox* enull;
    TEdit* tau;
    TEdit* tao;
    TComboBox* tam;
    TCheckBox* trm;
    TEdit* underLoad;
    TEdit* overLoad;
    TEdit* cm1;
    TEdit* cm2;
    TEdit* fmf;
    TComboBox* lcType;
    TEdit* detuning;
    TButton* redetermine;
  };
  TGroupBox* GroupBox4;   // channel 1 "Nullstellbereich"
  TGroupBox* GroupBox6;   // "Tarierbereich"
  TGroupBox* GroupBox7;   // "Fehler-Grenzwerte"
  TGroupBox* GroupBox8;   // "Freie Masseinheit"
  TGroupBox* GroupBox1;   // "Kraftaufnehmer / Brückenfehlererkennung"
  TEdit* Edit9;           // nsu, negated
  TEdit* Edit8;           // nso
  TEdit* Edit7;           // enu (hidden)
  TEdit* Edit6;           // eno (hidden)
  TCheckBox* CheckBox2;   // enull (hidden)
  TEdit* Edit10;          // tau, negated
  TEdit* Edit11;          // tao
  TComboBox* ComboBox1;   // tam
  TCheckBox* CheckBox4;   // trm
  TEdit* Edit13;          // under_f
  TEdit* Edit12;          // over_f
  TEdit* Edit14;          // cm1
  TEdit* Edit15;          // cm2
  TEdit* Edit16;          // fmf (hidden)
  TComboBox* ComboBox92;  // lc_type_0 (hidden)
  TEdit* Edit143;         // lc_err_det_val_0
  TButton* Button4;       // "Neu bestimmen", channel 1
  TLabel* Label9;         // "Untergrenze (<0 - von Nennkennwert)"
  TLabel* Label10;        // "Obergrenze (>0 - von Nennkennwert)"
  TLabel* Label11;        // "Einschaltnullbereich U.-Grenze" (hidden)
  TLabel* Label12;        // "Einschaltnullbereich O.-Grenze" (hidden)
  TLabel* Label13;        // "Einschaltnullen aktiv" (hidden)
  TLabel* Label18;        // "Untergrenze (<0 - von Nennkennwert)"
  TLabel* Label21;        // "Obergrenze (>0 - von Nennkennwert)"
  TLabel* Label22;        // "Tariermodus"
  TLabel* Label23;        // "Tarawert aus Speicher laden"
  TLabel* Label31;        // "Unterlast"
  TLabel* Label32;        // "Überlast"
  TLabel* Label28;        // "Zeichen 1"
  TLabel* Label29;        // "Zeichen 2"
  TLabel* Label30;        // "Faktor" (hidden)
  TLabel* Label274;       // "Brückentyp" (hidden)
  TLabel* Label275;       // "Verstimmungswert für"
  TLabel* Label276;       // "Brückenfehlererkennung"

  TGroupBox* GroupBox10;  // channel 2 "Nullstellbereich"
  TGroupBox* GroupBox12;  // "Tarierbereich"
  TGroupBox* GroupBox11;  // "Fehler-Grenzwerte"
  TGroupBox* GroupBox13;  // "Freie Masseinheit"
  TGroupBox* GroupBox2;   // "Kraftaufnehmer / Brückenfehlererkennung"
  TEdit* Edit22;          // nsu, negated
  TEdit* Edit21;          // nso
  TEdit* Edit20;          // enu (hidden)
  TEdit* Edit19;          // eno (hidden)
  TCheckBox* CheckBox5;   // enull (hidden)
  TEdit* Edit25;          // tau, negated
  TEdit* Edit26;          // tao
  TComboBox* ComboBox2;   // tam
  TCheckBox* CheckBox6;   // trm
  TEdit* Edit24;          // under_f
  TEdit* Edit23;          // over_f
  TEdit* Edit27;          // cm1
  TEdit* Edit28;          // cm2
  TEdit* Edit29;          // fmf (hidden)
  TComboBox* ComboBox93;  // lc_type_1 (hidden)
  TEdit* Edit144;         // lc_err_det_val_1
  TButton* Button5;       // "Neu bestimmen", channel 2
  TLabel* Label35;        // "Untergrenze (<0 - von Nennkennwert)"
  TLabel* Label36;        // "Obergrenze (>0 - von Nennkennwert)"
  TLabel* Label37;        // "Einschaltnullbereich U.-Grenze" (hidden)
  TLabel* Label38;        // "Einschaltnullbereich O.-Grenze" (hidden)
  TLabel* Label39;        // "Einschaltnullen aktiv" (hidden)
  TLabel* Label48;        // "Untergrenze (<0 - von Nennkennwert)"
  TLabel* Label51;        // "Obergrenze (>0 - von Nennkennwert)"
  TLabel* Label52;        // "Tariermodus"
  TLabel* Label53;        // "Tarawert aus Speicher laden"
  TLabel* Label45;        // "Unterlast"
  TLabel* Label44;        // "Überlast"
  TLabel* Label54;        // "Zeichen 1"
  TLabel* Label55;        // "Zeichen 2"
  TLabel* Label56;        // "Faktor" (hidden)
  TLabel* Label1;         // "Brückentyp" (hidden)
  TLabel* Label3;         // "Verstimmungswert für"
  TLabel* Label2;         // "Brückenfehlererkennung"

  // ---- Page 3: load-cycle counters and dosing scale, hidden for good.
  TGroupBox* GroupBox38;  // "Lastkollektivzähler - Kanal 1"
  TGroupBox* GroupBox39;  // "Lastkollektivzähler - Kanal 2"
  TGroupBox* GroupBox16;  // "Dosierwaage - Kanal 1"
  TGroupBox* GroupBox17;  // "Dosierwaage - Kanal 2"
  TCheckBox* CheckBox44;
  TCheckBox* CheckBox45;
  TEdit* Edit30;
  TEdit* Edit31;
  TComboBox* ComboBox88;
  TComboBox* ComboBox90;
  TComboBox* ComboBox89;
  TComboBox* ComboBox91;
  TEdit* Edit135;
  TEdit* Edit136;
  TCheckBox* CheckBox7;
  TCheckBox* CheckBox8;
  TEdit* Edit32;
  TEdit* Edit33;

  // ---- Page 4: external display (MSC).
  TGroupBox* GroupBox48;  // "Externe Anzeige - QV58-NSxx/AxxE"
  TCheckBox* CheckBox48;  // ext_disp
  TLabel* Label269;       // "Anzeige aktivieren"
  TLabel* Label270;       // "Schnittstelle"
  TComboBox* ComboBox98;  // ext_disp_port
  TLabel* Label285;       // "RS485-Adresse"
  TEdit* Edit139;         // ext_disp_adr
  TLabel* Label286;       // "Anzeige-Modus"
  TComboBox* ComboBox99;  // ext_disp_mode
  TLabel* Label287;       // "Anzeige-Kanal"
  TComboBox* ComboBox100;  // ext_disp_chn
  TLabel* Label288;       // "Blinken bei Fehler"
  TCheckBox* CheckBox49;  // ext_disp_blink
  TLabel* Label289;       // "Übertragungsprotokoll"
  TComboBox* ComboBox101;  // ext_disp_prot

  TButton* Button1;  // "Beenden"
  TButton* Button2;  // "Abbrechen"
  TButton* Button3;  // "Speichern im Gerät"
  TLabel* Label65;   // "Bitte warten...", shown during a store

  // ---- Display of the set-up image.
  void ShowSetup();
  void UpdateControlStates();
  void ShowSumChannel();
  void ShowFilterOptions();
  void ShowFilterLength(int channel);
  void FillProtocolList();
  // The connect's adaptation to the device: the page "Kanal 2" and the
  // display-channel list by channel count, the sum channel by conversion
  // mode (0 continuous: the sum channel cannot be switched on).
  void ShowChannelCount(int channels);
  void ShowConversionMode(int mode);

  // ---- Window and buttons.
  void FormActivate(TObject* Sender);
  void Button1Click(TObject* Sender);  // "Beenden"
  void Button2Click(TObject* Sender);  // "Abbrechen"
  void Button3Click(TObject* Sender);  // "Speichern im Gerät"
  void Button4Click(TObject* Sender);  // "Neu bestimmen", channel 1
  void Button5Click(TObject* Sender);  // "Neu bestimmen", channel 2

  // ---- Input rules.
  // The silent clamps of the range fields, one handler for all of them.
  void ClampedEditExit(TObject* Sender);
  void Edit1Exit(TObject* Sender);
  void Edit129Exit(TObject* Sender);
  void Edit130Exit(TObject* Sender);
  void ComboBox100Exit(TObject* Sender);
  void CheckBox1Click(TObject* Sender);
  void CheckBox36Click(TObject* Sender);
  void CheckBox44Click(TObject* Sender);
  void CheckBox45Click(TObject* Sender);
  void CheckBox48Click(TObject* Sender);
  void ComboBox19Change(TObject* Sender);
  void ComboBox88Change(TObject* Sender);
  void ComboBox90Change(TObject* Sender);
  void ComboBox98Change(TObject* Sender);
  void ComboBox100Change(TObject* Sender);
  void ComboBox102Change(TObject* Sender);

  void ChangeLanguage();

 private:
  ChannelPage Channel(int channel);
  void BuildGeneralPage();
  void BuildChannelPage(int channel);
  void BuildCounterPage();
  void BuildDisplayPage();
  void BuildButtons();
  void ShowChannel(int channel);
  // Channel fields into the image; false when a free-unit character is empty.
  bool TakeChannel(int channel);
  void TakeGeneral();
  void Redetermine(int channel);
  void FactorExit(TEdit* edit);
  void ShowRateList();
  void LockDisplayModeForSum();
  void ShowCounterResetEntry();
};

extern TForm23* Form23;
