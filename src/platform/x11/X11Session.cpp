#include "platform/x11/X11Session.h"

#include <cstdio>
#include <cstdlib>
#include <limits>

#include "platform/unix/SignalsAndWait.h"
#include "platform/x11/X11Errors.h"

namespace {

// X window ids are 29-bit resource ids; anything larger cannot name a window, and must not
// be cut down to one that might.
bool FitsWindowId(std::uint64_t id) {
  return id <= std::numeric_limits<std::uint32_t>::max();
}

// $DISPLAY opened, or null after one line on stderr and exit code 1.
Display* OpenDisplay(int& exitCode) {
  const char* name = std::getenv("DISPLAY");
  if (name == nullptr || *name == '\0') {
    std::fputs("spirandel: no X display (DISPLAY is not set)\n", stderr);
    exitCode = 1;
    return nullptr;
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "spirandel: cannot open X display \"%s\"\n", name);
    exitCode = 1;
  }
  return display;
}

}  // namespace

bool CX11Session::CanOpen(int& exitCode) {
  Display* display = OpenDisplay(exitCode);
  if (display != nullptr) {
    XCloseDisplay(display);
  }
  return display != nullptr;
}

std::unique_ptr<CX11Session> CX11Session::Open(int& exitCode) {
  InstallX11ErrorRecorder();
  Display* display = OpenDisplay(exitCode);
  if (display == nullptr) {
    return nullptr;
  }
  CatchEndingSignals();
  return std::unique_ptr<CX11Session>(new CX11Session(display));
}

CX11Session::~CX11Session() {
  m_fullScreen.reset();
  m_window.reset();
  if (!X11ConnectionLost()) {
    XCloseDisplay(m_display);
  }
}

int CX11Session::CreateFullScreen(SaverSettings& settings) {
  m_fullScreen = CX11FullScreen::Create(m_display, settings);
  return m_fullScreen ? 1 : 0;
}

int CX11Session::CreateChild(SaverSettings& settings, std::uint64_t parent) {
  if (FitsWindowId(parent)) {
    m_window = CX11DrawingWindow::CreateChild(m_display, settings, static_cast<Window>(parent));
  }
  return ReportIfMissing(parent);
}

int CX11Session::Adopt(SaverSettings& settings, std::optional<std::uint64_t> window) {
  if (!window) {
    m_window = CX11DrawingWindow::Adopt(m_display, settings, DefaultRootWindow(m_display));
    return m_window ? 1 : 0;
  }
  if (FitsWindowId(*window)) {
    m_window = CX11DrawingWindow::Adopt(m_display, settings, static_cast<Window>(*window));
  }
  return ReportIfMissing(*window);
}

int CX11Session::ReportIfMissing(std::uint64_t windowId) {
  if (!m_window) {
    std::fprintf(stderr, "spirandel: no window 0x%llx to draw in\n",
                 static_cast<unsigned long long>(windowId));
  }
  return m_window ? 1 : 0;
}

CX11DrawingWindow* CX11Session::DrawingWindow() const {
  return m_fullScreen ? &m_fullScreen->Window() : m_window.get();
}

int CX11Session::Run() {
  CX11DrawingWindow* window = DrawingWindow();
  if (window == nullptr) {
    return 0;
  }
  WatchX11Connection(m_display);
  return RunDisplayLoop(*this, window->Core());
}

int CX11Session::Fd() const {
  return ConnectionNumber(m_display);
}

bool CX11Session::DispatchQueued() {
  // Xlib may have read events while waiting for an answer: those come first. Once the core
  // asks to close, what is still queued is for a window about to go.
  CX11DrawingWindow* window = DrawingWindow();
  while (!X11ConnectionLost() && !window->Gone() && !window->Core().CloseRequested() &&
         XEventsQueued(m_display, QueuedAlready) > 0) {
    XEvent event;
    XNextEvent(m_display, &event);
    if (m_fullScreen) {
      m_fullScreen->HandleEvent(event);
    } else {
      window->HandleEvent(event);
    }
  }
  return !X11ConnectionLost();
}

bool CX11Session::Finished() const {
  return DrawingWindow()->Gone();
}

bool CX11Session::Read() {
  XEventsQueued(m_display, QueuedAfterReading);
  return !X11ConnectionLost();
}

bool CX11Session::OnlyAnswersDue() const {
  const CX11DrawingWindow* window = DrawingWindow();
  return window != nullptr && !window->AllPutsRead();
}

bool CX11Session::Flush() {
  XFlush(m_display);
  return !X11ConnectionLost();
}
