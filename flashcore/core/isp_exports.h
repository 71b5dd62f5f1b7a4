#pragma once
// The exported interface of the programming library (libflashcore.so). Each
// export calls one command-manager operation; operations return 1 for
// success and 0 for failure, and the caller fetches the status code and the
// texts afterwards. ispInit2 is also exported as "_ispInit2@0".
#include <string>
#include <vector>

#include "platform/win/console.h"
#include "platform/win/event.h"

#define ISP_EXPORT __attribute__((visibility("default")))

extern "C" {

// Library frame
ISP_EXPORT bool ispInit();
ISP_EXPORT bool ispInit2();
ISP_EXPORT int ispCancel();
ISP_EXPORT int ispGetLastError();
ISP_EXPORT const char* ispGetLastResult();
ISP_EXPORT void ispSetDemoMode();
ISP_EXPORT void ispCancelDemoMode();
ISP_EXPORT bool ispSetTimeout(unsigned int seconds, unsigned char persistent);
ISP_EXPORT int ispGetTaskCompletionPercent();
ISP_EXPORT void ispResetTaskCompletionPercent();
ISP_EXPORT platform::win::Event* ispGetTaskPeriodicEventHandle();
ISP_EXPORT void ispCreatePart();

// Status texts
ISP_EXPORT std::vector<std::string>* ispGetErrorVecPtr();
ISP_EXPORT const char* ispGetLastStringError();
ISP_EXPORT void ispAppendErrorMap(const char* key, const char* text);

// Selection, ports and lines
ISP_EXPORT bool ispSelectDevice(int deviceCode);
ISP_EXPORT int ispGetDeviceIndex(const char* name);
ISP_EXPORT bool ispSelectCommHardware(int hardwareCode);
ISP_EXPORT bool ispSelectCommHardware2(const char* hardwareName);
ISP_EXPORT void ispSelectCommLib(const char* name);
ISP_EXPORT bool ispOpenRs232Port(const char* portName, int baud);
ISP_EXPORT bool ispOpenUsbPort();
ISP_EXPORT bool ispOpenCanPort(int canBitrate, unsigned char optionA, unsigned short portNumber,
                               unsigned char extraByte, unsigned char optionB, int baud);
ISP_EXPORT bool ispClosePort();
ISP_EXPORT void ispCheckUsbDriver(unsigned char check);
ISP_EXPORT bool ispSyncTarget();
ISP_EXPORT bool ispSelectCanNode(unsigned char node);
ISP_EXPORT bool ispUpdateCmdsIds(unsigned char cris);
ISP_EXPORT bool ispSelectProtocol(int hardwareCode, int variant);
ISP_EXPORT bool ispUpdateRs232Baudrate(int baud);
ISP_EXPORT bool ispSetDtrLow();
ISP_EXPORT bool ispSetDtrHigh();
ISP_EXPORT bool ispSetRtsLow();
ISP_EXPORT bool ispSetRtsHigh();
ISP_EXPORT bool ispSetAutoIsp(unsigned char dtrLevel, unsigned char rtsLevel);

// Log and debug trace
ISP_EXPORT void ispSetDebugMode(platform::win::ConsoleHandle console);
ISP_EXPORT int ispCancelDebugMode();
ISP_EXPORT void ispOpenLogFile(const char* path);
ISP_EXPORT int ispDataLog(const char* text);

// On-chip-debug programmer
ISP_EXPORT void ispInitOcd(const char* targetName);
ISP_EXPORT void ispStartOcdProgrammer(const char* targetName);
ISP_EXPORT bool ispExitOcdProgrammer();

// Memories and buffers
ISP_EXPORT bool ispSelectMemory(int memoryIndex);
ISP_EXPORT void ispGetMemorySize();
ISP_EXPORT bool ispFillBuffer(const char* hexByte);
ISP_EXPORT bool ispFillBufferAddrRange(int start, int end, const char* hexByte);
ISP_EXPORT void ispResetBuffer();
ISP_EXPORT void ispRandomizeBuffer();
ISP_EXPORT bool ispWriteSingleByteToBuffer(int address, const char* hexByte);
ISP_EXPORT void ispReadSingleByteFromBuffer(int address);
ISP_EXPORT void ispGetBufferAddrLo();
ISP_EXPORT void ispGetBufferAddrHi();
ISP_EXPORT void ispComputeBufferChecksum(int start, int end);
ISP_EXPORT bool ispComputeCrc();

// Range operations
ISP_EXPORT bool ispEraseDevice();
ISP_EXPORT bool ispEraseBlock(int block);
ISP_EXPORT bool ispProgramAddrRange(int start, int end, unsigned char rangeMode);
ISP_EXPORT bool ispProgramDevice();
ISP_EXPORT bool ispReadAddrRange(int start, int end, const char* path);
ISP_EXPORT bool ispReadDevice(const char* path);
ISP_EXPORT bool ispVerifyAddrRange(int start, int end);
ISP_EXPORT bool ispVerifyDevice();
ISP_EXPORT bool ispBlankCheckAddrRange(int start, int end);
ISP_EXPORT bool ispBlankCheckDevice();
ISP_EXPORT bool ispEnterIspMode(unsigned char flag, int address);
ISP_EXPORT bool ispEnterAppliMode(unsigned char reset, int address);

// Special bytes, security levels and fuse bits
ISP_EXPORT bool ispReadSpecialByte(int specialByteId);
ISP_EXPORT bool ispWriteSpecialByte(int specialByteId, unsigned char value);
ISP_EXPORT bool ispReadSignatureBytes();
ISP_EXPORT bool ispEraseSbvBsb();
ISP_EXPORT bool ispSetSecurityLev1();
ISP_EXPORT bool ispSetSecurityLev2();
ISP_EXPORT bool ispGetExpectedSsbValue(int level);
ISP_EXPORT bool ispEnableFuseBit(int fuse);
ISP_EXPORT bool ispDisableFuseBit(int fuse);
ISP_EXPORT bool ispExecSpecialCmd(int n);

// Intel HEX files, serial numbers, named-command protocol
ISP_EXPORT bool ispParseHexFile(const char* path);
ISP_EXPORT bool ispWriteHexFile(int start, int end, const char* path, int segmentRecords);
ISP_EXPORT bool ispSerialize(int memoryIndex, int destAddress, int serialLow, int serialHigh, unsigned char radix,
                             std::string format);
ISP_EXPORT bool ispCreateProtocol(const char* name);
ISP_EXPORT bool ispAddProtocolCmd(const char* name, const char* text);
// Unguarded: a failure reaches the caller as a thrown STATUS.
ISP_EXPORT void ispExecCmd(const char* name);

}  // extern "C"
