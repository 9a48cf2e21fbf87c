#pragma once

#include "app/SaverWndHost.h"
#include "platform/win32/WindowHost.h"

// The full-screen window's services: the drawing window's, plus closing by a posted WM_CLOSE,
// the wait and invisible cursors, and the capture of the client area through a compatible
// bitmap and GetDIBits.
class CFullScreenHost : public ISaverWndHost {
 public:
  void Attach(HWND window) { m_base.Attach(window); }
  HWND Window() const { return m_base.Window(); }

  IDrawingSurface& GetDC() override { return m_base.GetDC(); }
  void ReleaseDC(IDrawingSurface& dc) override { m_base.ReleaseDC(dc); }
  int ClientWidth() const override { return m_base.ClientWidth(); }
  int ClientHeight() const override { return m_base.ClientHeight(); }
  std::uint32_t SetTimer(std::uint32_t id, std::uint32_t periodMs) override {
    return m_base.SetTimer(id, periodMs);
  }
  void KillTimer(std::uint32_t id) override { m_base.KillTimer(id); }
  std::uint32_t TimeSeconds() override { return m_base.TimeSeconds(); }

  void PostClose() override;
  void ShowWaitCursor() override;
  void ShowInvisibleCursor() override;
  int CaptureClientArea(int width, int height, std::vector<std::uint8_t>& storage,
                        CDeviceBitmap& bitmap) override;
  char PathSeparator() const override { return '\\'; }

 private:
  CWindowHost m_base;
};
