#include "platform/forms/dialog_layout.h"

#include "platform/forms/control_placement.h"

namespace {

constexpr int kRowHeight = 22;

}  // namespace

TLabel* DialogLayout::Label(const char* name, const std::string& caption, int x, int y, int width) const {
  auto* label = new TLabel(parent_, caption);
  // Without a width the label takes what its caption needs; the height is
  // the caption's own, so that capital umlauts keep their dots.
  return NameAndPlace(label, name, x, y + 2, width > 0 ? width : label->Width() + 4, label->Height());
}

TEdit* DialogLayout::Edit(const char* name, int x, int y, int width, int maxLength) const {
  auto* edit = PlaceControl<TEdit>(parent_, name, x, y, width, kRowHeight);
  if (maxLength > 0) edit->SetMaxLength(maxLength);
  return edit;
}

TCheckBox* DialogLayout::Check(const char* name, const std::string& caption, int x, int y, int width) const {
  return PlaceControl<TCheckBox>(parent_, name, x, y + 2, width, 18, caption);
}

TRadioButton* DialogLayout::Radio(const char* name, const std::string& caption, int x, int y, int width) const {
  return PlaceControl<TRadioButton>(parent_, name, x, y, width, 18, caption);
}

TComboBox* DialogLayout::List(const char* name, const Items& items, int x, int y, int width) const {
  auto* list = PlaceControl<TComboBox>(parent_, name, x, y, width, kRowHeight, TComboBoxStyle::csDropDownList);
  list->SetItems(items);
  return list;
}

TGroupBox* DialogLayout::Group(const char* name, const std::string& caption, int x, int y, int width,
                               int height) const {
  return PlaceControl<TGroupBox>(parent_, name, x, y, width, height, caption);
}

TPanel* DialogLayout::Frame(int x, int y, int width, int height) const {
  return PlaceControl<TPanel>(parent_, nullptr, x, y, width, height);
}

TButton* DialogLayout::Button(const char* name, const std::string& caption, int x, int y, int width) const {
  return PlaceControl<TButton>(parent_, name, x, y, width, 26, caption);
}
