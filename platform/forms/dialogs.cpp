#include "platform/forms/dialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

namespace {

// "Name|*.a|Other|*.b" as Qt writes it: "Name (*.a);;Other (*.b)".
QStringList QtFilters(const std::string& filter) {
  const QStringList parts = QString::fromStdString(filter).split('|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
    filters << parts[i] + " (" + QString(parts[i + 1]).replace(';', ' ') + ")";
  return filters;
}

class QtDialogService final : public DialogService {
 public:
  int ShowMessageBox(const MessageBoxRequest& request) override {
    QMessageBox box;
    box.setWindowTitle(QString::fromStdString(request.title));
    box.setText(QString::fromStdString(request.text));
    switch (request.icon) {
      case BoxIcon::Error: box.setIcon(QMessageBox::Critical); break;
      case BoxIcon::Question: box.setIcon(QMessageBox::Question); break;
      case BoxIcon::Warning: box.setIcon(QMessageBox::Warning); break;
      case BoxIcon::Information: box.setIcon(QMessageBox::Information); break;
      case BoxIcon::None: break;
    }
    switch (request.buttons) {
      case BoxButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
      case BoxButtons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
      case BoxButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    }
    switch (box.exec()) {
      case QMessageBox::Yes: return IDYES;
      case QMessageBox::No: return IDNO;
      case QMessageBox::Cancel: return IDCANCEL;
      default: return request.buttons == BoxButtons::YesNo ? IDNO : IDOK;
    }
  }

  bool ExecuteFileDialog(FileDialogRequest& request) override {
    QFileDialog dialog(nullptr, QString(), QString::fromStdString(request.initial_dir));
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // No overwrite prompt, as the program's dialogs have none.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    const QStringList filters = QtFilters(request.filter);
    if (!filters.isEmpty()) {
      dialog.setNameFilters(filters);
      const int index = request.filter_index >= 1 ? request.filter_index - 1 : 0;
      if (index < filters.size()) dialog.selectNameFilter(filters[index]);
    }
    if (!request.file_name.empty()) dialog.selectFile(QString::fromStdString(request.file_name));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    request.file_name = dialog.selectedFiles().front().toStdString();
    return true;
  }
};

DialogService*& Installed() {
  static DialogService* service = nullptr;
  return service;
}

}  // namespace

DialogService& Dialogs() {
  static QtDialogService real;
  DialogService* installed = Installed();
  return installed != nullptr ? *installed : real;
}

void InstallDialogService(DialogService* service) { Installed() = service; }

MessageBoxRequest DescribeMessageBox(const std::string& text, const std::string& title, unsigned flags) {
  MessageBoxRequest request;
  request.text = text;
  request.title = title;
  switch (flags & 0xF0) {
    case MB_ICONERROR: request.icon = BoxIcon::Error; break;
    case MB_ICONQUESTION: request.icon = BoxIcon::Question; break;
    case MB_ICONWARNING: request.icon = BoxIcon::Warning; break;
    case MB_ICONINFORMATION: request.icon = BoxIcon::Information; break;
    default: request.icon = BoxIcon::None; break;
  }
  switch (flags & 0x0F) {
    case MB_OKCANCEL: request.buttons = BoxButtons::OkCancel; break;
    case MB_YESNO: request.buttons = BoxButtons::YesNo; break;
    default: request.buttons = BoxButtons::Ok; break;
  }
  return request;
}

int MessageBox(const std::string& text, const std::string& title, unsigned flags) {
  return Dialogs().ShowMessageBox(DescribeMessageBox(text, title, flags));
}

void MessageBoxUntilOk(const std::string& text, const std::string& title, unsigned icon) {
  while (MessageBox(text, title, MB_OK | icon) != IDOK) {
  }
}
