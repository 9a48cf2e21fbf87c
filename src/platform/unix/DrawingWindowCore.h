#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "app/SaverInput.h"
#include "app/SaverWndHost.h"
#include "canvas/FillTrackingContext.h"
#include "canvas/RasterCanvas.h"
#include "engine/CurveWnd.h"
#include "platform/unix/DisplayWindow.h"
#include "platform/unix/WindowTimers.h"
#include "settings/SaverSettings.h"

// Modifier keys held with a key press, as the display system reports them.
struct SKeyModifiers {
  bool alt = false;
  bool control = false;
};

// A drawing window on a display system that shows a raster canvas (X11, Wayland): the engine's
// host and the judge of what input means. It starts the engine (the full-screen CSaverWnd or a
// plain CCurveWnd), hands out drawing contexts on its canvas, keeps the timers and the clock,
// erases, and asks its display only to present what changed, read back what is shown and
// change the cursor.
//
// A display reports raw facts (a pointer's motion or appearance, a button by number, a key by
// virtual-key code with its modifiers, focus lost) and the core decides, with the rules every
// platform shares (CSaverInput), what the saver does: input counts from the core's first
// moment, before any figure has started. Input reaches a full-screen core only.
class CDrawingWindowCore final : private ISaverWndHost {
 public:
  using Clock = CWindowTimers::Clock;

  CDrawingWindowCore(SaverSettings& settings, IDisplayWindow& display, bool fullScreen);
  ~CDrawingWindowCore() override;
  CDrawingWindowCore(const CDrawingWindowCore&) = delete;
  CDrawingWindowCore& operator=(const CDrawingWindowCore&) = delete;

  // Starts the figure in a window of this size, cleared to black; false when the engine
  // refuses to start (then the saver is asked to close).
  bool Start(int width, int height);
  bool Started() const { return m_engine != nullptr; }
  // A fresh figure in a cleared window, as at the start, for a started window.
  void Reset();
  // The window is gone: no engine and no timers any more.
  void Stop();
  void Resize(int width, int height);
  // Presents what changed on the canvas without drawing: the picture at a new size.
  void Repaint();
  // Part of the window was uncovered. With shownBlack the screen shows black there already
  // and only the canvas needs it; otherwise the erase is presented.
  void Erase(const CRect& area, bool shownBlack);

  // The timers: the next time one is due, and the due timer taken and rescheduled.
  std::optional<Clock::time_point> NextDue() const { return m_timers.NextDue(); }
  std::optional<std::uint32_t> TakeDue(Clock::time_point now) { return m_timers.TakeDue(now); }
  void DeliverTimer(std::uint32_t id);

  // Raw input. surface tells the display's surfaces apart: the pointer appearing on another
  // one than before has crossed to another output. Buttons count as X11 numbers them.
  void AddPointerEnter(std::uintptr_t surface, std::int32_t x, std::int32_t y);
  void AddPointerMotion(std::int32_t x, std::int32_t y);
  void AddButton(unsigned button, bool down);
  void AddKey(std::uint32_t virtualKey, bool down, SKeyModifiers modifiers);
  void AddFocusLost();
  bool CloseRequested() const { return m_closeRequested; }

  int Width() const { return m_width; }
  int Height() const { return m_height; }
  const CRasterCanvas& Canvas() const { return m_canvas; }
  bool Paused() const { return m_input.Paused(); }

 private:
  bool StartEngine();
  void CarryOut(SaverAction action);
  void PresentChange();

  // ICurveWndHost
  IDrawingSurface& GetDC() override;
  void ReleaseDC(IDrawingSurface& dc) override;
  int ClientWidth() const override { return m_width; }
  int ClientHeight() const override { return m_height; }
  std::uint32_t SetTimer(std::uint32_t id, std::uint32_t periodMs) override;
  void KillTimer(std::uint32_t id) override;
  std::uint32_t TimeSeconds() override;
  // ISaverWndHost
  void PostClose() override { m_closeRequested = true; }
  void ShowWaitCursor() override { m_display.ShowCursor(DisplayCursor::kWait); }
  void ShowInvisibleCursor() override { m_display.ShowCursor(DisplayCursor::kInvisible); }
  int CaptureClientArea(int width, int height, std::vector<std::uint8_t>& storage,
                        CDeviceBitmap& bitmap) override;
  char PathSeparator() const override { return '/'; }

  SaverSettings& m_settings;
  IDisplayWindow& m_display;
  bool m_fullScreen;
  int m_width = 0;
  int m_height = 0;
  CRasterCanvas m_canvas;
  CFillTrackingContext m_context;
  SCanvasChange m_change;
  CWindowTimers m_timers;
  CSaverInput m_input;
  std::uintptr_t m_pointerSurface = 0;
  bool m_pointerEntered = false;
  bool m_closeRequested = false;
  std::unique_ptr<CCurveWnd> m_engine;
};
