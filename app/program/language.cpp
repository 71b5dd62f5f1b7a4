// The language switch of the whole program.
#include "app/diag/address_list.h"
#include "app/diag/error_status.h"
#include "app/diag/terminal_window.h"
#include "app/diag/traffic_monitor.h"
#include "app/program/password_dialog.h"
#include "app/link/test_window.h"
#include "app/link/wait_window.h"
#include "app/params/adc_settings.h"
#include "app/params/exb_values.h"
#include "app/params/inputs_relays.h"
#include "app/params/log_memory.h"
#include "app/params/multipoint_calibration.h"
#include "app/params/weighing_parameters.h"
#include "app/service/load_calibration.h"
#include "app/service/service_window.h"
#include "platform/forms/ui_language.h"

namespace {

// Re-captions one window; a window without a language routine keeps its texts.
template <class Form>
void Recaption(Form* form) {
  if constexpr (requires(Form* f) { f->ChangeLanguage(); }) {
    if (form != nullptr) form->ChangeLanguage();
  }
}

}  // namespace

void TForm1::ChangeLanguageAll() {
  // Qt's own dialogs and buttons speak the program's language too.
  SetUiLanguage(Options.lang == 1 ? UiLanguage::English : UiLanguage::German);
  Recaption(Form21);
  Recaption(Form22);
  Recaption(Form23);
  Recaption(Form24);
  Recaption(Form11);
  Recaption(Form5);
  Recaption(Form9);
  Recaption(Form25);
  Recaption(Form26);
  Recaption(Form15);
  Recaption(Form16);
  Recaption(Form17);
  Recaption(Form18);
  Recaption(Form32);
}
