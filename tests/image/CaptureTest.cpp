#include "ImageTestFiles.h"
#include "image/DibBlock.h"
#include "image/DibFile.h"

// The raster canvas holds 0x00RRGGBB words, top row first; the screenshot takes part of it
// through the canvas's stride. 24-bit rows widen to 32 bits; a negative stride walks a
// bottom-up buffer. The image holds its rows bottom-up. Descriptions no image can come from
// (no rows given) leave the image empty.
TEST(CaptureTest, TrueColourBecomesA32BitImageWithoutPalette) {
  const std::uint32_t canvas[] = {0x00010203, 0x00040506, 0x00FFFFFF,   // top row
                                  0x00070809, 0x000A0B0C, 0x00FFFFFF,   // second row
                                  0x00FFFFFF, 0x00FFFFFF, 0x00FFFFFF};  // left out
  const auto* words = reinterpret_cast<const std::uint8_t*>(canvas);
  const std::uint8_t rows24[] = {3, 2, 1, 6, 5, 4, 0xEE, 0xEE, 9, 8, 7, 12, 11, 10, 0xEE, 0xEE};
  const Bytes bottomUp = {9, 8, 7, 0, 12, 11, 10, 0, 3, 2, 1, 0, 6, 5, 4, 0};
  const std::pair<CDeviceBitmap, Bytes> cases[] = {
      {{2, 2, 32, 12, words, {}}, bottomUp},
      {{2, 2, 24, 8, rows24, {}}, bottomUp},
      {{2, 2, 32, -12, words + 12, {}}, {3, 2, 1, 0, 6, 5, 4, 0, 9, 8, 7, 0, 12, 11, 10, 0}},
      {{0, 2, 32, 4, words, {}}, {}},
      {{2, 0, 32, 8, words, {}}, {}},
      {{-2, 2, 32, 8, words, {}}, {}},
      {{2, 2, 12, 8, words, {}}, {}},
      {{2, 2, 32, 7, words, {}}, {}},
      {{2, 2, 32, 8, nullptr, {}}, {}}};
  EXPECT_EQ(CDibFile(nullptr).Dib(), nullptr);
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    CDibFile image(&cases[i].first);
    if (cases[i].second.empty()) {
      EXPECT_EQ(image.Dib(), nullptr) << i;
      continue;
    }
    ASSERT_NE(image.Dib(), nullptr) << i;
    EXPECT_EQ(std::make_tuple(image.BitCount(), image.ColourMode(), image.Palette(),
                              ReadInfoHeader(image.Dib()).biClrUsed),
              std::make_tuple(32, 2, nullptr, 0u));
    EXPECT_EQ(Bytes(image.Bits(), image.Bits() + 16), cases[i].second) << i;
  }
}

// Up to 8 bits the image keeps the bit count and gets a palette of the device's colours;
// colours the device does not give (here the last) are black.
TEST(CaptureTest, PackedBitmapsGetAPaletteOfTheirColours) {
  std::vector<PaletteEntry> colours(255);
  for (int i = 0; i < 255; ++i) {
    colours[i] = {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i), 7, 0};
  }
  const std::uint8_t rows8[] = {0, 1, 2, 0, 200, 255, 254, 0};
  const CDeviceBitmap bitmap8{3, 2, 8, 4, rows8, colours};
  CDibFile eight(&bitmap8);
  ASSERT_NO_FATAL_FAILURE(ExpectIndexForm(eight, 256));
  EXPECT_EQ(Rgb(eight, 1, 0), std::make_tuple(1, 0, 0, 0));  // index 255
  EXPECT_EQ(Rgb(eight, 0, 0), std::make_tuple(1, 200, 55, 7));
  ASSERT_EQ(eight.SetPixelRGB(2, 1, 254, 1, 7), 1);  // the nearest entry is 254
  EXPECT_EQ(eight.GetPixelIndex(2, 1), 254);
}
