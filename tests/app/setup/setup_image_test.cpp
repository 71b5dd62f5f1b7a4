#include "app/link/setup_image.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/setup/default_setup.h"

namespace {

using enum SetupSection;
using Bytes = std::vector<uint8_t>;

Bytes Ff(size_t n) { return Bytes(n, 0xFF); }
Bytes Cat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

TEST(SetupImage, SectionsLieBackToBackAndTheCopyKeepsTheDeviceLayout) {
  int next = 0;
  for (const SectionInfo& info : Sections()) {
    EXPECT_EQ(info.image_offset, next) << info.name;
    next += info.size;
    if (info.copy_offset >= 0) {
      EXPECT_EQ(info.image_offset - 8, info.copy_offset) << info.name;
    }
  }
  EXPECT_EQ(next, SETUP_IMAGE_SIZE);
  EXPECT_EQ(Info(MSC).copy_offset + Info(MSC).size, SETUP_COPY_SIZE);
  EXPECT_EQ(SETUP_BASE_2 - SETUP_BASE_1, 0x2CC);
}

TEST(SetupImage, SectionCodesFollowTheChosenCopy) {
  struct Case {
    SetupSection section;
    int base1;
    int base2;
  };
  const Case cases[] = {{GBL, 0x000, 0x000}, {ADM, 0x008, 0x2D4},  {LPC, 0x018, 0x2E4},  {ADC, 0x038, 0x304},
                        {WKG0, 0x12C, 0x3F8}, {WKG1, 0x16C, 0x438}, {WKS, 0x1AC, 0x478},  {CHN0, 0x1CC, 0x498},
                        {CHN1, 0x21C, 0x4E8}, {EXB, 0x26C, 0x538},  {MSC, 0x2AC, 0x578},  {SAV, 0x100, 0x100}};
  for (const Case& c : cases) {
    EXPECT_EQ(SectionCode(c.section, SETUP_BASE_1), c.base1) << Info(c.section).name;
    EXPECT_EQ(SectionCode(c.section, SETUP_BASE_2), c.base2) << Info(c.section).name;
    EXPECT_EQ(SectionOfCode(c.base1, SETUP_BASE_1), c.section) << Info(c.section).name;
    EXPECT_EQ(SectionOfCode(c.base2, SETUP_BASE_2), c.section) << Info(c.section).name;
  }
  EXPECT_EQ(SectionOfCode(0x2E4, SETUP_BASE_1), std::nullopt) << "a section of the other copy";
  EXPECT_EQ(SectionOfCode(0x101, SETUP_BASE_1), std::nullopt);
  // Before a copy is chosen the ADM code equals the GBL code, and GBL wins.
  EXPECT_EQ(SectionOfCode(0, 0), GBL);
  EXPECT_EQ(SectionOfCode(0x10, 0), LPC);
}

TEST(SetupImage, FieldsCoverTheirSectionsWithoutOverlap) {
  for (const SectionInfo& info : Sections()) {
    std::vector<int> owner(static_cast<size_t>(info.size), 0);
    for (const SetupField& f : SetupFields()) {
      if (f.section != info.section) continue;
      for (int i = f.offset; i < f.offset + FieldWidth(f.type) * f.count; ++i) {
        ASSERT_LT(i, info.size) << f.name;
        EXPECT_EQ(owner[static_cast<size_t>(i)]++, 0) << info.name << " byte " << i << " " << f.name;
      }
    }
  }
  auto reserved = [](SetupSection s) {
    std::vector<int> r;
    const std::vector<bool> map = ReservedBytes(s);
    for (size_t i = 0; i < map.size(); ++i)
      if (map[i]) r.push_back(static_cast<int>(i));
    return r;
  };
  EXPECT_EQ(reserved(GBL), (std::vector<int>{3, 4, 5, 6, 7}));
  EXPECT_EQ(reserved(ADM), (std::vector<int>{12, 13, 14, 15}));
  EXPECT_EQ(reserved(LPC).front(), 22);
  EXPECT_EQ(reserved(LPC).size(), 10u);
  EXPECT_EQ(reserved(ADC).size(), 16u + 16u + 2u + 7u);
  EXPECT_EQ(reserved(WKG0).front(), 54);
  EXPECT_EQ(reserved(WKS).front(), 12);
  EXPECT_EQ(reserved(CHN0).front(), 65);
  EXPECT_EQ(reserved(EXB), (std::vector<int>{13, 14, 15, 37, 38, 39, 61, 62, 63}));
  EXPECT_EQ(reserved(MSC).front(), 7);
}

TEST(SetupImage, FieldsUseTheDeviceByteOrderButUnderAndOverLowByteFirst) {
  SetupImageBytes image{};
  auto wkg = SectionBytes(image, WKG0);
  PutInt16LE(wkg, FieldOf(WKG0, "under").offset, 300);
  PutInt32(wkg, FieldOf(WKG0, "lfdnr_max").offset, 50000);
  PutFloat(wkg, FieldOf(WKG0, "under_f").offset, -10.0f);
  EXPECT_EQ(Bytes(wkg.begin() + 23, wkg.begin() + 25), (Bytes{0x2C, 0x01}));
  EXPECT_EQ(Bytes(wkg.begin() + 40, wkg.begin() + 44), (Bytes{0x00, 0x00, 0xC3, 0x50}));
  EXPECT_EQ(Bytes(wkg.begin() + 27, wkg.begin() + 31), (Bytes{0xC1, 0x20, 0x00, 0x00}));
  EXPECT_EQ(image[300 + 23], 0x2C) << "WKG[0] starts at image byte 300";
  EXPECT_EQ(GetInt16LE(wkg, 23), 300);
  EXPECT_EQ(GetInt32(wkg, 40), 50000);
  EXPECT_EQ(GetFloat(wkg, 27), -10.0f);
  auto exb = SectionBytes(image, EXB);
  PutInt16(exb, FieldOf(EXB, "rel_0_on_time").offset, 100);
  EXPECT_EQ(exb[33], 0x00);
  EXPECT_EQ(exb[34], 0x64);
}

TEST(DefaultSetup, ImagesHoldTheDefaultValuesByteForByte) {
  const DefaultSetupImages& d = DefaultSetup();
  EXPECT_EQ(Bytes(d.gbl.begin(), d.gbl.end()), Cat({{0, 0, 0}, Ff(5)}));
  EXPECT_EQ(Bytes(d.adm.begin(), d.adm.end()), Cat({{1, 0, 0, 0xFF, 1, 0, 0, 1, 0, 1, 0, 0}, Ff(4)}));
  EXPECT_EQ(Bytes(d.lpc.begin(), d.lpc.end()),
            Cat({{2, 1, 0, 3, 3, 3, 0, 0, 1, 1, 1, 1, 1, 1, 1, 8, 0, 0, 0, 1, 1, 0}, Ff(10)}));

  const Bytes calibration = {0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0,
                             // xs: 0, 2000000, 0 x 6
                             0, 0, 0, 0, 0x00, 0x1E, 0x84, 0x80, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                             0, 0, 0, 0, 0, 0, 0, 0,
                             // ys: 0.0, 100.0, 0.0 x 6
                             0, 0, 0, 0, 0x42, 0xC8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                             0, 0, 0, 0, 0, 0};
  const Bytes parameters = Cat({{0, 0, 0, 1, 8, 0x00, 0x07, 0xA1, 0x20, 1, 2, 1, 0x00, 0x06, 0x1A, 0x80}, Ff(16)});
  const Bytes common = Cat({{0, 2, 0xFF, 0xFF, 0, 120, 1, 0, 1, 4, 1, 0, 20}, Ff(7)});
  EXPECT_EQ(Bytes(d.adc.begin(), d.adc.end()), Cat({calibration, calibration, parameters, parameters, common}));

  EXPECT_EQ(Bytes(d.wkg.begin(), d.wkg.end()),
            Cat({{2, 1, 1, 1, 1, 1, 1, 1, 1, 0, 100, 100, 50, 50, 0, 0, 1, 20, 20, 100, 0, 100, 100},
                 {0x09, 0x00, 0x09, 0x00, 0xC1, 0x20, 0, 0, 0x42, 0xDC, 0, 0},
                 {0, 0, 0, 0, 1, 0x00, 0x00, 0xC3, 0x50, 0, 0, 'm', 'm', 0x3F, 0x80, 0, 0, 0, 0},
                 Ff(10)}));
  EXPECT_EQ(Bytes(d.wks.begin(), d.wks.end()), Cat({{0, 0, 1, 1, 0xC1, 0x20, 0, 0, 0x42, 0xDC, 0, 0}, Ff(20)}));
  EXPECT_EQ(Bytes(d.chn.begin(), d.chn.end()),
            Cat({{0},
                 {14, 9, 0, 0, 0x0B, 0xB8, 14, 0, 0, 0, 0x0B, 0xB8, 17, 17, 0, 0, 0x17, 0x70},
                 {14, 10, 0, 0, 0x0B, 0xB8, 11, 14, 0, 0, 0x07, 0xD0, 14, 12, 0, 0, 0x0B, 0xB8},
                 {14, 3, 0, 0, 0x0B, 0xB8, 11, 14, 0, 0, 0x07, 0xD0},
                 {0, 0x40, 0, 0, 0, 1, 0, 14, 9, 0, 0, 0x0B, 0xB8, 0, 1, 0xFF},
                 Ff(15)}));
  const Bytes relay_tail = {0x42, 0xC8, 0, 0, 0x41, 0x20, 0, 0, 3, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF};
  EXPECT_EQ(Bytes(d.exb.begin(), d.exb.end()),
            Cat({{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, Ff(3), {0, 0, 0, 0, 0, 0, 0, 0}, relay_tail,
                 {0, 0, 0, 1, 0, 0, 0, 0}, relay_tail}));
  EXPECT_EQ(Bytes(d.msc.begin(), d.msc.end()), Cat({{0, 1, 10, 0, 0, 0, 0}, Ff(25)}));
}

TEST(DefaultSetup, LoadsEverySectionButTheFactoryData) {
  SetupImageBytes image{};
  for (const SectionInfo& info : Sections()) {
    const bool loaded = LoadDefaultSection(image, info.section);
    EXPECT_EQ(loaded, info.section != SAV) << info.name;
  }
  auto adm = SectionBytes(image, ADM);
  EXPECT_EQ(adm[0], 1) << "valid";
  EXPECT_EQ(adm[3], 0xFF) << "inr";
  for (const SectionInfo& info : Sections()) {
    if (info.section == SAV) continue;
    const auto bytes = SectionBytes(image, info.section);
    const std::vector<bool> reserved = ReservedBytes(info.section);
    for (size_t i = 0; i < reserved.size(); ++i)
      if (reserved[i]) {
        EXPECT_EQ(bytes[i], 0xFF) << info.name << " byte " << i;
      }
  }
  EXPECT_EQ(Bytes(image.begin() + 716, image.end()), Bytes(64, 0)) << "SAV keeps what it held";
  EXPECT_EQ(Bytes(image.begin() + 300, image.begin() + 364), Bytes(image.begin() + 364, image.begin() + 428));
}

}  // namespace
