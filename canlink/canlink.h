#pragma once
// The functions a CAN transport library exports for the programming
// library, which loads it by name ("canlink_serial.dll", i.e.
// libcanlink_serial.so, for the CAN-over-RS-232 adapter; the SocketCAN
// library under the names of the other adapters). Every one answers 1 for
// success and 0 for failure; a failure to open says why on standard error.
#include "flashcore/core/can_message.h"

extern "C" {

// Opens the adapter. canBitrate in kbit/s; the serial adapter takes its
// COM port from portNumber (5 to 8 for COM1 to COM4) and its line speed
// from baud; the SocketCAN library takes the interface named by the
// environment variable CANLINK_INTERFACE (can0 when unset), which has to run
// at canBitrate: it sets the interface's bit rate where the program may, and
// otherwise refuses another one. optionA and optionB are not used.
int OpenCAN(int canBitrate, unsigned char optionA, int optionB, unsigned short portNumber, int baud);

// Sends one standard frame given as text: three hexadecimal digits of
// identifier, two of data length, two per data byte.
int WriteCAN(const char* frameText);

// Stores the next received frame of the CRIS set by UpdateRxFilter (0
// until then) in the record; 0 when none arrives within timeoutMs.
int ReadCAN(CanMessage* message, int timeoutMs);

// Receive only the identifiers CRIS * 16 + 0 .. 15 from now on.
int UpdateRxFilter(unsigned char cris);

int Close();
}
