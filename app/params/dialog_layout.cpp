#include "app/params/dialog_layout.h"

namespace {

constexpr int kRowHeight = 22;

}  // namespace

template <class T>
T* DialogLayout::Place(T* control, const char* name, int x, int y, int width, int height) const {
  if (name != nullptr) control->SetName(name);
  control->SetBounds(x, y, width, height);
  return control;
}

TLabel* DialogLayout::Label(const char* name, const std::string& caption, int x, int y, int width) const {
  auto* label = new TLabel(parent_, caption);
  // Without a width the label takes what its caption needs; the height is
  // the caption's own, so that capital umlauts keep their dots.
  return Place(label, name, x, y + 2, width > 0 ? width : label->Width() + 4, label->Height());
}

TEdit* DialogLayout::Edit(const char* name, int x, int y, int width, int maxLength) const {
  auto* edit = Place(new TEdit(parent_), name, x, y, width, kRowHeight);
  if (maxLength > 0) edit->SetMaxLength(maxLength);
  return edit;
}

TCheckBox* DialogLayout::Check(const char* name, const std::string& caption, int x, int y, int width) const {
  return Place(new TCheckBox(parent_, caption), name, x, y + 2, width, 18);
}

TRadioButton* DialogLayout::Radio(const char* name, const std::string& caption, int x, int y, int width) const {
  return Place(new TRadioButton(parent_, caption), name, x, y, width, 18);
}

TComboBox* DialogLayout::List(const char* name, const Items& items, int x, int y, int width) const {
  auto* list = Place(new TComboBox(parent_, TComboBoxStyle::csDropDownList), name, x, y, width, kRowHeight);
  list->SetItems(items);
  return list;
}

TGroupBox* DialogLayout::Group(const char* name, const std::string& caption, int x, int y, int width,
                               int height) const {
  return Place(new TGroupBox(parent_, caption), name, x, y, width, height);
}

TPanel* DialogLayout::Frame(int x, int y, int width, int height) const {
  return Place(new TPanel(parent_), nullptr, x, y, width, height);
}

TButton* DialogLayout::Button(const char* name, const std::string& caption, int x, int y, int width) const {
  return Place(new TButton(parent_, caption), name, x, y, width, 26);
}
