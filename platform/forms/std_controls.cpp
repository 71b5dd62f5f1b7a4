#include "platform/forms/std_controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <qdrawutil.h>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTextEdit>
#include <QValidator>
#include <QWidget>

#include "platform/forms/event_hook.h"
#include "platform/forms/form.h"
#include "platform/forms/keys.h"

namespace {

void SetBackground(QWidget* widget, TColor color) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, ToQColor(color));
  widget->setPalette(palette);
  widget->setAutoFillBackground(color != clBtnFace);
}

// Focus-in and focus-out of `widget` as OnEnter and OnExit of `sender`.
void HookFocus(QWidget* widget, TComponent* sender, TNotifyEvent* on_enter, TNotifyEvent* on_exit) {
  new EventHook(widget, sender, [=](QEvent* event) {
    if (event->type() == QEvent::FocusIn) FireEvent(*on_enter, sender);
    if (event->type() == QEvent::FocusOut) FireEvent(*on_exit, sender);
    return false;
  });
}

// A text set from code shows from its start, as the class library's edits
// show it, also when it is longer than the field.
void ShowTextStart(QLineEdit* edit) {
  if (edit != nullptr && !edit->hasFocus()) edit->setCursorPosition(0);
}

TForm* FormOf(TControl* control) {
  for (TControl* c = control; c != nullptr; c = c->Parent())
    if (auto* form = dynamic_cast<TForm*>(c)) return form;
  return nullptr;
}

}  // namespace

// ---- TLabel

TLabel::TLabel(TWinControl* parent, const std::string& caption) : TControl(parent, new QLabel) {
  SetCaption(caption);
  new EventHook(widget_, this, [this](QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
      FireEvent(OnClick, this);
    return false;
  });
}

QLabel* TLabel::label() const { return static_cast<QLabel*>(widget_); }
std::string TLabel::Caption() const { return StdStr(label()->text()); }
void TLabel::SetCaption(const std::string& caption) {
  label()->setText(QStr(caption));
  label()->adjustSize();
}
void TLabel::SetColor(TColor color) {
  color_ = color;
  SetBackground(widget_, color);
}
void TLabel::Click() { FireEvent(OnClick, this); }

// ---- TButton

TButton::TButton(TWinControl* parent, const std::string& caption) : TControl(parent, new QPushButton) {
  SetCaption(caption);
  // A button takes the focus when pressed, so an edit's OnExit runs before OnClick.
  widget_->setFocusPolicy(Qt::StrongFocus);
  QObject::connect(button(), &QPushButton::clicked, this, [this] { Click(); });
  new EventHook(widget_, this, [this](QEvent* event) {
    if (event->type() == QEvent::KeyPress && OnKeyDown) {
      auto* key_event = static_cast<QKeyEvent*>(event);
      int key = VirtualKey(key_event);
      FireEvent(OnKeyDown, this, key, ShiftOf(key_event->modifiers()));
    }
    return false;
  });
}

QPushButton* TButton::button() const { return static_cast<QPushButton*>(widget_); }
std::string TButton::Caption() const { return StdStr(button()->text()); }
void TButton::SetCaption(const std::string& caption) { button()->setText(QStr(caption)); }
void TButton::SetDefault(bool is_default) {
  button()->setDefault(is_default);
  button()->setAutoDefault(is_default);
}

void TButton::Click() {
  if (!enabled_) return;
  if (ModalResult != 0) {
    if (TForm* form = FormOf(this)) form->ModalResult = ModalResult;
  }
  FireEvent(OnClick, this);
}

// ---- TEdit

namespace {

// A line edit that reports a click with the left button once it has handled
// the mouse itself, so that a click handler that selects the text keeps its
// selection.
class ClickableLineEdit final : public QLineEdit {
 public:
  std::function<void()> clicked;

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override {
    QLineEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && clicked) clicked();
  }
};

}  // namespace

TEdit::TEdit(TWinControl* parent, const std::string& text) : TControl(parent, new ClickableLineEdit) {
  // The edit may outlive its wrapper for a moment while a form goes away.
  static_cast<ClickableLineEdit*>(widget_)->clicked = [self = QPointer<TEdit>(this)] {
    if (self) FireEvent(self->OnClick, self.data());
  };
  edit()->setText(QStr(text));
  QObject::connect(edit(), &QLineEdit::textChanged, this, [this] { FireEvent(OnChange, this); });
  HookFocus(widget_, this, &OnEnter, &OnExit);
  new EventHook(widget_, this, [this](QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick) FireEvent(OnDblClick, this);
    return false;
  });
}

QLineEdit* TEdit::edit() const { return static_cast<QLineEdit*>(widget_); }
std::string TEdit::Text() const { return StdStr(edit()->text()); }
void TEdit::SetText(const std::string& text) {
  edit()->setText(QStr(text));
  ShowTextStart(edit());
}
namespace {

// Limits what the user types; text set from code is taken whole, as the
// class library's edits do.
class LengthValidator final : public QValidator {
 public:
  LengthValidator(QObject* parent, int length) : QValidator(parent), length_(length) {}
  State validate(QString& input, int&) const override {
    return input.size() <= length_ ? Acceptable : Invalid;
  }

 private:
  int length_;
};

}  // namespace

int TEdit::MaxLength() const { return max_length_; }

void TEdit::SetMaxLength(int length) {
  max_length_ = length > 0 ? length : 0;
  delete edit()->validator();
  edit()->setValidator(max_length_ > 0 ? new LengthValidator(edit(), max_length_) : nullptr);
}
void TEdit::SetPasswordChar(char c) { edit()->setEchoMode(c != 0 ? QLineEdit::Password : QLineEdit::Normal); }
bool TEdit::ReadOnly() const { return edit()->isReadOnly(); }
void TEdit::SetReadOnly(bool read_only) { edit()->setReadOnly(read_only); }
void TEdit::SelectAll() { edit()->selectAll(); }

TLabeledEdit::TLabeledEdit(TWinControl* parent, const std::string& label)
    : TEdit(parent), label_(new TLabel(parent, label)) {
  new EventHook(widget_, this, [this](QEvent* event) {
    if (event->type() == QEvent::Move || event->type() == QEvent::Resize) PlaceLabel();
    return false;
  });
}

void TLabeledEdit::PlaceLabel() {
  label_->SetBounds(Left(), Top() - label_->Height() - 2, label_->Width(), label_->Height());
}

void TLabeledEdit::SetVisible(bool visible) {
  TEdit::SetVisible(visible);
  label_->SetVisible(visible);
}

// ---- TCheckBox

TCheckBox::TCheckBox(TWinControl* parent, const std::string& caption) : TControl(parent, new QCheckBox) {
  SetCaption(caption);
  // Any real change of state, from the user or from code, is a click.
  QObject::connect(box(), &QCheckBox::toggled, this, [this] { FireEvent(OnClick, this); });
}

QCheckBox* TCheckBox::box() const { return static_cast<QCheckBox*>(widget_); }
std::string TCheckBox::Caption() const { return StdStr(box()->text()); }
void TCheckBox::SetCaption(const std::string& caption) { box()->setText(QStr(caption)); }
bool TCheckBox::Checked() const { return box()->isChecked(); }
void TCheckBox::SetChecked(bool checked) { box()->setChecked(checked); }
void TCheckBox::Click() {
  if (enabled_) box()->setChecked(!box()->isChecked());
}

// ---- TRadioButton

TRadioButton::TRadioButton(TWinControl* parent, const std::string& caption) : TControl(parent, new QRadioButton) {
  SetCaption(caption);
  // Becoming checked, from the user or from code, is a click; unchecking is not.
  QObject::connect(radio(), &QRadioButton::toggled, this, [this](bool on) {
    if (on) FireEvent(OnClick, this);
  });
}

QRadioButton* TRadioButton::radio() const { return static_cast<QRadioButton*>(widget_); }
std::string TRadioButton::Caption() const { return StdStr(radio()->text()); }
void TRadioButton::SetCaption(const std::string& caption) { radio()->setText(QStr(caption)); }
bool TRadioButton::Checked() const { return radio()->isChecked(); }

void TRadioButton::SetChecked(bool checked) {
  if (checked) {
    radio()->setChecked(true);
  } else if (radio()->isChecked()) {
    // An exclusive group never unchecks its checked button by itself.
    radio()->setAutoExclusive(false);
    radio()->setChecked(false);
    radio()->setAutoExclusive(true);
  }
}

void TRadioButton::Click() {
  if (enabled_) radio()->setChecked(true);
}

// ---- TComboBox

TComboBox::TComboBox(TWinControl* parent, TComboBoxStyle style) : TControl(parent, new QComboBox) {
  combo()->setEditable(style == TComboBoxStyle::csDropDown);
  combo()->setInsertPolicy(QComboBox::NoInsert);
  combo()->setCurrentIndex(-1);
  // Only the user's choice or typing is a change; setting from code is not.
  QObject::connect(combo(), &QComboBox::activated, this, [this] { FireEvent(OnChange, this); });
  if (QLineEdit* line = combo()->lineEdit()) {
    QObject::connect(line, &QLineEdit::textEdited, this, [this] { FireEvent(OnChange, this); });
    HookFocus(line, this, &OnEnter, &OnExit);
  } else {
    HookFocus(widget_, this, &OnEnter, &OnExit);
  }
}

QComboBox* TComboBox::combo() const { return static_cast<QComboBox*>(widget_); }

void TComboBox::ClearItems() {
  const QSignalBlocker block(combo());
  combo()->clear();
  if (combo()->isEditable()) combo()->setEditText(QString());
}

void TComboBox::AddItem(const std::string& item) {
  const QSignalBlocker block(combo());
  const int index = combo()->currentIndex();
  const QString text = combo()->isEditable() ? combo()->currentText() : QString();
  combo()->addItem(QStr(item));
  // Adding the first item must not choose it: the class library's lists start with no choice.
  combo()->setCurrentIndex(index);
  if (combo()->isEditable()) combo()->setEditText(text);
}

void TComboBox::SetItems(const std::vector<std::string>& items) {
  ClearItems();
  for (const std::string& item : items) AddItem(item);
}

int TComboBox::ItemCount() const { return combo()->count(); }
std::string TComboBox::Item(int index) const { return StdStr(combo()->itemText(index)); }

int TComboBox::ItemIndex() const {
  const int index = combo()->currentIndex();
  if (index < 0) return -1;
  // A text the user typed that is not the chosen item means no choice.
  if (combo()->isEditable() && combo()->currentText() != combo()->itemText(index)) return -1;
  return index;
}

void TComboBox::SetItemIndex(int index) {
  const QSignalBlocker block(combo());
  combo()->setCurrentIndex(index >= 0 && index < combo()->count() ? index : -1);
  if (combo()->isEditable() && combo()->currentIndex() < 0) combo()->setEditText(QString());
  ShowTextStart(combo()->lineEdit());
}

std::string TComboBox::Text() const { return StdStr(combo()->currentText()); }

void TComboBox::SetText(const std::string& text) {
  const QSignalBlocker block(combo());
  if (combo()->isEditable()) {
    combo()->setEditText(QStr(text));
    ShowTextStart(combo()->lineEdit());
  } else {
    combo()->setCurrentIndex(combo()->findText(QStr(text)));
  }
}

void TComboBox::UserSelect(int index) {
  combo()->setCurrentIndex(index);
  FireEvent(OnChange, this);
}

void TComboBox::UserType(const std::string& text) {
  SetText(text);
  FireEvent(OnChange, this);
}

// ---- TListBox

TListBox::TListBox(TWinControl* parent) : TControl(parent, new QListWidget) {
  QObject::connect(list(), &QListWidget::itemDoubleClicked, this, [this] { FireEvent(OnDblClick, this); });
}

QListWidget* TListBox::list() const { return static_cast<QListWidget*>(widget_); }
void TListBox::ClearItems() { list()->clear(); }
void TListBox::AddItem(const std::string& item) { list()->addItem(QStr(item)); }
int TListBox::ItemCount() const { return list()->count(); }
std::string TListBox::Item(int index) const {
  const QListWidgetItem* item = list()->item(index);
  return item != nullptr ? StdStr(item->text()) : std::string();
}
int TListBox::ItemIndex() const { return list()->currentRow(); }
void TListBox::SetItemIndex(int index) { list()->setCurrentRow(index); }

// ---- TMemo, TRichEdit

TMemo::TMemo(TWinControl* parent) : TControl(parent, new QPlainTextEdit) {}
QPlainTextEdit* TMemo::memo() const { return static_cast<QPlainTextEdit*>(widget_); }
std::string TMemo::Text() const { return StdStr(memo()->toPlainText()); }
void TMemo::SetText(const std::string& text) { memo()->setPlainText(QStr(text)); }
void TMemo::AddLine(const std::string& line) { memo()->appendPlainText(QStr(line)); }
void TMemo::SetReadOnly(bool read_only) { memo()->setReadOnly(read_only); }

TRichEdit::TRichEdit(TWinControl* parent) : TControl(parent, new QTextEdit) {
  edit()->setAcceptRichText(false);
  edit()->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}
QTextEdit* TRichEdit::edit() const { return static_cast<QTextEdit*>(widget_); }
std::string TRichEdit::Text() const { return StdStr(edit()->toPlainText()); }
void TRichEdit::SetText(const std::string& text) { edit()->setPlainText(QStr(text)); }

// ---- TGroupBox, TPanel

namespace {

// A group frame as the form data place it on every platform: the frame line
// runs through the middle of the title, which sits on it at the top left;
// the controls inside keep their places relative to the box's outer edge.
// (The styles put the title above the frame, which then cuts through
// controls placed near the top.)
class GroupFrame final : public QGroupBox {
 protected:
  void paintEvent(QPaintEvent*) override {
    constexpr int kTitleLeft = 8;
    constexpr int kTitlePadding = 2;
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const bool titled = !title().isEmpty();
    const QRect text(kTitleLeft, 0, titled ? metrics.horizontalAdvance(title()) + 2 * kTitlePadding : 0,
                     metrics.height());
    // An etched line, open where the title sits (the styles' own group frames leave room for a title above them).
    painter.setClipRegion(QRegion(rect()).subtracted(QRegion(text)));
    qDrawShadeRect(&painter, rect().adjusted(0, titled ? metrics.height() / 2 : 0, 0, 0), palette(), true, 1);
    painter.setClipping(false);
    if (titled)
      style()->drawItemText(&painter, text, Qt::AlignCenter | Qt::TextShowMnemonic, palette(), isEnabled(), title(),
                            foregroundRole());
  }
};

}  // namespace

TGroupBox::TGroupBox(TWinControl* parent, const std::string& caption) : TWinControl(parent, new GroupFrame) {
  SetCaption(caption);
  // Clicks on the box's own area; its controls take their own clicks.
  new EventHook(widget_, this, [this](QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
      FireEvent(OnClick, this);
    return false;
  });
}

QGroupBox* TGroupBox::group() const { return static_cast<QGroupBox*>(widget_); }
std::string TGroupBox::Caption() const { return StdStr(group()->title()); }
void TGroupBox::SetCaption(const std::string& caption) { group()->setTitle(QStr(caption)); }
void TGroupBox::Click() { FireEvent(OnClick, this); }

void TPanel::SetFlat(bool flat) {
  static_cast<QFrame*>(widget_)->setFrameStyle(flat ? QFrame::NoFrame : QFrame::Panel | QFrame::Raised);
}

TPanel::TPanel(TWinControl* parent, const std::string& caption)
    : TWinControl(parent, new QFrame), caption_(new QLabel(widget_)) {
  static_cast<QFrame*>(widget_)->setFrameStyle(QFrame::Panel | QFrame::Raised);
  caption_->setAlignment(Qt::AlignCenter);
  SetCaption(caption);
  new EventHook(widget_, this, [this](QEvent* event) {
    if (event->type() == QEvent::Resize) caption_->setGeometry(widget_->rect());
    return false;
  });
}

std::string TPanel::Caption() const { return StdStr(caption_->text()); }
void TPanel::SetCaption(const std::string& caption) { caption_->setText(QStr(caption)); }
void TPanel::SetColor(TColor color) {
  color_ = color;
  QPalette palette = widget_->palette();
  palette.setColor(QPalette::Window, ToQColor(color));
  widget_->setPalette(palette);
  widget_->setAutoFillBackground(true);
}

// ---- TProgressBar

TProgressBar::TProgressBar(TWinControl* parent) : TControl(parent, new QProgressBar) {
  bar()->setRange(0, 100);
  bar()->setValue(0);
}
QProgressBar* TProgressBar::bar() const { return static_cast<QProgressBar*>(widget_); }
int TProgressBar::Position() const { return bar()->value(); }
void TProgressBar::SetPosition(int position) { bar()->setValue(std::clamp(position, bar()->minimum(), bar()->maximum())); }
void TProgressBar::SetRange(int min, int max) { bar()->setRange(min, max); }
int TProgressBar::Min() const { return bar()->minimum(); }
int TProgressBar::Max() const { return bar()->maximum(); }
