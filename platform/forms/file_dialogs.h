#pragma once
// Open and save dialogs; the file name is kept between uses.
#include <string>

#include "platform/forms/component.h"

class TOpenDialog : public TComponent {
 public:
  explicit TOpenDialog(TComponent* owner) : TComponent(owner) {}
  std::string InitialDir;
  std::string Filter;  // "Name|*.ext|Other|*.*"
  int FilterIndex = 1;
  std::string FileName;
  // True when the user chose a file; FileName then holds it.
  bool Execute();

 protected:
  bool save_ = false;
};

class TSaveDialog : public TOpenDialog {
 public:
  explicit TSaveDialog(TComponent* owner) : TOpenDialog(owner) { save_ = true; }
};
