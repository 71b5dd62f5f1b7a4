#pragma once
// comlink: the RS-232 transport that the programming library loads by name
// ("comlink.dll", i.e. libcomlink.so), and the same transport as the second
// RS-232 library "comlinkx.dll" (libcomlinkx.so) that it loads for on-chip
// debugging. One serial port per library and process behind ten exported
// functions; every one answers 1 for success and 0 for failure, and a port
// that cannot be opened is named on the error output under the library's
// name ("comlinkx: cannot open COM1: ...").
//
// Port names are "COM1" .. (resolved through SERIAL_COMn, else /dev/ttyS<n-1>)
// or device paths. Reads wait with poll: they return as soon as the
// terminator or the requested count has arrived, and never after the
// time-out; a read that times out answers 1 with an empty string.
#include <string>

// Characters that a read stores at most when the caller sets no maximum
// length (ReadRS232 with maxLength 0, ReadRS2322c): the caller's buffer must
// hold this many.
constexpr unsigned int kComlinkUnboundedReadLimit = 4096;

extern "C" {

// Opens and configures the port: parity (0 none, 1 odd, 2 even, 3 mark,
// 4 space), byteSize (5..8) and stopBits (0 one, 1 one and a half, 2 two) use
// the low byte of their argument. While a port is open, a call for the same
// port and settings answers 1 and changes nothing; a call for another port
// or other settings closes it and opens afresh.
int OpenRS232(const char* portName, int baudRate, int parity, int byteSize, int stopBits);

// Sends the frame's characters up to its first NUL; 1 when all of them were
// written within 10 ms + 10 ms per character.
int WriteRS232(std::string frame);

// Reads into `buffer` until the terminator (nonzero; stored as the last
// byte) or maxLength characters (nonzero) have arrived, or timeoutMs (its low
// 16 bits) have passed; then buffer[0] is NUL. No NUL is added behind data.
// Bytes that came in the same burst behind the terminator are dropped.
int ReadRS232(char* buffer, unsigned int maxLength, char terminator, unsigned int timeoutMs);

// Reads until both nonzero characters `first` and `second` have been seen
// (in either order), or the time-out as above.
int ReadRS2322c(char* buffer, char first, char second, unsigned int timeoutMs);

int Close();
int UpdateBaudrate(int baudRate);
int ClearDtr();
int SetDtr();
int ClearRts();
int SetRts();
}

// The exports' types, for binding them by name.
using OpenRS232Function = int (*)(const char*, int, int, int, int);
using WriteRS232Function = int (*)(std::string);
using ReadRS232Function = int (*)(char*, unsigned int, char, unsigned int);
using ReadRS2322cFunction = int (*)(char*, char, char, unsigned int);
using ComlinkFunction = int (*)();  // Close and the four line functions
using UpdateBaudrateFunction = int (*)(int);
