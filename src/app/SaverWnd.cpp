#include "app/SaverWnd.h"

#include "app/Screenshot.h"

CSaverWnd::CSaverWnd(SaverSettings& settings, ISaverWndHost& host, CSaverInput& input)
    : CCurveWnd(settings, host), m_saverSettings(settings), m_saverHost(host), m_input(input) {}

CSaverWnd::~CSaverWnd() = default;

void CSaverWnd::OnTimer(std::uint32_t id) {
  // The timers keep running while paused: a completion delay ends at its first tick after.
  if (!m_input.Paused()) {
    CCurveWnd::OnTimer(id);
  }
}

void CSaverWnd::CarryOut(SaverAction action) {
  ::CarryOut(action, m_saverSettings, m_saverHost, m_drawWidth, m_drawHeight);
}

void CSaverWnd::OnMouseMove(std::int32_t x, std::int32_t y) {
  CarryOut(m_input.PointerMoved(x, y));
}

void CSaverWnd::OnButtonDown() {
  CarryOut(SaverAction::kClose);
}

void CSaverWnd::OnSysKeyDown(std::uint32_t) {
  OnButtonDown();
}

void CSaverWnd::OnKeyDown(std::uint32_t virtualKey) {
  CarryOut(m_input.KeyPressed(virtualKey));
}

void CSaverWnd::OnActivate(int active) {
  if (active == 0) {
    CarryOut(SaverAction::kClose);
  }
}

void CSaverWnd::OnActivateApp(int active) {
  OnActivate(active);
}

int CSaverWnd::OnSysCommand(std::uint32_t command) {
  return (command == kScScreenSave || command == kScClose) ? 0 : 1;
}

int CSaverWnd::OnNcActivate(int active) {
  return active != 0 ? 1 : 0;
}
