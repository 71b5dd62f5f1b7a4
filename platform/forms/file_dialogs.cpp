#include "platform/forms/file_dialogs.h"

#include "platform/forms/dialogs.h"

bool TOpenDialog::Execute() {
  FileDialogRequest request;
  request.save = save_;
  request.initial_dir = InitialDir;
  request.filter = Filter;
  request.filter_index = FilterIndex;
  request.file_name = FileName;
  if (!Dialogs().ExecuteFileDialog(request)) return false;
  FileName = request.file_name;
  return true;
}
