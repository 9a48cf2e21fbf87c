#pragma once

#include <X11/Xlib.h>

#include <memory>

#include "app/MonitorChoice.h"
#include "platform/unix/DrawingWindowCore.h"
#include "platform/x11/X11Cursors.h"
#include "platform/x11/X11Presenter.h"
#include "settings/SaverSettings.h"

// One X window that shows a drawing window's raster canvas: the core draws, and this window
// presents what each drawing context changed, reads back what is shown and sets the cursor.
// It follows its own size and ends with the window (or the host window it covers):
//  - top: an override-redirect window that the full-screen part (CX11FullScreen) puts over
//    the figure's monitor and feeds with input;
//  - child: a new child window that covers a host window and follows its size (the
//    Windows-style preview);
//  - adopted: a window that a screen-saver host created (or the root window), drawn into
//    directly; the host keeps input and lifetime.
class CX11DrawingWindow final : public IDisplayWindow {
 public:
  // Each is null when the window cannot be had, or the engine refuses to start.
  static std::unique_ptr<CX11DrawingWindow> CreateTop(Display* display, SaverSettings& settings,
                                                      const CMonitorArea& area);
  static std::unique_ptr<CX11DrawingWindow> CreateChild(Display* display, SaverSettings& settings,
                                                        Window parent);
  static std::unique_ptr<CX11DrawingWindow> Adopt(Display* display, SaverSettings& settings,
                                                  Window window);
  ~CX11DrawingWindow() override;
  CX11DrawingWindow(const CX11DrawingWindow&) = delete;
  CX11DrawingWindow& operator=(const CX11DrawingWindow&) = delete;

  // The window's own events: exposure, size, its end (or its host's).
  void HandleEvent(const XEvent& event);
  bool Gone() const { return m_gone; }
  Window Handle() const { return m_window; }
  CDrawingWindowCore& Core() { return m_core; }
  CX11Cursors& Cursors() { return m_cursors; }
  // While the pointer is grabbed, the cursor shown is the grab's.
  void SetPointerGrabbed(bool grabbed) { m_pointerGrabbed = grabbed; }
  bool AllPutsRead() const { return m_presenter.AllRead(); }

  // IDisplayWindow
  void Present(const CRasterCanvas& canvas, const SCanvasChange& change) override;
  bool ReadShown(int width, int height, std::vector<std::uint32_t>& pixels) override;
  void ShowCursor(DisplayCursor cursor) override;

 private:
  enum class Kind { kTop, kChild, kAdopted };

  CX11DrawingWindow(Display* display, SaverSettings& settings, Kind kind, Window window,
                    Window parent, Visual* visual, int depth);
  // Starts the engine at the window's size; false when it refuses.
  bool Start(int width, int height);

  Display* m_display;
  Kind m_kind;
  Window m_window;
  // The host window a child covers, whose size it follows.
  Window m_parent;
  Visual* m_visual;
  CX11Presenter m_presenter;
  CX11Cursors m_cursors;
  CDrawingWindowCore m_core;
  bool m_pointerGrabbed = false;
  bool m_gone = false;
};
