#include "platform/win32/WindowHost.h"

#include <ctime>

CWindowHost::~CWindowHost() {
  while (!m_contexts.empty()) {
    ReleaseDC(*m_contexts.back().surface);
  }
}

IDrawingSurface& CWindowHost::GetDC() {
  HDC dc = ::GetDC(m_window);
  // A window DC can be refused when the system runs out of them; drawing then goes to a memory
  // DC that nobody sees, as the engine requires a surface and ignores drawing failures.
  if (dc == nullptr) {
    dc = CreateCompatibleDC(nullptr);
  }
  m_contexts.push_back({dc, std::make_unique<CGdiSurface>(dc)});
  return *m_contexts.back().surface;
}

void CWindowHost::ReleaseDC(IDrawingSurface& surface) {
  for (auto it = m_contexts.begin(); it != m_contexts.end(); ++it) {
    if (it->surface.get() != &surface) {
      continue;
    }
    HDC dc = it->dc;
    it->surface.reset();  // puts the previous pen back before the DC goes
    if (::ReleaseDC(m_window, dc) == 0) {
      DeleteDC(dc);
    }
    m_contexts.erase(it);
    return;
  }
}

int CWindowHost::ClientWidth() const {
  RECT client{};
  GetClientRect(m_window, &client);
  return client.right - client.left;
}

int CWindowHost::ClientHeight() const {
  RECT client{};
  GetClientRect(m_window, &client);
  return client.bottom - client.top;
}

std::uint32_t CWindowHost::SetTimer(std::uint32_t id, std::uint32_t periodMs) {
  // A period of 0 is raised to the system's shortest one by SetTimer itself.
  return static_cast<std::uint32_t>(::SetTimer(m_window, id, periodMs, nullptr));
}

void CWindowHost::KillTimer(std::uint32_t id) {
  ::KillTimer(m_window, id);
}

std::uint32_t CWindowHost::TimeSeconds() {
  return static_cast<std::uint32_t>(std::time(nullptr));
}
