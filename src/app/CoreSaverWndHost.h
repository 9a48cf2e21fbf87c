#pragma once

#include <cstdint>

#include "app/DrawingWindowCore.h"

// The part of ISaverWndHost that every display system's drawing window answers alike, from
// its drawing-window core: contexts, size, timers, clock and the close request. A display
// window derives from this and adds presenting, cursors and capture.
class CCoreSaverWndHost : public ISaverWndHost {
 public:
  IDrawingSurface& GetDC() override { return m_core.GetDC(); }
  int ClientWidth() const override { return m_core.Width(); }
  int ClientHeight() const override { return m_core.Height(); }
  std::uint32_t SetTimer(std::uint32_t id, std::uint32_t periodMs) override {
    return m_core.SetTimer(id, periodMs);
  }
  void KillTimer(std::uint32_t id) override { m_core.KillTimer(id); }
  std::uint32_t TimeSeconds() override { return CDrawingWindowCore::TimeSeconds(); }
  void PostClose() override { m_closeRequested = true; }

 protected:
  CCoreSaverWndHost(SaverSettings& settings, bool fullScreen, int width, int height)
      : m_core(settings, *this, fullScreen, width, height) {}

  CDrawingWindowCore m_core;
  bool m_closeRequested = false;
};
