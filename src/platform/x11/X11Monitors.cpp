#include "platform/x11/X11Monitors.h"

#include <X11/extensions/Xrandr.h>

CScreenArea WholeScreen(Display* display) {
  const int screen = DefaultScreen(display);
  return {0, 0, DisplayWidth(display, screen), DisplayHeight(display, screen)};
}

CScreenArea PrimaryMonitor(Display* display) {
  CScreenArea area = WholeScreen(display);
  int eventBase = 0;
  int errorBase = 0;
  int major = 0;
  int minor = 0;
  if (!XRRQueryExtension(display, &eventBase, &errorBase) ||
      !XRRQueryVersion(display, &major, &minor) || major * 100 + minor < 105) {
    return area;
  }
  int count = 0;
  XRRMonitorInfo* monitors = XRRGetMonitors(display, DefaultRootWindow(display), True, &count);
  for (int i = 0; i < count; ++i) {
    if (monitors[i].primary && monitors[i].width > 0 && monitors[i].height > 0) {
      area = {monitors[i].x, monitors[i].y, monitors[i].width, monitors[i].height};
    }
  }
  if (monitors != nullptr) {
    XRRFreeMonitors(monitors);
  }
  return area;
}
