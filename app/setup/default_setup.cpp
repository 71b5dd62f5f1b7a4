#include "app/setup/default_setup.h"

#include <algorithm>
#include <span>
#include <string>

namespace {

// Writes field values by name into one section's bytes.
class SectionWriter {
 public:
  SectionWriter(SetupSection section, std::span<uint8_t> bytes) : section_(section), bytes_(bytes) {
    std::fill(bytes_.begin(), bytes_.end(), uint8_t{0xFF});
  }

  SectionWriter& Set(const std::string& name, double value, int index = 0) {
    const SetupField& field = FieldOf(section_, name);
    const int offset = field.offset + index * FieldWidth(field.type);
    switch (field.type) {
      case FieldType::Byte:
      case FieldType::Char:
        PutByte(bytes_, offset, static_cast<uint8_t>(value));
        break;
      case FieldType::Int16:
        PutInt16(bytes_, offset, static_cast<int16_t>(value));
        break;
      case FieldType::Int16LE:
        PutInt16LE(bytes_, offset, static_cast<int16_t>(value));
        break;
      case FieldType::Int32:
        PutInt32(bytes_, offset, static_cast<int32_t>(static_cast<int64_t>(value)));
        break;
      case FieldType::Float32:
        PutFloat(bytes_, offset, static_cast<float>(value));
        break;
    }
    return *this;
  }

 private:
  SetupSection section_;
  std::span<uint8_t> bytes_;
};

DefaultSetupImages Build() {
  using enum SetupSection;
  DefaultSetupImages d{};

  SectionWriter(GBL, d.gbl).Set("setup_active", 0).Set("setup_alt", 0).Set("backup", 0);

  SectionWriter(ADM, d.adm)
      .Set("valid", 1).Set("csum", 0, 0).Set("csum", 0, 1).Set("inr", 0xFF).Set("setup", 1).Set("lang", 0)
      .Set("qstart", 0).Set("exb", 1).Set("lcd", 0).Set("lc_err", 1).Set("spi", 0).Set("ext_disp", 0);

  SectionWriter(LPC, d.lpc)
      .Set("active", 2).Set("co_active", 1).Set("ch", 0).Set("baud_rs232", 3).Set("baud_rs485", 3)
      .Set("baud_can", 3).Set("baud_usb", 0).Set("param", 0).Set("protok", 1).Set("stx_etx", 1).Set("type", 1)
      .Set("ack", 1).Set("bcc", 1).Set("rs485_adr", 1).Set("can_nodeid", 1).Set("can_dbyte", 8).Set("can_mode", 0)
      .Set("sdcont", 0).Set("btncont", 0).Set("pb_cmd", 1).Set("pb_toggle", 1).Set("val_sdcont", 0);

  SectionWriter adc(ADC, d.adc);
  for (const std::string c : {"0", "1"}) {
    adc.Set("offset_" + c + "_0", 0).Set("gain_" + c + "_0", 0x01000000);
    adc.Set("offset_" + c + "_1", 0).Set("gain_" + c + "_1", 0x01000000);
    for (int i = 0; i < 8; ++i) {
      adc.Set("xs_" + c, i == 1 ? 2000000 : 0, i);
      adc.Set("ys_" + c, i == 1 ? 100.0 : 0.0, i);
    }
    adc.Set("CSR_" + c, 0).Set("calstart_" + c, 0).Set("calcoll_" + c, 0).Set("lg_" + c, 1).Set("len_" + c, 8);
    adc.Set("level_" + c, 500000).Set("calib_" + c, 1).Set("smax_" + c, 2).Set("lc_type_" + c, 1);
    adc.Set("lc_err_det_val_" + c, 400000);
  }
  adc.Set("c_mod", 0).Set("c_tim", 2).Set("adc_type", 0).Set("calib_count", 120).Set("mwfilter_type", 1);
  adc.Set("start_kanal", 0).Set("two_channel_operation", 1).Set("crate", 4).Set("mode", 1);
  adc.Set("log_count_mode", 0).Set("lc_err_cyl", 20);

  SectionWriter wkg(WKG0, d.wkg);
  wkg.Set("mk", 2);
  for (const char* unit : {"me_kg", "me_t", "me_g", "me_lb", "me_oz", "me_n", "me_kn", "me_free"}) wkg.Set(unit, 1);
  wkg.Set("me", 0).Set("nsu", 100).Set("nso", 100).Set("enu", 50).Set("eno", 50).Set("enull", 0).Set("nulln", 0);
  wkg.Set("nullnd", 1).Set("min", 20).Set("tau", 20).Set("tao", 100).Set("tam", 0).Set("ssz", 100).Set("ssw", 100);
  wkg.Set("under", 9).Set("over", 9).Set("under_f", -10.0).Set("over_f", 110.0).Set("lfdnr_m", 0);
  wkg.Set("lfdnr_min", 1).Set("lfdnr_max", 50000).Set("sch", 0).Set("smd", 0).Set("cm1", 'm').Set("cm2", 'm');
  wkg.Set("fmf", 1.0).Set("tnr", 0).Set("trm", 0);

  SectionWriter(WKS, d.wks)
      .Set("sum", 0).Set("mode", 0).Set("fakt_0", 1).Set("fakt_1", 1).Set("under_f", -10.0).Set("over_f", 110.0);

  SectionWriter chn(CHN0, d.chn);
  chn.Set("tbon", 0);
  struct Range { int skt, zs, sk; };
  const Range ranges[8] = {{14, 9, 3000},  {14, 0, 3000},  {17, 17, 6000}, {14, 10, 3000},
                           {11, 14, 2000}, {14, 12, 3000}, {14, 3, 3000},  {11, 14, 2000}};
  for (int u = 0; u < 8; ++u) {
    const std::string key = "ch_b[" + std::to_string(u) + "][0]_";
    chn.Set(key + "skt", ranges[u].skt).Set(key + "zs", ranges[u].zs).Set(key + "sk", ranges[u].sk);
  }
  chn.Set("chn_mode", 0).Set("chn_mode_val", 2.0).Set("chn_calib_mode", 1).Set("lkz_enable", 0);
  chn.Set("lkz_skt", 14).Set("lkz_zs", 9).Set("lkz_sk", 3000).Set("bw_enable", 0).Set("bw_difftime", 1);
  chn.Set("five_decimals", 0xFF);

  SectionWriter exb(EXB, d.exb);
  for (const char* flag : {"inp_active", "inp_neg", "inp_tare", "inp_zero", "inp_chsel", "inp_log", "inp_incr"})
    exb.Set(flag, 0);
  exb.Set("inp_val", 0).Set("inp_val_imp", 0.0);
  for (int r = 0; r < 2; ++r) {
    const std::string p = "rel_" + std::to_string(r) + "_";
    for (const char* flag : {"active", "neg", "mode", "value", "sti", "err", "lc_err"}) exb.Set(p + flag, 0);
    exb.Set(p + "ch", r).Set(p + "grw", 100.0).Set(p + "hyst_val", 10.0).Set(p + "hyst_mode", 3);
    exb.Set(p + "on_time", 0).Set(p + "pre_time", 0);
  }

  SectionWriter(MSC, d.msc)
      .Set("ext_disp", 0).Set("ext_disp_port", 1).Set("ext_disp_adr", 10).Set("ext_disp_mode", 0)
      .Set("ext_disp_chn", 0).Set("ext_disp_blink", 0).Set("ext_disp_prot", 0);
  return d;
}

template <size_t N>
std::vector<uint8_t> Bytes(const std::array<uint8_t, N>& a) {
  return {a.begin(), a.end()};
}

}  // namespace

const DefaultSetupImages& DefaultSetup() {
  static const DefaultSetupImages images = Build();
  return images;
}

std::optional<std::vector<uint8_t>> DefaultSection(SetupSection section) {
  const DefaultSetupImages& d = DefaultSetup();
  switch (section) {
    case SetupSection::GBL: return Bytes(d.gbl);
    case SetupSection::ADM: return Bytes(d.adm);
    case SetupSection::LPC: return Bytes(d.lpc);
    case SetupSection::ADC: return Bytes(d.adc);
    case SetupSection::WKG0:
    case SetupSection::WKG1: return Bytes(d.wkg);
    case SetupSection::WKS: return Bytes(d.wks);
    case SetupSection::CHN0:
    case SetupSection::CHN1: return Bytes(d.chn);
    case SetupSection::EXB: return Bytes(d.exb);
    case SetupSection::MSC: return Bytes(d.msc);
    case SetupSection::SAV: return std::nullopt;
  }
  return std::nullopt;
}

bool LoadDefaultSection(SetupImageBytes& image, SetupSection section) {
  const auto bytes = DefaultSection(section);
  if (!bytes) return false;
  std::copy(bytes->begin(), bytes->end(), SectionBytes(image, section).begin());
  return true;
}
