#pragma once

#include <X11/Xlib.h>

#include <memory>

#include "platform/x11/X11DrawingWindow.h"
#include "platform/x11/X11Keyboard.h"
#include "settings/SaverSettings.h"

// The full-screen saver on X11: the figure's window over the figure's monitor, a black cover
// below it over every monitor (also one plugged in while it runs), the keyboard and the
// pointer grabbed, and input reported to the core as it comes. When it ends, the window that
// had the keyboard focus has it again.
class CX11FullScreen {
 public:
  // Null when the windows cannot be had or the engine refuses to start.
  static std::unique_ptr<CX11FullScreen> Create(Display* display, SaverSettings& settings);
  ~CX11FullScreen();
  CX11FullScreen(const CX11FullScreen&) = delete;
  CX11FullScreen& operator=(const CX11FullScreen&) = delete;

  void HandleEvent(XEvent& event);
  CX11DrawingWindow& Window() { return *m_window; }

 private:
  CX11FullScreen(Display* display, std::unique_ptr<CX11DrawingWindow> window);
  void GrabInput();
  void FollowScreen();
  void HandleKey(XKeyEvent& event);
  void HandleFocusOut(const XFocusChangeEvent& event);

  Display* m_display;
  std::unique_ptr<CX11DrawingWindow> m_window;
  ::Window m_cover = None;
  CX11Keyboard m_keyboard;
  ::Window m_focusBefore = None;
  int m_revertBefore = RevertToParent;
  // RandR's event number for a change of monitors; -1 without RandR.
  int m_randrEventBase = -1;
  bool m_grabbed = false;
};
