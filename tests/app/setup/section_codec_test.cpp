#include "app/setup/section_codec.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

#include "app/setup/default_setup.h"

namespace {

using enum SetupSection;
using Bytes = std::vector<uint8_t>;

// Control contents by name; a control that was never set is empty.
class Controls : public SetupControlReader {
 public:
  std::map<std::string, std::string, std::less<>> texts;
  std::map<std::string, int, std::less<>> items;
  std::map<std::string, bool, std::less<>> checks;

  std::string Text(std::string_view c) const override {
    auto it = texts.find(c);
    return it == texts.end() ? std::string() : it->second;
  }
  int ItemIndex(std::string_view c) const override {
    auto it = items.find(c);
    return it == items.end() ? -1 : it->second;
  }
  bool Checked(std::string_view c) const override {
    auto it = checks.find(c);
    return it != checks.end() && it->second;
  }
};

Bytes Rebuilt(SetupSection section, const Controls& controls, Bytes old, CodecOptions options = {}) {
  RebuildSection(section, controls, options, old);
  return old;
}

Bytes Blank(SetupSection section, uint8_t fill = 0x00) { return Bytes(static_cast<size_t>(Info(section).size), fill); }

TEST(SectionCodec, GblExample) {
  Controls c;
  c.items = {{"ComboBox38", 1}, {"ComboBox95", 1}, {"ComboBox39", 1}};
  EXPECT_EQ(Rebuilt(GBL, c, Blank(GBL)), (Bytes{0x01, 0x00, 0x01, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}))
      << "choosing \"alternatives Setup\" does not set setup_alt";
  const SectionWrite w = DeviceWriteOf(GBL, SETUP_BASE_2);
  EXPECT_EQ(w.address, 0);
  EXPECT_EQ(w.offset, 0);
  EXPECT_EQ(w.length, 8);
}

TEST(SectionCodec, MscExample) {
  Controls c;
  c.checks = {{"CheckBox48", true}, {"CheckBox49", false}};
  c.items = {{"ComboBox98", 1}, {"ComboBox99", 1}, {"ComboBox100", 1}, {"ComboBox101", 1}};
  c.texts = {{"Edit139", "10"}};
  // The seven bytes the controls set, the rest of the section blank.
  Bytes expected(32, 0xFF);
  const Bytes set = {0x01, 0x01, 0x0A, 0x01, 0x01, 0x00, 0x01};
  std::copy(set.begin(), set.end(), expected.begin());
  EXPECT_EQ(Rebuilt(MSC, c, Blank(MSC)), expected);
  const SectionWrite w = DeviceWriteOf(MSC, SETUP_BASE_1);
  EXPECT_EQ(w.address, 0x2AC);
  EXPECT_EQ(w.length, 32);
  EXPECT_EQ(DeviceWriteOf(MSC, SETUP_BASE_2).address, 0x578);
  EXPECT_EQ(DeviceWriteOf(WKS, SETUP_BASE_2).address, 0x478);
}

TEST(SectionCodec, AdmWritesOnlyItsBytesFourToFifteenAndKeepsTheDevicesOwn) {
  Controls c;
  c.items = {{"ComboBox35", 1}, {"ComboBox36", 0}, {"ComboBox37", 1}};
  c.checks = {{"CheckBox21", true}, {"CheckBox35", true}};
  Bytes old = Blank(ADM, 0x55);
  old[0] = 1;
  old[1] = 0x12;
  old[2] = 0x34;
  old[3] = 0x07;
  EXPECT_EQ(Rebuilt(ADM, c, old),
            (Bytes{1, 0x12, 0x34, 0x07, 1, 0, 1, 1, 0, 1, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}));
  const SectionWrite w = DeviceWriteOf(ADM, SETUP_BASE_1);
  EXPECT_EQ(w.address, SETUP_BASE_1);
  EXPECT_EQ(w.offset, 4);
  EXPECT_EQ(w.length, 12);
}

TEST(SectionCodec, FieldsWithoutAControlKeepTheirBytes) {
  Controls c;
  Bytes lpc = Blank(LPC, 0x00);
  lpc[2] = 7, lpc[7] = 8, lpc[8] = 9, lpc[10] = 10;
  const Bytes rebuilt = Rebuilt(LPC, c, lpc);
  EXPECT_EQ(rebuilt[2], 7);
  EXPECT_EQ(rebuilt[7], 8);
  EXPECT_EQ(rebuilt[8], 9);
  EXPECT_EQ(rebuilt[10], 10);
  EXPECT_EQ(rebuilt[0], 0xFF) << "a list without a choice";
  EXPECT_EQ(rebuilt[22], 0xFF) << "reserved";

  Bytes wkg1 = Blank(WKG1, 0x11);
  const Bytes w = Rebuilt(WKG1, c, wkg1);
  for (const char* field : {"mk", "lfdnr_m", "lfdnr_min", "lfdnr_max", "sch", "smd", "tnr"}) {
    const SetupField& f = FieldOf(WKG1, field);
    for (int i = f.offset; i < f.offset + FieldWidth(f.type); ++i) EXPECT_EQ(w[static_cast<size_t>(i)], 0x11) << field;
  }
  Bytes chn = Blank(CHN0, 0x22);
  const Bytes ch = Rebuilt(CHN0, c, chn);
  EXPECT_EQ(ch[0], 0x22) << "tbon";
  EXPECT_EQ(ch[49], 0x22) << "chn_mode";
  const Bytes adc = Rebuilt(ADC, c, Blank(ADC, 0x33));
  EXPECT_EQ(adc[160], 0x33) << "CSR_0";
  EXPECT_EQ(adc[192], 0x33) << "CSR_1";
}

TEST(SectionCodec, AdcFilterLengthsDetuningAndBridgeInterval) {
  Controls c;
  c.items = {{"ComboBox19", 1}, {"ComboBox96", 4}, {"ComboBox97", -1}};
  c.texts = {{"Edit12", "12"}, {"Edit142", "2500"}, {"Edit143", "0"}, {"Edit144", ""}};
  Bytes adc = Rebuilt(ADC, c, Blank(ADC));
  EXPECT_EQ(adc[164], 16) << "2^N list on \"16\"";
  EXPECT_EQ(adc[196], 8) << "no choice gives 8";
  EXPECT_EQ(adc[236], 25);
  EXPECT_EQ(Bytes(adc.begin() + 172, adc.begin() + 176), (Bytes{0x00, 0x06, 0x1A, 0x80}));
  EXPECT_EQ(Bytes(adc.begin() + 204, adc.begin() + 208), (Bytes{0x00, 0x06, 0x1A, 0x80}));

  c.items["ComboBox19"] = 0;
  c.texts["Edit142"] = "99";
  adc = Rebuilt(ADC, c, Blank(ADC));
  EXPECT_EQ(adc[164], 12) << "variable length from the edit";
  EXPECT_EQ(adc[236], 0);

  c.items["ComboBox19"] = -1;
  adc = Rebuilt(ADC, c, Blank(ADC));
  EXPECT_EQ(adc[164], 0xFF) << "no filter type, no length";
  EXPECT_EQ(adc[196], 0xFF);

  c.texts["Edit6"] = "1a";
  c.texts["Edit31"] = "FFFFFFFF";
  c.texts["Edit5"] = "100";
  adc = Rebuilt(ADC, c, Blank(ADC));
  EXPECT_EQ(Bytes(adc.begin(), adc.begin() + 4), (Bytes{0, 0, 0, 0x1A}));
  EXPECT_EQ(Bytes(adc.begin() + 44, adc.begin() + 48), (Bytes{0xFF, 0xFF, 0xFF, 0xFF})) << "x[7] of channel 1";
  EXPECT_EQ(Bytes(adc.begin() + 48, adc.begin() + 52), (Bytes{0x42, 0xC8, 0, 0})) << "y[0] of channel 1";
}

TEST(SectionCodec, WkgConversions) {
  Controls c;
  c.items = {{"ComboBox5", 1}};
  c.texts = {{"Edit72", "300"}, {"Edit106", "-10"}, {"Edit103", "kg"}, {"Edit62", "300"}, {"Edit75", "50000"}};
  Bytes wkg = Rebuilt(WKG0, c, Blank(WKG0));
  EXPECT_EQ(wkg[0], 2);
  EXPECT_EQ(wkg[23], 0x2C);
  EXPECT_EQ(wkg[24], 0x01);
  EXPECT_EQ(Bytes(wkg.begin() + 27, wkg.begin() + 31), (Bytes{0xC1, 0x20, 0, 0}));
  EXPECT_EQ(wkg[46], 'k');
  EXPECT_EQ(wkg[47], 0) << "an empty edit gives character 0";
  EXPECT_EQ(wkg[10], 44) << "300 cut to its low 8 bits";
  EXPECT_EQ(Bytes(wkg.begin() + 40, wkg.begin() + 44), (Bytes{0, 0, 0xC3, 0x50}));
  c.items["ComboBox5"] = -1;
  EXPECT_EQ(Rebuilt(WKG0, c, Blank(WKG0))[0], 0) << "no channel count chosen";
}

TEST(SectionCodec, FloatsKeepTheImageValueWhileTheEditShowsTheDisplayedText) {
  Controls c;
  Bytes wkg = Blank(WKG0);
  PutFloat(wkg, 27, 12.345f);
  PutFloat(wkg, 48, 0.123456f);
  c.texts = {{"Edit106", "12.3"}, {"Edit105", "0.12"}};
  Bytes out = Rebuilt(WKG0, c, wkg);
  EXPECT_EQ(GetFloat(out, 27), 12.345f);
  EXPECT_EQ(GetFloat(out, 48), 0.123456f);
  c.texts["Edit106"] = "12.4";
  c.texts["Edit105"] = "0.120";
  out = Rebuilt(WKG0, c, wkg);
  EXPECT_EQ(GetFloat(out, 27), 12.4f) << "an edited value is taken as typed";
  EXPECT_EQ(GetFloat(out, 48), 0.12f);
}

TEST(SectionCodec, ChnResolutionRule) {
  Controls c;
  c.items = {{"ComboBox33", 14}, {"ComboBox34", 9}, {"ComboBox29", 0}, {"ComboBox90", 0}, {"ComboBox91", 5}};
  c.texts = {{"Edit66", "4711"}, {"Edit76", "4711"}, {"Edit136", "1234"}};
  Bytes chn = Rebuilt(CHN0, c, Blank(CHN0));
  EXPECT_EQ(Bytes(chn.begin() + 1, chn.begin() + 7), (Bytes{14, 9, 0, 0, 0x0B, 0xB8})) << "table value wins";
  EXPECT_EQ(Bytes(chn.begin() + 7, chn.begin() + 13), (Bytes{0, 0xFF, 0, 0, 0x12, 0x67})) << "free count 4711";
  EXPECT_EQ(Bytes(chn.begin() + 19, chn.begin() + 25), (Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}))
      << "a scale list without a choice gives an erased entry";
  Bytes chn1 = Rebuilt(CHN1, c, Blank(CHN1));
  EXPECT_EQ(Bytes(chn1.begin() + 56, chn1.begin() + 62), (Bytes{0, 5, 0, 0, 0x04, 0xD2})) << "load-cycle counter";
}

TEST(SectionCodec, FiveDecimalsOnlyWhereTheFirmwareShowsThem) {
  Controls c;
  c.checks = {{"CheckBox51", true}};
  EXPECT_EQ(Rebuilt(CHN0, c, Blank(CHN0), {.no_five_decimals = true})[64], 0xFF);
  EXPECT_EQ(Rebuilt(CHN0, c, Blank(CHN0), {.no_five_decimals = false})[64], 0x00);
  c.checks["CheckBox51"] = false;
  EXPECT_EQ(Rebuilt(CHN0, c, Blank(CHN0), {.no_five_decimals = false})[64], 0xFF);
}

TEST(SectionCodec, ExbRelaysAndInputs) {
  Controls c;
  c.checks = {{"CheckBox14", true}, {"CheckBox19", true}, {"RadioButton7", true}, {"RadioButton6", true}};
  c.texts = {{"Edit36", "-2"}, {"Edit131", "100"}, {"Edit133", "5000"}, {"Edit38", "100.0"}};
  c.items = {{"ComboBox80", 3}};
  Bytes exb = Rebuilt(EXB, c, Blank(EXB));
  EXPECT_EQ(exb[0], 1);
  EXPECT_EQ(exb[7], 0xFF);
  EXPECT_EQ(exb[8], 0xFE) << "16 bits big-endian";
  EXPECT_EQ(exb[16 + 4], 1) << "relay 1 switches on the limit";
  EXPECT_EQ(Bytes(exb.begin() + 24, exb.begin() + 28), (Bytes{0x42, 0xC8, 0, 0}));
  EXPECT_EQ(exb[33], 0x00);
  EXPECT_EQ(exb[34], 0x64);
  EXPECT_EQ(exb[40], 1) << "relay 2 active";
  EXPECT_EQ(exb[43], 3) << "relay 2 on the sum channel";
  EXPECT_EQ(exb[46], 1) << "relay 2 switches on an error";
  EXPECT_EQ(exb[57], 0x13);
  EXPECT_EQ(exb[58], 0x88);
}

TEST(SectionCodec, SavIsNeverRebuilt) {
  Controls c;
  Bytes sav = Blank(SAV, 0x42);
  EXPECT_EQ(Rebuilt(SAV, c, sav), sav);
}

}  // namespace
