#pragma once
// The option block of the program ini, held by the link object.
#include <cstdint>

struct ProgramOptions {
  uint8_t vd417_adr = 1;
  uint8_t auto_baud = 0;
  uint8_t stx_etx = 1;  // frames carry STX/ETX
  uint8_t pb = 0;
  uint8_t start_brdcast = 0;
  uint8_t csum = 1;    // frames carry the 2-byte checksum
  uint8_t sdcont = 0;  // the device's value stream runs: received frames are stream frames
  uint8_t sdcont_avg = 1;
  int32_t sdcont_avg_time = 250;
  uint8_t btncont = 0;  // the ADC button mode runs
  uint8_t get_diag = 0;
  int32_t diag_interval = 5000;
  uint8_t rs232_logging = 0;
  uint8_t rs485 = 0;
  uint8_t check_connect = 0;  // refuse requests to addresses that are not present
  uint8_t setup_reconnect = 0;
  float cal_null_pkt = 0.0f;
  float cal_end_pkt = 2.0f;
  uint8_t button_tar_null = 0;
  uint8_t brutto_netto_mode = 0;
  uint8_t lang = 0;  // 0 German, 1 English
};
