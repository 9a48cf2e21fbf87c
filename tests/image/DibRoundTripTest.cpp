#include <gtest/gtest.h>

#include "BmpBytes.h"
#include "image/DibBlock.h"
#include "image/DibFile.h"

namespace {

// Bit count and width.
class RoundTripTest : public testing::TestWithParam<std::tuple<int, int>> {};

std::uint8_t Channel(int x, int y, int salt) {
  return static_cast<std::uint8_t>(x * 37 + y * 91 + salt);
}

// Whatever is saved comes back: size, depth and every pixel, at widths whose rows need
// padding.
TEST_P(RoundTripTest, SaveThenLoadGivesTheSamePixels) {
  const auto [bits, width] = GetParam();
  const int height = 3;
  CTempFolder folder;
  CDibFile saved;
  saved.Create(width, height, bits, -1);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (bits <= 8) {
        ASSERT_EQ(saved.SetPixelIndex(x, y, x * 5 + y), 1);
      } else {
        ASSERT_EQ(saved.SetPixelRGB(x, y, Channel(x, y, 0), Channel(x, y, 1), Channel(x, y, 2)), 1);
      }
    }
  }
  const std::string name = folder.File("round.bmp");
  ASSERT_EQ(saved.Save(name), 1);
  CDibFile loaded;
  ASSERT_EQ(loaded.Load(name), 1);
  EXPECT_EQ(loaded.Width(), width);
  EXPECT_EQ(loaded.Height(), height);
  EXPECT_EQ(loaded.BitCount(), bits);
  EXPECT_EQ(loaded.ColourMode(), bits <= 8 ? 3 : 2);
  EXPECT_EQ(loaded.Palette() != nullptr, bits <= 8);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      std::uint8_t r1, g1, b1, r2, g2, b2;
      ASSERT_EQ(saved.GetPixelRGB(x, y, r1, g1, b1), 1);
      ASSERT_EQ(loaded.GetPixelRGB(x, y, r2, g2, b2), 1) << x << "," << y;
      ASSERT_EQ(r1, r2);
      ASSERT_EQ(g1, g2);
      ASSERT_EQ(b1, b2);
      ASSERT_EQ(loaded.GetPixelIndex(x, y), saved.GetPixelIndex(x, y));
    }
  }
  // Saving the loaded image writes the same file again.
  ASSERT_EQ(loaded.Save(folder.File("again.bmp")), 1);
  EXPECT_EQ(ReadBytes(folder.File("again.bmp")), ReadBytes(name));
}

INSTANTIATE_TEST_SUITE_P(DepthsAndOddWidths, RoundTripTest,
                         testing::Combine(testing::Values(1, 4, 8, 16, 24, 32),
                                          testing::Values(1, 3, 5, 7, 9, 13, 33)),
                         [](const testing::TestParamInfo<std::tuple<int, int>>& info) {
                           return "Bits" + std::to_string(std::get<0>(info.param)) + "Width" +
                                  std::to_string(std::get<1>(info.param));
                         });

// A loaded 8-bit image keeps its table in index form; Save writes the colours and returns the
// table to index form.
TEST(SaveTest, IndexFormAroundSave) {
  CTempFolder folder;
  CDibFile first;
  first.Create(4, 2, 8, -1);
  ASSERT_EQ(first.Save(folder.File("p.bmp")), 1);
  CDibFile image;
  ASSERT_EQ(image.Load(folder.File("p.bmp")), 1);
  ASSERT_NE(image.Palette(), nullptr);
  EXPECT_EQ(image.Palette()->GetEntryCount(), 256);
  const auto expectIndexForm = [&image] {
    for (int i = 0; i < 256; ++i) {
      ASSERT_EQ(image.Dib()[40 + 2 * i] | (image.Dib()[41 + 2 * i] << 8), i);
    }
  };
  expectIndexForm();
  ASSERT_EQ(image.Save(folder.File("q.bmp")), 1);
  expectIndexForm();
  const Bytes file = ReadBytes(folder.File("q.bmp"));
  EXPECT_EQ(file, ReadBytes(folder.File("p.bmp")));
  EXPECT_EQ(file[54 + 4 * 9 + 2], 255);  // entry 9 in colour form: standard red
}

TEST(SaveTest, EmptyNameFailsAndKeepsTheStoredName) {
  CTempFolder folder;
  CDibFile image;
  image.Create(2, 2, 24, -1);
  ASSERT_EQ(image.Save(folder.File("x.bmp")), 1);
  EXPECT_EQ(image.Save(""), 0);
  EXPECT_EQ(image.FileName(), folder.File("x.bmp"));
  CDibFile empty;
  EXPECT_EQ(empty.Save(folder.File("y.bmp")), 0);
  CDibImage plain;
  plain.Create(2, 2, 24, -1);
  EXPECT_EQ(plain.Save(folder.File("z.bmp")), 0);
  EXPECT_EQ(plain.Load(folder.File("x.bmp")), 0);
}

// An image without a palette is written with its own colour table, not the default palette's.
TEST(SaveTest, ImageWithoutPaletteKeepsItsColours) {
  CTempFolder folder;
  CDibFile image;
  image.Create(2, 1, 4, -1);
  ASSERT_EQ(image.Save(folder.File("t.bmp")), 1);
  const Bytes file = ReadBytes(folder.File("t.bmp"));
  EXPECT_EQ(Bytes(file.begin() + 54 + 32, file.begin() + 54 + 36), (Bytes{128, 128, 128, 0}));
}

}  // namespace
