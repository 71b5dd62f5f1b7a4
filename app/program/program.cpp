#include "app/program/program.h"

#include <exception>

#include "app/service/service_window.h"
#include "app/link/test_window.h"
#include "app/program/about_box.h"
#include "app/link/wait_window.h"
#include "app/diag/adc_functions.h"
#include "app/diag/file_viewer.h"
#include "app/diag/address_list.h"
#include "app/diag/internal_calibration.h"
#include "app/diag/external_calibration.h"
#include "app/diag/theoretical_calibration.h"
#include "app/diag/runtime_viewer.h"
#include "app/diag/error_status.h"
#include "app/service/load_calibration.h"
#include "app/program/options_dialog.h"
#include "app/diag/traffic_monitor.h"
#include "app/diag/factory_admin.h"
#include "app/diag/terminal_window.h"
#include "app/diag/profibus_test.h"
#include "app/diag/telegram_tester.h"
#include "app/setup/setup_editor.h"
#include "app/params/weighing_parameters.h"
#include "app/params/inputs_relays.h"
#include "app/program/password_dialog.h"
#include "app/params/log_memory.h"
#include "app/params/exb_values.h"
#include "app/params/multipoint_calibration.h"
#include "app/params/firmware_flash.h"
#include "app/diag/production_check.h"
#include "app/params/dosing_values.h"
#include "app/diag/baud_rate.h"
#include "app/params/crane_setup.h"
#include "app/params/crane_protocol.h"
#include "app/params/adc_settings.h"
#include "platform/forms/application.h"
#include "platform/forms/ui_language.h"

void CreateForms(TApplication& application) {
  application.CreateForm(Form21);
  application.CreateForm(Form1);
  application.CreateForm(AboutBox);
  application.CreateForm(Form16);
  application.CreateForm(Form10);
  application.CreateForm(Form20);
  application.CreateForm(Form9);
  application.CreateForm(Form6);
  application.CreateForm(Form13);
  application.CreateForm(Form19);
  application.CreateForm(Form12);
  application.CreateForm(Form11);
  application.CreateForm(Form22);
  application.CreateForm(Form8);
  application.CreateForm(Form5);
  application.CreateForm(Form7);
  application.CreateForm(Form15);
  application.CreateForm(Form14);
  application.CreateForm(Form4);
  application.CreateForm(Form3);
  application.CreateForm(Form23);
  application.CreateForm(Form24);
  application.CreateForm(Form17);
  application.CreateForm(Form25);
  application.CreateForm(Form18);
  application.CreateForm(Form26);
  application.CreateForm(Form27);
  application.CreateForm(Form28);
  application.CreateForm(Form29);
  application.CreateForm(Form2);
  application.CreateForm(Form30);
  application.CreateForm(Form31);
  application.CreateForm(Form32);
}

int RunProgram(int argc, char** argv) {
  TApplication application(argc, argv);
  // German until the program's settings say otherwise.
  SetUiLanguage(UiLanguage::German);
  try {
    CreateForms(application);
    application.Run();
  } catch (...) {
    application.ShowException(std::current_exception());
  }
  return 0;
}
