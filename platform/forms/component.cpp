#include "platform/forms/component.h"

#include <QWidget>

#include "platform/forms/application.h"

QString QStr(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }
std::string StdStr(const QString& text) { return text.toStdString(); }

void ReportHandlerException(std::exception_ptr error) {
  if (Application != nullptr) Application->ShowException(error);
}

TComponent::TComponent(TComponent* owner) : QObject(owner) {}

TControl::TControl(TWinControl* parent, QWidget* widget)
    : TComponent(parent), widget_(widget), parent_(parent), font_(widget) {
  if (parent != nullptr) widget_->setParent(parent->ClientWidget());
}

void TControl::SetVisible(bool visible) {
  visible_ = visible;
  widget_->setVisible(visible);
}

void TControl::SetEnabled(bool enabled) {
  enabled_ = enabled;
  // A control that is disabled while it holds the focus takes it with it:
  // the focus does not move on to the next control, where a key press
  // would act on a button the user never chose.
  if (!enabled) {
    QWidget* focused = widget_->window()->focusWidget();
    if (focused != nullptr && (focused == widget_ || widget_->isAncestorOf(focused))) focused->clearFocus();
  }
  widget_->setEnabled(enabled);
}

void TControl::SetBounds(int left, int top, int width, int height) {
  widget_->setGeometry(left, top, width, height);
}

int TControl::Left() const { return widget_->x(); }
int TControl::Top() const { return widget_->y(); }
int TControl::Width() const { return widget_->width(); }
int TControl::Height() const { return widget_->height(); }

std::string TControl::Hint() const { return StdStr(widget_->toolTip()); }
void TControl::SetHint(const std::string& hint) { widget_->setToolTip(QStr(hint)); }

void TControl::SetFocus() { widget_->setFocus(Qt::OtherFocusReason); }
bool TControl::Focused() const { return widget_->hasFocus(); }

void TControl::Repaint() {
  if (widget_->isVisible()) widget_->repaint();
}
