#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include "image/BinaryFile.h"
#include "image/DibImage.h"

// What the image tests share: the 3 x 2 file, a scratch folder, a file in memory.

using Bytes = std::vector<std::uint8_t>;

// The 3 x 2 24-bit picture of pixels (red 10x, green y, blue 200), byte by byte as the writer
// must make it.
inline const Bytes kFile3x2 = {
    'B', 'M', 78, 0,   0, 0,  0,   0, 0,  0, 54, 0, 0, 0,                     // file header
    40,  0,   0,  0,   3, 0,  0,   0, 2,  0, 0,  0, 1, 0, 24, 0, 0, 0, 0, 0,  // size .. compression
    24,  0,   0,  0,   0, 0,  0,   0, 0,  0, 0,  0, 0, 0, 0,  0, 0, 0, 0, 0,  // image size ..
    200, 0,   0,  200, 0, 10, 200, 0, 20, 0, 0,  0,                           // bottom row, padding
    200, 1,   0,  200, 1, 10, 200, 1, 20, 0, 0,  0};                          // top row, padding

// A palette-holding image keeps its table in index form: the 16-bit indexes 0, 1, 2...
inline void ExpectIndexForm(const CDibImage& image, int colours) {
  ASSERT_NE(image.Palette(), nullptr);
  EXPECT_EQ(image.Palette()->GetEntryCount(), colours);
  EXPECT_EQ(image.ColourMode(), 3);
  EXPECT_EQ(image.Bits(), image.Dib() + 40 + 4 * colours);
  for (int i = 0; i < colours; ++i) {
    ASSERT_EQ(image.Dib()[40 + 2 * i] | image.Dib()[41 + 2 * i] << 8, i);
  }
}

// GetPixelRGB as one value: its result, red, green, blue.
inline std::tuple<int, int, int, int> Rgb(const CDibImage& image, int x, int y) {
  std::uint8_t r = 0, g = 0, b = 0;
  const int result = image.GetPixelRGB(x, y, r, g, b);
  return {result, r, g, b};
}

// A scratch folder for one test, removed at its end.
struct CTempFolder {
  CTempFolder() { std::filesystem::create_directories(path); }
  ~CTempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
  std::string File(const std::string& name) const { return (path / name).string(); }
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("spirandel-image-" + std::to_string(::getpid()));
};

inline void WriteBytes(const std::string& path, const Bytes& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

inline Bytes ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A file in memory: reads come from its bytes, writes append up to a capacity (a disk that
// fills up) and every write's length is recorded.
struct CMemoryFile : IBinaryFile {
  explicit CMemoryFile(Bytes bytes) : data(std::move(bytes)) {}

  std::size_t Read(void* buffer, std::size_t length) override {
    const std::size_t from = std::min(position, data.size()),
                      n = std::min(length, data.size() - from);
    std::copy_n(data.data() + from, n, static_cast<std::uint8_t*>(buffer));
    position += n;
    return n;
  }
  std::size_t Write(const void* buffer, std::size_t length) override {
    writes.push_back(length);
    const std::size_t n = std::min(length, capacity - data.size());
    const auto* bytes = static_cast<const std::uint8_t*>(buffer);
    data.insert(data.end(), bytes, bytes + n);
    return n;
  }
  int SeekTo(std::int64_t to) override {
    position = static_cast<std::size_t>(std::max<std::int64_t>(to, 0));
    return to >= 0 ? 1 : 0;
  }
  std::int64_t Tell() override { return static_cast<std::int64_t>(position); }
  std::int64_t Size() override { return static_cast<std::int64_t>(data.size()); }

  Bytes data;
  std::size_t capacity = SIZE_MAX, position = 0;
  std::vector<std::size_t> writes;
};
