#include "platform/forms/graphics.h"

#include <QApplication>
#include <QColor>
#include <QFont>
#include <QPalette>
#include <QWidget>

QColor ToQColor(TColor color) {
  if (color & 0x80000000u) {
    const QPalette palette = QApplication::palette();
    switch (color) {
      case clBtnFace: return palette.color(QPalette::Button);
      case clWindowText: return palette.color(QPalette::WindowText);
      case clWindow: return palette.color(QPalette::Base);
      default: return palette.color(QPalette::Window);
    }
  }
  return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                static_cast<int>((color >> 16) & 0xFF));
}

QFont FormFont() {
  QFont font = QApplication::font();
  font.setFamilies({"Liberation Sans", "Arimo", "Arial", "Helvetica", font.family()});
  font.setPixelSize(11);
  return font;
}

void TFont::SetColor(TColor color) {
  color_ = color;
  QPalette palette = widget_->palette();
  const QColor c = ToQColor(color);
  palette.setColor(QPalette::WindowText, c);
  palette.setColor(QPalette::Text, c);
  palette.setColor(QPalette::ButtonText, c);
  widget_->setPalette(palette);
}

void TFont::SetHeight(int pixels) {
  QFont font = widget_->font();
  font.setPixelSize(pixels);
  widget_->setFont(font);
}

void TFont::SetBold(bool bold) {
  QFont font = widget_->font();
  font.setBold(bold);
  widget_->setFont(font);
}

bool TFont::Bold() const { return widget_->font().bold(); }
