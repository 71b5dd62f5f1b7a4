#include "app/link/setup_image.h"

#include <bit>
#include <cstring>
#include <stdexcept>

uint16_t SetupBase = 0;
int ActiveSetup = 255;

namespace {

using enum SetupSection;

constexpr std::array<SectionInfo, SETUP_SECTION_COUNT> kSections = {{
    {GBL, "GBL", 0, 8, -1},
    {ADM, "ADM", 8, 16, 0x000},
    {LPC, "LPC", 24, 32, 0x010},
    {ADC, "ADC", 56, 244, 0x030},
    {WKG0, "WKG[0]", 300, 64, 0x124},
    {WKG1, "WKG[1]", 364, 64, 0x164},
    {WKS, "WKS", 428, 32, 0x1A4},
    {CHN0, "CHN[0]", 460, 80, 0x1C4},
    {CHN1, "CHN[1]", 540, 80, 0x214},
    {EXB, "EXB", 620, 64, 0x264},
    {MSC, "MSC", 684, 32, 0x2A4},
    {SAV, "SAV", 716, 64, -1},
}};

void AddAdc(std::vector<SetupField>& f) {
  using enum FieldType;
  for (int c = 0; c < 2; ++c) {
    const std::string n = std::to_string(c);
    const int cal = 80 * c;
    f.push_back({ADC, "offset_" + n + "_0", cal + 0, Int32});
    f.push_back({ADC, "gain_" + n + "_0", cal + 4, Int32});
    f.push_back({ADC, "offset_" + n + "_1", cal + 8, Int32});
    f.push_back({ADC, "gain_" + n + "_1", cal + 12, Int32});
    f.push_back({ADC, "xs_" + n, cal + 16, Int32, 8});
    f.push_back({ADC, "ys_" + n, cal + 48, Float32, 8});
  }
  for (int c = 0; c < 2; ++c) {
    const std::string n = std::to_string(c);
    const int par = 160 + 32 * c;
    f.push_back({ADC, "CSR_" + n, par + 0, Byte});
    f.push_back({ADC, "calstart_" + n, par + 1, Byte});
    f.push_back({ADC, "calcoll_" + n, par + 2, Byte});
    f.push_back({ADC, "lg_" + n, par + 3, Byte});
    f.push_back({ADC, "len_" + n, par + 4, Byte});
    f.push_back({ADC, "level_" + n, par + 5, Int32});
    f.push_back({ADC, "calib_" + n, par + 9, Byte});
    f.push_back({ADC, "smax_" + n, par + 10, Byte});
    f.push_back({ADC, "lc_type_" + n, par + 11, Byte});
    f.push_back({ADC, "lc_err_det_val_" + n, par + 12, Int32});
  }
  const char* common[] = {"c_mod", "c_tim"};
  for (int i = 0; i < 2; ++i) f.push_back({ADC, common[i], 224 + i, Byte});
  const char* rest[] = {"adc_type", "calib_count",           "mwfilter_type", "start_kanal", "two_channel_operation",
                        "crate",    "mode",                  "log_count_mode", "lc_err_cyl"};
  for (int i = 0; i < 9; ++i) f.push_back({ADC, rest[i], 228 + i, Byte});
}

void AddWkg(std::vector<SetupField>& f, SetupSection s) {
  using enum FieldType;
  const char* bytes[] = {"mk",   "me_kg", "me_t", "me_g", "me_lb", "me_oz",  "me_n", "me_kn",
                         "me_free", "me", "nsu",  "nso",  "enu",   "eno",    "enull", "nulln",
                         "nullnd", "min", "tau",  "tao",  "tam",   "ssz",    "ssw"};
  for (int i = 0; i < 23; ++i) f.push_back({s, bytes[i], i, Byte});
  f.push_back({s, "under", 23, Int16LE});
  f.push_back({s, "over", 25, Int16LE});
  f.push_back({s, "under_f", 27, Float32});
  f.push_back({s, "over_f", 31, Float32});
  f.push_back({s, "lfdnr_m", 35, Byte});
  f.push_back({s, "lfdnr_min", 36, Int32});
  f.push_back({s, "lfdnr_max", 40, Int32});
  f.push_back({s, "sch", 44, Byte});
  f.push_back({s, "smd", 45, Byte});
  f.push_back({s, "cm1", 46, Char});
  f.push_back({s, "cm2", 47, Char});
  f.push_back({s, "fmf", 48, Float32});
  f.push_back({s, "tnr", 52, Byte});
  f.push_back({s, "trm", 53, Byte});
}

void AddChn(std::vector<SetupField>& f, SetupSection s) {
  using enum FieldType;
  f.push_back({s, "tbon", 0, Byte});
  for (int u = 0; u < 8; ++u) {
    const std::string key = "ch_b[" + std::to_string(u) + "][0]_";
    f.push_back({s, key + "skt", 1 + 6 * u, Byte});
    f.push_back({s, key + "zs", 2 + 6 * u, Byte});
    f.push_back({s, key + "sk", 3 + 6 * u, Int32});
  }
  f.push_back({s, "chn_mode", 49, Byte});
  f.push_back({s, "chn_mode_val", 50, Float32});
  f.push_back({s, "chn_calib_mode", 54, Byte});
  f.push_back({s, "lkz_enable", 55, Byte});
  f.push_back({s, "lkz_skt", 56, Byte});
  f.push_back({s, "lkz_zs", 57, Byte});
  f.push_back({s, "lkz_sk", 58, Int32});
  f.push_back({s, "bw_enable", 62, Byte});
  f.push_back({s, "bw_difftime", 63, Byte});
  f.push_back({s, "five_decimals", 64, Byte});
}

void AddExb(std::vector<SetupField>& f) {
  using enum FieldType;
  const char* inputs[] = {"inp_active", "inp_neg", "inp_tare", "inp_zero", "inp_chsel", "inp_log", "inp_incr"};
  for (int i = 0; i < 7; ++i) f.push_back({EXB, inputs[i], i, Byte});
  f.push_back({EXB, "inp_val", 7, Int16});
  f.push_back({EXB, "inp_val_imp", 9, Float32});
  for (int r = 0; r < 2; ++r) {
    const std::string p = "rel_" + std::to_string(r) + "_";
    const int b = 16 + 24 * r;
    const char* flags[] = {"active", "neg", "mode", "ch", "value", "sti", "err", "lc_err"};
    for (int i = 0; i < 8; ++i) f.push_back({EXB, p + flags[i], b + i, Byte});
    f.push_back({EXB, p + "grw", b + 8, Float32});
    f.push_back({EXB, p + "hyst_val", b + 12, Float32});
    f.push_back({EXB, p + "hyst_mode", b + 16, Byte});
    f.push_back({EXB, p + "on_time", b + 17, Int16});
    f.push_back({EXB, p + "pre_time", b + 19, Int16});
  }
}

std::vector<SetupField> BuildFields() {
  using enum FieldType;
  std::vector<SetupField> f;
  f.push_back({GBL, "setup_active", 0, Byte});
  f.push_back({GBL, "setup_alt", 1, Byte});
  f.push_back({GBL, "backup", 2, Byte});

  f.push_back({ADM, "valid", 0, Byte});
  f.push_back({ADM, "csum", 1, Byte, 2});
  const char* adm[] = {"inr", "setup", "lang", "qstart", "exb", "lcd", "lc_err", "spi", "ext_disp"};
  for (int i = 0; i < 9; ++i) f.push_back({ADM, adm[i], 3 + i, Byte});

  const char* lpc[] = {"active",  "co_active", "ch",      "baud_rs232", "baud_rs485", "baud_can",  "baud_usb", "param",
                       "protok",  "stx_etx",   "type",    "ack",        "bcc",        "rs485_adr", "can_nodeid",
                       "can_dbyte", "can_mode", "sdcont", "btncont",    "pb_cmd",     "pb_toggle", "val_sdcont"};
  for (int i = 0; i < 22; ++i) f.push_back({LPC, lpc[i], i, Byte});

  AddAdc(f);
  AddWkg(f, WKG0);
  AddWkg(f, WKG1);

  f.push_back({WKS, "sum", 0, Byte});
  f.push_back({WKS, "mode", 1, Byte});
  f.push_back({WKS, "fakt_0", 2, Byte});
  f.push_back({WKS, "fakt_1", 3, Byte});
  f.push_back({WKS, "under_f", 4, Float32});
  f.push_back({WKS, "over_f", 8, Float32});

  AddChn(f, CHN0);
  AddChn(f, CHN1);
  AddExb(f);

  const char* msc[] = {"ext_disp",     "ext_disp_port",  "ext_disp_adr", "ext_disp_mode",
                       "ext_disp_chn", "ext_disp_blink", "ext_disp_prot"};
  for (int i = 0; i < 7; ++i) f.push_back({MSC, msc[i], i, Byte});

  f.push_back({SAV, "csum", 0, Byte, 2});
  f.push_back({SAV, "sn", 2, Char, 8});
  f.push_back({SAV, "pd", 10, Char, 4});
  f.push_back({SAV, "variante", 14, Byte});
  f.push_back({SAV, "ch[0]_offset", 32, Int32});
  f.push_back({SAV, "ch[0]_gain", 36, Int32});
  f.push_back({SAV, "ch[1]_offset", 48, Int32});
  f.push_back({SAV, "ch[1]_gain", 52, Int32});
  return f;
}

uint32_t Load32(std::span<const uint8_t> bytes, int offset) {
  const auto o = static_cast<size_t>(offset);
  return (uint32_t{bytes[o]} << 24) | (uint32_t{bytes[o + 1]} << 16) | (uint32_t{bytes[o + 2]} << 8) | bytes[o + 3];
}

void Store32(std::span<uint8_t> bytes, int offset, uint32_t value) {
  const auto o = static_cast<size_t>(offset);
  bytes[o] = static_cast<uint8_t>(value >> 24);
  bytes[o + 1] = static_cast<uint8_t>(value >> 16);
  bytes[o + 2] = static_cast<uint8_t>(value >> 8);
  bytes[o + 3] = static_cast<uint8_t>(value);
}

}  // namespace

const std::array<SectionInfo, SETUP_SECTION_COUNT>& Sections() { return kSections; }

const SectionInfo& Info(SetupSection section) { return kSections.at(static_cast<size_t>(section)); }

bool IsSetupCopyBase(uint16_t base) { return base == SETUP_BASE_1 || base == SETUP_BASE_2; }

int SectionCode(SetupSection section, uint16_t base) {
  if (section == GBL) return SECTION_GBL;
  if (section == SAV) return SECTION_SAV;
  return base + Info(section).copy_offset;
}

std::optional<SetupSection> SectionOfCode(int code, uint16_t base) {
  static constexpr SetupSection kOrder[] = {GBL, LPC, ADC, WKG0, WKG1, WKS, CHN0, CHN1, EXB, MSC, ADM, SAV};
  for (SetupSection section : kOrder)
    if (SectionCode(section, base) == code) return section;
  return std::nullopt;
}

int FieldWidth(FieldType type) {
  switch (type) {
    case FieldType::Byte:
    case FieldType::Char:
      return 1;
    case FieldType::Int16:
    case FieldType::Int16LE:
      return 2;
    case FieldType::Int32:
    case FieldType::Float32:
      return 4;
  }
  return 1;
}

const std::vector<SetupField>& SetupFields() {
  static const std::vector<SetupField> fields = BuildFields();
  return fields;
}

const SetupField& FieldOf(SetupSection section, std::string_view name) {
  for (const SetupField& field : SetupFields())
    if (field.section == section && field.name == name) return field;
  throw std::out_of_range("no set-up field " + std::string(name) + " in " + Info(section).name);
}

std::vector<bool> ReservedBytes(SetupSection section) {
  std::vector<bool> reserved(static_cast<size_t>(Info(section).size), true);
  for (const SetupField& field : SetupFields()) {
    if (field.section != section) continue;
    const int end = field.offset + FieldWidth(field.type) * field.count;
    for (int i = field.offset; i < end; ++i) reserved[static_cast<size_t>(i)] = false;
  }
  return reserved;
}

std::span<uint8_t> SectionBytes(SetupImageBytes& image, SetupSection section) {
  const SectionInfo& info = Info(section);
  return std::span<uint8_t>(image).subspan(static_cast<size_t>(info.image_offset), static_cast<size_t>(info.size));
}

std::span<const uint8_t> SectionBytes(const SetupImageBytes& image, SetupSection section) {
  const SectionInfo& info = Info(section);
  return std::span<const uint8_t>(image).subspan(static_cast<size_t>(info.image_offset),
                                                 static_cast<size_t>(info.size));
}

uint8_t GetByte(std::span<const uint8_t> bytes, int offset) { return bytes[static_cast<size_t>(offset)]; }

int16_t GetInt16(std::span<const uint8_t> bytes, int offset) {
  const auto o = static_cast<size_t>(offset);
  return static_cast<int16_t>((bytes[o] << 8) | bytes[o + 1]);
}

int16_t GetInt16LE(std::span<const uint8_t> bytes, int offset) {
  const auto o = static_cast<size_t>(offset);
  return static_cast<int16_t>(bytes[o] | (bytes[o + 1] << 8));
}

uint32_t GetUInt32(std::span<const uint8_t> bytes, int offset) { return Load32(bytes, offset); }
int32_t GetInt32(std::span<const uint8_t> bytes, int offset) { return static_cast<int32_t>(Load32(bytes, offset)); }
float GetFloat(std::span<const uint8_t> bytes, int offset) { return std::bit_cast<float>(Load32(bytes, offset)); }

void PutByte(std::span<uint8_t> bytes, int offset, uint8_t value) { bytes[static_cast<size_t>(offset)] = value; }

void PutInt16(std::span<uint8_t> bytes, int offset, int16_t value) {
  const auto o = static_cast<size_t>(offset);
  const auto v = static_cast<uint16_t>(value);
  bytes[o] = static_cast<uint8_t>(v >> 8);
  bytes[o + 1] = static_cast<uint8_t>(v);
}

void PutInt16LE(std::span<uint8_t> bytes, int offset, int16_t value) {
  const auto o = static_cast<size_t>(offset);
  const auto v = static_cast<uint16_t>(value);
  bytes[o] = static_cast<uint8_t>(v);
  bytes[o + 1] = static_cast<uint8_t>(v >> 8);
}

void PutUInt32(std::span<uint8_t> bytes, int offset, uint32_t value) { Store32(bytes, offset, value); }
void PutInt32(std::span<uint8_t> bytes, int offset, int32_t value) {
  Store32(bytes, offset, static_cast<uint32_t>(value));
}
void PutFloat(std::span<uint8_t> bytes, int offset, float value) {
  Store32(bytes, offset, std::bit_cast<uint32_t>(value));
}
