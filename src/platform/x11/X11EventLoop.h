#pragma once

#include <X11/Xlib.h>

#include "platform/x11/X11DrawingWindow.h"

// Runs the drawing window on this one thread until it is gone, its host destroys it, the
// connection to the server is lost, or an ending signal arrives (EndingSignal tells which);
// returns the exit code, 0 in every one of these cases. X events come first, in order; a
// timer tick is delivered only when no event is waiting, as Windows delivers its timer
// messages. Between ticks the loop sleeps in one system call: the server is asked nothing
// that needs an answer, and the connection is read only when it has something to read.
int RunX11EventLoop(Display* display, CX11DrawingWindow& window);
