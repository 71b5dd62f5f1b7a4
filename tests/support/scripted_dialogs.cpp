#include "tests/support/scripted_dialogs.h"

#include <gtest/gtest.h>

ScriptedDialogs::ScriptedDialogs() { InstallDialogService(this); }
ScriptedDialogs::~ScriptedDialogs() { InstallDialogService(nullptr); }

void ScriptedDialogs::Answer(int answer) { answers_.push_back(answer); }
void ScriptedDialogs::ChooseFile(std::optional<std::string> path) { files_.push_back(std::move(path)); }

int ScriptedDialogs::ShowMessageBox(const MessageBoxRequest& request) {
  int answer;
  if (answers_.empty()) {
    ADD_FAILURE() << "unscripted message box \"" << request.title << "\": \"" << request.text << "\"";
    answer = request.buttons == BoxButtons::YesNo ? IDNO : IDOK;
  } else {
    answer = answers_.front();
    answers_.pop_front();
  }
  boxes_.push_back({request, answer});
  return answer;
}

bool ScriptedDialogs::ExecuteFileDialog(FileDialogRequest& request) {
  file_dialogs_.push_back(request);
  if (files_.empty()) {
    ADD_FAILURE() << "unscripted file dialog (filter \"" << request.filter << "\")";
    return false;
  }
  const std::optional<std::string> path = files_.front();
  files_.pop_front();
  if (!path) return false;
  request.file_name = *path;
  return true;
}
