#include "app/params/weighing_parameters.h"

TForm23* Form23 = nullptr;

TForm23::TForm23() {
  SetName("Form23");
  SetCaption("Wägetechnische Parameter Kanal 1/2");
  SetSize(640, 520);
}
