#pragma once
// The standard controls with the event rules the program relies on:
// - a check box's OnClick runs whenever its state changes, from code too;
// - a radio button's OnClick runs when it becomes checked, from code too;
//   unchecking runs nothing; radio buttons are exclusive within their parent;
// - an edit's OnChange runs when its text changes, from code too;
// - a list's OnChange runs only on a user's choice or typing, never when its
//   index, items or text are set from code.
#include <functional>
#include <string>
#include <vector>

#include "platform/forms/component.h"

class QLabel;
class QPushButton;
class QLineEdit;
class QCheckBox;
class QRadioButton;
class QComboBox;
class QListWidget;
class QPlainTextEdit;
class QTextEdit;
class QGroupBox;
class QFrame;
class QProgressBar;


class TLabel : public TControl {
 public:
  explicit TLabel(TWinControl* parent, const std::string& caption = {});
  std::string Caption() const;
  void SetCaption(const std::string& caption);
  // Background colour; a label with a colour of its own is opaque.
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TNotifyEvent OnClick;
  void Click();

 private:
  QLabel* label() const;
  TColor color_ = clBtnFace;
};

class TButton : public TControl {
 public:
  explicit TButton(TWinControl* parent, const std::string& caption = {});
  std::string Caption() const;
  void SetCaption(const std::string& caption);
  void SetDefault(bool is_default);
  // Set on the form when the button is clicked (mrNone: nothing).
  int ModalResult = 0;
  TNotifyEvent OnClick;
  TKeyEvent OnKeyDown;
  // Clicks the button as a user does.
  void Click();

 private:
  QPushButton* button() const;
};

class TEdit : public TControl {
 public:
  explicit TEdit(TWinControl* parent, const std::string& text = {});
  std::string Text() const;
  void SetText(const std::string& text);
  void Clear() { SetText({}); }
  int MaxLength() const;
  // Longest text the user may type (0: no limit); text set from code is not cut.
  void SetMaxLength(int length);
  void SetPasswordChar(char c);
  bool ReadOnly() const;
  void SetReadOnly(bool read_only);
  void SelectAll();
  TNotifyEvent OnChange;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  // A click with the left button, pressed and released on the edit.
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;

 protected:
  QLineEdit* edit() const;

 private:
  int max_length_ = 0;
};

// An edit with its label above it.
class TLabeledEdit : public TEdit {
 public:
  TLabeledEdit(TWinControl* parent, const std::string& label);
  TLabel* EditLabel() const { return label_; }
  void SetVisible(bool visible) override;
  void PlaceLabel();

 private:
  TLabel* label_;
};

class TCheckBox : public TControl {
 public:
  explicit TCheckBox(TWinControl* parent, const std::string& caption = {});
  std::string Caption() const;
  void SetCaption(const std::string& caption);
  bool Checked() const;
  void SetChecked(bool checked);
  TNotifyEvent OnClick;
  // Toggles the box as a user's click does.
  void Click();

 private:
  QCheckBox* box() const;
};

class TRadioButton : public TControl {
 public:
  explicit TRadioButton(TWinControl* parent, const std::string& caption = {});
  std::string Caption() const;
  void SetCaption(const std::string& caption);
  bool Checked() const;
  void SetChecked(bool checked);
  TNotifyEvent OnClick;
  // Checks the button as a user's click does.
  void Click();

 private:
  QRadioButton* radio() const;
};

enum class TComboBoxStyle { csDropDown, csDropDownList };

class TComboBox : public TControl {
 public:
  explicit TComboBox(TWinControl* parent, TComboBoxStyle style = TComboBoxStyle::csDropDown);
  // Items
  void ClearItems();
  void AddItem(const std::string& item);
  void SetItems(const std::vector<std::string>& items);
  int ItemCount() const;
  std::string Item(int index) const;
  // -1: no item chosen (also when the user typed a text of his own).
  int ItemIndex() const;
  void SetItemIndex(int index);
  std::string Text() const;
  void SetText(const std::string& text);
  TNotifyEvent OnChange;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  // A user's choice of an item, or typing, for tests and keyboard handling.
  void UserSelect(int index);
  void UserType(const std::string& text);

 private:
  QComboBox* combo() const;
};

class TListBox : public TControl {
 public:
  explicit TListBox(TWinControl* parent);
  void ClearItems();
  void AddItem(const std::string& item);
  int ItemCount() const;
  std::string Item(int index) const;
  int ItemIndex() const;
  void SetItemIndex(int index);
  TNotifyEvent OnDblClick;

 private:
  QListWidget* list() const;
};

class TMemo : public TControl {
 public:
  explicit TMemo(TWinControl* parent);
  std::string Text() const;
  void SetText(const std::string& text);
  void Clear() { SetText({}); }
  void AddLine(const std::string& line);
  void SetReadOnly(bool read_only);

 private:
  QPlainTextEdit* memo() const;
};

class TRichEdit : public TControl {
 public:
  explicit TRichEdit(TWinControl* parent);
  std::string Text() const;
  void SetText(const std::string& text);

 private:
  QTextEdit* edit() const;
};

class TGroupBox : public TWinControl {
 public:
  explicit TGroupBox(TWinControl* parent, const std::string& caption = {});
  std::string Caption() const;
  void SetCaption(const std::string& caption);
  // A click on the box's free area (not on one of its controls).
  TNotifyEvent OnClick;
  void Click();

 private:
  QGroupBox* group() const;
};

// A frame around a group of radio buttons.
class TRadioGroup : public TGroupBox {
 public:
  using TGroupBox::TGroupBox;
};

class TPanel : public TWinControl {
 public:
  explicit TPanel(TWinControl* parent, const std::string& caption = {});
  // A panel without its raised bevel, as one that only groups controls.
  void SetFlat(bool flat);
  std::string Caption() const;
  void SetCaption(const std::string& caption);
  TColor Color() const { return color_; }
  void SetColor(TColor color);

 private:
  QLabel* caption_;
  TColor color_ = clBtnFace;
};

class TProgressBar : public TControl {
 public:
  explicit TProgressBar(TWinControl* parent);
  int Position() const;
  void SetPosition(int position);
  void SetRange(int min, int max);
  int Min() const;
  int Max() const;

 private:
  QProgressBar* bar() const;
};
