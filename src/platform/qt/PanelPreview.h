#pragma once

#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>

#include "canvas/RasterCanvas.h"
#include "engine/CurveWnd.h"
#include "settings/SaverSettings.h"

// The live preview: the engine drawing on a raster canvas at the widget's size in device
// pixels, its two timers as Qt timers. A paint event shows the canvas's pixels as they are (the
// image wraps them, no copy); a tick copies only what it changed into the window's pixels.
// Hidden or minimised, it stops its timers and picks up where it was.
class CPanelPreview : public QWidget, private ICurveWndHost {
 public:
  explicit CPanelPreview(QWidget* parent = nullptr);
  ~CPanelPreview() override;

  // Starts afresh with these settings (copied: the engine reads them while it draws).
  void Restart(const SaverSettings& settings);
  // Tests only: every start draws from this seed instead of the clock, and the drawing stops
  // after this many ticks of the drawing timer (when not negative), so that a capture can be
  // compared with the headless renderer's.
  void FixSeed(std::uint32_t seed, long long stopAfterTicks);

  // Pauses while the widget is hidden, or its window minimised or covered (not exposed); the
  // window calls it on its state and exposure changes, which only it is told of.
  void FollowVisibility();

  long long Ticks() const { return m_ticks; }
  bool Paused() const { return m_paused; }
  const CRasterCanvas* Canvas() const { return m_canvas.get(); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  IDrawingSurface& GetDC() override;
  void ReleaseDC(IDrawingSurface& dc) override;
  int ClientWidth() const override;
  int ClientHeight() const override;
  std::uint32_t SetTimer(std::uint32_t id, std::uint32_t periodMs) override;
  void KillTimer(std::uint32_t id) override;
  std::uint32_t TimeSeconds() override;

  void Start();
  bool ShowDirectly(const CRect& dirty, const QRect& area);
  void OnTick(std::uint32_t id);
  void StopAllTimers();

  struct STimer {
    std::unique_ptr<QTimer> timer;
    bool running = false;
  };

  SaverSettings m_settings;
  std::unique_ptr<CRasterCanvas> m_canvas;
  std::unique_ptr<CCurveWnd> m_wnd;
  std::map<std::uint32_t, STimer> m_timers;
  std::optional<std::uint32_t> m_seed;
  long long m_stopAfterTicks = -1;
  long long m_ticks = 0;
  bool m_paused = true;
};
