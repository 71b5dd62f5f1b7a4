#include "tests/support/layout_checks.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>
#include <algorithm>

#include "platform/forms/form.h"
#include "platform/forms/page_control.h"
#include "platform/forms/status_bar.h"
#include "tests/support/screenshot.h"

namespace {

// Shown when it and every control it lies in are visible.
bool Shown(const TControl* control) {
  for (const TControl* c = control; c != nullptr; c = c->Parent())
    if (!c->Visible()) return false;
  return true;
}

std::vector<const TControl*> ShownControls(const TForm& form) {
  std::vector<const TControl*> controls;
  for (const QObject* object : form.findChildren<QObject*>())
    if (const auto* control = dynamic_cast<const TControl*>(object); control != nullptr && Shown(control))
      controls.push_back(control);
  return controls;
}

std::string NameOf(const TControl* control) {
  const std::string name = control->Name();
  return name.empty() ? std::string("(unnamed ") + control->Widget()->metaObject()->className() + ")" : name;
}

int TextWidth(const QWidget* widget, QString text) {
  text.remove('&');
  return QFontMetrics(widget->font()).horizontalAdvance(text);
}

// Room the caption needs beyond its text, and the caption; -1 when the
// control has no caption to check.
std::pair<int, QString> CaptionNeed(const QWidget* w) {
  if (const auto* b = qobject_cast<const QPushButton*>(w)) return {TextWidth(b, b->text()) + 6, b->text()};
  if (const auto* b = qobject_cast<const QCheckBox*>(w)) return {b->sizeHint().width(), b->text()};
  if (const auto* b = qobject_cast<const QRadioButton*>(w)) return {b->sizeHint().width(), b->text()};
  if (const auto* g = qobject_cast<const QGroupBox*>(w)) return {TextWidth(g, g->title()) + 12, g->title()};
  if (const auto* l = qobject_cast<const QLabel*>(w); l != nullptr && !l->wordWrap() && l->pixmap().isNull())
    return {TextWidth(l, l->text()) + 2 * l->margin(), l->text()};
  if (const auto* c = qobject_cast<const QComboBox*>(w)) return {TextWidth(c, c->currentText()) + 24, c->currentText()};
  return {-1, {}};
}

void CheckCaption(const TControl* control, std::vector<std::string>& defects) {
  const QWidget* w = control->Widget();
  const auto [need, text] = CaptionNeed(w);
  if (need < 0 || text.isEmpty() || need <= w->width()) return;
  defects.push_back(NameOf(control) + " cuts \"" + text.toStdString() + "\": needs " + std::to_string(need) +
                    " px, has " + std::to_string(w->width()));
}

void CheckStatusBar(const TStatusBar* bar, std::vector<std::string>& defects) {
  const QWidget* w = bar->Widget();
  for (int i = 0; i < bar->PanelCount(); ++i) {
    const TRect rect = bar->PanelRect(i);
    const std::string& text = bar->Panel(i).Text;
    // Text panels start their text 2 pixels in; the program draws its own
    // panels from their left edge.
    const int inset = bar->Panel(i).Style == TStatusPanelStyle::psText ? 3 : 0;
    const int need = TextWidth(w, QString::fromStdString(text)) + inset;
    if (need > rect.Width())
      defects.push_back(NameOf(bar) + " panel " + std::to_string(i) + " cuts \"" + text + "\": needs " +
                        std::to_string(need) + " px, has " + std::to_string(rect.Width()));
  }
  if (bar->PanelCount() > 0 && bar->PanelRect(bar->PanelCount() - 1).Right + 1 < w->width())
    defects.push_back(NameOf(bar) + " ends before the window's right edge");
}

void CheckInsideParent(const TControl* control, std::vector<std::string>& defects) {
  const QWidget* w = control->Widget();
  if (w->isWindow() || w->parentWidget() == nullptr || dynamic_cast<const TTabSheet*>(control) != nullptr) return;
  const QRect room = w->parentWidget()->rect();
  if (!room.contains(w->geometry()))
    defects.push_back(NameOf(control) + " reaches beyond the area of its parent (" +
                      std::to_string(w->geometry().bottom() + 1) + " > " + std::to_string(room.height()) + " or " +
                      std::to_string(w->geometry().right() + 1) + " > " + std::to_string(room.width()) + ")");
}

void CheckOverlaps(const std::vector<const TControl*>& controls, std::vector<std::string>& defects) {
  for (size_t i = 0; i < controls.size(); ++i)
    for (size_t j = i + 1; j < controls.size(); ++j) {
      const QWidget* a = controls[i]->Widget();
      const QWidget* b = controls[j]->Widget();
      if (a->parentWidget() != b->parentWidget() || a->isWindow() || b->isWindow()) continue;
      // The pages of a page control lie on each other by design.
      if (dynamic_cast<const TTabSheet*>(controls[i]) != nullptr) continue;
      if (a->geometry().intersects(b->geometry()))
        defects.push_back(NameOf(controls[i]) + " overlaps " + NameOf(controls[j]));
    }
}

}  // namespace

std::vector<std::string> LayoutDefects(const TForm& form) {
  std::vector<std::string> defects;
  const std::vector<const TControl*> controls = ShownControls(form);
  for (const TControl* control : controls) {
    if (const auto* bar = dynamic_cast<const TStatusBar*>(control)) {
      CheckStatusBar(bar, defects);
      continue;
    }
    CheckCaption(control, defects);
    CheckInsideParent(control, defects);
  }
  CheckOverlaps(controls, defects);
  return defects;
}

int EmptyBandBelow(const TForm& form) {
  const QWidget* client = form.ClientWidget();
  int bottom = 0;
  for (const TControl* control : ShownControls(form))
    if (control->Widget()->parentWidget() == client) bottom = std::max(bottom, control->Widget()->geometry().bottom() + 1);
  return client->height() - bottom;
}

void WithDesktopFonts(const std::function<void(const std::string& suffix)>& render) {
  const QFont desktop = QApplication::font();
  render("");
  QFont large = desktop;
  large.setPointSize(12);
  QApplication::setFont(large);
  render("_12pt");
  QApplication::setFont(desktop);
}

void ScreenshotWithLayoutChecks(TForm& form, const std::string& name, int maxEmptyBand) {
  form.Show();
  SaveScreenshot(form, name);
  for (const std::string& defect : LayoutDefects(form)) ADD_FAILURE() << name << ": " << defect;
  EXPECT_LE(EmptyBandBelow(form), maxEmptyBand) << name;
  form.Hide();
}
