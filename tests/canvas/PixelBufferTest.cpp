// The pixel buffer apart from painting: a picture drawn into memory a display lends it, and
// taken along into a block of its own when that memory may no longer be written.
#include "CanvasTestSupport.h"

namespace {

TEST(PixelBufferTest, LentMemoryIsDrawnIntoAndTheOwnBlockTakesThePictureAlong) {
  const PixelSet picture{{1, 1}, {2, 2}, {3, 2}, {0, 3}, {1, 3}};
  for (const bool resize : {false, true}) {
    CRasterCanvas canvas(5, 4);
    canvas.SelectPen(0xFFFFFF);
    canvas.MoveTo(1, 1);
    canvas.LineTo(4, 3);
    std::vector<std::uint32_t> lent(canvas.Pixels(), canvas.Pixels() + 20);
    canvas.Buffer().Borrow(lent.data());
    canvas.MoveTo(0, 3);
    canvas.LineTo(2, 3);
    EXPECT_EQ(LitPixels(lent.data(), 5, 4), picture);
    ASSERT_EQ(resize ? canvas.Resize(6, 4) : canvas.Buffer().TakeOwnBlock(), 1);
    EXPECT_TRUE(canvas.Buffer().OwnsPixels());
    EXPECT_EQ(LitPixels(canvas), picture) << resize;
    canvas.FillRectBlack(0, 0, 6, 4);
    EXPECT_TRUE(LitPixels(canvas).empty()) << resize;
    EXPECT_EQ(LitPixels(lent.data(), 5, 4), picture) << "written once given back " << resize;
  }
}

}  // namespace
