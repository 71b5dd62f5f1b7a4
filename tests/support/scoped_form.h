#pragma once
// A window of the program made for a test: while it lives it stands in the
// program's global form variable (Form1, Form21, ...), as at run time.
#include <memory>

template <class T>
class ScopedForm {
 public:
  explicit ScopedForm(T*& global) : global_(global) { Renew(); }
  ~ScopedForm() { Drop(); }
  ScopedForm(const ScopedForm&) = delete;
  ScopedForm& operator=(const ScopedForm&) = delete;

  // A fresh window in place of the old one, as a new run of the program has it.
  void Renew() {
    Drop();
    form_ = std::make_unique<T>();
    global_ = form_.get();
  }
  void Drop() {
    global_ = nullptr;
    form_.reset();
  }

  T& operator*() const { return *form_; }
  T* operator->() const { return form_.get(); }

 private:
  T*& global_;
  std::unique_ptr<T> form_;
};
