#include "platform/forms/status_bar.h"

#include <QPainter>
#include <QStatusBar>
#include <algorithm>

#include "platform/forms/form.h"

namespace {

class PanelBar final : public QStatusBar {
 public:
  explicit PanelBar(TStatusBar* owner) : owner_(owner) { setSizeGripEnabled(false); }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    owner_->PaintPanels(painter);
  }

 private:
  TStatusBar* owner_;
};

QRect ToQRect(const TRect& r) { return QRect(r.Left, r.Top, r.Width(), r.Height()); }

}  // namespace

void TCanvas::FillRect(const TRect& rect) { painter_->fillRect(ToQRect(rect), ToQColor(BrushColor)); }

void TCanvas::TextRect(const TRect& rect, int x, int y, const std::string& text) {
  painter_->save();
  painter_->setClipRect(ToQRect(rect));
  painter_->setPen(ToQColor(FontColor));
  const QFontMetrics metrics = painter_->fontMetrics();
  painter_->drawText(x, y + metrics.ascent(), QStr(text));
  painter_->restore();
}

TStatusBar::TStatusBar(TForm* form) : TControl(nullptr, nullptr) {
  setParent(form);
  widget_ = new PanelBar(this);
  font_ = TFont(widget_);
  form->SetStatusBar(static_cast<QStatusBar*>(widget_));
  widget_->setMinimumHeight(19);
}

TStatusPanel& TStatusBar::AddPanel(const std::string& text, int width) {
  auto panel = std::make_unique<TStatusPanel>();
  panel->Text = text;
  panel->Width = width;
  panel->Index = PanelCount();
  panels_.push_back(std::move(panel));
  widget_->update();
  return *panels_.back();
}

TStatusPanel& TStatusBar::Panel(int index) { return *panels_.at(static_cast<size_t>(index)); }

void TStatusBar::SetPanelText(int index, const std::string& text) {
  Panel(index).Text = text;
  widget_->update();
}

void TStatusBar::SetPanelStyle(int index, TStatusPanelStyle style) {
  Panel(index).Style = style;
  widget_->update();
}

TRect TStatusBar::PanelRect(int index) const {
  int left = 0;
  for (int i = 0; i < index; ++i) left += panels_[static_cast<size_t>(i)]->Width;
  int right = left + panels_.at(static_cast<size_t>(index))->Width;
  // The last panel reaches to the bar's right end.
  if (index == PanelCount() - 1) right = std::max(right, widget_->width());
  return TRect{left + 1, 2, right - 1, widget_->height() - 1};
}

void TStatusBar::PaintPanels(QPainter& painter) {
  TCanvas canvas(&painter);
  for (int i = 0; i < PanelCount(); ++i) {
    TStatusPanel& panel = Panel(i);
    const TRect rect = PanelRect(i);
    painter.setPen(Qt::gray);
    painter.drawRect(QRect(rect.Left - 1, rect.Top - 1, rect.Width() + 1, rect.Height() + 1));
    if (panel.Style == TStatusPanelStyle::psOwnerDraw) {
      canvas_ = &canvas;
      FireEvent(OnDrawPanel, this, &panel, rect);
      canvas_ = nullptr;
    } else {
      canvas.FontColor = clWindowText;
      canvas.TextRect(rect, rect.Left + 2, rect.Top + 1, panel.Text);
    }
  }
}
