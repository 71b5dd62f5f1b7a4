#pragma once
// The one step that puts a control into a window's layout: the control gets
// its name (the name its handlers and tests find it by) and the bounds the
// form data give it.
#include <utility>

#include "platform/forms/forms.h"

// Names and places a control already made; a name of nullptr leaves the
// control unnamed (range and unit texts, frames).
template <class T>
T* NameAndPlace(T* control, const char* name, int left, int top, int width, int height) {
  if (name != nullptr) control->SetName(name);
  control->SetBounds(left, top, width, height);
  return control;
}

// Makes a control on parent (args go to its constructor after the parent) and
// names and places it.
template <class T, class... Args>
T* PlaceControl(TWinControl* parent, const char* name, int left, int top, int width, int height, Args&&... args) {
  return NameAndPlace(new T(parent, std::forward<Args>(args)...), name, left, top, width, height);
}
