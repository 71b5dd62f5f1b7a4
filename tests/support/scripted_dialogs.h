#pragma once
// Answers the program's message boxes and file dialogs from a script and logs
// every box shown. A box or dialog with no scripted answer fails the running
// test at once and returns (OK, No, or no file) instead of waiting for a user.
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/forms/dialogs.h"

class ScriptedDialogs final : public DialogService {
 public:
  struct Box {
    MessageBoxRequest request;
    int answer;
  };

  ScriptedDialogs();
  ~ScriptedDialogs() override;  // uninstalls itself

  // The next box gets `answer` (IDOK, IDYES, IDNO, IDCANCEL).
  void Answer(int answer);
  // The next file dialog chooses `path` (nullopt: the user cancels).
  void ChooseFile(std::optional<std::string> path);

  const std::vector<Box>& Boxes() const { return boxes_; }
  const std::vector<FileDialogRequest>& FileDialogs() const { return file_dialogs_; }
  size_t PendingAnswers() const { return answers_.size() + files_.size(); }

  int ShowMessageBox(const MessageBoxRequest& request) override;
  bool ExecuteFileDialog(FileDialogRequest& request) override;

 private:
  std::deque<int> answers_;
  std::deque<std::optional<std::string>> files_;
  std::vector<Box> boxes_;
  std::vector<FileDialogRequest> file_dialogs_;
};
