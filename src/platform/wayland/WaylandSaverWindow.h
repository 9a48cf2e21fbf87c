#pragma once

#include <memory>

#include "app/CoreSaverWndHost.h"
#include "platform/wayland/WaylandSurface.h"
#include "settings/SaverSettings.h"

// The figure on Wayland: the full-screen engine window on one surface. Its canvas has the
// output's size in pixels (the logical size times the output's scale), so the figure is the
// one a screen of that size shows on X11 or Windows.
// The surface is held by the first base so that it outlives the core: the core's canvas may
// borrow the memory of the surface's buffers, and the lender goes last.
struct SWaylandSurfaceOwner {
  std::unique_ptr<CWaylandSurface> m_surface;
};

class CWaylandSaverWindow : private SWaylandSurfaceOwner, public CCoreSaverWndHost {
 public:
  CWaylandSaverWindow(SaverSettings& settings, std::unique_ptr<CWaylandSurface> surface);
  // No tick comes once the window is going.
  ~CWaylandSaverWindow() override { m_core.Stop(); }
  CWaylandSaverWindow(const CWaylandSaverWindow&) = delete;
  CWaylandSaverWindow& operator=(const CWaylandSaverWindow&) = delete;

  CWaylandSurface& Surface() { return *m_surface; }
  // Starts the engine at the surface's size and this scale, or follows a new size or scale;
  // false when the engine refuses to start.
  bool Show(int scale);
  // A new engine in a cleared window.
  bool StartAfresh();
  bool Started() const { return m_started; }
  int Scale() const { return m_scale; }
  CDrawingWindowCore& Core() { return m_core; }
  bool CloseRequested() const { return m_closeRequested; }

  // ICurveWndHost
  IDrawingSurface& GetDC() override;
  void ReleaseDC(IDrawingSurface& dc) override;

  // ISaverWndHost. The cursor stays hidden over every surface, also while a screenshot is
  // written: Wayland has no cursor of its own for a client without a cursor theme.
  void ShowWaitCursor() override {}
  void ShowInvisibleCursor() override {}
  int CaptureClientArea(int width, int height, std::vector<std::uint8_t>& storage,
                        CDeviceBitmap& bitmap) override;
  char PathSeparator() const override { return '/'; }

 private:
  CDrawingWindowCore::SChange m_change;
  int m_scale = 1;
  bool m_started = false;
};
