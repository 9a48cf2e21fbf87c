// The canvas as the platforms see it: pixel format, pens, resizing, filling and the changed
// rectangle the window presents.
#include <gtest/gtest.h>

#include <climits>

#include "GdiReference.h"

namespace {

TEST(CanvasStateTest, PenColourRefBecomesRgbPixelAndDefaultPenIsBlack) {
  CRasterCanvas canvas(4, 1);
  canvas.SelectPen(0xAA112233);  // the COLORREF's top byte is not a colour
  canvas.MoveTo(0, 0);
  canvas.LineTo(2, 0);
  EXPECT_EQ(canvas.PixelAt(0, 0), 0x00332211u);
  EXPECT_EQ(canvas.Pixels()[1], 0x00332211u);
  canvas.BeginContext();
  canvas.LineTo(1, 0);
  EXPECT_EQ(canvas.PixelAt(0, 0), 0u);
  EXPECT_EQ(canvas.PixelAt(1, 0), 0x00332211u);
  EXPECT_EQ(canvas.PixelAt(-1, 0), 0u);
  EXPECT_EQ(canvas.PixelAt(4, 0), 0u);
}

TEST(CanvasStateTest, RestorePenSelectsThePenBefore) {
  CRasterCanvas canvas(3, 1);
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

TEST(CanvasStateTest, ResizeKeepsSharedPixelsAndBlackensTheRest) {
  CRasterCanvas canvas(4, 4);
  canvas.SelectPen(0xFFFFFF);
  canvas.MoveTo(0, 0);
  canvas.LineTo(4, 4);
  ASSERT_NE(canvas.Resize(6, 2), 0);
  EXPECT_EQ(LitPixels(canvas), (PixelSet{{0, 0}, {1, 1}}));
  ASSERT_NE(canvas.Resize(0, 0), 0);
  EXPECT_EQ(canvas.Width(), 0);
  canvas.Arc(-5, -5, 5, 5, 0, 0, 0, 0);
  canvas.FillRectBlack(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
  ASSERT_NE(canvas.Resize(3, 3), 0);
  EXPECT_TRUE(LitPixels(canvas).empty());
  ASSERT_NE(canvas.Resize(-7, CRasterCanvas::kMaxSide + 1), 0);
  EXPECT_EQ(canvas.Width(), 0);
  EXPECT_EQ(canvas.Height(), CRasterCanvas::kMaxSide);
}

TEST(CanvasStateTest, FillRectBlackLeavesRightAndBottomEdgesAndClips) {
  CRasterCanvas canvas(6, 6);
  canvas.SelectPen(0xFFFFFF);
  for (int y = 0; y < 6; ++y) {
    canvas.MoveTo(0, y);
    canvas.LineTo(6, y);
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
  ASSERT_NE(canvas.TakeDirtyRect(rect), 0);  // a new surface has never been shown
  EXPECT_EQ(rect.right, 100);
  EXPECT_EQ(canvas.TakeDirtyRect(rect), 0);
  EXPECT_TRUE(rect.IsEmpty());

  canvas.SelectPen(0x00FF00);
  canvas.MoveTo(10, 20);
  canvas.LineTo(30, 25);
  canvas.Arc(50, 50, 60, 70, 0, 0, 0, 0);
  canvas.MoveTo(-10, 5);
  canvas.LineTo(3, 5);
  ASSERT_NE(canvas.TakeDirtyRect(rect), 0);
  EXPECT_EQ(rect.left, 0);
  EXPECT_EQ(rect.top, 5);
  EXPECT_EQ(rect.right, 60);
  EXPECT_EQ(rect.bottom, 70);

  // Drawing what is already there, or clearing black, changes nothing.
  canvas.MoveTo(10, 20);
  canvas.LineTo(30, 25);
  canvas.FillRectBlack(0, 30, 40, 50);
  EXPECT_EQ(canvas.TakeDirtyRect(rect), 0);

  canvas.FillRectBlack(0, 0, 100, 80);
  ASSERT_NE(canvas.TakeDirtyRect(rect), 0);
  EXPECT_EQ(rect.left, 0);
  EXPECT_EQ(rect.top, 5);
  EXPECT_EQ(rect.right, 60);
  EXPECT_EQ(rect.bottom, 70);
  EXPECT_TRUE(LitPixels(canvas).empty());

  canvas.Resize(100, 80);
  EXPECT_EQ(canvas.TakeDirtyRect(rect), 0);
  canvas.Resize(120, 10);
  ASSERT_NE(canvas.TakeDirtyRect(rect), 0);
  EXPECT_EQ(rect.right, 120);
  EXPECT_EQ(rect.bottom, 10);
}

}  // namespace
