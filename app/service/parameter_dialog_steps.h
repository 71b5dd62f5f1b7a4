#pragma once
// The steps of the channel area that reach into the weighing-parameter
// dialog (TForm23), the input/relay dialog (TForm24) and the multipoint
// calibration dialog (TForm26). Each runs when the dialog exists and offers
// the operation or control; a dialog built without it is left alone, as the
// language switch does with windows that have no language routine.
#include <string>

#include "app/params/inputs_relays.h"
#include "app/params/multipoint_calibration.h"
#include "app/params/weighing_parameters.h"

namespace parameter_dialogs {

// TForm23::ShowSetup / TForm24::ShowSetup: the set-up image on the dialog.
template <class Form>
void ShowSetup(Form* form) {
  if constexpr (requires(Form* f) { f->ShowSetup(); })
    if (form != nullptr) form->ShowSetup();
}

template <class Form = TForm23>
void UpdateControlStates(Form* form = Form23) {
  if constexpr (requires(Form* f) { f->UpdateControlStates(); })
    if (form != nullptr) form->UpdateControlStates();
}

template <class Form = TForm23>
void ShowFilterOptions(Form* form = Form23) {
  if constexpr (requires(Form* f) { f->ShowFilterOptions(); })
    if (form != nullptr) form->ShowFilterOptions();
}

// The dialog's sum-channel range, which reads both nominal values.
template <class Form = TForm23>
void ShowSumChannel(Form* form = Form23) {
  if constexpr (requires(Form* f) { f->ShowSumChannel(); })
    if (form != nullptr) form->ShowSumChannel();
}

// "Summenkanal aktiv" (CheckBox36): enabled when the sum channel is
// possible; otherwise unchecked and disabled.
template <class Form = TForm23>
void OfferSumChannel(bool possible, Form* form = Form23) {
  if constexpr (requires(Form* f) { f->CheckBox36->SetChecked(false); }) {
    if (form == nullptr) return;
    if (!possible) form->CheckBox36->SetChecked(false);
    form->CheckBox36->SetEnabled(possible);
  }
}

// The group "Logspeicher" (GroupBox36).
template <class Form = TForm23>
void ShowLogMemoryGroup(bool visible, Form* form = Form23) {
  if constexpr (requires(Form* f) { f->GroupBox36->SetVisible(true); })
    if (form != nullptr) form->GroupBox36->SetVisible(visible);
}

// "Anzeige aktivieren" (CheckBox48) unchecked: the external display is off.
template <class Form = TForm23>
void UncheckExternalDisplay(Form* form = Form23) {
  if constexpr (requires(Form* f) { f->CheckBox48->SetChecked(false); })
    if (form != nullptr) form->CheckBox48->SetChecked(false);
}

// The multipoint dialog's heading (Label7).
template <class Form = TForm26>
void SetMultipointHeading(const std::string& text, Form* form = Form26) {
  if constexpr (requires(Form* f) { f->Label7->SetCaption(text); })
    if (form != nullptr) form->Label7->SetCaption(text);
}

}  // namespace parameter_dialogs
