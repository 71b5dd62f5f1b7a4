#include "app/diag/traffic_monitor.h"

TForm5* Form5 = nullptr;

TForm5::TForm5() {
  SetName("Form5");
  SetCaption("Serielle Daten (Binär / ASCII)");
  SetSize(640, 480);
}
