#pragma once

#include <memory>

#include "app/DrawingWindowCore.h"
#include "platform/wayland/WaylandSurface.h"
#include "settings/SaverSettings.h"

// The figure on Wayland: the full-screen engine window on one surface. Its canvas has the
// output's size in pixels (the logical size times the output's scale), so the figure is the
// one a screen of that size shows on X11 or Windows.
class CWaylandSaverWindow : public ISaverWndHost {
 public:
  CWaylandSaverWindow(SaverSettings& settings, std::unique_ptr<CWaylandSurface> surface);
  ~CWaylandSaverWindow() override = default;
  CWaylandSaverWindow(const CWaylandSaverWindow&) = delete;
  CWaylandSaverWindow& operator=(const CWaylandSaverWindow&) = delete;

  CWaylandSurface& Surface() { return *m_surface; }
  // Starts the engine at the surface's size and this scale, or follows a new size or scale;
  // false when the engine refuses to start.
  bool Show(int scale);
  bool Started() const { return m_started; }
  int Scale() const { return m_scale; }
  CDrawingWindowCore& Core() { return m_core; }
  bool CloseRequested() const { return m_closeRequested; }

  // ICurveWndHost
  IDrawingSurface& GetDC() override { return m_core.GetDC(); }
  void ReleaseDC(IDrawingSurface& dc) override;
  int ClientWidth() const override { return m_core.Width(); }
  int ClientHeight() const override { return m_core.Height(); }
  std::uint32_t SetTimer(std::uint32_t id, std::uint32_t periodMs) override {
    return m_core.SetTimer(id, periodMs);
  }
  void KillTimer(std::uint32_t id) override { m_core.KillTimer(id); }
  std::uint32_t TimeSeconds() override { return CDrawingWindowCore::TimeSeconds(); }

  // ISaverWndHost. The cursor stays hidden over every surface, also while a screenshot is
  // written: Wayland has no cursor of its own for a client without a cursor theme.
  void PostClose() override { m_closeRequested = true; }
  void ShowWaitCursor() override {}
  void ShowInvisibleCursor() override {}
  int CaptureClientArea(int width, int height, std::vector<std::uint8_t>& storage,
                        CDeviceBitmap& bitmap) override;
  char PathSeparator() const override { return '/'; }

 private:
  std::unique_ptr<CWaylandSurface> m_surface;
  CDrawingWindowCore m_core;
  CDrawingWindowCore::SChange m_change;
  int m_scale = 1;
  bool m_started = false;
  bool m_closeRequested = false;
};
