#pragma once
class TApplication;

// Creates the program's windows in their fixed order: the service window
// first (the main window), the test window second, then the About box and
// the other dialogs.
void CreateForms(TApplication& application);

// The program entry: creates the windows and runs the message loop until
// the main window closes; an exception that reaches here is reported and
// the entry still returns 0.
int RunProgram(int argc, char** argv);
