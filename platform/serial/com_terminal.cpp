#include "platform/serial/com_terminal.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QPaintEvent>
#include <QPainter>
#include <QVBoxLayout>
#include <QWidget>

#include "platform/forms/ui_language.h"
#include "platform/serial/com_port.h"

struct TComTerminal::View {
  TerminalScreen screen{kColumns, kRows};
  QWidget* widget = nullptr;
};

namespace {

class TerminalWidget : public QWidget {
 public:
  explicit TerminalWidget(const TerminalScreen* screen) : screen_(screen) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    font_ = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    // The grid fills the control: the cell is the control's size by columns and rows.
    const double cellWidth = static_cast<double>(width()) / screen_->Columns();
    const double cellHeight = static_cast<double>(height()) / screen_->Rows();
    QFont font = font_;
    font.setPixelSize(std::max(6, static_cast<int>(cellHeight)));
    // Narrowed where the cell is narrower than the font's characters.
    const double advance = QFontMetricsF(font).horizontalAdvance('M');
    if (advance > cellWidth) font.setStretch(std::max(50, static_cast<int>(100.0 * cellWidth / advance)));
    painter.setFont(font);
    painter.setPen(Qt::white);
    const double ascent = QFontMetricsF(font).ascent();
    for (int row = 0; row < screen_->Rows(); ++row) {
      const std::string line = screen_->Line(row);
      const double y = row * cellHeight + ascent;
      for (size_t column = 0; column < line.size(); ++column)
        if (line[column] != ' ')
          painter.drawText(QPointF(static_cast<double>(column) * cellWidth, y), QString(QLatin1Char(line[column])));
    }
  }

 private:
  const TerminalScreen* screen_;
  QFont font_;
};

}  // namespace

TComTerminal::TComTerminal(TWinControl* parent) : TComTerminal(parent, std::make_shared<View>()) {}

// The view is made before the widget that paints it.
TComTerminal::TComTerminal(TWinControl* parent, std::shared_ptr<View> view)
    : TControl(parent, new TerminalWidget(&view->screen)), view_(std::move(view)) {
  view_->widget = widget_;
  SetEnabled(false);  // shows what arrives, takes no input
}

TComTerminal::~TComTerminal() = default;

void TComTerminal::SetComPort(TComPort* port) {
  if (port_ != nullptr) port_->OnRxData = nullptr;
  port_ = port;
  if (port_ == nullptr) return;
  std::weak_ptr<View> view = view_;
  port_->OnRxData = [view](const unsigned char* data, int count) {
    if (auto v = view.lock()) {
      v->screen.Feed(std::span<const uint8_t>(data, static_cast<size_t>(count)));
      v->widget->update();
    }
  };
}

void TComTerminal::Write(std::span<const unsigned char> bytes) {
  view_->screen.Feed(bytes);
  widget_->update();
}

void TComTerminal::ClearScreen() {
  view_->screen.Clear();
  widget_->update();
}

const TerminalScreen& TComTerminal::Screen() const { return view_->screen; }

bool TComTerminal::ShowSetupDialog() {
  const auto text = [](std::string_view german, std::string_view english) {
    const std::string_view chosen = UiText(german, english);
    return QString::fromUtf8(chosen.data(), static_cast<qsizetype>(chosen.size()));
  };
  QDialog dialog(widget_->window());
  dialog.setWindowTitle("Terminal");
  auto* layout = new QVBoxLayout(&dialog);
  auto* wrap = new QCheckBox(text("Zeilenumbruch am Zeilenende", "Wrap lines at the right edge"), &dialog);
  wrap->setChecked(view_->screen.WrapLines);
  auto* lf = new QCheckBox(text("LF als neue Zeile (CR+LF)", "LF as new line (CR+LF)"), &dialog);
  lf->setChecked(view_->screen.NewLineOnLf);
  auto* hex = new QCheckBox(text("Nicht druckbare Zeichen hexadezimal anzeigen", "Show unprintable bytes in hex"),
                            &dialog);
  hex->setChecked(view_->screen.UnprintableAsHex);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout->addWidget(wrap);
  layout->addWidget(lf);
  layout->addWidget(hex);
  layout->addWidget(buttons);
  if (dialog.exec() != QDialog::Accepted) return false;
  view_->screen.WrapLines = wrap->isChecked();
  view_->screen.NewLineOnLf = lf->isChecked();
  view_->screen.UnprintableAsHex = hex->isChecked();
  return true;
}
