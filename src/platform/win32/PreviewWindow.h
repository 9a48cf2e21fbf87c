#pragma once

#include "engine/CurveWnd.h"
#include "platform/win32/DrawingWindow.h"
#include "platform/win32/WindowHost.h"
#include "settings/SaverSettings.h"

// The preview: a plain drawing window inside the host's window. It handles no input itself;
// what reaches it gets the system's default handling, and the cursor over it is the class's
// invisible one. It ends when the host destroys it.
class CPreviewWindow : public CDrawingWindow {
 public:
  explicit CPreviewWindow(SaverSettings& settings) : m_engine(settings, m_host) {}

 protected:
  CCurveWnd& Engine() override { return m_engine; }
  HWND Window() const override { return m_host.Window(); }
  void Attach(HWND window) override { m_host.Attach(window); }

 private:
  CWindowHost m_host;
  CCurveWnd m_engine;
};
