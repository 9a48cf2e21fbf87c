#include "platform/x11/X11Cursors.h"

#include <X11/cursorfont.h>

CX11Cursors::CX11Cursors(Display* display) : m_display(display) {
  const Window root = DefaultRootWindow(display);
  const Pixmap mask = XCreatePixmap(display, root, 32, 32, 1);
  // A new pixmap's contents are undefined: clear both the shape and the mask.
  GC gc = XCreateGC(display, mask, 0, nullptr);
  XSetForeground(display, gc, 0);
  XFillRectangle(display, mask, gc, 0, 0, 32, 32);
  XFreeGC(display, gc);
  XColor black{};
  m_invisible = XCreatePixmapCursor(display, mask, mask, &black, &black, 0, 0);
  XFreePixmap(display, mask);
}

CX11Cursors::~CX11Cursors() {
  XFreeCursor(m_display, m_invisible);
  if (m_wait != None) {
    XFreeCursor(m_display, m_wait);
  }
}

Cursor CX11Cursors::Wait() {
  if (m_wait == None) {
    m_wait = XCreateFontCursor(m_display, XC_watch);
  }
  return m_wait;
}
