#pragma once
// The steps of the channel area that reach into the weighing-parameter
// dialog (TForm23), the input/relay dialog (TForm24) and the multipoint
// calibration dialog (TForm26); each does nothing while its dialog does not
// exist.
#include <string>

#include "app/params/inputs_relays.h"
#include "app/params/multipoint_calibration.h"
#include "app/params/weighing_parameters.h"

namespace parameter_dialogs {

// The set-up image on both dialogs.
inline void ShowSetup() {
  if (Form23 != nullptr) Form23->ShowSetup();
  if (Form24 != nullptr) Form24->ShowSetup();
}

inline void UpdateControlStates() {
  if (Form23 != nullptr) Form23->UpdateControlStates();
}

inline void ShowFilterOptions() {
  if (Form23 != nullptr) Form23->ShowFilterOptions();
}

// The dialog's sum-channel range, which reads both nominal values.
inline void ShowSumChannel() {
  if (Form23 != nullptr) Form23->ShowSumChannel();
}

// "Summenkanal aktiv": enabled when the sum channel is possible; otherwise
// unchecked and disabled.
inline void OfferSumChannel(bool possible) {
  if (Form23 == nullptr) return;
  if (!possible) Form23->CheckBox36->SetChecked(false);
  Form23->CheckBox36->SetEnabled(possible);
}

// The group "Logspeicher".
inline void ShowLogMemoryGroup(bool visible) {
  if (Form23 != nullptr) Form23->GroupBox36->SetVisible(visible);
}

// "Anzeige aktivieren" unchecked: the external display is off.
inline void UncheckExternalDisplay() {
  if (Form23 != nullptr) Form23->CheckBox48->SetChecked(false);
}

// The multipoint dialog's heading.
inline void SetMultipointHeading(const std::string& text) {
  if (Form26 != nullptr) Form26->Label7->SetCaption(text);
}

}  // namespace parameter_dialogs
