#include "app/link/text_table.h"

#include <cstddef>

const std::array<BilingualText, TEXT_TABLE_ROWS> TextTable = [] {
  std::array<BilingualText, TEXT_TABLE_ROWS> t{};
  t[0] = {"FRAGE", "QUESTION"};
  t[1] = {"HINWEIS", "HINT"};
  t[2] = {"FEHLER", "ERROR"};
  t[3] = {"WARNUNG", "WARNING"};
  t[53] = {"Bitte warten...", "Please wait..."};
  t[76] = {"Digitale Eingänge + Inkrementalgeber", "Digital inputs + incremental encoder"};
  t[77] = {"Relais 1/2", "Relays 1/2"};
  t[97] = {"Profibus aktiv", "Profibus active"};
  t[111] = {"Setup -> Restore", "Setup -> Restore"};
  t[121] = {"Setup geschützt", "Read only setup"};
  t[371] = {"Anzahl der Stützstelle(n) 1 (ADC) oder 2...8 (extern)!",
            "Number of additional point(s) are 1 (ADC) or 2...8 (external)"};
  t[445] = {"Programm ist nicht kompatibel zur Firmware 0x01!",
            "This program is not compatibel with device firmware type 0x01!"};
  t[446] = {"Fehler", "Error"};
  t[453] = {"Warten...", "Wait..."};
  t[454] = {"Kalibrierung", "Calibration"};
  t[455] = {"Bitte warten...", "Please wait..."};
  return t;
}();

const char* Text(int row, int lang) {
  if (row < 0 || row >= TEXT_TABLE_ROWS) return "";
  const BilingualText& r = TextTable[static_cast<std::size_t>(row)];
  return lang == 1 ? r.English : r.German;
}
