// Image -> controls -> image through the set-up editor's real controls.
#include <bit>
#include <cfloat>
#include <climits>
#include <cmath>
#include <functional>
#include <string>

#include "tests/app/setup/editor_fixture.h"

namespace {

using enum SetupSection;
using Bytes = std::vector<uint8_t>;

// Sets fields of a section image by name.
struct Image {
  SetupSection section;
  Bytes bytes;

  explicit Image(SetupSection s) : section(s), bytes(*DefaultSection(s == SAV ? GBL : s)) {}

  Image& Set(const std::string& name, double value, int index = 0) {
    const SetupField& f = FieldOf(section, name);
    const int offset = f.offset + index * FieldWidth(f.type);
    switch (f.type) {
      case FieldType::Byte:
      case FieldType::Char: PutByte(bytes, offset, static_cast<uint8_t>(value)); break;
      case FieldType::Int16: PutInt16(bytes, offset, static_cast<int16_t>(value)); break;
      case FieldType::Int16LE: PutInt16LE(bytes, offset, static_cast<int16_t>(value)); break;
      case FieldType::Int32: PutInt32(bytes, offset, static_cast<int32_t>(static_cast<int64_t>(value))); break;
      case FieldType::Float32: PutFloat(bytes, offset, static_cast<float>(value)); break;
    }
    return *this;
  }
  Image& Bits(const std::string& name, uint32_t pattern, int index = 0) {
    const SetupField& f = FieldOf(section, name);
    PutUInt32(bytes, f.offset + index * 4, pattern);
    return *this;
  }
};

struct Case {
  const char* name;
  std::function<Image()> image;
};

class RoundTripTest : public EditorTest {
 protected:
  // Every case on a fresh editor: the result must not depend on what an
  // earlier case left in the controls.
  void ExpectIdentity(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
      NewEditor();
      const Image image = c.image();
      const Bytes result = RoundTrip(image.section, image.bytes);
      EXPECT_EQ(result, image.bytes) << Info(image.section).name << ": " << c.name << Diff(image.bytes, result);
    }
  }

  static std::string Diff(const Bytes& want, const Bytes& got) {
    std::string text;
    for (size_t i = 0; i < want.size() && i < got.size(); ++i)
      if (want[i] != got[i])
        text += "\n  byte " + std::to_string(i) + ": want " + std::to_string(want[i]) + " got " +
                std::to_string(got[i]);
    return text;
  }
};

TEST_F(RoundTripTest, GblAdmLpcMsc) {
  ExpectIdentity({
      {"GBL default", [] { return Image(GBL); }},
      {"GBL device", [] { return Image(GBL).Set("setup_active", 1).Set("setup_alt", 1).Set("backup", 1); }},
      {"GBL edges", [] { return Image(GBL).Set("setup_active", 2).Set("setup_alt", 0xFF).Set("backup", 0); }},
      {"ADM default", [] { return Image(ADM); }},
      {"ADM device",
       [] {
         return Image(ADM).Set("valid", 0).Set("csum", 0xAB, 0).Set("csum", 0xCD, 1).Set("inr", 0x12)
             .Set("setup", 0).Set("lang", 1).Set("qstart", 1).Set("exb", 0).Set("lcd", 1).Set("lc_err", 0)
             .Set("spi", 1).Set("ext_disp", 1);
       }},
      {"ADM edges", [] { return Image(ADM).Set("valid", 0xFF).Set("csum", 0xFF, 0).Set("inr", 0); }},
      {"LPC default", [] { return Image(LPC); }},
      {"LPC device",
       [] {
         return Image(LPC).Set("active", 0).Set("co_active", 0).Set("ch", 5).Set("param", 7).Set("protok", 3)
             .Set("type", 2).Set("baud_rs232", 8).Set("baud_rs485", 8).Set("baud_can", 7).Set("baud_usb", 2)
             .Set("stx_etx", 0).Set("ack", 0).Set("bcc", 0).Set("rs485_adr", 255).Set("can_nodeid", 127)
             .Set("can_dbyte", 1).Set("can_mode", 1).Set("sdcont", 1).Set("btncont", 1).Set("pb_cmd", 0)
             .Set("pb_toggle", 0).Set("val_sdcont", 3);
       }},
      {"LPC edges",
       [] {
         return Image(LPC).Set("active", 4).Set("rs485_adr", 0).Set("can_nodeid", 255).Set("can_dbyte", 0)
             .Set("baud_rs232", 0).Set("baud_can", 0).Set("ch", 0xFF);
       }},
      {"MSC default", [] { return Image(MSC); }},
      {"MSC device",
       [] {
         return Image(MSC).Set("ext_disp", 1).Set("ext_disp_port", 0).Set("ext_disp_adr", 99)
             .Set("ext_disp_mode", 2).Set("ext_disp_chn", 2).Set("ext_disp_blink", 1).Set("ext_disp_prot", 1);
       }},
      {"MSC edges", [] { return Image(MSC).Set("ext_disp_adr", 0).Set("ext_disp_chn", 1); }},
  });
}

TEST_F(RoundTripTest, Adc) {
  auto device = [] {
    Image i(ADC);
    i.Bits("offset_0_0", 0x00123456).Bits("gain_0_0", 0x00FEDCBA).Bits("offset_0_1", 0xFFF00001);
    i.Bits("gain_1_1", 0x80000000).Set("calstart_0", 1).Set("calcoll_0", 1).Set("lg_0", 3).Set("len_0", 16);
    i.Set("len_1", 64).Set("level_0", 123456).Set("smax_0", 5).Set("lc_type_0", 3).Set("lc_type_1", 0);
    i.Set("lc_err_det_val_1", 1234567).Set("c_mod", 2).Set("c_tim", 10).Set("adc_type", 1);
    i.Set("calib_count", 255).Set("start_kanal", 1).Set("two_channel_operation", 0).Set("crate", 7);
    i.Set("mode", 0).Set("log_count_mode", 1).Set("lc_err_cyl", 25).Set("CSR_0", 0x81).Set("CSR_1", 0x02);
    for (int k = 0; k < 8; ++k) {
      i.Set("xs_0", 1000 * k - 3000, k).Set("ys_0", 12.345678 * k - 1.0, k);
      i.Set("xs_1", 0x7FFFFFFF - k, k).Set("ys_1", 1.0 / (k + 3), k);
    }
    return i;
  };
  auto edges = [] {
    Image i(ADC);
    i.Set("mwfilter_type", 0).Set("len_0", 0).Set("len_1", 99).Set("level_0", INT32_MIN).Set("level_1", INT32_MAX);
    i.Bits("xs_0", 0xFFFFFFFF, 7).Bits("ys_0", 0xFFFFFFFF, 7).Set("ys_0", -FLT_MAX, 6).Set("ys_0", FLT_MIN / 8, 5);
    i.Set("smax_0", 8).Set("smax_1", 0).Set("lc_err_det_val_0", -1).Set("lc_err_cyl", 255).Set("calib_count", 0);
    i.Set("calstart_1", 1).Set("c_mod", 3).Set("c_tim", 255);
    return i;
  };
  ExpectIdentity({{"default", [] { return Image(ADC); }}, {"device", device}, {"edges", edges}});
}

TEST_F(RoundTripTest, Wkg) {
  auto device = [](SetupSection s) {
    Image i(s);
    i.Set("mk", s == WKG0 ? 1 : 0x33).Set("me_t", 0).Set("me_oz", 0).Set("me_free", 0).Set("me", 3);
    i.Set("nsu", 125).Set("nso", 0).Set("enu", 20).Set("eno", 100).Set("enull", 1).Set("nulln", 1);
    i.Set("nullnd", 15).Set("min", 250).Set("tau", 0).Set("tao", 125).Set("tam", 2).Set("ssz", 250).Set("ssw", 1);
    i.Set("under", -5).Set("over", 300).Set("under_f", -12.345).Set("over_f", 123.456);
    i.Set("lfdnr_m", 1).Set("lfdnr_min", -1).Set("lfdnr_max", INT32_MAX).Set("sch", 1).Set("smd", 2);
    i.Set("cm1", 'k').Set("cm2", 'N').Set("fmf", 2.20462).Set("tnr", 1);
    return i;
  };
  auto edges = [](SetupSection s) {
    Image i(s);
    i.Set("under", -32768).Set("over", 32767).Set("cm1", 0).Set("cm2", 0xFF).Set("lfdnr_min", INT32_MIN);
    i.Set("nsu", 255).Set("ssw", 0).Set("me", 7).Set("tam", 0).Set("fmf", 0.0).Set("over_f", -0.0);
    i.Set("sch", 0xFF);
    return i;
  };
  ExpectIdentity({
      {"WKG[0] default", [] { return Image(WKG0); }},
      {"WKG[0] device", [&] { return device(WKG0); }},
      {"WKG[0] edges", [&] { return edges(WKG0); }},
      {"WKG[1] default", [] { return Image(WKG1); }},
      {"WKG[1] device", [&] { return device(WKG1); }},
      {"WKG[1] edges", [&] { return edges(WKG1); }},
  });
}

TEST_F(RoundTripTest, WksChnExb) {
  auto chn = [](SetupSection s) {
    Image i(s);
    i.Set("tbon", 3).Set("chn_mode", 2).Set("ch_b[0][0]_skt", 0).Set("ch_b[0][0]_sk", 4711);
    i.Set("ch_b[1][0]_skt", 24).Set("ch_b[1][0]_zs", 19).Set("ch_b[1][0]_sk", 30000);
    i.Set("ch_b[7][0]_skt", 1).Set("ch_b[7][0]_zs", 0).Set("ch_b[7][0]_sk", 100);
    i.Set("ch_b[6][0]_skt", 0).Set("ch_b[6][0]_sk", -1);
    i.Set("chn_mode_val", 0.12345678).Set("chn_calib_mode", 7).Set("five_decimals", 0);
    i.Set("lkz_enable", 1).Set("lkz_skt", 0).Set("lkz_zs", 19).Set("lkz_sk", INT32_MAX);
    i.Set("bw_enable", 1).Set("bw_difftime", 60);
    return i;
  };
  ExpectIdentity({
      {"WKS default", [] { return Image(WKS); }},
      {"WKS device",
       [] {
         return Image(WKS).Set("sum", 1).Set("mode", 1).Set("fakt_0", 255).Set("fakt_1", 0).Set("under_f", -0.5)
             .Set("over_f", 99.99);
       }},
      {"CHN[0] default", [] { return Image(CHN0); }},
      {"CHN[0] device", [&] { return chn(CHN0); }},
      {"CHN[1] device", [&] { return chn(CHN1); }},
      {"EXB default", [] { return Image(EXB); }},
      {"EXB device",
       [] {
         return Image(EXB).Set("inp_active", 1).Set("inp_neg", 1).Set("inp_tare", 1).Set("inp_zero", 1)
             .Set("inp_chsel", 1).Set("inp_log", 1).Set("inp_incr", 1).Set("inp_val", -1234)
             .Set("inp_val_imp", 0.005).Set("rel_0_active", 1).Set("rel_0_neg", 1).Set("rel_0_mode", 1)
             .Set("rel_0_ch", 2).Set("rel_0_sti", 1).Set("rel_0_grw", 55.55).Set("rel_0_hyst_val", 2.5)
             .Set("rel_0_hyst_mode", 0).Set("rel_0_on_time", 5000).Set("rel_0_pre_time", 50)
             .Set("rel_1_lc_err", 1).Set("rel_1_on_time", -1).Set("rel_1_pre_time", 32767).Set("rel_1_ch", 3);
       }},
      {"EXB limit and error",
       [] { return Image(EXB).Set("rel_0_value", 1).Set("rel_1_err", 1).Set("inp_val", 32767); }},
  });
}

// The exceptions that the editor's rules make: what a control cannot hold
// or a rule overrides does not survive a display followed by a rebuild.
TEST_F(RoundTripTest, StatedExceptions) {
  struct Exception {
    const char* name;
    std::function<Image()> image;
    std::function<void(Bytes&)> expect;  // turns the image into the expected result
  };
  const Exception cases[] = {
      {"reserved bytes are rebuilt as 0xFF", [] { Image i(MSC); i.bytes[20] = 0x00; return i; },
       [](Bytes& b) { b[20] = 0xFF; }},
      {"a flag other than 0 or 1 shown as unchecked", [] { return Image(MSC).Set("ext_disp_blink", 2); },
       [](Bytes& b) { b[5] = 0; }},
      {"a position beyond the list", [] { return Image(MSC).Set("ext_disp_mode", 3); }, [](Bytes& b) { b[3] = 0xFF; }},
      {"detuning 0 becomes 400000", [] { return Image(ADC).Set("lc_err_det_val_0", 0); },
       [](Bytes& b) { PutInt32(b, 172, 400000); }},
      {"a 2^N filter length that is no power of 2 becomes 8", [] { return Image(ADC).Set("len_0", 12); },
       [](Bytes& b) { b[164] = 8; }},
      {"no filter type, no filter length", [] { return Image(ADC).Set("mwfilter_type", 2); },
       [](Bytes& b) { b[164] = 0xFF, b[196] = 0xFF, b[230] = 0xFF; }},
      {"an erased channel count", [] { return Image(WKG0).Set("mk", 0xFF); }, [](Bytes& b) { b[0] = 0; }},
      {"an inconsistent scale division count takes the table's",
       [] { return Image(CHN0).Set("ch_b[0][0]_sk", 1234); }, [](Bytes& b) { PutInt32(b, 3, 3000); }},
      {"tnr other than 0 or 1 leaves its box", [] { return Image(WKG0).Set("tnr", 7); },
       [](Bytes& b) { b[52] = 0; }},
      {"trm is taken from its box, which the display leaves", [] { return Image(WKG0).Set("trm", 1); },
       [](Bytes& b) { b[53] = 0; }},
  };
  for (const Exception& c : cases) {
    NewEditor();
    const Image image = c.image();
    Bytes expected = image.bytes;
    c.expect(expected);
    EXPECT_EQ(RoundTrip(image.section, image.bytes), expected) << c.name;
  }
}

TEST_F(RoundTripTest, RelayConditionsStayWhenTheSectionSetsNone) {
  RoundTrip(EXB, Image(EXB).Set("rel_0_err", 1).bytes);
  const Bytes result = RoundTrip(EXB, Image(EXB).bytes);
  EXPECT_EQ(result[16 + 6], 1) << "\"Fehler\" stays checked";
}

TEST_F(RoundTripTest, PointCountOneIsRefusedAndWrittenBackAsZero) {
  dialogs_.Answer(IDOK);
  const Bytes result = RoundTrip(ADC, Image(ADC).Set("smax_0", 1).bytes);
  ASSERT_EQ(dialogs_.Boxes().size(), 1u);
  EXPECT_EQ(dialogs_.Boxes()[0].request.text, "Anzahl der Stützstelle(n) 1 (ADC) oder 2...8 (extern)!");
  EXPECT_EQ(dialogs_.Boxes()[0].request.title, "HINWEIS");
  EXPECT_EQ(dialogs_.Boxes()[0].request.icon, BoxIcon::Error);
  EXPECT_EQ(result[170], 0);
  EXPECT_EQ(editor().Edit25->Text(), "");
}

TEST_F(RoundTripTest, FiveDecimalsFollowTheFirmware) {
  Form1->NoFiveDecimals = 1;
  const Bytes result = RoundTrip(CHN0, Image(CHN0).Set("five_decimals", 0).bytes);
  EXPECT_EQ(result[64], 0xFF) << "firmware without five decimals";
  EXPECT_FALSE(editor().CheckBox51->Visible());
  Form1->NoFiveDecimals = 0;
  EXPECT_EQ(RoundTrip(CHN0, Image(CHN0).Set("five_decimals", 0).bytes)[64], 0);
  EXPECT_TRUE(editor().CheckBox51->Visible());
}

}  // namespace
