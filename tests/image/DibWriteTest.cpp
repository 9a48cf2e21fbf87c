#ifndef _WIN32
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>
#endif

#include "ImageTestFiles.h"
#include "image/DibFile.h"
#include "image/DibFileIo.h"

// A failed Save leaves no file and keeps the name stored; a good one replaces a longer file.
// Writes larger than one chunk are written whole.
TEST(SaveTest, ThreeByTwoTrueColourIsSeventyEightBytes) {
  const std::string name = kScratch.Write("a.bmp", Bytes(5000, 0xEE));
  CDibFile image;
  EXPECT_EQ(image.Save(kScratch.File("none.bmp")), 0);  // no picture
  image.Create(3, 2, 24, -1);
  for (int i = 0; i < 6; ++i) {
    image.SetPixelRGB(i % 3, i / 3, 10 * (i % 3), i / 3, 200);
  }
  // A file that cannot be created refuses every operation.
  const std::string missing = kScratch.File("missing/a.bmp");
  CStdioFile none(missing, CStdioFile::Mode::CreateWrite);
  std::uint8_t buffer[4] = {};
  EXPECT_EQ(std::tuple(image.Save(missing), none.Write(buffer, 1), none.Read(buffer, 4),
                       none.Tell(), none.Size(), none.SeekTo(0), none.Close()),
            std::tuple(0, std::size_t{0}, std::size_t{0}, -1, -1, 0, 0));
  ASSERT_EQ(image.Save(name), 1);
  EXPECT_EQ(std::pair(image.Save(""), image.FileName()), std::pair(0, name));
  std::ifstream saved(name, std::ios::binary);
  EXPECT_EQ(Bytes(std::istreambuf_iterator<char>(saved), {}), kFile3x2);
  CStdioFile chunks(kScratch.File("chunks"), CStdioFile::Mode::CreateWrite);
  const Bytes bytes(32769, 7);  // a whole write and one byte
  EXPECT_EQ(WriteInChunks(chunks, bytes.data(), bytes.size()), bytes.size());
}

#ifndef _WIN32  // the file size limit is POSIX
// A disk that fills up: the file size limit makes the writes fail part-way. The writer must
// say so and leave no truncated picture behind, and a chunked write that falls short gives 0.
// Runs in a child so the limit stays there.
[[noreturn]] void WriteBeyondTheSizeLimit(const std::string& name) {
  signal(SIGXFSZ, SIG_IGN);
  const rlimit limit{100000, 100000};
  setrlimit(RLIMIT_FSIZE, &limit);
  CDibFile image;
  image.Create(640, 480, 24, -1);
  CStdioFile file(name + ".raw", CStdioFile::Mode::CreateWrite);
  const Bytes bytes(200000, 1);
  const bool refused = image.Save(name) == 0 && !std::filesystem::exists(name);
  // Bytes that fit the buffer fail only when it is flushed, on closing.
  CStdioFile late(name + ".late", CStdioFile::Mode::CreateWrite);
  const bool lateRefused =
      late.SeekTo(99990) == 1 && late.Write(bytes.data(), 100) == 100 && late.Close() == 0;
  _exit(refused && lateRefused && WriteInChunks(file, bytes.data(), bytes.size()) == 0 ? 0 : 1);
}

TEST(SaveTest, FullDiskFailsAndRemovesThePartialFile) {
  EXPECT_EXIT(WriteBeyondTheSizeLimit(kScratch.File("full.bmp")), testing::ExitedWithCode(0), "");
}
#endif
