#include "platform/x11/X11FullScreen.h"

#include <X11/extensions/Xrandr.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "platform/x11/X11Errors.h"
#include "platform/x11/X11Monitors.h"

namespace {

void WaitForMap(Display* display, Window window) {
  XEvent event;
  XPeekIfEvent(
      display, &event,
      [](Display*, XEvent* e, XPointer arg) -> Bool {
        return e->type == MapNotify && e->xmap.window == *reinterpret_cast<Window*>(arg);
      },
      reinterpret_cast<XPointer>(&window));
}

// The black window under the figure's, over every monitor, with no events of its own.
Window CreateCover(Display* display, Cursor cursor) {
  const Window cover = CreateBlackTopWindow(display, WholeScreen(display), NoEventMask);
  XDefineCursor(display, cover, cursor);
  FitCoverToMonitors(display, cover);
  return cover;
}

}  // namespace

CX11FullScreen::CX11FullScreen(Display* display, std::unique_ptr<CX11DrawingWindow> window)
    : m_display(display), m_window(std::move(window)), m_keyboard(display) {}

std::unique_ptr<CX11FullScreen> CX11FullScreen::Create(Display* display, SaverSettings& settings) {
  auto window = CX11DrawingWindow::CreateTop(display, settings, FigureMonitor(display));
  if (!window) {
    return nullptr;
  }
  std::unique_ptr<CX11FullScreen> self(new CX11FullScreen(display, std::move(window)));
  const ::Window figure = self->m_window->Handle();
  self->m_cover = CreateCover(display, self->m_window->Cursors().m_invisible);
  // A change of monitors moves the figure to its monitor and the cover over them all.
  const ::Window root = DefaultRootWindow(display);
  XSelectInput(display, root, StructureNotifyMask);
  int errorBase = 0;
  if (XRRQueryExtension(display, &self->m_randrEventBase, &errorBase)) {
    XRRSelectInput(display, root, RRScreenChangeNotifyMask);
  } else {
    self->m_randrEventBase = -1;
  }
  XGetInputFocus(display, &self->m_focusBefore, &self->m_revertBefore);
  XMapWindow(display, self->m_cover);
  XMapRaised(display, figure);
  WaitForMap(display, figure);
  self->GrabInput();
  // Windows reports the pointer's position when the saver window appears under it; that
  // report is the start position, so the first real movement already ends the saver.
  ::Window rootReturn = None;
  ::Window child = None;
  int rootX = 0;
  int rootY = 0;
  int x = 0;
  int y = 0;
  unsigned mask = 0;
  if (XQueryPointer(display, figure, &rootReturn, &child, &rootX, &rootY, &x, &y, &mask)) {
    self->m_window->Core().AddPointerEnter(0, x, y);
  }
  return self;
}

CX11FullScreen::~CX11FullScreen() {
  if (X11ConnectionLost()) {
    return;
  }
  const ::Window figure = m_window->Handle();
  // The focus goes back unless another window has taken it (which ended the saver).
  ::Window focus = None;
  int revert = 0;
  if (m_focusBefore != None) {
    XGetInputFocus(m_display, &focus, &revert);
  }
  if (m_grabbed) {
    XUngrabPointer(m_display, CurrentTime);
    XUngrabKeyboard(m_display, CurrentTime);
  }
  m_window.reset();
  if (m_cover != None) {
    XDestroyWindow(m_display, m_cover);
  }
  if (focus == figure) {
    // The window that had the focus may be gone or hidden by now: then X keeps it where
    // it went when the saver window was destroyed.
    XSetInputFocus(m_display, m_focusBefore, m_revertBefore, CurrentTime);
    TakeX11Error(m_display);
  }
  XFlush(m_display);
}

void CX11FullScreen::GrabInput() {
  const ::Window figure = m_window->Handle();
  const Cursor invisible = m_window->Cursors().m_invisible;
  // Another client (a menu, a host that has not let go yet) may hold a grab for a moment.
  // The pointer is free to move over every monitor: a move anywhere ends the saver.
  for (int attempt = 0; attempt < 40; ++attempt) {
    const int keyboard =
        XGrabKeyboard(m_display, figure, True, GrabModeAsync, GrabModeAsync, CurrentTime);
    const int pointer = XGrabPointer(m_display, figure, True, ButtonPressMask | PointerMotionMask,
                                     GrabModeAsync, GrabModeAsync, None, invisible, CurrentTime);
    if (keyboard == GrabSuccess && pointer == GrabSuccess) {
      m_grabbed = true;
      break;
    }
    XUngrabKeyboard(m_display, CurrentTime);
    XUngrabPointer(m_display, CurrentTime);
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
  }
  m_window->SetPointerGrabbed(m_grabbed);
  XSetInputFocus(m_display, figure, RevertToParent, CurrentTime);
  TakeX11Error(m_display);
}

void CX11FullScreen::FollowScreen() {
  const CMonitorArea area = FigureMonitor(m_display);
  XMoveResizeWindow(m_display, m_window->Handle(), area.x, area.y,
                    static_cast<unsigned>(std::max(area.width, 1)),
                    static_cast<unsigned>(std::max(area.height, 1)));
  FitCoverToMonitors(m_display, m_cover);
}

void CX11FullScreen::HandleEvent(XEvent& event) {
  m_keyboard.HandleEvent(event);
  m_window->HandleEvent(event);
  if (m_window->Gone()) {
    return;
  }
  CDrawingWindowCore& core = m_window->Core();
  switch (event.type) {
    case MotionNotify:
      core.AddPointerMotion(event.xmotion.x, event.xmotion.y);
      break;
    case ButtonPress:
      core.AddButton(event.xbutton.button, true);
      break;
    case KeyPress:
      HandleKey(event.xkey);
      break;
    case FocusOut:
      HandleFocusOut(event.xfocus);
      break;
    case ConfigureNotify:
      if (event.xconfigure.window == DefaultRootWindow(m_display)) {
        XRRUpdateConfiguration(&event);
        FollowScreen();
      }
      break;
    default:
      if (m_randrEventBase >= 0 && event.type == m_randrEventBase + RRScreenChangeNotify) {
        XRRUpdateConfiguration(&event);
        FollowScreen();
      }
      break;
  }
}

void CX11FullScreen::HandleKey(XKeyEvent& event) {
  m_window->Core().AddKey(m_keyboard.VirtualKey(event), true,
                          {(event.state & Mod1Mask) != 0, (event.state & ControlMask) != 0});
}

void CX11FullScreen::HandleFocusOut(const XFocusChangeEvent& event) {
  // Focus moving inside the window, or following the pointer, is no loss of activation;
  // our own grab ending at close is not either.
  if (event.window != m_window->Handle() || event.detail == NotifyInferior ||
      event.detail == NotifyPointer || event.mode == NotifyUngrab) {
    return;
  }
  m_window->Core().AddFocusLost();
}
