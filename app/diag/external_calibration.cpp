#include "app/diag/external_calibration.h"

#include <cstdio>
#include <optional>
#include <span>
#include <vector>

#include "app/diag/calibration_support.h"
#include "app/diag/device_request.h"
#include "app/diag/theoretical_calibration.h"
#include "app/diag/weighing_range.h"
#include "app/link/test_window.h"
#include "app/params/parameter_dialog.h"
#include "app/service/service_window.h"
#include "app/setup/setup_text.h"
#include "platform/clock/clock.h"
#include "platform/forms/dialog_layout.h"

TForm13* Form13 = nullptr;

namespace {

// First data byte of the settings read and write.
constexpr uint8_t SETTINGS_READ = 0x01;
constexpr uint8_t SETTINGS_WRITE = 0x02;
constexpr int kValueLength = 9;
constexpr int kChannelSwitchMs = 250;
constexpr int kAfterRestartMs = 1000;

const char* const kNoValue = "Kein Wert für Endpunkt eingegeben! -> Abbruch!";
const char* const kAboveRange = "Eingegebener Wert größer als max. Endwert! -> Abbruch!";
const char* const kChooseChannel = "Bitte Kanal wählen!";

const DialogLayout::Items kUnits = {"Kilogramm  [kg]", "Tonne  [t]",  "Gramm  [g]",        "Pfund  [lb]",
                                    "Unze  [oz]",      "Newton  [N]", "Kilonewton  [kN]", "Freie Maßeinheit"};
const DialogLayout::Items kDivisions = {
    "freie Anzahl Teile", "100",  "200",  "300",  "500",  "600",  "800",   "1000",  "1200",
    "1500",               "1600", "2000", "2400", "2500", "3000", "4000",  "5000",  "6000",
    "8000",               "10000", "12000", "15000", "20000", "25000", "30000"};
const DialogLayout::Items kDigitSteps = {"0.0001", "0.0002", "0.0005", "0.001", "0.002", "0.005",
                                         "0.01",   "0.02",   "0.05",   "0.1",   "0.2",   "0.5",
                                         "1",      "2",      "5",      "10",    "20",    "50"};

// The reply data [0..6]: unit, divisions and digit-step indexes, the number of divisions.
constexpr size_t kSettingsReplyLength = 7;
const char* const kUnread = "-";

bool Chosen(const TComboBox* list) { return list->ItemIndex() >= 0; }

// The data of a valid reply to `command` [SETTINGS_READ], or nothing.
std::optional<std::vector<uint8_t>> ReadDevice(uint8_t command, size_t length) {
  const uint8_t read = SETTINGS_READ;
  // Settings are read also while the device holds error codes: they are what
  // the calibration needs to mend it.
  if (!calibration::Read(command, {read})) return std::nullopt;
  const std::span<const uint8_t> data = LastReplyData();
  if (data.size() < length) return std::nullopt;
  return std::vector<uint8_t>(data.begin(), data.end());
}

int32_t Be32(const std::vector<uint8_t>& data, size_t index) {
  uint32_t value = 0;
  for (size_t i = 0; i < 4; ++i) value = value << 8 | data[index + i];
  return static_cast<int32_t>(value);
}

}  // namespace

TForm13::TForm13() {
  SetName("Form13");
  SetCaption("Externe Kalibrierung VD417");
  SetClientSize(648, 488);
  Layout();
  OnActivate = Handler(this, &TForm13::FormActivate);
  OnClose = [this](TObject* Sender, TCloseAction& Action) { FormClose(Sender, Action); };
  Button10->OnClick = Handler(this, &TForm13::Button10Click);
  Button17->OnClick = Handler(this, &TForm13::Button17Click);
  Button7->OnClick = Handler(this, &TForm13::Button7Click);
  Button8->OnClick = Handler(this, &TForm13::Button8Click);
  Button4->OnClick = Handler(this, &TForm13::Button4Click);
  Button5->OnClick = Handler(this, &TForm13::Button5Click);
  Button6->OnClick = Handler(this, &TForm13::Button6Click);
  Button9->OnClick = Handler(this, &TForm13::Button9Click);
  Button11->OnClick = Handler(this, &TForm13::Button11Click);
  Button12->OnClick = Handler(this, &TForm13::Button12Click);
  Edit3->OnChange = Handler(this, &TForm13::Edit3Change);
  Button13->OnClick = Handler(this, &TForm13::Button13Click);
  Button16->OnClick = Handler(this, &TForm13::Button16Click);
  Button15->OnClick = Handler(this, &TForm13::Button15Click);
  Button2->OnClick = Handler(this, &TForm13::Button2Click);
  Button14->OnClick = Handler(this, &TForm13::Button14Click);
  Button3->OnClick = Handler(this, &TForm13::Button3Click);
  Button1->OnClick = Handler(this, &TForm13::Button1Click);
  ComboBox3->OnChange = Handler(this, &TForm13::ComboBox3Change);
  ComboBox4->OnChange = Handler(this, &TForm13::ComboBox4Change);
  ComboBox5->OnChange = Handler(this, &TForm13::ComboBox5Change);
  Edit9->OnChange = Handler(this, &TForm13::Edit9Change);
}

void TForm13::Layout() {
  const DialogLayout at(this);
  Label5 = at.Label("Label5", "ADC-Kalibrierung (extern Mehr-Pkt.)", 12, 8, 400);
  Label5->Font().SetBold(true);

  at.Label(nullptr, "Maßeinheit", 12, 36, 150);
  ComboBox3 = at.List("ComboBox3", kUnits, 12, 56, 150);
  at.Label(nullptr, "Skalenteile", 172, 36, 130);
  ComboBox4 = at.List("ComboBox4", kDivisions, 172, 56, 130);
  Label17 = at.Label("Label17", "freie Teile", 172, 86, 66);
  Edit9 = at.Edit("Edit9", 240, 84, 62);
  at.Label(nullptr, "Ziffernschritt", 312, 36, 90);
  ComboBox5 = at.List("ComboBox5", kDigitSteps, 312, 56, 90);
  Label16 = at.Label("Label16", "Wägebereich + 1d", 412, 36, 120);
  Label15 = at.Label("Label15", ".", 412, 58, 120);
  Label15->Font().SetBold(true);
  Button10 = at.Button("Button10", "Übernehmen", 540, 54, 96);

  Label18 = at.Label("Label18", "ADC-Kanal", 12, 124, 90);
  ComboBox1 = at.List("ComboBox1", {"1", "2"}, 110, 122, 60);
  Button17 = at.Button("Button17", "Einstellen", 180, 120, 120);
  Label2 = at.Label("Label2", "Nullpunkt", 12, 158, 90);
  Button7 = at.Button("Button7", "CAL. Nullpunkt", 180, 154, 120);
  Label9 = at.Label("Label9", "Endpunkt", 12, 192, 90);
  Edit1 = at.Edit("Edit1", 110, 190, 62, kValueLength);
  Button8 = at.Button("Button8", "CAL. Endpunkt", 180, 188, 120);

  GroupBox1 = at.Group("GroupBox1", "", 8, 226, 300, 246);
  const DialogLayout group = at.In(GroupBox1);
  Label1 = group.Label("Label1", "Zusatzpunkte", 10, 18, 90);
  Label1->Font().SetBold(true);
  Label3 = group.Label("Label3", "(max. 6)", 102, 18, 60);
  Edit3 = group.Edit("Edit3", 172, 16, 40);
  const char* const labels[] = {"Label4", "Label10", "Label11", "Label12", "Label13", "Label14"};
  const char* const captions[] = {"Zusatzpunkt 1", "Zusatzpunkt 2", "Zusatzpunkt 3",
                                  "Zusatzpunkt 4", "Zusatzpunkt 5", "Zusatzpunk"};
  const char* const edits[] = {"Edit2", "Edit4", "Edit5", "Edit6", "Edit7", "Edit8"};
  const char* const buttons[] = {"Button4", "Button5", "Button6", "Button9", "Button11", "Button12"};
  for (int i = 0; i < kExtraPoints; ++i) {
    const int y = 50 + 32 * i;
    rows_[i] = {group.Label(labels[i], captions[i], 10, y + 2, 100), group.Edit(edits[i], 112, y, 90, kValueLength),
                group.Button(buttons[i], "CAL.", 212, y - 2, 76)};
  }
  Label4 = rows_[0].label, Label10 = rows_[1].label, Label11 = rows_[2].label;
  Label12 = rows_[3].label, Label13 = rows_[4].label, Label14 = rows_[5].label;
  Edit2 = rows_[0].edit, Edit4 = rows_[1].edit, Edit5 = rows_[2].edit;
  Edit6 = rows_[3].edit, Edit7 = rows_[4].edit, Edit8 = rows_[5].edit;
  Button4 = rows_[0].button, Button5 = rows_[1].button, Button6 = rows_[2].button;
  Button9 = rows_[3].button, Button11 = rows_[4].button, Button12 = rows_[5].button;

  Button13 = at.Button("Button13", "Übernehmen + Reset", 340, 154, 160);
  Label22 = at.Label("Label22", "Kalibrierung", 340, 200, 90);
  Label23 = at.Label("Label23", "löschen", 340, 218, 90);
  Panel1 = at.Frame(432, 196, 90, 46);
  const DialogLayout panel = at.In(Panel1);
  RadioButton1 = panel.Radio("RadioButton1", "Kanal 1", 4, 3, 82);
  RadioButton2 = panel.Radio("RadioButton2", "Kanal 2", 4, 24, 82);
  RadioButton1->SetChecked(true);
  Button16 = at.Button("Button16", "Kalibr. löschen", 530, 204, 106);

  Label19 = at.Label("Label19", "Theoretische", 340, 262, 90);
  Label20 = at.Label("Label20", "Kalibrierung", 340, 280, 90);
  Button15 = at.Button("Button15", "START", 432, 266, 90);
  Button2 = at.Button("Button2", "cont. mode", 340, 318, 100);
  Button14 = at.Button("Button14", "single mode", 450, 318, 100);
  GroupBox2 = at.Group("GroupBox2", "DEBUG", 340, 356, 210, 60);
  const DialogLayout debug = at.In(GroupBox2);
  ComboBox2 = debug.List("ComboBox2", {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}, 12, 24, 60);
  Button3 = debug.Button("Button3", "DEBUG", 90, 22, 100);

  Label21 = at.Label("Label21", "VD417-Fehler -> Fehlerhafte Kalibrierung möglich!", 340, 428, 300);
  Label21->Font().SetColor(clRed);
  Label21->SetVisible(false);
  Button1 = at.Button("Button1", "ENDE", 540, 452, 96);
}

void TForm13::FormActivate(TObject* Sender) {
  if (Form1 == nullptr) return;
  TForm1& link = *Form1;
  if (link.SetupPresent == 0) {
    calibration::Hint("Bitte Setup von Gerät lesen!", MB_ICONERROR);
    return;
  }
  const bool expert = link.CalibrationServiceMode != 1;
  for (TControl* control : std::initializer_list<TControl*>{Label19, Label20, Button15, Button14, Button2, GroupBox2})
    control->SetVisible(expert);
  Label21->SetVisible(false);

  if (ExtCalSettingsRead == 0) {
    calibration::Send(CMD_ADC_MODE, {0, 0});
    calibration::ShowAdcMode("CONT");
    calibration::Send(CMD_SELECT_CHANNEL, {1});
    link.ActiveChannel = 0;
    ReadSettings();
    if (const auto reply = ReadDevice(CMD_CAL_SETTINGS, 1)) {
      const int channel = (*reply)[0] - 1;
      ChooseItem(ComboBox1, channel);
      if (channel == 0 || channel == 1) link.ActiveChannel = channel;
      ShowChannel(channel);
    } else {
      // The channel the device calibrates is not known.
      ComboBox1->SetItemIndex(-1);
      if (Form19 != nullptr) Form19->Label8->SetCaption(kUnread);
    }
    ExtCalSettingsRead = 1;
  }
  const bool oneChannel = calibration::OneChannelSetup();
  ComboBox1->SetEnabled(!oneChannel);
  Button17->SetEnabled(!oneChannel);
  if ((link.DeviceStatus & DEVICE_STATUS_ERROR) != 0) Label21->SetVisible(true);
  Button13->SetEnabled(true);
}

void TForm13::FormClose(TObject* Sender, TCloseAction& Action) { ExtCalSettingsRead = 0; }

void TForm13::ReadSettings() {
  const auto reply = ReadDevice(CMD_EXT_CAL_SETTINGS, kSettingsReplyLength);
  if (reply) {
    ChooseItem(ComboBox3, (*reply)[0]);
    ChooseItem(ComboBox4, (*reply)[1]);
    ChooseItem(ComboBox5, (*reply)[2]);
  } else {
    for (TComboBox* list : {ComboBox3, ComboBox4, ComboBox5}) list->SetItemIndex(-1);
    Label17->SetVisible(false);
    Edit9->SetVisible(false);
    Edit9->SetText("");
  }
  // The end and extra points are checked against the range read here: without
  // it they cannot be taken.
  const bool known = reply && Chosen(ComboBox3) && Chosen(ComboBox4) && Chosen(ComboBox5);
  Button8->SetEnabled(known);
  for (const ExtraPointRow& row : rows_) row.button->SetEnabled(known);
  if (!known) {
    ForgetWeighingRange();
    return;
  }
  const bool free = ComboBox4->ItemIndex() == 0;
  Label17->SetVisible(free);
  Edit9->SetVisible(free);
  if (free) Edit9->SetText(std::to_string(Be32(*reply, 3)));
  ShowWeighingRange();
}

void TForm13::ForgetWeighingRange() {
  Label15->SetCaption(kUnread);
  MaxEndValue = 0.0f;
  if (Form19 != nullptr) {
    Form19->MaxEndValue = 0.0f;
    Form19->Label6->SetCaption("");
    Form19->Label7->SetCaption("");
  }
}

void TForm13::ShowChannel(int channel) {
  if (Form19 == nullptr || (channel != 0 && channel != 1)) return;
  Form19->Label8->SetCaption(channel == 0 ? "Kanal 1" : "Kanal 2");
}

int32_t TForm13::Divisions() const {
  const int item = ComboBox4->ItemIndex();
  return item == 0 ? TextToInt(Edit9->Text()) : ScaleDivisionTable[item];
}

void TForm13::ShowWeighingRange() {
  if (!Chosen(ComboBox3) || !Chosen(ComboBox4) || !Chosen(ComboBox5)) return;
  const std::string unit = calibration::UnitSymbol(ComboBox3->ItemIndex());
  const WeighingRange range = ComputeWeighingRange(Divisions(), DigitStepTable[ComboBox5->ItemIndex()], unit);
  MaxEndValue = static_cast<float>(range.range);
  Label15->SetCaption(range.text);
  if (Form19 != nullptr) {
    Form19->MaxEndValue = MaxEndValue;
    Form19->Label6->SetCaption(unit);
    Form19->Label7->SetCaption(unit);
  }
}

void TForm13::HideExtraPoints() {
  for (const ExtraPointRow& row : rows_)
    for (TControl* control : std::initializer_list<TControl*>{row.label, row.edit, row.button})
      control->SetVisible(false);
}

void TForm13::ComboBox3Change(TObject* Sender) { ShowWeighingRange(); }
void TForm13::ComboBox5Change(TObject* Sender) { ShowWeighingRange(); }
void TForm13::Edit9Change(TObject* Sender) { ShowWeighingRange(); }

void TForm13::ComboBox4Change(TObject* Sender) {
  const bool free = ComboBox4->ItemIndex() == 0;
  Label17->SetVisible(free);
  Edit9->SetVisible(free);
  ShowWeighingRange();
}

void TForm13::Button10Click(TObject* Sender) {
  if (!Chosen(ComboBox3) || !Chosen(ComboBox4) || !Chosen(ComboBox5)) {
    calibration::Hint("Bitte alle korrekt Werte angeben!", MB_ICONINFORMATION);
    return;
  }
  const auto d = static_cast<uint32_t>(Divisions());
  calibration::Send(CMD_EXT_CAL_SETTINGS,
                    {SETTINGS_WRITE, static_cast<uint8_t>(ComboBox3->ItemIndex()),
                     static_cast<uint8_t>(ComboBox4->ItemIndex()), static_cast<uint8_t>(ComboBox5->ItemIndex()),
                     static_cast<uint8_t>(d >> 24), static_cast<uint8_t>(d >> 16), static_cast<uint8_t>(d >> 8),
                     static_cast<uint8_t>(d)},
                    true, false);
}

void TForm13::Button17Click(TObject* Sender) {
  const int channel = ComboBox1->ItemIndex();
  if (channel < 0) {
    calibration::Hint(kChooseChannel, MB_ICONINFORMATION);
    return;
  }
  Button7->SetEnabled(false);
  Button8->SetEnabled(false);
  // The switch goes out before the settings are read, so that they are the new channel's.
  calibration::Send(CMD_SELECT_CHANNEL, {static_cast<uint8_t>(channel + 1)}, false, true);
  platform::Clock::Sleep(kChannelSwitchMs);
  ReadSettings();  // enables the end point only with the new channel's range
  if (Form1 != nullptr) Form1->ActiveChannel = channel;
  ShowChannel(channel);
  Button7->SetEnabled(true);
}

void TForm13::Button7Click(TObject* Sender) {
  Button13->SetEnabled(false);
  calibration::Send(CMD_EXT_CAL_ZERO, {});
}

bool TForm13::SendValue(uint8_t command, TEdit* edit, const std::string& typed) {
  const std::string text = calibration::WithPoint(typed);
  // Text that is no number would count as 0 and pass the range check.
  if (!calibration::IsNumber(text)) {
    calibration::Hint(kNoValue, MB_ICONINFORMATION);
    edit->SetFocus();
    return false;
  }
  if (TextToFloat(text) > MaxEndValue) {
    calibration::Hint(kAboveRange, MB_ICONINFORMATION);
    edit->SetFocus();
    return false;
  }
  const std::vector<uint8_t> data = calibration::TextValue(text);
  calibration::Send(command, data);
  return true;
}

void TForm13::Button8Click(TObject* Sender) {
  if (Edit1->Text().empty()) {
    char range[64];
    std::snprintf(range, sizeof range, "%.4f", static_cast<double>(MaxEndValue));
    Edit1->SetText(range);
  }
  if (!SendValue(CMD_EXT_CAL_END, Edit1, Edit1->Text())) return;
  Button13->SetEnabled(true);
  HideExtraPoints();
  GroupBox1->SetVisible(true);
}

void TForm13::CalibrateExtraPoint(int row) {
  TEdit* edit = rows_[row].edit;
  if (edit->Text().empty()) {
    calibration::Hint(kNoValue, MB_ICONINFORMATION);
    edit->SetFocus();
    return;
  }
  SendValue(CMD_EXT_CAL_POINT, edit, edit->Text());
}

void TForm13::Button4Click(TObject* Sender) { CalibrateExtraPoint(0); }
void TForm13::Button5Click(TObject* Sender) { CalibrateExtraPoint(1); }
void TForm13::Button6Click(TObject* Sender) { CalibrateExtraPoint(2); }
void TForm13::Button9Click(TObject* Sender) { CalibrateExtraPoint(3); }
void TForm13::Button11Click(TObject* Sender) { CalibrateExtraPoint(4); }
void TForm13::Button12Click(TObject* Sender) { CalibrateExtraPoint(5); }

void TForm13::Edit3Change(TObject* Sender) {
  HideExtraPoints();
  int n = TextToInt(Edit3->Text());
  if (n > kExtraPoints) {
    Edit3->SetText("6");
    n = kExtraPoints;
  }
  for (int i = 0; i < n; ++i)
    for (TControl* control : std::initializer_list<TControl*>{rows_[i].label, rows_[i].edit, rows_[i].button})
      control->SetVisible(true);
}

void TForm13::Button13Click(TObject* Sender) {
  if (Form21 != nullptr) Form21->RestartAndReconnect();
  if (Form1 != nullptr) Form1->WaitMs(kAfterRestartMs);
}

void TForm13::Button16Click(TObject* Sender) {
  const uint8_t channel = RadioButton2->Checked() ? 2 : 1;
  calibration::Send(CMD_DELETE_CAL, {channel});
}

void TForm13::Button15Click(TObject* Sender) {
  if (Form19 != nullptr) Form19->Show();
}

void TForm13::Button2Click(TObject* Sender) {
  calibration::Send(CMD_ADC_MODE, {0, 0}, false, false);
  calibration::ShowAdcMode("CONT");
}

void TForm13::Button14Click(TObject* Sender) {
  calibration::Send(CMD_ADC_MODE, {1, 0}, false, false);
  calibration::ShowAdcMode("SINGLE");
}

void TForm13::Button3Click(TObject* Sender) {
  const int item = ComboBox2->ItemIndex();
  calibration::Send(CMD_CAL_DEBUG, {static_cast<uint8_t>(item < 0 ? 0xFF : item)}, false, false);
}

void TForm13::Button1Click(TObject* Sender) {
  if (Form1 != nullptr) Form1->CalibrationServiceMode = 0;
  Close();
}
