#include "app/params/parameter_dialog.h"

#include "app/link/test_window.h"
#include "app/program/text_table.h"
#include "app/service/service_window.h"
#include "app/setup/setup_transfer_plan.h"

ImageField::ImageField(SetupSection section, std::string_view name)
    : section_(section), offset_(FieldOf(section, name).offset) {}

std::span<uint8_t> ImageField::Bytes() const { return SectionBytes(Form1->SetupImage, section_); }
uint8_t ImageField::Byte() const { return GetByte(Bytes(), offset_); }
void ImageField::SetByte(uint8_t value) const { PutByte(Bytes(), offset_, value); }
uint16_t ImageField::Word() const { return static_cast<uint16_t>(GetInt16(Bytes(), offset_)); }
void ImageField::SetWord(uint16_t value) const { PutInt16(Bytes(), offset_, static_cast<int16_t>(value)); }
int32_t ImageField::Int32() const { return GetInt32(Bytes(), offset_); }
void ImageField::SetInt32(int32_t value) const { PutInt32(Bytes(), offset_, value); }
float ImageField::Float() const { return GetFloat(Bytes(), offset_); }
void ImageField::SetFloat(float value) const { PutFloat(Bytes(), offset_, value); }

void ChooseItem(TComboBox* list, int index) { list->SetItemIndex(index < list->ItemCount() ? index : -1); }

uint8_t ItemByte(const TComboBox* list) { return static_cast<uint8_t>(list->ItemIndex()); }

void RefillList(TComboBox* list, const std::vector<std::string>& items) {
  const int chosen = list->ItemIndex();
  list->SetText("");
  list->SetItems(items);
  ChooseItem(list, chosen);
}

bool PrepareStore() {
  const bool setupRead = Form21 != nullptr && Form21->SetupReadDone == 1;
  if (Form1->SetupPresent == 0 && !setupRead) {
    ShowUntilOk(LangText(ROW_READ_SETUP_FIRST), ROW_TITLE_HINT, MB_ICONINFORMATION);
    return false;
  }
  if (PollingActive == 1) Form1->FlushLink();
  return true;
}

bool WriteSection(SetupSection section) {
  const std::span<const uint8_t> bytes = SectionBytes(Form1->SetupImage, section);
  return !Form1->WriteDeviceMemory(bytes, SetupBase + Info(section).copy_offset, 0, static_cast<int>(bytes.size()));
}

void ReportStore(bool allWritten) {
  if (allWritten)
    ShowUntilOk("OK!", ROW_TITLE_HINT, MB_ICONINFORMATION);
  else
    Form1->DeviceErrorFlag = 1;
}

void ActivateButtons(TButton* exit, TButton* cancel, TButton* store) {
  exit->SetEnabled(false);
  cancel->SetEnabled(true);
  store->SetEnabled(Form21 == nullptr || Form21->DemoMode != 1);
}

void ExitWithRestart(TForm& dialog, TButton* cancel, TButton* store) {
  cancel->SetEnabled(false);
  store->SetEnabled(false);
  Form1->FlushLink();
  dialog.Close();
  Form1->SoftResetRequested = 1;
  if (Form21 != nullptr) Form21->RestartAndReconnect();
  Form1->SoftResetRequested = 0;
}
