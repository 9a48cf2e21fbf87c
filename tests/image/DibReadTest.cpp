#include <gtest/gtest.h>

#include <climits>

#include "BmpBytes.h"
#include "MemoryFile.h"
#include "image/DibBlock.h"
#include "image/DibFile.h"
#include "image/DibFileIo.h"

namespace {

// Rows of the 3 x 2 24-bit picture, bottom row first, each 9 bytes and 3 of padding.
const Bytes kRows24 = {1,  2,  3,  4,  5,  6,  7,  8,  9,  0, 0, 0,
                       11, 12, 13, 14, 15, 16, 17, 18, 19, 0, 0, 0};

BmpSpec TrueColour3x2() {
  BmpSpec s;
  s.pixels = kRows24;
  return s;
}

Bytes Table(int entries, int entryBytes) {
  Bytes t;
  for (int i = 0; i < entries; ++i) {
    t.push_back(static_cast<std::uint8_t>(i));        // blue
    t.push_back(static_cast<std::uint8_t>(255 - i));  // green
    t.push_back(static_cast<std::uint8_t>(i / 2));    // red
    if (entryBytes == 4) {
      t.push_back(0x77);  // the reserved byte comes back as 0
    }
  }
  return t;
}

struct Block {
  std::uint8_t* data = nullptr;
  ~Block() { FreeDib(data); }
  BitmapInfoHeader Header() const { return ReadInfoHeader(data); }
  const std::uint8_t* Rows() const { return DibPixelRows(data); }
};

std::uint8_t* ReadFromMemory(const Bytes& bytes, std::size_t at = 0) {
  CMemoryFile file(bytes);
  file.SeekTo(static_cast<std::int64_t>(at));
  return ReadDib(file);
}

void ExpectTrueColour3x2(const Block& b) {
  ASSERT_NE(b.data, nullptr);
  const BitmapInfoHeader h = b.Header();
  EXPECT_EQ(h.biSize, 40u);
  EXPECT_EQ(h.biWidth, 3);
  EXPECT_EQ(h.biHeight, 2);
  EXPECT_EQ(h.biBitCount, 24);
  EXPECT_EQ(h.biSizeImage, 24u);
  EXPECT_EQ(h.biClrUsed, 0u);
  EXPECT_EQ(Bytes(b.Rows(), b.Rows() + 24), kRows24);
}

TEST(ReadDibTest, FileWithAndWithoutFileHeaderReadAlike) {
  ExpectTrueColour3x2(Block{ReadFromMemory(MakeBmp(TrueColour3x2()))});
  BmpSpec bare = TrueColour3x2();
  bare.fileHeader = false;
  ExpectTrueColour3x2(Block{ReadFromMemory(MakeBmp(bare))});
  // Also from the middle of a larger file: the header starts where the file stands.
  Bytes embedded(7, 0xCC);
  const Bytes image = MakeBmp(bare);
  embedded.insert(embedded.end(), image.begin(), image.end());
  ExpectTrueColour3x2(Block{ReadFromMemory(embedded, 7)});
}

TEST(ReadDibTest, ImageSizeIsComputedWhateverTheHeaderSays) {
  for (std::uint32_t sizeImage : {0u, 24u, 26u, 1000000u}) {
    BmpSpec s = TrueColour3x2();
    s.sizeImage = sizeImage;
    ExpectTrueColour3x2(Block{ReadFromMemory(MakeBmp(s))});
  }
}

TEST(ReadDibTest, CoreHeaderWidensItsThreeByteColours) {
  BmpSpec s;
  s.headerSize = 12;
  s.width = 2;
  s.height = 2;
  s.bitCount = 8;
  s.table = Table(256, 3);
  s.pixels = {5, 250, 0, 0, 255, 1, 0, 0};
  for (bool fileHeader : {true, false}) {
    s.fileHeader = fileHeader;
    Block b{ReadFromMemory(MakeBmp(s))};
    ASSERT_NE(b.data, nullptr);
    EXPECT_EQ(b.Header().biSize, 40u);
    EXPECT_EQ(b.Header().biClrUsed, 256u);
    EXPECT_EQ(b.Header().biSizeImage, 8u);
    EXPECT_EQ(b.Rows(), b.data + 40 + 1024);
    const Bytes wide = Table(256, 4);
    for (int i = 0; i < 256; ++i) {
      ASSERT_EQ(b.data[40 + 4 * i], wide[4 * i]);
      ASSERT_EQ(b.data[41 + 4 * i], wide[4 * i + 1]);
      ASSERT_EQ(b.data[42 + 4 * i], wide[4 * i + 2]);
      ASSERT_EQ(b.data[43 + 4 * i], 0);
    }
    EXPECT_EQ(Bytes(b.Rows(), b.Rows() + 8), s.pixels);
  }
}

TEST(ReadDibTest, TopDownRowsAreTurnedBottomUp) {
  BmpSpec s = TrueColour3x2();
  s.height = -2;
  s.pixels = Bytes(kRows24.begin() + 12, kRows24.end());
  s.pixels.insert(s.pixels.end(), kRows24.begin(), kRows24.begin() + 12);
  Block b{ReadFromMemory(MakeBmp(s))};
  ExpectTrueColour3x2(b);
}

TEST(ReadDibTest, LaterHeaderVersionsKeepTheirTableBehindTheWholeHeader) {
  for (std::uint32_t size : {52u, 56u, 64u, 108u, 124u}) {
    BmpSpec s;
    s.headerSize = size;
    s.width = 3;
    s.height = 1;
    s.bitCount = 4;
    s.clrUsed = 3;
    s.table = Table(3, 4);
    s.pixels = {0x12, 0x00, 0, 0};
    Block b{ReadFromMemory(MakeBmp(s))};
    ASSERT_NE(b.data, nullptr) << size;
    EXPECT_EQ(b.Header().biSize, 40u);
    EXPECT_EQ(b.Header().biClrUsed, 3u);
    EXPECT_EQ(b.data[40 + 4], 1);  // entry 1: blue 1, green 254
    EXPECT_EQ(b.data[40 + 5], 254);
    EXPECT_EQ(b.Rows()[0], 0x12);
  }
}

TEST(ReadDibTest, PixelOffsetSkipsAGapAfterTheTable) {
  BmpSpec s = TrueColour3x2();
  const Bytes plain = MakeBmp(s);
  Bytes gapped(plain.begin(), plain.begin() + 54);
  gapped.insert(gapped.end(), 10, 0xEE);
  gapped.insert(gapped.end(), kRows24.begin(), kRows24.end());
  Put32(gapped, 10, 64);
  ExpectTrueColour3x2(Block{ReadFromMemory(gapped)});
}

TEST(ReadDibTest, BitFieldsOfThePlainFormsAreRead) {
  const auto masks = [](std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    Bytes m(12);
    Put32(m, 0, r);
    Put32(m, 4, g);
    Put32(m, 8, b);
    return m;
  };
  struct Case {
    std::uint16_t bits;
    Bytes masks;
    Bytes pixels, expected;
  } cases[] = {
      {16, masks(0x7C00, 0x03E0, 0x001F), {0x1F, 0x7C, 0, 0}, {0x1F, 0x7C, 0, 0}},
      // 5-6-5: red 31, green 63, blue 1 narrows to red 31, green 31, blue 1
      {16, masks(0xF800, 0x07E0, 0x001F), {0xE1, 0xFF, 0, 0}, {0xE1, 0x7F, 0, 0}},
      {32, masks(0xFF0000, 0xFF00, 0xFF), {1, 2, 3, 4}, {1, 2, 3, 4}},
  };
  for (const Case& c : cases) {
    for (std::uint32_t headerSize : {40u, 108u, 124u}) {
      BmpSpec s;
      s.width = 1;
      s.height = 1;
      s.bitCount = c.bits;
      s.compression = 3;
      s.headerSize = headerSize;
      s.masks = c.masks;
      s.pixels = c.pixels;
      Block b{ReadFromMemory(MakeBmp(s))};
      ASSERT_NE(b.data, nullptr) << c.bits << "/" << headerSize;
      EXPECT_EQ(b.Header().biCompression, 0u);
      EXPECT_EQ(b.Rows(), b.data + 40);
      EXPECT_EQ(Bytes(b.Rows(), b.Rows() + 4), c.expected);
    }
  }
}

TEST(ReadDibTest, RunLengthCodesAreDecoded) {
  BmpSpec s;
  s.width = 6;
  s.height = 3;
  s.bitCount = 8;
  s.compression = 1;
  s.clrUsed = 4;
  s.table = Table(4, 4);
  s.pixels = {3, 2,              // three pixels of 2
              0, 3, 1, 3, 1, 0,  // literal 1 3 1, padded to a word
              0, 0,              // end of row 0
              0, 2, 2, 1,        // move right 2, up 1: row 2, x 2
              9, 3,              // nine pixels of 3: the row ends after four
              0, 1};             // end of picture
  Block b{ReadFromMemory(MakeBmp(s))};
  ASSERT_NE(b.data, nullptr);
  const Bytes expected = {2, 2, 2, 1, 3, 1, 0, 0,  // row 0
                          0, 0, 0, 0, 0, 0, 0, 0,  // row 1, skipped
                          0, 0, 3, 3, 3, 3, 0, 0};
  EXPECT_EQ(Bytes(b.Rows(), b.Rows() + 24), expected);

  s.bitCount = 4;
  s.compression = 2;
  s.pixels = {5, 0x12, 0, 3, 0xAB, 0xC0, 0, 1};  // 1 2 1 2 1, then literal A B C
  Block four{ReadFromMemory(MakeBmp(s))};
  ASSERT_NE(four.data, nullptr);
  const Bytes row = {0x12, 0x12, 0x1A, 0x00};  // B and C fall past the width
  EXPECT_EQ(Bytes(four.Rows(), four.Rows() + 4), row);
}

TEST(ReadDibTest, FactsReportTheFileAsItWas) {
  BmpSpec s = TrueColour3x2();
  s.height = -2;
  CMemoryFile file(MakeBmp(s));
  DibFileFacts facts;
  Block b{ReadDib(file, &facts)};
  ASSERT_NE(b.data, nullptr);
  EXPECT_EQ(facts.height, -2);
  EXPECT_EQ(facts.headerSize, 40u);
  EXPECT_EQ(facts.bitCount, 24);
}

TEST(ReadDibHeaderTest, LeavesTheFileAtThePixelRows) {
  BmpSpec s;
  s.bitCount = 8;
  s.clrUsed = 2;
  s.table = Table(2, 4);
  s.pixels = Bytes(8, 9);
  const Bytes bytes = MakeBmp(s);
  CMemoryFile file(bytes);
  Block b{ReadDibHeader(file)};
  ASSERT_NE(b.data, nullptr);
  EXPECT_EQ(file.Tell(), 14 + 40 + 8);
  EXPECT_EQ(DibColourTableBytes(b.data), 8);
}

TEST(DibColourTableBytesTest, ThreeBytesPerColourInCoreBlocks) {
  std::uint8_t block[40] = {};
  BitmapInfoHeader h;
  h.biBitCount = 8;
  WriteInfoHeader(block, h);
  EXPECT_EQ(DibColourTableBytes(block), 1024);
  h.biSize = 12;
  WriteInfoHeader(block, h);
  EXPECT_EQ(DibColourTableBytes(block), 768);
}

// --- files that must be refused ------------------------------------------------------------

struct HostileCase {
  const char* name;
  Bytes bytes;
};

BmpSpec Edited(void (*edit)(BmpSpec&)) {
  BmpSpec s = TrueColour3x2();
  edit(s);
  return s;
}

Bytes Patched(std::size_t at, std::uint32_t value, BmpSpec s = TrueColour3x2()) {
  Bytes b = MakeBmp(s);
  Put32(b, at, value);
  return b;
}

std::vector<HostileCase> HostileFiles() {
  std::vector<HostileCase> cases;
  for (int bits : {0, 2, 3, 7, 12, 15, 33, 64}) {
    cases.push_back({"bit count", MakeBmp(Edited([](BmpSpec&) {}))});
    Put16(cases.back().bytes, 28, static_cast<std::uint32_t>(bits));
  }
  cases.push_back({"width 0", Patched(18, 0)});
  cases.push_back({"width negative", Patched(18, static_cast<std::uint32_t>(-3))});
  cases.push_back({"height 0", Patched(22, 0)});
  cases.push_back({"height most negative", Patched(22, 0x80000000u)});
  cases.push_back({"rows overflow 32 bits",
                   Patched(18, 0x7FFFFFFF, Edited([](BmpSpec& s) { s.height = 0x7FFFFFFF; }))});
  cases.push_back({"picture larger than the file", Patched(18, 100000)});
  cases.push_back({"one row too many", Patched(22, 3)});
  cases.push_back({"offset past the end", Patched(10, 1000)});
  cases.push_back({"offset wraps", Patched(10, 0xFFFFFFF0u)});
  cases.push_back({"offset inside the header", Patched(10, 20)});
  for (std::uint32_t size : {0u, 4u, 11u, 39u, 41u, 100u, 125u, 0xFFFFFFFFu}) {
    cases.push_back({"header size", Patched(14, size)});
  }
  cases.push_back({"4-bit with 17 colours", MakeBmp(Edited([](BmpSpec& s) {
                     s.bitCount = 4;
                     s.clrUsed = 17;
                     s.table = Table(17, 4);
                     s.pixels = Bytes(8, 0);
                   }))});
  cases.push_back({"true colour with 257 colours", MakeBmp(Edited([](BmpSpec& s) {
                     s.clrUsed = 257;
                     s.table = Table(257, 4);
                   }))});
  cases.push_back({"colour count wraps", Patched(14 + 32, 0x40000001u)});
  cases.push_back({"table beyond the file", MakeBmp(Edited([](BmpSpec& s) {
                     s.bitCount = 8;
                     s.pixels = Bytes(8, 0);
                     s.offBits = 62;
                   }))});
  for (std::uint32_t compression : {1u, 2u, 4u, 5u, 6u, 99u}) {
    cases.push_back({"compression for 24 bits", Patched(14 + 16, compression)});
  }
  cases.push_back({"bit fields at 8 bits", MakeBmp(Edited([](BmpSpec& s) {
                     s.bitCount = 8;
                     s.compression = 3;
                     s.masks = Bytes(12, 0xFF);
                     s.pixels = Bytes(8, 0);
                   }))});
  cases.push_back({"unusual masks", MakeBmp(Edited([](BmpSpec& s) {
                     s.bitCount = 32;
                     s.compression = 3;
                     s.masks = {0xFF, 0, 0, 0, 0, 0xFF, 0, 0, 0, 0, 0xFF, 0};
                     s.pixels = Bytes(24, 0);
                   }))});
  cases.push_back({"top-down run lengths", MakeBmp(Edited([](BmpSpec& s) {
                     s.bitCount = 8;
                     s.compression = 1;
                     s.height = -2;
                     s.pixels = {0, 1};
                   }))});
  cases.push_back({"run lengths claiming a huge picture", MakeBmp(Edited([](BmpSpec& s) {
                     s.bitCount = 8;
                     s.compression = 1;
                     s.width = 30000;
                     s.height = 30000;
                     s.pixels = {0, 1};
                   }))});
  cases.push_back({"empty", {}});
  cases.push_back({"thirteen bytes", Bytes(13, 'B')});
  const Bytes whole = MakeBmp(TrueColour3x2());
  cases.push_back({"header only", Bytes(whole.begin(), whole.begin() + 54)});
  return cases;
}

TEST(HostileFileTest, EveryOneIsRefused) {
  for (const HostileCase& c : HostileFiles()) {
    Block b{ReadFromMemory(c.bytes)};
    EXPECT_EQ(b.data, nullptr) << c.name;
  }
}

// Cutting a good file anywhere leaves a file the reader refuses rather than fills with
// whatever memory held.
TEST(HostileFileTest, EveryTruncationIsRefused) {
  BmpSpec core;
  core.headerSize = 12;
  core.bitCount = 4;
  core.table = Table(16, 3);
  core.pixels = Bytes(8, 0x11);
  BmpSpec eight;
  eight.bitCount = 8;
  eight.clrUsed = 5;
  eight.table = Table(5, 4);
  eight.pixels = Bytes(8, 3);
  for (const Bytes& whole : {MakeBmp(TrueColour3x2()), MakeBmp(core), MakeBmp(eight)}) {
    ASSERT_NE(Block{ReadFromMemory(whole)}.data, nullptr);
    for (std::size_t length = 0; length < whole.size(); ++length) {
      Block b{ReadFromMemory(Bytes(whole.begin(), whole.begin() + length))};
      EXPECT_EQ(b.data, nullptr) << length << " of " << whole.size();
    }
  }
}

// Codes that point outside the picture are dropped, not followed.
TEST(HostileFileTest, RunLengthCodesStayInsideThePicture) {
  BmpSpec s;
  s.width = 3;
  s.height = 2;
  s.bitCount = 8;
  s.compression = 1;
  s.clrUsed = 2;
  s.table = Table(2, 4);
  s.pixels = {255, 1, 0, 2,   255, 0, 200, 1,   0, 0, 0, 0,
              0,   2, 0, 255, 7,   1, 0,   255, 1, 1, 1};  // long runs, deltas off the picture, a
                                                           // literal cut short
  Block b{ReadFromMemory(MakeBmp(s))};
  ASSERT_NE(b.data, nullptr);
  EXPECT_EQ(b.Rows()[0], 1);
  EXPECT_EQ(b.Rows()[3], 0);  // padding is never written
}

TEST(LoadTest, FailureLeavesTheImageEmpty) {
  CTempFolder folder;
  WriteBytes(folder.File("bad.bmp"), Patched(18, 0));
  CDibFile image;
  image.Create(4, 4, 8, -1);
  EXPECT_EQ(image.Load(folder.File("bad.bmp")), 0);
  EXPECT_EQ(image.Dib(), nullptr);
  EXPECT_EQ(image.Width(), 0);
  EXPECT_EQ(image.Palette(), nullptr);
  EXPECT_EQ(image.Load(folder.File("missing.bmp")), 0);
  EXPECT_EQ(image.FileName(), folder.File("missing.bmp"));
}

TEST(LoadTest, EmptyNameReadsTheStoredName) {
  CTempFolder folder;
  WriteBytes(folder.File("good.bmp"), MakeBmp(TrueColour3x2()));
  CDibFile image;
  EXPECT_EQ(image.Load(""), 0);
  ASSERT_EQ(image.Load(folder.File("good.bmp")), 1);
  image.Create(1, 1, 8, -1);
  ASSERT_EQ(image.Load(""), 1);
  EXPECT_EQ(image.Width(), 3);
  EXPECT_EQ(image.BitCount(), 24);
  EXPECT_EQ(image.ColourMode(), 2);
  EXPECT_EQ(image.Palette(), nullptr);
  std::uint8_t r, g, b;
  ASSERT_EQ(image.GetPixelRGB(2, 1, r, g, b), 1);  // the last pixel of the exact-size block
  EXPECT_EQ(b, 17);
  EXPECT_EQ(r, 19);
}

TEST(LoadTest, ColourTableOfATrueColourFileMakesNoPalette) {
  BmpSpec s = TrueColour3x2();
  s.clrUsed = 4;
  s.table = Table(4, 4);
  CTempFolder folder;
  WriteBytes(folder.File("hint.bmp"), MakeBmp(s));
  CDibFile image;
  ASSERT_EQ(image.Load(folder.File("hint.bmp")), 1);
  EXPECT_EQ(image.Palette(), nullptr);
  EXPECT_EQ(image.ColourMode(), 2);
  EXPECT_EQ(image.Bits(), image.Dib() + 40 + 16);
  EXPECT_EQ(image.SetPixelRGB(0, 0, 1, 2, 3), 1);
}

}  // namespace
