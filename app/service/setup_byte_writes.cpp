// Single set-up bytes and sections from the image into the device, for the
// settings that the service window stores on their own (rate, bus address,
// channel 2, calibration mode, write protection, Profibus flag).
#include <span>
#include <vector>

#include "app/link/test_window.h"
#include "app/program/text_table.h"
#include "app/service/image_fields.h"
#include "app/service/service_window.h"
#include "app/setup/setup_messages.h"

namespace {

void ShowWriteError() {
  ShowUntilOk(LangText("Fehler beim Schreiben ins Gerät! -> Abbruch!", "Error writing to device! -> Cancel!"),
              ROW_TITLE_ERROR, MB_ICONERROR);
}

}  // namespace

bool TForm21::WriteSetupBytes(const SetupImageBytes& before, std::initializer_list<SetupByte> bytes) {
  TForm1& link = *Form1;
  std::vector<SetupByte> written;
  for (const SetupByte& b : bytes) {
    const uint8_t value = ImageByte(link.SetupImage, b.section, b.field);
    if (!link.WriteDeviceMemory(std::span<const uint8_t>(&value, 1), DeviceAddressOf(b.section, b.field, SetupBase), 0,
                                1)) {
      written.push_back(b);
      continue;
    }
    // The device keeps its set-up as it was: the bytes that went out are taken back.
    link.SetupImage = before;
    for (const SetupByte& back : written) {
      const uint8_t old = ImageByte(link.SetupImage, back.section, back.field);
      link.WriteDeviceMemory(std::span<const uint8_t>(&old, 1), DeviceAddressOf(back.section, back.field, SetupBase),
                             0, 1);
    }
    ShowWriteError();
    return false;
  }
  return true;
}

bool TForm21::WriteSetupSection(const SetupImageBytes& before, SetupSection section) {
  TForm1& link = *Form1;
  const SectionInfo& info = Info(section);
  const std::span<const uint8_t> bytes(link.SetupImage.data() + info.image_offset, static_cast<size_t>(info.size));
  if (!link.WriteDeviceMemory(bytes, SetupBase + info.copy_offset, 0, info.size)) return true;
  link.SetupImage = before;
  ShowWriteError();
  return false;
}
