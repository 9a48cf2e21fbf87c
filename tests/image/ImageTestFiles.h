#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include "image/DibImage.h"

using Bytes = std::vector<std::uint8_t>;

// The 3 x 2 24-bit picture of pixels (red 10x, green y, blue 200), byte by byte as the writer
// must make it.
inline const Bytes kFile3x2 = {
    'B', 'M', 78, 0,   0, 0,  0,   0, 0,  0, 54, 0, 0, 0,                     // file header
    40,  0,   0,  0,   3, 0,  0,   0, 2,  0, 0,  0, 1, 0, 24, 0, 0, 0, 0, 0,  // size .. compression
    24,  0,   0,  0,   0, 0,  0,   0, 0,  0, 0,  0, 0, 0, 0,  0, 0, 0, 0, 0,  // image size ..
    200, 0,   0,  200, 0, 10, 200, 0, 20, 0, 0,  0,                           // bottom row, padding
    200, 1,   0,  200, 1, 10, 200, 1, 20, 0, 0,  0};                          // top row, padding

// A palette-holding image keeps its table in index form, the 16-bit indexes 0, 1, 2..., and
// its colour mode 3: the palette's size when it does, else -1.
inline int IndexFormColours(const CDibImage& image) {
  const int n = image.Palette() != nullptr ? image.Palette()->GetEntryCount() : -1;
  bool indexes = image.ColourMode() == 3 && image.Bits() == image.Dib() + 40 + 4 * n;
  for (int i = 0; i < n; ++i) {
    indexes = indexes && (image.Dib()[40 + 2 * i] | image.Dib()[41 + 2 * i] << 8) == i;
  }
  return indexes ? n : -1;
}

// GetPixelRGB as one value: its result, red, green, blue.
inline std::tuple<int, int, int, int> Rgb(const CDibImage& image, int x, int y) {
  std::uint8_t r = 0, g = 0, b = 0;
  const int result = image.GetPixelRGB(x, y, r, g, b);
  return {result, r, g, b};
}

// The scratch folder of the test program, removed when it ends.
inline const struct CScratch {
  CScratch() { std::filesystem::create_directories(path); }
  ~CScratch() { std::filesystem::remove_all(path); }
  std::string File(const std::string& name) const { return (path / name).string(); }
  std::string Write(const std::string& name, const Bytes& bytes) const {
    std::ofstream(File(name), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return File(name);
  }
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("spirandel-image-" + std::to_string(::getpid()));
} kScratch;
