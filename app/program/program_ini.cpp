#include "app/program/program_ini.h"

#include <string>

#include "platform/forms/ini_file.h"

namespace {

uint8_t ReadByte(const TIniFile& ini, const char* section, const char* key, int fallback) {
  return static_cast<uint8_t>(ini.ReadInteger(section, key, fallback) & 0xFF);
}

std::string DeviceKey(int address) { return "dev_" + std::to_string(address); }

}  // namespace

void ReadProgramIni(const TIniFile& ini, ProgramOptions& o, StoredPresence& present) {
  const ProgramOptions d;
  o.vd417_adr = ReadByte(ini, "COM", "vd417_adr", d.vd417_adr);
  o.auto_baud = ReadByte(ini, "COM", "auto_baud", d.auto_baud);
  o.stx_etx = 1;
  o.csum = 1;
  o.pb = ReadByte(ini, "COM", "pb", d.pb);
  o.start_brdcast = ReadByte(ini, "COM", "start_brdcast", d.start_brdcast);
  o.get_diag = ReadByte(ini, "COM", "get_diag", d.get_diag);
  o.diag_interval = ini.ReadInteger("COM", "diag_interval", d.diag_interval);
  o.rs232_logging = ReadByte(ini, "COM", "rs232_logging", d.rs232_logging);
  o.rs485 = ReadByte(ini, "COM", "rs485", d.rs485);
  o.check_connect = ReadByte(ini, "COM", "check_connect", d.check_connect);
  o.setup_reconnect = ReadByte(ini, "COM", "setup_reconnect", d.setup_reconnect);
  o.sdcont = 0;
  o.sdcont_avg = ReadByte(ini, "ADC", "sdcont_avg", d.sdcont_avg);
  o.sdcont_avg_time = ini.ReadInteger("ADC", "sdcont_avg_time", d.sdcont_avg_time);
  o.btncont = 0;
  o.cal_null_pkt = static_cast<float>(ini.ReadFloat("ADC", "cal_null_pkt", d.cal_null_pkt));
  o.cal_end_pkt = static_cast<float>(ini.ReadFloat("ADC", "cal_end_pkt", d.cal_end_pkt));
  o.button_tar_null = ReadByte(ini, "RTV482", "button_tar_null", d.button_tar_null);
  o.brutto_netto_mode = ReadByte(ini, "RTV482", "brutto_netto_mode", d.brutto_netto_mode);
  o.lang = ReadByte(ini, "RTV482", "lang", d.lang);
  for (int k = 1; k <= 16; ++k)
    present[static_cast<size_t>(k - 1)] = ini.ReadInteger("DEVICES", DeviceKey(k), k == 1 ? 1 : 0);
  // The automatic baud-rate search stays off for the whole run.
  o.auto_baud = 0;
}

void WriteProgramIni(TIniFile& ini, const ProgramOptions& o, const StoredPresence& present) {
  ini.WriteInteger("COM", "vd417_adr", o.vd417_adr);
  ini.WriteInteger("COM", "auto_baud", o.auto_baud);
  ini.WriteInteger("COM", "stx_etx", o.stx_etx);
  ini.WriteInteger("COM", "csum", o.csum);
  ini.WriteInteger("COM", "pb", o.pb);
  ini.WriteInteger("COM", "start_brdcast", o.start_brdcast);
  ini.WriteInteger("COM", "get_diag", o.get_diag);
  ini.WriteInteger("COM", "diag_interval", o.diag_interval);
  ini.WriteInteger("COM", "rs232_logging", o.rs232_logging);
  ini.WriteInteger("COM", "rs485", o.rs485);
  ini.WriteInteger("COM", "check_connect", o.check_connect);
  ini.WriteInteger("COM", "setup_reconnect", o.setup_reconnect);
  ini.WriteInteger("ADC", "sdcont", o.sdcont);
  ini.WriteInteger("ADC", "sdcont_avg", o.sdcont_avg);
  ini.WriteInteger("ADC", "sdcont_avg_time", o.sdcont_avg_time);
  ini.WriteInteger("ADC", "btncont", o.btncont);
  ini.WriteFloat("ADC", "cal_null_pkt", o.cal_null_pkt);
  ini.WriteFloat("ADC", "cal_end_pkt", o.cal_end_pkt);
  ini.WriteInteger("RTV482", "button_tar_null", o.button_tar_null);
  ini.WriteInteger("RTV482", "brutto_netto_mode", o.brutto_netto_mode);
  ini.WriteInteger("RTV482", "lang", o.lang);
  for (int k = 1; k <= 16; ++k) ini.WriteInteger("DEVICES", DeviceKey(k), present[static_cast<size_t>(k - 1)]);
  ini.UpdateFile();
}
