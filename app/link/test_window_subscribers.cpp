// The windows that show what the link reports, subscribed to it in the
// order the program makes them, whichever of them and the link comes first.
#include "app/diag/adc_functions.h"
#include "app/diag/address_list.h"
#include "app/diag/profibus_test.h"
#include "app/diag/traffic_monitor.h"
#include "app/link/test_window.h"
#include "app/link/wait_window.h"
#include "app/service/service_window.h"
#include "app/setup/setup_editor.h"

void TForm1::SubscribeWindows() {
  for (LinkListener* window : std::initializer_list<LinkListener*>{Form21, Form16, Form10, Form9, Form5, Form14, Form3})
    Events.Subscribe(window);
}

void SubscribeToLink(LinkListener* window) {
  if (Form1 != nullptr) Form1->Events.Subscribe(window);
}
