#pragma once

#include <X11/Xlib.h>

#include <vector>

#include "app/MonitorChoice.h"

// Monitors in root-window pixels. The monitors the saver covers: RandR's monitors when it names
// several, else Xinerama's heads when there are several, else the whole screen as one.
std::vector<CMonitorArea> ScreenMonitors(Display* display);

// The monitor that shows the figure: the primary, else the one at the origin, else the first.
CMonitorArea FigureMonitor(Display* display);

// The whole screen, every monitor on it.
CMonitorArea WholeScreen(Display* display);

// An override-redirect window of the screen's default visual over area, black, named
// "Spirandel", taking the events in mask: the figure's window and the cover under it.
Window CreateBlackTopWindow(Display* display, const CMonitorArea& area, long mask);

// Places a black window over the monitors' bounding box and cuts it down to the monitors
// themselves, so that it hides every monitor and paints nothing where no monitor shows (the
// screen's corner beside a smaller head). Without the shape extension it stays the box.
void FitCoverToMonitors(Display* display, Window cover);
