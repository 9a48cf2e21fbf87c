#pragma once

#include <X11/Xlib.h>

// A rectangle of the screen in root-window pixels.
struct CScreenArea {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// The primary monitor, as RandR names it among its monitors; without one marked primary
// (or without RandR 1.5) the whole screen.
CScreenArea PrimaryMonitor(Display* display);

// The whole screen, every monitor on it.
CScreenArea WholeScreen(Display* display);
