#pragma once

#include <cstdint>

#include "canvas/DrawingSurface.h"

// The platform side of a drawing window, as the engine sees it: drawing contexts, the two
// window timers and the clock. X11, Win32 and the headless renderer each implement it once;
// tests implement it with fakes and deliver ticks by hand.
class ICurveWndHost {
 public:
  virtual ~ICurveWndHost() = default;

  // A drawing context for the whole client area, got afresh (current position (0, 0)).
  // Never null. Released by ReleaseDC before the handler returns; the platform presents what
  // was drawn then.
  virtual IDrawingSurface& GetDC() = 0;
  virtual void ReleaseDC(IDrawingSurface& dc) = 0;

  // The client area's current size in pixels.
  virtual int ClientWidth() const = 0;
  virtual int ClientHeight() const = 0;

  // Starts (or restarts) the periodic timer with this id; it fires every period until
  // stopped, each time as one OnTimer(id). Returns 0 when the timer cannot be started.
  // A period of 0 means the platform's shortest period.
  virtual std::uint32_t SetTimer(std::uint32_t id, std::uint32_t periodMs) = 0;
  virtual void KillTimer(std::uint32_t id) = 0;

  // The current time in seconds, the seed of each window's random numbers.
  virtual std::uint32_t TimeSeconds() = 0;
};
