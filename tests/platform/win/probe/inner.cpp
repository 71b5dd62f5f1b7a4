extern "C" int WinProbeInner() { return 7; }
