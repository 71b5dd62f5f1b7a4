#pragma once
// What the parameter dialogs of the service window share: their fields in
// the link's set-up image, list and message helpers, and the button cycle
// (activation, store, "Beenden" with the device restart).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/link/setup_image.h"
#include "app/setup/setup_messages.h"
#include "platform/forms/forms.h"

// One field of the link's set-up image, by section and name.
class ImageField {
 public:
  ImageField(SetupSection section, std::string_view name);
  uint8_t Byte() const;
  void SetByte(uint8_t value) const;
  uint16_t Word() const;  // 16 bits, big-endian in the image
  void SetWord(uint16_t value) const;
  int32_t Int32() const;
  void SetInt32(int32_t value) const;
  float Float() const;
  void SetFloat(float value) const;

 private:
  std::span<uint8_t> Bytes() const;
  SetupSection section_;
  int offset_;
};

// Chooses item `index`; an index that is no item of the list leaves it without choice.
void ChooseItem(TComboBox* list, int index);
// The chosen item as a device byte; no choice gives 0xFF.
uint8_t ItemByte(const TComboBox* list);
// New items, keeping the chosen position (one beyond the new items leaves none).
void RefillList(TComboBox* list, const std::vector<std::string>& items);

// The start of a store: false, after "Bitte Setup von Gerät lesen!", while
// no set-up was read or loaded, since the image would then write whatever
// it happens to hold into the device. Otherwise stops the service window's
// polling; the restart of "Beenden" connects again.
bool PrepareStore();
// One section of the image to the set-up copy in use; true when written.
bool WriteSection(SetupSection section);
// The end of a store: "OK!" when every block was written, otherwise the
// link's device-error flag, without a message.
void ReportStore(bool allWritten);

// Activation: "Beenden" off, "Abbrechen" and "Speichern im Gerät" on (the
// store not in demo mode).
void ActivateButtons(TButton* exit, TButton* cancel, TButton* store);
// "Beenden": stops the link, closes the dialog and restarts the device so
// that the written set-up takes effect, then connects again.
void ExitWithRestart(TForm& dialog, TButton* cancel, TButton* store);
