#include "app/setup/section_codec.h"

#include <algorithm>
#include <array>
#include <vector>

#include "app/link/link_utilities.h"
#include "app/setup/setup_text.h"

namespace {

using enum SetupSection;

// One section being rebuilt: the old bytes to keep from and the new ones.
class Rebuild {
 public:
  Rebuild(SetupSection section, const SetupControlReader& controls, std::span<uint8_t> bytes)
      : section_(section), c_(controls), old_(bytes.begin(), bytes.end()), out_(bytes) {
    std::fill(out_.begin(), out_.end(), uint8_t{0xFF});
  }

  int Offset(std::string_view field, int index = 0) const {
    const SetupField& f = FieldOf(section_, field);
    return f.offset + index * FieldWidth(f.type);
  }

  void Byte(std::string_view field, int value, int index = 0) {
    PutByte(out_, Offset(field, index), static_cast<uint8_t>(value));
  }

  // The field keeps its bytes: no editable control feeds it.
  void Keep(std::string_view field) {
    const SetupField& f = FieldOf(section_, field);
    const int width = FieldWidth(f.type) * f.count;
    std::copy_n(old_.begin() + f.offset, width, out_.begin() + f.offset);
  }

  void List(std::string_view field, const char* list, int index = 0) { Byte(field, c_.ItemIndex(list), index); }
  void ListPlus1(std::string_view field, const char* list) { Byte(field, c_.ItemIndex(list) + 1); }
  void Check(std::string_view field, const char* box, int index = 0) { Byte(field, c_.Checked(box) ? 1 : 0, index); }
  void Int(std::string_view field, const char* edit, int index = 0) { Byte(field, TextToInt(c_.Text(edit)), index); }
  void Int32(std::string_view field, const char* edit, int index = 0) {
    PutInt32(out_, Offset(field, index), TextToInt(c_.Text(edit)));
  }
  void Int16(std::string_view field, const char* edit) {
    PutInt16(out_, Offset(field), static_cast<int16_t>(TextToInt(c_.Text(edit))));
  }
  void Int16LowFirst(std::string_view field, const char* edit) {
    PutInt16LE(out_, Offset(field), static_cast<int16_t>(TextToInt(c_.Text(edit))));
  }
  void Hex(std::string_view field, const char* edit, int index = 0) {
    PutUInt32(out_, Offset(field, index), HexTextToValue(c_.Text(edit)));
  }
  void Char(std::string_view field, const char* edit) { Byte(field, TextChar(c_.Text(edit))); }

  // A float as typed; an edit that still shows the display's text of the
  // old value keeps that value exactly.
  void Float(std::string_view field, const char* edit, FloatFormat shown, int index = 0) {
    const int offset = Offset(field, index);
    const std::string text = c_.Text(edit);
    if (text == FormatFloat(GetFloat(old_, offset), shown)) {
      std::copy_n(old_.begin() + offset, 4, out_.begin() + offset);
    } else {
      PutFloat(out_, offset, TextToFloat(text));
    }
  }

  // skt and zs from the two lists, sk from the table or, for a free count,
  // from the edit. A list without a valid choice gives an erased entry.
  void Resolution(int skt_offset, int zs_offset, int sk_offset, const char* scale, const char* step,
                  const char* count) {
    const int position = c_.ItemIndex(scale);
    PutByte(out_, skt_offset, static_cast<uint8_t>(position));
    PutByte(out_, zs_offset, static_cast<uint8_t>(c_.ItemIndex(step)));
    if (position == 0) {
      PutInt32(out_, sk_offset, TextToInt(c_.Text(count)));
    } else if (position > 0 && position < static_cast<int>(ScaleDivisionTable.size())) {
      PutInt32(out_, sk_offset, ScaleDivisionTable[static_cast<size_t>(position)]);
    } else {
      PutUInt32(out_, sk_offset, 0xFFFFFFFF);
    }
  }

  const SetupControlReader& Controls() const { return c_; }
  std::span<uint8_t> Out() { return out_; }

 private:
  SetupSection section_;
  const SetupControlReader& c_;
  std::vector<uint8_t> old_;
  std::span<uint8_t> out_;
};

void Gbl(Rebuild& r) {
  r.List("setup_active", "ComboBox38");
  r.Keep("setup_alt");  // its list is shown but never taken
  r.List("backup", "ComboBox95");
}

void Adm(Rebuild& r) {
  // valid, csum and inr are the device's own; they are never written.
  r.Keep("valid");
  r.Keep("csum");
  r.Keep("inr");
  r.List("setup", "ComboBox35");
  r.List("lang", "ComboBox36");
  r.List("qstart", "ComboBox37");
  r.Check("exb", "CheckBox21");
  r.Check("lcd", "CheckBox23");
  r.Check("lc_err", "CheckBox35");
  r.Check("spi", "CheckBox37");
  r.Check("ext_disp", "CheckBox50");
}

void Lpc(Rebuild& r) {
  r.List("active", "ComboBox4");
  r.Check("co_active", "CheckBox1");
  for (const char* field : {"ch", "param", "protok", "type"}) r.Keep(field);
  r.List("baud_rs232", "ComboBox6");
  r.List("baud_rs485", "ComboBox14");
  r.List("baud_usb", "ComboBox49");
  r.List("baud_can", "ComboBox1");
  r.List("stx_etx", "ComboBox9");
  r.List("ack", "ComboBox11");
  r.List("bcc", "ComboBox12");
  r.List("sdcont", "ComboBox18");
  r.List("val_sdcont", "ComboBox94");
  r.List("btncont", "ComboBox13");
  r.Int("rs485_adr", "Edit2");
  r.Int("can_nodeid", "Edit1");
  r.List("can_dbyte", "ComboBox2");
  r.List("can_mode", "ComboBox3");
  r.Check("pb_cmd", "CheckBox2");
  r.Check("pb_toggle", "CheckBox13");
}

struct AdcChannelControls {
  const char* calstart;
  const char* calcoll;
  const char* lg;
  const char* len_list;
  const char* len_edit;
  const char* level;
  const char* calib;
  const char* smax;
  const char* lc_type;
  const char* lc_err_det_val;
  const char* offset0;
  const char* gain0;
  const char* offset1;
  const char* gain1;
  std::array<const char*, 8> x;
  std::array<const char*, 8> y;
};

const AdcChannelControls kAdcChannels[2] = {
    {"ComboBox40", "ComboBox23", "Edit11", "ComboBox96", "Edit12", "Edit13", "ComboBox16", "Edit25", "ComboBox92",
     "Edit143", "Edit6", "Edit7", "Edit42", "Edit43",
     {"Edit4", "Edit8", "Edit21", "Edit23", "Edit18", "Edit27", "Edit29", "Edit31"},
     {"Edit5", "Edit20", "Edit22", "Edit24", "Edit26", "Edit28", "Edit30", "Edit32"}},
    {"ComboBox41", "ComboBox24", "Edit15", "ComboBox97", "Edit16", "Edit17", "ComboBox17", "Edit51", "ComboBox93",
     "Edit144", "Edit9", "Edit10", "Edit44", "Edit45",
     {"Edit33", "Edit35", "Edit47", "Edit49", "Edit52", "Edit54", "Edit56", "Edit58"},
     {"Edit34", "Edit46", "Edit48", "Edit50", "Edit53", "Edit55", "Edit57", "Edit59"}},
};

void Adc(Rebuild& r) {
  // Both filter lengths follow the filter type that the list shows now.
  const int filter_type = r.Controls().ItemIndex("ComboBox19");
  for (int c = 0; c < 2; ++c) {
    const AdcChannelControls& k = kAdcChannels[c];
    const std::string n = std::to_string(c);
    r.Keep("CSR_" + n);
    r.List("calstart_" + n, k.calstart);
    r.List("calcoll_" + n, k.calcoll);
    r.Int("lg_" + n, k.lg);
    if (filter_type == 1) {
      r.Byte("len_" + n, FilterLengthOfItem(r.Controls().ItemIndex(k.len_list)));
    } else if (filter_type == 0) {
      r.Int("len_" + n, k.len_edit);
    }
    r.Int32("level_" + n, k.level);
    r.List("calib_" + n, k.calib);
    r.Int("smax_" + n, k.smax);
    r.List("lc_type_" + n, k.lc_type);
    const int32_t detuning = TextToInt(r.Controls().Text(k.lc_err_det_val));
    PutInt32(r.Out(), r.Offset("lc_err_det_val_" + n), detuning == 0 ? 400000 : detuning);
    r.Hex("offset_" + n + "_0", k.offset0);
    r.Hex("gain_" + n + "_0", k.gain0);
    r.Hex("offset_" + n + "_1", k.offset1);
    r.Hex("gain_" + n + "_1", k.gain1);
    for (int i = 0; i < 8; ++i) {
      r.Hex("xs_" + n, k.x[static_cast<size_t>(i)], i);
      r.Float("ys_" + n, k.y[static_cast<size_t>(i)], kFloat8, i);
    }
  }
  r.List("c_mod", "ComboBox15");
  r.Int("c_tim", "Edit14");
  r.List("adc_type", "ComboBox20");
  r.Int("calib_count", "Edit41");
  r.List("mwfilter_type", "ComboBox19");
  r.List("start_kanal", "ComboBox42");
  r.List("two_channel_operation", "ComboBox45");
  r.List("crate", "ComboBox44");
  r.List("mode", "ComboBox43");
  r.List("log_count_mode", "ComboBox87");
  r.Byte("lc_err_cyl", TextToInt(r.Controls().Text("Edit142")) / 100);
}

struct WkgControls {
  const char* mk;
  std::array<const char*, 8> units;
  const char* me;
  const char *nsu, *nso, *enu, *eno;
  const char *enull, *nulln, *nullnd;
  const char *min, *tau, *tao, *tam, *ssz, *ssw;
  const char *under, *over, *under_f, *over_f, *trm;
  const char *lfdnr_m, *lfdnr_min, *lfdnr_max, *sch, *smd;
  const char *cm1, *cm2, *fmf, *tnr;
};

const WkgControls kWkg[2] = {
    {"ComboBox5",
     {"CheckBox5", "CheckBox6", "CheckBox7", "CheckBox8", "CheckBox9", "CheckBox10", "CheckBox11", "CheckBox12"},
     "ComboBox8", "Edit62", "Edit63", "Edit67", "Edit68", "CheckBox3", "CheckBox4", "Edit99", "Edit69", "Edit70",
     "Edit71", "ComboBox30", "Edit60", "Edit61", "Edit72", "Edit73", "Edit106", "Edit107", "CheckBox38",
     "ComboBox10", "Edit74", "Edit75", "ComboBox27", "ComboBox31", "Edit103", "Edit104", "Edit105", "CheckBox22"},
    {nullptr,
     {"CheckBox26", "CheckBox27", "CheckBox28", "CheckBox29", "CheckBox30", "CheckBox31", "CheckBox32", "CheckBox33"},
     "ComboBox82", "Edit110", "Edit111", "Edit112", "Edit113", "CheckBox24", "CheckBox25", "Edit116", "Edit126",
     "Edit122", "Edit121", "ComboBox86", "Edit108", "Edit109", "Edit114", "Edit115", "Edit117", "Edit118",
     "CheckBox39", nullptr, nullptr, nullptr, nullptr, nullptr, "Edit123", "Edit124", "Edit125", nullptr},
};

constexpr const char* kUnitFields[8] = {"me_kg", "me_t", "me_g", "me_lb", "me_oz", "me_n", "me_kn", "me_free"};

void Wkg(Rebuild& r, int channel) {
  const WkgControls& k = kWkg[channel];
  if (channel == 0) {
    r.ListPlus1("mk", k.mk);
  } else {
    r.Keep("mk");
  }
  for (int u = 0; u < 8; ++u) r.Check(kUnitFields[u], k.units[static_cast<size_t>(u)]);
  r.List("me", k.me);
  r.Int("nsu", k.nsu);
  r.Int("nso", k.nso);
  r.Int("enu", k.enu);
  r.Int("eno", k.eno);
  r.Check("enull", k.enull);
  r.Check("nulln", k.nulln);
  r.Int("nullnd", k.nullnd);
  r.Int("min", k.min);
  r.Int("tau", k.tau);
  r.Int("tao", k.tao);
  r.List("tam", k.tam);
  r.Int("ssz", k.ssz);
  r.Int("ssw", k.ssw);
  r.Int16LowFirst("under", k.under);
  r.Int16LowFirst("over", k.over);
  r.Float("under_f", k.under_f, kFloat1);
  r.Float("over_f", k.over_f, kFloat1);
  r.Check("trm", k.trm);
  if (channel == 0) {
    r.List("lfdnr_m", k.lfdnr_m);
    r.Int32("lfdnr_min", k.lfdnr_min);
    r.Int32("lfdnr_max", k.lfdnr_max);
    r.List("sch", k.sch);
    r.List("smd", k.smd);
  } else {
    // Channel 2 has no running number, start display or tare display of its own.
    for (const char* field : {"lfdnr_m", "lfdnr_min", "lfdnr_max", "sch", "smd", "tnr"}) r.Keep(field);
  }
  r.Char("cm1", k.cm1);
  r.Char("cm2", k.cm2);
  r.Float("fmf", k.fmf, kFloat2);
  if (channel == 0) r.Check("tnr", k.tnr);
}

void Wks(Rebuild& r) {
  r.Check("sum", "CheckBox36");
  r.List("mode", "ComboBox102");
  r.Int("fakt_0", "Edit129");
  r.Int("fakt_1", "Edit130");
  r.Float("under_f", "Edit127", kFloat1);
  r.Float("over_f", "Edit128", kFloat1);
}

struct ChnControls {
  std::array<std::array<const char*, 3>, 8> rows;  // scale list, step list, free count
  const char *mode_val, *calib_mode, *five_decimals;
  const char *lkz_enable, *lkz_skt, *lkz_zs, *lkz_sk, *bw_enable, *bw_difftime;
};

const ChnControls kChn[2] = {
    {{{{"ComboBox33", "ComboBox34", "Edit66"},
       {"ComboBox29", "ComboBox32", "Edit76"},
       {"ComboBox48", "ComboBox50", "Edit77"},
       {"ComboBox52", "ComboBox51", "Edit78"},
       {"ComboBox54", "ComboBox55", "Edit79"},
       {"ComboBox57", "ComboBox56", "Edit80"},
       {"ComboBox58", "ComboBox59", "Edit89"},
       {"ComboBox61", "ComboBox60", "Edit90"}}},
     "Edit64", "Edit101", "CheckBox51", "CheckBox44", "ComboBox88", "ComboBox89", "Edit135", "CheckBox46", "Edit137"},
    {{{{"ComboBox7", "ComboBox73", "Edit91"},
       {"ComboBox46", "ComboBox72", "Edit92"},
       {"ComboBox47", "ComboBox71", "Edit93"},
       {"ComboBox53", "ComboBox70", "Edit94"},
       {"ComboBox62", "ComboBox69", "Edit95"},
       {"ComboBox63", "ComboBox68", "Edit96"},
       {"ComboBox64", "ComboBox67", "Edit97"},
       {"ComboBox65", "ComboBox66", "Edit98"}}},
     "Edit65", "Edit102", "CheckBox52", "CheckBox45", "ComboBox90", "ComboBox91", "Edit136", "CheckBox47", "Edit138"},
};

void Chn(Rebuild& r, int channel, const CodecOptions& options) {
  const ChnControls& k = kChn[channel];
  r.Keep("tbon");
  for (int u = 0; u < 8; ++u) {
    const std::string key = "ch_b[" + std::to_string(u) + "][0]_";
    const auto& row = k.rows[static_cast<size_t>(u)];
    r.Resolution(r.Offset(key + "skt"), r.Offset(key + "zs"), r.Offset(key + "sk"), row[0], row[1], row[2]);
  }
  r.Keep("chn_mode");
  r.Float("chn_mode_val", k.mode_val, kFloat5);
  r.Int("chn_calib_mode", k.calib_mode);
  r.Byte("five_decimals", !options.no_five_decimals && r.Controls().Checked(k.five_decimals) ? 0 : 0xFF);
  r.Check("lkz_enable", k.lkz_enable);
  r.Resolution(r.Offset("lkz_skt"), r.Offset("lkz_zs"), r.Offset("lkz_sk"), k.lkz_skt, k.lkz_zs, k.lkz_sk);
  r.Check("bw_enable", k.bw_enable);
  r.Int("bw_difftime", k.bw_difftime);
}

struct RelayControls {
  const char *active, *neg, *mode, *ch, *sti, *err, *lc_err, *value, *grw, *hyst_val, *hyst_mode, *on_time,
      *pre_time;
};

const RelayControls kRelays[2] = {
    {"CheckBox17", "CheckBox18", "ComboBox76", "ComboBox77", "RadioButton3", "RadioButton4", "RadioButton9",
     "RadioButton7", "Edit38", "Edit39", "ComboBox78", "Edit131", "Edit132"},
    {"CheckBox19", "CheckBox20", "ComboBox79", "ComboBox80", "RadioButton5", "RadioButton6", "RadioButton10",
     "RadioButton8", "Edit40", "Edit81", "ComboBox81", "Edit133", "Edit134"},
};

void Exb(Rebuild& r) {
  r.Check("inp_active", "CheckBox14");
  r.Check("inp_neg", "CheckBox15");
  r.Check("inp_tare", "CheckBox40");
  r.Check("inp_zero", "CheckBox41");
  r.Check("inp_chsel", "CheckBox42");
  r.Check("inp_log", "CheckBox43");
  r.Check("inp_incr", "CheckBox16");
  r.Int16("inp_val", "Edit36");
  r.Float("inp_val_imp", "Edit37", kFloat2);
  for (int n = 0; n < 2; ++n) {
    const RelayControls& k = kRelays[n];
    const std::string p = "rel_" + std::to_string(n) + "_";
    r.Check(p + "active", k.active);
    r.Check(p + "neg", k.neg);
    r.List(p + "mode", k.mode);
    r.List(p + "ch", k.ch);
    r.Check(p + "sti", k.sti);
    r.Check(p + "err", k.err);
    r.Check(p + "lc_err", k.lc_err);
    r.Check(p + "value", k.value);
    r.Float(p + "grw", k.grw, kFloat1);
    r.Float(p + "hyst_val", k.hyst_val, kFloat1);
    r.List(p + "hyst_mode", k.hyst_mode);
    r.Int16(p + "on_time", k.on_time);
    r.Int16(p + "pre_time", k.pre_time);
  }
}

void Msc(Rebuild& r) {
  r.Check("ext_disp", "CheckBox48");
  r.List("ext_disp_port", "ComboBox98");
  r.Int("ext_disp_adr", "Edit139");
  r.List("ext_disp_mode", "ComboBox99");
  r.List("ext_disp_chn", "ComboBox100");
  r.Check("ext_disp_blink", "CheckBox49");
  r.List("ext_disp_prot", "ComboBox101");
}

}  // namespace

void RebuildSection(SetupSection section, const SetupControlReader& controls, const CodecOptions& options,
                    std::span<uint8_t> bytes) {
  if (section == SAV) return;
  Rebuild r(section, controls, bytes);
  switch (section) {
    case GBL: Gbl(r); break;
    case ADM: Adm(r); break;
    case LPC: Lpc(r); break;
    case ADC: Adc(r); break;
    case WKG0: Wkg(r, 0); break;
    case WKG1: Wkg(r, 1); break;
    case WKS: Wks(r); break;
    case CHN0: Chn(r, 0, options); break;
    case CHN1: Chn(r, 1, options); break;
    case EXB: Exb(r); break;
    case MSC: Msc(r); break;
    case SAV: break;
  }
}

SectionWrite DeviceWriteOf(SetupSection section, uint16_t base) {
  const SectionInfo& info = Info(section);
  if (section == GBL) return {0, 0, info.size};
  if (section == ADM) return {base, 4, 12};
  return {base + info.copy_offset, 0, info.size};
}
