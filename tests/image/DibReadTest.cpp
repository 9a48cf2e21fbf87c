#include "ImageTestFiles.h"
#include "image/DibBlock.h"
#include "image/DibFile.h"
#include "image/DibFileIo.h"

namespace {

void Put(Bytes& b, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) {
    b[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
  }
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
  b[0] = 'B';
  b[1] = 'M';
  Put(b, 14, headerSize);
  Put(b, 18, core ? (width & 0xFFFF) | height << 16 : width);
  Put(b, core ? 22 : 26, 1u | bitCount << 16);
  if (!core) {
    Put(b, 22, height);
    Put(b, 30, compression);
    Put(b, 46, clrUsed);
  }
  for (std::size_t i = 0; i < masks.size(); ++i) {
    Put(b, 54 + 4 * i, masks[i]);
  }
  for (int i = 0; i < (core ? 1 << bitCount : static_cast<int>(clrUsed)); ++i) {
    const Bytes entry = Entry(i, 0x77);  // the reserved byte set
    b.insert(b.end(), entry.begin(), entry.end() - (core ? 1 : 0));
  }
  Put(b, 2, static_cast<std::uint32_t>(b.size() + pixels.size()));
  Put(b, 10, static_cast<std::uint32_t>(b.size()));
  b.insert(b.end(), pixels.begin(), pixels.end());
  return b;
}

// A 1 x 2 8-bit file with the full 256-entry table: 1086 bytes, rows from byte 1078.
const Bytes kEightBitFile = Bmp(1, 2, 8, {1, 2, 0, 0, 3, 4, 0, 0}, 0, 256);

Bytes Patched(Bytes b, const std::vector<std::pair<std::size_t, std::uint32_t>>& patches) {
  for (const auto& [at, value] : patches) {
    Put(b, at, value);
  }
  return b;
}

// A block read from memory, released at the end of the scope.
struct Block {
  explicit Block(const Bytes& bytes) {
    CMemoryFile file(bytes);
    data = ReadDib(file);
  }
  Block(const Block&) = delete;
  ~Block() { FreeDib(data); }
  BitmapInfoHeader Header() const { return ReadInfoHeader(data); }
  Bytes Rows() const {
    return Bytes(DibPixelRows(data), DibPixelRows(data) + Header().biSizeImage);
  }
  std::uint8_t* data = nullptr;
};

const Bytes kRows3x2(kFile3x2.begin() + 54, kFile3x2.end());

// Every header version (with and without the file header), top-down rows, bit fields of the
// plain forms and run-length codes give the plain block: 40-byte header, 4-byte colours with
// the reserved byte cleared (the core header's 3-byte colours widened), bottom-up rows.
TEST(ReadDibTest, EveryFormGivesThePlainBlock) {
  const Bytes masks555 = Bmp(1, 1, 16, {0x1F, 0x7C, 0, 0}, 3, 0, 40, {0x7C00, 0x3E0, 0x1F});
  Bytes topDown(kRows3x2.begin() + 12, kRows3x2.end());
  topDown.insert(topDown.end(), kRows3x2.begin(), kRows3x2.begin() + 12);
  std::vector<std::pair<Bytes, Bytes>> forms = {
      {kFile3x2, kRows3x2},
      {Bmp(3, -2, 24, topDown), kRows3x2},
      {masks555, {0x1F, 0x7C, 0, 0}},
      {Bytes(masks555.begin() + 14, masks555.end()), {0x1F, 0x7C, 0, 0}},  // rows behind the masks
      // 5-6-5: red 31, green 63, blue 1 narrow to red 31, green 31, blue 1
      {Bmp(1, 1, 16, {0xE1, 0xFF, 0, 0}, 3, 0, 108, {0xF800, 0x7E0, 0x1F}), {0xE1, 0x7F, 0, 0}},
      {Bmp(1, 1, 32, {1, 2, 3, 4}, 3, 0, 124, {0xFF0000, 0xFF00, 0xFF}), {1, 2, 3, 4}},
      // 8 bits: run, literal, end of row, move, run cut at the edge, end of picture
      {Bmp(6, 3, 8, {3, 2, 0, 3, 1, 3, 1, 0, 0, 0, 0, 2, 2, 1, 9, 3, 0, 1}, 1, 4),
       {2, 2, 2, 1, 3, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 3, 3, 3, 0, 0}},
      // 4 bits: run, literal past the edge, end of picture
      {Bmp(6, 3, 4, {5, 0x12, 0, 3, 0xAB, 0xC0, 0, 1}, 2, 4),
       {0x12, 0x12, 0x1A, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
      // runs and a move past the edge, a literal past the edge, a literal cut short
      {Bmp(3, 3, 8, {255, 1, 0, 2, 200, 0, 2, 7, 0, 0, 0, 2, 1, 0, 0, 3, 5, 6, 7, 0, 0, 9, 1, 1}, 1,
           4),
       {1, 1, 1, 0, 0, 5, 6, 0, 0, 0, 0, 0}}};
  const Bytes pixels = {5, 250, 0, 0, 255, 1, 0, 0};
  for (std::uint32_t size : {12u, 40u, 52u, 56u, 64u, 108u, 124u}) {
    const Bytes file = Bmp(2, 2, 8, pixels, 0, 256, size);
    forms.insert(forms.end(), {{file, pixels}, {Bytes(file.begin() + 14, file.end()), pixels}});
  }
  for (std::size_t i = 0; i < forms.size(); ++i) {
    const Block b(forms[i].first);
    ASSERT_NE(b.data, nullptr) << i;
    EXPECT_EQ(std::make_tuple(b.Header().biSize, b.Header().biCompression),
              std::make_tuple(40u, 0u))
        << i;
    for (int entry = 0; entry < static_cast<int>(b.Header().biClrUsed); ++entry) {
      ASSERT_EQ(Bytes(b.data + 40 + 4 * entry, b.data + 44 + 4 * entry), Entry(entry)) << i;
    }
    EXPECT_EQ(b.Rows(), forms[i].second) << i;
  }
  const Block plain(kFile3x2);  // the header as the file's own
  EXPECT_EQ(Bytes(plain.data, plain.data + 40),
            Bytes(kFile3x2.begin() + 14, kFile3x2.begin() + 54));
}

enum Base { k24, k8 };  // kFile3x2, kEightBitFile

// Each value at the offset on its own, together with the further patches.
struct Mutation {
  const char* what;
  Base base;
  std::size_t at;
  std::vector<std::uint32_t> values;
  std::vector<std::pair<std::size_t, std::uint32_t>> further;
  bool readable;  // and then as the same pixel rows
};

// Offsets: 10 pixel offset, 14 header size, 18 width, 22 height, 28 bit count, 30 compression,
// 34 image size, 46 colours used.
const Mutation kMutations[] = {
    {"image size", k24, 34, {0, 26, 1000000}, {}, true},
    {"no pixel offset: rows behind the table", k24, 10, {0}, {}, true},
    {"pixel offset past a short table", k8, 46, {2}, {}, true},
    {"true colour with a colour table", k8, 28, {32}, {}, true},
    {"bit count", k24, 28, {0, 2, 3, 7, 12, 15, 33, 64}, {}, false},
    {"width", k24, 18, {0, static_cast<std::uint32_t>(-3)}, {}, false},
    {"row longer than 2 GB", k24, 18, {0x7FFFFFFF}, {}, false},
    {"picture larger than the file", k24, 18, {100000}, {}, false},
    {"rows of exactly 4 GB", k8, 18, {65536}, {{22, 65536}}, false},
    {"height 0, most negative, one row too many", k24, 22, {0, 0x80000000u, 3}, {}, false},
    // past the end, wrapping around, inside the header
    {"pixel offset", k24, 10, {1000, 0xFFFFFFF0u, 20}, {}, false},
    {"header size", k24, 14, {0, 4, 11, 39, 41, 100, 125, 0xFFFFFFFFu}, {}, false},
    {"table beyond the file", k24, 28, {8}, {}, false},
    {"colours the pixels cannot index", k8, 46, {257}, {}, false},
    {"257 colours in true colour", k8, 46, {257}, {{28, 32}}, false},
    {"17 colours at 4 bits", k8, 28, {4}, {{46, 17}}, false},
    {"colour count wraps", k24, 46, {0x40000001u}, {}, false},
    {"compression at 24 bits", k24, 30, {1, 2, 4, 5, 6, 99}, {}, false},
    {"bit fields at 8 bits", k8, 30, {3}, {}, false},
    {"unusual masks", k24, 30, {3}, {{28, 32}}, false},
    {"top-down run lengths", k8, 22, {static_cast<std::uint32_t>(-2)}, {{30, 1}}, false},
    {"run lengths claiming a huge picture", k8, 18, {1000000}, {{30, 1}}, false},
};

// The header reader leaves the file at the pixel rows, for the file header's offset and for
// an info header that starts the file, and refuses what the full reader refuses.
TEST(ReadDibHeaderTest, LeavesTheFileAtThePixelRows) {
  for (const bool withFileHeader : {true, false}) {
    CMemoryFile file(withFileHeader ? kEightBitFile
                                    : Bytes(kEightBitFile.begin() + 14, kEightBitFile.end()));
    std::uint8_t* header = ReadDibHeader(file);
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(ReadInfoHeader(header).biClrUsed, 256u);
    EXPECT_EQ(file.Tell(), withFileHeader ? 1078 : 1064);
    FreeDib(header);
  }
  CMemoryFile truncated(Bytes(kEightBitFile.begin(), kEightBitFile.begin() + 60));
  EXPECT_EQ(ReadDibHeader(truncated), nullptr);
}

TEST(HostileFileTest, MutationsOfGoodFiles) {
  const Bytes bases[] = {kFile3x2, kEightBitFile};
  for (const Mutation& m : kMutations) {
    for (std::uint32_t value : m.values) {
      const Block b(Patched(Patched(bases[m.base], m.further), {{m.at, value}}));
      EXPECT_EQ(b.data != nullptr, m.readable) << m.what << " " << value;
      if (b.data != nullptr && m.readable) {
        EXPECT_EQ(b.Rows(), Block(bases[m.base]).Rows()) << m.what;
      }
    }
  }
}

// Cutting a good file anywhere leaves a file the reader refuses rather than fills with
// whatever memory held.
TEST(HostileFileTest, EveryTruncationIsRefused) {
  const Bytes core = Bmp(3, 2, 4, Bytes(8, 0x11), 0, 0, 12);
  for (const Bytes& whole : {kFile3x2, kEightBitFile, core}) {
    ASSERT_NE(Block(whole).data, nullptr);
    for (std::size_t length = 0; length < whole.size(); ++length) {
      EXPECT_EQ(Block(Bytes(whole.begin(), whole.begin() + length)).data, nullptr) << length;
    }
  }
}

TEST(LoadTest, StoredNamePaletteAndEmptyImageOnFailure) {
  CTempFolder folder;
  const std::string eight = folder.File("8.bmp"), bad = folder.File("bad.bmp");
  WriteBytes(eight, kEightBitFile);
  WriteBytes(bad, Patched(kFile3x2, {{18, 0}}));
  WriteBytes(folder.File("32.bmp"), Patched(kEightBitFile, {{28, 32}}));
  WriteBytes(folder.File("3.bmp"), Patched(kEightBitFile, {{46, 3}}));
  CDibFile image;
  EXPECT_EQ(image.Load(""), 0);
  ASSERT_EQ(image.Load(eight), 1);
  image.Create(1, 1, 24, -1);
  ASSERT_EQ(image.Load(""), 1);  // the stored name
  ExpectIndexForm(image, 256);
  EXPECT_EQ(image.Load(bad), 0);
  EXPECT_EQ(std::make_tuple(image.Dib(), image.Width(), image.Palette()),
            std::make_tuple(nullptr, 0, nullptr));
  // A colour table in a true-colour file makes no palette; the rows lie behind it.
  ASSERT_EQ(image.Load(folder.File("32.bmp")), 1);
  EXPECT_EQ(std::make_tuple(image.Palette(), image.ColourMode(), image.Bits()),
            std::make_tuple(nullptr, 2, image.Dib() + 40 + 1024));
  // A pixel may name an index beyond a short table: it has no colour.
  ASSERT_EQ(image.Load(folder.File("3.bmp")), 1);
  EXPECT_EQ(Rgb(image, 0, 0), std::make_tuple(1, 0, 254, 1));
  EXPECT_EQ(std::get<0>(Rgb(image, 0, 1)), 0);
  EXPECT_EQ(image.Load(folder.File("missing.bmp")), 0);
  EXPECT_EQ(image.FileName(), folder.File("missing.bmp"));
}

}  // namespace
