#pragma once
// Makes a control of a window's layout: named, placed and sized as the form data give it.
#include <utility>

#include "platform/forms/forms.h"

template <class T, class... Args>
T* PlaceControl(TWinControl* parent, const char* name, int left, int top, int width, int height, Args&&... args) {
  auto* control = new T(parent, std::forward<Args>(args)...);
  control->SetName(name);
  control->SetBounds(left, top, width, height);
  return control;
}
