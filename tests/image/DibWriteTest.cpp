#ifndef _WIN32
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>
#endif

#include "ImageTestFiles.h"
#include "image/DibFile.h"
#include "image/DibFileIo.h"

namespace {

// A failed Save leaves no file and keeps the name stored; a good one replaces a longer file.
TEST(SaveTest, ThreeByTwoTrueColourIsSeventyEightBytes) {
  CTempFolder folder;
  const std::string name = folder.File("a.bmp");
  WriteBytes(name, Bytes(5000, 0xEE));
  CDibFile image;
  EXPECT_EQ(image.Save(folder.File("none.bmp")), 0);  // no picture
  EXPECT_FALSE(std::filesystem::exists(folder.File("none.bmp")));
  image.Create(3, 2, 24, -1);
  for (int i = 0; i < 6; ++i) {
    image.SetPixelRGB(i % 3, i / 3, 10 * (i % 3), i / 3, 200);
  }
  EXPECT_EQ(image.Save(folder.File("missing/a.bmp")), 0);
  ASSERT_EQ(image.Save(name), 1);
  EXPECT_EQ(image.Save(""), 0);
  EXPECT_EQ(image.FileName(), name);
  EXPECT_EQ(ReadBytes(name), kFile3x2);
}

// The file holds the colours of the table (all 256 counted in its header); a loaded image
// holds the table in index form, and Save leaves it so.
TEST(SaveTest, ColoursInTheFileIndexFormInMemory) {
  CTempFolder folder;
  CDibFile created;
  created.Create(640, 480, 8, -1);
  ASSERT_EQ(created.Save(folder.File("p.bmp")), 1);
  const Bytes file = ReadBytes(folder.File("p.bmp"));
  ASSERT_EQ(file.size(), 14u + 40 + 1024 + 640 * 480);
  const auto at = [&file](int i) {
    return file[i] | file[i + 1] << 8 | file[i + 2] << 16 | file[i + 3] << 24;
  };
  // File size, pixel offset, colours used; entry 9 is standard red, not the palette's colour 9.
  EXPECT_EQ(std::make_tuple(at(2), at(10), at(46), at(54 + 4 * 9)),
            std::make_tuple(static_cast<int>(file.size()), 1078, 256, 0xFF0000));
  CDibFile image;
  ASSERT_EQ(image.Load(folder.File("p.bmp")), 1);
  ExpectIndexForm(image, 256);
  ASSERT_EQ(image.Save(folder.File("q.bmp")), 1);
  ExpectIndexForm(image, 256);
  EXPECT_EQ(ReadBytes(folder.File("q.bmp")), file);
}

// Whatever is saved comes back, rows, padding and the index of each pixel, at widths whose
// rows need padding; the file of the loaded image is the same again. The loaded block is
// exactly as large as its pixels, so its last pixel must stay inside.
TEST(SaveTest, RoundTripAtEveryDepthAndOddWidths) {
  CTempFolder folder;
  const std::string name = folder.File("round.bmp"), again = folder.File("again.bmp");
  for (int bits : {1, 4, 8, 16, 24, 32}) {
    for (int width : {1, 3, 5, 7, 9, 13, 33}) {
      SCOPED_TRACE(testing::Message() << bits << " bits, width " << width);
      const int height = 3, pixels = width * height;
      CDibFile saved;
      saved.Create(width, height, bits, -1);
      for (int i = 0; i < pixels; ++i) {
        const int x = i % width, y = i / width, v = i * 37;
        ASSERT_EQ(
            bits <= 8 ? saved.SetPixelIndex(x, y, v) : saved.SetPixelRGB(x, y, v, v / 3, v + 7), 1);
      }
      ASSERT_EQ(saved.Save(name), 1);
      CDibFile loaded;
      ASSERT_EQ(loaded.Load(name), 1);
      EXPECT_EQ(std::make_tuple(loaded.Width(), loaded.Height(), loaded.BitCount(),
                                loaded.ColourMode(), loaded.Palette() != nullptr),
                std::make_tuple(width, height, bits, bits <= 8 ? 3 : 2, bits <= 8));
      const std::size_t size = static_cast<std::size_t>(saved.RowBytes()) * height;
      EXPECT_EQ(Bytes(loaded.Bits(), loaded.Bits() + size),
                Bytes(saved.Bits(), saved.Bits() + size));
      for (int i = 0; i < pixels && bits <= 8; ++i) {
        ASSERT_EQ(loaded.GetPixelIndex(i % width, i / width), i * 37 % (1 << bits)) << i;
      }
      ASSERT_EQ(loaded.Save(again), 1);
      EXPECT_EQ(ReadBytes(again), ReadBytes(name));
      EXPECT_EQ(std::get<0>(Rgb(loaded, width - 1, height - 1)), 1);
      EXPECT_EQ(loaded.SetPixelRGB(width - 1, height - 1, 1, 2, 3), 1);
    }
  }
}

#ifndef _WIN32  // the file size limit is POSIX
// A disk that fills up: the file size limit makes the writes fail part-way. The writer must
// say so and leave no truncated picture behind. Runs in a child so the limit stays there.
[[noreturn]] void SaveBeyondTheSizeLimit(const std::string& name) {
  signal(SIGXFSZ, SIG_IGN);
  const rlimit limit{100000, 100000};
  setrlimit(RLIMIT_FSIZE, &limit);
  CDibFile image;
  image.Create(640, 480, 24, -1);
  _exit(image.Save(name) == 0 && !std::filesystem::exists(name) ? 0 : 1);
}

TEST(SaveTest, FullDiskFailsAndRemovesThePartialFile) {
  CTempFolder folder;
  EXPECT_EXIT(SaveBeyondTheSizeLimit(folder.File("full.bmp")), testing::ExitedWithCode(0), "");
}
#endif

TEST(WriteInChunksTest, PiecesOfAtMost32768BytesStoppingAtAShortOne) {
  // length, what the disk holds, result, the writes
  const std::tuple<std::size_t, std::size_t, std::size_t, std::vector<std::size_t>> cases[] = {
      {65536, SIZE_MAX, 65536, {32768, 32768}},
      {32769, SIZE_MAX, 32769, {32768, 1}},
      {32768, SIZE_MAX, 32768, {32768}},
      {0, SIZE_MAX, 0, {}},
      {100000, 1000, 0, {32768}},
      {100000, 99999, 0, {32768, 32768, 32768, 1696}}};
  for (const auto& [length, capacity, result, writes] : cases) {
    const Bytes data(length, 0x5A);
    CMemoryFile file({});
    file.capacity = capacity;
    EXPECT_EQ(WriteInChunks(file, data.data(), data.size()), result) << length;
    EXPECT_EQ(file.writes, writes) << length;
    EXPECT_EQ(file.data, Bytes(data.begin(), data.begin() + std::min(length, capacity)));
  }
}

}  // namespace
