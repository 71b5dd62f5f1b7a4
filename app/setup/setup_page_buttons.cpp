// "Lesen" and "Schreiben" of every page: one section (two for the channel
// pages) between the device and the editor.
#include <array>

#include "app/link/device_request.h"
#include "app/link/test_window.h"
#include "app/program/text_table.h"
#include "app/setup/setup_editor.h"
#include "app/setup/setup_messages.h"
#include "app/setup/setup_transfer_plan.h"
#include "app/setup/transfer_scope.h"

namespace {

using enum SetupSection;

struct Page {
  std::array<SetupSection, 2> sections;
  int count;                // 1, or 2 for the channel pages
  const char* readFailure;  // nullptr: the section's usual text
};

enum PageId {
  kGbl,
  kLpc,
  kAdc1,
  kAdc2,
  kAdc3,
  kCal,
  kWkg01,
  kWkg02,
  kWkg11,
  kWkg12,
  kWks,
  kChn,
  kLkz,
  kExb1,
  kExb2,
  kMsc,
  kAdm,
  kSav
};

constexpr Page kPages[] = {
    {{GBL}, 1, nullptr},        {{LPC}, 1, nullptr},  {{ADC}, 1, nullptr},  {{ADC}, 1, nullptr},
    {{ADC}, 1, nullptr},        {{ADC}, 1, nullptr},  {{WKG0}, 1, nullptr}, {{WKG0}, 1, "ERROR! -> Read Setup WKG[0])"},
    {{WKG1}, 1, nullptr},       {{WKG1}, 1, nullptr}, {{WKS}, 1, nullptr},  {{CHN0, CHN1}, 2, nullptr},
    {{CHN0, CHN1}, 2, nullptr}, {{EXB}, 1, nullptr},  {{EXB}, 1, nullptr},  {{MSC}, 1, nullptr},
    {{ADM}, 1, nullptr},        {{SAV}, 1, nullptr},
};

bool InSetupCopy(const Page& page) { return page.sections[0] != GBL && page.sections[0] != SAV; }

void ShowOk() { ShowUntilOk("OK!", ROW_TITLE_HINT, MB_ICONINFORMATION); }

}  // namespace

void TForm3::ReadPage(int id) {
  const Page& page = kPages[id];
  if (transferRunning_ || (InSetupCopy(page) && !EnsureSetupBase())) return;
  TransferScope scope(*this);
  for (int i = 0; i < page.count; ++i) {
    const SetupSection section = page.sections[static_cast<size_t>(i)];
    // A read that fails leaves the section and its controls as they were.
    const bool ok = ReadSection(section, false);
    if (ok) ShowSection(section);
    if (!ok)
      ShowUntilOk(page.readFailure != nullptr ? page.readFailure : ReadFailureMessage(section), ROW_TITLE_ERROR,
                  MB_ICONERROR);
    else if (page.count == 1)
      ShowOk();
    if (ok) Form1->SectionRead[static_cast<size_t>(SectionReadIndex(section))] = 1;
  }
}

void TForm3::WritePage(int id) {
  const Page& page = kPages[id];
  if (transferRunning_) return;
  bool allowed = Form1->SetupPresent != 0;
  for (int i = 0; i < page.count; ++i)
    if (Form1->SectionRead[static_cast<size_t>(SectionReadIndex(page.sections[static_cast<size_t>(i)]))] != 0)
      allowed = true;
  if (!allowed) {
    ShowUntilOk(LangText(ROW_READ_SETUP_FIRST), ROW_TITLE_HINT, MB_ICONERROR);
    return;
  }
  if (InSetupCopy(page) && !EnsureSetupBase()) return;
  TransferScope scope(*this);
  bool ok = true;
  for (int i = 0; i < page.count; ++i) {
    const SetupSection section = page.sections[static_cast<size_t>(i)];
    RebuildFromControls(section);
    const bool written = WriteSection(section);
    if (!written) ShowUntilOk(WriteFailureMessage(section), ROW_TITLE_ERROR, MB_ICONERROR);
    ok = ok && written;
  }
  if (ok) ShowOk();  // for the channel pages: once both sections are written
}

void TForm3::WriteFactoryValues(int channel) {
  TEdit* offset = channel == 0 ? Edit85 : Edit87;
  TEdit* gain = channel == 0 ? Edit86 : Edit88;
  const uint32_t o = TForm1::HexTextToValue(offset->Text());
  const uint32_t g = TForm1::HexTextToValue(gain->Text());
  const uint8_t data[10] = {0x97,
                            static_cast<uint8_t>(channel),
                            static_cast<uint8_t>(o >> 24),
                            static_cast<uint8_t>(o >> 16),
                            static_cast<uint8_t>(o >> 8),
                            static_cast<uint8_t>(o),
                            static_cast<uint8_t>(g >> 24),
                            static_cast<uint8_t>(g >> 16),
                            static_cast<uint8_t>(g >> 8),
                            static_cast<uint8_t>(g)};
  SendRequest(*Form1, CMD_FACTORY_DATA, data, RequestKind::Wait);
}

void TForm3::Button33Click(TObject*) { ReadPage(kGbl); }
void TForm3::Button34Click(TObject*) { WritePage(kGbl); }
void TForm3::Button14Click(TObject*) { ReadPage(kLpc); }
void TForm3::Button17Click(TObject*) { WritePage(kLpc); }
void TForm3::Button23Click(TObject*) { ReadPage(kAdc1); }
void TForm3::Button8Click(TObject*) { WritePage(kAdc1); }
void TForm3::Button38Click(TObject*) { ReadPage(kAdc2); }
void TForm3::Button39Click(TObject*) { WritePage(kAdc2); }
void TForm3::Button55Click(TObject*) { ReadPage(kAdc3); }
void TForm3::Button56Click(TObject*) { WritePage(kAdc3); }
void TForm3::Button43Click(TObject*) { ReadPage(kCal); }
void TForm3::Button44Click(TObject*) { WritePage(kCal); }
void TForm3::Button16Click(TObject*) { ReadPage(kWkg01); }
void TForm3::Button19Click(TObject*) { WritePage(kWkg01); }
void TForm3::Button40Click(TObject*) { ReadPage(kWkg02); }
void TForm3::Button41Click(TObject*) { WritePage(kWkg02); }
void TForm3::Button31Click(TObject*) { ReadPage(kWkg11); }
void TForm3::Button32Click(TObject*) { WritePage(kWkg11); }
void TForm3::Button46Click(TObject*) { ReadPage(kWkg12); }
void TForm3::Button47Click(TObject*) { WritePage(kWkg12); }
void TForm3::Button48Click(TObject*) { ReadPage(kWks); }
void TForm3::Button49Click(TObject*) { WritePage(kWks); }
void TForm3::Button26Click(TObject*) { ReadPage(kChn); }
void TForm3::Button27Click(TObject*) { WritePage(kChn); }
void TForm3::Button2Click(TObject*) { ReadPage(kLkz); }
void TForm3::Button51Click(TObject*) { WritePage(kLkz); }
void TForm3::Button1Click(TObject*) { ReadPage(kExb1); }
void TForm3::Button24Click(TObject*) { WritePage(kExb1); }
void TForm3::Button29Click(TObject*) { ReadPage(kExb2); }
void TForm3::Button30Click(TObject*) { WritePage(kExb2); }
void TForm3::Button50Click(TObject*) { ReadPage(kMsc); }
void TForm3::Button59Click(TObject*) { WritePage(kMsc); }
void TForm3::Button15Click(TObject*) { ReadPage(kAdm); }
void TForm3::Button28Click(TObject*) { WritePage(kAdm); }
void TForm3::Button42Click(TObject*) { ReadPage(kSav); }
void TForm3::Button52Click(TObject*) { WriteFactoryValues(0); }
void TForm3::Button53Click(TObject*) { WriteFactoryValues(1); }
