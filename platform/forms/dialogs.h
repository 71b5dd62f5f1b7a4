#pragma once
// The one seam through which the program shows message boxes and file
// dialogs. The program installs nothing and gets real Qt dialogs; a test
// installs its own service that answers from a script and logs every box.
#include <string>

// Flags and results of the Windows message box, as callers pass them.
constexpr unsigned MB_OK = 0x00;
constexpr unsigned MB_OKCANCEL = 0x01;
constexpr unsigned MB_YESNO = 0x04;
constexpr unsigned MB_ICONERROR = 0x10;
constexpr unsigned MB_ICONSTOP = MB_ICONERROR;
constexpr unsigned MB_ICONQUESTION = 0x20;
constexpr unsigned MB_ICONWARNING = 0x30;
constexpr unsigned MB_ICONINFORMATION = 0x40;
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

enum class BoxIcon { None, Error, Question, Warning, Information };
enum class BoxButtons { Ok, OkCancel, YesNo };

struct MessageBoxRequest {
  std::string title;
  std::string text;
  BoxIcon icon = BoxIcon::None;
  BoxButtons buttons = BoxButtons::Ok;
};

struct FileDialogRequest {
  bool save = false;
  std::string initial_dir;
  std::string filter;  // "Text|*.txt|All|*.*"
  int filter_index = 1;
  std::string file_name;  // in: pre-set name; out: the chosen name
};

class DialogService {
 public:
  virtual ~DialogService() = default;
  // Returns IDOK, IDCANCEL, IDYES or IDNO.
  virtual int ShowMessageBox(const MessageBoxRequest& request) = 0;
  // True when the user chose a file; its path is then in request.file_name.
  virtual bool ExecuteFileDialog(FileDialogRequest& request) = 0;
};

// The service in use; the real dialogs unless one was installed.
DialogService& Dialogs();
// Installs `service` (nullptr: back to the real dialogs). The caller keeps ownership.
void InstallDialogService(DialogService* service);

// A message box without owner window, as MessageBoxA shows it.
int MessageBox(const std::string& text, const std::string& title, unsigned flags);
// An OK box with `icon`, shown again and again until the user confirms it
// with OK (closing it by its close box does not count).
void MessageBoxUntilOk(const std::string& text, const std::string& title, unsigned icon);
MessageBoxRequest DescribeMessageBox(const std::string& text, const std::string& title, unsigned flags);
