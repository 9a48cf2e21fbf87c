#include <gtest/gtest.h>

#include <cstring>

#include "image/DibBlock.h"
#include "image/DibImage.h"

namespace {

struct CreateCase {
  int width, height, bitCount;
  std::uint32_t clrUsed, sizeImage;
  int rowBytes, colourMode;
};

class CreateTest : public testing::TestWithParam<CreateCase> {};

TEST_P(CreateTest, HeaderStrideAndRowsFollowTheTable) {
  const CreateCase& c = GetParam();
  CDibImage image;
  image.Create(c.width, c.height, c.bitCount, -1);
  ASSERT_NE(image.Dib(), nullptr);
  const BitmapInfoHeader h = ReadInfoHeader(image.Dib());
  EXPECT_EQ(h.biSize, 40u);
  EXPECT_EQ(h.biWidth, c.width);
  EXPECT_EQ(h.biHeight, c.height);
  EXPECT_EQ(h.biPlanes, 1);
  EXPECT_EQ(h.biBitCount, c.bitCount);
  EXPECT_EQ(h.biCompression, 0u);
  EXPECT_EQ(h.biClrUsed, c.clrUsed);
  EXPECT_EQ(h.biSizeImage, c.sizeImage);
  EXPECT_EQ(image.RowBytes(), c.rowBytes);
  EXPECT_EQ(image.ColourMode(), c.colourMode);
  EXPECT_EQ(image.Bits(), image.Dib() + 40 + 4 * c.clrUsed);
  EXPECT_EQ(image.Palette(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, CreateTest,
    testing::Values(CreateCase{640, 480, 8, 256, 640 * 480, 640, 0},
                    CreateCase{3, 2, 24, 0, 24, 12, 2},  // 9 bytes padded to 12
                    CreateCase{9, 10, 4, 16, 80, 8, 0},
                    CreateCase{33, 3, 1, 2, 24, 8, 0},  // a 1-bit image keeps its two colours
                    CreateCase{5, 3, 16, 0, 36, 12, 2}, CreateCase{1, 1, 32, 0, 4, 4, 2}),
    [](const testing::TestParamInfo<CreateCase>& info) {
      return std::to_string(info.param.width) + "x" + std::to_string(info.param.height) + "x" +
             std::to_string(info.param.bitCount);
    });

TEST(CreateTest, DefaultTableRepeatsTheSixteenStandardColours) {
  CDibImage image;
  image.Create(640, 480, 8, -1);
  const std::uint8_t* table = image.Dib() + 40;
  const std::uint8_t standard[16][3] = {
      {0, 0, 0},     {128, 0, 0},     {0, 128, 0},     {128, 128, 0},  {0, 0, 128}, {128, 0, 128},
      {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0},    {0, 255, 0}, {255, 255, 0},
      {0, 0, 255},   {255, 0, 255},   {0, 255, 255},   {255, 255, 255}};
  for (int i = 0; i < 256; ++i) {
    const std::uint8_t* rgb = standard[i % 16];
    ASSERT_EQ(table[4 * i + 2], rgb[0]) << i;
    ASSERT_EQ(table[4 * i + 1], rgb[1]) << i;
    ASSERT_EQ(table[4 * i + 0], rgb[2]) << i;
    ASSERT_EQ(table[4 * i + 3], 0) << i;
  }
}

TEST(CreateTest, ImpossibleSizesLeaveTheImageEmpty) {
  const int cases[][3] = {{0, 5, 8},
                          {5, 0, 8},
                          {-3, 5, 24},
                          {5, -3, 24},
                          {5, 5, 2},
                          {5, 5, 0},
                          {5, 5, 64},
                          {65536, 65536, 32},
                          {1, 1, 12},
                          {1 << 30, 1, 32},
                          {2147483647, 2147483647, 1}};
  for (const auto& c : cases) {
    CDibImage image;
    image.Create(7, 7, 8, -1);
    image.Create(c[0], c[1], c[2], -1);
    EXPECT_EQ(image.Dib(), nullptr) << c[0] << "x" << c[1] << "x" << c[2];
    EXPECT_EQ(image.Bits(), nullptr);
    EXPECT_EQ(image.Width(), 0);
    EXPECT_EQ(image.Height(), 0);
    EXPECT_EQ(image.IsInside(0, 0), 0);
    EXPECT_EQ(image.GetPixelIndex(0, 0), -1);
    EXPECT_EQ(image.SetPixelIndex(0, 0, 1), 0);
    std::uint8_t r, g, b;
    EXPECT_EQ(image.GetPixelRGB(0, 0, r, g, b), 0);
    EXPECT_EQ(image.SetPixelRGB(0, 0, 1, 2, 3), 0);
  }
}

TEST(DibColourCountTest, UsedEntriesElseTwoToTheBitsUpToEight) {
  std::uint8_t block[40] = {};
  BitmapInfoHeader h;
  const struct {
    int bits;
    std::uint32_t used;
    int count;
  } cases[] = {{1, 0, 2},  {4, 0, 16}, {8, 0, 256}, {8, 20, 20},
               {16, 0, 0}, {24, 0, 0}, {32, 0, 0},  {24, 7, 7}};
  for (const auto& c : cases) {
    h.biBitCount = static_cast<std::uint16_t>(c.bits);
    h.biClrUsed = c.used;
    WriteInfoHeader(block, h);
    EXPECT_EQ(DibColourCount(block), c.count) << c.bits << " bits, " << c.used << " used";
  }
}

TEST(ColourTableFormTest, IndexFormAndBackToColours) {
  std::uint8_t* block = AllocDib(8, 4, 4);
  auto palette = CreateDibPalette(block, 0);
  ASSERT_NE(palette, nullptr);
  ASSERT_EQ(palette->GetEntryCount(), 256);
  EXPECT_EQ(SetDibColourTable(block, palette.get(), kColourTableIndexForm), 1);
  for (int i = 0; i < 256; ++i) {
    ASSERT_EQ(block[40 + 2 * i] | (block[41 + 2 * i] << 8), i);
  }
  EXPECT_EQ(SetDibColourTable(block, palette.get(), kColourTableColourForm), 1);
  std::uint8_t* fresh = AllocDib(8, 4, 4);
  EXPECT_EQ(std::memcmp(block + 40, fresh + 40, 1024), 0);
  FreeDib(fresh);
  FreeDib(block);
}

TEST(ColourTableFormTest, NullBlockFailsAndColourlessBlocksAreLeftAlone) {
  EXPECT_EQ(SetDibColourTable(nullptr, nullptr, kColourTableIndexForm), 0);
  std::uint8_t* block = AllocDib(24, 2, 2);
  EXPECT_EQ(SetDibColourTable(block, nullptr, kColourTableIndexForm), 1);
  EXPECT_EQ(CreateDibPalette(block, 0), nullptr);
  FreeDib(block);
}

TEST(ColourTableFormTest, ThreeMasksAreNotAColourTable) {
  std::uint8_t* block = AllocDib(16, 2, 2);
  BitmapInfoHeader h = ReadInfoHeader(block);
  h.biCompression = kCompressionBitFields;
  h.biClrUsed = 3;
  WriteInfoHeader(block, h);
  std::memset(block + 40, 0xAB, 12);
  EXPECT_EQ(SetDibColourTable(block, nullptr, kColourTableIndexForm), 1);
  EXPECT_EQ(block[40], 0xAB);
  FreeDib(block);
}

TEST(ColourTableFormTest, ShortPaletteLeavesTheSurplusEntriesAsTheyWere) {
  std::uint8_t* block = AllocDib(4, 2, 2);
  const CColourPalette two({{10, 20, 30, 0}, {40, 50, 60, 0}});
  SetDibColourTable(block, &two, kColourTableColourForm);
  const std::uint8_t expected[] = {30, 20, 10, 0, 60, 50, 40, 0, 0, 128, 0, 0};
  EXPECT_EQ(std::memcmp(block + 40, expected, sizeof expected), 0);
  FreeDib(block);
}

TEST(ColourTableFormTest, NullPaletteMeansTheDefaultPalette) {
  std::uint8_t* block = AllocDib(8, 2, 2);
  SetDibColourTable(block, nullptr, kColourTableColourForm);
  // Entry 9 of the default palette is the sky blue of the static colours.
  EXPECT_EQ(block[40 + 36], 240);
  EXPECT_EQ(block[40 + 37], 202);
  EXPECT_EQ(block[40 + 38], 166);
  FreeDib(block);
}

TEST(PaletteTest, EntryLookupStopsAtTheEndAndAtIndex256) {
  std::vector<PaletteEntry> entries(256, PaletteEntry{1, 2, 3, 0});
  const CColourPalette palette(entries);
  std::uint8_t r = 9, g = 9, b = 9;
  EXPECT_EQ(GetPaletteEntryRGB(&palette, 255, r, g, b), 1);
  EXPECT_EQ(r, 1);
  EXPECT_EQ(b, 3);
  r = 9;
  EXPECT_EQ(GetPaletteEntryRGB(&palette, 256, r, g, b), 0);
  EXPECT_EQ(GetPaletteEntryRGB(&palette, -1, r, g, b), 0);
  EXPECT_EQ(GetPaletteEntryRGB(nullptr, 0, r, g, b), 0);
  EXPECT_EQ(r, 9);
  const CColourPalette small({{1, 1, 1, 0}});
  EXPECT_EQ(GetPaletteEntryRGB(&small, 1, r, g, b), 0);
}

TEST(PaletteTest, NearestBySquaredDistanceFirstOnTies) {
  const CColourPalette palette(
      {{0, 0, 0, 0}, {100, 0, 0, 0}, {0, 100, 0, 0}, {100, 0, 0, 0}, {60, 60, 60, 0}});
  EXPECT_EQ(palette.GetNearestIndex(90, 0, 0), 1);   // 3 is as near, 1 comes first
  EXPECT_EQ(palette.GetNearestIndex(50, 50, 0), 4);  // 10^2 + 10^2 + 60^2 beats 50^2 + 50^2
  EXPECT_EQ(palette.GetNearestIndex(50, 0, 0), 0);   // a tie of 0 and 1 goes to 0
  EXPECT_EQ(CColourPalette({}).GetNearestIndex(1, 2, 3), -1);
}

}  // namespace
