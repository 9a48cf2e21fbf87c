#include <gtest/gtest.h>

#include <cstring>

#include "image/DibBlock.h"
#include "image/DibFile.h"

namespace {

// The raster canvas holds 0x00RRGGBB words, top row first: the description takes them as they
// are, and the image turns them bottom-up.
TEST(CaptureTest, CanvasWordsBecomeA32BitImageWithoutPalette) {
  const int width = 3, height = 2;
  const std::uint32_t canvas[] = {0x00FF0000, 0x0000FF00, 0x000000FF,   // top row
                                  0x00102030, 0x00405060, 0x00708090};  // bottom row
  CDeviceBitmap bitmap;
  bitmap.width = width;
  bitmap.height = height;
  bitmap.bitsPerPixel = 32;
  bitmap.stride = 4 * width;
  bitmap.bits = reinterpret_cast<const std::uint8_t*>(canvas);
  CDibFile image(&bitmap);
  ASSERT_NE(image.Dib(), nullptr);
  EXPECT_EQ(image.BitCount(), 32);
  EXPECT_EQ(image.Palette(), nullptr);
  EXPECT_EQ(image.ColourMode(), 2);
  EXPECT_EQ(ReadInfoHeader(image.Dib()).biClrUsed, 0u);
  std::uint8_t r, g, b;
  ASSERT_EQ(image.GetPixelRGB(0, 1, r, g, b), 1);  // row 1 is the top row
  EXPECT_EQ(r, 0xFF);
  EXPECT_EQ(g, 0);
  ASSERT_EQ(image.GetPixelRGB(2, 0, r, g, b), 1);
  EXPECT_EQ(r, 0x70);
  EXPECT_EQ(g, 0x80);
  EXPECT_EQ(b, 0x90);
}

// The screenshot leaves out the right-most columns and the bottom rows: a narrower width over
// the canvas's full stride.
TEST(CaptureTest, PartOfTheCanvasThroughItsStride) {
  const std::uint32_t canvas[] = {0x00010203, 0x00040506, 0x00FFFFFF,   // top row
                                  0x00070809, 0x000A0B0C, 0x00FFFFFF,   // second row
                                  0x00FFFFFF, 0x00FFFFFF, 0x00FFFFFF};  // left out
  CDeviceBitmap bitmap{2, 2, 32, 12, reinterpret_cast<const std::uint8_t*>(canvas), {}};
  CDibFile image(&bitmap);
  ASSERT_EQ(image.Width(), 2);
  const std::uint8_t expected[] = {9, 8, 7, 0, 0xC, 0xB, 0xA, 0, 3, 2, 1, 0, 6, 5, 4, 0};
  EXPECT_EQ(std::memcmp(image.Bits(), expected, sizeof expected), 0);
}

TEST(CaptureTest, TwentyFourBitsWidenToThirtyTwo) {
  const std::uint8_t rows[] = {1, 2, 3, 4,  5,  6,  0xEE, 0xEE,  // top row, 2 pixels, padding
                               7, 8, 9, 10, 11, 12, 0xEE, 0xEE};
  CDeviceBitmap bitmap{2, 2, 24, 8, rows, {}};
  CDibFile image(&bitmap);
  ASSERT_EQ(image.BitCount(), 32);
  const std::uint8_t expected[] = {7, 8, 9, 0, 10, 11, 12, 0, 1, 2, 3, 0, 4, 5, 6, 0};
  EXPECT_EQ(std::memcmp(image.Bits(), expected, sizeof expected), 0);
}

TEST(CaptureTest, EightBitsGiveAFullPaletteInIndexForm) {
  std::vector<PaletteEntry> colours(256);
  for (int i = 0; i < 256; ++i) {
    colours[i] = {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i), 7, 0};
  }
  const std::uint8_t rows[] = {0, 1, 2, 0, 200, 255, 254, 0};
  CDeviceBitmap bitmap{3, 2, 8, 4, rows, colours};
  CDibFile image(&bitmap);
  ASSERT_NE(image.Palette(), nullptr);
  EXPECT_EQ(image.Palette()->GetEntryCount(), 256);
  EXPECT_EQ(image.ColourMode(), 3);
  for (int i = 0; i < 256; ++i) {
    ASSERT_EQ(image.Dib()[40 + 2 * i] | (image.Dib()[41 + 2 * i] << 8), i);
  }
  EXPECT_EQ(image.GetPixelIndex(1, 0), 255);
  std::uint8_t r, g, b;
  ASSERT_EQ(image.GetPixelRGB(0, 0, r, g, b), 1);
  EXPECT_EQ(r, 200);
  EXPECT_EQ(g, 55);
  ASSERT_EQ(image.SetPixelRGB(2, 1, 254, 1, 7), 1);  // the nearest entry is 254
  EXPECT_EQ(image.GetPixelIndex(2, 1), 254);
}

TEST(CaptureTest, FewerColoursThanTheTableLeaveTheRestBlack) {
  const std::uint8_t rows[] = {0x01, 0x20, 0, 0};
  CDeviceBitmap bitmap{3, 1, 4, 4, rows, {{9, 9, 9, 0}, {200, 100, 50, 0}, {1, 2, 3, 0}}};
  CDibFile image(&bitmap);
  ASSERT_NE(image.Palette(), nullptr);
  EXPECT_EQ(image.Palette()->GetEntryCount(), 16);
  std::uint8_t r, g, b;
  ASSERT_EQ(image.GetPixelRGB(1, 0, r, g, b), 1);
  EXPECT_EQ(r, 200);
  ASSERT_EQ(image.GetPixelRGB(2, 0, r, g, b), 1);
  EXPECT_EQ(r, 1);
  PaletteEntry last;
  ASSERT_EQ(image.Palette()->GetEntry(15, last), 1);
  EXPECT_EQ(last, (PaletteEntry{0, 0, 0, 0}));
}

TEST(CaptureTest, MonochromeKeepsItsTwoColours) {
  const std::uint8_t rows[] = {0xA0, 0, 0, 0};
  CDeviceBitmap bitmap{3, 1, 1, 4, rows, {{0, 0, 0, 0}, {255, 255, 255, 0}}};
  CDibFile image(&bitmap);
  ASSERT_NE(image.Palette(), nullptr);
  EXPECT_EQ(image.Palette()->GetEntryCount(), 2);
  EXPECT_EQ(image.Bits(), image.Dib() + 40 + 8);
  EXPECT_EQ(image.GetPixelIndex(0, 0), 1);
  EXPECT_EQ(image.GetPixelIndex(1, 0), 0);
  EXPECT_EQ(image.GetPixelIndex(2, 0), 1);
}

TEST(CaptureTest, NegativeStrideWalksABottomUpBuffer) {
  const std::uint8_t rows[] = {1, 1, 1, 0, 2, 2, 2, 0};  // bottom row first in memory
  CDeviceBitmap bitmap{1, 2, 32, -4, rows + 4, {}};
  CDibFile image(&bitmap);
  ASSERT_NE(image.Bits(), nullptr);
  EXPECT_EQ(image.Bits()[0], 1);
  EXPECT_EQ(image.Bits()[4], 2);
}

TEST(CaptureTest, NullOrMalformedDescriptionsLeaveTheImageEmpty) {
  const std::uint8_t rows[64] = {};
  const CDeviceBitmap cases[] = {
      {0, 2, 32, 4, rows, {}}, {2, 0, 32, 8, rows, {}},    {2, 2, 12, 8, rows, {}},
      {2, 2, 32, 7, rows, {}}, {2, 2, 32, 8, nullptr, {}}, {-2, 2, 32, 8, rows, {}},
  };
  CDibFile none(nullptr);
  EXPECT_EQ(none.Dib(), nullptr);
  for (const CDeviceBitmap& bitmap : cases) {
    CDibFile image(&bitmap);
    EXPECT_EQ(image.Dib(), nullptr) << bitmap.width << "x" << bitmap.height << "x"
                                    << bitmap.bitsPerPixel << " stride " << bitmap.stride;
  }
}

}  // namespace
