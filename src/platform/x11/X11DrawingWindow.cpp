#include "platform/x11/X11DrawingWindow.h"

#include <X11/Xutil.h>
#include <X11/extensions/Xrandr.h>

#include <algorithm>
#include <bit>
#include <chrono>
#include <ctime>
#include <thread>

#include "app/KeyMap.h"
#include "platform/x11/X11Errors.h"
#include "platform/x11/X11Monitors.h"

namespace {

constexpr long kOwnWindowEvents = ExposureMask | StructureNotifyMask;
constexpr long kFullScreenEvents =
    kOwnWindowEvents | KeyPressMask | ButtonPressMask | PointerMotionMask | FocusChangeMask;

// X has no windows of size 0; the engine still hears the real size.
unsigned WindowSide(int side) {
  return static_cast<unsigned>(std::max(side, 1));
}

void WaitForMap(Display* display, Window window) {
  XEvent event;
  XPeekIfEvent(
      display, &event,
      [](Display*, XEvent* e, XPointer arg) -> Bool {
        return e->type == MapNotify && e->xmap.window == *reinterpret_cast<Window*>(arg);
      },
      reinterpret_cast<XPointer>(&window));
}

// An override-redirect window of the screen's default visual, its background black.
Window CreateTopWindow(Display* display, const CMonitorArea& area, long events) {
  const int screen = DefaultScreen(display);
  XSetWindowAttributes attributes{};
  attributes.override_redirect = True;
  attributes.background_pixel = BlackPixel(display, screen);
  attributes.event_mask = events;
  const Window window = XCreateWindow(
      display, RootWindow(display, screen), area.x, area.y, WindowSide(area.width),
      WindowSide(area.height), 0, DefaultDepth(display, screen), InputOutput,
      DefaultVisual(display, screen), CWOverrideRedirect | CWBackPixel | CWEventMask, &attributes);
  XStoreName(display, window, "Spirandel");
  return window;
}

// A window id from outside: false, quietly, when it names no window.
bool ReadHostWindow(Display* display, Window window, XWindowAttributes& attributes) {
  return XGetWindowAttributes(display, window, &attributes) && TakeX11Error(display) == Success;
}

}  // namespace

CX11DrawingWindow::CX11DrawingWindow(Display* display, SaverSettings& settings, Kind kind,
                                     Window window, Window parent, Visual* visual, int depth,
                                     int width, int height)
    : CCoreSaverWndHost(settings, kind == Kind::kFullScreen, width, height),
      m_display(display),
      m_settings(settings),
      m_kind(kind),
      m_window(window),
      m_parent(parent),
      m_visual(visual),
      m_depth(depth),
      m_presenter(display, window, visual, depth),
      m_cursors(display) {}

CX11DrawingWindow::~CX11DrawingWindow() {
  if (!m_gone) {
    Close();
  }
}

std::unique_ptr<CX11DrawingWindow> CX11DrawingWindow::CreateFullScreen(Display* display,
                                                                       SaverSettings& settings) {
  const int screen = DefaultScreen(display);
  const CMonitorArea area = FigureMonitor(display);
  const Window window = CreateTopWindow(display, area, kFullScreenEvents);
  if (window == None) {
    return nullptr;
  }
  std::unique_ptr<CX11DrawingWindow> self(new CX11DrawingWindow(
      display, settings, Kind::kFullScreen, window, None, DefaultVisual(display, screen),
      DefaultDepth(display, screen), area.width, area.height));
  XDefineCursor(display, window, self->m_cursors.m_invisible);
  self->m_cover = CreateTopWindow(display, WholeScreen(display), NoEventMask);
  FitCoverToMonitors(display, self->m_cover);
  XDefineCursor(display, self->m_cover, self->m_cursors.m_invisible);
  self->m_keyboard = std::make_unique<CX11Keyboard>(display);
  if (!self->m_core.StartEngine()) {
    return nullptr;
  }
  // A change of monitors moves the figure to its monitor and the cover over them all.
  const Window root = RootWindow(display, screen);
  XSelectInput(display, root, StructureNotifyMask);
  int errorBase = 0;
  if (XRRQueryExtension(display, &self->m_randrEventBase, &errorBase)) {
    XRRSelectInput(display, root, RRScreenChangeNotifyMask);
  }
  XGetInputFocus(display, &self->m_focusBefore, &self->m_revertBefore);
  XMapWindow(display, self->m_cover);
  XMapRaised(display, window);
  WaitForMap(display, window);
  self->GrabInput();
  // Windows reports the pointer's position when the saver window appears under it; that
  // report is the start position, so the first real movement already ends the saver.
  Window rootReturn = None;
  Window child = None;
  int rootX = 0;
  int rootY = 0;
  int x = 0;
  int y = 0;
  unsigned mask = 0;
  if (XQueryPointer(display, window, &rootReturn, &child, &rootX, &rootY, &x, &y, &mask)) {
    self->m_core.Saver()->OnMouseMove(x, y);
  }
  return self;
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
  std::unique_ptr<CX11DrawingWindow> self(
      new CX11DrawingWindow(display, settings, Kind::kChild, window, parent, host.visual,
                            host.depth, host.width, host.height));
  XDefineCursor(display, window, self->m_cursors.m_invisible);
  if (!self->m_core.StartEngine()) {
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
  std::unique_ptr<CX11DrawingWindow> self(
      new CX11DrawingWindow(display, settings, Kind::kAdopted, window, None, host.visual,
                            host.depth, host.width, host.height));
  if (!self->m_core.StartEngine()) {
    return nullptr;
  }
  // The host's window is on screen already and sends no exposure for it: start black, as a
  // new window would.
  self->m_core.Erase(0, 0, host.width, host.height, false);
  return self;
}

void CX11DrawingWindow::StartAfresh() {
  if (m_gone) {
    return;
  }
  if (!m_core.StartAfresh()) {
    PostClose();
  }
}

void CX11DrawingWindow::GrabInput() {
  // Another client (a menu, a host that has not let go yet) may hold a grab for a moment.
  // The pointer is free to move over every monitor: a move anywhere ends the saver.
  for (int attempt = 0; attempt < 40; ++attempt) {
    const int keyboard =
        XGrabKeyboard(m_display, m_window, True, GrabModeAsync, GrabModeAsync, CurrentTime);
    const int pointer =
        XGrabPointer(m_display, m_window, True, ButtonPressMask | PointerMotionMask, GrabModeAsync,
                     GrabModeAsync, None, m_cursors.m_invisible, CurrentTime);
    if (keyboard == GrabSuccess && pointer == GrabSuccess) {
      m_grabbed = true;
      break;
    }
    XUngrabKeyboard(m_display, CurrentTime);
    XUngrabPointer(m_display, CurrentTime);
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
  }
  XSetInputFocus(m_display, m_window, RevertToParent, CurrentTime);
  TakeX11Error(m_display);
}

void CX11DrawingWindow::Close() {
  m_gone = true;
  m_core.Stop();
  if (X11ConnectionLost()) {
    return;
  }
  // The focus goes back unless another window has taken it (which ended the saver).
  Window focus = None;
  int revert = 0;
  if (m_focusBefore != None) {
    XGetInputFocus(m_display, &focus, &revert);
  }
  if (m_grabbed) {
    XUngrabPointer(m_display, CurrentTime);
    XUngrabKeyboard(m_display, CurrentTime);
    m_grabbed = false;
  }
  if (m_kind != Kind::kAdopted) {
    XDestroyWindow(m_display, m_window);
  }
  if (m_cover != None) {
    XDestroyWindow(m_display, m_cover);
  }
  if (focus == m_window) {
    // The window that had the focus may be gone or hidden by now: then X keeps it where
    // it went when the saver window was destroyed.
    XSetInputFocus(m_display, m_focusBefore, m_revertBefore, CurrentTime);
    TakeX11Error(m_display);
  }
  XFlush(m_display);
}

void CX11DrawingWindow::FollowScreen() {
  const CMonitorArea area = FigureMonitor(m_display);
  XMoveResizeWindow(m_display, m_window, area.x, area.y, WindowSide(area.width),
                    WindowSide(area.height));
  FitCoverToMonitors(m_display, m_cover);
}

void CX11DrawingWindow::ReleaseDC(IDrawingSurface&) {
  Present();
}

void CX11DrawingWindow::Present() {
  if (!m_core.TakeChange(m_change)) {
    return;
  }
  const CRasterCanvas& canvas = m_core.Canvas();
  if (m_change.onlyFills) {
    // What changed is black: the server fills it, exactly as the canvas did.
    for (const CRect& fill : m_change.fills) {
      m_presenter.FillBlack(canvas.Width(), canvas.Height(), fill.left, fill.top,
                            fill.right - fill.left, fill.bottom - fill.top);
    }
    return;
  }
  const CRect& dirty = m_change.dirty;
  m_presenter.Present(canvas.Pixels(), canvas.Width(), canvas.Height(), dirty.left, dirty.top,
                      dirty.right - dirty.left, dirty.bottom - dirty.top);
}

void CX11DrawingWindow::ShowCursor(Cursor cursor) {
  if (m_kind != Kind::kFullScreen || m_gone) {
    return;
  }
  XDefineCursor(m_display, m_window, cursor);
  if (m_grabbed) {
    XChangeActivePointerGrab(m_display, ButtonPressMask | PointerMotionMask, cursor, CurrentTime);
  }
  XFlush(m_display);
}

void CX11DrawingWindow::ShowWaitCursor() {
  ShowCursor(m_cursors.Wait());
}

void CX11DrawingWindow::ShowInvisibleCursor() {
  ShowCursor(m_cursors.m_invisible);
}

int CX11DrawingWindow::CaptureClientArea(int width, int height, std::vector<std::uint8_t>& storage,
                                         CDeviceBitmap& bitmap) {
  width = std::min(width, m_core.Width());
  height = std::min(height, m_core.Height());
  if (width < 1 || height < 1) {
    bitmap = CDeviceBitmap{};
    return 0;
  }
  // What the window shows, read back from the server; the canvas is the same picture and
  // stands in when the server cannot give it (an unmapped window).
  XImage* image = XGetImage(m_display, m_window, 0, 0, static_cast<unsigned>(width),
                            static_cast<unsigned>(height), AllPlanes, ZPixmap);
  const bool fromServer = TakeX11Error(m_display) == Success && image != nullptr;
  const auto channel = [](unsigned long pixel, unsigned long mask) {
    if (mask == 0) {
      return 0u;
    }
    const int shift = std::countr_zero(mask);
    const unsigned long top = mask >> shift;
    return static_cast<unsigned>(((pixel & mask) >> shift) * 255 / top);
  };
  const int captured =
      m_core.Capture(width, height, storage, bitmap, [&](int x, int y) -> std::uint32_t {
        if (!fromServer) {
          return m_core.CanvasPixel(x, y);
        }
        const unsigned long pixel = XGetPixel(image, x, y);
        return (channel(pixel, m_visual->red_mask) << 16) |
               (channel(pixel, m_visual->green_mask) << 8) | channel(pixel, m_visual->blue_mask);
      });
  if (image != nullptr) {
    XDestroyImage(image);
  }
  return captured;
}

void CX11DrawingWindow::HandleEvent(XEvent& event) {
  if (m_gone) {
    return;
  }
  if (m_keyboard) {
    m_keyboard->HandleEvent(event);
  }
  switch (event.type) {
    case Expose:
      if (event.xexpose.window == m_window) {
        m_core.Erase(event.xexpose.x, event.xexpose.y, event.xexpose.x + event.xexpose.width,
                     event.xexpose.y + event.xexpose.height, m_kind == Kind::kFullScreen);
      }
      break;
    case ConfigureNotify:
      if (event.xconfigure.window == m_window) {
        m_core.Resize(event.xconfigure.width, event.xconfigure.height);
      } else if (m_kind == Kind::kFullScreen &&
                 event.xconfigure.window == DefaultRootWindow(m_display)) {
        XRRUpdateConfiguration(&event);
        FollowScreen();
      } else if (m_kind == Kind::kChild && event.xconfigure.window == m_parent) {
        XResizeWindow(m_display, m_window, WindowSide(event.xconfigure.width),
                      WindowSide(event.xconfigure.height));
      }
      break;
    case DestroyNotify:
      if (event.xdestroywindow.window == m_window || event.xdestroywindow.window == m_parent) {
        m_gone = true;
        m_core.Stop();
      }
      break;
    case MotionNotify:
      if (m_core.Saver() != nullptr) {
        m_core.Saver()->OnMouseMove(event.xmotion.x, event.xmotion.y);
      }
      break;
    case ButtonPress:
      // Buttons 4 to 7 are the wheel, which Windows does not report as a button press.
      if (m_core.Saver() != nullptr && event.xbutton.button >= Button1 &&
          event.xbutton.button <= Button3) {
        m_core.Saver()->OnButtonDown();
      }
      break;
    case KeyPress:
      HandleKey(event.xkey);
      break;
    case FocusOut:
      HandleFocusOut(event.xfocus);
      break;
    default:
      if (m_kind == Kind::kFullScreen && m_randrEventBase >= 0 &&
          event.type == m_randrEventBase + RRScreenChangeNotify) {
        XRRUpdateConfiguration(&event);
        FollowScreen();
      }
      break;
  }
}

void CX11DrawingWindow::HandleKey(XKeyEvent& event) {
  if (m_core.Saver() == nullptr) {
    return;
  }
  const std::uint32_t virtualKey = m_keyboard->VirtualKey(event);
  if (IsSystemKey(virtualKey, (event.state & Mod1Mask) != 0, (event.state & ControlMask) != 0)) {
    m_core.Saver()->OnSysKeyDown(virtualKey);
  } else {
    m_core.Saver()->OnKeyDown(virtualKey);
  }
}

void CX11DrawingWindow::HandleFocusOut(const XFocusChangeEvent& event) {
  if (m_core.Saver() == nullptr || event.window != m_window) {
    return;
  }
  // Focus moving inside the window, or following the pointer, is no loss of activation;
  // our own grab ending at close is not either.
  if (event.detail == NotifyInferior || event.detail == NotifyPointer ||
      event.mode == NotifyUngrab) {
    return;
  }
  m_core.Saver()->OnActivate(0);
}

void CX11DrawingWindow::DeliverTimer(std::uint32_t id) {
  if (!m_gone) {
    m_core.DeliverTimer(id);
  }
}

void CX11DrawingWindow::ProcessCloseRequest() {
  if (m_closeRequested && !m_gone) {
    Close();
  }
}
