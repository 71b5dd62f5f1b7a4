// The operation objects and the order in which a keyword is offered to them.
#include "flashcmd/buffer_operations.h"
#include "flashcmd/control_operations.h"
#include "flashcmd/memory_operations.h"
#include "flashcmd/operation.h"
#include "flashcmd/pending_operation.h"
#include "flashcmd/policy_operations.h"

namespace {

CeraseOperation eraseMemory;
CblankCheckOperation blankCheck;
CprogramOperation programMemory;
CreadOperation readMemory;
CverifyOperation verifyMemory;
CpendingOperation readBootId1("RBOOTID1");
CpendingOperation readBootId2("RBOOTID2");
CpendingOperation readSbv("RSBV");
CpendingOperation writeSbv("WSBV");
CpendingOperation readBsb("RBSB");
CpendingOperation writeBsb("WBSB");
CpendingOperation readHwb("RHWB");
CpendingOperation writeHwb("WHWB");
CpendingOperation readEb("REB");
CpendingOperation writeEb("WEB");
CpendingOperation securityLevel1("SSL1");
CpendingOperation securityLevel2("SSL2");
CpendingOperation readSsb("RSSB");
CpendingOperation writeSsb("WSSB");
CpendingOperation readCris("RCRIS");
CpendingOperation writeCris("WCRIS");
CpendingOperation readNodeNumber("RNNB");
CpendingOperation writeNodeNumber("WNNB");
CpendingOperation readBtc1("RBTC1");
CpendingOperation writeBtc1("WBTC1");
CpendingOperation readBtc2("RBTC2");
CpendingOperation writeBtc2("WBTC2");
CpendingOperation readBtc3("RBTC3");
CpendingOperation writeBtc3("WBTC3");
CpendingOperation readSignature("RSIGB");
CpendingOperation enableX2("ENAX2");
CpendingOperation disableX2("DISX2");
CpendingOperation enableBljb("ENABLJB");
CpendingOperation disableBljb("DISBLJB");
CpendingOperation enableOsc("ENAOSC");
CpendingOperation disableOsc("DISOSC");
CpendingOperation enableSelBoot("ENASELBOOT");
CpendingOperation disableSelBoot("DISSELBOOT");
CmemoryOperation memorySelection;
CstartOperation startApplication;
CwaitOperation waitSeconds;
CpendingOperation serialize("SERIALIZE");
CaddRangeOperation addRange;
CloadBufferOperation loadBuffer;
CfillBufferOperation fillBuffer;
CsaveBufferOperation saveBuffer;
ConFailOperation onFail;
CassertOperation assertion;
CechoOperation echoText;
CcanOpenOperation canOpen;
CcanCloseOperation canClose;
CpendingOperation writeP1Config("WP1CFG");
CpendingOperation readP1Config("RP1CFG");
CpendingOperation writeP3Config("WP3CFG");
CpendingOperation readP3Config("RP3CFG");
CpendingOperation writeP4Config("WP4CFG");
CpendingOperation readP4Config("RP4CFG");
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
