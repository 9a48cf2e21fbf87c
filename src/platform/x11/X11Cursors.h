#pragma once

#include <X11/Xlib.h>

// The saver's cursors: a 32 x 32 cursor whose every pixel is transparent, hot spot (0, 0),
// and the system's wait cursor shown while a screenshot is written. The wait cursor is made
// at its first use: loading the cursor theme takes tens of milliseconds, which the start
// of the saver should not wait for.
struct CX11Cursors {
  explicit CX11Cursors(Display* display);
  ~CX11Cursors();
  CX11Cursors(const CX11Cursors&) = delete;
  CX11Cursors& operator=(const CX11Cursors&) = delete;

  Cursor Wait();

  Display* m_display;
  Cursor m_invisible = None;
  Cursor m_wait = None;
};
