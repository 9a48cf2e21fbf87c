#include "ImageTestFiles.h"
#include "image/DibBlock.h"
#include "image/DibFileIo.h"
#include "image/DibImage.h"

// The stride, size and default table of a new image (black and white for one bit, the sixteen
// standard colours, repeated, for four and eight: white last); the rest of its header shows in
// the files it writes. Sizes no image can have (no row bytes below) leave the image empty,
// whatever it held.
TEST(CreateTest, HeaderStrideAndTableOrAnEmptyImage) {
  // width, height, bit count, colours, row bytes, colour mode
  // clang-format off
  const int cases[][6] = {{640, 480, 8, 256, 640, 0}, {3, 2, 24, 0, 12, 2}, {9, 10, 4, 16, 8, 0},
                          {33, 3, 1, 2, 8, 0}, {5, 3, 16, 0, 12, 2}, {1, 1, 32, 0, 4, 2},
                          {0, 5, 8}, {5, -3, 24}, {5, 5, 2}, {65536, 65536, 32}};
  // clang-format on
  for (const auto& [width, height, bits, colours, rowBytes, mode] : cases) {
    CDibImage image;
    image.Create(7, 7, 8, -1);
    image.Create(width, height, bits, -1);
    // An empty image has no block, so its rows start 0 bytes into none.
    const std::uint32_t size = image.Dib() != nullptr ? ReadInfoHeader(image.Dib()).biSizeImage : 0;
    EXPECT_EQ(std::tuple(image.RowBytes(), image.ColourMode(), image.Width() > 0,
                         image.Bits() - image.Dib(), size),
              std::tuple(rowBytes, mode, rowBytes > 0, rowBytes > 0 ? 40 + 4 * colours : 0,
                         static_cast<std::uint32_t>(rowBytes * height)))
        << width << "x" << height << "x" << bits;
    EXPECT_TRUE(colours == 0 || Bytes(image.Bits() - 4, image.Bits()) == (Bytes{255, 255, 255, 0}));
  }
}

// The size rules hold on fixed widths: sums and products that wrap in 32 bits are refused,
// the largest sizes that fit (a row in 2 GiB, a block with its 14-byte file header in 4 GiB)
// are not.
TEST(DibSizesTest, WhatWouldWrapIsRefused) {
  constexpr std::uint32_t kMax = 0xFFFFFFFF;
  EXPECT_EQ(std::tuple(DibRowBytes(0, 8), DibRowBytes(0x1FFFFFFF, 32), DibRowBytes(0x20000000, 32),
                       DibImageBytes(1, 0), DibImageBytes(0x10001, 0xFFFF),
                       DibImageBytes(0x10002, 0xFFFF)),
            std::tuple(-1, 0x7FFFFFFC, -1, 0u, kMax, 0u));
  EXPECT_EQ(std::tuple(DibBlockBytes(0, 1), DibBlockBytes(0, 0),
                       DibBlockBytes(1024, kMax - 54 - 1024), DibBlockBytes(1024, kMax - 54 - 1023),
                       DibBlockBytes(1024, 0xFFFFFF00),  // would wrap to a 808-byte block
                       DibBlockBytes(0x100000000, 1)),
            std::tuple(41u, 0u, kMax - 14, 0u, 0u, 0u));
}

// The header places the table and the rows: a stated colour count (even beyond 256, though the
// rows never lie more than 256 entries behind the header), else two to the bit count up to 8
// bits; three bit-field masks are no colour table to switch. A block without pixels writes no
// file.
TEST(DibBlockTest, TheHeaderPlacesTheTableAndTheRows) {
  // bit count, compression, colours used; colour count, offset of the rows, table switched
  const int cases[][6] = {{8, 0, 0, 256, 40, 1}, {1, 0, 0, 2, 40, 1},
                          {24, 0, 0, 0, 40, 0},  {4, 0, 300, 300, 1064, 1},
                          {8, 0, 3, 3, 52, 1},   {16, kCompressionBitFields, 3, 3, 52, 0}};
  for (const auto& [bits, compression, used, colours, rows, switched] : cases) {
    BitmapInfoHeader header;
    std::tie(header.biWidth, header.biHeight, header.biBitCount) = std::tuple(1, 1, bits);
    std::tie(header.biCompression, header.biClrUsed) = std::tuple(compression, used);
    Bytes block(1100, 0xAB);
    WriteInfoHeader(block.data(), header);
    const std::pair switchedTable(SetDibColourTable(block.data(), nullptr, kColourTableIndexForm),
                                  SetDibColourTable(block.data(), nullptr, kColourTableColourForm));
    EXPECT_EQ(std::tuple(DibColourCount(block.data()), DibPixelRows(block.data()) - block.data(),
                         switchedTable, block[40] != 0xAB,
                         WriteDibFile(kScratch.File("none.bmp"), block.data())),
              std::tuple(colours, rows, std::pair(1, 1), switched == 1, 0))
        << bits << " bits, " << used << " colours";
  }
}

// Packed pixels sit in their own bits, the leftmost in the high ones, and take only the low
// bits of an index; points outside are refused.
TEST(PixelTest, PackedPixelsSitInTheirOwnBits) {
  CDibImage four, one;
  four.Create(4, 1, 4, -1);
  four.SetPixelIndex(0, 0, 0xA);
  four.SetPixelIndex(1, 0, 0x13);
  four.SetPixelIndex(2, 0, 5);
  one.Create(9, 2, 1, -1);
  one.SetPixelIndex(0, 0, 1);
  one.SetPixelIndex(8, 0, 3);
  one.SetPixelIndex(1, 0, 1);
  EXPECT_EQ(std::tuple(four.Bits()[0], four.GetPixelIndex(1, 0), four.GetPixelIndex(2, 0),
                       one.GetPixelIndex(8, 0), one.GetPixelIndex(7, 0),
                       Bytes(one.Bits(), one.Bits() + 4)),
            std::tuple(0xA3, 3, 5, 1, 0, Bytes{0xC0, 0x80, 0, 0}));
  EXPECT_EQ(std::tuple(one.SetPixelIndex(9, 0, 1), one.SetPixelIndex(0, -1, 1),
                       one.SetPixelRGB(9, 0, 1, 2, 3), one.GetPixelIndex(0, 2),
                       one.GetPixelIndex(-1, 0), Rgb(one, 9, 1), Rgb(one, 0, 2)),
            std::tuple(0, 0, 0, -1, -1, std::tuple(0, 0, 0, 0), std::tuple(0, 0, 0, 0)));
}

// Above 8 bits pixels hold their colour (16 bits: five bits a channel, red highest), leaving
// their neighbours and the row's padding alone; they have no index. Without a palette a packed
// image stores the nearest colour of its own table by squared distance, the first of equals
// (the 8-bit table repeats the sixteen standard colours); in palette mode it needs a palette.
TEST(PixelTest, ColoursInTheirBytesOrAsTheNearestTableEntry) {
  for (const auto& [bits, stored] :
       {std::pair{16, Bytes{0x2F, 0x7C}}, {24, {0x7F, 8, 255}}, {32, {0x7F, 8, 255, 0}}}) {
    CDibImage image;
    image.Create(3, 2, bits, -1);
    ASSERT_EQ(image.SetPixelRGB(1, 1, 255, 8, 0x7F), 1);
    Bytes row(static_cast<std::size_t>(image.RowBytes()), 0);
    std::copy(stored.begin(), stored.end(), row.begin() + bits / 8);
    EXPECT_EQ(Bytes(image.Bits() + image.RowBytes(), image.Bits() + 2 * image.RowBytes()), row);
    EXPECT_EQ(std::tuple(Rgb(image, 1, 1), image.GetPixelIndex(0, 0), image.SetPixelIndex(0, 0, 1)),
              std::tuple(std::tuple(1, 255, 8, bits == 16 ? 0x7B : 0x7F), -1, 0));
  }
  CDibImage eight;
  eight.Create(5, 1, 8, -1);
  for (const auto& [red, green, blue, index] : {std::tuple{250, 10, 5, 9},
                                                {0, 0, 1, 0},
                                                {255, 255, 250, 15},
                                                {64, 192, 192, 14},
                                                {200, 10, 190, 13}}) {
    ASSERT_EQ(eight.SetPixelRGB(4, 0, red, green, blue), 1);
    EXPECT_EQ(eight.GetPixelIndex(4, 0), index);
  }
  EXPECT_EQ(Rgb(eight, 4, 0), std::tuple(1, 255, 0, 255));
  // A plain image has no file to load or save.
  eight.Create(5, 1, 8, 1);
  EXPECT_EQ(std::tuple(eight.SetPixelRGB(0, 0, 1, 2, 3), eight.Load(""), eight.Save("x.bmp")),
            std::tuple(0, 0, 0));
}
