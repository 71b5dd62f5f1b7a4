#pragma once
#include <string>

#include "platform/forms/forms.h"
#include "platform/win/library.h"

// The firmware update of a device through the programming library: the
// firmware file is chosen, then the library is initialised and the part type
// and the transport are selected, each step marked PASS or FAIL. Nothing
// opens this dialog.
class TForm27 : public TForm {
 public:
  TForm27();

  TLabel* Label1;  // "Datei:"
  TLabel* Label3;  // the chosen file
  TLabel* Label2;
  TButton* Button2;  // "Datei öffnen"
  TButton* Button3;  // "Update -> Start"
  TButton* Button1;  // "Beenden"
  TLabel* Label_Init;
  TLabel* Label_Device;
  TLabel* Label_ComPort;
  TLabel* Label_Init_OK;
  TLabel* Label_Device_OK;
  TLabel* Label_ComPort_OK;
  TProgressBar* ProgressBar1;
  TOpenDialog* OpenDialog1;

  // The programming library, loaded at the first "Update -> Start".
  platform::win::Library FlashLibrary;
  // The library's file, by its Windows name ("flashcore.dll" is libflashcore.so).
  std::string FlashLibraryName = "flashcore.dll";
  int FlashLastError = 0;      // status code of the last update
  int FlashHardwareCode = 1;   // RS232
  static constexpr int kFlashDeviceCode = 7;  // MCU25

  void Button2Click(TObject* Sender);
  void Button3Click(TObject* Sender);
  void Button1Click(TObject* Sender);
  void ReleaseLibrary();

 private:
  // Loads the library when it is not loaded yet; false after telling the user.
  bool LoadFlashLibrary();
};

extern TForm27* Form27;
