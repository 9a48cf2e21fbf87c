#pragma once

#include <memory>
#include <vector>

#include "engine/CurveWndHost.h"
#include "platform/win32/GdiSurface.h"
#include "platform/win32/Win32.h"

// The engine's window services on a real window: the window's device context per tick, the
// window timers (WM_TIMER arrives on the window's thread, so ticks never overlap) and the clock.
class CWindowHost : public ICurveWndHost {
 public:
  CWindowHost() = default;
  CWindowHost(const CWindowHost&) = delete;
  CWindowHost& operator=(const CWindowHost&) = delete;
  ~CWindowHost() override;

  void Attach(HWND window) { m_window = window; }
  HWND Window() const { return m_window; }

  IDrawingSurface& GetDC() override;
  void ReleaseDC(IDrawingSurface& dc) override;
  int ClientWidth() const override;
  int ClientHeight() const override;
  std::uint32_t SetTimer(std::uint32_t id, std::uint32_t periodMs) override;
  void KillTimer(std::uint32_t id) override;
  std::uint32_t TimeSeconds() override;

 private:
  struct Context {
    HDC dc;
    std::unique_ptr<CGdiSurface> surface;
  };

  HWND m_window = nullptr;
  // Contexts handed out and not yet released; a handler may hold more than one.
  std::vector<Context> m_contexts;
};
