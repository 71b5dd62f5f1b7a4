#include "flashcmd/help_text.h"

namespace {

constexpr const char* kOptionLines[] = {
    "Flashcmd help",
    "",
    "\t[-demo]",
    "\t[-version]",
    "\t[-autoisp\t{ 0 | 1* } { 0* | 1 }]",
    "\t[-no_usbdrvchk]",
    "\t[-debug {<out_logfile>}]",
    "\t-device\t\t<device_name>",
    "\t[-hardware\t{ RS232 | usb | norva_rs232 |",
    "\t\t\tvector | ixxat | janz | peak ",
    "\t\t\tsystecusbcan | usb_lpc | usb_uart | usb_spi}]",
    "\t[-port\t\t{ COM1 | ... | comx | lpt1 | lpt2 | pcmcia0 | pcmcia1 }]",
    "\t[-baudrate\t{ 9600 | 19200 | 38400 | 57600 | 115200* }]",
    "\t[-canbitrate\t{ 20 | 100 | 125 | 250 | 500* | 1000 }]",
    "\t[-cmdfile\t<cmd_file>]",
    "",
    "\t-operation",
};

constexpr const char* kOperationLines[] = {
    "[ CANOPEN <node_number> ]",
    "[ CANCLOSE <node_number> ]",
    "[ MEMORY { FLASH | eeprom | <id> } ]",
    "[ ERASE { f | <n> } ]",
    "[ ADDRANGE <start> <end> ]",
    "[ BLANKCHECK ]",
    "[ PROGRAM ]",
    "[ VERIFY ]",
    "[ READ ]",
    "[ SERIALIZE <dest_addr> <serial_number> <number | ascii | unicode> <step> ]",
    "[ START { RESET | noreset } <address> ]",
    "[ WAIT <Nsec> ]",
    "[ LOADBUFFER <in_hexfile> ]",
    "[ FILLBUFFER <data> ]",
    "[ SAVEBUFFER <out_hexfile> ]",
    "[ ONFAIL < ASK | abort | retry | ignore > ]",
    "[ ASSERT < PASS | fail > ]",
    "[ RBOOTID1 [ expected_data ] ]",
    "[ RBOOTID2 [ expected_data ] ]",
    "[ WSBV <data> ]",
    "[ RSBV [ expected_data ] ]",
    "[ WBSB <data> ]",
    "[ RBSB [ expected_data ] ]",
    "[ WHWB <data> ]",
    "[ RHWB [ expected_data ] ]",
    "[ WEB <data> ]",
    "[ REB [ expected_data ] ]",
    "[ SSL1 ]",
    "[ SSL2 ]",
    "[ RSSB [ expected_data ] ]",
    "[ RSIGB ]",
    "[ WCRIS <data> ]",
    "[ RCRIS [ expected data ] ]",
    "[ WNNB <data> ]",
    "[ RNNB [ expected data ] ]",
    "[ WBTC1 <data> ]",
    "[ RBTC1 [ expected data ] ]",
    "[ WBTC2 <data> ]",
    "[ RBTC2 [ expected data ] ]",
    "[ WBTC3 <data> ]",
    "[ RBTC3 [ expected data ] ]",
    "[ WP1CFG <data> ]",
    "[ RP1CFG [ expected data ] ]",
    "[ WP3CFG <data> ]",
    "[ RP3CFG [ expected data ] ]",
    "[ WP4CFG <data> ]",
    "[ RP4CFG [ expected data ] ]",
    "[ ENAX2 ]",
    "[ DISX2 ]",
    "[ ENABLJB ]",
    "[ DISBLJB ]",
    "[ ENAOSC ]",
    "[ DISOSC ]",
    "[ ENASELBOOT ]",
    "[ DISSELBOOT ]",
    "[ INCLUDE <cmd_file> ]",
    "[ ECHO <\"your_comment\"> ]",
};

}  // namespace

std::string helpText() {
  std::string text;
  for (const char* line : kOptionLines) text.append(line).append("\n");
  for (const char* line : kOperationLines) text.append("\t\t\t").append(line).append("\n");
  text += "\n";
  return text;
}

std::string versionLine() { return std::string(kProgramName) + " version: " + kProgramVersion + "\n"; }
