#include "platform/wayland/WaylandSaverWindow.h"

#include "app/DisplayChoice.h"

CWaylandSaverWindow::CWaylandSaverWindow(SaverSettings& settings,
                                         std::unique_ptr<CWaylandSurface> surface)
    : SWaylandSurfaceOwner{std::move(surface)}, CCoreSaverWndHost(settings, true, 0, 0) {}

bool CWaylandSaverWindow::Show(int scale) {
  m_scale = scale;
  const int width = SurfacePixels(m_surface->Width(), scale);
  const int height = SurfacePixels(m_surface->Height(), scale);
  if (m_started) {
    m_core.Resize(width, height);
    ReleaseDC(GetDC());
    return true;
  }
  m_started = true;
  m_core.Resize(width, height);
  return StartAfresh();
}

bool CWaylandSaverWindow::StartAfresh() {
  m_surface->PrepareDrawing(m_core.Canvas().Buffer());
  return m_core.StartAfresh();
}

IDrawingSurface& CWaylandSaverWindow::GetDC() {
  m_surface->PrepareDrawing(m_core.Canvas().Buffer());
  return m_core.GetDC();
}

void CWaylandSaverWindow::ReleaseDC(IDrawingSurface&) {
  // Fills are pixels here like any other change: the buffer is ours to write.
  if (m_core.TakeChange(m_change)) {
    m_surface->ShowCanvas(m_core.Canvas().Buffer(), m_change.dirty, m_scale);
  }
}

int CWaylandSaverWindow::CaptureClientArea(int width, int height,
                                           std::vector<std::uint8_t>& storage,
                                           CDeviceBitmap& bitmap) {
  // The canvas is what the surface shows, pixel for pixel.
  return m_core.Capture(width, height, storage, bitmap,
                        [this](int x, int y) { return m_core.CanvasPixel(x, y); });
}
