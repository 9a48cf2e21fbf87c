#pragma once

#include <X11/Xlib.h>

#include <memory>

#include "app/CoreSaverWndHost.h"
#include "platform/x11/X11Cursors.h"
#include "platform/x11/X11Keyboard.h"
#include "platform/x11/X11Presenter.h"
#include "settings/SaverSettings.h"

// One drawing window on X11 and the engine window it hosts. The engine draws into a raster
// canvas that mirrors the window; what a tick changed is presented when it releases its
// context. Three kinds:
//  - full screen: an override-redirect window over the figure's monitor that grabs the
//    keyboard and the pointer and hands input to a CSaverWnd, above a black window over
//    every monitor that hides the others; the keyboard focus goes back to the
//    window that had it when the saver ends;
//  - child: a plain CCurveWnd in a new child window that covers a host window and follows
//    its size (the Windows-style preview);
//  - adopted: a plain CCurveWnd drawing straight into a window that a screen-saver host
//    created (or the root window); the host keeps input and lifetime.
class CX11DrawingWindow : public CCoreSaverWndHost {
 public:
  static std::unique_ptr<CX11DrawingWindow> CreateFullScreen(Display* display,
                                                             SaverSettings& settings);
  static std::unique_ptr<CX11DrawingWindow> CreateChild(Display* display, SaverSettings& settings,
                                                        Window parent);
  static std::unique_ptr<CX11DrawingWindow> Adopt(Display* display, SaverSettings& settings,
                                                  Window window);

  ~CX11DrawingWindow() override;
  CX11DrawingWindow(const CX11DrawingWindow&) = delete;
  CX11DrawingWindow& operator=(const CX11DrawingWindow&) = delete;

  // The event loop's side.
  void HandleEvent(XEvent& event);
  void DeliverTimer(std::uint32_t id);
  // Destroys the window once a close request has arrived (the handler that asked has
  // returned by then, as with a posted message).
  void ProcessCloseRequest();
  bool Finished() const { return m_gone; }
  CWindowTimers& Timers() { return m_core.Timers(); }
  // A new engine in a cleared window: a fresh figure, as at the start.
  void StartAfresh();

  // ICurveWndHost
  void ReleaseDC(IDrawingSurface& dc) override;

  // ISaverWndHost
  void ShowWaitCursor() override;
  void ShowInvisibleCursor() override;
  int CaptureClientArea(int width, int height, std::vector<std::uint8_t>& storage,
                        CDeviceBitmap& bitmap) override;
  char PathSeparator() const override { return '/'; }

 private:
  enum class Kind { kFullScreen, kChild, kAdopted };

  CX11DrawingWindow(Display* display, SaverSettings& settings, Kind kind, Window window,
                    Window parent, Visual* visual, int depth, int width, int height);
  void GrabInput();
  void Close();
  void FollowScreen();
  // Shows on the server what the last context changed on the canvas.
  void Present();
  void HandleKey(XKeyEvent& event);
  void HandleFocusOut(const XFocusChangeEvent& event);
  void ShowCursor(Cursor cursor);

  Display* m_display;
  SaverSettings& m_settings;
  Kind m_kind;
  Window m_window;
  Window m_parent;
  Visual* m_visual;
  int m_depth;
  CDrawingWindowCore::SChange m_change;
  CX11Presenter m_presenter;
  CX11Cursors m_cursors;
  // Full screen only: the black window under it, the keyboard, the focus to give back and
  // RandR's event numbers for a change of monitors.
  Window m_cover = None;
  std::unique_ptr<CX11Keyboard> m_keyboard;
  Window m_focusBefore = None;
  int m_revertBefore = RevertToParent;
  int m_randrEventBase = -1;
  bool m_grabbed = false;
  bool m_gone = false;
};
