// Pages GBL, ADM, LPC and ADC, and the ext_s structure: run-time blocks of
// CMD_DEBUG_VARS shown byte by byte.
#include "app/diag/runtime_viewer.h"

#include <cstring>
#include <iterator>

#include "app/link/link_protocol.h"
#include "app/link/link_utilities.h"
#include "app/link/test_window.h"
#include "app/service/service_window.h"
#include "app/setup/setup_text.h"
#include "platform/forms/control_placement.h"
#include "platform/forms/dialog_layout.h"

namespace {

// What a field shows when its block got no fresh answer.
constexpr char kUnread[] = "-";
// The calibration data of a channel are in none of the blocks.
constexpr char kNotInBlocks[] = "--------";

constexpr int kEditHeight = 21;

TLabeledEdit* ByteEdit(TWinControl* parent, const std::string& name, const std::string& label, int x, int y,
                       int width = 40, int maxLength = 2) {
  auto* edit = PlaceControl<TLabeledEdit>(parent, name.c_str(), x, y, width, kEditHeight, label);
  edit->EditLabel()->SetName(name + "Label");
  if (maxLength > 0) edit->SetMaxLength(maxLength);
  return edit;
}

struct FieldName {
  const char* name;
  const char* label;
};

// Edits laid out in rows, `perRow` to a row.
std::vector<TLabeledEdit*> ByteEdits(TWinControl* parent, std::initializer_list<FieldName> fields, int x, int y,
                                     int perRow, int step = 100) {
  std::vector<TLabeledEdit*> edits;
  int i = 0;
  for (const FieldName& f : fields) {
    edits.push_back(ByteEdit(parent, f.name, f.label, x + (i % perRow) * step, y + (i / perRow) * 44));
    ++i;
  }
  return edits;
}

}  // namespace

void TForm12::BuildStructurePages() {
  {
    const DialogLayout at(Page(PAGE_GBL));
    TGroupBox* group = at.Group("GroupBox1", "s.gbl.   ", 8, 8, 420, 110);
    GblEdits = ByteEdits(group, {{"setup_active", "setup_active"}, {"setup_alt", "setup_alt"}}, 12, 40, 4);
    Button17 = at.Button("Button17", "Lesen", 8, 130, 90);
    Button17->OnClick = Handler(this, &TForm12::Button17Click);
    at.Button("Button18", "Schreiben", 108, 130, 90)->SetVisible(false);
  }
  {
    const DialogLayout at(Page(PAGE_ADM));
    TGroupBox* group = at.Group("GroupBox2", "s.adm.   ", 8, 8, 520, 150);
    AdmEdits = ByteEdits(group,
                         {{"valid", "valid"},
                          {"csum_0", "csum[0]"},
                          {"csum_1", "csum[1]"},
                          {"inr", "inr"},
                          {"setup", "setup"},
                          {"lang", "lang"},
                          {"qstart", "qstart"},
                          {"adm_exb", "exb"},
                          {"adm_lcd", "adm_lcd"}},
                         12, 40, 5);
    Button2 = at.Button("Button2", "Lesen", 8, 170, 90);
    Button2->OnClick = Handler(this, &TForm12::Button2Click);
  }
  {
    const DialogLayout at(Page(PAGE_LPC));
    TGroupBox* group = at.Group("GroupBox3", "s.pc.   ", 8, 8, 620, 250);
    LpcEdits = ByteEdits(group,
                         {{"active", "active"},         {"co_active", "co_active"},   {"ch", "ch"},
                          {"baud_rs232", "baud_rs232"}, {"baud_rs485", "baud_rs485"}, {"baud_can", "baud_can"},
                          {"baud_usb", "baud_usb"},     {"param", "param"},           {"protok", "protok"},
                          {"stx_etx", "stx_etx"},       {"type", "type"},             {"ack", "ack"},
                          {"bcc", "bcc"},               {"rs485_adr", "rs485_adr"},   {"can_nodeid", "can_nodeid"},
                          {"can_dbyte", "can_dbyte"},   {"can_mode", "can_mode"},     {"sdcont", "sdcont"},
                          {"btncont", "btncont"},       {"pb_cmd", "pb_cmd"},         {"pb_toggle", "pb_toggle"}},
                         12, 40, 6);
    LpcEdits[1]->SetMaxLength(0);  // co_active
    for (size_t i : {2u, 7u, 8u, 10u}) {  // ch, param, protok, type
      LpcEdits[i]->SetEnabled(false);
      LpcEdits[i]->SetReadOnly(true);
    }
    Button3 = at.Button("Button3", "Lesen", 8, 270, 90);
    Button3->OnClick = Handler(this, &TForm12::Button3Click);
    TButton* hidden = at.Button("Button4", "Schreiben", 108, 270, 90);
    hidden->SetVisible(false);
    hidden->SetEnabled(false);
    Button28 = at.Button("Button28", "Baudrate RS232", 220, 270, 120);
    Button28->OnClick = Handler(this, &TForm12::Button28Click);
  }
}

void TForm12::BuildAdcPage() {
  const DialogLayout at(Page(PAGE_ADC));
  for (int ch = 0; ch < 2; ++ch) {
    const std::string n = std::to_string(ch);
    TGroupBox* group = at.Group(ch == 0 ? "GroupBox4" : "GroupBox5", ch == 0 ? "s.ad.a[0].   " : "s.ad.a[1].   ",
                                8, 4 + ch * 200, 830, 196);
    AdcChannelEdits& e = AdcChannels[static_cast<size_t>(ch)];
    e.CSR = ByteEdit(group, "CSR_" + n, "CSR", 10, 34);
    e.CSR->SetEnabled(false);
    e.calcoll = ByteEdit(group, "calcoll_" + n, "calcoll", 60, 34);
    e.calstart = ByteEdit(group, "calstart_" + n, "calstart", 110, 34);
    const char* const calLabels[] = {"offset_0", "gain_0", "offset_1", "gain_1"};
    const char* const calNames[] = {"offset_", "gain_", "offset_", "gain_"};
    for (int i = 0; i < 4; ++i)
      e.calibration[static_cast<size_t>(i)] =
          ByteEdit(group, calNames[i] + n + "_" + std::to_string(i / 2), calLabels[i], 170 + i * 80, 34, 74, 8);
    for (int i = 0; i < 8; ++i) {
      const std::string k = std::to_string(i);
      e.xs[static_cast<size_t>(i)] =
          ByteEdit(group, "xs_" + n + "_" + k, "xs[" + k + "]", 10 + i * 80, 80, 74, 8);
      e.ys[static_cast<size_t>(i)] =
          ByteEdit(group, "ys_" + n + "_" + k, "ys[" + k + "]", 10 + i * 80, 124, 74, 8);
    }
    e.lg = ByteEdit(group, "lg_" + n, "lg", 10, 168);
    e.len = ByteEdit(group, "len_" + n, "len", 60, 168);
    e.level = ByteEdit(group, "level_" + n, "level", 110, 168, 74, 8);
    e.calib = ByteEdit(group, "calib_" + n, "calib", 194, 168);
    e.smax = ByteEdit(group, "smax_" + n, "smax", 244, 168);
  }
  TGroupBox* rec = at.Group("GroupBox6", "s.ad.rec.   ", 8, 408, 120, 70);
  TGroupBox* common = at.Group("GroupBox7", "s.ad.   ", 136, 408, 702, 70);
  AdcCommonEdits = ByteEdits(rec, {{"c_mod", "c_mod"}, {"c_tim", "c_tim"}}, 10, 36, 2, 54);
  const FieldName commonFields[] = {{"adc_type", "adc_type"},     {"calib_count", "calib_count"},
                                    {"mwfilter_type", "mwfilter_type"}, {"start_kanal", "start_kanal"},
                                    {"two_channel_operation", "two_channel_operation"},
                                    {"crate", "crate"},           {"mode", "mode"}};
  const int commonX[] = {10, 100, 190, 300, 400, 570, 630};
  for (size_t i = 0; i < std::size(commonFields); ++i)
    AdcCommonEdits.push_back(ByteEdit(common, commonFields[i].name, commonFields[i].label, commonX[i], 36));
  Button5 = at.Button("Button5", "Lesen", 8, 484, 80);
  Button5->OnClick = Handler(this, &TForm12::Button5Click);
  TButton* hidden = at.Button("Button6", "Schreiben", 96, 484, 80);
  hidden->SetVisible(false);
  hidden->SetEnabled(false);
  Button36 = at.Button("Button36", "Cont. Mode", 184, 484, 100);
  Button36->OnClick = Handler(this, &TForm12::Button36Click);
  Button37 = at.Button("Button37", "Single Mode", 292, 484, 100);
  Button37->OnClick = Handler(this, &TForm12::Button37Click);
  Button81 = at.Button("Button81", "Löschen Werkskalib. CHN1", 440, 484, 190);
  Button81->OnClick = Handler(this, &TForm12::Button81Click);
  Button82 = at.Button("Button82", "Löschen Werkskalib. CHN2", 640, 484, 190);
  Button82->OnClick = Handler(this, &TForm12::Button82Click);
}

// ---- Reading

bool TForm12::ReadBlock(uint8_t block) {
  const std::optional<RuntimeBlock> b = FindRuntimeBlock(block);
  if (!b) return false;
  ClearRuntimeBlock(RuntimeImage, *b);
  if (!Send(CMD_DEBUG_VARS, {block, 1, 0}, RequestKind::Wait)) return false;
  CopyRuntimeBlock(RuntimeImage, *b, ReplyData());
  return true;
}

void TForm12::ShowBytes(const std::vector<TLabeledEdit*>& edits, int offset, bool read) {
  for (size_t i = 0; i < edits.size(); ++i)
    edits[i]->SetText(read ? FormatHex2(RuntimeImage[static_cast<size_t>(offset) + i]) : kUnread);
  Repaint();
}

void TForm12::Button17Click(TObject* Sender) { ShowBytes(GblEdits, RUNTIME_GBL, ReadBlock(0)); }
void TForm12::Button2Click(TObject* Sender) { ShowBytes(AdmEdits, RUNTIME_ADM, ReadBlock(1)); }
void TForm12::Button3Click(TObject* Sender) { ShowBytes(LpcEdits, RUNTIME_PC, ReadBlock(2)); }

void TForm12::Button21Click(TObject* Sender) {
  if (!ReadBlock(9)) {
    Edit7->SetText(kUnread);
    Edit8->SetText(kUnread);
    return;
  }
  const std::span<const uint8_t> ext(RuntimeImage.data() + RUNTIME_EXT_S, 64);
  Edit7->SetText(ByteListText(ext.first(32)));
  Edit8->SetText(ByteListText(ext.subspan(32)));
}

void TForm12::Button28Click(TObject* Sender) { Form1->SearchBaudRate(); }

void TForm12::ShowAdcChannel(int channel, bool read) {
  AdcChannelEdits& e = AdcChannels[static_cast<size_t>(channel)];
  const int at = RUNTIME_AD + 160 + channel * 32;
  auto byte = [&](int i) { return read ? FormatHex2(RuntimeImage[static_cast<size_t>(at + i)]) : kUnread; };
  e.CSR->SetText(byte(0));
  e.calcoll->SetText(byte(2));
  e.calstart->SetText(byte(1));
  for (TLabeledEdit* edit : e.calibration) edit->SetText(kNotInBlocks);
  for (TLabeledEdit* edit : e.xs) edit->SetText(kNotInBlocks);
  for (TLabeledEdit* edit : e.ys) edit->SetText(kNotInBlocks);
  e.lg->SetText(byte(3));
  e.len->SetText(byte(4));
  e.level->SetText(read ? Be32Text(RuntimeImage, at + 5) : kUnread);
  e.calib->SetText(byte(9));
  e.smax->SetText(byte(10));
}

void TForm12::Button5Click(TObject* Sender) {
  std::fill_n(RuntimeImage.begin() + RUNTIME_AD, RUNTIME_AD_SIZE, uint8_t{0xFF});
  ShowAdcChannel(0, ReadBlock(3));
  ShowAdcChannel(1, ReadBlock(4));
  // Block 5: bytes 0, 1 and 4..10 are shown.
  const bool common = ReadBlock(5);
  static constexpr int kCommonBytes[] = {0, 1, 4, 5, 6, 7, 8, 9, 10};
  for (size_t i = 0; i < AdcCommonEdits.size(); ++i)
    AdcCommonEdits[i]->SetText(
        common ? FormatHex2(RuntimeImage[static_cast<size_t>(RUNTIME_AD + 224 + kCommonBytes[i])]) : kUnread);
  Repaint();
}

namespace {

void ShowAdcMode(const char* mode) {
  Form1->StatusBar1->SetPanelText(10, mode);
  if (Form21 != nullptr) Form21->StatusBar1->SetPanelText(3, mode);
}

}  // namespace

void TForm12::Button36Click(TObject* Sender) {
  Send(CMD_ADC_MODE, {0, 0}, RequestKind::SendOnly);
  ShowAdcMode("CONT");
}

void TForm12::Button37Click(TObject* Sender) {
  Send(CMD_ADC_MODE, {1, 0}, RequestKind::SendOnly);
  ShowAdcMode("SINGLE");
}

void TForm12::Button81Click(TObject* Sender) { Send(CMD_FACTORY_DATA, {0x96, 0}, RequestKind::Wait); }
void TForm12::Button82Click(TObject* Sender) { Send(CMD_FACTORY_DATA, {0x96, 1}, RequestKind::Wait); }
