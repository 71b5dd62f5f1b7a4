#include "app/setup/setup_file.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <limits>

#include "app/setup/default_setup.h"
#include "platform/forms/ini_file.h"

namespace {

using enum SetupSection;
using enum FileValueKind;

class KeyTable {
 public:
  // Keys named as the fields of `section`, all of one kind and default.
  KeyTable& Add(const char* file_section, SetupSection section, std::initializer_list<const char*> names,
                FileValueKind kind, double default_value = 0) {
    for (const char* name : names) Key(file_section, section, name, FieldOf(section, name).offset, kind, default_value);
    return *this;
  }

  KeyTable& Key(const char* file_section, SetupSection section, std::string key, int offset, FileValueKind kind,
                double default_value = 0) {
    keys_.push_back({file_section, std::move(key), section, offset, kind, default_value});
    return *this;
  }

  std::vector<SetupFileKey> Take() { return std::move(keys_); }

 private:
  std::vector<SetupFileKey> keys_;
};

void AddAdcChannel(KeyTable& t, int c) {
  const std::string n = std::to_string(c);
  auto at = [](const std::string& name, int index = 0) {
    const SetupField& f = FieldOf(ADC, name);
    return f.offset + index * FieldWidth(f.type);
  };
  for (const char* base : {"CSR_", "calcoll_", "calstart_", "lg_", "len_"})
    t.Key("ADC", ADC, base + n, at(base + n), B);
  t.Key("ADC", ADC, "level_" + n, at("level_" + n), L);
  for (const char* base : {"calib_", "smax_", "lc_type_"}) t.Key("ADC", ADC, base + n, at(base + n), B);
  for (const std::string& name :
       {"lc_err_det_val_" + n, "offset_" + n + "_0", "gain_" + n + "_0", "offset_" + n + "_1", "gain_" + n + "_1"})
    t.Key("ADC", ADC, name, at(name), L);
  for (int k = 0; k < 8; ++k) {
    const std::string index = "[" + std::to_string(k) + "]";
    t.Key("ADC", ADC, "xs_" + n + index, at("xs_" + n, k), L);
    t.Key("ADC", ADC, "ys_" + n + index, at("ys_" + n, k), F);
  }
}

void AddChn(KeyTable& t, const char* file_section, SetupSection s) {
  t.Add(file_section, s, {"tbon"}, B);
  for (int i = 0; i < 8; ++i) {
    const std::string range = "ch_b[" + std::to_string(i) + "][0]_";
    t.Key(file_section, s, range + "skt", FieldOf(s, range + "skt").offset, B);
    t.Key(file_section, s, range + "zs", FieldOf(s, range + "zs").offset, B);
    t.Key(file_section, s, range + "sk", FieldOf(s, range + "sk").offset, L);
  }
  t.Add(file_section, s, {"chn_mode"}, B);
  t.Add(file_section, s, {"chn_mode_val"}, F);
  t.Add(file_section, s, {"chn_calib_mode", "lkz_enable", "lkz_skt", "lkz_zs"}, B);
  t.Add(file_section, s, {"lkz_sk"}, X);
  t.Add(file_section, s, {"bw_enable", "bw_difftime"}, B);
}

void AddRelay(KeyTable& t, int r) {
  const std::string p = "rel_" + std::to_string(r) + "_";
  auto keys = [&](std::initializer_list<const char*> names, FileValueKind kind) {
    for (const char* name : names) t.Key("EXB", EXB, p + name, FieldOf(EXB, p + name).offset, kind);
  };
  keys({"active", "neg", "mode", "ch", "value", "sti", "err"}, B);
  keys({"grw", "hyst_val"}, F);
  keys({"hyst_mode"}, B);
  keys({"on_time", "pre_time"}, S);
}

std::vector<SetupFileKey> BuildKeys() {
  KeyTable t;
  t.Add("GBL", GBL, {"setup_active", "setup_alt", "backup"}, B);
  t.Add("LPC", LPC,
        {"active",    "co_active",  "ch",        "baud_rs232", "baud_rs485", "baud_usb", "baud_can",   "param",
         "protok",    "stx_etx",    "type",      "ack",        "bcc",        "sdcont",   "val_sdcont", "btncont",
         "rs485_adr", "can_nodeid", "can_dbyte", "can_mode",   "pb_cmd",     "pb_toggle"},
        B);
  AddAdcChannel(t, 0);
  AddAdcChannel(t, 1);
  t.Add("ADC", ADC,
        {"c_mod", "c_tim", "adc_type", "calib_count", "mwfilter_type", "start_kanal", "two_channel_operation", "crate",
         "mode", "log_count_mode", "lc_err_cyl"},
        B);

  const std::initializer_list<const char*> units = {
      "me_kg", "me_t", "me_g",  "me_lb", "me_oz",  "me_n", "me_kn", "me_free", "me",  "nsu", "nso",
      "enu",   "eno",  "enull", "nulln", "nullnd", "min",  "tau",   "tao",     "tam", "ssz", "ssw"};
  t.Add("WKG_0", WKG0, {"mk"}, B).Add("WKG_0", WKG0, units, B);
  t.Add("WKG_0", WKG0, {"under", "over"}, H).Add("WKG_0", WKG0, {"under_f", "over_f"}, F);
  t.Add("WKG_0", WKG0, {"trm", "lfdnr_m"}, B).Add("WKG_0", WKG0, {"lfdnr_min", "lfdnr_max"}, L);
  t.Add("WKG_0", WKG0, {"sch", "smd", "cm1", "cm2"}, B).Add("WKG_0", WKG0, {"fmf"}, F);
  t.Add("WKG_0", WKG0, {"tnr"}, B);

  t.Add("WKG_1", WKG1, units, B);
  t.Add("WKG_1", WKG1, {"under", "over"}, H).Add("WKG_1", WKG1, {"under_f", "over_f"}, F);
  t.Add("WKG_1", WKG1, {"trm", "cm1", "cm2"}, B).Add("WKG_1", WKG1, {"fmf"}, F);

  t.Add("WKS", WKS, {"sum", "mode"}, B).Add("WKS", WKS, {"fakt_0", "fakt_1"}, B, 1);
  t.Add("WKS", WKS, {"under_f", "over_f"}, F);

  AddChn(t, "CHN_0", CHN0);
  AddChn(t, "CHN_1", CHN1);

  t.Add("EXB", EXB, {"inp_active", "inp_neg", "inp_incr"}, B);
  t.Add("EXB", EXB, {"inp_val"}, H).Add("EXB", EXB, {"inp_val_imp"}, F);
  AddRelay(t, 0);
  AddRelay(t, 1);

  t.Add("MSC", MSC, {"ext_disp", "ext_disp_port", "ext_disp_adr", "ext_disp_mode", "ext_disp_chn", "ext_disp_blink"},
        B);
  t.Add("ADM", ADM, {"valid", "setup", "lang", "qstart", "exb", "lcd", "lc_err", "spi", "ext_disp"}, B);

  t.Add("SAV", SAV, {"sn", "pd", "variante"}, T);
  t.Add("SAV", SAV, {"ch[0]_offset", "ch[0]_gain", "ch[1]_offset", "ch[1]_gain"}, L, -1);
  return t.Take();
}

uint32_t Be32(const uint8_t* at) {
  return uint32_t{at[0]} << 24 | uint32_t{at[1]} << 16 | uint32_t{at[2]} << 8 | at[3];
}

void PutBe32(uint8_t* at, uint32_t v) {
  at[0] = static_cast<uint8_t>(v >> 24);
  at[1] = static_cast<uint8_t>(v >> 16);
  at[2] = static_cast<uint8_t>(v >> 8);
  at[3] = static_cast<uint8_t>(v);
}

// A text field of the factory data: at most `length` bytes up to the first
// zero, as UTF-8; control characters, which would break the line, become "?".
std::string FieldText(const uint8_t* at, int length) {
  std::string bytes;
  for (int i = 0; i < length && at[i] != 0; ++i)
    bytes += at[i] < 0x20 || at[i] == 0x7F ? '?' : static_cast<char>(at[i]);
  return ini_text::ToUtf8(bytes);
}

std::string TextValue(const SetupFileKey& key, std::span<const uint8_t> sav) {
  const uint8_t* at = sav.data() + key.offset;
  if (key.key == "sn") return FieldText(at, 8);
  if (key.key == "pd") return FieldText(at, 4);
  return std::to_string(at[0]);  // variante
}

std::string ValueText(const SetupFileKey& key, const SetupImageBytes& image) {
  const std::span<const uint8_t> section = SectionBytes(image, key.section);
  const uint8_t* at = section.data() + key.offset;
  switch (key.kind) {
    case T:
      return TextValue(key, section);
    case F:
      return FormatFileFloat(std::bit_cast<float>(Be32(at)));
    default:
      return std::to_string(EncodeFileInteger(key.kind, at));
  }
}

// Bytes of a field of each kind (text keys are never read back).
int KindWidth(FileValueKind kind) {
  switch (kind) {
    case B:
      return 1;
    case H:
    case S:
      return 2;
    case L:
    case F:
    case X:
      return 4;
    case T:
      break;
  }
  return 0;
}

constexpr const char* kSetupSections[] = {"GBL",   "LPC",   "ADC", "WKG_0", "WKG_1", "WKS",
                                          "CHN_0", "CHN_1", "EXB", "MSC",   "ADM"};

// A float key's value; nullopt when the text is no number and no erased or
// infinite pattern either.
std::optional<uint32_t> ReadFloatPattern(const TIniFile& ini, const SetupFileKey& key) {
  std::string text = ini.ReadString(key.file_section, key.key, "");
  double value = 0;
  if (ini_text::ParseFloat(text, value)) {
    // Beyond the single range the value saturates instead of becoming infinite.
    const double limit = std::numeric_limits<float>::max();
    return std::bit_cast<uint32_t>(static_cast<float>(std::clamp(value, -limit, limit)));
  }
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.pop_back();
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.erase(text.begin());
  if (text == "nan") return 0xFFFFFFFFu;
  if (text == "inf") return std::bit_cast<uint32_t>(std::numeric_limits<float>::infinity());
  if (text == "-inf") return std::bit_cast<uint32_t>(-std::numeric_limits<float>::infinity());
  return std::nullopt;
}

}  // namespace

const std::vector<SetupFileKey>& SetupFileKeys() {
  static const std::vector<SetupFileKey> keys = BuildKeys();
  return keys;
}

int32_t EncodeFileInteger(FileValueKind kind, const uint8_t* at) {
  switch (kind) {
    case B:
      return at[0];
    case L:
      return static_cast<int32_t>(Be32(at));
    case H:
      return static_cast<int32_t>(uint32_t{at[0]} << 24 | uint32_t{at[1]} << 16 | (at[1] >= 0x80 ? 0xFFFFu : 0u));
    case S:
      return at[0] + at[1] * 256;
    case X:
      return static_cast<int32_t>(at[0] | uint32_t{at[1]} << 8 | uint32_t{at[2]} << 16 | uint32_t{at[3]} << 24);
    case F:
    case T:
      break;
  }
  return 0;
}

void DecodeFileInteger(FileValueKind kind, int32_t value, uint8_t* at) {
  const auto v = static_cast<uint32_t>(value);
  switch (kind) {
    case B:
      at[0] = static_cast<uint8_t>(v);
      break;
    case L:
      PutBe32(at, v);
      break;
    case H:
      at[0] = static_cast<uint8_t>(v >> 24);
      at[1] = static_cast<uint8_t>(v >> 16);
      break;
    case S:
      at[0] = static_cast<uint8_t>(v);
      at[1] = static_cast<uint8_t>(v >> 8);
      break;
    case X:
      at[0] = static_cast<uint8_t>(v);
      at[1] = static_cast<uint8_t>(v >> 8);
      at[2] = static_cast<uint8_t>(v >> 16);
      at[3] = static_cast<uint8_t>(v >> 24);
      break;
    case F:
    case T:
      break;
  }
}

std::string FormatFileFloat(float value) {
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::general);
  return std::string(text, result.ptr);
}

std::vector<SetupFileEntry> SetupFileEntries(const SetupImageBytes& image, const SetupFileInfo& info) {
  std::vector<SetupFileEntry> entries;
  entries.push_back({"INFO", "Datum", info.date});
  entries.push_back({"INFO", "Setup", std::to_string(info.active_setup)});
  for (const SetupFileKey& key : SetupFileKeys()) entries.push_back({key.file_section, key.key, ValueText(key, image)});
  return entries;
}

void WriteSetupFile(TIniFile& ini, const SetupImageBytes& image, const SetupFileInfo& info) {
  for (const SetupFileEntry& e : SetupFileEntries(image, info)) ini.WriteString(e.file_section, e.key, e.value);
  ini.UpdateFile();
}

SetupFileError CheckSetupFile(const TIniFile& ini) {
  if (!ini.FileRead()) return SetupFileError::Unreadable;
  for (const char* section : kSetupSections)
    if (ini.SectionExists(section)) return SetupFileError::None;
  return SetupFileError::NoSetupSection;
}

void ReadSetupFile(const TIniFile& ini, SetupImageBytes& image) {
  for (const SetupFileKey& key : SetupFileKeys()) {
    uint8_t* at = SectionBytes(image, key.section).data() + key.offset;
    switch (key.kind) {
      case T:
        break;  // written for the reader of the file, never read back
      case F: {
        const auto pattern = ReadFloatPattern(ini, key);
        PutBe32(at, pattern ? *pattern : std::bit_cast<uint32_t>(static_cast<float>(key.default_value)));
        break;
      }
      default:
        DecodeFileInteger(key.kind, ini.ReadInteger(key.file_section, key.key, static_cast<int>(key.default_value)),
                          at);
        break;
    }
  }
}

void DefaultKeylessBytes(SetupImageBytes& image) {
  for (const SectionInfo& info : Sections()) {
    const auto defaults = DefaultSection(info.section);
    if (!defaults) continue;
    std::vector<bool> keyed(static_cast<size_t>(info.size), false);
    for (const SetupFileKey& key : SetupFileKeys()) {
      if (key.section != info.section) continue;
      for (int i = 0; i < KindWidth(key.kind); ++i) keyed[static_cast<size_t>(key.offset + i)] = true;
    }
    std::span<uint8_t> bytes = SectionBytes(image, info.section);
    for (size_t i = 0; i < bytes.size(); ++i)
      if (!keyed[i]) bytes[i] = (*defaults)[i];
  }
}

std::string SetupFilePath(const std::string& chosen) {
  const size_t separator = chosen.find_last_of("/\\");
  const size_t name_start = separator == std::string::npos ? 0 : separator + 1;
  const size_t point = chosen.rfind('.');
  if (point == std::string::npos || point < name_start) return chosen + ".dis";
  return chosen.substr(0, point) + ".dis";
}
