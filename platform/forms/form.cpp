#include "platform/forms/form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QWindow>
#include <algorithm>

#include "platform/forms/application.h"
#include "platform/forms/keys.h"

// The Qt window behind a form: forwards activation, close and keys.
class FormWindow final : public QMainWindow {
 public:
  explicit FormWindow(TForm* form) : form_(form) {}
  // The form is going: the window reports nothing to it any more.
  void Detach() { form_ = nullptr; }

 protected:
  void changeEvent(QEvent* event) override {
    if (form_ != nullptr && event->type() == QEvent::ActivationChange) {
      if (!isActiveWindow()) form_->was_active_ = false;
      else if (!form_->was_active_) form_->DoActivate();
    }
    QMainWindow::changeEvent(event);
  }

  void closeEvent(QCloseEvent* event) override {
    // The close box: the form decides, as Close() does.
    event->ignore();
    if (form_ != nullptr) form_->Close();
  }

  // The window manager frames the window after it is shown.
  void showEvent(QShowEvent* event) override {
    if (form_ != nullptr) form_->FitToFrame();
    QMainWindow::showEvent(event);
  }

  void moveEvent(QMoveEvent* event) override {
    if (form_ != nullptr) form_->FitToFrame();
    QMainWindow::moveEvent(event);
  }

  void keyPressEvent(QKeyEvent* event) override {
    if (form_ != nullptr && form_->OnKeyDown) {
      int key = VirtualKey(event);
      FireEvent(form_->OnKeyDown, form_, key, ShiftOf(event->modifiers()));
    }
    QMainWindow::keyPressEvent(event);
  }

 private:
  TForm* form_;
};

namespace {

QMainWindow* MakeWindow(TForm* form) {
  auto* window = new FormWindow(form);
  window->setAttribute(Qt::WA_DeleteOnClose, false);
  // Every window in the font its layout was made for, whatever the desktop's.
  window->setFont(FormFont());
  return window;
}

// Frame and caption of a window where the platform does not report them
// (before the window is shown, or without a window manager).
constexpr int kNominalBorder = 4;
constexpr int kNominalCaption = 23;

QMargins FrameOf(const QWidget* window) {
  if (const QWindow* handle = window->windowHandle(); handle != nullptr && window->isVisible()) {
    // A frame without a caption above the window is none the window manager
    // draws for it (offscreen, or before the window is framed).
    const QMargins margins = handle->frameMargins();
    if (margins.top() > margins.left()) return margins;
  }
  return {kNominalBorder, kNominalBorder + kNominalCaption, kNominalBorder, kNominalBorder};
}

}  // namespace

TForm::TForm() : TWinControl(nullptr, MakeWindow(this)), client_(new QWidget) {
  Window()->setCentralWidget(client_);
  visible_ = false;
}

TForm::~TForm() {
  // Controls go first, while their widgets still exist; then the window.
  const auto children = this->children();
  for (QObject* child : children) delete child;
  static_cast<FormWindow*>(widget_)->Detach();
  delete widget_;
}

QWidget* TForm::ClientWidget() const { return client_; }
QMainWindow* TForm::Window() const { return static_cast<QMainWindow*>(widget_); }
QMenuBar* TForm::MenuBar() const { return Window()->menuBar(); }
void TForm::SetStatusBar(QStatusBar* bar) { Window()->setStatusBar(bar); }

std::string TForm::Caption() const { return StdStr(widget_->windowTitle()); }
void TForm::SetCaption(const std::string& caption) { widget_->setWindowTitle(QStr(caption)); }
void TForm::SetSize(int width, int height) {
  outer_width_ = width;
  outer_height_ = height;
  ApplyOuterSize();
}

void TForm::ApplyOuterSize() {
  if (outer_width_ <= 0 || outer_height_ <= 0) return;
  const QMargins frame = FrameOf(widget_);
  frame_width_ = frame.left() + frame.right();
  frame_height_ = frame.top() + frame.bottom();
  widget_->resize(std::max(1, outer_width_ - frame_width_), std::max(1, outer_height_ - frame_height_));
}

QSize TForm::OuterSize() const { return widget_->size() + QSize(frame_width_, frame_height_); }

void TForm::FitToFrame() {
  if (outer_width_ <= 0) return;
  const QMargins frame = FrameOf(widget_);
  if (frame.left() + frame.right() != frame_width_ || frame.top() + frame.bottom() != frame_height_) ApplyOuterSize();
}

void TForm::SetClientSize(int width, int height) { client_->setMinimumSize(width, height); }

void TForm::PlaceOnShow() {
  QRect target;
  if (Position == TPosition::poScreenCenter || Position == TPosition::poDesktopCenter) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) target = screen->availableGeometry();
  } else if (Position == TPosition::poMainFormCenter && Application != nullptr && Application->MainForm() != nullptr &&
             Application->MainForm() != this) {
    target = Application->MainForm()->Widget()->frameGeometry();
  }
  if (!target.isNull()) {
    QRect frame = widget_->frameGeometry();
    frame.moveCenter(target.center());
    widget_->move(frame.topLeft());
  }
}

void TForm::SetVisible(bool visible) {
  if (visible) Show();
  else Hide();
}

void TForm::Show() {
  const bool was_visible = widget_->isVisible();
  visible_ = true;
  if (!was_visible) {
    ApplyOuterSize();
    PlaceOnShow();
  }
  widget_->show();
  widget_->raise();
  widget_->activateWindow();
  if (!was_visible) {
    FireEvent(OnShow, this);
    // A window that still has the platform's focus from its last showing
    // gets no activation change from the platform: it is made the active
    // window once the showing has been handled.
    QTimer::singleShot(0, widget_, [this] {
      if (!visible_ || was_active_) return;
      QWindow* handle = widget_->windowHandle();
      if (!widget_->isActiveWindow() && handle != nullptr && QGuiApplication::focusWindow() == handle)
        QApplication::setActiveWindow(widget_);
      if (!was_active_ && widget_->isActiveWindow()) DoActivate();
    });
  }
}

void TForm::Hide() {
  visible_ = false;
  was_active_ = false;
  widget_->hide();
}

int TForm::ShowModal() {
  ModalResult = mrNone;
  modal_ = true;
  widget_->setWindowModality(Qt::ApplicationModal);
  Show();
  QEventLoop loop;
  while (ModalResult == mrNone && visible_ && !(Application != nullptr && Application->Terminated()))
    loop.processEvents(QEventLoop::WaitForMoreEvents);
  Hide();
  widget_->setWindowModality(Qt::NonModal);
  modal_ = false;
  return ModalResult;
}

void TForm::Close() {
  if (!DoClose()) return;
  if (modal_ && ModalResult == mrNone) ModalResult = mrCancel;
  Hide();
  if (Application != nullptr && Application->MainForm() == this) Application->Terminate();
}

bool TForm::DoClose() {
  TCloseAction action = TCloseAction::caHide;
  FireEvent(OnClose, this, action);
  return action != TCloseAction::caNone;
}

void TForm::Activate() {
  if (!widget_->isVisible()) Show();
  widget_->raise();
  widget_->activateWindow();
  QCoreApplication::processEvents();
  // Platforms without a window manager may not report activation at all.
  if (!was_active_) DoActivate();
}

bool TForm::Active() const { return widget_->isActiveWindow() || was_active_; }

void TForm::DoActivate() {
  was_active_ = true;
  FireEvent(OnActivate, this);
}
