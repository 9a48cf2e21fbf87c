#include "platform/win32/FullScreenWindow.h"

#include <windowsx.h>

#include <memory>
#include <vector>

#include "app/MonitorChoice.h"
#include "platform/win32/CoverWindow.h"

namespace {

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (GetMonitorInfoA(monitor, &info)) {
    const RECT& area = info.rcMonitor;
    reinterpret_cast<std::vector<CMonitorArea>*>(list)->push_back(
        {area.left, area.top, area.right - area.left, area.bottom - area.top,
         (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
  }
  return TRUE;
}

// The monitor the figure goes on, chosen by the same rule as on every platform. Windows always
// names a primary, at the desktop's origin; the screen's metrics describe it where the monitors
// cannot be listed.
RECT FigureMonitor() {
  std::vector<CMonitorArea> listed;
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&listed));
  const CMonitorArea screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                            true};
  const std::vector<CMonitorArea> monitors = PickMonitorList({&listed, 1}, screen);
  const CMonitorArea& figure = monitors[FigureMonitorIndex(monitors)];
  return RECT{figure.x, figure.y, figure.x + figure.width, figure.y + figure.height};
}

}  // namespace

int CFullScreenWindow::CreateFullScreen(SaverSettings& settings) {
  const RECT screen = FigureMonitor();
  auto window = std::make_unique<CFullScreenWindow>(settings);
  CFullScreenWindow* saver = window.get();
  HWND cover = CCoverWindow::Create();
  HWND handle = CDrawingWindow::Create(std::move(window), WS_EX_TOPMOST, WS_POPUP | WS_VISIBLE,
                                       screen, nullptr);
  if (handle == nullptr) {
    DestroyWindow(cover);  // nothing when there is no cover either
    return 0;
  }
  saver->SetMainWindow(true);
  // Without a cover the saver still runs, on the primary monitor alone.
  CCoverWindow::ForwardInputTo(cover, handle);
  saver->m_cover = cover;
  return 1;
}

LRESULT CFullScreenWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  HWND window = Window();
  switch (message) {
    case WM_SYSCOMMAND:
      // The whole word is compared, as the system sends these two commands.
      if (!m_engine.OnSysCommand(static_cast<std::uint32_t>(wParam))) {
        return 0;
      }
      break;
    case WM_DESTROY:
      // Should the cover have been handed the activation the saver had, it passes it on to
      // the window the user had before as it goes.
      DestroyWindow(m_cover);
      m_cover = nullptr;
      PostQuitMessage(0);
      break;
    case WM_SETCURSOR:
      SetCursor(nullptr);
      return TRUE;
    case WM_NCACTIVATE:
      if (!m_engine.OnNcActivate(wParam != FALSE)) {
        return FALSE;
      }
      break;
    case WM_ACTIVATE:
      m_engine.OnActivate(LOWORD(wParam) != WA_INACTIVE);
      break;
    case WM_ACTIVATEAPP:
      m_engine.OnActivateApp(wParam != FALSE);
      break;
    case WM_MOUSEMOVE:
      m_engine.OnMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      break;
    case WM_LBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_RBUTTONDOWN:
      m_engine.OnButtonDown();
      break;
    case WM_KEYDOWN:
      // A hotkey must not reach default processing, and default processing of an ordinary
      // key does nothing, so no key goes there.
      m_engine.OnKeyDown(static_cast<std::uint32_t>(wParam));
      return 0;
    case WM_SYSKEYDOWN:
      m_engine.OnSysKeyDown(static_cast<std::uint32_t>(wParam));
      break;
    default:
      return CDrawingWindow::WindowProc(message, wParam, lParam);
  }
  return DefWindowProcA(window, message, wParam, lParam);
}
