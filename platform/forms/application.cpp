#include "platform/forms/application.h"

#include <QApplication>
#include <QCoreApplication>
#include <stdexcept>

#include "platform/forms/dialogs.h"

TApplication* Application = nullptr;

TApplication::TApplication(int& argc, char** argv) {
  if (QCoreApplication::instance() == nullptr) qt_ = std::make_unique<QApplication>(argc, argv);
  // Secondary windows are hidden, not closed: only the main window ends the loop.
  QApplication::setQuitOnLastWindowClosed(false);
  exe_name_ = argc > 0 && argv != nullptr && argv[0] != nullptr ? argv[0] : "";
  Application = this;
}

TApplication::~TApplication() {
  // Forms go in the reverse order of their creation.
  while (!forms_.empty()) forms_.pop_back();
  if (Application == this) Application = nullptr;
}

void TApplication::Adopt(std::unique_ptr<TForm> form) { forms_.push_back(std::move(form)); }

std::vector<TForm*> TApplication::Forms() const {
  std::vector<TForm*> forms;
  for (const auto& form : forms_) forms.push_back(form.get());
  return forms;
}

void TApplication::Run() {
  terminated_ = false;
  if (TForm* main = MainForm()) main->Show();
  while (!terminated_) QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

void TApplication::ProcessMessages() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void TApplication::Terminate() {
  terminated_ = true;
  // Wakes a loop waiting for more events.
  QCoreApplication::postEvent(QCoreApplication::instance(), new QEvent(QEvent::None));
}

void TApplication::ShowException(std::exception_ptr error) {
  std::string text;
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    text = e.what();
  } catch (...) {
    text.clear();  // not a class-library exception: shown with an empty message
  }
  MessageBox(text, Title, MB_OK | MB_ICONERROR);
}
