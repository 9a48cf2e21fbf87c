#pragma once

#include <functional>
#include <map>

#include "engine/CurveWndHost.h"

// A window host without a window: one drawing surface for the client area, timers that are
// only remembered (the renderer delivers their ticks itself) and a fixed clock.
class CHeadlessHost : public ICurveWndHost {
 public:
  // freshContext makes the surface behave as a context got afresh (current position 0, 0).
  CHeadlessHost(IDrawingSurface& surface, std::function<void()> freshContext, int width, int height,
                std::uint32_t timeSeconds)
      : m_surface(surface),
        m_freshContext(std::move(freshContext)),
        m_width(width),
        m_height(height),
        m_timeSeconds(timeSeconds) {}

  IDrawingSurface& GetDC() override {
    m_freshContext();
    return m_surface;
  }
  void ReleaseDC(IDrawingSurface&) override {}
  int ClientWidth() const override { return m_width; }
  int ClientHeight() const override { return m_height; }
  std::uint32_t SetTimer(std::uint32_t id, std::uint32_t periodMs) override {
    m_timers[id] = periodMs;
    return id;
  }
  void KillTimer(std::uint32_t id) override { m_timers.erase(id); }
  std::uint32_t TimeSeconds() override { return m_timeSeconds; }

  bool IsRunning(std::uint32_t id) const { return m_timers.count(id) != 0; }

 private:
  IDrawingSurface& m_surface;
  std::function<void()> m_freshContext;
  int m_width;
  int m_height;
  std::uint32_t m_timeSeconds;
  std::map<std::uint32_t, std::uint32_t> m_timers;
};
