#include "platform/x11/X11DrawingWindow.h"

#include <X11/Xutil.h>
#include <X11/extensions/Xrandr.h>

#include <algorithm>
#include <bit>
#include <chrono>
#include <ctime>
#include <thread>

#include "platform/x11/EraseSurface.h"
#include "platform/x11/KeyMap.h"
#include "platform/x11/X11Errors.h"

namespace {

constexpr long kOwnWindowEvents = ExposureMask | StructureNotifyMask;
constexpr long kFullScreenEvents =
    kOwnWindowEvents | KeyPressMask | ButtonPressMask | PointerMotionMask | FocusChangeMask;

struct CScreenArea {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// The primary monitor as RandR names it; without one (or without RandR) the whole screen.
CScreenArea PrimaryMonitor(Display* display) {
  const int screen = DefaultScreen(display);
  CScreenArea area{0, 0, DisplayWidth(display, screen), DisplayHeight(display, screen)};
  int eventBase = 0;
  int errorBase = 0;
  if (!XRRQueryExtension(display, &eventBase, &errorBase)) {
    return area;
  }
  const Window root = RootWindow(display, screen);
  const RROutput primary = XRRGetOutputPrimary(display, root);
  XRRScreenResources* resources = XRRGetScreenResourcesCurrent(display, root);
  if (primary == None || resources == nullptr) {
    if (resources != nullptr) {
      XRRFreeScreenResources(resources);
    }
    return area;
  }
  if (XRROutputInfo* output = XRRGetOutputInfo(display, resources, primary)) {
    if (output->crtc != None) {
      if (XRRCrtcInfo* crtc = XRRGetCrtcInfo(display, resources, output->crtc)) {
        if (crtc->width > 0 && crtc->height > 0) {
          area = {crtc->x, crtc->y, static_cast<int>(crtc->width), static_cast<int>(crtc->height)};
        }
        XRRFreeCrtcInfo(crtc);
      }
    }
    XRRFreeOutputInfo(output);
  }
  XRRFreeScreenResources(resources);
  return area;
}

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

}  // namespace

CX11DrawingWindow::CX11DrawingWindow(Display* display, Kind kind, Window window, Window parent,
                                     Visual* visual, int depth, int width, int height)
    : m_display(display),
      m_kind(kind),
      m_window(window),
      m_parent(parent),
      m_visual(visual),
      m_depth(depth),
      m_width(width),
      m_height(height),
      m_canvas(std::max(width, 1), std::max(height, 1)),
      m_presenter(display, window, visual, depth),
      m_cursors(display) {}

CX11DrawingWindow::~CX11DrawingWindow() {
  if (!m_gone && m_kind != Kind::kAdopted) {
    XDestroyWindow(m_display, m_window);
  }
  if (m_grabbed) {
    XUngrabPointer(m_display, CurrentTime);
    XUngrabKeyboard(m_display, CurrentTime);
  }
  XFlush(m_display);
}

std::unique_ptr<CX11DrawingWindow> CX11DrawingWindow::CreateFullScreen(Display* display,
                                                                       SaverSettings& settings) {
  const int screen = DefaultScreen(display);
  const CScreenArea area = PrimaryMonitor(display);
  XSetWindowAttributes attributes{};
  attributes.override_redirect = True;
  attributes.background_pixel = BlackPixel(display, screen);
  attributes.event_mask = kFullScreenEvents;
  const Window window = XCreateWindow(
      display, RootWindow(display, screen), area.x, area.y, WindowSide(area.width),
      WindowSide(area.height), 0, DefaultDepth(display, screen), InputOutput,
      DefaultVisual(display, screen), CWOverrideRedirect | CWBackPixel | CWEventMask, &attributes);
  if (window == None) {
    return nullptr;
  }
  XStoreName(display, window, "Spirandel");
  std::unique_ptr<CX11DrawingWindow> self(new CX11DrawingWindow(
      display, Kind::kFullScreen, window, None, DefaultVisual(display, screen),
      DefaultDepth(display, screen), area.width, area.height));
  XDefineCursor(display, window, self->m_cursors.m_invisible);
  auto saver = std::make_unique<CSaverWnd>(settings, *self);
  self->m_saver = saver.get();
  if (!self->StartEngine(std::move(saver))) {
    return nullptr;
  }
  XMapRaised(display, window);
  WaitForMap(display, window);
  self->GrabInput();
  // Windows reports the pointer's position when the saver window appears under it; that
  // report is the start position, so the first real movement already ends the saver.
  Window root = None;
  Window child = None;
  int rootX = 0;
  int rootY = 0;
  int x = 0;
  int y = 0;
  unsigned mask = 0;
  if (XQueryPointer(display, window, &root, &child, &rootX, &rootY, &x, &y, &mask)) {
    self->m_saver->OnMouseMove(x, y);
  }
  return self;
}

std::unique_ptr<CX11DrawingWindow> CX11DrawingWindow::CreateChild(Display* display,
                                                                  SaverSettings& settings,
                                                                  Window parent) {
  XWindowAttributes host{};
  if (!XGetWindowAttributes(display, parent, &host) || TakeX11Error(display) != Success) {
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
      display, Kind::kChild, window, parent, host.visual, host.depth, host.width, host.height));
  XDefineCursor(display, window, self->m_cursors.m_invisible);
  if (!self->StartEngine(std::make_unique<CCurveWnd>(settings, *self, 1))) {
    return nullptr;
  }
  XMapWindow(display, window);
  return self;
}

std::unique_ptr<CX11DrawingWindow> CX11DrawingWindow::Adopt(Display* display,
                                                            SaverSettings& settings,
                                                            Window window) {
  XWindowAttributes host{};
  if (!XGetWindowAttributes(display, window, &host) || TakeX11Error(display) != Success) {
    return nullptr;
  }
  XSelectInput(display, window, kOwnWindowEvents);
  if (TakeX11Error(display) != Success) {
    return nullptr;
  }
  std::unique_ptr<CX11DrawingWindow> self(new CX11DrawingWindow(
      display, Kind::kAdopted, window, None, host.visual, host.depth, host.width, host.height));
  if (!self->StartEngine(std::make_unique<CCurveWnd>(settings, *self, 1))) {
    return nullptr;
  }
  // The host's window is on screen already and sends no exposure for it: start black, as a
  // new window would.
  self->Erase(0, 0, host.width, host.height);
  return self;
}

bool CX11DrawingWindow::StartEngine(std::unique_ptr<CCurveWnd> engine) {
  m_engine = std::move(engine);
  if (m_engine->OnCreate() == -1) {
    m_engine.reset();
    m_saver = nullptr;
    return false;
  }
  m_engine->OnSize(m_width, m_height);
  return true;
}

void CX11DrawingWindow::GrabInput() {
  // Another client (a menu, a host that has not let go yet) may hold a grab for a moment.
  for (int attempt = 0; attempt < 40; ++attempt) {
    const int keyboard =
        XGrabKeyboard(m_display, m_window, True, GrabModeAsync, GrabModeAsync, CurrentTime);
    const int pointer =
        XGrabPointer(m_display, m_window, True, ButtonPressMask | PointerMotionMask, GrabModeAsync,
                     GrabModeAsync, m_window, m_cursors.m_invisible, CurrentTime);
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

IDrawingSurface& CX11DrawingWindow::GetDC() {
  m_canvas.BeginContext();
  return m_canvas;
}

void CX11DrawingWindow::ReleaseDC(IDrawingSurface&) {
  PresentDirty();
}

void CX11DrawingWindow::PresentDirty() {
  CRect dirty;
  if (m_canvas.TakeDirtyRect(dirty)) {
    m_presenter.Present(m_canvas.Pixels(), m_canvas.Width(), m_canvas.Height(), dirty.left,
                        dirty.top, dirty.right - dirty.left, dirty.bottom - dirty.top);
  }
}

std::uint32_t CX11DrawingWindow::SetTimer(std::uint32_t id, std::uint32_t periodMs) {
  m_timers.Set(id, periodMs, CWindowTimers::Clock::now());
  return id;
}

void CX11DrawingWindow::KillTimer(std::uint32_t id) {
  m_timers.Kill(id);
}

std::uint32_t CX11DrawingWindow::TimeSeconds() {
  return static_cast<std::uint32_t>(std::time(nullptr));
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
  ShowCursor(m_cursors.m_wait);
}

void CX11DrawingWindow::ShowInvisibleCursor() {
  ShowCursor(m_cursors.m_invisible);
}

int CX11DrawingWindow::CaptureClientArea(int width, int height, std::vector<std::uint8_t>& storage,
                                         CDeviceBitmap& bitmap) {
  bitmap = CDeviceBitmap{};
  width = std::min(width, m_canvas.Width());
  height = std::min(height, m_canvas.Height());
  if (width < 1 || height < 1) {
    return 0;
  }
  storage.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
  // What the window shows, read back from the server; the canvas is the same picture and
  // stands in when the server cannot give it (an unmapped window).
  XImage* image = XGetImage(m_display, m_window, 0, 0, static_cast<unsigned>(width),
                            static_cast<unsigned>(height), AllPlanes, ZPixmap);
  const bool fromServer = TakeX11Error(m_display) == Success && image != nullptr;
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = storage.data() + static_cast<std::size_t>(y) * width * 4;
    for (int x = 0; x < width; ++x) {
      std::uint32_t rgb = 0;
      if (fromServer) {
        const unsigned long pixel = XGetPixel(image, x, y);
        const auto channel = [pixel](unsigned long mask) {
          if (mask == 0) {
            return 0u;
          }
          const int shift = std::countr_zero(mask);
          const unsigned long top = mask >> shift;
          return static_cast<unsigned>(((pixel & mask) >> shift) * 255 / top);
        };
        rgb = (channel(m_visual->red_mask) << 16) | (channel(m_visual->green_mask) << 8) |
              channel(m_visual->blue_mask);
      } else {
        rgb = m_canvas.Pixels()[static_cast<std::size_t>(y) * m_canvas.Width() + x];
      }
      row[4 * x] = static_cast<std::uint8_t>(rgb);
      row[4 * x + 1] = static_cast<std::uint8_t>(rgb >> 8);
      row[4 * x + 2] = static_cast<std::uint8_t>(rgb >> 16);
      row[4 * x + 3] = 0;
    }
  }
  if (image != nullptr) {
    XDestroyImage(image);
  }
  bitmap.width = width;
  bitmap.height = height;
  bitmap.bitsPerPixel = 32;
  bitmap.stride = width * 4;
  bitmap.bits = storage.data();
  return 1;
}

void CX11DrawingWindow::Resize(int width, int height) {
  if (width == m_width && height == m_height) {
    return;
  }
  m_width = width;
  m_height = height;
  m_canvas.Resize(std::max(width, 1), std::max(height, 1));
  if (m_engine) {
    m_engine->OnSize(width, height);
  }
}

void CX11DrawingWindow::Erase(int left, int top, int right, int bottom) {
  if (!m_engine) {
    return;
  }
  m_canvas.BeginContext();
  CEraseSurface erase(m_canvas, left, top, right, bottom);
  m_engine->OnEraseBkgnd(erase);
  PresentDirty();
}

void CX11DrawingWindow::HandleEvent(XEvent& event) {
  if (m_gone) {
    return;
  }
  switch (event.type) {
    case Expose:
      if (event.xexpose.window == m_window) {
        Erase(event.xexpose.x, event.xexpose.y, event.xexpose.x + event.xexpose.width,
              event.xexpose.y + event.xexpose.height);
        if (event.xexpose.count == 0 && m_engine) {
          m_engine->OnPaint();
        }
      }
      break;
    case ConfigureNotify:
      if (event.xconfigure.window == m_window) {
        Resize(event.xconfigure.width, event.xconfigure.height);
      } else if (m_kind == Kind::kChild && event.xconfigure.window == m_parent) {
        XResizeWindow(m_display, m_window, WindowSide(event.xconfigure.width),
                      WindowSide(event.xconfigure.height));
      }
      break;
    case DestroyNotify:
      if (event.xdestroywindow.window == m_window || event.xdestroywindow.window == m_parent) {
        m_gone = true;
        m_timers = CWindowTimers{};
        if (m_engine && m_engine->m_autoDelete) {
          m_engine.reset();
          m_saver = nullptr;
        }
      }
      break;
    case MotionNotify:
      if (m_saver != nullptr) {
        m_saver->OnMouseMove(event.xmotion.x, event.xmotion.y);
      }
      break;
    case ButtonPress:
      // Buttons 4 to 7 are the wheel, which Windows does not report as a button press.
      if (m_saver != nullptr && event.xbutton.button >= Button1 &&
          event.xbutton.button <= Button3) {
        m_saver->OnButtonDown();
      }
      break;
    case KeyPress:
      HandleKey(event.xkey);
      break;
    case FocusOut:
      HandleFocusOut(event.xfocus);
      break;
    default:
      break;
  }
}

void CX11DrawingWindow::HandleKey(XKeyEvent& event) {
  if (m_saver == nullptr) {
    return;
  }
  // The key's first level gives the Windows code whatever the shift state; on the keypad,
  // Num Lock decides between the digit and the movement key, as it does on Windows.
  KeySym keysym = XLookupKeysym(&event, 0);
  if (IsKeypadKey(keysym) || IsPrivateKeypadKey(keysym)) {
    KeySym shifted = NoSymbol;
    char text[8];
    XLookupString(&event, text, sizeof text, &shifted, nullptr);
    if (shifted != NoSymbol) {
      keysym = shifted;
    }
  }
  const std::uint32_t virtualKey = VirtualKeyFromKeysym(keysym);
  if (IsSystemKey(virtualKey, (event.state & Mod1Mask) != 0, (event.state & ControlMask) != 0)) {
    m_saver->OnSysKeyDown(virtualKey);
  } else {
    m_saver->OnKeyDown(virtualKey);
  }
}

void CX11DrawingWindow::HandleFocusOut(const XFocusChangeEvent& event) {
  if (m_saver == nullptr || event.window != m_window) {
    return;
  }
  // Focus moving inside the window, or following the pointer, is no loss of activation;
  // our own grab ending at close is not either.
  if (event.detail == NotifyInferior || event.detail == NotifyPointer ||
      event.mode == NotifyUngrab) {
    return;
  }
  m_saver->OnActivate(0);
}

void CX11DrawingWindow::DeliverTimer(std::uint32_t id) {
  if (!m_gone && m_engine) {
    m_engine->OnTimer(id);
  }
}

void CX11DrawingWindow::ProcessCloseRequest() {
  if (!m_closeRequested || m_gone) {
    return;
  }
  if (m_grabbed) {
    XUngrabPointer(m_display, CurrentTime);
    XUngrabKeyboard(m_display, CurrentTime);
    m_grabbed = false;
  }
  if (m_kind != Kind::kAdopted) {
    XDestroyWindow(m_display, m_window);
  }
  XFlush(m_display);
  m_gone = true;
  m_timers = CWindowTimers{};
  if (m_engine && m_engine->m_autoDelete) {
    m_engine.reset();
    m_saver = nullptr;
  }
}
