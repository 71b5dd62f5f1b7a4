#pragma once
// The application object: creates the forms in order (the first is the main
// window), runs the message loop until the main window closes, and reports
// exceptions that escape event handlers.
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "platform/forms/form.h"

class QApplication;

class TApplication {
 public:
  TApplication(int& argc, char** argv);
  ~TApplication();
  TApplication(const TApplication&) = delete;
  TApplication& operator=(const TApplication&) = delete;

  // Creates a form and stores it in `variable`; the first form is the main window.
  template <class T>
  void CreateForm(T*& variable) {
    auto form = std::make_unique<T>();
    variable = form.get();
    Adopt(std::move(form));
  }

  // Shows the main window and handles messages until it closes.
  void Run();
  // Handles the waiting messages once and returns.
  void ProcessMessages();
  void Terminate();
  bool Terminated() const { return terminated_; }

  TForm* MainForm() const { return forms_.empty() ? nullptr : forms_.front().get(); }
  std::vector<TForm*> Forms() const;
  // Path of the program file, as the first command-line item gives it.
  std::string ExeName() const { return exe_name_; }

  std::string Title;
  void ShowException(std::exception_ptr error);

 private:
  void Adopt(std::unique_ptr<TForm> form);

  std::unique_ptr<QApplication> qt_;
  std::vector<std::unique_ptr<TForm>> forms_;
  std::string exe_name_;
  bool terminated_ = false;
};

// The one application object of the program, set while it exists.
extern TApplication* Application;
