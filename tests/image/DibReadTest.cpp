#include "ImageTestFiles.h"
#include "image/DibBlock.h"
#include "image/DibFile.h"
#include "image/DibFileIo.h"

// The file with a 32-bit field set at the offset.
Bytes Patched(Bytes b, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) {
    b[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
  }
  return b;
}

// Colour table entry i of the hand-made files, as the reader must give it back.
Bytes Entry(int i, std::uint8_t reserved = 0) {
  return {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
          static_cast<std::uint8_t>(i / 2), reserved};
}

// A BMP file made field by field. The colour table holds clrUsed entries, or 2 to the bit
// count behind a core header (12 bytes, 3-byte colours). Masks go to byte 40 of the info
// header: right behind a 40-byte one, inside a longer one.
Bytes Bmp(int width, int height, int bitCount, const Bytes& pixels, std::uint32_t compression = 0,
          std::uint32_t clrUsed = 0, std::uint32_t headerSize = 40,
          const std::vector<std::uint32_t>& masks = {}) {
  const bool core = headerSize == 12;
  Bytes b(14 + headerSize + (headerSize == 40 ? 4 * masks.size() : 0), 0);
  b = Patched(b, 0, 'B' | 'M' << 8);
  b = Patched(b, 14, headerSize);
  b = Patched(b, 18, core ? (width & 0xFFFF) | height << 16 : width);
  b = Patched(b, core ? 22 : 26, 1u | bitCount << 16);
  if (!core) {
    b = Patched(b, 22, height);
    b = Patched(b, 30, compression);
    b = Patched(b, 46, clrUsed);
  }
  for (std::size_t i = 0; i < masks.size(); ++i) {
    b = Patched(b, 54 + 4 * i, masks[i]);
  }
  for (int i = 0; i < (core ? 1 << bitCount : static_cast<int>(clrUsed)); ++i) {
    const Bytes entry = Entry(i, 0x77);  // the reserved byte set
    b.insert(b.end(), entry.begin(), entry.end() - (core ? 1 : 0));
  }
  b = Patched(b, 2, static_cast<std::uint32_t>(b.size() + pixels.size()));
  b = Patched(b, 10, static_cast<std::uint32_t>(b.size()));
  b.insert(b.end(), pixels.begin(), pixels.end());
  return b;
}

DibPtr Read(const Bytes& bytes) {
  return ReadDibFile(kScratch.Write("read.bmp", bytes));
}

Bytes Rows(const DibPtr& block) {
  const std::uint8_t* rows = DibPixelRows(block.get());
  return Bytes(rows, rows + ReadInfoHeader(block.get()).biSizeImage);
}

// 1 x 2 at 8 bits with the full 256-entry table: 1086 bytes, rows from byte 1078.
const Bytes kEightBitFile = Bmp(1, 2, 8, {1, 2, 0, 0, 3, 4, 0, 0}, 0, 256);
// 6 x 3 in 8-bit runs: run, literal, end of row, move, run cut at the edge, end of picture.
const Bytes kRunLengthFile =
    Bmp(6, 3, 8, {3, 2, 0, 3, 1, 3, 1, 0, 0, 0, 0, 2, 2, 1, 9, 3, 0, 1}, 1, 4);
// 1 x 2 at 5-6-5, top-down: its top pixel red 31, green 1, blue 1.
const Bytes k565File =
    Bmp(1, -2, 16, {0x21, 0xF8, 0, 0, 0, 0, 0, 0}, 3, 0, 40, {0xF800, 0x7E0, 0x1F});

// Every header version (and a file without the file header), top-down rows, masks and
// run-length codes give the plain block: 40-byte header, 4-byte colours with the reserved byte
// cleared (the core header's 3-byte colours widened), bottom-up rows without compression. Masks
// other than the block's own 5-5-5 and 8-8-8 give 24-bit pixels, each channel scaled to 8 bits.
TEST(ReadDibTest, EveryFormGivesThePlainBlock) {
  // clang-format off
  std::vector<std::tuple<Bytes, int, Bytes>> forms = {
      {kFile3x2, 24, Bytes(kFile3x2.begin() + 54, kFile3x2.end())},
      {Bytes(kEightBitFile.begin() + 14, kEightBitFile.end()), 8, {1, 2, 0, 0, 3, 4, 0, 0}},  // no file header
      {Bmp(1, 1, 16, {0x1F, 0x7C, 0, 0}, 3, 0, 40, {0x7C00, 0x3E0, 0x1F}), 16, {0x1F, 0x7C, 0, 0}},
      {k565File, 24, {0, 0, 0, 0, 8, 4, 255, 0}},
      {Bytes(k565File.begin() + 14, k565File.end()), 24, {0, 0, 0, 0, 8, 4, 255, 0}},  // masks, then rows
      {Bmp(1, 1, 32, {1, 2, 3, 4}, 3, 0, 124, {0xFF0000, 0xFF00, 0xFF}), 32, {1, 2, 3, 4}},
      {Bmp(2, 1, 32, {1, 2, 3, 4, 5, 6, 7, 8}, 3, 0, 124, {0xFF, 0xFF00, 0xFF0000}), 24, {3, 2, 1, 7, 6, 5, 0, 0}},
      {Bmp(1, 1, 16, {0x3C, 0x5A, 0, 0}, 3, 0, 56, {0xF00, 0xF0, 0xF}), 24, {204, 51, 170, 0}},
      {Bmp(1, 1, 32, {0, 2, 0xF0, 0x3F}, 3, 0, 52, {0x3FF00000, 0xFFC00, 0x3FF}), 24, {128, 0, 255, 0}},
      {kRunLengthFile, 8, {2, 2, 2, 1, 3, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 3, 3, 3, 0, 0}},
      {Bmp(8, 1, 8, {0, 3, 7, 8, 9, 0, 2, 5, 0, 1}, 1, 10), 8, {7, 8, 9, 5, 5, 0, 0, 0}},  // a literal of three
      // 4 bits: literals of 4 and 3 pixels (word-padded), a run cut at the edge, a literal cut short
      {Bmp(8, 3, 4, {0, 4, 0xAB, 0xCD, 0, 3, 0xEF, 0x10, 3, 0x12, 0, 0, 0, 7, 0x98, 0x76, 0x54, 0x32,
                     0, 0, 2, 0x34, 0, 5, 0xAB, 0xCD}, 2, 4),
       4, {0xAB, 0xCD, 0xEF, 0x11, 0x98, 0x76, 0x54, 0x30, 0x34, 0, 0, 0}}};
  // clang-format on
  const Bytes pixels = {5, 250, 0, 0, 255, 1, 0, 0};
  for (std::uint32_t size : {12u, 40u, 52u, 56u, 64u, 108u, 124u}) {
    forms.push_back({Bmp(2, 2, 8, pixels, 0, 256, size), 8, pixels});
  }
  for (std::size_t i = 0; i < forms.size(); ++i) {
    const auto& [file, bits, rows] = forms[i];
    const DibPtr block = Read(file);
    ASSERT_NE(block, nullptr) << i;
    const BitmapInfoHeader h = ReadInfoHeader(block.get());
    EXPECT_EQ(std::tuple(h.biSize, h.biPlanes, h.biCompression, h.biBitCount, Rows(block)),
              std::tuple(40u, 1, 0u, bits, rows))
        << i;
    for (int entry = 0; entry < static_cast<int>(h.biClrUsed); ++entry) {
      ASSERT_EQ(Bytes(block.get() + 40 + 4 * entry, block.get() + 44 + 4 * entry), Entry(entry))
          << i;
    }
  }
}

enum Base { k24, k8, k565, kRle };

// A good file with one field (at the offset) set to each value in turn: readable, and then
// with the good file's rows, or refused. Offsets: 10 pixel offset, 14 header size, 18 width,
// 22 height, 28 bit count, 30 compression, 34 image size, 46 colours used, 54 the first mask.
// clang-format off
const std::tuple<Base, std::size_t, std::vector<std::uint32_t>, bool> kMutations[] = {
    // readable: any image size; no pixel offset (rows behind the table); a pixel offset past a
    // short table; true colour with a table; codes of a stated size or more than the file holds
    {k24, 34, {0, 26, 1000000}, true}, {k24, 10, {0}, true}, {k8, 46, {2}, true}, {k8, 28, {32}, true},
    {kRle, 34, {18, 19}, true},
    // bit counts, 8 with a table beyond the file; width: none, negative, a row over 2 GB, beyond
    // the file; height: none, most negative, one row more than the file
    {k24, 28, {0, 2, 3, 7, 8, 12, 15, 33, 64}, false}, {k24, 22, {0, 0x80000000u, 3}, false},
    {k24, 18, {0, 0xFFFFFFFDu, 0x7FFFFFFF, 100000}, false},
    // pixel offset: past the end, wrapping around, inside the header; header sizes; colours:
    // more than 256, than the pixels can index (256 at 4 bits), a count that wraps
    {k24, 10, {1000, 0xFFFFFFF0u, 20}, false}, {k24, 14, {0, 4, 11, 39, 41, 100, 125, 0xFFFFFFFFu}, false},
    {k24, 46, {257, 0x40000001u}, false}, {k8, 46, {257}, false}, {k8, 28, {4}, false},
    // compression at 24 bits; masks at 8 bits, at 24 bits (compression 3 kept), masks that are
    // none, split or beyond 16 bits; runs: top-down, in an OS/2 header; nine codes spell at
    // most 2295 pixels: 765 x 3 (read below) and no more
    {k24, 30, {1, 2, 3, 4, 5, 6, 99}, false}, {k8, 30, {3}, false}, {k565, 28, {0x30018}, false},
    {k565, 54, {0, 0xF000F800u, 0x1F800}, false}, {kRle, 22, {0xFFFFFFFDu}, false}, {kRle, 14, {64}, false},
    {kRle, 18, {766}, false}};
// clang-format on

TEST(HostileFileTest, MutationsOfGoodFiles) {
  const Bytes bases[] = {kFile3x2, kEightBitFile, k565File, kRunLengthFile};
  for (const auto& [base, at, values, readable] : kMutations) {
    for (std::uint32_t value : values) {
      const DibPtr block = Read(Patched(bases[base], at, value));
      ASSERT_EQ(block != nullptr, readable) << base << " at " << at << ": " << value;
      EXPECT_TRUE(!readable || Rows(block) == Rows(Read(bases[base]))) << at;
    }
  }
  EXPECT_NE(Read(Patched(kRunLengthFile, 18, 765)), nullptr);
  EXPECT_EQ(ReadInfoHeader(Read(Patched(kEightBitFile, 50, 256)).get()).biClrImportant, 256u);
}

// Cutting a good file anywhere leaves a file the reader refuses rather than fills with
// whatever memory held; the header reader already sees that the rows are not all there.
TEST(HostileFileTest, EveryTruncationIsRefused) {
  for (const Bytes& whole :
       {kFile3x2, kEightBitFile, k565File, Bmp(3, 2, 4, Bytes(8, 0x11), 0, 0, 12)}) {
    ASSERT_NE(Read(whole), nullptr);
    for (std::size_t length = 0; length < whole.size(); ++length) {
      const bool refused = Read(Bytes(whole.begin(), whole.begin() + length)) == nullptr;
      CStdioFile opened(kScratch.File("read.bmp"), CStdioFile::Mode::Read);
      EXPECT_TRUE(refused && ReadDibHeader(opened) == nullptr) << length;
    }
  }
}

// Load makes the palette, reads the stored name (the last saved) when given none, and leaves the
// image empty on failure. A true-colour file's table makes no palette; an index beyond a short
// table has no colour.
TEST(LoadTest, StoredNamePaletteAndEmptyImageOnFailure) {
  CDibFile image;
  ASSERT_EQ(image.Load(kScratch.Write("8.bmp", kEightBitFile)), 1);
  // Saved with its colours in the file's table, kept in index form before and after.
  ASSERT_EQ(image.Save(kScratch.File("8-saved.bmp")), 1);
  const int kept = IndexFormColours(image);
  image.Create(1, 1, 24, -1);
  ASSERT_EQ(image.Load(""), 1);
  EXPECT_EQ(std::tuple(kept, IndexFormColours(image), Rgb(image, 0, 1)),
            std::tuple(256, 256, std::tuple(1, 1, 252, 3)));
  EXPECT_EQ(image.Load(kScratch.Write("bad.bmp", Patched(kFile3x2, 18, 0))), 0);
  EXPECT_EQ(std::tuple(image.Dib(), image.Width(), image.Palette()),
            std::tuple(nullptr, 0, nullptr));
  ASSERT_EQ(image.Load(kScratch.Write("32.bmp", Patched(kEightBitFile, 28, 32))), 1);
  EXPECT_EQ(std::tuple(image.Palette(), image.ColourMode(), image.Bits()),
            std::tuple(nullptr, 2, image.Dib() + 40 + 1024));
  ASSERT_EQ(image.Load(kScratch.Write("3.bmp", Patched(kEightBitFile, 46, 3))), 1);
  EXPECT_EQ(std::tuple(Rgb(image, 0, 0), std::get<0>(Rgb(image, 0, 1)), IndexFormColours(image)),
            std::tuple(std::tuple(1, 0, 254, 1), 0, 3));
  ASSERT_EQ(image.Load(kScratch.Write("1.bmp", Patched(kEightBitFile, 46, 1))), 1);
  EXPECT_EQ(IndexFormColours(image), 1);  // a table of one colour is a palette too
  EXPECT_EQ(image.Load(kScratch.File("no.bmp")), 0);
  EXPECT_EQ(image.FileName(), kScratch.File("no.bmp"));
}
