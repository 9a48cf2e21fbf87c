#include "platform/win32/GdiSurface.h"

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
  MoveToEx(m_dc, x, y, nullptr);
}

void CGdiSurface::LineTo(int x, int y) {
  ::LineTo(m_dc, x, y);
}

void CGdiSurface::Arc(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd,
                      int yEnd) {
  ::Arc(m_dc, left, top, right, bottom, xStart, yStart, xEnd, yEnd);
}

void CGdiSurface::FillRectBlack(int left, int top, int right, int bottom) {
  const RECT rect{left, top, right, bottom};
  FillRect(m_dc, &rect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}
