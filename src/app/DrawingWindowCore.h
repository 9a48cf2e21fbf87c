#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "app/SaverWnd.h"
#include "app/SaverWndHost.h"
#include "app/WindowTimers.h"
#include "canvas/FillTrackingContext.h"
#include "canvas/RasterCanvas.h"
#include "engine/CurveWnd.h"
#include "image/DeviceBitmap.h"
#include "settings/SaverSettings.h"

// What a drawing window does on any display system that shows a raster canvas: it starts the
// engine (a full-screen CSaverWnd or a plain CCurveWnd), hands out drawing contexts, keeps the
// timers and the clock, follows the size, erases and delivers ticks. A display window owns
// one, implements ISaverWndHost by forwarding the drawing window's part here, and presents
// what TakeChange reports when the engine releases a context.
class CDrawingWindowCore {
 public:
  // host is the display window the engine talks to; it outlives the core.
  CDrawingWindowCore(SaverSettings& settings, ISaverWndHost& host, bool fullScreen, int width,
                     int height);

  // A new engine: false when it refuses to start. A full-screen engine keeps the pointer
  // start of the one before, so a fresh figure does not count the pointer's place as a move.
  bool StartEngine();
  // A new engine in a cleared window, as at the start; false when it refuses to start.
  bool StartAfresh();
  // The window is gone: no engine and no timers any more.
  void Stop();

  IDrawingSurface& GetDC();
  std::uint32_t SetTimer(std::uint32_t id, std::uint32_t periodMs);
  void KillTimer(std::uint32_t id);
  static std::uint32_t TimeSeconds();
  void DeliverTimer(std::uint32_t id);
  void Resize(int width, int height);
  // Erases through the engine and presents through the host's ReleaseDC; with shown set the
  // screen shows black there already and only the canvas needs it.
  void Erase(int left, int top, int right, int bottom, bool shown);

  // What the last context changed on the canvas. onlyFills: every change was a black fill,
  // listed in fills (cut to the change), which a server can draw without the pixels.
  struct SChange {
    CRect dirty;
    bool onlyFills = false;
    std::vector<CRect> fills;
  };
  bool TakeChange(SChange& change);

  // A screenshot's frame: the top-left width x height pixels (cut to the canvas) as 32-bit
  // rows in storage, each pixel 0x00RRGGBB from pixelAt(x, y). 0 when nothing is left.
  template <class PixelAt>
  int Capture(int width, int height, std::vector<std::uint8_t>& storage, CDeviceBitmap& bitmap,
              PixelAt pixelAt) const;
  std::uint32_t CanvasPixel(int x, int y) const {
    return m_canvas.Pixels()[static_cast<std::size_t>(y) * m_canvas.Width() + x];
  }

  int Width() const { return m_width; }
  int Height() const { return m_height; }
  const CRasterCanvas& Canvas() const { return m_canvas; }
  CRasterCanvas& Canvas() { return m_canvas; }
  CWindowTimers& Timers() { return m_timers; }
  CCurveWnd* Engine() { return m_engine.get(); }
  // The full-screen engine, for input; null otherwise and once the window is gone.
  CSaverWnd* Saver() { return m_saver; }

 private:
  SaverSettings& m_settings;
  ISaverWndHost& m_host;
  bool m_fullScreen;
  int m_width;
  int m_height;
  CRasterCanvas m_canvas;
  CFillTrackingContext m_context;
  CWindowTimers m_timers;
  std::unique_ptr<CCurveWnd> m_engine;
  CSaverWnd* m_saver = nullptr;
};

template <class PixelAt>
int CDrawingWindowCore::Capture(int width, int height, std::vector<std::uint8_t>& storage,
                                CDeviceBitmap& bitmap, PixelAt pixelAt) const {
  bitmap = CDeviceBitmap{};
  width = std::min(width, m_canvas.Width());
  height = std::min(height, m_canvas.Height());
  if (width < 1 || height < 1) {
    return 0;
  }
  storage.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = storage.data() + static_cast<std::size_t>(y) * width * 4;
    for (int x = 0; x < width; ++x) {
      const std::uint32_t rgb = pixelAt(x, y);
      row[4 * x] = static_cast<std::uint8_t>(rgb);
      row[4 * x + 1] = static_cast<std::uint8_t>(rgb >> 8);
      row[4 * x + 2] = static_cast<std::uint8_t>(rgb >> 16);
      row[4 * x + 3] = 0;
    }
  }
  bitmap.width = width;
  bitmap.height = height;
  bitmap.bitsPerPixel = 32;
  bitmap.stride = width * 4;
  bitmap.bits = storage.data();
  return 1;
}
