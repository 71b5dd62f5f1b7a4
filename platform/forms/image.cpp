#include "platform/forms/image.h"

#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>

#include "platform/forms/event_hook.h"
#include "platform/forms/jpeg_decoder.h"
#include "platform/forms/keys.h"

namespace {

TMouseButton ButtonOf(Qt::MouseButton button) {
  switch (button) {
    case Qt::RightButton: return TMouseButton::mbRight;
    case Qt::MiddleButton: return TMouseButton::mbMiddle;
    default: return TMouseButton::mbLeft;
  }
}

bool EndsWithNoCase(const std::string& text, const std::string& suffix) {
  if (text.size() < suffix.size()) return false;
  for (size_t i = 0; i < suffix.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(text[text.size() - suffix.size() + i])) != suffix[i]) return false;
  return true;
}

}  // namespace

TImage::TImage(TWinControl* parent) : TControl(parent, new QLabel) {
  new EventHook(widget_, this, [this](QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
      auto* mouse = static_cast<QMouseEvent*>(event);
      const QPoint at = mouse->position().toPoint();
      MouseDown(ButtonOf(mouse->button()), ShiftOf(mouse->modifiers(), mouse->buttons()), at.x(), at.y());
    } else if (event->type() == QEvent::MouseButtonRelease) {
      FireEvent(OnClick, this);
    } else if (event->type() == QEvent::MouseButtonDblClick) {
      FireEvent(OnDblClick, this);
    }
    return false;
  });
}

QLabel* TImage::label() const { return static_cast<QLabel*>(widget_); }

void TImage::LoadFromFile(const std::string& path) {
  if (EndsWithNoCase(path, ".jpg") || EndsWithNoCase(path, ".jpeg")) {
    SetPicture(DecodeJpegFile(path));
    return;
  }
  QImage image(QStr(path));
  if (image.isNull()) throw std::runtime_error("cannot load picture " + path);
  SetPicture(image);
}

void TImage::SetPicture(const QImage& image) { label()->setPixmap(QPixmap::fromImage(image)); }
bool TImage::HasPicture() const { return !label()->pixmap().isNull(); }
void TImage::SetStretch(bool stretch) { label()->setScaledContents(stretch); }

void TImage::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  FireEvent(OnMouseDown, this, button, shift, x, y);
}
