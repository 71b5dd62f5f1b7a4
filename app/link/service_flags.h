#pragma once
// The service window's flags that the link reads and ends.

// 1 while the service window is connected to a device.
extern int ServiceConnected;
// 1 while the service window's weight polling runs; clearing it ends the loop.
extern int PollingActive;
