#pragma once

#include <QBasicTimer>
#include <QWidget>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>

#include "canvas/RasterCanvas.h"
#include "engine/CurveWnd.h"
#include "settings/SaverSettings.h"

// The live preview: the engine drawing on a raster canvas at the widget's size in device
// pixels, its two timers as Qt's basic timers, whose events come straight to the widget. A
// paint event shows the canvas's pixels as they are (the image wraps them, no copy); ticks copy
// only what they changed into the window's pixels. Hidden or minimised, it stops its timers and
// picks up where it was.
//
// A wake of the panel costs several times a tick's drawing (Qt's event dispatch, the flush to
// the display), so the preview wakes at most ten times a second and then draws every tick that
// fell due since, in the engine's order, and shows them at once: the figure keeps the saver's
// pace and pixels at a fraction of the wakes. Two stamps a frame do not show in a thumbnail.
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
  void timerEvent(QTimerEvent* event) override;

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
    QBasicTimer timer;
    int periodMs = 1;
    // Ticks of the engine's timer that each wake delivers.
    int ticksPerWake = 1;
    // Whether the first tick since the timer started has come.
    bool batching = false;
    bool running = false;
  };
  void StartTimer(STimer& entry);
  void ShowPending();

  SaverSettings m_settings;
  std::unique_ptr<CRasterCanvas> m_canvas;
  std::unique_ptr<CCurveWnd> m_wnd;
  std::map<std::uint32_t, STimer> m_timers;
  std::optional<std::uint32_t> m_seed;
  long long m_stopAfterTicks = -1;
  CRect m_pending;
  long long m_ticks = 0;
  bool m_paused = true;
};
