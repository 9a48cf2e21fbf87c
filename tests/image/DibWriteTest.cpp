#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "BmpBytes.h"
#include "MemoryFile.h"
#include "image/DibBlock.h"
#include "image/DibFile.h"
#include "image/DibFileIo.h"

namespace {

TEST(WriteDibFileTest, ThreeByTwoTrueColourIsSeventyEightBytes) {
  CTempFolder folder;
  CDibFile image;
  image.Create(3, 2, 24, -1);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) {
      image.SetPixelRGB(x, y, static_cast<std::uint8_t>(10 * x), static_cast<std::uint8_t>(y), 200);
    }
  }
  ASSERT_EQ(image.Save(folder.File("a.bmp")), 1);
  const Bytes file = ReadBytes(folder.File("a.bmp"));
  const Bytes expected = {'B', 'M', 78, 0,   0, 0,  0,   0, 0,  0, 54, 0, 0, 0,  // file header
                          40,  0,   0,  0,   3, 0,  0,   0, 2,  0, 0,  0, 1, 0,
                          24,  0,   0,  0,   0, 0,  // size .. compression
                          24,  0,   0,  0,   0, 0,  0,   0, 0,  0, 0,  0, 0, 0,
                          0,   0,   0,  0,   0, 0,  // image size .. important
                          200, 0,   0,  200, 0, 10, 200, 0, 20, 0, 0,  0,   // bottom row + padding
                          200, 1,   0,  200, 1, 10, 200, 1, 20, 0, 0,  0};  // top row + padding
  EXPECT_EQ(file, expected);
}

TEST(WriteDibFileTest, EightBitFileHeaderCountsTheFullTable) {
  CTempFolder folder;
  CDibFile image;
  image.Create(640, 480, 8, -1);
  ASSERT_EQ(image.Save(folder.File("b.bmp")), 1);
  const Bytes file = ReadBytes(folder.File("b.bmp"));
  ASSERT_EQ(file.size(), 14u + 40 + 1024 + 640 * 480);
  EXPECT_EQ(Get32(file, 2), file.size());
  EXPECT_EQ(Get32(file, 10), 1078u);
  EXPECT_EQ(Get32(file, 14 + 32), 256u);
}

TEST(WriteDibFileTest, NullBlockOrUncreatableFileWritesNothing) {
  CTempFolder folder;
  std::uint8_t* block = AllocDib(24, 2, 2);
  EXPECT_EQ(WriteDibFile(folder.File("none.bmp"), nullptr), 0);
  EXPECT_FALSE(std::filesystem::exists(folder.File("none.bmp")));
  EXPECT_EQ(WriteDibFile(folder.File("missing/dir.bmp"), block), 0);
  EXPECT_EQ(WriteDibFile("", block), 0);
  FreeDib(block);
}

TEST(WriteDibFileTest, ExistingFileIsReplaced) {
  CTempFolder folder;
  WriteBytes(folder.File("c.bmp"), Bytes(5000, 0xEE));
  CDibFile image;
  image.Create(3, 2, 24, -1);
  ASSERT_EQ(image.Save(folder.File("c.bmp")), 1);
  EXPECT_EQ(ReadBytes(folder.File("c.bmp")).size(), 78u);
}

// A disk that fills up: the file size limit makes the writes fail part-way. The writer must
// say so and leave no truncated picture behind. Runs in a child so the limit stays there.
TEST(WriteDibFileTest, FullDiskFailsAndRemovesThePartialFile) {
  CTempFolder folder;
  const std::string name = folder.File("full.bmp");
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{100000, 100000};
    setrlimit(RLIMIT_FSIZE, &limit);
    CDibFile image;
    image.Create(640, 480, 24, -1);
    const int result = image.Save(name);
    _exit(result == 0 && !std::filesystem::exists(name) ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

struct ChunkCase {
  std::size_t length;
  std::vector<std::size_t> writes;
};

class WriteInChunksTest : public testing::TestWithParam<ChunkCase> {};

TEST_P(WriteInChunksTest, PiecesOfAtMost32768Bytes) {
  const ChunkCase& c = GetParam();
  const Bytes data(c.length, 0x5A);
  CMemoryFile file;
  EXPECT_EQ(WriteInChunks(file, data.data(), data.size()), c.length);
  EXPECT_EQ(file.Writes(), c.writes);
  EXPECT_EQ(file.Bytes(), data);
}

INSTANTIATE_TEST_SUITE_P(Lengths, WriteInChunksTest,
                         testing::Values(ChunkCase{65536, {32768, 32768}},
                                         ChunkCase{32769, {32768, 1}}, ChunkCase{32768, {32768}},
                                         ChunkCase{100, {100}}, ChunkCase{0, {}}),
                         [](const testing::TestParamInfo<ChunkCase>& info) {
                           return "Length" + std::to_string(info.param.length);
                         });

TEST(WriteInChunksTest, ShortPieceStopsAtOnce) {
  const Bytes data(100000, 1);
  CMemoryFile firstShort({}, 1000);
  EXPECT_EQ(WriteInChunks(firstShort, data.data(), data.size()), 0u);
  EXPECT_EQ(firstShort.Writes().size(), 1u);
  CMemoryFile lastShort({}, 99999);
  EXPECT_EQ(WriteInChunks(lastShort, data.data(), data.size()), 0u);
  EXPECT_EQ(lastShort.Writes().size(), 4u);
}

}  // namespace
