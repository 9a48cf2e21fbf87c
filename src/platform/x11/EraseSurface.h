#pragma once

#include <algorithm>

#include "canvas/DrawingSurface.h"

// The context an exposed area is erased through: like a Windows paint context it lets the
// background fill reach only the area that was uncovered, so the rest of the figure stays.
class CEraseSurface : public IDrawingSurface {
 public:
  CEraseSurface(IDrawingSurface& target, int left, int top, int right, int bottom)
      : m_target(target), m_left(left), m_top(top), m_right(right), m_bottom(bottom) {}

  void SelectPen(ColourRef colour) override { m_target.SelectPen(colour); }
  void RestorePen() override { m_target.RestorePen(); }
  void MoveTo(int x, int y) override { m_target.MoveTo(x, y); }
  void LineTo(int x, int y) override { m_target.LineTo(x, y); }
  void Arc(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd,
           int yEnd) override {
    m_target.Arc(left, top, right, bottom, xStart, yStart, xEnd, yEnd);
  }
  void FillRectBlack(int left, int top, int right, int bottom) override {
    left = std::max(left, m_left);
    top = std::max(top, m_top);
    right = std::min(right, m_right);
    bottom = std::min(bottom, m_bottom);
    if (left < right && top < bottom) {
      m_target.FillRectBlack(left, top, right, bottom);
    }
  }

 private:
  IDrawingSurface& m_target;
  int m_left;
  int m_top;
  int m_right;
  int m_bottom;
};
