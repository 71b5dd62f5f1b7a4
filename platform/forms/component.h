#pragma once
// Components and controls: the base classes of everything a form holds.
// A component is owned by its owner (Qt parent-child of QObjects); a control
// wraps one Qt widget that lives in its parent control's client area.
#include <QObject>
#include <exception>
#include <functional>
#include <string>
#include <utility>

#include "platform/forms/graphics.h"
#include "platform/forms/tobject.h"

class QWidget;
class TWinControl;

using TKeyEvent = std::function<void(TObject* Sender, int& Key, TShiftState Shift)>;

// Reports an exception that escaped an event handler; the program goes on.
void ReportHandlerException(std::exception_ptr error);

// Calls an event handler when one is set; an exception it throws is reported
// in a message box, as the class library reports it, instead of unwinding
// through the event loop.
template <class F, class... Args>
void FireEvent(const F& handler, Args&&... args) {
  if (!handler) return;
  try {
    handler(std::forward<Args>(args)...);
  } catch (...) {
    ReportHandlerException(std::current_exception());
  }
}

class TComponent : public QObject, public TObject {
 public:
  explicit TComponent(TComponent* owner);
  std::string Name() const { return objectName().toStdString(); }
  void SetName(const std::string& name) { setObjectName(QString::fromStdString(name)); }
  int Tag = 0;
};

// The component of `owner` (or of its components) named `name` and of type
// T, or nullptr, as the class library's FindComponent finds it.
template <class T>
T* FindComponent(const QObject* owner, const std::string& name) {
  if (owner == nullptr) return nullptr;
  const QString wanted = QString::fromStdString(name);
  // Our classes carry no meta-object of their own, so the type is checked with dynamic_cast.
  for (QObject* child : owner->findChildren<QObject*>(wanted))
    if (T* component = dynamic_cast<T*>(child)) return component;
  return nullptr;
}

class TControl : public TComponent {
 public:
  TControl(TWinControl* parent, QWidget* widget);

  QWidget* Widget() const { return widget_; }
  TWinControl* Parent() const { return parent_; }

  bool Visible() const { return visible_; }
  virtual void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);

  void SetBounds(int left, int top, int width, int height);
  int Left() const;
  int Top() const;
  int Width() const;
  int Height() const;

  TFont& Font() { return font_; }
  std::string Hint() const;
  void SetHint(const std::string& hint);
  void SetFocus();
  bool Focused() const;
  // Paints the control now, inside a long handler.
  void Repaint();

 protected:
  QWidget* widget_;
  TWinControl* parent_;
  TFont font_;
  bool visible_ = true;
  bool enabled_ = true;
};

// A control that holds other controls.
class TWinControl : public TControl {
 public:
  using TControl::TControl;
  // Widget in which child controls are placed.
  virtual QWidget* ClientWidget() const { return widget_; }
};

QString QStr(const std::string& text);
std::string StdStr(const QString& text);
