#pragma once

#include <X11/Xlib.h>

#include "platform/x11/X11DrawingWindow.h"

// Runs the drawing window on this one thread until it is gone, its host destroys it, the
// connection to the server is lost, or SIGTERM, SIGINT or SIGHUP arrives; returns the exit
// code, 0 in every one of these cases. X events come first, in order; a timer tick is
// delivered only when no event is waiting, as Windows delivers its timer messages.
int RunX11EventLoop(Display* display, CX11DrawingWindow& window);

// Routes the ending signals into the event loop; call before the window is created so an
// early signal is not lost.
void CatchEndingSignals();
