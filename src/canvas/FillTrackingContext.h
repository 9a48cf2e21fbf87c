#pragma once

#include <algorithm>
#include <vector>

#include "canvas/DrawingSurface.h"
#include "canvas/Rect.h"

// The drawing context the engine gets on a raster canvas: it draws on the canvas and notes
// what a context did, so that a context that only filled black rectangles (the clearing
// between figures, an erase) can reach a display server as fills instead of as pixels. Like a
// Windows paint context, an erase context lets the fills reach only the area that was uncovered, so
// the rest of the figure stays.
class CFillTrackingContext : public IDrawingSurface {
 public:
  explicit CFillTrackingContext(IDrawingSurface& target) : m_target(target) {}

  // A new context whose fills reach only clip.
  void Begin(const CRect& clip) {
    m_clip = clip;
    m_fills.clear();
    m_onlyFills = true;
  }
  bool OnlyFills() const { return m_onlyFills; }
  const std::vector<CRect>& Fills() const { return m_fills; }

  void SelectPen(ColourRef colour) override { m_target.SelectPen(colour); }
  void RestorePen() override { m_target.RestorePen(); }
  void MoveTo(int x, int y) override { m_target.MoveTo(x, y); }
  void LineTo(int x, int y) override {
    m_onlyFills = false;
    m_target.LineTo(x, y);
  }
  void Arc(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd,
           int yEnd) override {
    m_onlyFills = false;
    m_target.Arc(left, top, right, bottom, xStart, yStart, xEnd, yEnd);
  }
  void FillRectBlack(int left, int top, int right, int bottom) override {
    const CRect fill{std::max(left, m_clip.left), std::max(top, m_clip.top),
                     std::min(right, m_clip.right), std::min(bottom, m_clip.bottom)};
    if (!fill.IsEmpty()) {
      m_fills.push_back(fill);
      m_target.FillRectBlack(fill.left, fill.top, fill.right, fill.bottom);
    }
  }

 private:
  IDrawingSurface& m_target;
  CRect m_clip;
  std::vector<CRect> m_fills;
  bool m_onlyFills = true;
};
