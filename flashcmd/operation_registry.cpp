// The operation objects and the order in which a keyword is offered to them.
#include "flashcmd/buffer_operations.h"
#include "flashcmd/control_operations.h"
#include "flashcmd/memory_operations.h"
#include "flashcmd/operation.h"
#include "flashcmd/policy_operations.h"
#include "flashcmd/serialize_operation.h"
#include "flashcmd/special_byte_operations.h"
#include "flashcore/core/special_bytes.h"

namespace {

CeraseOperation eraseMemory;
CblankCheckOperation blankCheck;
CprogramOperation programMemory;
CreadOperation readMemory;
CverifyOperation verifyMemory;
CspecialByteReadOperation readBootId1("RBOOTID1", "Reading Boot ID1", DEVICE_BOOT_ID1);
CspecialByteReadOperation readBootId2("RBOOTID2", "Reading Boot ID2", DEVICE_BOOT_ID2);
CspecialByteReadOperation readSbv("RSBV", "Reading Software Boot Vector", SOFTWARE_BOOT_VECTOR);
CspecialByteWriteOperation writeSbv("WSBV", "Writing Software Boot Vector", SOFTWARE_BOOT_VECTOR);
CspecialByteReadOperation readBsb("RBSB", "Reading Boot Status Byte", BOOT_STATUS_BYTE);
CspecialByteWriteOperation writeBsb("WBSB", "Writing Boot Status Byte", BOOT_STATUS_BYTE);
CspecialByteReadOperation readHwb("RHWB", "Reading Hardware Byte", HARDWARE_BYTE);
CspecialByteWriteOperation writeHwb("WHWB", "Writing Hardware Byte", HARDWARE_BYTE);
CspecialByteReadOperation readEb("REB", "Reading Extra Byte", EXTRA_BYTE);
CspecialByteWriteOperation writeEb("WEB", "Writing Extra Byte", EXTRA_BYTE);
CsecurityLevelOperation securityLevel1("SSL1", "Setting Security Level 1", 1);
CsecurityLevelOperation securityLevel2("SSL2", "Setting Security Level 2", 2);
CspecialByteReadOperation readSsb("RSSB", "Reading Software Security Byte", SOFTWARE_SECURITY_BYTE);
CspecialByteWriteOperation writeSsb("WSSB", "Writing Software Security Byte", SOFTWARE_SECURITY_BYTE);
CspecialByteReadOperation readCris("RCRIS", "Reading CAN Reloc. Id. Seg.", CRIS);
CspecialByteWriteOperation writeCris("WCRIS", "Writing CAN Reloc. Id. Seg.", CRIS);
CspecialByteReadOperation readNodeNumber("RNNB", "Reading CAN Node Number", NNB);
CspecialByteWriteOperation writeNodeNumber("WNNB", "Writing CAN Node Number", NNB);
CspecialByteReadOperation readBtc1("RBTC1", "Reading Bit Timing Config. 1", BTC_1);
CspecialByteWriteOperation writeBtc1("WBTC1", "Writing Bit Timing Config. 1", BTC_1);
CspecialByteReadOperation readBtc2("RBTC2", "Reading Bit Timing Config. 2", BTC_2);
CspecialByteWriteOperation writeBtc2("WBTC2", "Writing Bit Timing Config. 2", BTC_2);
CspecialByteReadOperation readBtc3("RBTC3", "Reading Bit Timing Config. 3", BTC_3);
CspecialByteWriteOperation writeBtc3("WBTC3", "Writing Bit Timing Config. 3", BTC_3);
CsignatureOperation readSignature;
CfuseOperation enableX2("ENAX2", "Enabling X2 Fuse", 2, true);
CfuseOperation disableX2("DISX2", "Disabling X2 Fuse", 2, false);
CfuseOperation enableBljb("ENABLJB", "Enabling BLJB Fuse", 1, true);
CfuseOperation disableBljb("DISBLJB", "Disabling BLJB Fuse", 1, false);
CfuseOperation enableOsc("ENAOSC", "Enabling OSC Fuse", 0, true);
CfuseOperation disableOsc("DISOSC", "Disabling OSC Fuse", 0, false);
CfuseOperation enableSelBoot("ENASELBOOT", "Enabling SelBoot Fuse", 3, true);
CfuseOperation disableSelBoot("DISSELBOOT", "Disabling SelBoot Fuse", 3, false);
CmemoryOperation memorySelection;
CstartOperation startApplication;
CwaitOperation waitSeconds;
CserializeOperation serialize;
CaddRangeOperation addRange;
CloadBufferOperation loadBuffer;
CfillBufferOperation fillBuffer;
CsaveBufferOperation saveBuffer;
ConFailOperation onFail;
CassertOperation assertion;
CechoOperation echoText;
CcanOpenOperation canOpen;
CcanCloseOperation canClose;
CspecialByteWriteOperation writeP1Config("WP1CFG", "Writing P1 Config.", P1_CONF);
CspecialByteReadOperation readP1Config("RP1CFG", "Reading P1 Config.", P1_CONF);
CspecialByteWriteOperation writeP3Config("WP3CFG", "Writing P3 Config.", P3_CONF);
CspecialByteReadOperation readP3Config("RP3CFG", "Reading P3 Config.", P3_CONF);
CspecialByteWriteOperation writeP4Config("WP4CFG", "Writing P4 Config.", P4_CONF);
CspecialByteReadOperation readP4Config("RP4CFG", "Reading P4 Config.", P4_CONF);
CtimeoutOperation replyTimeout;

}  // namespace

const std::vector<Coperation*> operationRegistry = {
    &eraseMemory,   &blankCheck,     &programMemory,   &readMemory,       &verifyMemory,    &readBootId1,
    &readBootId2,   &readSbv,        &writeSbv,        &readBsb,          &writeBsb,        &readHwb,
    &writeHwb,      &readEb,         &writeEb,         &securityLevel1,   &securityLevel2,  &readSsb,
    &writeSsb,      &readCris,       &writeCris,       &readNodeNumber,   &writeNodeNumber, &readBtc1,
    &writeBtc1,     &readBtc2,       &writeBtc2,       &readBtc3,         &writeBtc3,       &readSignature,
    &enableX2,      &disableX2,      &enableBljb,      &disableBljb,      &enableOsc,       &disableOsc,
    &enableSelBoot, &disableSelBoot, &memorySelection, &startApplication, &waitSeconds,     &serialize,
    &addRange,      &loadBuffer,     &fillBuffer,      &saveBuffer,       &onFail,          &assertion,
    &echoText,      &canOpen,        &canClose,        &writeP1Config,    &readP1Config,    &writeP3Config,
    &readP3Config,  &writeP4Config,  &readP4Config,    &replyTimeout,
};
