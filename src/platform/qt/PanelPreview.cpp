#include "platform/qt/PanelPreview.h"

#include <QBackingStore>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QTimerEvent>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <ctime>

CPanelPreview::CPanelPreview(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAccessibleName(QStringLiteral("Preview of the screen saver"));
}

CPanelPreview::~CPanelPreview() = default;

void CPanelPreview::FixSeed(std::uint32_t seed, long long stopAfterTicks) {
  m_seed = seed;
  m_stopAfterTicks = stopAfterTicks;
}

void CPanelPreview::Restart(const SaverSettings& settings) {
  m_settings = settings;
  m_settings.AttachStore(nullptr);
  Start();
}

void CPanelPreview::Start() {
  StopAllTimers();
  m_wnd.reset();
  m_ticks = 0;
  m_pending = CRect{};
  // The canvas has the widget's device pixels, so that a scaled screen shows the figure as
  // sharp as the saver would at that size.
  const qreal ratio = devicePixelRatioF();
  const int width =
      std::clamp(static_cast<int>(std::lround(this->width() * ratio)), 3, CRasterCanvas::kMaxSide);
  const int height =
      std::clamp(static_cast<int>(std::lround(this->height() * ratio)), 3, CRasterCanvas::kMaxSide);
  // A fresh canvas, as the saver's window is: nothing of the last figure stays.
  m_canvas = std::make_unique<CRasterCanvas>(width, height);
  m_wnd = std::make_unique<CCurveWnd>(m_settings, static_cast<ICurveWndHost&>(*this));
  m_wnd->OnCreate();
  m_wnd->OnSize(width, height);
  m_canvas->BeginContext();
  m_wnd->OnEraseBkgnd(*m_canvas);
  CRect dirty;
  m_canvas->TakeDirtyRect(dirty);
  FollowVisibility();
  update();
}

IDrawingSurface& CPanelPreview::GetDC() {
  m_canvas->BeginContext();
  return *m_canvas;
}

void CPanelPreview::ReleaseDC(IDrawingSurface&) {
  CRect dirty;
  if (m_canvas->TakeDirtyRect(dirty) != 0)
    m_pending = Bounding(m_pending, dirty);
}

void CPanelPreview::ShowPending() {
  const CRect dirty = m_pending;
  m_pending = CRect{};
  if (dirty.IsEmpty())
    return;
  const qreal ratio = m_canvas->Width() / static_cast<qreal>(std::max(1, width()));
  const QRect area = QRectF(dirty.left / ratio, dirty.top / ratio,
                            (dirty.right - dirty.left) / ratio, (dirty.bottom - dirty.top) / ratio)
                         .toAlignedRect();
  if (!ShowDirectly(dirty, area))
    update(area);
}

// A tick changes a few pixels. Through a paint event they would cost the widget machinery
// (regions, a painter, a posted event), several times the drawing itself and more than the
// saver spends: the changed pixels go straight into the window's backing store instead, made
// opaque, and only their rectangle is flushed. False where the store is not plain 32-bit
// pixels at the canvas's scale; a paint event shows the change then.
bool CPanelPreview::ShowDirectly(const CRect& dirty, const QRect& area) {
  QWidget* top = window();
  QBackingStore* store = top->backingStore();
  QWindow* handle = top->windowHandle();
  if (store == nullptr || handle == nullptr || !handle->isExposed() || !isVisible())
    return false;
  const QRect inWindow = area.translated(mapTo(top, QPoint(0, 0)));
  store->beginPaint(inWindow);
  QPaintDevice* device = store->paintDevice();
  QImage* image = device != nullptr && device->devType() == QInternal::Image
                      ? static_cast<QImage*>(device)
                      : nullptr;
  const qreal ratio = m_canvas->Width() / static_cast<qreal>(std::max(1, width()));
  const bool plain =
      image != nullptr && image->devicePixelRatio() == ratio &&
      (image->format() == QImage::Format_RGB32 || image->format() == QImage::Format_ARGB32 ||
       image->format() == QImage::Format_ARGB32_Premultiplied);
  if (plain) {
    const QPoint at = mapTo(top, QPoint(0, 0)) * ratio;
    const QRect target = QRect(at.x() + dirty.left, at.y() + dirty.top, dirty.right - dirty.left,
                               dirty.bottom - dirty.top)
                             .intersected(image->rect());
    for (int y = target.top(); y <= target.bottom(); ++y) {
      const std::uint32_t* row =
          m_canvas->Pixels() + static_cast<std::size_t>(y - at.y()) * m_canvas->Width();
      auto* to = reinterpret_cast<std::uint32_t*>(image->scanLine(y));
      for (int x = target.left(); x <= target.right(); ++x)
        to[x] = row[x - at.x()] | 0xFF000000u;
    }
  }
  store->endPaint();
  if (plain)
    store->flush(inWindow, handle);
  return plain;
}

int CPanelPreview::ClientWidth() const {
  return m_canvas ? m_canvas->Width() : 0;
}
int CPanelPreview::ClientHeight() const {
  return m_canvas ? m_canvas->Height() : 0;
}

std::uint32_t CPanelPreview::SetTimer(std::uint32_t id, std::uint32_t periodMs) {
  // The shortest time between two wakes.
  constexpr int kWakeMs = 100;
  STimer& entry = m_timers[id];
  // As the saver's timers: a period of 0 is the shortest one.
  entry.periodMs = static_cast<int>(std::clamp<std::uint32_t>(periodMs, 1, 1u << 30));
  entry.ticksPerWake = std::max(1, kWakeMs / entry.periodMs);
  entry.running = true;
  if (!m_paused)
    StartTimer(entry);
  return id;
}

// The first tick comes after one period, as the saver's does; the wakes after it are apart by
// the ticks each delivers.
void CPanelPreview::StartTimer(STimer& entry) {
  entry.batching = false;
  entry.timer.start(entry.periodMs, Qt::PreciseTimer, this);
}

// Timers are stopped, never destroyed, as the engine stops the one whose tick it handles.
void CPanelPreview::KillTimer(std::uint32_t id) {
  const auto it = m_timers.find(id);
  if (it != m_timers.end()) {
    it->second.running = false;
    it->second.timer.stop();
  }
}

void CPanelPreview::StopAllTimers() {
  for (auto& [id, entry] : m_timers)
    KillTimer(id);
}

std::uint32_t CPanelPreview::TimeSeconds() {
  return m_seed.value_or(static_cast<std::uint32_t>(std::time(nullptr)));
}

void CPanelPreview::OnTick(std::uint32_t id) {
  // The engine may stop this timer or start the other during a tick (a figure's end): the
  // wake's remaining ticks are then not due.
  STimer& entry = m_timers[id];
  const int ticks = entry.batching ? entry.ticksPerWake : 1;
  if (!entry.batching && entry.ticksPerWake > 1) {
    entry.batching = true;
    entry.timer.start(entry.periodMs * entry.ticksPerWake, Qt::PreciseTimer, this);
  }
  for (int i = 0; i < ticks && entry.running; ++i) {
    m_wnd->OnTimer(id);
    // Stopped right after the last tick asked for, as the renderer takes its picture: a
    // completion delay that follows would clear it.
    if (id == CCurveWnd::kDrawTimer && ++m_ticks == m_stopAfterTicks)
      StopAllTimers();
  }
  ShowPending();
}

void CPanelPreview::timerEvent(QTimerEvent* event) {
  for (const auto& [id, entry] : m_timers) {
    if (entry.timer.timerId() == event->timerId()) {
      OnTick(id);
      return;
    }
  }
  QWidget::timerEvent(event);
}

void CPanelPreview::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  if (!m_canvas) {
    painter.fillRect(event->rect(), Qt::black);
    return;
  }
  // 0x00RRGGBB words are what Qt calls RGB32.
  QImage image(reinterpret_cast<const uchar*>(m_canvas->Pixels()), m_canvas->Width(),
               m_canvas->Height(), m_canvas->Width() * 4, QImage::Format_RGB32);
  image.setDevicePixelRatio(m_canvas->Width() / static_cast<qreal>(std::max(1, width())));
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.drawImage(QPointF(0, 0), image);
  // The canvas leaves the fourth byte 0, which a window with an alpha channel (Wayland's)
  // would show as transparent: black under it makes every pixel opaque, colours kept.
  painter.setCompositionMode(QPainter::CompositionMode_DestinationOver);
  painter.fillRect(event->rect(), Qt::black);
}

void CPanelPreview::resizeEvent(QResizeEvent*) {
  if (m_wnd)
    Start();
}

void CPanelPreview::showEvent(QShowEvent*) {
  FollowVisibility();
}
void CPanelPreview::hideEvent(QHideEvent*) {
  FollowVisibility();
}

void CPanelPreview::FollowVisibility() {
  const QWindow* shown = window()->windowHandle();
  const bool paused =
      !isVisible() || window()->isMinimized() || shown == nullptr || !shown->isExposed();
  if (paused == m_paused)
    return;
  m_paused = paused;
  for (auto& [id, entry] : m_timers) {
    if (paused)
      entry.timer.stop();
    else if (entry.running)
      StartTimer(entry);
  }
}
