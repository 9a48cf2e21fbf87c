#include <gtest/gtest.h>

#include "image/DibBlock.h"
#include "image/DibImage.h"

namespace {

TEST(IsInsideTest, EdgesOfTheImage) {
  CDibImage image;
  image.Create(5, 3, 24, -1);
  EXPECT_NE(image.IsInside(0, 0), 0);
  EXPECT_NE(image.IsInside(4, 2), 0);
  EXPECT_EQ(image.IsInside(5, 0), 0);
  EXPECT_EQ(image.IsInside(0, -1), 0);
  EXPECT_EQ(image.IsInside(-1, 0), 0);
  EXPECT_EQ(image.IsInside(0, 3), 0);
}

TEST(PixelIndexTest, TrueColourHasNoIndexes) {
  for (int bits : {16, 24, 32}) {
    CDibImage image;
    image.Create(3, 2, bits, -1);
    EXPECT_EQ(image.GetPixelIndex(1, 1), -1) << bits;
    EXPECT_EQ(image.SetPixelIndex(1, 1, 5), 0) << bits;
  }
}

// Every pixel of a row of odd width takes its own index without touching its neighbours, and
// the index lands in the bits the file format gives it (leftmost pixel in the high bits).
TEST(PixelIndexTest, EachPixelOwnsItsBitsAtEveryPackedDepth) {
  for (int bits : {1, 4, 8}) {
    const int width = 13, mask = (1 << bits) - 1;
    CDibImage image;
    image.Create(width, 3, bits, -1);
    for (int y = 0; y < 3; ++y) {
      for (int x = 0; x < width; ++x) {
        ASSERT_EQ(image.SetPixelIndex(x, y, (x * 7 + y) & mask), 1);
      }
    }
    for (int y = 0; y < 3; ++y) {
      for (int x = 0; x < width; ++x) {
        ASSERT_EQ(image.GetPixelIndex(x, y), (x * 7 + y) & mask) << bits << " bits " << x;
      }
    }
    EXPECT_EQ(image.SetPixelIndex(width, 0, 1), 0);
    EXPECT_EQ(image.GetPixelIndex(0, 3), -1);
  }
  CDibImage four;
  four.Create(4, 1, 4, -1);
  four.SetPixelIndex(0, 0, 0xA);
  four.SetPixelIndex(1, 0, 0x3);
  EXPECT_EQ(four.Bits()[0], 0xA3);
  CDibImage one;
  one.Create(9, 1, 1, -1);
  one.SetPixelIndex(0, 0, 1);
  one.SetPixelIndex(8, 0, 1);
  EXPECT_EQ(one.Bits()[0], 0x80);
  EXPECT_EQ(one.Bits()[1], 0x80);
}

TEST(PixelRgbTest, TrueColourStoresBlueGreenRedAtThePixel) {
  for (int bits : {24, 32}) {
    CDibImage image;
    image.Create(3, 2, bits, -1);
    ASSERT_EQ(image.SetPixelRGB(2, 1, 10, 20, 30), 1);
    const std::uint8_t* p = image.Bits() + image.RowBytes() + 2 * bits / 8;
    EXPECT_EQ(p[0], 30);
    EXPECT_EQ(p[1], 20);
    EXPECT_EQ(p[2], 10);
    std::uint8_t r = 0, g = 0, b = 0;
    ASSERT_EQ(image.GetPixelRGB(2, 1, r, g, b), 1);
    EXPECT_EQ(r, 10);
    EXPECT_EQ(g, 20);
    EXPECT_EQ(b, 30);
    EXPECT_EQ(image.SetPixelRGB(3, 0, 1, 1, 1), 0);
    EXPECT_EQ(image.GetPixelRGB(0, 2, r, g, b), 0);
  }
}

TEST(PixelRgbTest, SixteenBitsHoldFiveBitsPerChannel) {
  CDibImage image;
  image.Create(3, 1, 16, -1);
  ASSERT_EQ(image.SetPixelRGB(1, 0, 255, 8, 0x7F), 1);
  const std::uint16_t word = static_cast<std::uint16_t>(image.Bits()[2] | image.Bits()[3] << 8);
  EXPECT_EQ(word, (31 << 10) | (1 << 5) | 15);
  EXPECT_EQ(image.Bits()[0], 0);  // the neighbour is untouched
  EXPECT_EQ(image.Bits()[4], 0);
  std::uint8_t r, g, b;
  ASSERT_EQ(image.GetPixelRGB(1, 0, r, g, b), 1);
  EXPECT_EQ(r, 255);
  EXPECT_EQ(g, 8);
  EXPECT_EQ(b, 0x7B);
}

// An image made by Create has a colour table but no palette: colours go through the table.
TEST(PixelRgbTest, PackedImageWithoutPaletteUsesItsColourTable) {
  CDibImage image;
  image.Create(5, 1, 4, -1);
  ASSERT_EQ(image.SetPixelRGB(4, 0, 250, 10, 5), 1);
  EXPECT_EQ(image.GetPixelIndex(4, 0), 9);  // standard red
  EXPECT_EQ(image.GetPixelIndex(3, 0), 0);
  std::uint8_t r, g, b;
  ASSERT_EQ(image.GetPixelRGB(4, 0, r, g, b), 1);
  EXPECT_EQ(r, 255);
  EXPECT_EQ(g, 0);
  EXPECT_EQ(b, 0);
}

TEST(PixelRgbTest, PaletteModeWithoutPaletteRefuses) {
  CDibImage image;
  image.Create(5, 1, 8, 1);
  EXPECT_EQ(image.SetPixelRGB(0, 0, 1, 2, 3), 0);
  CDibImage truecolour;
  truecolour.Create(5, 1, 24, 3);
  EXPECT_EQ(truecolour.SetPixelRGB(0, 0, 1, 2, 3), 0);
}

// The last pixel of the last row sits at the very end of the block; reading or writing it
// must stay inside (the sanitizer build checks).
TEST(PixelRgbTest, LastPixelOfEveryDepthStaysInsideTheBlock) {
  for (int bits : {1, 4, 8, 16, 24, 32}) {
    for (int width : {1, 2, 3, 4, 5, 7}) {
      CDibImage image;
      image.Create(width, 2, bits, -1);
      std::uint8_t r, g, b;
      EXPECT_EQ(image.SetPixelRGB(width - 1, 1, 200, 100, 50), 1) << bits << "/" << width;
      EXPECT_EQ(image.GetPixelRGB(width - 1, 1, r, g, b), 1) << bits << "/" << width;
    }
  }
}

}  // namespace
