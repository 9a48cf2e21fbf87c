#include "ImageTestFiles.h"
#include "image/DibBlock.h"
#include "image/DibFile.h"

// The image takes the device's own bit count and holds its rows bottom-up; the raster canvas
// hands over part of a larger buffer through its stride, a negative stride walks a bottom-up
// buffer, the unused byte of a 32-bit pixel is cleared, and 8 bits or less get a palette of the
// device's colours (those it does not give, here 3 to 255, are black). Descriptions no image can
// come from leave the image empty.
TEST(CaptureTest, KeepsTheDepthAndTheColours) {
  // 32-bit pixels as they leave the canvas: blue, green, red, unused.
  const std::uint8_t bgrx[] = {
      3,    2,    1,    0xAA, 6,    5,    4,    0, 0xFF, 0xFF, 0xFF, 0,   // top
      9,    8,    7,    0,    12,   11,   10,   0, 0xFF, 0xFF, 0xFF, 0,   // second
      0xFF, 0xFF, 0xFF, 0,    0xFF, 0xFF, 0xFF, 0, 0xFF, 0xFF, 0xFF, 0};  // left out
  const std::uint8_t rows24[] = {3, 2, 1, 6, 5, 4, 0xEE, 0xEE, 9, 8, 7, 12, 11, 10, 0xEE, 0xEE};
  const std::vector<PaletteEntry> colours = {{0, 255, 7, 0}, {1, 254, 7, 0}, {2, 253, 7, 0}};
  // clang-format off
  const std::tuple<CDeviceBitmap, int, Bytes> cases[] = {
      {{2, 2, 32, 12, bgrx, {}}, 32, {9, 8, 7, 0, 12, 11, 10, 0, 3, 2, 1, 0, 6, 5, 4, 0}},
      {{2, 2, 24, 8, rows24, {}}, 24, {9, 8, 7, 12, 11, 10, 0, 0, 3, 2, 1, 6, 5, 4, 0, 0}},
      {{2, 2, 32, -12, bgrx + 12, {}}, 32, {3, 2, 1, 0, 6, 5, 4, 0, 9, 8, 7, 0, 12, 11, 10, 0}},
      {{3, 2, 8, 8, bgrx + 5, colours}, 8, {8, 7, 0, 0, 5, 4, 0, 0}},
      {{1, 1, 32, 4, bgrx, {}}, 32, {3, 2, 1, 0}},
      {{2, 0, 32, 8, bgrx, {}}, 0, {}}, {{2, 2, 12, 8, bgrx, {}}, 0, {}},
      {{2, 2, 32, 7, bgrx, {}}, 0, {}}, {{2, 2, 32, 8, nullptr, {}}, 0, {}}};
  // clang-format on
  EXPECT_EQ(CDibFile(nullptr).Dib(), nullptr);
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const auto& [bitmap, bits, rows] = cases[i];
    const CDibFile image(&bitmap);
    EXPECT_EQ(std::tuple(image.BitCount(), Bytes(image.Bits(), image.Bits() + rows.size()),
                         IndexFormColours(image)),
              std::tuple(bits, rows, bits == 8 ? 256 : -1))
        << i;
  }
  const CDibFile eight(&std::get<0>(cases[3]));
  EXPECT_EQ(std::tuple(Rgb(eight, 0, 0), Rgb(eight, 2, 1)),
            std::tuple(std::tuple(1, 0, 0, 0), std::tuple(1, 0, 255, 7)));
}
