#pragma once
// Places the controls of a dialog inside one parent control in the dialogs'
// common sizes (row height, label and check box offsets), each through the
// one placement step of control_placement.h. Lists hold their items from the
// start and let the user only choose among them.
#include <string>
#include <vector>

#include "platform/forms/forms.h"

// The first or the second of two members in the same role (two channels, two relays).
template <class T>
T*& Pick(bool first, T*& a, T*& b) {
  return first ? a : b;
}
inline const char* Pick(bool first, const char* a, const char* b) { return first ? a : b; }

class DialogLayout {
 public:
  using Items = std::vector<std::string>;

  explicit DialogLayout(TWinControl* parent) : parent_(parent) {}
  DialogLayout In(TWinControl* parent) const { return DialogLayout(parent); }

  // A name of nullptr leaves the control unnamed (range and unit texts).
  TLabel* Label(const char* name, const std::string& caption, int x, int y, int width = 0) const;
  TEdit* Edit(const char* name, int x, int y, int width, int maxLength = 0) const;
  TCheckBox* Check(const char* name, const std::string& caption, int x, int y, int width = 20) const;
  TRadioButton* Radio(const char* name, const std::string& caption, int x, int y, int width) const;
  TComboBox* List(const char* name, const Items& items, int x, int y, int width) const;
  TGroupBox* Group(const char* name, const std::string& caption, int x, int y, int width, int height) const;
  // A panel (raised, as the form layer's panels are) that keeps a set of
  // radio buttons apart.
  TPanel* Frame(int x, int y, int width, int height) const;
  TButton* Button(const char* name, const std::string& caption, int x, int y, int width) const;

 private:
  TWinControl* parent_;
};
