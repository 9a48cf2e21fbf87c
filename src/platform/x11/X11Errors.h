#pragma once

#include <X11/Xlib.h>

// X protocol errors never end the program: every error is recorded, and the code that can
// cause one (a window id from the command line, the shared-memory attach) checks for it.
// Installed once, before the first request.
void InstallX11ErrorRecorder();

// The last error code recorded since the previous call (Success when none), after making
// sure every request sent so far has been answered.
int TakeX11Error(Display* display);

// Nonzero once the connection to the server is lost; from then on the event loop only ends.
int X11ConnectionLost();
void WatchX11Connection(Display* display);
