#include "app/DrawingWindowCore.h"

#include <algorithm>
#include <ctime>

CDrawingWindowCore::CDrawingWindowCore(SaverSettings& settings, ISaverWndHost& host,
                                       bool fullScreen, int width, int height)
    : m_settings(settings),
      m_host(host),
      m_fullScreen(fullScreen),
      m_width(width),
      m_height(height),
      m_canvas(std::max(width, 1), std::max(height, 1)),
      m_context(m_canvas) {}

bool CDrawingWindowCore::StartEngine() {
  if (m_fullScreen) {
    auto saver = std::make_unique<CSaverWnd>(m_settings, m_host);
    if (m_saver != nullptr) {
      saver->m_mouseStartX = m_saver->m_mouseStartX;
      saver->m_mouseStartY = m_saver->m_mouseStartY;
    }
    m_saver = saver.get();
    m_engine = std::move(saver);
  } else {
    m_engine = std::make_unique<CCurveWnd>(m_settings, m_host);
  }
  if (m_engine->OnCreate() == -1) {
    m_engine.reset();
    m_saver = nullptr;
    return false;
  }
  m_engine->OnSize(m_width, m_height);
  return true;
}

bool CDrawingWindowCore::StartAfresh() {
  m_timers = CWindowTimers{};
  if (!StartEngine()) {
    return false;
  }
  Erase(0, 0, m_width, m_height, false);
  return true;
}

void CDrawingWindowCore::Stop() {
  m_timers = CWindowTimers{};
  m_engine.reset();
  m_saver = nullptr;
}

IDrawingSurface& CDrawingWindowCore::GetDC() {
  m_canvas.BeginContext();
  m_context.Begin({0, 0, m_canvas.Width(), m_canvas.Height()});
  return m_context;
}

bool CDrawingWindowCore::TakeChange(SChange& change) {
  change.fills.clear();
  if (!m_canvas.TakeDirtyRect(change.dirty)) {
    return false;
  }
  change.onlyFills = m_context.OnlyFills();
  if (change.onlyFills) {
    // Outside the changed area everything was black already.
    for (const CRect& fill : m_context.Fills()) {
      const CRect cut{std::max(fill.left, change.dirty.left), std::max(fill.top, change.dirty.top),
                      std::min(fill.right, change.dirty.right),
                      std::min(fill.bottom, change.dirty.bottom)};
      if (!cut.IsEmpty()) {
        change.fills.push_back(cut);
      }
    }
  }
  return true;
}

std::uint32_t CDrawingWindowCore::SetTimer(std::uint32_t id, std::uint32_t periodMs) {
  m_timers.Set(id, periodMs, CWindowTimers::Clock::now());
  return id;
}

void CDrawingWindowCore::KillTimer(std::uint32_t id) {
  m_timers.Kill(id);
}

std::uint32_t CDrawingWindowCore::TimeSeconds() {
  return static_cast<std::uint32_t>(std::time(nullptr));
}

void CDrawingWindowCore::DeliverTimer(std::uint32_t id) {
  if (m_engine) {
    m_engine->OnTimer(id);
  }
}

void CDrawingWindowCore::Resize(int width, int height) {
  if (width == m_width && height == m_height) {
    return;
  }
  m_width = width;
  m_height = height;
  m_canvas.Resize(std::max(width, 1), std::max(height, 1));
  if (m_engine) {
    m_engine->OnSize(width, height);
  }
}

void CDrawingWindowCore::Erase(int left, int top, int right, int bottom, bool shown) {
  if (!m_engine) {
    return;
  }
  m_canvas.BeginContext();
  m_context.Begin({left, top, right, bottom});
  m_engine->OnEraseBkgnd(m_context);
  if (shown) {
    CRect dirty;
    m_canvas.TakeDirtyRect(dirty);
  }
  m_host.ReleaseDC(m_context);
}
