#pragma once
// A set-up image with values of every kind, as a device might hold it: the
// default images with changes in every section, and factory data.
#include <cmath>
#include <string>

#include "app/link/setup_image.h"
#include "app/setup/default_setup.h"

namespace known_setup {

// Sets one element of a field by name, in the image's byte order.
inline void Set(SetupImageBytes& image, SetupSection section, const std::string& name, double value, int index = 0) {
  const SetupField& f = FieldOf(section, name);
  const int offset = f.offset + index * FieldWidth(f.type);
  const std::span<uint8_t> bytes = SectionBytes(image, section);
  switch (f.type) {
    case FieldType::Byte:
    case FieldType::Char:
      PutByte(bytes, offset, static_cast<uint8_t>(value));
      break;
    case FieldType::Int16:
      PutInt16(bytes, offset, static_cast<int16_t>(value));
      break;
    case FieldType::Int16LE:
      PutInt16LE(bytes, offset, static_cast<int16_t>(value));
      break;
    case FieldType::Int32:
      PutInt32(bytes, offset, static_cast<int32_t>(static_cast<int64_t>(value)));
      break;
    case FieldType::Float32:
      PutFloat(bytes, offset, static_cast<float>(value));
      break;
  }
}

// Raw bytes at a field's place.
inline void SetBytes(SetupImageBytes& image, SetupSection section, const std::string& name,
                     std::initializer_list<uint8_t> bytes) {
  const int offset = FieldOf(section, name).offset;
  std::copy(bytes.begin(), bytes.end(), SectionBytes(image, section).begin() + offset);
}

// Every section but SAV from the default images.
inline SetupImageBytes Defaults() {
  SetupImageBytes image{};
  image.fill(0xFF);
  for (const SectionInfo& info : Sections()) LoadDefaultSection(image, info.section);
  return image;
}

inline SetupImageBytes Image() {
  using enum SetupSection;
  SetupImageBytes image = Defaults();
  Set(image, GBL, "setup_active", 1);
  Set(image, GBL, "backup", 1);
  Set(image, ADM, "lang", 1);
  Set(image, ADM, "exb", 1);
  Set(image, LPC, "baud_rs232", 8);
  Set(image, LPC, "rs485_adr", 17);
  Set(image, LPC, "sdcont", 1);
  Set(image, LPC, "val_sdcont", 3);
  Set(image, ADC, "len_0", 16);
  Set(image, ADC, "level_0", 123456);
  Set(image, ADC, "smax_0", 5);
  Set(image, ADC, "lc_err_det_val_1", 1234567);
  SetBytes(image, ADC, "offset_0_0", {0x00, 0x12, 0x34, 0x56});
  SetBytes(image, ADC, "gain_1_1", {0x80, 0x00, 0x00, 0x00});
  for (int k = 0; k < 8; ++k) {
    Set(image, ADC, "xs_0", 1000 * k - 3000, k);
    Set(image, ADC, "ys_0", 12.345678 * k - 1.0, k);
  }
  Set(image, ADC, "crate", 7);
  SetBytes(image, WKG0, "under", {0x03, 0xE8});
  SetBytes(image, WKG0, "over", {0xE8, 0x03});
  Set(image, WKG0, "under_f", -12.345);
  Set(image, WKG0, "over_f", 123.456);
  Set(image, WKG0, "lfdnr_min", -1);
  Set(image, WKG0, "cm1", 'k');
  Set(image, WKG0, "cm2", 'g');
  Set(image, WKG0, "fmf", 2.20462);
  SetBytes(image, WKG1, "under", {0x00, 0x64});
  SetBytes(image, WKG1, "over", {0xFF, 0xFF});
  Set(image, WKG1, "nsu", 125);
  Set(image, WKS, "fakt_0", 3);
  Set(image, WKS, "over_f", 99.99);
  Set(image, CHN0, "lkz_enable", 1);
  Set(image, CHN0, "lkz_skt", 7);  // "1000"
  SetBytes(image, CHN0, "lkz_sk", {0x00, 0x00, 0x03, 0xE8});
  Set(image, CHN0, "chn_mode_val", 0.1);
  Set(image, CHN1, "ch_b[1][0]_skt", 24);  // "30000"
  Set(image, CHN1, "ch_b[1][0]_sk", 30000);
  Set(image, CHN1, "bw_difftime", 60);
  SetBytes(image, EXB, "inp_val", {0x00, 0x64});
  Set(image, EXB, "inp_val_imp", 0.005);
  SetBytes(image, EXB, "rel_0_on_time", {0x00, 0x64});
  Set(image, EXB, "rel_0_pre_time", 50);
  Set(image, EXB, "rel_1_grw", 55.55);
  SetBytes(image, EXB, "rel_1_hyst_val", {0xFF, 0xFF, 0xFF, 0xFF});  // erased
  Set(image, MSC, "ext_disp_adr", 99);
  // Factory data: serial number, production date, variant, channel values.
  SetBytes(image, SAV, "sn", {'A', '1', 'B', '2', 'C', '3', 'D', '4'});
  SetBytes(image, SAV, "pd", {'0', '1', '2', '4'});
  Set(image, SAV, "variante", 21);
  Set(image, SAV, "ch[0]_offset", 0x00801234);
  Set(image, SAV, "ch[0]_gain", 0x00400000);
  Set(image, SAV, "ch[1]_offset", -2);
  Set(image, SAV, "ch[1]_gain", 0x7FFFFFFF);
  return image;
}

}  // namespace known_setup
