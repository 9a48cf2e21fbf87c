#include "platform/x11/X11DrawingWindow.h"

#include <X11/Xutil.h>

#include <algorithm>
#include <bit>

#include "platform/x11/X11Errors.h"
#include "platform/x11/X11Monitors.h"

namespace {

constexpr long kOwnWindowEvents = ExposureMask | StructureNotifyMask;
constexpr long kTopWindowEvents =
    kOwnWindowEvents | KeyPressMask | ButtonPressMask | PointerMotionMask | FocusChangeMask;

// X has no windows of size 0; the engine still hears the real size.
unsigned WindowSide(int side) {
  return static_cast<unsigned>(std::max(side, 1));
}

// A window id from outside: false, quietly, when it names no window.
bool ReadHostWindow(Display* display, Window window, XWindowAttributes& attributes) {
  return XGetWindowAttributes(display, window, &attributes) && TakeX11Error(display) == Success;
}

// An 8-bit channel from a pixel value under a mask of any width and position.
unsigned Channel(unsigned long pixel, unsigned long mask) {
  if (mask == 0) {
    return 0;
  }
  const int shift = std::countr_zero(mask);
  const unsigned long top = mask >> shift;
  return static_cast<unsigned>(((pixel & mask) >> shift) * 255 / top);
}

}  // namespace

CX11DrawingWindow::CX11DrawingWindow(Display* display, SaverSettings& settings, Kind kind,
                                     Window window, Window parent, Visual* visual, int depth)
    : m_display(display),
      m_kind(kind),
      m_window(window),
      m_parent(parent),
      m_visual(visual),
      m_presenter(display, window, visual, depth),
      m_cursors(display),
      m_core(settings, *this, kind == Kind::kTop) {}

CX11DrawingWindow::~CX11DrawingWindow() {
  m_core.Stop();
  if (m_kind != Kind::kAdopted && !m_gone && !X11ConnectionLost()) {
    XDestroyWindow(m_display, m_window);
  }
}

bool CX11DrawingWindow::Start(int width, int height) {
  if (m_kind != Kind::kAdopted) {
    XDefineCursor(m_display, m_window, m_cursors.m_invisible);
  }
  return m_core.Start(width, height);
}

std::unique_ptr<CX11DrawingWindow> CX11DrawingWindow::CreateTop(Display* display,
                                                                SaverSettings& settings,
                                                                const CMonitorArea& area) {
  const int screen = DefaultScreen(display);
  const Window window = CreateBlackTopWindow(display, area, kTopWindowEvents);
  if (window == None) {
    return nullptr;
  }
  std::unique_ptr<CX11DrawingWindow> self(
      new CX11DrawingWindow(display, settings, Kind::kTop, window, None,
                            DefaultVisual(display, screen), DefaultDepth(display, screen)));
  return self->Start(area.width, area.height) ? std::move(self) : nullptr;
}

std::unique_ptr<CX11DrawingWindow> CX11DrawingWindow::CreateChild(Display* display,
                                                                  SaverSettings& settings,
                                                                  Window parent) {
  XWindowAttributes host{};
  if (!ReadHostWindow(display, parent, host)) {
    return nullptr;
  }
  XSetWindowAttributes attributes{};
  attributes.background_pixel = 0;
  attributes.event_mask = kOwnWindowEvents;
  const Window window = XCreateWindow(display, parent, 0, 0, WindowSide(host.width),
                                      WindowSide(host.height), 0, CopyFromParent, InputOutput,
                                      CopyFromParent, CWBackPixel | CWEventMask, &attributes);
  // Following the host's size, and noticing its end, needs its structure events.
  XSelectInput(display, parent, StructureNotifyMask);
  if (window == None || TakeX11Error(display) != Success) {
    return nullptr;
  }
  std::unique_ptr<CX11DrawingWindow> self(new CX11DrawingWindow(
      display, settings, Kind::kChild, window, parent, host.visual, host.depth));
  if (!self->Start(host.width, host.height)) {
    return nullptr;
  }
  XMapWindow(display, window);
  return self;
}

std::unique_ptr<CX11DrawingWindow> CX11DrawingWindow::Adopt(Display* display,
                                                            SaverSettings& settings,
                                                            Window window) {
  XWindowAttributes host{};
  if (!ReadHostWindow(display, window, host)) {
    return nullptr;
  }
  XSelectInput(display, window, kOwnWindowEvents);
  if (TakeX11Error(display) != Success) {
    return nullptr;
  }
  std::unique_ptr<CX11DrawingWindow> self(new CX11DrawingWindow(
      display, settings, Kind::kAdopted, window, None, host.visual, host.depth));
  // The host's window is on screen already and sends no exposure for it: the start's erase
  // makes it black, as a new window would be.
  return self->Start(host.width, host.height) ? std::move(self) : nullptr;
}

void CX11DrawingWindow::HandleEvent(const XEvent& event) {
  if (m_gone || m_presenter.HandleEvent(event)) {
    return;
  }
  switch (event.type) {
    case Expose:
      if (event.xexpose.window == m_window) {
        // The top window's background is black: the screen shows black there already.
        m_core.Erase({event.xexpose.x, event.xexpose.y, event.xexpose.x + event.xexpose.width,
                      event.xexpose.y + event.xexpose.height},
                     m_kind == Kind::kTop);
      }
      break;
    case ConfigureNotify:
      if (event.xconfigure.window == m_window) {
        m_core.Resize(event.xconfigure.width, event.xconfigure.height);
      } else if (m_kind == Kind::kChild && event.xconfigure.window == m_parent) {
        XResizeWindow(m_display, m_window, WindowSide(event.xconfigure.width),
                      WindowSide(event.xconfigure.height));
      }
      break;
    case DestroyNotify:
      if (event.xdestroywindow.window == m_window ||
          (m_parent != None && event.xdestroywindow.window == m_parent)) {
        m_gone = true;
        m_core.Stop();
      }
      break;
    default:
      break;
  }
}

void CX11DrawingWindow::Present(const CRasterCanvas& canvas, const SCanvasChange& change) {
  if (change.onlyFills) {
    // What changed is black: the server fills it, exactly as the canvas did.
    for (const CRect& fill : change.fills) {
      m_presenter.FillBlack(canvas.Width(), canvas.Height(), fill.left, fill.top,
                            fill.right - fill.left, fill.bottom - fill.top);
    }
    return;
  }
  const CRect& dirty = change.dirty;
  m_presenter.Present(canvas.Pixels(), canvas.Width(), canvas.Height(), dirty.left, dirty.top,
                      dirty.right - dirty.left, dirty.bottom - dirty.top);
}

bool CX11DrawingWindow::ReadShown(int width, int height, std::vector<std::uint32_t>& pixels) {
  // An unmapped window cannot be read: the server says so with an error.
  XImage* image = XGetImage(m_display, m_window, 0, 0, static_cast<unsigned>(width),
                            static_cast<unsigned>(height), AllPlanes, ZPixmap);
  if (TakeX11Error(m_display) != Success || image == nullptr) {
    if (image != nullptr) {
      XDestroyImage(image);
    }
    return false;
  }
  pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const unsigned long pixel = XGetPixel(image, x, y);
      pixels[static_cast<std::size_t>(y) * width + x] =
          (Channel(pixel, m_visual->red_mask) << 16) | (Channel(pixel, m_visual->green_mask) << 8) |
          Channel(pixel, m_visual->blue_mask);
    }
  }
  XDestroyImage(image);
  return true;
}

void CX11DrawingWindow::ShowCursor(DisplayCursor cursor) {
  if (m_gone) {
    return;
  }
  const Cursor shown = cursor == DisplayCursor::kWait ? m_cursors.Wait() : m_cursors.m_invisible;
  XDefineCursor(m_display, m_window, shown);
  if (m_pointerGrabbed) {
    XChangeActivePointerGrab(m_display, ButtonPressMask | PointerMotionMask, shown, CurrentTime);
  }
  XFlush(m_display);
}
