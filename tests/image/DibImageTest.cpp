#include <climits>

#include "ImageTestFiles.h"
#include "image/DibBlock.h"
#include "image/DibImage.h"

// Sizes no image can have leave the image empty, whatever it held.
TEST(CreateTest, HeaderStrideAndTableOrAnEmptyImage) {
  const struct {
    int width, height, bitCount;
    std::uint32_t clrUsed;
    int rowBytes, colourMode;
  } cases[] = {{640, 480, 8, 256, 640, 0}, {3, 2, 24, 0, 12, 2}, {9, 10, 4, 16, 8, 0},
               {33, 3, 1, 2, 8, 0},        {5, 3, 16, 0, 12, 2}, {1, 1, 32, 0, 4, 2}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << "x" << c.bitCount);
    CDibImage image;
    image.Create(c.width, c.height, c.bitCount, -1);
    ASSERT_NE(image.Dib(), nullptr);
    const BitmapInfoHeader h = ReadInfoHeader(image.Dib());
    EXPECT_EQ(std::tie(h.biSize, h.biWidth, h.biHeight, h.biPlanes, h.biBitCount, h.biCompression,
                       h.biClrUsed, h.biSizeImage),
              std::make_tuple(40u, c.width, c.height, 1, c.bitCount, 0u, c.clrUsed,
                              static_cast<std::uint32_t>(c.rowBytes * c.height)));
    EXPECT_EQ(std::make_tuple(image.RowBytes(), image.ColourMode(), image.Palette()),
              std::make_tuple(c.rowBytes, c.colourMode, nullptr));
    EXPECT_EQ(image.Bits(), image.Dib() + 40 + 4 * c.clrUsed);
    // Black and white for one bit, the sixteen standard colours (repeated) above: white last.
    if (c.clrUsed > 0) {
      EXPECT_EQ(Bytes(image.Bits() - 4, image.Bits()), (Bytes{255, 255, 255, 0}));
    }
  }
  const int impossible[][3] = {
      {0, 5, 8},          {5, 0, 8},        {-3, 5, 24},          {5, -3, 24},
      {5, 5, 2},          {5, 5, 0},        {5, 5, 64},           {1, 1, 12},
      {65536, 65536, 32}, {1 << 30, 1, 32}, {INT_MAX, INT_MAX, 1}};
  for (const auto& c : impossible) {
    CDibImage image;
    image.Create(7, 7, 8, -1);
    image.Create(c[0], c[1], c[2], -1);
    EXPECT_EQ(std::make_tuple(image.Dib(), image.Bits(), image.Width(), image.Height(),
                              image.SetPixelRGB(0, 0, 1, 2, 3)),
              std::make_tuple(nullptr, nullptr, 0, 0, 0))
        << c[0] << "x" << c[1] << "x" << c[2];
  }
}

// The leftmost pixel takes the high bits and only the low bits of an index count (the round
// trips check every pixel of odd widths against its neighbours).
TEST(PixelIndexTest, PackedPixelsSitInTheirOwnBits) {
  CDibImage four;
  four.Create(4, 1, 4, -1);
  four.SetPixelIndex(0, 0, 0xA);
  four.SetPixelIndex(1, 0, 0x13);
  EXPECT_EQ(four.Bits()[0], 0xA3);
  CDibImage one;
  one.Create(9, 2, 1, -1);
  one.SetPixelIndex(0, 0, 1);
  one.SetPixelIndex(8, 0, 3);
  EXPECT_EQ(Bytes(one.Bits(), one.Bits() + 4), (Bytes{0x80, 0x80, 0, 0}));
  const int outside[][2] = {{-1, 0}, {0, -1}, {9, 0}, {0, 2}};
  for (const auto& p : outside) {
    EXPECT_EQ(std::make_tuple(one.SetPixelIndex(p[0], p[1], 1), one.GetPixelIndex(p[0], p[1])),
              std::make_tuple(0, -1))
        << p[0] << "," << p[1];
  }
}

// Above 8 bits pixels hold their colour (16 bits: five bits a channel, red highest); the
// pixel's neighbours and the row's padding keep their bytes.
TEST(PixelRgbTest, TrueColourBytesAndChannels) {
  const std::tuple<int, Bytes, int> cases[] = {
      {16, {0x2F, 0x7C}, 0x7B}, {24, {0x7F, 8, 255}, 0x7F}, {32, {0x7F, 8, 255, 0}, 0x7F}};
  for (const auto& [bits, stored, blueBack] : cases) {
    CDibImage image;
    image.Create(3, 2, bits, -1);
    ASSERT_EQ(image.SetPixelRGB(1, 1, 255, 8, 0x7F), 1);
    Bytes row(static_cast<std::size_t>(image.RowBytes()), 0);
    std::copy(stored.begin(), stored.end(), row.begin() + bits / 8);
    const std::uint8_t* top = image.Bits() + image.RowBytes();
    EXPECT_EQ(Bytes(top, top + image.RowBytes()), row) << bits;
    EXPECT_EQ(Rgb(image, 1, 1), std::make_tuple(1, 255, 8, blueBack));
    EXPECT_EQ(std::get<0>(Rgb(image, 0, 2)), 0);
    EXPECT_EQ(image.SetPixelRGB(3, 0, 1, 1, 1), 0);
  }
}

// Without a palette a packed image stores the nearest colour of its own table by squared
// distance, the first of equals (the 8-bit table repeats the sixteen standard colours).
TEST(PixelRgbTest, PackedImageWithoutPaletteTakesTheNearestTableColour) {
  CDibImage image;
  image.Create(5, 1, 8, -1);
  ASSERT_EQ(image.SetPixelRGB(4, 0, 250, 10, 5), 1);
  ASSERT_EQ(image.SetPixelRGB(3, 0, 64, 192, 192), 1);
  EXPECT_EQ(image.GetPixelIndex(4, 0), 9);
  EXPECT_EQ(image.GetPixelIndex(3, 0), 14);
  // Palette mode needs a palette: without one nothing is stored.
  image.Create(5, 1, 8, 1);
  EXPECT_EQ(image.SetPixelRGB(0, 0, 1, 2, 3), 0);
  image.Create(5, 1, 24, 3);
  EXPECT_EQ(image.SetPixelRGB(0, 0, 1, 2, 3), 0);
}
