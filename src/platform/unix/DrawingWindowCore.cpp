#include "platform/unix/DrawingWindowCore.h"

#include <algorithm>
#include <ctime>

#include "app/SaverWnd.h"
#include "app/Screenshot.h"
#include "platform/unix/VirtualKeys.h"

CDrawingWindowCore::CDrawingWindowCore(SaverSettings& settings, IDisplayWindow& display,
                                       bool fullScreen)
    : m_settings(settings),
      m_display(display),
      m_fullScreen(fullScreen),
      m_canvas(1, 1),
      m_context(m_canvas),
      m_input(settings) {}

CDrawingWindowCore::~CDrawingWindowCore() = default;

bool CDrawingWindowCore::StartEngine() {
  m_timers = CWindowTimers{};
  ISaverWndHost& host = *this;
  if (m_fullScreen) {
    m_engine = std::make_unique<CSaverWnd>(m_settings, host, m_input);
  } else {
    m_engine = std::make_unique<CCurveWnd>(m_settings, host);
  }
  if (m_engine->OnCreate() == -1) {
    m_engine.reset();
    PostClose();
    return false;
  }
  m_engine->OnSize(m_width, m_height);
  Erase({0, 0, m_width, m_height}, false);
  return true;
}

bool CDrawingWindowCore::Start(int width, int height) {
  Resize(width, height);
  return StartEngine();
}

void CDrawingWindowCore::Reset() {
  if (m_engine) {
    StartEngine();
  }
}

void CDrawingWindowCore::Stop() {
  m_timers = CWindowTimers{};
  m_engine.reset();
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

void CDrawingWindowCore::Repaint() {
  m_change.fills.clear();
  m_change.onlyFills = false;
  if (m_canvas.TakeDirtyRect(m_change.dirty)) {
    m_display.Present(m_canvas, m_change);
  }
}

void CDrawingWindowCore::Erase(const CRect& area, bool shownBlack) {
  if (!m_engine) {
    return;
  }
  m_display.PrepareDrawing(m_canvas.Buffer());
  m_canvas.BeginContext();
  m_context.Begin(area);
  m_engine->OnEraseBkgnd(m_context);
  if (shownBlack) {
    CRect dirty;
    m_canvas.TakeDirtyRect(dirty);
  }
  PresentChange();
}

void CDrawingWindowCore::DeliverTimer(std::uint32_t id) {
  if (m_engine) {
    m_engine->OnTimer(id);
  }
}

void CDrawingWindowCore::AddPointerEnter(std::uintptr_t surface, std::int32_t x, std::int32_t y) {
  if (!m_fullScreen) {
    return;
  }
  // A surface appearing under the pointer is no movement: where the pointer is becomes the
  // start. Coming onto another of the saver's surfaces is: it crossed to another output.
  if (m_pointerEntered && surface != m_pointerSurface) {
    CarryOut(SaverAction::kClose);
  } else {
    m_input.PointerAppeared(x, y);
  }
  m_pointerSurface = surface;
  m_pointerEntered = true;
}

void CDrawingWindowCore::AddPointerMotion(std::int32_t x, std::int32_t y) {
  CarryOut(m_input.PointerMoved(x, y));
}

void CDrawingWindowCore::AddButton(unsigned button, bool down) {
  if (down) {
    CarryOut(CSaverInput::ButtonPressed(button));
  }
}

void CDrawingWindowCore::AddKey(std::uint32_t virtualKey, bool down, SKeyModifiers modifiers) {
  // Keys act on presses only: a key held as the saver starts, then let go, is no press.
  // Previews and hosts' windows leave keys to their host, the pause key too.
  if (!down || !m_fullScreen) {
    return;
  }
  // A system key never acts as a hotkey.
  CarryOut(IsSystemKey(virtualKey, modifiers.alt, modifiers.control)
               ? SaverAction::kClose
               : m_input.KeyPressed(virtualKey));
}

void CDrawingWindowCore::AddFocusLost() {
  CarryOut(SaverAction::kClose);
}

void CDrawingWindowCore::CarryOut(SaverAction action) {
  // Previews and hosts' windows leave input to their host.
  if (m_fullScreen) {
    ::CarryOut(action, m_settings, *this, m_width - 2, m_height - 2);
  }
}

IDrawingSurface& CDrawingWindowCore::GetDC() {
  m_display.PrepareDrawing(m_canvas.Buffer());
  m_canvas.BeginContext();
  m_context.Begin({0, 0, m_canvas.Width(), m_canvas.Height()});
  return m_context;
}

void CDrawingWindowCore::ReleaseDC(IDrawingSurface&) {
  PresentChange();
}

void CDrawingWindowCore::PresentChange() {
  m_change.fills.clear();
  if (!m_canvas.TakeDirtyRect(m_change.dirty)) {
    return;
  }
  m_change.onlyFills = m_context.OnlyFills();
  if (m_change.onlyFills) {
    // Outside the changed area everything was black already.
    const CRect& dirty = m_change.dirty;
    for (const CRect& fill : m_context.Fills()) {
      const CRect cut{std::max(fill.left, dirty.left), std::max(fill.top, dirty.top),
                      std::min(fill.right, dirty.right), std::min(fill.bottom, dirty.bottom)};
      if (!cut.IsEmpty()) {
        m_change.fills.push_back(cut);
      }
    }
  }
  m_display.Present(m_canvas, m_change);
}

std::uint32_t CDrawingWindowCore::SetTimer(std::uint32_t id, std::uint32_t periodMs) {
  m_timers.Set(id, periodMs, Clock::now());
  return id;
}

void CDrawingWindowCore::KillTimer(std::uint32_t id) {
  m_timers.Kill(id);
}

std::uint32_t CDrawingWindowCore::TimeSeconds() {
  return static_cast<std::uint32_t>(std::time(nullptr));
}

int CDrawingWindowCore::CaptureClientArea(int width, int height, std::vector<std::uint8_t>& storage,
                                          CDeviceBitmap& bitmap) {
  bitmap = CDeviceBitmap{};
  width = std::min({width, m_width, m_canvas.Width()});
  height = std::min({height, m_height, m_canvas.Height()});
  if (width < 1 || height < 1) {
    return 0;
  }
  // What the screen shows where it can be read back; the canvas is the same picture.
  std::vector<std::uint32_t> shown;
  const bool fromScreen = m_display.ReadShown(width, height, shown) &&
                          shown.size() == static_cast<std::size_t>(width) * height;
  // Blue, green, red and a fourth byte that the image clears.
  storage.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = storage.data() + static_cast<std::size_t>(y) * width * 4;
    const std::uint32_t* source =
        fromScreen ? shown.data() + static_cast<std::size_t>(y) * width
                   : m_canvas.Pixels() + static_cast<std::size_t>(y) * m_canvas.Width();
    for (int x = 0; x < width; ++x) {
      row[4 * x] = static_cast<std::uint8_t>(source[x]);
      row[4 * x + 1] = static_cast<std::uint8_t>(source[x] >> 8);
      row[4 * x + 2] = static_cast<std::uint8_t>(source[x] >> 16);
    }
  }
  bitmap.width = width;
  bitmap.height = height;
  bitmap.bitsPerPixel = 32;
  bitmap.stride = width * 4;
  bitmap.bits = storage.data();
  return 1;
}
