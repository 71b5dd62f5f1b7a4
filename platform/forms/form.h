#pragma once
// A window of the program. Forms are created hidden and live until the
// program ends; Close hides a secondary form and ends the program for the
// main one.
#include <functional>
#include <memory>
#include <string>

#include "platform/forms/component.h"

class QMainWindow;
class QMenuBar;
class QStatusBar;
class FormWindow;

constexpr int mrNone = 0;
constexpr int mrOk = 1;
constexpr int mrCancel = 2;
constexpr int mrYes = 6;
constexpr int mrNo = 7;

enum class TCloseAction { caNone, caHide, caFree, caMinimize };
enum class TPosition { poDesigned, poScreenCenter, poDesktopCenter, poMainFormCenter };

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;

class TForm : public TWinControl {
 public:
  TForm();
  ~TForm() override;

  QWidget* ClientWidget() const override;

  std::string Caption() const;
  void SetCaption(const std::string& caption);
  // The window's outer size, frame and caption included, as form data give
  // it; the frame is the platform's once the window is shown, a nominal one
  // before that and where the platform draws none.
  void SetSize(int width, int height);
  // The size the window takes with the frame that its sizing assumed.
  QSize OuterSize() const;
  void SetClientSize(int width, int height);
  TPosition Position = TPosition::poDesigned;

  void SetVisible(bool visible) override;
  void Show();
  void Hide();
  // Shows the form modally; returns its modal result when it is hidden or
  // a control has set one.
  int ShowModal();
  bool Modal() const { return modal_; }
  // Hides a secondary form, or ends the program for the main form, after
  // the close handler has agreed.
  void Close();
  int ModalResult = mrNone;

  // Makes this the program's active window, as a user's click on it does.
  void Activate();
  bool Active() const;

  TNotifyEvent OnActivate;
  TNotifyEvent OnShow;
  TCloseEvent OnClose;
  TKeyEvent OnKeyDown;

  QMainWindow* Window() const;
  QMenuBar* MenuBar() const;
  void SetStatusBar(QStatusBar* bar);

 private:
  friend class FormWindow;
  void DoActivate();
  bool DoClose();  // false when the close handler refused
  void PlaceOnShow();
  // Sizes the window so that it and its frame take the outer size; again
  // whenever the platform's frame turns out other than assumed.
  void ApplyOuterSize();
  void FitToFrame();

  int outer_width_ = 0;
  int outer_height_ = 0;
  int frame_width_ = 0;   // frame and caption that the last sizing assumed
  int frame_height_ = 0;

  QWidget* client_;
  bool modal_ = false;
  bool was_active_ = false;
};
