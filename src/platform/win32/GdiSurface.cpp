#include "platform/win32/GdiSurface.h"

#include <algorithm>
#include <initializer_list>

#include "canvas/LitPixels.h"

namespace {

// What GDI is handed whole, measured under Wine on 32-bit surfaces against the raster canvas.
// Lines with end points up to 2^28 away light the same pixels; from about 2^29 Wine's walk
// strays (its doubled differences leave 32 bits), and Windows itself promises no more than 27
// bits. 2^26 stays well inside both.
constexpr std::int64_t kGdiCoordinateLimit = std::int64_t{1} << 26;
// Wine squares an ellipse box's side in 32 bits: from a side of about 48000 some outlines stray
// from the exact walk, and from about 2^20 the walk writes past its own buffer and the program
// dies. A side of 2^15 leaves a margin, and costs GDI little to walk.
constexpr std::int64_t kGdiEllipseSideLimit = std::int64_t{1} << 15;

bool WithinGdi(std::initializer_list<std::int64_t> coordinates) {
  return std::all_of(coordinates.begin(), coordinates.end(), [](std::int64_t value) {
    return value >= -kGdiCoordinateLimit && value <= kGdiCoordinateLimit;
  });
}

// Whether pixels in [left, right) x [top, bottom) can be seen in the DC: the clip box bounds
// everything drawing there can change.
bool Reaches(HDC dc, std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom,
             RECT& visible) {
  if (GetClipBox(dc, &visible) <= NULLREGION) {
    return false;
  }
  return left < visible.right && right > visible.left && top < visible.bottom &&
         bottom > visible.top;
}

COLORREF PenColour(HDC dc) {
  LOGPEN pen{};
  return GetObjectA(GetCurrentObject(dc, OBJ_PEN), sizeof(pen), &pen) != 0 ? pen.lopnColor : 0;
}

// One list for all surfaces: they draw on their windows' thread only, one primitive at a time,
// and the room for a window's pixels is had once instead of every tick.
CLitPixels& SharedLitPixels() {
  static CLitPixels lit;
  return lit;
}

void SetPixels(HDC dc, const std::vector<SLitPixel>& pixels) {
  const COLORREF colour = PenColour(dc);
  for (const SLitPixel& pixel : pixels) {
    SetPixelV(dc, pixel.x, pixel.y, colour);
  }
}

}  // namespace

CGdiSurface::CGdiSurface(HDC dc) : m_dc(dc) {
  POINT current{};
  if (GetCurrentPositionEx(dc, &current)) {
    m_currentX = current.x;
    m_currentY = current.y;
  }
}

CGdiSurface::~CGdiSurface() {
  // A pen still selected when the surface goes would leak with the DC; put the old one back.
  RestorePen();
}

void CGdiSurface::SelectPen(ColourRef colour) {
  RestorePen();
  m_pen = CreatePen(PS_SOLID, 1, static_cast<COLORREF>(colour));
  if (m_pen != nullptr) {
    m_previousPen = SelectObject(m_dc, m_pen);
  }
}

void CGdiSurface::RestorePen() {
  if (m_pen == nullptr) {
    return;
  }
  if (m_previousPen != nullptr) {
    SelectObject(m_dc, m_previousPen);
  }
  DeleteObject(m_pen);
  m_pen = nullptr;
  m_previousPen = nullptr;
}

void CGdiSurface::MoveTo(int x, int y) {
  m_currentX = x;
  m_currentY = y;
}

void CGdiSurface::LineTo(int x, int y) {
  const std::int64_t x0 = m_currentX;
  const std::int64_t y0 = m_currentY;
  m_currentX = x;
  m_currentY = y;
  // The end pixel is left out, but a line lights nothing outside its end points' box.
  RECT visible{};
  if (!Reaches(m_dc, std::min<std::int64_t>(x0, x), std::min<std::int64_t>(y0, y),
               std::max<std::int64_t>(x0, x) + 1, std::max<std::int64_t>(y0, y) + 1, visible)) {
    return;
  }
  if (WithinGdi({x0, y0, x, y})) {
    MoveToEx(m_dc, static_cast<int>(x0), static_cast<int>(y0), nullptr);
    ::LineTo(m_dc, x, y);
    return;
  }
  SetPixels(m_dc, SharedLitPixels().Line(visible.right, visible.bottom, x0, y0, x, y));
}

void CGdiSurface::Arc(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd,
                      int yEnd) {
  // The outline lies inside its box, right and bottom edges excluded, in any corner order.
  const std::int64_t boxLeft = std::min(left, right);
  const std::int64_t boxRight = std::max(left, right);
  const std::int64_t boxTop = std::min(top, bottom);
  const std::int64_t boxBottom = std::max(top, bottom);
  RECT visible{};
  if (!Reaches(m_dc, boxLeft, boxTop, boxRight, boxBottom, visible)) {
    return;
  }
  if (boxRight - boxLeft <= kGdiEllipseSideLimit && boxBottom - boxTop <= kGdiEllipseSideLimit &&
      WithinGdi({left, top, right, bottom, xStart, yStart, xEnd, yEnd})) {
    ::Arc(m_dc, left, top, right, bottom, xStart, yStart, xEnd, yEnd);
    return;
  }
  SetPixels(m_dc, SharedLitPixels().Arc(visible.right, visible.bottom,
                                        {left, top, right, bottom, xStart, yStart, xEnd, yEnd}));
}

void CGdiSurface::FillRectBlack(int left, int top, int right, int bottom) {
  const RECT rect{left, top, right, bottom};
  FillRect(m_dc, &rect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}
