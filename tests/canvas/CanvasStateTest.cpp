// The canvas as the platforms see it: pixel format, pens, resizing, filling and the changed
// rectangle the window presents.
#include <climits>
#include <tuple>

#include "CanvasTestSupport.h"

namespace {

TEST(CanvasStateTest, PenColourRefBecomesRgbPixelAndRestorePenSelectsThePenBefore) {
  CRasterCanvas canvas(4, 1);
  DrawLine(canvas, 0xAA112233, 0, 0, 2, 0);  // the COLORREF's top byte is not a colour
  EXPECT_EQ(canvas.Pixels()[1], 0x00332211u);
  canvas.BeginContext();  // the default pen is black
  canvas.LineTo(1, 0);
  EXPECT_EQ(canvas.PixelAt(0, 0), 0u);
  EXPECT_EQ(canvas.PixelAt(1, 0), 0x00332211u);
  EXPECT_EQ(canvas.PixelAt(-1, 0), 0u);
  EXPECT_EQ(canvas.PixelAt(4, 0), 0u);

  canvas.SelectPen(0x0000FF);
  canvas.SelectPen(0x00FF00);
  canvas.RestorePen();
  canvas.MoveTo(0, 0);
  canvas.LineTo(1, 0);
  canvas.RestorePen();
  canvas.RestorePen();  // nothing left to restore: the default pen
  canvas.SelectPen(0xFF0000);
  canvas.RestorePen();
  canvas.LineTo(2, 0);
  EXPECT_EQ(canvas.PixelAt(0, 0), 0xFF0000u);
  EXPECT_EQ(canvas.PixelAt(1, 0), 0u);
}

TEST(CanvasStateTest, ResizeKeepsSharedPixelsAndEmptySurfacesAreSafe) {
  CRasterCanvas canvas(4, 4);
  DrawLine(canvas, 0xFFFFFF, 0, 0, 4, 4);
  ASSERT_NE(canvas.Resize(6, 2), 0);
  EXPECT_EQ(LitPixels(canvas), (PixelSet{{0, 0}, {1, 1}}));
  ASSERT_NE(canvas.Resize(0, 0), 0);
  EXPECT_EQ(canvas.Width(), 0);
  canvas.Arc(-5, -5, 5, 5, 0, 0, 0, 0);
  DrawLine(canvas, 0xFFFFFF, INT_MIN, INT_MIN, INT_MAX, INT_MAX);
  canvas.LineTo(0, 0);
  canvas.FillRectBlack(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
  CRect dirty;
  canvas.TakeDirtyRect(dirty);
  EXPECT_EQ(canvas.TakeDirtyRect(dirty), 0);
  ASSERT_NE(canvas.Resize(3, 3), 0);
  EXPECT_TRUE(LitPixels(canvas).empty());
  ASSERT_NE(canvas.Resize(-7, CRasterCanvas::kMaxSide + 1), 0);
  EXPECT_EQ(std::pair(canvas.Width(), canvas.Height()), std::pair(0, CRasterCanvas::kMaxSide));
}

TEST(CanvasStateTest, FillRectBlackLeavesRightAndBottomEdgesAndClips) {
  CRasterCanvas canvas(6, 6);
  for (int y = 0; y < 6; ++y) {
    DrawLine(canvas, 0xFFFFFF, 0, y, 6, y);
  }
  canvas.FillRectBlack(1, 1, 3, 4);
  canvas.FillRectBlack(5, 5, 2, 2);  // inverted: nothing
  canvas.FillRectBlack(INT_MIN, 5, 1, INT_MAX);
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 6; ++x) {
      const bool cleared = (x >= 1 && x < 3 && y >= 1 && y < 4) || (x < 1 && y >= 5);
      EXPECT_EQ(canvas.PixelAt(x, y) == 0, cleared) << x << ',' << y;
    }
  }
}

TEST(CanvasStateTest, DirtyRectHoldsExactlyTheChangedPixelsSinceTheLastCall) {
  CRasterCanvas canvas(100, 80);
  CRect rect;
  auto take = [&] {
    const int changed = canvas.TakeDirtyRect(rect);
    return std::tuple(changed != 0, rect.left, rect.top, rect.right, rect.bottom);
  };
  EXPECT_EQ(take(), std::tuple(true, 0, 0, 100, 80));  // a new surface has never been shown
  EXPECT_FALSE(std::get<0>(take()));
  EXPECT_TRUE(rect.IsEmpty());
  DrawLine(canvas, 0x00FF00, 10, 20, 30, 25);
  canvas.Arc(50, 50, 60, 70, 0, 0, 0, 0);
  canvas.MoveTo(-10, 5);
  canvas.LineTo(3, 5);
  EXPECT_EQ(take(), std::tuple(true, 0, 5, 60, 70));
  // Drawing what is already there, or clearing black, changes nothing.
  DrawLine(canvas, 0x00FF00, 10, 20, 30, 25);
  canvas.FillRectBlack(0, 30, 40, 50);
  EXPECT_FALSE(std::get<0>(take()));
  canvas.FillRectBlack(0, 0, 100, 80);
  EXPECT_EQ(take(), std::tuple(true, 0, 5, 60, 70));
  EXPECT_TRUE(LitPixels(canvas).empty());
  canvas.Resize(100, 80);
  EXPECT_FALSE(std::get<0>(take()));
  canvas.Resize(120, 10);
  EXPECT_EQ(take(), std::tuple(true, 0, 0, 120, 10));
}

}  // namespace
