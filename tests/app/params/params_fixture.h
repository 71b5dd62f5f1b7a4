#pragma once
// The weighing-parameter dialog and the input, encoder and relay dialog
// beside the service window, connected through the link to a simulated
// device whose set-up memory a test fills with a known set-up.
#include <algorithm>
#include <memory>
#include <vector>

#include "app/params/inputs_relays.h"
#include "app/params/weighing_parameters.h"
#include "tests/app/service/service_fixture.h"
#include "tests/app/setup/known_setup.h"

class ParamsTest : public ServiceTest {
 protected:
  void SetUp() override {
    ServiceTest::SetUp();
    dialogs23_ = std::make_unique<ScopedForm<TForm23>>(Form23);
    dialogs24_ = std::make_unique<ScopedForm<TForm24>>(Form24);
  }
  void TearDown() override {
    dialogs24_.reset();
    dialogs23_.reset();
    ServiceTest::TearDown();
  }

  TForm23& params() { return *Form23; }
  TForm24& exb() { return *Form24; }

  // Device address of a section of the set-up copy at `base`.
  static int AddressOf(SetupSection section, int base) { return base + Info(section).copy_offset; }

  // Puts the sections ADM .. MSC of `image` into the device's set-up copy at `base`.
  void LoadDevice(const SetupImageBytes& image, int base) {
    sim_.WithDevice(1, [&](devsim::DeviceModel& m) {
      for (const SectionInfo& info : Sections()) {
        if (info.copy_offset < 0) continue;
        const auto bytes = SectionBytes(image, info.section);
        std::copy(bytes.begin(), bytes.end(), m.memory.begin() + base + info.copy_offset);
      }
    });
  }

  // The bytes of one section as the device holds them in the copy at `base`.
  std::vector<uint8_t> DeviceSection(SetupSection section, int base) const {
    const devsim::DeviceModel m = sim_.Model(1);
    const auto first = m.memory.begin() + AddressOf(section, base);
    return {first, first + Info(section).size};
  }
  std::vector<uint8_t> ImageSection(SetupSection section) const {
    const auto bytes = SectionBytes(Form1->SetupImage, section);
    return {bytes.begin(), bytes.end()};
  }

  // The device address and length of every block-write request, in order.
  struct BlockWrite {
    int address;
    int length;
    bool operator==(const BlockWrite&) const = default;
  };
  std::vector<BlockWrite> BlockWrites() const {
    std::vector<BlockWrite> writes;
    for (const auto& frame : ReceivedOf(CMD_BLOCK_WRITE)) {
      const std::vector<uint8_t> data = DataOf(frame);
      if (data.size() < 5) continue;
      writes.push_back({data[0] << 8 | data[1], data[3] << 8 | data[4]});
    }
    return writes;
  }
  // The chunks of whole sections written to the copy at `base`, as the link cuts them.
  static std::vector<BlockWrite> ChunksOf(const std::vector<SetupSection>& sections, int base) {
    std::vector<BlockWrite> writes;
    for (SetupSection s : sections)
      for (int done = 0; done < Info(s).size; done += 128)
        writes.push_back({AddressOf(s, base) + done, std::min(128, Info(s).size - done)});
    return writes;
  }

  // Clicks "Speichern im Gerät" and answers the boxes with OK.
  void Store(TButton* button) {
    const size_t boxes = dialogs_.Boxes().size();
    dialogs_.Answer(IDOK);
    button->Click();
    // Only the "OK!" of a good store is expected here.
    ASSERT_EQ(dialogs_.Boxes().size(), boxes + 1);
    EXPECT_EQ(dialogs_.Boxes().back().request.text, "OK!");
  }

  // The caption of a label, group box, button, check box or radio button.
  static std::string CaptionOf(TControl* c) {
    if (auto* label = dynamic_cast<TLabel*>(c)) return label->Caption();
    if (auto* group = dynamic_cast<TGroupBox*>(c)) return group->Caption();
    if (auto* button = dynamic_cast<TButton*>(c)) return button->Caption();
    if (auto* box = dynamic_cast<TCheckBox*>(c)) return box->Caption();
    if (auto* radio = dynamic_cast<TRadioButton*>(c)) return radio->Caption();
    ADD_FAILURE() << c->Name() << " has no caption";
    return {};
  }

  static void Leave(TEdit* edit, const std::string& text) {
    edit->SetText(text);
    FireEvent(edit->OnExit, edit);
  }

 private:
  std::unique_ptr<ScopedForm<TForm23>> dialogs23_;
  std::unique_ptr<ScopedForm<TForm24>> dialogs24_;
};
