#pragma once

#include "app/SaverWnd.h"
#include "platform/win32/DrawingWindow.h"
#include "platform/win32/FullScreenHost.h"
#include "settings/SaverSettings.h"

// The full-screen saver: a topmost pop-up over the figure's monitor (the primary) whose input
// and activation messages go to the portable input rules of CSaverWnd, with a black cover below
// it over the other monitors.
class CFullScreenWindow : public CDrawingWindow {
 public:
  explicit CFullScreenWindow(SaverSettings& settings)
      : m_input(settings), m_engine(settings, m_host, m_input) {}

  // Creates the window over the figure's monitor; nonzero on success.
  static int CreateFullScreen(SaverSettings& settings);

 protected:
  CCurveWnd& Engine() override { return m_engine; }
  HWND Window() const override { return m_host.Window(); }
  void Attach(HWND window) override { m_host.Attach(window); }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  CFullScreenHost m_host;
  CSaverInput m_input;
  CSaverWnd m_engine;
  HWND m_cover = nullptr;
};
