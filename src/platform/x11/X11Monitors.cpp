#include "platform/x11/X11Monitors.h"

#include <X11/extensions/Xinerama.h>
#include <X11/extensions/Xrandr.h>
#include <X11/extensions/shape.h>

#include <algorithm>
#include <array>

namespace {

// RandR 1.5's monitors, the ones a desktop shows (also those set with xrandr --setmonitor).
std::vector<CMonitorArea> RandrMonitors(Display* display) {
  std::vector<CMonitorArea> list;
  int eventBase = 0;
  int errorBase = 0;
  int major = 0;
  int minor = 0;
  if (!XRRQueryExtension(display, &eventBase, &errorBase) ||
      !XRRQueryVersion(display, &major, &minor) || major * 100 + minor < 105) {
    return list;
  }
  int count = 0;
  XRRMonitorInfo* monitors = XRRGetMonitors(display, DefaultRootWindow(display), True, &count);
  for (int i = 0; i < count; ++i) {
    list.push_back({monitors[i].x, monitors[i].y, monitors[i].width, monitors[i].height,
                    monitors[i].primary != 0});
  }
  if (monitors != nullptr) {
    XRRFreeMonitors(monitors);
  }
  return list;
}

// Xinerama's heads: several X screens joined as one, and servers (Xephyr, some remote
// desktops) whose RandR sees only one monitor. Xinerama marks none primary.
std::vector<CMonitorArea> XineramaHeads(Display* display) {
  std::vector<CMonitorArea> list;
  int eventBase = 0;
  int errorBase = 0;
  if (!XineramaQueryExtension(display, &eventBase, &errorBase) || !XineramaIsActive(display)) {
    return list;
  }
  int count = 0;
  XineramaScreenInfo* heads = XineramaQueryScreens(display, &count);
  for (int i = 0; i < count; ++i) {
    list.push_back({heads[i].x_org, heads[i].y_org, heads[i].width, heads[i].height, false});
  }
  if (heads != nullptr) {
    XFree(heads);
  }
  return list;
}

}  // namespace

std::vector<CMonitorArea> ScreenMonitors(Display* display) {
  const std::array sources{RandrMonitors(display), XineramaHeads(display)};
  return PickMonitorList(sources, WholeScreen(display));
}

CMonitorArea FigureMonitor(Display* display) {
  const std::vector<CMonitorArea> monitors = ScreenMonitors(display);
  return monitors[FigureMonitorIndex(monitors)];
}

CMonitorArea WholeScreen(Display* display) {
  const int screen = DefaultScreen(display);
  return {0, 0, DisplayWidth(display, screen), DisplayHeight(display, screen), false};
}

Window CreateBlackTopWindow(Display* display, const CMonitorArea& area, long mask) {
  const int screen = DefaultScreen(display);
  XSetWindowAttributes attributes{};
  attributes.override_redirect = True;
  attributes.background_pixel = BlackPixel(display, screen);
  attributes.event_mask = mask;
  // X has no windows of size 0.
  const Window window =
      XCreateWindow(display, RootWindow(display, screen), area.x, area.y,
                    static_cast<unsigned>(std::max(area.width, 1)),
                    static_cast<unsigned>(std::max(area.height, 1)), 0,
                    DefaultDepth(display, screen), InputOutput, DefaultVisual(display, screen),
                    CWOverrideRedirect | CWBackPixel | CWEventMask, &attributes);
  if (window != None) {
    XStoreName(display, window, "Spirandel");
  }
  return window;
}

void FitCoverToMonitors(Display* display, Window cover) {
  // The monitors' bounding box, not the screen's size as Xlib holds it: RandR's updates of
  // that size know only the first of several X screens joined by Xinerama.
  const std::vector<CMonitorArea> monitors = ScreenMonitors(display);
  int left = monitors.front().x;
  int top = monitors.front().y;
  int right = left + monitors.front().width;
  int bottom = top + monitors.front().height;
  for (const CMonitorArea& monitor : monitors) {
    left = std::min(left, monitor.x);
    top = std::min(top, monitor.y);
    right = std::max(right, monitor.x + monitor.width);
    bottom = std::max(bottom, monitor.y + monitor.height);
  }
  XMoveResizeWindow(display, cover, left, top, static_cast<unsigned>(right - left),
                    static_cast<unsigned>(bottom - top));
  int eventBase = 0;
  int errorBase = 0;
  if (!XShapeQueryExtension(display, &eventBase, &errorBase)) {
    return;
  }
  // Protocol rectangles have 16-bit fields, as have the coordinates of every window.
  std::vector<XRectangle> shape;
  for (const CMonitorArea& monitor : monitors) {
    shape.push_back({static_cast<short>(monitor.x - left), static_cast<short>(monitor.y - top),
                     static_cast<unsigned short>(monitor.width),
                     static_cast<unsigned short>(monitor.height)});
  }
  XShapeCombineRectangles(display, cover, ShapeBounding, 0, 0, shape.data(),
                          static_cast<int>(shape.size()), ShapeSet, Unsorted);
}
