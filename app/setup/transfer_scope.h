#pragma once
// The guard of the set-up editor's transfers.
#include <vector>

#include "app/setup/setup_editor.h"

// Marks a transfer as running for its whole life and disables the buttons
// that would start another one, restoring their states at the end. The
// button that held the keyboard focus gets it back, so that the focus never
// rests on another button (a key press on "Default-Setup -> VD417" would
// overwrite the device's set-up).
class TForm3::TransferScope {
 public:
  explicit TransferScope(TForm3& editor) : editor_(editor), buttons_(editor.TransferButtons()) {
    editor_.transferRunning_ = true;
    for (TButton* button : buttons_) {
      enabled_.push_back(button->Enabled());
      if (button->Focused()) focused_ = button;
      button->SetEnabled(false);
    }
  }
  ~TransferScope() {
    for (size_t i = 0; i < buttons_.size(); ++i) buttons_[i]->SetEnabled(enabled_[i]);
    if (focused_ != nullptr && focused_->Enabled()) focused_->SetFocus();
    editor_.transferRunning_ = false;
  }
  TransferScope(const TransferScope&) = delete;
  TransferScope& operator=(const TransferScope&) = delete;

 private:
  TForm3& editor_;
  std::vector<TButton*> buttons_;
  std::vector<bool> enabled_;
  TButton* focused_ = nullptr;
};
