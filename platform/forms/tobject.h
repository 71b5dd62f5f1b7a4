#pragma once
// Root of the form and control classes, and the shapes of their event handlers.
#include <functional>
#include <string>

class TObject {
 public:
  virtual ~TObject() = default;
};

using TNotifyEvent = std::function<void(TObject* Sender)>;

// Binds a method with a sender argument as an event handler:
//   Button9->OnClick = Handler(this, &TForm1::Button9Click);
template <class C, class... Args>
std::function<void(Args...)> Handler(C* object, void (C::*method)(Args...)) {
  return [object, method](Args... args) { (object->*method)(args...); };
}
