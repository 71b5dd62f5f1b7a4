extern "C" int WinProbeValue() { return 42; }
