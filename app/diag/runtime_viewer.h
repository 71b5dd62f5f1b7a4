#pragma once
// The run-time structure viewer: the device's run-time blocks byte by byte,
// the CS5532 registers, the diagnosis data, the log memory, and the test
// actions of the device, the extension board, Profibus and the SPI module.
// The pages live in topic files (runtime_viewer_*.cpp).
#include <array>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <vector>

#include "app/diag/device_request.h"
#include "app/diag/runtime_image.h"
#include "platform/forms/forms.h"

class DialogLayout;

// Page indexes of PageControl1.
enum RuntimeViewerPage {
  PAGE_GBL = 0,
  PAGE_LPC = 1,
  PAGE_ADC = 2,
  PAGE_ADM = 3,
  PAGE_RTC = 4,
  PAGE_TEST_DEBUG = 5,
  PAGE_CS5532 = 6,
  PAGE_LOG = 7,
  PAGE_DIAG = 8,
  PAGE_TEST_PB = 9,
  PAGE_MISC = 10,
  PAGE_EXB = 11,
  PAGE_SPI = 12,
};

class TForm12 : public TForm {
 public:
  TForm12();

  // ---- Frame
  TPageControl* PageControl1;
  std::array<TTabSheet*, 13> Pages{};
  TButton* Button1;   // "ENDE"
  TButton* Button9;   // "RS232-Fenster"
  TButton* Button31;  // "Clear LCD"
  TLabel* Label4;     // "Byte 1", without function
  RuntimeImageBytes RuntimeImage{};

  // ---- GBL, ADM, LPC (one labelled edit per shown byte, in the block's order)
  std::vector<TLabeledEdit*> GblEdits, AdmEdits, LpcEdits;
  TButton* Button17;  // "Lesen" of GBL
  TButton* Button2;   // "Lesen" of ADM
  TButton* Button3;   // "Lesen" of LPC
  TButton* Button28;  // "Baudrate RS232"

  // ---- ADC run-time page
  struct AdcChannelEdits {
    TLabeledEdit* CSR;
    TLabeledEdit* calcoll;
    TLabeledEdit* calstart;
    std::array<TLabeledEdit*, 4> calibration;  // offset_0, gain_0, offset_1, gain_1
    std::array<TLabeledEdit*, 8> xs;
    std::array<TLabeledEdit*, 8> ys;
    TLabeledEdit* lg;
    TLabeledEdit* len;
    TLabeledEdit* level;
    TLabeledEdit* calib;
    TLabeledEdit* smax;
  };
  std::array<AdcChannelEdits, 2> AdcChannels{};
  std::vector<TLabeledEdit*> AdcCommonEdits;  // c_mod, c_tim, adc_type .. mode
  TButton* Button5;   // "Lesen"
  TButton* Button36;  // "Cont. Mode"
  TButton* Button37;  // "Single Mode"
  TButton* Button81;  // "Löschen Werkskalib. CHN1"
  TButton* Button82;  // "Löschen Werkskalib. CHN2"

  // ---- TEST DEBUG
  TButton *Button20, *Button23, *Button24, *Button25, *Button22, *Button11;  // EEPROM tests
  TLabel* Label9;
  TButton* Button26;  // "LC-Err-Test1"
  TCheckBox* CheckBox2;
  TLabel* Label22;
  TLabel* Label10;
  TButton* Button32;  // "LC-Err-Test2"
  TRadioButton *RadioButton9, *RadioButton10, *RadioButton11, *RadioButton12;
  TLabel* Label26;
  TButton* Button72;  // "VBat-Test"
  TCheckBox* CheckBox11;
  TLabel* Label35;
  TButton *Button33, *Button34, *Button35;  // LEDs
  TButton* Button30;                        // "Reset VD417"
  TButton* Button21;                        // "Struktur ext_s"
  TLabeledEdit* Edit7;
  TLabeledEdit* Edit8;

  // ---- ADC CS5532
  std::array<TLabeledEdit*, 9> RegisterEdits{};  // registers 0..8
  std::array<TButton*, 9> RegisterWriteButtons{};
  TButton* Lesen;
  TButton* Schreiben;
  TButton *Button52, *Button53;  // ADC function on / off
  TLabel* Label12;
  TButton* Button49;
  TLabel* Label13;
  TLabel* Label14;
  TRadioButton *RadioButton8, *RadioButton13;  // channel
  TGroupBox* GroupBox10;
  TRadioButton *RadioButton30, *RadioButton31;  // counts / weight
  TButton *Button50, *Button51;                 // MIN. / MAX.
  TLabel* Label15;

  // ---- Log memory ("ADC CS5532 2")
  TButton *Button59, *Button60;
  TEdit* Edit10;
  TButton* Button63;
  TButton* Button61;
  TLabel* Label19;
  TButton* Button62;
  TLabel* Label20;
  TLabel* Label21;

  // ---- DIAG
  std::array<TRadioButton*, 8> DiagItems{};  // RadioButton1..7, RadioButton14: items 0..7
  TLabel* Label1;
  TEdit* Edit1;
  TButton* Button10;  // "Löschen"
  TButton* Button8;   // "Lesen"
  TCheckBox* CheckBox1;
  TEdit* Edit2;
  TButton *Button56, *Button57, *Button65;

  // ---- TEST-PB
  std::array<TEdit*, 4> PbEdits{};  // Edit3 .. Edit6
  TButton *Button12, *Button13, *Button58, *Button64;

  // ---- MISC
  TButton* Button83;
  TRadioButton *RadioButton22, *RadioButton23;                 // load counter channel
  TRadioButton *RadioButton19, *RadioButton20, *RadioButton21;  // load counter value
  TButton *Button84, *Button85;
  TLabel *Label46, *Label47, *Label48;
  TRadioButton *RadioButton24, *RadioButton25;                                // belt-scale channel
  TRadioButton *RadioButton28, *RadioButton26, *RadioButton27, *RadioButton29;  // belt-scale value
  TButton* Button86;
  TCheckBox* CheckBox12;
  TLabel *Label51, *Label55, *Label53, *Label57;

  // ---- EXB
  TButton *Button54, *Button69, *Button67, *Button70, *Button68, *Button55, *Button66, *Button71, *Button73;
  TCheckBox* CheckBox3;
  TCheckBox* CheckBox4;
  TEdit* Edit11;
  TRadioButton *RadioButton15, *RadioButton16, *RadioButton17, *RadioButton18;
  TGroupBox* GroupBox18;
  TLabel *Label30, *Label31, *Label32, *Label33;
  std::array<TCheckBox*, 4> InputBoxes{};  // CheckBox5 .. CheckBox8
  TCheckBox *CheckBox9, *CheckBox10;

  // ---- KP613-SPI
  TButton *Button75, *Button76, *Button77, *Button78;

  // ---- Handlers: frame
  void Button1Click(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void Button9Click(TObject* Sender);
  void Button31Click(TObject* Sender);
  void Button14Click(TObject* Sender) {}
  void Button16Click(TObject* Sender) {}
  // GBL, ADM, LPC, ext_s
  void Button17Click(TObject* Sender);
  void Button2Click(TObject* Sender);
  void Button3Click(TObject* Sender);
  void Button21Click(TObject* Sender);
  void Button28Click(TObject* Sender);
  // ADC
  void Button5Click(TObject* Sender);
  void Button36Click(TObject* Sender);
  void Button37Click(TObject* Sender);
  void Button81Click(TObject* Sender);
  void Button82Click(TObject* Sender);
  // TEST DEBUG
  void Button26Click(TObject* Sender);
  void Button72Click(TObject* Sender);
  void Button32Click(TObject* Sender);
  void Button30Click(TObject* Sender);
  // ADC CS5532
  void LesenClick(TObject* Sender);
  void Button38Click(TObject* Sender);
  void Button43Click(TObject* Sender);
  void Button44Click(TObject* Sender);
  void Button45Click(TObject* Sender);
  void Button46Click(TObject* Sender);
  void Button52Click(TObject* Sender);
  void Button53Click(TObject* Sender);
  void Button49Click(TObject* Sender);
  void Button50Click(TObject* Sender);
  void Button51Click(TObject* Sender);
  // Log memory
  void Button59Click(TObject* Sender);
  void Button60Click(TObject* Sender);
  void Button63Click(TObject* Sender);
  void Edit10Exit(TObject* Sender);
  void Button61Click(TObject* Sender);
  void Button62Click(TObject* Sender);
  // DIAG
  void Button8Click(TObject* Sender);
  void Button10Click(TObject* Sender);
  // TEST-PB
  void Button12Click(TObject* Sender);
  void Button13Click(TObject* Sender);
  void Button58Click(TObject* Sender);
  void Button64Click(TObject* Sender);
  // MISC
  void Button83Click(TObject* Sender);
  void Button84Click(TObject* Sender);
  void Button85Click(TObject* Sender);
  void Button86Click(TObject* Sender);
  // EXB
  void Button67Click(TObject* Sender);
  void Button70Click(TObject* Sender);
  void Button55Click(TObject* Sender);
  void Button73Click(TObject* Sender);

  // The log memory's entry count of the last "Max. Pointer-Wert" and the dump switch.
  uint16_t LogEntryCount = 0;
  int LogDumpRunning = 0;

 private:
  // Layout of the pages.
  void BuildFrame();
  void BuildStructurePages();
  void BuildAdcPage();
  void BuildTestDebugPage();
  void BuildRegisterPage();
  void BuildLogPage();
  void BuildDiagPage();
  void BuildTestPbPage();
  void BuildMiscPage();
  void BuildExbPage();
  void BuildSpiPage();
  void BuildRtcPage();
  TTabSheet* Page(RuntimeViewerPage page) const { return Pages[static_cast<size_t>(page)]; }
  // A button that queues one request of a fixed kind when clicked.
  TButton* ActionButton(const DialogLayout& at, const char* name, const std::string& caption, int x, int y,
                        int width, uint8_t command, std::vector<uint8_t> data, RequestKind kind);

  // Requests. Send: true when the request was queued and, for Wait, answered
  // by a valid reply to this very command; after a refused or failed request
  // nothing of an older reply may be shown.
  bool Send(uint8_t command, std::span<const uint8_t> data, RequestKind kind);
  bool Send(uint8_t command, std::initializer_list<uint8_t> data, RequestKind kind) {
    return Send(command, std::span<const uint8_t>(data.begin(), data.size()), kind);
  }
  std::span<const uint8_t> ReplyData() const { return LastReplyData(); }
  // Ends a loop pass: waits a queue tick after a refused request so that the
  // loop never spins, clears the box when the link was reset meanwhile
  // (communication error), and tells whether to go on.
  bool NextPass(TCheckBox* box, bool answered);
  // Reads one run-time block; false when it got no fresh answer.
  bool ReadBlock(uint8_t block);
  void ShowBytes(const std::vector<TLabeledEdit*>& edits, int offset, bool read);
  void ShowAdcChannel(int channel, bool read);
  void WriteRegister(int reg);
  void ReadMinMax(uint8_t which);
  bool LoadCounterRead(uint8_t channel, uint8_t value, TLabel* result);
  void LcErrLoop(uint8_t parameter, TCheckBox* box, TLabel* result, const char* format);
  // The channel byte of a pair of radio buttons (1, 2), or 0 after the "Bitte Kanal wählen!" box.
  static uint8_t ChosenChannel(const TRadioButton* first, const TRadioButton* second);

  bool lastRefused_ = false;
};

extern TForm12* Form12;
